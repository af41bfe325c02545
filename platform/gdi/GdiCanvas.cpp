#include "platform/gdi/GdiCanvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform::gdi {

namespace {

// Coordinates beyond this are dropped: no real picture has them, and cairo's fixed-point numbers
// cannot hold them.
constexpr double kFarAway = 1e7;

bool Usable(PointD p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::fabs(p.x) < kFarAway && std::fabs(p.y) < kFarAway;
}

cairo_matrix_t Identity()
{
    cairo_matrix_t m;
    cairo_matrix_init_identity(&m);
    return m;
}

bool Invertible(const cairo_matrix_t& m)
{
    const double det = m.xx * m.yy - m.xy * m.yx;
    return std::isfinite(det) && std::fabs(det) > 1e-12;
}

// A rectangle far larger than any picture, for clipping everything outside a shape away.
Path Everything()
{
    Path p;
    p.MoveTo({-kFarAway / 2, -kFarAway / 2});
    p.LineTo({kFarAway / 2, -kFarAway / 2});
    p.LineTo({kFarAway / 2, kFarAway / 2});
    p.LineTo({-kFarAway / 2, kFarAway / 2});
    p.Close();
    return p;
}

} // namespace

void Path::MoveTo(PointD p)
{
    m_ops.push_back({Op::Move, {p, {}, {}}});
    m_hasCurrent = true;
}

void Path::LineTo(PointD p)
{
    if (!m_hasCurrent) {
        MoveTo(p);
        return;
    }
    m_ops.push_back({Op::Line, {p, {}, {}}});
}

void Path::CurveTo(PointD a, PointD b, PointD c)
{
    if (!m_hasCurrent) {
        MoveTo(a);
    }
    m_ops.push_back({Op::Curve, {a, b, c}});
}

void Path::Close()
{
    if (m_hasCurrent) {
        m_ops.push_back({Op::ClosePath, {}});
        m_hasCurrent = false;
    }
}

void Path::Append(const Path& other)
{
    m_ops.insert(m_ops.end(), other.m_ops.begin(), other.m_ops.end());
    m_hasCurrent = other.m_hasCurrent;
}

void Path::AppendTo(cairo_t* cr) const
{
    for (const Op& op : m_ops) {
        if (op.kind == Op::ClosePath) {
            cairo_close_path(cr);
            continue;
        }
        const int n = op.kind == Op::Curve ? 3 : 1;
        for (int i = 0; i < n; ++i) {
            if (!Usable(op.p[i])) {
                return; // an unusable point spoils the rest of the figure
            }
        }
        switch (op.kind) {
        case Op::Move:
            cairo_move_to(cr, op.p[0].x, op.p[0].y);
            break;
        case Op::Line:
            cairo_line_to(cr, op.p[0].x, op.p[0].y);
            break;
        default:
            cairo_curve_to(cr, op.p[0].x, op.p[0].y, op.p[1].x, op.p[1].y, op.p[2].x, op.p[2].y);
            break;
        }
    }
}

void Path::Clear()
{
    m_ops.clear();
    m_hasCurrent = false;
}

Canvas::Canvas(cairo_surface_t* surface, const cairo_matrix_t& deviceToSurface, PointD deviceUnitsPerMm)
    : m_surface(surface), m_cr(cairo_create(surface)), m_deviceToSurface(deviceToSurface),
      m_unitsPerMm(deviceUnitsPerMm)
{
    if (!Invertible(m_deviceToSurface)) {
        m_deviceToSurface = Identity();
    }
}

Canvas::~Canvas()
{
    cairo_destroy(m_cr);
}

bool Canvas::Ok() const
{
    return cairo_status(m_cr) == CAIRO_STATUS_SUCCESS;
}

