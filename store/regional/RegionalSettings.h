#pragma once
// The user's regional conventions for dates, amounts and numbers, read once at start-up into one
// process-wide record, with the month and day names of the user's language from the string table.
// The values come from the user's locale (platform/intl) in the forms of a regional-settings panel
// ("sShortDate" = "dd.MM.yyyy", ...); this file reads those forms as the program always has.

#include "platform/intl/RegionalValues.h"

#include <array>
#include <string>
#include <string_view>

// Order of the parts of a short date.
enum DateOrder : int
{
    kMonthDayYear = 0,
    kDayMonthYear = 1,
    kYearMonthDay = 2,
};

struct RegionalSettings
{
    // String-table ids of names and date messages are this base plus a fixed offset (English 1024).
    int languageBase = 1024;
    char dateSeparator = '-';
    int dateOrder = kDayMonthYear;
    // The short date writes days (months) without a leading zero.
    bool shortDayWithoutZero = true;
    bool shortMonthWithoutZero = true;

    // Long date. Month style: 1 number, 2 two digits, 3 short name, 4 long name. Year style: 2 two
    // digits, 4 four digits. Weekday style: 0 none, 3 short name, 4 long name. Day style: 1 number, 2 two
    // digits. Part order: 1 day, month, year; 2 month, day, year; 3 year, month, day. Separators: after
    // the weekday, after the first part, after the second part.
    int longMonthStyle = 4;
    int longYearStyle = 4;
    int longWeekdayStyle = 4;
    int longDayStyle = 2;
    int longPartOrder = 2;
    std::array<std::string, 3> longSeparators{", ", " ", ", "};

    int iTime = 0; // 1: 24-hour clock
    int iTLZero = 0;
    int iCurrency = 0; // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    int iCurrDigits = 2;
    int iNegCurr = 0;
    int iLZero = 1;
    int iDigits = 2;
    int iMeasure = 1;
    std::string timeSeparator = ":";
    std::string amText = "AM";
    std::string pmText = "PM";
    // The local currency: the one chosen in the options, else the locale's.
    std::string currencySymbol = "$";
    char thousandSeparator = ',';
    char decimalSeparator = '.';

    std::array<std::string, 12> shortMonthNames;
    std::array<std::string, 12> longMonthNames;
    std::array<std::string, 7> shortDayNames; // Sunday first
    std::array<std::string, 7> letterDayNames;
    std::array<std::string, 7> longDayNames;
};

// The current values; loaded from the user's locale on first use when nothing loaded them before.
const RegionalSettings& Regional();

// Reads the user's conventions from their locale (the environment's LC_TIME, LC_NUMERIC, LC_MONETARY).
void LoadRegionalSettings();
// Reads the conventions of the named locale; false (and nothing changed) when it is not installed.
bool LoadRegionalSettingsForLocale(const std::string& localeName);
// Reads the conventions from given values; a key that is missing takes its default.
void LoadRegionalSettings(const platform::intl::RegionalValues& values);

// A value of the loaded source, or `defaultText` when the source has none.
std::string GetIntlString(std::string_view key, std::string_view defaultText);

// The string-table base of a three-letter language code ("deu" 3072); 1024 for any other.
int LanguageBaseOf(std::string_view language);

// Names by index from 0 (January, Sunday); empty out of range.
std::string GetShortMonthName(int month);
std::string GetLongMonthName(int month);
std::string GetShortDayName(int weekday);
std::string GetLongDayName(int weekday);

char GetDecimalSeparator();
char GetThousandSeparator();
int GetCurrencyPosition();
int GetNegativeCurrencyFormat();
int GetLeadingZeroSetting();
int GetDateOrder();
char GetDateSeparator();

// Offsets of the date messages from the language base.
enum DateMessage : int
{
    kAmbiguousDayMessage = 8193,
    kDateErrorTitle = 8194,
    kAmbiguousMonthMessage = 8195,
    kWrongDayMessage = 8196,
    kWrongMonthMessage = 8197,
    kWrongYearMessage = 8198,
};
