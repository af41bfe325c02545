#pragma once
// A device context of our own over a cairo image surface, with the state and drawing operations that
// metafile records call for: mapping modes, window and viewport, world transform, pens, brushes,
// fonts, the current position, clipping, paths, text and bitmaps, saved and restored as a whole.
// Coordinates are logical units; the canvas maps them through the mapping mode to the metafile's
// device units, and those to the pixels of the surface.

#include "platform/gdi/GdiObjects.h"

#include <cairo.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace platform::gdi {

enum MapMode : int
{
    kMmText = 1,
    kMmLoMetric = 2,
    kMmHiMetric = 3,
    kMmLoEnglish = 4,
    kMmHiEnglish = 5,
    kMmTwips = 6,
    kMmIsotropic = 7,
    kMmAnisotropic = 8,
};

// Region combination modes of clipping.
enum RegionMode : int
{
    kRgnAnd = 1,
    kRgnOr = 2,
    kRgnXor = 3,
    kRgnDiff = 4,
    kRgnCopy = 5,
};

// Options of text output.
enum : uint32_t
{
    kEtoOpaque = 0x02,
    kEtoClipped = 0x04,
    kEtoGlyphIndex = 0x10,
    kEtoPdy = 0x2000,
};

// Text alignment flags.
enum : uint32_t
{
    kTaUpdateCp = 0x01,
    kTaRight = 0x02,
    kTaCenter = 0x06,
    kTaBottom = 0x08,
    kTaBaseline = 0x18,
};

// Raster operations that have fast paths.
enum : uint32_t
{
    kSrcCopy = 0x00CC0020,
    kPatCopy = 0x00F00021,
    kBlackness = 0x00000042,
    kWhiteness = 0x00FF0062,
};

// A figure-by-figure outline in the pixels of the surface.
class Path
{
public:
    void MoveTo(PointD p);
    void LineTo(PointD p);
    void CurveTo(PointD a, PointD b, PointD c);
    void Close();
    bool Empty() const { return m_ops.empty(); }
    // Whether a figure is open (a move started it and it was not closed).
    bool HasCurrentPoint() const { return m_hasCurrent; }
    void Append(const Path& other);
    // Adds the path to the context's current path (the context's matrix must be the identity).
    void AppendTo(cairo_t* cr) const;
    void Clear();

private:
    struct Op
    {
        enum Kind : uint8_t
        {
            Move,
            Line,
            Curve,
            ClosePath,
        } kind;
        PointD p[3];
    };
    std::vector<Op> m_ops;
    bool m_hasCurrent = false;
};

struct ClipStep
{
    Path path;
    bool evenOdd = false;
};

struct DcState
{
    int mapMode = kMmText;
    PointD windowOrg{0, 0};
    PointD windowExt{1, 1};
    PointD viewportOrg{0, 0};
    PointD viewportExt{1, 1};
    cairo_matrix_t world{1, 0, 0, 1, 0, 0};
    Pen pen;
    Brush brush;
    Font font;
    Palette palette;
    ColourRef textColour = 0x000000;
    ColourRef bkColour = 0xFFFFFF;
    int bkMode = 2;       // opaque
    int polyFillMode = 1; // alternate
    uint32_t textAlign = 0;
    int arcDirection = 1; // counter-clockwise
    double miterLimit = 10;
    PointD current{0, 0};
    bool clipped = false;
    std::vector<ClipStep> clip; // all intersected; in surface pixels
};

class Canvas
{
public:
    // Draws on `surface` (ARGB32). `deviceToSurface` maps the metafile's device units to surface pixels;
    // `deviceUnitsPerMm` gives the device's resolution for the mapping modes of fixed size.
    Canvas(cairo_surface_t* surface, const cairo_matrix_t& deviceToSurface, PointD deviceUnitsPerMm);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    DcState& State() { return m_state; }
    const DcState& State() const { return m_state; }
    // Tells the canvas that the mapping fields of the state changed.
    void MappingChanged() { m_matrixValid = false; }

    void SetMapMode(int mode);
    void SetWorldTransform(const cairo_matrix_t& m);
    // Mode 1: identity, 2: multiply before the current, 3: multiply after, 4: set.
    void ModifyWorldTransform(const cairo_matrix_t& m, int mode);

    void Save();
    // A negative number counts back from the last save; a positive one names a save by its depth.
    void Restore(int which);

    Rgb Resolve(ColourRef c) const;

