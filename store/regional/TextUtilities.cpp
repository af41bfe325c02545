#include "store/regional/TextUtilities.h"

#include "platform/text/CaseFold.h"

#include <charconv>

namespace {

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr size_t kPathRecordBytes = 200;
constexpr std::string_view kCatalogueLabel = "Marlix catalogue";

} // namespace

size_t FindTextNoCase(std::string_view text, std::string_view pattern)
{
    if (pattern.size() > text.size()) {
        return std::string_view::npos;
    }
    for (size_t start = 0; start + pattern.size() <= text.size(); ++start) {
        size_t i = 0;
        while (i < pattern.size() && LowerAscii(text[start + i]) == LowerAscii(pattern[i])) {
            ++i;
        }
        if (i == pattern.size()) {
            return start;
        }
    }
    return std::string_view::npos;
}

std::string CopyUntilCaret(std::string_view source)
{
    const auto caret = source.find('^');
    if (caret != std::string_view::npos) {
        source = source.substr(0, caret);
    }
    return std::string(platform::text::TruncateUtf8(source, kPathRecordBytes));
}

std::vector<std::string> SplitAtBars(std::string_view text)
{
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        const auto bar = text.find('|', start);
        pieces.emplace_back(
            text.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
        if (bar == std::string_view::npos) {
            return pieces;
        }
        start = bar + 1;
    }
}

CommandLineWords SplitCommandLine(std::string_view commandLine)
{
    CommandLineWords result;
    auto caret = commandLine.find('^');
    result.mode = std::string(commandLine.substr(0, caret));
    size_t filled = 0;
    bool first = true;
    while (caret != std::string_view::npos && filled < result.words.size()) {
        const size_t start = caret + 1;
        caret = commandLine.find('^', start);
        const auto word = commandLine.substr(start, caret == std::string_view::npos ? std::string_view::npos
                                                                                    : caret - start);
        if (first && platform::text::EqualsNoCase(word, kCatalogueLabel)) {
            first = false;
            continue;
        }
        first = false;
        result.words[filled++] = std::string(word);
    }
    return result;
}

void TrimTrailing(std::string& text, char c)
{
    if (text.size() == 1 && text[0] == c) {
        text.clear();
        return;
    }
    while (text.size() > 1 && text.back() == c) {
        text.pop_back();
    }
}

void TrimTrailingBlanks(std::string& text)
{
    TrimTrailing(text, ' ');
}

void StripDirectory(std::string& path)
{
    const size_t separator = path.find_last_of("\\/");
    if (separator != std::string::npos) {
        path.erase(0, separator + 1);
    }
}

double LeadingNumber(std::string_view text)
{
    size_t start = text.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string_view::npos) {
        return 0.0;
    }
    const bool plus = text[start] == '+';
    if (plus) {
        ++start; // from_chars takes no plus sign
    }
    const size_t digits = !plus && text[start] == '-' ? start + 1 : start;
    const auto isDigit = [&](size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    if (!isDigit(digits) && !(digits < text.size() && text[digits] == '.' && isDigit(digits + 1))) {
        return 0.0;
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data() + start, text.data() + text.size(), value);
    return result.ec == std::errc() ? value : 0.0;
}
