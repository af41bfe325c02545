#pragma once
// Filters change a bitmap's pixels or size: a filter runs from a source bitmap into a destination, and
// in place through a work bitmap whose result is copied back.

#include "codecs/ImgBitmap.h"

class CImgFilter : public CImgObject
{
public:
    ~CImgFilter() override = default;

    void ApplyInPlace(CImgBitmap& bmp);
    virtual void Apply(const CImgBitmap& source, CImgBitmap& dest) = 0;
};

// Cuts out the columns xMin .. xMax - 1 and the lines yMin .. yMax - 1, keeping depth, colour table and
// alpha flag. The rectangle is first limited to the source, so the result may be smaller than asked
// (and empty).
class CImgCropFilter : public CImgFilter
{
public:
    CImgCropFilter(int xMin, int xMax, int yMin, int yMax)
        : m_xMin(xMin), m_xMax(xMax), m_yMin(yMin), m_yMax(yMax)
    {
    }

    void Apply(const CImgBitmap& source, CImgBitmap& dest) override;

private:
    int m_xMin;
    int m_xMax;
    int m_yMin;
    int m_yMax;
};
