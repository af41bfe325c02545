#pragma once
// Filling the string table's patterns, which hold one "%s" or one "%d", with texts of any length.

#include <cstddef>
#include <string>
#include <string_view>

// The pattern with its first "%s" replaced by the text (of any length).
std::string FillTextPattern(std::string_view pattern, std::string_view text);
// The pattern with its first "%d" replaced by the number.
std::string FillCountPattern(std::string_view pattern, size_t count);
// The pattern with its first "%s" replaced by `first` and the next by `second`; a "%s" inside
// `first` stays as it is.
std::string FillTwoTexts(std::string_view pattern, std::string_view first, std::string_view second);
