#pragma once
// The date pages (creation and modification stamps) and the sort page of the find pane.

#include "mainwindow/find/FindCriteria.h"

#include <wx/panel.h>

#include <string>
#include <vector>

class CCatalogueDb;
class wxDatePickerCtrl;
class wxListBox;
class wxRadioButton;
class wxSpinCtrl;
class wxStaticText;

class FindDatePage : public wxPanel
{
public:
    // `column` is "CREADATE" or "MODIDATE"; `created` chooses the texts of the creation page.
    FindDatePage(wxWindow* parent, std::string column, bool created);

    // Any date, today, today two months back, counts of 1, every field disabled.
    void Reset();
    void Choose(DatePageChoice choice);
    DatePageChoice GetChoice() const { return m_choice; }
    void AppendCriteria(std::string& criteria) const;

    wxDatePickerCtrl* GetOnDate() const { return m_on; }
    wxDatePickerCtrl* GetFromDate() const { return m_from; }
    wxDatePickerCtrl* GetToDate() const { return m_to; }
    wxSpinCtrl* GetMonths() const { return m_months; }
    wxSpinCtrl* GetDays() const { return m_days; }

private:
    std::string m_column;
    DatePageChoice m_choice = DatePageChoice::kAnyDate;
    std::vector<wxRadioButton*> m_radios;
    wxDatePickerCtrl* m_on = nullptr;
    wxDatePickerCtrl* m_from = nullptr;
    wxDatePickerCtrl* m_to = nullptr;
    wxSpinCtrl* m_months = nullptr;
    wxSpinCtrl* m_days = nullptr;
};

class FindSortPage : public wxPanel
{
public:
    explicit FindSortPage(wxWindow* parent);

    // Fills the field list from the data file and clears the program's sort choice.
    void Reset(CCatalogueDb* catalogue, int dataFile);
    // Chooses the field at the list's entry, as a click does.
    void ChooseEntry(int index);
    // "&And".
    void AddField();
    void AppendCriteria(std::string& criteria) const;
    wxListBox* GetFieldList() const { return m_fields; }
    wxStaticText* GetText() const { return m_text; }

private:
    wxListBox* m_fields = nullptr;
    wxStaticText* m_text = nullptr;
    std::vector<int> m_fieldIndexes;
    CCatalogueDb* m_catalogue = nullptr;
    int m_dataFile = 0;
};
