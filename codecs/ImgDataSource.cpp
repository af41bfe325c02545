#include "codecs/ImgDataSource.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void ThrowEndOfData()
{
    ThrowImgError(kImgErrEndOfData, "End of file reached while decoding.\n");
}

// Windows told a missing file from a missing folder; so do we, since the messages differ by code.
int OpenErrorCode(int error, const std::filesystem::path& path)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EISDIR:
        return kImgErrAccessDenied;
    case ENOTDIR:
        return kImgErrPathNotFound;
    case ENOENT: {
        std::error_code ignored;
        const auto parent = path.parent_path();
        if (!parent.empty() && !std::filesystem::is_directory(parent, ignored)) {
            return kImgErrPathNotFound;
        }
        return kImgErrFileNotFound;
    }
    default:
        return kImgErrFileNotFound;
    }
}

} // namespace

void CImgDataSource::OpenBookkeeping(std::string name, const uint8_t* data, size_t size)
{
    m_name = std::move(name);
    m_data = data;
    m_size = size;
    m_consumed = 0;
}

const uint8_t* CImgDataSource::Peek(size_t n) const
{
    if (n > m_size - m_consumed) {
        ThrowEndOfData();
    }
    return m_data + m_consumed;
}

const uint8_t* CImgDataSource::Read(size_t n)
{
    if (n > m_size - m_consumed) {
        ThrowEndOfData();
    }
    const uint8_t* start = m_data + m_consumed;
    const size_t before = m_consumed;
    m_consumed += n;
    if (m_progress != nullptr && m_size != 0 && before / 1024 != m_consumed / 1024) {
        m_progress->OnProgress(static_cast<double>(m_consumed) / static_cast<double>(m_size));
    }
    return start;
}

void CImgDataSource::Close()
{
    if (m_progress != nullptr) {
        m_progress->OnProgress(1.0);
    }
    m_name.clear();
}

CImgFileSource::~CImgFileSource()
{
    Unmap();
}

void CImgFileSource::Open(const std::filesystem::path& path)
{
    Unmap();
    const std::string name = path.string();
    const auto fail = [&name](int code) { ThrowImgError(code, "Opening " + name + " failed"); };
    // Non-blocking, so that naming a pipe does not hang the program; a plain file ignores the flag.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        fail(OpenErrorCode(errno, path));
    }
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
        ::close(fd);
        fail(kImgErrAccessDenied);
    }
    const auto size = static_cast<size_t>(info.st_size);
    void* map = nullptr;
    if (size != 0) {
        map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (map == MAP_FAILED) {
            ::close(fd);
            fail(kImgErrAccessDenied);
        }
        ::madvise(map, size, MADV_SEQUENTIAL);
    }
    ::close(fd); // the mapping stays valid without the descriptor
    m_map = map;
    m_mapSize = size;
    OpenBookkeeping(name, static_cast<const uint8_t*>(map), size);
}

void CImgFileSource::Close()
{
    CImgDataSource::Close();
    Unmap();
    OpenBookkeeping({}, nullptr, 0);
}

void CImgFileSource::Unmap()
{
    if (m_map != nullptr) {
        ::munmap(m_map, m_mapSize);
        m_map = nullptr;
        m_mapSize = 0;
    }
}

void CImgMemSource::Open(const uint8_t* data, size_t size, std::string name)
{
    if (data == nullptr && size != 0) {
        char text[64];
        std::snprintf(text, sizeof text, "Reading from memory at %p failed", static_cast<const void*>(data));
        ThrowImgError(kImgErrFileNotFound, text);
    }
    OpenBookkeeping(std::move(name), data, size);
}
