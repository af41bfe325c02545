#include "output/HtmlElementWriter.h"

#include "output/HtmlPageWriter.h"
#include "platform/text/CaseFold.h"
#include "resources/LoadResString.h"
#include "store/markup/MarkupNode.h"

#include <array>
#include <cstdio>
#include <vector>

namespace {

using platform::text::EqualsNoCase;

constexpr unsigned kNormalStyle = 742;
constexpr unsigned kSetFontStyle = 764;

struct StyleTag
{
    unsigned id;
    std::string_view tag;
};

// Style names (by their string-table ids) and the tag each one wraps its text in.
constexpr std::array kStyleTags = {
    StyleTag{743, "H1"},    StyleTag{744, "H2"},         StyleTag{745, "H3"},      StyleTag{746, "H4"},
    StyleTag{747, "H5"},    StyleTag{748, "H6"},         StyleTag{749, "ACRONYM"}, StyleTag{750, "ADDRESS"},
    StyleTag{751, "BIG"},   StyleTag{752, "BLOCKQUOTE"}, StyleTag{753, "CITE"},    StyleTag{754, "CODE"},
    StyleTag{755, "DFN"},   StyleTag{756, "PRE"},        StyleTag{757, "Q"},       StyleTag{758, "SAMP"},
    StyleTag{759, "SMALL"}, StyleTag{760, "STRONG"},     StyleTag{761, "SUB"},     StyleTag{762, "SUP"},
    StyleTag{763, "TT"},
};

enum class Style
{
    Unknown,
    Normal,
    SetFont,
    Tagged,
};

struct StyleNames
{
    std::string normal;
    std::string setFont;
    std::vector<std::pair<std::string, std::string_view>> tagged;
};

// The style names are read from the string table once: every element of every page looks them up.
const StyleNames& GetStyleNames()
{
    static const StyleNames names = [] {
        StyleNames n;
        n.normal = LoadResString(kNormalStyle);
        n.setFont = LoadResString(kSetFontStyle);
        for (const StyleTag& style : kStyleTags) {
            n.tagged.emplace_back(LoadResString(style.id), style.tag);
        }
        return n;
    }();
    return names;
}

Style FindStyle(std::string_view name, std::string_view& tag)
{
    const StyleNames& names = GetStyleNames();
    if (name.empty() || EqualsNoCase(name, names.normal)) {
        return Style::Normal;
    }
    if (EqualsNoCase(name, names.setFont)) {
        return Style::SetFont;
    }
    for (const auto& [styleName, styleTag] : names.tagged) {
        if (EqualsNoCase(name, styleName)) {
            tag = styleTag;
            return Style::Tagged;
        }
    }
    return Style::Unknown;
}

// The colour as six lower-case hexadecimal digits (the attribute holds 0xRRGGBB).
std::string ColourText(int rgb)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06x", static_cast<unsigned>(rgb));
    return text;
}

// Stored definitions keep line breaks as marker bytes; a page needs the real ones.
std::string RestoreLineBreaks(std::string text)
{
    for (char& c : text) {
        if (c == '\xFC') {
            c = '\r';
        } else if (c == '\xF6') {
            c = '\n';
        }
    }
    return text;
}

void AppendText(std::string& out, std::string_view text)
{
    AppendHtmlText(out, EscapeHtml(text));
}

// The attributes of the size and colour of a font tag. A size of 0 means the default size and is left
// out: a browser reads SIZE=0 as the smallest size.
void AppendFontSizeAndColour(std::string& out, int rgb, int fontDim)
{
    if (rgb != 0) {
        out += " COLOR=#";
        out += ColourText(rgb);
    }
    if (fontDim != 0) {
        out += " SIZE=";
        out += std::to_string(fontDim);
    }
}

