// The BMP decoder on what ImageMagick and netpbm do not write (run-length 4 bits, top-down rows,
// two-colour tables other than black and white, the pictures the catalogue stores) and on broken files.
// The variants the tools write are in CodecConformanceTest.

#include "codecs/CatalogueImage.h"
#include "codecs/ImgAnyBitmap.h"
#include "codecs/ImgAnyFormatDecoder.h"
#include "tests/codecs/DecoderFailure.h"
#include "tests/codecs/ImageTools.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace lumarc::test;
using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, size_t at, uint32_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Put32(Bytes& b, size_t at, uint32_t v)
{
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// A BMP file with a 40-byte info header: the colour table (blue, green, red, 0 each) and the pixel data
// as given.
Bytes MakeBmp(int width, int height, int bitCount, int compression, const Bytes& table, const Bytes& pixels)
{
    Bytes b(54);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(54 + table.size() + pixels.size()));
    Put32(b, 10, static_cast<uint32_t>(54 + table.size()));
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<uint32_t>(width));
    Put32(b, 22, static_cast<uint32_t>(height));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<uint32_t>(bitCount));
    Put32(b, 30, static_cast<uint32_t>(compression));
    Put32(b, 34, static_cast<uint32_t>(pixels.size()));
    Put32(b, 46, static_cast<uint32_t>(table.size() / 4));
    b.insert(b.end(), table.begin(), table.end());
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

// Sixteen colours that differ in every channel.
Bytes SixteenColours()
{
    Bytes table;
    for (int i = 0; i < 16; ++i) {
        table.insert(table.end(), {static_cast<uint8_t>(i * 16), static_cast<uint8_t>(255 - i * 9),
                                   static_cast<uint8_t>(i * 5 + 40), 0});
    }
    return table;
}

class BMPDecoderTest : public testing::Test
{
protected:
    void SetUp() override { m_folder = MakeTempFolder("bmp"); }

    // Decodes the bytes at both requests and compares with ImageMagick's reading of the same file.
    void ExpectLikeImageMagick(const Bytes& file, const char* name)
    {
        const auto path = m_folder / name;
        WriteBytes(path, file);
        const auto expected = ReferenceRgba(path);
        for (int request : {0, 32}) {
            SCOPED_TRACE(request);
            CImgAnyBitmap bmp;
            ProgramDecoder().MakeBmpFromMemory(file.data(), file.size(), bmp, request);
            EXPECT_EQ(ShownRgba(bmp), expected);
        }
    }

    std::filesystem::path m_folder;
};

TEST_F(BMPDecoderTest, ReadsRunLengthEncodedPictures)
{
    // 5 x 3 at 4 bits: runs of alternating nibbles, a literal of an odd byte count (padded), runs that
    // end exactly at the line end followed by the end-of-line escape, and the end-of-bitmap escape.
    const Bytes rle4 = {
        5, 0x12, 0,    0,                   // bottom line: 1 2 1 2 1, end of line
        0, 5,    0x34, 0x56, 0x70, 0, 0, 0, // literal 3 4 5 6 7 (3 bytes and a pad byte), end of line
        3, 0x89, 2,    0xAB, 0,    1,       // top line: 8 9 8, A B, end of bitmap
    };
    ExpectLikeImageMagick(MakeBmp(5, 3, 4, 2, SixteenColours(), rle4), "rle4.bmp");

    // 4 x 2 at 8 bits: a literal of three (padded), and a run that passes the end of the line (its
    // extra pixels are dropped, as ImageMagick encodes the row's padding).
    const Bytes rle8 = {0, 3, 1, 2, 3, 0, 3, 9, 0, 0, 2, 5, 0, 1};
    CImgAnyBitmap bmp;
    const Bytes file = MakeBmp(4, 2, 8, 1, SixteenColours(), rle8);
    ProgramDecoder().MakeBmpFromMemory(file.data(), file.size(), bmp, 0);
    ASSERT_EQ(bmp.GetBitsPerPixel(), 8);
    const uint8_t bottom[] = {1, 2, 3, 9};
    const uint8_t top[] = {5, 5, 0, 0};
    EXPECT_EQ(std::memcmp(bmp.GetLine(1), bottom, 4), 0);
    EXPECT_EQ(std::memcmp(bmp.GetLine(0), top, 4), 0);
}

TEST_F(BMPDecoderTest, TwoColourPicturesKeepTheirColours)
{
    const Bytes table = {0xFF, 0, 0, 0, 0, 0, 0xFF, 0}; // blue, red
    const Bytes pixels = {0x40, 0, 0, 0};               // one line: blue, red, blue
    const Bytes file = MakeBmp(3, 1, 1, 0, table, pixels);

    CImgAnyBitmap indexed;
    ProgramDecoder().MakeBmpFromMemory(file.data(), file.size(), indexed, 0);
    ASSERT_EQ(indexed.GetBitsPerPixel(), 8);
    EXPECT_EQ(indexed.GetPixel(1, 0), 1u);
    EXPECT_EQ(indexed.GetColourEntry(1) & 0xFFFFFF, 0xFF0000u);

    CImgAnyBitmap full;
    ProgramDecoder().MakeBmpFromMemory(file.data(), file.size(), full, 32);
    EXPECT_EQ(full.GetPixel(0, 0), 0xFF0000FFu); // opaque blue
    EXPECT_EQ(full.GetPixel(1, 0), 0xFFFF0000u); // opaque red
    ExpectLikeImageMagick(file, "two.bmp");
}

