// The PICT decoder on pictures built here opcode by opcode (version 1 bitmaps, pixel maps of 1 to 16
// bits, drawing before the raster image, broken files) and on a wide picture from ImageMagick. The
// variants the tools write are in CodecConformanceTest.

#include "codecs/ImgAnyBitmap.h"
#include "codecs/ImgAnyFormatDecoder.h"
#include "tests/codecs/DecoderFailure.h"
#include "tests/codecs/ImageTools.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace lumarc::test;
using Bytes = std::vector<uint8_t>;

// Writes a PICT file: the 512-byte header, the picture header and version, then opcodes.
class PictWriter
{
public:
    PictWriter(int version, int width, int height) : m_version(version)
    {
        m_bytes.assign(512, 0);
        Word(0);
        Rect(0, 0, height, width);
        if (version == 2) {
            Word(0x0011);
            Word(0x02FF);
            Word(0x0C00);
            Word(0xFFFE);
            Bytes(22);
        } else {
            Byte(0x11);
            Byte(0x01);
        }
    }

    void Op(unsigned op)
    {
        if (m_version == 1) {
            Byte(op);
            return;
        }
        if (m_bytes.size() % 2 != 0) {
            Byte(0);
        }
        Word(op);
    }
    void Byte(unsigned v) { m_bytes.push_back(static_cast<uint8_t>(v)); }
    void Word(unsigned v)
    {
        Byte(v >> 8);
        Byte(v);
    }
    void Long(uint32_t v)
    {
        Word(v >> 16);
        Word(v & 0xFFFF);
    }
    void Rect(int top, int left, int bottom, int right)
    {
        for (int v : {top, left, bottom, right}) {
            Word(static_cast<unsigned>(v) & 0xFFFF);
        }
    }
    void Bytes(size_t n, uint8_t value = 0) { m_bytes.insert(m_bytes.end(), n, value); }
    void Append(const std::vector<uint8_t>& data) { m_bytes.insert(m_bytes.end(), data.begin(), data.end()); }

    // A pixel map header after the row bytes: bounds, then the fields up to the reserved long.
    void PixMap(int width, int height, int pixelSize, int components = 1)
    {
        Rect(0, 0, height, width);
        Word(0);                       // version
        Word(pixelSize == 32 ? 4 : 0); // pack type
        Long(0);                       // pack size
        Long(0x00480000);              // resolutions
        Long(0x00480000);
        Word(pixelSize <= 8 ? 0 : 16); // pixel type
        Word(pixelSize);
        Word(components);
        Word(pixelSize <= 8 ? pixelSize : 8); // component size
        Long(0);
        Long(0);
        Long(0);
    }

    // A colour table: count - 1 and (value, red, green, blue) per entry; colours as 0xRRGGBB. The
    // values are the entries' positions unless given.
    void ColourTable(const std::vector<uint32_t>& colours, unsigned flags = 0,
                     std::vector<unsigned> values = {})
    {
        Long(0);
        Word(flags);
        Word(static_cast<unsigned>(colours.size() - 1));
        for (size_t i = 0; i < colours.size(); ++i) {
            Word(i < values.size() ? values[i] : static_cast<unsigned>(i));
            for (int shift : {16, 8, 0}) {
                Word(((colours[i] >> shift) & 0xFF) * 0x101);
            }
        }
    }

    // Source and destination rectangles and the transfer mode.
    void Placement(int width, int height)
    {
        Rect(0, 0, height, width);
        Rect(0, 0, height, width);
        Word(0);
    }

