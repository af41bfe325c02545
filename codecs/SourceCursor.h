#pragma once
// Reading a data source a byte or a few at a time, as run-length decoders do, without a call into the
// source for each byte. Reads are checked against the end like the source's own (code 11); the source
// learns what was consumed every 64 KiB, so progress is still reported, and when Commit is called.

#include "codecs/ImgDataSource.h"

class CImgSourceCursor
{
public:
    explicit CImgSourceCursor(CImgDataSource& source)
        : m_source(source), m_next(source.GetBufferPtr()), m_end(m_next + source.GetBytesLeft()),
          m_mark(m_next)
    {
    }

    uint8_t Byte()
    {
        if (m_next == m_end) {
            ThrowEnd();
        }
        if (m_next - m_mark >= kCommitEvery) {
            Commit();
        }
        return *m_next++;
    }

    // The next n bytes, consumed.
    const uint8_t* Bytes(size_t n)
    {
        if (n > static_cast<size_t>(m_end - m_next)) {
            ThrowEnd();
        }
        if (m_next - m_mark >= kCommitEvery) {
            Commit();
        }
        const uint8_t* start = m_next;
        m_next += n;
        return start;
    }

    size_t Left() const { return static_cast<size_t>(m_end - m_next); }

    // Tells the source how far the cursor has read (and so the progress receiver).
    void Commit()
    {
        const auto n = static_cast<size_t>(m_next - m_mark);
        m_mark = m_next;
        m_source.Skip(n);
    }

private:
    static constexpr std::ptrdiff_t kCommitEvery = 65536;

    [[noreturn]] void ThrowEnd()
    {
        Commit();
        ThrowImgError(kImgErrEndOfData, "End of file reached while decoding.\n");
    }

    CImgDataSource& m_source;
    const uint8_t* m_next;
    const uint8_t* m_end;
    const uint8_t* m_mark;
};
