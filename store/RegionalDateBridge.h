#pragma once
// The few regional date conversions that recordsets and date-time values need, behind one small
// interface: short and long date texts, and reading a typed date. They follow the regional defaults
// (day, month, year; "-" between; "Tuesday, March 05, 2002" for the long form) until the regional
// settings are read from the user's configuration, which will answer these calls instead.

#include <ctime>
#include <string>
#include <string_view>

// The short date text of a day (month 1-12), as the user types and reads dates.
std::string FormatRegionalDate(int year, int month, int day);
// The long date text of a broken-down time (weekday, month name, day, year).
std::string FormatRegionalLongDate(const std::tm& time);
// A typed short date as a time value at local midnight: 1 for an empty text, 0 when it is no date or
// lies before 1971. Missing year or month parts are this year's and this month's.
std::time_t ParseRegionalDateText(std::string_view text);
// A typed short date split into its full year, month (1-12) and day; all three 0 for an empty text
// or one that is no date. Two-digit years 21 to 99 are 1921 to 1999, 0 to 20 are 2000 to 2020.
void SplitRegionalDateText(std::string_view text, int& year, int& month, int& day);

// Makes the database engine read date texts (DateValue(), text written into date columns) by the same
// regional rules. Safe to call more than once.
void InstallRegionalDateParser();
