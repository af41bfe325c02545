#pragma once
// Metafiles written at test time by libUEMF's writer functions (a writer nobody here wrote): one
// drawing of shapes, pens, brushes, clipping, text and a bitmap, as an enhanced and as a Windows
// metafile, and small pictures of single features.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace lumarc::test {

// Shared: only what another renderer (emf2svg) draws as Windows does: solid brushes, one-pixel pens,
// polygons filled by winding. Full: also hatched brushes, a dashed pen, a wide pen and a star filled
// by the alternate rule, which leaves its middle empty.
enum class SampleStyle
{
    Shared,
    Full,
};

// The drawing as an enhanced metafile of 400 x 300 pixels at 96 pixels an inch, in a window of
// 4000 x 3000 logical units.
void WriteSampleEnhanced(const std::filesystem::path& path, SampleStyle style);

// The same drawing as a Windows metafile, with a placeable header of 400 x 300 at 96 units an inch, or
// without one.
void WriteSampleWindows(const std::filesystem::path& path, bool placeable, SampleStyle style);

// An enhanced metafile of `width` x `height` pixels whose frame is given in hundredths of a millimetre,
// with `palette` colours (0xRRGGBB) in its last record; `draw` appends records between the header and
// the end through AppendEmf.
void WriteEnhanced(const std::filesystem::path& path, int frameWidth, int frameHeight,
                   const std::vector<uint32_t>& palette, const std::function<void(void*)>& draw);
// Appends a record made by a libUEMF *_set function to the metafile being written (the void* of draw).
void AppendEmf(void* track, char* record);

} // namespace lumarc::test
