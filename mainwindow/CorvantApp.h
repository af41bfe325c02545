#pragma once
// CCorvantApp: the application object of corvant.

#include <wx/app.h>

class CCorvantApp : public wxApp
{
public:
    bool OnInit() override;
    int OnExit() override;
};

wxDECLARE_APP(CCorvantApp);
