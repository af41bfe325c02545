#pragma once
// Writes a bitmap as an uncompressed TIFF: 1-bit pictures as black-and-white (the photometric
// interpretation follows which colour-table entry is darker), 8-bit ones as palette pictures with their
// colour table, 32-bit ones as RGB.

#include "codecs/ImgPicEncoder.h"

class CTIFFEncoder : public CImgPicEncoder
{
public:
    CTIFFEncoder();

protected:
    // Throws code 1 with libtiff's message, or code 11 when a memory sink is full.
    void DoEncode(const CImgBitmap& bmp, CImgDataSink& sink) override;
};
