// The records of enhanced metafiles. Each record is read through a RecordReader over exactly its own
// bytes; a record too short for its fields, or with counts its size cannot hold, is skipped.

#include "platform/gdi/DibImage.h"
#include "platform/gdi/MetafilePlayers.h"
#include "platform/gdi/RecordReader.h"
#include "platform/gdi/TextEncoding.h"

#include <algorithm>
#include <cmath>

namespace platform::gdi {

namespace {

enum EmfRecord : uint32_t
{
    kPolyBezier = 2,
    kPolygon = 3,
    kPolyline = 4,
    kPolyBezierTo = 5,
    kPolylineTo = 6,
    kPolyPolyline = 7,
    kPolyPolygon = 8,
    kSetWindowExtEx = 9,
    kSetWindowOrgEx = 10,
    kSetViewportExtEx = 11,
    kSetViewportOrgEx = 12,
    kEof = 14,
    kSetPixelV = 15,
    kSetMapMode = 17,
    kSetBkMode = 18,
    kSetPolyFillMode = 19,
    kSetTextAlign = 22,
    kSetTextColor = 24,
    kSetBkColor = 25,
    kOffsetClipRgn = 26,
    kMoveToEx = 27,
    kExcludeClipRect = 29,
    kIntersectClipRect = 30,
    kScaleViewportExtEx = 31,
    kScaleWindowExtEx = 32,
    kSaveDc = 33,
    kRestoreDc = 34,
    kSetWorldTransform = 35,
    kModifyWorldTransform = 36,
    kSelectObject = 37,
    kCreatePen = 38,
    kCreateBrushIndirect = 39,
    kDeleteObject = 40,
    kAngleArc = 41,
    kEllipse = 42,
    kRectangle = 43,
    kRoundRect = 44,
    kArc = 45,
    kChord = 46,
    kPie = 47,
    kSelectPalette = 48,
    kCreatePalette = 49,
    kSetPaletteEntries = 50,
    kLineTo = 54,
    kArcTo = 55,
    kPolyDraw = 56,
    kSetArcDirection = 57,
    kSetMiterLimit = 58,
    kBeginPath = 59,
    kEndPath = 60,
    kCloseFigure = 61,
    kFillPath = 62,
    kStrokeAndFillPath = 63,
    kStrokePath = 64,
    kSelectClipPath = 67,
    kAbortPath = 68,
    kFillRgn = 71,
    kFrameRgn = 72,
    kPaintRgn = 74,
    kExtSelectClipRgn = 75,
    kBitBlt = 76,
    kStretchBlt = 77,
    kSetDiBitsToDevice = 80,
    kStretchDiBits = 81,
    kExtCreateFontIndirectW = 82,
    kExtTextOutA = 83,
    kExtTextOutW = 84,
    kPolyBezier16 = 85,
    kPolygon16 = 86,
    kPolyline16 = 87,
    kPolyBezierTo16 = 88,
    kPolylineTo16 = 89,
    kPolyPolyline16 = 90,
    kPolyPolygon16 = 91,
    kPolyDraw16 = 92,
    kCreateMonoBrush = 93,
    kCreateDibPatternBrushPt = 94,
    kExtCreatePen = 95,
    kAlphaBlend = 114,
};

constexpr uint32_t kStockObject = 0x80000000u;
// More objects than any real picture makes; a table this size costs little.
constexpr uint32_t kMostObjects = 65536;

GdiObject StockObject(uint32_t index)
{
    Brush brush;
    Pen pen;
    Font font;
    font.height = 16;
    font.weight = 700;
    switch (index) {
    case 0:
        return brush; // white
    case 1:
        brush.colour = {192, 192, 192};
        return brush;
    case 2:
        brush.colour = {128, 128, 128};
        return brush;
    case 3:
        brush.colour = {64, 64, 64};
        return brush;
    case 4:
        brush.colour = {0, 0, 0};
        return brush;
    case 5:
        brush.style = kBsNull;
        return brush;
    case 6:
        pen.colour = {255, 255, 255};
        return pen;
    case 7:
        return pen; // black
    case 8:
        pen.style = kPsNull;
        return pen;
    case 10:
    case 11:
    case 16:
        font.face = "monospace";
        font.weight = 400;
        return font;
    case 12:
    case 13:
    case 14:
    case 17:
        font.face = "sans-serif";
        return font;
    case 18: // the device context's own brush and pen: white and black
        return brush;
    case 19:
        return pen;
    default:
        return {};
    }
}

class EmfPlayer
{
public:
    explicit EmfPlayer(Canvas& canvas) : m_canvas(canvas) {}

