#include "store/regional/RegionalSettings.h"
#include "store/regional/CurrencyTable.h"
#include "store/regional/DateText.h"
#include "store/program/Settings.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <iostream>

namespace {

using platform::intl::RegionalValues;

std::tm Date(int year, int month, int day)
{
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_isdst = -1;
    std::mktime(&parts); // fills the weekday
    return parts;
}

std::time_t TimeOf(int year, int month, int day)
{
    std::tm parts = Date(year, month, day);
    return std::mktime(&parts);
}

bool LoadLocale(const std::string& name)
{
    SetSettingString("selectedCurrency", "zz");
    return LoadRegionalSettingsForLocale(name);
}

} // namespace

TEST(RegionalSettings, ShortDatePictureGivesOrderAndLeadingZeros)
{
    struct Case
    {
        const char* picture;
        int order;
        bool dayWithoutZero;
        bool monthWithoutZero;
    };
    const Case cases[] = {
        {"M/d/yyyy", kMonthDayYear, true, true},
        {"dd.MM.yyyy", kDayMonthYear, false, false},
        {"yyyy-MM-dd", kYearMonthDay, false, false},
        {"d/M/yy", kDayMonthYear, true, true},
    };
    for (const auto& c : cases) {
        LoadRegionalSettings(RegionalValues{{"sShortDate", c.picture}});
        EXPECT_EQ(GetDateOrder(), c.order) << c.picture;
        EXPECT_EQ(Regional().shortDayWithoutZero, c.dayWithoutZero) << c.picture;
        EXPECT_EQ(Regional().shortMonthWithoutZero, c.monthWithoutZero) << c.picture;
    }
    LoadRegionalSettings(RegionalValues{});
    EXPECT_EQ(GetDateSeparator(), '-');
    EXPECT_EQ(GetDateOrder(), kDayMonthYear);
    EXPECT_EQ(GetDecimalSeparator(), '.');
    EXPECT_EQ(GetThousandSeparator(), ',');
}

// Each locale is checked both ways: day-month against month-day order, '.' against ',' as the decimal
// separator, a symbol before against one after the amount.
TEST(RegionalSettings, FollowTheUsersLocale)
{
    struct Case
    {
        const char* locale;
        int order;
        char dateSeparator;
        char decimal;
        char thousand;
        const char* currency;
        int currencyPosition;
        int negativeLayout;
        int languageBase;
        int clock24;
        const char* longDate; // Monday 5 March 2001
    };
    const Case cases[] = {
        {"C", kMonthDayYear, '/', '.', ',', "$", 0, 0, 1024, 1, "Monday, March 05, 2001"},
        {"en_US.UTF-8", kMonthDayYear, '/', '.', ',', "$", 0, 1, 1024, 0, "Monday, March 05, 2001"},
        {"de_DE.UTF-8", kDayMonthYear, '.', ',', '.', "€", 3, 8, 3072, 1, "Montag, 5. März 2001"},
    };
    for (const auto& c : cases) {
        if (!LoadLocale(c.locale)) {
            std::cerr << "locale " << c.locale
                      << " is not installed (scripts/install-deps adds it): not checked\n";
            continue;
        }
        EXPECT_EQ(GetDateOrder(), c.order) << c.locale;
        EXPECT_EQ(GetDateSeparator(), c.dateSeparator) << c.locale;
        EXPECT_EQ(GetDecimalSeparator(), c.decimal) << c.locale;
        EXPECT_EQ(GetThousandSeparator(), c.thousand) << c.locale;
        EXPECT_EQ(GetCurrencySymbol(0), c.currency) << c.locale;
        EXPECT_EQ(GetCurrencyPosition(), c.currencyPosition) << c.locale;
        EXPECT_EQ(GetNegativeCurrencyFormat(), c.negativeLayout) << c.locale;
        EXPECT_EQ(Regional().languageBase, c.languageBase) << c.locale;
        EXPECT_EQ(Regional().iTime, c.clock24) << c.locale;
        EXPECT_EQ(FormatLongDate(Date(2001, 3, 5)), c.longDate) << c.locale;
    }
    LoadRegionalSettings(RegionalValues{});
}

