// Packed DIBs for the print and layout code: BMP files read into one block, measured and drawn.

#include "codecs/PackedDib.h"
#include "codecs/ImgAnyBitmap.h"
#include "tests/codecs/ImageTools.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

using namespace lumarc::test;

TEST(PackedDibTest, ReadsBmpFilesOfEveryCommonDepth)
{
    const auto folder = MakeTempFolder("dib");
    const auto base = MakeBasePicture(folder);
    struct Case
    {
        const char* name;
        const char* options;
        size_t paletteSize;
    };
    const Case cases[] = {
        {"rgb24.bmp", "-type TrueColor", 0}, // version 5 header
        {"rgb24v3.bmp", "-type TrueColor -define bmp:format=bmp3", 0},
        {"rgb32.bmp", "-alpha set -define bmp3:alpha=true -define bmp:format=bmp3", 0},
        {"pal8.bmp", "-colors 200 -type Palette -compress None", 200},
        {"pal8v3.bmp", "-colors 100 -type Palette -compress None -define bmp:format=bmp3", 100},
        {"pal4.bmp", "-colors 16 -type Palette -depth 4", 16},
        {"mono.bmp", "-type Bilevel", 2},
    };
    for (const Case& c : cases) {
        const auto file = Convert(Quote(base) + " " + c.options, folder / c.name);
        const auto dib = ReadDIBFile(file);
        ASSERT_TRUE(dib.has_value()) << c.name;
        EXPECT_EQ(DIBWidth(dib->data(), dib->size()), 37);
        EXPECT_EQ(DIBHeight(dib->data(), dib->size()), 29);
        EXPECT_LE(DIBPalette(dib->data(), dib->size()).size(), 256u);
        if (c.paletteSize != 0) {
            EXPECT_GE(DIBPalette(dib->data(), dib->size()).size(), c.paletteSize) << c.name;
        }
        CImgAnyBitmap bmp;
        DIBToBitmap32(dib->data(), dib->size(), bmp);
        auto expected = ReferenceRgba(file);
        for (size_t i = 3; i < expected.size(); i += 4) {
            expected[i] = 255; // drawn opaque
        }
        EXPECT_EQ(BitmapRgba(bmp), expected) << c.name;
    }
}

TEST(PackedDibTest, RefusesCoreHeadersAndShortFiles)
{
    const auto folder = MakeTempFolder("dibbad");
    const auto base = MakeBasePicture(folder);
    EXPECT_FALSE(ReadDIBFile(Convert(Quote(base), folder / "core.bmp2")).has_value());
    const auto good = ReadBytes(Convert(Quote(base), folder / "good.bmp"));
    for (size_t size : {size_t{0}, size_t{10}, size_t{30}, good.size() - 1}) {
        WriteBytes(folder / "short.bmp", {good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size)});
        EXPECT_FALSE(ReadDIBFile(folder / "short.bmp").has_value()) << size;
    }
    EXPECT_FALSE(ReadDIBFile(folder / "missing.bmp").has_value());

    // A 32-bit header whose colour count is left 0 must not mean 2^32 colours.
    const auto wide = Convert(Quote(base) + " -alpha set -define bmp3:alpha=true -define bmp:format=bmp3",
                              folder / "w.bmp");
    ASSERT_EQ(ReadBytes(wide)[28], 32);
    const auto dib = ReadDIBFile(wide);
    ASSERT_TRUE(dib.has_value());
    EXPECT_TRUE(DIBPalette(dib->data(), dib->size()).empty());
    EXPECT_EQ(dib->size(), 40u + 37 * 29 * 4);
}

TEST(PackedDibTest, LeavesRunLengthEncodedPixelsToTheBmpDecoder)
{
    const auto folder = MakeTempFolder("dibrle");
    const auto file = Convert(Quote(MakeBasePicture(folder)) + " -colors 100 -type Palette -compress RLE",
                              folder / "rle.bmp");
    const auto dib = ReadDIBFile(file);
    ASSERT_TRUE(dib.has_value());
    CImgAnyBitmap bmp;
    try {
        DIBToBitmap32(dib->data(), dib->size(), bmp);
        FAIL();
    } catch (const CTextException& e) {
        EXPECT_EQ(e.GetCode(), 2);
    }
}

TEST(PackedDibTest, MeasuresCoreHeaders)
{
    const uint8_t core[12] = {12, 0, 0, 0, 0x25, 0, 0x1D, 0, 1, 0, 8, 0};
    EXPECT_EQ(DIBWidth(core, sizeof core), 37);
    EXPECT_EQ(DIBHeight(core, sizeof core), 29);
    EXPECT_EQ(DIBWidth(core, 4), 0);
}

} // namespace
