#pragma once
// A time of day as the time field keeps it (hours, minutes, seconds as numbers) and its text in the
// user's regional time format: formatting, reading typed text back, the morning and afternoon keys and
// the stopwatch's tick.

#include <string>
#include <string_view>

struct TimeOfDay
{
    int hours = 0;
    int minutes = 0;
    int seconds = 0;

    bool operator==(const TimeOfDay&) const = default;
};

// The regional values a time text uses.
struct TimeFormat
{
    bool twelveHour = false;
    bool leadingZero = true;
    std::string separator = ":";
    std::string morning = "AM";
    std::string afternoon = "PM";

    // The loaded regional settings' values.
    static TimeFormat FromRegional();
};

// The field's own maxima; a typed part above them keeps its previous value.
inline constexpr int kMaxHours = 24;
inline constexpr int kMaxMinutes = 60;

// Hours, separator, minutes (with `withSeconds` the separator and seconds), then a blank and the suffix
// when there is one. In the 12-hour clock hours above 12 lose 12 and the afternoon suffix goes from 12 on;
// the 24-hour clock writes the afternoon suffix only as a word for the time (no morning text beside it).
std::string FormatTimeOfDay(const TimeOfDay& time, bool withSeconds, const TimeFormat& format);

// The suffix FormatTimeOfDay writes for the time, with its leading blank; empty without a suffix.
std::string TimeSuffix(const TimeOfDay& time, const TimeFormat& format);

// Reads a typed time: the suffixes are removed and the rest cut at blanks, commas and the separator into
// hours, minutes and seconds. Each part counts by its first two digits; a part that is missing, holds
// no digit or exceeds its maximum keeps its value in `previous`. In the 12-hour clock an afternoon time
// stays in the afternoon.
TimeOfDay ParseTimeText(std::string_view text, const TimeOfDay& previous, const TimeFormat& format);

// 'A'/'a' moves an afternoon time to the morning, 'P'/'p' a morning time to the afternoon (12-hour clock
// only). False for any other key or in the 24-hour clock.
bool ApplyMeridiemKey(TimeOfDay& time, char key, const TimeFormat& format);

// One second of a stopwatch: the seconds count up to 60 and the next tick starts the next minute.
void StopwatchTick(TimeOfDay& time);

// "%02d%02d" of hours and minutes, the stored form of a time.
std::string FourDigitTime(const TimeOfDay& time);
// Hours from the first two characters, minutes from the next two, or from the fourth and fifth when the
// third is not a digit ("0915" and "09:15"); seconds 0. Parts that are no number are 0.
TimeOfDay TimeFromFourDigits(std::string_view text);
