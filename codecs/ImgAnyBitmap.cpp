#include "codecs/ImgAnyBitmap.h"

CImgAnyBitmap::CImgAnyBitmap()
{
    Create(16, 16, 8, false);
}

CImgAnyBitmap::~CImgAnyBitmap() = default;

size_t CImgAnyBitmap::GetBytesPerLine() const
{
    size_t bytes = static_cast<size_t>(m_width) * m_bpp / 8;
    if (m_bpp == 1 && m_width % 8 != 0) {
        ++bytes;
    }
    return bytes;
}

size_t CImgAnyBitmap::GetMemUsed() const
{
    const size_t table = m_bpp <= 8 && m_bpp != 0 ? 4 * static_cast<size_t>(GetColourCount()) : 0;
    return m_blockSize + table + 40 + sizeof(*this);
}

void CImgAnyBitmap::InternalCreate(int width, int height, int bpp, bool alpha)
{
    // Sizes are at most 2^31 each, so the product fits 64 bits; the block bound rejects the rest.
    const uint64_t line = (static_cast<uint64_t>(width) * static_cast<uint64_t>(bpp) + 7) / 8;
    const uint64_t total = line * static_cast<uint64_t>(height);
    if (total > SIZE_MAX) {
        ThrowImgError(kImgErrNoMemory, "Can't create bitmap.");
    }
    m_block = AllocateImgBlock(static_cast<size_t>(total), "Can't create bitmap.");
    m_blockSize = static_cast<size_t>(total);
    m_bits = m_block.get();
    m_colourTable = bpp < 9 ? m_table : nullptr;
    InitCommonFields(width, height, bpp, alpha);
}

void CImgAnyBitmap::FreeMembers()
{
    m_block.reset();
    m_blockSize = 0;
    ResetCommonFields();
}

void CImgAnyBitmap::InitLineArray()
{
    m_lines.resize(static_cast<size_t>(m_height));
    const size_t line = GetBytesPerLine();
    for (size_t y = 0; y < m_lines.size(); ++y) {
        m_lines[y] = m_bits + y * line;
    }
}
