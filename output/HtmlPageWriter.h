#pragma once
// The frame of every generated web page (document type, head, body tag, closing lines) and the text
// writers that all page and element output goes through. Pages are UTF-8 text; the caller owns the
// stream (usually a file it opened in the HTML folder) and decides where it goes.

#include <ctime>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>

class CMarkupNode;

// Line break of generated pages.
inline constexpr std::string_view kHtmlLineBreak = "\r\n";

// Writes a piece of text to the page. A text that holds CR LF and is not exactly CR LF gets "<BR>" in
// front of every CR LF pair, so line breaks typed into a value show in the browser; any other text is
// written unchanged.
void WriteHtmlText(std::ostream& out, std::string_view text);
// The same conversion, appending to a text buffer (element HTML is built in memory first).
void AppendHtmlText(std::string& out, std::string_view text);
// Writes CR LF.
void WriteHtmlLineBreak(std::ostream& out);

// Appends `text` with '&', '<', '>', '"' and '\'' written as character references, so that data (a
// field value, a label, a file name) shows as typed and can never become markup. The marker bytes that
// stand for carriage return and line feed in stored definitions become CR and LF again.
void AppendEscapedHtml(std::string& out, std::string_view text);
std::string EscapeHtml(std::string_view text);

// The page text as it is handed on: unchanged.
std::string_view PassThroughText(std::string_view text);

// Writes the document type, the head (an empty title, the character set and the theme tag of the HTML
// file named by the setting "WebTemplate") and the body tag. The body tag takes its background and
// scrolling from the node marked `properties` "data" below `webTemplate` (null: none); the background
// picture is copied into `htmlFolder` under its own file name. Files that cannot be read or copied are
// passed over: the page is written without them.
void WriteHtmlPageStart(std::string_view backgroundPicture, std::ostream& out, const CMarkupNode* webTemplate,
                        const std::filesystem::path& htmlFolder);

// Writes the closing lines: a line telling when the page was written (only when the setting
// "CreationDate" is "TRUE"), then the end of body and document. `writtenAt` is the time shown.
void WriteHtmlPageEnd(std::ostream& out, std::time_t writtenAt);
// The same with the current time.
void WriteHtmlPageEnd(std::ostream& out);
