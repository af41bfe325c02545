// Metafiles as pictures: the size each kind of metafile gets, the white ground, the palette case and
// the files the decoder refuses. How the records are drawn is the player's (tests/platform/gdi).

#include "codecs/ImgAnyBitmap.h"
#include "codecs/ImgAnyFormatDecoder.h"
#include "tests/codecs/DecoderFailure.h"
#include "tests/codecs/ImageTools.h"
#include "tests/platform/gdi/MetafileSamples.h"
#include "tests/support/TestEnvironment.h"

#include <uemf.h>

#include <gtest/gtest.h>

namespace {

using namespace lumarc::test;

class WMFDecoderTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_folder = MakeTempFolder("wmf");
        WriteSampleEnhanced(s_folder / "sample.emf", SampleStyle::Full);
        WriteSampleWindows(s_folder / "placeable.wmf", true, SampleStyle::Full);
        WriteSampleWindows(s_folder / "plain.wmf", false, SampleStyle::Full);
    }

    static std::pair<int, std::string> Failure(const std::filesystem::path& path, int bpp = 32)
    {
        return ThrownFailure([&] {
            CImgAnyBitmap bmp;
            ProgramDecoder().MakeBmpFromFile(path, bmp, bpp);
        });
    }

    static std::filesystem::path s_folder;
};

std::filesystem::path WMFDecoderTest::s_folder;

TEST_F(WMFDecoderTest, SizesPicturesByTheirHeaders)
{
    struct Case
    {
        const char* file;
        int width;
        int height;
    };
    const Case cases[] = {
        // 4000 x 3000 units at 960 an inch, on a screen of 96 pixels an inch.
        {"placeable.wmf", 400, 300},
        // A frame of 10583 x 7937 hundredths of a millimetre, counted on the screen in whole pixels.
        {"sample.emf", 399, 299},
        // Without a placeable header a Windows metafile has no size of its own.
        {"plain.wmf", 320, 200},
    };
    for (const Case& c : cases) {
        CImgAnyBitmap bmp;
        ProgramDecoder().MakeBmpFromFile(s_folder / c.file, bmp, 0);
        EXPECT_EQ(bmp.GetSize(), std::make_pair(c.width, c.height)) << c.file;
        EXPECT_EQ(bmp.GetBitsPerPixel(), 32) << c.file;
        EXPECT_TRUE(bmp.HasAlpha()) << c.file;
        // Drawn on white, opaque everywhere.
        EXPECT_EQ(bmp.GetPixel(c.width / 2, c.height / 2) >> 24, 255u) << c.file;
    }

    // An enhanced metafile that draws nothing is white.
    WriteEnhanced(s_folder / "empty.emf", 2540, 1270, {}, [](void*) {});
    CImgAnyBitmap empty;
    ProgramDecoder().MakeBmpFromFile(s_folder / "empty.emf", empty, 32);
    EXPECT_EQ(empty.GetSize(), std::make_pair(96, 48));
    EXPECT_EQ(empty.GetPixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(empty.GetPixel(95, 47), 0xFFFFFFFFu);
}

TEST_F(WMFDecoderTest, MetafilesWithAPaletteBecomeEightBitPictures)
{
    std::vector<uint32_t> palette;
    for (uint32_t i = 0; i < 16; ++i) {
        palette.push_back(i * 0x0F0F0F);
    }
    palette[5] = 0xC81E1E; // the red the picture is drawn in
    WriteEnhanced(s_folder / "palette.emf", 2540, 2540, palette, [](void* emf) {
        AppendEmf(emf, U_EMRSELECTOBJECT_set(U_STOCK_OBJECT | U_NULL_PEN));
        AppendEmf(emf,
                  U_EMRCREATEBRUSHINDIRECT_set(1, logbrush_set(U_BS_SOLID, colorref3_set(200, 30, 30), 0)));
        AppendEmf(emf, U_EMRSELECTOBJECT_set(1));
        AppendEmf(emf, U_EMRRECTANGLE_set(rectl_set(point32_set(0, 0), point32_set(48, 96))));
    });

    CImgAnyBitmap indexed;
    ProgramDecoder().MakeBmpFromFile(s_folder / "palette.emf", indexed, 0);
    ASSERT_EQ(indexed.GetBitsPerPixel(), 8);
    EXPECT_EQ(indexed.GetPixel(10, 10), 5u);
    EXPECT_EQ(indexed.GetColourEntry(5) & 0xFFFFFF, 0xC81E1Eu);
    // White is not among the colours: the ground takes the nearest, the palette's lightest grey.
    EXPECT_EQ(indexed.GetPixel(80, 10), 15u);

    CImgAnyBitmap full;
    ProgramDecoder().MakeBmpFromFile(s_folder / "palette.emf", full, 32);
    EXPECT_EQ(full.GetBitsPerPixel(), 32);
    EXPECT_EQ(full.GetPixel(10, 10), 0xFFC81E1Eu);
}

TEST_F(WMFDecoderTest, TheNameDecidesTheKind)
{
    std::filesystem::copy_file(s_folder / "placeable.wmf", s_folder / "windows.emf");
    std::filesystem::copy_file(s_folder / "sample.emf", s_folder / "enhanced.wmf");
    WriteBytes(s_folder / "garbage.wmf", std::vector<uint8_t>(100, 0x41));
    WriteBytes(s_folder / "short.emf", {1, 0, 0, 0});
    const auto failed =
        std::make_pair(6, std::string("Windows Metafile functions failed to load this image."));
    for (const char* file : {"windows.emf", "enhanced.wmf", "garbage.wmf", "short.emf"}) {
        EXPECT_EQ(Failure(s_folder / file), failed) << file;
    }

    // A frame far larger than any picture the program holds.
    WriteEnhanced(s_folder / "huge.emf", 2000000000, 100, {}, [](void*) {});
    EXPECT_EQ(Failure(s_folder / "huge.emf"),
              std::make_pair(10, std::string("Cannot allocate memory bitmap.")));
}

} // namespace
