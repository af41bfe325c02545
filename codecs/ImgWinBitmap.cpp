#include "codecs/ImgWinBitmap.h"

#include "codecs/ByteOrder.h"

#include <cstring>

using imgbytes::Le16;
using imgbytes::Le32;
using imgbytes::Le32Signed;
using imgbytes::PutLe16;
using imgbytes::PutLe32;

namespace {

size_t PaddedLine(int width, int bpp)
{
    return ((static_cast<size_t>(width) * static_cast<size_t>(bpp) + 31) / 32) * 4;
}

size_t TableBytes(int bpp)
{
    return bpp < 16 ? 4 * (size_t{1} << bpp) : 0;
}

} // namespace

CImgWinBitmap::~CImgWinBitmap() = default;

size_t CImgWinBitmap::GetBytesPerLine() const
{
    return PaddedLine(m_width, m_bpp);
}

size_t CImgWinBitmap::GetMemUsed() const
{
    return m_blockSize + sizeof(*this);
}

void CImgWinBitmap::InternalCreate(int width, int height, int bpp, bool alpha)
{
    const uint64_t line = PaddedLine(width, bpp);
    const uint64_t total = kBitmapInfoHeaderSize + TableBytes(bpp) + line * static_cast<uint64_t>(height);
    if (total > SIZE_MAX) {
        ThrowImgError(kImgErrNoMemory, "Can't create bitmap.");
    }
    m_block = AllocateImgBlock(static_cast<size_t>(total), "Can't create bitmap.");
    m_blockSize = static_cast<size_t>(total);
    uint8_t* header = m_block.get();
    PutLe32(header, kBitmapInfoHeaderSize);
    PutLe32(header + 4, static_cast<uint32_t>(width));
    PutLe32(header + 8, static_cast<uint32_t>(height));
    PutLe16(header + 12, 1);
    PutLe16(header + 14, static_cast<uint16_t>(bpp));
    // Compression, image size, resolutions and colour counts stay 0 (the block is zeroed).
    m_bpp = static_cast<uint16_t>(bpp);
    SetPointersFromHeader();
    InitCommonFields(width, height, bpp, alpha);
}

void CImgWinBitmap::SetPointersFromHeader()
{
    uint8_t* header = m_block.get();
    const int bpp = Le16(header + 14);
    m_colourTable = bpp < 16 ? header + kBitmapInfoHeaderSize : nullptr;
    m_bits = header + kBitmapInfoHeaderSize + TableBytes(bpp);
}

void CImgWinBitmap::FreeMembers()
{
    m_block.reset();
    m_blockSize = 0;
    ResetCommonFields();
}

void CImgWinBitmap::InitLineArray()
{
    m_lines.resize(static_cast<size_t>(m_height));
    const size_t line = GetBytesPerLine();
    for (size_t i = 0; i < m_lines.size(); ++i) {
        m_lines[i] = m_bits + (m_lines.size() - 1 - i) * line;
    }
}

