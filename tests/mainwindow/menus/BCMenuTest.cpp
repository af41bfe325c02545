// The program's pictures as the menus show them, and a node's menu as a real wx menu.

#include "mainwindow/menus/BCMenu.h"
#include "codecs/CatalogueImage.h"
#include "mainwindow/common/ProgramPictures.h"
#include "mainwindow/dialogs/ManageWebViewsDlg.h"
#include "mainwindow/menus/ViewMenus.h"
#include "resources/ProgramPictures.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/markup/MarkupNode.h"
#include "store/program/Settings.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/tree/TestCatalogueNode.h"
#include "tree/base/BaseItemNode.h"
#include "tree/menus/FileMenuItems.h"
#include "tree/menus/MenuNumbers.h"
#include "tree/menus/NodeMenu.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>

#include <set>
#include <string>
#include <vector>

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

namespace {

// The typical catalogue with its France folder of coins built.
class ElementMenusTest : public testing::Test
{
protected:
    void SetUp() override
    {
        made = MakeTypicalCatalogue(MakeTempFolder("elementmenus"));
        catalogue = std::make_unique<CCatalogueDb>(made.path);
        ASSERT_TRUE(catalogue->IsOpen());
        catalogueNode = CTreeNode::AppendNode<TestCatalogueNode>(root, *catalogue);
        catalogueNode->BuildChildren();
        catalogueNode->FindByNodePath("Europe")->BuildChildren();
        france = catalogueNode->FindByNodePath("Europe^France");
        ASSERT_NE(france, nullptr);
    }
    void TearDown() override
    {
        SetSettingString("ListIs", "REPORT");
        SetSettingInt("WebViewIs", 0);
    }

    TypicalCatalogue made;
    std::unique_ptr<CCatalogueDb> catalogue;
    CBaseItemNode root;
    TestCatalogueNode* catalogueNode = nullptr;
    CTreeNode* france = nullptr;
};

// The label, command and state of each item; separators as "-", popups by their label and ">".
std::vector<std::string> Describe(const wxMenu& menu)
{
    std::vector<std::string> lines;
    for (const wxMenuItem* item : menu.GetMenuItems()) {
        if (item->IsSeparator()) {
            lines.emplace_back("-");
            continue;
        }
        std::string line = item->GetItemLabel().utf8_string();
        line += item->IsSubMenu() ? " >" : " " + std::to_string(BCMenu::CommandOf(item->GetId()));
        line += item->IsEnabled() ? "" : " greyed";
        line += item->IsCheckable() && item->IsChecked() ? " checked" : "";
        lines.push_back(line);
    }
    return lines;
}

} // namespace

TEST_F(ElementMenusTest, NewMenuOffersTheElementsKindsAndIsRebuiltEachTime)
{
    NewMenuClass menu;
    menu.Build(*france);
    menu.Build(*france); // rebuilt, not appended to
    const auto model = BuildNewMenu(*france);
    ASSERT_EQ(menu.GetMenuItemCount(), model->GetEntries().size());
    const std::vector<std::string> lines = Describe(menu);
    const std::vector<std::string> first(lines.begin(), lines.begin() + 5);
    EXPECT_EQ(first, (std::vector<std::string>{"C&atalogue 1009", "&Folder 1023", "&Query 1010", "&List 1032",
                                               "&Data Type 1223"}));
    for (size_t i = 0; i < model->GetEntries().size(); ++i) {
        const CNodeMenu::Entry& entry = model->GetEntries()[i];
        const wxMenuItem* item = menu.FindItemByPosition(i);
        EXPECT_EQ(item->IsSeparator(), entry.kind == CNodeMenu::EntryKind::Separator) << i;
        EXPECT_EQ(item->IsSubMenu(), entry.kind == CNodeMenu::EntryKind::Popup) << i;
        if (entry.kind == CNodeMenu::EntryKind::Command) {
            EXPECT_EQ(BCMenu::CommandOf(item->GetId()), entry.command) << i;
            // A data file's own picture shows where the catalogue holds one.
            CCatalogueImage own;
            const bool picture = entry.picture >= 0 || (entry.cataloguePicture > 0 &&
                                                        catalogue->ReadImage(entry.cataloguePicture, own));
            EXPECT_EQ(item->GetBitmapBundle().IsOk(), picture) << i;
        }
    }
    // The coins (data file 1) are offered as "New" items, each by its command.
    EXPECT_NE(menu.FindItem(BCMenu::ItemIdOf(1335 + 1)), nullptr);
}

