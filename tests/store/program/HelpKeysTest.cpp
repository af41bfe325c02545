#include "store/program/HelpKeys.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>

TEST(HelpKeys, FindsTheTopicOfAKeyInItsPrefixMap)
{
    const auto help = GetHelpFolder();
    std::filesystem::create_directories(help);
    std::ofstream(help / "kv_cntx.txt") << "KV.ADBITM=4711\r\nKV.FOLDER_NAME=12\r\n";
    std::ofstream(help / "KV.hhp") << "[OPTIONS]\n";
    std::ofstream(help / "PX_cntx.txt") << "XPX.ITEM=1\nPX.ITEM=2\n"
                                        << std::string(70000, ' ') << "PX.LATE=3\n";

    struct Case
    {
        const char* key;
        size_t bytes;
        HelpTopicLookup::Status status;
        int topic;
    };
    const Case cases[] = {
        {"KV.ADBITM", kHelpPopupMapBytes, HelpTopicLookup::kFound, 4711},
        {"KV.FOLDER_NAME", kHelpWindowMapBytes, HelpTopicLookup::kFound, 12},
        {"KV.NAME", kHelpPopupMapBytes, HelpTopicLookup::kNoKey, 0},
        {"PX.ITEM", kHelpPopupMapBytes, HelpTopicLookup::kFound, 2}, // not the entry of "XPX.ITEM"
        {"PX.LATE", kHelpPopupMapBytes, HelpTopicLookup::kFound, 3},
        {"PX.LATE", kHelpWindowMapBytes, HelpTopicLookup::kNoKey, 0}, // beyond the bytes read
        {"ZZ.ITEM", kHelpPopupMapBytes, HelpTopicLookup::kNoMap, 0},
        {"../help/KV.ADBITM", kHelpPopupMapBytes, HelpTopicLookup::kNoMap, 0},
        {"KVADBITM", kHelpPopupMapBytes, HelpTopicLookup::kNoPrefix, 0},
    };
    for (const auto& c : cases) {
        const auto lookup = FindHelpTopic(c.key, c.bytes);
        EXPECT_EQ(lookup.status, c.status) << c.key;
        EXPECT_EQ(lookup.topic, c.topic) << c.key;
    }
    EXPECT_EQ(FindHelpTopic("KV.ADBITM", kHelpPopupMapBytes).book, help / "KV.hhp");
    EXPECT_TRUE(FindHelpTopic("PX.ITEM", kHelpPopupMapBytes).book.empty());
}

TEST(HelpKeys, NamesTheKeyOfADialogOrOfTheFocusedFormControl)
{
    struct Case
    {
        int dialog;
        const char* focused;
        const char* key; // null: no help
        bool mainWindow;
    };
    const Case cases[] = {
        {1335, "", "PX.IDC_FILENEW", false},
        {1400, "", "PX.IDC_FILENEW", false},
        {1434, "", "PX.IDC_FILENEW", false},
        {1435, "", "PX.TSA001", false},
        {1334, "", "PX.TSA001", false},
        {0, "", nullptr, false},
        {1011, "", nullptr, false},
        {57637, "", nullptr, false},
        {1070, "", "PX.BACKUP", false},
        {32786, "", "PX.FORM_DESIGNER", false},
        {303, "Telephone", "KV.TELFIELD", true},
        {122, "EDIT", "KV.EDITFIELD", true},
        {129, "combobox1", "KV.COMBOFIELD", true},
        {169, "Currency", "KV.CURRENCYFIELD", true},
        {303, "ComboBox", "PX.EDIT_RECORD", false}, // a plain combo box is not a form field
        {303, "", "PX.EDIT_RECORD", false},
        {1066, "Telephone", "PX.DAYTIPS_FORCE", false}, // the focus counts on the form pages only
    };
    for (const auto& c : cases) {
        const auto help = FindDialogHelpKey(c.dialog, c.focused);
        const std::string label = std::to_string(c.dialog) + " " + c.focused;
        if (c.key == nullptr) {
            EXPECT_FALSE(help.has_value()) << label;
            continue;
        }
        ASSERT_TRUE(help.has_value()) << label;
        EXPECT_EQ(help->key, c.key) << label;
        EXPECT_EQ(help->mainWindow, c.mainWindow) << label;
    }
}
