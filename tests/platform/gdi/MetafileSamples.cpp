#include "tests/platform/gdi/MetafileSamples.h"

#include <uemf.h>
#include <uemf_utf.h>
#include <uwmf.h>

#include <cairo.h>

#include <cmath>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace lumarc::test {

namespace {

constexpr uint32_t kWhiteBrush = U_STOCK_OBJECT | U_WHITE_BRUSH;
constexpr uint32_t kNullPen = U_STOCK_OBJECT | U_NULL_PEN;

void Check(int status, const char* what)
{
    if (status != 0) {
        throw std::runtime_error(std::string("libUEMF failed: ") + what);
    }
}

U_RECTL Rect(int32_t l, int32_t t, int32_t r, int32_t b)
{
    return rectl_set(point32_set(l, t), point32_set(r, b));
}

U_RECT16 Rect16(int16_t l, int16_t t, int16_t r, int16_t b)
{
    return U_RECT16_set(point16_set(l, t), point16_set(r, b));
}

// A 16 x 16 picture of 24 bits: red grows to the right, green downwards, rows bottom-up and padded.
std::vector<char> GradientPixels()
{
    std::vector<char> px;
    for (int row = 15; row >= 0; --row) {
        for (int x = 0; x < 16; ++x) {
            px.push_back(static_cast<char>(64));       // blue
            px.push_back(static_cast<char>(row * 16)); // green
            px.push_back(static_cast<char>(x * 16));   // red
        }
    }
    return px;
}

// The caption and the advance of each of its characters in logical units, measured in the font it is
// drawn in (22-pixel bold DejaVu Sans, ten logical units a pixel), as a writer measures its own text.
const char* const kCaption = "Denarius 1723";

std::vector<int> CaptionAdvances()
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(surface);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 22);
    std::vector<int> advances;
    for (const char* c = kCaption; *c != 0; ++c) {
        const char one[2] = {*c, 0};
        cairo_text_extents_t extents;
        cairo_text_extents(cr, one, &extents);
        advances.push_back(static_cast<int>(std::lround(extents.x_advance * 10)));
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return advances;
}

// The drawing's star: five points in the window's logical units.
const int kStar[][2] = {{2400, 1500}, {2600, 2500}, {2000, 1900}, {2800, 1900}, {2200, 2500}};

struct Emf
{
    EMFTRACK* et = nullptr;
    EMFHANDLES* eht = nullptr;

    void Add(char* record) { Check(emf_append(reinterpret_cast<U_ENHMETARECORD*>(record), et, 1), "append"); }
};

void StartEnhanced(Emf& emf, const std::filesystem::path& path, int frameWidth, int frameHeight,
                   int pixelWidth, int pixelHeight)
{
    Check(emf_start(path.c_str(), 1000000, 250000, &emf.et), "start");
    Check(emf_htable_create(128, 128, &emf.eht), "handles");
    emf.Add(U_EMRHEADER_set(Rect(0, 0, pixelWidth - 1, pixelHeight - 1), Rect(0, 0, frameWidth, frameHeight),
                            nullptr, 0, nullptr, sizel_set(1920, 1440), sizel_set(508, 381), 0));
}

void FinishEnhanced(Emf& emf, const std::vector<uint32_t>& palette)
{
    std::vector<U_LOGPLTNTRY> entries;
    // Metafiles hold Windows' palette entries: red, green, blue, flags. libUEMF names the four bytes of
    // its entry reserved, red, green, blue, so they are filled in Windows' order.
    for (uint32_t c : palette) {
        entries.push_back(logpltntry_set(static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                                         static_cast<uint8_t>(c), 0));
    }
    emf.Add(U_EMREOF_set(static_cast<U_CBPLENTRIES>(entries.size()),
                         entries.empty() ? nullptr : entries.data(), emf.et));
    Check(emf_finish(emf.et, emf.eht), "finish");
    emf_free(&emf.et);
    emf_htable_free(&emf.eht);
}

} // namespace

void AppendEmf(void* track, char* record)
{
    static_cast<Emf*>(track)->Add(record);
}

void WriteEnhanced(const std::filesystem::path& path, int frameWidth, int frameHeight,
                   const std::vector<uint32_t>& palette, const std::function<void(void*)>& draw)
{
    Emf emf;
    // 96 pixels an inch: hundredths of a millimetre to pixels.
    StartEnhanced(emf, path, frameWidth, frameHeight, static_cast<int>(int64_t{frameWidth} * 96 / 2540),
                  static_cast<int>(int64_t{frameHeight} * 96 / 2540));
    draw(&emf);
    FinishEnhanced(emf, palette);
}

