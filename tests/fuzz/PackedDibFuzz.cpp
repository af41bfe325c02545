// Packed DIBs on arbitrary bytes (as they come from the clipboard or a stored layout): read, measured
// and converted, or refused with a CTextException.

#include "codecs/ImgAnyBitmap.h"
#include "codecs/ImgMemory.h"
#include "codecs/ImgWinBitmap.h"
#include "codecs/PackedDib.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetMaxBitmapBytes(size_t{64} << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DIBWidth(data, size);
    DIBHeight(data, size);
    DIBPalette(data, size);
    try {
        CImgAnyBitmap bmp;
        DIBToBitmap32(data, size, bmp);
    } catch (const CTextException&) {
    }
    try {
        CImgWinBitmap bmp;
        bmp.CreateFromPackedDib(data, size);
        std::vector<uint8_t> image(bmp.GetBmpImageSize());
        bmp.WriteBmpImage(image.data(), image.size());
    } catch (const CTextException&) {
    }
    return 0;
}
