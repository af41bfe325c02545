// Recognising a picture's format, handing it to the right decoder, and refusing broken files with an
// exception, never a crash.

#include "codecs/ImgAnyFormatDecoder.h"
#include "codecs/ImgAnyBitmap.h"
#include "codecs/JPEGDecoder.h"
#include "tests/codecs/ImageTools.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

using namespace lumarc::test;
using T = CImgFileType;

std::vector<uint8_t> Head(std::initializer_list<uint8_t> start, size_t size = 64)
{
    std::vector<uint8_t> bytes(std::max(size, start.size()), 0x33);
    std::copy(start.begin(), start.end(), bytes.begin());
    return bytes;
}

std::vector<uint8_t> WithPictOpcode(size_t size)
{
    std::vector<uint8_t> bytes(size, 0x33);
    const uint8_t opcode[] = {0x00, 0x11, 0x02, 0xFF};
    std::memcpy(bytes.data() + 522, opcode, sizeof opcode);
    return bytes;
}

TEST(ImgAnyFormatDecoderTest, RecognisesFormatsByNameAndContents)
{
    auto tga = Head({0, 1, 1, 0, 0, 0, 0, 8}, 600);
    tga[16] = 8;
    std::memcpy(tga.data() + 522, "\x00\x11\x02\xFF", 4); // also a PICT opcode: TGA is tested first
    auto eps = Head({0xC5, 0xD0, 0xD3, 0xC6});
    auto epsWithoutPreview = eps;
    std::memset(epsWithoutPreview.data() + 24, 0, 4);
    struct Case
    {
        const char* name;
        std::vector<uint8_t> bytes;
        T type;
    };
    const Case cases[] = {
        {"a.bmp", Head({'B', 'M'}), T::Bmp},
        {"a", tga, T::Tga},
        {"a.gif", Head({'G', 'I', 'F', '8', '9', 'a'}), T::Gif},
        {"a", Head({'I', 'I', 42, 0}), T::Tiff},
        {"a", Head({'M', 'M', 0, 42}), T::Tiff},
        {"a.pct", WithPictOpcode(541), T::Pict},
        {"a.pct", WithPictOpcode(540), T::Unknown}, // a PICT must be longer than 540 bytes
        {"a", Head({0xFF, 0xD8, 0xFF, 0xE0}), T::Jpeg},
        {"a", Head({0x89, 'P', 'N', 'G'}), T::Png},
        {"a.eps", eps, T::EpsTiff},
        {"a.eps", epsWithoutPreview, T::Unknown},
        {"a", Head({10, 5, 1}), T::Pcx},
        {"a", Head({'P', '5', '\n'}), T::Pgm},
        {"a", Head({'P', '2', '\n'}), T::Pgm},
        {"a", Head({'P', '6', '\n'}), T::Unknown},
        {"picture.wmf", Head({0xFF, 0xD8, 0xFF}), T::Wmf}, // the name wins over the contents
        {"PICTURE.EMF", Head({'B', 'M'}), T::Emf},
        {"/data/coin.wmf", Head({}), T::Wmf},
        // Only the file name's own extension names a metafile.
        {"/data/old.wmf.jpg", Head({0xFF, 0xD8, 0xFF}), T::Jpeg},
        {"/data/metafiles.emf/coin.bmp", Head({'B', 'M'}), T::Bmp},
        {"C:\\clips.wmf\\coin.bmp", Head({'B', 'M'}), T::Bmp},
        {"/data/coin.wmfx", Head({'B', 'M'}), T::Bmp},
        {"a", {}, T::Unknown},
        {"a", {'B'}, T::Unknown},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RecogniseImage(c.name, c.bytes.data(), c.bytes.size(), c.bytes.size()), c.type)
            << c.name << " " << c.bytes.size();
    }
}

std::pair<int, std::string> DecodeFailure(const std::vector<uint8_t>& bytes, const char* name = "")
{
    CImgAnyBitmap bmp;
    try {
        CImgMemSource source(bytes.data(), bytes.size(), name);
        ProgramDecoder().MakeBmp(source, bmp, 32);
    } catch (const CTextException& e) {
        return {e.GetCode(), e.GetMessage()};
    }
    return {0, {}};
}

TEST(ImgAnyFormatDecoderTest, RefusesWhatItDoesNotDecode)
{
    EXPECT_EQ(DecodeFailure(Head({'G', 'I', 'F', '8', '7', 'a'})),
              std::make_pair(6, std::string("GIF images are not supported.")));
    EXPECT_EQ(DecodeFailure(Head({'h', 'e', 'l', 'l', 'o'})),
              std::make_pair(8, std::string("Unknown file type.")));
    EXPECT_EQ(DecodeFailure(Head({'B', 'M'})),
              std::make_pair(2, std::string("Decoding bmp: Illegal bpp value.")));
    EXPECT_EQ(DecodeFailure(Head({0xFF, 0xD8, 0xFF}), "drawing.wmf").first, 6);
}

class ImgAnyFormatFilesTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_folder = MakeTempFolder("decode");
        const auto base = MakeBasePicture(s_folder);
        s_jpeg = ReadBytes(Convert(Quote(base), s_folder / "a.jpg"));
        s_png = ReadBytes(Convert(Quote(base) + " -interlace PNG", s_folder / "a.png"));
        s_tiff = ReadBytes(Convert(Quote(base) + " -compress LZW", s_folder / "a.tif"));
    }

    static std::filesystem::path s_folder;
    static std::vector<uint8_t> s_jpeg;
    static std::vector<uint8_t> s_png;
    static std::vector<uint8_t> s_tiff;
};

std::filesystem::path ImgAnyFormatFilesTest::s_folder;
std::vector<uint8_t> ImgAnyFormatFilesTest::s_jpeg;
std::vector<uint8_t> ImgAnyFormatFilesTest::s_png;
std::vector<uint8_t> ImgAnyFormatFilesTest::s_tiff;

TEST_F(ImgAnyFormatFilesTest, DecodesTheTiffPreviewOfAnEpsFile)
{
    const std::string postscript = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 37 29\n%%EOF\n";
    // The binary EPS header: magic, PostScript offset and length, no metafile, TIFF offset and length.
    uint8_t header[30] = {0xC5, 0xD0, 0xD3, 0xC6};
    const auto put = [&header](size_t at, uint32_t value) { std::memcpy(header + at, &value, 4); };
    put(4, 30);
    put(8, static_cast<uint32_t>(postscript.size()));
    put(20, static_cast<uint32_t>(30 + postscript.size()));
    put(24, static_cast<uint32_t>(s_tiff.size()));
    header[28] = header[29] = 0xFF;
    std::string file(reinterpret_cast<const char*>(header), sizeof header);
    file += postscript;
    file.append(reinterpret_cast<const char*>(s_tiff.data()), s_tiff.size());
    const std::vector<uint8_t> eps(file.begin(), file.end());
    WriteBytes(s_folder / "a.eps", eps);

    CImgAnyBitmap bmp;
    ProgramDecoder().MakeBmpFromFile(s_folder / "a.eps", bmp, 32);
    EXPECT_EQ(BitmapRgba(bmp), ReferenceRgba(s_folder / "a.tif"));
}

// Every cut and a spread of damaged bytes: each gives a picture or a CTextException.
TEST_F(ImgAnyFormatFilesTest, TruncatedAndDamagedFilesNeverCrash)
{
    for (const auto* file : {&s_jpeg, &s_png, &s_tiff}) {
        for (size_t size = 0; size < file->size(); size += 1 + size / 16) {
            std::vector<uint8_t> cut(file->begin(), file->begin() + static_cast<std::ptrdiff_t>(size));
            const auto [code, message] = DecodeFailure(cut);
            EXPECT_TRUE(code == 0 || !message.empty()) << size;
        }
        for (size_t at = 0; at < file->size(); at += 7) {
            std::vector<uint8_t> damaged = *file;
            damaged[at] ^= 0xA5;
            DecodeFailure(damaged);
        }
    }
}

TEST_F(ImgAnyFormatFilesTest, TruncationGivesEachFormatsAnswer)
{
    // JPEG: the missing part is filled in and the picture decodes.
    EXPECT_EQ(DecodeFailure({s_jpeg.begin(), s_jpeg.begin() + static_cast<std::ptrdiff_t>(s_jpeg.size() / 2)})
                  .first,
              0);
    // PNG: the data ends while the image is read.
    EXPECT_EQ(DecodeFailure({s_png.begin(), s_png.begin() + static_cast<std::ptrdiff_t>(s_png.size() / 2)}),
              std::make_pair(11, std::string("End of file reached while decoding.\n")));
    // TIFF: libtiff cannot find the directory.
    EXPECT_EQ(DecodeFailure({s_tiff.begin(), s_tiff.begin() + 6}).first, 1);
    // A PNG with a broken chunk: libpng's own message.
    std::vector<uint8_t> png = s_png;
    png[12] = 'X';
    const auto [code, message] = DecodeFailure(png);
    EXPECT_EQ(code, 2);
    EXPECT_FALSE(message.empty());
}

