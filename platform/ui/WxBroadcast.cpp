#include "platform/ui/WxBroadcast.h"

#include <wx/app.h>
#include <wx/toplevel.h>

#include <algorithm>
#include <vector>

namespace platform::ui {

wxDEFINE_EVENT(EVT_REGISTERED_MESSAGE, RegisteredMessageEvent);

RegisteredMessageEvent::RegisteredMessageEvent(wxEventType type, const BroadcastMessage& message)
    : wxEvent(wxID_ANY, type), m_message(message)
{
}

namespace {

class TopLevelDelivery final : public BroadcastDelivery
{
public:
    void Deliver(const BroadcastMessage& message, bool wait) override
    {
        // A handler may close windows (or open new ones): go over the windows there were at the start,
        // skipping any that went away meanwhile.
        std::vector<wxWindow*> windows(wxTopLevelWindows.begin(), wxTopLevelWindows.end());
        for (wxWindow* window : windows) {
            const bool stillThere = std::find(wxTopLevelWindows.begin(), wxTopLevelWindows.end(), window) !=
                                    wxTopLevelWindows.end();
            if (!stillThere || window->IsBeingDeleted()) {
                continue;
            }
            RegisteredMessageEvent event(EVT_REGISTERED_MESSAGE, message);
            event.SetEventObject(window);
            if (wait) {
                window->GetEventHandler()->SafelyProcessEvent(event);
            } else {
                window->GetEventHandler()->QueueEvent(event.Clone());
            }
        }
    }

    void CallOnMainThread(std::function<void()> task) override
    {
        if (wxTheApp != nullptr) {
            wxTheApp->CallAfter(std::move(task));
        }
    }
};

TopLevelDelivery g_delivery;

} // namespace

bool StartWxBroadcasts()
{
    return Broadcaster::Instance().Start(&g_delivery);
}

void StopWxBroadcasts()
{
    Broadcaster::Instance().Stop();
}

BroadcastDelivery& WxBroadcastDelivery()
{
    return g_delivery;
}

} // namespace platform::ui
