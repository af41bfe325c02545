#pragma once
// The quick search (dialog 121 "Find the following:"): a text and the data file to look in, "All" or
// one of the catalogue's data files, chosen with radio buttons made for the catalogue.

#include <string>
#include <vector>

#include <wx/dialog.h>

class CCatalogueDb;
class wxRadioButton;
class wxTextCtrl;

// The data file a quick search looks in when "All" is checked.
inline constexpr int kQuickSearchAll = 100;

// One radio button of the dialog: its text and the answer it gives (a data-file number, or
// kQuickSearchAll).
struct QuickSearchChoice
{
    std::string text;
    int dataFile = kQuickSearchAll;
};

// "All", then the data files 0 to 19 whose menu name is set and not "X", then the bookmarks (24) and,
// where the catalogue shows the to-do list, the to-do file (25) likewise.
std::vector<QuickSearchChoice> QuickSearchChoices(CCatalogueDb& catalogue);

class CQuickSearchDlg : public wxDialog
{
public:
    // Longest search text kept.
    static constexpr size_t kMaxText = 29;

    CQuickSearchDlg(wxWindow* parent, CCatalogueDb& catalogue);
    // What OK took: the text and the checked button's data file (kQuickSearchAll for "All").
    const std::string& GetSearchText() const { return m_text; }
    int GetDataFile() const { return m_dataFile; }

private:
    void OnOk();

    wxTextCtrl* m_edit = nullptr;
    std::vector<wxRadioButton*> m_buttons;
    std::vector<int> m_answers;
    std::string m_text;
    int m_dataFile = kQuickSearchAll;
};

// Runs the dialog for the catalogue; on OK true with the text and the data file to search (kQuickSearchAll
// for every one). Data file 0 is a choice of its own, so the answer does not share Cancel's value.
bool RunQuickSearchDlg(wxWindow* parent, CCatalogueDb& catalogue, std::string& text, int& dataFile);
