#pragma once
// Truevision TGA files: colour-mapped, true-colour and grey pictures (types 1, 2, 3), uncompressed or
// run-length encoded (9, 10, 11), of 8, 15, 16, 24 or 32 bits a pixel, stored bottom-up or top-down.
// Pictures of up to 8 bits become 8-bit bitmaps unless 32 bits are asked for.

#include "codecs/ImgPicDecoder.h"

class CTGADecoder : public CImgPicDecoder
{
protected:
    // Throws code 2 for an image type or pixel size it does not read, code 7 for a run past the end of
    // the image, and code 11 when the data ends early.
    void DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp) override;
};
