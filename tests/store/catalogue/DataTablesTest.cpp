// The tables of data files: made by type letter, changed when the definitions change, put back whole when
// a change fails.

#include "store/catalogue/CatalogueDb.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoTableDef.h"
#include "store/definitions/DataFileDef.h"
#include "store/catalogue/DataRecordset.h"
#include "store/markup/MarkupNode.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <map>

using namespace lumarc::test;
using namespace platform::dao;

namespace {

struct Column
{
    short type = 0;
    long size = 0;
};

std::map<std::string, Column> Columns(CCatalogueDb& catalogue, const std::string& table)
{
    CDaoTableDef definition(catalogue.GetDatabase());
    definition.Open(table);
    std::map<std::string, Column> columns;
    for (short i = 0; i < definition.GetFieldCount(); ++i) {
        CDaoFieldInfo info;
        definition.GetFieldInfo(i, info);
        columns[info.m_name] = {info.m_type, info.m_size};
    }
    return columns;
}

std::vector<std::string> ColumnNames(CCatalogueDb& catalogue, const std::string& table)
{
    CDaoTableDef definition(catalogue.GetDatabase());
    definition.Open(table);
    std::vector<std::string> names;
    for (short i = 0; i < definition.GetFieldCount(); ++i) {
        CDaoFieldInfo info;
        definition.GetFieldInfo(i, info);
        names.push_back(info.m_name);
    }
    return names;
}

std::vector<std::string> ColumnValues(CCatalogueDb& catalogue, const std::string& sql,
                                      const std::string& column)
{
    CDataRecordset rs(catalogue.GetDatabase());
    rs.OpenQuery(dbOpenSnapshot, sql);
    std::vector<std::string> values;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        values.push_back(rs.GetFieldText(column));
    }
    return values;
}

bool HasTable(CCatalogueDb& catalogue, const std::string& name)
{
    for (const std::string& table : catalogue.GetDatabase()->GetTableNames()) {
        if (table == name) {
            return true;
        }
    }
    return false;
}

CFieldDef Field(const std::string& name, char type, int length)
{
    CFieldDef field;
    field.Init(length, type, ' ', 'F', 'F', false, 0);
    field.SetFieldNameLimited(name, 10);
    field.SetCanBeHeader(true);
    return field;
}

// Takes field i out of a definition, moving the fields behind it up.
void RemoveField(CDataFileDef& definition, int i)
{
    for (int at = i; at + 1 < CDataFileDef::kMaxFields; ++at) {
        definition.Field(at)->CopyFrom(definition.GetField(at + 1));
    }
    definition.Field(CDataFileDef::kMaxFields - 1)->Reset();
    definition.CountFields();
}

std::filesystem::path TwoFileCatalogue(const std::string& hint)
{
    return CatalogueBuilder(MakeTempFolder(hint) / "tables.ctg")
        .DataFile(CoinsFile(1))
        .DataFile(CountriesFile(2))
        .Build();
}

TEST(DataTables, ColumnsFollowTheFieldTypeLetters)
{
    DataFileSpec file;
    file.number = 4;
    file.table = "LETTERS";
    file.menuName = "Letters";
    file.fields = {{.name = "B1", .type = 'B', .length = 9},  {.name = "I1", .type = 'i', .length = 40},
                   {.name = "F1", .type = 'F', .length = 40}, {.name = "O1", .type = 'o', .length = 40},
                   {.name = "U1", .type = 'U', .length = 20}, {.name = "D1", .type = 'd', .length = 8},
                   {.name = "P1", .type = 'P', .length = 4},  {.name = "M1", .type = 'm', .length = 2000},
                   {.name = "S1", .type = 'S', .length = 16}, {.name = "T1", .type = 'T', .length = 300},
                   {.name = "C1", .type = 'c', .length = 33}, {.name = "X1", .type = 'X', .length = 7}};
    const auto path = CatalogueBuilder(MakeTempFolder("letters") / "letters.ctg").DataFile(file).Build();
    CCatalogueDb catalogue(path);
    const auto columns = Columns(catalogue, "LETTERS");
    const std::map<std::string, Column> expected = {
        {"B1", {dbText, 1}},     {"I1", {dbText, 6}},   {"F1", {dbText, 12}},      {"O1", {dbText, 12}},
        {"U1", {dbCurrency, 8}}, {"D1", {dbDate, 8}},   {"P1", {dbLongBinary, 0}}, {"M1", {dbMemo, 0}},
        {"S1", {dbText, 16}},    {"T1", {dbText, 255}}, {"C1", {dbText, 33}},      {"X1", {dbText, 7}},
    };
    for (const auto& [name, column] : expected) {
        ASSERT_TRUE(columns.contains(name)) << name;
        EXPECT_EQ(columns.at(name).type, column.type) << name;
        if (column.type == dbText) {
            EXPECT_EQ(columns.at(name).size, column.size) << name;
        }
    }
    const auto names = ColumnNames(catalogue, "LETTERS");
    const std::vector<std::string> system(names.end() - 9, names.end());
    EXPECT_EQ(system, (std::vector<std::string>{"PARENT", "UID", "FROM-UID", "AUTOINCR", "CREADATE",
                                                "MODIDATE", "ACCESSCODE", "HTML", "DELETED"}));
    CDaoTableDef definition(catalogue.GetDatabase());
    definition.Open("LETTERS");
    CDaoIndexInfo oid;
    definition.GetIndexInfo("OID", oid);
    EXPECT_TRUE(oid.m_primary && oid.m_unique);
    ASSERT_EQ(oid.m_fields.size(), 1u);
    EXPECT_EQ(oid.m_fields[0].m_name, "AUTOINCR");

    // A table that is there already is left as it is, and counts as made.
    CDataFileDef letters(&catalogue);
    ASSERT_TRUE(letters.SelectFile(4));
    EXPECT_TRUE(catalogue.CreateDataTable(*letters.BuildNode()));
    EXPECT_EQ(ColumnNames(catalogue, "LETTERS"), names);

    CCatalogueDb closed;
    EXPECT_FALSE(closed.CreateDataTable(*letters.BuildNode()));
}

