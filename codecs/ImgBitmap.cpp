#include "codecs/ImgBitmap.h"

#include "codecs/ByteOrder.h"
#include "codecs/ImgAnyBitmap.h"
#include "codecs/ImgFilter.h"
#include "codecs/ImgMemory.h"
#include "codecs/ImgResizeFilter.h"

#include <algorithm>
#include <cstring>

using imgbytes::Le32;
using imgbytes::PutLe32;

void CheckBitmapGeometry(int width, int height, int bpp)
{
    if (bpp != 1 && bpp != 8 && bpp != 32) {
        ThrowImgError(kImgErrBadContents, "Decoding bmp: Illegal bpp value.");
    }
    if (width < 0 || height < 0) {
        ThrowImgError(kImgErrNoMemory, "Can't create bitmap.");
    }
}

void CImgBitmap::Create(int width, int height, int bpp, bool alpha)
{
    FreeMembers();
    CheckBitmapGeometry(width, height, bpp);
    InternalCreate(width, height, bpp, alpha);
}

void CImgBitmap::InitCommonFields(int width, int height, int bpp, bool alpha)
{
    m_width = width;
    m_height = height;
    m_alpha = alpha;
    m_bpp = static_cast<uint16_t>(bpp);
    // The table of line pointers counts against the memory bound too: a picture of zero-width lines
    // takes no pixel memory but may still claim billions of lines.
    if (static_cast<uint64_t>(height) * sizeof(uint8_t*) > GetMaxBitmapBytes()) {
        ThrowImgError(kImgErrNoMemory, "Can't create bitmap.");
    }
    InitLineArray();
    if (bpp < 16 && m_colourTable != nullptr) {
        const int count = 1 << bpp;
        const int step = 255 / (count - 1);
        for (int i = 0; i < count; ++i) {
            const auto grey = static_cast<uint8_t>(i * step);
            uint8_t* entry = m_colourTable + 4 * i;
            entry[0] = entry[1] = entry[2] = grey;
            entry[3] = 255;
        }
    }
}

void CImgBitmap::ResetCommonFields()
{
    m_width = 0;
    m_height = 0;
    m_bpp = 0;
    m_alpha = false;
    m_colourTable = nullptr;
    m_bits = nullptr;
    m_lines.clear();
}

size_t CImgBitmap::PixelBytesPerLine() const
{
    return (static_cast<size_t>(m_width) * m_bpp + 7) / 8;
}

void CImgBitmap::SetColourTable(const uint8_t* table)
{
    if (m_colourTable != nullptr && table != nullptr) {
        std::memcpy(m_colourTable, table, 4 * static_cast<size_t>(GetColourCount()));
    }
}

uint32_t CImgBitmap::GetColourEntry(int index) const
{
    if (m_colourTable == nullptr || index < 0 || index >= GetColourCount()) {
        return 0;
    }
    return Le32(m_colourTable + 4 * index);
}

void CImgBitmap::CreateCopy(const CImgBitmap& source, int bpp)
{
    if (&source == this) {
        if (bpp == 0 || bpp == m_bpp) {
            return;
        }
        CImgAnyBitmap copy;
        copy.CreateCopy(*this);
        CreateCopy(copy, bpp);
        return;
    }
    const int width = source.m_width;
    const int height = source.m_height;
    if (bpp == 0 || bpp == source.m_bpp) {
        Create(width, height, source.m_bpp, source.m_alpha);
        const size_t bytes = source.PixelBytesPerLine();
        for (int y = 0; y < height; ++y) {
            std::memcpy(GetLine(y), source.GetLine(y), bytes);
        }
        if (source.m_bpp < 9) {
            SetColourTable(source.m_colourTable);
        }
        return;
    }
    Create(width, height, bpp, source.m_alpha && bpp != 1);
    if (bpp != 32) {
        return;
    }
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = source.GetLine(y);
        uint8_t* out = GetLine(y);
        for (int x = 0; x < width; ++x) {
            int index = 0;
            if (source.m_bpp == 8) {
                index = in[x];
            } else {
                index = (in[x >> 3] >> (7 - (x & 7))) & 1;
            }
            PutLe32(out + 4 * x, source.GetColourEntry(index));
        }
    }
}

uint32_t CImgBitmap::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return 0;
    }
    const uint8_t* line = GetLine(y);
    switch (m_bpp) {
    case 1:
        return (line[x >> 3] >> (7 - (x & 7))) & 1;
    case 8:
        return line[x];
    default:
        return Le32(line + 4 * static_cast<size_t>(x));
    }
}

void CImgBitmap::SetPixel(int x, int y, uint32_t value)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return;
    }
    uint8_t* line = GetLine(y);
    switch (m_bpp) {
    case 1: {
        const auto mask = static_cast<uint8_t>(0x80 >> (x & 7));
        if (value & 1) {
            line[x >> 3] |= mask;
        } else {
            line[x >> 3] &= static_cast<uint8_t>(~mask);
        }
        break;
    }
    case 8:
        line[x] = static_cast<uint8_t>(value);
        break;
    default:
        PutLe32(line + 4 * static_cast<size_t>(x), value);
        break;
    }
}

void CImgBitmap::Crop(int xMin, int xMax, int yMin, int yMax)
{
    CImgCropFilter(xMin, xMax, yMin, yMax).ApplyInPlace(*this);
}

void CImgBitmap::ResizeBilinear(int newWidth, int newHeight)
{
    CImgResizeFilter(CImgResizeFilter::Kind::Bilinear, newWidth, newHeight, 1.0).ApplyInPlace(*this);
}

void CImgBitmap::ResizeBox(int newWidth, int newHeight, double radius)
{
    CImgResizeFilter(CImgResizeFilter::Kind::Box, newWidth, newHeight, radius).ApplyInPlace(*this);
}

void CImgBitmap::ResizeGaussian(int newWidth, int newHeight, double radius)
{
    CImgResizeFilter(CImgResizeFilter::Kind::Gaussian, newWidth, newHeight, radius).ApplyInPlace(*this);
}

void CImgBitmap::ResizeHamming(int newWidth, int newHeight, double radius)
{
    CImgResizeFilter(CImgResizeFilter::Kind::Hamming, newWidth, newHeight, radius).ApplyInPlace(*this);
}
