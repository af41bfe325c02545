#pragma once
// A data page of the find pane: the search fields of one page of a data file's record form, placed where
// the form places its controls, each turning its value into a piece of the search's criteria. A form
// taller or wider than the pane scrolls.

#include "mainwindow/find/FindCriteria.h"

#include <wx/scrolwin.h>

#include <memory>
#include <string>
#include <vector>

class CCatalogueDb;
struct SearchFieldRecord;

class FindDataPage : public wxScrolledWindow
{
public:
    // Builds the fields of form page `formPage` (0 or 1) of the data file; a data file without a form
    // gives an empty page.
    FindDataPage(wxWindow* parent, CCatalogueDb* catalogue, int dataFile, int formPage);
    ~FindDataPage() override;

    // Appends the page's criteria (the first kMaxCriteriaEntries entries).
    void AppendCriteria(std::string& criteria) const;
    // The referral data file of the first link list with a selection; 0 when none has one.
    int GetLinkFileNumber() const;

    // One entry: the field's window and what the criteria need of it.
    struct Entry
    {
        wxWindow* window = nullptr; // owned by the page
        int fieldIndex = 0;
        std::string caption;
        std::string formClass; // the record form's class of the field ("edit", "Currency", ...)
        std::string column;
        char type = 0;
        CriteriaField::Kind kind = CriteriaField::Kind::kSearch;
        std::unique_ptr<SearchFieldRecord> record;
        std::vector<double> codes; // the element codes of a list's or chooser's items
        int referralFile = 0;
    };
    const std::vector<Entry>& GetEntries() const { return m_entries; }
    // The entry of a field index; null when none.
    const Entry* FindEntry(int fieldIndex) const;

    // The context-help key of a control of the page (by the form's class of its field); empty for one
    // without a topic.
    std::string HelpKeyOf(const wxWindow* control) const;

    // Whether form page 1 of the data file has a search field (the Details tab is needed).
    static bool NeedsDetails(CCatalogueDb* catalogue, int dataFile);

private:
    // Scrolls the field taking the focus into view.
    void OnChildFocus(wxChildFocusEvent& event);
    CriteriaField ToCriteria(const Entry& entry) const;

    std::vector<Entry> m_entries;
};
