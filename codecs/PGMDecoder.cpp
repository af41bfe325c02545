#include "codecs/PGMDecoder.h"

#include "codecs/ByteOrder.h"

#include <cstring>

namespace {

constexpr unsigned kLargestMaximum = 65535;

bool IsSeparator(uint8_t c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool IsDigit(uint8_t c)
{
    return c >= '0' && c <= '9';
}

[[noreturn]] void ThrowBadNumber()
{
    ThrowImgError(kImgErrBadContents, "PGM decoder: A number was expected.");
}

// Skips separators (and, in the header, comments from '#' to the end of the line), then reads a decimal
// number. Numbers too large for any picture are held at a value that no bitmap accepts.
unsigned ReadNumber(CImgDataSource& source, bool comments)
{
    for (;;) {
        const uint8_t c = *source.Peek(1);
        if (IsSeparator(c)) {
            source.Skip(1);
        } else if (comments && c == '#') {
            while (*source.Peek(1) != '\n' && *source.Peek(1) != '\r') {
                source.Skip(1);
            }
        } else {
            break;
        }
    }
    if (!IsDigit(*source.Peek(1))) {
        ThrowBadNumber();
    }
    unsigned value = 0;
    while (source.GetBytesLeft() > 0 && IsDigit(*source.Peek(1))) {
        const unsigned digit = *source.Read(1) - '0';
        value = value > 100000000u ? 1000000000u : value * 10 + digit;
    }
    return value;
}

} // namespace

void CPGMDecoder::DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp)
{
    const uint8_t* magic = source.Read(2);
    if (magic[0] != 'P' || (magic[1] != '2' && magic[1] != '5')) {
        ThrowImgError(kImgErrBadContents, "PGM decoder: Is not the correct identifier P5 or P2.");
    }
    const bool text = magic[1] == '2';
    const unsigned width = ReadNumber(source, true);
    const unsigned height = ReadNumber(source, true);
    unsigned maximum = ReadNumber(source, true);
    // Up to 65535 a sample takes two bytes (most significant first) in a "P5" file.
    if (maximum == 0 || maximum > kLargestMaximum) {
        maximum = 255;
    }
    const size_t sampleBytes = maximum > 255 ? 2 : 1;
    if (!text) {
        source.Skip(1); // the one separator between the header and the samples
    }
    const uint64_t samples = static_cast<uint64_t>(width) * height;
    if (samples * (text ? 1 : sampleBytes) > source.GetBytesLeft()) {
        // Too short for the picture it claims: say so before making it.
        ThrowImgError(kImgErrEndOfData, "End of file reached while decoding.\n");
    }

    const int depth = ChooseDecodeDepth(bpp, 8);
    bmp.Create(static_cast<int>(width), static_cast<int>(height), depth, false);
    const auto grey = [maximum](unsigned v) {
        return static_cast<uint8_t>(v >= maximum ? 255 : v * 255 / maximum);
    };
    const auto store = [&](uint8_t* line, unsigned x, uint8_t value) {
        if (depth == 8) {
            line[x] = value;
        } else {
            imgbytes::PutLe32(line + 4 * static_cast<size_t>(x),
                              0xFF000000u | value * 0x010101u); // the grey table's entry
        }
    };
    for (unsigned y = 0; y < height; ++y) {
        uint8_t* line = bmp.GetLine(static_cast<int>(y));
        if (text) {
            for (unsigned x = 0; x < width; ++x) {
                store(line, x, grey(ReadNumber(source, false)));
            }
            continue;
        }
        const uint8_t* in = source.Read(width * sampleBytes);
        for (unsigned x = 0; x < width; ++x) {
            const unsigned v = sampleBytes == 1 ? in[x] : (in[2 * x] << 8 | in[2 * x + 1]);
            store(line, x, grey(v));
        }
    }
}
