// Two running copies exchanging registered messages: this test process and broadcast_peer.

#include "store/program/Broadcasts.h"
#include "platform/folders/UserFolders.h"
#include "platform/ui/WxBroadcast.h"
#include "tests/support/PeerProcess.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>

#include <algorithm>

namespace {

using lumarc::test::PeerProcess;
using platform::ui::Broadcaster;

bool Contains(const std::string& text, const std::string& line)
{
    return text.find(line + "\n") != std::string::npos;
}

// The socket of a copy's first window.
std::filesystem::path SocketOf(const PeerProcess& peer)
{
    return platform::folders::RuntimeFolder() / "copies" / (std::to_string(peer.GetPid()) + "-1.sock");
}

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
    PeerProcess peer(BROADCAST_PEER, folder / "peer.log");
    ASSERT_TRUE(peer.WaitForLog("ready ")) << peer.Log();

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
    PeerProcess killed(BROADCAST_PEER, folder / "killed.log");
    ASSERT_TRUE(killed.WaitForLog("ready ")) << killed.Log();
    const auto stale = SocketOf(killed);
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
