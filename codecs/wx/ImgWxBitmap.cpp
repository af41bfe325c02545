#include "codecs/wx/ImgWxBitmap.h"

#include "codecs/ImgAnyBitmap.h"
#include "codecs/PackedDib.h"

#include <wx/dcmemory.h>
#include <wx/dcscreen.h>

#include <cstdlib>
#include <cstring>

wxImage ImgToWxImage(const CImgBitmap& bmp)
{
    const int width = bmp.GetWidth();
    const int height = bmp.GetHeight();
    if (width <= 0 || height <= 0) {
        return wxImage();
    }
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    // wxImage takes ownership of malloc'ed buffers.
    auto* rgb = static_cast<unsigned char*>(std::malloc(3 * pixels));
    unsigned char* alpha = bmp.HasAlpha() ? static_cast<unsigned char*>(std::malloc(pixels)) : nullptr;
    if (rgb == nullptr || (bmp.HasAlpha() && alpha == nullptr)) {
        std::free(rgb);
        std::free(alpha);
        ThrowImgError(kImgErrNoMemory, "Can't create bitmap.");
    }
    const int bpp = bmp.GetBitsPerPixel();
    unsigned char* out = rgb;
    unsigned char* outAlpha = alpha;
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = bmp.GetLine(y);
        for (int x = 0; x < width; ++x) {
            uint8_t b = 0, g = 0, r = 0, a = 255;
            if (bpp == 32) {
                b = in[4 * x];
                g = in[4 * x + 1];
                r = in[4 * x + 2];
                a = in[4 * x + 3];
            } else {
                const uint32_t entry = bmp.GetColourEntry(static_cast<int>(bmp.GetPixel(x, y)));
                b = static_cast<uint8_t>(entry);
                g = static_cast<uint8_t>(entry >> 8);
                r = static_cast<uint8_t>(entry >> 16);
                a = static_cast<uint8_t>(entry >> 24);
            }
            out[0] = r;
            out[1] = g;
            out[2] = b;
            out += 3;
            if (outAlpha != nullptr) {
                *outAlpha++ = a;
            }
        }
    }
    wxImage image(width, height, rgb, false);
    if (alpha != nullptr) {
        image.SetAlpha(alpha, false);
    }
    return image;
}

wxBitmap ImgToWxBitmap(const CImgBitmap& bmp)
{
    const wxImage image = ImgToWxImage(bmp);
    return image.IsOk() ? wxBitmap(image) : wxNullBitmap;
}

namespace {

void BlitBitmap(wxDC& dc, const wxBitmap& bitmap, int x, int y, int width, int height, int srcX, int srcY,
                int srcWidth, int srcHeight, wxRasterOperationMode rop)
{
    if (!bitmap.IsOk() || width <= 0 || height <= 0) {
        return;
    }
    wxMemoryDC source;
    source.SelectObjectAsSource(bitmap);
    if (width == srcWidth && height == srcHeight) {
        dc.Blit(x, y, width, height, &source, srcX, srcY, rop);
    } else {
        dc.StretchBlit(x, y, width, height, &source, srcX, srcY, srcWidth, srcHeight, rop);
    }
    source.SelectObject(wxNullBitmap);
}

} // namespace

void ImgDraw(wxDC& dc, const CImgBitmap& bmp, int x, int y, wxRasterOperationMode rop)
{
    const int w = bmp.GetWidth();
    const int h = bmp.GetHeight();
    BlitBitmap(dc, ImgToWxBitmap(bmp), x, y, w, h, 0, 0, w, h, rop);
}

void ImgStretchDraw(wxDC& dc, const CImgBitmap& bmp, int x, int y, int width, int height,
                    wxRasterOperationMode rop)
{
    BlitBitmap(dc, ImgToWxBitmap(bmp), x, y, width, height, 0, 0, bmp.GetWidth(), bmp.GetHeight(), rop);
}

void ImgDrawScaled(wxDC& dc, const CImgBitmap& bmp, int x, int y, double factor, wxRasterOperationMode rop)
{
    ImgStretchDraw(dc, bmp, x, y, static_cast<int>(bmp.GetWidth() * factor),
                   static_cast<int>(bmp.GetHeight() * factor), rop);
}

void ImgDrawPart(wxDC& dc, const CImgBitmap& bmp, int x, int y, int left, int top, int right, int bottom)
{
    const int w = right - left;
    const int h = bottom - top;
    BlitBitmap(dc, ImgToWxBitmap(bmp), x, y, w, h, left, top, w, h, wxCOPY);
}

wxBitmap GetHBitmap(CCatalogueImage& picture)
{
    picture.DecodePending();
    if (picture.GetDib() == nullptr) {
        return wxNullBitmap;
    }
    return ImgToWxBitmap(picture);
}

wxBitmap GetHBitmapForDC(CCatalogueImage& picture)
{
    return GetHBitmap(picture);
}

void PaintDIB(wxDC& dc, const wxRect& rect, const uint8_t* dib, size_t size)
{
    CImgAnyBitmap bitmap;
    try {
        DIBToBitmap32(dib, size, bitmap);
    } catch (const CTextException&) {
        return;
    }
    if (rect.width == bitmap.GetWidth() && rect.height == bitmap.GetHeight()) {
        ImgDraw(dc, bitmap, rect.x, rect.y);
    } else {
        ImgStretchDraw(dc, bitmap, rect.x, rect.y, rect.width, rect.height);
    }
}

void DrawTransparentBitmap(wxDC& dc, const wxBitmap& bitmap, int x, int y, const wxColour& transparent)
{
    if (!bitmap.IsOk()) {
        return;
    }
    wxBitmap masked(bitmap.ConvertToImage());
    masked.SetMask(new wxMask(masked, transparent)); // the bitmap owns its mask
    dc.DrawBitmap(masked, x, y, true);
}

wxBitmap CopyScreenRect(const wxRect& rect)
{
    if (rect.width <= 0 || rect.height <= 0) {
        return wxNullBitmap;
    }
    wxScreenDC screen;
    wxBitmap bitmap(rect.width, rect.height, 24);
    wxMemoryDC memory(bitmap);
    memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    memory.SelectObject(wxNullBitmap);
    return bitmap;
}
