#include "mainwindow/controls/ControlClasses.h"

#include "mainwindow/common/WindowClasses.h"
#include "mainwindow/controls/MonthCalendar.h"
#include "mainwindow/controls/NumismaticYearCtrl.h"
#include "mainwindow/controls/SearchField.h"
#include "mainwindow/controls/TelephoneTo.h"
#include "mainwindow/controls/TimeField.h"
#include "platform/clock/Clock.h"

#include <wx/choice.h>

// Every factory makes a child of `parent`, which owns it.

void RegisterSearchClasses()
{
    RegisterWindowClass(
        "SearchButton", [](wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize&, long) {
            auto* field = new CSearchField(parent, id, wxString(), pos, {100, 20}, nullptr, false);
            return field->Record().button;
        });
    RegisterWindowClass(
        "SearchDateButton", [](wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize&, long) {
            auto* field = new CSearchField(parent, id, wxString(), pos, {100, 20}, nullptr, true);
            return field->Record().button;
        });
    RegisterWindowClass("Search",
                        [](wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long) {
                            return new CSearchField(parent, id, wxString(), pos, size, nullptr, false);
                        });
    RegisterWindowClass("SearchDate",
                        [](wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long) {
                            return new CSearchField(parent, id, wxString(), pos, size, nullptr, true);
                        });
    // The list belongs to a field; on its own it comes with a field of its own, not yet shown.
    RegisterWindowClass(
        "SearchListBox",
        [](wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long) -> wxWindow* {
            auto* field = new CSearchField(parent, id, wxString(), pos, size, nullptr, false);
            return new CSearchListBox(field, &field->Record()); // shown by OpenOperatorList
        });
}

void RegisterTelephoneClass()
{
    // Made without a record it has no numbers to offer, says so and makes nothing; the record window
    // calls CreateTelephoneTo with its item set.
    RegisterWindowClass(
        "TelephoneTo",
        [](wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize&, long) -> wxWindow* {
            return CreateTelephoneTo(parent, id, pos, nullptr, ProgramDialler());
        });
}

void RegisterNumismaticYearClasses()
{
    RegisterWindowClass("NumYear", [](wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                      long) { return CreateYearPart(parent, id, pos, size); });
    RegisterWindowClass("editNY", [](wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                     long) { return CreateMarkPart(parent, id, pos, size); });
    RegisterWindowClass("DateTypeCombo",
                        [](wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long) {
                            return CreateEraPart(parent, id, pos, size);
                        });
    RegisterWindowClass(
        "NumismaticYear", [](wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize&, long style) {
            return new CNumismaticYearCtrl(parent, id, pos, (style & (wxTE_READONLY | kTimeReadOnly)) != 0);
        });
}

void RegisterMonthClass()
{
    RegisterWindowClass("Month",
                        [](wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long) {
                            return new CMonthCalendar(parent, id, platform::clock::Now(), nullptr, {}, pos,
                                                      size == wxDefaultSize ? wxSize(220, 180) : size);
                        });
}

void RegisterTimeClass()
{
    RegisterWindowClass("Time", [](wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                   long style) { return new CTimeField(parent, id, pos, size, style); });
}
