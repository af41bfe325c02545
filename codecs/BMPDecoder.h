#pragma once
// Windows BMP files: uncompressed 1, 4, 8, 24 and 32 bits per pixel and run-length encoded 4 and 8 bits,
// with the 40-byte info header or a longer one. Pictures of up to 8 bits become 8-bit bitmaps with the
// file's colour table when the caller lets the decoder choose, 32-bit ones otherwise (alpha off).

#include "codecs/ImgPicDecoder.h"

class CBMPDecoder : public CImgPicDecoder
{
protected:
    // Throws code 1 when the file does not begin with "BM", code 2 for a header shorter than 40 bytes or
    // a depth it does not read (16 bits among them), code 6 for the run-length delta escape, code 7 for
    // runs that pass the end of the image, and code 11 when the data ends early.
    void DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp) override;
};
