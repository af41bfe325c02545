#pragma once
// JPEG pictures through libjpeg. Colour pictures are decoded straight into 32-bit bitmap lines (blue,
// green, red, 255); grey ones into an 8-bit bitmap when the caller lets the decoder choose, else into
// opaque grey 32-bit pixels. The decoder takes the rest of the data source at once; data that ends
// early gives a picture whose missing part is grey, as libjpeg fills it.

#include "codecs/ImgPicDecoder.h"

class CJPEGDecoder : public CImgPicDecoder
{
protected:
    // Throws code 6 with libjpeg's message when libjpeg refuses the data.
    void DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp) override;
};
