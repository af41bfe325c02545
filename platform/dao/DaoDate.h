#pragma once
// Date values as the engine keeps them: a double counting days since 30 December 1899, the time of day
// as its fraction (so 1.5 is 31 December 1899, noon). Date columns store this number, which keeps
// comparisons and date arithmetic in queries working as they did.
//
// Texts become dates through one parser that the program may replace with its regional rules (the
// engine's DateValue() and text written into date columns use it); the layer's own parser reads
// "YYYY-MM-DD[ hh:mm[:ss]]", "YYYYMMDD" and "M/D/YYYY[ hh:mm[:ss]]".

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform::dao {

struct DateParts
{
    int year = 1899;
    int month = 12; // 1-12
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Day number of a calendar date and time; nullopt outside the years 100 to 9999 or for a month, day
// or time that does not exist.
std::optional<double> DateSerialFromParts(const DateParts& parts);
// Calendar parts of a day number (rounded to the second); nullopt outside the years 100 to 9999.
std::optional<DateParts> DatePartsFromSerial(double serial);

// "YYYY-MM-DD", with " hh:mm:ss" when the time is not midnight.
std::string FormatDateSerial(double serial);

// The date of a text by the current parser; nullopt when the text is no date.
std::optional<DateParts> ParseDateText(std::string_view text);
// The layer's own parser (see above), also used when no other is set.
std::optional<DateParts> ParseDateTextDefault(std::string_view text);

using DateTextParser = std::function<std::optional<DateParts>(std::string_view)>;
// Replaces the parser for the whole process; an empty function restores the layer's own.
void SetDateTextParser(DateTextParser parser);

// Today at midnight and now, local time, as day numbers.
double TodaySerial();
double NowSerial();

} // namespace platform::dao
