#include "platform/dao/DaoTableDef.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/DaoRecordset.h"
#include "tests/platform/dao/DaoFixture.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace platform::dao;
using lumarc::test::QueryNames;

namespace {

class DaoTableDefTest : public testing::Test
{
protected:
    void SetUp() override
    {
        db.Create(lumarc::test::MakeTempFolder("tabledef") / "coins.ctg");
        lumarc::test::BuildCoinTables(db);
    }

    long ErrorOf(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const CDaoException& error) {
            return error.GetErrorCode();
        }
        return 0;
    }

    std::vector<std::string> Column(const char* field)
    {
        std::vector<std::string> values;
        CDaoRecordset rs(&db);
        rs.Open(dbOpenTable, "COINS");
        for (; !rs.IsEOF(); rs.MoveNext()) {
            values.push_back(rs.GetFieldValue(field).ToText());
        }
        return values;
    }

    CDaoDatabase db;
};

TEST_F(DaoTableDefTest, DescribesFieldsAndIndexesAsTheyWereCreated)
{
    CDaoTableDef table(&db);
    table.Open("coins");
    EXPECT_EQ(table.GetName(), "COINS");
    struct Expected
    {
        const char* name;
        short type;
        long size;
        bool counter;
    };
    const Expected expected[] = {
        {"NAME", dbText, 40, false},      {"YEAR", dbText, 10, false},    {"PRICE", dbCurrency, 8, false},
        {"BOUGHT", dbDate, 8, false},     {"PARENT", dbDouble, 8, false}, {"UID", dbDouble, 8, false},
        {"FROM-UID", dbDouble, 8, false}, {"AUTOINCR", dbLong, 4, true},  {"CREADATE", dbText, 16, false},
        {"MODIDATE", dbText, 16, false},  {"HTML", dbMemo, 0, false},     {"DELETED", dbBoolean, 1, false},
    };
    ASSERT_EQ(table.GetFieldCount(), static_cast<short>(std::size(expected)));
    for (short i = 0; i < table.GetFieldCount(); ++i) {
        CDaoFieldInfo info;
        table.GetFieldInfo(i, info);
        EXPECT_EQ(info.m_name, expected[i].name);
        EXPECT_EQ(info.m_type, expected[i].type) << info.m_name;
        EXPECT_EQ(info.m_size, expected[i].size) << info.m_name;
        EXPECT_EQ((info.m_attributes & dbAutoIncrField) != 0, expected[i].counter) << info.m_name;
        EXPECT_EQ(info.m_ordinalPosition, i);
    }
    ASSERT_EQ(table.GetIndexCount(), 1);
    CDaoIndexInfo oid;
    table.GetIndexInfo("oid", oid);
    EXPECT_EQ(oid.m_name, "OID");
    EXPECT_TRUE(oid.m_primary && oid.m_unique && oid.m_required);
    ASSERT_EQ(oid.m_fields.size(), 1u);
    EXPECT_EQ(oid.m_fields[0].m_name, "AUTOINCR");
    EXPECT_EQ(table.GetRecordCount(), 7);
}

TEST_F(DaoTableDefTest, CopiesAStructureFromItsOwnDescription)
{
    // What creating a catalogue from another does: every field and index read, then created anew.
    CDaoTableDef source(&db);
    source.Open("COINS");
    CDaoTableDef copy(&db);
    copy.Create("COPY");
    for (short i = 0; i < source.GetFieldCount(); ++i) {
        CDaoFieldInfo info;
        source.GetFieldInfo(i, info);
        copy.CreateField(info.m_name, info.m_type, info.m_size, info.m_attributes);
    }
    CDaoIndexInfo byName;
    byName.m_name = "ByName";
    byName.m_fields = {{"NAME", false}, {"YEAR", true}};
    byName.m_unique = byName.m_ignoreNulls = true;
    source.CreateIndex(byName);
    for (short i = 0; i < source.GetIndexCount(); ++i) {
        CDaoIndexInfo info;
        source.GetIndexInfo(i, info);
        copy.CreateIndex(info);
    }
    copy.Append();

    CDaoTableDef reread(&db);
    reread.Open("COPY");
    ASSERT_EQ(reread.GetFieldCount(), source.GetFieldCount());
    for (short i = 0; i < source.GetFieldCount(); ++i) {
        CDaoFieldInfo a;
        CDaoFieldInfo b;
        source.GetFieldInfo(i, a);
        reread.GetFieldInfo(i, b);
        EXPECT_EQ(std::tie(a.m_name, a.m_type, a.m_size, a.m_attributes, a.m_required),
                  std::tie(b.m_name, b.m_type, b.m_size, b.m_attributes, b.m_required));
    }
    ASSERT_EQ(reread.GetIndexCount(), 2);
    CDaoIndexInfo primary;
    CDaoIndexInfo secondary;
    reread.GetIndexInfo(0, primary);
    reread.GetIndexInfo(1, secondary);
    EXPECT_EQ(primary.m_name, "OID");
    EXPECT_TRUE(primary.m_primary);
    EXPECT_EQ(secondary.m_name, "ByName");
    EXPECT_TRUE(secondary.m_unique && secondary.m_ignoreNulls && !secondary.m_primary);
    ASSERT_EQ(secondary.m_fields.size(), 2u);
    EXPECT_TRUE(secondary.m_fields[1].m_descending);
    EXPECT_EQ(db.GetTableNames(), (std::vector<std::string>{"COINS", "COPY", "LINK"}));
}

