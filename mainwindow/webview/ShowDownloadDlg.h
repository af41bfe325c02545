#pragma once
// The prompt before a catalogue is downloaded from a page (dialog 243). It tells the user what happens
// next; unticking its check box stops it from showing again ("showDownload" becomes "FALSE").

#include <wx/dialog.h>

class wxCheckBox;

class CShowDownloadDlg : public wxDialog
{
public:
    explicit CShowDownloadDlg(wxWindow* parent);

    wxCheckBox* ShowAgainBox() const { return m_showAgain; }

private:
    void OnOk(wxCommandEvent& event);

    wxCheckBox* m_showAgain = nullptr; // owned by the dialog
};

// Makes the web view show this dialog, modally, before each catalogue download.
void InstallShowDownloadDlg();
