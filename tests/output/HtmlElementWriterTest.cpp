#include "output/HtmlElementWriter.h"

#include "store/markup/MarkupNode.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

namespace {

using Attributes = std::initializer_list<std::pair<const char*, const char*>>;

std::unique_ptr<CMarkupNode> Element(Attributes attributes)
{
    auto element = std::make_unique<CMarkupNode>();
    for (const auto& [name, value] : attributes) {
        element->SetAttribute(name, value);
    }
    return element;
}

std::string Html(Attributes attributes, std::string_view text = "Denarius")
{
    std::string out;
    WriteHtmlElement(out, text, *Element(attributes));
    return out;
}

std::string EscapedHtml(Attributes attributes, std::string_view text = "Denarius")
{
    std::string out;
    WriteHtmlElementEscaped(out, text, *Element(attributes));
    return out;
}

struct StyleCase
{
    const char* name;
    Attributes attributes;
    const char* expected;
};

TEST(HtmlElementWriter, WritesFieldsAndLabelsInTheirFontAndCharacterStyles)
{
    const StyleCase cases[] = {
        {"no style attributes", {{"elementCategory", "FieldElement"}}, "Denarius"},
        {"explicit Normal, any case",
         {{"elementCategory", "FieldElement"}, {"elementType", "nORMAL"}},
         "Denarius"},
        {"default size and no colour need no font tag",
         {{"elementCategory", "FieldElement"}, {"fontDim", "3"}, {"RGB", "0"}},
         "Denarius"},
        {"colour as six hex digits",
         {{"elementCategory", "FieldElement"}, {"RGB", "255"}},
         "<FONT  COLOR=#0000ff>Denarius</FONT>"},
        {"colour and size",
         {{"elementCategory", "LabelElement"}, {"RGB", "1193046"}, {"fontDim", "5"}},
         "<FONT  COLOR=#123456 SIZE=5>Denarius</FONT>"},
        {"default size written once a colour asks for a font tag",
         {{"elementCategory", "FieldElement"}, {"RGB", "16711680"}, {"FontDim", "3"}},
         "<FONT  COLOR=#ff0000 SIZE=3>Denarius</FONT>"},
        {"size alone",
         {{"elementCategory", "FieldElement"}, {"fontDim", "1"}},
         "<FONT  SIZE=1>Denarius</FONT>"},
        {"bold outside underline",
         {{"elementCategory", "FieldElement"}, {"bold", "1"}, {"underline", "1"}},
         "<B><U>Denarius</U></B>"},
        {"every character style, strike-through under its second name",
         {{"elementCategory", "LabelElement"},
          {"bold", "1"},
          {"Italic", "1"},
          {"underline", "1"},
          {"strikeout", "0"},
          {"Strikethrough", "1"},
          {"RGB", "65280"}},
         "<FONT  COLOR=#00ff00><B><I><U><S>Denarius</S></U></I></B></FONT>"},
        {"zero flags switch nothing on",
         {{"elementCategory", "FieldElement"}, {"bold", "0"}, {"italic", "0"}},
         "Denarius"},
        {"Set Font with face, colour and size, ignoring character styles",
         {{"elementCategory", "FieldElement"},
          {"elementType", "Set Font"},
          {"face", "DejaVu Serif"},
          {"RGB", "1056816"},
          {"fontDim", "4"},
          {"bold", "1"}},
         "<FONT FACE=\"DejaVu Serif\" COLOR=#102030 SIZE=4>Denarius</FONT>"},
        {"Set Font without colour or size",
         {{"elementCategory", "FieldElement"}, {"elementType", "set font"}},
         "<FONT FACE=\"\">Denarius</FONT>"},
        {"unknown style writes nothing", {{"elementCategory", "FieldElement"}, {"elementType", "Fancy"}}, ""},
        {"unknown category writes nothing", {{"elementCategory", "BackgroundElement"}}, ""},
        {"no category writes nothing", {{"bold", "1"}}, ""},
    };
    for (const StyleCase& c : cases) {
        EXPECT_EQ(Html(c.attributes), c.expected) << c.name;
        EXPECT_EQ(EscapedHtml(c.attributes), c.expected) << c.name;
    }
}

TEST(HtmlElementWriter, WrapsTextInTheTagOfItsStyle)
{
    const std::pair<const char*, const char*> styles[] = {
        {"Header 1", "H1"},          {"header 2", "H2"},     {"Header 3", "H3"},
        {"Header 4", "H4"},          {"Header 5", "H5"},     {"Header 6", "H6"},
        {"Acronymous", "ACRONYM"},   {"Address", "ADDRESS"}, {"Big", "BIG"},
        {"Quotation", "BLOCKQUOTE"}, {"Citation", "CITE"},   {"Code", "CODE"},
        {"Definition", "DFN"},       {"Plain", "PRE"},       {"Short Quotation", "Q"},
        {"Sample", "SAMP"},          {"Small", "SMALL"},     {"Strong", "STRONG"},
        {"Subscript", "SUB"},        {"Superscript", "SUP"}, {"Teletype", "TT"},
    };
    for (const auto& [style, tag] : styles) {
        // Font and character styles belong to the Normal style only.
        const std::string html = Html(
            {{"elementCategory", "LabelElement"}, {"elementType", style}, {"bold", "1"}, {"RGB", "255"}});
        EXPECT_EQ(html, std::string("<") + tag + ">Denarius</" + tag + ">") << style;
    }
}

TEST(HtmlElementWriter, WritesHtmlElementsAsMarkupAndTheDesignerShowsIt)
{
    const Attributes rule = {{"elementCategory", "HTMLElement"}, {"value", "<HR>"}};
    EXPECT_EQ(Html(rule, "ignored"), "<HR>");
    EXPECT_EQ(EscapedHtml(rule, "ignored"), "<HR> &ltHR&gt");

    const Attributes link = {{"elementCategory", "HTMLElement"}, {"value", "<A HREF=\"x.htm\">Mint</A>"}};
    EXPECT_EQ(Html(link), "<A HREF=\"x.htm\">Mint</A>");
    EXPECT_EQ(EscapedHtml(link), "<A HREF=\"x.htm\">Mint</A> &ltA HREF=\"x.htm\"Mint/A&gt");

    // A long value is written whole.
    const std::string longValue = "<P>" + std::string(300, 'x') + "</P>";
    std::string out;
    auto element = Element({{"elementCategory", "HTMLElement"}});
    element->SetAttribute("value", longValue);
    WriteHtmlElement(out, "", *element);
    EXPECT_EQ(out, longValue);
}

TEST(HtmlElementWriter, WritesPictureElements)
{
    EXPECT_EQ(Html({{"elementCategory", "ImageElement"}, {"address", "obverse.jpg"}, {"align", "left"}}),
              "<IMG SRC=\"obverse.jpg\" ALIGN= left>");
    EXPECT_EQ(Html({{"elementCategory", "ImageElement"}, {"address", "obverse.jpg"}}),
              "<IMG SRC=\"obverse.jpg\">");
    EXPECT_EQ(Html({{"elementCategory", "ImageElement"}, {"address", "a\"b&c.jpg"}, {"align", "x><b"}}),
              "<IMG SRC=\"a&quot;b&amp;c.jpg\" ALIGN= x&gt;&lt;b>");
}

TEST(HtmlElementWriter, ValueHoldingMarkupShowsAsText)
{
    const std::string value = "<script>alert('x')</script> & \"Rex\" <b>";
    const std::string expected =
        "&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; &quot;Rex&quot; &lt;b&gt;";
    EXPECT_EQ(Html({{"elementCategory", "FieldElement"}}, value), expected);
    EXPECT_EQ(Html({{"elementCategory", "FieldElement"}, {"bold", "1"}}, value), "<B>" + expected + "</B>");
    EXPECT_EQ(Html({{"elementCategory", "LabelElement"}, {"elementType", "Code"}}, value),
              "<CODE>" + expected + "</CODE>");
    EXPECT_EQ(EscapedHtml({{"elementCategory", "LabelElement"}}, value), expected);
    // Non-ASCII text passes through as UTF-8.
    EXPECT_EQ(Html({{"elementCategory", "FieldElement"}}, "Θεσσαλονίκη · Köln"), "Θεσσαλονίκη · Köln");
}

TEST(HtmlElementWriter, MarksLineBreaksOfTextsWithBreakTags)
{
    const Attributes field = {{"elementCategory", "FieldElement"}};
    EXPECT_EQ(Html(field, "Obverse\r\nReverse\r\nEdge"), "Obverse<BR>\r\nReverse<BR>\r\nEdge");
    EXPECT_EQ(Html(field, "\r\n"), "\r\n");
    EXPECT_EQ(Html(field, "\r\n\r\n"), "<BR>\r\n<BR>\r\n");

    // Texts kept in a layout hold line breaks as marker bytes; the page gets real ones.
    auto label = Element({{"elementCategory", "LabelElement"}});
    label->SetAttribute("labelType", "Struck in\r\nRome");
    std::string out;
    WriteHtmlElement(out, label->GetAttribute("labelType"), *label);
    EXPECT_EQ(out, "Struck in<BR>\r\nRome");

    auto html = Element({{"elementCategory", "HTMLElement"}});
    html->SetAttribute("value", "<P>one\r\ntwo</P>");
    out.clear();
    WriteHtmlElement(out, "", *html);
    EXPECT_EQ(out, "<P>one<BR>\r\ntwo</P>");
}

} // namespace
