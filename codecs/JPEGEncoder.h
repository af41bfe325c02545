#pragma once
// Writes a bitmap as a JPEG picture with libjpeg's default settings (quality 75). Pictures of 1 or 8
// bits per pixel are converted to 32 bits first.

#include "codecs/ImgPicEncoder.h"

class CJPEGEncoder : public CImgPicEncoder
{
protected:
    // Throws code 6 with libjpeg's message, or the sink's code 11 when it is full.
    void DoEncode(const CImgBitmap& bmp, CImgDataSink& sink) override;
};
