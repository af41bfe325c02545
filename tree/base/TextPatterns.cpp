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