void WriteNormalText(std::string& out, std::string_view text, const CMarkupNode& element)
{
    const int rgb = element.GetAttributeInt("RGB");
    const int fontDim = element.GetAttributeInt("fontDim");
    const bool fontTag = rgb != 0 || (fontDim != 0 && fontDim != 3);
    int strike = element.GetAttributeInt("strikeout");
    if (strike == 0) {
        strike = element.GetAttributeInt("Strikethrough");
    }
    const std::array<std::pair<bool, std::string_view>, 4> characterStyles = {{
        {element.GetAttributeInt("bold") != 0, "B"},
        {element.GetAttributeInt("italic") != 0, "I"},
        {element.GetAttributeInt("underline") != 0, "U"},
        {strike != 0, "S"},
    }};

    if (fontTag) {
        out += "<FONT ";
        AppendFontSizeAndColour(out, rgb, fontDim);
        out += ">";
    }
    for (const auto& [on, tag] : characterStyles) {
        if (on) {
            out.append("<").append(tag).append(">");
        }
    }
    AppendText(out, text);
    for (auto style = characterStyles.rbegin(); style != characterStyles.rend(); ++style) {
        if (style->first) {
            out.append("</").append(style->second).append(">");
        }
    }
    if (fontTag) {
        out += "</FONT>";
    }
}

void WriteSetFontText(std::string& out, std::string_view text, const CMarkupNode& element)
{
    out += "<FONT FACE=\"";
    AppendEscapedHtml(out, element.GetAttribute("face"));
    out += "\"";
    AppendFontSizeAndColour(out, element.GetAttributeInt("RGB"), element.GetAttributeInt("fontDim"));
    out += ">";
    AppendText(out, text);
    out += "</FONT>";
}

void WriteStyledText(std::string& out, std::string_view text, const CMarkupNode& element)
{
    std::string_view tag;
    switch (FindStyle(element.GetAttribute("elementType"), tag)) {
    case Style::Normal:
        WriteNormalText(out, text, element);
        break;
    case Style::SetFont:
        WriteSetFontText(out, text, element);
        break;
    case Style::Tagged:
        out.append("<").append(tag).append(">");
        AppendText(out, text);
        out.append("</").append(tag).append(">");
        break;
    case Style::Unknown:
        break;
    }
}

void WriteImage(std::string& out, const CMarkupNode& element)
{
    out += "<IMG SRC=\"";
    AppendEscapedHtml(out, element.GetAttribute("address"));
    out += "\"";
    const std::string align = element.GetAttribute("align");
    if (!align.empty()) {
        out += " ALIGN= ";
        AppendEscapedHtml(out, align);
    }
    out += ">";
}

enum class Category
{
    Unknown,
    Html,
    Image,
    Text,
};

Category CategoryOf(const CMarkupNode& element)
{
    const std::string category = element.GetAttribute("elementCategory");
    if (EqualsNoCase(category, "HTMLElement")) {
        return Category::Html;
    }
    if (EqualsNoCase(category, "ImageElement")) {
        return Category::Image;
    }
    if (EqualsNoCase(category, "FieldElement") || EqualsNoCase(category, "LabelElement")) {
        return Category::Text;
    }
    return Category::Unknown;
}

// Everything but HTML elements is written the same by both writers.
void WriteOtherElement(std::string& out, std::string_view text, const CMarkupNode& element, Category category)
{
    if (category == Category::Image) {
        WriteImage(out, element);
    } else if (category == Category::Text) {
        WriteStyledText(out, text, element);
    }
}

} // namespace

void WriteHtmlElement(std::string& out, std::string_view text, const CMarkupNode& element)
{
    const Category category = CategoryOf(element);
    if (category == Category::Html) {
        AppendHtmlText(out, RestoreLineBreaks(element.GetAttribute("value")));
        return;
    }
    WriteOtherElement(out, text, element, category);
}

void WriteHtmlElementEscaped(std::string& out, std::string_view text, const CMarkupNode& element)
{
    const Category category = CategoryOf(element);
    if (category == Category::Html) {
        // The markup itself, so the element works, then the markup without its angle brackets as text.
        const std::string value = RestoreLineBreaks(element.GetAttribute("value"));
        std::string shown;
        for (char c : value) {
            if (c != '<' && c != '>') {
                shown += c;
            }
        }
        AppendHtmlText(out, value + " &lt" + shown + "&gt");
        return;
    }
    WriteOtherElement(out, text, element, category);
}
