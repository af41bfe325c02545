#include "codecs/PackedDib.h"

#include "codecs/ByteOrder.h"
#include "codecs/ImgPicDecoder.h"
#include "codecs/ImgWinBitmap.h"

#include <cstring>
#include <fstream>

using imgbytes::Le16;
using imgbytes::Le32;
using imgbytes::Le32Signed;
using imgbytes::PutLe32;

namespace {

constexpr size_t kCoreHeaderSize = 12;
constexpr uint32_t kMaxColours = 256;

size_t RowBytes(int64_t width, int bitCount)
{
    return static_cast<size_t>(((width * bitCount + 31) / 32) * 4);
}

uint32_t ColoursOf(const uint8_t* dib)
{
    const uint32_t used = Le32(dib + 32);
    const int bitCount = Le16(dib + 14);
    if (used != 0) {
        return used;
    }
    return bitCount <= 8 ? (1u << bitCount) : 0;
}

} // namespace

std::optional<std::vector<uint8_t>> ReadDIBFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::error_code error;
    const auto fileSize = std::filesystem::file_size(path, error);
    if (error) {
        return std::nullopt;
    }
    uint8_t fileHeader[kBitmapFileHeaderSize];
    uint8_t info[kBitmapInfoHeaderSize];
    if (!file.read(reinterpret_cast<char*>(fileHeader), sizeof fileHeader) || fileHeader[0] != 'B' ||
        fileHeader[1] != 'M') {
        return std::nullopt;
    }
    if (!file.read(reinterpret_cast<char*>(info), 4)) {
        return std::nullopt;
    }
    const uint32_t headerSize = Le32(info);
    if (headerSize == kCoreHeaderSize || headerSize < kBitmapInfoHeaderSize || headerSize > fileSize) {
        return std::nullopt;
    }
    if (!file.read(reinterpret_cast<char*>(info) + 4, kBitmapInfoHeaderSize - 4)) {
        return std::nullopt;
    }
    const int32_t width = Le32Signed(info + 4);
    const int32_t height = Le32Signed(info + 8);
    const int bitCount = Le16(info + 14);
    // Colour tables hold at most 256 entries, whatever a header claims (2^32 for a 32-bit picture).
    const uint32_t colours = ColoursOf(info);
    if (colours > kMaxColours || width < 0 || bitCount == 0 || bitCount > 32) {
        return std::nullopt;
    }
    size_t imageSize = Le32(info + 20);
    if (imageSize == 0) {
        const int64_t lines = height < 0 ? -static_cast<int64_t>(height) : height;
        const uint64_t computed =
            static_cast<uint64_t>(RowBytes(width, bitCount)) * static_cast<uint64_t>(lines);
        if (computed > fileSize) {
            return std::nullopt; // a short file: the pixels cannot all be there
        }
        imageSize = static_cast<size_t>(computed);
    }
    if (imageSize > fileSize) {
        return std::nullopt;
    }
    const size_t tableBytes = 4 * static_cast<size_t>(colours);
    std::vector<uint8_t> dib(kBitmapInfoHeaderSize + tableBytes + imageSize);
    std::memcpy(dib.data(), info, kBitmapInfoHeaderSize);
    PutLe32(dib.data(), kBitmapInfoHeaderSize);
    PutLe32(dib.data() + 20, static_cast<uint32_t>(imageSize));
    // A longer header (version 4 or 5) keeps its colour table after its own end.
    file.seekg(static_cast<std::streamoff>(kBitmapFileHeaderSize + headerSize));
    if (!file.read(reinterpret_cast<char*>(dib.data()) + kBitmapInfoHeaderSize,
                   static_cast<std::streamsize>(tableBytes))) {
        return std::nullopt;
    }
    const uint32_t bitsOffset = Le32(fileHeader + 10);
    if (bitsOffset != 0) {
        file.seekg(bitsOffset);
    }
    if (!file.read(reinterpret_cast<char*>(dib.data()) + kBitmapInfoHeaderSize + tableBytes,
                   static_cast<std::streamsize>(imageSize))) {
        return std::nullopt;
    }
    return dib;
}

int DIBWidth(const uint8_t* dib, size_t size)
{
    if (dib == nullptr || size < kCoreHeaderSize) {
        return 0;
    }
    if (Le32(dib) == kCoreHeaderSize) {
        return Le16(dib + 4);
    }
    return size >= kBitmapInfoHeaderSize ? Le32Signed(dib + 4) : 0;
}

