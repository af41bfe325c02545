#pragma once
// Macintosh PICT files (QuickDraw pictures, versions 1 and 2): the first raster image of the picture,
// whether a bitmap, a pixel map of 1 to 32 bits or JPEG data compressed by QuickTime (handed to the JPEG
// decoder). Vector drawing is skipped, never drawn; a picture without a raster image fails.

#include "codecs/ImgPicDecoder.h"

class CJPEGDecoder;

class CPICTDecoder : public CImgPicDecoder
{
public:
    // The JPEG decoder reads embedded JPEG data; it must outlive this decoder.
    explicit CPICTDecoder(CJPEGDecoder& jpeg) : m_jpeg(jpeg) {}

protected:
    // Throws code 1 without a valid version opcode, code 6 for a picture with only vector data or
    // QuickTime data that is not JPEG, code 2 for pixel sizes, colour tables and patterns it does not
    // read, and code 11 when the data ends early.
    void DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp) override;

private:
    CJPEGDecoder& m_jpeg;
};
