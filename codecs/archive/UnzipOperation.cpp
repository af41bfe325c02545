#include "codecs/archive/UnzipOperation.h"

#include "codecs/archive/ZipException.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kBufferBytes = 32768;

constexpr int kNotAccepted = 1;

// gzip header flags. 0x20 and the two top bits are reserved (0x20 once meant an encrypted file).
constexpr unsigned kGzipHeaderCrc = 0x02;
constexpr unsigned kGzipExtra = 0x04;
constexpr unsigned kGzipName = 0x08;
constexpr unsigned kGzipComment = 0x10;
constexpr unsigned kGzipReserved = 0xE0;

// PKZIP local file header and data descriptor.
constexpr std::size_t kLocalHeaderBytes = 30;
constexpr std::uint32_t kLocalHeaderSignature = 0x04034B50;
constexpr std::uint32_t kDescriptorSignature = 0x08074B50;
constexpr unsigned kZipEncrypted = 0x0001;
constexpr unsigned kZipDescriptorFollows = 0x0008;

[[noreturn]] void Fatal(const char* detail)
{
    // The user sees the exit code; the detail is for a log.
    throw CZipException("problem with zipping/unzipping operation : 1", detail);
}

std::uint16_t Le16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// The source, read in blocks of up to 32768 bytes.
class InputBuffer
{
public:
    explicit InputBuffer(int fd) : m_fd(fd), m_data(kBufferBytes) {}

    const std::uint8_t* Data() const { return m_data.data() + m_pos; }
    std::size_t Available() const { return m_count - m_pos; }
    void Consume(std::size_t count) { m_pos += std::min(count, Available()); }

    // Makes at least `count` (at most the buffer's size) bytes available unless the file ends first.
    bool Ensure(std::size_t count)
    {
        if (Available() >= count) {
            return true;
        }
        std::memmove(m_data.data(), Data(), Available());
        m_count = Available();
        m_pos = 0;
        while (m_count < m_data.size()) {
            const ssize_t got = ::read(m_fd, m_data.data() + m_count, m_data.size() - m_count);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                Fatal("read error");
            }
            if (got == 0) {
                break;
            }
            m_count += static_cast<std::size_t>(got);
            if (m_count >= count) {
                break;
            }
        }
        return Available() >= count;
    }

    std::uint8_t Byte()
    {
        if (!Ensure(1)) {
            Fatal("unexpected end of file");
        }
        return m_data[m_pos++];
    }

    std::uint16_t Word16()
    {
        const unsigned low = Byte();
        return static_cast<std::uint16_t>(low | (Byte() << 8));
    }

    std::uint32_t Word32()
    {
        const std::uint32_t low = Word16();
        return low | (static_cast<std::uint32_t>(Word16()) << 16);
    }

private:
    int m_fd;
    std::vector<std::uint8_t> m_data;
    std::size_t m_count = 0;
    std::size_t m_pos = 0;
};

// The target, written in windows of 32768 bytes, with the CRC-32 and count of everything written.
class OutputWindow
{
public:
    explicit OutputWindow(int fd) : m_fd(fd), m_data(kBufferBytes) {}

    std::uint8_t* Free() { return m_data.data() + m_fill; }
    std::size_t FreeBytes() const { return m_data.size() - m_fill; }
    void Added(std::size_t count)
    {
        m_fill += count;
        if (m_fill == m_data.size()) {
            Flush();
        }
    }

    void Flush()
    {
        m_crc = ::crc32_z(m_crc, m_data.data(), m_fill);
        m_total += m_fill;
        std::size_t written = 0;
        while (written < m_fill) {
            const ssize_t n = ::write(m_fd, m_data.data() + written, m_fill - written);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                Fatal("write error");
            }
            written += static_cast<std::size_t>(n);
        }
        m_fill = 0;
    }

    std::uint32_t Crc() const { return static_cast<std::uint32_t>(m_crc); }
    std::uint64_t Total() const { return m_total; }

