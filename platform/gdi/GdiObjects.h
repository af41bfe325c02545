#pragma once
// The drawing objects and small value types of the device context that metafiles are played on:
// colours, points, pens, brushes, fonts, palettes and regions, as the records describe them.

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace platform::gdi {

struct PointD
{
    double x = 0;
    double y = 0;
};

// A colour as the records give it: 0x00BBGGRR, or a palette index (0x01 in the top byte).
using ColourRef = uint32_t;

struct Rgb
{
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

inline Rgb RgbOf(ColourRef c)
{
    return {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c >> 16)};
}

// Pen styles and flags.
enum : uint32_t
{
    kPsSolid = 0,
    kPsDash = 1,
    kPsDot = 2,
    kPsDashDot = 3,
    kPsDashDotDot = 4,
    kPsNull = 5,
    kPsInsideFrame = 6,
    kPsUserStyle = 7,
    kPsStyleMask = 0x0F,
    kPsEndcapSquare = 0x100,
    kPsEndcapFlat = 0x200,
    kPsEndcapMask = 0xF00,
    kPsJoinBevel = 0x1000,
    kPsJoinMiter = 0x2000,
    kPsJoinMask = 0xF000,
    kPsGeometric = 0x10000,
};

struct Pen
{
    uint32_t style = kPsSolid;
    double width = 0; // logical units; 0 draws one pixel wide
    bool cosmetic = true;
    Rgb colour{};
    std::vector<double> dashes; // of a user style, in logical units
};

// Brush styles.
enum : uint32_t
{
    kBsSolid = 0,
    kBsNull = 1,
    kBsHatched = 2,
    kBsPattern = 3,
    kBsDibPattern = 5,
    kBsDibPatternPt = 6,
};

struct SurfaceDeleter
{
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using SurfacePtr = std::shared_ptr<cairo_surface_t>;

inline SurfacePtr OwnSurface(cairo_surface_t* s)
{
    return SurfacePtr(s, SurfaceDeleter{});
}

struct Brush
{
    uint32_t style = kBsSolid;
    Rgb colour{255, 255, 255};
    uint32_t hatch = 0;
    SurfacePtr pattern;      // of a pattern brush, top line first
    bool monochrome = false; // a two-colour pattern drawn in the text and background colours
};

struct Font
{
    double height = 0; // logical units; negative: the character height, positive: the cell height
    double width = 0;
    double escapement = 0; // tenths of a degree, counter-clockwise
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    uint8_t charSet = 0;
    std::string face; // UTF-8
};

struct Palette
{
    std::vector<Rgb> entries;
};

struct RectD
{
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// A region as a set of rectangles that do not overlap.
struct Region
{
    std::vector<RectD> rects;
};

using GdiObject = std::variant<std::monostate, Pen, Brush, Font, Palette, Region>;

} // namespace platform::gdi