    // A row as PackBits: runs of three or more equal bytes repeated, the rest as literals.
    void PackedRow(const std::vector<uint8_t>& row, size_t rowBytes)
    {
        std::vector<uint8_t> packed;
        for (size_t i = 0; i < row.size();) {
            size_t run = 1;
            while (i + run < row.size() && run < 128 && row[i + run] == row[i]) {
                ++run;
            }
            if (run >= 3) {
                packed.push_back(static_cast<uint8_t>(257 - run));
                packed.push_back(row[i]);
                i += run;
                continue;
            }
            size_t n = 0;
            while (
                i + n < row.size() && n < 128 &&
                !(i + n + 2 < row.size() && row[i + n] == row[i + n + 1] && row[i + n] == row[i + n + 2])) {
                ++n;
            }
            packed.push_back(static_cast<uint8_t>(n - 1));
            packed.insert(packed.end(), row.begin() + static_cast<std::ptrdiff_t>(i),
                          row.begin() + static_cast<std::ptrdiff_t>(i + n));
            i += n;
        }
        if (rowBytes < 251) {
            Byte(static_cast<unsigned>(packed.size()));
        } else {
            Word(static_cast<unsigned>(packed.size()));
        }
        Append(packed);
    }

    std::vector<uint8_t> Finish()
    {
        Op(0xFF);
        return m_bytes;
    }

private:
    int m_version;
    std::vector<uint8_t> m_bytes;
};

void Decode(const Bytes& bytes, CImgBitmap& bmp, int bpp)
{
    CImgMemSource source(bytes.data(), bytes.size());
    ProgramDecoder().MakeBmp(source, bmp, bpp);
}

// A version 1 picture with a 10 x 2 bitmap drawn by BitsRect (unpacked rows of 2 bytes) or, when
// wide, by PackBitsRect (rows of 8 bytes or more are packed).
Bytes VersionOneBitmap(bool packed)
{
    const size_t rowBytes = packed ? 8 : 2;
    PictWriter w(1, 10, 2);
    w.Op(0x01); // a clip region of one rectangle
    w.Word(10);
    w.Rect(0, 0, 2, 10);
    w.Op(0xA0); // a short comment
    w.Word(100);
    w.Op(packed ? 0x98 : 0x90);
    w.Word(static_cast<unsigned>(rowBytes));
    w.Rect(0, 0, 2, 10);
    w.Placement(10, 2);
    std::vector<uint8_t> top(rowBytes, 0);
    std::vector<uint8_t> bottom(rowBytes, 0);
    top[0] = 0x80;    // pixel 0 black
    bottom[1] = 0x40; // pixel 9 black
    for (const auto& row : {top, bottom}) {
        if (packed) {
            w.PackedRow(row, rowBytes);
        } else {
            w.Append(row);
        }
    }
    return w.Finish();
}

TEST(PICTDecoderTest, VersionOneBitmapsAreWhiteOnBlackIndices)
{
    for (bool packed : {false, true}) {
        SCOPED_TRACE(packed);
        const Bytes file = VersionOneBitmap(packed);
        CImgAnyBitmap indexed;
        Decode(file, indexed, 0);
        ASSERT_EQ(indexed.GetBitsPerPixel(), 8);
        EXPECT_EQ(indexed.GetPixel(0, 0), 1u);
        EXPECT_EQ(indexed.GetPixel(1, 0), 0u);
        EXPECT_EQ(indexed.GetPixel(9, 1), 1u);
        EXPECT_EQ(indexed.GetColourEntry(0), 0xFFFFFFFFu);
        EXPECT_EQ(indexed.GetColourEntry(1), 0xFF000000u);

        CImgAnyBitmap full;
        Decode(file, full, 32);
        EXPECT_EQ(full.GetPixel(0, 0), 0xFF000000u);
        EXPECT_EQ(full.GetPixel(1, 0), 0xFFFFFFFFu);
    }
}

