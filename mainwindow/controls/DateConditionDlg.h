#pragma once
// The date-condition dialog of a date search field (dialog 32178 in resources/DateConditionDialog.xrc):
// any date, one date, a span between two dates, or the last or next so many months or days. OK writes the
// condition as the program's one date condition; Cancel and closing empty it.

#include "mainwindow/controls/DateCondition.h"

#include <string_view>

#include <wx/dialog.h>

class CDateConditionDlg : public wxDialog
{
public:
    explicit CDateConditionDlg(wxWindow* parent);

    // Chooses a condition as its radio button would: only that choice's fields are enabled.
    void Choose(DateChoice choice);
    DateChoice GetChoice() const { return m_choice; }
    // What OK does: checks and re-formats the dates, sets the shared condition and ends the dialog. False
    // (a message shown, the dialog left open) when a date of the choice is wrong.
    bool Accept();
    // What Cancel and closing do.
    void Reject();

private:
    void ResetToToday();
    bool TakeDate(int id, std::string& date);

    DateChoice m_choice = DateChoice::kAnyDate;
};

// The help topic of a control of the dialog; empty for a control without one.
std::string_view DateConditionHelpKey(int id);

// Shows the dialog modally over `parent`.
void RunDateConditionDialog(wxWindow* parent);
