#include "mainwindow/common/SelectionFrame.h"

#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

namespace {

wxImage Draw(const SelectionFrame& frame)
{
    wxBitmap bitmap(120, 120, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        DrawDottedFrame(dc, frame);
    }
    return bitmap.ConvertToImage();
}

bool IsColour(const wxImage& image, int x, int y, unsigned char grey)
{
    return image.GetRed(x, y) == grey && image.GetGreen(x, y) == grey && image.GetBlue(x, y) == grey;
}

} // namespace

TEST(SelectionFrame, DrawsTheOutlineAndEightHandlesOutsideTheElement)
{
    const SelectionFrame frame{40, 40, 80, 70, true, true};
    const wxImage dark = Draw(frame);
    // Handles sit on the rectangle 7 pixels outside the element: corners, and the middles of the sides.
    struct Handle
    {
        int x;
        int y;
    };
    const Handle handles[] = {{33, 33}, {81, 33}, {33, 71}, {81, 71}, {57, 33}, {57, 71}, {33, 52}, {81, 52}};
    for (const auto& h : handles) {
        EXPECT_TRUE(IsColour(dark, h.x + 3, h.y + 3, 0)) << h.x << "," << h.y; // black inside
        EXPECT_TRUE(IsColour(dark, h.x + 3, h.y, 192)) << h.x << "," << h.y;   // light grey border
        EXPECT_TRUE(IsColour(dark, h.x, h.y + 3, 192)) << h.x << "," << h.y;
    }
    const wxImage light = Draw({40, 40, 80, 70, false, true});
    EXPECT_TRUE(IsColour(light, 36, 36, 192));
    EXPECT_TRUE(IsColour(light, 36, 33, 0));
    // The element itself is left alone, and so is everything beyond the handles.
    EXPECT_TRUE(IsColour(dark, 60, 55, 255));
    EXPECT_TRUE(IsColour(dark, 10, 10, 255));
    EXPECT_TRUE(IsColour(dark, 100, 100, 255));
    // The hatched outline runs 4 pixels outside the element, between the handles: some pixels of its
    // band are drawn, not all.
    int drawn = 0;
    for (int x = 42; x < 56; ++x) {
        for (int y = 33; y <= 39; ++y) {
            drawn += !IsColour(dark, x, y, 255);
        }
    }
    EXPECT_GT(drawn, 0);
    EXPECT_LT(drawn, 14 * 7);

    const wxImage hidden = Draw({40, 40, 80, 70, true, false});
    EXPECT_FALSE(IsColour(hidden, 36, 36, 0) && IsColour(hidden, 36, 33, 192));
}

TEST(SelectionFrame, PointsInRectanglesIncludeTheirEdges)
{
    EXPECT_TRUE(IsPointInRect(0, 0, 10, 10, 10, 10));
    EXPECT_TRUE(IsPointInRect(0, 0, 10, 10, 0, 5));
    EXPECT_FALSE(IsPointInRect(0, 0, 10, 10, 11, 5));
    EXPECT_FALSE(IsPointInRect(0, 0, 10, 10, 5, -1));
    EXPECT_EQ(CreateFramePen(1).GetStyle(), wxPENSTYLE_SOLID);
    EXPECT_EQ(CreateFramePen().GetStyle(), wxPENSTYLE_CROSSDIAG_HATCH);
    EXPECT_EQ(CreateFramePen().GetWidth(), kHandleSize);
}
