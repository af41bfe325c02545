#include "store/regional/DateTimeValue.h"

#include "store/regional/DateText.h"

#include <cctype>
#include <cstdio>

namespace {

// The decimal number in text[from, from + count), reading the digits there.
int DigitsAt(std::string_view text, size_t from, size_t count)
{
    int value = 0;
    for (size_t i = from; i < from + count && i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            break;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool Outside(int value, int low, int high)
{
    return value < low || value > high;
}

// mktime for a local time whose daylight flag is left to the system. The C library's mktime reads the
// time-zone file again on every call (a file-system look-up each time), which made reading a few thousand
// rows with dates slow; localtime_r reads it once. So the last offset between local time and UTC is kept,
// and a guess made with it is taken when converting it back gives the very same local time; otherwise
// (another offset, a time that summer time skips) mktime decides, as before.
std::time_t LocalTimeToTime(std::tm time)
{
    static thread_local std::time_t lastOffset = 0;
    static thread_local bool haveOffset = false;
    const std::time_t asUtc = timegm(&time);
    if (haveOffset && asUtc != static_cast<std::time_t>(-1)) {
        const std::time_t guess = asUtc - lastOffset;
        std::tm back{};
        if (localtime_r(&guess, &back) != nullptr && back.tm_sec == time.tm_sec &&
            back.tm_min == time.tm_min && back.tm_hour == time.tm_hour && back.tm_mday == time.tm_mday &&
            back.tm_mon == time.tm_mon && back.tm_year == time.tm_year) {
            return guess;
        }
    }
    std::tm normal = time;
    normal.tm_isdst = -1;
    const std::time_t result = std::mktime(&normal);
    if (result != static_cast<std::time_t>(-1) && asUtc != static_cast<std::time_t>(-1)) {
        lastOffset = asUtc - result;
        haveOffset = true;
    }
    return result;
}

} // namespace

void CDateTimeValue::CopyFrom(const std::tm* time)
{
    if (time == nullptr) {
        return;
    }
    m_seconds = time->tm_sec;
    m_minutes = time->tm_min;
    m_hours = time->tm_hour;
    m_day = time->tm_mday;
    m_month = time->tm_mon;
    m_year = time->tm_year;
    m_dayOfWeek = time->tm_wday;
    m_dayOfYear = time->tm_yday;
    m_daylight = time->tm_isdst;
}

void CDateTimeValue::Clear()
{
    *this = CDateTimeValue();
}

void CDateTimeValue::SetFromTime(std::time_t time)
{
    std::tm local{};
    localtime_r(&time, &local);
    CopyFrom(&local);
    Clamp();
}

void CDateTimeValue::SetNow()
{
    SetFromTime(std::time(nullptr));
}

void CDateTimeValue::SetFromText(std::string_view text)
{
    Clear();
    const std::time_t time = ParseDateText(text);
    if (time >= 1000) {
        SetFromTime(time);
    }
}

void CDateTimeValue::SetFromCompactText(std::string_view text)
{
    Clear();
    if (text.size() >= 8) {
        m_year = DigitsAt(text, 0, 4) - 1900;
        m_month = DigitsAt(text, 4, 2) - 1;
        m_day = DigitsAt(text, 6, 2);
        m_hours = DigitsAt(text, 8, 2);
        m_minutes = DigitsAt(text, 11, 2);
    } else if (text.size() == 7) {
        m_year = DigitsAt(text, 0, 3);
        m_month = DigitsAt(text, 3, 2) - 1;
        m_day = DigitsAt(text, 5, 2);
    } else {
        m_year = DigitsAt(text, 0, 2);
        m_month = DigitsAt(text, 2, 2) - 1;
        m_day = DigitsAt(text, 4, 2);
    }
}

std::string CDateTimeValue::FormatShort() const
{
    char text[48];
    std::snprintf(text, sizeof text, "%02d%02d%02d", m_year, m_month + 1, m_day);
    return text;
}

std::string CDateTimeValue::FormatCompact() const
{
    char text[48];
    std::snprintf(text, sizeof text, "%04d%02d%02d", m_year + 1900, m_month + 1, m_day);
    return text;
}

std::string CDateTimeValue::FormatCompactTime() const
{
    const int parts[] = {m_year + 1900, m_month + 1, m_day, m_hours, m_minutes, m_seconds};
    bool inRange = parts[0] >= 0 && parts[0] <= 9999;
    for (size_t i = 1; i < 6; ++i) {
        inRange = inRange && parts[i] >= 0 && parts[i] <= 99;
    }
    if (!inRange) {
        char text[80];
        std::snprintf(text, sizeof text, "%04d%02d%02d%02d:%02d:%02d", parts[0], parts[1], parts[2], parts[3],
                      parts[4], parts[5]);
        return text;
    }
    // Written by hand: every row written carries two of these stamps.
    std::string text = "0000000000:00:00";
    const auto two = [&text](size_t at, int value) {
        text[at] = static_cast<char>('0' + value / 10);
        text[at + 1] = static_cast<char>('0' + value % 10);
    };
    two(0, parts[0] / 100);
    two(2, parts[0] % 100);
    two(4, parts[1]);
    two(6, parts[2]);
    two(8, parts[3]);
    two(11, parts[4]);
    two(14, parts[5]);
    return text;
}

std::string CDateTimeValue::FormatDayStart() const
{
    return FormatCompact() + "00:00:00";
}

std::string CDateTimeValue::FormatDayEnd() const
{
    return FormatCompact() + "99:99:99";
}

std::string CDateTimeValue::FormatText() const
{
    return FormatDate(ToTm()); // one blank for a year or day of 0
}

std::string CDateTimeValue::FormatLongText() const
{
    return FormatLongDate(ToTm()).value_or(std::string());
}

void CDateTimeValue::Clamp()
{
    if (Outside(m_seconds, 0, 60)) {
        m_seconds = 0;
    }
    if (Outside(m_minutes, 0, 60)) {
        m_minutes = 0;
    }
    if (Outside(m_hours, 0, 24)) {
        m_hours = 0;
    }
    if (Outside(m_day, 0, 31)) {
        m_day = 0;
    }
    if (Outside(m_month, 0, 12)) {
        m_month = 0;
    }
    if (Outside(m_year, 0, 150)) {
        m_year = 0;
    }
    if (Outside(m_dayOfWeek, 0, 7)) {
        m_dayOfWeek = 0;
    }
    if (Outside(m_dayOfYear, 0, 366)) {
        m_dayOfYear = 0;
    }
    m_daylight = 0;
}

std::tm CDateTimeValue::ToTm() const
{
    std::tm time{};
    time.tm_sec = m_seconds;
    time.tm_min = m_minutes;
    time.tm_hour = m_hours;
    time.tm_mday = m_day;
    time.tm_mon = m_month;
    time.tm_year = m_year;
    time.tm_wday = m_dayOfWeek;
    time.tm_yday = m_dayOfYear;
    time.tm_isdst = m_daylight;
    return time;
}

std::time_t CDateTimeValue::ToTime()
{
    Clamp();
    std::tm time = ToTm();
    // The stored flag is always 0; the system decides whether summer time applies, so that a value
    // read from a time value converts back to the same time all year round.
    time.tm_isdst = -1;
    return LocalTimeToTime(time);
}

void CDateTimeValue::NextDay()
{
    Clamp();
    std::tm time = ToTm();
    ++time.tm_mday;
    time.tm_isdst = -1;
    SetFromTime(std::mktime(&time));
}

void CDateTimeValue::PrevDay()
{
    Clamp();
    std::tm time = ToTm();
    --time.tm_mday;
    time.tm_isdst = -1;
    SetFromTime(std::mktime(&time));
}

void CDateTimeValue::NextMonth()
{
    if (++m_month > 11) {
        m_month = 0;
        ++m_year;
    }
}

void CDateTimeValue::PrevMonth()
{
    if (--m_month < 0) {
        m_month = 11;
        --m_year;
    }
}
