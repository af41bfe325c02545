#include "platform/ui/Broadcaster.h"

#include "platform/folders/UserFolders.h"
#include "platform/text/CaseFold.h"
#include "platform/ui/BroadcastFrame.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

namespace platform::ui {
namespace {

// Registered messages are numbered from here, as the system numbers them.
constexpr unsigned kFirstRegisteredMessage = 0xC000;
constexpr auto kFrameReadTimeout = std::chrono::seconds(2);
constexpr int kWaitSliceMs = 20;
constexpr char kReply = 'A';

struct Registration
{
    std::string name;
    BroadcastReach reach = BroadcastReach::kThisCopy;
};

std::mutex g_registryMutex;
std::vector<Registration> g_registry;

// The number of a name already registered; 0 when none. Caller holds the registry lock.
unsigned FindRegistered(std::string_view name)
{
    for (size_t i = 0; i < g_registry.size(); ++i) {
        if (text::EqualsNoCase(g_registry[i].name, name)) {
            return kFirstRegisteredMessage + static_cast<unsigned>(i);
        }
    }
    return 0;
}

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

bool WaitFor(int fd, short events, Clock::time_point deadline)
{
    pollfd entry{fd, events, 0};
    for (;;) {
        const int ready = ::poll(&entry, 1, MillisecondsLeft(deadline));
        if (ready > 0) {
            return true;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}

bool WriteAll(int fd, std::string_view bytes, Clock::time_point deadline)
{
    while (!bytes.empty()) {
        const ssize_t written = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (written > 0) {
            bytes.remove_prefix(static_cast<size_t>(written));
            continue;
        }
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && WaitFor(fd, POLLOUT, deadline)) {
            continue;
        }
        return false;
    }
    return true;
}

bool ReadExactly(int fd, std::string& out, size_t size, Clock::time_point deadline)
{
    const size_t start = out.size();
    out.resize(start + size);
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::recv(fd, out.data() + start + done, size - done, 0);
        if (got > 0) {
            done += static_cast<size_t>(got);
            continue;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && WaitFor(fd, POLLIN, deadline)) {
            continue;
        }
        return false;
    }
    return true;
}

// A socket address for `path`; false when the path does not fit.
bool MakeAddress(const std::filesystem::path& path, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    const std::string text = path.string();
    if (text.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    return true;
}

} // namespace

unsigned RegisterWindowMessage(std::string_view name)
{
    std::lock_guard lock(g_registryMutex);
    if (const unsigned number = FindRegistered(name)) {
        return number;
    }
    g_registry.push_back({std::string(name), BroadcastReach::kThisCopy});
    return kFirstRegisteredMessage + static_cast<unsigned>(g_registry.size() - 1);
}

unsigned RegisterBroadcastMessage(std::string_view name, BroadcastReach reach)
{
    const unsigned number = RegisterWindowMessage(name);
    std::lock_guard lock(g_registryMutex);
    g_registry[number - kFirstRegisteredMessage].reach = reach;
    return number;
}

std::string RegisteredMessageName(unsigned message)
{
    std::lock_guard lock(g_registryMutex);
    const size_t index = message - kFirstRegisteredMessage;
    return (message >= kFirstRegisteredMessage && index < g_registry.size()) ? g_registry[index].name
                                                                             : std::string();
}

BroadcastReach ReachOf(unsigned message)
{
    std::lock_guard lock(g_registryMutex);
    const size_t index = message - kFirstRegisteredMessage;
    return (message >= kFirstRegisteredMessage && index < g_registry.size()) ? g_registry[index].reach
                                                                             : BroadcastReach::kThisCopy;
}

struct Broadcaster::State
{
    struct Incoming
    {
        BroadcastFrame frame;
        int replyFd = -1; // the sender waiting for its reply; -1 for a posted message
    };

    std::filesystem::path folder;
    std::filesystem::path socketPath;
    // Read by the listening thread too.
    std::atomic<BroadcastDelivery*> delivery{nullptr};
    int listenFd = -1;
    int wakeRead = -1;
    int wakeWrite = -1;
    std::thread listener;
    std::chrono::milliseconds replyTimeout{10000};

    mutable std::mutex queueMutex;
    std::deque<Incoming> queue;

