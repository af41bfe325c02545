#pragma once
// The base of the picture encoders (JPEG and TIFF): encoding a bitmap into a file or a data sink.

#include "codecs/ImgBitmap.h"
#include "codecs/ImgDataSink.h"

#include <filesystem>

// The buffer in which pictures are encoded for storing in a catalogue, and so the largest stored picture.
inline constexpr size_t kImgMemoryEncodeSize = 1000000;

class CImgPicEncoder : public CImgObject
{
public:
    ~CImgPicEncoder() override = default;

    // Encodes into a file. Throws code -1 "Opening <name> failed" when the file cannot be opened.
    void MakeFileFromBmp(const std::filesystem::path& name, const CImgBitmap& bmp);
    // Encodes into the sink from its write position.
    void MakeSinkFromBmp(const CImgBitmap& bmp, CImgDataSink& sink);

    // Encodes into a memory sink of kImgMemoryEncodeSize bytes and returns the number of bytes written
    // (code 11 when the picture needs more).
    size_t EncodeToMemory(const CImgBitmap& bmp);
    // Encodes into the caller's sink and returns its write position.
    size_t EncodeToMemory(const CImgBitmap& bmp, CImgMemSink& sink);

protected:
    virtual void DoEncode(const CImgBitmap& bmp, CImgDataSink& sink) = 0;
};
