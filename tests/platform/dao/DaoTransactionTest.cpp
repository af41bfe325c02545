// Transactions when the engine refuses or ends them: a commit refused while another connection reads,
// a disk that fills up inside a transaction, counters reserved inside a transaction, and a file opened
// while another running copy commits.

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/DaoRecordset.h"
#include "platform/dao/DaoTableDef.h"
#include "platform/dao/DaoWorkspace.h"
#include "platform/dao/DatabaseCore.h"
#include "tests/platform/dao/DaoFixture.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

using namespace platform::dao;
using lumarc::test::QueryNames;

namespace {

long ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const CDaoException& error) {
        return error.GetErrorCode();
    }
    return 0;
}

// A second connection on the file, as another running copy has it.
struct OtherConnection
{
    explicit OtherConnection(const std::filesystem::path& path)
    {
        EXPECT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    }
    ~OtherConnection()
    {
        sqlite3_finalize(reading);
        sqlite3_close_v2(db);
    }
    OtherConnection(const OtherConnection&) = delete;
    OtherConnection& operator=(const OtherConnection&) = delete;

    // Stops in the middle of a read, which holds the file's shared lock until Finish.
    void StartReading()
    {
        ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT NAME FROM COINS", -1, &reading, nullptr), SQLITE_OK);
        ASSERT_EQ(sqlite3_step(reading), SQLITE_ROW);
    }
    void FinishReading()
    {
        sqlite3_finalize(reading);
        reading = nullptr;
    }
    int Execute(const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

    sqlite3* db = nullptr;
    sqlite3_stmt* reading = nullptr;
};

class DaoTransactionTest : public testing::Test
{
protected:
    void SetUp() override
    {
        path = lumarc::test::MakeTempFolder("transaction") / "coins.ctg";
        lumarc::test::CreateCoinDatabase(path);
        db.Open(path);
    }

    void TearDown() override
    {
        while (workspace.GetTransactionDepth() > 0) {
            workspace.Rollback();
        }
    }

    // Adds a coin through a recordset; its counter.
    long AddCoin(const std::string& name)
    {
        CDaoRecordset rs(&db);
        rs.Open(dbOpenTable, "COINS");
        rs.AddNew();
        const long counter = rs.GetFieldValue("AUTOINCR").GetLong();
        rs.SetFieldValue("NAME", name);
        rs.Update();
        return counter;
    }

