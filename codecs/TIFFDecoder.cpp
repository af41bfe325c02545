#include "codecs/TIFFDecoder.h"

#include "codecs/ImgMemory.h"
#include "codecs/TIFFMemClient.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct TIFFLayout
{
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t samplesPerPixel = 1;
    uint16_t bitsPerSample = 1;
    uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    bool tiled = false;
};

TIFFLayout ReadLayout(TIFF* tif)
{
    TIFFLayout layout;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &layout.width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &layout.height);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &layout.samplesPerPixel);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &layout.bitsPerSample);
    if (TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &layout.photometric) == 0) {
        layout.photometric = PHOTOMETRIC_MINISBLACK;
    }
    layout.tiled = TIFFIsTiled(tif) != 0;
    return layout;
}

// Pictures the line-by-line path reads: one sample of 1, 2, 4 or 8 bits, grey or palette, in strips.
bool IsLowColour(const TIFFLayout& layout, int bpp)
{
    const uint16_t bits = layout.bitsPerSample;
    return layout.samplesPerPixel == 1 && (bits == 1 || bits == 2 || bits == 4 || bits == 8) && bpp < 32 &&
           !layout.tiled &&
           (layout.photometric == PHOTOMETRIC_MINISWHITE || layout.photometric == PHOTOMETRIC_MINISBLACK ||
            layout.photometric == PHOTOMETRIC_PALETTE);
}

bool HasAlphaSample(TIFF* tif)
{
    uint16_t count = 0;
    uint16_t* types = nullptr;
    if (TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &count, &types) == 0 || types == nullptr) {
        return false;
    }
    for (uint16_t i = 0; i < count; ++i) {
        if (types[i] == EXTRASAMPLE_ASSOCALPHA || types[i] == EXTRASAMPLE_UNASSALPHA) {
            return true;
        }
    }
    return false;
}

// Unpacks a line of 2- or 4-bit indices (high bits first) to one index a byte.
void UnpackLine(const uint8_t* in, uint8_t* out, uint32_t width, int bits)
{
    const int perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (uint32_t x = 0; x < width; ++x) {
        const int shift = (perByte - 1 - static_cast<int>(x % perByte)) * bits;
        out[x] = static_cast<uint8_t>((in[x / perByte] >> shift) & mask);
    }
}

// RGBA raster pixels (red in the low byte) to bitmap pixels (blue first).
void RasterLineToBgra(const uint32_t* in, uint8_t* out, uint32_t width)
{
    for (uint32_t x = 0; x < width; ++x) {
        const uint32_t p = in[x];
        out[0] = static_cast<uint8_t>(TIFFGetB(p));
        out[1] = static_cast<uint8_t>(TIFFGetG(p));
        out[2] = static_cast<uint8_t>(TIFFGetR(p));
        out[3] = static_cast<uint8_t>(TIFFGetA(p));
        out += 4;
    }
}

// libtiff's own words for the last failure, or ours when it gave none.
std::string ErrorText(const CTIFFMemClient& client)
{
    return client.GetLastError().empty() ? std::string("Error reading TIFF image") : client.GetLastError();
}

} // namespace

CTIFFDecoder::CTIFFDecoder()
{
    InstallTIFFHandlers();
}

void CTIFFDecoder::DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp)
{
    CTIFFMemClient client(source.GetBufferPtr(), source.GetBytesLeft());
    TIFF* tif = client.Open();
    if (tif == nullptr) {
        ThrowImgError(kImgErrWrongSignature, ErrorText(client));
    }
    const TIFFLayout layout = ReadLayout(tif);
    if (layout.width > INT32_MAX || layout.height > INT32_MAX) {
        ThrowImgError(kImgErrNoMemory, "Can't create bitmap.");
    }
    if (IsLowColour(layout, bpp)) {
        DoLoColor(tif, bmp, client);
        client.Close();
        return;
    }

    const auto width = static_cast<int>(layout.width);
    const auto height = static_cast<int>(layout.height);
    bmp.Create(width, height, 32, HasAlphaSample(tif));
    if (width == 0 || height == 0) {
        client.Close();
        return;
    }
    // When the bitmap's lines lie in one block, libtiff fills it in place in the right line order.
    const size_t stride = 4 * static_cast<size_t>(width);
    uint8_t* bits = bmp.GetBits();
    const bool bottomUp = bmp.GetBytesPerLine() == stride && bmp.GetLine(height - 1) == bits;
    const bool topDown = bmp.GetBytesPerLine() == stride && bmp.GetLine(0) == bits;
    if (bottomUp || topDown) {
        auto* raster = reinterpret_cast<uint32_t*>(bits);
        if (TIFFReadRGBAImageOriented(tif, layout.width, layout.height, raster,
                                      bottomUp ? ORIENTATION_BOTLEFT : ORIENTATION_TOPLEFT, 0) == 0) {
            ThrowImgError(kImgErrWrongSignature, ErrorText(client));
        }
        for (int y = 0; y < height; ++y) {
            uint8_t* line = bmp.GetLine(y);
            RasterLineToBgra(reinterpret_cast<const uint32_t*>(line), line, layout.width);
        }
    } else {
        ImgBlock raster =
            AllocateImgBlock(stride * static_cast<size_t>(height), "Out of memory allocating TIFF buffer.");
        auto* pixels = reinterpret_cast<uint32_t*>(raster.get());
        if (TIFFReadRGBAImage(tif, layout.width, layout.height, pixels, 0) == 0) {
            ThrowImgError(kImgErrWrongSignature, ErrorText(client));
        }
        // The raster's lines run bottom-up.
        for (int y = 0; y < height; ++y) {
            RasterLineToBgra(pixels + static_cast<size_t>(height - 1 - y) * layout.width, bmp.GetLine(y),
                             layout.width);
        }
    }
    client.Close();
}

