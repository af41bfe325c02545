#include "store/regional/ScaleFactors.h"

#include <gtest/gtest.h>

namespace {

TEST(ScaleFactors, ConvertsToDeviceRoundingAboveHalf)
{
    CScaleFactors scale;
    scale.m_xFactor = 15000;
    scale.m_yFactor = 100000;
    const std::pair<int, int> cases[] = {{10, 1}, {11, 2}, {0, 0}, {-11, -1}, {1000000, 150000}};
    for (const auto& [value, device] : cases) {
        EXPECT_EQ(scale.ToDeviceX(value, false), device) << value;
    }
    scale.m_scrollPositionX = 2;
    scale.m_scrollStepX = 5;
    EXPECT_EQ(scale.ToDeviceX(10, true), 3); // (10 + 10) × 15,000 ÷ 100,000
    EXPECT_EQ(scale.ToDeviceY(200000, false), 200000);
    ScaleRect rect{10, 20, 30, 40};
    scale.ToDeviceRect(rect, false);
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.right, 4);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.bottom, 40);
}

TEST(ScaleFactors, ConvertsFromDeviceLessTheScrollOffset)
{
    CScaleFactors scale;
    scale.m_xFactor = 15000;
    EXPECT_EQ(scale.FromDeviceX(1), 7);  // 100,000 ÷ 15,000 = 6, remainder 10,000 above half the factor
    EXPECT_EQ(scale.FromDeviceX(3), 20); // 300,000 ÷ 15,000 = 20 exactly
    scale.m_scrollPositionX = 3;
    scale.m_scrollStepX = 4;
    EXPECT_EQ(scale.FromDeviceX(3), 8);
    scale.m_xFactor = 0;
    EXPECT_EQ(scale.FromDeviceX(50), 38); // without a factor only the offset is taken away
    ScalePoint point{3, 3};
    scale.m_yFactor = 300000;
    scale.FromDevicePoint(point);
    EXPECT_EQ(point.x, -9);
    EXPECT_EQ(point.y, 1);
}

TEST(ScaleFactors, TakesFactorsFromSizes)
{
    CScaleFactors scale;
    scale.SetFromExtents(2100, 2970, 700, 990);
    EXPECT_EQ(scale.m_xFactor, 300000);
    EXPECT_EQ(scale.m_yFactor, 300000);
    scale.SetFromClientRect(0, 0, 5, 5); // a zero client size leaves the factors
    EXPECT_EQ(scale.m_xFactor, 300000);
    scale.SetFromExtents(0, 0, 10, 10); // a factor of 0 becomes 10,000
    EXPECT_EQ(scale.m_xFactor, 10000);
    EXPECT_EQ(scale.m_yFactor, 10000);
    scale.SetFromDevice(210, 2480, 297, 0);
    EXPECT_EQ(scale.m_xFactor, 84677);
    EXPECT_EQ(scale.m_yFactor, 100000);
}

} // namespace
