// The node menus as the nodes build them (entries, order, commands, pictures, greying) and the status
// texts of every node class, on the typical fixture catalogue.

#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/markup/MarkupNode.h"
#include "store/program/Settings.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/MemoryClipboard.h"
#include "tests/support/TestEnvironment.h"
#include "tests/tree/TypicalCatalogueTest.h"
#include "tree/base/BaseItemNode.h"
#include "tree/catalogue/CatalogueNode.h"
#include "tree/containers/AreaNode.h"
#include "tree/containers/SummaryTableNode.h"
#include "tree/groups/TableNodes.h"
#include "tree/groups/WastebasketNodes.h"
#include "tree/lists/ItemListNode.h"
#include "tree/menus/NodeMenu.h"
#include "tree/menus/OrderTexts.h"
#include "tree/queries/QueryNodes.h"
#include "tree/records/RecordNodes.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace {

using namespace lumarc::test;

// One line a menu: "command picture" ("*" after a greyed one), "-" for a separator, "[text picture:
// ...]" for a popup.
std::string Describe(const CNodeMenu& menu)
{
    std::ostringstream out;
    bool first = true;
    for (const CNodeMenu::Entry& entry : menu.GetEntries()) {
        out << (first ? "" : " ");
        first = false;
        switch (entry.kind) {
        case CNodeMenu::EntryKind::Separator:
            out << "-";
            break;
        case CNodeMenu::EntryKind::Command:
            out << entry.command << "/" << entry.picture << (entry.greyed ? "*" : "");
            break;
        case CNodeMenu::EntryKind::Popup:
            out << "[" << entry.text << "/" << entry.picture << (entry.greyed ? "*" : "") << ": "
                << Describe(*entry.popup) << "]";
            break;
        }
    }
    return out.str();
}

class NodeMenusTest : public TypicalCatalogueTreeTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenTypicalCatalogue("menus"));
        ExpandAll();
        CItemSet* lists = catalogue->GetBuiltinSet22();
        ASSERT_TRUE(lists->MoveFirst());
        list = CTreeNode::AppendNode<CItemListNode>(*catalogueNode, *catalogue, *lists);
        tables = CTreeNode::AppendNode<CTableNode>(*catalogueNode, *catalogue);
        tables->PopulateChildren(&tree);
        wastebasket = CTreeNode::AppendNode<CWastebasketNode>(*catalogueNode, *catalogue);
        wastebasket->PopulateChildren(&tree);
    }
    // The row node of the container's first record, hung below the container as the panes' rows are
    // shown under the element they belong to.
    CTreeNode* FirstRowOf(CTreeNode* container)
    {
        CItemSet* set = container->GetItemSet();
        EXPECT_TRUE(set->MoveFirst());
        std::unique_ptr<CTreeNode> row = static_cast<CAreaFileNode*>(container)->NewChildFromSet(*set);
        return static_cast<CTreeNode*>(container->AddChild(std::move(row)));
    }

    std::string ItemMenu(CTreeNode* node)
    {
        CNodeMenu menu;
        node->BuildItemMenu(&menu);
        return Describe(menu);
    }

    CItemListNode* list = nullptr;
    CTableNode* tables = nullptr;
    CWastebasketNode* wastebasket = nullptr;
};

} // namespace

TEST_F(NodeMenusTest, ACommandNumberOfZeroIsASeparatorWhateverItsText)
{
    CNodeMenu menu;
    menu.AppendODMenu("Looks like a command", kMenuGreyed, 0, 157);
    ASSERT_EQ(menu.GetEntries().size(), 1u);
    EXPECT_EQ(menu.GetEntries()[0].kind, CNodeMenu::EntryKind::Separator);
    EXPECT_TRUE(menu.GetEntries()[0].text.empty());
}

TEST_F(NodeMenusTest, EachElementClassOffersItsCommandsInOrder)
{
    struct Case
    {
        const char* name;
        CTreeNode* node;
        std::string expected;
    };
    const std::string edit = "57635/157 57634/158 57637/159*";
    CTreeNode* europe = Find("Europe");
    CTreeNode* france = Find("Europe^France");
    CTreeNode* query = Find("Europe^Old coins");
    ASSERT_NE(query, nullptr);
    CTreeNode* summary = tables->GetFirstChildNode();
    ASSERT_NE(summary, nullptr);
    const std::string newMenu =
        "[New/154: 1009/114 1023/105 1010/165 1032/111 1223/31248 - 1336/-1 1337/-1 1338/-1]";
    const Case cases[] = {
        {"root", root.get(), "535/114"},
        {"wastebasket", wastebasket, "535/31262 - 1033/31262"},
        {"tables", tables, "1033/31262*"},
        {"summary table", summary, "535/31262 " + edit + " - 1033/31262"},
        {"folder", europe, newMenu + " 1011/161 1033/31262 " + edit + " 32859/31278 32860/31277"},
        {"area", france,
         "535/31237 " + edit +
             " 32859/31278 32860/31277 - [&Print.../155: 1124/31262 1128/31262] - 1033/31262"},
        {"query", query, edit + " - 1033/31262"},
        {"item list", list,
         "[Sen&d to/31262: 1043/31244 1042/156*] - [&Print.../155: 1124/31262 1128/31262] - 1011/161 "
         "1033/31262"},
        {"wastebasket area", wastebasket->GetFirstChildNode(), edit + " - 1033/31262"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ItemMenu(c.node), c.expected) << c.name;
    }
    // An area's "New %s" shows the data file's own picture where the catalogue holds one.
    CNodeMenu areaMenu;
    france->BuildItemMenu(&areaMenu);
    EXPECT_EQ(areaMenu.GetEntries()[0].text, "New Coin");
    EXPECT_EQ(areaMenu.GetEntries()[0].cataloguePicture, 1001);
}

