// Amounts shown and read in the regional conventions of several locales.

#include "store/regional/AmountText.h"

#include "store/regional/RegionalSettings.h"
#include "store/program/Settings.h"

#include <gtest/gtest.h>

namespace {

// The locale's conventions, with the local currency taken from the locale.
void UseLocale(const std::string& name)
{
    SetSettingString("selectedCurrency", "zz");
    ASSERT_TRUE(LoadRegionalSettingsForLocale(name)) << name;
}

class AmountText : public ::testing::Test
{
protected:
    void TearDown() override { LoadRegionalSettings(platform::intl::RegionalValues{}); }
};

TEST_F(AmountText, FormatsNumbersAndCurrenciesInEachLocale)
{
    struct Case
    {
        const char* locale;
        std::int64_t whole;
        std::int64_t fraction;
        int isCurrency;
        bool negative;
        int currency;
        const char* expected;
    };
    const Case cases[] = {
        // Plain numbers: grouped whole part, the fraction's digits as they are.
        {"en_US.utf8", 1234567, 5, 0, false, 0, "1,234,567.5"},
        {"de_DE.utf8", 1234567, 5, 0, false, 0, "1.234.567,5"},
        {"C", 1234567, 5, 0, true, 0, "-1,234,567.5"},
        {"en_US.utf8", 0, 25, 0, false, 0, "0.25"},
        // Currency amounts: hundredths, the symbol where the locale puts it.
        {"en_US.utf8", 1234567, 5, 1, false, 0, "$ 1,234,567.05"},
        {"en_US.utf8", 12, 0, 1, true, 0, "-$ 12.00"},
        {"de_DE.utf8", 1234567, 50, 1, false, 0, "1.234.567,50 €"},
        {"de_DE.utf8", 12, 5, 1, true, 0, "-12,05 €"},
        {"C", 0, 0, 1, false, 0, "$ 0.00"},
        {"C", 999, 999, 1, false, 0, "$ 999.99"},
        // Currencies of the table: their own symbol and number of digits.
        {"en_US.utf8", 1500, 0, 1, false, 25, "Euro 1,500.00"},
        {"en_US.utf8", 1500, 70, 1, false, 41, "L. 1,500"},
        {"de_DE.utf8", 3, 40, 1, false, 80, "3,40 TL"},
    };
    for (const Case& c : cases) {
        UseLocale(c.locale);
        EXPECT_EQ(FormatCurrencyMask(c.whole, c.fraction, c.isCurrency, c.negative, ',', c.currency),
                  c.expected)
            << c.locale << " " << c.whole << "/" << c.fraction;
    }
}

TEST_F(AmountText, EveryNegativeLayoutAndCurrencyPosition)
{
    struct Case
    {
        const char* key;
        const char* value;
        bool negative;
        const char* expected;
    };
    const Case cases[] = {
        {"iCurrency", "0", false, "$ 12.00"}, {"iCurrency", "1", false, "12.00 $"},
        {"iCurrency", "2", false, "$ 12.00"}, {"iCurrency", "3", false, "12.00 $"},
        {"iCurrency", "4", false, ""},        {"iNegCurr", "0", true, "($ 12.00)"},
        {"iNegCurr", "1", true, "-$ 12.00"},  {"iNegCurr", "2", true, "$- 12.00"},
        {"iNegCurr", "3", true, "$ 12.00-"},  {"iNegCurr", "4", true, "(12.00 $)"},
        {"iNegCurr", "5", true, "-12.00 $"},  {"iNegCurr", "6", true, "12.00- $"},
        {"iNegCurr", "7", true, "12.00 $-"},  {"iNegCurr", "8", true, "-12.00 $"},
        {"iNegCurr", "9", true, "-$ 12.00"},  {"iNegCurr", "10", true, "12.00 $-"},
        {"iNegCurr", "11", true, ""},
    };
    for (const Case& c : cases) {
        SetSettingString("selectedCurrency", "$");
        LoadRegionalSettings(platform::intl::RegionalValues{{c.key, c.value}});
        EXPECT_EQ(FormatCurrencyMask(12, 0, 1, c.negative, ',', 0), c.expected) << c.key << "=" << c.value;
    }
}

TEST_F(AmountText, AGroupSeparatorThatIsTheDecimalOneGivesWayToTheRegionalOne)
{
    UseLocale("de_DE.utf8");
    EXPECT_EQ(FormatCurrencyMask(1234, 50, 1, false, ',', 25), "1.234,50 Euro");
    EXPECT_EQ(FormatCurrencyMask(1234, 50, 1, false, 0, 25), "1.234,50 Euro");
    UseLocale("en_US.utf8");
    EXPECT_EQ(FormatCurrencyMask(1234, 50, 1, false, '\'', 25), "Euro 1'234.50");
}

TEST_F(AmountText, AmountTextsReadBackInEachLocale)
{
    struct Case
    {
        const char* locale;
        const char* text;
        std::int64_t whole;
        std::int32_t decimalDigits;  // GetDecimalDigits
        std::int32_t tenThousandths; // ParseAmount
        bool negative;
    };
    const Case cases[] = {
        {"en_US.utf8", "$ 1,234,567.05", 1234567, 5, 500, false},
        {"en_US.utf8", "-$ 12.5", 12, 5, 5000, true},
        {"en_US.utf8", "($ 12.00)", 12, 0, 0, true},
        {"en_US.utf8", "B/. 3.40", 3, 40, 4000, false}, // the symbol's point comes before any digit
        {"de_DE.utf8", "1.234.567,50 €", 1234567, 50, 5000, false},
        {"de_DE.utf8", "-12,05 €", 12, 5, 500, true},
        {"de_DE.utf8", "12.5", 125, 0, 0, false},
        {"C", "", 0, 0, 0, false},
        {"C", "abc", 0, 0, 0, false},
        {"C", "0.123456", 0, 12345, 1234, false},
        {"C", "99999999999999999999999.5", 999999999999999999, 5, 5000, false},
    };
    for (const Case& c : cases) {
        UseLocale(c.locale);
        EXPECT_EQ(GetIntegerDigits(c.text), c.whole) << c.locale << " " << c.text;
        EXPECT_EQ(GetDecimalDigits(c.text), c.decimalDigits) << c.locale << " " << c.text;
        const Amount amount = ParseAmount(c.text);
        EXPECT_EQ(amount.whole, c.whole) << c.locale << " " << c.text;
        EXPECT_EQ(amount.tenThousandths, c.tenThousandths) << c.locale << " " << c.text;
        EXPECT_EQ(amount.negative, c.negative) << c.locale << " " << c.text;
    }
}

TEST_F(AmountText, FormattedAmountsReadBackAsTheSameAmount)
{
    for (const char* locale : {"C", "en_US.utf8", "de_DE.utf8"}) {
        UseLocale(locale);
        for (const std::int64_t whole : {0LL, 7LL, 1000LL, 123456789LL}) {
            for (const std::int64_t hundredths : {0LL, 5LL, 99LL}) {
                for (const bool negative : {false, true}) {
                    const Amount amount =
                        ParseAmount(FormatCurrencyMask(whole, hundredths, 1, negative, ',', 0));
                    EXPECT_EQ(amount.whole, whole) << locale;
                    EXPECT_EQ(amount.Hundredths(), hundredths) << locale;
                    EXPECT_EQ(amount.negative, negative) << locale;
                }
            }
        }
    }
}

TEST_F(AmountText, TheRecordsetsCurrencyTextReadsBack)
{
    Amount amount;
    ASSERT_TRUE(ParseCurrencyText("56A12B34", amount));
    EXPECT_EQ(amount.whole, 12);
    EXPECT_EQ(amount.tenThousandths, 3456);
    EXPECT_FALSE(amount.negative);
    ASSERT_TRUE(ParseCurrencyText("-56A-12B-34", amount));
    EXPECT_EQ(amount.whole, 12);
    EXPECT_EQ(amount.tenThousandths, 3456);
    EXPECT_TRUE(amount.negative);
    ASSERT_TRUE(ParseCurrencyText("0A0B0", amount));
    EXPECT_EQ(amount.whole, 0);
    for (const char* wrong : {"", "12.50", "1A2", "A1B2", "1A2Bx", "$ 1.00"}) {
        EXPECT_FALSE(ParseCurrencyText(wrong, amount)) << wrong;
    }
}

} // namespace
