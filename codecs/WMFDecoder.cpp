#include "codecs/WMFDecoder.h"

#include "codecs/ByteOrder.h"
#include "codecs/ImgMemory.h"
#include "platform/gdi/Metafile.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>

namespace gdi = platform::gdi;

namespace {

constexpr int64_t kFallbackWidth = 320;
constexpr int64_t kFallbackHeight = 200;
constexpr int64_t kLargestSide = 32767;

[[noreturn]] void ThrowNoMemoryBitmap()
{
    ThrowImgError(kImgErrNoMemory, "Cannot allocate memory bitmap.");
}

bool NameSaysEnhanced(const std::string& name)
{
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return upper.find(".EMF") != std::string::npos;
}

// The picture's size in screen pixels: a placeable metafile's box at the screen's resolution, an
// enhanced metafile's frame (hundredths of a millimetre) on the screen. A Windows metafile without the
// placeable header has no size of its own.
std::pair<int64_t, int64_t> PictureSize(const gdi::MetafileHeader& h)
{
    const gdi::ScreenMetrics screen = gdi::Screen();
    int64_t width = 0;
    int64_t height = 0;
    if (h.kind == gdi::MetafileKind::Enhanced) {
        width = (int64_t{h.frame[2]} - h.frame[0]) * screen.horzRes / (int64_t{screen.horzSizeMm} * 100);
        height = (int64_t{h.frame[3]} - h.frame[1]) * screen.vertRes / (int64_t{screen.vertSizeMm} * 100);
    } else if (h.placeable && h.unitsPerInch != 0) {
        width = (int64_t{h.box[2]} - h.box[0]) * screen.logPixelsX / h.unitsPerInch;
        height = (int64_t{h.box[3]} - h.box[1]) * screen.logPixelsY / h.unitsPerInch;
    }
    return {width < 1 ? kFallbackWidth : width, height < 1 ? kFallbackHeight : height};
}

uint32_t Bgra(const gdi::Rgb& c)
{
    return 0xFF000000u | static_cast<uint32_t>(c.r) << 16 | static_cast<uint32_t>(c.g) << 8 | c.b;
}

// The index of the table entry nearest to the pixel's colour.
uint8_t Nearest(uint32_t pixel, const uint32_t (&table)[256])
{
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const int dr = static_cast<int>((pixel >> 16) & 0xFF) - static_cast<int>((table[i] >> 16) & 0xFF);
        const int dg = static_cast<int>((pixel >> 8) & 0xFF) - static_cast<int>((table[i] >> 8) & 0xFF);
        const int db = static_cast<int>(pixel & 0xFF) - static_cast<int>(table[i] & 0xFF);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return static_cast<uint8_t>(best);
}

} // namespace

void CWMFDecoder::DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp)
{
    const bool enhanced = NameSaysEnhanced(source.GetName());
    const std::span<const uint8_t> data(source.GetBufferPtr(), source.GetBytesLeft());
    const auto metafile =
        gdi::Metafile::Load(data, enhanced ? gdi::MetafileKind::Enhanced : gdi::MetafileKind::Windows);
    if (!metafile) {
        ThrowImgError(kImgErrNotSupported, "Windows Metafile functions failed to load this image.");
    }
    source.Skip(data.size());

    const auto [width, height] = PictureSize(metafile->Header());
    if (width > kLargestSide || height > kLargestSide ||
        static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4 > GetMaxBitmapBytes()) {
        ThrowNoMemoryBitmap();
    }
    const std::vector<gdi::Rgb>& palette = metafile->Header().palette;
    const bool paletted = !palette.empty() && palette.size() < 256;
    const int depth = paletted && (bpp == 0 || bpp == 8) ? 8 : 32;
    bmp.Create(static_cast<int>(width), static_cast<int>(height), depth, depth == 32);
    const std::vector<uint32_t> pixels = metafile->Render(static_cast<int>(width), static_cast<int>(height));
    if (pixels.empty()) {
        ThrowNoMemoryBitmap();
    }

    const auto w = static_cast<size_t>(width);
    if (depth == 32) {
        // The player's pixels are blue, green, red and an opaque fourth byte, as the bitmap keeps them.
        for (int y = 0; y < height; ++y) {
            std::memcpy(bmp.GetLine(y), pixels.data() + static_cast<size_t>(y) * w, 4 * w);
        }
        return;
    }
    // Drawn in the metafile's palette: its colours first, black after them.
    uint32_t table[256] = {};
    for (size_t i = 0; i < palette.size(); ++i) {
        table[i] = Bgra(palette[i]);
    }
    for (uint32_t& entry : table) {
        entry |= 0xFF000000u;
    }
    SetColourTableEntries(bmp, table);
    std::unordered_map<uint32_t, uint8_t> nearest;
    for (int y = 0; y < height; ++y) {
        const uint32_t* in = pixels.data() + static_cast<size_t>(y) * w;
        uint8_t* out = bmp.GetLine(y);
        for (size_t x = 0; x < w; ++x) {
            auto [it, added] = nearest.try_emplace(in[x], 0);
            if (added) {
                it->second = Nearest(in[x], table);
            }
            out[x] = it->second;
        }
    }
}
