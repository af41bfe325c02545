#include "tests/support/PeerProcess.h"

#include <wx/app.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace lumarc::test {

std::string ReadTextFile(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void PumpOnce()
{
    wxTheApp->ProcessPendingEvents();
    wxYield();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

PeerProcess::PeerProcess(const std::string& program, std::filesystem::path log,
                         const std::vector<std::string>& arguments)
    : m_log(std::move(log))
{
    std::vector<std::string> words{program, m_log.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    if (::posix_spawn(&m_pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        m_pid = -1;
    }
}

PeerProcess::~PeerProcess()
{
    Kill();
}

bool PeerProcess::WaitForLog(const std::string& text)
{
    return PumpUntil([&] { return Log().find(text) != std::string::npos; });
}

bool PeerProcess::WaitExit()
{
    if (m_pid <= 0) {
        return true;
    }
    const bool ended = PumpUntil([this] { return ::waitpid(m_pid, nullptr, WNOHANG) == m_pid; });
    if (ended) {
        m_pid = -1;
    }
    return ended;
}

void PeerProcess::Kill()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
}

} // namespace lumarc::test
