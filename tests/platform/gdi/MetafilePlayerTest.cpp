// The metafile player against another renderer (emf2svg's SVG, rasterised by librsvg) on metafiles
// written by libUEMF, and on small pictures of single features whose pixels are known.

#include "platform/gdi/Metafile.h"
#include "tests/platform/gdi/MetafileSamples.h"
#include "tests/support/TestEnvironment.h"

#include <uemf.h>

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>

namespace {

using namespace lumarc::test;
using platform::gdi::Metafile;
using platform::gdi::MetafileKind;

std::vector<uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Picture
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0xAARRGGBB

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

Picture Render(const std::filesystem::path& path, MetafileKind kind, int width, int height)
{
    const auto metafile = Metafile::Load(ReadFile(path), kind);
    EXPECT_TRUE(metafile.has_value()) << path;
    if (!metafile) {
        return {};
    }
    return {width, height, metafile->Render(width, height)};
}

// The other renderer's picture of an enhanced metafile, on white, at the given size.
Picture OtherRenderer(const std::filesystem::path& emf, int width, int height)
{
    const auto svg = emf.string() + ".svg";
    const auto png = emf.string() + ".png";
    const std::string w = std::to_string(width);
    const std::string h = std::to_string(height);
    const std::string command = "emf2svg-conv -i '" + emf.string() + "' -o '" + svg + "' -w " + w + " -h " +
                                h + " && rsvg-convert -w " + w + " -h " + h + " -b white -o '" + png + "' '" +
                                svg + "'";
    if (std::system(command.c_str()) != 0) {
        ADD_FAILURE() << command;
        return {};
    }
    cairo_surface_t* image = cairo_image_surface_create_from_png(png.c_str());
    Picture picture{cairo_image_surface_get_width(image), cairo_image_surface_get_height(image), {}};
    cairo_surface_flush(image);
    for (int y = 0; y < picture.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(image) +
                                                            y * cairo_image_surface_get_stride(image));
        picture.pixels.insert(picture.pixels.end(), row, row + picture.width);
    }
    cairo_surface_destroy(image);
    return picture;
}

// The share of pixels of `a` whose colour differs by more than `threshold` in some channel from every
// pixel of `b` within `reach` pixels: renderers may place an edge half a pixel apart.
double DifferentShare(const Picture& a, const Picture& b, int reach = 0, int threshold = 64)
{
    if (a.width != b.width || a.height != b.height || a.pixels.empty()) {
        return 1;
    }
    const auto close = [threshold](uint32_t p, uint32_t q) {
        for (int shift : {0, 8, 16}) {
            if (std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF)) >
                threshold) {
                return false;
            }
        }
        return true;
    };
    size_t different = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            bool matched = false;
            for (int dy = -reach; dy <= reach && !matched; ++dy) {
                for (int dx = -reach; dx <= reach && !matched; ++dx) {
                    const int bx = x + dx;
                    const int by = y + dy;
                    matched = bx >= 0 && by >= 0 && bx < b.width && by < b.height &&
                              close(a.At(x, y), b.At(bx, by));
                }
            }
            different += matched ? 0 : 1;
        }
    }
    return static_cast<double>(different) / static_cast<double>(a.pixels.size());
}

class MetafilePlayerTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_folder = MakeTempFolder("metafiles");
        WriteSampleEnhanced(s_folder / "shared.emf", SampleStyle::Shared);
        WriteSampleEnhanced(s_folder / "sample.emf", SampleStyle::Full);
        WriteSampleWindows(s_folder / "placeable.wmf", true, SampleStyle::Full);
        WriteSampleWindows(s_folder / "plain.wmf", false, SampleStyle::Full);
    }

    static std::filesystem::path s_folder;
};

std::filesystem::path MetafilePlayerTest::s_folder;

TEST_F(MetafilePlayerTest, DrawsEnhancedMetafilesAsAnotherRendererDoes)
{
    const Picture ours = Render(s_folder / "shared.emf", MetafileKind::Enhanced, 400, 300);
    const Picture theirs = OtherRenderer(s_folder / "shared.emf", 400, 300);
    // What differs is the rounded rectangle's corners, which emf2svg draws twice as round, and one-pixel
    // lines, which it draws blurred over two pixels.
    EXPECT_LT(DifferentShare(ours, theirs, 1), 0.01);
    EXPECT_LT(DifferentShare(theirs, ours, 1), 0.01);
}

