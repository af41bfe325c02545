#pragma once
// Inside the database layer: how a table of the engine is laid out in SQLite, read back from SQLite's
// own schema, and the statements that create it.
//
// Field types live in the declared column types (BIT, BYTE, SMALLINT, INTEGER, CURRENCY, FLOAT, DOUBLE,
// DATETIME, VARCHAR(n), LONGBLOB, LONGTEXT); text columns compare with FOLDCASE; a required field is
// NOT NULL. The auto-increment field is the table's INTEGER PRIMARY KEY AUTOINCREMENT. A primary index
// is the table's PRIMARY KEY, its name kept in the constraint ("CONSTRAINT "OID" PRIMARY KEY"); every
// other index is an SQLite index named "<table>.<index>", since SQLite's index names are per database;
// an index that ignores nulls is a partial index over rows whose fields are not null.

#include "platform/dao/DaoInfo.h"

#include <sqlite3.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::dao::detail {

struct TableSchema
{
    std::string name;
    std::vector<CDaoFieldInfo> fields;
    std::vector<CDaoIndexInfo> indexes;
    int autoIncrementField = -1;

    int FindField(std::string_view fieldName) const;
    int FindIndex(std::string_view indexName) const;
};

// The schema of a table (names compare without regard to case); nullopt when there is no such table.
std::optional<TableSchema> ReadTableSchema(sqlite3* db, std::string_view table);

// Every table of the engine (not SQLite's own, not the layer's work tables), sorted by name.
std::vector<std::string> ReadTableNames(sqlite3* db);

// The declared type of a field, and the field type of a declared type.
std::string DeclaredType(const CDaoFieldInfo& field);
void FieldTypeFromDeclared(std::string_view declared, CDaoFieldInfo& field);

// "CREATE TABLE ..." and the "CREATE INDEX ..." statements of a schema; `tableName` replaces the
// schema's name (used while a table is rebuilt).
std::string CreateTableSql(const TableSchema& schema, std::string_view tableName);
std::vector<std::string> CreateIndexSql(const TableSchema& schema);
std::string CreateIndexSql(std::string_view table, const CDaoIndexInfo& index);
std::string ColumnDefinition(const CDaoFieldInfo& field, const CDaoIndexInfo* primary);
// The SQLite name of a non-primary index.
std::string SqliteIndexName(std::string_view table, std::string_view index);

// Fills in what a new field's description leaves open: the size of fixed types, the attributes.
void CompleteFieldInfo(CDaoFieldInfo& field);

} // namespace platform::dao::detail
