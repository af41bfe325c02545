#include "platform/gdi/DibImage.h"

#include "platform/gdi/RecordReader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

namespace platform::gdi {

namespace {

constexpr int kLargestSide = 16384;

enum : uint32_t
{
    kBiRgb = 0,
    kBiRle8 = 1,
    kBiRle4 = 2,
    kBiBitfields = 3,
    kBiAlphaBitfields = 6,
};

// One channel of a pixel by its mask, scaled to 8 bits.
struct Channel
{
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit Channel(uint32_t m) : mask(m)
    {
        if (m != 0) {
            shift = std::countr_zero(m);
            max = m >> shift;
        }
    }
    uint32_t operator()(uint32_t pixel) const { return max == 0 ? 0 : ((pixel & mask) >> shift) * 255 / max; }
};

uint32_t Argb(uint8_t a, uint8_t r, uint8_t g, uint8_t b)
{
    return static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 |
           b;
}

// Run-length encoded indices into a plane of width x height, rows in the file's order. Deltas move the
// position; pixels outside the picture are dropped.
std::vector<uint8_t> DecodeRle(std::span<const uint8_t> bits, int width, int height, int bitCount)
{
    std::vector<uint8_t> plane(static_cast<size_t>(width) * static_cast<size_t>(height));
    size_t at = 0;
    int x = 0;
    int y = 0;
    const auto put = [&](uint8_t index) {
        if (x >= 0 && x < width && y >= 0 && y < height) {
            plane[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = index;
        }
        ++x;
    };
    while (at + 1 < bits.size() && y < height) {
        const unsigned count = bits[at];
        const unsigned value = bits[at + 1];
        at += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i) {
                put(static_cast<uint8_t>(bitCount == 8 ? value : (i % 2 == 0 ? value >> 4 : value & 15)));
            }
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (at + 1 >= bits.size()) {
                break;
            }
            x += bits[at];
            y += bits[at + 1];
            at += 2;
        } else {
            const size_t bytes = bitCount == 8 ? value : (value + 1) / 2;
            if (bytes > bits.size() - at) {
                break;
            }
            for (unsigned i = 0; i < value; ++i) {
                const uint8_t b = bits[at + (bitCount == 8 ? i : i / 2)];
                put(static_cast<uint8_t>(bitCount == 8 ? b : (i % 2 == 0 ? b >> 4 : b & 15)));
            }
            at += bytes + (bytes % 2);
        }
    }
    return plane;
}

} // namespace

bool DibIsBottomUp(std::span<const uint8_t> info)
{
    RecordReader r(info);
    if (r.U32(0) == 12) {
        return true;
    }
    return r.I32(8) > 0;
}

