#include "platform/dao/DaoWorkspace.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/DaoFiles.h"
#include "platform/dao/DatabaseCore.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::dao {
namespace {

// A journal left beside a file by a writer that died belongs to the old file; SQLite would play it
// into the new one. Reading the file once through SQLite plays it back where it belongs.
void SettleJournal(const std::filesystem::path& file, const std::string& key)
{
    const std::filesystem::path journal = file.string() + "-journal";
    std::error_code error;
    if (!std::filesystem::exists(journal, error) || std::filesystem::file_size(journal, error) == 0) {
        return;
    }
    try {
        detail::OpenConnection(file, key, false);
    } catch (const CDaoException&) {
        // Unreadable without its password: checked below.
    }
    if (std::filesystem::exists(journal, error) && std::filesystem::file_size(journal, error) > 0) {
        ThrowDaoError(errors::kFileInUse, file.string() + " has an unfinished transaction");
    }
}

} // namespace

CDaoWorkspace::~CDaoWorkspace()
{
    while (!m_databases.empty()) {
        m_databases.back()->Close();
    }
}

CDaoWorkspace& CDaoWorkspace::Default()
{
    static CDaoWorkspace workspace;
    return workspace;
}

void CDaoWorkspace::Add(CDaoDatabase* database)
{
    m_databases.push_back(database);
    for (int level = 1; level <= m_depth; ++level) {
        database->Core().BeginLevel(level);
    }
}

void CDaoWorkspace::Remove(CDaoDatabase* database)
{
    m_databases.erase(std::remove(m_databases.begin(), m_databases.end(), database), m_databases.end());
}

void CDaoWorkspace::BeginTrans()
{
    const int level = m_depth + 1;
    for (CDaoDatabase* database : m_databases) {
        try {
            database->Core().BeginLevel(level);
        } catch (...) {
            // The level is all or nothing: the databases that began it let it go again.
            for (CDaoDatabase* begun : m_databases) {
                if (begun->Core().TransactionDepth() == level) {
                    try {
                        begun->Core().RollbackLevel(level);
                    } catch (const CDaoException&) {
                        // the first error is the one to report
                    }
                }
            }
            throw;
        }
    }
    m_depth = level;
}

void CDaoWorkspace::CommitTrans()
{
    if (m_depth == 0) {
        ThrowDaoError(errors::kNoTransaction);
    }
    const int level = m_depth;
    // A database whose transaction the engine ended has lost its changes: commit none of the others.
    for (CDaoDatabase* database : m_databases) {
        if (database->Core().TransactionDepth() == level) {
            database->Core().CheckTransactionAlive();
        }
    }
    // A database refusing its commit keeps the level open; the databases that committed already are
    // skipped when the commit is tried again.
    for (CDaoDatabase* database : m_databases) {
        if (database->Core().TransactionDepth() == level) {
            database->Core().CommitLevel(level);
        }
    }
    m_depth = level - 1;
}

void CDaoWorkspace::Rollback()
{
    if (m_depth == 0) {
        ThrowDaoError(errors::kNoTransaction);
    }
    const int level = m_depth;
    for (CDaoDatabase* database : m_databases) {
        if (database->Core().TransactionDepth() == level) {
            database->Core().RollbackLevel(level);
        }
    }
    m_depth = level - 1;
}

void CDaoWorkspace::CompactDatabase(const std::filesystem::path& source,
                                    const std::filesystem::path& destination, std::string_view locale,
                                    int options, std::string_view sourceConnect, CompactTarget target)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(source, error)) {
        ThrowDaoError(errors::kFileNotFound, source.string());
    }
    const bool destinationExists = std::filesystem::exists(destination, error);
    const bool inPlace = destinationExists && std::filesystem::equivalent(source, destination, error);
    if (destinationExists && !inPlace && target == CompactTarget::MustNotExist) {
        ThrowDaoError(errors::kDatabaseExists, destination.string());
    }
    const std::string sourceKey = ConnectValue(sourceConnect, "PWD").value_or("");
    std::string destinationKey = sourceKey;
    if (const auto password = ConnectValue(locale, "PWD")) {
        destinationKey = *password;
    } else if ((options & dbDecrypt) != 0) {
        destinationKey.clear();
    }

    // Nobody may use the destination while it is replaced; the source is only read.
    detail::FileLock destinationLock;
    if (destinationExists) {
        destinationLock = detail::FileLock(destination, true);
        if (!inPlace) {
            SettleJournal(destination, {});
        }
    }
    detail::FileLock sourceLock;
    if (!inPlace) {
        sourceLock = detail::FileLock(source, false);
    }

    const std::filesystem::path work = detail::CompactionWorkFile(destination);
    detail::RemoveCompactionLeftovers(destination);
    try {
        {
            // An empty file, which SQLite takes for a new database: connections here cannot create files.
            const int fd = ::open(work.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
            if (fd < 0) {
                ThrowDaoError(errors::kCannotOpenFile, work.string() + ": " + std::strerror(errno));
            }
            ::close(fd);
            detail::SqliteHandle db = detail::OpenConnection(source, sourceKey, false);
            detail::Statement version(db.get(), "PRAGMA user_version");
            version.Step();
            const long long userVersion = version.ColumnInt(0);
            version.Finalize();

            detail::Statement attach(db.get(), "ATTACH DATABASE ?1 AS compact_target KEY ?2");
            attach.BindText(1, work.string());
            attach.BindText(2, destinationKey);
            attach.Step();
            attach.Finalize();
            detail::ExecuteSql(db.get(), "SELECT sqlcipher_export('compact_target')");
            detail::ExecuteSql(db.get(),
                               "PRAGMA compact_target.user_version = " + std::to_string(userVersion));
            detail::ExecuteSql(db.get(), "DETACH DATABASE compact_target");
        }
        detail::SyncFile(work);
        if (destinationExists) {
            struct stat old
            {
            };
            if (::stat(destination.c_str(), &old) == 0) {
                ::chmod(work.c_str(), old.st_mode & 07777);
            }
        }
        if (std::rename(work.c_str(), destination.c_str()) != 0) {
            ThrowDaoError(errors::kCannotOpenFile, "cannot replace " + destination.string());
        }
        detail::SyncFolder(destination.parent_path());
    } catch (...) {
        std::filesystem::remove(work, error);
        std::filesystem::remove(work.string() + "-journal", error);
        throw;
    }
}

} // namespace platform::dao
