#include "store/catalogue/DataRecordset.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoDate.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/DaoTableDef.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/catalogue/CatalogueLayout.h"
#include "store/program/TraceLog.h"
#include "store/records/NodeRef.h"
#include "tests/support/EngineProbe.h"
#include "tests/support/TestEnvironment.h"

#include "store/regional/RegionalSettings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

using namespace platform::dao;

namespace {

class DataRecordsetTest : public testing::Test
{
protected:
    void SetUp() override
    {
        LoadRegionalSettings(platform::intl::RegionalValues{}); // the default day-month-year dates
        db.Create(lumarc::test::MakeTempFolder("datarecordset") / "items.ctg");
        CDaoTableDef table(&db);
        table.Create("ITEMS");
        table.CreateField("T", dbText, 50);
        table.CreateField("I16", dbInteger, 2);
        table.CreateField("I32", dbLong, 4);
        table.CreateField("C", dbCurrency, 8);
        table.CreateField("D", dbDate, 8);
        table.CreateField("B", dbBoolean, 1);
        table.CreateField("F", dbDouble, 8);
        table.CreateField("BIN", dbLongBinary, 0);
        table.CreateField("AUTOINCR", dbLong, 4, dbAutoIncrField);
        table.CreateField("CREADATE", dbText, 16);
        table.CreateField("MODIDATE", dbText, 16);
        CreateOidIndex(table);
        table.Append();
    }

    // Writes one new row through `write` and opens the recordset on it.
    void WriteRow(CDataRecordset& rs, const std::function<void(CDataRecordset&)>& write)
    {
        rs.OpenQuery(dbOpenTable, "ITEMS");
        rs.AddNew();
        const int number = rs.GetFieldValue("AUTOINCR").GetLong();
        write(rs);
        rs.Update();
        rs.OpenQuery(dbOpenDynaset, "SELECT * FROM ITEMS WHERE AUTOINCR = " + std::to_string(number));
    }