TEST(DataTables, ChangedDefinitionsChangeTheTablesAndKeepTheData)
{
    const auto path = TwoFileCatalogue("change");
    CCatalogueDb catalogue(path);
    const CNodeRef franc = AddRecord(catalogue, 1, 0, {{"NAME", "Franc"}, {"YEAR", "1960"}, {"GRADE", "VF"}});
    const CNodeRef mark = AddRecord(catalogue, 1, 0, {{"NAME", std::string(40, 'm')}, {"GRADE", "XF"}});
    AddRecord(catalogue, 2, 0, {{"NAME", "France"}});

    CDataFileDef coins(&catalogue);
    ASSERT_TRUE(coins.SelectFile(1));
    coins.SetFieldLength(0, 60); // NAME widened from 40
    RemoveField(coins, coins.FindFieldByName("GRADE"));
    coins.AppendField(Field("MINT", 'C', 3));
    coins.SetFieldColumnHeader(coins.FindFieldByName("NAME"), 0); // the stored flag comes back
    coins.StoreInCatalogue();
    DataFileSpec medals = CoinsFile(4);
    medals.table = "MEDALS";
    medals.menuName = "Medal";
    DefinitionOf(catalogue, medals).StoreInCatalogue();

    ASSERT_TRUE(catalogue.UpdateTables("COINS", 0, false, true, "Coin (world)"));

    const auto columns = Columns(catalogue, "COINS");
    EXPECT_EQ(columns.at("NAME").size, 60);
    EXPECT_FALSE(columns.contains("GRADE"));
    EXPECT_EQ(columns.at("MINT").size, 3);
    EXPECT_FALSE(columns.contains("tmpFldDb"));
    EXPECT_TRUE(HasTable(catalogue, "MEDALS"));
    EXPECT_EQ(ColumnValues(catalogue, "SELECT * FROM COINS ORDER BY AUTOINCR", "NAME"),
              (std::vector<std::string>{"Franc", std::string(40, 'm')}));
    EXPECT_EQ(ColumnValues(catalogue, "SELECT * FROM COINS ORDER BY AUTOINCR", "YEAR"),
              (std::vector<std::string>{"1960", ""}));
    EXPECT_EQ(ColumnValues(catalogue, "SELECT * FROM COUNTRIES", "NAME"), std::vector<std::string>{"France"});
    EXPECT_TRUE(IsLiveRecord(catalogue, franc) && IsLiveRecord(catalogue, mark));

    // The definitions were saved and read again, with the values the change carries.
    CDataFileDef saved(&catalogue);
    ASSERT_TRUE(saved.SelectFile(1));
    EXPECT_EQ(saved.GetStrongName(), "Coin (world)");
    EXPECT_EQ(saved.GetFieldLength(0), 60);
    EXPECT_TRUE(saved.IsFieldColumnHeader(0));
    EXPECT_EQ(saved.FindFieldByName("GRADE"), -1);
    EXPECT_GE(saved.FindFieldByName("MINT"), 0);
    ASSERT_TRUE(saved.SelectFile(4));
    EXPECT_EQ(saved.GetFileName(), "MEDALS");
    EXPECT_FALSE(std::filesystem::exists(CCatalogueDb::TempBackupPath()));

    // The change is in the file, not only in this object.
    catalogue.Close();
    catalogue.Reopen(path);
    EXPECT_EQ(Columns(catalogue, "COINS").at("NAME").size, 60);
    ASSERT_TRUE(saved.SelectFile(1));
    EXPECT_EQ(saved.GetFieldLength(0), 60);
}

