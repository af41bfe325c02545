#include "codecs/ImgResizeFilter.h"

#include "codecs/ImgAnyBitmap.h"
#include "codecs/ImgMemory.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// A sum rounded to a byte. Kernels with negative lobes (Hamming) overshoot; such sums are held at 0 and
// 255 so that a dark pixel beside a bright edge never wraps round to white.
inline uint8_t ToByte(double sum)
{
    const double rounded = std::trunc(sum + 0.5);
    return static_cast<uint8_t>(std::clamp(rounded, 0.0, 255.0));
}

} // namespace

CImgResizeFilter::CImgResizeFilter(Kind kind, int newWidth, int newHeight, double radius)
    : m_kind(kind), m_newWidth(std::max(newWidth, 0)), m_newHeight(std::max(newHeight, 0)),
      m_radius(kind == Kind::Bilinear ? 1.0 : std::max(radius, 0.0))
{
}

double CImgResizeFilter::Kernel(double x) const
{
    const double r = m_radius;
    const double a = std::abs(x);
    switch (m_kind) {
    case Kind::Bilinear:
        return a < r ? r - a : 0.0;
    case Kind::Box:
        return a <= r ? 1.0 : 0.0;
    case Kind::Gaussian:
        return a <= r ? std::exp(-x * x / r - 1.0) / std::sqrt(2.0 * std::numbers::pi) : 0.0;
    case Kind::Hamming: {
        if (a > r) {
            return 0.0;
        }
        const double sinc = x == 0.0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
        return (0.54 + 0.46 * std::cos(2.0 * std::numbers::pi * x)) * sinc;
    }
    }
    return 0.0;
}

CImgResizeFilter::Contributions CImgResizeFilter::ComputeContributions(int sourceSize, int destSize) const
{
    Contributions result;
    const double scale = static_cast<double>(destSize) / static_cast<double>(sourceSize);
    double width = m_radius;
    double factor = 1.0;
    if (scale < 1.0) {
        width = m_radius / scale;
        factor = scale;
    }
    const int window = 2 * static_cast<int>(std::ceil(width)) + 1;
    result.first.resize(static_cast<size_t>(destSize));
    result.count.resize(static_cast<size_t>(destSize));
    result.offset.resize(static_cast<size_t>(destSize));
    for (int i = 0; i < destSize; ++i) {
        const double centre = i / scale;
        int left = static_cast<int>(std::floor(centre - width));
        int right = static_cast<int>(std::ceil(centre + width));
        left = std::max(left, 0);
        right = std::min(right, sourceSize - 1);
        if (right - left + 1 > window) {
            if (left < sourceSize) {
                ++left;
            } else {
                --right;
            }
        }
        const size_t offset = result.weights.size();
        double sum = 0.0;
        for (int j = left; j <= right; ++j) {
            const double weight = Kernel(std::abs(centre - j) * factor) * factor;
            result.weights.push_back(weight);
            sum += weight;
        }
        if (sum > 0.0) {
            for (size_t k = offset; k < result.weights.size(); ++k) {
                result.weights[k] /= sum;
            }
        }
        result.first[static_cast<size_t>(i)] = left;
        result.count[static_cast<size_t>(i)] = std::max(right - left + 1, 0);
        result.offset[static_cast<size_t>(i)] = offset;
    }
    return result;
}

void CImgResizeFilter::Apply(const CImgBitmap& source, CImgBitmap& dest)
{
    const CImgBitmap* input = &source;
    CImgAnyBitmap converted;
    if (source.GetBitsPerPixel() != 32) {
        converted.CreateCopy(source, 32);
        input = &converted;
    }
    const int sourceWidth = input->GetWidth();
    const int sourceHeight = input->GetHeight();
    dest.Create(m_newWidth, m_newHeight, 32, input->HasAlpha());
    if (m_newWidth == 0 || m_newHeight == 0 || sourceWidth == 0 || sourceHeight == 0) {
        return;
    }

    // Lines to the new width, into a work picture of the source's height.
    const Contributions across = ComputeContributions(sourceWidth, m_newWidth);
    const size_t interLine = 4 * static_cast<size_t>(m_newWidth);
    ImgBlock inter = AllocateImgBlock(interLine * static_cast<size_t>(sourceHeight), "Can't create bitmap.");
    for (int y = 0; y < sourceHeight; ++y) {
        const uint8_t* in = input->GetLine(y);
        uint8_t* out = inter.get() + interLine * static_cast<size_t>(y);
        for (int x = 0; x < m_newWidth; ++x) {
            const double* w = across.weights.data() + across.offset[static_cast<size_t>(x)];
            const uint8_t* p = in + 4 * static_cast<size_t>(across.first[static_cast<size_t>(x)]);
            double b = 0.0, g = 0.0, r = 0.0, a = 0.0;
            for (int k = 0, n = across.count[static_cast<size_t>(x)]; k < n; ++k, p += 4) {
                b += w[k] * p[0];
                g += w[k] * p[1];
                r += w[k] * p[2];
                a += w[k] * p[3];
            }
            out[0] = ToByte(b);
            out[1] = ToByte(g);
            out[2] = ToByte(r);
            out[3] = ToByte(a);
            out += 4;
        }
    }

    // Columns to the new height, a whole destination line at a time.
    const Contributions down = ComputeContributions(sourceHeight, m_newHeight);
    std::vector<double> sums(interLine);
    for (int y = 0; y < m_newHeight; ++y) {
        std::fill(sums.begin(), sums.end(), 0.0);
        const double* w = down.weights.data() + down.offset[static_cast<size_t>(y)];
        const int first = down.first[static_cast<size_t>(y)];
        for (int k = 0, n = down.count[static_cast<size_t>(y)]; k < n; ++k) {
            const uint8_t* row = inter.get() + interLine * static_cast<size_t>(first + k);
            const double weight = w[k];
            for (size_t i = 0; i < interLine; ++i) {
                sums[i] += weight * row[i];
            }
        }
        uint8_t* out = dest.GetLine(y);
        for (size_t i = 0; i < interLine; ++i) {
            out[i] = ToByte(sums[i]);
        }
    }
}
