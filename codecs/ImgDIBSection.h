#pragma once
// The bitmap that windows draw: a packed DIB whose pixels the display layer (codecs/wx) turns into a
// toolkit bitmap when it is drawn. A new one is 1 x 1 at 8 bits per pixel, so it always holds a picture.

#include "codecs/ImgWinBitmap.h"

class CImgDIBSection : public CImgWinBitmap
{
public:
    CImgDIBSection();
    ~CImgDIBSection() override;

    // Hands the packed DIB over to the caller and becomes 1 x 1 at 8 bits per pixel again.
    std::vector<uint8_t> DetachDib();
};
