#pragma once
// The character sets of metafile text: single bytes of the Windows ANSI code page (1252) in Windows
// metafiles and the ANSI records of enhanced ones, and UTF-16 in the wide records. Both become UTF-8.

#include <cstdint>
#include <span>
#include <string>

namespace platform::gdi {

std::string AnsiToUtf8(std::span<const uint8_t> bytes);
// Little-endian UTF-16 code units; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::span<const uint8_t> bytes);

} // namespace platform::gdi