void WriteSampleEnhanced(const std::filesystem::path& path, SampleStyle style)
{
    const bool full = style == SampleStyle::Full;
    Emf emf;
    // 400 x 300 pixels are 10583 x 7937 hundredths of a millimetre at 96 pixels an inch.
    StartEnhanced(emf, path, 10583, 7937, 400, 300);
    const auto add = [&emf](char* record) { emf.Add(record); };
    add(U_EMRSETMAPMODE_set(U_MM_ANISOTROPIC));
    add(U_EMRSETWINDOWEXTEX_set(sizel_set(4000, 3000)));
    add(U_EMRSETVIEWPORTEXTEX_set(sizel_set(400, 300)));
    add(U_EMRSETBKMODE_set(U_TRANSPARENT));

    // Background.
    uint32_t background = 0;
    add(createbrushindirect_set(&background, emf.eht,
                                logbrush_set(U_BS_SOLID, colorref3_set(220, 235, 250), 0)));
    add(selectobject_set(background, emf.eht));
    add(selectobject_set(kNullPen, emf.eht));
    add(U_EMRRECTANGLE_set(Rect(0, 0, 4000, 3000)));

    // A coin: a thick brown outline around a golden disc.
    uint32_t pen = 0;
    const int32_t penWidth = full ? 40 : 0;
    add(createpen_set(&pen, emf.eht,
                      logpen_set(U_PS_SOLID, point32_set(penWidth, penWidth), colorref3_set(120, 70, 20))));
    add(selectobject_set(pen, emf.eht));
    uint32_t gold = 0;
    add(createbrushindirect_set(&gold, emf.eht, logbrush_set(U_BS_SOLID, colorref3_set(230, 190, 60), 0)));
    add(selectobject_set(gold, emf.eht));
    add(U_EMRELLIPSE_set(Rect(300, 300, 1700, 1700)));

    // A hatched box.
    uint32_t hatch = 0;
    add(createbrushindirect_set(
        &hatch, emf.eht,
        logbrush_set(full ? U_BS_HATCHED : U_BS_SOLID, colorref3_set(0, 100, 0), U_HS_DIAGCROSS)));
    add(selectobject_set(hatch, emf.eht));
    add(U_EMRRECTANGLE_set(Rect(2000, 300, 3700, 1200)));

    // A red star, rounded box, pie, chord and arc.
    uint32_t red = 0;
    add(createbrushindirect_set(&red, emf.eht, logbrush_set(U_BS_SOLID, colorref3_set(200, 30, 30), 0)));
    add(selectobject_set(red, emf.eht));
    add(U_EMRSETPOLYFILLMODE_set(full ? U_ALTERNATE : U_WINDING));
    U_POINTL star[5];
    for (int i = 0; i < 5; ++i) {
        star[i] = point32_set(kStar[i][0], kStar[i][1]);
    }
    add(U_EMRPOLYGON_set(Rect(2000, 1500, 2800, 2500), 5, star));
    add(U_EMRROUNDRECT_set(Rect(300, 1900, 1300, 2300), sizel_set(200, 200)));
    add(U_EMRPIE_set(Rect(1400, 1900, 1900, 2400), point32_set(1900, 2150), point32_set(1650, 1900)));
    add(selectobject_set(gold, emf.eht));
    add(U_EMRCHORD_set(Rect(3100, 2300, 3900, 2900), point32_set(3900, 2600), point32_set(3100, 2600)));
    add(U_EMRARC_set(Rect(1800, 300, 2000, 1200), point32_set(2000, 750), point32_set(1800, 750)));

    // A dashed blue zigzag of one pixel.
    uint32_t dash = 0;
    add(createpen_set(
        &dash, emf.eht,
        logpen_set(full ? U_PS_DASH : U_PS_SOLID, point32_set(0, 0), colorref3_set(0, 0, 200))));
    add(selectobject_set(dash, emf.eht));
    U_POINTL zigzag[4] = {point32_set(300, 2800), point32_set(800, 2600), point32_set(1300, 2800),
                          point32_set(1800, 2600)};
    add(U_EMRPOLYLINE_set(Rect(300, 2600, 1800, 2800), 4, zigzag));

    // A green disc seen only through a clipping rectangle, then the clip undone.
    add(U_EMRSAVEDC_set());
    add(U_EMRINTERSECTCLIPRECT_set(Rect(3000, 1300, 3900, 1400)));
    uint32_t green = 0;
    add(createbrushindirect_set(&green, emf.eht, logbrush_set(U_BS_SOLID, colorref3_set(40, 160, 40), 0)));
    add(selectobject_set(green, emf.eht));
    add(selectobject_set(kNullPen, emf.eht));
    add(U_EMRELLIPSE_set(Rect(2900, 1000, 4000, 1700)));
    add(U_EMRRESTOREDC_set(-1));

    // A caption.
    uint16_t* face = U_Utf8ToUtf16le("DejaVu Sans", 0, nullptr);
    const U_LOGFONT logFont =
        logfont_set(-220, 0, 0, 0, U_FW_BOLD, 0, 0, 0, U_ANSI_CHARSET, U_OUT_DEFAULT_PRECIS,
                    U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY, U_DEFAULT_PITCH | U_FF_SWISS, face);
    uint32_t font = 0;
    add(extcreatefontindirectw_set(&font, emf.eht, reinterpret_cast<const char*>(&logFont), nullptr));
    free(face);
    add(selectobject_set(font, emf.eht));
    add(U_EMRSETTEXTCOLOR_set(colorref3_set(128, 0, 0)));
    add(U_EMRSETTEXTALIGN_set(U_TA_BASELINE | U_TA_LEFT));
    uint16_t* wide = U_Utf8ToUtf16le(kCaption, 0, nullptr);
    const auto length = static_cast<uint32_t>(wchar16len(wide));
    std::vector<uint32_t> dx;
    for (int advance : CaptionAdvances()) {
        dx.push_back(static_cast<uint32_t>(advance));
    }
    char* text =
        emrtext_set(point32_set(2000, 2850), length, 2, wide, U_ETO_NONE, Rect(0, 0, -1, -1), dx.data());
    add(U_EMREXTTEXTOUTW_set(Rect(0, 0, -1, -1), U_GM_COMPATIBLE, 1.0, 1.0,
                             reinterpret_cast<PU_EMRTEXT>(text)));
    free(text);
    free(wide);

    // A bitmap stretched from 16 x 16 pixels to 80 x 80.
    std::vector<char> px = GradientPixels();
    PU_BITMAPINFO bmi = bitmapinfo_set(bitmapinfoheader_set(16, 16, 1, 24, U_BI_RGB, 0, 0, 0, 0, 0), nullptr);
    add(U_EMRSTRETCHDIBITS_set(Rect(3100, 1500, 3900, 2300), point32_set(3100, 1500), point32_set(800, 800),
                               point32_set(0, 0), point32_set(16, 16), U_DIB_RGB_COLORS, U_SRCCOPY, bmi,
                               static_cast<uint32_t>(px.size()), px.data()));
    free(bmi);
    FinishEnhanced(emf, {});
}

