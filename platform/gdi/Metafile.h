#pragma once
// Windows metafiles (with or without the placeable header) and enhanced metafiles, played by a player
// of our own onto a picture: drawing records (lines, polygons, rectangles, ellipses, arcs, text,
// bitmaps, regions and paths) with their pens, brushes, fonts, palettes, mapping modes, clipping and
// saved states.

#include "platform/gdi/GdiObjects.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform::gdi {

enum class MetafileKind
{
    Windows,
    Enhanced,
};

struct MetafileHeader
{
    MetafileKind kind = MetafileKind::Enhanced;
    // Enhanced metafiles: the picture's frame in hundredths of a millimetre and its bounds in device
    // units (left, top, right, bottom), and the size of the reference device in pixels and millimetres.
    int32_t frame[4] = {0, 0, 0, 0};
    int32_t bounds[4] = {0, 0, 0, 0};
    int32_t devicePixels[2] = {0, 0};
    int32_t deviceMillimetres[2] = {0, 0};
    // The colours an enhanced metafile keeps in its last record.
    std::vector<Rgb> palette;
    // Windows metafiles: the placeable header's box in logical units and its units per inch.
    bool placeable = false;
    int16_t box[4] = {0, 0, 0, 0};
    uint16_t unitsPerInch = 0;
};

// The screen pictures are made for: 96 pixels an inch, 1920 x 1440 pixels on 508 x 381 millimetres.
struct ScreenMetrics
{
    int logPixelsX = 96;
    int logPixelsY = 96;
    int horzRes = 1920;
    int vertRes = 1440;
    int horzSizeMm = 508;
    int vertSizeMm = 381;
};
ScreenMetrics Screen();

class Metafile
{
public:
    // Reads the header; nothing when the data is not a metafile of that kind. The data is copied.
    static std::optional<Metafile> Load(std::span<const uint8_t> data, MetafileKind kind);

    const MetafileHeader& Header() const { return m_header; }

    // Plays the records onto a width x height picture first filled with `background` (0xRRGGBB), the
    // picture's frame stretched over all of it. Pixels are 0xFFRRGGBB, top line first; empty when a
    // picture of that size cannot be made (sides of 1 to 32767 pixels).
    std::vector<uint32_t> Render(int width, int height, uint32_t background = 0xFFFFFF) const;

private:
    Metafile() = default;

    std::vector<uint8_t> m_data;
    MetafileHeader m_header;
    size_t m_recordsStart = 0;
};

} // namespace platform::gdi
