#include "platform/dao/TableSchema.h"

#include "platform/dao/SqliteEngine.h"
#include "platform/text/CaseFold.h"

#include <algorithm>
#include <cctype>

namespace platform::dao::detail {
namespace {

using platform::text::EqualsNoCase;

std::string Upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

bool IsTextType(short type)
{
    return type == dbText || type == dbMemo;
}

// Reads an identifier at pos ("x", [x], `x` or a bare word).
std::string ReadIdentifier(std::string_view sql, size_t& pos)
{
    while (pos < sql.size() && std::isspace(static_cast<unsigned char>(sql[pos]))) {
        ++pos;
    }
    if (pos >= sql.size()) {
        return {};
    }
    const char open = sql[pos];
    if (open == '"' || open == '[' || open == '`') {
        const char close = open == '[' ? ']' : open;
        std::string name;
        for (++pos; pos < sql.size(); ++pos) {
            if (sql[pos] == close) {
                if (close != ']' && pos + 1 < sql.size() && sql[pos + 1] == close) {
                    name += close;
                    ++pos;
                    continue;
                }
                ++pos;
                break;
            }
            name += sql[pos];
        }
        return name;
    }
    const size_t start = pos;
    while (pos < sql.size() && (std::isalnum(static_cast<unsigned char>(sql[pos])) || sql[pos] == '_' ||
                                static_cast<unsigned char>(sql[pos]) >= 0x80)) {
        ++pos;
    }
    return std::string(sql.substr(start, pos - start));
}

// The name given to the table's primary key ("CONSTRAINT "OID" PRIMARY KEY"), or empty.
std::string PrimaryConstraintName(std::string_view sql)
{
    const std::string upper = Upper(sql);
    for (size_t at = upper.find("CONSTRAINT"); at != std::string::npos;
         at = upper.find("CONSTRAINT", at + 1)) {
        size_t pos = at + 10;
        const std::string name = ReadIdentifier(sql, pos);
        while (pos < upper.size() && std::isspace(static_cast<unsigned char>(upper[pos]))) {
            ++pos;
        }
        if (!name.empty() && upper.compare(pos, 7, "PRIMARY") == 0) {
            return name;
        }
    }
    return {};
}

long FixedSize(short type)
{
    switch (type) {
    case dbBoolean:
    case dbByte:
        return 1;
    case dbInteger:
        return 2;
    case dbLong:
    case dbSingle:
        return 4;
    case dbCurrency:
    case dbDouble:
    case dbDate:
        return 8;
    default:
        return 0;
    }
}

} // namespace

int TableSchema::FindField(std::string_view fieldName) const
{
    for (size_t i = 0; i < fields.size(); ++i) {
        if (EqualsNoCase(fields[i].m_name, fieldName)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int TableSchema::FindIndex(std::string_view indexName) const
{
    for (size_t i = 0; i < indexes.size(); ++i) {
        if (EqualsNoCase(indexes[i].m_name, indexName)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string DeclaredType(const CDaoFieldInfo& field)
{
    if ((field.m_attributes & dbAutoIncrField) != 0) {
        return "INTEGER";
    }
    switch (field.m_type) {
    case dbBoolean:
        return "BIT";
    case dbByte:
        return "BYTE";
    case dbInteger:
        return "SMALLINT";
    case dbLong:
        return "INTEGER";
    case dbCurrency:
        return "CURRENCY";
    case dbSingle:
        return "FLOAT";
    case dbDouble:
        return "DOUBLE";
    case dbDate:
        return "DATETIME";
    case dbText:
        return "VARCHAR(" + std::to_string(field.m_size > 0 ? field.m_size : 255) + ")";
    case dbLongBinary:
        return "LONGBLOB";
    case dbMemo:
        return "LONGTEXT";
    default:
        return "LONGTEXT";
    }
}

void FieldTypeFromDeclared(std::string_view declared, CDaoFieldInfo& field)
{
    const std::string upper = Upper(declared);
    const size_t paren = upper.find('(');
    std::string base = upper.substr(0, paren);
    while (!base.empty() && base.back() == ' ') {
        base.pop_back();
    }
    long size = 0;
    if (paren != std::string::npos) {
        size = std::strtol(upper.c_str() + paren + 1, nullptr, 10);
    }
    struct Mapping
    {
        const char* name;
        short type;
    };
    static constexpr Mapping kMappings[] = {
        {"BIT", dbBoolean},
        {"BOOLEAN", dbBoolean},
        {"YESNO", dbBoolean},
        {"BYTE", dbByte},
        {"TINYINT", dbByte},
        {"SMALLINT", dbInteger},
        {"SHORT", dbInteger},
        {"INTEGER", dbLong},
        {"INT", dbLong},
        {"LONG", dbLong},
        {"CURRENCY", dbCurrency},
        {"MONEY", dbCurrency},
        {"FLOAT", dbSingle},
        {"SINGLE", dbSingle},
        {"DOUBLE", dbDouble},
        {"REAL", dbDouble},
        {"DATETIME", dbDate},
        {"DATE", dbDate},
        {"VARCHAR", dbText},
        {"CHAR", dbText},
        {"LONGBLOB", dbLongBinary},
        {"BLOB", dbLongBinary},
        {"LONGBINARY", dbLongBinary},
        {"LONGTEXT", dbMemo},
        {"MEMO", dbMemo},
        {"CLOB", dbMemo},
    };
    field.m_type = 0;
    for (const Mapping& mapping : kMappings) {
        if (base == mapping.name) {
            field.m_type = mapping.type;
            break;
        }
    }
    if (base == "TEXT") {
        field.m_type = paren != std::string::npos ? dbText : dbMemo;
    }
    if (field.m_type == 0) {
        // Not written by this layer: take SQLite's affinity rules.
        if (upper.find("INT") != std::string::npos) {
            field.m_type = dbLong;
        } else if (upper.find("CHAR") != std::string::npos || upper.find("CLOB") != std::string::npos ||
                   upper.find("TEXT") != std::string::npos) {
            field.m_type = dbMemo;
        } else if (upper.empty() || upper.find("BLOB") != std::string::npos) {
            field.m_type = dbLongBinary;
        } else {
            field.m_type = dbDouble;
        }
    }
    field.m_size = field.m_type == dbText ? (size > 0 ? size : 255) : FixedSize(field.m_type);
}

void CompleteFieldInfo(CDaoFieldInfo& field)
{
    if ((field.m_attributes & dbAutoIncrField) != 0) {
        field.m_type = dbLong;
    }
    if (field.m_type != dbText) {
        field.m_size = FixedSize(field.m_type);
    } else if (field.m_size <= 0) {
        field.m_size = 255;
    }
    const bool variable = field.m_type == dbText || field.m_type == dbMemo || field.m_type == dbLongBinary;
    field.m_attributes &= dbAutoIncrField;
    field.m_attributes |= variable ? dbVariableField : dbFixedField;
    if ((field.m_attributes & dbAutoIncrField) == 0) {
        field.m_attributes |= dbUpdatableField;
    }
    field.m_allowZeroLength = IsTextType(field.m_type);
}

std::optional<TableSchema> ReadTableSchema(sqlite3* db, std::string_view table)
{
    TableSchema schema;
    std::string createSql;
    {
        Statement tables(db, "SELECT name, sql FROM sqlite_master WHERE type = 'table'");
        while (tables.Step()) {
            const std::string name = tables.ColumnText(0);
            if (EqualsNoCase(name, table)) {
                schema.name = name;
                createSql = tables.ColumnText(1);
                break;
            }
        }
    }
    if (schema.name.empty()) {
        return std::nullopt;
    }
    const bool autoIncrement = Upper(createSql).find("AUTOINCREMENT") != std::string::npos;
    std::vector<std::pair<int, std::string>> primaryFields;
    {
        Statement info(db, "PRAGMA table_info(" + QuoteName(schema.name) + ")");
        while (info.Step()) {
            CDaoFieldInfo field;
            field.m_name = info.ColumnText(1);
            FieldTypeFromDeclared(info.ColumnText(2), field);
            // A truth value's NOT NULL belongs to its type, not to the field being required.
            field.m_required = info.ColumnInt(3) != 0 && field.m_type != dbBoolean;
            field.m_ordinalPosition = static_cast<short>(schema.fields.size());
            const int pk = static_cast<int>(info.ColumnInt(5));
            if (pk > 0) {
                primaryFields.emplace_back(pk, field.m_name);
            }
            schema.fields.push_back(std::move(field));
        }
    }
    if (primaryFields.size() == 1 && autoIncrement) {
        const int at = schema.FindField(primaryFields.front().second);
        if (at >= 0 && schema.fields[static_cast<size_t>(at)].m_type == dbLong) {
            schema.autoIncrementField = at;
            schema.fields[static_cast<size_t>(at)].m_attributes = dbAutoIncrField;
        }
    }
    for (CDaoFieldInfo& field : schema.fields) {
        CompleteFieldInfo(field);
    }
    if (!primaryFields.empty()) {
        std::sort(primaryFields.begin(), primaryFields.end());
        std::string name = PrimaryConstraintName(createSql);
        if (!name.empty() || schema.autoIncrementField < 0) {
            CDaoIndexInfo primary;
            primary.m_name = name.empty() ? "PrimaryKey" : name;
            primary.m_primary = primary.m_unique = primary.m_required = true;
            for (const auto& [position, fieldName] : primaryFields) {
                primary.m_fields.push_back({fieldName, false});
            }
            schema.indexes.push_back(std::move(primary));
        }
    }
    std::vector<std::pair<std::string, CDaoIndexInfo>> indexes;
    {
        Statement list(db, "PRAGMA index_list(" + QuoteName(schema.name) + ")");
        while (list.Step()) {
            const std::string origin = list.ColumnText(3);
            if (origin == "pk") {
                continue; // the primary key, described above
            }
            CDaoIndexInfo index;
            const std::string sqliteName = list.ColumnText(1);
            const std::string prefix = schema.name + ".";
            index.m_name =
                sqliteName.size() > prefix.size() && EqualsNoCase(sqliteName.substr(0, prefix.size()), prefix)
                    ? sqliteName.substr(prefix.size())
                    : sqliteName;
            index.m_unique = list.ColumnInt(2) != 0;
            index.m_ignoreNulls = list.ColumnInt(4) != 0;
            indexes.emplace_back(sqliteName, std::move(index));
        }
    }
    for (auto& [sqliteName, index] : indexes) {
        Statement columns(db, "PRAGMA index_xinfo(" + QuoteName(sqliteName) + ")");
        while (columns.Step()) {
            if (columns.ColumnInt(5) != 0 && sqlite3_column_type(columns.Get(), 2) != SQLITE_NULL) {
                index.m_fields.push_back({columns.ColumnText(2), columns.ColumnInt(3) != 0});
            }
        }
        schema.indexes.push_back(std::move(index));
    }
    std::sort(schema.indexes.begin() + (schema.indexes.empty() || !schema.indexes.front().m_primary ? 0 : 1),
              schema.indexes.end(), [](const CDaoIndexInfo& a, const CDaoIndexInfo& b) {
                  return platform::text::CompareNoCase(a.m_name, b.m_name) < 0;
              });
    return schema;
}

std::vector<std::string> ReadTableNames(sqlite3* db)
{
    std::vector<std::string> names;
    Statement tables(db, "SELECT name FROM sqlite_master WHERE type = 'table'");
    while (tables.Step()) {
        std::string name = tables.ColumnText(0);
        if (EqualsNoCase(name.substr(0, 7), "sqlite_") || name.find('~') != std::string::npos) {
            continue;
        }
        names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return platform::text::CompareNoCase(a, b) < 0;
    });
    return names;
}

std::string SqliteIndexName(std::string_view table, std::string_view index)
{
    return std::string(table) + "." + std::string(index);
}

std::string ColumnDefinition(const CDaoFieldInfo& field, const CDaoIndexInfo* primary)
{
    std::string sql = QuoteName(field.m_name) + " " + DeclaredType(field);
    if ((field.m_attributes & dbAutoIncrField) != 0) {
        if (primary != nullptr) {
            sql += " CONSTRAINT " + QuoteName(primary->m_name);
        }
        sql += " PRIMARY KEY AUTOINCREMENT";
    }
    if (IsTextType(field.m_type)) {
        sql += " COLLATE FOLDCASE";
    }
    if (field.m_type == dbBoolean) {
        // A truth value is never missing: rows that existed before the column, rows written without
        // it and a null written into it all hold No, so "= False" finds them.
        sql += " NOT NULL ON CONFLICT REPLACE DEFAULT 0";
    } else if (field.m_required && (field.m_attributes & dbAutoIncrField) == 0) {
        sql += " NOT NULL";
    }
    return sql;
}

std::string CreateTableSql(const TableSchema& schema, std::string_view tableName)
{
    const CDaoIndexInfo* primary = nullptr;
    for (const CDaoIndexInfo& index : schema.indexes) {
        if (index.m_primary) {
            primary = &index;
            break;
        }
    }
    const CDaoFieldInfo* autoField = nullptr;
    for (const CDaoFieldInfo& field : schema.fields) {
        if ((field.m_attributes & dbAutoIncrField) != 0) {
            autoField = &field;
        }
    }
    // The primary key is written with the counter when it is the counter alone.
    const bool primaryOnCounter = primary != nullptr && autoField != nullptr &&
                                  primary->m_fields.size() == 1 &&
                                  EqualsNoCase(primary->m_fields.front().m_name, autoField->m_name);
    std::string sql = "CREATE TABLE " + QuoteName(tableName) + " (";
    for (size_t i = 0; i < schema.fields.size(); ++i) {
        if (i > 0) {
            sql += ", ";
        }
        sql += ColumnDefinition(schema.fields[i], primaryOnCounter ? primary : nullptr);
    }
    if (primary != nullptr && !primaryOnCounter && autoField == nullptr) {
        sql += ", CONSTRAINT " + QuoteName(primary->m_name) + " PRIMARY KEY (";
        for (size_t i = 0; i < primary->m_fields.size(); ++i) {
            sql += (i > 0 ? ", " : "") + QuoteName(primary->m_fields[i].m_name);
        }
        sql += ")";
    }
    sql += ")";
    return sql;
}

std::string CreateIndexSql(std::string_view table, const CDaoIndexInfo& index)
{
    std::string sql = std::string("CREATE ") + (index.m_unique || index.m_primary ? "UNIQUE " : "") +
                      "INDEX " + QuoteName(SqliteIndexName(table, index.m_name)) + " ON " + QuoteName(table) +
                      " (";
    std::string notNull;
    for (size_t i = 0; i < index.m_fields.size(); ++i) {
        sql += (i > 0 ? ", " : "") + QuoteName(index.m_fields[i].m_name) +
               (index.m_fields[i].m_descending ? " DESC" : "");
        notNull += (i > 0 ? " AND " : "") + QuoteName(index.m_fields[i].m_name) + " IS NOT NULL";
    }
    sql += ")";
    if (index.m_ignoreNulls) {
        sql += " WHERE " + notNull;
    }
    return sql;
}

std::vector<std::string> CreateIndexSql(const TableSchema& schema)
{
    const CDaoFieldInfo* autoField = schema.autoIncrementField >= 0
                                         ? &schema.fields[static_cast<size_t>(schema.autoIncrementField)]
                                         : nullptr;
    std::vector<std::string> statements;
    for (const CDaoIndexInfo& index : schema.indexes) {
        if (index.m_primary) {
            const bool onCounter = autoField != nullptr && index.m_fields.size() == 1 &&
                                   EqualsNoCase(index.m_fields.front().m_name, autoField->m_name);
            if (onCounter || autoField == nullptr) {
                continue; // part of CREATE TABLE
            }
        }
        statements.push_back(CreateIndexSql(schema.name, index));
    }
    return statements;
}

} // namespace platform::dao::detail
