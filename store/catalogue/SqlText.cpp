#include "store/catalogue/SqlText.h"

#include <charconv>

std::string SqlNumber(double value)
{
    char text[400];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    return std::string(text, result.ptr);
}

std::string SqlText(std::string_view text)
{
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') {
            out += '\'';
        }
        out += c;
    }
    out += '\'';
    return out;
}

std::string SqlName(std::string_view name)
{
    std::string out = "[";
    for (char c : name) {
        if (c == ']') {
            out += ']';
        }
        out += c;
    }
    out += ']';
    return out;
}

std::string SqlLikeLiteral(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '*' || c == '?' || c == '#' || c == '[') {
            out += '[';
            out += c;
            out += ']';
        } else {
            out += c;
        }
    }
    return out;
}
