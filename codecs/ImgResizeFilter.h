#pragma once
// Resampling to a new size, separably: each line to the new width, then each column to the new height.
// The kinds differ only in their kernel. Every byte of a 32-bit pixel (blue, green, red, alpha) is
// resampled; pictures of 1 or 8 bits are resampled through their colour table and come out at 32 bits.

#include "codecs/ImgFilter.h"

#include <vector>

class CImgResizeFilter : public CImgFilter
{
public:
    enum class Kind
    {
        Bilinear, // triangle of radius 1: r - |x| for |x| < r
        Box,      // 1 for |x| <= r
        Gaussian, // exp(-x^2 / r - 1) / sqrt(2 pi) for |x| <= r
        Hamming,  // (0.54 + 0.46 cos(2 pi x)) sinc(x) for |x| <= r
    };

    // Sizes below 0 count as 0; a negative radius as 0.
    CImgResizeFilter(Kind kind, int newWidth, int newHeight, double radius = 1.0);

    void Apply(const CImgBitmap& source, CImgBitmap& dest) override;

    double Kernel(double x) const;

    // The weights of one pass from `sourceSize` to `destSize` pixels: for destination pixel i, the
    // source pixels first[i] .. first[i] + count[i] - 1 with their weights (summing to 1 where any is
    // above 0), worked out once and used for every line or column.
    struct Contributions
    {
        std::vector<int> first;
        std::vector<int> count;
        std::vector<size_t> offset; // of pixel i's weights in `weights`
        std::vector<double> weights;
    };
    Contributions ComputeContributions(int sourceSize, int destSize) const;

private:
    Kind m_kind;
    int m_newWidth;
    int m_newHeight;
    double m_radius;
};
