#pragma once
// An open database file (a catalogue): opened with or without its password, created, asked for its
// tables, given SQL to execute. Recordsets (DaoRecordset.h) and table definitions (DaoTableDef.h) are
// made on it. Every failure throws CDaoException.
//
// A file is marked in use while it is open (a shared lock on the file), so that it is never replaced
// under a reader: compaction and re-keying wait for every user to let go (DaoWorkspace.h). Opening
// with `exclusive` takes the file for this database alone.

#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoInfo.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::dao {

class CDaoWorkspace;

namespace detail {
class DatabaseCore;
}

class CDaoDatabase
{
public:
    // Without a workspace the database belongs to the process's default workspace.
    explicit CDaoDatabase(CDaoWorkspace* workspace = nullptr);
    ~CDaoDatabase();
    CDaoDatabase(const CDaoDatabase&) = delete;
    CDaoDatabase& operator=(const CDaoDatabase&) = delete;

    // `connect` may hold ";PWD=password". A wrong or missing password on an encrypted file is error
    // 3031; a password given for a file without one is ignored. A missing file is 3024, a file that is
    // no database 3343, a file in use by an exclusive user 3045.
    void Open(const std::filesystem::path& path, bool exclusive = false, bool readOnly = false,
              std::string_view connect = {});
    // Creates a new, empty database; ";PWD=password" in `locale` encrypts it. 3204 when the file exists.
    void Create(const std::filesystem::path& path, std::string_view locale = dbLangGeneral, int options = 0);
    // Closes the database and every recordset and table definition still open on it.
    void Close();
    bool IsOpen() const { return m_core != nullptr; }

    const std::filesystem::path& GetName() const;
    std::string GetConnect() const;
    bool CanUpdate() const;
    CDaoWorkspace* GetWorkspace() const { return m_workspace; }

    // Runs an action query in the engine's SQL (UPDATE, DELETE, INSERT, DDL). Without dbFailOnError
    // rows that break a rule are skipped instead of failing the statement. A SELECT is error 3065.
    void Execute(std::string_view sql, int options = dbFailOnError);
    long GetRecordsAffected() const { return m_recordsAffected; }

    short GetTableDefCount();
    void GetTableDefInfo(int index, CDaoTableDefInfo& info);
    void GetTableDefInfo(std::string_view name, CDaoTableDefInfo& info);
    // The tables' names, sorted without regard to case.
    std::vector<std::string> GetTableNames();
    void DeleteTableDef(std::string_view name);

    // For the layer's recordsets and table definitions; throws 3420 when the database is not open.
    detail::DatabaseCore& Core() const;

private:
    friend class CDaoWorkspace;

    CDaoWorkspace* m_workspace;
    std::unique_ptr<detail::DatabaseCore> m_core;
    long m_recordsAffected = 0;
};

// The value of one key of a connect string (";PWD=x;LANGID=..."), without surrounding quotation marks
// (so ";PWD=\"\"" is an empty password); nullopt when the key is absent. Keys ignore case.
std::optional<std::string> ConnectValue(std::string_view connect, std::string_view key);

} // namespace platform::dao
