// The recognising decoder on arbitrary bytes: it must give a picture or a CTextException, never a
// crash or a read outside the data.

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
    CImgAnyBitmap bmp;
    try {
        CImgMemSource source(data, size);
        // Both requests the program makes: the decoder's own choice, and 32 bits.
        ProgramDecoder().MakeBmp(source, bmp, size % 2 == 0 ? 32 : 0);
    } catch (const CTextException&) {
    }
    return 0;
}