const cairo_matrix_t& Canvas::Matrix()
{
    if (m_matrixValid) {
        return m_matrix;
    }
    const DcState& s = m_state;
    double kx = 1;
    double ky = 1;
    const auto fixed = [&](double mmPerUnit) {
        kx = mmPerUnit * m_unitsPerMm.x;
        ky = -mmPerUnit * m_unitsPerMm.y; // these modes count y upwards
    };
    switch (s.mapMode) {
    case kMmLoMetric:
        fixed(0.1);
        break;
    case kMmHiMetric:
        fixed(0.01);
        break;
    case kMmLoEnglish:
        fixed(0.254);
        break;
    case kMmHiEnglish:
        fixed(0.0254);
        break;
    case kMmTwips:
        fixed(25.4 / 1440);
        break;
    case kMmIsotropic:
    case kMmAnisotropic: {
        kx = s.windowExt.x != 0 ? s.viewportExt.x / s.windowExt.x : 1;
        ky = s.windowExt.y != 0 ? s.viewportExt.y / s.windowExt.y : 1;
        if (s.mapMode == kMmIsotropic) {
            // Both axes take the smaller scale; each keeps its direction.
            const double k = std::min(std::fabs(kx), std::fabs(ky));
            kx = std::copysign(k, kx);
            ky = std::copysign(k, ky);
        }
        break;
    }
    default:
        break;
    }
    // page = world(logical); device = (page - window origin) * k + viewport origin
    cairo_matrix_t page;
    cairo_matrix_init(&page, kx, 0, 0, ky, s.viewportOrg.x - s.windowOrg.x * kx,
                      s.viewportOrg.y - s.windowOrg.y * ky);
    cairo_matrix_t worldPage;
    cairo_matrix_multiply(&worldPage, &s.world, &page);
    cairo_matrix_multiply(&m_matrix, &worldPage, &m_deviceToSurface);
    m_matrixValid = true;
    return m_matrix;
}

PointD Canvas::Out(PointD p)
{
    cairo_matrix_transform_point(&Matrix(), &p.x, &p.y);
    return p;
}

double Canvas::OutLength(double logical, bool alongY)
{
    double x = alongY ? 0 : logical;
    double y = alongY ? logical : 0;
    cairo_matrix_transform_distance(&Matrix(), &x, &y);
    return std::hypot(x, y);
}

bool Canvas::Flipped()
{
    const cairo_matrix_t& m = Matrix();
    return m.xx * m.yy - m.xy * m.yx < 0;
}

void Canvas::SetMapMode(int mode)
{
    if (mode < kMmText || mode > kMmAnisotropic) {
        return;
    }
    m_state.mapMode = mode;
    if (mode != kMmIsotropic && mode != kMmAnisotropic) {
        m_state.windowExt = {1, 1};
        m_state.viewportExt = {1, 1};
    }
    MappingChanged();
}

void Canvas::SetWorldTransform(const cairo_matrix_t& m)
{
    if (Invertible(m)) {
        m_state.world = m;
        MappingChanged();
    }
}

void Canvas::ModifyWorldTransform(const cairo_matrix_t& m, int mode)
{
    cairo_matrix_t result = m_state.world;
    switch (mode) {
    case 1:
        result = Identity();
        break;
    case 2: // the new transform applies first
        cairo_matrix_multiply(&result, &m, &m_state.world);
        break;
    case 3:
        cairo_matrix_multiply(&result, &m_state.world, &m);
        break;
    case 4:
        result = m;
        break;
    default:
        return;
    }
    SetWorldTransform(result);
}

void Canvas::Save()
{
    // A metafile that saves without end gains nothing past a few thousand levels.
    if (m_saved.size() < 4096) {
        m_saved.push_back(m_state);
    }
}

void Canvas::Restore(int which)
{
    const auto depth = static_cast<long>(m_saved.size());
    const long target = which < 0 ? depth + which : which - 1;
    if (target < 0 || target >= depth) {
        return;
    }
    m_state = m_saved[static_cast<size_t>(target)];
    m_saved.resize(static_cast<size_t>(target));
    m_clipApplied = false;
    MappingChanged();
}

Rgb Canvas::Resolve(ColourRef c) const
{
    if ((c >> 24) == 1) {
        const size_t index = c & 0xFFFF;
        return index < m_state.palette.entries.size() ? m_state.palette.entries[index] : Rgb{};
    }
    return RgbOf(c);
}