SurfacePtr ReadDib(std::span<const uint8_t> info, std::span<const uint8_t> bits, const DibOptions& options)
{
    RecordReader r(info);
    const uint32_t headerSize = r.U32(0);
    int64_t width = 0;
    int64_t height = 0;
    int bitCount = 0;
    uint32_t compression = kBiRgb;
    uint32_t coloursUsed = 0;
    size_t entrySize = 4;
    if (headerSize == 12) {
        width = r.U16(4);
        height = r.U16(6);
        bitCount = r.U16(10);
        entrySize = 3;
    } else if (headerSize >= 40) {
        width = r.I32(4);
        height = r.I32(8);
        bitCount = r.U16(14);
        compression = r.U32(16);
        coloursUsed = r.U32(32);
    } else {
        return nullptr;
    }
    if (options.paletteIndices != nullptr) {
        entrySize = 2;
    }
    const bool topDown = height < 0;
    height = topDown ? -height : height;
    if (r.Failed() || width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide) {
        return nullptr;
    }
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32) {
        return nullptr;
    }
    const bool rle = compression == kBiRle8 || compression == kBiRle4;
    const bool fields = compression == kBiBitfields || compression == kBiAlphaBitfields;
    if (!(compression == kBiRgb || rle || fields)) {
        return nullptr;
    }
    if (rle && (bitCount != (compression == kBiRle8 ? 8 : 4))) {
        return nullptr;
    }

    // Masks of 16- and 32-bit pixels: given after a 40-byte header, inside a longer one.
    uint32_t masks[4] = {0, 0, 0, 0};
    size_t tableStart = headerSize;
    if (bitCount == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    } else if (bitCount == 32) {
        masks[0] = 0xFF0000;
        masks[1] = 0x00FF00;
        masks[2] = 0x0000FF;
        masks[3] = options.keepAlpha ? 0xFF000000u : 0;
    }
    if (fields && (bitCount == 16 || bitCount == 32)) {
        const int count = compression == kBiAlphaBitfields ? 4 : 3;
        for (int i = 0; i < count; ++i) {
            masks[i] = r.U32(40 + 4 * static_cast<size_t>(i));
        }
        if (headerSize == 40) {
            tableStart += 4 * static_cast<size_t>(count);
        }
        if (!options.keepAlpha) {
            masks[3] = 0;
        }
    }

    std::array<uint32_t, 256> table{};
    table.fill(Argb(255, 0, 0, 0)); // indices past the colour table are black
    if (bitCount <= 8) {
        const size_t entries = coloursUsed != 0 ? std::min<size_t>(coloursUsed, 256) : size_t{1} << bitCount;
        for (size_t i = 0; i < entries && r.Fits(tableStart + entrySize * i, 1, entrySize); ++i) {
            const size_t at = tableStart + entrySize * i;
            if (options.paletteIndices != nullptr) {
                const size_t index = r.U16(at);
                const auto& pal = options.paletteIndices->entries;
                const Rgb c = index < pal.size() ? pal[index] : Rgb{};
                table[i] = Argb(255, c.r, c.g, c.b);
            } else {
                table[i] = Argb(255, r.U8(at + 2), r.U8(at + 1), r.U8(at));
            }
        }
    }

    const auto w = static_cast<size_t>(width);
    const auto h = static_cast<size_t>(height);
    const size_t rowBytes = (w * static_cast<size_t>(bitCount) + 31) / 32 * 4;
    std::vector<uint8_t> plane;
    if (rle) {
        plane = DecodeRle(bits, static_cast<int>(w), static_cast<int>(h), bitCount);
    } else if (rowBytes * h > bits.size()) {
        return nullptr;
    }

    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(w), static_cast<int>(h));
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    SurfacePtr result = OwnSurface(surface);
    cairo_surface_flush(surface);
    uint8_t* data = cairo_image_surface_get_data(surface);
    const auto stride = static_cast<size_t>(cairo_image_surface_get_stride(surface));
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
    for (size_t row = 0; row < h; ++row) {
        // The file's row `row` is the picture's line `row` top-down, or counted from the bottom.
        auto* out = reinterpret_cast<uint32_t*>(data + stride * (topDown ? row : h - 1 - row));
        if (rle) {
            const uint8_t* in = plane.data() + row * w;
            for (size_t x = 0; x < w; ++x) {
                out[x] = table[in[x]];
            }
            continue;
        }
        const uint8_t* in = bits.data() + row * rowBytes;
        for (size_t x = 0; x < w; ++x) {
            switch (bitCount) {
            case 1:
                out[x] = table[(in[x / 8] >> (7 - x % 8)) & 1];
                break;
            case 4:
                out[x] = table[(in[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 15];
                break;
            case 8:
                out[x] = table[in[x]];
                break;
            case 24:
                out[x] = Argb(255, in[3 * x + 2], in[3 * x + 1], in[3 * x]);
                break;
            default: {
                const uint32_t p =
                    bitCount == 16
                        ? static_cast<uint32_t>(in[2 * x] | in[2 * x + 1] << 8)
                        : static_cast<uint32_t>(in[4 * x] | in[4 * x + 1] << 8 | in[4 * x + 2] << 16 |
                                                static_cast<uint32_t>(in[4 * x + 3]) << 24);
                const uint32_t a = masks[3] != 0 ? alpha(p) : 255;
                // Alpha-blended sources are premultiplied already; keep channels within their alpha.
                out[x] = Argb(static_cast<uint8_t>(a), static_cast<uint8_t>(std::min(red(p), a)),
                              static_cast<uint8_t>(std::min(green(p), a)),
                              static_cast<uint8_t>(std::min(blue(p), a)));
                break;
            }
            }
        }
    }
    cairo_surface_mark_dirty(surface);
    return result;
}

SurfacePtr ReadPackedDib(std::span<const uint8_t> packed, const DibOptions& options)
{
    RecordReader r(packed);
    const uint32_t headerSize = r.U32(0);
    size_t infoSize = headerSize;
    if (headerSize == 12) {
        const int bitCount = r.U16(10);
        infoSize += bitCount <= 8 ? 3 * (size_t{1} << bitCount) : 0;
    } else if (headerSize >= 40) {
        const int bitCount = r.U16(14);
        const uint32_t compression = r.U32(16);
        const uint32_t used = r.U32(32);
        const size_t entry = options.paletteIndices != nullptr ? 2 : 4;
        if (bitCount <= 8) {
            infoSize += entry * (used != 0 ? size_t{used} : size_t{1} << bitCount);
        } else if (headerSize == 40 && (compression == kBiBitfields || compression == kBiAlphaBitfields)) {
            infoSize += compression == kBiBitfields ? 12 : 16;
        }
    } else {
        return nullptr;
    }
    if (r.Failed() || infoSize > packed.size()) {
        return nullptr;
    }
    return ReadDib(packed.first(infoSize), packed.subspan(infoSize), options);
}

} // namespace platform::gdi
