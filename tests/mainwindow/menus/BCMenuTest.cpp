// The program's pictures as the menus show them, and a node's menu as a real wx menu.

#include "mainwindow/menus/BCMenu.h"
#include "mainwindow/common/ProgramPictures.h"
#include "resources/ProgramPictures.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/tree/TestCatalogueNode.h"
#include "tree/base/BaseItemNode.h"
#include "tree/menus/MenuNumbers.h"
#include "tree/menus/NodeMenu.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>

#include <set>

namespace {

using namespace lumarc::test;

constexpr int kSizes[] = {16, 22, 32};

// The numbers the tree pane, the list pane's large images and overlays, the tool bar and the frame's
// menu ask for.
constexpr int kAskedNumbers[] = {
    102,   105,   1013,  167,  114,   139,   123,   124,   88,    31274, 31267, 31276, 31235, 126,   127,
    104,   111,   145,   185,  31237, 227,   31265, 101,   103,   186,   1009,  31238, 31249, 31246, 1010,
    1011,  31234, 31250, 1000, 31263, 31264, 31266, 31275, 192,   31239, 31243, 31242, 31240, 31241, 31259,
    31260, 146,   147,   198,  169,   168,   171,   170,   164,   162,   163,   31244, 165,   156,   161,
    166,   157,   159,   158,  155,   154,   31248, 31262, 31261, 31278, 31277,
};

} // namespace

TEST(ProgramPicturesTest, EveryAskedNumberHasAPictureAtEverySize)
{
    for (int number : kAskedNumbers) {
        const resources::PictureEntry* entry = resources::FindPicture(number);
        ASSERT_NE(entry, nullptr) << number;
        EXPECT_FALSE(resources::PictureSvg(entry->picture).empty()) << number << " " << entry->picture;
        for (int size : kSizes) {
            const wxBitmap bitmap = ProgramPictureBundle(number, 0, size).GetBitmap(wxSize(size, size));
            EXPECT_TRUE(bitmap.IsOk()) << number << " at " << size;
            EXPECT_EQ(bitmap.GetWidth(), size) << number;
        }
    }
    // Every entry of the table names a source that exists, strips' commands included.
    for (const resources::PictureEntry& entry : resources::AllPictureEntries()) {
        EXPECT_FALSE(resources::PictureSvg(entry.picture).empty()) << entry.number << "/" << entry.command;
    }
    // A strip without a picture for the command gives its first.
    EXPECT_EQ(resources::FindPicture(31262, 4711), resources::FindPicture(31262));
    EXPECT_NE(resources::FindPicture(31262, 1014), resources::FindPicture(31262));
    EXPECT_EQ(resources::FindPicture(4711), nullptr);
}

// Every picture source at 16, 22 and 32 pixels, with the theme's icons as the menus show them, on one
// sheet: looked at while drawing them.
TEST(ProgramPicturesTest, ContactSheetShowsEveryPictureAtEachSize)
{
    std::vector<const resources::PictureEntry*> entries;
    std::set<std::pair<std::string_view, std::string_view>> seen;
    for (const resources::PictureEntry& entry : resources::AllPictureEntries()) {
        if (seen.insert({entry.picture, entry.themeIcon}).second) {
            entries.push_back(&entry);
        }
    }
    const int columns = 8;
    const int cell = 16 + 22 + 32 + 24;
    const int rows = static_cast<int>((entries.size() + columns - 1) / columns);
    wxBitmap sheet(columns * cell, rows * 40);
    {
        wxMemoryDC dc(sheet);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        for (size_t i = 0; i < entries.size(); ++i) {
            int x = static_cast<int>(i % columns) * cell + 4;
            const int y = static_cast<int>(i / columns) * 40 + 4;
            for (int size : kSizes) {
                const wxBitmap bitmap = ProgramPictureBundle(entries[i]->number, entries[i]->command, size)
                                            .GetBitmap(wxSize(size, size));
                ASSERT_TRUE(bitmap.IsOk()) << entries[i]->picture;
                dc.DrawBitmap(bitmap, x, y + 32 - size, true);
                x += size + 6;
            }
        }
    }
    ASSERT_TRUE(sheet.SaveFile(CONTACT_SHEET, wxBITMAP_TYPE_PNG));
}

