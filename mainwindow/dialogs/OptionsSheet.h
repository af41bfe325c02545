#pragma once
// The Options sheet: seven pages, each reading its settings when the sheet opens and writing them when
// the user presses OK, in page order. A page that refuses OK keeps the sheet open on itself; the pages
// before it have written theirs. Cancel writes nothing. A page the user never opened writes nothing
// either, so a page that would refuse (no default catalogue chosen) stops nobody who did not look at it.

#include <vector>

#include <wx/panel.h>
#include <wx/propdlg.h>

class CTreeNode;

// One page: its panel of the XRC layouts, filled from the settings.
class COptionsPage : public wxPanel
{
public:
    // Writes the page's settings; false (after telling the user why) when the page refuses.
    virtual bool Apply() = 0;
    bool WasShown() const { return m_shown; }
    void MarkShown() { m_shown = true; }

private:
    bool m_shown = false;
};

class COptionsSheet : public wxPropertySheetDialog
{
public:
    // `root` is the frame's root element, whose catalogue children the catalogue pages list.
    COptionsSheet(wxWindow* owner, CTreeNode* root);

    // Page indexes, in the sheet's order.
    enum Page
    {
        kLookPage,
        kBackupPage,
        kToDoPage,
        kSupportLogPage,
        kShoppingCartPage,
        kCurrencyPage,
        kDefaultCataloguePage,
    };
    COptionsPage* GetOptionsPage(int page) const { return m_pages.at(static_cast<size_t>(page)); }

private:
    void AddOptionsPage(COptionsPage* page, unsigned title);
    void OnOk();
    void OnHelp();

    std::vector<COptionsPage*> m_pages; // owned by the notebook
};

// Runs the sheet modally over `owner`.
void ShowOptionsSheet(wxWindow* owner, CTreeNode* root);
