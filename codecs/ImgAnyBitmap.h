#pragma once
// A bitmap in one plain heap block: lines top-down with no filler at their ends (a 1-bit line takes
// one more byte when the width is not a multiple of 8). The filters use it for their work pictures.

#include "codecs/ImgBitmap.h"
#include "codecs/ImgMemory.h"

class CImgAnyBitmap : public CImgBitmap
{
public:
    // A new bitmap is 16 x 16 at 8 bits per pixel.
    CImgAnyBitmap();
    ~CImgAnyBitmap() override;

    size_t GetMemUsed() const override;
    size_t GetBytesPerLine() const override;

protected:
    void InternalCreate(int width, int height, int bpp, bool alpha) override;
    void FreeMembers() override;
    void InitLineArray() override;

private:
    ImgBlock m_block;
    size_t m_blockSize = 0;
    uint8_t m_table[4 * 256] = {};
};