// The list style that "ListIs" names is the one checked.
TEST_F(ElementMenusTest, ViewMenuChecksTheListStyleInUse)
{
    const std::pair<const char*, int> cases[] = {{"LARGE", 0}, {"SMALL", 1}, {"LIST", 2}, {"REPORT", 3}};
    for (const auto& [word, checked] : cases) {
        SetSettingString("ListIs", word);
        const auto model = BuildWebViewPopupMenu(france, {});
        ASSERT_EQ(model->GetEntries().size(), 5u);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(model->GetEntries()[i].checked, i == checked) << word << " " << i;
        }
    }
}

TEST_F(ElementMenusTest, ViewMenuReadsBackTheStylesAndTheWebViewsOfTheDataFile)
{
    // Two web views of the folder's data file, the second its default; and a summary, never offered.
    const std::string kind = std::to_string(france->GetKind());
    for (const char* name : {"Gallery", "Catalogue sheet", "Summary"}) {
        auto view = std::make_unique<CMarkupNode>(name, name[0] == 'S' ? "summary" : "webDefinition");
        view->SetAttribute("DataName", kind);
        view->SetAttribute("layoutType", "HTML");
        catalogue->GetWebTemplates()->AddChild(std::move(view));
    }
    catalogue->SetDefaultTemplate(france->GetKind(), "Catalogue sheet");
    SetSettingString("ListIs", "SMALL");
    SetSettingInt("WebViewIs", 1);
    WebViewPopupMenu menu(france, ListWebViews(catalogue->GetWebTemplates(), france->GetKind()));
    const std::vector<std::string> lines = Describe(menu);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
              (std::vector<std::string>{"Lar&ge Icons 59409", "S&mall Icons 59408 checked", "&List 59410",
                                        "&Details 59411"}));
    EXPECT_EQ(lines[4], "Web &Views >");
    EXPECT_FALSE(menu.FindItemByPosition(1)->GetBitmapBundle().IsOk()) << "a checked item shows its mark";
    EXPECT_TRUE(menu.FindItemByPosition(0)->GetBitmapBundle().IsOk());

    auto* views = dynamic_cast<WebViewMenu*>(menu.FindItemByPosition(4)->GetSubMenu());
    ASSERT_NE(views, nullptr);
    ASSERT_TRUE(views->HasWebViews());
    const std::vector<std::string> viewLines = Describe(*views);
    EXPECT_EQ(viewLines, (std::vector<std::string>{"Gallery 2100", "Catalogue sheet 2101 checked", "-",
                                                   "Manage Web Views 32789"}));
    // The coins' default view is checked while web views are shown.
    const std::string standard = catalogue->GetDefaultTemplate(france->GetKind()).value_or("");
    const wxMenuItem* first = views->FindItemByPosition(0);
    EXPECT_EQ(BCMenu::CommandOf(first->GetId()), 2100);
    int checkedViews = 0;
    for (const wxMenuItem* item : views->GetMenuItems()) {
        if (item->IsCheckable() && item->IsChecked()) {
            ++checkedViews;
            EXPECT_EQ(item->GetItemLabel().utf8_string(), standard);
        }
    }
    EXPECT_EQ(checkedViews, 1);
}

TEST_F(ElementMenusTest, ViewMenuOfAnElementWithoutWebViewsGreysItsPopup)
{
    WebViewPopupMenu menu(&root, {});
    const wxMenuItem* popup = menu.FindItemByPosition(4);
    ASSERT_TRUE(popup->IsSubMenu());
    EXPECT_FALSE(popup->IsEnabled());
    EXPECT_EQ(Describe(*popup->GetSubMenu()), std::vector<std::string>{"Manage Web Views 32789"});
}
