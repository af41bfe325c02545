#include "platform/text/CaseFold.h"

#include <gtest/gtest.h>

using namespace platform::text;

TEST(CaseFold, ComparesLettersOfEveryScriptWithoutRegardToCase)
{
    struct Case
    {
        const char* a;
        const char* b;
        bool equal;
    };
    const Case cases[] = {
        {"Folder", "fOLDER", true},     {"ÄÖÜ Élan", "äöü élan", true}, {"ŁÓDŹ", "łódź", true},
        {"ΣΟΦΊΑ", "σοφία", true},       {"МОСКВА", "москва", true},     {"Ÿ", "ÿ", true},
        {"straße", "STRASSE", false}, // no multi-letter folding
        {"abc", "abd", false},          {"ab", "abc", false},           {"", "", true},
        {"\xFF\xFE", "\xFF\xFE", true}, // bytes that are not UTF-8 still compare
        {"\xFF", "\xFE", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EqualsNoCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
    }
}

TEST(CaseFold, OrdersIgnoringCase)
{
    EXPECT_LT(CompareNoCase("apple", "Banana"), 0);
    EXPECT_GT(CompareNoCase("Zebra", "apple"), 0);
    EXPECT_LT(CompareNoCase("ab", "ABC"), 0);
}

TEST(CaseFold, FindsAndTruncatesWithoutSplittingLetters)
{
    EXPECT_EQ(FindNoCase("Catalogue of ÉCUS", "écus"), 13u);
    EXPECT_EQ(FindNoCase("abc", "x"), std::string_view::npos);
    EXPECT_TRUE(StartsWithNoCase("Software\\Ostvig", "SOFTWARE\\"));
    EXPECT_FALSE(StartsWithNoCase("Soft", "Software"));
    EXPECT_EQ(TruncateUtf8("aé", 2), "a"); // é is two bytes: not cut in half
    EXPECT_EQ(TruncateUtf8("aé", 3), "aé");
    EXPECT_EQ(FoldCase("ÇA"), "ça");
}
