#include "platform/text/CaseFold.h"

namespace platform::text {

char32_t FoldCodePoint(char32_t c)
{
    if (c < 0x80) {
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
        return c + 32;
    }
    if (c < 0x100) {
        return c;
    }
    if (c == 0x130) {
        return 'i';
    }
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
        return (c % 2 == 0) ? c + 1 : c;
    }
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
        return (c % 2 == 1) ? c + 1 : c;
    }
    if (c == 0x178) {
        return 0xFF;
    }
    if (c == 0x386) {
        return 0x3AC;
    }
    if (c >= 0x388 && c <= 0x38A) {
        return c + 37;
    }
    if (c == 0x38C) {
        return 0x3CC;
    }
    if (c == 0x38E || c == 0x38F) {
        return c + 63;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) {
        return c + 32;
    }
    if (c == 0x3C2) {
        return 0x3C3; // final sigma compares as sigma
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 80;
    }
    if (c >= 0x410 && c <= 0x42F) {
        return c + 32;
    }
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x1E00 && c <= 0x1E95) ||
        (c >= 0x1EA0 && c <= 0x1EFF)) {
        return (c % 2 == 0) ? c + 1 : c;
    }
    return c;
}

char32_t NextCodePoint(std::string_view text, size_t& pos)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char b0 = byte(pos);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    size_t length = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2;
        c = b0 & 0x1F;
        minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3;
        c = b0 & 0x0F;
        minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4;
        c = b0 & 0x07;
        minimum = 0x10000;
    }
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return 0xDC00 + b0;
    }
    for (size_t i = 1; i < length; ++i) {
        const unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return 0xDC00 + b0;
        }
        c = (c << 6) | (b & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return 0xDC00 + b0;
    }
    pos += length;
    return c;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c >= 0xDC80 && c <= 0xDCFF) { // a stray byte read by NextCodePoint
        out += static_cast<char>(c - 0xDC00);
    } else if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string FoldCase(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        AppendUtf8(out, FoldCodePoint(NextCodePoint(text, pos)));
    }
    return out;
}

int CompareNoCase(std::string_view a, std::string_view b)
{
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        // ASCII fast path: most names are plain ASCII.
        const unsigned char ca = static_cast<unsigned char>(a[i]);
        const unsigned char cb = static_cast<unsigned char>(b[j]);
        char32_t fa;
        char32_t fb;
        if (ca < 0x80 && cb < 0x80) {
            fa = (ca >= 'A' && ca <= 'Z') ? ca + 32 : ca;
            fb = (cb >= 'A' && cb <= 'Z') ? cb + 32 : cb;
            ++i;
            ++j;
        } else {
            fa = FoldCodePoint(NextCodePoint(a, i));
            fb = FoldCodePoint(NextCodePoint(b, j));
        }
        if (fa != fb) {
            return fa < fb ? -1 : 1;
        }
    }
    if (i < a.size()) {
        return 1;
    }
    if (j < b.size()) {
        return -1;
    }
    return 0;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    size_t i = 0;
    size_t j = 0;
    while (j < prefix.size()) {
        if (i >= text.size()) {
            return false;
        }
        if (FoldCodePoint(NextCodePoint(text, i)) != FoldCodePoint(NextCodePoint(prefix, j))) {
            return false;
        }
    }
    return true;
}

size_t FindNoCase(std::string_view haystack, std::string_view needle, size_t from)
{
    if (needle.empty()) {
        return from <= haystack.size() ? from : std::string_view::npos;
    }
    const std::string foldedNeedle = FoldCase(needle);
    for (size_t start = from; start < haystack.size();) {
        // Compare folded code points from `start` against the folded needle.
        size_t pos = start;
        std::string piece;
        while (pos < haystack.size() && piece.size() < foldedNeedle.size()) {
            AppendUtf8(piece, FoldCodePoint(NextCodePoint(haystack, pos)));
        }
        if (piece == foldedNeedle) {
            return start;
        }
        NextCodePoint(haystack, start);
    }
    return std::string_view::npos;
}

std::string_view TruncateUtf8(std::string_view text, size_t maxBytes)
{
    if (text.size() <= maxBytes) {
        return text;
    }
    size_t cut = maxBytes;
    // Step back over continuation bytes so no sequence is split.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return text.substr(0, cut);
}

} // namespace platform::text