TEST_F(MetafilePlayerTest, DrawsWindowsMetafilesAsTheSameEnhancedOnes)
{
    const Picture enhanced = Render(s_folder / "sample.emf", MetafileKind::Enhanced, 400, 300);
    for (const char* name : {"placeable.wmf", "plain.wmf"}) {
        const Picture windows = Render(s_folder / name, MetafileKind::Windows, 400, 300);
        EXPECT_LT(DifferentShare(windows, enhanced), 0.01) << name;
    }
}

TEST_F(MetafilePlayerTest, SampleShowsItsShapesColoursClipAndBitmap)
{
    for (const auto& [name, kind] : {std::pair{"sample.emf", MetafileKind::Enhanced},
                                     std::pair{"placeable.wmf", MetafileKind::Windows}}) {
        SCOPED_TRACE(name);
        const Picture p = Render(s_folder / name, kind, 400, 300);
        ASSERT_EQ(p.pixels.size(), 400u * 300u);
        EXPECT_EQ(p.At(100, 100), 0xE6BE3Cu) << "the coin's gold";
        EXPECT_EQ(p.At(5, 5), 0xDCEBFAu) << "the background";
        EXPECT_EQ(p.At(350, 135), 0x28A028u) << "the green disc inside the clip";
        EXPECT_EQ(p.At(350, 145), 0xDCEBFAu) << "and not outside it";
        EXPECT_EQ(p.At(312, 152), 0x000040u) << "the bitmap's top left: no red, no green";
        EXPECT_EQ(p.At(388, 228), 0xF0F040u) << "its bottom right";
        // The caption: dark red somewhere in its line.
        int red = 0;
        for (int x = 200; x < 400; ++x) {
            for (int y = 268; y < 286; ++y) {
                red += p.At(x, y) == 0x800000u;
            }
        }
        EXPECT_GT(red, 50);
    }
}

// Pictures of one feature each: 96 x 96 pixels (2540 hundredths of a millimetre a side) on white.
class MetafileFeatureTest : public testing::Test
{
protected:
    Picture Draw(const std::function<void(void*)>& records)
    {
        const auto path = MakeTempFolder("feature") / "feature.emf";
        WriteEnhanced(path, 2540, 2540, {}, [&records](void* emf) {
            AppendEmf(emf, U_EMRSELECTOBJECT_set(U_STOCK_OBJECT | U_NULL_PEN));
            AppendEmf(emf, U_EMRSELECTOBJECT_set(U_STOCK_OBJECT | U_BLACK_BRUSH));
            records(emf);
        });
        return Render(path, MetafileKind::Enhanced, 96, 96);
    }
};

U_RECTL R(int32_t l, int32_t t, int32_t r, int32_t b)
{
    return rectl_set(point32_set(l, t), point32_set(r, b));
}

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

TEST_F(MetafileFeatureTest, MapsLogicalUnitsAsTheMappingModeSays)
{
    // Tenths of a millimetre counted upwards: a 10 mm square at the top left.
    Picture p = Draw([](void* emf) {
        AppendEmf(emf, U_EMRSETMAPMODE_set(U_MM_LOMETRIC));
        AppendEmf(emf, U_EMRRECTANGLE_set(R(0, 0, 100, -100)));
    });
    EXPECT_EQ(p.At(18, 18), kBlack);
    EXPECT_EQ(p.At(18, 60), kWhite);
    EXPECT_EQ(p.At(60, 18), kWhite);

    // Isotropic: both axes take the smaller scale (0.48), so the square stays square.
    p = Draw([](void* emf) {
        AppendEmf(emf, U_EMRSETMAPMODE_set(U_MM_ISOTROPIC));
        AppendEmf(emf, U_EMRSETWINDOWEXTEX_set(sizel_set(100, 100)));
        AppendEmf(emf, U_EMRSETVIEWPORTEXTEX_set(sizel_set(96, 48)));
        AppendEmf(emf, U_EMRRECTANGLE_set(R(0, 0, 100, 100)));
    });
    EXPECT_EQ(p.At(40, 40), kBlack);
    EXPECT_EQ(p.At(70, 40), kWhite);

    // A world transform turning a quarter: (x, y) becomes (96 - y, x).
    p = Draw([](void* emf) {
        AppendEmf(emf, U_EMRSETWORLDTRANSFORM_set(xform_set(0, 1, -1, 0, 96, 0)));
        AppendEmf(emf, U_EMRRECTANGLE_set(R(0, 0, 60, 20)));
    });
    EXPECT_EQ(p.At(86, 30), kBlack);
    EXPECT_EQ(p.At(30, 10), kWhite);
}

