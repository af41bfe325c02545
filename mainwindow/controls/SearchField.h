#pragma once
// The search fields of the find pane's data pages: an entry with a small operator button at its right.
// "Search" (text, number, currency and numismatic-year fields) opens a drop list of comparison operators;
// "SearchDate" opens the date-condition dialog and reports the program's one date condition.

#include <memory>
#include <string>

#include <wx/control.h>
#include <wx/panel.h>
#include <wx/popupwin.h>

class wxListBox;
class wxTextCtrl;

// What a field shares with the find pane: its windows, its type letter and its operator. The find pane
// owns it when it hands one in; the windows belong to the page.
struct SearchFieldRecord
{
    wxTextCtrl* edit = nullptr;
    wxListBox* list = nullptr;
    wxWindow* button = nullptr;
    wxWindow* dropList = nullptr;
    char type = 'C';
    bool listOpen = false;
    int operatorCode = 1;
};

class CSearchField : public wxPanel
{
public:
    // `record` is the find pane's (not owned); null gives the field one of its own. The edit gets the id
    // id × 100 and the caption as its text (an unchanged caption means "no value"), the button id × 100 + 1.
    CSearchField(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                 const wxSize& size, SearchFieldRecord* record, bool dateField);
    ~CSearchField() override;

    // The operator text for the criteria: the chosen operator's ("=", "LIKE", ...), or in a date field the
    // program's date condition.
    std::string GetOperatorText() const;
    // Chooses the operator (a date field has none).
    void SetOperatorCode(int code);
    bool IsDateField() const { return m_dateField; }

    SearchFieldRecord& Record() { return *m_record; }
    wxTextCtrl* GetEdit() const { return m_record->edit; }

    void SetFocus() override;
    bool AcceptsFocus() const override { return false; }
    bool SetFont(const wxFont& font) override;

private:
    void OnMove(wxMoveEvent& event);

    std::unique_ptr<SearchFieldRecord> m_ownRecord;
    SearchFieldRecord* m_record;
    bool m_dateField;
};

// The button of a field: draws the operator's glyph (or "." for a date field) and opens the operator
// list or the date-condition dialog.
class CSearchButton : public wxControl
{
public:
    CSearchButton(wxWindow* parent, wxWindowID id, const wxPoint& pos, SearchFieldRecord* record,
                  bool dateField);

    // What a click does: opens the operator list when it is closed, or the date-condition dialog.
    void Press();

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnHelp(wxHelpEvent& event);
    wxSize DoGetBestSize() const override { return {15, 20}; }

    SearchFieldRecord* m_record;
    bool m_dateField;
};

// The operator drop list, a popup below the edit as wide as it and 90 high. A selection sets the field's
// operator; a double click or a click elsewhere closes it.
class CSearchListBox : public wxPopupTransientWindow
{
public:
    CSearchListBox(wxWindow* parent, SearchFieldRecord* record);
    ~CSearchListBox() override;

    // Shows it below the field's edit box.
    void PlaceBelowEdit();
    wxListBox* GetList() const { return m_list; }
    // Selects an entry as a click would.
    void ChooseEntry(int index);
    // Closes the list, as a double click or a click elsewhere does.
    void CloseList() { DismissAndNotify(); }

private:
    void OnDismiss() override;
    void OnSelect(wxCommandEvent& event);

    SearchFieldRecord* m_record;
    wxListBox* m_list;
};

// Opens the operator list of a field; does nothing while it is open.
CSearchListBox* OpenOperatorList(SearchFieldRecord& record);
