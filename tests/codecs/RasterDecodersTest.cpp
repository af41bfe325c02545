// The PCX, PGM and TGA decoders on small hand-made files: the cases the tools do not write, and broken
// files. The variants ImageMagick and netpbm write are in CodecConformanceTest.

#include "codecs/ImgAnyBitmap.h"
#include "codecs/ImgAnyFormatDecoder.h"
#include "tests/codecs/DecoderFailure.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Bytes = std::vector<uint8_t>;
using lumarc::test::DecodeFailure;
using lumarc::test::DecoderFailureCase;
using T = CImgFileType;

void Decode(T type, const Bytes& bytes, CImgBitmap& bmp, int bpp = 32)
{
    CImgMemSource source(bytes.data(), bytes.size());
    ProgramDecoder().GetDecoder(type).MakeBmp(source, bmp, bpp);
}

Bytes Text(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

// Every cut of a file gives a picture or an exception, never a crash.
void DecodeEveryCut(T type, const Bytes& file)
{
    for (size_t size = 0; size < file.size(); ++size) {
        DecodeFailure(type, Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size)));
    }
}

const std::string kEndOfData = "End of file reached while decoding.\n";
const std::string kSpans = "repeat count spans end of image.";

// A PCX header for a picture of width x height with the given layout; the caller appends the data.
Bytes PcxHeader(int width, int height, int bits, int planes, int bytesPerLine)
{
    Bytes h(128, 0);
    h[0] = 10;
    h[1] = 5;
    h[2] = 1;
    h[3] = static_cast<uint8_t>(bits);
    h[8] = static_cast<uint8_t>(width - 1);
    h[10] = static_cast<uint8_t>(height - 1);
    h[65] = static_cast<uint8_t>(planes);
    h[66] = static_cast<uint8_t>(bytesPerLine);
    // A header palette of anything but black and white.
    for (int i = 0; i < 48; ++i) {
        h[16 + i] = static_cast<uint8_t>(40 + i);
    }
    return h;
}

Bytes Cat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(PCXDecoderTest, OneBitOnePlaneIsBlackAndWhiteWhateverTheHeaderPalette)
{
    const Bytes file = Cat(PcxHeader(3, 1, 1, 1, 2), {0x40, 0x00});
    CImgAnyBitmap bmp;
    Decode(T::Pcx, file, bmp, 0);
    EXPECT_EQ(bmp.GetBitsPerPixel(), 32) << "PCX pictures are always 32 bits";
    EXPECT_FALSE(bmp.HasAlpha());
    EXPECT_EQ(bmp.GetPixel(0, 0), 0xFF000000u);
    EXPECT_EQ(bmp.GetPixel(1, 0), 0xFFFFFFFFu);
}

TEST(PCXDecoderTest, LinesShorterThanTheWidthLeaveTheRestAtEntryZero)
{
    // 10 pixels of 8 bits in lines of 4 bytes: pixels 4 to 9 have no data.
    Bytes palette(769, 0);
    palette[0] = 12;
    palette[1 + 3 * 7] = 0xAA;
    const Bytes file = Cat(Cat(PcxHeader(10, 1, 8, 1, 4), {7, 7, 7, 7}), palette);
    CImgAnyBitmap bmp;
    Decode(T::Pcx, file, bmp);
    EXPECT_EQ(bmp.GetPixel(3, 0), 0xFFAA0000u);
    EXPECT_EQ(bmp.GetPixel(9, 0), 0xFF000000u);
}

