// Loading this library into a process starts the main program in its find mode, as a process of its own.
// The library exports nothing: the work is done once, by its load-time constructor, and loading never
// fails because of it.

#include "store/program/Settings.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <dlfcn.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

extern char** environ;

namespace {

// The program's path is read into a buffer of 120 bytes (119 and the terminating zero); a longer value
// counts as unreadable, so nothing is started.
constexpr std::size_t kMaxProgramPathBytes = 119;

constexpr std::string_view kPreloadVariable = "LD_PRELOAD=";

std::filesystem::path ThisLibrary()
{
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&ThisLibrary), &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    return info.dli_fname;
}

bool NamesThisLibrary(const std::string& entry, const std::filesystem::path& self)
{
    if (self.empty()) {
        return false;
    }
    std::error_code error;
    if (std::filesystem::equivalent(entry, self, error)) {
        return true;
    }
    return std::filesystem::path(entry).filename() == self.filename();
}

// The host's environment for the program, less this library in LD_PRELOAD: a host that was given the
// library that way would otherwise hand it on, and every program started would start another.
std::vector<std::string> ProgramEnvironment()
{
    const std::filesystem::path self = ThisLibrary();
    std::vector<std::string> variables;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        std::string variable = *entry;
        if (variable.rfind(kPreloadVariable, 0) != 0) {
            variables.push_back(std::move(variable));
            continue;
        }
        // The loader separates preloaded libraries by blanks or colons.
        std::string kept;
        const std::string list = variable.substr(kPreloadVariable.size());
        std::size_t start = 0;
        while (start <= list.size()) {
            const std::size_t end = std::min(list.find_first_of(" :", start), list.size());
            const std::string name = list.substr(start, end - start);
            if (!name.empty() && !NamesThisLibrary(name, self)) {
                kept += kept.empty() ? name : ":" + name;
            }
            start = end + 1;
        }
        if (!kept.empty()) {
            variables.push_back(std::string(kPreloadVariable) + kept);
        }
    }
    return variables;
}

// Starts the program as a process of its own: in a session of its own, with default signal handling,
// and without the host's open files beyond the standard three.
void StartProgram(const std::string& program)
{
    std::vector<std::string> environment = ProgramEnvironment();
    std::vector<char*> envp;
    for (auto& variable : environment) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);
    std::string argument0 = program;
    std::string argument1 = "FIND";
    char* argv[] = {argument0.data(), argument1.data(), nullptr};

    posix_spawnattr_t attributes;
    if (::posix_spawnattr_init(&attributes) != 0) {
        return;
    }
    sigset_t signals;
    sigemptyset(&signals);
    ::posix_spawnattr_setsigmask(&attributes, &signals);
    sigfillset(&signals);
    ::posix_spawnattr_setsigdefault(&attributes, &signals);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
#ifdef POSIX_SPAWN_SETSID
    flags |= POSIX_SPAWN_SETSID;
#endif
    ::posix_spawnattr_setflags(&attributes, flags);

    posix_spawn_file_actions_t actions;
    const bool haveActions = ::posix_spawn_file_actions_init(&actions) == 0;
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    if (haveActions) {
        ::posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    }
#endif

    pid_t pid = 0;
    // A failure to start is not reported: the host has no one to tell.
    ::posix_spawn(&pid, program.c_str(), haveActions ? &actions : nullptr, &attributes, argv, envp.data());

    if (haveActions) {
        ::posix_spawn_file_actions_destroy(&actions);
    }
    ::posix_spawnattr_destroy(&attributes);
}

void LaunchFindMode()
{
    // Read through the program's own settings store, so the launcher sees what the program sees.
    const std::string program = GetSettingString("productExe");
    if (program.empty() || program.size() > kMaxProgramPathBytes) {
        return;
    }
    StartProgram(program);
}

// Runs when the library is loaded. It is linked not to be unloaded, so a host that loads it again
// after closing it does not start a second program.
[[gnu::constructor]] void OnLibraryLoaded()
{
    const int savedErrno = errno;
    try {
        LaunchFindMode();
    } catch (...) {
        // Loading must succeed whatever happened.
    }
    errno = savedErrno;
}

} // namespace
