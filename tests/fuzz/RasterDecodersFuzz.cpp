// The BMP, TGA, PCX, PGM and PICT decoders on arbitrary bytes, each reached directly (not through the
// recognising decoder, which would turn most mutations away): a picture or a CTextException, never a
// crash or a read outside the data. The first byte chooses the decoder and the request.

#include "codecs/ImgAnyBitmap.h"
#include "codecs/ImgAnyFormatDecoder.h"
#include "codecs/ImgMemory.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Small enough that a header claiming a huge picture fails fast instead of filling memory.
    SetMaxBitmapBytes(size_t{64} << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) {
        return 0;
    }
    static constexpr CImgFileType kTypes[] = {CImgFileType::Bmp, CImgFileType::Tga, CImgFileType::Pcx,
                                              CImgFileType::Pgm, CImgFileType::Pict};
    const CImgFileType type = kTypes[(data[0] & 0x7F) % 5];
    const int request = (data[0] & 0x80) != 0 ? 32 : 0;
    CImgAnyBitmap bmp;
    try {
        CImgMemSource source(data + 1, size - 1);
        ProgramDecoder().GetDecoder(type).MakeBmp(source, bmp, request);
    } catch (const CTextException&) {
    }
    return 0;
}
