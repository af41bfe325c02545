#include "store/program/ProductLaunch.h"

#include "store/program/Settings.h"

#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

std::string GetProductDirPath()
{
    return GetProductDir().string();
}

bool LaunchProductExe(std::string_view parameters)
{
    const auto program = GetProductExe();
    if (program.empty()) {
        return false;
    }
    return LaunchProgram(program, parameters, GetProductDir());
}

bool LaunchProgram(const std::filesystem::path& program, std::string_view argument,
                   const std::filesystem::path& folder)
{
    std::string path = program.string();
    std::string text(argument);
    std::vector<char*> argv{path.data()};
    if (!text.empty()) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!folder.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    }
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A session of its own, so closing this copy's terminal or process group leaves the new program running.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, path.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        return false;
    }
    // The program is independent; reap it when it ends so it leaves no zombie behind.
    std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
    return true;
}

std::string GetNetscapeUserDir()
{
    return {};
}
