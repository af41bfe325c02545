#include "codecs/ImgPicDecoder.h"

#include "codecs/ByteOrder.h"
#include "codecs/DecoderTrace.h"

#include <cstdio>

void CImgPicDecoder::MakeBmpFromFile(const std::filesystem::path& name, CImgBitmap& bmp, int bpp,
                                     CImgProgressReceiver* progress)
{
    DecoderTrace("--- Decoding file " + name.string() + ". ---\n");
    CImgFileSource source;
    source.Open(name);
    source.SetProgressReceiver(progress);
    MakeBmp(source, bmp, bpp);
    source.Close();
}

void CImgPicDecoder::MakeBmpFromMemory(const uint8_t* data, size_t size, CImgBitmap& bmp, int bpp,
                                       CImgProgressReceiver* progress)
{
    char line[80];
    std::snprintf(line, sizeof line, "--- Decoding from memory at %p. ---\n", static_cast<const void*>(data));
    DecoderTrace(line);
    CImgMemSource source(data, size);
    source.SetProgressReceiver(progress);
    MakeBmp(source, bmp, bpp);
    source.Close();
}

void CImgPicDecoder::MakeBmp(CImgDataSource& source, CImgBitmap& bmp, int bpp)
{
    DoDecode(source, bmp, bpp);
}

namespace {

template <int Bits>
void ExpandLine(const uint8_t* source, uint8_t* dest, int width, std::span<const uint32_t> table)
{
    constexpr int kPerByte = 8 / Bits;
    constexpr unsigned kMask = (1u << Bits) - 1;
    for (int x = 0; x < width; ++x) {
        const unsigned shift = static_cast<unsigned>((kPerByte - 1 - x % kPerByte) * Bits);
        const unsigned index = (source[x / kPerByte] >> shift) & kMask;
        imgbytes::PutLe32(dest + 4 * static_cast<size_t>(x), index < table.size() ? table[index] : 0);
    }
}

} // namespace

void ExpandLine1(const uint8_t* source, uint8_t* dest, int width, std::span<const uint32_t> table)
{
    ExpandLine<1>(source, dest, width, table);
}

void ExpandLine2(const uint8_t* source, uint8_t* dest, int width, std::span<const uint32_t> table)
{
    ExpandLine<2>(source, dest, width, table);
}

void ExpandLine4(const uint8_t* source, uint8_t* dest, int width, std::span<const uint32_t> table)
{
    ExpandLine<4>(source, dest, width, table);
}

void ExpandLine8(const uint8_t* source, uint8_t* dest, int width, std::span<const uint32_t> table)
{
    ExpandLine<8>(source, dest, width, table);
}

void SetColourTableEntries(CImgBitmap& bmp, std::span<const uint32_t, 256> table)
{
    uint8_t entries[4 * 256];
    for (size_t i = 0; i < table.size(); ++i) {
        imgbytes::PutLe32(entries + 4 * i, table[i]);
    }
    bmp.SetColourTable(entries);
}

int ChooseDecodeDepth(int requestedBpp, int sourceBits)
{
    if (sourceBits <= 8 && (requestedBpp == 0 || requestedBpp == 8)) {
        return 8;
    }
    return 32;
}
