#pragma once
// Registered messages sent to every top-level window: of this copy of the program, and, for the messages
// that concern files several copies share, of every other running copy of it.
//
// Each running copy listens on a Unix-domain socket of its own in a folder of the user's runtime folder.
// A broadcast reaches this copy's windows directly, then goes to every socket in that folder. Sending
// waits until every copy has handled the message (or a reply timeout passes, so a hung copy cannot hang
// the others); posting does not wait. While a send waits, messages other copies send to this one are
// handled, so two copies sending to each other at once do not wait for each other forever. A socket
// left behind by a copy that died refuses connections and is removed by the next sender.
//
// Messages arrive from other copies on a listening thread and are handled on the user-interface thread:
// the delivery installed by the windowing layer hands them to the windows and schedules that work.

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform::ui {

enum class BroadcastReach
{
    kThisCopy,  // only this copy's windows
    kAllCopies, // every running copy's windows
};

// The number of a registered message: the same name always gives the same number in this copy.
unsigned RegisterWindowMessage(std::string_view name);
// Registers a message and says how far it reaches (a message never declared stays in this copy, and is
// ignored when another copy sends it).
unsigned RegisterBroadcastMessage(std::string_view name, BroadcastReach reach);
// The name of a registered number; empty when it is none.
std::string RegisteredMessageName(unsigned message);
BroadcastReach ReachOf(unsigned message);

struct BroadcastMessage
{
    unsigned message = 0;
    long long wParam = 0;
    // The text argument (what a global atom would hold): crosses to other copies.
    std::string text;
    // A pointer argument (a window, an object): for this copy only; null in a message from another copy.
    void* pointer = nullptr;
    bool fromOtherCopy = false;
};

// How messages reach the windows of this copy; the windowing layer implements it.
class BroadcastDelivery
{
public:
    virtual ~BroadcastDelivery() = default;
    // Hands the message to every top-level window, handled before this returns when `wait`, else queued.
    virtual void Deliver(const BroadcastMessage& message, bool wait) = 0;
    // Runs `task` soon on the user-interface thread. Called from the listening thread.
    virtual void CallOnMainThread(std::function<void()> task) = 0;
};

class Broadcaster
{
public:
    // `folder`: where the running copies keep their sockets.
    explicit Broadcaster(std::filesystem::path folder);
    ~Broadcaster();
    Broadcaster(const Broadcaster&) = delete;
    Broadcaster& operator=(const Broadcaster&) = delete;

    // The broadcaster of this program: sockets in the runtime folder's "copies" folder.
    static Broadcaster& Instance();

    // Installs the delivery (not owned) and starts listening to other copies. False when the socket
    // cannot be made; broadcasts then still reach this copy's windows and the other copies.
    bool Start(BroadcastDelivery* delivery);
    // Stops listening and removes this copy's socket.
    void Stop();
    bool IsListening() const;
    const std::filesystem::path& Folder() const;
    // This copy's socket (empty while not listening).
    std::filesystem::path SocketPath() const;
    // How long a send waits for each other copy's reply (10 seconds unless changed).
    void SetReplyTimeout(std::chrono::milliseconds timeout);

    // Call on the user-interface thread.
    void Send(unsigned message, long long wParam = 0, std::string_view text = {}, void* pointer = nullptr);
    void Post(unsigned message, long long wParam = 0, std::string_view text = {}, void* pointer = nullptr);

    // Hands the messages received from other copies to the windows. The delivery schedules it; call on
    // the user-interface thread.
    void ProcessIncoming();

private:
    struct State;
    void Broadcast(unsigned message, long long wParam, std::string_view text, void* pointer, bool wait);
    void SendToOtherCopies(const std::string& frame, bool wait);
    std::shared_ptr<State> m_state;
};

} // namespace platform::ui