TEST(DataTables, ASecondRunAndARemovedDataFileChangeNoTable)
{
    const auto path = TwoFileCatalogue("twice");
    CCatalogueDb catalogue(path);
    AddRecord(catalogue, 2, 0, {{"NAME", "France"}});
    CDataFileDef coins(&catalogue);
    ASSERT_TRUE(coins.SelectFile(1));
    coins.SetFieldLength(0, 50);
    coins.StoreInCatalogue();
    CDataFileDef(&catalogue).ClearMenuNameOf(2);
    ASSERT_TRUE(catalogue.UpdateTables("COINS", 0, false, true, "Coin"));
    const auto coinColumns = ColumnNames(catalogue, "COINS");
    std::string definitions;
    ASSERT_TRUE(catalogue.ReadFileText("metaData.txt", definitions));

    ASSERT_TRUE(catalogue.UpdateTables("COINS", 0, false, true, "Coin"));
    EXPECT_EQ(ColumnNames(catalogue, "COINS"), coinColumns);
    EXPECT_EQ(Columns(catalogue, "COINS").at("NAME").size, 50);
    // The countries' table stays in the file, with its rows, though no definition names it.
    EXPECT_TRUE(HasTable(catalogue, "COUNTRIES"));
    EXPECT_EQ(ColumnValues(catalogue, "SELECT * FROM COUNTRIES", "NAME"), std::vector<std::string>{"France"});
    CDataFileDef countries(&catalogue);
    EXPECT_FALSE(countries.SelectFile(2));
    std::string again;
    ASSERT_TRUE(catalogue.ReadFileText("metaData.txt", again));
    // Only the time stamp of the definitions differs.
    const auto withoutTime = [](const std::string& text) {
        CMarkupNode tree;
        tree.LoadFromBuffer(text);
        tree.RemoveAttribute("time");
        std::string written;
        tree.SaveToBuffer(written);
        return written;
    };
    EXPECT_EQ(withoutTime(again), withoutTime(definitions));
}

TEST(DataTables, AFailedChangePutsTheWholeCatalogueBack)
{
    const auto path = TwoFileCatalogue("restore");
    CCatalogueDb catalogue(path);
    AddRecord(catalogue, 1, 0, {{"NAME", "Franc"}, {"GRADE", "VF"}});
    {
        // Someone indexed GRADE: its column cannot simply be dropped.
        CDaoTableDef coins(catalogue.GetDatabase());
        coins.Open("COINS");
        CDaoIndexInfo index;
        index.m_name = "BYGRADE";
        index.m_fields = {{"GRADE", false}};
        coins.CreateIndex(index);
    }
    const auto before = ColumnNames(catalogue, "COINS");
    CDataFileDef coins(&catalogue);
    ASSERT_TRUE(coins.SelectFile(1));
    coins.AppendField(Field("MINT", 'C', 3)); // added before the removal fails
    RemoveField(coins, coins.FindFieldByName("GRADE"));
    coins.StoreInCatalogue();
    Dialogs().Clear();

    EXPECT_FALSE(catalogue.UpdateTables("COINS", 0, false, true, "Coin"));

    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text, "Data Base operation Error.\nRestoring old Catalogue");
    EXPECT_EQ(Dialogs().messages[0].caption, "Error");
    ASSERT_NE(catalogue.GetDatabase(), nullptr);
    EXPECT_EQ(ColumnNames(catalogue, "COINS"), before);
    EXPECT_EQ(ColumnValues(catalogue, "SELECT * FROM COINS", "GRADE"), std::vector<std::string>{"VF"});
    CDataFileDef restored(&catalogue);
    ASSERT_TRUE(restored.SelectFile(1));
    EXPECT_GE(restored.FindFieldByName("GRADE"), 0);
    EXPECT_EQ(restored.FindFieldByName("MINT"), -1);
}

TEST(DataTables, ATableThatCannotBeMadeRollsTheChangeBack)
{
    const auto path = TwoFileCatalogue("badtable");
    CCatalogueDb catalogue(path);
    CDataFileDef coins(&catalogue);
    ASSERT_TRUE(coins.SelectFile(1));
    coins.AppendField(Field("MINT", 'C', 3));
    coins.StoreInCatalogue();
    DataFileSpec broken;
    broken.number = 5;
    broken.table = "BROKEN";
    broken.menuName = "Broken";
    broken.fields = {{.name = "PARENT", .type = 'C', .length = 10}}; // a system column's name
    DefinitionOf(catalogue, broken).StoreInCatalogue();
    Dialogs().Clear();

    EXPECT_FALSE(catalogue.UpdateTables("COINS", 0, false, true, "Coin"));

    EXPECT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_FALSE(HasTable(catalogue, "BROKEN"));
    EXPECT_FALSE(Columns(catalogue, "COINS").contains("MINT"));
}

} // namespace

namespace {

TEST(DataTables, RemovingATableSaysSo)
{
    CCatalogueDb catalogue(TwoFileCatalogue("remove"));
    Dialogs().Clear();
    catalogue.RemoveTable("COUNTRIES");
    catalogue.RemoveTable("NOWHERE"); // swallowed
    ASSERT_EQ(Dialogs().messages.size(), 2u);
    EXPECT_EQ(Dialogs().messages[0].text, "I am removing a table");
    EXPECT_EQ(Dialogs().messages[0].caption, "Error");
    EXPECT_FALSE(HasTable(catalogue, "COUNTRIES"));
    EXPECT_TRUE(HasTable(catalogue, "COINS"));
}

} // namespace
