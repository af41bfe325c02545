#include "codecs/BMPDecoder.h"

#include "codecs/ByteOrder.h"

#include <array>
#include <cstring>

using imgbytes::Le16;
using imgbytes::Le32;
using imgbytes::Le32Signed;

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;

using ColourTable = std::array<uint32_t, 256>;

[[noreturn]] void ThrowEndOfData()
{
    ThrowImgError(kImgErrEndOfData, "End of file reached while decoding.\n");
}

// Run-length encoded rows (4 or 8 bits a pixel), each index handed to store(row, x, index) with rows in
// the file's order. Pixels past the end of a line are dropped: writers such as ImageMagick encode the
// row's padding too. A pixel for a line past the last one is refused; data that ends after the last
// line without the end-of-bitmap escape is accepted.
template <class Store>
void DecodeRle(CImgDataSource& source, int width, int height, int bits, Store store)
{
    int x = 0;
    int row = 0;
    const auto put = [&](uint8_t index) {
        if (row >= height) {
            ThrowImgError(kImgErrLimit, "repeat count spans end of image.");
        }
        if (x < width) {
            store(row, x, index);
        }
        ++x;
    };
    const auto nibble = [](const uint8_t* bytes, unsigned i) {
        return static_cast<uint8_t>(i % 2 == 0 ? bytes[i / 2] >> 4 : bytes[i / 2] & 0x0F);
    };
    while (row < height || source.GetBytesLeft() >= 2) {
        const uint8_t* pair = source.Read(2);
        const unsigned count = pair[0];
        if (count > 0) {
            // The value byte holds one index, or two that alternate (high nibble first).
            for (unsigned i = 0; i < count; ++i) {
                put(bits == 8 ? pair[1] : nibble(pair + 1, i % 2));
            }
            continue;
        }
        switch (pair[1]) {
        case 0: // end of line
            x = 0;
            ++row;
            break;
        case 1: // end of bitmap
            return;
        case 2:
            ThrowImgError(kImgErrNotSupported, "Encountered delta escape.");
        default: {
            const unsigned pixels = pair[1];
            const size_t bytes = bits == 8 ? pixels : (pixels + 1) / 2;
            const uint8_t* literal = source.Read(bytes);
            for (unsigned i = 0; i < pixels; ++i) {
                put(bits == 8 ? literal[i] : nibble(literal, i));
            }
            if (bytes % 2 != 0) { // literal runs end on a word boundary
                source.Skip(1);
            }
            break;
        }
        }
    }
}

// Unpacks a row of 1- or 4-bit indices to one index a byte.
void UnpackIndices(const uint8_t* in, uint8_t* out, int width, int bits)
{
    const int perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (int x = 0; x < width; ++x) {
        const unsigned shift = static_cast<unsigned>((perByte - 1 - x % perByte) * bits);
        out[x] = static_cast<uint8_t>((in[x / perByte] >> shift) & mask);
    }
}

} // namespace

