#include "store/program/TraceLog.h"

#include "store/program/Settings.h"
#include "store/program/VersionReport.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

namespace {

bool g_traceEnabled = false;

void AppendEntry(std::string_view text)
{
    if (!g_traceEnabled) {
        return;
    }
    const auto path = DebugLogPath();
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    const bool isNew = !std::filesystem::exists(path, error);
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) {
        return; // the entry is lost; tracing never disturbs the program
    }
    std::string line;
    if (isNew) {
        line = "version2.0\r\n";
    }
    line.append(text);
    line += "\r\n";
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
}

} // namespace

void SetTraceEnabled(bool enabled)
{
    g_traceEnabled = enabled;
}

bool IsTraceEnabled()
{
    return g_traceEnabled;
}

bool StartTraceLog()
{
    SetTraceEnabled(GetSettingBool("DebugOn", false));
    if (g_traceEnabled) {
        WriteVersionReport();
    }
    return g_traceEnabled;
}

std::filesystem::path DebugLogPath()
{
    return GetProductDir() / "debug.log";
}

void DebugLogString(std::string_view text)
{
    AppendEntry(text);
}

void DebugLogNumber(long n)
{
    if (g_traceEnabled) {
        AppendEntry(std::to_string(n));
    }
}

void AppendLogString(std::string_view text1, std::string_view text2)
{
    if (g_traceEnabled) {
        AppendEntry(std::string(text1) + std::string(text2));
    }
}

void AppendLogTextPair(std::string_view text, std::string_view stringObject)
{
    AppendLogString(text, stringObject);
}

void AppendLogNumberAndText(long n, std::string_view stringObject)
{
    if (g_traceEnabled) {
        AppendLogTextPair(std::to_string(n), stringObject);
    }
}

void DebugLogLastError()
{
    if (g_traceEnabled) {
        AppendEntry(std::to_string(static_cast<unsigned long>(errno)));
    }
}
