#pragma once
// The session the databases of the process are opened in: transactions over all of them, and the
// compaction that also encrypts, decrypts and re-keys a database file.

#include "platform/dao/DaoConstants.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace platform::dao {

class CDaoDatabase;

class CDaoWorkspace
{
public:
    CDaoWorkspace() = default;
    ~CDaoWorkspace();
    CDaoWorkspace(const CDaoWorkspace&) = delete;
    CDaoWorkspace& operator=(const CDaoWorkspace&) = delete;

    // The workspace of databases opened without one.
    static CDaoWorkspace& Default();

    // Transactions span every database open in the workspace and nest; a commit or rollback without a
    // transaction is error 3034. Recordsets keep the rows they already show.
    void BeginTrans();
    void CommitTrans();
    void Rollback();
    int GetTransactionDepth() const { return m_depth; }

    enum class CompactTarget
    {
        MustNotExist, // the destination must not exist yet (3204)
        Replace       // an existing destination is replaced
    };

    // Writes a compacted copy of `source` to `destination`. `sourceConnect` holds the source's
    // ";PWD=password". The copy is encrypted with the password of ";PWD=" in `locale` when that is
    // present (";PWD=" alone: no encryption); otherwise dbDecrypt leaves it plain and anything else
    // keeps the source's password. `source` and `destination` may be the same file: it is compacted in
    // place.
    //
    // The copy is written beside the destination, flushed to disk and renamed over it, so a crash at
    // any moment leaves the old file or the new one, never neither. A destination that any database
    // still has open (here or in another process) is not replaced: error 3045.
    static void CompactDatabase(const std::filesystem::path& source, const std::filesystem::path& destination,
                                std::string_view locale = dbLangGeneral, int options = 0,
                                std::string_view sourceConnect = {},
                                CompactTarget target = CompactTarget::MustNotExist);

private:
    friend class CDaoDatabase;
    void Add(CDaoDatabase* database);
    void Remove(CDaoDatabase* database);

    std::vector<CDaoDatabase*> m_databases;
    int m_depth = 0;
};

} // namespace platform::dao