class Progress : public CImgProgressReceiver
{
public:
    explicit Progress(bool stop) : m_stop(stop) {}
    void OnProgress(double fraction) override
    {
        reports.push_back(fraction);
        if (m_stop) {
            throw CTextException(99, "stopped");
        }
    }
    std::vector<double> reports;

private:
    bool m_stop;
};

TEST_F(ImgAnyFormatFilesTest, ReportsProgressAndLetsTheReceiverStopADecode)
{
    const auto progressive = Convert(Quote(s_folder / "base.png") + " -interlace Plane", s_folder / "p.jpg");
    Progress progress(false);
    CImgAnyBitmap bmp;
    ProgramDecoder().MakeBmpFromFile(progressive, bmp, 32, &progress);
    ASSERT_GE(progress.reports.size(), 2u);
    EXPECT_TRUE(std::is_sorted(progress.reports.begin(), progress.reports.end()));
    EXPECT_EQ(progress.reports.back(), 1.0);

    // An exception from the receiver, raised inside libjpeg's progress callback, reaches the caller.
    Progress stop(true);
    try {
        ProgramDecoder().MakeBmpFromFile(progressive, bmp, 32, &stop);
        FAIL();
    } catch (const CTextException& e) {
        EXPECT_EQ(e.GetCode(), 99);
    }
    EXPECT_EQ(stop.reports.size(), 1u);
}

TEST_F(ImgAnyFormatFilesTest, JpegDecoderTakesStoredBytesDirectly)
{
    CImgAnyBitmap bmp;
    ProgramDecoder().GetJPEGDecoder().MakeBmpFromMemory(s_jpeg.data(), s_jpeg.size(), bmp, 32);
    EXPECT_EQ(bmp.GetSize(), std::make_pair(37, 29));
    EXPECT_THROW(ProgramDecoder().GetJPEGDecoder().MakeBmpFromMemory(s_png.data(), s_png.size(), bmp, 32),
                 CTextException);
}

// Patches the first (or last) strip offset of a little-endian TIFF written with one line a strip, so
// that line points past the end of the file.
void BreakStrip(std::vector<uint8_t>& tiff, bool last)
{
    const auto u16 = [&](size_t at) { return static_cast<uint32_t>(tiff[at] | tiff[at + 1] << 8); };
    const auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
    const size_t ifd = u32(4);
    for (uint32_t i = 0, n = u16(ifd); i < n; ++i) {
        const size_t entry = ifd + 2 + 12 * i;
        if (u16(entry) == 273) {
            ASSERT_EQ(u16(entry + 2), 4u); // LONG offsets
            const uint32_t count = u32(entry + 4);
            const size_t at = count == 1 ? entry + 8 : u32(entry + 8) + 4 * (last ? count - 1 : 0);
            const uint32_t beyond = 0x7FFFFF00;
            std::memcpy(tiff.data() + at, &beyond, 4);
            return;
        }
    }
    FAIL() << "no strip offsets";
}

TEST_F(ImgAnyFormatFilesTest, TiffLinesThatCannotBeReadFailOnlyEarly)
{
    Convert(Quote(s_folder / "base.png") + " -colorspace gray -endian LSB", s_folder / "g.tif");
    ASSERT_TRUE(
        RunCommand("tiffcp -r 1 " + Quote(s_folder / "g.tif") + " " + Quote(s_folder / "strips.tif")));
    const auto strips = ReadBytes(s_folder / "strips.tif");

    auto first = strips;
    BreakStrip(first, false);
    EXPECT_EQ(DecodeFailure(first).first, 1) << "at 32 bits libtiff's RGBA reader refuses the whole picture";
    CImgAnyBitmap bmp;
    CImgMemSource source(first.data(), first.size());
    try {
        ProgramDecoder().MakeBmp(source, bmp, 0);
        FAIL();
    } catch (const CTextException& e) {
        EXPECT_EQ(e.GetCode(), 7);
    }

    auto lastBroken = strips;
    BreakStrip(lastBroken, true);
    CImgMemSource lastSource(lastBroken.data(), lastBroken.size());
    ProgramDecoder().MakeBmp(lastSource, bmp, 0);
    CImgAnyBitmap whole;
    ProgramDecoder().MakeBmpFromMemory(strips.data(), strips.size(), whole, 0);
    for (int y = 0; y < 28; ++y) {
        EXPECT_EQ(std::memcmp(bmp.GetLine(y), whole.GetLine(y), 37), 0) << y;
    }
    EXPECT_EQ(bmp.GetLine(28)[0], 0) << "the last line stays as it was created";
}

} // namespace
