#pragma once
// Where the program keeps its files for the current user. LUMARC_HOME, when set, holds everything
// (settings, data, runtime sockets), so a test or a portable install is one folder; otherwise the
// XDG base directories apply.

#include <filesystem>

namespace platform::folders {

// $LUMARC_HOME when set and not empty.
std::filesystem::path LumarcHome();

// Folder of the settings file: $LUMARC_HOME, else $XDG_CONFIG_HOME/lumarc (~/.config/lumarc).
std::filesystem::path ConfigFolder();

// Default product folder: $LUMARC_HOME, else $XDG_DATA_HOME/lumarc (~/.local/share/lumarc).
std::filesystem::path DataFolder();

// Folder for sockets and other per-session files: $LUMARC_HOME/run, else $XDG_RUNTIME_DIR/lumarc,
// else a folder under the system's temporary folder named after the user.
std::filesystem::path RuntimeFolder();

// Full path of the running executable (empty when it cannot be found).
std::filesystem::path CurrentExecutable();

} // namespace platform::folders