TEST_F(BMPDecoderTest, ReadsTopDownRowsAndNarrowPaddedRows)
{
    // 3 pixels of 24 bits take 9 bytes a row and 3 bytes of padding.
    const Bytes rows = {1,  2,  3,  4,  5,  6,  7,  8,  9,  0xEE, 0xEE, 0xEE,
                        10, 11, 12, 13, 14, 15, 16, 17, 18, 0,    0,    0};
    const Bytes bottomUp = MakeBmp(3, 2, 24, 0, {}, rows);
    ExpectLikeImageMagick(bottomUp, "narrow.bmp");

    Bytes topDown = bottomUp;
    Put32(topDown, 22, static_cast<uint32_t>(-2));
    CImgAnyBitmap a;
    CImgAnyBitmap b;
    ProgramDecoder().MakeBmpFromMemory(bottomUp.data(), bottomUp.size(), a, 32);
    ProgramDecoder().MakeBmpFromMemory(topDown.data(), topDown.size(), b, 32);
    EXPECT_EQ(std::memcmp(a.GetLine(0), b.GetLine(1), 12), 0);
    EXPECT_EQ(std::memcmp(a.GetLine(1), b.GetLine(0), 12), 0);
    EXPECT_EQ(b.GetPixel(0, 0), 0x00030201u);
}

TEST_F(BMPDecoderTest, ThirtyTwoBitRowsKeepTheirFourthByte)
{
    const Bytes file = MakeBmp(1, 1, 32, 0, {}, {10, 20, 30, 40});
    CImgAnyBitmap bmp;
    ProgramDecoder().MakeBmpFromMemory(file.data(), file.size(), bmp, 0);
    EXPECT_EQ(bmp.GetBitsPerPixel(), 32);
    EXPECT_FALSE(bmp.HasAlpha());
    EXPECT_EQ(bmp.GetPixel(0, 0), 0x281E140Au);
}

TEST_F(BMPDecoderTest, CataloguePicturesStoredAsBmpReadBack)
{
    // The catalogue's picture table holds BMP file images written by the bitmap itself.
    const auto base = MakeBasePicture(m_folder);
    CImgAnyBitmap source;
    ProgramDecoder().MakeBmpFromFile(base, source, 32);
    CCatalogueImage picture;
    picture.LoadFromFile(base);
    const Bytes stored = picture.GetBytesToStore(true);

    CCatalogueImage back;
    back.LoadFromBytes(stored, true);
    EXPECT_EQ(ShownRgba(back), ShownRgba(source));
}

TEST_F(BMPDecoderTest, RefusesBrokenFiles)
{
    const Bytes rle8 = {2, 1, 0, 0, 2, 1, 0, 1};
    const Bytes rleFile = MakeBmp(2, 2, 8, 1, SixteenColours(), rle8);
    Bytes notBmp = rleFile;
    notBmp[1] = 'A';
    Bytes coreHeader = rleFile;
    Put32(coreHeader, 14, 12);
    Bytes shortPalette = rleFile;
    Put32(shortPalette, 10, 54 + 8); // the pixels would start inside the 16 colours the header claims
    Bytes tableCut(rleFile.begin(), rleFile.begin() + 54 + 20);
    const Bytes plain = MakeBmp(3, 2, 24, 0, {}, Bytes(24, 7));
    const Bytes rowsCut(plain.begin(), plain.end() - 1);

    const std::string endOfData = "End of file reached while decoding.\n";
    const std::string spans = "repeat count spans end of image.";
    using Case = DecoderFailureCase;
    const Case cases[] = {
        {"not a bitmap", notBmp, 1, "Bitmap decoder: This isn't a bitmap."},
        {"core header", coreHeader, 2, "Bitmap decoder: BITMAPINFOHEADER has wrong size."},
        {"16 bits", MakeBmp(2, 1, 16, 0, {}, Bytes(4, 0)), 2, "Decoding bmp: Illegal bpp value."},
        {"delta escape", MakeBmp(2, 2, 8, 1, SixteenColours(), {0, 2, 1, 1, 0, 1}), 6,
         "Encountered delta escape."},
        {"run past the last line", MakeBmp(2, 1, 8, 1, SixteenColours(), {4, 1, 0, 0, 1, 1, 0, 1}), 7, spans},
        {"literal past the last line", MakeBmp(2, 1, 4, 2, SixteenColours(), {0, 0, 0, 3, 0x12, 0x30, 0, 1}),
         7, spans},
        {"palette shorter than claimed", shortPalette, 11, endOfData},
        {"palette cut by the end", tableCut, 11, endOfData},
        {"rows cut by the end", rowsCut, 11, endOfData},
        {"run-length data cut", Bytes(rleFile.begin(), rleFile.end() - 2), 11, endOfData},
        // No pixels wide but two billion lines high: its table of lines alone would take 16 GB.
        {"no width, endless height", MakeBmp(0, 0x7FFFFFFF, 24, 0, {}, {}), 10, "Can't create bitmap."},
    };
    for (const Case& c : cases) {
        for (int request : {0, 32}) {
            EXPECT_EQ(DecodeFailure(CImgFileType::Bmp, c.file, request), std::make_pair(c.code, c.message))
                << c.name;
        }
    }
    EXPECT_EQ(DecodeFailure(CImgFileType::Bmp, rleFile).first, 0);

    // Every cut of a good file gives a picture or an exception.
    const Bytes whole = MakeBmp(5, 3, 4, 2, SixteenColours(), {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1});
    for (size_t size = 0; size < whole.size(); ++size) {
        DecodeFailure(CImgFileType::Bmp,
                      Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)));
    }
}

} // namespace
