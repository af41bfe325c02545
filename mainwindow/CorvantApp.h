#pragma once
// CCorvantApp: the application object of corvant.

#include <wx/app.h>

#include <thread>

class CCorvantApp : public wxApp
{
public:
    ~CCorvantApp() override;
    bool OnInit() override;
    int OnExit() override;

private:
    // Marks the first moment the event loop has nothing left to do in the trace log.
    void OnFirstIdle(wxIdleEvent& event);

    std::thread m_versionReport; // writes the version report while the program starts
};

wxDECLARE_APP(CCorvantApp);
