#include "store/program/TextFiles.h"
#include "store/program/Settings.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

void WriteFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(TextFiles, ReadLineGivesLinesWithTheirLineFeeds)
{
    struct Case
    {
        std::string text;
        std::vector<std::pair<int, std::string>> reads;
    };
    const std::string longLine(5000, 'x');
    const Case cases[] = {
        {"a\nb", {{1, "a\n"}, {-1, "b"}}},
        {"a\n", {{1, "a\n"}, {-1, ""}}},
        {"", {{-1, ""}}},
        {"x\r\ny\r\n", {{1, "x\r\n"}, {1, "y\r\n"}, {-1, ""}}},
        // Longer than the old 2000-byte line buffer, with and without a final LF.
        {longLine + "\n" + longLine, {{1, longLine + "\n"}, {-1, longLine}}},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.text);
        std::string line;
        for (const auto& [result, text] : c.reads) {
            EXPECT_EQ(ReadLine(in, line), result) << c.text.substr(0, 20);
            EXPECT_EQ(line, text) << c.text.substr(0, 20);
        }
    }
}

TEST(TextFiles, ReplaceTextInFileReplacesTheFirstOccurrenceOfEachLine)
{
    struct Case
    {
        std::string text;
        std::string oldText;
        std::string newText;
        std::string expected;
    };
    const std::string before(1995, 'a');
    const Case cases[] = {
        {"=NAME= and =NAME=\nno marker\n=NAME=", "=NAME=", "Coins", "Coins and =NAME=\nno marker\nCoins"},
        {"<p>=NAME=</p>\n", "=NAME=", "", "<p></p>\n"},
        {"=A=\n", "=A=", "x=A=x", "x=A=x\n"},
        // A marker across the 2000th byte of a long line is found like any other.
        {before + "=NAME=" + before + "\n", "=NAME=", "Coins", before + "Coins" + before + "\n"},
        {"t\xC3\xA9te =NAME=\n", "=NAME=",
         "pi\xC3\xA8"
         "ce",
         "t\xC3\xA9te pi\xC3\xA8"
         "ce\n"},
    };
    const auto folder = lumarc::test::MakeTempFolder("replace");
    const auto file = folder / "page.htm";
    for (const auto& c : cases) {
        WriteFile(file, c.text);
        EXPECT_TRUE(ReplaceTextInFile(file, c.oldText, c.newText));
        EXPECT_EQ(ReadFile(file), c.expected) << c.text.substr(0, 30);
        EXPECT_FALSE(std::filesystem::exists(folder / "tmpFl.hwe"));
    }
}

TEST(TextFiles, ReplaceTextInFileLeavesWhatItCannotDo)
{
    const auto folder = lumarc::test::MakeTempFolder("replace");
    const auto file = folder / "page.htm";
    WriteFile(file, "=NAME=\n");
    EXPECT_FALSE(ReplaceTextInFile(file, "", "x"));
    EXPECT_EQ(ReadFile(file), "=NAME=\n");
    EXPECT_FALSE(ReplaceTextInFile(folder / "missing.htm", "=NAME=", "x"));
    EXPECT_FALSE(std::filesystem::exists(folder / "missing.htm"));
    EXPECT_FALSE(std::filesystem::exists(folder / "tmpFl.hwe"));

    const auto htm = lumarc::test::MakeTempFolder("htm");
    SetSettingString("HtmDirectory", htm.string());
    WriteFile(htm / "webPage.htm", "<body>=BODY=</body>");
    EXPECT_TRUE(ReplaceTextInWebPage("=BODY=", "coins"));
    EXPECT_EQ(ReadFile(htm / "webPage.htm"), "<body>coins</body>");
}

TEST(TextFiles, ReadThemeMetaTagFindsTheTagInAnyCase)
{
    const auto folder = lumarc::test::MakeTempFolder("theme");
    WriteFile(folder / "a.htm",
              "<HTML><HEAD>\n<META NAME=\"Microsoft Theme\" CONTENT=\"Blends 011\">\n</HEAD>");
    EXPECT_EQ(ReadThemeMetaTag(folder / "a.htm"), "<meta name=\"microsoft theme\" content=\"blends 011\">");
    WriteFile(folder / "b.htm", "<html><meta name=\"generator\"></html>");
    EXPECT_EQ(ReadThemeMetaTag(folder / "b.htm"), std::nullopt);
    WriteFile(folder / "c.htm", "<meta name=\"microsoft theme\" " + std::string(600, 'x'));
    EXPECT_EQ(ReadThemeMetaTag(folder / "c.htm")->size(), 500u);
    EXPECT_EQ(ReadThemeMetaTag(folder / "missing.htm"), std::nullopt);
}
