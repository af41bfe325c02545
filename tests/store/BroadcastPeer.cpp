// A second running copy for the broadcast tests: two top-level windows that write every registered
// message they receive to a log file ("<window> <name> <text>"), so the test can see what reached them.
// Started as: broadcast_peer <log file> [--clipboard]. With --clipboard it also puts move items on the
// clipboard. It answers "reply-please" by sending "Unload_Element" back while the sender waits, and ends
// on "FC_Refresh" with the text "quit".

#include "platform/ui/WxBroadcast.h"
#include "store/program/Broadcasts.h"

#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/frame.h>

#include <fstream>
#include <unistd.h>

namespace {

std::string g_log;

void Log(const std::string& line)
{
    std::ofstream(g_log, std::ios::app) << line << "\n" << std::flush;
}

class PeerFrame : public wxFrame
{
public:
    explicit PeerFrame(const wxString& name) : wxFrame(nullptr, wxID_ANY, name)
    {
        Bind(platform::ui::EVT_REGISTERED_MESSAGE, [this](platform::ui::RegisteredMessageEvent& event) {
            const auto& message = event.Message();
            const std::string name = platform::ui::RegisteredMessageName(message.message);
            Log(GetTitle().utf8_string() + " " + name + " " + message.text);
            if (GetTitle() == "first" && name == kUnloadDbMessage && message.text == "reply-please") {
                platform::ui::Broadcaster::Instance().Send(BroadcastMessageNumber(kUnloadElementMessage), 0,
                                                           "reply");
            }
            if (GetTitle() == "first" && name == kRefreshMessage && message.text == "quit") {
                wxTheApp->CallAfter([] { wxTheApp->ExitMainLoop(); });
            }
        });
    }
};

class PeerApp : public wxApp
{
public:
    bool OnInit() override
    {
        if (argc < 2) {
            return false;
        }
        g_log = argv[1].utf8_string();
        (new PeerFrame("first"))->Show(); // owned by wx
        (new PeerFrame("second"))->Show();
        RegisterBroadcastMessages();
        if (!platform::ui::StartWxBroadcasts()) {
            return false;
        }
        if (argc > 2 && argv[2] == "--clipboard" && wxTheClipboard->Open()) {
            auto* items = new wxCustomDataObject(wxDataFormat("VUR_Move_Items")); // owned by the clipboard
            items->SetData(4, "abc");
            wxTheClipboard->SetData(items);
            wxTheClipboard->Close();
            Log("clipboard");
        }
        Log("ready " + std::to_string(::getpid()));
        return true;
    }

    int OnExit() override
    {
        platform::ui::StopWxBroadcasts();
        return wxApp::OnExit();
    }
};

} // namespace

wxIMPLEMENT_APP(PeerApp);
