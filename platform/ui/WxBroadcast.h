#pragma once
// Registered messages as wx events: every top-level window of the program receives
// EVT_REGISTERED_MESSAGE for each broadcast (see Broadcaster.h) and looks at its number.
//
//     Bind(platform::ui::EVT_REGISTERED_MESSAGE, [this](platform::ui::RegisteredMessageEvent& event) {
//         if (event.GetMessage() == unloadDb) ...
//     });

#include "platform/ui/Broadcaster.h"

#include <wx/event.h>

namespace platform::ui {

class RegisteredMessageEvent : public wxEvent
{
public:
    RegisteredMessageEvent(wxEventType type, const BroadcastMessage& message);

    unsigned GetMessage() const { return m_message.message; }
    const BroadcastMessage& Message() const { return m_message; }
    wxEvent* Clone() const override { return new RegisteredMessageEvent(*this); }

private:
    BroadcastMessage m_message;
};

wxDECLARE_EVENT(EVT_REGISTERED_MESSAGE, RegisteredMessageEvent);

// Lets the program's broadcaster deliver to the top-level windows and listen to other running copies.
// Call once the wx application runs; StopWxBroadcasts before it ends.
bool StartWxBroadcasts();
void StopWxBroadcasts();

// The delivery to this process's top-level windows, for a broadcaster of one's own (tests).
BroadcastDelivery& WxBroadcastDelivery();

} // namespace platform::ui
