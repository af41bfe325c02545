#include "codecs/PCXDecoder.h"

#include "codecs/ByteOrder.h"
#include "codecs/SourceCursor.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

using imgbytes::Le16;

namespace {

constexpr size_t kHeaderSize = 128;
constexpr uint8_t kPaletteSignature = 12;
// The longest run one pair of bytes can give.
constexpr size_t kLongestRun = 63;

uint32_t Opaque(uint8_t red, uint8_t green, uint8_t blue)
{
    return 0xFF000000u | (static_cast<uint32_t>(red) << 16) | (static_cast<uint32_t>(green) << 8) | blue;
}

// The image's bytes, run-length decoded: a byte with its two top bits set gives a count in its low six
// bits for the byte after it; any other byte stands for itself.
std::vector<uint8_t> DecodeRuns(CImgDataSource& source, size_t total)
{
    std::vector<uint8_t> data(total);
    CImgSourceCursor in(source);
    size_t at = 0;
    while (at < total) {
        const uint8_t b = in.Byte();
        if ((b & 0xC0) != 0xC0) {
            data[at++] = b;
            continue;
        }
        const size_t count = b & 0x3F;
        const uint8_t value = in.Byte();
        if (count > total - at) {
            ThrowImgError(kImgErrLimit, "repeat count spans end of image.");
        }
        std::memset(data.data() + at, value, count);
        at += count;
    }
    in.Commit();
    return data;
}

} // namespace

void CPCXDecoder::DoDecode(CImgDataSource& source, CImgBitmap& bmp, int /*bpp*/)
{
    const uint8_t* header = source.Read(kHeaderSize);
    if (header[0] != 10) {
        ThrowImgError(kImgErrWrongSignature, "Error decoding pcx: Not a PCX file.");
    }
    if (header[2] != 1) {
        ThrowImgError(kImgErrWrongSignature, "File has unknown encoding scheme.");
    }
    const int bits = header[3];
    const int planes = header[65];
    const size_t bytesPerLine = Le16(header + 66);
    const int width = Le16(header + 8) - Le16(header + 4) + 1;
    const int height = Le16(header + 10) - Le16(header + 6) + 1;

    const bool planar = bits == 1 && planes >= 1 && planes <= 4;
    const bool packedOrRgb = (bits == 2 || bits == 4 || bits == 8) && (planes == 1 || planes == 3);
    if (!planar && !packedOrRgb) {
        ThrowImgError(kImgErrBadContents, bits == 1 ? "Can't handle image with more than 4 planes."
                                                    : "Can't handle bits per pixel image with planes.");
    }
    const bool rgb = bits == 8 && planes == 3;
    if (!planar && !rgb && planes != 1) {
        ThrowImgError(kImgErrLimit, "Can't handle packed pixels with more than 1 plane.");
    }
    if (width <= 0 || height <= 0) {
        ThrowImgError(kImgErrWrongSignature, "Error decoding pcx: Not a PCX file.");
    }

    const size_t lineBytes = bytesPerLine * static_cast<size_t>(planes);
    const size_t total = lineBytes * static_cast<size_t>(height);
    if (total / kLongestRun > source.GetBytesLeft()) {
        // The file is too short to hold the picture, whatever its runs: say so before making it.
        ThrowImgError(kImgErrEndOfData, "End of file reached while decoding.\n");
    }
    bmp.Create(width, height, 32, false);
    const std::vector<uint8_t> data = DecodeRuns(source, total);

    std::array<uint32_t, 256> palette{};
    for (int i = 0; i < 16; ++i) {
        const uint8_t* rgbEntry = header + 16 + 3 * i;
        palette[static_cast<size_t>(i)] = Opaque(rgbEntry[0], rgbEntry[1], rgbEntry[2]);
    }
    if (bits == 8 && planes == 1) {
        if (source.Read(1)[0] != kPaletteSignature) {
            ThrowImgError(kImgErrLimit, "bad color map signature.");
        }
        const uint8_t* entries = source.Read(3 * 256);
        for (size_t i = 0; i < 256; ++i) {
            palette[i] = Opaque(entries[3 * i], entries[3 * i + 1], entries[3 * i + 2]);
        }
    } else if (bits == 1 && planes == 1) {
        palette[0] = Opaque(0, 0, 0);
        palette[1] = Opaque(255, 255, 255);
    }

    // A plane's line as long as the width needs, zero beyond the bytes the file gives for it.
    const size_t planeBytes = std::max(bytesPerLine, (static_cast<size_t>(width) * bits + 7) / 8);
    std::vector<uint8_t> planeLines(planeBytes * static_cast<size_t>(planes));
    for (int y = 0; y < height; ++y) {
        const uint8_t* line = data.data() + static_cast<size_t>(y) * lineBytes;
        for (int p = 0; p < planes && bytesPerLine != 0; ++p) {
            std::memcpy(planeLines.data() + static_cast<size_t>(p) * planeBytes, line + p * bytesPerLine,
                        bytesPerLine);
        }
        const uint8_t* plane0 = planeLines.data();
        uint8_t* out = bmp.GetLine(y);
        if (rgb) {
            const uint8_t* green = plane0 + planeBytes;
            const uint8_t* blue = green + planeBytes;
            for (int x = 0; x < width; ++x) {
                imgbytes::PutLe32(out + 4 * x, Opaque(plane0[x], green[x], blue[x]));
            }
        } else if (planes > 1) {
            // Bit n of a pixel's index comes from plane n, leftmost pixel in the top bit.
            for (int x = 0; x < width; ++x) {
                unsigned index = 0;
                for (int p = 0; p < planes; ++p) {
                    const uint8_t b =
                        plane0[static_cast<size_t>(p) * planeBytes + static_cast<size_t>(x / 8)];
                    index |= ((b >> (7 - x % 8)) & 1u) << p;
                }
                imgbytes::PutLe32(out + 4 * x, palette[index]);
            }
        } else {
            switch (bits) {
            case 1:
                ExpandLine1(plane0, out, width, palette);
                break;
            case 2:
                ExpandLine2(plane0, out, width, palette);
                break;
            case 4:
                ExpandLine4(plane0, out, width, palette);
                break;
            default:
                ExpandLine8(plane0, out, width, palette);
                break;
            }
        }
    }
}
