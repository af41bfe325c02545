#include "codecs/TIFFMemClient.h"

#include "codecs/DecoderTrace.h"
#include "codecs/ImgMemory.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace {

std::string Format(const char* format, va_list args)
{
    char text[1024];
    std::vsnprintf(text, sizeof text, format, args);
    return text;
}

void TraceWarning(const char* module, const char* format, va_list args)
{
    const std::string text = Format(format, args);
    if (module != nullptr) {
        DecoderTrace("Warning in LIBTIFF(" + std::string(module) + "): " + text + "\n");
    } else {
        DecoderTrace("Warning in LIBTIFF: " + text + "\n");
    }
}

void GlobalError(const char* module, const char* format, va_list args)
{
    const std::string text = Format(format, args);
    DecoderTrace(module != nullptr ? std::string(module) + ": " + text + "\n" : text + "\n");
}

} // namespace

void InstallTIFFHandlers()
{
    static std::once_flag once;
    std::call_once(once, [] {
        TIFFSetErrorHandler(GlobalError);
        TIFFSetWarningHandler(TraceWarning);
    });
}

CTIFFMemClient::CTIFFMemClient(const uint8_t* data, size_t size) : m_readData(data), m_size(size) {}

CTIFFMemClient::CTIFFMemClient(CImgDataSink& sink) : m_sink(&sink)
{
    m_sink->SetWritePos(0);
}

CTIFFMemClient::~CTIFFMemClient()
{
    if (m_tif != nullptr) {
        TIFFClose(m_tif);
    }
}

TIFF* CTIFFMemClient::Open()
{
    InstallTIFFHandlers();
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, OnError, this);
    TIFFOpenOptionsSetWarningHandlerExtR(options, OnWarning, this);
    // libtiff's own buffers stay within the bound of the bitmaps.
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, static_cast<tmsize_t>(GetMaxBitmapBytes()));
    m_tif = TIFFClientOpenExt("MemSource", m_sink != nullptr ? "w" : "r", this, ReadProc, WriteProc, SeekProc,
                              CloseProc, SizeProc, MapProc, UnmapProc, options);
    TIFFOpenOptionsFree(options);
    if (m_tif == nullptr && m_lastError.empty()) {
        m_lastError = "Cannot open TIFF data";
    }
    return m_tif;
}

bool CTIFFMemClient::Close()
{
    if (m_tif == nullptr) {
        return true;
    }
    const bool flushed = m_sink == nullptr || TIFFFlush(m_tif) != 0;
    TIFFClose(m_tif);
    m_tif = nullptr;
    return flushed;
}

tmsize_t CTIFFMemClient::ReadProc(thandle_t handle, void* buffer, tmsize_t size)
{
    auto* client = static_cast<CTIFFMemClient*>(handle);
    if (client->m_readData == nullptr || size <= 0 || client->m_position >= client->m_size) {
        return 0;
    }
    const size_t count = std::min(static_cast<size_t>(size), client->m_size - client->m_position);
    std::memcpy(buffer, client->m_readData + client->m_position, count);
    client->m_position += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t CTIFFMemClient::WriteProc(thandle_t handle, void* buffer, tmsize_t size)
{
    auto* client = static_cast<CTIFFMemClient*>(handle);
    if (client->m_sink == nullptr || size <= 0) {
        return 0;
    }
    const size_t end = client->m_position + static_cast<size_t>(size);
    if (end < client->m_position || !client->m_sink->EnsureCapacity(end)) {
        client->m_overflow = true;
        return 0;
    }
    std::memcpy(client->m_sink->GetBuffer() + client->m_position, buffer, static_cast<size_t>(size));
    client->m_position = end;
    if (end > client->m_size) {
        client->m_size = end;
        client->m_sink->SetWritePos(end);
    }
    return size;
}

toff_t CTIFFMemClient::SeekProc(thandle_t handle, toff_t offset, int whence)
{
    auto* client = static_cast<CTIFFMemClient*>(handle);
    // toff_t is unsigned; libtiff passes backward moves as their two's complement.
    const auto delta = static_cast<int64_t>(offset);
    int64_t base = 0;
    switch (whence) {
    case SEEK_SET:
        base = 0;
        break;
    case SEEK_CUR:
        base = static_cast<int64_t>(client->m_position);
        break;
    case SEEK_END:
        base = static_cast<int64_t>(client->m_size);
        break;
    default:
        return static_cast<toff_t>(-1);
    }
    const int64_t target = base + delta;
    if ((delta > 0 && target < base) || target < 0) {
        return static_cast<toff_t>(-1);
    }
    client->m_position = static_cast<size_t>(target);
    return static_cast<toff_t>(target);
}

int CTIFFMemClient::CloseProc(thandle_t)
{
    return 0;
}

toff_t CTIFFMemClient::SizeProc(thandle_t handle)
{
    return static_cast<CTIFFMemClient*>(handle)->m_size;
}

int CTIFFMemClient::MapProc(thandle_t, void**, toff_t*)
{
    return 0;
}

void CTIFFMemClient::UnmapProc(thandle_t, void*, toff_t) {}

int CTIFFMemClient::OnError(TIFF*, void* user, const char* module, const char* format, va_list args)
{
    auto* client = static_cast<CTIFFMemClient*>(user);
    std::string text = Format(format, args);
    if (module != nullptr && *module != '\0') {
        text = std::string(module) + ": " + text;
    }
    client->m_lastError = text;
    return 1;
}

int CTIFFMemClient::OnWarning(TIFF*, void*, const char* module, const char* format, va_list args)
{
    TraceWarning(module, format, args);
    return 1;
}
