// The reference of the start-up benchmark: what the toolkit alone costs to show a frame and reach its
// first idle moment, reported through the same trace log checkpoints as the program.

#include "store/program/TraceLog.h"

#include <wx/app.h>
#include <wx/frame.h>

namespace {

class EmptyFrameApp : public wxApp
{
public:
    bool OnInit() override
    {
        StartTraceLog();
        auto* frame = new wxFrame(nullptr, wxID_ANY, "Empty frame", wxDefaultPosition, wxSize(800, 600));
        frame->Show();
        DebugLogString("frame shown");
        Bind(wxEVT_IDLE, &EmptyFrameApp::OnFirstIdle, this);
        return true;
    }

private:
    void OnFirstIdle(wxIdleEvent& event)
    {
        event.Skip();
        Unbind(wxEVT_IDLE, &EmptyFrameApp::OnFirstIdle, this);
        DebugLogString("idle");
    }
};

} // namespace

wxIMPLEMENT_APP(EmptyFrameApp);
