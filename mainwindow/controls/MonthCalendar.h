#pragma once
// The month calendar ("Month") a date field opens: a month of days drawn by us, chosen with the mouse or
// the keyboard. When it goes, chosen or not, it hands the date it holds back to the field that opened it.

#include "mainwindow/controls/MonthGrid.h"

#include <ctime>
#include <functional>

#include <wx/weakref.h>
#include <wx/window.h>

class CMonthCalendar : public wxWindow
{
public:
    // Receives the calendar's date when it goes.
    using DateHandler = std::function<void(std::time_t)>;

    // Shows the month of `start`. `owner` (may be null) gets the focus back when the calendar goes.
    CMonthCalendar(wxWindow* parent, wxWindowID id, std::time_t start, wxWindow* owner = nullptr,
                   DateHandler onClose = {}, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = {220, 180});
    ~CMonthCalendar() override;

    // Shows the month of a date and selects its day.
    void ShowMonth(std::time_t date);

    std::time_t GetDate() const { return m_date; }
    int GetSelectedDay() const { return m_selected; }
    const MonthGrid& GetGrid() const { return m_grid; }
    // The window text: long month name and year.
    wxString GetTitle() const { return GetLabel(); }

    // The day in the cell under a point of the client area; 0 for none.
    int DayAt(const wxPoint& point) const;
    // The rectangle of a day's cell.
    wxRect CellRect(int day) const;

    // Takes the selected day of the shown month and closes the calendar.
    void ChooseSelected();

private:
    void OnPaint(wxPaintEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftDoubleClick(wxMouseEvent& event);
    void OnSize(wxSizeEvent& event);
    int HeaderHeight() const;
    void HandBack();

    MonthGrid m_grid;
    std::time_t m_date = 0;
    int m_selected = 1;
    wxWeakRef<wxWindow> m_owner;
    DateHandler m_onClose;
    bool m_handedBack = false;
};
