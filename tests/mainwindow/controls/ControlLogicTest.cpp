// The logic behind the program's own controls, without a window: operator lists, date conditions, time
// texts in several locales, the calendar's day grid and the dialler's entries.

#include "mainwindow/controls/DateCondition.h"
#include "mainwindow/controls/Dialler.h"
#include "mainwindow/controls/MonthGrid.h"
#include "mainwindow/controls/SearchOperators.h"
#include "mainwindow/controls/TimeOfDay.h"

#include "store/regional/RegionalSettings.h"

#include <gtest/gtest.h>

namespace {

std::string ShortForms(char type)
{
    std::string text;
    for (const auto& entry : OperatorsForType(type)) {
        text += entry.shortForm + "/" + entry.longText + "/" + std::to_string(entry.code) + " ";
    }
    return text;
}

TEST(SearchOperators, ListsByTypeInTheirOrder)
{
    EXPECT_EQ(ShortForms('C'), "=/Equal/1 St/Starts/12 Cnt/Contains/14 >/Major/2 </Minor/3 ");
    EXPECT_EQ(ShortForms('c'), ShortForms('C'));
    EXPECT_EQ(ShortForms('D'), "=/The/1004 >/After the/2 </Before the/3 ");
    EXPECT_EQ(ShortForms('T'), ShortForms('D'));
    EXPECT_EQ(ShortForms('F'), "=/Starting/12 ");
    EXPECT_EQ(ShortForms('U'), "=/Starting/12 >/Greather Than/2 </Less Than/3 ");
    EXPECT_EQ(ShortForms('B'), "F/FALSE/10 T/TRUE/11 ");
    EXPECT_EQ(ShortForms('Y'), ""); // a numismatic year has no operator list
}

TEST(SearchOperators, GlyphAndTextOfEachCode)
{
    const struct
    {
        int code;
        char glyph;
        const char* text;
    } cases[] = {{0, '=', "="},       {1, '=', "="},     {1004, '=', "="},     {77, '=', "="},
                 {2, '>', ">"},       {3, '<', "<"},     {5, 'B', "B"},        {10, 'F', "F"},
                 {11, 'T', "T"},      {12, 'S', "LIKE"}, {14, 'C', "CONTAIN"}, {1001, 'D', "D"},
                 {1067, '=', "TODAY"}};
    for (const auto& c : cases) {
        EXPECT_EQ(OperatorGlyph(c.code), c.glyph) << c.code;
        EXPECT_EQ(OperatorText(c.code), c.text) << c.code;
    }
}

TEST(DateCondition, BuildsTheConditionOfEachChoice)
{
    const struct
    {
        DateChoice choice;
        const char* expected;
    } cases[] = {
        {DateChoice::kAnyDate, ""},
        {DateChoice::kOn, " = DateValue('05.03.2001') "},
        {DateChoice::kBetween, " Between DateValue('01.01.2001') AND DateValue('05.03.2001')"},
        {DateChoice::kLastMonths, " IN_THE_LAST_MNTH 3"},
        {DateChoice::kLastDays, " IN_THE_LAST_DAYH 3"},
        {DateChoice::kNextMonths, " IN_THE_NEXT_MNTH 3"},
        {DateChoice::kNextDays, " IN_THE_NEXT_DAYH 3"},
    };
    for (const auto& c : cases) {
        const DateConditionInput input{c.choice, "05.03.2001", "01.01.2001", "05.03.2001", 3};
        EXPECT_EQ(BuildDateCondition(input), c.expected) << static_cast<int>(c.choice);
    }
    // A quote in a date stays inside its literal.
    EXPECT_EQ(BuildDateCondition({DateChoice::kOn, "1'); DROP TABLE x; --", "", "", 1}),
              " = DateValue('1''); DROP TABLE x; --') ");
}

class TimeTexts : public ::testing::Test
{
protected:
    void TearDown() override { LoadRegionalSettings(platform::intl::RegionalValues{}); }

