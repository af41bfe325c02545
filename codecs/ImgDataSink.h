#pragma once
// Where encoders write to: a buffer of fixed maximum size, in memory or bound for a file. Writing past
// the maximum throws code 11 "Buffer overflow while encoding.\n"; the write position is the number of
// bytes written.

#include "codecs/ImgMemory.h"
#include "codecs/TextException.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

class CImgDataSink : public CImgObject
{
public:
    ~CImgDataSink() override = default;
    CImgDataSink(const CImgDataSink&) = delete;
    CImgDataSink& operator=(const CImgDataSink&) = delete;

    void Write(const void* data, size_t n);
    // Makes room for `size` bytes in all; false when the sink cannot hold that many (a memory sink
    // never grows; a file sink does).
    bool EnsureCapacity(size_t size);

    const std::string& GetName() const { return m_name; }
    size_t GetWritePos() const { return m_writePos; }
    size_t GetMaxSize() const { return m_maxSize; }
    uint8_t* GetBuffer() { return m_buffer; }
    const uint8_t* GetBuffer() const { return m_buffer; }
    // For writers that place bytes themselves (the TIFF memory client): at most the maximum size.
    void SetWritePos(size_t pos);

protected:
    CImgDataSink() = default;
    void OpenBookkeeping(std::string name, uint8_t* buffer, size_t maxSize);
    // Moves the buffer after a sink grew it.
    void SetBuffer(uint8_t* buffer, size_t maxSize);
    virtual bool Grow(size_t /*size*/) { return false; }

private:
    uint8_t* m_buffer = nullptr;
    size_t m_writePos = 0;
    size_t m_maxSize = 0;
    std::string m_name;
};

// A sink over memory: the caller's buffer, or a zeroed buffer of its own.
class CImgMemSink : public CImgDataSink
{
public:
    CImgMemSink() = default;
    // Over the caller's buffer of maxSize bytes, which must outlive the sink.
    void Open(uint8_t* buffer, size_t maxSize, std::string name = {});
    // Over a buffer of its own; throws code 10 when it cannot be had.
    void Open(size_t maxSize, std::string name = {});

private:
    ImgBlock m_own;
};

// A sink bound for a file: the bytes collect in a buffer and go to the file when the sink is closed.
// The buffer starts at the size the caller expects and grows when an encoder needs more. The bytes are
// written beside the file and renamed over it once they are all written, so a failed save leaves an
// existing file as it was.
class CImgFileSink : public CImgDataSink
{
public:
    CImgFileSink() = default;
    ~CImgFileSink() override;

    // Opens the file for writing and allocates the buffer; -1 when either fails, else 0.
    int Open(const std::filesystem::path& path, size_t initialSize);
    // Writes the bytes up to the write position to the file and closes it. Throws code -1 when the file
    // could not be written whole (a full disk), so that a failed save is never reported as done.
    void Close();

private:
    bool Grow(size_t size) override;
    void Discard();

    std::FILE* m_file = nullptr;
    std::filesystem::path m_path;
    std::filesystem::path m_partPath;
    std::vector<uint8_t> m_data;
};
