// Coin years in their eras, converted to the common era for comparing and for the issue-year search.

#include "store/regional/NumismaticYear.h"

#include <gtest/gtest.h>

namespace {

TEST(NumismaticYear, ErasConvertToTheCommonEra)
{
    struct Case
    {
        const char* text;
        int year;
        int rangeEnd;
    };
    const Case cases[] = {
        {"AD  1960 ", 1960, 9999},     {"AH  1300 ", 1891, 9999},   {"BE  900 ", 0, 9999},
        {"BE  1400 ", 0, 9999},        {"BE  1401 ", 858, 9999},    {"BE  300 ", 2081, 9999},
        {"BCE  44 ", -44, 9999},       {"VS  2000 ", 1943, 9999},   {"ZZ  1960 ", 0, 9999},
        {"AD  1940/2/4 ", 1940, 9999}, {"AD  1950-3 ", 1950, 1953}, {"AD  1950-60 ", 1950, 1960},
        {"AD  1950-960 ", 1950, 1960}, {"AD  950-960 ", 950, 960},  {"JE  5720-22 ", 1951, 1953},
        {"AD FR year D", 0, 9999},
    };
    for (const Case& c : cases) {
        CNumismaticYear year;
        year.Parse(c.text);
        EXPECT_EQ(year.GetYearNumber(), c.year) << c.text;
        EXPECT_EQ(year.GetRangeEnd(), c.rangeEnd) << c.text;
    }
}

TEST(NumismaticYear, PartsAreReadByTheirLimits)
{
    CNumismaticYear year;
    year.Parse("AH pre 1300-05 post");
    EXPECT_EQ(year.Format(), "AH pre 1300-05 post");
    year.Parse("");
    EXPECT_EQ(year.GetType(), "AD");
    year.Parse("AH");
    EXPECT_EQ(year.GetType(), "AH");
    year.Parse("ABCD"); // no blank: a type only when shorter than four characters
    EXPECT_EQ(year.GetType(), "");
    year.Parse("AD toolong 123456789 toolong");
    EXPECT_EQ(year.Format(), "AD   ");
}

TEST(NumismaticYear, PlainYearsCompareAndHoldIssueYears)
{
    EXPECT_EQ(CompareNumismaticYears("AH  1300 ", "1890"), 1);
    EXPECT_EQ(CompareNumismaticYears("1890", "AD  1890 "), 0);
    EXPECT_EQ(CompareNumismaticYears("", "1"), -1);
    EXPECT_TRUE(HoldsIssueYear("1960", 1960));
    EXPECT_FALSE(HoldsIssueYear("1961", 1960));
    EXPECT_TRUE(HoldsIssueYear("AD  1950-60 ", 1950));
    EXPECT_TRUE(HoldsIssueYear("AD  1950-60 ", 1955));
    EXPECT_TRUE(HoldsIssueYear("AD  1950-60 ", 1960));
    EXPECT_FALSE(HoldsIssueYear("AD  1950-60 ", 1961));
    EXPECT_FALSE(HoldsIssueYear("AD  1950-60 ", 1949));
}

} // namespace
