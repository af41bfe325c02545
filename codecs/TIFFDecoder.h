#pragma once
// TIFF pictures through libtiff, read from the data source's current position to its end (an EPS
// file's TIFF preview starts inside the file). Single-channel pictures of 1, 2, 4 or 8 bits in strips
// keep their depth (1 bit stays 1 bit, the others become 8-bit indices) unless 32 bits are asked for;
// everything else goes through libtiff's RGBA reader into a 32-bit bitmap.

#include "codecs/ImgPicDecoder.h"

#include <tiffio.h>

class CTIFFMemClient;

class CTIFFDecoder : public CImgPicDecoder
{
public:
    CTIFFDecoder();

protected:
    // Throws code 1 with libtiff's message when it cannot open or read the picture, code 7 when one of
    // the first third of the lines cannot be read, code 10 when memory runs out.
    void DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp) override;

private:
    void DoLoColor(TIFF* tif, CImgBitmap& bmp, const CTIFFMemClient& client);
};
