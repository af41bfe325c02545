#include "codecs/PICTDecoder.h"

#include "codecs/ByteOrder.h"
#include "codecs/JPEGDecoder.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

using imgbytes::Be16;
using imgbytes::Be32;

namespace {

constexpr size_t kFileHeaderSize = 512;
constexpr size_t kPixMapRestSize = 36; // a pixel map's fields after its bounds

// How the data of an opcode below 0xA2 is skipped.
enum : int16_t
{
    kWordCounted = -1, // a 16-bit length and that many bytes
    kRegion = -2,      // a region or polygon: a 16-bit size that counts itself
    kText = -3,        // text drawing: fixed fields, a count byte and that many characters
    kPixPat = -4,      // a pixel pattern
    kLongComment = -5, // a kind word and a word-counted block
    kRaster = -6,      // the raster images this decoder reads
};

// The data lengths of the QuickDraw opcodes 0x00 to 0xA1.
constexpr std::array<int16_t, 0xA2> MakeOpcodeLengths()
{
    std::array<int16_t, 0xA2> n{};
    const auto set = [&n](int first, int last, int16_t length) {
        for (int op = first; op <= last; ++op) {
            n[static_cast<size_t>(op)] = length;
        }
    };
    set(0x01, 0x01, kRegion); // clip
    set(0x02, 0x02, 8);       // background pattern
    set(0x03, 0x03, 2);       // text font
    set(0x04, 0x04, 1);       // text face
    set(0x05, 0x05, 2);       // text mode
    set(0x06, 0x07, 4);       // space extra, pen size
    set(0x08, 0x08, 2);       // pen mode
    set(0x09, 0x0A, 8);       // pen and fill patterns
    set(0x0B, 0x0C, 4);       // oval size, origin
    set(0x0D, 0x0D, 2);       // text size
    set(0x0E, 0x0F, 4);       // foreground and background colours
    set(0x10, 0x10, 8);       // text ratio
    set(0x11, 0x11, 1);       // version
    set(0x12, 0x14, kPixPat);
    set(0x15, 0x16, 2); // pen fraction, character extra
    set(0x1A, 0x1B, 6); // RGB colours
    set(0x1D, 0x1D, 6); // highlight colour
    set(0x1F, 0x1F, 6); // op colour
    set(0x20, 0x20, 8); // line
    set(0x21, 0x21, 4); // line from
    set(0x22, 0x22, 6); // short line
    set(0x23, 0x23, 2); // short line from
    set(0x24, 0x27, kWordCounted);
    set(0x28, 0x2B, kText);
    set(0x2C, 0x2F, kWordCounted);
    set(0x30, 0x37, 8);  // rectangles
    set(0x40, 0x47, 8);  // rounded rectangles
    set(0x50, 0x57, 8);  // ovals
    set(0x60, 0x67, 12); // arcs
    set(0x68, 0x6F, 4);  // arcs of the same rectangle
    set(0x70, 0x77, kRegion);
    set(0x80, 0x87, kRegion);
    set(0x90, 0x91, kRaster);
    set(0x92, 0x97, kWordCounted);
    set(0x98, 0x9A, kRaster);
    set(0x9B, 0x9F, kWordCounted);
    set(0xA0, 0xA0, 2); // short comment
    set(0xA1, 0xA1, kLongComment);
    return n;
}

constexpr std::array<int16_t, 0xA2> kOpcodeLengths = MakeOpcodeLengths();

struct Rect
{
    int top, left, bottom, right;
};

struct PixMap
{
    Rect bounds{};
    int pixelSize = 1;
    int componentCount = 1;
};

uint32_t Opaque(uint8_t red, uint8_t green, uint8_t blue)
{
    return 0xFF000000u | (static_cast<uint32_t>(red) << 16) | (static_cast<uint32_t>(green) << 8) | blue;
}

[[noreturn]] void ThrowIllegalPixelSize(int size)
{
    char text[64];
    std::snprintf(text, sizeof text, "Illegal bpp value in unpackbits: %d\n", size);
    ThrowImgError(kImgErrBadContents, text);
}

// Reads the opcodes of one picture from a data source.
class PictReader
{
public:
    PictReader(CImgDataSource& source, CJPEGDecoder& jpeg)
        : m_source(source), m_jpeg(jpeg), m_start(source.GetBytesConsumed())
    {
    }

