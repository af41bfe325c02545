#include "platform/dao/DaoRecordset.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/DaoTableDef.h"
#include "platform/dao/DaoWorkspace.h"
#include "tests/platform/dao/DaoFixture.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

using namespace platform::dao;
using lumarc::test::QueryNames;

namespace {

const std::vector<std::string> kAllNames = {"Thaler",  "ducat",       "Écu",       "Penny",
                                            "50% off", "under_score", "Louis d'or"};

long ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const CDaoException& error) {
        return error.GetErrorCode();
    }
    return 0;
}

class DaoRecordsetTest : public testing::Test
{
protected:
    void SetUp() override
    {
        path = lumarc::test::MakeTempFolder("recordset") / "coins.ctg";
        lumarc::test::CreateCoinDatabase(path);
        db.Open(path);
    }

    std::filesystem::path path;
    CDaoDatabase db;
};

TEST_F(DaoRecordsetTest, WalksATableBothWays)
{
    CDaoRecordset rs(&db);
    rs.Open(dbOpenTable, "coins");
    EXPECT_FALSE(rs.IsBOF());
    std::vector<std::string> forward;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        forward.push_back(rs.GetFieldValue("NAME").ToText());
    }
    EXPECT_EQ(forward, kAllNames);
    EXPECT_EQ(ErrorOf([&] { rs.MoveNext(); }), errors::kNoCurrentRecord);
    EXPECT_EQ(ErrorOf([&] { rs.GetFieldValue("NAME"); }), errors::kNoCurrentRecord);
    std::vector<std::string> backward;
    for (rs.MovePrev(); !rs.IsBOF(); rs.MovePrev()) {
        backward.push_back(rs.GetFieldValue("NAME").ToText());
    }
    EXPECT_EQ(backward, std::vector<std::string>(kAllNames.rbegin(), kAllNames.rend()));
    rs.MoveLast();
    EXPECT_EQ(rs.GetFieldValue(0).ToText(), "Louis d'or");
    rs.MovePrev();
    EXPECT_EQ(rs.GetFieldValue(0).ToText(), "under_score");
    rs.MoveFirst();
    EXPECT_EQ(rs.GetFieldValue(0).ToText(), "Thaler");
    EXPECT_EQ(rs.GetRecordCount(), 7);
}

TEST_F(DaoRecordsetTest, AnEmptyResultIsAtBothEnds)
{
    CDaoRecordset rs(&db);
    rs.Open(dbOpenSnapshot, "SELECT * FROM COINS WHERE NAME = 'none'");
    EXPECT_TRUE(rs.IsBOF());
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_EQ(rs.GetRecordCount(), 0);
    EXPECT_EQ(ErrorOf([&] { rs.MoveFirst(); }), errors::kNoCurrentRecord);
    EXPECT_EQ(rs.FindField("NAME"), 0);
}

TEST_F(DaoRecordsetTest, FieldValuesComeInTheirColumnsTypes)
{
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM COINS WHERE AUTOINCR = 1");
    EXPECT_EQ(rs.GetFieldValue("price"), CDaoVariant::Currency(125000));
    EXPECT_EQ(rs.GetFieldValue("BOUGHT"), CDaoVariant::Date(37320));
    EXPECT_EQ(rs.GetFieldValue("DELETED"), CDaoVariant::Boolean(false));
    EXPECT_EQ(rs.GetFieldValue("AUTOINCR"), CDaoVariant::Long(1));
    EXPECT_EQ(rs.GetFieldValue("UID"), CDaoVariant::Double(1200001));
    EXPECT_TRUE(rs.GetFieldValue("FROM-UID").IsNull());
    EXPECT_EQ(ErrorOf([&] { rs.GetFieldValue("NOSUCH"); }), errors::kItemNotFound);
    rs.Open(dbOpenSnapshot, "SELECT * FROM COINS WHERE AUTOINCR = 4");
    EXPECT_EQ(rs.GetFieldValue("PRICE"), CDaoVariant::Currency(1));
    rs.Open(dbOpenSnapshot, "SELECT * FROM COINS WHERE DELETED = True");
    EXPECT_EQ(rs.GetFieldValue("DELETED").ToText(), "-1");
}

