#include "codecs/TGADecoder.h"

#include "codecs/ByteOrder.h"
#include "codecs/SourceCursor.h"

#include <array>
#include <cstring>

using imgbytes::Le16;

namespace {

constexpr size_t kHeaderSize = 18;
constexpr uint8_t kTopDown = 0x20;

using ColourTable = std::array<uint32_t, 256>;

[[noreturn]] void ThrowUnknownType()
{
    ThrowImgError(kImgErrBadContents, "Unknown TGA image type.");
}

// One pixel or colour-map entry of the given size as a 32-bit pixel. 15- and 16-bit words hold five
// bits of each colour; a 16-bit word's top bit is an attribute that becomes alpha 128 (set) or 0
// (clear) when the file says its pixels carry one, and is ignored otherwise.
class PixelReader
{
public:
    PixelReader(int bits, bool attribute, const ColourTable& table)
        : m_bits(bits), m_attribute(attribute), m_table(table)
    {
    }

    size_t Bytes() const { return static_cast<size_t>((m_bits + 7) / 8); }

    uint32_t operator()(const uint8_t* p) const
    {
        switch (m_bits) {
        case 8:
            return m_table[p[0]];
        case 15:
        case 16: {
            const unsigned w = Le16(p);
            const uint32_t red = (w >> 7) & 0xF8;
            const uint32_t green = (w >> 2) & 0xF8;
            const uint32_t blue = (w & 0x1F) << 3;
            uint32_t alpha = 255;
            if (m_bits == 16 && m_attribute) {
                alpha = (w & 0x8000) != 0 ? 128 : 0;
            }
            return alpha << 24 | red << 16 | green << 8 | blue;
        }
        case 24:
            return 0xFF000000u | static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0];
        default:
            return imgbytes::Le32(p);
        }
    }

private:
    int m_bits;
    bool m_attribute;
    const ColourTable& m_table;
};

bool IsPixelSize(int bits)
{
    return bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

void CTGADecoder::DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp)
{
    const uint8_t* header = source.Read(kHeaderSize);
    const size_t idLength = header[0];
    const int mapType = header[1];
    const int imageType = header[2];
    const unsigned mapFirst = Le16(header + 3);
    const unsigned mapLength = Le16(header + 5);
    const int mapEntryBits = header[7];
    const int width = Le16(header + 12);
    const int height = Le16(header + 14);
    const int pixelBits = header[16];
    const uint8_t descriptor = header[17];
    source.Skip(idLength);

    const bool grey = imageType == 3 || imageType == 11;
    const bool rle = imageType >= 9;
    if ((imageType < 1 || imageType > 3) && (imageType < 9 || imageType > 11)) {
        ThrowUnknownType();
    }
    if (!IsPixelSize(pixelBits)) {
        ThrowUnknownType();
    }
    // The low four bits of the descriptor count the attribute (alpha) bits of a pixel. ImageMagick and
    // others write 16-bit pictures without any; their top bit then means nothing.
    const bool attribute = (descriptor & 0x0F) != 0;

    ColourTable table{};
    if (mapType != 0) {
        if (!IsPixelSize(mapEntryBits)) {
            ThrowUnknownType();
        }
        ColourTable greyTable{};
        for (uint32_t i = 0; i < 256; ++i) {
            greyTable[i] = 0xFF000000u | i * 0x010101u;
        }
        const PixelReader entry(mapEntryBits, attribute, greyTable);
        const uint8_t* entries = source.Read(mapLength * entry.Bytes());
        // Entries past the 256 a table holds are read and dropped.
        for (unsigned i = 0; i < mapLength && mapFirst + i < table.size(); ++i) {
            table[mapFirst + i] = entry(entries + i * entry.Bytes());
        }
    }
    if (grey) {
        for (uint32_t i = 0; i < 256; ++i) {
            table[i] = 0xFF000000u | i * 0x010101u;
        }
    }

    const PixelReader pixel(pixelBits, attribute, table);
    const size_t pixelBytes = pixel.Bytes();
    const size_t lineBytes = static_cast<size_t>(width) * pixelBytes;
    if (!rle && lineBytes != 0 && source.GetBytesLeft() / lineBytes < static_cast<size_t>(height)) {
        // Too short for the picture it claims: say so before making it.
        ThrowImgError(kImgErrEndOfData, "End of file reached while decoding.\n");
    }
    const int depth = ChooseDecodeDepth(bpp, pixelBits);
    bmp.Create(width, height, depth, pixelBits == 32 || (pixelBits == 16 && attribute));
    if (depth == 8 && (mapType != 0 || grey)) {
        SetColourTableEntries(bmp, table);
    }

    const bool topDown = (descriptor & kTopDown) != 0;
    const auto lineOf = [&](int row) { return bmp.GetLine(topDown ? row : height - 1 - row); };
    // Writes one pixel of the file's data into line `out` at x.
    const auto put = [&](uint8_t* out, int x, const uint8_t* data) {
        if (depth == 8) {
            out[x] = data[0];
        } else {
            imgbytes::PutLe32(out + 4 * static_cast<size_t>(x), pixel(data));
        }
    };

    if (!rle) {
        for (int row = 0; row < height; ++row) {
            const uint8_t* in = source.Read(lineBytes);
            uint8_t* out = lineOf(row);
            for (int x = 0; x < width; ++x) {
                put(out, x, in + static_cast<size_t>(x) * pixelBytes);
            }
        }
        return;
    }

    // Packets run on from one line to the next; one that passes the end of the image is refused.
    CImgSourceCursor in(source);
    const uint64_t total = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    uint64_t done = 0;
    int x = 0;
    int row = 0;
    uint8_t* out = height > 0 ? lineOf(0) : nullptr;
    const auto advance = [&] {
        ++done;
        if (++x == width && done < total) {
            x = 0;
            out = lineOf(++row);
        }
    };
    while (done < total) {
        const unsigned count = in.Byte();
        const unsigned pixels = count < 128 ? count + 1 : count - 127;
        if (pixels > total - done) {
            ThrowImgError(kImgErrLimit, "repeat count spans end of image.");
        }
        if (count < 128) {
            const uint8_t* data = in.Bytes(pixels * pixelBytes);
            for (unsigned i = 0; i < pixels; ++i) {
                put(out, x, data + i * pixelBytes);
                advance();
            }
        } else {
            const uint8_t* data = in.Bytes(pixelBytes);
            for (unsigned i = 0; i < pixels; ++i) {
                put(out, x, data);
                advance();
            }
        }
    }
    in.Commit();
}