TEST(PCXDecoderTest, RefusesLayoutsItDoesNotReadAndBrokenFiles)
{
    Bytes notPcx = PcxHeader(2, 1, 8, 3, 2);
    notPcx[0] = 11;
    Bytes notRle = PcxHeader(2, 1, 8, 3, 2);
    notRle[2] = 0;
    Bytes badSignature(769, 0);
    badSignature[0] = 13;
    using Case = DecoderFailureCase;
    const Case cases[] = {
        {"not PCX", notPcx, 1, "Error decoding pcx: Not a PCX file."},
        {"not run-length encoded", notRle, 1, "File has unknown encoding scheme."},
        {"five planes of 1 bit", PcxHeader(8, 1, 1, 5, 1), 2, "Can't handle image with more than 4 planes."},
        {"two planes of 8 bits", PcxHeader(8, 1, 8, 2, 8), 2,
         "Can't handle bits per pixel image with planes."},
        {"three planes of 4 bits", PcxHeader(2, 1, 4, 3, 1), 7,
         "Can't handle packed pixels with more than 1 plane."},
        {"run past the end", Cat(PcxHeader(2, 1, 8, 3, 2), {0xC7, 1}), 7, kSpans},
        {"bad palette signature", Cat(Cat(PcxHeader(2, 1, 8, 1, 2), {1, 2}), badSignature), 7,
         "bad color map signature."},
        {"palette cut", Cat(PcxHeader(2, 1, 8, 1, 2), {1, 2, 12, 0, 0}), 11, kEndOfData},
        {"data cut", Cat(PcxHeader(4, 4, 8, 3, 4), {0xC5, 1}), 11, kEndOfData},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeFailure(T::Pcx, c.file), std::make_pair(c.code, c.message)) << c.name;
    }
    DecodeEveryCut(T::Pcx, Cat(Cat(PcxHeader(3, 2, 8, 1, 4), {0xC8, 3}), Bytes(769, 12)));
}