void Canvas::ApplyClip()
{
    if (m_clipApplied) {
        return;
    }
    cairo_reset_clip(m_cr);
    cairo_identity_matrix(m_cr);
    for (const ClipStep& step : m_state.clip) {
        cairo_new_path(m_cr);
        step.path.AppendTo(m_cr);
        cairo_set_fill_rule(m_cr, step.evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
        cairo_clip(m_cr);
    }
    cairo_new_path(m_cr);
    m_clipApplied = true;
}

void Canvas::AddClip(Path path, bool evenOdd)
{
    m_state.clipped = true;
    m_state.clip.push_back({std::move(path), evenOdd});
    m_clipApplied = false;
}

Path Canvas::RectPath(const RectD& r)
{
    Path p;
    p.MoveTo(Out({r.left, r.top}));
    p.LineTo(Out({r.right, r.top}));
    p.LineTo(Out({r.right, r.bottom}));
    p.LineTo(Out({r.left, r.bottom}));
    p.Close();
    return p;
}

Path Canvas::RegionPath(const Region& region, bool deviceUnits)
{
    Path p;
    for (const RectD& r : region.rects) {
        if (deviceUnits) {
            const auto dev = [this](double x, double y) {
                cairo_matrix_transform_point(&m_deviceToSurface, &x, &y);
                return PointD{x, y};
            };
            p.MoveTo(dev(r.left, r.top));
            p.LineTo(dev(r.right, r.top));
            p.LineTo(dev(r.right, r.bottom));
            p.LineTo(dev(r.left, r.bottom));
            p.Close();
        } else {
            p.Append(RectPath(r));
        }
    }
    return p;
}

void Canvas::IntersectClipRect(const RectD& r)
{
    AddClip(RectPath(r), false);
}

void Canvas::ExcludeClipRect(const RectD& r)
{
    Path p = Everything();
    p.Append(RectPath(r));
    AddClip(std::move(p), true);
}

void Canvas::SelectClipRegion(const Region* region, int mode, bool deviceUnits)
{
    if (region == nullptr) {
        if (mode == kRgnCopy) {
            m_state.clipped = false;
            m_state.clip.clear();
            m_clipApplied = false;
        }
        return;
    }
    Path path = RegionPath(*region, deviceUnits);
    switch (mode) {
    case kRgnCopy:
        m_state.clip.clear();
        AddClip(std::move(path), false);
        break;
    case kRgnAnd:
        AddClip(std::move(path), false);
        break;
    case kRgnDiff: {
        Path p = Everything();
        p.Append(path);
        AddClip(std::move(p), true);
        break;
    }
    default: {
        // Union (and exclusive union, taken as a union).
        if (m_state.clipped) {
            UniteClip(path);
        }
        break;
    }
    }
}

void Canvas::OffsetClipRegion(PointD offset)
{
    if (!m_state.clipped) {
        return;
    }
    // An offset in logical units, applied to a clip kept in surface pixels.
    double dx = offset.x;
    double dy = offset.y;
    cairo_matrix_transform_distance(&Matrix(), &dx, &dy);
    ApplyClip();
    double x1, y1, x2, y2;
    cairo_clip_extents(m_cr, &x1, &y1, &x2, &y2);
    Path p;
    p.MoveTo({x1 + dx, y1 + dy});
    p.LineTo({x2 + dx, y1 + dy});
    p.LineTo({x2 + dx, y2 + dy});
    p.LineTo({x1 + dx, y2 + dy});
    p.Close();
    m_state.clip.clear();
    AddClip(std::move(p), false);
}

cairo_pattern_t* Canvas::BrushPattern(const Brush& brush, bool background) const
{
    const Rgb bk = Resolve(m_state.bkColour);
    if (background) {
        return cairo_pattern_create_rgb(bk.r / 255.0, bk.g / 255.0, bk.b / 255.0);
    }
    const Rgb c = brush.colour;
    SurfacePtr tile;
    if (brush.style == kBsHatched) {
        // An 8 x 8 pixel pattern of lines in the brush's colour on a clear ground.
        tile = OwnSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8));
        cairo_t* t = cairo_create(tile.get());
        cairo_set_source_rgb(t, c.r / 255.0, c.g / 255.0, c.b / 255.0);
        const uint32_t h = brush.hatch;
        for (int i = 0; i < 8; ++i) {
            if (h == 0 || h == 4) { // horizontal, cross
                cairo_rectangle(t, i, 4, 1, 1);
            }
            if (h == 1 || h == 4) { // vertical, cross
                cairo_rectangle(t, 4, i, 1, 1);
            }
            if (h == 2 || h == 5) { // forward diagonal: top left to bottom right
                cairo_rectangle(t, i, i, 1, 1);
            }
            if (h == 3 || h == 5) { // backward diagonal
                cairo_rectangle(t, 7 - i, i, 1, 1);
            }
        }
        cairo_fill(t);
        cairo_destroy(t);
    } else if ((brush.style == kBsPattern || brush.style == kBsDibPattern ||
                brush.style == kBsDibPatternPt) &&
               brush.pattern) {
        tile = brush.pattern;
        if (brush.monochrome) {
            // A two-colour pattern: black pixels take the text colour, white ones the background.
            cairo_surface_t* in = brush.pattern.get();
            const int w = cairo_image_surface_get_width(in);
            const int h = cairo_image_surface_get_height(in);
            tile = OwnSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
            cairo_surface_flush(in);
            cairo_surface_flush(tile.get());
            const Rgb fg = Resolve(m_state.textColour);
            for (int y = 0; y < h; ++y) {
                const auto* src = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(in) +
                                                                    y * cairo_image_surface_get_stride(in));
                auto* out = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(tile.get()) +
                                                        y * cairo_image_surface_get_stride(tile.get()));
                for (int x = 0; x < w; ++x) {
                    const Rgb use = (src[x] & 0xFFFFFF) == 0 ? fg : bk;
                    out[x] = 0xFF000000u | static_cast<uint32_t>(use.r) << 16 |
                             static_cast<uint32_t>(use.g) << 8 | use.b;
                }
            }
            cairo_surface_mark_dirty(tile.get());
        }
    }
    if (!tile) {
        return cairo_pattern_create_rgb(c.r / 255.0, c.g / 255.0, c.b / 255.0);
    }
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile.get());
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    return pattern;
}

