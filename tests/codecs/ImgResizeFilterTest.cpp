// The resize filters and crop.

#include "codecs/ImgResizeFilter.h"
#include "codecs/ImgAnyBitmap.h"
#include "codecs/ImgWinBitmap.h"

#include <gtest/gtest.h>

namespace {

uint32_t Grey(uint32_t v)
{
    return 0xFF000000u | v * 0x010101u;
}

void MakeLine(CImgAnyBitmap& bmp, std::initializer_list<uint32_t> greys)
{
    bmp.Create(static_cast<int>(greys.size()), 1, 32, false);
    int x = 0;
    for (uint32_t g : greys) {
        bmp.SetPixel(x++, 0, Grey(g));
    }
}

TEST(ImgResizeFilterTest, BilinearToTheSameSizeKeepsEveryPixel)
{
    CImgWinBitmap bmp;
    bmp.Create(5, 4, 32, true);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            bmp.SetPixel(x, y, 0x01020304u * static_cast<uint32_t>(x + 5 * y + 1));
        }
    }
    CImgAnyBitmap before;
    before.CreateCopy(bmp);
    bmp.ResizeBilinear(5, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(bmp.GetPixel(x, y), before.GetPixel(x, y));
        }
    }
    EXPECT_TRUE(bmp.HasAlpha());
}

TEST(ImgResizeFilterTest, BoxKernelAveragesItsNeighbours)
{
    // Same size, radius 1: each pixel the mean of itself and its neighbours.
    CImgAnyBitmap line;
    MakeLine(line, {0, 30, 90, 0});
    line.ResizeBox(4, 1, 1.0);
    EXPECT_EQ(line.GetPixel(0, 0), Grey(15));
    EXPECT_EQ(line.GetPixel(1, 0), Grey(40));
    EXPECT_EQ(line.GetPixel(2, 0), Grey(40));
    EXPECT_EQ(line.GetPixel(3, 0), Grey(45));

    // Four pixels to two with radius 0.5: the kernel widens to 1 source pixel.
    CImgAnyBitmap shrink;
    MakeLine(shrink, {10, 20, 60, 100});
    shrink.ResizeBox(2, 1, 0.5);
    EXPECT_EQ(shrink.GetSize(), std::make_pair(2, 1));
    EXPECT_EQ(shrink.GetPixel(0, 0), Grey(15));
    EXPECT_EQ(shrink.GetPixel(1, 0), Grey(60));
}

TEST(ImgResizeFilterTest, ContributionsFollowTheWindow)
{
    const CImgResizeFilter box(CImgResizeFilter::Kind::Box, 2, 1, 0.5);
    const auto c = box.ComputeContributions(4, 2);
    EXPECT_EQ(c.first, (std::vector<int>{0, 1}));
    EXPECT_EQ(c.count, (std::vector<int>{2, 3}));
    const CImgResizeFilter gauss(CImgResizeFilter::Kind::Gaussian, 7, 1, 2.0);
    const auto g = gauss.ComputeContributions(3, 7);
    for (size_t i = 0; i < g.first.size(); ++i) {
        double sum = 0;
        for (int k = 0; k < g.count[i]; ++k) {
            sum += g.weights[g.offset[i] + static_cast<size_t>(k)];
        }
        EXPECT_NEAR(sum, 1.0, 1e-12);
    }
}

TEST(ImgResizeFilterTest, OvershootingKernelsAreHeldWithinAByte)
{
    // The Hamming kernel's negative lobes push values past black and white beside a hard edge; they
    // must stay black and white instead of wrapping round.
    CImgAnyBitmap edge;
    MakeLine(edge, {0, 0, 0, 0, 255, 255, 255, 255});
    edge.ResizeHamming(16, 1, 3.0);
    for (int x = 0; x < 16; ++x) {
        const uint32_t v = edge.GetPixel(x, 0) & 0xFF;
        if (x < 6) {
            EXPECT_LT(v, 40u) << x;
        }
        if (x > 9) {
            EXPECT_GT(v, 215u) << x;
        }
    }
}

TEST(ImgResizeFilterTest, ShrinksAndGrowsPictures)
{
    CImgAnyBitmap bmp;
    bmp.Create(300, 200, 32, false);
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 300; ++x) {
            bmp.SetPixel(x, y, Grey(x < 150 ? 40 : 200));
        }
    }
    bmp.ResizeBilinear(131, 131);
    EXPECT_EQ(bmp.GetSize(), std::make_pair(131, 131));
    EXPECT_EQ(bmp.GetPixel(10, 60), Grey(40));
    EXPECT_EQ(bmp.GetPixel(120, 60), Grey(200));
    bmp.ResizeGaussian(400, 10, 1.0);
    EXPECT_EQ(bmp.GetSize(), std::make_pair(400, 10));
    bmp.ResizeBilinear(0, 5);
    EXPECT_EQ(bmp.GetSize(), std::make_pair(0, 5));

    CImgAnyBitmap eight;
    eight.Create(4, 4, 8, false);
    eight.SetPixel(0, 0, 255);
    eight.ResizeBox(2, 2, 1.0);
    EXPECT_EQ(eight.GetBitsPerPixel(), 32) << "resized through the colour table";
}

TEST(ImgResizeFilterTest, CropsTheRectangleWithinThePicture)
{
    CImgAnyBitmap bmp;
    bmp.Create(40, 30, 32, false);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            bmp.SetPixel(x, y, static_cast<uint32_t>(x << 8 | y));
        }
    }
    CImgWinBitmap cropped;
    cropped.CreateCopy(bmp);
    cropped.Crop(10, 20, 5, 15);
    EXPECT_EQ(cropped.GetSize(), std::make_pair(10, 10));
    EXPECT_EQ(cropped.GetPixel(0, 0), static_cast<uint32_t>(10 << 8 | 5));
    EXPECT_EQ(cropped.GetPixel(9, 9), static_cast<uint32_t>(19 << 8 | 14));

    cropped.CreateCopy(bmp);
    cropped.Crop(35, 60, -5, 3); // limited to the picture
    EXPECT_EQ(cropped.GetSize(), std::make_pair(5, 3));
    EXPECT_EQ(cropped.GetPixel(0, 0), static_cast<uint32_t>(35 << 8));

    CImgAnyBitmap mono;
    mono.Create(16, 4, 1, false);
    mono.SetPixel(9, 2, 1);
    mono.Crop(8, 12, 1, 4);
    EXPECT_EQ(mono.GetBitsPerPixel(), 1);
    EXPECT_EQ(mono.GetPixel(1, 1), 1u);
    EXPECT_EQ(mono.GetPixel(0, 1), 0u);
}

} // namespace
