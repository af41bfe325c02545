#pragma once
// PNG pictures through libpng. Grey and palette pictures become 8-bit bitmaps with their grey ramp or
// palette unless 32 bits are asked for; everything else, and every picture asked for at 32 bits,
// becomes 32-bit blue, green, red, alpha (alpha 255 where the picture has none). A picture with a
// transparent colour or transparent palette entries becomes 32-bit with alpha, so its transparency
// stays. 16-bit samples are cut to 8 bits.

#include "codecs/ImgPicDecoder.h"

class CPNGDecoder : public CImgPicDecoder
{
protected:
    // Throws code 2 with libpng's message, or code 11 when the data ends early.
    void DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp) override;
};
