#include "codecs/ImgFilter.h"

#include "codecs/ImgAnyBitmap.h"

#include <algorithm>
#include <cstring>

void CImgFilter::ApplyInPlace(CImgBitmap& bmp)
{
    CImgAnyBitmap work;
    Apply(bmp, work);
    bmp.CreateCopy(work, 0);
}

void CImgCropFilter::Apply(const CImgBitmap& source, CImgBitmap& dest)
{
    const int xMin = std::clamp(m_xMin, 0, source.GetWidth());
    const int xMax = std::clamp(m_xMax, xMin, source.GetWidth());
    const int yMin = std::clamp(m_yMin, 0, source.GetHeight());
    const int yMax = std::clamp(m_yMax, yMin, source.GetHeight());
    const int width = xMax - xMin;
    const int height = yMax - yMin;
    const int bpp = source.GetBitsPerPixel();
    dest.Create(width, height, bpp, source.HasAlpha());
    if (bpp <= 8) {
        dest.SetColourTable(source.GetColourTable());
    }
    for (int y = 0; y < height; ++y) {
        if (bpp == 1) {
            for (int x = 0; x < width; ++x) {
                dest.SetPixel(x, y, source.GetPixel(xMin + x, yMin + y));
            }
            continue;
        }
        const size_t pixel = static_cast<size_t>(bpp) / 8;
        std::memcpy(dest.GetLine(y), source.GetLine(yMin + y) + pixel * static_cast<size_t>(xMin),
                    pixel * static_cast<size_t>(width));
    }
}
