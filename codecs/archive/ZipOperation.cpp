#include "codecs/archive/ZipOperation.h"

#include "codecs/archive/ZipException.h"
#include "platform/text/CaseFold.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <system_error>
#include <unistd.h>

namespace {

// An open file descriptor, closed when it goes out of scope.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }
    // False when closing reported an error (a write that failed late, on a full or remote disk).
    bool Close()
    {
        if (m_fd < 0) {
            return true;
        }
        const int result = ::close(m_fd);
        m_fd = -1;
        return result == 0 || errno == EINTR;
    }

private:
    int m_fd;
};

// Removes the target unless the operation got to its end.
class TargetGuard
{
public:
    explicit TargetGuard(std::filesystem::path target) : m_target(std::move(target)) {}
    ~TargetGuard()
    {
        if (!m_kept) {
            std::error_code error;
            std::filesystem::remove(m_target, error);
        }
    }
    TargetGuard(const TargetGuard&) = delete;
    TargetGuard& operator=(const TargetGuard&) = delete;
    void Keep() { m_kept = true; }

private:
    std::filesystem::path m_target;
    bool m_kept = false;
};

} // namespace

CZipException::CZipException(std::string_view message, std::string_view detail)
    : m_message(platform::text::TruncateUtf8(message, kMaxMessageBytes)), m_detail(detail)
{
}

CZipOperation::CZipOperation(std::filesystem::path source, std::string verb)
    : m_source(std::move(source)), m_verb(std::move(verb))
{
}

void CZipOperation::Run(const std::filesystem::path& target)
{
    if (target.native() == m_source.native()) {
        throw CZipException("target name must be different than source name");
    }
    FileDescriptor input(::open(m_source.c_str(), O_RDONLY | O_CLOEXEC));
    if (!input.IsOpen()) {
        throw CZipException("unable to open source file", std::system_category().message(errno));
    }
    // Exclusive: an existing file is never overwritten, nor removed afterwards.
    FileDescriptor output(::open(target.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!output.IsOpen()) {
        throw CZipException("unable to create target file", std::system_category().message(errno));
    }
    TargetGuard guard(target);
    int result = 0;
    try {
        result = Process(input.Get(), output.Get());
    } catch (const std::bad_alloc&) {
        throw CZipException("problem with zipping/unzipping operation : 1", "out of memory");
    }
    input.Close();
    if (!output.Close()) {
        throw CZipException("problem with zipping/unzipping operation : 1", "write error");
    }
    if (result != 0) {
        throw CZipException("problem while " + m_verb + " file");
    }
    guard.Keep();
}