TEST(PICTDecoderTest, ReadsPixelMapsOfOneToSixteenBits)
{
    const std::vector<uint32_t> colours = {0x102030, 0x405060, 0x708090, 0xA0B0C0};
    struct Case
    {
        int size;
        std::vector<uint8_t> row; // one row of 8 pixels
        std::vector<uint32_t> expected;
    };
    const Case cases[] = {
        {1, {0x5A}, {0, 1, 0, 1, 1, 0, 1, 0}},
        {2, {0x1B, 0xE4}, {0, 1, 2, 3, 3, 2, 1, 0}},
        {4, {0x01, 0x23, 0x32, 0x10}, {0, 1, 2, 3, 3, 2, 1, 0}},
        {8, {3, 3, 3, 3, 0, 1, 2, 0}, {3, 3, 3, 3, 0, 1, 2, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        for (bool packed : {false, true}) {
            // Rows of fewer than 8 bytes are stored as they are; pad to 8 to have them packed.
            std::vector<uint8_t> row = c.row;
            if (packed) {
                row.resize(8, 0);
            }
            PictWriter w(2, 8, 1);
            w.Op(0x98);
            w.Word(0x8000 | static_cast<unsigned>(row.size()));
            w.PixMap(8, 1, c.size);
            w.ColourTable(colours);
            w.Placement(8, 1);
            if (row.size() >= 8) {
                w.PackedRow(row, row.size());
            } else {
                w.Append(row);
            }
            const Bytes file = w.Finish();
            CImgAnyBitmap indexed;
            Decode(file, indexed, 0);
            CImgAnyBitmap full;
            Decode(file, full, 32);
            for (int x = 0; x < 8; ++x) {
                EXPECT_EQ(indexed.GetPixel(x, 0), c.expected[static_cast<size_t>(x)]) << x;
                EXPECT_EQ(full.GetPixel(x, 0), 0xFF000000u | colours[c.expected[static_cast<size_t>(x)]])
                    << x;
            }
        }
    }

    // 16 bits: five bits a colour, packed in units of two bytes.
    PictWriter w(2, 4, 1);
    w.Op(0x9A);
    w.Long(0xFF);
    w.Word(0x8000 | 8);
    w.PixMap(4, 1, 16, 3);
    w.Placement(4, 1);
    w.Byte(6);
    w.Append({0xFF, 0x7C, 0x00, 0x00, 0x00, 0x1F}); // 0x7C00 (red) twice, then a literal 0x001F (blue)
    const Bytes file = w.Finish();
    // The literal unit is three bytes short of a row: the rest stays black.
    CImgAnyBitmap bmp;
    Decode(file, bmp, 0);
    ASSERT_EQ(bmp.GetBitsPerPixel(), 32);
    EXPECT_EQ(bmp.GetPixel(0, 0), 0xFFF80000u);
    EXPECT_EQ(bmp.GetPixel(1, 0), 0xFFF80000u);
    EXPECT_EQ(bmp.GetPixel(2, 0), 0xFF0000F8u);
    EXPECT_EQ(bmp.GetPixel(3, 0), 0xFF000000u);
}

TEST(PICTDecoderTest, SkipsDrawingBeforeTheRasterImage)
{
    PictWriter w(2, 8, 1);
    w.Op(0x1A); // foreground colour
    w.Bytes(6, 0x11);
    w.Op(0x20); // a line
    w.Rect(0, 0, 5, 5);
    w.Op(0x28); // text at a point, odd in length
    w.Long(0x00100010);
    w.Byte(5);
    w.Append({'C', 'o', 'i', 'n', 's'});
    w.Op(0x2B); // text moved by dh and dv
    w.Byte(1);
    w.Byte(2);
    w.Byte(1);
    w.Byte('x');
    w.Op(0x70); // a polygon of two points
    w.Word(18);
    w.Rect(0, 0, 5, 5);
    w.Long(0);
    w.Long(0x00050005);
    w.Op(0x12); // a background pixel pattern of the dithered kind
    w.Word(2);
    w.Bytes(13);
    w.Op(0xA1); // a long comment
    w.Word(100);
    w.Word(3);
    w.Bytes(3);
    w.Op(0x8001); // opcodes without data, and ones with a length
    w.Op(0x0200);
    w.Bytes(4);
    w.Op(0xA5);
    w.Word(1);
    w.Bytes(1);
    w.Op(0x9000);
    w.Long(2);
    w.Bytes(2);
    EXPECT_EQ(DecodeFailure(CImgFileType::Pict, PictWriter(w).Finish()),
              std::make_pair(6, std::string("PICT contained only vector data!\n")));

    w.Op(0x99); // packed bits clipped by a region
    w.Word(0x8000 | 8);
    w.PixMap(8, 1, 8);
    w.ColourTable({0x000000, 0xFF8000});
    w.Placement(8, 1);
    w.Word(10);
    w.Rect(0, 0, 1, 8);
    w.PackedRow({1, 1, 1, 1, 0, 0, 0, 0}, 8);
    CImgAnyBitmap bmp;
    Decode(w.Finish(), bmp, 32);
    EXPECT_EQ(bmp.GetPixel(0, 0), 0xFFFF8000u);
    EXPECT_EQ(bmp.GetPixel(7, 0), 0xFF000000u);
}

TEST(PICTDecoderTest, WideRowsHaveTwoByteCounts)
{
    const auto folder = MakeTempFolder("pict");
    const auto base = MakeBasePicture(folder);
    const auto wide =
        Convert(Quote(base) + " -resize 300x235! -colors 64 -type palette", folder / "wide.pict");
    CImgAnyBitmap bmp;
    ProgramDecoder().MakeBmpFromFile(wide, bmp, 0);
    ASSERT_EQ(bmp.GetSize(), std::make_pair(300, 235));
    EXPECT_EQ(bmp.GetBitsPerPixel(), 8);
    EXPECT_LE(MaxDifference(ShownRgba(bmp), ReferenceRgba(wide)), 1);
}

TEST(PICTDecoderTest, RefusesBrokenPictures)
{
    const auto raster = [](int pixelSize, unsigned flags = 0, unsigned secondValue = 1) {
        PictWriter w(2, 2, 1);
        w.Op(0x90);
        w.Word(0x8000 | 2);
        w.PixMap(2, 1, pixelSize);
        w.ColourTable({0, 0}, flags, {0, secondValue});
        w.Placement(2, 1);
        w.Bytes(2);
        return w.Finish();
    };
    const Bytes badValue = raster(8, 0, 5); // the second entry says 5 in a table of 2
    Bytes noVersion = raster(8);
    noVersion[522] = 0x12;
    Bytes badVersion = raster(8);
    badVersion[524] = 3;
    PictWriter pattern(2, 2, 1);
    pattern.Op(0x13);
    pattern.Word(7);
    PictWriter quickTime(2, 2, 1);
    quickTime.Op(0x8200);
    quickTime.Long(6);
    quickTime.Append({1, 2, 0xFF, 0xD8, 0x00, 9});

    using Case = DecoderFailureCase;
    const Case cases[] = {
        {"version missing", noVersion, 1, "Error decoding pict: Version number missing."},
        {"version 3", badVersion, 1, "Illegal version number."},
        {"pattern of type 7", pattern.Finish(), 2, "Unknown pattern type in pixPat."},
        {"colour value past the table", badValue, 2, "pixel value greater than colour table size."},
        {"3 bits a pixel", raster(3), 2, "Illegal bpp value in unpackbits: 3\n"},
        {"QuickTime without JPEG", quickTime.Finish(), 6,
         "PICT file contains unrecognized quicktime data.\n"},
        {"cut", Bytes(badValue.begin(), badValue.begin() + 560), 11, "End of file reached while decoding.\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeFailure(CImgFileType::Pict, c.file), std::make_pair(c.code, c.message)) << c.name;
    }
    // With flag bit 15 the values are the entries' positions, whatever they say.
    EXPECT_EQ(DecodeFailure(CImgFileType::Pict, raster(8, 0x8000, 5)).first, 0);

    const Bytes good = VersionOneBitmap(true);
    for (size_t size = 0; size < good.size(); ++size) {
        DecodeFailure(CImgFileType::Pict,
                      Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size)));
    }
}

} // namespace