TEST(BCMenuTest, ASeparatorTakesCommandZeroAndCheckedItemsShowTheirMark)
{
    BCMenu menu;
    menu.AppendODMenu("Not a command", 0, 0, 157);
    menu.AppendODMenu("&Details", kBCMenuChecked, 59411, 170);
    menu.AppendODMenu("Cu&t\tCtrl+X", kBCMenuGreyed, 57635, 157);
    ASSERT_EQ(menu.GetMenuItemCount(), 3u);
    EXPECT_TRUE(menu.FindItemByPosition(0)->IsSeparator());
    EXPECT_TRUE(menu.FindItemByPosition(1)->IsChecked());
    EXPECT_FALSE(menu.FindItemByPosition(1)->GetBitmapBundle().IsOk());
    EXPECT_FALSE(menu.FindItemByPosition(2)->IsEnabled());
    EXPECT_EQ(menu.FindItemByPosition(2)->GetItemLabel(), "Cu&t\tCtrl+X");
    EXPECT_TRUE(menu.FindItemByPosition(2)->GetBitmapBundle().IsOk());
    EXPECT_EQ(BCMenu::CommandOf(menu.FindItemByPosition(2)->GetId()), 57635);
    menu.Clear();
    EXPECT_EQ(menu.GetMenuItemCount(), 0u);
}

TEST(BCMenuTest, ARecordsPopupReadsBackItsItemsPicturesAndGreying)
{
    const TypicalCatalogue made = MakeTypicalCatalogue(MakeTempFolder("bcmenu"));
    CCatalogueDb catalogue(made.path);
    ASSERT_TRUE(catalogue.IsOpen());
    CBaseItemNode root;
    auto* catalogueNode = CTreeNode::AppendNode<TestCatalogueNode>(root, catalogue);
    catalogueNode->BuildChildren();
    CTreeNode* france = catalogueNode->FindByNodePath("Europe^France");
    if (france == nullptr) {
        catalogueNode->FindByNodePath("Europe")->BuildChildren();
        france = catalogueNode->FindByNodePath("Europe^France");
    }
    ASSERT_NE(france, nullptr);
    ASSERT_TRUE(france->GetItemSet()->MoveFirst());
    std::unique_ptr<CTreeNode> row =
        static_cast<CAreaFileNode*>(france)->NewChildFromSet(*france->GetItemSet());

    CNodeMenu model;
    row->BuildItemMenu(&model);
    RClickMenuClass menu;
    menu.AppendNodeMenu(model);
    ASSERT_EQ(menu.GetMenuItemCount(), model.GetEntries().size());
    for (size_t i = 0; i < model.GetEntries().size(); ++i) {
        const CNodeMenu::Entry& entry = model.GetEntries()[i];
        const wxMenuItem* item = menu.FindItemByPosition(i);
        if (entry.kind == CNodeMenu::EntryKind::Separator) {
            EXPECT_TRUE(item->IsSeparator()) << i;
            continue;
        }
        EXPECT_EQ(BCMenu::CommandOf(item->GetId()), entry.command) << i;
        EXPECT_EQ(item->GetItemLabel().utf8_string(), entry.text) << i;
        EXPECT_EQ(item->IsEnabled(), !entry.greyed) << entry.text;
        EXPECT_EQ(item->GetBitmapBundle().IsOk(), entry.picture >= 0 || entry.cataloguePicture > 0)
            << entry.text;
    }
    const wxMenuItem* rename = menu.FindItem(BCMenu::ItemIdOf(menu_command::kRename));
    ASSERT_NE(rename, nullptr);
    EXPECT_FALSE(rename->IsEnabled()) << "only file items are renamed from their menu";
    EXPECT_EQ(menu.FindItem(BCMenu::ItemIdOf(menu_command::kOpen))->GetItemLabel(), "&Open");
}
