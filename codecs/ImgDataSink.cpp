#include "codecs/ImgDataSink.h"

#include <algorithm>
#include <cstring>
#include <new>

void CImgDataSink::OpenBookkeeping(std::string name, uint8_t* buffer, size_t maxSize)
{
    m_name = std::move(name);
    m_buffer = buffer;
    m_maxSize = buffer != nullptr ? maxSize : 0;
    m_writePos = 0;
}

void CImgDataSink::SetBuffer(uint8_t* buffer, size_t maxSize)
{
    m_buffer = buffer;
    m_maxSize = maxSize;
}

bool CImgDataSink::EnsureCapacity(size_t size)
{
    return size <= m_maxSize || Grow(size);
}

void CImgDataSink::Write(const void* data, size_t n)
{
    if (n > m_maxSize - m_writePos && (m_writePos + n < m_writePos || !Grow(m_writePos + n))) {
        ThrowImgError(kImgErrEndOfData, "Buffer overflow while encoding.\n");
    }
    if (n != 0) {
        std::memcpy(m_buffer + m_writePos, data, n);
    }
    m_writePos += n;
}

void CImgDataSink::SetWritePos(size_t pos)
{
    if (!EnsureCapacity(pos)) {
        ThrowImgError(kImgErrEndOfData, "Buffer overflow while encoding.\n");
    }
    m_writePos = pos;
}

void CImgMemSink::Open(uint8_t* buffer, size_t maxSize, std::string name)
{
    m_own.reset();
    OpenBookkeeping(std::move(name), buffer, maxSize);
}

void CImgMemSink::Open(size_t maxSize, std::string name)
{
    m_own = AllocateImgBlock(maxSize, "Can't allocate global memory block.");
    OpenBookkeeping(std::move(name), m_own.get(), maxSize);
}

CImgFileSink::~CImgFileSink()
{
    Discard();
}

void CImgFileSink::Discard()
{
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
        std::error_code ignored;
        std::filesystem::remove(m_partPath, ignored);
    }
}

int CImgFileSink::Open(const std::filesystem::path& path, size_t initialSize)
{
    Discard();
    m_path = path;
    m_partPath = path;
    m_partPath += ".part";
    m_file = std::fopen(m_partPath.c_str(), "wb");
    if (m_file == nullptr) {
        return -1;
    }
    try {
        m_data.assign(initialSize, 0);
    } catch (const std::bad_alloc&) {
        Discard();
        return -1;
    }
    OpenBookkeeping(path.string(), m_data.data(), m_data.size());
    return 0;
}

bool CImgFileSink::Grow(size_t size)
{
    if (m_file == nullptr) {
        return false;
    }
    try {
        m_data.resize(std::max(size, m_data.size() * 2));
    } catch (const std::bad_alloc&) {
        return false;
    }
    SetBuffer(m_data.data(), m_data.size());
    return true;
}

void CImgFileSink::Close()
{
    if (m_file == nullptr) {
        return;
    }
    const size_t size = GetWritePos();
    const bool written = std::fwrite(GetBuffer(), 1, size, m_file) == size;
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    m_data = {};
    const std::string name = GetName();
    OpenBookkeeping({}, nullptr, 0);
    std::error_code error;
    if (written && closed) {
        std::filesystem::rename(m_partPath, m_path, error);
    }
    if (!written || !closed || error) {
        std::filesystem::remove(m_partPath, error);
        ThrowImgError(kImgErrOpenSink, "Writing " + name + " failed");
    }
}
