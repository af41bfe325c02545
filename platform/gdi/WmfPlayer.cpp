// The records of Windows metafiles: a size in 16-bit words, a function number and its parameters, most
// of them 16-bit and in the reverse of the order the drawing call takes them. Each record is read
// through a RecordReader over exactly its own bytes; one too short for its fields is skipped.

#include "platform/gdi/DibImage.h"
#include "platform/gdi/MetafilePlayers.h"
#include "platform/gdi/RecordReader.h"
#include "platform/gdi/TextEncoding.h"

#include <algorithm>
#include <cmath>

namespace platform::gdi {

namespace {

enum WmfRecord : uint16_t
{
    kEof = 0x0000,
    kSaveDc = 0x001E,
    kCreatePalette = 0x00F7,
    kSetBkMode = 0x0102,
    kSetMapMode = 0x0103,
    kSetPolyFillMode = 0x0106,
    kRestoreDc = 0x0127,
    kSelectClipRegion = 0x012C,
    kSelectObject = 0x012D,
    kSetTextAlign = 0x012E,
    kPaintRegion = 0x012B,
    kDibCreatePatternBrush = 0x0142,
    kDeleteObject = 0x01F0,
    kSetBkColor = 0x0201,
    kSetTextColor = 0x0209,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kSetViewportOrg = 0x020D,
    kSetViewportExt = 0x020E,
    kOffsetWindowOrg = 0x020F,
    kOffsetViewportOrg = 0x0211,
    kLineTo = 0x0213,
    kMoveTo = 0x0214,
    kOffsetClipRgn = 0x0220,
    kFillRegion = 0x0228,
    kSelectPalette = 0x0234,
    kCreatePenIndirect = 0x02FA,
    kCreateFontIndirect = 0x02FB,
    kCreateBrushIndirect = 0x02FC,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kScaleWindowExt = 0x0410,
    kScaleViewportExt = 0x0412,
    kExcludeClipRect = 0x0415,
    kIntersectClipRect = 0x0416,
    kEllipse = 0x0418,
    kRectangle = 0x041B,
    kSetPixel = 0x041F,
    kFrameRegion = 0x0429,
    kTextOut = 0x0521,
    kPolyPolygon = 0x0538,
    kRoundRect = 0x061C,
    kPatBlt = 0x061D,
    kCreateRegion = 0x06FF,
    kArc = 0x0817,
    kPie = 0x081A,
    kChord = 0x0830,
    kDibBitBlt = 0x0940,
    kExtTextOut = 0x0A32,
    kDibStretchBlt = 0x0B41,
    kSetDibToDev = 0x0D33,
    kStretchDib = 0x0F43,
};

constexpr size_t kParams = 6; // the record's size and function come first

class WmfPlayer
{
public:
    WmfPlayer(Canvas& canvas, unsigned objectCount) : m_canvas(canvas), m_objects(objectCount) {}

    // Plays one record; false at the end of the metafile.
    bool Play(uint16_t function, RecordReader& r);

private:
    DcState& S() { return m_canvas.State(); }
    double W(RecordReader& r, size_t i) { return r.I16(kParams + 2 * i); }
    // A rectangle given bottom, right, top, left from parameter i on.
    RectD ReversedRect(RecordReader& r, size_t i) { return {W(r, i + 3), W(r, i + 2), W(r, i + 1), W(r, i)}; }
    std::vector<PointD> Points(RecordReader& r, size_t at, size_t count);
    void Store(GdiObject object);
    const GdiObject* Object(size_t index);
    void Text(RecordReader& r, bool extended);
    SurfacePtr Dib(RecordReader& r, size_t at, uint32_t usage);
    Region ReadRegion(RecordReader& r);
    void Blt(uint16_t function, RecordReader& r);