TEST_F(DaoTableDefTest, AddsAndDeletesFieldsKeepingRowsAndTheCounter)
{
    db.Execute("DELETE FROM COINS WHERE AUTOINCR = 7"); // the highest number is gone but stays used
    CDaoTableDef table(&db);
    table.Open("COINS");
    table.CreateField("GRADE", dbText, 20);
    table.CreateField("WEIGHT", dbSingle, 4);
    EXPECT_EQ(Column("GRADE"), std::vector<std::string>(6, ""));
    table.DeleteField("YEAR");
    table.DeleteField("WEIGHT");
    CDaoFieldInfo info;
    EXPECT_EQ(ErrorOf([&] { table.GetFieldInfo("YEAR", info); }), errors::kItemNotFound);
    EXPECT_EQ(Column("NAME"),
              (std::vector<std::string>{"Thaler", "ducat", "Écu", "Penny", "50% off", "under_score"}));

    CDaoRecordset rs(&db);
    rs.Open(dbOpenTable, "COINS");
    rs.AddNew();
    EXPECT_EQ(rs.GetFieldValue("AUTOINCR").GetLong(), 8);
    rs.CancelUpdate();
    EXPECT_EQ(ErrorOf([&] { table.DeleteField("AUTOINCR"); }), errors::kFieldInIndex);
    EXPECT_EQ(ErrorOf([&] { table.CreateField("NAME", dbText, 5); }), errors::kFieldDefinedTwice);
}

TEST_F(DaoTableDefTest, AYesNoFieldIsNeverNull)
{
    // Rows that existed before the field, rows added without it and rows given no value all read No,
    // so a search for "= False" finds them.
    CDaoTableDef table(&db);
    table.Open("COINS");
    table.CreateField("PROOF", dbBoolean, 1);
    CDaoFieldInfo info;
    table.GetFieldInfo("PROOF", info);
    EXPECT_FALSE(info.m_required);
    db.Execute("INSERT INTO COINS (NAME) VALUES ('Florin')", dbFailOnError);
    db.Execute("UPDATE COINS SET DELETED = Null WHERE NAME = 'Penny'", dbFailOnError);
    {
        CDaoRecordset rs(&db);
        rs.Open(dbOpenTable, "COINS");
        rs.AddNew();
        rs.SetFieldValue("NAME", "Mark");
        rs.SetFieldValueNull("DELETED");
        rs.Update();
    }
    EXPECT_EQ(QueryNames(db, "SELECT * FROM COINS WHERE PROOF = False").size(), 9u);
    EXPECT_EQ(
        QueryNames(db, "SELECT * FROM COINS WHERE DELETED = False AND NAME IN ('Florin', 'Penny', 'Mark')"),
        (std::vector<std::string>{"Penny", "Florin", "Mark"}));
    EXPECT_EQ(Column("PROOF"), std::vector<std::string>(9, "0"));
}

TEST_F(DaoTableDefTest, ChangesATextLengthThroughAWorkColumnKeepingEveryValue)
{
    // The steps a structure change takes to widen a column.
    CDaoTableDef table(&db);
    table.Open("COINS");
    CDaoFieldInfo info;
    table.GetFieldInfo("NAME", info);
    info.m_name = "tmpFldDb";
    info.m_size = 60;
    info.m_required = false;
    table.CreateField(info);
    db.Execute("UPDATE DISTINCTROW  [COINS] SET tmpFldDb = [NAME];");
    table.DeleteField("NAME");
    table.CreateField("NAME", dbText, 60);
    db.Execute("UPDATE DISTINCTROW  [COINS] SET NAME = [tmpFldDb];");
    table.DeleteField("tmpFldDb");
    table.GetFieldInfo("NAME", info);
    EXPECT_EQ(info.m_size, 60);
    EXPECT_EQ(QueryNames(db, "SELECT * FROM COINS ORDER BY AUTOINCR"),
              (std::vector<std::string>{"Thaler", "ducat", "Écu", "Penny", "50% off", "under_score",
                                        "Louis d'or"}));
}

TEST_F(DaoTableDefTest, ReportsMissingAndDuplicateObjects)
{
    CDaoTableDef table(&db);
    EXPECT_EQ(ErrorOf([&] { table.Open("NOSUCH"); }), errors::kObjectNotFound);
    table.Create("link");
    table.CreateField("X", dbLong, 4);
    EXPECT_EQ(ErrorOf([&] { table.Append(); }), errors::kTableExists);
    CDaoTableDef empty(&db);
    empty.Create("EMPTY");
    EXPECT_NE(ErrorOf([&] { empty.Append(); }), 0);
    CDaoIndexInfo index;
    index.m_name = "Missing";
    index.m_fields = {{"NOFIELD", false}};
    EXPECT_EQ(ErrorOf([&] { table.CreateIndex(index); }), errors::kItemNotFound);
    EXPECT_EQ(ErrorOf([&] { db.DeleteTableDef("NOSUCH"); }), errors::kObjectNotFound);
    db.DeleteTableDef("link");
    EXPECT_EQ(db.GetTableNames(), std::vector<std::string>{"COINS"});
}

} // namespace
