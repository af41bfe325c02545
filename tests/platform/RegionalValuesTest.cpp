#include "platform/intl/RegionalValues.h"

#include <gtest/gtest.h>

using namespace platform::intl;

TEST(RegionalValues, DatePicturesAndLanguageCodes)
{
    const std::pair<const char*, const char*> pictures[] = {
        {"%m/%d/%y", "MM/dd/yy"},      {"%d.%m.%Y", "dd.MM.yyyy"}, {"%F", "yyyy-MM-dd"},
        {"%e %B %Y", "d MMMM yyyy"},   {"%-d/%-m/%Y", "d/M/yyyy"}, {"%Y年%m月%d日", "yyyy年MM月dd日"},
        {"%d de %b", "dd 'd''e' MMM"},
    };
    for (const auto& [format, picture] : pictures) {
        EXPECT_EQ(DatePictureOf(format), picture) << format;
    }
    const std::pair<const char*, const char*> codes[] = {
        {"de_DE.UTF-8", "deu"}, {"fr_CA.utf8", "frc"},  {"fr_FR", "fra"}, {"en_US.UTF-8", "enu"},
        {"en_GB", "eng"},       {"nb_NO.UTF-8", "nor"}, {"C", "C"},       {"ru_RU.UTF-8", "ru"},
        {"de_AT@euro", "deu"},
    };
    for (const auto& [name, code] : codes) {
        EXPECT_EQ(LanguageCodeOf(name), code) << name;
    }
}

TEST(RegionalValues, UnknownLocaleGivesNothing)
{
    EXPECT_EQ(ReadRegionalValues("xx_NOWHERE.UTF-8"), std::nullopt);
    const auto c = ReadRegionalValues("C");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->count("sCurrency"), 0u); // the C locale has no currency: the reader's default applies
    EXPECT_EQ(c->at("sshortdate"), "MM/dd/yy");
}
