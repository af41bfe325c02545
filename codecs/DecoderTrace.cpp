#include "codecs/DecoderTrace.h"

#include "codecs/TextException.h"

#include <cstdio>
#include <string>

namespace {

std::filesystem::path& TraceFile()
{
    static std::filesystem::path path;
    return path;
}

} // namespace

void SetDecoderTraceFile(const std::filesystem::path& path)
{
    TraceFile() = path;
}

void DecoderTrace(std::string_view text)
{
    const auto& path = TraceFile();
    if (path.empty()) {
        return;
    }
    if (std::FILE* file = std::fopen(path.c_str(), "ab")) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
}

void ThrowImgError(int code, std::string message)
{
    DecoderTrace("Decoder error: " + message + "\n");
    throw CTextException(code, std::move(message));
}
