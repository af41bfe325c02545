#pragma once
// A second running copy for the window tests: a helper program started beside the test process, which
// talks to it through the display (clipboard, messages) and reports through a log file. While the test
// waits, its own event loop runs, so it can answer the peer (serve the clipboard, receive messages).

#include <chrono>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace lumarc::test {

// The whole text of a file; empty when it cannot be read.
std::string ReadTextFile(const std::filesystem::path& path);

// Lets this process's event loop run until `done` answers true or 20 seconds have passed; the last answer.
template <typename Predicate>
bool PumpUntil(Predicate done);
// Runs the event loop once and waits a moment.
void PumpOnce();

class PeerProcess
{
public:
    // Starts the program with the log file as its first argument and then `arguments`.
    PeerProcess(const std::string& program, std::filesystem::path log,
                const std::vector<std::string>& arguments = {});
    ~PeerProcess();
    PeerProcess(const PeerProcess&) = delete;
    PeerProcess& operator=(const PeerProcess&) = delete;

    bool IsStarted() const { return m_pid > 0; }
    pid_t GetPid() const { return m_pid; }
    std::string Log() const { return ReadTextFile(m_log); }
    // Pumps until the log holds the text.
    bool WaitForLog(const std::string& text);
    bool WaitExit();
    void Kill();

private:
    std::filesystem::path m_log;
    pid_t m_pid = -1;
};

// Gives up after a minute and a half: a second copy built with the sanitizers, on a small machine busy
// with other tests, can take half a minute to start.
template <typename Predicate>
bool PumpUntil(Predicate done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    while (std::chrono::steady_clock::now() < deadline) {
        if (done()) {
            return true;
        }
        PumpOnce();
    }
    return done();
}

} // namespace lumarc::test
