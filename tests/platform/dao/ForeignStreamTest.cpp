#include "platform/dao/foreign/ForeignStream.h"
#include "platform/dao/DaoConstants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace platform::dao;
using namespace platform::dao::detail;

namespace {

const std::vector<ForeignTable> kTables{{"Coins", {{"Name", dbMemo}, {"Year", dbDouble}}},
                                        {"", {{"F1", dbLongBinary}}}};

std::string Stream(const std::vector<std::vector<CDaoVariant>>& rows, size_t table = 0)
{
    std::string out;
    WriteForeignTables(out, kTables);
    WriteForeignRowsStart(out, table);
    for (const auto& row : rows) {
        WriteForeignRow(out, row);
    }
    WriteForeignRowsEnd(out);
    return out;
}

TEST(ForeignStreamTest, ReadsBackWhatTheReaderWrote)
{
    std::string tablesOnly;
    WriteForeignTables(tablesOnly, kTables);
    WriteForeignNoRows(tablesOnly);
    const auto listed = ParseForeignStream(tablesOnly);
    ASSERT_TRUE(listed);
    ASSERT_EQ(listed->tables.size(), 2u);
    EXPECT_EQ(listed->tables[0].columns[1].name, "Year");
    EXPECT_EQ(listed->tables[0].columns[1].daoType, dbDouble);
    EXPECT_FALSE(listed->table);

    const std::vector<std::vector<CDaoVariant>> rows{
        {CDaoVariant::Text(std::string("a\0\"b\n", 5)), CDaoVariant()},
        {CDaoVariant::Boolean(true), CDaoVariant::Byte(200)},
        {CDaoVariant::Short(-7), CDaoVariant::Long(-123456)},
        {CDaoVariant::Currency(-123400), CDaoVariant::Single(0.5f)},
        {CDaoVariant::Double(-1e300), CDaoVariant::Date(36955.5)},
        {CDaoVariant::Text(std::string(100000, 'x')), CDaoVariant::Binary({0, 255, 1})}};
    const auto read = ParseForeignStream(Stream(rows));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->table, 0u);
    EXPECT_EQ(read->rows, rows);
}

// Any answer that is not exactly what the reader writes is refused: cut anywhere, or changed in a
// length, count, kind or order.
TEST(ForeignStreamTest, RefusesEveryCutOfAnAnswer)
{
    const std::string whole = Stream({{CDaoVariant::Text("Ducat"), CDaoVariant::Double(1650)}});
    ASSERT_TRUE(ParseForeignStream(whole));
    for (size_t length = 0; length < whole.size(); ++length) {
        EXPECT_FALSE(ParseForeignStream(whole.substr(0, length))) << length;
    }
    EXPECT_FALSE(ParseForeignStream(whole + "x")) << "trailing bytes";
}

struct Malformed
{
    const char* name;
    size_t offset; // where the bytes are overwritten
    std::string bytes;
};

class ForeignStreamMalformedTest : public testing::TestWithParam<Malformed>
{
};

TEST_P(ForeignStreamMalformedTest, IsRefused)
{
    // At 0 "LFR1", 4 the table count, 8 "Coins", 17 its column count, 21 "Name", 29 its type, 31 "Year",
    // 41 "", 45 its column count, 49 "F1", 57 the rows marker, 58 the table, 62 a row, 63 the kind of
    // "Ducat", 64 its length, 73 the kind of true, 74 its byte, 75 the end of the rows.
    std::string bytes = Stream({{CDaoVariant::Text("Ducat"), CDaoVariant::Boolean(true)}});
    ASSERT_TRUE(ParseForeignStream(bytes));
    bytes.replace(GetParam().offset, GetParam().bytes.size(), GetParam().bytes);
    EXPECT_FALSE(ParseForeignStream(bytes));
}

const std::string kHuge("\xff\xff\xff\x7f", 4);

INSTANTIATE_TEST_SUITE_P(
    Answers, ForeignStreamMalformedTest,
    testing::Values(Malformed{"WrongMagic", 0, "LFR2"}, Malformed{"MoreTablesThanBytes", 4, kHuge},
                    Malformed{"NameLongerThanTheRest", 8, kHuge},
                    Malformed{"MoreColumnsThanBytes", 17, kHuge},
                    Malformed{"NoColumns", 45, std::string(4, '\0')},
                    Malformed{"UnknownFieldType", 29, std::string("\x63\x00", 2)},
                    Malformed{"RowsMarkerNeitherZeroNorOne", 57, "\x02"},
                    Malformed{"RowsOfATableNotListed", 58, std::string("\x02\x00\x00\x00", 4)},
                    Malformed{"UnknownValueKind", 63, "\x0b"}, Malformed{"TextLongerThanTheRest", 64, kHuge},
                    Malformed{"TruthValueNeitherZeroNorOne", 74, "\x02"},
                    Malformed{"RowMarkerNeitherZeroNorOne", 75, "\x07"}),
    [](const testing::TestParamInfo<Malformed>& info) { return std::string(info.param.name); });

TEST(ForeignStreamTest, RefusesDatesTheEngineCannotHold)
{
    for (const double serial : {std::nan(""), std::numeric_limits<double>::infinity()}) {
        std::string out;
        WriteForeignTables(out, {{"T", {{"D", dbDate}}}});
        WriteForeignRowsStart(out, 0);
        WriteForeignRow(out, {CDaoVariant::Date(serial)});
        WriteForeignRowsEnd(out);
        EXPECT_FALSE(ParseForeignStream(out)) << serial;
    }
}

} // namespace
