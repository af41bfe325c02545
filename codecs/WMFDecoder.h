#pragma once
// Windows metafiles (".wmf", with or without the placeable header) and enhanced metafiles (".emf"),
// played onto a white picture by the metafile player of platform/gdi. The name decides the kind.
// Pictures are 32 bits, opaque, with the alpha flag on; an enhanced metafile with a palette of 1 to 255
// colours becomes an 8-bit picture in those colours when the caller lets the decoder choose.

#include "codecs/ImgPicDecoder.h"

class CWMFDecoder : public CImgPicDecoder
{
protected:
    // Throws code 6 "Windows Metafile functions failed to load this image." for data that is not a
    // metafile of the kind its name says, and code 10 for a picture too large to make.
    void DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp) override;
};
