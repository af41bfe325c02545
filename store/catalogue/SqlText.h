#pragma once
// Pieces of the program's SQL statements built from values: numbers written the same whatever the
// user's locale, and texts quoted so that a name holding a quotation mark stays one value.

#include <string>
#include <string_view>

// A number as "%f" writes it in the C locale ("31200045.000000").
std::string SqlNumber(double value);

// A text literal: '...' with every ' doubled.
std::string SqlText(std::string_view text);

// A table or column name: [...] with every ] doubled, so a name holding "]" stays one name.
std::string SqlName(std::string_view name);

// A text to put inside a Like pattern so that it matches itself: the wildcards * ? # and [ are
// enclosed in brackets. Quote the whole pattern with SqlText afterwards.
std::string SqlLikeLiteral(std::string_view text);
