#pragma once
// The tables of a catalogue besides its data files, and the system columns every table of records
// has. A catalogue holds:
//   PASSWORD  its one settings row          AREAS    its folders
//   FILES     its stored texts              BMP      its pictures
//   FONTS     the fonts of its forms        LINK     the links between records
//   QUERIES   its stored queries (data file 23)     DistList  its item lists (data file 22)
//   Notes     journal notes (data file 20)          Editor    file items (data file 21)
//   OWNED     the key codes of owned records (not in every catalogue)
// and one table per data file. Every table carries the stamps CREADATE and MODIDATE that the
// recordset writes; tables of records carry the system columns below.

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoTableDef.h"

#include <string>

// Appends the system columns of a table of records, in this order: PARENT, UID, FROM-UID, AUTOINCR
// (the counter, with the primary index "OID"), CREADATE, MODIDATE, ACCESSCODE, HTML, DELETED.
void AppendSystemColumns(platform::dao::CDaoTableDef& table);

// Creates the primary index "OID" on the counter AUTOINCR, by which a record's row is sought.
void CreateOidIndex(platform::dao::CDaoTableDef& table);

// Creates every table above (OWNED only when asked) in an open database that has none of them.
void CreateCatalogueTables(platform::dao::CDaoDatabase& db, bool withOwnedTable = true);

// What the settings row of a catalogue made from nothing holds besides its stamps.
struct NewCatalogueSettings
{
    std::string name;
    int id = 1;     // ID
    int number = 1; // DBNUMBER
    std::string comment;
};

// Writes into the tables above the rows a catalogue made from nothing starts with: its settings row
// (created, changed and backed up now; version 0) and an empty "metaData.txt", the stored text the data
// files' definitions are saved into (they are saved into an existing row only).
void WriteNewCatalogueRows(platform::dao::CDaoDatabase& db, const NewCatalogueSettings& settings);