int DIBHeight(const uint8_t* dib, size_t size)
{
    if (dib == nullptr || size < kCoreHeaderSize) {
        return 0;
    }
    if (Le32(dib) == kCoreHeaderSize) {
        return Le16(dib + 6);
    }
    return size >= kBitmapInfoHeaderSize ? Le32Signed(dib + 8) : 0;
}

std::vector<uint32_t> DIBPalette(const uint8_t* dib, size_t size)
{
    std::vector<uint32_t> palette;
    if (dib == nullptr || size < kCoreHeaderSize) {
        return palette;
    }
    const uint32_t headerSize = Le32(dib);
    if (headerSize == kCoreHeaderSize) {
        const int bitCount = Le16(dib + 10);
        const size_t count = bitCount <= 8 ? size_t{1} << bitCount : 0;
        for (size_t i = 0; i < count && kCoreHeaderSize + 3 * (i + 1) <= size; ++i) {
            const uint8_t* e = dib + kCoreHeaderSize + 3 * i;
            palette.push_back(e[0] | (e[1] << 8) | (e[2] << 16));
        }
        return palette;
    }
    if (headerSize < kBitmapInfoHeaderSize || size < headerSize) {
        return palette;
    }
    const size_t count = std::min<uint32_t>(ColoursOf(dib), kMaxColours);
    for (size_t i = 0; i < count && headerSize + 4 * (i + 1) <= size; ++i) {
        palette.push_back(Le32(dib + headerSize + 4 * i) & 0x00FFFFFFu);
    }
    return palette;
}

void DIBToBitmap32(const uint8_t* dib, size_t size, CImgBitmap& out)
{
    if (dib == nullptr || size < kBitmapInfoHeaderSize) {
        ThrowImgError(kImgErrEndOfData, "End of file reached while decoding.\n");
    }
    const uint32_t headerSize = Le32(dib);
    const int32_t width = Le32Signed(dib + 4);
    const int32_t rawHeight = Le32Signed(dib + 8);
    const int bitCount = Le16(dib + 14);
    const uint32_t compression = Le32(dib + 16);
    if (headerSize < kBitmapInfoHeaderSize || headerSize > size || width < 0 || rawHeight == INT32_MIN) {
        ThrowImgError(kImgErrBadContents, "Bitmap decoder: BITMAPINFOHEADER has wrong size.");
    }
    if (compression != 0 ||
        (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)) {
        ThrowImgError(kImgErrBadContents, "Decoding bmp: Illegal bpp value.");
    }
    const bool topDown = rawHeight < 0;
    const int height = topDown ? -rawHeight : rawHeight;
    const uint32_t colours = bitCount <= 8 ? std::min<uint32_t>(ColoursOf(dib), 1u << bitCount) : 0;
    std::vector<uint32_t> table(size_t{1} << (bitCount <= 8 ? bitCount : 0), 0);
    const size_t tableStart = headerSize;
    const size_t bitsStart = tableStart + 4 * static_cast<size_t>(colours);
    const size_t row = RowBytes(width, bitCount);
    if (bitsStart > size || (row != 0 && (size - bitsStart) / row < static_cast<size_t>(height))) {
        ThrowImgError(kImgErrEndOfData, "End of file reached while decoding.\n");
    }
    for (uint32_t i = 0; i < colours; ++i) {
        table[i] = Le32(dib + tableStart + 4 * i) | 0xFF000000u;
    }
    out.Create(width, height, 32, false);
    for (int r = 0; r < height; ++r) {
        const uint8_t* in = dib + bitsStart + static_cast<size_t>(r) * row;
        uint8_t* line = out.GetLine(topDown ? r : height - 1 - r);
        switch (bitCount) {
        case 1:
            ExpandLine1(in, line, width, table);
            break;
        case 4:
            ExpandLine4(in, line, width, table);
            break;
        case 8:
            ExpandLine8(in, line, width, table);
            break;
        default: {
            const int step = bitCount / 8;
            for (int x = 0; x < width; ++x) {
                line[4 * x] = in[step * x];
                line[4 * x + 1] = in[step * x + 1];
                line[4 * x + 2] = in[step * x + 2];
                line[4 * x + 3] = 255;
            }
            break;
        }
        }
    }
}
