#include "mainwindow/controls/TimeField.h"

#include "platform/clock/Clock.h"

#include <algorithm>

CTimeField::CTimeField(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                       long timeStyle, ClockSource clock)
    : wxTextCtrl(parent, id, wxString(), pos, size, (timeStyle & kTimeReadOnly) != 0 ? wxTE_READONLY : 0,
                 wxDefaultValidator, "Time"),
      m_format(TimeFormat::FromRegional()), m_timeStyle(timeStyle), m_clock(std::move(clock)),
      m_timer(this, 1)
{
    if (!m_clock) {
        m_clock = [] { return platform::clock::Now(); };
    }
    Bind(wxEVT_CHAR, &CTimeField::OnChar, this);
    Bind(wxEVT_KEY_UP, &CTimeField::OnKeyUp, this);
    Bind(wxEVT_KEY_DOWN, &CTimeField::OnKeyDown, this);
    Bind(
        wxEVT_TIMER, [this](wxTimerEvent&) { Tick(); }, 1);
    if ((m_timeStyle & kTimeStartNow) != 0) {
        SetToNow();
    } else {
        Reformat();
    }
    if ((m_timeStyle & kTimeTicking) != 0) {
        m_timer.Start(1000);
    }
}

CTimeField::~CTimeField()
{
    m_timer.Stop();
}

void CTimeField::SetHours(int hours)
{
    m_time.hours = hours;
    Reformat();
}

void CTimeField::SetMinutes(int minutes)
{
    m_time.minutes = minutes;
    Reformat();
}

void CTimeField::SetSeconds(int seconds)
{
    m_time.seconds = seconds;
    Reformat();
}

void CTimeField::SetToNow()
{
    const std::time_t now = m_clock();
    std::tm parts{};
    localtime_r(&now, &parts);
    m_time = {parts.tm_hour, parts.tm_min, parts.tm_sec};
    Reformat();
}

void CTimeField::ParseText()
{
    m_time = ParseTimeText(GetValue().utf8_string(), m_time, m_format);
}

void CTimeField::SetStoredText(std::string_view text)
{
    m_time = TimeFromFourDigits(text);
    Reformat();
    m_changed = false;
}

void CTimeField::Tick()
{
    if ((m_timeStyle & kTimeStopwatch) != 0) {
        StopwatchTick(m_time);
        Reformat();
    } else {
        SetToNow();
    }
}

long CTimeField::SuffixStart() const
{
    return static_cast<long>(GetValue().length() - wxString::FromUTF8(TimeSuffix(m_time, m_format)).length());
}

void CTimeField::Reformat()
{
    // The caret keeps its distance from the end, and never goes past the suffix.
    const long distance = GetLastPosition() - GetInsertionPoint();
    ChangeValue(wxString::FromUTF8(FormatTimeOfDay(m_time, (m_timeStyle & kTimeSeconds) != 0, m_format)));
    const long end = SuffixStart();
    SetInsertionPoint(std::clamp(GetLastPosition() - distance, 0L, end));
}

void CTimeField::OnChar(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    // Moving keys, Tab and Delete, and shortcuts such as copy and paste, are no typed characters.
    if (key == WXK_TAB || key == WXK_DELETE || key >= WXK_START || event.ControlDown() || event.AltDown()) {
        event.Skip();
        return;
    }
    if ((key >= '0' && key <= '9') || key == WXK_BACK || key == WXK_RETURN) {
        if (key >= '0' && key <= '9') {
            m_changed = true;
        }
        event.Skip();
        return;
    }
    if (key < 128 && ApplyMeridiemKey(m_time, static_cast<char>(key), m_format)) {
        Reformat();
        m_changed = true;
    }
    // Anything else is dropped.
}

void CTimeField::OnKeyUp(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    if ((key >= '0' && key <= '9') || key == WXK_BACK || key == WXK_RETURN ||
        (key >= WXK_NUMPAD0 && key <= WXK_NUMPAD9)) {
        ParseText();
        Reformat();
    }
    event.Skip();
}

void CTimeField::OnKeyDown(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    event.Skip();
    if (IsEditable() && (key == WXK_RIGHT || key == WXK_DOWN || key == WXK_END)) {
        // Let the key move the caret, then hold it before the suffix.
        CallAfter([this] {
            if (GetInsertionPoint() > SuffixStart()) {
                SetInsertionPoint(SuffixStart());
            }
        });
    }
}
