#include "store/catalogue/WorkbookSheets.h"

#include "platform/dao/DaoDate.h"
#include "store/regional/RegionalSettings.h"
#include "tests/support/ForeignReaderStandIn.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

using platform::dao::CDaoVariant;

namespace {

// Workbooks are written by Python's xlwt (Debian's python3-xlwt), called by its full path so that no
// other Python on PATH stands in for it.
const char* const kWorkbookScript = R"(
import sys, datetime, xlwt
book = xlwt.Workbook(encoding='utf-8')
coins = book.add_sheet('Coins')
money = xlwt.easyxf(num_format_str='"$"#,##0.00')
day = xlwt.easyxf(num_format_str='YYYY-MM-DD')
stamp = xlwt.easyxf(num_format_str='DD.MM.YYYY hh:mm')
for column, name in enumerate(['Name', 'Year', 'Price', 'Bought', 'Owned', 'Note']):
    coins.write(0, column, name)
coins.write(1, 0, 'Ducat "gold"')
coins.write(1, 1, 1650)
coins.write(1, 2, 12.34, money)
coins.write(1, 3, datetime.date(2001, 3, 5), day)
coins.write(1, 4, True)
coins.write(1, 5, 'x' * 1500)
coins.write(2, 0, 'Thaler \u00fc\u20ac \u03a9\u03bc\u03ad\u03b3\u03b1')
coins.write(2, 1, 1790.25)
coins.write(2, 3, datetime.datetime(1999, 12, 31, 13, 45), stamp)
coins.write(2, 4, False)
coins.write(2, 5, 'two\nlines')
book.add_sheet('Empty')
header = book.add_sheet('Header only')
header.write(0, 0, 'A')
header.write(0, 2, 'A')
mixed = book.add_sheet('Mixed')
mixed.write(0, 0, 'Value')
mixed.write(1, 0, 7)
mixed.write(2, 0, 'seven')
mixed.write(3, 0, datetime.date(2020, 2, 29), day)
book.save(sys.argv[1])
)";

class RecordingList : public ISheetList
{
public:
    void Clear() override { names.clear(); }
    void Append(const std::string& name) override { names.push_back(name); }
    std::vector<std::string> names;
};

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class WorkbookSheetsTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        folder = lumarc::test::MakeTempFolder("workbooks");
        workbook = folder / "coins.xls";
        const std::filesystem::path script = folder / "make_workbook.py";
        std::ofstream(script) << kWorkbookScript;
        const std::string command = "/usr/bin/python3 '" + script.string() + "' '" + workbook.string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << "python3-xlwt is needed (scripts/install-deps)";
    }

    void SetUp() override { LoadRegionalSettings(platform::intl::RegionalValues{}); }

    static std::string SheetText(const std::string& sheet)
    {
        const std::filesystem::path text = folder / "sheet.txt";
        std::filesystem::remove(text);
        EXPECT_TRUE(ExcelSheetToText(workbook, sheet, text, true)) << sheet;
        return ReadFile(text);
    }

    static inline std::filesystem::path folder;
    static inline std::filesystem::path workbook;
};

TEST_F(WorkbookSheetsTest, ListsEverySheetOfTheWorkbook)
{
    RecordingList list;
    list.names = {"left over"};
    ASSERT_TRUE(ListExcelSheets(list, workbook, true));
    EXPECT_EQ(list.names, (std::vector<std::string>{"Coins", "Empty", "Header only", "Mixed"}));
}

// Numbers of a workbook are doubles; quotation marks are doubled and long texts kept whole.
TEST_F(WorkbookSheetsTest, WritesHeaderAndRowsWithQuotedValues)
{
    ASSERT_TRUE(LoadRegionalSettingsForLocale("en_US.UTF-8")) << "locale en_US.UTF-8 missing";
    const std::string expected =
        "\"Name\",\"Year\",\"Price\",\"Bought\",\"Owned\",\"Note\"\r\n"
        "\"Ducat \"\"gold\"\"\",\"1650.000000\",\"12.340000\",\"03/05/2001\","
        "\"1.000000\",\"" +
        std::string(1500, 'x') +
        "\"\r\n"
        "\"Thaler \u00fc\u20ac \u03a9\u03bc\u03ad\u03b3\u03b1\",\"1790.250000\",\"\","
        "\"12/31/1999\",\"0.000000\",\"two\nlines\"\r\n";
    EXPECT_EQ(SheetText("Coins"), expected);
}

TEST_F(WorkbookSheetsTest, DatesFollowTheRegionalShortDate)
{
    ASSERT_TRUE(LoadRegionalSettingsForLocale("de_DE.UTF-8")) << "locale de_DE.UTF-8 missing";
    const std::string text = SheetText("Coins");
    EXPECT_NE(text.find("\"05.03.2001\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"31.12.1999\""), std::string::npos) << text;
}

TEST_F(WorkbookSheetsTest, SheetsWithoutRowsGiveTheHeaderLineOnly)
{
    EXPECT_EQ(SheetText("Empty"), "\"F1\"\r\n");
    // An empty header cell and a repeated name are named by their position.
    EXPECT_EQ(SheetText("Header only"), "\"A\",\"F2\",\"F3\"\r\n");
}