    void MoveTo(PointD p);
    void LineTo(PointD p);
    void Polyline(std::span<const PointD> points);
    void PolylineTo(std::span<const PointD> points);
    void Polygon(std::span<const PointD> points);
    void PolyPolygon(std::span<const PointD> points, std::span<const uint32_t> counts);
    void PolyPolyline(std::span<const PointD> points, std::span<const uint32_t> counts);
    void PolyBezier(std::span<const PointD> points);
    void PolyBezierTo(std::span<const PointD> points);
    // Types per point: 6 move, 2 line, 4 Bézier, with 1 added to close the figure.
    void PolyDraw(std::span<const PointD> points, std::span<const uint8_t> types);
    void Rectangle(const RectD& box);
    void RoundRect(const RectD& box, double cornerWidth, double cornerHeight);
    void Ellipse(const RectD& box);
    enum class ArcKind
    {
        Arc,
        ArcTo,
        Chord,
        Pie,
    };
    void Arc(const RectD& box, PointD start, PointD end, ArcKind kind);
    // Angles in degrees, counter-clockwise from the x axis.
    void AngleArc(PointD centre, double radius, double startDegrees, double sweepDegrees);
    void SetPixel(PointD p, ColourRef colour);

    // Regions are in logical units unless `deviceUnits`.
    void FillRegion(const Region& region, const Brush& brush, bool deviceUnits);
    void FrameRegion(const Region& region, const Brush& brush, double width, double height, bool deviceUnits);

    void BeginPath();
    void EndPath();
    void AbortPath();
    void CloseFigure();
    void FillPath();
    void StrokePath();
    void StrokeAndFillPath();
    void SelectClipPath(int mode);

    void IntersectClipRect(const RectD& r);
    void ExcludeClipRect(const RectD& r);
    // A null region with kRgnCopy removes the clipping.
    void SelectClipRegion(const Region* region, int mode, bool deviceUnits);
    void OffsetClipRegion(PointD offset);

    // Text at `ref` (or the current position), with optional advances per character in logical units.
    void TextOut(PointD ref, const std::string& utf8, std::span<const double> dx, uint32_t options,
                 const RectD* rect);

    // A raster operation over the destination rectangle (x, y, width, height in logical units) with the
    // source's rectangle (in its pixels, top line 0) when the operation uses a source.
    void StretchBlt(const RectD& dest, const SurfacePtr& source, const RectD& sourceRect, uint32_t rop);
    // The source over the destination, its pixels weighed by their alpha (premultiplied) when
    // `sourceAlpha`, and all by `constantAlpha` (0 to 255).
    void AlphaBlend(const RectD& dest, const SurfacePtr& source, const RectD& sourceRect, int constantAlpha,
                    bool sourceAlpha);

    // Whether the cairo context is still usable.
    bool Ok() const;

private:
    const cairo_matrix_t& Matrix();
    PointD Out(PointD logical);
    // Length in surface pixels of a logical distance along x (or y).
    double OutLength(double logical, bool alongY = false);
    bool Flipped();

    void ApplyClip();
    void AddClip(Path path, bool evenOdd);
    // Unites the clip with a path (an exclusive union is taken as a union).
    void UniteClip(const Path& path);
    Path RegionPath(const Region& region, bool deviceUnits);
    Path RectPath(const RectD& r);
    void AddEllipseArc(Path& path, const RectD& box, double startAngle, double sweep, bool moveFirst);
    double ArcAngle(const RectD& box, PointD p);

    // Fills and/or outlines the path with the current brush and pen, or adds it to the open path.
    void Draw(const Path& path, bool fill, bool stroke);
    void FillWith(const Path& path, const Brush& brush);
    void StrokeWithPen(const Path& path);
    // A new pattern that paints with the brush (or the background colour); the caller destroys it.
    cairo_pattern_t* BrushPattern(const Brush& brush, bool background) const;
    void SetBrushSource(const Brush& brush, bool background);
    // Sets the clip of another context, in the same pixels offset by (-x, -y), as this canvas clips.
    void ClipLike(cairo_t* cr, double x, double y) const;
    void RasterOp(const RectD& dest, const SurfacePtr& source, const RectD& sourceRect, uint32_t rop);
    // The transform from source pixels to surface pixels; false when it cannot be had.
    bool SourceMatrix(const RectD& dest, const RectD& sourceRect, cairo_matrix_t& out);

    cairo_surface_t* m_surface;
    cairo_t* m_cr;
    cairo_matrix_t m_deviceToSurface;
    PointD m_unitsPerMm;
    DcState m_state;
    std::vector<DcState> m_saved;
    cairo_matrix_t m_matrix{};
    bool m_matrixValid = false;
    bool m_clipApplied = false;
    bool m_inPath = false;
    Path m_path;       // being built between BeginPath and EndPath
    Path m_closedPath; // ended, waiting to be filled, stroked or made the clip
};

} // namespace platform::gdi
