#pragma once
// A bitmap held as one packed device-independent bitmap: a 40-byte BITMAPINFOHEADER, the colour table
// (4 bytes an entry, for 1 and 8 bits) and the pixel rows, bottom-up and padded to 4 bytes. This is the
// layout that printing and the clipboard exchange, and the layout of BMP files.

#include "codecs/ImgBitmap.h"
#include "codecs/ImgMemory.h"

#include <vector>

inline constexpr size_t kBitmapInfoHeaderSize = 40;
inline constexpr size_t kBitmapFileHeaderSize = 14;

class CImgWinBitmap : public CImgBitmap
{
public:
    // Holds no DIB until created.
    CImgWinBitmap() = default;
    ~CImgWinBitmap() override;

    size_t GetMemUsed() const override;
    // Padded to a multiple of 4 bytes.
    size_t GetBytesPerLine() const override;

    // Replaces the contents by a copy of a packed DIB of `size` bytes (header, colour table, rows).
    // Accepts uncompressed DIBs of 1, 8 and 32 bits; a negative height (rows top-down) is turned the
    // usual way up. The alpha flag is off. Throws code 2 for a header it cannot read, code 11 when the
    // DIB is shorter than its header says.
    virtual void CreateFromPackedDib(const uint8_t* dib, size_t size);

    // The packed DIB itself (null before the bitmap is created) and its size.
    const uint8_t* GetDib() const { return m_block.get(); }
    size_t GetDibSize() const { return m_blockSize; }
    // A copy of the packed DIB for the caller to keep (the clipboard, printing).
    virtual std::vector<uint8_t> CopyToPackedDib() const;

    // Size of the BMP file image that WriteBmpImage writes.
    size_t GetBmpImageSize() const;
    // Writes a complete BMP file image into `buffer` and returns its size. Up to 8 bits the rows are
    // written as held; 32-bit pictures become 24-bit rows padded with blanks. Throws code 11 when the
    // image would not fit `capacity` bytes.
    size_t WriteBmpImage(uint8_t* buffer, size_t capacity) const;

protected:
    void InternalCreate(int width, int height, int bpp, bool alpha) override;
    void FreeMembers() override;
    void InitLineArray() override;

    // Points the colour table and bits at their places in the DIB block.
    void SetPointersFromHeader();

    ImgBlock m_block;
    size_t m_blockSize = 0;
};
