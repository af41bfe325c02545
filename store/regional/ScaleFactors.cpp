#include "store/regional/ScaleFactors.h"

#include <cstdint>

namespace {

// Products are taken in 64 bits: a large layout times a large factor does not fit 32.
int ToDevice(int factor, long long value)
{
    const std::int64_t product = static_cast<std::int64_t>(factor) * value;
    std::int64_t result = product / 100000;
    if (product % 100000 > 50000) {
        ++result; // a negative product is truncated toward zero
    }
    return static_cast<int>(result);
}

int FromDevice(int factor, int value, long long offset)
{
    if (factor == 0) {
        return static_cast<int>(value - offset);
    }
    const std::int64_t product = static_cast<std::int64_t>(value) * 100000;
    std::int64_t result = product / factor;
    if (product % factor > factor / 2) {
        ++result;
    }
    return static_cast<int>(result - offset);
}

} // namespace

void CScaleFactors::SetFromClientRect(int clientWidth, int clientHeight, int width, int height)
{
    SetFromExtents(width, height, clientWidth, clientHeight);
}

void CScaleFactors::SetFromExtents(int width, int height, int xExtent, int yExtent)
{
    if (xExtent != 0) {
        m_xFactor = static_cast<int>(static_cast<std::int64_t>(width) * 100000 / xExtent);
    }
    if (yExtent != 0) {
        m_yFactor = static_cast<int>(static_cast<std::int64_t>(height) * 100000 / yExtent);
    }
    if (m_xFactor == 0) {
        m_xFactor = 10000;
    }
    if (m_yFactor == 0) {
        m_yFactor = 10000;
    }
}

void CScaleFactors::SetFromDevice(int horizontalSizeMm, int horizontalPixels, int verticalSizeMm,
                                  int verticalPixels)
{
    m_xFactor =
        horizontalPixels != 0
            ? static_cast<int>(static_cast<std::int64_t>(horizontalSizeMm) * 1000000 / horizontalPixels)
            : 0;
    m_yFactor = verticalPixels != 0
                    ? static_cast<int>(static_cast<std::int64_t>(verticalSizeMm) * 1000000 / verticalPixels)
                    : 0;
    if (m_xFactor == 0) {
        m_xFactor = 100000;
    }
    if (m_yFactor == 0) {
        m_yFactor = 100000;
    }
}

int CScaleFactors::ToDeviceX(int value, bool withScroll) const
{
    const long long offset = withScroll ? static_cast<long long>(m_scrollPositionX) * m_scrollStepX : 0;
    return ToDevice(m_xFactor, value + offset);
}

int CScaleFactors::ToDeviceY(int value, bool withScroll) const
{
    const long long offset = withScroll ? static_cast<long long>(m_scrollPositionY) * m_scrollStepY : 0;
    return ToDevice(m_yFactor, value + offset);
}

void CScaleFactors::ToDeviceRect(ScaleRect& rect, bool withScroll) const
{
    rect.left = ToDeviceX(rect.left, withScroll);
    rect.right = ToDeviceX(rect.right, withScroll);
    rect.top = ToDeviceY(rect.top, withScroll);
    rect.bottom = ToDeviceY(rect.bottom, withScroll);
}

void CScaleFactors::ToDevicePoint(ScalePoint& point, bool withScroll) const
{
    point.x = ToDeviceX(point.x, withScroll);
    point.y = ToDeviceY(point.y, withScroll);
}

int CScaleFactors::FromDeviceX(int value) const
{
    return FromDevice(m_xFactor, value, static_cast<long long>(m_scrollPositionX) * m_scrollStepX);
}

int CScaleFactors::FromDeviceY(int value) const
{
    return FromDevice(m_yFactor, value, static_cast<long long>(m_scrollPositionY) * m_scrollStepY);
}

void CScaleFactors::FromDeviceRect(ScaleRect& rect) const
{
    rect.left = FromDeviceX(rect.left);
    rect.right = FromDeviceX(rect.right);
    rect.top = FromDeviceY(rect.top);
    rect.bottom = FromDeviceY(rect.bottom);
}

void CScaleFactors::FromDevicePoint(ScalePoint& point) const
{
    point.x = FromDeviceX(point.x);
    point.y = FromDeviceY(point.y);
}