private:
    int m_fd;
    std::vector<std::uint8_t> m_data;
    std::size_t m_fill = 0;
    uLong m_crc = ::crc32_z(0, nullptr, 0);
    std::uint64_t m_total = 0;
};

class InflateStream
{
public:
    InflateStream()
    {
        // Raw DEFLATE data with a 32 KB window: the gzip and PKZIP framing is read here, not by zlib.
        if (::inflateInit2(&m_stream, -MAX_WBITS) != Z_OK) {
            Fatal("out of memory");
        }
    }
    ~InflateStream() { ::inflateEnd(&m_stream); }
    InflateStream(const InflateStream&) = delete;
    InflateStream& operator=(const InflateStream&) = delete;

    z_stream& Stream() { return m_stream; }

private:
    z_stream m_stream{};
};

// The state of one run: nothing survives from a run before, whether it ended well or not.
class UnzipDecoder
{
public:
    UnzipDecoder(int input, int output) : m_in(input), m_out(output) {}

    int Decode()
    {
        if (!m_in.Ensure(2)) {
            Fatal("unexpected end of file");
        }
        const std::uint8_t* magic = m_in.Data();
        if (magic[0] == 0x1F && (magic[1] == 0x8B || magic[1] == 0x9E)) {
            return DecodeGzip();
        }
        if (m_in.Ensure(4) && Le32(m_in.Data()) == kLocalHeaderSignature) {
            return DecodeZipEntry();
        }
        return kNotAccepted;
    }

private:
    int DecodeGzip()
    {
        // The header's own CRC runs over every header byte before it.
        uLong headerCrc = ::crc32_z(0, nullptr, 0);
        auto byte = [&] {
            const std::uint8_t value = m_in.Byte();
            headerCrc = ::crc32_z(headerCrc, &value, 1);
            return value;
        };
        byte();
        byte();
        if (byte() != Z_DEFLATED) {
            return kNotAccepted;
        }
        const unsigned flags = byte();
        if ((flags & kGzipReserved) != 0) {
            return kNotAccepted;
        }
        for (int i = 0; i < 6; ++i) { // modification time, extra flags, operating system
            byte();
        }
        if (flags & kGzipExtra) {
            const unsigned low = byte();
            const unsigned length = low | (byte() << 8);
            for (unsigned i = 0; i < length; ++i) {
                byte();
            }
        }
        if (flags & kGzipName) {
            while (byte() != 0) {
            }
        }
        if (flags & kGzipComment) {
            while (byte() != 0) {
            }
        }
        if (flags & kGzipHeaderCrc) {
            const std::uint16_t stored = m_in.Word16();
            if (stored != static_cast<std::uint16_t>(headerCrc)) {
                Fatal("invalid compressed data--header crc error");
            }
        }
        Inflate();
        const std::uint32_t crc = m_in.Word32();
        const std::uint32_t length = m_in.Word32();
        Check(crc, length);
        // Anything after the first member is ignored.
        return 0;
    }

    int DecodeZipEntry()
    {
        // The local header, name and extra field included, lies whole within the first block read.
        if (!m_in.Ensure(kLocalHeaderBytes)) {
            return kNotAccepted;
        }
        const std::size_t dataOffset = kLocalHeaderBytes + Le16(m_in.Data() + 26) + Le16(m_in.Data() + 28);
        if (dataOffset > kBufferBytes || !m_in.Ensure(dataOffset)) {
            return kNotAccepted;
        }
        const std::uint8_t* h = m_in.Data();
        const unsigned flags = Le16(h + 6);
        const unsigned method = Le16(h + 8);
        std::uint32_t crc = Le32(h + 14);
        std::uint32_t compressedSize = Le32(h + 18);
        std::uint32_t size = Le32(h + 22);
        if ((method != 0 && method != Z_DEFLATED) || (flags & kZipEncrypted) != 0) {
            return kNotAccepted;
        }
        const bool descriptorFollows = (flags & kZipDescriptorFollows) != 0;
        m_in.Consume(dataOffset);

        if (method == Z_DEFLATED) {
            Inflate();
        } else {
            if (compressedSize != size) {
                Fatal("invalid compressed data--length mismatch");
            }
            // A stored entry has no end mark of its own. When its sizes are only in the descriptor (the
            // header says 0), nothing tells where its data ends: such an entry is refused.
            if (descriptorFollows && size == 0 && !DescriptorIsNext()) {
                return kNotAccepted;
            }
            CopyStored(size);
        }
        if (descriptorFollows) {
            ReadDescriptor(crc, compressedSize, size);
            if (compressedSize != static_cast<std::uint32_t>(m_compressedCount)) {
                Fatal("invalid compressed data--length error");
            }
        }
        Check(crc, size);
        // A zipped catalogue is one file: an archive with a second entry is refused.
        if (m_in.Ensure(4) && Le32(m_in.Data()) == kLocalHeaderSignature) {
            return kNotAccepted;
        }
        return 0;
    }

