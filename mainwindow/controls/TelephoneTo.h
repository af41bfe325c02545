#pragma once
// The dialler chooser ("TelephoneTo"): picks one of a record's telephone numbers and starts the dialler
// with it. A record without numbers gets a message, one with a single number is dialled at once; only a
// record with several shows the chooser.

#include "mainwindow/controls/Dialler.h"

#include <vector>

#include <wx/panel.h>

class CItemSet;
class wxChoice;

class CTelephoneTo : public wxPanel
{
public:
    CTelephoneTo(wxWindow* parent, wxWindowID id, const wxPoint& pos, std::vector<TelephoneEntry> entries,
                 IDialler& dialler);

    wxChoice* GetNumbers() const { return m_numbers; }
    // What OK does: dials the selected entry's number and closes.
    void DialSelected();
    // What Cancel does.
    void Cancel();

private:
    wxChoice* m_numbers;
    IDialler& m_dialler;
};

// Offers the numbers of the item set's current record. Null when no chooser is needed: without numbers
// (a message says so) or with one (dialled at once). The dialler must outlive the chooser.
CTelephoneTo* CreateTelephoneTo(wxWindow* parent, wxWindowID id, const wxPoint& pos, CItemSet* items,
                                IDialler& dialler);

// The dialler of the program: "VERIDE.exe" in the product folder.
IDialler& ProgramDialler();
