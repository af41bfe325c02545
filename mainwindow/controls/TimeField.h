#pragma once
// The time entry field ("Time"): a time of day kept as hours, minutes and seconds and shown in the user's
// regional time format. It can run as a clock or a stopwatch on a one-second timer.

#include "mainwindow/controls/TimeOfDay.h"

#include <ctime>
#include <functional>

#include <wx/textctrl.h>
#include <wx/timer.h>

// Style bits of the field, as form definitions store them.
enum TimeFieldStyle : long
{
    kTimeReadOnly = 0x0800,
    kTimeStopwatch = 0x1000, // with kTimeTicking: count up instead of showing the clock
    kTimeStartNow = 0x2000,
    kTimeTicking = 0x4000,
    kTimeSeconds = 0x8000,
};

class CTimeField : public wxTextCtrl
{
public:
    using ClockSource = std::function<std::time_t()>;

    // `timeStyle` holds TimeFieldStyle bits. `clock` gives "now" (the wall clock when empty).
    CTimeField(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long timeStyle,
               ClockSource clock = {});
    ~CTimeField() override;

    const TimeOfDay& GetTime() const { return m_time; }
    void SetHours(int hours);
    void SetMinutes(int minutes);
    void SetSeconds(int seconds);
    // Reads the shown text into the numbers.
    void ParseText();
    // Sets the field to the clock's local time.
    void SetToNow();

    bool IsChanged() const { return m_changed; }
    void SetChanged(bool changed) { m_changed = changed; }
    // "%02d%02d", the stored form; setting from it clears the changed mark.
    std::string GetStoredText() const { return FourDigitTime(m_time); }
    void SetStoredText(std::string_view text);

    // One tick of the timer: the clock's time, or a stopwatch's next second.
    void Tick();
    bool IsTicking() const { return m_timer.IsRunning(); }

private:
    void Reformat();
    void OnChar(wxKeyEvent& event);
    void OnKeyUp(wxKeyEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    long SuffixStart() const;

    TimeOfDay m_time;
    TimeFormat m_format;
    long m_timeStyle;
    ClockSource m_clock;
    wxTimer m_timer;
    bool m_changed = false;
};