void CBMPDecoder::DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp)
{
    const size_t start = source.GetBytesConsumed();
    const uint8_t* fileHeader = source.Read(kFileHeaderSize);
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M') {
        ThrowImgError(kImgErrWrongSignature, "Bitmap decoder: This isn't a bitmap.");
    }
    const uint32_t bitsOffset = Le32(fileHeader + 10);

    const uint8_t* info = source.Read(kInfoHeaderSize);
    const uint32_t headerSize = Le32(info);
    const int32_t width = Le32Signed(info + 4);
    const int32_t rawHeight = Le32Signed(info + 8);
    const int bitCount = Le16(info + 14);
    const uint32_t compression = Le32(info + 16);
    const uint32_t coloursUsed = Le32(info + 32);
    if (headerSize < kInfoHeaderSize || width < 0 || rawHeight == INT32_MIN) {
        ThrowImgError(kImgErrBadContents, "Bitmap decoder: BITMAPINFOHEADER has wrong size.");
    }
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) {
        ThrowImgError(kImgErrBadContents, "Decoding bmp: Illegal bpp value.");
    }
    // A longer header (version 4 or 5, as ImageMagick writes) keeps its colour table after its own end.
    source.Skip(headerSize - kInfoHeaderSize);

    ColourTable table{};
    if (bitCount <= 8) {
        const uint64_t entries = coloursUsed != 0 ? coloursUsed : (1u << bitCount);
        if (4 * entries > source.GetBytesLeft()) {
            ThrowEndOfData();
        }
        const uint8_t* entry = source.Read(static_cast<size_t>(4 * entries));
        for (size_t i = 0; i < entries && i < table.size(); ++i) {
            // Blue, green, red; the fourth byte is not alpha.
            table[i] = Le32(entry + 4 * i) & 0x00FFFFFFu;
        }
    }
    // The pixels start where the file header says. An offset inside the headers or the colour table
    // cannot be reached going forward: the file is broken.
    const size_t here = source.GetBytesConsumed() - start;
    if (bitsOffset < here) {
        ThrowEndOfData();
    }
    source.Skip(bitsOffset - here);

    const bool topDown = rawHeight < 0;
    const int height = topDown ? -rawHeight : rawHeight;
    const bool rle = bitCount <= 8 && bitCount != 1 && compression != 0;
    const size_t rowBytes = ((static_cast<size_t>(width) * static_cast<size_t>(bitCount) + 31) / 32) * 4;
    if (!rle && rowBytes != 0 && source.GetBytesLeft() / rowBytes < static_cast<size_t>(height)) {
        ThrowEndOfData(); // before a large bitmap is made for a file that cannot fill it
    }

    const int depth = ChooseDecodeDepth(bpp, bitCount);
    bmp.Create(width, height, depth, false);
    if (depth == 8) {
        SetColourTableEntries(bmp, table);
    }
    // The file's rows run bottom-up unless the height is negative.
    const auto lineOf = [&](int row) { return bmp.GetLine(topDown ? row : height - 1 - row); };

    if (rle) {
        if (depth == 8) {
            DecodeRle(source, width, height, bitCount,
                      [&](int row, int x, uint8_t index) { lineOf(row)[x] = index; });
        } else {
            DecodeRle(source, width, height, bitCount, [&](int row, int x, uint8_t index) {
                imgbytes::PutLe32(lineOf(row) + 4 * static_cast<size_t>(x), table[index]);
            });
        }
        return;
    }

    // A two-colour picture is drawn in the colours its table gives, opaque: the table of a bilevel BMP
    // is as often white, black as black, white.
    ColourTable opaque = table;
    for (uint32_t& entry : opaque) {
        entry |= 0xFF000000u;
    }
    for (int row = 0; row < height; ++row) {
        const uint8_t* in = source.Read(rowBytes);
        uint8_t* line = lineOf(row);
        switch (bitCount) {
        case 1:
            if (depth == 8) {
                UnpackIndices(in, line, width, 1);
            } else {
                ExpandLine1(in, line, width, opaque);
            }
            break;
        case 4:
            if (depth == 8) {
                UnpackIndices(in, line, width, 4);
            } else {
                ExpandLine4(in, line, width, table);
            }
            break;
        case 8:
            if (depth == 8) {
                std::memcpy(line, in, static_cast<size_t>(width));
            } else {
                ExpandLine8(in, line, width, table);
            }
            break;
        case 24:
            for (int x = 0; x < width; ++x) {
                line[4 * x] = in[3 * x];
                line[4 * x + 1] = in[3 * x + 1];
                line[4 * x + 2] = in[3 * x + 2];
                line[4 * x + 3] = 0;
            }
            break;
        default: // 32 bits: blue, green, red and a fourth byte, as the bitmap keeps them
            std::memcpy(line, in, 4 * static_cast<size_t>(width));
            break;
        }
    }
}
