#include "platform/gdi/Metafile.h"

#include "platform/gdi/MetafilePlayers.h"
#include "platform/gdi/RecordReader.h"

#include <algorithm>
#include <cmath>

namespace platform::gdi {

namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableSize = 22;
constexpr size_t kWindowsHeaderSize = 18;
constexpr uint32_t kEnhancedSignature = 0x464D4520; // " EMF"
constexpr size_t kEnhancedHeaderSize = 88;
constexpr int kLargestSide = 32767;

// The palette an enhanced metafile keeps in its end-of-file record.
std::vector<Rgb> FindPalette(std::span<const uint8_t> data)
{
    size_t at = 0;
    while (data.size() - at >= 8) {
        RecordReader head(data.subspan(at, 8));
        const uint32_t type = head.U32(0);
        const uint32_t size = head.U32(4);
        if (size < 8 || size > data.size() - at) {
            break;
        }
        if (type == 14) {
            RecordReader r(data.subspan(at, size));
            const uint32_t count = r.U32(8);
            const uint32_t offset = r.U32(12);
            std::vector<Rgb> palette;
            if (count <= 65536 && r.Fits(offset, count, 4)) {
                for (uint32_t i = 0; i < count; ++i) {
                    palette.push_back(
                        {r.U8(offset + 4 * i), r.U8(offset + 4 * i + 1), r.U8(offset + 4 * i + 2)});
                }
            }
            return palette;
        }
        at += size;
    }
    return {};
}

} // namespace

ScreenMetrics Screen()
{
    return {};
}

std::optional<Metafile> Metafile::Load(std::span<const uint8_t> data, MetafileKind kind)
{
    Metafile mf;
    mf.m_header.kind = kind;
    RecordReader r(data);
    if (kind == MetafileKind::Enhanced) {
        const uint32_t size = r.U32(4);
        if (r.U32(0) != 1 || r.U32(40) != kEnhancedSignature || size < kEnhancedHeaderSize ||
            size > data.size() || r.Failed()) {
            return std::nullopt;
        }
        for (int i = 0; i < 4; ++i) {
            mf.m_header.bounds[i] = r.I32(8 + 4 * static_cast<size_t>(i));
            mf.m_header.frame[i] = r.I32(24 + 4 * static_cast<size_t>(i));
        }
        mf.m_header.devicePixels[0] = r.I32(72);
        mf.m_header.devicePixels[1] = r.I32(76);
        mf.m_header.deviceMillimetres[0] = r.I32(80);
        mf.m_header.deviceMillimetres[1] = r.I32(84);
        if (r.U32(68) != 0) {
            mf.m_header.palette = FindPalette(data);
        }
        mf.m_recordsStart = 0;
    } else {
        size_t at = 0;
        if (r.U32(0) == kPlaceableKey) {
            mf.m_header.placeable = true;
            for (int i = 0; i < 4; ++i) {
                mf.m_header.box[i] = r.I16(6 + 2 * static_cast<size_t>(i));
            }
            mf.m_header.unitsPerInch = r.U16(14);
            at = kPlaceableSize;
        }
        const uint16_t type = r.U16(at);
        const uint16_t headerWords = r.U16(at + 2);
        const uint16_t version = r.U16(at + 4);
        if (r.Failed() || (type != 1 && type != 2) || headerWords != 9 ||
            (version != 0x0100 && version != 0x0300)) {
            return std::nullopt;
        }
        mf.m_recordsStart = at + kWindowsHeaderSize;
        if (mf.m_recordsStart > data.size()) {
            return std::nullopt;
        }
    }
    mf.m_data.assign(data.begin(), data.end());
    return mf;
}

std::vector<uint32_t> Metafile::Render(int width, int height, uint32_t background) const
{
    if (width < 1 || height < 1 || width > kLargestSide || height > kLargestSide) {
        return {};
    }
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height),
                                 0xFF000000u | (background & 0xFFFFFF));
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(pixels.data()), CAIRO_FORMAT_ARGB32, width, height, 4 * width);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return {};
    }
    const std::span<const uint8_t> records = std::span<const uint8_t>(m_data).subspan(m_recordsStart);
    const MetafileHeader& h = m_header;
    // Where the picture lies in device units, stretched over the whole surface.
    RectD picture{0, 0, static_cast<double>(width), static_cast<double>(height)};
    PointD unitsPerMm{Screen().horzRes / static_cast<double>(Screen().horzSizeMm),
                      Screen().vertRes / static_cast<double>(Screen().vertSizeMm)};
    if (h.kind == MetafileKind::Enhanced) {
        if (h.devicePixels[0] > 0 && h.devicePixels[1] > 0 && h.deviceMillimetres[0] > 0 &&
            h.deviceMillimetres[1] > 0) {
            unitsPerMm = {static_cast<double>(h.devicePixels[0]) / h.deviceMillimetres[0],
                          static_cast<double>(h.devicePixels[1]) / h.deviceMillimetres[1]};
        }
        // The frame is in hundredths of a millimetre; without a frame, the bounds are in device units.
        const RectD frame{h.frame[0] * unitsPerMm.x / 100, h.frame[1] * unitsPerMm.y / 100,
                          h.frame[2] * unitsPerMm.x / 100, h.frame[3] * unitsPerMm.y / 100};
        if (frame.right > frame.left && frame.bottom > frame.top) {
            picture = frame;
        } else if (h.bounds[2] >= h.bounds[0] && h.bounds[3] >= h.bounds[1]) {
            picture = {static_cast<double>(h.bounds[0]), static_cast<double>(h.bounds[1]),
                       static_cast<double>(h.bounds[2]) + 1, static_cast<double>(h.bounds[3]) + 1};
        }
    } else {
        RectD window;
        if (h.placeable && h.box[2] != h.box[0] && h.box[3] != h.box[1]) {
            picture = {static_cast<double>(h.box[0]), static_cast<double>(h.box[1]),
                       static_cast<double>(h.box[2]), static_cast<double>(h.box[3])};
        } else if (FindWindowRect(records, window)) {
            picture = window;
        }
        const double inch = h.placeable && h.unitsPerInch != 0 ? h.unitsPerInch : Screen().logPixelsX;
        unitsPerMm = {inch / 25.4, inch / 25.4};
    }
    cairo_matrix_t toSurface;
    cairo_matrix_init_scale(&toSurface, width / (picture.right - picture.left),
                            height / (picture.bottom - picture.top));
    cairo_matrix_translate(&toSurface, -picture.left, -picture.top);
    {
        Canvas canvas(surface, toSurface, unitsPerMm);
        if (h.kind == MetafileKind::Enhanced) {
            PlayEnhancedRecords(records, canvas);
        } else {
            // A Windows metafile's window is laid over the picture: logical units are device units until
            // the metafile sets its own window.
            DcState& s = canvas.State();
            s.mapMode = kMmAnisotropic;
            s.windowOrg = s.viewportOrg = {picture.left, picture.top};
            s.windowExt = s.viewportExt = {picture.right - picture.left, picture.bottom - picture.top};
            canvas.MappingChanged();
            const unsigned objects =
                RecordReader(std::span<const uint8_t>(m_data).subspan(m_recordsStart - 8, 2)).U16(0);
            PlayWindowsRecords(records, objects, canvas);
        }
    }
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    // Whatever was drawn lies on the opaque background: every pixel is opaque.
    return pixels;
}

} // namespace platform::gdi
