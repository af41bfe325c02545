// Which data files the wastebasket and the "Tables" group show, and where: areas of deleted records,
// tables of deleted records, the to-do list only where it is shown.

#include "tree/groups/WastebasketNodes.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Settings.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/tree/RecordingTreeControl.h"
#include "tree/base/BaseItemNode.h"
#include "tree/groups/TableNodes.h"

#include <gtest/gtest.h>

namespace {

using namespace lumarc::test;

// A data file of its own table, shown under the name.
DataFileSpec Named(DataFileSpec file, std::string table, std::string menuName)
{
    file.table = std::move(table);
    file.menuName = std::move(menuName);
    return file;
}

DataFileSpec OnlyChild(DataFileSpec file)
{
    file.onlyChild = true;
    return file;
}

// The children's labels, a group's children in brackets after it.
std::string Shape(CTreeNode& node)
{
    std::string shape;
    for (CTreeNode* child = node.GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        shape += shape.empty() ? "" : ", ";
        shape += child->GetName();
        if (child->HasChildren()) {
            shape += " [" + Shape(*child) + "]";
        }
    }
    return shape;
}

struct ToDoCase
{
    const char* name;
    bool toDoHere; // "toDoDataBase" empty (true) or naming another catalogue
    const char* wastebasket;
    const char* tables;
};

class WastebasketNodesTest : public testing::TestWithParam<ToDoCase>
{
};

} // namespace

TEST_P(WastebasketNodesTest, ShowsEachDataFileOnceWhereItBelongs)
{
    // Coins are offered when new items are made; countries are a table offered too; mints a table shown
    // only as a child; 22 holds the item lists; 25 is the to-do list.
    const auto path = CatalogueBuilder(MakeTempFolder("wastebasket") / "coins.ctg")
                          .DataFile(CoinsFile(1))
                          .DataFile(CountriesFile(2))
                          .DataFile(OnlyChild(Named(AddressesFile(4), "MINTS", "&Mints")))
                          .DataFile(Named(AddressesFile(22), "LISTS", "Lists"))
                          .DataFile(Named(AddressesFile(25), "TODO", "To do"))
                          .Build();
    SetSettingString("toDoDataBase", GetParam().toDoHere ? "" : "/somewhere/else.ctg");
    CCatalogueDb catalogue(path);
    ASSERT_TRUE(catalogue.IsOpen());
    CBaseItemNode root;
    auto* wastebasket = CTreeNode::AppendNode<CWastebasketNode>(root, catalogue);
    auto* tables = CTreeNode::AppendNode<CTableNode>(root, catalogue);
    wastebasket->PopulateChildren(nullptr);
    tables->PopulateChildren(nullptr);
    for (CTreeNode* node = wastebasket; node != nullptr; node = NextTreeNode(node, wastebasket)) {
        node->PopulateChildren(nullptr);
    }

    EXPECT_EQ(Shape(*wastebasket), GetParam().wastebasket);
    EXPECT_EQ(Shape(*tables), GetParam().tables);
    for (CTreeNode* node = wastebasket->GetFirstChildNode(); node != nullptr;
         node = node->GetNextSiblingNode()) {
        EXPECT_TRUE(node->IsWastebasketArea()) << node->GetName();
        EXPECT_EQ(node->IsDataNode(), !node->HasChildren()) << node->GetName();
    }
    // Built once: asking again adds nothing.
    wastebasket->PopulateChildren(nullptr);
    EXPECT_EQ(Shape(*wastebasket), GetParam().wastebasket);
    SetSettingString("toDoDataBase", "");
}

INSTANTIATE_TEST_SUITE_P(ToDoList, WastebasketNodesTest,
                         testing::Values(ToDoCase{"ShownHere", true, "Coin, Country, Tables [Mints], To do",
                                                  "Country, Mints"},
                                         ToDoCase{"ShownInAnotherCatalogue", false,
                                                  "Coin, Country, Tables [Mints]", "Country, Mints"}),
                         [](const testing::TestParamInfo<ToDoCase>& info) { return info.param.name; });

TEST(WastebasketNodes, TheTablesGroupShowsItsChildrenInEveryControlThatAsks)
{
    const auto path = CatalogueBuilder(MakeTempFolder("wastebasket") / "coins.ctg")
                          .DataFile(CoinsFile(1))
                          .DataFile(OnlyChild(AddressesFile(4)))
                          .Build();
    CCatalogueDb catalogue(path);
    CBaseItemNode root;
    auto* wastebasket = CTreeNode::AppendNode<CWastebasketNode>(root, catalogue);
    RecordingTreeControl pane;
    RecordingTreeControl chooser;
    chooser.treePane = false;
    for (RecordingTreeControl* control : {&pane, &chooser}) {
        wastebasket->InsertTreeItem(*control, false, false);
        wastebasket->PopulateChildren(control);
        CTreeNode* group = wastebasket->FindByNodePath("Tables");
        ASSERT_NE(group, nullptr);
        EXPECT_TRUE(control->ItemFor(group).hasButton);
        group->PopulateChildren(control);
        EXPECT_EQ(control->ChildTexts(control->ItemOf(wastebasket)),
                  (std::vector<std::string>{"Coin", "Tables"}));
        EXPECT_EQ(control->ChildTexts(control->ItemOf(group)), (std::vector<std::string>{"Address"}));
    }
    // Only the tree pane's image list takes the catalogue's picture of coins.
    EXPECT_EQ(chooser.addedImages, 60);
}
