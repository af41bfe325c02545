#pragma once
// Where the image library meets the windows: its bitmaps as wxImage and wxBitmap, drawn on a device
// context at natural size, stretched, scaled or in part; record pictures as bitmaps for the tree and
// list panes; and the packed-DIB helpers of the print and layout code.

#include "codecs/CatalogueImage.h"
#include "codecs/ImgBitmap.h"

#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/image.h>

// The picture as a wxImage; an alpha channel is added when the bitmap's alpha flag is on.
wxImage ImgToWxImage(const CImgBitmap& bmp);
wxBitmap ImgToWxBitmap(const CImgBitmap& bmp);

// The whole bitmap at (x, y) at natural size.
void ImgDraw(wxDC& dc, const CImgBitmap& bmp, int x, int y, wxRasterOperationMode rop = wxCOPY);
// The whole bitmap stretched into the rectangle.
void ImgStretchDraw(wxDC& dc, const CImgBitmap& bmp, int x, int y, int width, int height,
                    wxRasterOperationMode rop = wxCOPY);
// The whole bitmap at width x factor by height x factor (truncated to whole pixels).
void ImgDrawScaled(wxDC& dc, const CImgBitmap& bmp, int x, int y, double factor,
                   wxRasterOperationMode rop = wxCOPY);
// The source rectangle left..right by top..bottom at (x, y), natural size.
void ImgDrawPart(wxDC& dc, const CImgBitmap& bmp, int x, int y, int left, int top, int right, int bottom);

// A record picture as a bitmap for the screen, its stored bytes decoded first (throws what the decoder
// throws); wxNullBitmap when it holds no picture. wx bitmaps share their data, so the caller's copy
// stays valid whatever happens to the picture afterwards.
wxBitmap GetHBitmap(CCatalogueImage& picture);
// The same, as a bitmap of its own for the caller (for drawing onto it).
wxBitmap GetHBitmapForDC(CCatalogueImage& picture);

// A packed DIB painted into the rectangle: at natural size when the sizes agree, stretched otherwise.
// Does nothing for a DIB it cannot read.
void PaintDIB(wxDC& dc, const wxRect& rect, const uint8_t* dib, size_t size);
// The bitmap at (x, y) with every pixel of one colour left out.
void DrawTransparentBitmap(wxDC& dc, const wxBitmap& bitmap, int x, int y, const wxColour& transparent);
// What the display shows in the rectangle (screen coordinates).
wxBitmap CopyScreenRect(const wxRect& rect);