TEST_F(MetafileFeatureTest, ClipsToRectanglesRegionsAndPaths)
{
    Picture p = Draw([](void* emf) {
        AppendEmf(emf, U_EMREXCLUDECLIPRECT_set(R(0, 0, 48, 96)));
        AppendEmf(emf, U_EMRRECTANGLE_set(R(0, 0, 96, 96)));
    });
    EXPECT_EQ(p.At(20, 50), kWhite);
    EXPECT_EQ(p.At(70, 50), kBlack);

    // A region of two rectangles, then the clip taken away by an empty region.
    p = Draw([](void* emf) {
        U_RECTL rects[2] = {R(0, 0, 20, 20), R(60, 60, 96, 96)};
        PU_RGNDATA region = rgndata_set(rgndataheader_set(2, R(0, 0, 96, 96)), rects);
        AppendEmf(emf, U_EMREXTSELECTCLIPRGN_set(U_RGN_COPY, region));
        free(region);
        AppendEmf(emf, U_EMRRECTANGLE_set(R(0, 0, 96, 96)));
        // libUEMF writes no region-less record; this one is as Windows writes it: no region data.
        auto* reset = static_cast<uint32_t*>(malloc(16));
        reset[0] = U_EMR_EXTSELECTCLIPRGN;
        reset[1] = 16;
        reset[2] = 0;
        reset[3] = U_RGN_COPY;
        AppendEmf(emf, reinterpret_cast<char*>(reset));
        AppendEmf(emf, U_EMRRECTANGLE_set(R(40, 0, 50, 10)));
    });
    EXPECT_EQ(p.At(10, 10), kBlack);
    EXPECT_EQ(p.At(80, 80), kBlack);
    EXPECT_EQ(p.At(30, 50), kWhite);
    EXPECT_EQ(p.At(45, 5), kBlack) << "drawn after the clip was taken away";

    // A triangle as a path, filled; then another path made the clip.
    p = Draw([](void* emf) {
        AppendEmf(emf, U_EMRBEGINPATH_set());
        AppendEmf(emf, U_EMRMOVETOEX_set(point32_set(0, 0)));
        AppendEmf(emf, U_EMRLINETO_set(point32_set(40, 0)));
        AppendEmf(emf, U_EMRLINETO_set(point32_set(0, 40)));
        AppendEmf(emf, U_EMRCLOSEFIGURE_set());
        AppendEmf(emf, U_EMRENDPATH_set());
        AppendEmf(emf, U_EMRFILLPATH_set(R(0, 0, 40, 40)));
        AppendEmf(emf, U_EMRBEGINPATH_set());
        AppendEmf(emf, U_EMRELLIPSE_set(R(50, 50, 96, 96)));
        AppendEmf(emf, U_EMRENDPATH_set());
        AppendEmf(emf, U_EMRSELECTCLIPPATH_set(U_RGN_COPY));
        AppendEmf(emf, U_EMRRECTANGLE_set(R(48, 48, 96, 96)));
    });
    EXPECT_EQ(p.At(10, 10), kBlack);
    EXPECT_EQ(p.At(30, 30), kWhite);
    EXPECT_EQ(p.At(73, 73), kBlack);
    EXPECT_EQ(p.At(52, 52), kWhite) << "outside the ellipse";
}