// A column of several kinds keeps every cell: numbers as numbers, dates as dates in text.
TEST_F(WorkbookSheetsTest, ColumnOfMixedCellsLosesNone)
{
    EXPECT_EQ(SheetText("Mixed"), "\"Value\"\r\n\"7\"\r\n\"seven\"\r\n\"2020-02-29\"\r\n");
}

TEST_F(WorkbookSheetsTest, UnknownSheetGivesFalse)
{
    const std::filesystem::path text = folder / "unknown.txt";
    EXPECT_FALSE(ExcelSheetToText(workbook, "Nowhere", text, true));
    EXPECT_FALSE(std::filesystem::exists(text));
}

// Whatever the file holds, the answer is false, the list is empty and a text file already there stays.
void ExpectUnreadable(const std::string& bytes, bool isWorkbook)
{
    const std::filesystem::path folder = lumarc::test::MakeTempFolder("badbooks");
    const std::filesystem::path path = folder / "book.xls";
    std::ofstream(path, std::ios::binary) << bytes;
    RecordingList list;
    list.names = {"left over"};
    EXPECT_FALSE(ListExcelSheets(list, path, isWorkbook));
    EXPECT_TRUE(list.names.empty());
    const std::filesystem::path text = folder / "sheet.txt";
    std::ofstream(text) << "before";
    EXPECT_FALSE(ExcelSheetToText(path, "Coins", text, isWorkbook));
    EXPECT_EQ(ReadFile(text), "before");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2) << "a work file was left";
}

TEST_F(WorkbookSheetsTest, DamagedWorkbookGivesFalse)
{
    const std::string bytes = ReadFile(workbook);
    for (const size_t length : {size_t{512}, size_t{1536}, bytes.size() / 2}) {
        ExpectUnreadable(bytes.substr(0, length), true);
    }
}

// A workbook on which libfreexl reads past a buffer on the stack (found by fuzzing): under the
// sanitizers the reader process dies of it, and the program only sees a damaged file.
TEST_F(WorkbookSheetsTest, WorkbookThatBreaksTheLibraryGivesFalse)
{
    ExpectUnreadable(ReadFile(std::filesystem::path(LUMARC_TEST_DATA) / "workbooks/stack-overread.xls"),
                     true);
}

// The workbook opened, then the reading of the sheet's rows dies or hangs: nothing is written.
TEST_F(WorkbookSheetsTest, ReaderFailingOverTheRowsLeavesNoText)
{
    const std::filesystem::path work = lumarc::test::MakeTempFolder("dying");
    for (const char* failure : {"kill -SEGV $$", "exec sleep 600"}) {
        lumarc::test::ForeignReaderStandIn reader(
            work, std::string("[ $# = 3 ] && ") + failure + "\nexec \"$READER\" \"$@\"",
            std::chrono::milliseconds(3000));
        const std::filesystem::path text = work / "sheet.txt";
        EXPECT_FALSE(ExcelSheetToText(workbook, "Coins", text, true)) << failure;
        EXPECT_FALSE(std::filesystem::exists(text)) << failure;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work), {}), 1) << "a work file was left";
    }
}

struct BadFile
{
    const char* name;
    std::string bytes;
    bool isWorkbook;
};

class UnreadableFileTest : public testing::TestWithParam<BadFile>
{
};

TEST_P(UnreadableFileTest, GivesFalseAndLeavesNoText)
{
    ExpectUnreadable(GetParam().bytes, GetParam().isWorkbook);
}

std::string JetHeader()
{
    std::string bytes(4096, '\0');
    bytes.replace(1, 3, std::string("\x01\x00\x00", 3));
    bytes.replace(4, 15, "Standard Jet DB");
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableFileTest,
    testing::Values(
        BadFile{"EmptyWorkbook", "", true}, BadFile{"TextAsWorkbook", "Name,Year\r\nDucat,1650\r\n", true},
        BadFile{"CompoundFileCutShort",
                std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(504, '\xFF'), true},
        BadFile{"EmptyAccessFile", "", false}, BadFile{"TextAsAccessFile", "not a database", false},
        BadFile{"JetSignatureWithoutPages", JetHeader(), false}),
    [](const testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

TEST(SheetValueTextTest, WritesEachKindOfValue)
{
    LoadRegionalSettings(platform::intl::RegionalValues{});
    struct Case
    {
        CDaoVariant value;
        std::string text;
    };
    const std::vector<Case> cases = {
        {CDaoVariant(), ""},
        {CDaoVariant::Short(-12), "-12"},
        {CDaoVariant::Long(123456), "123456"},
        {CDaoVariant::Single(0.5f), "0.500000"},
        {CDaoVariant::Double(-1234.5678), "-1234.567800"},
        {CDaoVariant::Currency(123400), "12A34"},
        {CDaoVariant::Currency(120500), "12A5"},
        {CDaoVariant::Currency(123456), "12A34"},
        {CDaoVariant::Currency(-123400), "-12A-34"},
        {CDaoVariant::Boolean(true), "T"},
        {CDaoVariant::Boolean(false), "F"},
        {CDaoVariant::Date(-700000.0), ""}, // outside the engine's calendar
        {CDaoVariant::Text(std::string(2000, 'q')), std::string(2000, 'q')},
        {CDaoVariant::Binary({1, 2, 3}), ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SheetValueText(c.value), c.text) << c.value.ToText();
    }
}

} // namespace
