#pragma once
// ZSoft PCX files: 1 bit with up to 4 planes, 2, 4 or 8 bits packed in one plane, and 8 bits in three
// planes (red, green, blue). Always decoded to 32 bits per pixel, opaque, alpha off.

#include "codecs/ImgPicDecoder.h"

class CPCXDecoder : public CImgPicDecoder
{
protected:
    // Throws code 1 for a file that is not a run-length encoded PCX, code 2 for plane and depth layouts
    // it does not read, code 7 for a run past the end of the image or a missing 256-colour palette, and
    // code 11 when the data ends early.
    void DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp) override;
};
