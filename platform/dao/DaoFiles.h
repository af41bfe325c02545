#pragma once
// Inside the database layer: what happens to database files themselves. A file in use carries a shared
// lock (flock) held by each database open on it, in this process or another; replacing a file takes
// the lock exclusively, so a file is never replaced while someone reads or writes it. Connections are
// opened here with or without a key, and new files are made durable before they replace old ones.

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>

namespace platform::dao::detail {

struct SqliteCloser
{
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using SqliteHandle = std::unique_ptr<sqlite3, SqliteCloser>;

// Opens a connection on an existing database file with the key (empty: none) and checks that the key
// opens it: a wrong or missing key is error 3031, a file that is no database 3343. A key given for a
// file without encryption is ignored. The connection gets the engine's functions and collation.
SqliteHandle OpenConnection(const std::filesystem::path& path, const std::string& key, bool readOnly);

// A lock on a file, released when it goes.
class FileLock
{
public:
    FileLock() = default;
    // Waits up to two seconds for a shared lock, a moment for an exclusive one; then error 3045. A
    // missing file is 3024.
    FileLock(const std::filesystem::path& path, bool exclusive);
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    // True while the locked file is still the one at `path` (not replaced meanwhile).
    bool StillAt(const std::filesystem::path& path) const;
    int Release(); // hands the descriptor over

private:
    int m_fd = -1;
};

// Where a compaction writes the copy that replaces `destination` ("<destination>.compact~"), and its
// journal beside it.
std::filesystem::path CompactionWorkFile(const std::filesystem::path& destination);

// Removes what a compaction into `file` left when its process was killed. Only while holding a lock on
// the file as it is now at its path: every compaction into an existing file holds that file's lock
// exclusively from before it makes its work file until after the rename, so none is under way.
// Such a work file is never the only copy (the rename is the commit), and may be a readable copy of
// a protected file.
void RemoveCompactionLeftovers(const std::filesystem::path& file);

// The first bytes of a plain (unencrypted) SQLite file.
bool IsPlainSqliteFile(const std::filesystem::path& path);

// Flushes a file, and a folder's entries, to the disk.
void SyncFile(const std::filesystem::path& path);
void SyncFolder(const std::filesystem::path& folder);

} // namespace platform::dao::detail
