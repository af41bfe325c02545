#include "resources/LoadResString.h"
#include "resources/StringTable.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

TEST(LoadResString, GivesTextsByIdWhole)
{
    EXPECT_EQ(LoadResString(20552), "Error");
    EXPECT_EQ(LoadResString(128), "Lumarc 2000\n\nCorvant\n\n\nCorvant.Document\nCorvant Document");
    for (const auto& entry : resources::AllStrings()) {
        ASSERT_EQ(LoadResString(entry.id), entry.text) << entry.id;
    }
    EXPECT_TRUE(lumarc::test::Dialogs().messages.empty());
}

TEST(LoadResString, TableIsSortedWithoutDuplicateIds)
{
    const auto all = resources::AllStrings();
    for (size_t i = 1; i < all.size(); ++i) {
        ASSERT_LT(all[i - 1].id, all[i].id);
    }
}

TEST(LoadResString, MissingIdShowsNotFoundAndGivesEmptyText)
{
    auto& dialogs = lumarc::test::Dialogs();
    dialogs.Clear();
    EXPECT_EQ(LoadResString(4), "");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Not found ");
    EXPECT_EQ(dialogs.messages[0].caption, "Error");
}