void WriteSampleWindows(const std::filesystem::path& path, bool placeable, SampleStyle style)
{
    const bool full = style == SampleStyle::Full;
    WMFTRACK* wt = nullptr;
    WMFHANDLES* wht = nullptr;
    Check(wmf_start(path.c_str(), 1000000, 250000, &wt), "start");
    Check(wmf_htable_create(128, 128, &wht), "handles");
    const auto add = [&wt](char* record) {
        Check(wmf_append(reinterpret_cast<U_METARECORD*>(record), wt, 1), "append");
    };
    // 4000 x 3000 units at 960 an inch: 400 x 300 pixels.
    U_PAIRF size{4000.0f / 960, 3000.0f / 960};
    Check(wmf_header_append(
              reinterpret_cast<U_METARECORD*>(U_WMRHEADER_set(placeable ? &size : nullptr, 960)), wt, 1),
          "header");
    add(U_WMRSETMAPMODE_set(U_MM_ANISOTROPIC));
    add(U_WMRSETWINDOWORG_set(point16_set(0, 0)));
    add(U_WMRSETWINDOWEXT_set(point16_set(4000, 3000)));
    add(U_WMRSETBKMODE_set(U_TRANSPARENT));

    uint32_t background = 0;
    add(wcreatebrushindirect_set(&background, wht,
                                 U_WLOGBRUSH_set(U_BS_SOLID, colorref3_set(220, 235, 250), 0)));
    add(wselectobject_set(background, wht));
    uint32_t nullPen = 0;
    add(wcreatepenindirect_set(&nullPen, wht, U_PEN_set(U_PS_NULL, 0, colorref3_set(0, 0, 0))));
    add(wselectobject_set(nullPen, wht));
    add(U_WMRRECTANGLE_set(Rect16(0, 0, 4000, 3000)));

    uint32_t pen = 0;
    add(wcreatepenindirect_set(&pen, wht, U_PEN_set(U_PS_SOLID, full ? 40 : 0, colorref3_set(120, 70, 20))));
    add(wselectobject_set(pen, wht));
    uint32_t gold = 0;
    add(wcreatebrushindirect_set(&gold, wht, U_WLOGBRUSH_set(U_BS_SOLID, colorref3_set(230, 190, 60), 0)));
    add(wselectobject_set(gold, wht));
    add(U_WMRELLIPSE_set(Rect16(300, 300, 1700, 1700)));

    uint32_t hatch = 0;
    add(wcreatebrushindirect_set(
        &hatch, wht,
        U_WLOGBRUSH_set(full ? U_BS_HATCHED : U_BS_SOLID, colorref3_set(0, 100, 0), U_HS_DIAGCROSS)));
    add(wselectobject_set(hatch, wht));
    add(U_WMRRECTANGLE_set(Rect16(2000, 300, 3700, 1200)));

    uint32_t red = 0;
    add(wcreatebrushindirect_set(&red, wht, U_WLOGBRUSH_set(U_BS_SOLID, colorref3_set(200, 30, 30), 0)));
    add(wselectobject_set(red, wht));
    add(U_WMRSETPOLYFILLMODE_set(full ? U_ALTERNATE : U_WINDING));
    U_POINT16 star[5];
    for (int i = 0; i < 5; ++i) {
        star[i] = point16_set(static_cast<int16_t>(kStar[i][0]), static_cast<int16_t>(kStar[i][1]));
    }
    add(U_WMRPOLYGON_set(5, star));
    add(U_WMRROUNDRECT_set(200, 200, Rect16(300, 1900, 1300, 2300)));
    add(U_WMRPIE_set(point16_set(1900, 2150), point16_set(1650, 1900), Rect16(1400, 1900, 1900, 2400)));
    add(wselectobject_set(gold, wht));
    add(U_WMRCHORD_set(point16_set(3900, 2600), point16_set(3100, 2600), Rect16(3100, 2300, 3900, 2900)));
    add(U_WMRARC_set(point16_set(2000, 750), point16_set(1800, 750), Rect16(1800, 300, 2000, 1200)));

    uint32_t dash = 0;
    add(wcreatepenindirect_set(&dash, wht,
                               U_PEN_set(full ? U_PS_DASH : U_PS_SOLID, 0, colorref3_set(0, 0, 200))));
    add(wselectobject_set(dash, wht));
    U_POINT16 zigzag[4] = {point16_set(300, 2800), point16_set(800, 2600), point16_set(1300, 2800),
                           point16_set(1800, 2600)};
    add(U_WMRPOLYLINE_set(4, zigzag));

    add(U_WMRSAVEDC_set());
    add(U_WMRINTERSECTCLIPRECT_set(Rect16(3000, 1300, 3900, 1400)));
    uint32_t green = 0;
    add(wcreatebrushindirect_set(&green, wht, U_WLOGBRUSH_set(U_BS_SOLID, colorref3_set(40, 160, 40), 0)));
    add(wselectobject_set(green, wht));
    add(wselectobject_set(nullPen, wht));
    add(U_WMRELLIPSE_set(Rect16(2900, 1000, 4000, 1700)));
    add(U_WMRRESTOREDC_set(-1));

    U_FONT* font = U_FONT_set(-220, 0, 0, 0, U_FW_BOLD, 0, 0, 0, U_ANSI_CHARSET, U_OUT_DEFAULT_PRECIS,
                              U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY, U_DEFAULT_PITCH | U_FF_SWISS,
                              const_cast<char*>("DejaVu Sans"));
    uint32_t fontHandle = 0;
    add(wcreatefontindirect_set(&fontHandle, wht, font));
    free(font);
    add(wselectobject_set(fontHandle, wht));
    add(U_WMRSETTEXTCOLOR_set(colorref3_set(128, 0, 0)));
    add(U_WMRSETTEXTALIGN_set(U_TA_BASELINE | U_TA_LEFT));
    std::vector<int16_t> dx;
    for (int advance : CaptionAdvances()) {
        dx.push_back(static_cast<int16_t>(advance));
    }
    add(U_WMREXTTEXTOUT_set(point16_set(2000, 2850), static_cast<int16_t>(std::strlen(kCaption)), 0, kCaption,
                            dx.data(), Rect16(0, 0, 0, 0)));

    std::vector<char> px = GradientPixels();
    PU_BITMAPINFO bmi = bitmapinfo_set(bitmapinfoheader_set(16, 16, 1, 24, U_BI_RGB, 0, 0, 0, 0, 0), nullptr);
    add(U_WMRSTRETCHDIB_set(point16_set(3100, 1500), point16_set(800, 800), point16_set(0, 0),
                            point16_set(16, 16), U_DIB_RGB_COLORS, U_SRCCOPY, bmi,
                            static_cast<uint32_t>(px.size()), px.data()));
    free(bmi);

    add(U_WMREOF_set());
    Check(wmf_finish(wt), "finish");
    wmf_free(&wt);
    wmf_htable_free(&wht);
}

} // namespace lumarc::test
