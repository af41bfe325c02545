#include "platform/folders/UserFolders.h"

#include <cstdlib>
#include <string>
#include <system_error>
#include <unistd.h>

namespace platform::folders {
namespace {

std::filesystem::path FromEnv(const char* name)
{
    const char* value = std::getenv(name);
    return (value != nullptr && *value != '\0') ? std::filesystem::path(value) : std::filesystem::path();
}

std::filesystem::path HomeFolder()
{
    auto home = FromEnv("HOME");
    return home.empty() ? std::filesystem::temp_directory_path() : home;
}

} // namespace

std::filesystem::path LumarcHome()
{
    return FromEnv("LUMARC_HOME");
}

std::filesystem::path ConfigFolder()
{
    if (auto home = LumarcHome(); !home.empty()) {
        return home;
    }
    auto base = FromEnv("XDG_CONFIG_HOME");
    return (base.empty() ? HomeFolder() / ".config" : base) / "lumarc";
}

std::filesystem::path DataFolder()
{
    if (auto home = LumarcHome(); !home.empty()) {
        return home;
    }
    auto base = FromEnv("XDG_DATA_HOME");
    return (base.empty() ? HomeFolder() / ".local" / "share" : base) / "lumarc";
}

std::filesystem::path RuntimeFolder()
{
    if (auto home = LumarcHome(); !home.empty()) {
        return home / "run";
    }
    if (auto base = FromEnv("XDG_RUNTIME_DIR"); !base.empty()) {
        return base / "lumarc";
    }
    return std::filesystem::temp_directory_path() / ("lumarc-" + std::to_string(getuid()));
}

std::filesystem::path CurrentExecutable()
{
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : path;
}

} // namespace platform::folders
