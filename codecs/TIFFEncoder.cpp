#include "codecs/TIFFEncoder.h"

#include "codecs/TIFFMemClient.h"

#include <cstring>
#include <vector>

namespace {

[[noreturn]] void ThrowWriteFailure(const CTIFFMemClient& client)
{
    if (client.Overflowed()) {
        ThrowImgError(kImgErrEndOfData, "Buffer overflow while encoding.\n");
    }
    ThrowImgError(kImgErrWrongSignature, client.GetLastError().empty()
                                             ? std::string("Error writing TIFF image")
                                             : client.GetLastError());
}

} // namespace

CTIFFEncoder::CTIFFEncoder()
{
    InstallTIFFHandlers();
}

void CTIFFEncoder::DoEncode(const CImgBitmap& bmp, CImgDataSink& sink)
{
    CTIFFMemClient client(sink);
    TIFF* tif = client.Open();
    if (tif == nullptr) {
        ThrowWriteFailure(client);
    }
    const int bpp = bmp.GetBitsPerPixel();
    const auto width = static_cast<uint32_t>(bmp.GetWidth());
    const auto height = static_cast<uint32_t>(bmp.GetHeight());
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, static_cast<uint16_t>(bpp <= 8 ? bpp : 8));
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, static_cast<uint16_t>(bpp > 8 ? 3 : 1));
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, static_cast<uint16_t>(PLANARCONFIG_CONTIG));
    if (bpp == 1) {
        const uint8_t* table = bmp.GetColourTable();
        const bool blackIsZero = table[0] < table[4] && table[1] < table[5] && table[2] < table[6];
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC,
                     static_cast<uint16_t>(blackIsZero ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_MINISWHITE));
    } else if (bpp == 8) {
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, static_cast<uint16_t>(PHOTOMETRIC_PALETTE));
        std::vector<uint16_t> red(256);
        std::vector<uint16_t> green(256);
        std::vector<uint16_t> blue(256);
        // Each byte goes into both halves of its 16-bit value (k * 257), so that readers that scale
        // by 255 / 65535 get the byte back, and so do those that take the high byte.
        const uint8_t* table = bmp.GetColourTable();
        for (int i = 0; i < 256; ++i) {
            blue[i] = static_cast<uint16_t>(table[4 * i] * 257);
            green[i] = static_cast<uint16_t>(table[4 * i + 1] * 257);
            red[i] = static_cast<uint16_t>(table[4 * i + 2] * 257);
        }
        TIFFSetField(tif, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
    } else {
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, static_cast<uint16_t>(PHOTOMETRIC_RGB));
    }

    // libtiff may work on the line it is given, so it gets a copy.
    const size_t pixelBytes = (static_cast<size_t>(width) * static_cast<size_t>(bpp) + 7) / 8;
    std::vector<uint8_t> row(bpp == 32 ? 3 * static_cast<size_t>(width) : pixelBytes);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* line = bmp.GetLine(static_cast<int>(y));
        if (bpp == 32) {
            for (uint32_t x = 0; x < width; ++x) {
                row[3 * x] = line[4 * x + 2];
                row[3 * x + 1] = line[4 * x + 1];
                row[3 * x + 2] = line[4 * x];
            }
        } else {
            std::memcpy(row.data(), line, pixelBytes);
        }
        if (TIFFWriteScanline(tif, row.data(), y, 0) < 0) {
            ThrowWriteFailure(client);
        }
    }
    if (!client.Close()) {
        ThrowWriteFailure(client);
    }
}
