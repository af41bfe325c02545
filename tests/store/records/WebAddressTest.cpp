#include "store/records/WebAddress.h"

#include "store/program/Settings.h"

#include <gtest/gtest.h>

namespace {

TEST(WebAddressTest, ExpandsTheSitePlaceholderAndPageExtensions)
{
    struct Case
    {
        const char* stored;
        const char* linked;
    };
    const Case cases[] = {
        {"1US1/coins.htm", "https://site.example/coins.html"},
        {"1US1/a.htm#top", "https://site.example/a.html#top"},
        {"www.example/list.html", "www.example/list.html"},
        {"x.htm and y.htm", "x.html and y.html"},
        {"1US1/1US1/", "https://site.example/https://site.example/"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExpandWebAddress(c.stored, "https://site.example/"), c.linked) << c.stored;
    }
}

TEST(WebAddressTest, OnlyHttpAddressesNameTheirScheme)
{
    EXPECT_TRUE(HasWebScheme("http://a.example"));
    EXPECT_TRUE(HasWebScheme("  HTTPS://a.example"));
    EXPECT_FALSE(HasWebScheme("a.example/http://b"));
    EXPECT_FALSE(HasWebScheme("javascript:alert('http:')"));
    EXPECT_FALSE(HasWebScheme("ftp://a.example"));
    EXPECT_FALSE(HasWebScheme(""));
}

TEST(WebAddressTest, TheSiteComesFromTheSettings)
{
    SetSettingString("ProductWebSite", "");
    EXPECT_EQ(GetProductWebSite(), "https://lumarc.example/");
    SetSettingString("ProductWebSite", "https://coins.example/shop");
    EXPECT_EQ(GetProductWebSite(), "https://coins.example/shop/");
}

} // namespace