TEST_F(MetafileFeatureTest, CombinesBitmapsWithRasterOperations)
{
    // A red ground; a white bitmap XORed over its left half (cyan); the bottom half inverted.
    const Picture p = Draw([](void* emf) {
        AppendEmf(emf,
                  U_EMRCREATEBRUSHINDIRECT_set(1, logbrush_set(U_BS_SOLID, colorref3_set(255, 0, 0), 0)));
        AppendEmf(emf, U_EMRSELECTOBJECT_set(1));
        AppendEmf(emf, U_EMRRECTANGLE_set(R(0, 0, 96, 96)));
        char white[4] = {'\xFF', '\xFF', '\xFF', 0};
        PU_BITMAPINFO bmi =
            bitmapinfo_set(bitmapinfoheader_set(1, 1, 1, 24, U_BI_RGB, 0, 0, 0, 0, 0), nullptr);
        AppendEmf(emf,
                  U_EMRSTRETCHBLT_set(R(0, 0, 48, 96), point32_set(0, 0), point32_set(48, 96),
                                      point32_set(0, 0), point32_set(1, 1), xform_set(1, 0, 0, 1, 0, 0),
                                      colorref3_set(0, 0, 0), U_DIB_RGB_COLORS, U_SRCINVERT, bmi, 4, white));
        free(bmi);
        AppendEmf(emf, U_EMRBITBLT_set(R(0, 48, 96, 96), point32_set(0, 48), point32_set(96, 48),
                                       point32_set(0, 0), xform_set(1, 0, 0, 1, 0, 0), colorref3_set(0, 0, 0),
                                       U_DIB_RGB_COLORS, U_DSTINVERT, nullptr, 0, nullptr));
    });
    EXPECT_EQ(p.At(20, 20), 0x00FFFFu);
    EXPECT_EQ(p.At(70, 20), 0xFF0000u);
    EXPECT_EQ(p.At(20, 70), 0xFF0000u);
    EXPECT_EQ(p.At(70, 70), 0x00FFFFu);
}

TEST_F(MetafileFeatureTest, AlignsTextOnItsReferencePoint)
{
    // Centred on x = 48 with its top at y = 30.
    const Picture p = Draw([](void* emf) {
        uint16_t face[] = {'D', 'e', 'j', 'a', 'V', 'u', ' ', 'S', 'a', 'n', 's', 0};
        const U_LOGFONT font =
            logfont_set(-20, 0, 0, 0, U_FW_NORMAL, 0, 0, 0, U_ANSI_CHARSET, U_OUT_DEFAULT_PRECIS,
                        U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY, U_DEFAULT_PITCH, face);
        AppendEmf(emf, U_EMREXTCREATEFONTINDIRECTW_set(1, reinterpret_cast<const char*>(&font), nullptr));
        AppendEmf(emf, U_EMRSELECTOBJECT_set(1));
        AppendEmf(emf, U_EMRSETBKMODE_set(U_TRANSPARENT));
        AppendEmf(emf, U_EMRSETTEXTALIGN_set(U_TA_CENTER | U_TA_TOP));
        uint16_t text[] = {'H', 'H', 'H', 0};
        uint32_t dx[] = {14, 14, 14};
        char* record = emrtext_set(point32_set(48, 30), 3, 2, text, U_ETO_NONE, R(0, 0, -1, -1), dx);
        AppendEmf(emf, U_EMREXTTEXTOUTW_set(R(0, 0, -1, -1), U_GM_COMPATIBLE, 1, 1,
                                            reinterpret_cast<PU_EMRTEXT>(record)));
        free(record);
    });
    int left = 96, right = -1, top = 96;
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 96; ++x) {
            if (p.At(x, y) != kWhite) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
            }
        }
    }
    EXPECT_NEAR((left + right) / 2.0, 48, 3);
    EXPECT_GE(top, 30);
    EXPECT_LE(top, 36);
}

