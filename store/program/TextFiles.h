#pragma once
// Reading and rewriting text files line by line: the markers of generated web pages are replaced this
// way, and a page's theme is read from its meta tag.

#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

// Reads one line, up to and including its LF, into `line` (replacing what it held). Returns 1 when a
// line with its LF was read; -1 at the end of the file or on a read error, with what was read before it
// (a last line without LF, or nothing) left in `line`. Lines of any length come back whole.
int ReadLine(std::istream& file, std::string& line);

// Replaces, in each line of the file, the first occurrence of `oldText` by `newText`. The result is
// written to "tmpFl.hwe" beside the file and renamed over it, so the file is either the old or the new
// text, never a mix. Nothing happens when `oldText` is empty, when the file cannot be read and written,
// or when the temporary file cannot be made. Returns true when the file was rewritten.
bool ReplaceTextInFile(const std::filesystem::path& path, std::string_view oldText, std::string_view newText);

// ReplaceTextInFile on the designer's page "webPage.htm" in the HTML folder.
bool ReplaceTextInWebPage(std::string_view oldText, std::string_view newText);

// The opening of the page's theme meta tag, in lower case: from `<meta name="microsoft theme"` up to and
// including the next '>', at most 500 bytes. nullopt when the file cannot be read or has no such tag.
std::optional<std::string> ReadThemeMetaTag(const std::filesystem::path& path);
