#include "mainwindow/common/SelectionFrame.h"

#include <wx/brush.h>
#include <wx/dc.h>

#include <algorithm>

namespace {

const wxColour kLightGrey(192, 192, 192);

} // namespace

wxPen CreateFramePen(int width)
{
    return wxPen(*wxBLACK, width, width == 1 ? wxPENSTYLE_SOLID : wxPENSTYLE_CROSSDIAG_HATCH);
}

void DrawHandle(wxDC& dc, int x, int y, bool dark)
{
    dc.SetPen(wxPen(dark ? kLightGrey : *wxBLACK));
    dc.SetBrush(wxBrush(dark ? *wxBLACK : kLightGrey));
    dc.DrawRectangle(x, y, kHandleSize, kHandleSize);
}

void DrawDottedFrame(wxDC& dc, const SelectionFrame& frame)
{
    const wxPen oldPen = dc.GetPen();
    const wxBrush oldBrush = dc.GetBrush();
    dc.SetPen(CreateFramePen());
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    int left = frame.left;
    int top = frame.top;
    int right = frame.right;
    int bottom = frame.bottom;
    const int outline = std::max(1, kHandleSize - 3);
    left -= outline;
    top -= outline;
    right += outline;
    bottom += outline;
    dc.DrawRectangle(left, top, right - left, bottom - top);
    left -= 3;
    top -= 3;
    right += 3;
    bottom += 3;
    if (frame.showHandles) {
        const int lastX = right - kHandleSize + 1;
        const int lastY = bottom - kHandleSize + 1;
        const int middleX = left + (right - left) / 2 - 3;
        const int middleY = top + (bottom - top) / 2 - 3;
        const bool dark = frame.darkHandles;
        DrawHandle(dc, left, top, dark);
        DrawHandle(dc, lastX, top, dark);
        DrawHandle(dc, left, lastY, dark);
        DrawHandle(dc, lastX, lastY, dark);
        DrawHandle(dc, middleX, top, dark);
        DrawHandle(dc, middleX, lastY, dark);
        DrawHandle(dc, left, middleY, dark);
        DrawHandle(dc, lastX, middleY, dark);
    }
    dc.SetPen(oldPen);
    dc.SetBrush(oldBrush);
}
