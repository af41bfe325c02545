#include "platform/dao/foreign/ForeignReader.h"

#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoException.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace platform::dao::detail {
namespace {

using Clock = std::chrono::steady_clock;

std::filesystem::path ReaderProgram()
{
    const ForeignReaderSettings& settings = CurrentForeignReaderSettings();
    if (!settings.program.empty()) {
        return settings.program;
    }
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path beside = self.parent_path() / kForeignReaderName;
        if (std::filesystem::is_regular_file(beside, error)) {
            return beside;
        }
    }
#ifdef LUMARC_FOREIGN_READER_PATH
    return LUMARC_FOREIGN_READER_PATH; // a program run from the build tree (tests, tools)
#else
    return self.parent_path() / kForeignReaderName;
#endif
}

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { Close(); }
    int Get() const { return m_fd; }
    void Close()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }

private:
    int m_fd;
};

// The reader process; one that is still running when this goes is killed and reaped.
class Child
{
public:
    explicit Child(pid_t pid) : m_pid(pid) {}
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            int status = 0;
            while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
            }
        }
    }

    // The wait status once it has ended; nullopt when it is still running at `deadline`.
    std::optional<int> WaitUntil(Clock::time_point deadline)
    {
        for (;;) {
            int status = 0;
            const pid_t done = ::waitpid(m_pid, &status, WNOHANG);
            if (done == m_pid) {
                m_pid = -1;
                return status;
            }
            if ((done < 0 && errno != EINTR) || Clock::now() >= deadline) {
                return std::nullopt;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

private:
    pid_t m_pid;
};

pid_t Spawn(const std::filesystem::path& program, const std::vector<std::string>& arguments, int output)
{
    std::vector<char*> argv;
    std::string name = program.string();
    argv.push_back(name.data());
    std::vector<std::string> copies(arguments);
    for (std::string& argument : copies) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    if (::posix_spawn_file_actions_init(&actions) != 0) {
        return -1;
    }
    if (::posix_spawnattr_init(&attributes) != 0) {
        ::posix_spawn_file_actions_destroy(&actions);
        return -1;
    }
    // The reader starts clean: no signal blocked or ignored by this process, its output into the pipe,
    // nothing to read, and none of this process's other files open.
    sigset_t signals;
    sigemptyset(&signals);
    ::posix_spawnattr_setsigmask(&attributes, &signals);
    sigfillset(&signals);
    ::posix_spawnattr_setsigdefault(&attributes, &signals);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    ::posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    pid_t pid = -1;
    const int error = ::posix_spawn(&pid, name.c_str(), &actions, &attributes, argv.data(), environ);
    ::posix_spawnattr_destroy(&attributes);
    ::posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

} // namespace

ForeignReaderSettings& CurrentForeignReaderSettings()
{
    static ForeignReaderSettings settings;
    return settings;
}

std::string RunForeignReader(const std::vector<std::string>& arguments, const std::filesystem::path& file)
{
    const ForeignReaderSettings settings = CurrentForeignReaderSettings();
    const std::filesystem::path program = ReaderProgram();
    const Clock::time_point deadline = Clock::now() + settings.timeout;

    int ends[2] = {-1, -1};
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        ThrowDaoError(errors::kCannotOpenFile, file.string());
    }
    FileDescriptor input(ends[0]);
    FileDescriptor output(ends[1]);
    const pid_t pid = Spawn(program, arguments, output.Get());
    if (pid < 0) {
        ThrowDaoError(errors::kCannotOpenFile, program.string());
    }
    Child child(pid);
    output.Close(); // so the pipe ends when the reader does

    std::string text;
    bool whole = false;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd ready{input.Get(), POLLIN, 0};
        const int polled = ::poll(&ready, 1, static_cast<int>(std::min<long long>(left.count(), 1000)));
        if (polled < 0 && errno != EINTR) {
            break;
        }
        if (polled <= 0) {
            continue;
        }
        char buffer[65536];
        const ssize_t got = ::read(input.Get(), buffer, sizeof(buffer));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            whole = got == 0;
            break;
        }
        if (text.size() + static_cast<size_t>(got) > settings.maxOutput) {
            break;
        }
        text.append(buffer, static_cast<size_t>(got));
    }
    const std::optional<int> status = whole ? child.WaitUntil(deadline) : std::nullopt;
    if (!status || !WIFEXITED(*status)) {
        ThrowDaoError(errors::kUnrecognizedFormat, file.string()); // killed, crashed or still running
    }
    if (WEXITSTATUS(*status) == kReaderExitPassword) {
        ThrowDaoError(errors::kNotValidPassword, file.string());
    }
    if (WEXITSTATUS(*status) != 0) {
        ThrowDaoError(errors::kUnrecognizedFormat, file.string());
    }
    return text;
}

} // namespace platform::dao::detail
