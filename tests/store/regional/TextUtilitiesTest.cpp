#include "store/regional/TextUtilities.h"

#include <gtest/gtest.h>

TEST(TextUtilities, SplitCommandLineTakesModeAndFourWords)
{
    struct Case
    {
        const char* line;
        const char* mode;
        std::array<const char*, 4> words;
    };
    const Case cases[] = {
        {"", "", {"", "", "", ""}},
        {"Find", "Find", {"", "", "", ""}},
        {"Open^Marlix catalogue^C:\\a.ctg", "Open", {"C:\\a.ctg", "", "", ""}},
        {"list^MARLIX CATALOGUE^a^b", "list", {"a", "b", "", ""}},
        // Only a first word is the label; later it is an ordinary word.
        {"single^a^Marlix catalogue^b", "single", {"a", "Marlix catalogue", "b", ""}},
        {"x^1^2^3^4^5^6", "x", {"1", "2", "3", "4"}},
        {"x^^b", "x", {"", "b", "", ""}},
        {"FROME^/home/ann/my coins.zipctg^", "FROME", {"/home/ann/my coins.zipctg", "", "", ""}},
    };
    for (const auto& c : cases) {
        const auto words = SplitCommandLine(c.line);
        EXPECT_EQ(words.mode, c.mode) << c.line;
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(words.words[i], c.words[i]) << c.line << " word " << i + 1;
        }
    }
}

TEST(TextUtilities, FindTextNoCaseFoldsOnlyAsciiLetters)
{
    EXPECT_EQ(FindTextNoCase("Hello World", "WORLD"), 6u);
    EXPECT_EQ(FindTextNoCase("abc", ""), 0u);
    EXPECT_EQ(FindTextNoCase("abc", "abcd"), std::string_view::npos);
    EXPECT_EQ(FindTextNoCase("xÄbc", "ÄB"), 1u);
    EXPECT_EQ(FindTextNoCase("Äbc", "äbc"), std::string_view::npos);
}

TEST(TextUtilities, CopyUntilCaretKeepsAPathRecordWhole)
{
    EXPECT_EQ(CopyUntilCaret("Coins^3,4,5"), "Coins");
    EXPECT_EQ(CopyUntilCaret("no caret"), "no caret");
    EXPECT_EQ(CopyUntilCaret(std::string(300, 'a')).size(), 200u);
    // A two-byte letter across the 200-byte limit is left out, not cut in two.
    EXPECT_EQ(CopyUntilCaret(std::string(199, 'a') + "é"), std::string(199, 'a'));
}

TEST(TextUtilities, SplitAtBarsAndTrimTrailing)
{
    EXPECT_EQ(SplitAtBars("Text|*.txt|All|*.*|"),
              (std::vector<std::string>{"Text", "*.txt", "All", "*.*", ""}));
    EXPECT_EQ(SplitAtBars(""), (std::vector<std::string>{""}));

    const std::pair<const char*, const char*> trims[] = {
        {"abc  ", "abc"}, {" ", ""}, {"  ", " "}, {"x", "x"}, {"", ""}, {"a b", "a b"},
    };
    for (const auto& [text, expected] : trims) {
        std::string trimmed = text;
        TrimTrailingBlanks(trimmed);
        EXPECT_EQ(trimmed, expected) << '"' << text << '"';
    }
}

TEST(TextUtilities, StripDirectoryKeepsTheFileNameWhicheverSeparatorWroteIt)
{
    const std::pair<const char*, const char*> paths[] = {
        {"/home/a/coins-1.htm", "coins-1.htm"},
        {"C:\\Web\\coins.htm", "coins.htm"},
        {"mixed/dir\\page.htm", "page.htm"},
        {"page.htm", "page.htm"},
        {"folder/", ""},
        {"", ""},
    };
    for (const auto& [path, expected] : paths) {
        std::string text = path;
        StripDirectory(text);
        EXPECT_EQ(text, expected) << path;
    }
}

TEST(TextUtilities, LeadingNumberReadsOnlyPlainDecimalNumbers)
{
    const std::pair<const char*, double> cases[] = {
        {"12.75 g", 12.75}, {"  -3.5", -3.5},  {"+7", 7.0},      {".5", 0.5},
        {"-.25x", -0.25},   {"1.5e3", 1500.0}, {"1786", 1786.0}, {"31200045", 31200045.0},
        {"", 0.0},          {"   ", 0.0},      {"Nancy", 0.0},   {"Info", 0.0},
        {"inf", 0.0},       {"nan", 0.0},      {"0x1A", 0.0},    {"+-1", 0.0},
        {".", 0.0},         {"1e999", 0.0},    {"12,5", 12.0},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(LeadingNumber(text), expected) << '"' << text << '"';
    }
}