TEST_F(NodeMenusTest, PasteIsGreyedUnlessTheClipboardHoldsWhatTheNodeTakes)
{
    MemoryClipboard clipboard;
    CTreeNode* france = Find("Europe^France");
    CTreeNode* germany = Find("Europe^Germany");
    CNodeMenu before;
    germany->BuildEditMenu(&before);
    EXPECT_TRUE(before.FindCommand(57637)->greyed);

    ASSERT_TRUE(FirstRowOf(france)->CutToClipboard(false));
    CNodeMenu other;
    germany->BuildEditMenu(&other);
    EXPECT_FALSE(other.FindCommand(57637)->greyed) << "a coin of another folder moves into this one";
    CNodeMenu same;
    france->BuildEditMenu(&same);
    EXPECT_TRUE(same.FindCommand(57637)->greyed) << "the coin already lies here";
}

TEST_F(NodeMenusTest, RecordMenusFollowTheirFormAndCatalogue)
{
    CTreeNode* row = FirstRowOf(Find("Europe^France"));
    const std::string tail =
        " 57635/157 57634/158 57637/159* - 1037/31261 - 1011/161 1033/31262* - 1014/31262 "
        "32848/-1 32850/-1 - 1062/-1 1064/-1";
    EXPECT_EQ(ItemMenu(row), "1336/31237 1337/31237 1338/31237" + tail);

    // An order button on the form offers "Order It" and leaves its texts for the order command.
    CMarkupNode* form = FindGuiInfoElement(1, catalogue.get());
    ASSERT_NE(form, nullptr);
    CMarkupNode* button = form->AddChild(std::make_unique<CMarkupNode>("buy", "element"));
    button->SetAttribute("CNT_NAME", "orderbutton");
    button->SetAttribute("price", "12.50");
    button->SetAttribute("shopName", std::string(250, 's'));
    CMarkupNode* search = form->AddChild(std::make_unique<CMarkupNode>("look", "element"));
    search->SetAttribute("CNT_NAME", "searchButton");
    search->SetAttribute("searchString", "franc 1960");
    EXPECT_EQ(ItemMenu(row), "32841/31262 1336/31237 1337/31237 1338/31237" + tail);
    EXPECT_EQ(ProgramOrderTexts().price, "12.50");
    EXPECT_EQ(ProgramOrderTexts().shopName.size(), 199u);

    CNodeMenu inForm;
    row->BuildItemMenuWithSearch(&inForm);
    EXPECT_EQ(Describe(inForm), "32841/31262 32851/-1 1037/31261 - 1011/161 57635/157 57634/158 57637/159* "
                                "262/-1 1262/-1 - 1062/-1 1064/-1 - 1017/-1 - 32863/-1 32864/-1");
    EXPECT_EQ(ProgramSearchText(), "franc 1960");

    // A view-only catalogue offers no new items under a record, and greys what would change it.
    catalogue->SetViewOnly(true);
    EXPECT_EQ(ItemMenu(row),
              "32841/31262 57635/157 57634/158 57637/159* - 1037/31261 - 1011/161* 1033/31262* - "
              "1014/31262* 32848/-1 32850/-1 - 1062/-1 1064/-1");
}

TEST_F(NodeMenusTest, StatusTextsSayWhatTheElementIsWhereItLiesAndWhatItHolds)
{
    CTreeNode* query = Find("Europe^Old coins");
    CTreeNode* germanyWaste = nullptr;
    for (CTreeNode* child = wastebasket->GetFirstChildNode(); child != nullptr;
         child = child->GetNextSiblingNode()) {
        if (child->GetName() == "Coin") {
            germanyWaste = child;
        }
    }
    ASSERT_NE(germanyWaste, nullptr);
    CTreeNode* row = FirstRowOf(Find("Europe^France"));
    struct Case
    {
        const char* name;
        CTreeNode* node;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"root", root.get(), {"Undefined item"}},
        {"wastebasket", wastebasket, {"Wastebasket folder - Drop here to delete"}},
        {"tables", tables, {"Table available to all folders in the catalogue"}},
        {"query", query, {"Catalogue: Coins of the world", "Query Old coins", "Contains: 1 records"}},
        {"wastebasket area",
         germanyWaste,
         {"Catalogue: Coins of the world", "Deleted Records Folder; File Coin", "Contains: 0 records"}},
        {"record", row, {"Catalogue: Coins of the world", "France Folder France", "Franc 1960"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.node->GetStatusText(), c.expected) << c.name;
    }
    CCatalogueNode catalogueOnly(*catalogue);
    EXPECT_EQ(catalogueOnly.GetStatusText(),
              std::vector<std::string>{"Catalogue: contains your data information"});
}