void Canvas::SetBrushSource(const Brush& brush, bool background)
{
    cairo_pattern_t* pattern = BrushPattern(brush, background);
    cairo_set_source(m_cr, pattern);
    cairo_pattern_destroy(pattern);
}

void Canvas::FillWith(const Path& path, const Brush& brush)
{
    if (brush.style == kBsNull || path.Empty()) {
        return;
    }
    ApplyClip();
    cairo_identity_matrix(m_cr);
    cairo_set_fill_rule(m_cr, m_state.polyFillMode == 2 ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
    if (brush.style == kBsHatched && m_state.bkMode == 2) {
        cairo_new_path(m_cr);
        path.AppendTo(m_cr);
        SetBrushSource(brush, true);
        cairo_fill(m_cr);
    }
    cairo_new_path(m_cr);
    path.AppendTo(m_cr);
    SetBrushSource(brush, false);
    cairo_fill(m_cr);
}

void Canvas::StrokeWithPen(const Path& path)
{
    const Pen& pen = m_state.pen;
    const uint32_t style = pen.style & kPsStyleMask;
    if (style == kPsNull || path.Empty()) {
        return;
    }
    ApplyClip();
    // Lines run through the middle of pixels, where fills run along their edges: a one-pixel line at
    // x = 10 lights the pixels of column 10, as the filled rectangle from 10 to 11 does.
    cairo_identity_matrix(m_cr);
    cairo_translate(m_cr, 0.5, 0.5);
    // A pen of width 0, or a cosmetic one, is one device pixel wide whatever the mapping; a geometric pen
    // is as wide as its logical width, and at least one pixel.
    const double pixel = std::max(1.0, std::hypot(m_deviceToSurface.xx, m_deviceToSurface.yx));
    const double width = pen.cosmetic || pen.width <= 0 ? pixel : std::max(1.0, OutLength(pen.width));
    if (!std::isfinite(width) || width > kFarAway) {
        return;
    }
    cairo_set_line_width(m_cr, width);
    const uint32_t cap = pen.style & kPsEndcapMask;
    const uint32_t join = pen.style & kPsJoinMask;
    cairo_set_line_cap(m_cr, cap == kPsEndcapSquare ? CAIRO_LINE_CAP_SQUARE
                             : cap == kPsEndcapFlat ? CAIRO_LINE_CAP_BUTT
                                                    : CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(m_cr, join == kPsJoinBevel   ? CAIRO_LINE_JOIN_BEVEL
                              : join == kPsJoinMiter ? CAIRO_LINE_JOIN_MITER
                                                     : CAIRO_LINE_JOIN_ROUND);
    cairo_set_miter_limit(m_cr, std::max(1.0, m_state.miterLimit));

    std::vector<double> dashes;
    const double unit = std::max(width, 1.0);
    // Pens of the older kind that are wider than one unit are solid whatever their style.
    const bool plain = (pen.style & kPsGeometric) == 0 && !pen.cosmetic && pen.width > 1;
    switch (plain ? kPsSolid : style) {
    case kPsDash:
        dashes = {18, 6};
        break;
    case kPsDot:
        dashes = {3, 3};
        break;
    case kPsDashDot:
        dashes = {9, 6, 3, 6};
        break;
    case kPsDashDotDot:
        dashes = {9, 3, 3, 3, 3, 3};
        break;
    case kPsUserStyle:
        for (double d : pen.dashes) {
            dashes.push_back(std::max(OutLength(d), 0.0) / unit);
        }
        break;
    default:
        break;
    }
    bool anyDash = false;
    for (double& d : dashes) {
        d *= unit;
        anyDash = anyDash || d > 0;
    }
    if (!anyDash) {
        dashes.clear();
    }
    const Rgb c = pen.colour;
    if (!dashes.empty() && m_state.bkMode == 2) {
        // The gaps of a dashed line take the background colour on an opaque background.
        cairo_set_dash(m_cr, nullptr, 0, 0);
        cairo_new_path(m_cr);
        path.AppendTo(m_cr);
        SetBrushSource(Brush{}, true);
        cairo_stroke(m_cr);
    }
    cairo_set_dash(m_cr, dashes.empty() ? nullptr : dashes.data(), static_cast<int>(dashes.size()), 0);
    cairo_new_path(m_cr);
    path.AppendTo(m_cr);
    cairo_set_source_rgb(m_cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
    cairo_stroke(m_cr);
    cairo_set_dash(m_cr, nullptr, 0, 0);
    cairo_identity_matrix(m_cr);
}

void Canvas::Draw(const Path& path, bool fill, bool stroke)
{
    if (m_inPath) {
        m_path.Append(path);
        return;
    }
    if (fill) {
        FillWith(path, m_state.brush);
    }
    if (stroke) {
        StrokeWithPen(path);
    }
}

void Canvas::MoveTo(PointD p)
{
    m_state.current = p;
    if (m_inPath) {
        m_path.MoveTo(Out(p));
    }
}

void Canvas::LineTo(PointD p)
{
    Path path;
    path.MoveTo(Out(m_state.current));
    path.LineTo(Out(p));
    if (m_inPath) {
        if (!m_path.HasCurrentPoint()) {
            m_path.MoveTo(Out(m_state.current));
        }
        m_path.LineTo(Out(p));
    } else {
        StrokeWithPen(path);
    }
    m_state.current = p;
}

void Canvas::Polyline(std::span<const PointD> points)
{
    if (points.size() < 2) {
        return;
    }
    Path path;
    for (const PointD& p : points) {
        path.LineTo(Out(p));
    }
    Draw(path, false, true);
}

void Canvas::PolylineTo(std::span<const PointD> points)
{
    if (points.empty()) {
        return;
    }
    if (m_inPath) {
        if (!m_path.HasCurrentPoint()) {
            m_path.MoveTo(Out(m_state.current));
        }
        for (const PointD& p : points) {
            m_path.LineTo(Out(p));
        }
    } else {
        Path path;
        path.MoveTo(Out(m_state.current));
        for (const PointD& p : points) {
            path.LineTo(Out(p));
        }
        StrokeWithPen(path);
    }
    m_state.current = points.back();
}

void Canvas::Polygon(std::span<const PointD> points)
{
    if (points.size() < 2) {
        return;
    }
    Path path;
    for (const PointD& p : points) {
        path.LineTo(Out(p));
    }
    path.Close();
    Draw(path, true, true);
}

void Canvas::PolyPolygon(std::span<const PointD> points, std::span<const uint32_t> counts)
{
    Path all;
    size_t at = 0;
    for (uint32_t count : counts) {
        if (count > points.size() - at) {
            break;
        }
        for (uint32_t i = 0; i < count; ++i) {
            all.LineTo(Out(points[at + i]));
        }
        all.Close();
        at += count;
    }
    Draw(all, true, true);
}

void Canvas::PolyPolyline(std::span<const PointD> points, std::span<const uint32_t> counts)
{
    size_t at = 0;
    for (uint32_t count : counts) {
        if (count > points.size() - at) {
            break;
        }
        Polyline(points.subspan(at, count));
        at += count;
    }
}

void Canvas::PolyBezier(std::span<const PointD> points)
{
    if (points.size() < 4) {
        return;
    }
    Path path;
    path.MoveTo(Out(points[0]));
    for (size_t i = 1; i + 2 < points.size(); i += 3) {
        path.CurveTo(Out(points[i]), Out(points[i + 1]), Out(points[i + 2]));
    }
    Draw(path, false, true);
}

void Canvas::PolyBezierTo(std::span<const PointD> points)
{
    if (points.size() < 3) {
        return;
    }
    Path path;
    path.MoveTo(Out(m_state.current));
    size_t i = 0;
    for (; i + 2 < points.size(); i += 3) {
        path.CurveTo(Out(points[i]), Out(points[i + 1]), Out(points[i + 2]));
    }
    if (m_inPath) {
        if (!m_path.HasCurrentPoint()) {
            m_path.MoveTo(Out(m_state.current));
        }
        for (size_t j = 0; j + 2 < points.size(); j += 3) {
            m_path.CurveTo(Out(points[j]), Out(points[j + 1]), Out(points[j + 2]));
        }
    } else {
        StrokeWithPen(path);
    }
    m_state.current = points[i - 1];
}

void Canvas::PolyDraw(std::span<const PointD> points, std::span<const uint8_t> types)
{
    Path path;
    path.MoveTo(Out(m_state.current));
    for (size_t i = 0; i < points.size() && i < types.size(); ++i) {
        const uint8_t type = types[i] & 0x06;
        if (type == 0x06) {
            path.MoveTo(Out(points[i]));
        } else if (type == 0x02) {
            path.LineTo(Out(points[i]));
        } else if (type == 0x04 && i + 2 < points.size()) {
            path.CurveTo(Out(points[i]), Out(points[i + 1]), Out(points[i + 2]));
            i += 2;
        }
        m_state.current = points[std::min(i, points.size() - 1)];
        if ((types[std::min(i, types.size() - 1)] & 0x01) != 0) {
            path.Close();
        }
    }
    Draw(path, false, true);
}

void Canvas::Rectangle(const RectD& box)
{
    Draw(RectPath(box), true, true);
}

void Canvas::AddEllipseArc(Path& path, const RectD& box, double start, double sweep, bool moveFirst)
{
    if (!std::isfinite(start) || !std::isfinite(sweep)) {
        return;
    }
    // More than two turns look like two turns.
    sweep = std::clamp(sweep, -4 * std::numbers::pi, 4 * std::numbers::pi);
    const double cx = (box.left + box.right) / 2;
    const double cy = (box.top + box.bottom) / 2;
    const double rx = (box.right - box.left) / 2;
    const double ry = (box.bottom - box.top) / 2;
    const auto at = [&](double t) { return PointD{cx + rx * std::cos(t), cy + ry * std::sin(t)}; };
    const int pieces = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / (std::numbers::pi / 2))));
    const double step = sweep / pieces;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    if (moveFirst) {
        path.MoveTo(Out(at(start)));
    } else {
        path.LineTo(Out(at(start)));
    }
    for (int i = 0; i < pieces; ++i) {
        const double a = start + step * i;
        const double b = a + step;
        const PointD p0 = at(a);
        const PointD p3 = at(b);
        const PointD c1{p0.x - k * rx * std::sin(a), p0.y + k * ry * std::cos(a)};
        const PointD c2{p3.x + k * rx * std::sin(b), p3.y - k * ry * std::cos(b)};
        path.CurveTo(Out(c1), Out(c2), Out(p3));
    }
}

