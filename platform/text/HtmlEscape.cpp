#include "platform/text/HtmlEscape.h"

namespace platform::text {

std::string_view HtmlEntityFor(char c)
{
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    case '\'':
        return "&#39;";
    default:
        return {};
    }
}

void AppendHtmlEscaped(std::string& out, std::string_view text)
{
    for (char c : text) {
        const std::string_view entity = HtmlEntityFor(c);
        if (entity.empty()) {
            out += c;
        } else {
            out += entity;
        }
    }
}

} // namespace platform::text
