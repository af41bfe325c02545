// Text and bitmaps of the canvas.

#include "platform/gdi/GdiCanvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform::gdi {

namespace {

// The characters of a UTF-8 text, each as its own string.
std::vector<std::string> Characters(const std::string& text)
{
    std::vector<std::string> out;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<uint8_t>(text[i]);
        size_t n = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        n = std::min(n, text.size() - i);
        out.push_back(text.substr(i, n));
        i += n;
    }
    return out;
}

} // namespace

void Canvas::ClipLike(cairo_t* cr, double x, double y) const
{
    cairo_identity_matrix(cr);
    cairo_translate(cr, -x, -y);
    for (const ClipStep& step : m_state.clip) {
        cairo_new_path(cr);
        step.path.AppendTo(cr);
        cairo_set_fill_rule(cr, step.evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
        cairo_clip(cr);
    }
    cairo_new_path(cr);
}

void Canvas::TextOut(PointD ref, const std::string& utf8, std::span<const double> dx, uint32_t options,
                     const RectD* rect)
{
    if (m_inPath) {
        return; // outlines of text are not added to paths
    }
    const Font& font = m_state.font;
    const bool updateCp = (m_state.textAlign & kTaUpdateCp) != 0;
    const PointD origin = updateCp ? m_state.current : ref;
    ApplyClip();
    cairo_save(m_cr);
    cairo_identity_matrix(m_cr);
    if (rect != nullptr && (options & kEtoOpaque) != 0) {
        cairo_new_path(m_cr);
        RectPath(*rect).AppendTo(m_cr);
        SetBrushSource(Brush{}, true);
        cairo_fill(m_cr);
    }
    if (rect != nullptr && (options & kEtoClipped) != 0) {
        cairo_new_path(m_cr);
        RectPath(*rect).AppendTo(m_cr);
        cairo_clip(m_cr);
    }
    if (utf8.empty() || (options & kEtoGlyphIndex) != 0) {
        cairo_restore(m_cr);
        return;
    }

    const char* face = font.face.empty() ? "sans-serif" : font.face.c_str();
    cairo_select_font_face(m_cr, face, font.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           font.weight >= 600 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(m_cr, 1);
    cairo_font_extents_t unit;
    cairo_font_extents(m_cr, &unit);
    // A negative height is the characters' height (the em); a positive one the cell's, ascent and
    // descent together; 0 asks for the default of twelve device pixels.
    const double pixel = std::hypot(m_deviceToSurface.xx, m_deviceToSurface.yx);
    double em = 12 * pixel;
    if (font.height < 0) {
        em = OutLength(-font.height, true);
    } else if (font.height > 0) {
        em = OutLength(font.height, true) / std::max(unit.ascent + unit.descent, 0.1);
    }
    if (!(em >= 0.5 && em <= 10000)) {
        cairo_restore(m_cr);
        return; // too small to see, or absurd
    }
    const double angle = font.escapement / 10 * std::numbers::pi / 180;
    const PointD along{std::cos(angle), -std::sin(angle)}; // the baseline's direction on the surface
    const PointD down{std::sin(angle), std::cos(angle)};

    cairo_set_font_size(m_cr, em);
    cairo_font_extents_t extents;
    cairo_font_extents(m_cr, &extents);
    const std::vector<std::string> chars = dx.empty() ? std::vector<std::string>{} : Characters(utf8);
    // Where each character starts along the baseline, in surface pixels.
    std::vector<double> offsets;
    double width = 0;
    double logicalWidth = 0;
    if (!dx.empty()) {
        const size_t step = (options & kEtoPdy) != 0 ? 2 : 1;
        for (size_t i = 0; i < chars.size(); ++i) {
            offsets.push_back(OutLength(logicalWidth));
            const size_t at = i * step;
            if (at < dx.size()) {
                logicalWidth += dx[at];
            }
        }
        width = OutLength(logicalWidth);
    } else {
        cairo_text_extents_t text;
        cairo_text_extents(m_cr, utf8.c_str(), &text);
        width = text.x_advance;
        const double unitX = OutLength(1);
        logicalWidth = unitX > 0 ? width / unitX : 0;
    }

    PointD start = Out(origin);
    const uint32_t horizontal = m_state.textAlign & kTaCenter;
    const double shift = horizontal == kTaCenter ? width / 2 : horizontal == kTaRight ? width : 0;
    start = {start.x - along.x * shift, start.y - along.y * shift};
    const uint32_t vertical = m_state.textAlign & kTaBaseline;
    const double drop = vertical == kTaBaseline ? 0
                        : vertical == kTaBottom ? -extents.descent
                                                : extents.ascent;
    const PointD baseline{start.x + down.x * drop, start.y + down.y * drop};
    if (!std::isfinite(baseline.x) || !std::isfinite(baseline.y) || std::fabs(baseline.x) > 1e7 ||
        std::fabs(baseline.y) > 1e7) {
        cairo_restore(m_cr);
        return;
    }

    if (m_state.bkMode == 2 && (options & kEtoOpaque) == 0) {
        // An opaque background behind the text's cell.
        const auto corner = [&](double a, double d) {
            return PointD{baseline.x + along.x * a + down.x * d, baseline.y + along.y * a + down.y * d};
        };
        const PointD c[4] = {corner(0, -extents.ascent), corner(width, -extents.ascent),
                             corner(width, extents.descent), corner(0, extents.descent)};
        cairo_new_path(m_cr);
        cairo_move_to(m_cr, c[0].x, c[0].y);
        for (int i = 1; i < 4; ++i) {
            cairo_line_to(m_cr, c[i].x, c[i].y);
        }
        cairo_close_path(m_cr);
        SetBrushSource(Brush{}, true);
        cairo_fill(m_cr);
    }

    cairo_matrix_t fontMatrix;
    cairo_matrix_init_scale(&fontMatrix, em, em);
    cairo_matrix_t rotation;
    cairo_matrix_init_rotate(&rotation, -angle);
    cairo_matrix_multiply(&fontMatrix, &fontMatrix, &rotation);
    cairo_set_font_matrix(m_cr, &fontMatrix);
    const Rgb colour = Resolve(m_state.textColour);
    cairo_set_source_rgb(m_cr, colour.r / 255.0, colour.g / 255.0, colour.b / 255.0);
    cairo_new_path(m_cr);
    if (dx.empty()) {
        cairo_move_to(m_cr, baseline.x, baseline.y);
        cairo_show_text(m_cr, utf8.c_str());
    } else {
        for (size_t i = 0; i < chars.size(); ++i) {
            cairo_move_to(m_cr, baseline.x + along.x * offsets[i], baseline.y + along.y * offsets[i]);
            cairo_show_text(m_cr, chars[i].c_str());
        }
    }
    const double thickness = std::max(1.0, em / 14);
    for (const auto& [wanted, at] :
         {std::pair{font.underline, em / 8}, std::pair{font.strikeOut, -extents.ascent / 3}}) {
        if (!wanted) {
            continue;
        }
        cairo_new_path(m_cr);
        cairo_move_to(m_cr, baseline.x + down.x * at, baseline.y + down.y * at);
        cairo_line_to(m_cr, baseline.x + down.x * at + along.x * width,
                      baseline.y + down.y * at + along.y * width);
        cairo_set_line_width(m_cr, thickness);
        cairo_stroke(m_cr);
    }
    cairo_restore(m_cr);

    if (updateCp) {
        const double move = horizontal == kTaCenter  ? 0
                            : horizontal == kTaRight ? -logicalWidth
                                                     : logicalWidth;
        m_state.current = {origin.x + move, origin.y};
    }
}

bool Canvas::SourceMatrix(const RectD& dest, const RectD& sourceRect, cairo_matrix_t& out)
{
    const double sw = sourceRect.right - sourceRect.left;
    const double sh = sourceRect.bottom - sourceRect.top;
    if (sw == 0 || sh == 0) {
        return false;
    }
    const PointD p0 = Out({dest.left, dest.top});
    const PointD px = Out({dest.right, dest.top});
    const PointD py = Out({dest.left, dest.bottom});
    // Source pixels to surface pixels.
    cairo_matrix_t a;
    a.xx = (px.x - p0.x) / sw;
    a.yx = (px.y - p0.y) / sw;
    a.xy = (py.x - p0.x) / sh;
    a.yy = (py.y - p0.y) / sh;
    a.x0 = p0.x - a.xx * sourceRect.left - a.xy * sourceRect.top;
    a.y0 = p0.y - a.yx * sourceRect.left - a.yy * sourceRect.top;
    const double det = a.xx * a.yy - a.xy * a.yx;
    if (!std::isfinite(det) || std::fabs(det) < 1e-12 || !std::isfinite(a.x0) || !std::isfinite(a.y0)) {
        return false;
    }
    out = a;
    return cairo_matrix_invert(&out) == CAIRO_STATUS_SUCCESS;
}

void Canvas::StretchBlt(const RectD& dest, const SurfacePtr& source, const RectD& sourceRect, uint32_t rop)
{
    if (m_inPath) {
        return;
    }
    const Path area = RectPath(dest);
    switch (rop) {
    case kPatCopy:
        FillWith(area, m_state.brush);
        return;
    case kBlackness:
    case kWhiteness: {
        Brush plain;
        plain.colour = rop == kBlackness ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
        FillWith(area, plain);
        return;
    }
    case 0x00AA0029: // the destination as it is
        return;
    default:
        break;
    }
    if (rop == kSrcCopy && source) {
        cairo_matrix_t toSource;
        if (!SourceMatrix(dest, sourceRect, toSource)) {
            return;
        }
        ApplyClip();
        cairo_identity_matrix(m_cr);
        cairo_pattern_t* pattern = cairo_pattern_create_for_surface(source.get());
        cairo_pattern_set_matrix(pattern, &toSource);
        cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
        cairo_pattern_set_filter(pattern, CAIRO_FILTER_GOOD);
        cairo_set_source(m_cr, pattern);
        cairo_pattern_destroy(pattern);
        cairo_new_path(m_cr);
        area.AppendTo(m_cr);
        cairo_fill(m_cr);
        return;
    }
    RasterOp(dest, source, sourceRect, rop);
}

void Canvas::AlphaBlend(const RectD& dest, const SurfacePtr& source, const RectD& sourceRect,
                        int constantAlpha, bool /*sourceAlpha*/)
{
    cairo_matrix_t toSource;
    if (m_inPath || !source || !SourceMatrix(dest, sourceRect, toSource)) {
        return;
    }
    ApplyClip();
    cairo_save(m_cr);
    cairo_identity_matrix(m_cr);
    cairo_new_path(m_cr);
    RectPath(dest).AppendTo(m_cr);
    cairo_clip(m_cr);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(source.get());
    cairo_pattern_set_matrix(pattern, &toSource);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_GOOD);
    cairo_set_source(m_cr, pattern);
    cairo_pattern_destroy(pattern);
    // The source's own alpha is in its (premultiplied) pixels already.
    cairo_paint_with_alpha(m_cr, std::clamp(constantAlpha, 0, 255) / 255.0);
    cairo_restore(m_cr);
}

void Canvas::RasterOp(const RectD& dest, const SurfacePtr& source, const RectD& sourceRect, uint32_t rop)
{
    const unsigned code = (rop >> 16) & 0xFF;
    // Whether the result depends on the source, the pattern (brush) and the destination.
    const bool usesSource = ((code >> 2) & 0x33) != (code & 0x33);
    const bool usesPattern = ((code >> 4) & 0x0F) != (code & 0x0F);
    cairo_matrix_t toSource;
    if (usesSource && (!source || !SourceMatrix(dest, sourceRect, toSource))) {
        return;
    }
    const int surfaceWidth = cairo_image_surface_get_width(m_surface);
    const int surfaceHeight = cairo_image_surface_get_height(m_surface);
    const PointD corners[4] = {Out({dest.left, dest.top}), Out({dest.right, dest.top}),
                               Out({dest.right, dest.bottom}), Out({dest.left, dest.bottom})};
    double minX = corners[0].x, maxX = corners[0].x, minY = corners[0].y, maxY = corners[0].y;
    for (const PointD& c : corners) {
        if (!std::isfinite(c.x) || !std::isfinite(c.y)) {
            return;
        }
        minX = std::min(minX, c.x);
        maxX = std::max(maxX, c.x);
        minY = std::min(minY, c.y);
        maxY = std::max(maxY, c.y);
    }
    // The covered pixels, within the surface.
    const auto within = [](double v, int size) { return static_cast<int>(std::clamp(v, 0.0, double(size))); };
    const int x0 = within(std::floor(minX), surfaceWidth);
    const int y0 = within(std::floor(minY), surfaceHeight);
    const int x1 = within(std::ceil(maxX), surfaceWidth);
    const int y1 = within(std::ceil(maxY), surfaceHeight);
    if (x0 >= x1 || y0 >= y1) {
        return;
    }
    const int w = x1 - x0;
    const int h = y1 - y0;
    const Path area = RectPath(dest);

    // Which pixels the operation covers: the rectangle within the clip.
    SurfacePtr mask = OwnSurface(cairo_image_surface_create(CAIRO_FORMAT_A8, w, h));
    {
        cairo_t* cr = cairo_create(mask.get());
        ClipLike(cr, x0, y0);
        area.AppendTo(cr);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        cairo_fill(cr);
        cairo_destroy(cr);
    }
    // The source and the pattern as they land on those pixels.
    const auto paint = [&](cairo_pattern_t* pattern) {
        SurfacePtr image = OwnSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
        cairo_t* cr = cairo_create(image.get());
        cairo_translate(cr, -x0, -y0);
        area.AppendTo(cr);
        cairo_set_source(cr, pattern);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        cairo_fill(cr);
        cairo_destroy(cr);
        cairo_surface_flush(image.get());
        return image;
    };
    SurfacePtr sourceImage;
    if (usesSource) {
        cairo_pattern_t* pattern = cairo_pattern_create_for_surface(source.get());
        cairo_pattern_set_matrix(pattern, &toSource);
        cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
        cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
        sourceImage = paint(pattern);
        cairo_pattern_destroy(pattern);
    }
    SurfacePtr patternImage;
    if (usesPattern) {
        cairo_pattern_t* pattern = BrushPattern(m_state.brush, false);
        patternImage = paint(pattern);
        cairo_pattern_destroy(pattern);
    }

    cairo_surface_flush(mask.get());
    cairo_surface_flush(m_surface);
    uint8_t* target = cairo_image_surface_get_data(m_surface);
    const int targetStride = cairo_image_surface_get_stride(m_surface);
    const uint8_t* coverage = cairo_image_surface_get_data(mask.get());
    const int maskStride = cairo_image_surface_get_stride(mask.get());
    const auto row = [](const SurfacePtr& s, int y) -> const uint32_t* {
        return s ? reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s.get()) +
                                                     y * cairo_image_surface_get_stride(s.get()))
                 : nullptr;
    };
    for (int y = 0; y < h; ++y) {
        auto* d = reinterpret_cast<uint32_t*>(target + (y0 + y) * targetStride) + x0;
        const uint8_t* m = coverage + y * maskStride;
        const uint32_t* s = row(sourceImage, y);
        const uint32_t* p = row(patternImage, y);
        for (int x = 0; x < w; ++x) {
            if (m[x] == 0) {
                continue;
            }
            const uint32_t dv = d[x];
            const uint32_t sv = s != nullptr ? s[x] : 0;
            const uint32_t pv = p != nullptr ? p[x] : 0;
            // Bit i of the code is the result for pattern, source and destination bits (i >> 2, i >> 1, i)
            // & 1.
            uint32_t result = 0;
            for (unsigned i = 0; i < 8; ++i) {
                if (((code >> i) & 1) != 0) {
                    result |=
                        ((i & 4) != 0 ? pv : ~pv) & ((i & 2) != 0 ? sv : ~sv) & ((i & 1) != 0 ? dv : ~dv);
                }
            }
            d[x] = 0xFF000000u | (result & 0xFFFFFF);
        }
    }
    cairo_surface_mark_dirty_rectangle(m_surface, x0, y0, w, h);
}

} // namespace platform::gdi
