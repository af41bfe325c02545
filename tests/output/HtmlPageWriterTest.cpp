#include "output/HtmlPageWriter.h"

#include "store/markup/MarkupNode.h"
#include "store/program/Settings.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string kPageHead = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\">\r\n"
                              "<HTML><HEAD>\r\n"
                              "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\r\n"
                              "<TITLE></TITLE>\r\n";

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, std::string_view text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string PageStart(std::string_view background, const CMarkupNode* webTemplate, const fs::path& htmlFolder)
{
    std::ostringstream out;
    WriteHtmlPageStart(background, out, webTemplate, htmlFolder);
    return out.str();
}

// The body tag: everything after the head.
std::string BodyTag(std::string_view background, const CMarkupNode* webTemplate, const fs::path& htmlFolder)
{
    const std::string page = PageStart(background, webTemplate, htmlFolder);
    const size_t end = page.find("</HEAD>");
    return end == std::string::npos ? page : page.substr(end + 7);
}

// A web template whose data frame is described by a "properties" node somewhere below it.
std::unique_ptr<CMarkupNode> TemplateWithDataFrame(const char* scrolling, const char* properties = "data")
{
    auto root = std::make_unique<CMarkupNode>("frames", "webTemplate");
    auto* menu = root->AddChild(std::make_unique<CMarkupNode>("menu", "frame"));
    menu->SetAttribute("properties", "menu");
    menu->SetAttribute("SCROLLING", "NO");
    auto* outer = root->AddChild(std::make_unique<CMarkupNode>("right", "frameset"));
    auto* data = outer->AddChild(std::make_unique<CMarkupNode>("dataFrame", "frame"));
    data->SetAttribute("properties", properties);
    if (scrolling != nullptr) {
        data->SetAttribute("SCROLLING", scrolling);
    }
    return root;
}

class HtmlPageWriterTest : public testing::Test
{
protected:
    void SetUp() override
    {
        SetSettingString("WebTemplate", "");
        SetSettingString("CreationDate", "FALSE");
        htmlFolder = lumarc::test::MakeTempFolder("htm");
        pictures = lumarc::test::MakeTempFolder("pictures");
    }

    fs::path htmlFolder;
    fs::path pictures;
};

TEST_F(HtmlPageWriterTest, WritesThePageStartPieceByPiece)
{
    EXPECT_EQ(PageStart("", nullptr, htmlFolder), kPageHead + "</HEAD><BODY>\n");
}

