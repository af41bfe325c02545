#pragma once
// The record players behind Metafile::Render, one per kind of metafile.

#include "platform/gdi/GdiCanvas.h"
#include "platform/gdi/Metafile.h"

#include <span>

namespace platform::gdi {

// Plays the records of an enhanced metafile (the header record included) on the canvas.
void PlayEnhancedRecords(std::span<const uint8_t> records, Canvas& canvas);

// Plays the records of a Windows metafile, from the first record after its header, with an object table
// of `objectCount` entries.
void PlayWindowsRecords(std::span<const uint8_t> records, unsigned objectCount, Canvas& canvas);

// The window origin and extent a Windows metafile sets first, if it sets them.
bool FindWindowRect(std::span<const uint8_t> records, RectD& rect);

} // namespace platform::gdi