TEST_F(MetafileFeatureTest, BrokenRecordsEndThePictureWithoutHarm)
{
    const auto folder = MakeTempFolder("broken");
    WriteEnhanced(folder / "good.emf", 2540, 2540, {}, [](void* emf) {
        AppendEmf(emf, U_EMRSELECTOBJECT_set(U_STOCK_OBJECT | U_BLACK_BRUSH));
        AppendEmf(emf, U_EMRRECTANGLE_set(R(0, 0, 48, 96)));
    });
    const std::vector<uint8_t> good = ReadFile(folder / "good.emf");
    // Records put in place of the end record: a polyline claiming a billion points, a record of size 0.
    std::vector<uint8_t> broken(good.begin(), good.end() - 20);
    const auto put = [&broken](uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            broken.push_back(static_cast<uint8_t>(v >> (8 * i)));
        }
    };
    for (uint32_t v : {4u, 36u, 0u, 0u, 96u, 96u, 1000000000u, 0u, 0u}) {
        put(v);
    }
    put(43);
    put(0);
    const auto metafile = Metafile::Load(broken, MetafileKind::Enhanced);
    ASSERT_TRUE(metafile.has_value());
    const Picture p{96, 96, metafile->Render(96, 96)};
    EXPECT_EQ(p.At(20, 20), kBlack);
    EXPECT_EQ(p.At(70, 20), kWhite);

    // Every cut of the file plays what is there.
    for (size_t size = 0; size < good.size(); size += 4) {
        const std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
        if (const auto m = Metafile::Load(cut, MetafileKind::Enhanced)) {
            EXPECT_EQ(m->Render(16, 16).size(), 256u);
        }
    }
}

// A Windows metafile put together word by word, for the records libUEMF writes differently from
// Windows (regions) or not at all.
class WordWriter
{
public:
    // The 18-byte header of a metafile in memory with room for `objects` objects.
    explicit WordWriter(uint16_t objects) { m_words = {1, 9, 0x0300, 0, 0, objects, 0, 0, 0}; }

    void Record(uint16_t function, std::vector<uint16_t> params)
    {
        const auto size = static_cast<uint32_t>(3 + params.size());
        m_words.push_back(static_cast<uint16_t>(size));
        m_words.push_back(static_cast<uint16_t>(size >> 16));
        m_words.push_back(function);
        m_words.insert(m_words.end(), params.begin(), params.end());
    }

    std::vector<uint8_t> Bytes()
    {
        Record(0, {});
        std::vector<uint8_t> bytes;
        for (uint16_t w : m_words) {
            bytes.push_back(static_cast<uint8_t>(w));
            bytes.push_back(static_cast<uint8_t>(w >> 8));
        }
        return bytes;
    }

private:
    std::vector<uint16_t> m_words;
};

TEST(WindowsMetafileTest, FillsAndClipsToRegionsAndPaintsPatterns)
{
    WordWriter w(4);
    w.Record(0x020C, {96, 96});          // window extent 96 x 96
    w.Record(0x02FC, {0, 0x00FF, 0, 0}); // brush 0: solid red (0x0000FF is red, then the hatch)
    // Region 1: the two bands 10..30 (x 10..30 and 50..70) and 60..80 (x 20..40).
    w.Record(0x06FF, {0, 6,  0,  0,  0,  2,  4,  10, 10, 70, 80, // header: scans 2, largest 4, bounds
                      4, 10, 30, 10, 30, 50, 70, 4,              // band of two intervals
                      2, 60, 80, 20, 40, 2});                    // band of one
    w.Record(0x0228, {1, 0});                                    // fill region 1 with brush 0
    w.Record(0x012C, {1});                                       // clip to region 1
    w.Record(0x02FC, {0, 0, 0xFF, 0});                           // brush 2: solid blue
    w.Record(0x012D, {2});                                       // select it
    w.Record(0x061D, {0x0021, 0x00F0, 96, 96, 0, 0});            // PATCOPY over everything, clipped
    const auto metafile = Metafile::Load(w.Bytes(), MetafileKind::Windows);
    ASSERT_TRUE(metafile.has_value());
    const std::vector<uint32_t> pixels = metafile->Render(96, 96);
    const Picture p{96, 96, pixels};
    EXPECT_EQ(p.At(20, 20), 0x0000FFu) << "red filled, then blue through the clip";
    EXPECT_EQ(p.At(60, 20), 0x0000FFu);
    EXPECT_EQ(p.At(30, 70), 0x0000FFu);
    EXPECT_EQ(p.At(40, 20), kWhite) << "between the intervals";
    EXPECT_EQ(p.At(60, 70), kWhite) << "outside the second band";
}

} // namespace