    CDaoWorkspace& workspace = CDaoWorkspace::Default();
    std::filesystem::path path;
    CDaoDatabase db;
};

TEST_F(DaoTransactionTest, ACommitRefusedWhileAnotherConnectionReadsCanBeRetried)
{
    sqlite3_busy_timeout(db.Core().Handle(), 50); // the reader does not go away by itself
    OtherConnection other(path);
    other.StartReading();

    workspace.BeginTrans();
    db.Execute("DELETE FROM COINS WHERE AUTOINCR = 1");
    EXPECT_EQ(ErrorOf([&] { workspace.CommitTrans(); }), errors::kLocked);
    EXPECT_EQ(workspace.GetTransactionDepth(), 1);
    EXPECT_EQ(db.Core().TransactionDepth(), 1);

    other.FinishReading();
    workspace.CommitTrans();
    EXPECT_EQ(workspace.GetTransactionDepth(), 0);
    EXPECT_EQ(db.Core().TransactionDepth(), 0);

    workspace.BeginTrans(); // the connection is free for the next one
    workspace.CommitTrans();
    db.Close();
    db.Open(path);
    EXPECT_TRUE(QueryNames(db, "SELECT * FROM COINS WHERE AUTOINCR = 1").empty());
}

TEST_F(DaoTransactionTest, ANestedLevelIsStillOpenAfterARefusedCommitOfTheOuterOne)
{
    sqlite3_busy_timeout(db.Core().Handle(), 50);
    OtherConnection other(path);
    workspace.BeginTrans();
    workspace.BeginTrans();
    db.Execute("DELETE FROM COINS WHERE AUTOINCR = 2");
    workspace.CommitTrans();
    other.StartReading();
    EXPECT_EQ(ErrorOf([&] { workspace.CommitTrans(); }), errors::kLocked);
    workspace.Rollback(); // giving up instead of retrying undoes everything
    EXPECT_EQ(workspace.GetTransactionDepth(), 0);
    other.FinishReading();
    EXPECT_EQ(QueryNames(db, "SELECT * FROM COINS").size(), lumarc::test::SampleCoins().size());
}

TEST_F(DaoTransactionTest, CountersReservedInsideATransactionAreTakenInTheFile)
{
    workspace.BeginTrans();
    EXPECT_EQ(AddCoin("first"), 8);

    CDaoRecordset rs(&db);
    rs.Open(dbOpenTable, "COINS");
    rs.AddNew();
    const long given = rs.GetFieldValue("AUTOINCR").GetLong();
    rs.CancelUpdate();
    db.Execute("UPDATE COINS SET YEAR = '1791' WHERE AUTOINCR = 1");
    rs.AddNew();
    const long pending = rs.GetFieldValue("AUTOINCR").GetLong();
    EXPECT_GT(pending, given) << "a number given up is not handed out again";

    // A row inserted meanwhile by a statement of the same transaction takes another number.
    db.Execute("INSERT INTO COINS (NAME) VALUES ('inserted')");
    rs.SetFieldValue("NAME", "pending");
    EXPECT_EQ(ErrorOf([&] { rs.Update(); }), 0);
    workspace.CommitTrans();
    EXPECT_EQ(QueryNames(db, "SELECT * FROM COINS WHERE AUTOINCR = " + std::to_string(pending)),
              std::vector<std::string>{"pending"});
    EXPECT_EQ(QueryNames(db, "SELECT * FROM COINS WHERE AUTOINCR > 8").size(), 2u);
}

// Lets the file grow by `pages` at most, as a nearly full disk does.
void LimitGrowth(CDaoDatabase& db, int pages)
{
    sqlite3* handle = db.Core().Handle();
    sqlite3_stmt* count = nullptr;
    sqlite3_prepare_v2(handle, "PRAGMA page_count", -1, &count, nullptr);
    sqlite3_step(count);
    const std::string limit =
        "PRAGMA max_page_count = " + std::to_string(sqlite3_column_int(count, 0) + pages);
    sqlite3_finalize(count);
    sqlite3_exec(handle, limit.c_str(), nullptr, nullptr, nullptr);
}

// Fills the file up to a few pages beyond what it holds, inside a transaction; the error that stops it.
long FillTheDisk(CDaoDatabase& db)
{
    LimitGrowth(db, 4);
    const std::string big(3000, 'x');
    return ErrorOf([&] {
        for (int i = 0; i < 100; ++i) {
            db.Execute("INSERT INTO COINS (NAME, HTML) VALUES ('filler', '" + big + "')");
        }
    });
}

TEST_F(DaoTransactionTest, AFullDiskReportsItselfAndTheTransactionEndsCleanly)
{
    const auto change = [&] {
        workspace.BeginTrans();
        try {
            db.Execute("DELETE FROM COINS WHERE AUTOINCR = 1");
            AddCoin("kept only with the rest");
            if (const long error = FillTheDisk(db); error != 0) {
                ThrowDaoError(error, "filling the disk");
            }
        } catch (...) {
            workspace.Rollback(); // the engine already did: this must not hide why
            throw;
        }
        workspace.CommitTrans();
    };
    EXPECT_EQ(ErrorOf(change), errors::kDiskFull);
    EXPECT_EQ(workspace.GetTransactionDepth(), 0);
    EXPECT_EQ(db.Core().TransactionDepth(), 0);
    EXPECT_EQ(QueryNames(db, "SELECT * FROM COINS").size(), lumarc::test::SampleCoins().size());

    // Room again: the next transaction works, and its counters come from the file, not from before.
    sqlite3_exec(db.Core().Handle(), "PRAGMA max_page_count = 1000000", nullptr, nullptr, nullptr);
    OtherConnection other(path);
    ASSERT_EQ(other.Execute("INSERT INTO COINS (NAME) VALUES ('from the other copy')"), SQLITE_OK);
    workspace.BeginTrans();
    EXPECT_EQ(ErrorOf([&] { AddCoin("after"); }), 0);
    workspace.CommitTrans();
    EXPECT_EQ(QueryNames(db, "SELECT * FROM COINS WHERE AUTOINCR > 7"),
              (std::vector<std::string>{"from the other copy", "after"}));
}

TEST_F(DaoTransactionTest, ATransactionTheEngineEndedIsNeitherCommittedNorContinuedBehindTheCallersBack)
{
    workspace.BeginTrans();
    db.Execute("DELETE FROM COINS WHERE AUTOINCR = 1");
    EXPECT_EQ(FillTheDisk(db), errors::kDiskFull);
    sqlite3_exec(db.Core().Handle(), "PRAGMA max_page_count = 1000000", nullptr, nullptr, nullptr);
    // Writing on would change the file outside any transaction, and committing would report lost
    // changes as saved.
    EXPECT_EQ(ErrorOf([&] { db.Execute("DELETE FROM COINS WHERE AUTOINCR = 2"); }), errors::kNoTransaction);
    EXPECT_EQ(ErrorOf([&] { workspace.CommitTrans(); }), errors::kNoTransaction);
    EXPECT_EQ(workspace.GetTransactionDepth(), 1);
    workspace.Rollback();
    EXPECT_EQ(workspace.GetTransactionDepth(), 0);
    EXPECT_EQ(QueryNames(db, "SELECT * FROM COINS").size(), lumarc::test::SampleCoins().size());
}

TEST_F(DaoTransactionTest, AFullDiskWhileATableIsMadeReportsItself)
{
    workspace.BeginTrans();
    LimitGrowth(db, 0);
    CDaoTableDef table(&db);
    table.Create("MORE");
    table.CreateField("NAME", dbText, 40);
    EXPECT_EQ(ErrorOf([&] { table.Append(); }), errors::kDiskFull);
    workspace.Rollback();
    EXPECT_EQ(workspace.GetTransactionDepth(), 0);
}

TEST_F(DaoTransactionTest, AFileIsOpenedWhileAnotherRunningCopyCommits)
{
    db.Close();
    OtherConnection other(path);
    ASSERT_EQ(other.Execute("BEGIN EXCLUSIVE; DELETE FROM COINS WHERE AUTOINCR = 3"), SQLITE_OK);
    std::thread committer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other.Execute("COMMIT");
    });
    EXPECT_EQ(ErrorOf([&] { db.Open(path); }), 0);
    committer.join();
    if (db.IsOpen()) {
        EXPECT_EQ(QueryNames(db, "SELECT * FROM COINS").size(), lumarc::test::SampleCoins().size() - 1);
    }
}

} // namespace
