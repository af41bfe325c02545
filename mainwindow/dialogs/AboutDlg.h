#pragma once
// The About box (dialog 100): the program's name and version, the system it runs on, and the versions
// of the libraries this copy runs on, read from the libraries as the version report reads them.

#include <wx/dialog.h>

// Centres `window` over `over` (the screen when null), kept inside the work area of the display it
// lands on (the whole display when the work area cannot be read).
void CentreOverWindow(wxWindow& window, const wxWindow* over);

class CAboutDlg : public wxDialog
{
public:
    explicit CAboutDlg(wxWindow* owner);
};

void ShowAboutBox(wxWindow* owner);