TEST_F(DaoRecordsetTest, KnowsTheCounterOfANewRowBeforeItIsWritten)
{
    CDaoRecordset rs(&db);
    rs.Open(dbOpenTable, "COINS");
    rs.AddNew();
    const int counter = rs.GetFieldValue("AUTOINCR").GetLong();
    EXPECT_EQ(counter, 8);
    rs.SetFieldValue("NAME", "Florin");
    rs.SetFieldValue("UID", CDaoVariant::Double(1200000.0 + counter));
    rs.SetFieldValue("PRICE", "1.5");
    rs.SetFieldValue("DELETED", "0");
    EXPECT_EQ(ErrorOf([&] { rs.SetFieldValue("AUTOINCR", 3); }), errors::kFieldCannotBeUpdated);
    EXPECT_EQ(ErrorOf([&] { rs.SetFieldValue("PARENT", "abc"); }), errors::kConversionError);
    rs.Update();
    // A second recordset reserving meanwhile gets the next number.
    CDaoRecordset other(&db);
    other.Open(dbOpenDynaset, "SELECT * FROM COINS");
    other.AddNew();
    EXPECT_EQ(other.GetFieldValue("AUTOINCR").GetLong(), 9);
    other.CancelUpdate();
    rs.AddNew();
    EXPECT_EQ(rs.GetFieldValue("AUTOINCR").GetLong(), 10); // a number once handed out is not given again
    rs.CancelUpdate();

    CDaoRecordset check(&db);
    check.Open(dbOpenSnapshot, "SELECT * FROM COINS WHERE UID = 1200008");
    EXPECT_EQ(check.GetFieldValue("NAME").ToText(), "Florin");
    EXPECT_EQ(check.GetFieldValue("PRICE"), CDaoVariant::Currency(15000));
    EXPECT_EQ(check.GetFieldValue("AUTOINCR"), CDaoVariant::Long(8));
}

TEST_F(DaoRecordsetTest, SeeksByIndexAndWalksOnFromThere)
{
    CDaoRecordset rs(&db);
    rs.Open(dbOpenTable, "COINS");
    EXPECT_EQ(ErrorOf([&] { rs.Seek("=", 3); }), errors::kNoCurrentIndex);
    EXPECT_EQ(ErrorOf([&] { rs.SetCurrentIndex("NOSUCH"); }), errors::kNotAnIndex);
    rs.SetCurrentIndex("OID");
    ASSERT_TRUE(rs.Seek("=", CDaoVariant(4.0)));
    EXPECT_EQ(rs.GetFieldValue("NAME").ToText(), "Penny");
    rs.MoveNext();
    EXPECT_EQ(rs.GetFieldValue("NAME").ToText(), "50% off");
    rs.MovePrev();
    rs.MovePrev();
    EXPECT_EQ(rs.GetFieldValue("NAME").ToText(), "Écu");
    EXPECT_FALSE(rs.Seek("=", 99));
    EXPECT_EQ(rs.GetFieldValue("NAME").ToText(), "Écu"); // a failed seek leaves the current row
    ASSERT_TRUE(rs.Seek(">", 6));
    EXPECT_EQ(rs.GetFieldValue("NAME").ToText(), "Louis d'or");
    ASSERT_TRUE(rs.Seek("<=", 2));
    EXPECT_EQ(rs.GetFieldValue("NAME").ToText(), "ducat");
    ASSERT_TRUE(rs.Seek("<", 1) == false);

    CDaoRecordset query(&db);
    query.Open(dbOpenDynaset, "COINS");
    EXPECT_EQ(ErrorOf([&] { query.Seek("=", 1); }), errors::kNotSupportedForType);
}

TEST_F(DaoRecordsetTest, EditsAndDeletesThroughADynaset)
{
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM COINS WHERE PARENT = 5 ORDER BY NAME");
    EXPECT_EQ(ErrorOf([&] { rs.SetFieldValue("NAME", "x"); }), errors::kUpdateWithoutEdit);
    rs.Edit();
    rs.SetFieldValue("YEAR", 1651);
    EXPECT_EQ(rs.GetFieldValue("YEAR").ToText(), "1651"); // the value being written
    rs.Update();
    EXPECT_EQ(rs.GetFieldValue("YEAR").ToText(), "1651");
    rs.MoveNext();
    rs.Delete();
    EXPECT_EQ(ErrorOf([&] { rs.GetFieldValue("NAME"); }), errors::kRecordDeleted);
    rs.MoveNext();
    EXPECT_EQ(rs.GetFieldValue("NAME").ToText(), "Écu");
    rs.AddNew();
    rs.SetFieldValue("NAME", "Mark");
    rs.SetFieldValue("PARENT", 9);
    rs.Update();
    EXPECT_EQ(rs.GetFieldValue("NAME").ToText(), "Écu"); // the row before AddNew stays current
    rs.MoveNext();
    EXPECT_EQ(rs.GetFieldValue("NAME").ToText(), "Mark"); // a dynaset shows the rows it added at its end
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_EQ(QueryNames(db, "SELECT * FROM COINS WHERE YEAR = '1651'"), std::vector<std::string>{"ducat"});
    EXPECT_TRUE(QueryNames(db, "SELECT * FROM COINS WHERE NAME Like 'Louis*'").empty());
}