TEST(PGMDecoderTest, ReadsHeadersWithCommentsAndOddMaximums)
{
    struct Case
    {
        const char* name;
        std::string file;
        std::vector<uint32_t> indices;
    };
    const Case cases[] = {
        {"comment between width and height",
         "P2 3\n# a comment\r2\n255\n0 10 20\n30\r\n40 255",
         {0, 10, 20, 30, 40, 255}},
        {"maximum 0 read as 255", "P2\n2 1\n0\n7 9\n", {7, 9}},
        {"samples above the maximum", "P2 2 1 10 5 99", {127, 255}},
        {"bytes", "P5\n2 1\n100\n\x32\x64", {127, 255}},
        {"two-byte samples", std::string("P5 2 1 1000\n\x01\xF4\x03\xE8", 16), {127, 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CImgAnyBitmap bmp;
        Decode(T::Pgm, Text(c.file), bmp, 0);
        ASSERT_EQ(bmp.GetBitsPerPixel(), 8);
        ASSERT_EQ(static_cast<size_t>(bmp.GetWidth() * bmp.GetHeight()), c.indices.size());
        for (size_t i = 0; i < c.indices.size(); ++i) {
            EXPECT_EQ(
                bmp.GetPixel(static_cast<int>(i) % bmp.GetWidth(), static_cast<int>(i) / bmp.GetWidth()),
                c.indices[i]);
        }
        CImgAnyBitmap full;
        Decode(T::Pgm, Text(c.file), full, 32);
        EXPECT_EQ(full.GetPixel(0, 0), 0xFF000000u | c.indices[0] * 0x010101u);
    }
}

TEST(PGMDecoderTest, RefusesBrokenFiles)
{
    const std::string wrongId = "PGM decoder: Is not the correct identifier P5 or P2.";
    const std::string notNumber = "PGM decoder: A number was expected.";
    EXPECT_EQ(DecodeFailure(T::Pgm, Text("P6 1 1 255 abc")), std::make_pair(2, wrongId));
    EXPECT_EQ(DecodeFailure(T::Pgm, Text("P2 x 1 255 0")), std::make_pair(2, notNumber));
    EXPECT_EQ(DecodeFailure(T::Pgm, Text("P2 2 1 255 0 x")), std::make_pair(2, notNumber));
    EXPECT_EQ(DecodeFailure(T::Pgm, Text("P2 2 1 255 0")), std::make_pair(11, kEndOfData));
    EXPECT_EQ(DecodeFailure(T::Pgm, Text("P5 4 4 255\nabc")), std::make_pair(11, kEndOfData));
    EXPECT_EQ(DecodeFailure(T::Pgm, Text("P5 99999999 99999999 255\n")), std::make_pair(11, kEndOfData));
    EXPECT_EQ(DecodeFailure(T::Pgm, Text("P5 0 999999999 255\n")),
              std::make_pair(10, std::string("Can't create bitmap.")));
    DecodeEveryCut(T::Pgm, Text("P2\n# c\n3 2\n9\n1 2 3\n4 5 6\n"));
}

// A TGA header; the caller appends the colour map and the pixels.
Bytes TgaHeader(int type, int width, int height, int bits, int descriptor, int mapLength = 0,
                int mapFirst = 0)
{
    Bytes h(18, 0);
    h[1] = mapLength > 0 ? 1 : 0;
    h[2] = static_cast<uint8_t>(type);
    h[3] = static_cast<uint8_t>(mapFirst);
    h[4] = static_cast<uint8_t>(mapFirst >> 8);
    h[5] = static_cast<uint8_t>(mapLength);
    h[6] = static_cast<uint8_t>(mapLength >> 8);
    h[7] = mapLength > 0 ? 24 : 0;
    h[12] = static_cast<uint8_t>(width);
    h[14] = static_cast<uint8_t>(height);
    h[16] = static_cast<uint8_t>(bits);
    h[17] = static_cast<uint8_t>(descriptor);
    return h;
}

TEST(TGADecoderTest, SixteenBitPixelsCarryAlphaOnlyWhenTheFileSaysSo)
{
    const Bytes pixels = {0x00, 0x80, 0xFF, 0x7F};
    CImgAnyBitmap withAttribute;
    Decode(T::Tga, Cat(TgaHeader(2, 2, 1, 16, 0x21), pixels), withAttribute);
    EXPECT_TRUE(withAttribute.HasAlpha());
    EXPECT_EQ(withAttribute.GetPixel(0, 0), 0x80000000u); // black, alpha 128
    EXPECT_EQ(withAttribute.GetPixel(1, 0), 0x00F8F8F8u); // white as five bits a colour, alpha 0

    // Without attribute bits (as ImageMagick writes them) the top bit means nothing: opaque.
    CImgAnyBitmap without;
    Decode(T::Tga, Cat(TgaHeader(2, 2, 1, 16, 0x20), pixels), without);
    EXPECT_FALSE(without.HasAlpha());
    EXPECT_EQ(without.GetPixel(0, 0), 0xFF000000u);
    EXPECT_EQ(without.GetPixel(1, 0), 0xFFF8F8F8u);
}

TEST(TGADecoderTest, RunsGoOnAcrossLinesAndColourMapsStartWhereTheyClaim)
{
    // 2 x 2 colour-mapped, bottom-up: a run of three that crosses a line end, then one raw pixel. The map
    // holds entries 254 to 257; the two past the table are dropped.
    const Bytes map = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const Bytes file = Cat(Cat(TgaHeader(9, 2, 2, 8, 0, 4, 254), map), {0x82, 255, 0x00, 254});
    CImgAnyBitmap bmp;
    Decode(T::Tga, file, bmp, 0);
    ASSERT_EQ(bmp.GetBitsPerPixel(), 8);
    EXPECT_EQ(bmp.GetPixel(0, 1), 255u);
    EXPECT_EQ(bmp.GetPixel(1, 1), 255u);
    EXPECT_EQ(bmp.GetPixel(0, 0), 255u);
    EXPECT_EQ(bmp.GetPixel(1, 0), 254u);
    EXPECT_EQ(bmp.GetColourEntry(254), 0xFF030201u);
    EXPECT_EQ(bmp.GetColourEntry(255), 0xFF060504u);
    DecodeEveryCut(T::Tga, file);
}

TEST(TGADecoderTest, RefusesBrokenFiles)
{
    const Bytes map = Bytes(6, 9);
    using Case = DecoderFailureCase;
    const Case cases[] = {
        {"no image", TgaHeader(0, 1, 1, 8, 0), 2, "Unknown TGA image type."},
        {"type 4", TgaHeader(4, 1, 1, 8, 0), 2, "Unknown TGA image type."},
        {"12 bits", Cat(TgaHeader(2, 1, 1, 12, 0), {0, 0}), 2, "Unknown TGA image type."},
        {"run past the end", Cat(TgaHeader(10, 2, 2, 24, 0), {0x84, 1, 2, 3}), 7, kSpans},
        {"raw packet past the end", Cat(TgaHeader(11, 2, 1, 8, 0), {0x02, 1, 2, 3}), 7, kSpans},
        {"colour map shorter than claimed", Cat(TgaHeader(1, 1, 1, 8, 0, 3), map), 11, kEndOfData},
        {"pixels cut", Cat(TgaHeader(2, 2, 2, 24, 0), Bytes(11, 0)), 11, kEndOfData},
        {"packets cut", Cat(TgaHeader(10, 2, 2, 24, 0), {0x81, 1, 2}), 11, kEndOfData},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeFailure(T::Tga, c.file), std::make_pair(c.code, c.message)) << c.name;
    }
}

} // namespace
