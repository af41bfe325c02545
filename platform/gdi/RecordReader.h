#pragma once
// Little-endian fields of a metafile record, read with every offset checked against the record's end:
// a read past it sets the reader's failed flag and gives 0, so a player can read a record's fields
// first and then drop the record as a whole when it was too short.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace platform::gdi {

class RecordReader
{
public:
    explicit RecordReader(std::span<const uint8_t> data) : m_data(data) {}

    size_t Size() const { return m_data.size(); }
    bool Failed() const { return m_failed; }
    // Marks the record as unusable (a count that cannot be right, for one).
    void Fail() { m_failed = true; }

    // Whether `count` items of `itemSize` bytes fit from `offset` on.
    bool Fits(size_t offset, size_t count, size_t itemSize) const
    {
        return offset <= m_data.size() && (itemSize == 0 || count <= (m_data.size() - offset) / itemSize);
    }

    uint8_t U8(size_t at) { return Fits(at, 1, 1) ? m_data[at] : Bad(); }
    uint16_t U16(size_t at)
    {
        return Fits(at, 1, 2) ? static_cast<uint16_t>(m_data[at] | (m_data[at + 1] << 8)) : Bad();
    }
    int16_t I16(size_t at) { return static_cast<int16_t>(U16(at)); }
    uint32_t U32(size_t at)
    {
        if (!Fits(at, 1, 4)) {
            return Bad();
        }
        return static_cast<uint32_t>(m_data[at]) | (static_cast<uint32_t>(m_data[at + 1]) << 8) |
               (static_cast<uint32_t>(m_data[at + 2]) << 16) | (static_cast<uint32_t>(m_data[at + 3]) << 24);
    }
    int32_t I32(size_t at) { return static_cast<int32_t>(U32(at)); }
    float F32(size_t at)
    {
        const uint32_t bits = U32(at);
        float value;
        static_assert(sizeof value == sizeof bits);
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // `size` bytes from `offset`, or an empty span (and failed) when they are not all there.
    std::span<const uint8_t> Bytes(size_t offset, size_t size)
    {
        if (!Fits(offset, size, 1)) {
            m_failed = true;
            return {};
        }
        return m_data.subspan(offset, size);
    }

private:
    uint8_t Bad()
    {
        m_failed = true;
        return 0;
    }

    std::span<const uint8_t> m_data;
    bool m_failed = false;
};

} // namespace platform::gdi