TEST_F(DaoRecordsetTest, AnAliasedColumnWritesIntoTheColumnItComesFrom)
{
    // Each column's values go back to the table column they were read from, whatever it is called in
    // the result; an expression has no such column and cannot be changed.
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset,
            "SELECT NAME AS YEAR, YEAR AS NAME, PRICE * 2 AS PRICE FROM COINS WHERE PARENT = 5 "
            "ORDER BY AUTOINCR");
    EXPECT_EQ(rs.GetFieldValue("YEAR").ToText(), "ducat");
    rs.Edit();
    EXPECT_EQ(ErrorOf([&] { rs.SetFieldValue("PRICE", 1); }), errors::kFieldCannotBeUpdated);
    rs.SetFieldValue("YEAR", "Gulden");
    rs.SetFieldValue("NAME", "1651");
    rs.Update();
    EXPECT_EQ(rs.GetFieldValue("YEAR").ToText(), "Gulden");
    rs.AddNew();
    rs.SetFieldValue("YEAR", "Mark");
    rs.SetFieldValue("NAME", "1873");
    rs.Update();
    EXPECT_EQ(QueryNames(db, "SELECT * FROM COINS WHERE YEAR = '1651'"), std::vector<std::string>{"Gulden"});
    EXPECT_EQ(QueryNames(db, "SELECT * FROM COINS WHERE YEAR = '1873'"), std::vector<std::string>{"Mark"});
    EXPECT_TRUE(QueryNames(db, "SELECT * FROM COINS WHERE NAME = '1651' OR NAME = '1873'").empty());
    EXPECT_EQ(QueryNames(db, "SELECT * FROM COINS WHERE PRICE = 99.99"), std::vector<std::string>{"Gulden"});
}

TEST_F(DaoRecordsetTest, DeletesEveryRowItWalksOver)
{
    // The purge of deleted rows and the repair of links walk a recordset while deleting from it.
    CDaoRecordset links(&db);
    links.Open(dbOpenTable, "LINK");
    int seen = 0;
    for (; !links.IsEOF(); links.MoveNext()) {
        ++seen;
        if (links.GetFieldValue("OID_OUT").GetDouble() != 2300002) {
            links.Delete();
        }
    }
    EXPECT_EQ(seen, 5);
    EXPECT_EQ(links.GetRecordCount(), 2);

    CDaoRecordset purge(&db);
    purge.Open(dbOpenDynaset, "SELECT * FROM [COINS] WHERE DELETED = False");
    for (purge.MoveFirst(); !purge.IsEOF(); purge.MoveNext()) {
        purge.Delete();
    }
    EXPECT_EQ(QueryNames(db, "SELECT * FROM COINS"), std::vector<std::string>{"ducat"});
}

TEST_F(DaoRecordsetTest, ASnapshotKeepsTheRowsItWasOpenedOn)
{
    CDaoRecordset snapshot(&db);
    snapshot.Open(dbOpenSnapshot, "SELECT * FROM COINS ORDER BY AUTOINCR");
    EXPECT_EQ(snapshot.GetFieldValue("NAME").ToText(), "Thaler");
    db.Execute("DELETE FROM COINS WHERE AUTOINCR > 1");
    std::vector<std::string> names;
    for (; !snapshot.IsEOF(); snapshot.MoveNext()) {
        names.push_back(snapshot.GetFieldValue("NAME").ToText());
    }
    EXPECT_EQ(names, kAllNames);
    EXPECT_FALSE(snapshot.CanUpdate());
    snapshot.MoveFirst();
    EXPECT_EQ(ErrorOf([&] { snapshot.Edit(); }), errors::kReadOnly);
    CDaoRecordset join(&db);
    join.Open(dbOpenDynaset, "SELECT COINS.NAME FROM COINS INNER JOIN LINK ON COINS.UID = LINK.OID_IN");
    EXPECT_EQ(ErrorOf([&] { join.AddNew(); }), errors::kReadOnly);
}