void Canvas::Ellipse(const RectD& box)
{
    Path path;
    AddEllipseArc(path, box, 0, 2 * std::numbers::pi, true);
    path.Close();
    Draw(path, true, true);
}

void Canvas::RoundRect(const RectD& b, double cornerWidth, double cornerHeight)
{
    const RectD box{std::min(b.left, b.right), std::min(b.top, b.bottom), std::max(b.left, b.right),
                    std::max(b.top, b.bottom)};
    const double rw = std::min(std::fabs(cornerWidth), box.right - box.left);
    const double rh = std::min(std::fabs(cornerHeight), box.bottom - box.top);
    if (rw <= 0 || rh <= 0) {
        Rectangle(box);
        return;
    }
    const double pi = std::numbers::pi;
    Path path;
    AddEllipseArc(path, {box.right - rw, box.top, box.right, box.top + rh}, -pi / 2, pi / 2, true);
    AddEllipseArc(path, {box.right - rw, box.bottom - rh, box.right, box.bottom}, 0, pi / 2, false);
    AddEllipseArc(path, {box.left, box.bottom - rh, box.left + rw, box.bottom}, pi / 2, pi / 2, false);
    AddEllipseArc(path, {box.left, box.top, box.left + rw, box.top + rh}, pi, pi / 2, false);
    path.Close();
    Draw(path, true, true);
}

