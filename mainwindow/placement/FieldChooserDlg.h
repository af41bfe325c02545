#pragma once
// The field chooser ("Select the fields that must be present in the Index-Card.", 32129): the fields a
// record's title (its name, and the label's first line) is made of, ticked in a list of the data file's
// fields. Done refuses a title that mixes currency fields with others.

#include <vector>

#include <wx/dialog.h>

class CDataFileDef;
class wxCheckListBox;

// The fields the chooser lists, last field first: those that are not binary and may be a column header
// or are dates (up to the first empty descriptor, at most 100).
std::vector<int> FieldChooserFields(const CDataFileDef& definition);

class CFieldChooserDlg : public wxDialog
{
public:
    // `definition` must outlive the dialog; it changes only when the dialog ends with Done.
    CFieldChooserDlg(wxWindow* parent, CDataFileDef& definition);
    // Ticks or unticks row `row`, as a double click on it does.
    void ToggleRow(int row);
    // Row by row: whether the field is part of the title.
    bool IsRowInTitle(int row) const { return m_inTitle.at(static_cast<size_t>(row)) != 0; }

private:
    void OnDone();
    void Show(int row);

    CDataFileDef& m_definition;
    std::vector<int> m_fields;
    std::vector<char> m_inTitle;
    wxCheckListBox* m_list = nullptr;
};

// Runs the chooser: 1 after Done (the definition holds the new title fields), 0 after Cancel.
int RunFieldChooserDlg(wxWindow* parent, CDataFileDef& definition);
