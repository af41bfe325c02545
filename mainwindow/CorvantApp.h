#pragma once
// CCorvantApp: the application object of corvant.

#include <wx/app.h>

class CCorvantApp : public wxApp
{
public:
    bool OnInit() override;
    int OnExit() override;

private:
    // Marks the first moment the event loop has nothing left to do in the trace log.
    void OnFirstIdle(wxIdleEvent& event);
};

wxDECLARE_APP(CCorvantApp);