TEST(RegionalSettings, EveryLanguageHasItsNames)
{
    for (const char* language :
         {"dan", "fin", "fra", "frc", "enu", "ita", "isl", "nor", "nld", "ptg", "esp", "sve", "deu", "rus"}) {
        LoadRegionalSettings(RegionalValues{{"sLanguage", language}});
        const auto& r = Regional();
        for (int i = 0; i < 12; ++i) {
            EXPECT_FALSE(r.shortMonthNames[i].empty() || r.longMonthNames[i].empty())
                << language << " month " << i;
        }
        for (int i = 0; i < 7; ++i) {
            EXPECT_FALSE(r.shortDayNames[i].empty() || r.letterDayNames[i].empty() ||
                         r.longDayNames[i].empty())
                << language << " day " << i;
        }
    }
    LoadRegionalSettings(RegionalValues{{"sLanguage", "rus"}});
    EXPECT_EQ(GetLongMonthName(0), "January");
    EXPECT_EQ(GetShortMonthName(11), "Dic");
    EXPECT_EQ(GetShortDayName(0), "Sun.");
    EXPECT_EQ(GetLongDayName(6), "Saturday");
    EXPECT_EQ(GetLongDayName(7), "");
}

TEST(RegionalSettings, LongDatePictures)
{
    struct Case
    {
        const char* picture;
        const char* expected;
    };
    const Case cases[] = {
        {"dddd', 'MMMM' 'dd', 'yyyy", "Monday, March 05, 2001"},
        {"ddd', 'd' 'MMM' 'yy", "Mon., 5 Mar 01"},
        {"d'. 'MM'. 'yyyy", "5. 03. 2001"},
        {"dddd', 'yyyy' 'MMMM' 'd", "Monday, 2001 March 5"},
    };
    for (const auto& c : cases) {
        LoadRegionalSettings(RegionalValues{{"sLongDate", c.picture}});
        EXPECT_EQ(FormatLongDate(Date(2001, 3, 5)), c.expected) << c.picture;
    }
    std::tm wrong = Date(2001, 3, 5);
    wrong.tm_mon = 12;
    EXPECT_EQ(FormatLongDate(wrong), std::nullopt);
    LoadRegionalSettings(RegionalValues{});
}

TEST(DateText, ParseMonthAndDay)
{
    LoadRegionalSettings(RegionalValues{{"sShortDate", "dd.MM.yyyy"}});
    struct Case
    {
        const char* text;
        PartResult result;
        int number;
    };
    const Case months[] = {
        {"3", PartResult::kAccepted, 3},    {"03", PartResult::kAccepted, 3},
        {"13", PartResult::kWrong, 0},      {"0", PartResult::kWrong, 0},
        {"3x", PartResult::kWrong, 0},      {"", PartResult::kWrong, 0},
        {"mar", PartResult::kAccepted, 3},  {"DECEMBER", PartResult::kAccepted, 12},
        {"Dic", PartResult::kAccepted, 12}, {"ju", PartResult::kAmbiguous, 0},
        {"xyz", PartResult::kWrong, 0},     {"99999999999", PartResult::kWrong, 0},
    };
    for (const auto& c : months) {
        const DatePart part = ParseMonth(c.text);
        EXPECT_EQ(part.result, c.result) << c.text;
        EXPECT_EQ(part.number, c.number) << c.text;
    }
    EXPECT_EQ(ParseMonth("3").text, "03");
    const Case days[] = {
        {"5", PartResult::kAccepted, 5}, {"31", PartResult::kAccepted, 31}, {"32", PartResult::kWrong, 0},
        {"0", PartResult::kWrong, 0},    {"monday", PartResult::kWrong, 0}, {"5th", PartResult::kWrong, 0},
    };
    for (const auto& c : days) {
        const DatePart part = ParseDay(c.text);
        EXPECT_EQ(part.result, c.result) << c.text;
        EXPECT_EQ(part.number, c.number) << c.text;
    }
    LoadRegionalSettings(RegionalValues{{"sShortDate", "M/d/yyyy"}});
    EXPECT_EQ(ParseMonth("03").text, "3");
    EXPECT_EQ(ParseDay("05").text, "5");
}

TEST(DateText, CompleteYear)
{
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"99", "2099"},       {"999", "1999"},    {"7", "2007"},
        {"05", "2005"},       {"2001", "2001"},   {"12345", std::nullopt},
        {"ab", std::nullopt}, {"", std::nullopt}, {"2O01", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(CompleteYear(text), expected) << text;
    }
}

