#include "codecs/ImgPicEncoder.h"

#include "codecs/DecoderTrace.h"

void CImgPicEncoder::MakeFileFromBmp(const std::filesystem::path& name, const CImgBitmap& bmp)
{
    DecoderTrace("--- Encoding file " + name.string() + ". ---\n");
    // A first guess of the output's size from the picture's; the sink grows when it is short.
    const size_t used = bmp.GetMemUsed();
    const size_t initial = used < 20000 ? used + 4096 : static_cast<size_t>(static_cast<double>(used) * 1.2);
    CImgFileSink sink;
    if (sink.Open(name, initial) != 0) {
        ThrowImgError(kImgErrOpenSink, "Opening " + name.string() + " failed");
    }
    DoEncode(bmp, sink);
    sink.Close();
}

void CImgPicEncoder::MakeSinkFromBmp(const CImgBitmap& bmp, CImgDataSink& sink)
{
    DoEncode(bmp, sink);
}

size_t CImgPicEncoder::EncodeToMemory(const CImgBitmap& bmp)
{
    CImgMemSink sink;
    sink.Open(kImgMemoryEncodeSize);
    return EncodeToMemory(bmp, sink);
}

size_t CImgPicEncoder::EncodeToMemory(const CImgBitmap& bmp, CImgMemSink& sink)
{
    DoEncode(bmp, sink);
    return sink.GetWritePos();
}