    Canvas& m_canvas;
    std::vector<GdiObject> m_objects;
    size_t m_firstFree = 0; // no free place lies before it
};

std::vector<PointD> WmfPlayer::Points(RecordReader& r, size_t at, size_t count)
{
    std::vector<PointD> points;
    if (!r.Fits(at, count, 4)) {
        r.Fail();
        return points;
    }
    for (size_t i = 0; i < count; ++i) {
        points.push_back(
            {static_cast<double>(r.I16(at + 4 * i)), static_cast<double>(r.I16(at + 4 * i + 2))});
    }
    return points;
}

// A new object takes the lowest free place of the table; with none free it is lost, as it would be.
void WmfPlayer::Store(GdiObject object)
{
    for (; m_firstFree < m_objects.size(); ++m_firstFree) {
        if (std::holds_alternative<std::monostate>(m_objects[m_firstFree])) {
            m_objects[m_firstFree++] = std::move(object);
            return;
        }
    }
}

const GdiObject* WmfPlayer::Object(size_t index)
{
    return index < m_objects.size() ? &m_objects[index] : nullptr;
}

SurfacePtr WmfPlayer::Dib(RecordReader& r, size_t at, uint32_t usage)
{
    if (at >= r.Size()) {
        return nullptr;
    }
    DibOptions options;
    options.paletteIndices = usage == 1 ? &S().palette : nullptr;
    return ReadPackedDib(r.Bytes(at, r.Size() - at), options);
}

// A region object: its header (chain, type, count, size, scan count, largest scan, bounds), then scans
// of (count, top, bottom, count / 2 pairs of left and right, count).
Region WmfPlayer::ReadRegion(RecordReader& r)
{
    Region region;
    const unsigned scans = r.U16(kParams + 10);
    size_t at = kParams + 22;
    for (unsigned i = 0; i < scans && !r.Failed(); ++i) {
        const unsigned count = r.U16(at);
        const double top = r.I16(at + 2);
        const double bottom = r.I16(at + 4);
        if (!r.Fits(at + 6, count / 2, 4)) {
            r.Fail();
            break;
        }
        for (unsigned k = 0; k < count / 2; ++k) {
            region.rects.push_back({static_cast<double>(r.I16(at + 6 + 4 * k)), top,
                                    static_cast<double>(r.I16(at + 8 + 4 * k)), bottom});
        }
        at += 6 + 4 * size_t{count / 2} + 2;
    }
    return region;
}

void WmfPlayer::Text(RecordReader& r, bool extended)
{
    PointD ref;
    size_t count = 0;
    size_t at = 0;
    uint32_t options = 0;
    RectD rect;
    if (extended) {
        ref = {W(r, 1), W(r, 0)};
        count = r.U16(kParams + 4);
        options = r.U16(kParams + 6);
        at = kParams + 8;
        if ((options & (kEtoOpaque | kEtoClipped)) != 0) {
            rect = {W(r, 4), W(r, 5), W(r, 6), W(r, 7)};
            at += 8;
        }
    } else {
        count = r.U16(kParams);
        at = kParams + 2;
        const size_t after = at + count + count % 2;
        ref = {static_cast<double>(r.I16(after + 2)), static_cast<double>(r.I16(after))};
    }
    const auto bytes = r.Bytes(at, count);
    if (r.Failed()) {
        return;
    }
    std::vector<double> dx;
    const size_t dxAt = at + count + count % 2;
    if (extended && r.Fits(dxAt, count, 2)) {
        for (size_t i = 0; i < count; ++i) {
            dx.push_back(r.I16(dxAt + 2 * i));
        }
    }
    m_canvas.TextOut(ref, AnsiToUtf8(bytes), dx, options & (kEtoOpaque | kEtoClipped),
                     (options & (kEtoOpaque | kEtoClipped)) != 0 ? &rect : nullptr);
}

void WmfPlayer::Blt(uint16_t function, RecordReader& r)
{
    const uint32_t rop = r.U32(kParams);
    // Without a bitmap, these records carry one more (reserved) word and no DIB.
    const bool noBitmap = r.Size() / 2 == (function >> 8) + 3u;
    RectD dest;
    RectD from;
    size_t dibAt = 0;
    uint32_t usage = 0;
    switch (function) {
    case kDibBitBlt: {
        const size_t k = noBitmap ? 1 : 0;
        const double ySrc = W(r, 2), xSrc = W(r, 3);
        const double h = W(r, 4 + k), w = W(r, 5 + k), y = W(r, 6 + k), x = W(r, 7 + k);
        dest = {x, y, x + w, y + h};
        from = {xSrc, ySrc, xSrc + w, ySrc + h};
        dibAt = kParams + 2 * (8 + k);
        break;
    }
    case kDibStretchBlt: {
        const size_t k = noBitmap ? 1 : 0;
        const double sh = W(r, 2), sw = W(r, 3), ySrc = W(r, 4), xSrc = W(r, 5);
        const double h = W(r, 6 + k), w = W(r, 7 + k), y = W(r, 8 + k), x = W(r, 9 + k);
        dest = {x, y, x + w, y + h};
        from = {xSrc, ySrc, xSrc + sw, ySrc + sh};
        dibAt = kParams + 2 * (10 + k);
        break;
    }
    default: { // a stretched DIB, with how its colour table is used
        usage = r.U16(kParams + 4);
        const double sh = W(r, 3), sw = W(r, 4), ySrc = W(r, 5), xSrc = W(r, 6);
        const double h = W(r, 7), w = W(r, 8), y = W(r, 9), x = W(r, 10);
        dest = {x, y, x + w, y + h};
        from = {xSrc, ySrc, xSrc + sw, ySrc + sh};
        dibAt = kParams + 22;
        break;
    }
    }
    if (r.Failed()) {
        return;
    }
    if (noBitmap && function != kStretchDib) {
        m_canvas.StretchBlt(dest, nullptr, from, rop);
        return;
    }
    SurfacePtr source = Dib(r, dibAt, usage);
    if (!source) {
        return;
    }
    // Source lines of a bottom-up bitmap are counted from its bottom.
    const auto packed = r.Bytes(dibAt, r.Size() - dibAt);
    if (DibIsBottomUp(packed)) {
        const double height = cairo_image_surface_get_height(source.get());
        const double top = height - from.bottom;
        from = {from.left, top, from.right, top + (from.bottom - from.top)};
    }
    m_canvas.StretchBlt(dest, source, from, rop);
}

bool WmfPlayer::Play(uint16_t function, RecordReader& r)
{
    Canvas& c = m_canvas;
    switch (function) {
    case kEof:
        return false;
    case kSaveDc:
        c.Save();
        break;
    case kRestoreDc:
        c.Restore(static_cast<int>(W(r, 0)));
        break;
    case kSetBkMode:
        S().bkMode = r.U16(kParams);
        break;
    case kSetMapMode:
        c.SetMapMode(r.U16(kParams));
        break;
    case kSetPolyFillMode:
        S().polyFillMode = r.U16(kParams);
        break;
    case kSetTextAlign:
        S().textAlign = r.U16(kParams);
        break;
    case kSetBkColor:
        S().bkColour = r.U32(kParams);
        break;
    case kSetTextColor:
        S().textColour = r.U32(kParams);
        break;
    case kSetWindowOrg:
        S().windowOrg = {W(r, 1), W(r, 0)};
        c.MappingChanged();
        break;
    case kSetWindowExt:
        S().windowExt = {W(r, 1), W(r, 0)};
        c.MappingChanged();
        break;
    case kSetViewportOrg:
        S().viewportOrg = {W(r, 1), W(r, 0)};
        c.MappingChanged();
        break;
    case kSetViewportExt:
        S().viewportExt = {W(r, 1), W(r, 0)};
        c.MappingChanged();
        break;
    case kOffsetWindowOrg:
    case kOffsetViewportOrg: {
        PointD& org = function == kOffsetWindowOrg ? S().windowOrg : S().viewportOrg;
        org = {org.x + W(r, 1), org.y + W(r, 0)};
        c.MappingChanged();
        break;
    }
    case kScaleWindowExt:
    case kScaleViewportExt: {
        const double yd = W(r, 0), yn = W(r, 1), xd = W(r, 2), xn = W(r, 3);
        if (xd == 0 || yd == 0) {
            break;
        }
        PointD& ext = function == kScaleWindowExt ? S().windowExt : S().viewportExt;
        ext = {ext.x * xn / xd, ext.y * yn / yd};
        c.MappingChanged();
        break;
    }
    case kLineTo:
        c.LineTo({W(r, 1), W(r, 0)});
        break;
    case kMoveTo:
        c.MoveTo({W(r, 1), W(r, 0)});
        break;
    case kExcludeClipRect:
        c.ExcludeClipRect(ReversedRect(r, 0));
        break;
    case kIntersectClipRect:
        c.IntersectClipRect(ReversedRect(r, 0));
        break;
    case kOffsetClipRgn:
        c.OffsetClipRegion({W(r, 1), W(r, 0)});
        break;
    case kEllipse:
        c.Ellipse(ReversedRect(r, 0));
        break;
    case kRectangle:
        c.Rectangle(ReversedRect(r, 0));
        break;
    case kRoundRect:
        c.RoundRect(ReversedRect(r, 2), W(r, 1), W(r, 0));
        break;
    case kArc:
    case kPie:
    case kChord: {
        const PointD end{W(r, 1), W(r, 0)};
        const PointD start{W(r, 3), W(r, 2)};
        const auto kind = function == kArc   ? Canvas::ArcKind::Arc
                          : function == kPie ? Canvas::ArcKind::Pie
                                             : Canvas::ArcKind::Chord;
        c.Arc(ReversedRect(r, 4), start, end, kind);
        break;
    }
    case kSetPixel:
        c.SetPixel({W(r, 3), W(r, 2)}, r.U32(kParams));
        break;
    case kPolygon:
    case kPolyline: {
        const auto points = Points(r, kParams + 2, r.U16(kParams));
        if (r.Failed()) {
            break;
        }
        if (function == kPolygon) {
            c.Polygon(points);
        } else {
            c.Polyline(points);
        }
        break;
    }
    case kPolyPolygon: {
        const size_t polys = r.U16(kParams);
        if (!r.Fits(kParams + 2, polys, 2)) {
            break;
        }
        std::vector<uint32_t> counts;
        size_t total = 0;
        for (size_t i = 0; i < polys; ++i) {
            counts.push_back(r.U16(kParams + 2 + 2 * i));
            total += counts.back();
        }
        const auto points = Points(r, kParams + 2 + 2 * polys, total);
        if (!r.Failed()) {
            c.PolyPolygon(points, counts);
        }
        break;
    }
    case kTextOut:
    case kExtTextOut:
        Text(r, function == kExtTextOut);
        break;
    case kCreatePenIndirect: {
        Pen pen;
        pen.style = r.U16(kParams);
        pen.width = std::fabs(W(r, 1));
        pen.cosmetic = pen.width == 0;
        pen.colour = c.Resolve(r.U32(kParams + 6));
        Store(pen);
        break;
    }
    case kCreateBrushIndirect: {
        Brush brush;
        brush.style = r.U16(kParams);
        brush.colour = c.Resolve(r.U32(kParams + 2));
        brush.hatch = r.U16(kParams + 6);
        if (brush.style != kBsSolid && brush.style != kBsNull && brush.style != kBsHatched) {
            brush.style = kBsSolid;
        }
        Store(brush);
        break;
    }
    case kDibCreatePatternBrush: {
        Brush brush;
        brush.style = kBsDibPatternPt;
        brush.pattern = Dib(r, kParams + 4, r.U16(kParams + 2));
        if (!brush.pattern) {
            brush.style = kBsSolid;
            brush.colour = {0, 0, 0};
        }
        Store(brush);
        break;
    }
    case kCreateFontIndirect: {
        Font font;
        font.height = W(r, 0);
        font.width = W(r, 1);
        font.escapement = W(r, 2);
        font.weight = static_cast<int>(W(r, 4));
        font.italic = r.U8(kParams + 10) != 0;
        font.underline = r.U8(kParams + 11) != 0;
        font.strikeOut = r.U8(kParams + 12) != 0;
        font.charSet = r.U8(kParams + 13);
        const size_t faceAt = kParams + 18;
        if (faceAt < r.Size()) {
            font.face = AnsiToUtf8(r.Bytes(faceAt, std::min<size_t>(32, r.Size() - faceAt)));
        }
        Store(font);
        break;
    }
    case kCreatePalette: {
        const size_t count = r.U16(kParams + 2);
        Palette palette;
        if (r.Fits(kParams + 4, count, 4)) {
            for (size_t i = 0; i < count; ++i) {
                const size_t at = kParams + 4 + 4 * i;
                palette.entries.push_back({r.U8(at), r.U8(at + 1), r.U8(at + 2)});
            }
        }
        Store(palette);
        break;
    }
    case kCreateRegion: {
        Region region = ReadRegion(r);
        Store(r.Failed() ? Region{} : std::move(region));
        break;
    }
    case kSelectObject: {
        const GdiObject* object = Object(r.U16(kParams));
        if (object == nullptr) {
            break;
        }
        if (SelectDrawingObject(S(), *object)) {
            break;
        }
        if (const auto* region = std::get_if<Region>(object)) {
            c.SelectClipRegion(region, kRgnCopy, false);
        }
        break;
    }
    case kSelectPalette: {
        const GdiObject* object = Object(r.U16(kParams));
        if (object != nullptr && std::holds_alternative<Palette>(*object)) {
            S().palette = std::get<Palette>(*object);
        }
        break;
    }
    case kSelectClipRegion: {
        const GdiObject* object = Object(r.U16(kParams));
        const auto* region = object != nullptr ? std::get_if<Region>(object) : nullptr;
        c.SelectClipRegion(region, kRgnCopy, false);
        break;
    }
    case kFillRegion:
    case kFrameRegion:
    case kPaintRegion: {
        const GdiObject* object = Object(r.U16(kParams));
        const auto* region = object != nullptr ? std::get_if<Region>(object) : nullptr;
        if (region == nullptr) {
            break;
        }
        Brush brush = S().brush;
        if (function != kPaintRegion) {
            const GdiObject* b = Object(r.U16(kParams + 2));
            if (b == nullptr || !std::holds_alternative<Brush>(*b)) {
                break;
            }
            brush = std::get<Brush>(*b);
        }
        if (function == kFrameRegion) {
            c.FrameRegion(*region, brush, W(r, 3), W(r, 2), false);
        } else {
            c.FillRegion(*region, brush, false);
        }
        break;
    }
    case kDeleteObject: {
        const size_t index = r.U16(kParams);
        if (index < m_objects.size()) {
            m_objects[index] = {};
            m_firstFree = std::min(m_firstFree, index);
        }
        break;
    }
    case kPatBlt: {
        const double h = W(r, 2), w = W(r, 3), y = W(r, 4), x = W(r, 5);
        if (!r.Failed()) {
            c.StretchBlt({x, y, x + w, y + h}, nullptr, {}, r.U32(kParams));
        }
        break;
    }
    case kDibBitBlt:
    case kDibStretchBlt:
    case kStretchDib:
        Blt(function, r);
        break;
    case kSetDibToDev: {
        const double h = W(r, 5), w = W(r, 6), y = W(r, 7), x = W(r, 8);
        const double ySrc = W(r, 3), xSrc = W(r, 4);
        SurfacePtr source = Dib(r, kParams + 18, r.U16(kParams));
        if (!source || r.Failed()) {
            break;
        }
        const double height = cairo_image_surface_get_height(source.get());
        const double top = height - ySrc - h;
        c.StretchBlt({x, y, x + w, y + h}, source, {xSrc, top, xSrc + w, top + h}, kSrcCopy);
        break;
    }
    default:
        break; // records that draw nothing we show, or that we do not know
    }
    return true;
}

} // namespace

void PlayWindowsRecords(std::span<const uint8_t> records, unsigned objectCount, Canvas& canvas)
{
    WmfPlayer player(canvas, objectCount);
    size_t at = 0;
    while (records.size() - at >= kParams) {
        RecordReader head(records.subspan(at, kParams));
        const uint64_t size = uint64_t{head.U32(0)} * 2;
        const uint16_t function = head.U16(4);
        if (size < kParams || size > records.size() - at) {
            break; // a broken record ends the picture
        }
        RecordReader record(records.subspan(at, static_cast<size_t>(size)));
        at += static_cast<size_t>(size);
        if (!player.Play(function, record) || !canvas.Ok()) {
            break;
        }
    }
}

bool FindWindowRect(std::span<const uint8_t> records, RectD& rect)
{
    bool haveOrg = false;
    bool haveExt = false;
    PointD org;
    PointD ext;
    size_t at = 0;
    while (records.size() - at >= kParams && !(haveOrg && haveExt)) {
        RecordReader r(records.subspan(at, std::min<size_t>(records.size() - at, 10)));
        const uint64_t size = uint64_t{r.U32(0)} * 2;
        const uint16_t function = r.U16(4);
        if (size < kParams || size > records.size() - at || function == kEof) {
            break;
        }
        const PointD value{static_cast<double>(r.I16(8)), static_cast<double>(r.I16(6))};
        if (!r.Failed() && function == kSetWindowOrg && !haveOrg) {
            org = value;
            haveOrg = true;
        } else if (!r.Failed() && function == kSetWindowExt && !haveExt) {
            ext = value;
            haveExt = true;
        }
        at += static_cast<size_t>(size);
    }
    if (!haveExt || ext.x == 0 || ext.y == 0) {
        return false;
    }
    rect = {org.x, org.y, org.x + ext.x, org.y + ext.y};
    return true;
}

} // namespace platform::gdi
