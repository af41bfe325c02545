#pragma once
// The selection frame the designers draw around the chosen element: a wide hatched outline with eight
// square handles on its outer edge.

#include <wx/pen.h>

class wxDC;

inline constexpr int kHandleSize = 7;

struct SelectionFrame
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool darkHandles = false;
    bool showHandles = true;
};

// True when left <= x <= right and top <= y <= bottom.
inline bool IsPointInRect(int left, int top, int right, int bottom, int x, int y)
{
    return left <= x && x <= right && top <= y && y <= bottom;
}

// A black pen of the handle's width, hatched with diagonal crosses; a width of 1 gives a solid pen.
wxPen CreateFramePen(int width = kHandleSize);

// A 7 x 7 handle at (x, y): black with a light grey border when dark, light grey with a black border
// otherwise.
void DrawHandle(wxDC& dc, int x, int y, bool dark);

// The outline 4 pixels outside the frame's rectangle, and, when shown, the handles at the corners and the
// middles of the sides of the rectangle 7 pixels outside it.
void DrawDottedFrame(wxDC& dc, const SelectionFrame& frame);