    bool DescriptorIsNext() { return m_in.Ensure(4) && Le32(m_in.Data()) == kDescriptorSignature; }

    // The descriptor after the data: CRC-32, compressed and uncompressed size, after its signature
    // (which some writers leave out).
    void ReadDescriptor(std::uint32_t& crc, std::uint32_t& compressedSize, std::uint32_t& size)
    {
        std::uint32_t first = m_in.Word32();
        if (first == kDescriptorSignature) {
            first = m_in.Word32();
        }
        crc = first;
        compressedSize = m_in.Word32();
        size = m_in.Word32();
    }

    void CopyStored(std::uint32_t size)
    {
        std::uint64_t left = size;
        while (left > 0) {
            if (!m_in.Ensure(1)) {
                Fatal("unexpected end of file");
            }
            const std::size_t step = static_cast<std::size_t>(
                std::min<std::uint64_t>({left, m_in.Available(), m_out.FreeBytes()}));
            std::memcpy(m_out.Free(), m_in.Data(), step);
            m_in.Consume(step);
            m_out.Added(step);
            m_compressedCount += step;
            left -= step;
        }
        m_out.Flush();
    }

    // Decodes raw DEFLATE data up to the end of its final block, consuming the input exactly that far.
    void Inflate()
    {
        InflateStream inflate;
        z_stream& z = inflate.Stream();
        for (;;) {
            if (m_in.Available() == 0 && !m_in.Ensure(1)) {
                Fatal("unexpected end of file");
            }
            const std::size_t offered = m_in.Available(); // at most one block
            const std::size_t room = m_out.FreeBytes();
            z.next_in = const_cast<Bytef*>(m_in.Data());
            z.avail_in = static_cast<uInt>(offered);
            z.next_out = m_out.Free();
            z.avail_out = static_cast<uInt>(room);
            const int result = ::inflate(&z, Z_NO_FLUSH);
            const std::size_t used = offered - z.avail_in;
            m_in.Consume(used);
            m_compressedCount += used;
            m_out.Added(room - z.avail_out);
            switch (result) {
            case Z_STREAM_END:
                m_out.Flush();
                return;
            case Z_OK:
            case Z_BUF_ERROR: // no progress without more input or room; both come next time round
                break;
            case Z_MEM_ERROR:
                Fatal("out of memory");
            default: // Z_DATA_ERROR, Z_NEED_DICT, Z_STREAM_ERROR
                Fatal("invalid compressed data--format violated");
            }
        }
    }

    void Check(std::uint32_t crc, std::uint32_t length) const
    {
        if (m_out.Crc() != crc) {
            Fatal("invalid compressed data--crc error");
        }
        if (static_cast<std::uint32_t>(m_out.Total()) != length) {
            Fatal("invalid compressed data--length error");
        }
    }

    InputBuffer m_in;
    OutputWindow m_out;
    std::uint64_t m_compressedCount = 0;
};

} // namespace

CUnzipOperation::CUnzipOperation(std::filesystem::path source) : CZipOperation(std::move(source), "unzipping")
{
}

int CUnzipOperation::Process(int input, int output)
{
    UnzipDecoder decoder(input, output);
    return decoder.Decode();
}
