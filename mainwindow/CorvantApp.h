#pragma once
// CCorvantApp: the application object of corvant.

#include <wx/app.h>

class CCorvantApp : public wxApp
{
public:
    bool OnInit() override;
    int OnExit() override;
    // The start mode and what it starts on come as the last argument ("FIND", "FROME^file", a shortcut's
    // element); the frame reads it, so the toolkit's parser takes any words and the splash switch.
    void OnInitCmdLine(wxCmdLineParser& parser) override;

private:
    // Marks the first moment the event loop has nothing left to do in the trace log.
    void OnFirstIdle(wxIdleEvent& event);
};

wxDECLARE_APP(CCorvantApp);
