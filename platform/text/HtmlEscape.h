#pragma once
// HTML escaping of data: text that must show as typed in a page, inside an element or an attribute.

#include <string>
#include <string_view>

namespace platform::text {

// The entity that stands for the character in HTML ("&amp;", "&lt;", "&gt;", "&quot;", "&#39;"); empty for
// a character that stands as itself.
std::string_view HtmlEntityFor(char c);

// Appends the text with every character that HtmlEntityFor names written as its entity.
void AppendHtmlEscaped(std::string& out, std::string_view text);

} // namespace platform::text
