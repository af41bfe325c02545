#pragma once
// Case-insensitive comparison of UTF-8 text, folding accented Latin, Greek and Cyrillic letters as well as
// ASCII. Used wherever names are compared without regard to case (settings keys, property trees,
// catalogue names) and by the database layer's collation, so all of them agree.

#include <string>
#include <string_view>

namespace platform::text {

// Lower-case form of one code point (simple one-to-one folding).
char32_t FoldCodePoint(char32_t c);

// Reads one code point at `pos` and advances it. A byte that does not start a valid UTF-8 sequence is
// returned as 0xDC00 + byte, so arbitrary bytes still compare consistently.
char32_t NextCodePoint(std::string_view text, size_t& pos);

// Appends the UTF-8 encoding of a code point.
void AppendUtf8(std::string& out, char32_t c);

// The text with every letter folded to lower case.
std::string FoldCase(std::string_view text);

// <0, 0 or >0 as `a` sorts before, with or after `b` when case is ignored.
int CompareNoCase(std::string_view a, std::string_view b);

inline bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return CompareNoCase(a, b) == 0;
}

// True when `text` begins with `prefix`, ignoring case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// Byte position of the first occurrence of `needle` in `haystack` ignoring case, or npos.
size_t FindNoCase(std::string_view haystack, std::string_view needle, size_t from = 0);

// Cuts `text` to at most `maxBytes` bytes without splitting a UTF-8 sequence.
std::string_view TruncateUtf8(std::string_view text, size_t maxBytes);

} // namespace platform::text