    CDaoDatabase db;
};

std::time_t LocalTime(int year, int month, int day, int hour = 0, int minute = 0)
{
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

struct ReadCase
{
    const char* column;
    CDaoVariant stored;
    std::string text;
    std::int32_t asLong;
    std::int16_t asShort;
};

TEST_F(DataRecordsetTest, ReadsEveryKindOfValueAsTheProgramExpects)
{
    const ReadCase cases[] = {
        {"C", CDaoVariant::Currency(123456), "56A12B34", 12, 12},
        {"C", CDaoVariant::Currency(0), "0A0B0", 0, 0},
        {"C", CDaoVariant::Currency(5000), "0A0B50", 0, 0},
        {"C", CDaoVariant::Currency(-123456), "-56A-12B-34", -12, -12},
        {"B", CDaoVariant::Boolean(true), "-1", -1, 255},
        {"B", CDaoVariant::Boolean(false), "0", 0, 0},
        {"I16", CDaoVariant::Short(-5), "-5", -5, -5},
        {"I32", CDaoVariant::Long(70000), "70000", 70000, 32767},
        {"T", CDaoVariant(), "", 0, 0},
        {"T", CDaoVariant("12abc"), "12abc", 12, 12},
        {"F", CDaoVariant(2.5), "2.5", 2, 2},
        {"D", CDaoVariant::Date(37320), "5-3-2002", 2002, 2002}, // numbers from the value's own text
    };
    for (const ReadCase& c : cases) {
        CDataRecordset rs(&db);
        WriteRow(rs, [&](CDataRecordset& row) { row.SetFieldValue(c.column, c.stored); });
        SCOPED_TRACE(c.column + (" = " + c.text));
        EXPECT_EQ(rs.GetFieldText(c.column), c.text);
        EXPECT_EQ(rs.GetFieldTextLength(c.column), c.text.size());
        EXPECT_EQ(rs.GetFieldLong(c.column), c.asLong);
        EXPECT_EQ(rs.GetFieldShort(c.column), c.asShort);
    }
}

TEST_F(DataRecordsetTest, ReadsNumberTextsWithAPointUnderADecimalCommaLocale)
{
    lumarc::test::ScopedNumericLocale german("de_DE.UTF-8");
    if (!german.IsSet()) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    CDataRecordset rs(&db);
    WriteRow(rs, [](CDataRecordset& row) { row.SetFieldText("T", "12.75 g"); });
    EXPECT_DOUBLE_EQ(rs.GetFieldDouble("T"), 12.75);
}

struct WriteCase
{
    const char* what;
    std::function<void(CDataRecordset&)> write;
    const char* column;
    CDaoVariant stored;
};

TEST_F(DataRecordsetTest, WritesValuesInTheFormsTheProgramStores)
{
    const WriteCase cases[] = {
        {"an empty text is one blank", [](CDataRecordset& rs) { rs.SetFieldText("T", ""); }, "T",
         CDaoVariant(" ")},
        {"a text into a number column", [](CDataRecordset& rs) { rs.SetFieldText("I32", "42"); }, "I32",
         CDaoVariant::Long(42)},
        {"a long as decimal text", [](CDataRecordset& rs) { rs.SetFieldLong("T", -7); }, "T",
         CDaoVariant("-7")},
        {"an int into a 16-bit column", [](CDataRecordset& rs) { rs.SetFieldInt("I16", 12); }, "I16",
         CDaoVariant::Short(12)},
        {"currency from its three parts", [](CDataRecordset& rs) { rs.SetFieldCurrency("C", 12, 34, 56); },
         "C", CDaoVariant::Currency(123456)},
        {"negative currency from its signed parts",
         [](CDataRecordset& rs) { rs.SetFieldCurrency("C", -12, -34, -56); }, "C",
         CDaoVariant::Currency(-123456)},
        {"a truth value", [](CDataRecordset& rs) { rs.SetFieldBool("B", true); }, "B",
         CDaoVariant::Boolean(true)},
        {"a double", [](CDataRecordset& rs) { rs.SetFieldDouble("F", 1.25); }, "F", CDaoVariant(1.25)},
        {"a time as years since 1900, month, day",
         [](CDataRecordset& rs) { rs.SetFieldTime("T", LocalTime(2002, 3, 5, 13, 0)); }, "T",
         CDaoVariant("1020305")},
        {"a typed date", [](CDataRecordset& rs) { rs.SetFieldDateText("D", "5-3-2002"); }, "D",
         CDaoVariant::Date(37320)},
        {"a typed date without a year is this year's",
         [](CDataRecordset& rs) {
             rs.SetFieldDateText("D", "1-1");
             const auto serial = DateSerialFromParts({2000, 1, 1}).value();
             EXPECT_GT(rs.GetFieldValue("D").GetDate(), serial);
             rs.SetFieldValue("D", CDaoVariant::Date(1));
         },
         "D", CDaoVariant::Date(1)},
        {"a date that does not exist changes nothing",
         [](CDataRecordset& rs) {
             rs.SetFieldValue("D", CDaoVariant::Date(100));
             rs.SetFieldDateText("D", "31-2-2002");
         },
         "D", CDaoVariant::Date(100)},
        {"a cleared date clears the field",
         [](CDataRecordset& rs) {
             rs.SetFieldValue("D", CDaoVariant::Date(100));
             rs.SetFieldDateText("D", "  ");
         },
         "D", CDaoVariant()},
        {"a long text as bytes", [](CDataRecordset& rs) { rs.SetFieldMemo("BIN", "{a}"); }, "BIN",
         CDaoVariant(std::vector<std::uint8_t>{'{', 'a', '}'})},
        {"an empty name writes nothing", [](CDataRecordset& rs) { rs.SetFieldText("", "x"); }, "T",
         CDaoVariant()},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.what);
        CDataRecordset rs(&db);
        WriteRow(rs, c.write);
        EXPECT_EQ(rs.GetFieldValue(c.column), c.stored);
    }
}

TEST_F(DataRecordsetTest, ReadsCompactDatesAsTimes)
{
    const std::pair<CDaoVariant, std::time_t> cases[] = {
        {CDaoVariant("1020305"), LocalTime(2002, 3, 5)},
        {CDaoVariant("991231"), LocalTime(1999, 12, 31)},
        {CDaoVariant("2001061514:30:59"), LocalTime(2001, 6, 15, 14, 30)},
        {CDaoVariant(" "), 0},
        {CDaoVariant(), 0},
    };
    for (const auto& [stored, expected] : cases) {
        CDataRecordset rs(&db);
        const CDaoVariant& value = stored; // clang before 16 cannot capture a structured binding
        WriteRow(rs, [&](CDataRecordset& row) { row.SetFieldValue("T", value); });
        EXPECT_EQ(rs.GetFieldTime("T"), expected) << stored.ToText();
    }
    CDataRecordset rs(&db);
    WriteRow(rs, [](CDataRecordset& row) { row.SetFieldValue("D", CDaoVariant::Date(37320.75)); });
    EXPECT_EQ(rs.GetFieldTime("D"), LocalTime(2002, 3, 5));
    EXPECT_EQ(rs.GetFieldTime("I32"), 0); // a null date column
}

TEST_F(DataRecordsetTest, KeepsLongTextsWhole)
{
    std::string text(3'000'000, 'x'); // longer than any buffer the program once had
    text[1] = '\0';
    text.back() = 'y';
    CDataRecordset rs(&db);
    WriteRow(rs, [&](CDataRecordset& row) { row.SetFieldMemo("BIN", text); });
    EXPECT_EQ(rs.GetFieldString("BIN"), text);
    EXPECT_EQ(rs.GetFieldString("T"), "");
}

TEST_F(DataRecordsetTest, StampsCreationOnceAndModificationEveryTime)
{
    CDataRecordset rs(&db);
    WriteRow(rs, [](CDataRecordset&) {});
    const std::string created = rs.GetFieldText("CREADATE");
    ASSERT_EQ(created.size(), 16u);
    EXPECT_EQ(created.substr(10, 1), ":");
    EXPECT_EQ(created, rs.GetFieldText("MODIDATE"));

    rs.Edit();
    rs.SetFieldText("CREADATE", "2001010100:00:00");
    rs.SetFieldText("MODIDATE", "2001010100:00:00");
    rs.Update();
    EXPECT_EQ(rs.GetFieldText("CREADATE"), "2001010100:00:00");
    EXPECT_EQ(rs.GetFieldText("MODIDATE").substr(0, 4), created.substr(0, 4));

    CDaoTableDef bare(&db);
    bare.Create("BARE");
    bare.CreateField("X", dbLong, 4);
    bare.Append();
    CDataRecordset plain(&db);
    plain.OpenQuery(dbOpenTable, "BARE");
    plain.AddNew();
    plain.SetFieldLong("X", 1);
    EXPECT_THROW(plain.Update(), CDaoException);
    EXPECT_EQ(plain.GetRecordCount(), 0);
}

TEST_F(DataRecordsetTest, SeeksRowsByTheirNumber)
{
    for (int i = 0; i < 3; ++i) {
        CDataRecordset rs(&db);
        WriteRow(rs, [i](CDataRecordset& row) { row.SetFieldText("T", "row " + std::to_string(i + 1)); });
    }
    CCatalogueDb catalogue;
    CNodeRef ref(&catalogue);
    CDataRecordset rs(&db);
    rs.OpenQuery(dbOpenTable, "ITEMS");
    ref.Set(3, 2, &catalogue);
    ASSERT_TRUE(rs.SeekByNumber(ref));
    EXPECT_EQ(rs.GetFieldText("T"), "row 2");
    ref.SetNumber(9);
    EXPECT_FALSE(rs.SeekByNumber(ref));

    // Only a missing row is false: a table that cannot be sought by number is an error.
    CDaoTableDef bare(&db);
    bare.Create("NOINDEX");
    bare.CreateField("X", dbLong, 4);
    bare.Append();
    rs.OpenQuery(dbOpenTable, "NOINDEX");
    EXPECT_THROW(rs.SeekByNumber(ref), CDaoException);
}

// Opening a table and seeking a row by number reads that one row of the table, however long it is.
TEST_F(DataRecordsetTest, ASeekByNumberReadsOneRow)
{
    {
        CDataRecordset rs(&db);
        rs.OpenQuery(dbOpenTable, "ITEMS");
        for (int i = 0; i < 300; ++i) {
            rs.AddNew();
            rs.SetFieldText("T", "row " + std::to_string(i + 1));
            rs.Update();
        }
    }
    CCatalogueDb catalogue;
    CNodeRef ref(&catalogue);
    lumarc::test::EngineProbe probe(db);
    CDataRecordset rs(&db);
    rs.OpenQuery(dbOpenTable, "ITEMS");
    ref.Set(3, 200, &catalogue);
    ASSERT_TRUE(rs.SeekByNumber(ref));
    EXPECT_EQ(rs.GetFieldText("T"), "row 200");
    EXPECT_EQ(probe.Rows("FROM \"ITEMS\""), 1u);
    // The table still walks from its first row when it is not sought.
    CDataRecordset walk(&db);
    walk.OpenQuery(dbOpenTable, "ITEMS");
    EXPECT_EQ(walk.GetFieldText("T"), "row 1");
    walk.MoveNext();
    EXPECT_EQ(walk.GetFieldText("T"), "row 2");
}

TEST_F(DataRecordsetTest, OpensQueriesWithATrace)
{
    SetTraceEnabled(true);
    std::filesystem::remove(DebugLogPath());
    CDataRecordset rs(&db);
    rs.OpenQuery(dbOpenSnapshot, "SELECT * , [T] + \" \" as recName FROM [ITEMS]");
    EXPECT_TRUE(rs.HasRecordName());
    rs.OpenQuery(dbOpenSnapshot, "SELECT * FROM ITEMS");
    EXPECT_FALSE(rs.HasRecordName());
    EXPECT_THROW(rs.OpenQuery(dbOpenSnapshot, "SELECT * FROM NOSUCH"), CDaoException);
    SetTraceEnabled(false);
    std::ifstream in(DebugLogPath(), std::ios::binary);
    std::stringstream log;
    log << in.rdbuf();
    EXPECT_NE(log.str().find("SELECT * FROM ITEMS\r\n"), std::string::npos);
    EXPECT_NE(log.str().find("3078 Exception"), std::string::npos) << log.str();
    EXPECT_EQ(rs.GetFieldText(""), "");
    EXPECT_THROW(rs.GetFieldText("NOSUCH"), CDaoException);
}

TEST_F(DataRecordsetTest, QueriesReadDatesTypedTheUsersWay)
{
    CDataRecordset rs(&db);
    WriteRow(rs, [](CDataRecordset& row) { row.SetFieldDateText("D", "5-3-2002"); });
    rs.OpenQuery(dbOpenSnapshot, "SELECT * FROM ITEMS WHERE D = DateValue('5-3-2002')");
    EXPECT_FALSE(rs.IsEOF());
    rs.OpenQuery(dbOpenSnapshot, "SELECT * FROM ITEMS WHERE D Between DateValue('6-3-2002') And #1/1/2002#");
    EXPECT_FALSE(rs.IsEOF());
}

} // namespace