    TimeFormat Locale(const char* name)
    {
        if (!LoadRegionalSettingsForLocale(name)) {
            return {};
        }
        return TimeFormat::FromRegional();
    }
};

TEST_F(TimeTexts, FormatInTheUsersLocale)
{
    const struct
    {
        const char* locale;
        TimeOfDay time;
        bool seconds;
        const char* expected;
    } cases[] = {
        {"C", {9, 5, 7}, false, "09:05"},
        {"C", {21, 5, 7}, true, "21:05:07"},
        {"en_US.utf8", {9, 5, 7}, false, "09:05 AM"},
        {"en_US.utf8", {12, 0, 0}, false, "12:00 PM"},
        {"en_US.utf8", {22, 15, 3}, true, "10:15:03 PM"},
        {"de_DE.utf8", {9, 5, 7}, false, "09:05"},
        {"de_DE.utf8", {22, 15, 3}, true, "22:15:03"},
    };
    TimeFormat uhr;
    uhr.morning = "";
    uhr.afternoon = "Uhr";
    EXPECT_EQ(FormatTimeOfDay({8, 30, 0}, false, uhr), "08:30 Uhr");
    for (const auto& c : cases) {
        if (!LoadRegionalSettingsForLocale(c.locale)) {
            continue; // locale not installed here
        }
        EXPECT_EQ(FormatTimeOfDay(c.time, c.seconds, TimeFormat::FromRegional()), c.expected) << c.locale;
    }
}

TEST_F(TimeTexts, ParseTypedTimes)
{
    TimeFormat twelve;
    twelve.twelveHour = true;
    TimeFormat german;
    german.twelveHour = false;
    german.morning = german.afternoon = "";
    TimeFormat dotted = german;
    dotted.separator = " h ";
    const struct
    {
        const char* what;
        const TimeFormat& format;
        const char* text;
        TimeOfDay previous;
        TimeOfDay expected;
    } cases[] = {
        {"hours and minutes", german, "14:35", {}, {14, 35, 0}},
        {"with seconds", german, "14:35:09", {}, {14, 35, 9}},
        {"cut at blanks and commas", german, "7 5,3", {}, {7, 5, 3}},
        {"first two digits of a part", german, "123:45", {}, {12, 45, 0}},
        {"too many hours keep their value", german, "25:10", {8, 0, 0}, {8, 10, 0}},
        {"24 and 60 are the maxima", german, "24:60:60", {}, {24, 60, 60}},
        {"61 minutes keep their value", german, "10:61", {1, 2, 3}, {10, 2, 3}},
        {"long separator drops non-digits", dotted, "9x h 30", {}, {9, 30, 0}},
        {"suffix removed", twelve, "10:15 AM", {}, {10, 15, 0}},
        {"afternoon stays afternoon", twelve, "10:15 PM", {22, 0, 0}, {22, 15, 0}},
        {"twelve noon stays", twelve, "12:30 PM", {12, 0, 0}, {12, 30, 0}},
        {"empty keeps previous", german, "", {3, 4, 5}, {3, 4, 5}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseTimeText(c.text, c.previous, c.format), c.expected) << c.what;
    }
}

TEST_F(TimeTexts, ReadBackWhatEachLocaleShows)
{
    const struct
    {
        const char* locale;
        const char* text;
        TimeOfDay previous;
        TimeOfDay expected;
    } cases[] = {
        {"C", "23:59:59", {}, {23, 59, 59}},
        {"C", "7:5", {1, 2, 3}, {7, 5, 3}},
        {"en_US.utf8", "10:15 PM", {22, 0, 0}, {22, 15, 0}},
        {"en_US.utf8", "07:05 AM", {}, {7, 5, 0}},
        {"de_DE.utf8", "14:35", {}, {14, 35, 0}},
        {"de_DE.utf8", "30:35", {9, 0, 0}, {9, 35, 0}},
    };
    for (const auto& c : cases) {
        if (!LoadRegionalSettingsForLocale(c.locale)) {
            continue; // locale not installed here
        }
        const TimeFormat format = TimeFormat::FromRegional();
        const TimeOfDay time = ParseTimeText(c.text, c.previous, format);
        EXPECT_EQ(time, c.expected) << c.locale << " " << c.text;
        // What is shown reads back as the same time.
        EXPECT_EQ(ParseTimeText(FormatTimeOfDay(time, true, format), time, format), time) << c.locale;
    }
}

TEST_F(TimeTexts, MeridiemKeysOnlyInTheTwelveHourClock)
{
    TimeFormat twelve;
    twelve.twelveHour = true;
    TimeOfDay time{10, 15, 0};
    EXPECT_TRUE(ApplyMeridiemKey(time, 'p', twelve));
    EXPECT_EQ(time, (TimeOfDay{22, 15, 0}));
    EXPECT_EQ(FormatTimeOfDay(time, false, twelve), "10:15 PM");
    EXPECT_TRUE(ApplyMeridiemKey(time, 'A', twelve));
    EXPECT_EQ(time.hours, 10);
    EXPECT_FALSE(ApplyMeridiemKey(time, 'x', twelve));

    TimeFormat day;
    EXPECT_FALSE(ApplyMeridiemKey(time, 'p', day));
    EXPECT_EQ(time.hours, 10);
}

TEST_F(TimeTexts, StopwatchShowsSixtySecondsForOneTick)
{
    TimeOfDay time{0, 0, 59};
    StopwatchTick(time);
    EXPECT_EQ(time, (TimeOfDay{0, 0, 60}));
    StopwatchTick(time);
    EXPECT_EQ(time, (TimeOfDay{0, 1, 0}));
    time = {0, 60, 60};
    StopwatchTick(time);
    EXPECT_EQ(time, (TimeOfDay{1, 0, 0}));
}

TEST_F(TimeTexts, FourDigitForms)
{
    EXPECT_EQ(FourDigitTime({9, 5, 30}), "0905");
    EXPECT_EQ(TimeFromFourDigits("0915"), (TimeOfDay{9, 15, 0}));
    EXPECT_EQ(TimeFromFourDigits("09:15"), (TimeOfDay{9, 15, 0}));
    EXPECT_EQ(TimeFromFourDigits("x"), (TimeOfDay{}));
}

TEST(MonthGrid, LaysOutDaysByWeekday)
{
    // March 2025 begins on a Saturday and has 31 days: six rows.
    const MonthGrid march = BuildMonthGrid(2025, 3);
    EXPECT_EQ(march.firstColumn, 6);
    EXPECT_EQ(march.rows, 6);
    EXPECT_EQ(march.cells[0][6], 1);
    EXPECT_EQ(march.cells[5][1], 31);
    EXPECT_EQ(march.cells[0][0], 0);
    // February 2015 begins on a Sunday and has 28 days: four rows.
    const MonthGrid february = BuildMonthGrid(2015, 2);
    EXPECT_EQ(february.rows, 4);
    EXPECT_EQ(february.cells[3][6], 28);
    EXPECT_EQ(BuildMonthGrid(2024, 2).days, 29);
}

TEST(MonthGrid, StepsStayInsideTheMonth)
{
    EXPECT_EQ(StepSelectedDay(3, DayStep::kWeekBack, 31), 3);
    EXPECT_EQ(StepSelectedDay(31, DayStep::kWeekOn, 31), 31);
    EXPECT_EQ(StepSelectedDay(1, DayStep::kPrevious, 30), 1);
    EXPECT_EQ(StepSelectedDay(30, DayStep::kNext, 30), 30);
    EXPECT_EQ(StepSelectedDay(10, DayStep::kWeekOn, 30), 17);
    EXPECT_EQ(StepSelectedDay(10, DayStep::kPrevious, 30), 9);
}

TEST(MonthGrid, StepsToTheAdjacentMonth)
{
    const auto parts = [](std::time_t value) {
        std::tm tm{};
        localtime_r(&value, &tm);
        return std::to_string(tm.tm_year + 1900) + "-" + std::to_string(tm.tm_mon + 1) + "-" +
               std::to_string(tm.tm_mday);
    };
    EXPECT_EQ(parts(StepToAdjacentMonth(MakeLocalDate(2025, 1, 31), true)), "2025-2-1");
    EXPECT_EQ(parts(StepToAdjacentMonth(MakeLocalDate(2024, 3, 15), false)), "2024-2-29");
    EXPECT_EQ(parts(StepToAdjacentMonth(MakeLocalDate(2024, 12, 5), true)), "2025-1-1");
    EXPECT_EQ(parts(StepToAdjacentMonth(MakeLocalDate(2025, 1, 5), false)), "2024-12-31");
}

TEST(Dialler, EntriesAndTheirNumbers)
{
    EXPECT_EQ(FormatTelephoneEntry({"Phone", "+41 44 123"}), "          Phone: +41 44 123");
    EXPECT_EQ(NumberOfTelephoneEntry("          Phone: +41 44 123"), "+41 44 123");
    EXPECT_EQ(NumberOfTelephoneEntry("Mobile: 079: 1"), "079: 1");
    EXPECT_EQ(NumberOfTelephoneEntry("no separator"), "");
    EXPECT_EQ(NumberOfTelephoneEntry("A: " + std::string(50, '1')).size(), kMaxDialledNumber);
}

} // namespace