TEST(DateText, ValidateDateTextNormalisesOrReports)
{
    auto& dialogs = lumarc::test::Dialogs();
    const std::string thisYear = std::to_string(GetYearOf(std::time(nullptr)));
    struct Case
    {
        const char* picture;
        const char* separator;
        const char* typed;
        const char* result;  // the rewritten text, or null when the date is refused
        const char* message; // the message shown, or null
    };
    const Case cases[] = {
        {"dd.MM.yyyy", ".", "5 3 2001", "05.03.2001", nullptr},
        {"dd.MM.yyyy", ".", "5. 3. 01", "05.03.2001", nullptr},
        {"dd.MM.yyyy", ".", "5 mar 2001", "05.03.2001", nullptr},
        {"dd.MM.yyyy", ".", "31 13 2001", nullptr, "Wrong Month"},
        {"dd.MM.yyyy", ".", "31 4 2001", nullptr, "Wrong Day"},
        {"dd.MM.yyyy", ".", "29 2 2001", nullptr, "Wrong Day"},
        {"dd.MM.yyyy", ".", "29 2 2000", "29.02.2000", nullptr},
        {"dd.MM.yyyy", ".", "5 ju 2001", nullptr, "Equivous Month - Provide more characters"},
        {"dd.MM.yyyy", ".", "5 3 20011", nullptr, "Wrong Year"},
        {"dd.MM.yyyy", ".", "", "", nullptr},
        {"dd.MM.yyyy", ".", " whatever", " whatever", nullptr},
        {"M/d/yyyy", "/", "3/5/2001", "3/5/2001", nullptr},
        {"M/d/yyyy", "/", "12 31 99", "12/31/2099", nullptr},
        {"yyyy-MM-dd", "-", "2001 3 5", "2001-03-05", nullptr},
    };
    for (const auto& c : cases) {
        LoadRegionalSettings(RegionalValues{{"sShortDate", c.picture}, {"sDate", c.separator}});
        dialogs.Clear();
        std::string text = c.typed;
        EXPECT_EQ(ValidateDateText(text), c.result != nullptr) << c.typed;
        if (c.result != nullptr) {
            EXPECT_EQ(text, c.result) << c.typed;
        }
        if (c.message != nullptr) {
            ASSERT_EQ(dialogs.messages.size(), 1u) << c.typed;
            EXPECT_EQ(dialogs.messages[0].text, c.message);
            EXPECT_EQ(dialogs.messages[0].caption, "Error");
        } else {
            EXPECT_TRUE(dialogs.messages.empty()) << c.typed;
        }
    }
    std::string text;
    // Month names are read in the user's language.
    LoadRegionalSettings(RegionalValues{{"sShortDate", "dd.MM.yyyy"}, {"sDate", "."}, {"sLanguage", "deu"}});
    text = "5. märz 2001";
    EXPECT_TRUE(ValidateDateText(text));
    EXPECT_EQ(text, "05.03.2001");
    // Parts not typed are today's.
    LoadRegionalSettings(RegionalValues{{"sShortDate", "dd.MM.yyyy"}, {"sDate", "."}});
    text = "5 3";
    EXPECT_TRUE(ValidateDateText(text));
    EXPECT_EQ(text, "05.03." + thisYear);
    EXPECT_EQ(FormatTimeValue(TimeOf(2001, 3, 5)), "05.03.2001");
    EXPECT_EQ(FormatDate(Date(2001, 3, 5)), "05.03.2001");
    EXPECT_EQ(FormatDate(std::tm{}), " ");
    LoadRegionalSettings(RegionalValues{});
}

TEST(DateText, ParseDateTextAndSplitDateText)
{
    LoadRegionalSettings(RegionalValues{{"sShortDate", "dd.MM.yyyy"}, {"sDate", "."}});
    struct Case
    {
        const char* text;
        std::time_t expected;
    };
    const Case cases[] = {
        {"05.03.2001", TimeOf(2001, 3, 5)},
        {"5 3 101", TimeOf(2001, 3, 5)},
        {"5 3 99", TimeOf(1999, 3, 5)},
        {"", 1},
        {"5 3 1970", 0},
        {"31 2 2001", 0},
        {"5 13 2001", 0},
        {"x", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDateText(c.text), c.expected) << c.text;
    }
    std::tm parts{};
    EXPECT_TRUE(ParseDateToTm("05.03.2001", parts));
    EXPECT_EQ(parts.tm_wday, 1);
    EXPECT_FALSE(ParseDateToTm("5 3 1970", parts));

    struct Split
    {
        const char* text;
        int year;
        int month;
        int day;
    };
    const Split splits[] = {
        {"5 3 20", 2020, 3, 5}, {"5 3 21", 1921, 3, 5}, {"5 3 5", 2005, 3, 5},
        {"5 3 101", 101, 3, 5}, {"", 0, 0, 0},          {"5 13 2001", 2001, 0, 5},
    };
    for (const auto& s : splits) {
        const DateNumbers numbers = SplitDateText(s.text);
        EXPECT_EQ(numbers.year, s.year) << s.text;
        EXPECT_EQ(numbers.month, s.month) << s.text;
        EXPECT_EQ(numbers.day, s.day) << s.text;
    }
    LoadRegionalSettings(RegionalValues{});
}

