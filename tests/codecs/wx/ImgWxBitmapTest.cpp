// The image library's bitmaps on the display: conversion to wx bitmaps and drawing on device contexts,
// checked by reading back the pixels that were drawn.

#include "codecs/wx/ImgWxBitmap.h"
#include "codecs/CatalogueImage.h"
#include "codecs/ImgAnyBitmap.h"
#include "codecs/ImgDIBSection.h"
#include "tests/codecs/ImageTools.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/utils.h>

namespace {

using namespace lumarc::test;

constexpr uint32_t kRed = 0xFFFF0000u; // blue in the low byte
constexpr uint32_t kGreen = 0xFF00FF00u;
constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr uint32_t kMagenta = 0xFFFF00FFu;

wxColour ColourAt(const wxImage& image, int x, int y)
{
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

// A canvas filled white; returns what was drawn on it.
template <class Draw>
wxImage DrawOnCanvas(int width, int height, Draw draw)
{
    wxBitmap canvas(width, height, 24);
    {
        wxMemoryDC dc(canvas);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        draw(dc);
    }
    return canvas.ConvertToImage();
}

// Two by two: red, green over blue, magenta.
void MakeQuad(CImgBitmap& bmp)
{
    bmp.Create(2, 2, 32, false);
    bmp.SetPixel(0, 0, kRed);
    bmp.SetPixel(1, 0, kGreen);
    bmp.SetPixel(0, 1, kBlue);
    bmp.SetPixel(1, 1, kMagenta);
}

TEST(ImgWxBitmapTest, ConvertsEveryDepthToWxImages)
{
    CImgDIBSection quad;
    MakeQuad(quad);
    wxImage image = ImgToWxImage(quad);
    EXPECT_EQ(ColourAt(image, 0, 0), *wxRED);
    EXPECT_EQ(ColourAt(image, 1, 0), *wxGREEN);
    EXPECT_EQ(ColourAt(image, 0, 1), *wxBLUE);
    EXPECT_FALSE(image.HasAlpha());

    quad.SetHasAlpha(true);
    quad.SetPixel(1, 1, 0x40FF00FFu);
    image = ImgToWxImage(quad);
    ASSERT_TRUE(image.HasAlpha());
    EXPECT_EQ(image.GetAlpha(1, 1), 0x40);
    EXPECT_EQ(image.GetAlpha(0, 0), 0xFF);

    CImgAnyBitmap grey;
    grey.Create(3, 1, 8, false);
    grey.SetPixel(2, 0, 128);
    image = ImgToWxImage(grey);
    EXPECT_EQ(ColourAt(image, 2, 0), wxColour(128, 128, 128));

    CImgAnyBitmap mono;
    mono.Create(9, 1, 1, false);
    mono.SetPixel(8, 0, 1);
    image = ImgToWxImage(mono);
    EXPECT_EQ(ColourAt(image, 8, 0), *wxWHITE);
    EXPECT_EQ(ColourAt(image, 7, 0), *wxBLACK);
}

TEST(ImgWxBitmapTest, DrawsWholeStretchedScaledAndInPart)
{
    CImgDIBSection quad;
    MakeQuad(quad);

    wxImage drawn = DrawOnCanvas(6, 6, [&](wxDC& dc) { ImgDraw(dc, quad, 2, 3); });
    EXPECT_EQ(ColourAt(drawn, 2, 3), *wxRED);
    EXPECT_EQ(ColourAt(drawn, 3, 4), wxColour(255, 0, 255));
    EXPECT_EQ(ColourAt(drawn, 1, 3), *wxWHITE);

    drawn = DrawOnCanvas(8, 8, [&](wxDC& dc) { ImgStretchDraw(dc, quad, 0, 0, 8, 8); });
    EXPECT_EQ(ColourAt(drawn, 1, 1), *wxRED);
    EXPECT_EQ(ColourAt(drawn, 6, 1), *wxGREEN);
    EXPECT_EQ(ColourAt(drawn, 1, 6), *wxBLUE);

    drawn = DrawOnCanvas(8, 8, [&](wxDC& dc) { ImgDrawScaled(dc, quad, 0, 0, 1.5); });
    EXPECT_EQ(ColourAt(drawn, 0, 0), *wxRED);
    EXPECT_EQ(ColourAt(drawn, 3, 3), *wxWHITE) << "2 x 1.5 is 3 pixels";

    drawn = DrawOnCanvas(4, 4, [&](wxDC& dc) { ImgDrawPart(dc, quad, 0, 0, 1, 1, 2, 2); });
    EXPECT_EQ(ColourAt(drawn, 0, 0), wxColour(255, 0, 255));
    EXPECT_EQ(ColourAt(drawn, 1, 0), *wxWHITE);
}

TEST(ImgWxBitmapTest, GivesRecordPicturesAsBitmaps)
{
    const auto folder = MakeTempFolder("wxpicture");
    const auto jpeg = ReadBytes(Convert("-size 20x10 xc:#2040C0", folder / "blue.jpg"));
    CCatalogueImage picture;
    picture.LoadFromBytes(jpeg, false);
    const wxBitmap bitmap = GetHBitmap(picture);
    ASSERT_TRUE(bitmap.IsOk());
    EXPECT_EQ(bitmap.GetWidth(), 20);
    EXPECT_EQ(bitmap.GetHeight(), 10);
    const wxColour centre = ColourAt(bitmap.ConvertToImage(), 10, 5);
    EXPECT_NEAR(centre.Red(), 0x20, 3);
    EXPECT_NEAR(centre.Blue(), 0xC0, 3);

    // The caller's bitmap stays what it was when the picture changes.
    picture.Resize(5, 5);
    EXPECT_EQ(bitmap.GetWidth(), 20);
    EXPECT_EQ(GetHBitmapForDC(picture).GetWidth(), 5);
}

TEST(ImgWxBitmapTest, PaintsPackedDibsAndLeavesOutTheTransparentColour)
{
    CImgDIBSection quad;
    MakeQuad(quad);
    const std::vector<uint8_t> dib = quad.CopyToPackedDib();
    wxImage drawn =
        DrawOnCanvas(10, 10, [&](wxDC& dc) { PaintDIB(dc, wxRect(2, 2, 4, 4), dib.data(), dib.size()); });
    EXPECT_EQ(ColourAt(drawn, 2, 2), *wxRED);
    EXPECT_EQ(ColourAt(drawn, 5, 5), wxColour(255, 0, 255));
    EXPECT_EQ(ColourAt(drawn, 7, 7), *wxWHITE);
    drawn = DrawOnCanvas(4, 4, [&](wxDC& dc) { PaintDIB(dc, wxRect(0, 0, 4, 4), dib.data(), 20); });
    EXPECT_EQ(ColourAt(drawn, 0, 0), *wxWHITE) << "a broken DIB draws nothing";

    const wxBitmap bitmap = ImgToWxBitmap(quad);
    drawn =
        DrawOnCanvas(2, 2, [&](wxDC& dc) { DrawTransparentBitmap(dc, bitmap, 0, 0, wxColour(255, 0, 255)); });
    EXPECT_EQ(ColourAt(drawn, 0, 0), *wxRED);
    EXPECT_EQ(ColourAt(drawn, 1, 1), *wxWHITE);
}

TEST(ImgWxBitmapTest, CopiesWhatTheScreenShows)
{
    // Other tests share the display, so the window sits in a corner, stays on top, and the copy is
    // taken again until the window has been drawn (or two seconds have passed).
    auto* frame = new wxFrame(nullptr, wxID_ANY, "capture", wxPoint(1000, 800), wxSize(200, 150),
                              wxDEFAULT_FRAME_STYLE | wxSTAY_ON_TOP);
    auto* panel = new wxPanel(frame); // owned by the frame
    panel->SetBackgroundColour(wxColour(0, 200, 0));
    frame->Show();
    wxColour seen;
    wxBitmap shot;
    for (int i = 0; i < 200 && seen != wxColour(0, 200, 0); ++i) {
        frame->Raise();
        wxTheApp->Yield(true);
        wxMilliSleep(10);
        const wxPoint origin = panel->ClientToScreen(wxPoint(0, 0));
        shot = CopyScreenRect(wxRect(origin.x + 10, origin.y + 10, 30, 20));
        ASSERT_TRUE(shot.IsOk());
        seen = ColourAt(shot.ConvertToImage(), 15, 10);
    }
    EXPECT_EQ(shot.GetWidth(), 30);
    EXPECT_EQ(shot.GetHeight(), 20);
    EXPECT_EQ(seen, wxColour(0, 200, 0));
    frame->Destroy();
    wxTheApp->Yield(true);
    EXPECT_FALSE(CopyScreenRect(wxRect(0, 0, 0, 5)).IsOk());
}

} // namespace
