// Two running copies exchanging registered messages: this test process and broadcast_peer.

#include "store/Broadcasts.h"
#include "platform/folders/UserFolders.h"
#include "platform/ui/WxBroadcast.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

using platform::ui::Broadcaster;

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Contains(const std::string& text, const std::string& line)
{
    return text.find(line + "\n") != std::string::npos;
}

// Lets this copy's event loop run (other copies' messages arrive through it) until `done` or 20 seconds.
template <typename Predicate>
bool PumpUntil(Predicate done)
{
    for (int i = 0; i < 400; ++i) {
        if (done()) {
            return true;
        }
        wxTheApp->ProcessPendingEvents();
        wxYield();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return done();
}

class Peer
{
public:
    explicit Peer(const std::filesystem::path& log, bool clipboard = false) : m_log(log)
    {
        std::string program = BROADCAST_PEER;
        std::string logText = log.string();
        std::string option = "--clipboard";
        std::vector<char*> argv{program.data(), logText.data()};
        if (clipboard) {
            argv.push_back(option.data());
        }
        argv.push_back(nullptr);
        EXPECT_EQ(::posix_spawn(&m_pid, program.c_str(), nullptr, nullptr, argv.data(), environ), 0);
    }
    ~Peer()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }

    bool WaitReady()
    {
        return PumpUntil([this] { return ReadFile(m_log).find("ready ") != std::string::npos; });
    }
    std::filesystem::path Socket() const
    {
        return platform::folders::RuntimeFolder() / "copies" / (std::to_string(m_pid) + "-1.sock");
    }
    std::string Log() const { return ReadFile(m_log); }
    void Kill()
    {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    bool WaitExit()
    {
        const bool ended = PumpUntil([this] { return ::waitpid(m_pid, nullptr, WNOHANG) == m_pid; });
        if (ended) {
            m_pid = -1;
        }
        return ended;
    }

private:
    std::filesystem::path m_log;
    pid_t m_pid = -1;
};

// A window of this copy that keeps what it receives.
class RecordingFrame : public wxFrame
{
public:
    RecordingFrame() : wxFrame(nullptr, wxID_ANY, "recorder")
    {
        Bind(platform::ui::EVT_REGISTERED_MESSAGE, [this](platform::ui::RegisteredMessageEvent& event) {
            received.push_back(platform::ui::RegisteredMessageName(event.GetMessage()) + " " +
                               event.Message().text);
        });
    }
    std::vector<std::string> received;
};

bool Has(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

} // namespace

TEST(Broadcasts, UnloadDatabaseReachesEveryWindowOfEveryCopy)
{
    RegisterBroadcastMessages();
    ASSERT_TRUE(platform::ui::StartWxBroadcasts());
    auto* frame = new RecordingFrame(); // owned by wx
    frame->Show();

    const auto folder = lumarc::test::MakeTempFolder("peers");
    Peer peer(folder / "peer.log");
    ASSERT_TRUE(peer.WaitReady()) << peer.Log();

    // Sent and waited for: by the time it returns, both windows of the other copy have handled it.
    BroadcastUnloadDatabase("/data/coins.ctg");
    std::string log = peer.Log();
    EXPECT_TRUE(Contains(log, "first Unload_DB /data/coins.ctg")) << log;
    EXPECT_TRUE(Contains(log, "second Unload_DB /data/coins.ctg")) << log;
    EXPECT_TRUE(Has(frame->received, "Unload_DB /data/coins.ctg"));

    // The other copy sends back while this one waits for it: handled during the wait, no deadlock.
    Broadcaster::Instance().Send(BroadcastMessageNumber(kUnloadDbMessage), 0, "reply-please");
    EXPECT_TRUE(Has(frame->received, "Unload_Element reply"));

    // Closing the wait window concerns this copy only.
    Broadcaster::Instance().Post(BroadcastMessageNumber(kDestroyWaitMessage), 0, "", frame);
    Broadcaster::Instance().Send(BroadcastMessageNumber(kRefreshMessage), 0, "sync");
    wxTheApp->ProcessPendingEvents();
    log = peer.Log();
    EXPECT_TRUE(Contains(log, "first FC_Refresh sync")) << log;
    EXPECT_EQ(log.find("DestroyWait"), std::string::npos) << log;
    EXPECT_TRUE(Has(frame->received, "DestroyWait "));

    // A copy killed without cleaning up leaves its socket; the next broadcast removes it and goes on.
    Peer killed(folder / "killed.log");
    ASSERT_TRUE(killed.WaitReady()) << killed.Log();
    const auto stale = killed.Socket();
    ASSERT_TRUE(std::filesystem::exists(stale));
    killed.Kill();
    BroadcastUnloadDatabase("/data/other.ctg");
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(Contains(peer.Log(), "second Unload_DB /data/other.ctg"));

    Broadcaster::Instance().Send(BroadcastMessageNumber(kRefreshMessage), 0, "quit");
    EXPECT_TRUE(peer.WaitExit());
    frame->Destroy();
    platform::ui::StopWxBroadcasts();
}
