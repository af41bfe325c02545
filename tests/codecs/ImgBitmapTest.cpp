// The bitmap classes: line layouts, pixels, colour tables, depth conversion, packed DIBs and the BMP
// file images written for the catalogue's picture table.

#include "codecs/ImgAnyBitmap.h"
#include "codecs/ImgAnyFormatDecoder.h"
#include "codecs/ImgDIBSection.h"
#include "codecs/ImgMemory.h"
#include "codecs/ImgWinBitmap.h"
#include "tests/codecs/ImageTools.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace lumarc::test;

void FillPattern(CImgBitmap& bmp)
{
    for (int y = 0; y < bmp.GetHeight(); ++y) {
        for (int x = 0; x < bmp.GetWidth(); ++x) {
            bmp.SetPixel(x, y,
                         0xFF000000u | static_cast<uint32_t>(x * 40) | static_cast<uint32_t>(y * 50) << 8 |
                             static_cast<uint32_t>((x + y) * 20) << 16);
        }
    }
}

TEST(ImgBitmapTest, LinesArePackedInPlainBitmapsAndPaddedInDibs)
{
    CImgAnyBitmap plain;
    CImgDIBSection dib;
    struct Case
    {
        int width;
        int bpp;
        size_t plainBytes;
        size_t dibBytes;
    };
    for (const Case& c :
         {Case{9, 1, 2, 4}, Case{8, 1, 1, 4}, Case{33, 1, 5, 8}, Case{3, 8, 3, 4}, Case{5, 32, 20, 20}}) {
        plain.Create(c.width, 3, c.bpp, false);
        dib.Create(c.width, 3, c.bpp, false);
        EXPECT_EQ(plain.GetBytesPerLine(), c.plainBytes) << c.width << "x" << c.bpp;
        EXPECT_EQ(dib.GetBytesPerLine(), c.dibBytes) << c.width << "x" << c.bpp;
    }
    // Plain lines run top-down, DIB lines bottom-up in their block.
    EXPECT_EQ(plain.GetLine(0), plain.GetBits());
    EXPECT_EQ(dib.GetLine(2), dib.GetBits());
    EXPECT_EQ(dib.GetLine(0), dib.GetBits() + 2 * dib.GetBytesPerLine());
}

TEST(ImgBitmapTest, OneBitPixelsAreMostSignificantFirst)
{
    CImgWinBitmap bmp;
    bmp.Create(9, 2, 1, false);
    bmp.SetPixel(0, 0, 1);
    EXPECT_EQ(bmp.GetLine(0)[0], 0x80);
    EXPECT_EQ(bmp.GetPixel(0, 0), 1u);
    bmp.SetPixel(8, 0, 3); // odd values set the bit
    EXPECT_EQ(bmp.GetLine(0)[1], 0x80);
    bmp.SetPixel(0, 0, 2); // even values clear it
    EXPECT_EQ(bmp.GetPixel(0, 0), 0u);
    bmp.SetPixel(9, 0, 1); // outside: not written, reads 0
    EXPECT_EQ(bmp.GetPixel(9, 0), 0u);
}

TEST(ImgBitmapTest, NewBitmapsHaveGreyColourTables)
{
    CImgAnyBitmap eight;
    EXPECT_EQ(eight.GetSize(), std::make_pair(16, 16));
    EXPECT_EQ(eight.GetBitsPerPixel(), 8);
    for (int i : {0, 1, 128, 255}) {
        EXPECT_EQ(eight.GetColourEntry(i), 0xFF000000u | static_cast<uint32_t>(i) * 0x010101u);
    }
    CImgDIBSection one;
    EXPECT_EQ(one.GetSize(), std::make_pair(1, 1));
    one.Create(4, 4, 1, false);
    EXPECT_EQ(one.GetColourEntry(0), 0xFF000000u);
    EXPECT_EQ(one.GetColourEntry(1), 0xFFFFFFFFu);
    one.Create(4, 4, 32, true);
    EXPECT_EQ(one.GetColourTable(), nullptr);
    EXPECT_TRUE(one.HasAlpha());
}

TEST(ImgBitmapTest, CopiesConvertThroughTheColourTable)
{
    CImgWinBitmap one;
    one.Create(10, 2, 1, false);
    const uint8_t table[8] = {0x10, 0x20, 0x30, 0xFF, 0xA0, 0xB0, 0xC0, 0xFF};
    one.SetColourTable(table);
    one.SetPixel(3, 1, 1);
    CImgAnyBitmap full;
    full.CreateCopy(one, 32);
    EXPECT_EQ(full.GetBitsPerPixel(), 32);
    EXPECT_EQ(full.GetPixel(0, 0), 0xFF302010u);
    EXPECT_EQ(full.GetPixel(3, 1), 0xFFC0B0A0u);

    CImgAnyBitmap eight;
    eight.Create(3, 1, 8, false);
    eight.SetPixel(2, 0, 200);
    full.CreateCopy(eight, 32);
    EXPECT_EQ(full.GetPixel(2, 0), 0xFFC8C8C8u);

    // Same depth: pixels and table copied whatever the line layouts.
    CImgWinBitmap back;
    back.CreateCopy(one, 0);
    EXPECT_EQ(back.GetPixel(3, 1), 1u);
    EXPECT_EQ(back.GetColourEntry(0), 0xFF302010u);
    // Alpha is dropped at 1 bit.
    CImgAnyBitmap alpha;
    alpha.Create(2, 2, 32, true);
    back.CreateCopy(alpha, 1);
    EXPECT_FALSE(back.HasAlpha());
}