TEST_F(DaoRecordsetTest, KeepsLongBinaryBytesAsTheyAre)
{
    db.Execute("CREATE TABLE FILES (NAME VARCHAR(64) COLLATE FOLDCASE, [TEXT] LONGBLOB)");
    CDaoRecordset rs(&db);
    rs.Open(dbOpenTable, "FILES");
    const std::vector<std::uint8_t> bytes = {'{', 0, 0xA7, 0xFC, '}', 0xFF};
    rs.AddNew();
    rs.SetFieldValue("NAME", "metaData.txt");
    rs.SetFieldBytes("TEXT", bytes);
    rs.Update();
    rs.AddNew();
    rs.SetFieldValue("NAME", "empty");
    rs.SetFieldBytes("TEXT", {});
    rs.Update();
    CDaoRecordset read(&db);
    read.Open(dbOpenDynaset, "SELECT * FROM FILES where name = 'METADATA.TXT' ;");
    EXPECT_EQ(read.GetFieldBytes("text"), bytes);
    EXPECT_EQ(read.GetFieldValue("TEXT").GetType(), VariantType::Binary);
    read.Open(dbOpenDynaset, "SELECT * FROM FILES where name = 'empty'");
    EXPECT_EQ(read.GetFieldValue("TEXT"), CDaoVariant(std::vector<std::uint8_t>{})); // empty, not null
}

TEST_F(DaoRecordsetTest, TransactionsCommitAndRollBackAcrossDatabases)
{
    CDaoWorkspace& workspace = CDaoWorkspace::Default();
    EXPECT_EQ(ErrorOf([&] { workspace.CommitTrans(); }), errors::kNoTransaction);
    const auto otherPath = lumarc::test::MakeTempFolder("other") / "other.ctg";
    lumarc::test::CreateCoinDatabase(otherPath);
    CDaoDatabase other;
    other.Open(otherPath);

    workspace.BeginTrans();
    db.Execute("DELETE FROM COINS WHERE AUTOINCR = 1");
    other.Execute("DELETE FROM COINS WHERE AUTOINCR = 2");
    workspace.BeginTrans();
    db.Execute("DELETE FROM COINS WHERE AUTOINCR = 3");
    workspace.Rollback(); // the inner level only
    CDaoRecordset rs(&db);
    rs.Open(dbOpenTable, "COINS");
    rs.AddNew();
    EXPECT_EQ(rs.GetFieldValue("AUTOINCR").GetLong(), 8);
    rs.SetFieldValue("NAME", "first");
    rs.Update();
    rs.AddNew();
    EXPECT_EQ(rs.GetFieldValue("AUTOINCR").GetLong(), 9);
    rs.SetFieldValue("NAME", "second");
    rs.Update();
    workspace.CommitTrans();
    EXPECT_EQ(QueryNames(db, "SELECT * FROM COINS WHERE AUTOINCR IN (1, 3, 8, 9)"),
              (std::vector<std::string>{"Écu", "first", "second"}));
    EXPECT_EQ(QueryNames(other, "SELECT * FROM COINS WHERE AUTOINCR = 2").size(), 0u);

    workspace.BeginTrans();
    db.Execute("DELETE FROM COINS");
    workspace.Rollback();
    EXPECT_EQ(QueryNames(db, "SELECT * FROM COINS").size(), 8u);
    EXPECT_EQ(workspace.GetTransactionDepth(), 0);
}

TEST_F(DaoRecordsetTest, ClosingTheDatabaseClosesItsRecordsets)
{
    CDaoRecordset rs(&db);
    rs.Open(dbOpenTable, "COINS");
    db.Close();
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_EQ(ErrorOf([&] { rs.MoveNext(); }), errors::kObjectInvalid);
    EXPECT_EQ(ErrorOf([&] { rs.Open(dbOpenTable, "COINS"); }), errors::kObjectInvalid);
}

} // namespace

namespace {

// Enough rows that a recordset lets go of the earliest ones while it reads forward.
class LargeRecordsetTest : public testing::Test
{
protected:
    void SetUp() override
    {
        path = lumarc::test::MakeTempFolder("large") / "large.ctg";
        db.Create(path);
        db.Execute(
            "CREATE TABLE ROWSET (N INTEGER PRIMARY KEY AUTOINCREMENT, LABEL VARCHAR(20) COLLATE FOLDCASE)");
        CDaoWorkspace::Default().BeginTrans();
        for (int i = 1; i <= kCount; ++i) {
            db.Execute("INSERT INTO ROWSET (LABEL) VALUES ('row " + std::to_string(i) + "')");
        }
        CDaoWorkspace::Default().CommitTrans();
    }

