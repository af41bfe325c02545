#pragma once
// The image library's bitmap: width, height, 1, 8 or 32 bits per pixel, a colour table for 1 and 8
// bits, an alpha flag and a table of line pointers (line 0 is the top line). A 32-bit pixel is four
// bytes blue, green, red, alpha; as a 32-bit value blue is the low byte. A 1-bit line holds its leftmost
// pixel in the most significant bit of its first byte; an 8-bit pixel indexes the colour table, whose
// entries are four bytes blue, green, red, alpha.
//
// Derived classes decide where the bits live: CImgAnyBitmap in a plain top-down block, CImgWinBitmap in
// one packed device-independent bitmap (bottom-up, lines padded to 4 bytes).

#include "codecs/TextException.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class CImgBitmap : public CImgObject
{
public:
    ~CImgBitmap() override = default;
    CImgBitmap(const CImgBitmap&) = delete;
    CImgBitmap& operator=(const CImgBitmap&) = delete;

    // Frees the old contents, then makes a new bitmap with a grey colour table (for 1 and 8 bits) and
    // zeroed pixels. Throws code 10 "Can't create bitmap." when the memory cannot be had, code 2 for a
    // depth other than 1, 8 or 32; the bitmap is then empty and must be created again.
    void Create(int width, int height, int bpp, bool alpha);

    // Bytes the bitmap occupies, as the encoders size their output from it.
    virtual size_t GetMemUsed() const = 0;
    virtual size_t GetBytesPerLine() const = 0;

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    std::pair<int, int> GetSize() const { return {m_width, m_height}; }
    int GetBitsPerPixel() const { return m_bpp; }
    bool HasAlpha() const { return m_alpha; }
    void SetHasAlpha(bool alpha) { m_alpha = alpha; }

    uint8_t* GetBits() { return m_bits; }
    const uint8_t* GetBits() const { return m_bits; }
    // One pointer per line, top line first.
    uint8_t* const* GetLineArray() { return m_lines.data(); }
    const uint8_t* const* GetLineArray() const { return m_lines.data(); }
    uint8_t* GetLine(int y) { return m_lines[static_cast<size_t>(y)]; }
    const uint8_t* GetLine(int y) const { return m_lines[static_cast<size_t>(y)]; }

    // The colour table (null at 32 bits) and its number of entries (2 or 256; 0 at 32 bits).
    uint8_t* GetColourTable() { return m_colourTable; }
    const uint8_t* GetColourTable() const { return m_colourTable; }
    int GetColourCount() const { return m_bpp <= 8 ? 1 << m_bpp : 0; }
    // Copies GetColourCount() entries from `table`.
    void SetColourTable(const uint8_t* table);
    uint32_t GetColourEntry(int index) const;

    // Makes this bitmap a copy of `source`. With bpp 0 or the source's depth the pixels and colour table
    // are copied; to 32 bits, 1- and 8-bit pixels become their colour-table entries. A copy to 1 or 8
    // bits from another depth has the right size but blank pixels.
    void CreateCopy(const CImgBitmap& source, int bpp = 0);

    // A pixel as 0 or 1 (1 bit), the index (8 bits) or the whole BGRA value (32 bits). Positions outside
    // the bitmap read 0 and are not written.
    uint32_t GetPixel(int x, int y) const;
    // 1 bit: set when the value is odd; 8 bits: the low byte; 32 bits: the whole value.
    void SetPixel(int x, int y, uint32_t value);

    // The filters of the image library, applied in place.
    void Crop(int xMin, int xMax, int yMin, int yMax);
    void ResizeBilinear(int newWidth, int newHeight);
    void ResizeBox(int newWidth, int newHeight, double radius);
    void ResizeGaussian(int newWidth, int newHeight, double radius);
    void ResizeHamming(int newWidth, int newHeight, double radius);

protected:
    CImgBitmap() = default;

    // Allocates the storage of a new bitmap and calls InitCommonFields.
    virtual void InternalCreate(int width, int height, int bpp, bool alpha) = 0;
    // Frees bits, colour table and line table; the bitmap is then empty.
    virtual void FreeMembers() = 0;
    // Points m_lines at the lines of m_bits.
    virtual void InitLineArray() = 0;

    // Stores the dimensions, builds the line table and fills a grey colour table: entry i is
    // i * (255 / (2^bpp - 1)) in blue, green and red, alpha 255 (black and white at 1 bit).
    void InitCommonFields(int width, int height, int bpp, bool alpha);
    void ResetCommonFields();

    // Bytes of one line that hold pixels (without padding).
    size_t PixelBytesPerLine() const;

    int m_width = 0;
    int m_height = 0;
    uint16_t m_bpp = 0;
    uint8_t* m_colourTable = nullptr;
    uint8_t* m_bits = nullptr;
    bool m_alpha = false;
    std::vector<uint8_t*> m_lines;
};

// Checks the arguments of Create: a depth of 1, 8 or 32 (code 2 otherwise), non-negative sizes and a
// line table within the bitmap memory bound (code 10 otherwise).
void CheckBitmapGeometry(int width, int height, int bpp);
