#pragma once
// A calendar date and time held as the nine parts of a broken-down local time, with the program's
// compact text forms: "YYYYMMDD" (SQL criteria, file stamps), "YYYYMMDDhh:mm:ss" (the CREADATE and
// MODIDATE stamps of rows), "YYMMDD" with years since 1900 (the settings row's dates).

#include <ctime>
#include <string>
#include <string_view>

class CDateTimeValue
{
public:
    CDateTimeValue() = default;

    // From a broken-down time; nothing happens without one.
    void CopyFrom(const std::tm* time);
    void Clear();
    // Local time of a time value, then Clamp.
    void SetFromTime(std::time_t time);
    void SetNow();
    // A date typed in the user's short-date format; a text that gives no date leaves the value cleared.
    void SetFromText(std::string_view text);
    // "YYYYMMDD" optionally followed by "hh:mm" (8 characters or more), "YYYMMDD" and "YYMMDD" with the
    // years counted from 1900 (7 and fewer characters). Seconds are always 0.
    void SetFromCompactText(std::string_view text);

    std::string FormatShort() const;       // "%02d%02d%02d": years since 1900, month, day
    std::string FormatCompact() const;     // "%04d%02d%02d"
    std::string FormatCompactTime() const; // "%04d%02d%02d%02d:%02d:%02d"
    std::string FormatDayStart() const;    // "%04d%02d%02d00:00:00"
    // "%04d%02d%02d99:99:99": above every stamp of the day when stamps compare as text.
    std::string FormatDayEnd() const;
    // The user's short date; one blank for a value whose year or day is 0.
    std::string FormatText() const;
    std::string FormatLongText() const;

    // Parts out of their ranges become 0 (seconds and minutes 0-60, hours 0-24, day 0-31, month 0-12,
    // years since 1900 0-150, weekday 0-7, day of the year 0-366); the daylight-saving flag always.
    void Clamp();
    // Clamp, then the local time as a time value.
    std::time_t ToTime();

    int GetDay() const { return m_day; }
    void SetDay(int day) { m_day = day; }
    int GetMonth() const { return m_month; }          // 0-11
    void SetMonth(int month) { m_month = month - 1; } // 1-12
    int GetYear() const { return m_year; }            // years since 1900
    void SetYear(int year) { m_year = year - 1900; }  // full year
    int GetHours() const { return m_hours; }
    int GetMinutes() const { return m_minutes; }
    int GetSeconds() const { return m_seconds; }

    // One calendar day on or back, at the same time of day.
    void NextDay();
    void PrevDay();
    // One month on or back; the day stays as it is.
    void NextMonth();
    void PrevMonth();

private:
    std::tm ToTm() const;

    int m_seconds = 0;
    int m_minutes = 0;
    int m_hours = 0;
    int m_day = 0;
    int m_month = 0;
    int m_year = 0;
    int m_dayOfWeek = 0;
    int m_dayOfYear = 0;
    int m_daylight = 0;
};
