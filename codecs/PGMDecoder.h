#pragma once
// Portable grey maps, as text ("P2") or bytes ("P5"), with comments in the header. Samples are scaled
// to 0..255; pictures become 8-bit bitmaps with a grey table unless 32 bits are asked for.

#include "codecs/ImgPicDecoder.h"

class CPGMDecoder : public CImgPicDecoder
{
protected:
    // Throws code 2 for another identifier or a header or sample that is not a number, and code 11 when
    // the data ends early.
    void DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp) override;
};