    void Decode(CImgBitmap& bmp, int bpp);

private:
    uint8_t Byte() { return *m_source.Read(1); }
    unsigned Word() { return Be16(m_source.Read(2)); }
    uint32_t Long() { return Be32(m_source.Read(4)); }
    void Skip(size_t n) { m_source.Skip(n); }
    Rect ReadRect()
    {
        const uint8_t* p = m_source.Read(8);
        return {static_cast<int16_t>(Be16(p)), static_cast<int16_t>(Be16(p + 2)),
                static_cast<int16_t>(Be16(p + 4)), static_cast<int16_t>(Be16(p + 6))};
    }

    void ReadVersion();
    unsigned NextOpcode();
    void SkipRegion();
    void SkipText(unsigned op);
    void SkipPixPat();
    PixMap ReadPixMap();
    // A colour table: count - 1, then (value, red, green, blue) per entry.
    std::array<uint32_t, 256> ReadColourTable();
    // One row of pixel data into `row` (zero beyond what the data gives).
    void ReadRow(std::vector<uint8_t>& row, size_t rowBytes, int pixelSize, bool packed);
    void DecodeQuickTime(CImgBitmap& bmp);
    void DecodeRaster(unsigned op, CImgBitmap& bmp, int bpp);

    CImgDataSource& m_source;
    CJPEGDecoder& m_jpeg;
    size_t m_start;
    int m_version = 1;
};

void PictReader::ReadVersion()
{
    Skip(kFileHeaderSize);
    Skip(2); // picture size (of no use: files larger than 32 KiB overflow it)
    ReadRect();
    uint8_t b = Byte();
    while (b == 0) {
        b = Byte();
    }
    if (b != 0x11) {
        ThrowImgError(kImgErrWrongSignature, "Error decoding pict: Version number missing.");
    }
    m_version = Byte();
    if (m_version != 1 && !(m_version == 2 && Byte() == 0xFF)) {
        ThrowImgError(kImgErrWrongSignature, "Illegal version number.");
    }
}

unsigned PictReader::NextOpcode()
{
    if (m_version == 1) {
        return Byte();
    }
    // Version 2 opcodes are words at even positions of the file.
    if ((m_source.GetBytesConsumed() - m_start) % 2 != 0) {
        Skip(1);
    }
    return Word();
}

void PictReader::SkipRegion()
{
    const unsigned size = Word(); // counts its own two bytes
    Skip(size >= 2 ? size - 2 : 0);
}

void PictReader::SkipText(unsigned op)
{
    static constexpr size_t kFixed[] = {4, 1, 1, 2}; // a point, dh, dv, dh and dv
    Skip(kFixed[op - 0x28]);
    Skip(Byte());
}

PixMap PictReader::ReadPixMap()
{
    PixMap map;
    map.bounds = ReadRect();
    const uint8_t* rest = m_source.Read(kPixMapRestSize);
    // version, pack type, pack size, resolutions and pixel type come first
    map.pixelSize = Be16(rest + 18);
    map.componentCount = Be16(rest + 20);
    return map;
}

std::array<uint32_t, 256> PictReader::ReadColourTable()
{
    std::array<uint32_t, 256> table{};
    Skip(4); // seed
    const unsigned flags = Word();
    const size_t entries = size_t{Word()} + 1;
    const uint8_t* data = m_source.Read(8 * entries);
    for (size_t i = 0; i < entries; ++i) {
        const uint8_t* e = data + 8 * i;
        const size_t value = (flags & 0x8000) != 0 ? i : Be16(e);
        if (value >= entries) {
            ThrowImgError(kImgErrBadContents, "pixel value greater than colour table size.");
        }
        // A table longer than 256 entries keeps the first 256.
        if (value < table.size()) {
            table[value] = Opaque(e[2], e[4], e[6]); // the high bytes of red, green, blue
        }
    }
    return table;
}

void PictReader::ReadRow(std::vector<uint8_t>& row, size_t rowBytes, int pixelSize, bool packed)
{
    std::fill(row.begin(), row.end(), 0);
    if (!packed) {
        const uint8_t* in = m_source.Read(rowBytes);
        if (!row.empty()) {
            std::memcpy(row.data(), in, std::min(rowBytes, row.size()));
        }
        return;
    }
    const size_t count = rowBytes < 251 ? Byte() : Word();
    const uint8_t* in = m_source.Read(count);
    const uint8_t* const end = in + count;
    const size_t unit = pixelSize == 16 ? 2 : 1;
    size_t out = 0;
    // PackBits: f < 128 gives f + 1 units as they are, f > 128 one unit 257 - f times, 128 nothing.
    // Units that would pass the end of the row are dropped.
    while (in < end) {
        const unsigned f = *in++;
        if (f < 128) {
            const size_t bytes = std::min<size_t>((f + 1) * unit, static_cast<size_t>(end - in));
            const size_t kept = std::min(bytes, row.size() - out);
            if (kept > 0) {
                std::memcpy(row.data() + out, in, kept);
            }
            out += kept;
            in += bytes;
        } else if (f > 128) {
            if (static_cast<size_t>(end - in) < unit) {
                break;
            }
            for (unsigned i = 0; i < 257 - f && row.size() - out >= unit; ++i) {
                std::memcpy(row.data() + out, in, unit);
                out += unit;
            }
            in += unit;
        }
    }
}

void PictReader::SkipPixPat()
{
    const unsigned type = Word();
    if (type == 2) {
        Skip(8 + 5);
        return;
    }
    if (type != 1) {
        ThrowImgError(kImgErrBadContents, "Unknown pattern type in pixPat.");
    }
    Skip(8); // the one-bit pattern
    const size_t rowBytes = Word() & 0x7FFF;
    const PixMap map = ReadPixMap();
    ReadColourTable();
    std::vector<uint8_t> row(rowBytes);
    const int height = std::max(0, map.bounds.bottom - map.bounds.top);
    for (int y = 0; y < height; ++y) {
        ReadRow(row, rowBytes, map.pixelSize, rowBytes >= 8);
    }
}

void PictReader::DecodeQuickTime(CImgBitmap& bmp)
{
    const uint32_t length = Long();
    if (length > m_source.GetBytesLeft()) {
        ThrowImgError(kImgErrEndOfData, "End of file reached while decoding.\n");
    }
    const uint8_t* data = m_source.Read(length);
    static constexpr uint8_t kJpegStart[] = {0xFF, 0xD8, 0xFF};
    const uint8_t* found = std::search(data, data + length, std::begin(kJpegStart), std::end(kJpegStart));
    if (found == data + length) {
        ThrowImgError(kImgErrNotSupported, "PICT file contains unrecognized quicktime data.\n");
    }
    CImgMemSource jpeg(found, static_cast<size_t>(data + length - found));
    m_jpeg.MakeBmp(jpeg, bmp, 32);
}

void PictReader::DecodeRaster(unsigned op, CImgBitmap& bmp, int bpp)
{
    const bool direct = op == 0x9A;
    const bool region = op == 0x91 || op == 0x99;
    if (direct) {
        Skip(4); // base address
    }
    const unsigned rowBytesWord = Word();
    size_t rowBytes = rowBytesWord & 0x7FFF;
    PixMap map;
    std::array<uint32_t, 256> table{};
    if (!direct && (rowBytesWord & 0x8000) == 0) {
        // A one-bit bitmap as version 1 has it: 0 is white and 1 black.
        map.bounds = ReadRect();
        table[0] = Opaque(255, 255, 255);
        table[1] = Opaque(0, 0, 0);
    } else {
        map = ReadPixMap();
        if (!direct) {
            table = ReadColourTable();
        }
    }
    ReadRect(); // source
    ReadRect(); // destination
    Skip(2);    // transfer mode
    if (region) {
        SkipRegion();
    }

    const int size = map.pixelSize;
    if (size != 1 && size != 2 && size != 4 && size != 8 && size != 16 && size != 32) {
        ThrowIllegalPixelSize(size);
    }
    const int width = map.bounds.right - map.bounds.left;
    const int height = map.bounds.bottom - map.bounds.top;
    if (size == 32 && rowBytes == 0) {
        rowBytes = 4 * static_cast<size_t>(std::max(width, 0));
    }
    const int depth = ChooseDecodeDepth(bpp, size);
    bmp.Create(width, height, depth, false);
    if (depth == 8) {
        SetColourTableEntries(bmp, table);
    }

    const bool packed = size == 32 || rowBytes >= 8;
    const int planes = map.componentCount == 4 ? 4 : 3;
    // Room for the row as the data gives it and as the width needs it, whichever is longer.
    const size_t needed = size == 32 ? static_cast<size_t>(width) * planes
                                     : (static_cast<size_t>(width) * static_cast<size_t>(size) + 7) / 8;
    std::vector<uint8_t> row(std::max(rowBytes, needed));
    for (int y = 0; y < height; ++y) {
        ReadRow(row, rowBytes, size, packed);
        uint8_t* line = bmp.GetLine(y);
        const uint8_t* in = row.data();
        if (size == 32) {
            // Component planes: (alpha,) red, green, blue, each a run of width bytes.
            const uint8_t* alpha = planes == 4 ? in : nullptr;
            const uint8_t* red = in + (planes == 4 ? width : 0);
            const uint8_t* green = red + width;
            const uint8_t* blue = green + width;
            for (int x = 0; x < width; ++x) {
                line[4 * x] = blue[x];
                line[4 * x + 1] = green[x];
                line[4 * x + 2] = red[x];
                line[4 * x + 3] = alpha != nullptr ? alpha[x] : 0;
            }
        } else if (size == 16) {
            for (int x = 0; x < width; ++x) {
                const unsigned w = Be16(in + 2 * x);
                line[4 * x] = static_cast<uint8_t>((w & 0x1F) * 8);
                line[4 * x + 1] = static_cast<uint8_t>(((w >> 5) & 0x1F) * 8);
                line[4 * x + 2] = static_cast<uint8_t>(((w >> 10) & 0x1F) * 8);
                line[4 * x + 3] = 255;
            }
        } else if (depth == 8) {
            const int perByte = 8 / size;
            const unsigned mask = (1u << size) - 1;
            for (int x = 0; x < width; ++x) {
                const unsigned shift = static_cast<unsigned>((perByte - 1 - x % perByte) * size);
                line[x] = static_cast<uint8_t>((in[x / perByte] >> shift) & mask);
            }
        } else {
            switch (size) {
            case 1:
                ExpandLine1(in, line, width, table);
                break;
            case 2:
                ExpandLine2(in, line, width, table);
                break;
            case 4:
                ExpandLine4(in, line, width, table);
                break;
            default:
                ExpandLine8(in, line, width, table);
                break;
            }
        }
    }
}

void PictReader::Decode(CImgBitmap& bmp, int bpp)
{
    ReadVersion();
    for (;;) {
        const unsigned op = NextOpcode();
        if (op == 0xFF || op == 0xFFFF) {
            ThrowImgError(kImgErrNotSupported, "PICT contained only vector data!\n");
        }
        if (op == 0x0C00) { // version 2 header
            Skip(24);
        } else if (op == 0x8200) {
            DecodeQuickTime(bmp);
            return;
        } else if (op >= 0xA2 && op <= 0xAF) {
            Skip(Word());
        } else if ((op >= 0xB0 && op <= 0xCF) || (op >= 0x8000 && op <= 0x80FF)) {
            // no data
        } else if (op >= 0x0100 && op <= 0x1FA3) {
            Skip((op >> 7) & 0xFF);
        } else if (op >= 0xD0) {
            Skip(Long());
        } else {
            const int16_t length = kOpcodeLengths[op];
            switch (length) {
            case kWordCounted:
                Skip(Word());
                break;
            case kRegion:
                SkipRegion();
                break;
            case kText:
                SkipText(op);
                break;
            case kPixPat:
                SkipPixPat();
                break;
            case kLongComment:
                Skip(2);
                Skip(Word());
                break;
            case kRaster:
                DecodeRaster(op, bmp, bpp);
                return;
            default:
                Skip(static_cast<size_t>(length));
                break;
            }
        }
    }
}

} // namespace

void CPICTDecoder::DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp)
{
    PictReader(source, m_jpeg).Decode(bmp, bpp);
}
