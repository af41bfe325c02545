#pragma once
// CMainFrame: the main window of corvant.

#include <wx/frame.h>

class CMainFrame : public wxFrame
{
public:
    CMainFrame();
};
