// Record pictures: stored values in and out, lazy decoding, references to other records' pictures,
// the size limit of stored pictures, and the operations the web pages and lists use.

#include "codecs/CatalogueImage.h"
#include "codecs/ImgAnyBitmap.h"
#include "codecs/ImgAnyFormatDecoder.h"
#include "tests/codecs/ImageTools.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace {

using namespace lumarc::test;

std::vector<uint8_t> Bytes(const std::string& text)
{
    return {text.begin(), text.end()};
}

// A stand-in for the records of a catalogue: stored picture values by code.
class FakeCatalogue : public CCatalogueImageOwner
{
public:
    bool LoadReferencedPicture(const std::string& field, double code, CCatalogueImage& picture) override
    {
        ++lookups;
        lastField = field;
        const auto row = rows.find(code);
        if (row == rows.end()) {
            return false;
        }
        picture.SetKey(code);
        picture.LoadFromBytes(row->second, false, field);
        return true;
    }

    std::map<double, std::vector<uint8_t>> rows;
    int lookups = 0;
    std::string lastField;
};

class CatalogueImageTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_folder = MakeTempFolder("pictures");
        s_jpeg = ReadBytes(Convert(Quote(MakeBasePicture(s_folder)), s_folder / "base.jpg"));
    }

    static std::filesystem::path s_folder;
    static std::vector<uint8_t> s_jpeg;
};

std::filesystem::path CatalogueImageTest::s_folder;
std::vector<uint8_t> CatalogueImageTest::s_jpeg;

TEST_F(CatalogueImageTest, KeepsStoredBytesUntilThePixelsAreNeeded)
{
    CCatalogueImage picture;
    EXPECT_FALSE(picture.IsValid());
    EXPECT_FALSE(picture.HasBitmap());
    picture.LoadFromBytes(s_jpeg, false);
    EXPECT_TRUE(picture.IsValid());
    EXPECT_TRUE(picture.HasPendingBytes());
    EXPECT_EQ(picture.GetSize(), std::make_pair(1, 1));

    EXPECT_TRUE(picture.HasBitmap());
    EXPECT_FALSE(picture.HasPendingBytes());
    EXPECT_EQ(picture.GetSize(), std::make_pair(37, 29));
    EXPECT_EQ(picture.GetBitsPerPixel(), 32);

    // A copy of a picture with kept bytes decodes them; the original keeps them.
    CCatalogueImage lazy;
    lazy.LoadFromBytes(s_jpeg, false);
    lazy.SetKey(4);
    const CCatalogueImage copy(lazy);
    EXPECT_EQ(copy.GetSize(), std::make_pair(37, 29));
    EXPECT_TRUE(copy.IsValid());
    EXPECT_EQ(copy.GetKey(), 4.0);
    EXPECT_TRUE(lazy.HasPendingBytes());
    EXPECT_EQ(BitmapRgba(copy), BitmapRgba(picture));
}

TEST_F(CatalogueImageTest, BrokenStoredBytesFailWhenThePixelsAreNeeded)
{
    CCatalogueImage picture;
    const std::vector<uint8_t> broken = {0xFF, 0xD8, 0xFF, 0xE0, 0, 2};
    picture.LoadFromBytes(broken, false);
    EXPECT_TRUE(picture.IsValid());
    EXPECT_FALSE(picture.HasBitmap()) << "a query, not a failure";
    EXPECT_THROW(picture.Resize(10, 10), CTextException);
    EXPECT_TRUE(picture.HasPendingBytes()) << "a failed decode keeps the bytes";

    CCatalogueImage empty;
    empty.LoadFromBytes({}, false);
    EXPECT_FALSE(empty.IsValid());

    // A file the decoder refuses leaves a loaded picture as it was.
    CCatalogueImage loaded;
    loaded.LoadFromBytes(s_jpeg, true);
    WriteBytes(s_folder / "broken.png", {0x89, 'P', 'N', 'G', 1, 2, 3});
    EXPECT_THROW(loaded.LoadFromFile(s_folder / "broken.png"), CTextException);
    EXPECT_EQ(loaded.GetSize(), std::make_pair(37, 29));
}

