#pragma once
// Pictures of windows for a person to look at: with LUMARC_SCREENSHOTS naming a folder, a window test
// saves what the display shows of its window there as <name>.png; without it, nothing is saved.

#include <wx/gdicmn.h>

#include <string>

class wxWindow;

namespace lumarc::test {

// Lets the event loop run for a while, so that freshly shown windows (and a browser engine) paint.
void LetWindowsPaint();

// Saves what the display shows of the window, frame and all.
void SaveWindowShot(wxWindow& window, const std::string& name);

// Saves what the display shows in a rectangle of the screen (a window with its open pop-up, say).
void SaveScreenShot(const wxRect& rect, const std::string& name);

} // namespace lumarc::test
