#include "platform/dao/DaoDatabase.h"

#include "platform/dao/DaoException.h"
#include "platform/dao/DaoFiles.h"
#include "platform/dao/DaoWorkspace.h"
#include "platform/dao/DatabaseCore.h"
#include "platform/dao/foreign/ForeignSource.h"
#include "platform/text/CaseFold.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace platform::dao {
namespace {

// The version of this layer's conventions (type names, dates as day numbers, currency as amounts),
// kept in the file's user_version.
constexpr int kLayerFormatVersion = 1;

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::optional<std::string> ConnectValue(std::string_view connect, std::string_view key)
{
    while (!connect.empty()) {
        const size_t end = connect.find(';');
        const std::string_view part = connect.substr(0, end);
        connect = end == std::string_view::npos ? std::string_view() : connect.substr(end + 1);
        const size_t equals = part.find('=');
        if (equals == std::string_view::npos ||
            !platform::text::EqualsNoCase(Trim(part.substr(0, equals)), key)) {
            continue;
        }
        std::string_view value = part.substr(equals + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        return std::string(value);
    }
    return std::nullopt;
}

CDaoDatabase::CDaoDatabase(CDaoWorkspace* workspace)
    : m_workspace(workspace != nullptr ? workspace : &CDaoWorkspace::Default())
{
}

CDaoDatabase::~CDaoDatabase()
{
    Close();
}

void CDaoDatabase::Open(const std::filesystem::path& path, bool exclusive, bool readOnly,
                        std::string_view connect)
{
    Close();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        ThrowDaoError(errors::kFileNotFound, path.string());
    }
    if (std::filesystem::file_size(path, error) == 0) {
        ThrowDaoError(errors::kUnrecognizedFormat, path.string()); // SQLite would take it for a new database
    }
    if (std::shared_ptr<detail::ForeignSource> source = detail::OpenForeignSource(path, connect)) {
        // Another program's file: read only, its tables copied into memory as they are used.
        detail::SqliteHandle db = detail::CreateForeignDatabase(*source);
        sqlite3* handle = db.get();
        m_core = std::make_unique<detail::DatabaseCore>(db.release(), -1, path, std::string(connect), true);
        m_core->SetTableFiller(
            [source, handle](const std::string& table) { detail::FillForeignTable(handle, *source, table); });
        m_workspace->Add(this);
        return;
    }
    const std::string key = ConnectValue(connect, "PWD").value_or("");
    for (int attempt = 0;; ++attempt) {
        detail::FileLock lock(path, exclusive);
        if (lock.StillAt(path)) {
            // Before the key is tried: a protected file waiting for its password loses its strays too.
            detail::RemoveCompactionLeftovers(path);
        }
        detail::SqliteHandle db = detail::OpenConnection(path, key, readOnly);
        if (!lock.StillAt(path) && attempt < 5) {
            continue; // the file was replaced between the lock and the open: take the new one
        }
        m_core = std::make_unique<detail::DatabaseCore>(db.release(), lock.Release(), path,
                                                        std::string(connect), readOnly);
        break;
    }
    m_workspace->Add(this);
}

void CDaoDatabase::Create(const std::filesystem::path& path, std::string_view locale, int)
{
    Close();
    const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int code = errno;
        ThrowDaoError(code == EEXIST   ? errors::kDatabaseExists
                      : code == ENOENT ? errors::kFileNotFound
                                       : errors::kCannotOpenFile,
                      path.string() + ": " + std::strerror(code));
    }
    ::close(fd);
    const std::string key = ConnectValue(locale, "PWD").value_or("");
    try {
        {
            detail::SqliteHandle db = detail::OpenConnection(path, key, false);
            // Writes the first page, so the file is a database (encrypted when keyed) from now on.
            detail::ExecuteSql(db.get(), "PRAGMA user_version = " + std::to_string(kLayerFormatVersion));
        }
        Open(path, false, false, key.empty() ? std::string() : ";PWD=" + key);
    } catch (...) {
        std::error_code error;
        std::filesystem::remove(path, error);
        throw;
    }
}

void CDaoDatabase::Close()
{
    if (!m_core) {
        return;
    }
    m_core->CloseClients();
    m_workspace->Remove(this);
    m_core.reset(); // an open transaction is rolled back with the connection
}

detail::DatabaseCore& CDaoDatabase::Core() const
{
    if (!m_core) {
        ThrowDaoError(errors::kObjectInvalid, "the database is not open");
    }
    return *m_core;
}

const std::filesystem::path& CDaoDatabase::GetName() const
{
    return Core().Path();
}

std::string CDaoDatabase::GetConnect() const
{
    return Core().Connect();
}

bool CDaoDatabase::CanUpdate() const
{
    return !Core().IsReadOnly();
}

void CDaoDatabase::Execute(std::string_view sql, int options)
{
    detail::DatabaseCore& core = Core();
    const JetTranslation translation = core.Translate(sql);
    if (translation.kind == JetStatementKind::Select) {
        ThrowDaoError(errors::kCannotExecuteSelect, std::string(sql));
    }
    std::string text = translation.sql;
    if ((options & dbFailOnError) == 0 &&
        (translation.kind == JetStatementKind::Update || translation.kind == JetStatementKind::Insert)) {
        // Without dbFailOnError the engine changes the rows it can and skips the others.
        size_t verb = 0;
        while (verb < text.size() && std::isspace(static_cast<unsigned char>(text[verb]))) {
            ++verb;
        }
        text.insert(verb + 6, " OR IGNORE"); // after UPDATE or INSERT
    }
    core.BeforeWrite();
    detail::Statement statement(core.Handle(), text);
    while (statement.Step()) {
    }
    m_recordsAffected = sqlite3_changes(core.Handle());
}

std::vector<std::string> CDaoDatabase::GetTableNames()
{
    return Core().TableNames();
}

short CDaoDatabase::GetTableDefCount()
{
    return static_cast<short>(GetTableNames().size());
}

void CDaoDatabase::GetTableDefInfo(int index, CDaoTableDefInfo& info)
{
    const std::vector<std::string> names = GetTableNames();
    if (index < 0 || static_cast<size_t>(index) >= names.size()) {
        ThrowDaoError(errors::kItemNotFound, "table " + std::to_string(index));
    }
    GetTableDefInfo(names[static_cast<size_t>(index)], info);
}

void CDaoDatabase::GetTableDefInfo(std::string_view name, CDaoTableDefInfo& info)
{
    detail::DatabaseCore& core = Core();
    const detail::TableSchema& schema = core.Table(name);
    info.m_name = schema.name;
    info.m_attributes = 0;
    detail::Statement count(core.Handle(), "SELECT count(*) FROM " + detail::QuoteName(schema.name));
    count.Step();
    info.m_recordCount = static_cast<long>(count.ColumnInt(0));
}

void CDaoDatabase::DeleteTableDef(std::string_view name)
{
    detail::DatabaseCore& core = Core();
    const std::string table = core.Table(name).name;
    core.BeforeWrite();
    detail::ExecuteSql(core.Handle(), "DROP TABLE " + detail::QuoteName(table));
    core.SchemaChanged();
}

} // namespace platform::dao