void CTIFFDecoder::DoLoColor(TIFF* tif, CImgBitmap& bmp, const CTIFFMemClient& client)
{
    const TIFFLayout layout = ReadLayout(tif);
    const int bits = layout.bitsPerSample;
    const auto width = static_cast<int>(layout.width);
    const auto height = static_cast<int>(layout.height);
    bmp.Create(width, height, bits == 1 ? 1 : 8, false);

    // The picture's own entries come first; the rest of an 8-bit table keeps its grey ramp.
    const int entries = 1 << bits;
    std::vector<uint8_t> table(bmp.GetColourTable(), bmp.GetColourTable() + 4 * bmp.GetColourCount());
    const int step = 255 / (entries - 1);
    for (int i = 0; i < entries && layout.photometric != PHOTOMETRIC_PALETTE; ++i) {
        uint8_t* entry = table.data() + 4 * i;
        const auto grey =
            static_cast<uint8_t>(layout.photometric == PHOTOMETRIC_MINISWHITE ? 255 - i * step : i * step);
        entry[0] = entry[1] = entry[2] = grey;
        entry[3] = 255;
    }
    if (layout.photometric == PHOTOMETRIC_PALETTE) {
        uint16_t* red = nullptr;
        uint16_t* green = nullptr;
        uint16_t* blue = nullptr;
        if (TIFFGetField(tif, TIFFTAG_COLORMAP, &red, &green, &blue) == 0 || red == nullptr) {
            ThrowImgError(kImgErrWrongSignature, "Palette image without a colour map");
        }
        // Colour maps hold 16-bit values; old writers put 8-bit ones there.
        bool sixteen = false;
        for (int i = 0; i < entries; ++i) {
            sixteen = sixteen || red[i] > 255 || green[i] > 255 || blue[i] > 255;
        }
        const auto scale = [sixteen](uint16_t v) {
            return static_cast<uint8_t>(sixteen ? static_cast<uint32_t>(v) * 255 / 65535 : v);
        };
        for (int i = 0; i < entries; ++i) {
            uint8_t* entry = table.data() + 4 * i;
            entry[0] = scale(blue[i]);
            entry[1] = scale(green[i]);
            entry[2] = scale(red[i]);
            entry[3] = 255;
        }
    }

    const tmsize_t scanlineSize = TIFFScanlineSize(tif);
    if (scanlineSize <= 0) {
        ThrowImgError(kImgErrWrongSignature, "Cannot compute the TIFF line size");
    }
    ImgBlock line =
        AllocateImgBlock(static_cast<size_t>(scanlineSize), "Out of memory allocating TIFF buffer.");
    const size_t bitmapLine = bmp.GetBytesPerLine();
    for (int y = 0; y < height; ++y) {
        if (TIFFReadScanline(tif, line.get(), static_cast<uint32_t>(y), 0) < 0) {
            // A picture that breaks late is shown as far as it goes; one that breaks early is refused.
            if (y < height / 3) {
                ThrowImgError(kImgErrLimit, ErrorText(client));
            }
            continue;
        }
        uint8_t* out = bmp.GetLine(y);
        if (bits == 2 || bits == 4) {
            UnpackLine(line.get(), out, layout.width, bits);
        } else {
            std::memcpy(out, line.get(), std::min(static_cast<size_t>(scanlineSize), bitmapLine));
        }
    }
    bmp.SetColourTable(table.data());
}
