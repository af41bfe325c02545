#pragma once
// The coordinate scaling of the form and page designers between layout units and device pixels: a
// factor per axis (layout units per 100,000 device units, or, from a device, thousandths of a
// micrometre per pixel) and the scroll position and step of each axis. A scroll offset is position ×
// step. Nothing here needs a window: callers pass the sizes their window or device has.

struct ScaleRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct ScalePoint
{
    int x = 0;
    int y = 0;
};

class CScaleFactors
{
public:
    // From a window's client size and the layout's width and height; a zero client size leaves the
    // factor as it is, a factor of 0 becomes 10,000.
    void SetFromClientRect(int clientWidth, int clientHeight, int width, int height);
    void SetFromExtents(int width, int height, int xExtent, int yExtent);
    // From a device's size in millimetres and its resolution in pixels; a factor of 0 becomes 100,000.
    void SetFromDevice(int horizontalSizeMm, int horizontalPixels, int verticalSizeMm, int verticalPixels);

    // factor × (value + offset when asked) ÷ 100,000, rounded up when the remainder exceeds 50,000.
    int ToDeviceX(int value, bool withScroll) const;
    int ToDeviceY(int value, bool withScroll) const;
    void ToDeviceRect(ScaleRect& rect, bool withScroll) const;
    void ToDevicePoint(ScalePoint& point, bool withScroll) const;
    // value × 100,000 ÷ factor, plus 1 when the remainder exceeds half the factor, less the offset.
    int FromDeviceX(int value) const;
    int FromDeviceY(int value) const;
    void FromDeviceRect(ScaleRect& rect) const;
    void FromDevicePoint(ScalePoint& point) const;

    void ResetScrollX() { m_scrollPositionX = 0; }
    void ResetScrollY() { m_scrollPositionY = 0; }

    int m_xFactor = 0;
    int m_yFactor = 0;
    int m_reserved1 = 0;
    int m_reserved2 = 0;
    int m_scrollPositionX = 0;
    int m_scrollPositionY = 0;
    int m_scrollStepX = 0;
    int m_scrollStepY = 0;
    int m_reserved3 = 0;
    int m_reserved4 = 0;
};
