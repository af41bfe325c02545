#include "platform/dao/foreign/ForeignSource.h"

#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/SqliteEngine.h"
#include "platform/dao/TableSchema.h"
#include "platform/dao/foreign/ForeignReader.h"
#include "platform/dao/foreign/ForeignStream.h"
#include "platform/text/CaseFold.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <optional>

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

bool SameTables(const std::vector<ForeignTable>& left, const std::vector<ForeignTable>& right)
{
    return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                      [](const ForeignTable& a, const ForeignTable& b) {
                          return a.name == b.name &&
                                 std::equal(a.columns.begin(), a.columns.end(), b.columns.begin(),
                                            b.columns.end(),
                                            [](const ForeignColumn& x, const ForeignColumn& y) {
                                                return x.name == y.name && x.daoType == y.daoType;
                                            });
                      });
}

// A foreign file as the reader process sees it: the tables when it opens, each table's rows when asked.
class ReaderSource : public ForeignSource
{
public:
    ReaderSource(const std::filesystem::path& path, std::string kind) : m_path(path), m_kind(std::move(kind))
    {
        m_tables = Read(std::nullopt).tables;
    }

    const std::vector<ForeignTable>& Tables() const override { return m_tables; }

    void ReadRows(size_t index, const RowSink& sink) override
    {
        (void)m_tables.at(index);
        const ForeignStream stream = Read(index);
        if (!SameTables(stream.tables, m_tables)) {
            ThrowDaoError(errors::kUnrecognizedFormat, m_path.string()); // not the file that was opened
        }
        for (const auto& row : stream.rows) {
            sink(row);
        }
    }

private:
    ForeignStream Read(std::optional<size_t> table) const
    {
        std::vector<std::string> arguments{m_kind, m_path.string()};
        if (table) {
            arguments.push_back(std::to_string(*table));
        }
        std::optional<ForeignStream> stream = ParseForeignStream(RunForeignReader(arguments, m_path));
        if (!stream || stream->table != table) {
            ThrowDaoError(errors::kUnrecognizedFormat, m_path.string());
        }
        return std::move(*stream);
    }

    std::filesystem::path m_path;
    std::string m_kind;
    std::vector<ForeignTable> m_tables;
};

} // namespace

std::unique_ptr<ForeignSource> OpenForeignSource(const std::filesystem::path& path, std::string_view connect)
{
    // The libraries that parse these files run in a process of their own (ForeignReader.h).
    if (IsWorkbookConnect(connect)) {
        return std::make_unique<ReaderSource>(path, kForeignReaderWorkbook);
    }
    if (HasJetSignature(path)) {
        return std::make_unique<ReaderSource>(path, kForeignReaderAccess);
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