TEST_F(CatalogueImageTest, StoresJpegReferencesOrNothing)
{
    CCatalogueImage picture;
    EXPECT_TRUE(picture.GetBytesToStore(false).empty()) << "a picture that is not valid stores nothing";

    picture.LoadFromBytes(s_jpeg, false);
    const auto stored = picture.GetBytesToStore(false);
    ASSERT_GT(stored.size(), 3u);
    EXPECT_EQ(stored[0], 0xFF);
    EXPECT_EQ(stored[1], 0xD8);
    CCatalogueImage back;
    back.LoadFromBytes(stored, false);
    EXPECT_TRUE(back.HasBitmap());
    EXPECT_EQ(back.GetSize(), std::make_pair(37, 29));

    // A picture that belongs to a record is stored as a reference to it, never as a second copy.
    picture.SetKey(100200003.0);
    EXPECT_EQ(picture.GetBytesToStore(false), Bytes("Refer to bitmap of:100200003.000000"));

    // As a BMP file image for the catalogue's picture table, whatever the key.
    const auto bmp = picture.GetBytesToStore(true);
    WriteBytes(s_folder / "stored.bmp", bmp);
    EXPECT_EQ(ReferenceRgba(s_folder / "stored.bmp"), BitmapRgba(picture));
}

TEST_F(CatalogueImageTest, DecodesAtOnceWhenAsked)
{
    CCatalogueImage picture;
    picture.LoadFromBytes(s_jpeg, true);
    EXPECT_FALSE(picture.HasPendingBytes());
    EXPECT_EQ(picture.GetSize(), std::make_pair(37, 29));
    EXPECT_FALSE(picture.IsValid()) << "decoding at once leaves the valid flag as it was";
    const std::vector<uint8_t> text = Bytes("no picture");
    EXPECT_THROW(picture.LoadFromBytes(text, true), CTextException);
}

TEST_F(CatalogueImageTest, ParsesReferenceTexts)
{
    struct Case
    {
        std::string text;
        std::optional<double> code;
    };
    const Case cases[] = {
        {"Refer to bitmap of:100200003.000000", 100200003.0},
        {"Refer to bitmap of:200003", 200003.0},
        {"Refer to bitmap of:", 0.0},
        {"Refer to bitmap of:x", 0.0},
        {"Refer to bitmap of:12345678901234567890123456789999", 12345678901234567890123456789.0},
        {"Refer to bitmap", std::nullopt},
        {"refer to bitmap of:5", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CCatalogueImage::ParseReference(Bytes(c.text)), c.code) << c.text;
    }
    EXPECT_EQ(CCatalogueImage::ReferenceText(1.5), "Refer to bitmap of:1.500000");
}

TEST_F(CatalogueImageTest, ReferencesWriteTheirCodeWhateverTheLocale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous != nullptr ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "no German locale";
    }
    EXPECT_EQ(CCatalogueImage::ReferenceText(7.25), "Refer to bitmap of:7.250000");
    EXPECT_EQ(CCatalogueImage::ParseReference(Bytes("Refer to bitmap of:7.250000")), 7.25);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST_F(CatalogueImageTest, FollowsReferencesToOtherRecordsPictures)
{
    FakeCatalogue catalogue;
    catalogue.rows[100200003.0] = s_jpeg;
    CCatalogueImage picture(&catalogue);
    picture.LoadFromBytes(Bytes("Refer to bitmap of:100200003.000000"), false, "PICTURE");
    EXPECT_EQ(catalogue.lastField, "PICTURE");
    EXPECT_EQ(picture.GetKey(), 100200003.0);
    EXPECT_TRUE(picture.IsValid());
    EXPECT_TRUE(picture.HasBitmap());
    EXPECT_EQ(picture.GetSize(), std::make_pair(37, 29));
    // Saved into another record, it stays a reference.
    EXPECT_EQ(picture.GetBytesToStore(false), Bytes("Refer to bitmap of:100200003.000000"));

    // The prefix alone names code 0, which is no record: nothing is loaded.
    CCatalogueImage none(&catalogue);
    none.LoadFromBytes(Bytes("Refer to bitmap of:"), false);
    EXPECT_FALSE(none.IsValid());
    EXPECT_EQ(catalogue.lookups, 1);
    // A missing record leaves the picture unloaded.
    none.LoadFromBytes(Bytes("Refer to bitmap of:5"), false);
    EXPECT_FALSE(none.IsValid());
}

