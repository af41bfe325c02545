#include "output/HtmlPageWriter.h"

#include "platform/text/CaseFold.h"
#include "platform/text/HtmlEscape.h"
#include "resources/LoadResString.h"
#include "store/markup/MarkupNode.h"
#include "store/program/Settings.h"

#include <fstream>
#include <iterator>
#include <ostream>
#include <system_error>

namespace {

using platform::text::EqualsNoCase;

constexpr unsigned kLastModifiedText = 276;
constexpr std::string_view kThemeTagStart = "<meta name=\"microsoft theme\"";

bool NeedsLineBreakTags(std::string_view text)
{
    return text != kHtmlLineBreak && text.find(kHtmlLineBreak) != std::string_view::npos;
}

// Hands the text to `append` in pieces, with "<BR>" before every CR LF pair when it needs them.
template <typename Sink>
void ConvertLineBreaks(std::string_view text, Sink&& append)
{
    if (!NeedsLineBreakTags(text)) {
        append(text);
        return;
    }
    size_t start = 0;
    for (size_t pos = text.find(kHtmlLineBreak); pos != std::string_view::npos;
         pos = text.find(kHtmlLineBreak, pos + kHtmlLineBreak.size())) {
        append(text.substr(start, pos - start));
        append("<BR>");
        start = pos;
    }
    append(text.substr(start));
}

// The part of a picture path after its last '\', '/' or ':' (stored templates may hold any of them).
std::string_view FileNamePart(std::string_view path)
{
    const size_t cut = path.find_last_of("\\/:");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

// Copies the background picture into the HTML folder, replacing an older copy. A picture that already
// lies there is left alone (copying a file onto itself would empty it on some systems).
void CopyBackgroundPicture(std::string_view source, const std::filesystem::path& htmlFolder)
{
    const std::string_view name = FileNamePart(source);
    if (name.empty()) {
        return;
    }
    const std::filesystem::path from{std::string(source)};
    const std::filesystem::path to = htmlFolder / std::string(name);
    std::error_code error;
    if (std::filesystem::equivalent(from, to, error)) {
        return;
    }
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
}

// The theme tag of the file named by "WebTemplate", in lower case; empty when there is none. The tag is
// taken whole up to its '>': a tag cut short would swallow the rest of the head.
std::string ReadThemeTag()
{
    const std::string path = GetSettingString("WebTemplate");
    if (path.empty()) {
        return {};
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return {};
    }
    std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    const size_t start = text.find(kThemeTagStart);
    if (start == std::string::npos) {
        return {};
    }
    const size_t end = text.find('>', start);
    if (end == std::string::npos) {
        return {};
    }
    return text.substr(start, end - start + 1);
}

const CMarkupNode* FindDataProperties(const CMarkupNode* node, const CMarkupNode* last)
{
    for (const CMarkupNode* child = node->GetFirstChild(); child != nullptr;
         child = child->GetNextSibling()) {
        if (EqualsNoCase(child->GetAttribute("properties"), "data")) {
            last = child;
        }
        last = FindDataProperties(child, last);
    }
    return last;
}

std::string BuildBodyTag(std::string_view backgroundPicture, const CMarkupNode* webTemplate,
                         const std::filesystem::path& htmlFolder)
{
    const std::string fileName = EscapeHtml(FileNamePart(backgroundPicture));
    // When several nodes describe the data frame, the last one in the walk wins.
    const CMarkupNode* data = webTemplate != nullptr ? FindDataProperties(webTemplate, nullptr) : nullptr;
    if (data != nullptr) {
        CopyBackgroundPicture(backgroundPicture, htmlFolder);
        std::string scroll = data->GetAttribute("SCROLLING");
        if (!EqualsNoCase(scroll, "NO")) {
            scroll = "YES";
        }
        if (fileName.empty()) {
            return "<BODY SCROLL=" + scroll + ">\n";
        }
        return "<BODY BACKGROUND=\"" + fileName + "\" SCROLL=" + scroll + ">\n";
    }
    if (backgroundPicture.empty()) {
        return "<BODY>\n";
    }
    CopyBackgroundPicture(backgroundPicture, htmlFolder);
    if (fileName.empty()) {
        return "<BODY  >\n";
    }
    return "<BODY BACKGROUND=\"" + fileName + "\" >\n";
}

// The time of writing in the long date-and-time form.
std::string FormatWrittenTime(std::time_t time)
{
    std::tm parts{};
    if (localtime_r(&time, &parts) == nullptr) {
        return {};
    }
    char text[128];
    const size_t length = std::strftime(text, sizeof text, "%A, %B %d, %Y %H:%M:%S", &parts);
    return std::string(text, length);
}

} // namespace

void WriteHtmlText(std::ostream& out, std::string_view text)
{
    ConvertLineBreaks(text, [&out](std::string_view piece) {
        out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    });
}

void AppendHtmlText(std::string& out, std::string_view text)
{
    ConvertLineBreaks(text, [&out](std::string_view piece) { out.append(piece); });
}

void WriteHtmlLineBreak(std::ostream& out)
{
    out.write(kHtmlLineBreak.data(), static_cast<std::streamsize>(kHtmlLineBreak.size()));
}

void AppendEscapedHtml(std::string& out, std::string_view text)
{
    for (char c : text) {
        if (c == '\xFC') {
            out += '\r';
        } else if (c == '\xF6') {
            out += '\n';
        } else if (const std::string_view entity = platform::text::HtmlEntityFor(c); !entity.empty()) {
            out += entity;
        } else {
            out += c;
        }
    }
}

std::string EscapeHtml(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    AppendEscapedHtml(out, text);
    return out;
}

std::string_view PassThroughText(std::string_view text)
{
    return text;
}

void WriteHtmlPageStart(std::string_view backgroundPicture, std::ostream& out, const CMarkupNode* webTemplate,
                        const std::filesystem::path& htmlFolder)
{
    WriteHtmlText(out, "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\">");
    WriteHtmlLineBreak(out);
    WriteHtmlText(out, "<HTML>");
    WriteHtmlText(out, "<HEAD>");
    WriteHtmlLineBreak(out);
    // Pages are UTF-8; saying so lets every browser show accented and non-Latin names right.
    WriteHtmlText(out, "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">");
    WriteHtmlLineBreak(out);
    WriteHtmlText(out, "<TITLE>");
    WriteHtmlText(out, "</TITLE>");
    WriteHtmlLineBreak(out);
    const std::string themeTag = ReadThemeTag();
    if (!themeTag.empty()) {
        // Markup, not text: a line break inside the tag must not get a "<BR>" put into it.
        out.write(themeTag.data(), static_cast<std::streamsize>(themeTag.size()));
        WriteHtmlLineBreak(out);
    }
    WriteHtmlText(out, "</HEAD>");
    WriteHtmlText(out, BuildBodyTag(backgroundPicture, webTemplate, htmlFolder));
}

void WriteHtmlPageEnd(std::ostream& out, std::time_t writtenAt)
{
    WriteHtmlLineBreak(out);
    if (GetSettingBool("CreationDate", false)) {
        std::string line = LoadResString(kLastModifiedText);
        const std::string when = FormatWrittenTime(writtenAt);
        if (const size_t slot = line.find("%s"); slot != std::string::npos) {
            line.replace(slot, 2, when);
        }
        WriteHtmlText(out, line);
        WriteHtmlLineBreak(out);
    }
    WriteHtmlText(out, "</BODY>");
    WriteHtmlLineBreak(out);
    WriteHtmlText(out, "</HTML>");
}

void WriteHtmlPageEnd(std::ostream& out)
{
    WriteHtmlPageEnd(out, std::time(nullptr));
}
