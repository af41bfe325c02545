#include "platform/ui/Broadcaster.h"
#include "platform/ui/BroadcastFrame.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace platform::ui;

// Plays a copy's user-interface thread: records what its windows receive and runs scheduled work on a
// thread of its own.
class ThreadDelivery final : public BroadcastDelivery
{
public:
    ThreadDelivery() : m_worker([this] { Run(); }) {}
    ~ThreadDelivery() override
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_worker.join();
    }

    void Deliver(const BroadcastMessage& message, bool /*wait*/) override
    {
        std::lock_guard lock(m_mutex);
        m_received.push_back(message);
        m_wake.notify_all();
    }

    void CallOnMainThread(std::function<void()> task) override
    {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
        m_wake.notify_all();
    }

    std::vector<BroadcastMessage> Received()
    {
        std::lock_guard lock(m_mutex);
        return m_received;
    }

    bool WaitForCount(size_t count)
    {
        std::unique_lock lock(m_mutex);
        return m_wake.wait_for(lock, std::chrono::seconds(10), [&] { return m_received.size() >= count; });
    }

private:
    void Run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_stop || !m_tasks.empty(); });
            if (m_stop) {
                return;
            }
            auto task = std::move(m_tasks.front());
            m_tasks.pop_front();
            lock.unlock();
            task();
            lock.lock();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_tasks;
    std::vector<BroadcastMessage> m_received;
    bool m_stop = false;
    std::thread m_worker;
};

int ConnectTo(const std::filesystem::path& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// A socket file with nobody listening, as a copy that was killed leaves it.
void MakeDeadSocket(const std::filesystem::path& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

} // namespace

TEST(BroadcastFrame, RoundTripsAndRefusesMalformedBytes)
{
    const BroadcastFrame frame{FrameKind::kPost, "Unload_DB", -42, "/home/ann/coins.ctg"};
    const auto bytes = EncodeBroadcastFrame(frame);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(FrameBodySize(bytes->substr(0, kFrameHeaderSize)), frame.name.size() + frame.text.size());
    const auto decoded = DecodeBroadcastFrame(*bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->kind, FrameKind::kPost);
    EXPECT_EQ(decoded->name, "Unload_DB");
    EXPECT_EQ(decoded->wParam, -42);
    EXPECT_EQ(decoded->text, frame.text);

    const auto with = [&](size_t at, char value) {
        std::string changed = *bytes;
        changed[at] = value;
        return changed;
    };
    const std::string malformed[] = {
        "",
        bytes->substr(0, 10),
        bytes->substr(0, bytes->size() - 1),
        *bytes + "x",
        with(0, 'X'),    // magic
        with(4, 3),      // kind
        with(5, 0),      // empty name
        with(5, 65),     // name too long
        with(9, '\x7f'), // text length far beyond the limit
    };
    for (const auto& bad : malformed) {
        EXPECT_FALSE(DecodeBroadcastFrame(bad)) << bad.size();
    }
    EXPECT_FALSE(EncodeBroadcastFrame({FrameKind::kSend, std::string(65, 'n'), 0, {}}));
    EXPECT_FALSE(EncodeBroadcastFrame({FrameKind::kSend, "n", 0, std::string(kMaxFrameTextSize + 1, 't')}));
}

TEST(Broadcaster, RegisteredMessagesKeepTheirNumbers)
{
    const unsigned a = RegisterWindowMessage("T_Numbered");
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage("t_numbered"), a);
    EXPECT_NE(RegisterWindowMessage("T_Other"), a);
    EXPECT_EQ(RegisteredMessageName(a), "T_Numbered");
    EXPECT_EQ(RegisteredMessageName(12), "");
    EXPECT_EQ(ReachOf(RegisterWindowMessage("T_Plain")), BroadcastReach::kThisCopy);
    EXPECT_EQ(RegisterBroadcastMessage("T_Numbered", BroadcastReach::kAllCopies), a);
    EXPECT_EQ(ReachOf(a), BroadcastReach::kAllCopies);
}

TEST(Broadcaster, SendsReachOtherCopiesBeforeReturning)
{
    const auto folder = lumarc::test::MakeTempFolder("copies");
    const unsigned shared = RegisterBroadcastMessage("T_Shared", BroadcastReach::kAllCopies);
    const unsigned local = RegisterBroadcastMessage("T_Local", BroadcastReach::kThisCopy);
    ThreadDelivery deliveryA;
    ThreadDelivery deliveryB;
    Broadcaster a(folder);
    Broadcaster b(folder);
    ASSERT_TRUE(a.Start(&deliveryA));
    ASSERT_TRUE(b.Start(&deliveryB));

    int object = 0;
    a.Send(shared, 7, "/data/coins.ctg", &object);
    auto atB = deliveryB.Received();
    ASSERT_EQ(atB.size(), 1u);
    EXPECT_EQ(atB[0].message, shared);
    EXPECT_EQ(atB[0].wParam, 7);
    EXPECT_EQ(atB[0].text, "/data/coins.ctg");
    EXPECT_EQ(atB[0].pointer, nullptr);
    EXPECT_TRUE(atB[0].fromOtherCopy);
    auto atA = deliveryA.Received();
    ASSERT_EQ(atA.size(), 1u);
    EXPECT_EQ(atA[0].pointer, &object);
    EXPECT_FALSE(atA[0].fromOtherCopy);

    a.Send(local, 0, "stays here");
    a.Post(shared, 0, "posted");
    ASSERT_TRUE(deliveryB.WaitForCount(2));
    atB = deliveryB.Received();
    ASSERT_EQ(atB.size(), 2u);
    EXPECT_EQ(atB[1].text, "posted");
    EXPECT_EQ(deliveryA.Received().size(), 3u);

    b.Stop();
    EXPECT_FALSE(std::filesystem::exists(b.SocketPath()));
    a.Stop();
}