TEST_F(CatalogueImageTest, ReferencesRoundInACircleEnd)
{
    FakeCatalogue catalogue;
    catalogue.rows[1.0] = Bytes("Refer to bitmap of:2");
    catalogue.rows[2.0] = Bytes("Refer to bitmap of:1");
    CCatalogueImage picture(&catalogue);
    picture.LoadFromBytes(Bytes("Refer to bitmap of:1"), false);
    EXPECT_FALSE(picture.IsValid());
    EXPECT_LT(catalogue.lookups, 20);
}

TEST_F(CatalogueImageTest, RefusesToStorePicturesOverTheLimit)
{
    // Noise does not compress: a 2000 x 2000 noise picture is far above 1,000,000 bytes as JPEG.
    const auto file = Convert("-size 2000x2000 xc: +noise Random -quality 98", s_folder / "noise.jpg");
    CCatalogueImage picture;
    picture.LoadFromFile(file);
    EXPECT_TRUE(picture.IsValid());
    try {
        const auto stored = picture.GetBytesToStore(false);
        FAIL() << stored.size() << " bytes of " << picture.GetWidth() << "x" << picture.GetHeight();
    } catch (const CTextException& e) {
        EXPECT_EQ(e.GetCode(), 11);
    }
    EXPECT_THROW(picture.GetBytesToStore(true), CTextException);
}

TEST_F(CatalogueImageTest, SavesFilesByTheirExtension)
{
    CCatalogueImage picture;
    picture.LoadFromBytes(s_jpeg, false);
    struct Case
    {
        const char* name;
        const char* format; // as ImageMagick names it, or null when nothing is written
    };
    const Case cases[] = {
        {"web0.jpg", "JPEG"},   {"x.jif", "JPEG"},        {"scan.tif", "TIFF"},  {"scan.tiff", "TIFF"},
        {"upper.JPG", nullptr}, {"picture.png", nullptr}, {"a.jpg.tif", "JPEG"},
    };
    for (const Case& c : cases) {
        const auto file = s_folder / c.name;
        picture.SaveToFile(file);
        if (c.format == nullptr) {
            EXPECT_FALSE(std::filesystem::exists(file)) << c.name;
            continue;
        }
        const auto written = ReadBytes(file);
        ASSERT_FALSE(written.empty()) << c.name;
        const bool jpeg = written[0] == 0xFF;
        EXPECT_EQ(jpeg, std::string(c.format) == "JPEG") << c.name;
    }
    // TIFF is lossless: the picture reads back exactly, into a bottom-up DIB as into any bitmap.
    CCatalogueImage back;
    back.LoadFromFile(s_folder / "scan.tif");
    EXPECT_TRUE(back.IsValid());
    EXPECT_EQ(BitmapRgba(back), BitmapRgba(picture));
}

TEST_F(CatalogueImageTest, ResizesAndReplacesColours)
{
    CCatalogueImage picture;
    picture.LoadFromBytes(s_jpeg, false);
    picture.Resize(131, 131);
    EXPECT_EQ(picture.GetSize(), std::make_pair(131, 131));

    CCatalogueImage notValid;
    notValid.Resize(131, 131);
    EXPECT_EQ(notValid.GetSize(), std::make_pair(1, 1));

    // Magenta becomes white, with or without alpha one less (decoded pixels carry alpha 255).
    CCatalogueImage icon;
    icon.Create(3, 1, 32, false);
    icon.SetPixel(0, 0, 0x00FF00FFu);
    icon.SetPixel(1, 0, 0xFFFF00FFu);
    icon.SetPixel(2, 0, 0xFFFF00FEu);
    icon.ReplaceColour(0x00FF00FFu, 0x00FFFFFFu);
    EXPECT_EQ(icon.GetPixel(0, 0), 0x00FFFFFFu);
    EXPECT_EQ(icon.GetPixel(1, 0), 0x00FFFFFFu);
    EXPECT_EQ(icon.GetPixel(2, 0), 0xFFFF00FEu);
}

} // namespace
