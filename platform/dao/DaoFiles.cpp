#include "platform/dao/DaoFiles.h"

#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/SqliteEngine.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace platform::dao::detail {
namespace {

constexpr int kBusyTimeoutMs = 5000;

// The page size of encrypted files (SQLCipher 3's settings, which the layer keeps). Every encrypted
// file the layer hands out holds a table, so it has two pages at least; a single page is the empty
// database `Create` writes before anything else.
constexpr std::uintmax_t kCipherPageSize = 1024;
constexpr std::uintmax_t kSmallestEncryptedFile = 2 * kCipherPageSize;

// Whether a file that no key opens can still be an encrypted database, so that the key is what is
// wrong: not a plain SQLite file, whole cipher pages, and not too small to hold a table.
bool CouldBeEncrypted(const std::filesystem::path& path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return !error && !IsPlainSqliteFile(path) && size >= kSmallestEncryptedFile &&
           size % kCipherPageSize == 0;
}

// A file cut short (an interrupted copy, a disk error) opens without complaint: SQLite reads the
// missing bytes of the last page as zeros, and the next compaction would make that permanent. So the
// file must be whole pages, as many as its header counts. Checked under the read lock, so that no
// commit of another connection changes the file meanwhile.
void CheckWholePages(sqlite3* db, const std::filesystem::path& path)
{
    ExecuteSql(db, "BEGIN");
    try {
        Statement count(db, "PRAGMA page_count"); // starts the read: the lock holds until COMMIT
        count.Step();
        const auto pages = static_cast<std::uintmax_t>(count.ColumnInt(0));
        count.Finalize();
        Statement pageSize(db, "PRAGMA page_size");
        pageSize.Step();
        const auto bytesPerPage = static_cast<std::uintmax_t>(pageSize.ColumnInt(0));
        pageSize.Finalize();
        struct stat file
        {
        };
        if (::stat(path.c_str(), &file) != 0) {
            ThrowDaoError(errors::kDiskOrNetworkError, path.string() + ": " + std::strerror(errno));
        }
        const auto size = static_cast<std::uintmax_t>(file.st_size);
        if (bytesPerPage == 0 || size % bytesPerPage != 0 || size / bytesPerPage != pages) {
            ThrowDaoError(errors::kUnrecognizedFormat,
                          path.string() + " is damaged: " + std::to_string(size) + " bytes for " +
                              std::to_string(pages) + " pages of " + std::to_string(bytesPerPage));
        }
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    ExecuteSql(db, "COMMIT");
}

// Runs a read that needs the key: SQLite reports a key that does not fit (or a file that is no
// database) as SQLITE_NOTADB here.
int Probe(sqlite3* db)
{
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master", -1, &statement, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(statement);
        rc = rc == SQLITE_ROW ? SQLITE_OK : sqlite3_errcode(db);
    }
    sqlite3_finalize(statement);
    return rc;
}

SqliteHandle OpenRaw(const std::filesystem::path& path, const std::string& key, bool readOnly)
{
    sqlite3* raw = nullptr;
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    SqliteHandle db(raw);
    if (rc != SQLITE_OK) {
        ThrowEngineError(db.get(), rc, path.string());
    }
    // Running copies share files: the first read, which checks the key, waits out another copy's
    // commit as every later statement does.
    sqlite3_busy_timeout(db.get(), kBusyTimeoutMs);
    if (!key.empty() && sqlite3_key(db.get(), key.data(), static_cast<int>(key.size())) != SQLITE_OK) {
        ThrowEngineError(db.get(), sqlite3_errcode(db.get()), "setting the key");
    }
    return db;
}

} // namespace

SqliteHandle OpenConnection(const std::filesystem::path& path, const std::string& key, bool readOnly)
{
    SqliteHandle db = OpenRaw(path, key, readOnly);
    int rc = Probe(db.get());
    if (rc == SQLITE_NOTADB && !key.empty() && IsPlainSqliteFile(path)) {
        // A password given for a file that has none opens it, as the engine always did.
        db = OpenRaw(path, {}, readOnly);
        rc = Probe(db.get());
    }
    if (rc == SQLITE_NOTADB) {
        ThrowDaoError(CouldBeEncrypted(path) ? errors::kNotValidPassword : errors::kUnrecognizedFormat,
                      path.string());
    }
    if (rc != SQLITE_OK) {
        ThrowEngineError(db.get(), rc, path.string());
    }
    static std::once_flag checked;
    std::call_once(checked, [&] { CheckCipherEngine(db.get()); });
    CheckWholePages(db.get(), path);
    RegisterJetFunctions(db.get());
    return db;
}

FileLock::FileLock(const std::filesystem::path& path, bool exclusive)
{
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) {
        ThrowDaoError(errno == ENOENT || errno == ENOTDIR ? errors::kFileNotFound : errors::kCannotOpenFile,
                      path.string() + ": " + std::strerror(errno));
    }
    // Readers wait out a replacement in progress; whoever wants a file alone gives up soon, since
    // others may hold it for as long as they work with it.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(exclusive ? 200 : 2000);
    while (::flock(m_fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
            ::close(m_fd);
            m_fd = -1;
            ThrowDaoError(errors::kFileInUse, path.string());
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

FileLock::FileLock(FileLock&& other) noexcept : m_fd(other.m_fd)
{
    other.m_fd = -1;
}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

FileLock::~FileLock()
{
    if (m_fd >= 0) {
        ::close(m_fd); // releases the lock
    }
}

bool FileLock::StillAt(const std::filesystem::path& path) const
{
    struct stat locked
    {
    };
    struct stat current
    {
    };
    return m_fd >= 0 && ::fstat(m_fd, &locked) == 0 && ::stat(path.c_str(), &current) == 0 &&
           locked.st_dev == current.st_dev && locked.st_ino == current.st_ino;
}

int FileLock::Release()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

std::filesystem::path CompactionWorkFile(const std::filesystem::path& destination)
{
    return destination.parent_path() / (destination.filename().string() + ".compact~");
}

void RemoveCompactionLeftovers(const std::filesystem::path& file)
{
    const std::filesystem::path work = CompactionWorkFile(file);
    std::error_code error; // a folder that refuses changes keeps them; the file itself is whole
    std::filesystem::remove(work, error);
    std::filesystem::remove(work.string() + "-journal", error);
}

bool IsPlainSqliteFile(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    char header[16] = {};
    const ssize_t read = ::read(fd, header, sizeof header);
    ::close(fd);
    return read == sizeof header && std::memcmp(header, "SQLite format 3", 16) == 0;
}

void SyncFile(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        const int error = errno;
        if (fd >= 0) {
            ::close(fd);
        }
        ThrowDaoError(errors::kDiskOrNetworkError, path.string() + ": " + std::strerror(error));
    }
    ::close(fd);
}

void SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // some file systems refuse to sync folders; the rename itself is still atomic
        ::close(fd);
    }
}

} // namespace platform::dao::detail