TEST(ImgBitmapTest, RefusesDepthsAndSizesItCannotHold)
{
    CImgAnyBitmap bmp;
    try {
        bmp.Create(4, 4, 24, false);
        FAIL();
    } catch (const CTextException& e) {
        EXPECT_EQ(e.GetCode(), 2);
    }
    const size_t bound = GetMaxBitmapBytes();
    SetMaxBitmapBytes(1 << 20);
    try {
        bmp.Create(1024, 1024, 32, false);
        FAIL();
    } catch (const CTextException& e) {
        EXPECT_EQ(e.GetCode(), 10);
        EXPECT_EQ(e.GetMessage(), "Can't create bitmap.");
    }
    SetMaxBitmapBytes(bound);
    EXPECT_THROW(bmp.Create(-1, 4, 8, false), CTextException);
}

TEST(ImgBitmapTest, PackedDibsRoundTripAndTopDownOnesAreTurned)
{
    CImgDIBSection source;
    source.Create(5, 3, 32, false);
    FillPattern(source);
    const std::vector<uint8_t> dib = source.CopyToPackedDib();
    ASSERT_EQ(dib.size(), 40u + 5 * 4 * 3);

    CImgWinBitmap copy;
    copy.CreateFromPackedDib(dib.data(), dib.size());
    EXPECT_EQ(BitmapRgba(copy), BitmapRgba(source));

    // The same rows stored top-down with a negative height.
    std::vector<uint8_t> topDown(dib.begin(), dib.begin() + 40);
    const int32_t negative = -3;
    std::memcpy(topDown.data() + 8, &negative, 4);
    for (int y = 0; y < 3; ++y) {
        topDown.insert(topDown.end(), source.GetLine(y), source.GetLine(y) + 20);
    }
    copy.CreateFromPackedDib(topDown.data(), topDown.size());
    EXPECT_EQ(BitmapRgba(copy), BitmapRgba(source));

    // A block shorter than its header says is refused, not read past.
    try {
        copy.CreateFromPackedDib(dib.data(), dib.size() - 1);
        FAIL();
    } catch (const CTextException& e) {
        EXPECT_EQ(e.GetCode(), 11);
    }

    CImgDIBSection section;
    section.Create(2, 2, 8, false);
    EXPECT_EQ(section.DetachDib().size(), 40u + 1024 + 8);
    EXPECT_EQ(section.GetSize(), std::make_pair(1, 1));
}

// BMP file images are checked by ImageMagick, which reads them like any BMP file.
TEST(ImgBitmapTest, WritesBmpImagesOtherToolsRead)
{
    const auto folder = MakeTempFolder("bmp");
    CImgWinBitmap colour;
    colour.Create(7, 5, 32, false);
    FillPattern(colour);
    CImgWinBitmap grey;
    grey.CreateCopy(colour, 8); // blank pixels over the grey table
    for (int x = 0; x < 7; ++x) {
        grey.SetPixel(x, 2, static_cast<uint32_t>(x * 30));
    }
    CImgWinBitmap mono;
    mono.Create(11, 3, 1, false);
    mono.SetPixel(10, 1, 1);

    for (const CImgWinBitmap* bmp : {&colour, &grey, &mono}) {
        std::vector<uint8_t> image(bmp->GetBmpImageSize());
        ASSERT_EQ(bmp->WriteBmpImage(image.data(), image.size()), image.size());
        EXPECT_EQ(image[0], 'B');
        EXPECT_EQ(image[1], 'M');
        const auto file = folder / ("p" + std::to_string(bmp->GetBitsPerPixel()) + ".bmp");
        WriteBytes(file, image);
        EXPECT_EQ(ReferenceRgba(file), BitmapRgba(*bmp)) << bmp->GetBitsPerPixel() << " bits";
    }

    // 32-bit pictures become 24-bit rows padded with blanks.
    CImgWinBitmap narrow;
    narrow.Create(1, 6, 32, false);
    std::vector<uint8_t> image(narrow.GetBmpImageSize());
    EXPECT_EQ(narrow.WriteBmpImage(image.data(), image.size()), 54u + 4 * 6);
    EXPECT_EQ(image[28], 24);
    EXPECT_EQ(image[54 + 3], 0x20);

    try {
        narrow.WriteBmpImage(image.data(), image.size() - 1);
        FAIL();
    } catch (const CTextException& e) {
        EXPECT_EQ(e.GetCode(), 11);
    }
}

} // namespace