void CImgWinBitmap::CreateFromPackedDib(const uint8_t* dib, size_t size)
{
    if (dib == nullptr || size < kBitmapInfoHeaderSize) {
        ThrowImgError(kImgErrEndOfData, "End of file reached while decoding.\n");
    }
    const uint32_t headerSize = Le32(dib);
    if (headerSize < kBitmapInfoHeaderSize || headerSize > size) {
        ThrowImgError(kImgErrBadContents, "Bitmap decoder: BITMAPINFOHEADER has wrong size.");
    }
    const int32_t width = Le32Signed(dib + 4);
    const int32_t rawHeight = Le32Signed(dib + 8);
    const int bpp = Le16(dib + 14);
    const uint32_t compression = Le32(dib + 16);
    const uint32_t coloursUsed = Le32(dib + 32);
    if (bpp != 1 && bpp != 8 && bpp != 32) {
        ThrowImgError(kImgErrBadContents, "Decoding bmp: Illegal bpp value.");
    }
    if (compression != 0) {
        ThrowImgError(kImgErrNotSupported, "Library not compiled for this file type.");
    }
    if (width < 0 || rawHeight == INT32_MIN) {
        ThrowImgError(kImgErrBadContents, "Bitmap decoder: This isn't a bitmap.");
    }
    const bool topDown = rawHeight < 0;
    const int height = topDown ? -rawHeight : rawHeight;
    size_t entries = 0;
    if (bpp <= 8) {
        entries = size_t{1} << bpp;
        if (coloursUsed != 0 && coloursUsed < entries) {
            entries = coloursUsed;
        }
    }
    const size_t line = PaddedLine(width, bpp);
    const size_t tableStart = headerSize;
    const size_t bitsStart = tableStart + 4 * entries;
    if (bitsStart > size || (line != 0 && (size - bitsStart) / line < static_cast<size_t>(height))) {
        ThrowImgError(kImgErrEndOfData, "End of file reached while decoding.\n");
    }
    Create(width, height, bpp, false);
    if (entries != 0) {
        std::memcpy(m_colourTable, dib + tableStart, 4 * entries);
    }
    for (int row = 0; row < height; ++row) {
        // File row `row` is the bottom line for bottom-up DIBs and the top line for top-down ones.
        const int y = topDown ? row : height - 1 - row;
        std::memcpy(GetLine(y), dib + bitsStart + static_cast<size_t>(row) * line, line);
    }
}

std::vector<uint8_t> CImgWinBitmap::CopyToPackedDib() const
{
    if (!m_block) {
        return {};
    }
    return std::vector<uint8_t>(m_block.get(), m_block.get() + m_blockSize);
}

size_t CImgWinBitmap::GetBmpImageSize() const
{
    const size_t height = static_cast<size_t>(m_height);
    if (m_bpp <= 8) {
        return kBitmapFileHeaderSize + kBitmapInfoHeaderSize + TableBytes(m_bpp) + GetBytesPerLine() * height;
    }
    return ((3 * (static_cast<size_t>(m_width) + 1)) & ~size_t{3}) * height + 54;
}

size_t CImgWinBitmap::WriteBmpImage(uint8_t* buffer, size_t capacity) const
{
    const size_t fileSize = GetBmpImageSize();
    if (!m_block || fileSize > capacity || fileSize > UINT32_MAX) {
        ThrowImgError(kImgErrEndOfData, "Buffer overflow while encoding.\n");
    }
    const size_t bitsOffset = 54 + (m_bpp <= 8 ? TableBytes(m_bpp) : 0);
    uint8_t* out = buffer;
    out[0] = 'B';
    out[1] = 'M';
    PutLe32(out + 2, static_cast<uint32_t>(fileSize));
    PutLe32(out + 6, 0);
    PutLe32(out + 10, static_cast<uint32_t>(bitsOffset));
    out += kBitmapFileHeaderSize;
    std::memcpy(out, m_block.get(), kBitmapInfoHeaderSize);
    if (m_bpp <= 8) {
        // Colour table and rows lie in the file exactly as in the DIB.
        std::memcpy(out, m_block.get(), m_blockSize);
        return fileSize;
    }
    PutLe16(out + 14, 24);
    out += kBitmapInfoHeaderSize;
    const size_t rowBytes = (3 * (static_cast<size_t>(m_width) + 1)) & ~size_t{3};
    for (int y = m_height - 1; y >= 0; --y) {
        const uint8_t* in = GetLine(y);
        uint8_t* row = out;
        for (int x = 0; x < m_width; ++x) {
            row[0] = in[0];
            row[1] = in[1];
            row[2] = in[2];
            row += 3;
            in += 4;
        }
        std::memset(row, 0x20, rowBytes - 3 * static_cast<size_t>(m_width));
        out += rowBytes;
    }
    return fileSize;
}
