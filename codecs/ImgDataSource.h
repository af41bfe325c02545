#pragma once
// Where decoders read from: a file mapped read-only, or a block of memory. A source hands out pointers
// into its data; reading past its end throws code 11, so a decoder never sees bytes that are not there.

#include "codecs/TextException.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

// Told how far a decode has come, as a fraction from 0 to 1.
class CImgProgressReceiver
{
public:
    virtual ~CImgProgressReceiver() = default;
    virtual void OnProgress(double fractionDone) = 0;
};

class CImgDataSource : public CImgObject
{
public:
    ~CImgDataSource() override = default;
    CImgDataSource(const CImgDataSource&) = delete;
    CImgDataSource& operator=(const CImgDataSource&) = delete;

    const std::string& GetName() const { return m_name; }
    size_t GetFileSize() const { return m_size; }
    size_t GetBytesConsumed() const { return m_consumed; }
    size_t GetBytesLeft() const { return m_size - m_consumed; }

    void SetProgressReceiver(CImgProgressReceiver* receiver) { m_progress = receiver; }
    CImgProgressReceiver* GetProgressReceiver() const { return m_progress; }

    // The next n bytes without consuming them; throws code 11 when fewer are left.
    const uint8_t* Peek(size_t n) const;
    // The next n bytes, consumed; throws code 11 when fewer are left. Reports progress each time the
    // consumed count passes a multiple of 1024.
    const uint8_t* Read(size_t n);
    void Skip(size_t n) { Read(n); }
    // Where the next byte lies (decoders that hand the rest of the data to a library take it from here).
    const uint8_t* GetBufferPtr() const { return m_data + m_consumed; }

    // Tells the progress receiver the work is done.
    virtual void Close();

protected:
    CImgDataSource() = default;
    void OpenBookkeeping(std::string name, const uint8_t* data, size_t size);

private:
    std::string m_name;
    const uint8_t* m_data = nullptr;
    size_t m_size = 0;
    size_t m_consumed = 0;
    CImgProgressReceiver* m_progress = nullptr;
};

// A file, mapped whole and read-only for the life of the source. An empty file is not mapped.
class CImgFileSource : public CImgDataSource
{
public:
    CImgFileSource() = default;
    ~CImgFileSource() override;

    // Opens and maps the file. Throws "Opening <name> failed" with code 3 (a folder of the path is
    // missing), 4 (no such file, or another open failure) or 5 (no permission, not a plain file, or the
    // mapping failed).
    void Open(const std::filesystem::path& path);
    void Close() override;

private:
    void Unmap();

    void* m_map = nullptr;
    size_t m_mapSize = 0;
};

// A block of the caller's memory, read in place (not copied); the caller keeps it alive.
class CImgMemSource : public CImgDataSource
{
public:
    CImgMemSource() = default;
    CImgMemSource(const uint8_t* data, size_t size, std::string name = {})
    {
        Open(data, size, std::move(name));
    }

    void Open(const uint8_t* data, size_t size, std::string name = {});
};