// Sockets go only into a folder of this user that nobody else can change or swap: the fallback under the
// system's temporary folder may have been made by someone else first.
TEST(Broadcaster, RefusesASocketFolderOthersCouldChange)
{
    namespace fs = std::filesystem;
    const auto base = lumarc::test::MakeTempFolder("unsafe");
    fs::create_directories(base / "elsewhere");
    fs::create_directory_symlink(base / "elsewhere", base / "linked");
    fs::create_directories(base / "open");
    fs::permissions(base / "open", fs::perms::all);
    std::vector<fs::path> unsafe = {base / "linked", base / "linked" / "copies"};
    if (::geteuid() == 0) {
        fs::create_directories(base / "foreign");
        ASSERT_EQ(::chown((base / "foreign").c_str(), 65534, 65534), 0);
        unsafe.push_back(base / "foreign" / "copies");
    }
    for (const auto& folder : unsafe) {
        ThreadDelivery delivery;
        Broadcaster b(folder);
        EXPECT_FALSE(b.Start(&delivery)) << folder;
        EXPECT_FALSE(b.IsListening()) << folder;
    }

    // A folder of this user's that others could write to is closed to them first.
    ThreadDelivery delivery;
    Broadcaster mine(base / "open" / "copies");
    ASSERT_TRUE(mine.Start(&delivery));
    EXPECT_EQ(fs::status(base / "open" / "copies").permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(base / "open").permissions() & (fs::perms::group_write | fs::perms::others_write),
              fs::perms::none);
    mine.Stop();
}

TEST(Broadcaster, DeadAndHungCopiesDoNotHoldASendBack)
{
    const auto folder = lumarc::test::MakeTempFolder("copies");
    const unsigned shared = RegisterBroadcastMessage("T_Shared", BroadcastReach::kAllCopies);
    ThreadDelivery deliveryA;
    ThreadDelivery deliveryB;
    Broadcaster a(folder);
    Broadcaster b(folder);
    ASSERT_TRUE(a.Start(&deliveryA));
    ASSERT_TRUE(b.Start(&deliveryB));

    const auto dead = folder / "999999-1.sock";
    MakeDeadSocket(dead);
    // A copy that stopped answering: its socket accepts connections, but nobody reads them.
    const auto hungPath = folder / "999998-1.sock";
    const int hung = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", hungPath.c_str());
    ASSERT_EQ(::bind(hung, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(hung, 4), 0);

    a.SetReplyTimeout(std::chrono::milliseconds(300));
    a.Send(shared, 0, "/data/coins.ctg");
    EXPECT_FALSE(std::filesystem::exists(dead));
    EXPECT_TRUE(std::filesystem::exists(hungPath));
    ASSERT_EQ(deliveryB.Received().size(), 1u);
    ::close(hung);
    a.Stop();
    b.Stop();
}

TEST(Broadcaster, TakesFromOtherCopiesOnlyWhatReachesEveryCopy)
{
    const auto folder = lumarc::test::MakeTempFolder("copies");
    RegisterBroadcastMessage("T_Shared", BroadcastReach::kAllCopies);
    RegisterBroadcastMessage("T_Local", BroadcastReach::kThisCopy);
    ThreadDelivery delivery;
    Broadcaster b(folder);
    ASSERT_TRUE(b.Start(&delivery));

    const auto sendRaw = [&](const std::string& bytes) {
        const int fd = ConnectTo(b.SocketPath());
        EXPECT_GE(fd, 0);
        EXPECT_EQ(::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL), static_cast<ssize_t>(bytes.size()));
        char reply = 0;
        const ssize_t got = ::recv(fd, &reply, 1, 0);
        ::close(fd);
        return got == 1 ? reply : '\0';
    };
    // Replied to, but not handed to the windows: another copy cannot close this one's wait window.
    EXPECT_EQ(sendRaw(*EncodeBroadcastFrame({FrameKind::kSend, "T_Local", 0, "x"})), 'A');
    EXPECT_EQ(sendRaw(*EncodeBroadcastFrame({FrameKind::kSend, "T_Unknown", 0, "x"})), 'A');
    EXPECT_EQ(sendRaw("LMB1 garbage that is no frame"), '\0');
    EXPECT_TRUE(delivery.Received().empty());
    EXPECT_EQ(sendRaw(*EncodeBroadcastFrame({FrameKind::kSend, "t_shared", 3, "x"})), 'A');
    ASSERT_EQ(delivery.Received().size(), 1u);
    EXPECT_EQ(delivery.Received()[0].wParam, 3);
    b.Stop();
}