TEST_F(HtmlPageWriterTest, BuildsTheBodyTagFromTheDataFrameAndBackground)
{
    const fs::path coin = pictures / "coin.jpg";
    WriteFile(coin, "picture bytes");
    const auto noData = TemplateWithDataFrame("YES", "navigation");
    const auto scrollNo = TemplateWithDataFrame("no");
    const auto scrollEmpty = TemplateWithDataFrame("");
    const auto scrollMissing = TemplateWithDataFrame(nullptr);
    const auto upperCaseData = TemplateWithDataFrame("No", "DATA");

    struct Case
    {
        const char* name;
        std::string background;
        const CMarkupNode* webTemplate;
        const char* expected;
    } cases[] = {
        {"no template, no picture", "", nullptr, "<BODY>\n"},
        {"template without data frame, no picture", "", noData.get(), "<BODY>\n"},
        {"picture without data frame", coin.string(), noData.get(), "<BODY BACKGROUND=\"coin.jpg\" >\n"},
        {"picture path without file name", pictures.string() + "/", nullptr, "<BODY  >\n"},
        {"data frame that does not scroll", coin.string(), scrollNo.get(),
         "<BODY BACKGROUND=\"coin.jpg\" SCROLL=no>\n"},
        {"data frame with empty scrolling", "", scrollEmpty.get(), "<BODY SCROLL=YES>\n"},
        {"data frame without scrolling", "", scrollMissing.get(), "<BODY SCROLL=YES>\n"},
        {"properties compared without case", "", upperCaseData.get(), "<BODY SCROLL=No>\n"},
        {"stored path with backslashes", "C:\\Lumarc\\HTM\\back.gif", nullptr,
         "<BODY BACKGROUND=\"back.gif\" >\n"},
        {"stored path with a drive only", "D:rome.jpg", nullptr, "<BODY BACKGROUND=\"rome.jpg\" >\n"},
        {"file name that holds markup", "pics/a\"b<c>.jpg", nullptr,
         "<BODY BACKGROUND=\"a&quot;b&lt;c&gt;.jpg\" >\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BodyTag(c.background, c.webTemplate, htmlFolder), c.expected) << c.name;
    }
}

TEST_F(HtmlPageWriterTest, LaterDataFrameDescriptionWins)
{
    auto root = TemplateWithDataFrame("NO");
    auto* second = root->AddChild(std::make_unique<CMarkupNode>("again", "frame"));
    second->SetAttribute("properties", "data");
    second->SetAttribute("SCROLLING", "auto");
    EXPECT_EQ(BodyTag("", root.get(), htmlFolder), "<BODY SCROLL=YES>\n");
}

TEST_F(HtmlPageWriterTest, CopiesTheBackgroundPictureIntoTheHtmlFolder)
{
    const fs::path source = pictures / "marble.png";
    ASSERT_EQ(std::system(("/usr/bin/convert -size 8x8 pattern:checkerboard " + source.string()).c_str()), 0);
    WriteFile(htmlFolder / "marble.png", "an older copy");

    const auto webTemplate = TemplateWithDataFrame("NO");
    PageStart(source.string(), webTemplate.get(), htmlFolder);
    EXPECT_EQ(ReadFile(htmlFolder / "marble.png"), ReadFile(source));

    // A picture that already lies in the HTML folder is kept as it is.
    const std::string before = ReadFile(htmlFolder / "marble.png");
    PageStart((htmlFolder / "marble.png").string(), nullptr, htmlFolder);
    EXPECT_EQ(ReadFile(htmlFolder / "marble.png"), before);

    // A missing picture is passed over; the page names it all the same.
    EXPECT_EQ(BodyTag((pictures / "gone.jpg").string(), nullptr, htmlFolder),
              "<BODY BACKGROUND=\"gone.jpg\" >\n");
    EXPECT_FALSE(fs::exists(htmlFolder / "gone.jpg"));
}

TEST_F(HtmlPageWriterTest, WritesTheThemeTagOfTheTemplateFile)
{
    const fs::path theme = pictures / "theme.htm";
    WriteFile(theme, "<html><HEAD><META NAME=\"Microsoft Theme\"\r\n  CONTENT=\"Coins 011\">"
                     "<title>x</title></head></html>");
    SetSettingString("WebTemplate", theme.string());
    EXPECT_EQ(PageStart("", nullptr, htmlFolder),
              kPageHead + "<meta name=\"microsoft theme\"\r\n  content=\"coins 011\">\r\n</HEAD><BODY>\n");

    const struct
    {
        const char* name;
        const char* text;
    } noTag[] = {
        {"no theme tag", "<html><head><meta name=\"author\" content=\"x\"></head></html>"},
        {"tag never closed", "<meta name=\"microsoft theme\" content=\"x\""},
    };
    for (const auto& c : noTag) {
        WriteFile(theme, c.text);
        EXPECT_EQ(PageStart("", nullptr, htmlFolder), kPageHead + "</HEAD><BODY>\n") << c.name;
    }
    SetSettingString("WebTemplate", (pictures / "missing.htm").string());
    EXPECT_EQ(PageStart("", nullptr, htmlFolder), kPageHead + "</HEAD><BODY>\n");
}

TEST_F(HtmlPageWriterTest, WritesThePageEndWithTheTimeOfWritingWhenAsked)
{
    std::ostringstream plain;
    WriteHtmlPageEnd(plain, 0);
    EXPECT_EQ(plain.str(), "\r\n</BODY>\r\n</HTML>");

    ::setenv("TZ", "UTC0", 1);
    ::tzset();
    SetSettingString("CreationDate", "true");
    std::ostringstream dated;
    WriteHtmlPageEnd(dated, 1015338659); // 5 March 2002, 14:30:59 UTC
    EXPECT_EQ(dated.str(),
              "\r\n<p> Last modified <b>Tuesday, March 05, 2002 14:30:59</b>\r\n</BODY>\r\n</HTML>");
}

TEST(HtmlText, PutsBreakTagsBeforeLineBreaksOfLongerTexts)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"plain", "plain"},
        {"\r\n", "\r\n"},
        {"a\r\nb", "a<BR>\r\nb"},
        {"\r\n\r\n", "<BR>\r\n<BR>\r\n"},
        {"end\r\n", "end<BR>\r\n"},
        {"lone\nfeed\r", "lone\nfeed\r"},
    };
    for (const auto& [text, expected] : cases) {
        std::string appended = "x";
        AppendHtmlText(appended, text);
        EXPECT_EQ(appended, std::string("x") + expected) << text;
        std::ostringstream written;
        WriteHtmlText(written, text);
        EXPECT_EQ(written.str(), expected) << text;
    }
}

TEST(HtmlText, EscapesDataAndRestoresStoredLineBreaks)
{
    EXPECT_EQ(EscapeHtml("a<b>&\"c\"'d'"), "a&lt;b&gt;&amp;&quot;c&quot;&#39;d&#39;");
    EXPECT_EQ(EscapeHtml("Zürich \xFC\xF6next"), "Zürich \r\nnext");
    EXPECT_EQ(EscapeHtml("&amp;"), "&amp;amp;");
    EXPECT_EQ(PassThroughText("<b>as is</b>"), "<b>as is</b>");
}

} // namespace
