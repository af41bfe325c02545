#pragma once
// Device-independent bitmaps inside metafile records (an info header with its colour table, and the
// pixel bits) turned into cairo image surfaces for drawing.

#include "platform/gdi/GdiObjects.h"

#include <span>

namespace platform::gdi {

struct DibOptions
{
    // Keep the fourth byte of 32-bit pixels as (premultiplied) alpha, as alpha blending wants it;
    // otherwise every pixel is opaque.
    bool keepAlpha = false;
    // The colour table holds 16-bit indices into this palette instead of colours.
    const Palette* paletteIndices = nullptr;
};

// A top-down ARGB32 surface of the DIB, or null when the DIB is broken, larger than 16384 pixels a side,
// shorter than its header says, or of a kind not read (JPEG or PNG compression). Reads 1, 4, 8, 16, 24
// and 32 bits a pixel, uncompressed, with bit fields or run-length encoded, with the 12-byte core header
// or the 40-byte header and its longer versions.
SurfacePtr ReadDib(std::span<const uint8_t> info, std::span<const uint8_t> bits,
                   const DibOptions& options = {});

// The same for a packed DIB, the header, colour table and bits in one block (as Windows metafiles keep
// them).
SurfacePtr ReadPackedDib(std::span<const uint8_t> packed, const DibOptions& options = {});

// Whether the DIB's rows run from the bottom up (a positive height), which is how its source rectangles
// count their lines.
bool DibIsBottomUp(std::span<const uint8_t> info);

} // namespace platform::gdi