    void Listen(std::weak_ptr<State> self);
    void Receive(int fd, const std::weak_ptr<State>& self);
    void ProcessQueue();
};

void Broadcaster::State::Listen(std::weak_ptr<State> self)
{
    for (;;) {
        pollfd entries[2] = {{listenFd, POLLIN, 0}, {wakeRead, POLLIN, 0}};
        if (::poll(entries, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (entries[1].revents != 0) {
            return;
        }
        if ((entries[0].revents & POLLIN) == 0) {
            continue;
        }
        const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd >= 0) {
            Receive(fd, self);
        }
    }
}

void Broadcaster::State::Receive(int fd, const std::weak_ptr<State>& self)
{
    const auto deadline = Clock::now() + kFrameReadTimeout;
    std::string bytes;
    std::optional<size_t> body;
    std::optional<BroadcastFrame> frame;
    if (ReadExactly(fd, bytes, kFrameHeaderSize, deadline) && (body = FrameBodySize(bytes)) &&
        ReadExactly(fd, bytes, *body, deadline)) {
        frame = DecodeBroadcastFrame(bytes);
    }
    if (!frame) {
        ::close(fd);
        return;
    }
    const bool waits = frame->kind == FrameKind::kSend;
    if (!waits) {
        ::close(fd);
    }
    {
        std::lock_guard lock(queueMutex);
        queue.push_back({std::move(*frame), waits ? fd : -1});
    }
    if (BroadcastDelivery* target = delivery.load()) {
        target->CallOnMainThread([self] {
            if (auto state = self.lock()) {
                state->ProcessQueue();
            }
        });
    }
}

void Broadcaster::State::ProcessQueue()
{
    for (;;) {
        Incoming item;
        {
            std::lock_guard lock(queueMutex);
            if (queue.empty()) {
                return;
            }
            item = std::move(queue.front());
            queue.pop_front();
        }
        unsigned number = 0;
        {
            std::lock_guard lock(g_registryMutex);
            number = FindRegistered(item.frame.name);
            if (number != 0 &&
                g_registry[number - kFirstRegisteredMessage].reach != BroadcastReach::kAllCopies) {
                number = 0; // only messages meant for every copy are taken from another copy
            }
        }
        BroadcastDelivery* target = delivery.load();
        if (number != 0 && target != nullptr) {
            BroadcastMessage message;
            message.message = number;
            message.wParam = item.frame.wParam;
            message.text = std::move(item.frame.text);
            message.fromOtherCopy = true;
            target->Deliver(message, true);
        }
        if (item.replyFd >= 0) {
            ::send(item.replyFd, &kReply, 1, MSG_NOSIGNAL);
            ::close(item.replyFd);
        }
    }
}

Broadcaster::Broadcaster(std::filesystem::path folder) : m_state(std::make_shared<State>())
{
    m_state->folder = std::move(folder);
}

Broadcaster::~Broadcaster()
{
    Stop();
}

namespace {

// Whether a path is a folder itself (not a symbolic link to one) that belongs to this user and whose mode
// has none of the `forbidden` bits.
bool IsOwnFolder(const std::filesystem::path& folder, mode_t forbidden)
{
    struct stat info
    {
    };
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
           (info.st_mode & forbidden) == 0;
}

// Makes the socket folder, open to this user only. The folder and the one holding it must be this user's
// own and not writable by others (so nobody can swap the folder), since the fallback under the system's
// temporary folder may have been made by someone else before this copy ran.
bool MakePrivateFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::filesystem::path parent = folder.parent_path();
    struct stat info
    {
    };
    if (!IsOwnFolder(parent, 0) || ::stat(parent.c_str(), &info) != 0) {
        return false;
    }
    // The runtime folder is this program's own: a umask that lets the group write is taken back.
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0 &&
        ::chmod(parent.c_str(), info.st_mode & 07777 & ~(S_IWGRP | S_IWOTH)) != 0) {
        return false;
    }
    if (!IsOwnFolder(parent, S_IWGRP | S_IWOTH) || !IsOwnFolder(folder, 0)) {
        return false;
    }
    return ::chmod(folder.c_str(), S_IRWXU) == 0 && IsOwnFolder(folder, S_IRWXG | S_IRWXO);
}

} // namespace

Broadcaster& Broadcaster::Instance()
{
    static Broadcaster instance(folders::RuntimeFolder() / "copies");
    return instance;
}

bool Broadcaster::Start(BroadcastDelivery* delivery)
{
    State& s = *m_state;
    s.delivery = delivery;
    if (s.listener.joinable()) {
        return true;
    }
    if (!MakePrivateFolder(s.folder)) {
        return false;
    }

    static std::atomic<int> counter{0};
    const auto path = s.folder / (std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".sock");
    sockaddr_un address{};
    if (!MakeAddress(path, address)) {
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    ::unlink(path.c_str());
    int wake[2] = {-1, -1};
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 64) != 0 || ::pipe2(wake, O_CLOEXEC) != 0) {
        ::close(fd);
        ::unlink(path.c_str());
        return false;
    }
    ::chmod(path.c_str(), S_IRUSR | S_IWUSR);
    s.listenFd = fd;
    s.wakeRead = wake[0];
    s.wakeWrite = wake[1];
    s.socketPath = path;
    s.listener = std::thread(&State::Listen, m_state.get(), std::weak_ptr<State>(m_state));
    return true;
}

