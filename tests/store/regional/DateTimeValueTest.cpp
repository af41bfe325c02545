#include "store/regional/DateTimeValue.h"

#include "store/regional/RegionalSettings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <tuple>

namespace {

// The parts a value holds, as (year, month 1-12, day, hours, minutes, seconds).
std::tuple<int, int, int, int, int, int> Parts(const CDateTimeValue& value)
{
    return {value.GetYear() + 1900, value.GetMonth() + 1, value.GetDay(),
            value.GetHours(),       value.GetMinutes(),   value.GetSeconds()};
}

// Runs the test in a zone with summer time, whatever the machine's zone is.
class DateTimeValueTest : public testing::Test
{
protected:
    void SetUp() override
    {
        LoadRegionalSettings(platform::intl::RegionalValues{}); // the default day-month-year dates
        const char* zone = std::getenv("TZ");
        m_oldZone = zone != nullptr ? zone : "";
        m_hadZone = zone != nullptr;
        ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        ::tzset();
    }
    void TearDown() override
    {
        if (m_hadZone) {
            ::setenv("TZ", m_oldZone.c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }

private:
    std::string m_oldZone;
    bool m_hadZone = false;
};

TEST_F(DateTimeValueTest, ReadsTheCompactTextForms)
{
    const std::pair<const char*, std::tuple<int, int, int, int, int, int>> cases[] = {
        {"19991231", {1999, 12, 31, 0, 0, 0}}, {"2001061514:30:59", {2001, 6, 15, 14, 30, 0}},
        {"1000101", {2000, 1, 1, 0, 0, 0}},    {"1020305", {2002, 3, 5, 0, 0, 0}},
        {"991231", {1999, 12, 31, 0, 0, 0}},
    };
    for (const auto& [text, parts] : cases) {
        CDateTimeValue value;
        value.SetFromCompactText(text);
        EXPECT_EQ(Parts(value), parts) << text;
    }
}

TEST_F(DateTimeValueTest, WritesTheCompactTextForms)
{
    CDateTimeValue value;
    value.SetFromCompactText("2002030518:07:00");
    EXPECT_EQ(value.FormatShort(), "1020305");
    EXPECT_EQ(value.FormatCompact(), "20020305");
    EXPECT_EQ(value.FormatCompactTime(), "2002030518:07:00");
    EXPECT_EQ(value.FormatDayStart(), "2002030500:00:00");
    EXPECT_EQ(value.FormatDayEnd(), "2002030599:99:99");
    EXPECT_EQ(value.FormatText(), "5-3-2002");
    value.ToTime(); // fills the weekday in
    value.SetFromTime(value.ToTime());
    EXPECT_EQ(value.FormatLongText(), "Tuesday, March 05, 2002");
    value.Clear();
    EXPECT_EQ(value.FormatText(), " ");
}

TEST_F(DateTimeValueTest, ClampsPartsOutOfRange)
{
    CDateTimeValue value;
    value.SetFromCompactText("20021305");
    EXPECT_EQ(value.GetMonth(), 12); // month 13 is kept as 12...
    value.NextMonth();               // ...and one more is January of the next year
    EXPECT_EQ(value.GetMonth(), 0);
    EXPECT_EQ(value.GetYear(), 103);
    value.SetMonth(14); // stored as 13
    value.Clamp();
    EXPECT_EQ(value.GetMonth(), 0);
    value.SetYear(2051); // 151 years since 1900
    value.SetDay(32);
    value.Clamp();
    EXPECT_EQ(value.GetYear(), 0);
    EXPECT_EQ(value.GetDay(), 0);
}

TEST_F(DateTimeValueTest, KeepsItsTimeAllYearRound)
{
    // Converting to a time value and back returns the same time in summer too.
    for (const char* text : {"2024011510:00:00", "2024071510:00:00"}) {
        CDateTimeValue value;
        value.SetFromCompactText(text);
        CDateTimeValue back;
        back.SetFromTime(value.ToTime());
        EXPECT_EQ(back.FormatCompactTime(), text);
    }
}

TEST_F(DateTimeValueTest, ConvertsAsTheSystemDoesWhateverCameBefore)
{
    // Conversions remember the last offset from UTC; one that no longer fits (summer after winter, the
    // hour summer time skips, another zone) must still give what the system's own conversion gives.
    const char* const texts[] = {"2024011510:00:00", "2024071510:00:00", "2024033102:30:00",
                                 "2024033103:30:00", "2024102702:30:00", "2024011510:00:01",
                                 "1970010100:30:00", "2038011903:14:07"};
    for (const char* zone : {"CET-1CEST,M3.5.0,M10.5.0/3", "EST5EDT,M3.2.0,M11.1.0", "UTC0"}) {
        ::setenv("TZ", zone, 1);
        ::tzset();
        for (const char* text : texts) {
            CDateTimeValue value;
            value.SetFromCompactText(text);
            std::tm parts{};
            parts.tm_year = value.GetYear();
            parts.tm_mon = value.GetMonth();
            parts.tm_mday = value.GetDay();
            parts.tm_hour = value.GetHours();
            parts.tm_min = value.GetMinutes();
            parts.tm_sec = value.GetSeconds();
            parts.tm_isdst = -1;
            EXPECT_EQ(value.ToTime(), std::mktime(&parts)) << zone << " " << text;
        }
    }
}

TEST_F(DateTimeValueTest, StepsByCalendarDaysAndMonths)
{
    CDateTimeValue value;
    value.SetFromCompactText("20240401"); // the day after summer time began
    value.PrevDay();
    EXPECT_EQ(value.FormatCompactTime(), "2024033100:00:00");
    value.PrevDay();
    EXPECT_EQ(value.FormatCompactTime(), "2024033000:00:00");
    value.NextDay();
    value.NextDay();
    EXPECT_EQ(value.FormatCompactTime(), "2024040100:00:00");
    value.SetFromCompactText("20241231");
    value.NextDay();
    EXPECT_EQ(value.FormatCompact(), "20250101");

    value.SetFromCompactText("20020131");
    value.PrevMonth();
    EXPECT_EQ(value.FormatCompact(), "20011231");
    value.NextMonth();
    value.NextMonth();
    EXPECT_EQ(value.FormatCompact(), "20020231"); // the day stays as it is
}

TEST_F(DateTimeValueTest, ReadsDatesTypedByTheUser)
{
    CDateTimeValue value;
    value.SetFromText("5-3-2002");
    EXPECT_EQ(Parts(value), std::make_tuple(2002, 3, 5, 0, 0, 0));
    value.SetFromText("no date");
    EXPECT_EQ(value.FormatText(), " ");
    value.SetFromText("1-1-1950"); // before 1971: no date
    EXPECT_EQ(value.FormatText(), " ");
}

} // namespace