    // Plays one record; false at the end of the metafile.
    bool Play(uint32_t type, RecordReader& r);

private:
    DcState& S() { return m_canvas.State(); }
    PointD Point(RecordReader& r, size_t at)
    {
        return {static_cast<double>(r.I32(at)), static_cast<double>(r.I32(at + 4))};
    }
    RectD Rect(RecordReader& r, size_t at)
    {
        return {static_cast<double>(r.I32(at)), static_cast<double>(r.I32(at + 4)),
                static_cast<double>(r.I32(at + 8)), static_cast<double>(r.I32(at + 12))};
    }
    // `count` points from `at`, of 32-bit or 16-bit coordinates; empty when they do not fit.
    std::vector<PointD> Points(RecordReader& r, size_t at, size_t count, bool small);
    cairo_matrix_t Transform(RecordReader& r, size_t at);
    Region ReadRegion(RecordReader& r, size_t at, size_t size);
    SurfacePtr Dib(RecordReader& r, size_t offInfo, size_t cbInfo, size_t offBits, size_t cbBits,
                   uint32_t usage, bool keepAlpha = false);
    void Store(uint32_t index, GdiObject object);
    void Select(uint32_t index);
    const GdiObject* Object(uint32_t index);
    void Text(RecordReader& r, bool wide);

