#include "platform/gdi/TextEncoding.h"

#include "platform/text/CaseFold.h"

namespace platform::gdi {

namespace {

// The characters of bytes 0x80 to 0x9F in code page 1252 (0xFFFD where it has none).
constexpr uint16_t kHigh1252[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

} // namespace

std::string AnsiToUtf8(std::span<const uint8_t> bytes)
{
    std::string out;
    for (uint8_t b : bytes) {
        if (b == 0) {
            break;
        }
        text::AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kHigh1252[b - 0x80] : b);
    }
    return out;
}

std::string Utf16ToUtf8(std::span<const uint8_t> bytes)
{
    std::string out;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        uint32_t c = bytes[i] | (bytes[i + 1] << 8);
        if (c == 0) {
            break;
        }
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
            const uint32_t low = bytes[i + 2] | (bytes[i + 3] << 8);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            } else {
                c = 0xFFFD;
            }
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        text::AppendUtf8(out, c);
    }
    return out;
}

} // namespace platform::gdi