double Canvas::ArcAngle(const RectD& box, PointD p)
{
    const double cx = (box.left + box.right) / 2;
    const double cy = (box.top + box.bottom) / 2;
    const double rx = (box.right - box.left) / 2;
    const double ry = (box.bottom - box.top) / 2;
    return std::atan2(ry != 0 ? (p.y - cy) / ry : 0, rx != 0 ? (p.x - cx) / rx : 0);
}

void Canvas::Arc(const RectD& box, PointD startPoint, PointD endPoint, ArcKind kind)
{
    const double start = ArcAngle(box, startPoint);
    const double end = ArcAngle(box, endPoint);
    // Counter-clockwise as the picture shows it: with y growing downwards on the surface, the angle of
    // the ellipse's parameter falls. A mapping that turns y upside down turns the direction round.
    const bool counterClockwise = (m_state.arcDirection != 2) != Flipped();
    const double twoPi = 2 * std::numbers::pi;
    double sweep = end - start;
    if (counterClockwise) {
        while (sweep >= 0) {
            sweep -= twoPi;
        }
    } else {
        while (sweep <= 0) {
            sweep += twoPi;
        }
    }
    Path path;
    switch (kind) {
    case ArcKind::Arc:
        AddEllipseArc(path, box, start, sweep, true);
        Draw(path, false, true);
        return;
    case ArcKind::ArcTo: {
        if (m_inPath && m_path.HasCurrentPoint()) {
            AddEllipseArc(m_path, box, start, sweep, false);
        } else {
            path.MoveTo(Out(m_state.current));
            AddEllipseArc(path, box, start, sweep, false);
            Draw(path, false, true);
        }
        const double cx = (box.left + box.right) / 2;
        const double cy = (box.top + box.bottom) / 2;
        m_state.current = {cx + (box.right - box.left) / 2 * std::cos(start + sweep),
                           cy + (box.bottom - box.top) / 2 * std::sin(start + sweep)};
        return;
    }
    case ArcKind::Chord:
        AddEllipseArc(path, box, start, sweep, true);
        path.Close();
        Draw(path, true, true);
        return;
    case ArcKind::Pie:
        path.MoveTo(Out({(box.left + box.right) / 2, (box.top + box.bottom) / 2}));
        AddEllipseArc(path, box, start, sweep, false);
        path.Close();
        Draw(path, true, true);
        return;
    }
}

