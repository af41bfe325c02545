#pragma once
// The tip of the day (dialog 31233): an HTML tip of the string table (12000 to 12044) at a time, shown
// from the HTML folder's "tips.html". The setting "StartTip" holds the next tip; "Tips" whether tips
// show at start-up.

#include <wx/dialog.h>

class wxCheckBox;
class wxHtmlWindow;

inline constexpr unsigned kFirstTip = 12000;

class CTipDlg : public wxDialog
{
public:
    explicit CTipDlg(wxWindow* parent);

    // Shows the tip that "StartTip" names (from 12001 again when it names none) and stores the next.
    void ShowNextTip();
    // The tip shown now.
    unsigned ShownTip() const { return m_shownTip; }
    wxHtmlWindow* TipView() const { return m_tip; }

private:
    void OnOk(wxCommandEvent& event);

    wxHtmlWindow* m_tip = nullptr;  // owned by the dialog
    wxCheckBox* m_noTips = nullptr; // owned by the dialog
    unsigned m_shownTip = 0;
};