    // Reads forward to the end and back to the start; the numbers seen, in order.
    static std::vector<int> ThereAndBack(CDaoRecordset& rs)
    {
        std::vector<int> seen;
        for (; !rs.IsEOF(); rs.MoveNext()) {
            seen.push_back(rs.GetFieldValue("N").GetLong());
        }
        for (rs.MovePrev(); !rs.IsBOF(); rs.MovePrev()) {
            seen.push_back(rs.GetFieldValue("N").GetLong());
        }
        return seen;
    }

    static std::vector<int> Expected()
    {
        std::vector<int> expected;
        for (int i = 1; i <= kCount; ++i) {
            expected.push_back(i);
        }
        for (int i = kCount; i >= 1; --i) {
            expected.push_back(i);
        }
        return expected;
    }

    static constexpr int kCount = 1500;
    std::filesystem::path path;
    CDaoDatabase db;
};

TEST_F(LargeRecordsetTest, AHalfReadTableDoesNotHoldOffAnotherWriter)
{
    CDaoRecordset rs(&db);
    rs.Open(dbOpenTable, "ROWSET");
    rs.Move(100);
    CDaoDatabase other;
    other.Open(path);
    const auto start = std::chrono::steady_clock::now();
    other.Execute("DELETE FROM ROWSET WHERE N > 1000");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    int rows = 101;
    for (rs.MoveNext(); !rs.IsEOF(); rs.MoveNext()) {
        ++rows;
    }
    EXPECT_EQ(rows, 1000); // a table shows what is in it as it walks on
}

TEST_F(LargeRecordsetTest, WalksEveryRowForwardAndBack)
{
    for (const int type : {dbOpenTable, dbOpenDynaset, dbOpenSnapshot}) {
        CDaoRecordset rs(&db);
        rs.Open(type, "ROWSET");
        EXPECT_EQ(ThereAndBack(rs), Expected()) << "open type " << type;
    }
    CDaoRecordset indexed(&db);
    indexed.Open(dbOpenTable, "ROWSET");
    CDaoTableDef table(&db);
    table.Open("ROWSET");
    CDaoIndexInfo byLabel;
    byLabel.m_name = "ByLabel";
    byLabel.m_fields = {{"LABEL", true}};
    table.CreateIndex(byLabel);
    indexed.Open(dbOpenTable, "ROWSET");
    indexed.SetCurrentIndex("ByLabel");
    std::vector<std::string> labels;
    for (; !indexed.IsEOF(); indexed.MoveNext()) {
        labels.push_back(indexed.GetFieldValue("LABEL").GetText());
    }
    ASSERT_EQ(labels.size(), static_cast<size_t>(kCount));
    EXPECT_TRUE(std::is_sorted(labels.rbegin(), labels.rend()));
    indexed.MovePrev();
    EXPECT_EQ(indexed.GetFieldValue("LABEL").GetText(), labels.back());
}

TEST_F(LargeRecordsetTest, StartsOverAndCountsWhatItReached)
{
    CDaoRecordset rs(&db);
    rs.Open(dbOpenSnapshot, "SELECT * FROM ROWSET WHERE N <= 1000");
    rs.Move(900);
    EXPECT_EQ(rs.GetFieldValue("N").GetLong(), 901);
    EXPECT_EQ(rs.GetRecordCount(), 901);
    rs.MoveFirst();
    EXPECT_EQ(rs.GetFieldValue("N").GetLong(), 1);
    rs.MoveLast();
    EXPECT_EQ(rs.GetRecordCount(), 1000);
}

TEST_F(LargeRecordsetTest, ASnapshotReadPartlyKeepsItsRowsThroughAChange)
{
    CDaoRecordset rs(&db);
    rs.Open(dbOpenSnapshot, "SELECT * FROM ROWSET ORDER BY N");
    for (int i = 0; i < 1000; ++i) {
        rs.MoveNext();
    }
    db.Execute("DELETE FROM ROWSET WHERE N > 1");
    rs.MoveFirst();
    EXPECT_EQ(ThereAndBack(rs), Expected());
}

} // namespace
