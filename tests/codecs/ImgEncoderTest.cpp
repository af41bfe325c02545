// The JPEG and TIFF encoders, checked by reading what they write with ImageMagick and libtiff.

#include "codecs/ImgAnyBitmap.h"
#include "codecs/ImgAnyFormatDecoder.h"
#include "codecs/JPEGEncoder.h"
#include "codecs/TIFFEncoder.h"
#include "tests/codecs/ImageTools.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <tiffio.h>

namespace {

using namespace lumarc::test;

class ImgEncoderTest : public testing::Test
{
protected:
    void SetUp() override
    {
        folder = MakeTempFolder("encode");
        ProgramDecoder().MakeBmpFromFile(MakeBasePicture(folder), colour, 32);
    }

    std::filesystem::path folder;
    CImgAnyBitmap colour;
};

double MeanDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        sum += std::abs(a[i] - b[i]);
    }
    return sum / static_cast<double>(a.size());
}

std::string Identify(const std::string& format, const std::filesystem::path& file)
{
    const std::string command = "identify -format '" + format + "' " + Quote(file);
    std::string out;
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            out += buffer;
        }
        ::pclose(pipe);
    }
    return out;
}

TEST_F(ImgEncoderTest, WritesJpegAtTheLibrarysDefaultQuality)
{
    const auto file = folder / "out.jpg";
    CJPEGEncoder().MakeFileFromBmp(file, colour);
    EXPECT_EQ(Identify("%wx%h %Q", file), "37x29 75");
    const auto read = ReferenceRgba(file);
    ASSERT_EQ(read.size(), 4u * 37 * 29);
    EXPECT_LT(MeanDifference(read, BitmapRgba(colour)), 10.0);
    CImgAnyBitmap back;
    ProgramDecoder().MakeBmpFromFile(file, back, 32);
    EXPECT_EQ(BitmapRgba(back), read);
}

TEST_F(ImgEncoderTest, WritesJpegOfEightBitPicturesThroughTheirTable)
{
    CImgAnyBitmap grey;
    grey.Create(9, 9, 8, false);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            grey.SetPixel(x, y, 200);
        }
    }
    CImgMemSink sink;
    sink.Open(kImgMemoryEncodeSize);
    const size_t size = CJPEGEncoder().EncodeToMemory(grey, sink);
    CImgAnyBitmap back;
    ProgramDecoder().MakeBmpFromMemory(sink.GetBuffer(), size, back, 32);
    EXPECT_NEAR(static_cast<int>(back.GetPixel(4, 4) & 0xFF), 200, 2);
}

TEST_F(ImgEncoderTest, WritesTiffsThatReadBackExactly)
{
    CImgAnyBitmap grey;
    grey.CreateCopy(colour, 8);
    for (int y = 0; y < 29; ++y) {
        for (int x = 0; x < 37; ++x) {
            grey.SetPixel(x, y, static_cast<uint32_t>(x * 7 + y));
        }
    }
    CImgAnyBitmap mono;
    mono.Create(37, 29, 1, false);
    for (int i = 0; i < 29; ++i) {
        mono.SetPixel(i, i, 1);
    }
    for (const CImgBitmap* bmp :
         {static_cast<const CImgBitmap*>(&colour), static_cast<const CImgBitmap*>(&grey),
          static_cast<const CImgBitmap*>(&mono)}) {
        const auto file = folder / ("out" + std::to_string(bmp->GetBitsPerPixel()) + ".tif");
        CTIFFEncoder().MakeFileFromBmp(file, *bmp);
        EXPECT_EQ(ReferenceRgba(file), BitmapRgba(*bmp)) << bmp->GetBitsPerPixel() << " bits";
        CImgAnyBitmap back;
        ProgramDecoder().MakeBmpFromFile(file, back, 0);
        EXPECT_EQ(back.GetBitsPerPixel(), bmp->GetBitsPerPixel());
        EXPECT_EQ(BitmapRgba(back), BitmapRgba(*bmp)) << bmp->GetBitsPerPixel() << " bits";
    }
}

uint16_t Photometric(const std::filesystem::path& file)
{
    TIFF* tif = TIFFOpen(file.c_str(), "r");
    uint16_t photometric = 99;
    if (tif != nullptr) {
        TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric);
        TIFFClose(tif);
    }
    return photometric;
}

TEST_F(ImgEncoderTest, BilevelTiffsSayWhichColourIsZero)
{
    CImgAnyBitmap mono;
    mono.Create(8, 8, 1, false);
    mono.SetPixel(1, 1, 1);
    CTIFFEncoder().MakeFileFromBmp(folder / "black.tif", mono);
    EXPECT_EQ(Photometric(folder / "black.tif"), PHOTOMETRIC_MINISBLACK);

    const uint8_t whiteBlack[8] = {255, 255, 255, 255, 0, 0, 0, 255};
    mono.SetColourTable(whiteBlack);
    CTIFFEncoder().MakeFileFromBmp(folder / "white.tif", mono);
    EXPECT_EQ(Photometric(folder / "white.tif"), PHOTOMETRIC_MINISWHITE);
    EXPECT_EQ(ReferenceRgba(folder / "white.tif"), BitmapRgba(mono));
}

TEST_F(ImgEncoderTest, MemorySinksThatAreTooSmallFailWithCode11)
{
    CImgAnyBitmap big;
    big.Create(600, 600, 32, false); // 1,080,000 bytes of RGB in a TIFF
    for (CImgPicEncoder* encoder :
         std::initializer_list<CImgPicEncoder*>{new CTIFFEncoder, new CJPEGEncoder}) {
        std::unique_ptr<CImgPicEncoder> owner(encoder);
        CImgMemSink sink;
        sink.Open(dynamic_cast<CTIFFEncoder*>(encoder) != nullptr ? kImgMemoryEncodeSize : 100);
        try {
            encoder->EncodeToMemory(big, sink);
            FAIL();
        } catch (const CTextException& e) {
            EXPECT_EQ(e.GetCode(), 11);
            EXPECT_EQ(e.GetMessage(), "Buffer overflow while encoding.\n");
        }
    }
    // The same picture fits a file, whose buffer grows.
    CTIFFEncoder().MakeFileFromBmp(folder / "big.tif", big);
    EXPECT_EQ(Identify("%wx%h", folder / "big.tif"), "600x600");
}

} // namespace
