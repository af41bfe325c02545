// Workbooks and Access files are parsed in a reader process: whatever that process does (crash, hang,
// answer nonsense or too much), opening or reading the file is a clear error, soon, never a crash.

#include "platform/dao/foreign/ForeignReader.h"
#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/DaoRecordset.h"
#include "tests/platform/dao/KingsWorkbook.h"
#include "tests/support/ForeignReaderStandIn.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

using namespace platform::dao;
using lumarc::test::ForeignReaderStandIn;

namespace {

using Clock = std::chrono::steady_clock;

long OpenError(const std::filesystem::path& file, std::string_view connect)
{
    try {
        CDaoDatabase db;
        db.Open(file, false, true, connect);
        return 0;
    } catch (const CDaoException& e) {
        return e.GetErrorCode();
    }
}

struct Misbehaviour
{
    const char* name;
    const char* script;
    long error;
};

class ForeignReaderMisbehaviourTest : public testing::TestWithParam<Misbehaviour>
{
};

TEST_P(ForeignReaderMisbehaviourTest, GivesAnErrorSoon)
{
    const std::filesystem::path folder = lumarc::test::MakeTempFolder("reader");
    const std::filesystem::path book = folder / "book.xls";
    std::ofstream(book) << "any bytes";
    ForeignReaderStandIn reader(folder, GetParam().script, std::chrono::milliseconds(500));
    detail::CurrentForeignReaderSettings().maxOutput = 1 << 20;

    const Clock::time_point start = Clock::now();
    EXPECT_EQ(OpenError(book, "Excel 8.0;"), GetParam().error);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));
}

INSTANTIATE_TEST_SUITE_P(
    Readers, ForeignReaderMisbehaviourTest,
    testing::Values(
        Misbehaviour{"Crashes", "kill -SEGV $$", errors::kUnrecognizedFormat},
        Misbehaviour{"Aborts", "kill -ABRT $$", errors::kUnrecognizedFormat},
        Misbehaviour{"Hangs", "exec sleep 600", errors::kUnrecognizedFormat},
        Misbehaviour{"HangsAfterClosingItsOutput", "exec >&-\nexec sleep 600", errors::kUnrecognizedFormat},
        Misbehaviour{"HangsHalfwayThroughItsAnswer", "printf LFR1\nexec sleep 600",
                     errors::kUnrecognizedFormat},
        Misbehaviour{"AnswersNonsenseAndSucceeds", "printf 'Name,Year'", errors::kUnrecognizedFormat},
        Misbehaviour{"AnswersWithoutEnd", "exec cat /dev/zero", errors::kUnrecognizedFormat},
        Misbehaviour{"FailsWithoutAnswer", "exit 1", errors::kUnrecognizedFormat},
        Misbehaviour{"WantsAPassword", "exit 3", errors::kNotValidPassword}),
    [](const testing::TestParamInfo<Misbehaviour>& info) { return std::string(info.param.name); });

TEST(ForeignReaderTest, AReaderThatCannotBeStartedIsNamed)
{
    const std::filesystem::path folder = lumarc::test::MakeTempFolder("reader");
    const std::filesystem::path book = folder / "book.xls";
    std::ofstream(book) << "any bytes";
    auto& settings = detail::CurrentForeignReaderSettings();
    const detail::ForeignReaderSettings saved = settings;
    settings.program = folder / "no-reader";
    try {
        CDaoDatabase db;
        db.Open(book, false, true, "Excel 8.0;");
        ADD_FAILURE() << "opened without a reader";
    } catch (const CDaoException& e) {
        EXPECT_EQ(e.GetErrorCode(), errors::kCannotOpenFile);
        EXPECT_NE(std::string(e.what()).find("no-reader"), std::string::npos) << e.what();
    }
    settings = saved;
}

// The tables were listed, then the reader dies while it hands out a table's rows: the table stays empty
// and the error reaches the caller.
TEST(ForeignReaderTest, ReaderDyingOverTheRowsFailsTheRecordset)
{
    const std::filesystem::path folder = lumarc::test::MakeTempFolder("reader");
    const std::filesystem::path book = folder / "book.xls";
    ASSERT_NO_FATAL_FAILURE(lumarc::test::WriteKingsWorkbook(book));
    ForeignReaderStandIn reader(folder, "[ $# = 3 ] && kill -SEGV $$\nexec \"$READER\" \"$@\"");

    CDaoDatabase db;
    db.Open(book, false, true, "Excel 8.0;");
    EXPECT_EQ(db.GetTableNames(), std::vector<std::string>{"Kings"});
    CDaoRecordset sheet(&db);
    try {
        sheet.Open(dbOpenTable, "Kings");
        ADD_FAILURE() << "read rows the reader never gave";
    } catch (const CDaoException& e) {
        EXPECT_EQ(e.GetErrorCode(), errors::kUnrecognizedFormat);
    }
}

} // namespace