void Broadcaster::Stop()
{
    State& s = *m_state;
    if (s.listener.joinable()) {
        const char wake = 'x';
        [[maybe_unused]] const ssize_t written = ::write(s.wakeWrite, &wake, 1);
        s.listener.join();
        ::close(s.listenFd);
        ::close(s.wakeRead);
        ::close(s.wakeWrite);
        s.listenFd = s.wakeRead = s.wakeWrite = -1;
        ::unlink(s.socketPath.c_str());
        s.socketPath.clear();
    }
    std::lock_guard lock(s.queueMutex);
    for (auto& item : s.queue) {
        if (item.replyFd >= 0) {
            ::close(item.replyFd); // the sender reads the end of the stream and stops waiting
        }
    }
    s.queue.clear();
    s.delivery = nullptr;
}

bool Broadcaster::IsListening() const
{
    return m_state->listener.joinable();
}

const std::filesystem::path& Broadcaster::Folder() const
{
    return m_state->folder;
}

std::filesystem::path Broadcaster::SocketPath() const
{
    return m_state->socketPath;
}

void Broadcaster::SetReplyTimeout(std::chrono::milliseconds timeout)
{
    m_state->replyTimeout = timeout;
}

void Broadcaster::Send(unsigned message, long long wParam, std::string_view text, void* pointer)
{
    Broadcast(message, wParam, text, pointer, true);
}

void Broadcaster::Post(unsigned message, long long wParam, std::string_view text, void* pointer)
{
    Broadcast(message, wParam, text, pointer, false);
}

void Broadcaster::ProcessIncoming()
{
    m_state->ProcessQueue();
}

void Broadcaster::Broadcast(unsigned message, long long wParam, std::string_view text, void* pointer,
                            bool wait)
{
    if (BroadcastDelivery* target = m_state->delivery.load()) {
        BroadcastMessage local;
        local.message = message;
        local.wParam = wParam;
        local.text = std::string(text);
        local.pointer = pointer;
        target->Deliver(local, wait);
    }
    if (ReachOf(message) != BroadcastReach::kAllCopies) {
        return;
    }
    BroadcastFrame frame;
    frame.kind = wait ? FrameKind::kSend : FrameKind::kPost;
    frame.name = RegisteredMessageName(message);
    frame.wParam = wParam;
    frame.text = std::string(text);
    if (const auto bytes = EncodeBroadcastFrame(frame)) {
        SendToOtherCopies(*bytes, wait);
    }
}

void Broadcaster::SendToOtherCopies(const std::string& frame, bool wait)
{
    State& s = *m_state;
    const auto deadline = Clock::now() + s.replyTimeout;
    std::vector<int> waiting;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(s.folder, error)) {
        const auto& path = entry.path();
        if (path.extension() != ".sock" || path == s.socketPath) {
            continue;
        }
        struct stat before
        {
        };
        sockaddr_un address{};
        if (::lstat(path.c_str(), &before) != 0 || !S_ISSOCK(before.st_mode) || !MakeAddress(path, address)) {
            continue;
        }
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0) {
            continue;
        }
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            // Nobody listens: the copy died without removing its socket. Remove it, unless a new copy
            // has put its own socket there in the meantime.
            struct stat now
            {
            };
            if (errno == ECONNREFUSED && ::lstat(path.c_str(), &now) == 0 && now.st_ino == before.st_ino &&
                now.st_dev == before.st_dev) {
                ::unlink(path.c_str());
            }
            ::close(fd);
            continue;
        }
        if (!WriteAll(fd, frame, deadline) || !wait) {
            ::close(fd);
            continue;
        }
        waiting.push_back(fd);
    }
    while (!waiting.empty() && MillisecondsLeft(deadline) > 0) {
        std::vector<pollfd> entries;
        for (int fd : waiting) {
            entries.push_back({fd, POLLIN, 0});
        }
        ::poll(entries.data(), entries.size(), std::min(kWaitSliceMs, MillisecondsLeft(deadline)));
        std::vector<int> still;
        for (const auto& entry : entries) {
            if (entry.revents == 0) {
                still.push_back(entry.fd);
                continue;
            }
            char reply = 0;
            const ssize_t got = ::recv(entry.fd, &reply, 1, 0);
            if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
                still.push_back(entry.fd);
                continue;
            }
            ::close(entry.fd); // replied, or ended without a reply
        }
        waiting.swap(still);
        // Another copy may be sending to this one while it waits for this one's reply.
        s.ProcessQueue();
    }
    for (int fd : waiting) {
        ::close(fd);
    }
}

} // namespace platform::ui
