#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoDate.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/DaoRecordset.h"
#include "platform/dao/foreign/AccessSource.h"
#include "platform/dao/foreign/WorkbookSheet.h"
#include "tests/platform/dao/KingsWorkbook.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <mdbtools.h>

#include <cstdlib>
#include <fstream>

using namespace platform::dao;
using platform::dao::detail::AccessValue;
using platform::dao::detail::MakeWorkbookSheet;

namespace {

double Day(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return *DateSerialFromParts({year, month, day, hour, minute, second});
}

TEST(WorkbookSheetTest, NamesColumnsFromTheFirstRow)
{
    const auto sheet =
        MakeWorkbookSheet("S", {{CDaoVariant::Text(" Name "), CDaoVariant(), CDaoVariant::Text("name"),
                                 CDaoVariant::Text("F2"), CDaoVariant::Long(1999)},
                                {CDaoVariant::Text("a")}});
    std::vector<std::string> names;
    for (const auto& column : sheet.table.columns) {
        names.push_back(column.name);
    }
    // Empty and repeated names take "F" and their position, or the next free number.
    EXPECT_EQ(names, (std::vector<std::string>{"Name", "F2", "F3", "F4", "1999"}));
    ASSERT_EQ(sheet.rows.size(), 1u);
    EXPECT_EQ(sheet.rows[0].size(), 5u); // short rows are filled with nulls
}

TEST(WorkbookSheetTest, TypesColumnsByTheirCells)
{
    const auto sheet = MakeWorkbookSheet("S", {{"N", "D", "T", "M", "E"},
                                               {CDaoVariant::Long(3), CDaoVariant::Date(Day(2001, 3, 5)), "x",
                                                CDaoVariant::Double(1.5), CDaoVariant()},
                                               {CDaoVariant::Double(2.5), CDaoVariant(), "y",
                                                CDaoVariant::Date(Day(2001, 3, 5, 13, 45)), CDaoVariant()}});
    const short expected[] = {dbDouble, dbDate, dbMemo, dbMemo, dbMemo};
    for (size_t c = 0; c < 5; ++c) {
        EXPECT_EQ(sheet.table.columns[c].daoType, expected[c]) << c;
    }
    EXPECT_EQ(sheet.rows[0][0], CDaoVariant::Double(3)); // numbers of a workbook are doubles
    EXPECT_EQ(sheet.rows[0][3], CDaoVariant::Double(1.5));
    EXPECT_EQ(sheet.rows[1][3], CDaoVariant::Text("2001-03-05 13:45:00"));
    EXPECT_EQ(MakeWorkbookSheet("Empty", {}).table.columns.size(), 1u);
}

struct AccessCase
{
    const char* name;
    int mdbType;
    const char* text;
    CDaoVariant value;
};

class AccessValueTest : public testing::TestWithParam<AccessCase>
{
};

TEST_P(AccessValueTest, ReadsTheTextOfItsColumnType)
{
    EXPECT_EQ(AccessValue(GetParam().mdbType, GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Values, AccessValueTest,
    testing::Values(AccessCase{"Empty", MDB_TEXT, "", CDaoVariant()},
                    AccessCase{"True", MDB_BOOL, "1", CDaoVariant::Boolean(true)},
                    AccessCase{"False", MDB_BOOL, "0", CDaoVariant::Boolean(false)},
                    AccessCase{"Byte", MDB_BYTE, "200", CDaoVariant::Byte(200)},
                    AccessCase{"Integer", MDB_INT, "-12", CDaoVariant::Short(-12)},
                    AccessCase{"IntegerTooLarge", MDB_INT, "70000", CDaoVariant::Text("70000")},
                    AccessCase{"Long", MDB_LONGINT, "123456", CDaoVariant::Long(123456)},
                    AccessCase{"Money", MDB_MONEY, "12.3400", CDaoVariant::Currency(123400)},
                    AccessCase{"MoneyNegative", MDB_MONEY, "-0.5", CDaoVariant::Currency(-5000)},
                    AccessCase{"MoneyWhole", MDB_MONEY, "7", CDaoVariant::Currency(70000)},
                    AccessCase{"MoneyTooPrecise", MDB_MONEY, "1.23456", CDaoVariant::Text("1.23456")},
                    AccessCase{"Single", MDB_FLOAT, "0.5", CDaoVariant::Single(0.5f)},
                    AccessCase{"Double", MDB_DOUBLE, "-1234.5678", CDaoVariant::Double(-1234.5678)},
                    AccessCase{"Date", MDB_DATETIME, "2001-03-05 13:45:00",
                               CDaoVariant::Date(Day(2001, 3, 5, 13, 45))},
                    AccessCase{"NoDate", MDB_DATETIME, "yesterday", CDaoVariant::Text("yesterday")},
                    AccessCase{"Memo", MDB_MEMO, "say \"hi\"", CDaoVariant::Text("say \"hi\"")},
                    AccessCase{"Picture", MDB_OLE, "\x89PNG", CDaoVariant()}),
    [](const testing::TestParamInfo<AccessCase>& info) { return std::string(info.param.name); });

// A workbook is opened read only: its sheets are tables that can be read, never changed.
TEST(ForeignFileTest, WorkbookSheetsAreReadOnlyTables)
{
    const std::filesystem::path folder = lumarc::test::MakeTempFolder("foreign");
    const std::filesystem::path book = folder / "book.xls";
    ASSERT_NO_FATAL_FAILURE(lumarc::test::WriteKingsWorkbook(book));

    CDaoDatabase db;
    db.Open(book, false, true, "Excel 8.0;");
    EXPECT_EQ(db.GetTableNames(), std::vector<std::string>{"Kings"});
    EXPECT_FALSE(db.CanUpdate());
    CDaoRecordset sheet(&db);
    sheet.Open(dbOpenTable, "kings"); // names ignore case, as the engine's do
    ASSERT_FALSE(sheet.IsEOF());
    EXPECT_EQ(sheet.GetFieldValue("NAME"), CDaoVariant::Text("Olaf"));
    try {
        sheet.Edit();
        sheet.SetFieldValue("Name", CDaoVariant::Text("Harald"));
        sheet.Update();
        FAIL() << "a workbook was changed";
    } catch (const CDaoException& e) {
        EXPECT_EQ(e.GetErrorCode(), errors::kReadOnly);
    }
}

} // namespace
