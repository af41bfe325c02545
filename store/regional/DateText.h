#pragma once
// Dates as the user types and reads them, in the regional conventions (RegionalSettings.h): checking and
// normalising typed dates, turning them into time values and back, the long date, and small operations
// on time values. Times are local.

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

enum class PartResult
{
    kWrong,
    kAccepted,
    kAmbiguous,
};

// A month or day read from typed text, with its normalised text ("03", or "3" when the short date
// writes it without a leading zero).
struct DatePart
{
    PartResult result = PartResult::kWrong;
    int number = 0;
    std::string text;
};

// A month: a number from 1 to 12, or the beginning of a month's name in the user's language ("mar",
// "MÄR"); a beginning that fits several names is ambiguous.
DatePart ParseMonth(std::string_view text);
// A day of the month: a number from 1 to 31.
DatePart ParseDay(std::string_view text);
// A typed year in four digits: "7" gives "2007", "05" "2005", "998" "1998"; four digits stay. nullopt
// for a text that is empty, holds anything but digits, or is longer than four digits.
std::optional<std::string> CompleteYear(std::string_view text);

// "a", "b" and "c" joined by the date separator; empty unless all three begin with a digit.
std::string JoinDate(std::string_view a, std::string_view b, std::string_view c);
std::string JoinTwo(std::string_view a, std::string_view b);

// Checks the three parts and joins them in the date order. With `report`, a failure is shown in a
// message box ("Wrong Month", ...). nullopt on failure.
std::optional<std::string> FormatDateParts(std::string_view day, std::string_view month,
                                           std::string_view year, bool report);
// The short date of a broken-down time; one blank for a value whose year or day is 0 (no date).
std::string FormatDate(const std::tm& parts);
// The long date ("Monday, March 05, 2001") of a broken-down time; nullopt when its weekday, month or day
// is out of range.
std::optional<std::string> FormatLongDate(const std::tm& parts);
// The short date of a time value.
std::string FormatTimeValue(std::time_t value);

// Checks a typed date and rewrites it in the short date form. Up to three runs of letters and digits are
// taken as the parts in the date order; parts not given are today's. An empty text, or one beginning with
// a blank, is left as it is. A wrong date is reported in a message box and gives false.
bool ValidateDateText(std::string& text);

// A short-date text as a time value at local midnight: 1 for an empty text, 0 for no date (wrong parts, or
// a year before 1971). A missing year or month is today's; the year counts as typed, less 1900 above 1900
// (so "2001" and "101" are 2001, "99" is 1999).
std::time_t ParseDateText(std::string_view text);
// ParseDateText into a broken-down local time; false when the text holds no date.
bool ParseDateToTm(std::string_view text, std::tm& out);

struct DateNumbers
{
    int year = 0;
    int month = 0;
    int day = 0;
};
// The year, month and day of a typed date, 0 where a part is wrong; all 0 for an empty text. Two-digit
// years: 21 to 99 are 1921 to 1999, 0 to 20 are 2000 to 2020.
DateNumbers SplitDateText(std::string_view text);

int GetDayOfWeek(std::time_t value); // 0 Sunday
int GetDayOfMonth(std::time_t value);
int GetMonthOf(std::time_t value); // 1 to 12
int GetYearOf(std::time_t value);  // full year
std::time_t GetFirstOfMonth(std::time_t value);
std::time_t NextDayOf(std::time_t value);
// The number of the last day of the value's month.
int GetLastDayOfMonth(std::time_t value);

// Today's year less 1900, month (1 to 12) and day, as decimal text.
std::string FormatCurrentYearSince1900();
std::string FormatCurrentMonth();
std::string FormatCurrentDay();
