#include "platform/dao/DatabaseCore.h"

#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoException.h"
#include "platform/text/CaseFold.h"

#include <algorithm>
#include <unistd.h>

namespace platform::dao::detail {
namespace {

constexpr size_t kPoolLimit = 64;

} // namespace

DatabaseCore::DatabaseCore(sqlite3* db, int lockFd, std::filesystem::path path, std::string connect,
                           bool readOnly)
    : m_db(db), m_lockFd(lockFd), m_path(std::move(path)), m_connect(std::move(connect)), m_readOnly(readOnly)
{
}

DatabaseCore::~DatabaseCore()
{
    CloseClients();
    m_pool.clear(); // statements go before the connection
    sqlite3_close_v2(m_db);
    if (m_lockFd >= 0) {
        ::close(m_lockFd);
    }
}

Statement DatabaseCore::Acquire(const std::string& sql)
{
    const auto found = m_pool.find(sql);
    if (found != m_pool.end() && !found->second.empty()) {
        Statement statement = std::move(found->second.back());
        found->second.pop_back();
        return statement;
    }
    return Statement(m_db, sql);
}

void DatabaseCore::Release(const std::string& sql, Statement statement)
{
    if (!statement) {
        return;
    }
    statement.Reset();
    size_t pooled = 0;
    for (const auto& [text, statements] : m_pool) {
        pooled += statements.size();
    }
    if (pooled >= kPoolLimit) {
        m_pool.clear();
    }
    m_pool[sql].push_back(std::move(statement));
}

void DatabaseCore::Register(DatabaseClient* client)
{
    m_clients.push_back(client);
}

void DatabaseCore::Unregister(DatabaseClient* client)
{
    m_clients.erase(std::remove(m_clients.begin(), m_clients.end(), client), m_clients.end());
}

void DatabaseCore::CloseClients()
{
    while (!m_clients.empty()) {
        DatabaseClient* client = m_clients.back();
        m_clients.pop_back();
        client->DatabaseClosing();
    }
}

void DatabaseCore::BeforeWrite()
{
    if (m_readOnly) {
        ThrowDaoError(errors::kReadOnly, m_path.string());
    }
    // Once the engine has ended the transaction, a change would be written at once, outside it.
    CheckTransactionAlive();
    SuspendCursors();
}

void DatabaseCore::SuspendCursors()
{
    for (DatabaseClient* client : m_clients) {
        client->SuspendCursor();
    }
}

void DatabaseCore::CheckSchemaVersion()
{
    static const std::string kVersion = "PRAGMA schema_version";
    Statement statement = Acquire(kVersion);
    statement.Step();
    const long long version = statement.ColumnInt(0);
    Release(kVersion, std::move(statement));
    if (version != m_schemaVersion) {
        m_schemaVersion = version;
        m_schemas.clear();
        m_names.reset();
    }
}

const TableSchema* DatabaseCore::FindTable(std::string_view name)
{
    CheckSchemaVersion();
    const std::string key = platform::text::FoldCase(name);
    const auto found = m_schemas.find(key);
    if (found != m_schemas.end()) {
        return found->second.get();
    }
    auto schema = ReadTableSchema(m_db, name);
    if (!schema) {
        return nullptr;
    }
    auto& slot = m_schemas[key];
    slot = std::make_unique<TableSchema>(std::move(*schema));
    if (m_filler && m_filled.insert(key).second) {
        try {
            m_filler(slot->name);
        } catch (...) {
            m_filled.erase(key);
            throw;
        }
    }
    return slot.get();
}

const TableSchema& DatabaseCore::Table(std::string_view name)
{
    const TableSchema* schema = FindTable(name);
    if (schema == nullptr) {
        ThrowDaoError(errors::kObjectNotFound, std::string(name));
    }
    return *schema;
}

std::vector<std::string> DatabaseCore::TableNames()
{
    return ReadTableNames(m_db);
}

void DatabaseCore::SchemaChanged()
{
    m_schemaVersion = -1;
    m_schemas.clear();
    m_names.reset();
    m_pool.clear(); // statements compiled against the old schema
}

std::string DatabaseCore::ResolveName(std::string_view name)
{
    if (!m_names) {
        auto names = std::make_unique<std::unordered_map<std::string, std::string>>();
        for (const std::string& table : TableNames()) {
            names->emplace(platform::text::FoldCase(table), table);
            if (const TableSchema* schema = FindTable(table)) {
                for (const CDaoFieldInfo& field : schema->fields) {
                    names->emplace(platform::text::FoldCase(field.m_name), field.m_name);
                }
            }
        }
        m_names = std::move(names);
    }
    const auto found = m_names->find(platform::text::FoldCase(name));
    return found == m_names->end() ? std::string() : found->second;
}

JetTranslation DatabaseCore::Translate(std::string_view jetSql)
{
    return TranslateJetSql(jetSql, [this](std::string_view name) { return ResolveName(name); });
}

sqlite3_int64 DatabaseCore::ReserveCounter(const TableSchema& table)
{
    // Take the next number in the file itself, so that neither a row another writer adds nor one an
    // INSERT of this transaction adds can get it, and a number given up is never handed out again.
    const std::string next = "ifnull((SELECT max(_rowid_) FROM " + QuoteName(table.name) + "), 0)";
    const std::string update = "UPDATE sqlite_sequence SET seq = max(seq, " + next + ") + 1 WHERE name = ?1";
    Statement statement = Acquire(update);
    statement.BindText(1, table.name);
    statement.Step();
    Release(update, std::move(statement));
    if (sqlite3_changes(m_db) == 0) {
        const std::string insert = "INSERT INTO sqlite_sequence (name, seq) VALUES (?1, " + next + " + 1)";
        Statement first = Acquire(insert);
        first.BindText(1, table.name);
        first.Step();
        Release(insert, std::move(first));
    }
    const std::string read = "SELECT seq FROM sqlite_sequence WHERE name = ?1";
    Statement value = Acquire(read);
    value.BindText(1, table.name);
    value.Step();
    const sqlite3_int64 counter = value.ColumnInt(0);
    Release(read, std::move(value));
    return counter;
}

bool DatabaseCore::TransactionEndedByEngine() const
{
    return m_depth > 0 && sqlite3_get_autocommit(m_db) != 0;
}

void DatabaseCore::CheckTransactionAlive()
{
    if (TransactionEndedByEngine()) {
        ThrowDaoError(errors::kNoTransaction,
                      m_path.string() + ": the transaction was rolled back after an earlier error");
    }
}

void DatabaseCore::BeginLevel(int level)
{
    if (level > 1) {
        // A savepoint outside a transaction would start a new one that the outer levels do not know.
        CheckTransactionAlive();
    }
    ExecuteSql(m_db, level == 1 ? std::string("BEGIN") : "SAVEPOINT dao_level_" + std::to_string(level));
    m_depth = level;
}

void DatabaseCore::CommitLevel(int level)
{
    CheckTransactionAlive();
    SuspendCursors();
    // A refused commit (another connection still reading) leaves the transaction open in the
    // connection: the level stays, to be committed again or rolled back.
    ExecuteSql(m_db, level == 1 ? std::string("COMMIT") : "RELEASE dao_level_" + std::to_string(level));
    m_depth = level - 1;
}

void DatabaseCore::RollbackLevel(int level)
{
    if (TransactionEndedByEngine()) {
        m_depth = level - 1; // nothing left to undo
        return;
    }
    SuspendCursors();
    try {
        if (level == 1) {
            ExecuteSql(m_db, "ROLLBACK");
        } else {
            UndoSavepoint("dao_level_" + std::to_string(level));
        }
    } catch (const CDaoException&) {
        if (!TransactionEndedByEngine()) {
            throw;
        }
    }
    m_depth = level - 1;
}

void DatabaseCore::UndoSavepoint(const std::string& name)
{
    if (sqlite3_get_autocommit(m_db) != 0) {
        return; // the engine rolled the whole transaction back, the savepoint with it
    }
    ExecuteSql(m_db, "ROLLBACK TO " + name);
    ExecuteSql(m_db, "RELEASE " + name);
}

} // namespace platform::dao::detail
