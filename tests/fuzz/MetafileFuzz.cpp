// The metafile player and the metafile decoder on arbitrary bytes: a picture or a refusal, never a
// crash, a read outside the data or a hang. The first byte chooses the kind (Windows or enhanced).

#include "codecs/ImgAnyBitmap.h"
#include "codecs/ImgAnyFormatDecoder.h"
#include "codecs/ImgMemory.h"
#include "platform/gdi/Metafile.h"

#include <cstddef>
#include <cstdint>
#include <span>

// fontconfig, which finds the faces of text, keeps its caches until the process ends.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Pictures of a megabyte at most, so that each run stays quick whatever size a header claims.
    SetMaxBitmapBytes(size_t{1} << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) {
        return 0;
    }
    const bool enhanced = (data[0] & 1) != 0;
    const std::span<const uint8_t> bytes(data + 1, size - 1);
    using platform::gdi::Metafile;
    using platform::gdi::MetafileKind;
    if (const auto metafile =
            Metafile::Load(bytes, enhanced ? MetafileKind::Enhanced : MetafileKind::Windows)) {
        metafile->Render(48, 32);
    }
    CImgAnyBitmap bmp;
    try {
        CImgMemSource source(bytes.data(), bytes.size(), enhanced ? "picture.emf" : "picture.wmf");
        ProgramDecoder().MakeBmp(source, bmp, (data[0] & 2) != 0 ? 32 : 0);
    } catch (const CTextException&) {
    }
    return 0;
}
