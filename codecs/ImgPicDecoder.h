#pragma once
// The base of every picture decoder: decoding from a file, from memory or from a data source into a
// bitmap. A format's decoder implements DoDecode; callers ask for 32 bits per pixel, or for 0, which
// lets the decoder choose (8 for pictures of up to 8 bits per pixel, 32 for deeper ones).

#include "codecs/ImgBitmap.h"
#include "codecs/ImgDataSource.h"

#include <cstdint>
#include <filesystem>
#include <span>

class CImgPicDecoder : public CImgObject
{
public:
    ~CImgPicDecoder() override = default;

    // Decodes a file. Throws "Opening <name> failed" with the cause's code when the file cannot be
    // opened, and whatever the format's decoder throws.
    void MakeBmpFromFile(const std::filesystem::path& name, CImgBitmap& bmp, int bpp,
                         CImgProgressReceiver* progress = nullptr);
    // Decodes a block of memory (not copied).
    void MakeBmpFromMemory(const uint8_t* data, size_t size, CImgBitmap& bmp, int bpp,
                           CImgProgressReceiver* progress = nullptr);
    // Decodes from the source's current position.
    virtual void MakeBmp(CImgDataSource& source, CImgBitmap& bmp, int bpp);

protected:
    virtual void DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp) = 0;
};

// Row converters shared by decoders: packed source pixels (most significant bits first) through a
// colour table of 32-bit BGRA entries into 32-bit pixels. An index past the end of the table gives 0.
void ExpandLine1(const uint8_t* source, uint8_t* dest, int width, std::span<const uint32_t> table);
void ExpandLine2(const uint8_t* source, uint8_t* dest, int width, std::span<const uint32_t> table);
void ExpandLine4(const uint8_t* source, uint8_t* dest, int width, std::span<const uint32_t> table);
void ExpandLine8(const uint8_t* source, uint8_t* dest, int width, std::span<const uint32_t> table);

// Gives an 8-bit bitmap the colour table of 256 32-bit BGRA entries that its decoder read.
void SetColourTableEntries(CImgBitmap& bmp, std::span<const uint32_t, 256> table);

// The depth a decoder fills for a request: 0 lets it choose, 8 for pictures of up to 8 bits per pixel
// and 32 for deeper ones. A request it cannot fill (8 bits for a deeper picture, or any depth but 8 and
// 32) gets 32, so a caller's odd request never makes a decoder write pixels of one size into another.
int ChooseDecodeDepth(int requestedBpp, int sourceBits);
