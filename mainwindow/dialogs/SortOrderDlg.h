#pragma once
// The sort-order builder (dialog 190 "Build the sort criterias."): the user picks fields of a data file
// one after the other, joined with "&And", and gets an ORDER BY clause for the element's item set.

#include <string>
#include <vector>

#include <wx/dialog.h>

class CCatalogueDb;
class CDataFileDef;
class wxListBox;
class wxStaticText;

// A field the list offers: its internal name, shown, and its index in the definition.
struct SortField
{
    std::string shown;
    int index = 0;
};

// The fields of a data file a list can be sorted by, in field order up to the first empty descriptor
// (at most 100): not yes/no fields, and only fields that can be a column header or are dates.
std::vector<SortField> SortableFields(const CDataFileDef& definition);

// What the dialog builds: the text it shows and the clause it returns.
class CSortOrderBuilder
{
public:
    CSortOrderBuilder();
    // Makes a field current: its internal name for the display, its column name for the clause.
    void Choose(const CDataFileDef& definition, int fieldIndex);
    // Adds the current field to both and starts the next one.
    void And();
    // The display text followed by the current field.
    std::string GetShownText() const { return m_display + m_currentShown; }
    // The clause, ended with the current column ("ORDER BY " and nothing more when none was chosen).
    std::string Finish() const { return m_clause + m_currentColumn; }

private:
    std::string m_display;
    std::string m_clause;
    std::string m_currentShown;
    std::string m_currentColumn;
};

class CSortOrderDlg : public wxDialog
{
public:
    // `definition` must outlive the dialog.
    CSortOrderDlg(wxWindow* parent, const CDataFileDef& definition);
    const std::string& GetClause() const { return m_clause; }

private:
    void ShowText();

    const CDataFileDef& m_definition;
    CSortOrderBuilder m_builder;
    wxListBox* m_fields = nullptr;
    wxStaticText* m_display = nullptr;
    std::string m_clause;
};

// Runs the dialog for data file `dataFile` of the catalogue: 1 with the ORDER BY clause in `clause` on
// OK, 0 on Cancel (and when the catalogue has no such data file).
int RunSortOrderDlg(wxWindow* parent, CCatalogueDb& catalogue, int dataFile, std::string& clause);
