#include "store/catalogue/CatalogueLayout.h"
#include "store/catalogue/DataRecordset.h"

#include <ctime>
#include <initializer_list>

using namespace platform::dao;

namespace {

struct Column
{
    const char* name;
    short type;
    long size;
};

enum class Rows
{
    Plain,  // the stamps CREADATE and MODIDATE only
    Records // the system columns of records
};

void CreateTable(CDaoDatabase& db, const char* name, std::initializer_list<Column> columns, Rows rows)
{
    CDaoTableDef table(&db);
    table.Create(name);
    for (const Column& column : columns) {
        table.CreateField(column.name, column.type, column.size);
    }
    if (rows == Rows::Records) {
        AppendSystemColumns(table);
    } else {
        table.CreateField("CREADATE", dbText, 16);
        table.CreateField("MODIDATE", dbText, 16);
    }
    table.Append();
}

} // namespace

void AppendSystemColumns(CDaoTableDef& table)
{
    table.CreateField("PARENT", dbDouble, 8);
    table.CreateField("UID", dbDouble, 8);
    table.CreateField("FROM-UID", dbDouble, 8);
    table.CreateField("AUTOINCR", dbLong, 4, dbAutoIncrField);
    table.CreateField("CREADATE", dbText, 16);
    table.CreateField("MODIDATE", dbText, 16);
    table.CreateField("ACCESSCODE", dbText, 8);
    table.CreateField("HTML", dbMemo, 0);
    table.CreateField("DELETED", dbBoolean, 1);
    CreateOidIndex(table);
}

void CreateOidIndex(CDaoTableDef& table)
{
    CDaoIndexInfo oid;
    oid.m_name = "OID";
    oid.m_fields = {{"AUTOINCR", false}};
    oid.m_primary = true;
    oid.m_unique = true;
    oid.m_required = true;
    oid.m_ignoreNulls = true;
    table.CreateIndex(oid);
}

void CreateCatalogueTables(CDaoDatabase& db, bool withOwnedTable)
{
    CreateTable(db, "PASSWORD",
                {{"NAME", dbText, 128},
                 {"DELETEDENTRIES", dbLong, 4},
                 {"CREAD", dbText, 10},
                 {"MODID", dbText, 10},
                 {"TOTBCKD", dbText, 10},
                 {"INCBCKD", dbText, 10},
                 {"HASAGE", dbLong, 4},
                 {"HELPFILE", dbText, 40},
                 {"VERSION", dbLong, 4},
                 {"ID", dbLong, 4},
                 {"ISAREAALLOWED", dbLong, 4},
                 {"IsViewOnly", dbLong, 4},
                 {"ISBMP", dbLong, 4},
                 {"DBNUMBER", dbLong, 4},
                 {"COMMENT", dbMemo, 0},
                 {"ADVERTTEXT0", dbLongBinary, 0},
                 {"ADVERTTEXT1", dbLongBinary, 0},
                 {"ADVERTTEXT2", dbLongBinary, 0},
                 {"ADVERTTEXT3", dbLongBinary, 0},
                 {"ADVERTTEXT4", dbLongBinary, 0}},
                Rows::Plain);
    CreateTable(db, "AREAS",
                {{"NAME", dbText, 100},
                 {"COMMENT", dbMemo, 0},
                 {"HTML", dbMemo, 0},
                 {"ORDERED", dbMemo, 0},
                 {"ORDEREDNUMBER", dbInteger, 2},
                 {"ORDERED_BY", dbLong, 4},
                 {"NUMBER", dbDouble, 8},
                 {"TYPE", dbText, 6},
                 {"PARENT", dbDouble, 8}},
                Rows::Plain);
    CreateTable(db, "FILES", {{"NAME", dbText, 64}, {"TEXT", dbLongBinary, 0}}, Rows::Plain);
    CreateTable(db, "BMP", {{"NUMBER", dbLong, 4}, {"BMP_DESCRIPTION", dbLongBinary, 0}}, Rows::Plain);
    CreateTable(db, "FONTS", {{"NUMBER", dbLong, 4}, {"FONT_DESCRIPTION", dbMemo, 0}}, Rows::Plain);
    CreateTable(db, "LINK", {{"OID_IN", dbDouble, 8}, {"OID_OUT", dbDouble, 8}, {"DELETED", dbText, 1}},
                Rows::Plain);
    // Stored queries keep their text beside the two fields of their data file.
    CreateTable(db, "QUERIES", {{"NAME", dbText, 128}, {"COMMENT", dbMemo, 0}, {"CONTENTS", dbMemo, 0}},
                Rows::Records);
    CreateTable(db, "DistList", {{"NAME", dbText, 128}, {"COMMENT", dbMemo, 0}}, Rows::Records);
    CreateTable(db, "Notes", {{"NoteText", dbMemo, 0}}, Rows::Records);
    CreateTable(db, "Editor", {{"EdtFn", dbText, 255}}, Rows::Records);
    if (withOwnedTable) {
        CreateTable(db, "OWNED", {{"UID", dbDouble, 8}}, Rows::Plain);
    }
}

void WriteNewCatalogueRows(CDaoDatabase& db, const NewCatalogueSettings& settings)
{
    CDataRecordset rs(&db);
    rs.OpenQuery(dbOpenTable, "PASSWORD");
    rs.AddNew();
    rs.SetFieldText("NAME", settings.name);
    rs.SetFieldLong("DELETEDENTRIES", 0);
    const std::time_t now = std::time(nullptr);
    for (const char* date : {"CREAD", "MODID", "TOTBCKD", "INCBCKD"}) {
        rs.SetFieldTime(date, now);
    }
    rs.SetFieldLong("HASAGE", 0);
    rs.SetFieldText("HELPFILE", "");
    rs.SetFieldLong("VERSION", 0);
    rs.SetFieldLong("ID", settings.id);
    rs.SetFieldLong("ISAREAALLOWED", 1);
    rs.SetFieldLong("IsViewOnly", 0);
    rs.SetFieldLong("ISBMP", 0);
    rs.SetFieldLong("DBNUMBER", settings.number);
    rs.SetFieldText("COMMENT", settings.comment);
    rs.Update();
    rs.OpenQuery(dbOpenTable, "FILES");
    rs.AddNew();
    rs.SetFieldText("NAME", "metaData.txt");
    rs.SetFieldMemo("TEXT", "");
    rs.Update();
}
