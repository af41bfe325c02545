#pragma once
// The record players behind Metafile::Render, one per kind of metafile.

#include "platform/gdi/GdiCanvas.h"
#include "platform/gdi/Metafile.h"

#include <span>
#include <variant>

namespace platform::gdi {

// Plays the records of an enhanced metafile (the header record included) on the canvas.
void PlayEnhancedRecords(std::span<const uint8_t> records, Canvas& canvas);

// Plays the records of a Windows metafile, from the first record after its header, with an object table
// of `objectCount` entries.
void PlayWindowsRecords(std::span<const uint8_t> records, unsigned objectCount, Canvas& canvas);

// The window origin and extent a Windows metafile sets first, if it sets them.
bool FindWindowRect(std::span<const uint8_t> records, RectD& rect);

// Makes a pen, brush or font the state's current one, as selecting it into a device context does; false
// for any other object, which each kind of metafile selects in its own way.
inline bool SelectDrawingObject(DcState& state, const GdiObject& object)
{
    if (const auto* pen = std::get_if<Pen>(&object)) {
        state.pen = *pen;
    } else if (const auto* brush = std::get_if<Brush>(&object)) {
        state.brush = *brush;
    } else if (const auto* font = std::get_if<Font>(&object)) {
        state.font = *font;
    } else {
        return false;
    }
    return true;
}

} // namespace platform::gdi
