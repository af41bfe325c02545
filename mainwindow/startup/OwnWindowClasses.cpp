#include "mainwindow/startup/OwnWindowClasses.h"

#include "mainwindow/common/WindowClasses.h"
#include "mainwindow/controls/ControlClasses.h"
#include "store/regional/RegionalSettings.h"

#include <wx/stattext.h>

namespace {

wxWindow* MakeStatic(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    return new wxStaticText(parent, id, wxString(), pos, size, style); // owned by the parent
}

} // namespace

void RegisterOwnWindowClasses()
{
    static bool registered = false;
    if (registered) {
        return;
    }
    registered = true;

    // The order is fixed: search fields, page and print template choosers, the dialler chooser, the
    // form classes of the first group, the numismatic-year classes, then the calendar, date, number and
    // time classes. Each control registers itself here once it exists.
    RegisterSearchClasses();
    RegisterTelephoneClass();
    RegisterWindowClass("fatherName", MakeStatic);
    RegisterWindowClass("grandfatherName", MakeStatic);
    RegisterNumismaticYearClasses();
    RegisterMonthClass();
    RegisterTimeClass();

    // The date, number and currency controls format by the user's conventions.
    LoadRegionalSettings();

    // Then the layout designer's, the form designer's and the form controls' classes.
}