    Canvas& m_canvas;
    std::vector<GdiObject> m_objects;
};

std::vector<PointD> EmfPlayer::Points(RecordReader& r, size_t at, size_t count, bool small)
{
    const size_t size = small ? 4 : 8;
    std::vector<PointD> points;
    if (!r.Fits(at, count, size)) {
        r.Fail();
        return points;
    }
    points.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const size_t p = at + i * size;
        points.push_back(small ? PointD{static_cast<double>(r.I16(p)), static_cast<double>(r.I16(p + 2))}
                               : Point(r, p));
    }
    return points;
}

cairo_matrix_t EmfPlayer::Transform(RecordReader& r, size_t at)
{
    cairo_matrix_t m;
    cairo_matrix_init(&m, r.F32(at), r.F32(at + 4), r.F32(at + 8), r.F32(at + 12), r.F32(at + 16),
                      r.F32(at + 20));
    return m;
}

// A region's data: a 32-byte header (its size, type, rectangle count, buffer size and bounds), then the
// rectangles.
Region EmfPlayer::ReadRegion(RecordReader& r, size_t at, size_t size)
{
    Region region;
    const uint32_t count = r.U32(at + 8);
    if (size < 32 || !r.Fits(at + 32, count, 16) || 16 * size_t{count} > size - 32) {
        r.Fail();
        return region;
    }
    for (uint32_t i = 0; i < count; ++i) {
        region.rects.push_back(Rect(r, at + 32 + 16 * size_t{i}));
    }
    return region;
}

SurfacePtr EmfPlayer::Dib(RecordReader& r, size_t offInfo, size_t cbInfo, size_t offBits, size_t cbBits,
                          uint32_t usage, bool keepAlpha)
{
    const auto info = r.Bytes(offInfo, cbInfo);
    const auto bits = r.Bytes(offBits, cbBits);
    if (info.empty()) {
        return nullptr;
    }
    DibOptions options;
    options.keepAlpha = keepAlpha;
    options.paletteIndices = usage == 1 ? &S().palette : nullptr;
    return ReadDib(info, bits, options);
}

void EmfPlayer::Store(uint32_t index, GdiObject object)
{
    if (index == 0 || index >= kMostObjects) {
        return; // index 0 is the metafile itself
    }
    if (index >= m_objects.size()) {
        m_objects.resize(index + 1);
    }
    m_objects[index] = std::move(object);
}

const GdiObject* EmfPlayer::Object(uint32_t index)
{
    return index < m_objects.size() ? &m_objects[index] : nullptr;
}

void EmfPlayer::Select(uint32_t index)
{
    GdiObject stock;
    const GdiObject* object = nullptr;
    if ((index & kStockObject) != 0) {
        stock = StockObject(index & ~kStockObject);
        object = &stock;
    } else {
        object = Object(index);
    }
    if (object != nullptr) {
        SelectDrawingObject(S(), *object);
    }
}

void EmfPlayer::Text(RecordReader& r, bool wide)
{
    // bounds, graphics mode and scales, then the text record: reference point, count, string offset,
    // options, rectangle and advances offset.
    const PointD ref = Point(r, 36);
    const uint32_t count = r.U32(44);
    const uint32_t offString = r.U32(48);
    const uint32_t options = r.U32(52);
    // Some writers leave the rectangle out and say so.
    const bool noRect = (options & 0x100) != 0;
    const RectD rect = noRect ? RectD{} : Rect(r, 56);
    const uint32_t offDx = r.U32(noRect ? 56 : 72);
    if (r.Failed() || count > r.Size()) {
        return;
    }
    const auto text = r.Bytes(offString, wide ? 2 * size_t{count} : count);
    if (r.Failed()) {
        return;
    }
    const std::string utf8 = wide ? Utf16ToUtf8(text) : AnsiToUtf8(text);
    std::vector<double> dx;
    const size_t advances = (options & kEtoPdy) != 0 ? 2 * size_t{count} : count;
    if (offDx != 0 && r.Fits(offDx, advances, 4)) {
        for (size_t i = 0; i < advances; ++i) {
            dx.push_back(r.I32(offDx + 4 * i));
        }
    }
    const bool hasRect = !noRect && (options & (kEtoOpaque | kEtoClipped)) != 0;
    m_canvas.TextOut(ref, utf8, dx, options, hasRect ? &rect : nullptr);
}

bool EmfPlayer::Play(uint32_t type, RecordReader& r)
{
    Canvas& c = m_canvas;
    switch (type) {
    case kEof:
        return false;
    case kPolyBezier:
    case kPolygon:
    case kPolyline:
    case kPolyBezierTo:
    case kPolylineTo:
    case kPolyBezier16:
    case kPolygon16:
    case kPolyline16:
    case kPolyBezierTo16:
    case kPolylineTo16: {
        const bool small = type >= kPolyBezier16;
        const uint32_t kind = small ? type - kPolyBezier16 + kPolyBezier : type;
        const auto points = Points(r, 28, r.U32(24), small);
        if (r.Failed()) {
            break;
        }
        switch (kind) {
        case kPolyBezier:
            c.PolyBezier(points);
            break;
        case kPolygon:
            c.Polygon(points);
            break;
        case kPolyline:
            c.Polyline(points);
            break;
        case kPolyBezierTo:
            c.PolyBezierTo(points);
            break;
        default:
            c.PolylineTo(points);
            break;
        }
        break;
    }
    case kPolyPolyline:
    case kPolyPolygon:
    case kPolyPolyline16:
    case kPolyPolygon16: {
        const bool small = type == kPolyPolyline16 || type == kPolyPolygon16;
        const uint32_t polys = r.U32(24);
        const uint32_t total = r.U32(28);
        if (!r.Fits(32, polys, 4)) {
            break;
        }
        std::vector<uint32_t> counts;
        for (uint32_t i = 0; i < polys; ++i) {
            counts.push_back(r.U32(32 + 4 * size_t{i}));
        }
        const auto points = Points(r, 32 + 4 * size_t{polys}, total, small);
        if (r.Failed()) {
            break;
        }
        if (type == kPolyPolygon || type == kPolyPolygon16) {
            c.PolyPolygon(points, counts);
        } else {
            c.PolyPolyline(points, counts);
        }
        break;
    }
    case kPolyDraw:
    case kPolyDraw16: {
        const bool small = type == kPolyDraw16;
        const uint32_t count = r.U32(24);
        const auto points = Points(r, 28, count, small);
        const auto types = r.Bytes(28 + size_t{count} * (small ? 4 : 8), count);
        if (!r.Failed()) {
            c.PolyDraw(points, types);
        }
        break;
    }
    case kSetWindowExtEx:
        S().windowExt = Point(r, 8);
        c.MappingChanged();
        break;
    case kSetWindowOrgEx:
        S().windowOrg = Point(r, 8);
        c.MappingChanged();
        break;
    case kSetViewportExtEx:
        S().viewportExt = Point(r, 8);
        c.MappingChanged();
        break;
    case kSetViewportOrgEx:
        S().viewportOrg = Point(r, 8);
        c.MappingChanged();
        break;
    case kScaleViewportExtEx:
    case kScaleWindowExtEx: {
        const int32_t xn = r.I32(8), xd = r.I32(12), yn = r.I32(16), yd = r.I32(20);
        if (xd == 0 || yd == 0) {
            break;
        }
        PointD& ext = type == kScaleWindowExtEx ? S().windowExt : S().viewportExt;
        ext = {ext.x * xn / xd, ext.y * yn / yd};
        c.MappingChanged();
        break;
    }
    case kSetPixelV:
        c.SetPixel(Point(r, 8), r.U32(16));
        break;
    case kSetMapMode:
        c.SetMapMode(static_cast<int>(r.U32(8)));
        break;
    case kSetBkMode:
        S().bkMode = static_cast<int>(r.U32(8));
        break;
    case kSetPolyFillMode:
        S().polyFillMode = static_cast<int>(r.U32(8));
        break;
    case kSetTextAlign:
        S().textAlign = r.U32(8);
        break;
    case kSetTextColor:
        S().textColour = r.U32(8);
        break;
    case kSetBkColor:
        S().bkColour = r.U32(8);
        break;
    case kOffsetClipRgn:
        c.OffsetClipRegion(Point(r, 8));
        break;
    case kMoveToEx:
        c.MoveTo(Point(r, 8));
        break;
    case kExcludeClipRect:
        c.ExcludeClipRect(Rect(r, 8));
        break;
    case kIntersectClipRect:
        c.IntersectClipRect(Rect(r, 8));
        break;
    case kSaveDc:
        c.Save();
        break;
    case kRestoreDc:
        c.Restore(r.I32(8));
        break;
    case kSetWorldTransform:
        c.SetWorldTransform(Transform(r, 8));
        break;
    case kModifyWorldTransform:
        c.ModifyWorldTransform(Transform(r, 8), static_cast<int>(r.U32(32)));
        break;
    case kSelectObject:
        Select(r.U32(8));
        break;
    case kCreatePen: {
        Pen pen;
        pen.style = r.U32(12);
        pen.width = std::fabs(static_cast<double>(r.I32(16)));
        pen.cosmetic = pen.width == 0;
        pen.colour = c.Resolve(r.U32(24));
        if (!r.Failed()) {
            Store(r.U32(8), pen);
        }
        break;
    }
    case kExtCreatePen: {
        Pen pen;
        pen.style = r.U32(28);
        pen.width = r.U32(32);
        pen.cosmetic = (pen.style & kPsGeometric) == 0;
        pen.colour = c.Resolve(r.U32(40));
        const uint32_t entries = r.U32(48);
        if ((pen.style & kPsStyleMask) == kPsUserStyle && r.Fits(52, entries, 4)) {
            for (uint32_t i = 0; i < entries; ++i) {
                pen.dashes.push_back(r.U32(52 + 4 * size_t{i}));
            }
        }
        if (r.U32(36) == kBsNull) {
            pen.style = (pen.style & ~kPsStyleMask) | kPsNull;
        }
        if (!r.Failed()) {
            Store(r.U32(8), pen);
        }
        break;
    }
    case kCreateBrushIndirect: {
        Brush brush;
        brush.style = r.U32(12);
        brush.colour = c.Resolve(r.U32(16));
        brush.hatch = r.U32(20);
        if (brush.style != kBsSolid && brush.style != kBsNull && brush.style != kBsHatched) {
            brush.style = kBsSolid;
        }
        if (!r.Failed()) {
            Store(r.U32(8), brush);
        }
        break;
    }
    case kCreateMonoBrush:
    case kCreateDibPatternBrushPt: {
        Brush brush;
        brush.style = kBsDibPatternPt;
        brush.pattern = Dib(r, r.U32(16), r.U32(20), r.U32(24), r.U32(28), r.U32(12));
        brush.monochrome = type == kCreateMonoBrush;
        if (!brush.pattern) {
            brush.style = kBsSolid;
            brush.colour = {0, 0, 0};
        }
        if (!r.Failed()) {
            Store(r.U32(8), brush);
        }
        break;
    }
    case kExtCreateFontIndirectW: {
        Font font;
        font.height = r.I32(12);
        font.width = r.I32(16);
        font.escapement = r.I32(20);
        font.weight = r.I32(28);
        font.italic = r.U8(32) != 0;
        font.underline = r.U8(33) != 0;
        font.strikeOut = r.U8(34) != 0;
        font.charSet = r.U8(35);
        font.face = Utf16ToUtf8(r.Bytes(40, 64));
        if (!r.Failed()) {
            Store(r.U32(8), font);
        }
        break;
    }
    case kCreatePalette:
    case kSetPaletteEntries: {
        const bool create = type == kCreatePalette;
        const uint32_t start = create ? 0 : r.U32(12);
        const uint32_t count = create ? r.U16(14) : r.U32(16);
        const size_t at = create ? 16 : 20;
        if (!r.Fits(at, count, 4) || start > 65535 || count > 65536) {
            break;
        }
        Palette palette;
        if (!create) {
            if (const GdiObject* old = Object(r.U32(8));
                old != nullptr && std::holds_alternative<Palette>(*old)) {
                palette = std::get<Palette>(*old);
            }
        }
        palette.entries.resize(std::max<size_t>(palette.entries.size(), size_t{start} + count));
        for (uint32_t i = 0; i < count; ++i) {
            palette.entries[start + i] = {r.U8(at + 4 * i), r.U8(at + 4 * i + 1), r.U8(at + 4 * i + 2)};
        }
        Store(r.U32(8), palette);
        break;
    }
    case kSelectPalette: {
        const uint32_t index = r.U32(8);
        if ((index & kStockObject) != 0) {
            S().palette = {};
        } else if (const GdiObject* object = Object(index);
                   object != nullptr && std::holds_alternative<Palette>(*object)) {
            S().palette = std::get<Palette>(*object);
        }
        break;
    }
    case kDeleteObject: {
        const uint32_t index = r.U32(8);
        if (index < m_objects.size()) {
            m_objects[index] = {};
        }
        break;
    }
    case kAngleArc:
        c.AngleArc(Point(r, 8), r.U32(16), r.F32(20), r.F32(24));
        break;
    case kEllipse:
        c.Ellipse(Rect(r, 8));
        break;
    case kRectangle:
        c.Rectangle(Rect(r, 8));
        break;
    case kRoundRect:
        c.RoundRect(Rect(r, 8), r.I32(24), r.I32(28));
        break;
    case kArc:
    case kArcTo:
    case kChord:
    case kPie: {
        const auto kind = type == kArc     ? Canvas::ArcKind::Arc
                          : type == kArcTo ? Canvas::ArcKind::ArcTo
                          : type == kChord ? Canvas::ArcKind::Chord
                                           : Canvas::ArcKind::Pie;
        c.Arc(Rect(r, 8), Point(r, 24), Point(r, 32), kind);
        break;
    }
    case kLineTo:
        c.LineTo(Point(r, 8));
        break;
    case kSetArcDirection:
        S().arcDirection = static_cast<int>(r.U32(8));
        break;
    case kSetMiterLimit: {
        // Written as a whole number by some and as a float by others.
        const uint32_t bits = r.U32(8);
        S().miterLimit = bits > 0x10000 ? r.F32(8) : bits;
        break;
    }
    case kBeginPath:
        c.BeginPath();
        break;
    case kEndPath:
        c.EndPath();
        break;
    case kCloseFigure:
        c.CloseFigure();
        break;
    case kFillPath:
        c.FillPath();
        break;
    case kStrokeAndFillPath:
        c.StrokeAndFillPath();
        break;
    case kStrokePath:
        c.StrokePath();
        break;
    case kSelectClipPath:
        c.SelectClipPath(static_cast<int>(r.U32(8)));
        break;
    case kAbortPath:
        c.AbortPath();
        break;
    case kFillRgn:
    case kFrameRgn:
    case kPaintRgn: {
        const size_t size = r.U32(24);
        const size_t at = type == kFillRgn ? 32 : type == kFrameRgn ? 40 : 28;
        const Region region = ReadRegion(r, at, size);
        if (r.Failed()) {
            break;
        }
        Brush brush = S().brush;
        if (type != kPaintRgn) {
            const uint32_t index = r.U32(28);
            GdiObject stock = (index & kStockObject) != 0 ? StockObject(index & ~kStockObject) : GdiObject{};
            const GdiObject* object = (index & kStockObject) != 0 ? &stock : Object(index);
            if (object == nullptr || !std::holds_alternative<Brush>(*object)) {
                break;
            }
            brush = std::get<Brush>(*object);
        }
        if (type == kFrameRgn) {
            c.FrameRegion(region, brush, r.I32(32), r.I32(36), false);
        } else {
            c.FillRegion(region, brush, false);
        }
        break;
    }
    case kExtSelectClipRgn: {
        const size_t size = r.U32(8);
        const int mode = static_cast<int>(r.U32(12));
        if (size == 0) {
            c.SelectClipRegion(nullptr, mode, true);
            break;
        }
        const Region region = ReadRegion(r, 16, size);
        if (!r.Failed()) {
            c.SelectClipRegion(&region, mode, true);
        }
        break;
    }
    case kBitBlt:
    case kStretchBlt:
    case kAlphaBlend: {
        const RectD dest{static_cast<double>(r.I32(24)), static_cast<double>(r.I32(28)),
                         static_cast<double>(r.I32(24)) + r.I32(32),
                         static_cast<double>(r.I32(28)) + r.I32(36)};
        const uint32_t rop = r.U32(40);
        const double xSrc = r.I32(44);
        const double ySrc = r.I32(48);
        const uint32_t cbInfo = r.U32(88);
        const bool stretch = type != kBitBlt;
        const double cxSrc = stretch ? r.I32(100) : dest.right - dest.left;
        const double cySrc = stretch ? r.I32(104) : dest.bottom - dest.top;
        if (r.Failed()) {
            break;
        }
        SurfacePtr source;
        if (cbInfo != 0) {
            const bool alpha = type == kAlphaBlend && ((rop >> 24) & 0xFF) != 0;
            source = Dib(r, r.U32(84), cbInfo, r.U32(92), r.U32(96), r.U32(80), alpha);
            if (!source) {
                break;
            }
        }
        // The source is a bitmap's own device context, its line 0 at the top.
        const RectD from{xSrc, ySrc, xSrc + cxSrc, ySrc + cySrc};
        if (type == kAlphaBlend) {
            c.AlphaBlend(dest, source, from, static_cast<int>((rop >> 16) & 0xFF), ((rop >> 24) & 0xFF) != 0);
        } else {
            c.StretchBlt(dest, source, from, rop);
        }
        break;
    }
    case kStretchDiBits:
    case kSetDiBitsToDevice: {
        const bool stretch = type == kStretchDiBits;
        const double x = r.I32(24), y = r.I32(28);
        const double xSrc = r.I32(32), ySrc = r.I32(36), cxSrc = r.I32(40), cySrc = r.I32(44);
        const uint32_t rop = stretch ? r.U32(68) : kSrcCopy;
        const double cx = stretch ? r.I32(72) : cxSrc;
        const double cy = stretch ? r.I32(76) : cySrc;
        const auto info = r.Bytes(r.U32(48), r.U32(52));
        if (r.Failed()) {
            break;
        }
        SurfacePtr source = Dib(r, r.U32(48), r.U32(52), r.U32(56), r.U32(60), r.U32(64));
        if (!source) {
            break;
        }
        // Lines of a bottom-up bitmap are counted from its bottom.
        const double height = cairo_image_surface_get_height(source.get());
        const double top = DibIsBottomUp(info) ? height - ySrc - cySrc : ySrc;
        c.StretchBlt({x, y, x + cx, y + cy}, source, {xSrc, top, xSrc + cxSrc, top + cySrc}, rop);
        break;
    }
    case kExtTextOutA:
    case kExtTextOutW:
        Text(r, type == kExtTextOutW);
        break;
    default:
        break; // records that draw nothing we show, or that we do not know
    }
    return true;
}

} // namespace

void PlayEnhancedRecords(std::span<const uint8_t> records, Canvas& canvas)
{
    EmfPlayer player(canvas);
    size_t at = 0;
    while (records.size() - at >= 8) {
        RecordReader head(records.subspan(at, 8));
        const uint32_t type = head.U32(0);
        const uint32_t size = head.U32(4);
        if (size < 8 || size > records.size() - at) {
            break; // a broken record ends the picture
        }
        RecordReader record(records.subspan(at, size));
        at += size;
        if (!player.Play(type, record) || !canvas.Ok()) {
            break;
        }
    }
}

} // namespace platform::gdi