void Canvas::AngleArc(PointD centre, double radius, double startDegrees, double sweepDegrees)
{
    const double r = std::fabs(radius);
    const RectD box{centre.x - r, centre.y - r, centre.x + r, centre.y + r};
    const double start = -startDegrees * std::numbers::pi / 180;
    const double sweep = -sweepDegrees * std::numbers::pi / 180;
    Path path;
    path.MoveTo(Out(m_state.current));
    AddEllipseArc(path, box, start, sweep, false);
    Draw(path, false, true);
    m_state.current = {centre.x + r * std::cos(start + sweep), centre.y + r * std::sin(start + sweep)};
}

void Canvas::SetPixel(PointD p, ColourRef colour)
{
    const PointD at = Out(p);
    if (!Usable(at)) {
        return;
    }
    ApplyClip();
    cairo_identity_matrix(m_cr);
    const double size = std::max(1.0, std::hypot(m_deviceToSurface.xx, m_deviceToSurface.yx));
    const Rgb c = Resolve(colour);
    cairo_set_source_rgb(m_cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
    cairo_rectangle(m_cr, std::floor(at.x), std::floor(at.y), size, size);
    cairo_fill(m_cr);
}

void Canvas::FillRegion(const Region& region, const Brush& brush, bool deviceUnits)
{
    const int rule = m_state.polyFillMode;
    m_state.polyFillMode = 2;
    FillWith(RegionPath(region, deviceUnits), brush);
    m_state.polyFillMode = rule;
}

void Canvas::FrameRegion(const Region& region, const Brush& brush, double width, double height,
                         bool deviceUnits)
{
    // A frame of the given thickness inside each rectangle's edge.
    Region frame;
    for (const RectD& r : region.rects) {
        const double w = std::min(std::fabs(width), (r.right - r.left) / 2);
        const double h = std::min(std::fabs(height), (r.bottom - r.top) / 2);
        frame.rects.push_back({r.left, r.top, r.right, r.top + h});
        frame.rects.push_back({r.left, r.bottom - h, r.right, r.bottom});
        frame.rects.push_back({r.left, r.top + h, r.left + w, r.bottom - h});
        frame.rects.push_back({r.right - w, r.top + h, r.right, r.bottom - h});
    }
    FillRegion(frame, brush, deviceUnits);
}

void Canvas::BeginPath()
{
    m_inPath = true;
    m_path.Clear();
    m_closedPath.Clear();
}

void Canvas::EndPath()
{
    if (m_inPath) {
        m_closedPath = m_path;
        m_path.Clear();
        m_inPath = false;
    }
}

void Canvas::AbortPath()
{
    m_inPath = false;
    m_path.Clear();
    m_closedPath.Clear();
}

void Canvas::CloseFigure()
{
    if (m_inPath) {
        m_path.Close();
    }
}

void Canvas::FillPath()
{
    EndPath();
    FillWith(m_closedPath, m_state.brush);
    m_closedPath.Clear();
}

void Canvas::StrokePath()
{
    EndPath();
    StrokeWithPen(m_closedPath);
    m_closedPath.Clear();
}

void Canvas::StrokeAndFillPath()
{
    EndPath();
    FillWith(m_closedPath, m_state.brush);
    StrokeWithPen(m_closedPath);
    m_closedPath.Clear();
}

void Canvas::UniteClip(const Path& path)
{
    // The rectangle that holds the clip so far, with the path added: exact when the clip so far is a
    // rectangle, as it nearly always is.
    ApplyClip();
    double x1, y1, x2, y2;
    cairo_clip_extents(m_cr, &x1, &y1, &x2, &y2);
    Path p;
    p.MoveTo({x1, y1});
    p.LineTo({x2, y1});
    p.LineTo({x2, y2});
    p.LineTo({x1, y2});
    p.Close();
    p.Append(path);
    m_state.clip.clear();
    AddClip(std::move(p), false);
}

void Canvas::SelectClipPath(int mode)
{
    EndPath();
    if (m_closedPath.Empty()) {
        return;
    }
    const bool evenOdd = m_state.polyFillMode != 2;
    if (mode == kRgnCopy) {
        m_state.clip.clear();
        AddClip(m_closedPath, evenOdd);
    } else if (mode == kRgnDiff) {
        Path p = Everything();
        p.Append(m_closedPath);
        AddClip(std::move(p), true);
    } else if (mode == kRgnAnd) {
        AddClip(m_closedPath, evenOdd);
    } else if (m_state.clipped) {
        UniteClip(m_closedPath);
    }
    m_closedPath.Clear();
}

} // namespace platform::gdi
