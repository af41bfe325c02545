#include "codecs/PNGDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <exception>
#include <png.h>
#include <string>

namespace {

// Everything the calls into libpng touch lives here, outside the frame that calls setjmp; see
// JPEGError.h for why errors jump instead of throwing.
struct PNGDecodeContext
{
    png_structp png = nullptr;
    png_infop info = nullptr;
    CImgDataSource* source = nullptr;
    CImgBitmap* bmp = nullptr;
    int requestedBpp = 0;
    char message[256] = {};
    std::exception_ptr pending;

    ~PNGDecodeContext()
    {
        if (png != nullptr) {
            png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
        }
    }
};

void OnError(png_structp png, png_const_charp message)
{
    auto* context = static_cast<PNGDecodeContext*>(png_get_error_ptr(png));
    std::snprintf(context->message, sizeof context->message, "%s", message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadData(png_structp png, png_bytep out, size_t count)
{
    auto* context = static_cast<PNGDecodeContext*>(png_get_io_ptr(png));
    const uint8_t* data = nullptr;
    try {
        data = context->source->Read(count);
    } catch (...) {
        context->pending = std::current_exception();
    }
    if (data == nullptr) {
        png_error(png, "Read past the end of the data");
    }
    std::memcpy(out, data, count);
}

bool RunRead(PNGDecodeContext& c)
{
    if (setjmp(png_jmpbuf(c.png)) != 0) {
        return false;
    }
    png_set_read_fn(c.png, &c, ReadData);
    png_read_info(c.png, c.info);

    const png_uint_32 width = png_get_image_width(c.png, c.info);
    const png_uint_32 height = png_get_image_height(c.png, c.info);
    const int depth = png_get_bit_depth(c.png, c.info);
    const int colourType = png_get_color_type(c.png, c.info);
    const bool hasTransparency = png_get_valid(c.png, c.info, PNG_INFO_tRNS) != 0;
    // A transparent colour or palette entries with alpha need 32-bit pixels to keep their alpha.
    const bool want32 = c.requestedBpp == 32 || hasTransparency;

    int outBpp = 32;
    bool alpha = false;
    switch (colourType) {
    case PNG_COLOR_TYPE_GRAY:
        if (want32) {
            png_set_gray_to_rgb(c.png);
        } else {
            outBpp = 8;
        }
        break;
    case PNG_COLOR_TYPE_PALETTE:
        if (want32 || depth == 16) {
            png_set_palette_to_rgb(c.png);
        } else {
            outBpp = 8;
        }
        break;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        png_set_gray_to_rgb(c.png);
        alpha = true;
        break;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        alpha = true;
        break;
    default:
        break;
    }
    if (hasTransparency && !alpha) {
        png_set_tRNS_to_alpha(c.png);
        alpha = true;
    }
    if (depth == 16) {
        png_set_strip_16(c.png);
    }
    if (depth < 8) {
        png_set_packing(c.png);
    }
    if (outBpp == 32) {
        png_set_bgr(c.png);
        if (!alpha) {
            png_set_filler(c.png, 0xFF, PNG_FILLER_AFTER);
        }
    }
    png_set_interlace_handling(c.png);
    png_read_update_info(c.png, c.info);
    const size_t expectedRow = static_cast<size_t>(width) * (outBpp / 8);
    if (png_get_rowbytes(c.png, c.info) != expectedRow) {
        png_error(c.png, "Unexpected row size after transformations");
    }

    c.bmp->Create(static_cast<int>(width), static_cast<int>(height), outBpp, alpha);
    if (outBpp == 8) {
        uint8_t* table = c.bmp->GetColourTable();
        if (colourType == PNG_COLOR_TYPE_PALETTE) {
            png_colorp palette = nullptr;
            int count = 0;
            if (png_get_PLTE(c.png, c.info, &palette, &count) != 0) {
                for (int i = 0; i < count && i < 256; ++i) {
                    table[4 * i] = palette[i].blue;
                    table[4 * i + 1] = palette[i].green;
                    table[4 * i + 2] = palette[i].red;
                    table[4 * i + 3] = 255;
                }
            }
        } else {
            const int bits = depth == 16 ? 8 : depth;
            const int entries = 1 << bits;
            for (int i = 0; i < entries; ++i) {
                const auto grey = static_cast<uint8_t>(i * 255 / (entries - 1));
                table[4 * i] = table[4 * i + 1] = table[4 * i + 2] = grey;
                table[4 * i + 3] = 255;
            }
        }
    }
    png_read_image(c.png, const_cast<png_bytepp>(c.bmp->GetLineArray()));
    png_read_end(c.png, nullptr);
    return true;
}

} // namespace

void CPNGDecoder::DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp)
{
    PNGDecodeContext context;
    context.source = &source;
    context.bmp = &bmp;
    context.requestedBpp = bpp;
    context.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &context, OnError, OnWarning);
    if (context.png == nullptr) {
        ThrowImgError(kImgErrNoMemory, "Can't create bitmap.");
    }
    context.info = png_create_info_struct(context.png);
    if (context.info == nullptr) {
        ThrowImgError(kImgErrNoMemory, "Can't create bitmap.");
    }
    if (!RunRead(context)) {
        if (context.pending) {
            std::rethrow_exception(context.pending);
        }
        ThrowImgError(kImgErrBadContents, context.message);
    }
}