TEST(DateText, TimeValueOperations)
{
    EXPECT_EQ(GetLastDayOfMonth(TimeOf(2000, 2, 10)), 29);
    EXPECT_EQ(GetLastDayOfMonth(TimeOf(2001, 2, 1)), 28);
    EXPECT_EQ(GetLastDayOfMonth(TimeOf(2001, 12, 31)), 31);
    EXPECT_EQ(GetFirstOfMonth(TimeOf(2001, 3, 17)), TimeOf(2001, 3, 1));
    EXPECT_EQ(NextDayOf(TimeOf(2001, 3, 31)), TimeOf(2001, 4, 1));
    const std::time_t t = TimeOf(2001, 3, 5);
    EXPECT_EQ(GetDayOfWeek(t), 1);
    EXPECT_EQ(GetDayOfMonth(t), 5);
    EXPECT_EQ(GetMonthOf(t), 3);
    EXPECT_EQ(GetYearOf(t), 2001);
    EXPECT_EQ(std::stoi(FormatCurrentYearSince1900()) + 1900, GetYearOf(std::time(nullptr)));
}

TEST(CurrencyTable, SymbolsOfAmounts)
{
    struct Case
    {
        int iCurrency;
        int iNegCurr;
        const char* amount;
        const char* symbol;
    };
    const Case cases[] = {
        {1, 0, "5.00 DM", "DM"},   {0, 1, "-$ 5.00", "$"},    {2, 0, "$ 5.00", "$"},  {3, 0, "5,00 €", "€"},
        {0, 0, "($ 5.00)", "$"},   {0, 4, "(5.00 DM)", "DM"}, {0, 3, "$ 5.00-", "$"}, {0, 8, "-5,00 €", "€"},
        {0, 10, "5.00 DM-", "DM"}, {0, 9, "-$ 5.00", "$"},    {1, 0, "5.00", ""},
    };
    for (const auto& c : cases) {
        LoadRegionalSettings(RegionalValues{{"iCurrency", std::to_string(c.iCurrency)},
                                            {"iNegCurr", std::to_string(c.iNegCurr)}});
        EXPECT_EQ(ExtractCurrencySymbol(c.amount), c.symbol) << c.amount;
    }
    LoadRegionalSettings(RegionalValues{{"iCurrency", "1"}, {"iCurrDigits", "3"}});
    EXPECT_EQ(FindCurrencyIndex("100.00 DM"), 29);
    EXPECT_EQ(FindCurrencyIndex("dm"), 29);
    EXPECT_EQ(FindCurrencyIndex("100.00 XYZ"), kNoCurrency);
    EXPECT_EQ(GetCurrencyDigitsOfAmount("100 L."), 0);
    // An amount in no listed currency is in the local one.
    EXPECT_EQ(GetCurrencyDigitsOfAmount("100.000 XYZ"), 3);
    LoadRegionalSettings(RegionalValues{});
}

TEST(CurrencyTable, Entries)
{
    SetSettingString("selectedCurrency", "SFr.");
    LoadRegionalSettings(RegionalValues{{"sCurrency", "€"}});
    EXPECT_EQ(GetCurrencySymbol(0), "SFr.");
    SetSettingString("selectedCurrency", "zz");
    LoadRegionalSettings(RegionalValues{{"sCurrency", "€"}, {"iCurrDigits", "2"}});
    EXPECT_EQ(GetCurrencySymbol(0), "€");
    EXPECT_EQ(GetCurrencySymbol(22), "£");
    EXPECT_EQ(GetCurrencySymbol(83), "$");
    EXPECT_EQ(GetCurrencySymbol(87), "");
    EXPECT_EQ(GetCurrencyDigitsAt(41), 0);
    EXPECT_EQ(GetCurrencyDigitsAt(0), 2);
    std::string country = "unchanged";
    EXPECT_TRUE(CurrencyEntryMatches(0, country));
    EXPECT_EQ(country, "unchanged");
    EXPECT_TRUE(CurrencyEntryMatches(29, country));
    EXPECT_EQ(country, "Germany");
    EXPECT_FALSE(CurrencyEntryMatches(87, country));
    EXPECT_FALSE(CurrencyEntryMatches(100, country));
    EXPECT_FALSE(CurrencyEntryMatches(-1, country));
    // Every used entry's symbol names that entry alone.
    for (int i = 1; i <= 86; ++i) {
        EXPECT_EQ(FindCurrencyIndex(GetCurrencySymbol(i)), i) << GetCurrencySymbol(i);
    }
    LoadRegionalSettings(RegionalValues{});
}
