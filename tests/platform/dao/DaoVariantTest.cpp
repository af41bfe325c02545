#include "platform/dao/DaoVariant.h"
#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoDate.h"
#include "platform/dao/DaoException.h"

#include <gtest/gtest.h>

using namespace platform::dao;

namespace {

struct ConversionCase
{
    CDaoVariant from;
    short to;
    CDaoVariant expected;
};

TEST(DaoVariant, ConvertsToFieldTypesAsTheEngineDid)
{
    const ConversionCase cases[] = {
        {CDaoVariant("12"), dbLong, CDaoVariant::Long(12)},
        {CDaoVariant(" -7 "), dbInteger, CDaoVariant::Short(-7)},
        {CDaoVariant("2.5"), dbLong, CDaoVariant::Long(2)}, // halves round to even
        {CDaoVariant("3.5"), dbLong, CDaoVariant::Long(4)},
        {CDaoVariant::Currency(25000), dbLong, CDaoVariant::Long(2)},
        {CDaoVariant("12.3456"), dbCurrency, CDaoVariant::Currency(123456)},
        {CDaoVariant("-0.5"), dbCurrency, CDaoVariant::Currency(-5000)},
        {CDaoVariant("0.00005"), dbCurrency, CDaoVariant::Currency(1)},
        {CDaoVariant(12.3456), dbCurrency, CDaoVariant::Currency(123456)},
        {CDaoVariant("True"), dbBoolean, CDaoVariant::Boolean(true)},
        {CDaoVariant("no"), dbBoolean, CDaoVariant::Boolean(false)},
        {CDaoVariant("5"), dbBoolean, CDaoVariant::Boolean(true)},
        {CDaoVariant::Boolean(true), dbInteger, CDaoVariant::Short(-1)},
        {CDaoVariant::Boolean(true), dbText, CDaoVariant("-1")},
        {CDaoVariant::Currency(123400), dbText, CDaoVariant("12.34")},
        {CDaoVariant::Currency(-120000), dbText, CDaoVariant("-12")},
        {CDaoVariant(0.1), dbText, CDaoVariant("0.1")},
        {CDaoVariant(1e20), dbText, CDaoVariant("1E+20")},
        {CDaoVariant(31200045.0), dbText, CDaoVariant("31200045")},
        {CDaoVariant("2002-03-05"), dbDate, CDaoVariant::Date(37320)},
        {CDaoVariant("3/5/2002 12:00"), dbDate, CDaoVariant::Date(37320.5)},
        {CDaoVariant::Date(37320.5), dbText, CDaoVariant("2002-03-05 12:00:00")},
        {CDaoVariant("   "), dbLong, CDaoVariant()}, // blanks are no number: null
        {CDaoVariant(), dbText, CDaoVariant()},
        {CDaoVariant("abc"), dbLongBinary, CDaoVariant(std::vector<std::uint8_t>{'a', 'b', 'c'})},
        {CDaoVariant(std::vector<std::uint8_t>{'x', 0, 'y'}), dbMemo, CDaoVariant(std::string("x\0y", 3))},
    };
    for (const ConversionCase& c : cases) {
        EXPECT_EQ(c.from.ChangeType(c.to), c.expected) << c.from.ToText() << " to type " << c.to;
    }
}

TEST(DaoVariant, RefusesWhatDoesNotConvert)
{
    const std::pair<CDaoVariant, short> refused[] = {
        {CDaoVariant("abc"), dbLong},
        {CDaoVariant("12x"), dbDouble},
        {CDaoVariant("maybe"), dbBoolean},
        {CDaoVariant("31/31/2001"), dbDate},
        {CDaoVariant(std::vector<std::uint8_t>{1}), dbLong},
        {CDaoVariant::Long(1), dbLongBinary},
    };
    for (const auto& [value, type] : refused) {
        try {
            value.ChangeType(type);
            ADD_FAILURE() << value.ToText() << " converted to " << type;
        } catch (const CDaoException& error) {
            EXPECT_EQ(error.GetErrorCode(), errors::kConversionError);
        }
    }
    const std::pair<CDaoVariant, short> overflowing[] = {
        {CDaoVariant("40000"), dbInteger},  {CDaoVariant("256"), dbByte}, {CDaoVariant(1e12), dbLong},
        {CDaoVariant("1e300"), dbCurrency}, {CDaoVariant(9e9), dbDate},
    };
    for (const auto& [value, type] : overflowing) {
        try {
            value.ChangeType(type);
            ADD_FAILURE() << value.ToText() << " converted to " << type;
        } catch (const CDaoException& error) {
            EXPECT_EQ(error.GetErrorCode(), errors::kNumericOverflow) << value.ToText();
        }
    }
}

TEST(DaoDate, DayNumbersCountFromTheEnginesEpoch)
{
    const std::pair<DateParts, double> cases[] = {
        {{1899, 12, 30, 0, 0, 0}, 0.0},     {{1899, 12, 31, 12, 0, 0}, 1.5},  {{1900, 3, 1}, 61.0},
        {{2002, 3, 5, 18, 0, 0}, 37320.75}, {{1899, 12, 29, 6, 0, 0}, -1.25}, {{2000, 2, 29}, 36585.0},
    };
    for (const auto& [parts, serial] : cases) {
        EXPECT_DOUBLE_EQ(DateSerialFromParts(parts).value(), serial);
        const DateParts back = DatePartsFromSerial(serial).value();
        EXPECT_EQ(std::tie(back.year, back.month, back.day, back.hour, back.minute, back.second),
                  std::tie(parts.year, parts.month, parts.day, parts.hour, parts.minute, parts.second));
    }
    EXPECT_FALSE(DateSerialFromParts({2001, 2, 29}));
    EXPECT_FALSE(DateSerialFromParts({2001, 13, 1}));
    EXPECT_FALSE(DatePartsFromSerial(1e9));
}

TEST(DaoDate, TextParserCanBeReplacedByTheProgramsRules)
{
    SetDateTextParser([](std::string_view text) -> std::optional<DateParts> {
        if (text == "5-3-02") {
            return DateParts{2002, 3, 5};
        }
        return std::nullopt;
    });
    EXPECT_EQ(CDaoVariant("5-3-02").ChangeType(dbDate), CDaoVariant::Date(37320));
    EXPECT_THROW(CDaoVariant("2002-03-05").ChangeType(dbDate), CDaoException);
    SetDateTextParser({});
    EXPECT_EQ(CDaoVariant("2002-03-05").ChangeType(dbDate), CDaoVariant::Date(37320));
}

} // namespace
