#include "platform/dao/foreign/ForeignSource.h"

#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/SqliteEngine.h"
#include "platform/dao/TableSchema.h"
#include "platform/dao/foreign/AccessSource.h"
#include "platform/dao/foreign/WorkbookSource.h"
#include "platform/text/CaseFold.h"

#include <array>
#include <cstring>
#include <fstream>

namespace platform::dao::detail {
namespace {

// A Jet database names its engine at byte 4 of its first page.
bool HasJetSignature(const std::filesystem::path& path)
{
    std::array<char, 19> head{};
    std::ifstream file(path, std::ios::binary);
    if (!file.read(head.data(), head.size())) {
        return false;
    }
    const std::string_view name(head.data() + 4, 15);
    return name == "Standard Jet DB" || name == "Standard ACE DB";
}

bool IsWorkbookConnect(std::string_view connect)
{
    const std::string_view engine = connect.substr(0, connect.find(';'));
    return engine.size() >= 5 && platform::text::EqualsNoCase(engine.substr(0, 5), "Excel");
}

} // namespace

std::unique_ptr<ForeignSource> OpenForeignSource(const std::filesystem::path& path, std::string_view connect)
{
    if (IsWorkbookConnect(connect)) {
        return OpenWorkbookSource(path);
    }
    if (HasJetSignature(path)) {
        return OpenAccessSource(path);
    }
    return nullptr;
}

SqliteHandle CreateForeignDatabase(const ForeignSource& source)
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    SqliteHandle db(raw);
    if (rc != SQLITE_OK) {
        ThrowEngineError(raw, rc, "in-memory database");
    }
    RegisterJetFunctions(db.get());
    for (const ForeignTable& table : source.Tables()) {
        std::string sql = "CREATE TABLE " + QuoteName(table.name) + " (";
        for (size_t c = 0; c < table.columns.size(); ++c) {
            CDaoFieldInfo field;
            field.m_name = table.columns[c].name;
            field.m_type = table.columns[c].daoType;
            field.m_size = field.m_type == dbText ? 255 : 0;
            sql += (c == 0 ? "" : ", ") + ColumnDefinition(field, nullptr);
        }
        sql += ")";
        ExecuteSql(db.get(), sql);
    }
    return db;
}

void FillForeignTable(sqlite3* db, ForeignSource& source, std::string_view name)
{
    const std::vector<ForeignTable>& tables = source.Tables();
    for (size_t index = 0; index < tables.size(); ++index) {
        if (!platform::text::EqualsNoCase(tables[index].name, name)) {
            continue;
        }
        std::string sql = "INSERT INTO " + QuoteName(tables[index].name) + " VALUES (";
        for (size_t c = 0; c < tables[index].columns.size(); ++c) {
            sql += c == 0 ? "?" : ", ?";
        }
        sql += ")";
        Statement insert(db, sql);
        ExecuteSql(db, "SAVEPOINT foreign_fill");
        try {
            source.ReadRows(index, [&insert](const std::vector<CDaoVariant>& row) {
                for (size_t c = 0; c < row.size(); ++c) {
                    insert.Bind(static_cast<int>(c + 1), row[c], false);
                }
                insert.Step();
                insert.Reset();
            });
        } catch (...) {
            ExecuteSql(db, "ROLLBACK TO foreign_fill");
            ExecuteSql(db, "RELEASE foreign_fill");
            throw;
        }
        ExecuteSql(db, "RELEASE foreign_fill");
        return;
    }
}

} // namespace platform::dao::detail
