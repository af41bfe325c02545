#pragma once
// Inside the database layer: one open database file. Holds the SQLite connection and the lock that
// marks the file in use, a pool of prepared statements, the table schemas read from SQLite, the
// recordsets that may have a statement running, and the counters reserved for new rows.

#include "platform/dao/JetSql.h"
#include "platform/dao/SqliteEngine.h"
#include "platform/dao/TableSchema.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform::dao::detail {

// A recordset or table definition bound to the database.
class DatabaseClient
{
public:
    // A write is about to happen: let go of running statements, keeping what is needed to go on, so
    // that what the recordset already shows stays as it was (and SQLite can commit).
    virtual void SuspendCursor() = 0;
    // The database is closing: become closed.
    virtual void DatabaseClosing() = 0;

protected:
    ~DatabaseClient() = default;
};

class DatabaseCore
{
public:
    DatabaseCore(sqlite3* db, int lockFd, std::filesystem::path path, std::string connect, bool readOnly);
    ~DatabaseCore();
    DatabaseCore(const DatabaseCore&) = delete;
    DatabaseCore& operator=(const DatabaseCore&) = delete;

    sqlite3* Handle() const { return m_db; }
    const std::filesystem::path& Path() const { return m_path; }
    const std::string& Connect() const { return m_connect; }
    bool IsReadOnly() const { return m_readOnly; }

    // Statements are taken from a pool and given back after use (reset), so hot statements compile once.
    Statement Acquire(const std::string& sql);
    void Release(const std::string& sql, Statement statement);

    void Register(DatabaseClient* client);
    void Unregister(DatabaseClient* client);
    void CloseClients();
    // Called before every change to the database (3027 when it is open read-only).
    void BeforeWrite();
    // Lets every recordset go of its running statements (see DatabaseClient).
    void SuspendCursors();

    // The schema of a table; throws 3011 when there is none. Valid until the schema changes.
    const TableSchema& Table(std::string_view name);
    const TableSchema* FindTable(std::string_view name);
    std::vector<std::string> TableNames();
    // A file read through another engine (foreign/ForeignSource.h) fills each table on its first use.
    void SetTableFiller(std::function<void(const std::string& table)> filler)
    {
        m_filler = std::move(filler);
    }
    // Forget cached schemas and reserved counters (after DDL of our own).
    void SchemaChanged();

    JetTranslation Translate(std::string_view jetSql);

    // The counter value for a new row of a table with an auto-increment field, reserved in the file so
    // that no other writer, and no other statement of the same transaction, takes it.
    sqlite3_int64 ReserveCounter(const TableSchema& table);

    // Transaction levels (1 = BEGIN, deeper = savepoints). The depth is the number of levels of the
    // workspace this connection still has open: a level that fails to commit stays open, to be
    // committed again or rolled back. When the engine ends the transaction itself (a full disk, an
    // I/O error), the levels stay counted but are lost: committing them or writing inside them is
    // error 3034, and rolling them back succeeds without doing anything.
    void BeginLevel(int level);
    void CommitLevel(int level);
    void RollbackLevel(int level);
    int TransactionDepth() const { return m_depth; }
    // Throws 3034 when the engine ended the transaction the workspace still counts as open.
    void CheckTransactionAlive();
    // Undoes and ends a savepoint of the layer's own; nothing when the engine already rolled back.
    void UndoSavepoint(const std::string& name);

private:
    void CheckSchemaVersion();
    // True when the engine rolled back the whole transaction of the open levels after an error.
    bool TransactionEndedByEngine() const;
    std::string ResolveName(std::string_view name);

    sqlite3* m_db;
    int m_lockFd;
    std::filesystem::path m_path;
    std::string m_connect;
    bool m_readOnly;
    int m_depth = 0;
    long long m_schemaVersion = -1;
    std::unordered_map<std::string, std::vector<Statement>> m_pool;
    std::vector<DatabaseClient*> m_clients;
    std::map<std::string, std::unique_ptr<TableSchema>> m_schemas;         // by folded name
    std::unique_ptr<std::unordered_map<std::string, std::string>> m_names; // folded name -> stored name
    std::function<void(const std::string&)> m_filler;
    std::set<std::string> m_filled; // folded names of the tables the filler has filled
};

} // namespace platform::dao::detail
