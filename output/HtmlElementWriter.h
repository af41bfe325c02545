#pragma once
// The HTML of one element of a web layout: a piece of literal HTML, a picture, or a field value or label
// text in the element's style (a heading or phrase tag, or font, colour and character styles). The
// text handed in is data and is always escaped; only an HTML element's own `value` is markup.

#include <string>
#include <string_view>

class CMarkupNode;

// Appends the HTML of `element` holding `text` (a field's value or a label's text) to `out`. An element
// whose category or style the writer does not know appends nothing.
void WriteHtmlElement(std::string& out, std::string_view text, const CMarkupNode& element);

// The same for the web-view designer's page, except that an HTML element is written as its markup
// followed by that markup shown as text, so the designer sees what the element holds.
void WriteHtmlElementEscaped(std::string& out, std::string_view text, const CMarkupNode& element);
