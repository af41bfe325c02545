#include "tree/base/TextPatterns.h"

namespace {

std::string Fill(std::string_view pattern, std::string_view marker, std::string_view value)
{
    std::string text(pattern);
    if (const size_t at = text.find(marker); at != std::string::npos) {
        text.replace(at, marker.size(), value);
    }
    return text;
}

} // namespace

std::string FillTextPattern(std::string_view pattern, std::string_view text)
{
    return Fill(pattern, "%s", text);
}

std::string FillCountPattern(std::string_view pattern, size_t count)
{
    return Fill(pattern, "%d", std::to_string(count));
}

std::string FillTwoTexts(std::string_view pattern, std::string_view first, std::string_view second)
{
    const size_t at = pattern.find("%s");
    if (at == std::string_view::npos) {
        return std::string(pattern);
    }
    return FillTextPattern(pattern.substr(0, at + 2), first) +
           FillTextPattern(pattern.substr(at + 2), second);
}
