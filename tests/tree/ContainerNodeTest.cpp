// The folder tree of a catalogue made by the fixture builder: which nodes it builds, what they show in a
// tree control, what they collect, their paths, and deleting folders.

#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/program/Settings.h"
#include "store/records/FolderRecord.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/MemoryClipboard.h"
#include "tests/support/TestEnvironment.h"
#include "tests/tree/TypicalCatalogueTest.h"
#include "tree/base/BaseItemNode.h"
#include "tree/base/NodeInterfaces.h"
#include "tree/containers/AreaNode.h"
#include "tree/containers/FolderNode.h"
#include "tree/containers/SummaryTableNode.h"
#include "tree/groups/TableNodes.h"
#include "tree/lists/ItemListNode.h"
#include "tree/queries/QueryNodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

using namespace lumarc::test;

class ContainerNodeTest : public TypicalCatalogueTreeTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenTypicalCatalogue("tree"));
        Dialogs().Clear();
    }
    void TearDown() override
    {
        TypicalCatalogueTreeTest::TearDown();
        SetSettingString("Newlook", "true");
    }

    // The stored query "Old coins" and the item list "Wanted" as nodes below the catalogue node, as the
    // panes show them.
    void AddQueryAndListNodes()
    {
        CItemSet* queries = catalogue->GetBuiltinSet23();
        ASSERT_TRUE(queries->MoveFirst());
        query = CTreeNode::AppendNode<CQueryNode>(*catalogueNode, queries->GetCurrentName(), *catalogue,
                                                  *queries);
        CItemSet* lists = catalogue->GetBuiltinSet22();
        ASSERT_TRUE(lists->MoveFirst());
        list = CTreeNode::AppendNode<CItemListNode>(*catalogueNode, *catalogue, *lists);
        ASSERT_EQ(query->GetName(), "Old coins");
        ASSERT_EQ(list->GetName(), "Wanted");
    }

    CQueryNode* query = nullptr;
    CItemListNode* list = nullptr;
};

} // namespace

TEST_F(ContainerNodeTest, ThreeLevelsOfFoldersBuildTheirNodesOnlyWhenAsked)
{
    catalogueNode->PopulateChildren(&tree);
    CTreeNode* europe = Find("Europe");
    ASSERT_NE(europe, nullptr);
    // Nothing below the first level exists before a pane asks, but the tree shows it can open.
    EXPECT_FALSE(europe->HasChildren());
    EXPECT_TRUE(tree.ItemFor(europe).hasButton);
    EXPECT_FALSE(tree.ItemFor(Find("Asia")).hasButton);
    EXPECT_FALSE(europe->GetItemSet()->IsLoaded());

    ExpandAll();
    struct Expected
    {
        const char* path;
        bool folder;
        int kind;
        const char* page;
        const char* help;
    };
    const Expected expected[] = {
        {"Europe", true, -1, "folder.htm", "KV.AREAITM"},
        {"Europe^Germany", false, 1, "singleFile.htm", "KV.AREAITM"},
        {"Europe^Germany^Prussia", false, 1, "singleFile.htm", "KV.AREAITM"},
        {"Europe^France", false, 1, "singleFile.htm", "KV.AREAITM"},
        {"Asia", true, -1, "folder.htm", "KV.AREAITM"},
    };
    for (const auto& e : expected) {
        CTreeNode* node = Find(e.path);
        ASSERT_NE(node, nullptr) << e.path;
        EXPECT_EQ(node->IsFolder(), e.folder) << e.path;
        EXPECT_EQ(node->IsArea(), !e.folder) << e.path;
        EXPECT_TRUE(node->IsContainer()) << e.path;
        EXPECT_EQ(node->GetKind(), e.kind) << e.path;
        EXPECT_EQ(node->GetPageTemplate(), e.page) << e.path;
        EXPECT_EQ(node->GetHelpKey(), e.help) << e.path;
        EXPECT_EQ(tree.ItemFor(node).text, node->GetName()) << e.path;
        EXPECT_EQ(node->GetCatalogue(), catalogue.get()) << e.path;
    }
    EXPECT_EQ(tree.ChildTexts(tree.ItemOf(catalogueNode)),
              (std::vector<std::string>{"Europe", "Asia", "Wanted"}));
    EXPECT_EQ(tree.ChildTexts(tree.ItemOf(Find("Europe"))),
              (std::vector<std::string>{"Germany", "France", "Old coins"}));
    EXPECT_EQ(Find("Europe^France")->GetItemSet()->GetCount(), 1u);
    EXPECT_EQ(Find("Europe^France")->GetItemSet()->GetCurrentName(), "Franc 1960");
}

TEST_F(ContainerNodeTest, ChildrenBuiltWithoutAControlStillShowInEveryControlThatAsks)
{
    catalogueNode->PopulateChildren(&tree);
    CTreeNode* europe = Find("Europe");
    // IsEmpty builds the children in the model only; a pane asking afterwards still gets their items.
    EXPECT_FALSE(europe->IsEmpty());
    ASSERT_TRUE(europe->HasChildren());
    EXPECT_TRUE(tree.ChildTexts(tree.ItemOf(europe)).empty());
    europe->PopulateChildren(&tree);
    EXPECT_EQ(tree.ChildTexts(tree.ItemOf(europe)),
              (std::vector<std::string>{"Germany", "France", "Old coins"}));
    // Asking again adds nothing twice.
    europe->PopulateChildren(&tree);
    EXPECT_EQ(tree.ChildTexts(tree.ItemOf(europe)).size(), 3u);

    // A dialog's tree shows the same nodes with items of its own; the pane keeps its items.
    RecordingTreeControl dialogTree;
    dialogTree.treePane = false;
    catalogueNode->InsertTreeItem(dialogTree, false, false);
    catalogueNode->PopulateChildren(&dialogTree);
    europe->PopulateChildren(&dialogTree);
    EXPECT_EQ(dialogTree.ChildTexts(dialogTree.ItemOf(catalogueNode)),
              (std::vector<std::string>{"Europe", "Asia", "Wanted"}));
    EXPECT_EQ(dialogTree.ChildTexts(dialogTree.ItemOf(europe)),
              (std::vector<std::string>{"Germany", "France", "Old coins"}));
    EXPECT_EQ(tree.ChildTexts(tree.ItemOf(europe)),
              (std::vector<std::string>{"Germany", "France", "Old coins"}));
    // A control that does not show the node gets nothing put at its top level.
    RecordingTreeControl unrelated;
    europe->PopulateChildren(&unrelated);
    EXPECT_TRUE(unrelated.items.empty());
}

TEST_F(ContainerNodeTest, ImagesFollowTheThousandRuleBothWays)
{
    // Folders show an image kind (the table maps kind k to k + 500); coin areas the catalogue's picture of
    // coins, added to the image list at run time (value index + 1000).
    ExpandAll();
    CTreeNode* europe = Find("Europe");
    CTreeNode* germany = Find("Europe^Germany");
    EXPECT_EQ(europe->GetClosedImage(), 40);
    EXPECT_EQ(tree.ItemFor(europe).image, 540);
    EXPECT_GT(germany->GetClosedImage(), 1000);
    EXPECT_EQ(germany->GetOpenImage(), germany->GetClosedImage());
    const int index = germany->GetClosedImage() - 1000;
    EXPECT_EQ(tree.ItemFor(germany).image, index);

    // Expanded and collapsed, a picture added at run time stays the same image-list entry.
    ASSERT_TRUE(germany->Open(&tree));
    EXPECT_EQ(tree.ItemFor(germany).image, index);
    ASSERT_TRUE(germany->Collapse(&tree));
    EXPECT_EQ(tree.ItemFor(germany).image, index);
    ASSERT_TRUE(europe->Open(&tree));
    EXPECT_EQ(tree.ItemFor(europe).image, 523);
    ASSERT_TRUE(europe->Collapse(&tree));
    EXPECT_EQ(tree.ItemFor(europe).image, 540);

    // A control that cannot expand leaves the picture alone.
    tree.expandWorks = false;
    EXPECT_FALSE(europe->Open(&tree));
    EXPECT_EQ(tree.ItemFor(europe).image, 540);
}

TEST_F(ContainerNodeTest, AreasUseStockImagesWithoutNewlookOrOutsideTheTreePane)
{
    SetSettingString("Newlook", "FALSE");
    catalogueNode->PopulateChildren(&tree);
    Find("Europe")->PopulateChildren(&tree);
    EXPECT_EQ(Find("Europe^Germany")->GetClosedImage(), 40);
    EXPECT_EQ(tree.addedImages, 60);

    SetSettingString("Newlook", "true");
    RecordingTreeControl chooser;
    chooser.treePane = false;
    CAreaNode area(*catalogue, catalogue->FindFolder(made.france), 1);
    area.InsertTreeItem(chooser, true, false);
    EXPECT_EQ(area.GetClosedImage(), 40);
    // The to-do list and the bookmarks never take a catalogue picture.
    CAreaNode toDo(*catalogue, nullptr, 25);
    CAreaNode bookmarks(*catalogue, nullptr, 24);
    toDo.InsertTreeItem(tree, true, false);
    bookmarks.InsertTreeItem(tree, true, false);
    EXPECT_EQ(toDo.GetClosedImage(), 41);
    EXPECT_EQ(bookmarks.GetClosedImage(), 20);
    EXPECT_EQ(tree.addedImages, 60);
    // Shown in the tree pane after a chooser, the area takes its picture then.
    area.InsertTreeItem(tree, true, false);
    EXPECT_EQ(tree.addedImages, 61);
    EXPECT_EQ(area.GetClosedImage(), 1060);
}

TEST_F(ContainerNodeTest, CollectItemsOnAGroupReachesEveryRecordOfItsDataNodesOnce)
{
    // A group holding an area, a folder and the summary table of coins: the table holds the area's
    // coin too, and every other coin.
    auto* group = CTreeNode::AppendNode<CTreeNode>(*catalogueNode, "Group", 22, 21);
    CTreeNode::AppendNode<CAreaNode>(*group, *catalogue, catalogue->FindFolder(made.france), 1);
    CTreeNode::AppendNode<CFolderNode>(*group, *catalogue, catalogue->FindFolder(made.europe));
    CTreeNode::AppendNode<CSummaryTableNode>(*group, *catalogue, 1);
    std::set<double> expected;
    for (CTreeNode* child = group->GetFirstChildNode(); child != nullptr;
         child = child->GetNextSiblingNode()) {
        CItemSet& set = *child->GetItemSet();
        for (bool more = set.MoveFirst(); more; more = set.MoveNext()) {
            expected.insert(set.GetCurrentKey().GetCode());
        }
    }
    ASSERT_GE(expected.size(), 5u); // four coins and the stored query kept in Europe

    CItemSet collected(catalogue.get());
    group->CollectItems(collected);
    std::multiset<double> codes;
    for (bool more = collected.MoveFirst(); more; more = collected.MoveNext()) {
        codes.insert(collected.GetCurrentKey().GetCode());
    }
    EXPECT_EQ(codes, std::multiset<double>(expected.begin(), expected.end()));
}

TEST_F(ContainerNodeTest, PathsRoundTripAndKeepACaretInsideAName)
{
    CFolderRecord* odd = catalogue->AddFolder("Rome^Gaul\\Coins", made.europe, CFolderRecord::kAllKinds);
    ASSERT_NE(odd, nullptr);
    ExpandAll();
    CTreeNode* prussia = Find("Europe^Germany^Prussia");
    ASSERT_NE(prussia, nullptr);
    // Names without '^' or '\' give the paths stored settings already hold.
    EXPECT_EQ(prussia->GetPath(), "Coins of the world^Europe^Germany^Prussia^");
    EXPECT_EQ(prussia->GetFullPath(), "My Catalogues^Coins of the world^Europe^Germany^Prussia^");

    int checked = 0;
    for (CTreeNode* node = catalogueNode; node != nullptr; node = NextTreeNode(node, root.get())) {
        EXPECT_EQ(root->FindByNodePath(node->GetPath()), node) << node->GetPath();
        const auto names = CTreeNode::SplitPath(node->GetFullPath());
        ASSERT_FALSE(names.empty());
        EXPECT_EQ(names.front(), "My Catalogues");
        EXPECT_EQ(names.back(), node->GetName());
        ++checked;
    }
    EXPECT_EQ(checked, 9); // with the stored query in Europe and the item list at the top
    CTreeNode* rome = Find("Europe^Rome\\^Gaul\\\\Coins");
    ASSERT_NE(rome, nullptr);
    EXPECT_EQ(rome->GetName(), "Rome^Gaul\\Coins");
    EXPECT_EQ(Find("Europe^Rome^Gaul"), nullptr);
    // A path without its last '^' names the same node.
    EXPECT_EQ(Find("Europe^Germany"), Find("Europe^Germany^"));
}

TEST_F(ContainerNodeTest, FindFolderChildByNumberTakesTheFirstAtOrAbove)
{
    catalogueNode->PopulateChildren(&tree);
    EXPECT_EQ(catalogueNode->FindFolderChildByNumber(made.europe), Find("Europe"));
    EXPECT_EQ(catalogueNode->FindFolderChildByNumber(made.asia), Find("Asia"));
    EXPECT_EQ(catalogueNode->FindFolderChildByNumber(made.asia + 1000), nullptr);
}

TEST_F(ContainerNodeTest, OpenRebuildsTheItemsBelowAndReloadForgetsTheChildren)
{
    catalogueNode->PopulateChildren(&tree);
    CTreeNode* europe = Find("Europe");
    tree.log.clear();
    ASSERT_TRUE(europe->Open(&tree));
    // The items below are made anew from the nodes (the coin areas adding their picture to the tree
    // pane's images as they first show there), then the item opens with its open picture.
    EXPECT_EQ(tree.log, (std::vector<std::string>{"delete children of Europe", "add image", "append Germany",
                                                  "add image", "append France", "append Old coins",
                                                  "expand Europe", "images Europe 523"}));
    EXPECT_TRUE(tree.ItemFor(Find("Europe^Germany")).hasButton);
    EXPECT_EQ(tree.ChildTexts(tree.ItemOf(europe)),
              (std::vector<std::string>{"Germany", "France", "Old coins"}));

    catalogue->FindFolder(made.europe)->SetName("Europa");
    europe->Reload();
    EXPECT_EQ(europe->GetName(), "Europa");
    EXPECT_FALSE(europe->HasChildren());
    // The control let go of the items of the nodes that went.
    EXPECT_TRUE(tree.ChildTexts(tree.ItemOf(europe)).empty());
    europe->PopulateChildren(&tree);
    EXPECT_EQ(tree.ChildTexts(tree.ItemOf(europe)),
              (std::vector<std::string>{"Germany", "France", "Old coins"}));
}

TEST_F(ContainerNodeTest, DeletingAFolderAsksOnceWithYesToAllAndForEachSubfolderWithYes)
{
    ExpandAll();
    // Yes: the folder's own question, then one for each subfolder, Prussia (inside Germany) included;
    // the store asks about the records of each folder that holds some.
    Dialogs().answers = {6, 6, 6, 6, 6, 6, 6, 6, 7};
    EXPECT_EQ(Find("Europe")->Delete(nullptr, false), kDeleteDone);
    // Only once the whole tree went is the data file of its areas offered for removal (the ducat keeps
    // coins alive, so No keeps it).
    ASSERT_FALSE(Dialogs().messages.empty());
    EXPECT_EQ(Dialogs().messages.back().text, "Do you want to remove also the Coin data item type?");
    EXPECT_NE(catalogue->FindDefinition(1), nullptr);
    std::vector<std::string> asked;
    for (const auto& message : Dialogs().messages) {
        if (message.caption == "Confirm Folder Delete") {
            asked.push_back(message.text.substr(0, message.text.find('\n')));
        }
    }
    EXPECT_EQ(asked, (std::vector<std::string>{"Are you sure you want to delete the Europe folder?",
                                               "Are you sure you want to delete the Germany folder?",
                                               "Are you sure you want to delete the Prussia folder?",
                                               "Are you sure you want to delete the France folder?"}));
    EXPECT_EQ(catalogue->FindFolder(made.europe), nullptr);
    EXPECT_EQ(catalogue->FindFolder(made.prussia), nullptr);
    EXPECT_FALSE(IsLiveRecord(*catalogue, made.franc.In(*catalogue)));
}

TEST_F(ContainerNodeTest, YesToAllDeletesTheSubfoldersQuietlyAndNoKeepsEverything)
{
    ExpandAll();
    Dialogs().answers = {7};
    EXPECT_EQ(Find("Europe")->Delete(nullptr, false), kDeleteRefused);
    EXPECT_NE(catalogue->FindFolder(made.germany), nullptr);
    EXPECT_TRUE(IsLiveRecord(*catalogue, made.mark.In(*catalogue)));

    Dialogs().Clear();
    Dialogs().answers = {8, 7};
    EXPECT_EQ(Find("Europe")->Delete(nullptr, false), kDeleteDoneYesToAll);
    ASSERT_EQ(Dialogs().messages.size(), 2u) << Dialogs().messages.back().text;
    EXPECT_EQ(Dialogs().messages[0].caption, "Confirm Folder Delete");
    EXPECT_EQ(catalogue->FindFolder(made.germany), nullptr);
    EXPECT_FALSE(IsLiveRecord(*catalogue, made.thaler.In(*catalogue)));
    // Asia stays, and with it the tree's other folder.
    EXPECT_NE(catalogue->FindFolder(made.asia), nullptr);
}

TEST_F(ContainerNodeTest, FoldersInsideThemselvesEndBuildingAndDeleting)
{
    // Two folders whose PARENT values point at each other, reached from a folder node made for one.
    CFolderRecord* a = catalogue->AddFolder("Loop A", made.asia, CFolderRecord::kAllKinds);
    CFolderRecord* b = catalogue->AddFolder("Loop B", a->GetNumber(), CFolderRecord::kAllKinds);
    a->SetParent(b->GetNumber());
    ASSERT_TRUE(a->Update(*catalogue));
    const double numberA = a->GetNumber();
    const double numberB = b->GetNumber();
    auto* loop = CTreeNode::AppendNode<CFolderNode>(*catalogueNode, *catalogue, a);
    for (CTreeNode* node = loop; node != nullptr; node = NextTreeNode(node, loop)) {
        node->PopulateChildren(nullptr);
    }
    EXPECT_EQ(loop->ChildCount(), 1u);
    EXPECT_EQ(loop->GetFirstChildNode()->ChildCount(), 0u);

    Dialogs().answers = {8};
    EXPECT_EQ(loop->Delete(nullptr, false), kDeleteDoneYesToAll);
    EXPECT_EQ(catalogue->FindFolder(numberA), nullptr);
    EXPECT_EQ(catalogue->FindFolder(numberB), nullptr);
}

TEST_F(ContainerNodeTest, StatusTextsAndTheSummaryTableThatIsNeverDeleted)
{
    ExpandAll();
    EXPECT_EQ(Find("Europe^France")->CTreeNode::GetStatusText(),
              (std::vector<std::string>{"Undefined item"}));
    auto* europe = static_cast<CFolderNode*>(Find("Europe"));
    EXPECT_EQ(europe->GetStatusText(), (std::vector<std::string>{"Catalogue: Coins of the world",
                                                                 "Folder Europe", "Contains: 1 records"}));

    auto* tables = CTreeNode::AppendNode<CTableNode>(*catalogueNode, *catalogue);
    tables->PopulateChildren(&tree);
    ASSERT_EQ(tables->ChildCount(), 1u);
    auto* countries = static_cast<CSummaryTableNode*>(tables->GetFirstChildNode());
    EXPECT_EQ(countries->GetDataFile(), 2);
    EXPECT_EQ(countries->GetHelpKey(), "KV.TABLESITM");
    EXPECT_EQ(countries->GetPageTemplate(), "AllAreaTableFile.htm");
    countries->PopulateChildren(&tree);
    // Both countries are linked to from coins: a row each.
    EXPECT_EQ(countries->ChildCount(), 2u);
    EXPECT_TRUE(countries->GetFirstChildNode()->IsTableRecord());
    EXPECT_EQ(countries->GetStatusText()[1], "Summary table: " + countries->GetName());
    EXPECT_EQ(countries->GetStatusText()[2], "Contains: 2 records");

    EXPECT_EQ(countries->Delete(nullptr, false), kDeleteRefused);
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text,
              "You can not delete a non reference item; Delete the data item this table belong to.");
    EXPECT_NE(catalogue->FindDefinition(2), nullptr);
}

namespace {

// The names of the folders below a folder, from the catalogue's folder list.
std::vector<std::string> SubfolderNames(CCatalogueDb& catalogue, double number)
{
    std::vector<std::string> names;
    for (CFolderRecord* child = catalogue.FirstChildFolder(number); child != nullptr;
         child = catalogue.NextChildFolder(number, child)) {
        names.push_back(child->GetName());
    }
    return names;
}

// The names of the rows of a built-in data file (22: item lists, 23: stored queries) in the folder.
std::vector<std::string> ElementNames(CCatalogueDb& catalogue, int file, double folder)
{
    CItemSet set = CItemSet::Query(&catalogue, file, nullptr, false);
    std::vector<std::string> names;
    for (bool more = set.MoveFirst(); more; more = set.MoveNext()) {
        if (set.GetCurrentParent() == folder) {
            names.push_back(set.GetCurrentName());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> RecordNames(CCatalogueDb& catalogue, CFolderRecord* folder)
{
    CItemSet set = CItemSet::Query(&catalogue, -1, folder, false);
    std::vector<std::string> names;
    for (bool more = set.MoveFirst(); more; more = set.MoveNext()) {
        names.push_back(set.GetCurrentName());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST_F(ContainerNodeTest, AnAreaTellsItsFolderFileAndCount)
{
    ExpandAll();
    EXPECT_EQ(Find("Europe^France")->GetStatusText(),
              (std::vector<std::string>{"Catalogue: Coins of the world", "Folder France,File France",
                                        "Contains: 1 records"}));
    // An area without a folder names only its data file; an empty one counts 0.
    CAreaNode loose(*catalogue, nullptr, 3);
    loose.SetName("Dealers %s");
    EXPECT_EQ(loose.GetStatusText()[1], "File Dealers %s");
}

TEST_F(ContainerNodeTest, PastedFoldersMoveUnderTheFolderButNeverInsideThemselves)
{
    MemoryClipboard clipboard;
    ExpandAll();
    auto* asia = static_cast<CContainerNode*>(Find("Asia"));
    ASSERT_TRUE(AppendEntriesToClipboard(kAreaMoveFormat, {Find("Europe^Germany")->GetPath()}));
    EXPECT_TRUE(asia->CanPasteFolders(true));
    EXPECT_FALSE(asia->CanPasteFolders(false));

    asia->DropMove(nullptr);
    EXPECT_EQ(catalogue->FindFolder(made.germany)->GetParent(), made.asia);
    EXPECT_EQ(SubfolderNames(*catalogue, made.asia), (std::vector<std::string>{"Germany"}));
    EXPECT_EQ(Find("Europe^Germany"), nullptr);
    asia->PopulateChildren(&tree);
    ASSERT_NE(Find("Asia^Germany"), nullptr);
    Find("Asia^Germany")->PopulateChildren(&tree);
    EXPECT_NE(Find("Asia^Germany^Prussia"), nullptr);

    // Asia into its own subfolder, or into itself: the clipboard is refused and nothing changes.
    ASSERT_TRUE(WriteEntriesToClipboard(kAreaMoveFormat, {asia->GetPath()}));
    for (CTreeNode* target : {Find("Asia^Germany^Prussia"), static_cast<CTreeNode*>(asia)}) {
        auto* container = static_cast<CContainerNode*>(target);
        EXPECT_FALSE(container->CanPasteFolders(true)) << target->GetName();
        EXPECT_FALSE(container->PasteAreaMove(kAreaMoveFormat)) << target->GetName();
    }
    EXPECT_EQ(catalogue->FindFolder(made.asia)->GetParent(), RootFolderCode());
}

TEST_F(ContainerNodeTest, APastedFolderCopyTakesItsSubfoldersAndRecordsOnce)
{
    MemoryClipboard clipboard;
    ExpandAll();
    ASSERT_TRUE(AppendEntriesToClipboard(kAreaCopyFormat, {Find("Europe")->GetPath()}));
    auto* asia = static_cast<CContainerNode*>(Find("Asia"));
    asia->DropCopy(nullptr);
    ASSERT_EQ(SubfolderNames(*catalogue, made.asia), (std::vector<std::string>{"Copy of Europe"}));
    const double copy = catalogue->FirstChildFolder(made.asia)->GetNumber();
    EXPECT_EQ(SubfolderNames(*catalogue, copy), (std::vector<std::string>{"Germany", "France"}));
    const double germany = catalogue->FirstChildFolder(copy)->GetNumber();
    EXPECT_EQ(SubfolderNames(*catalogue, germany), (std::vector<std::string>{"Prussia"}));
    EXPECT_EQ(RecordNames(*catalogue, catalogue->FirstChildFolder(copy)),
              (std::vector<std::string>{"Mark 1950"}));
    EXPECT_EQ(RecordNames(*catalogue, catalogue->FindFolder(made.germany)),
              (std::vector<std::string>{"Mark 1950"}));

    // A second copy takes the next name; a copy into the folder's own subfolder is made once.
    asia->PasteAreaCopy(kAreaCopyFormat);
    EXPECT_EQ(SubfolderNames(*catalogue, made.asia),
              (std::vector<std::string>{"Copy of Europe", "Copy 2 of Europe"}));
    auto* prussia = static_cast<CContainerNode*>(Find("Europe^Germany^Prussia"));
    ASSERT_TRUE(prussia->PasteAreaCopy(kAreaCopyFormat));
    ASSERT_EQ(SubfolderNames(*catalogue, made.prussia), (std::vector<std::string>{"Copy of Europe"}));
    const double inner = catalogue->FirstChildFolder(made.prussia)->GetNumber();
    const double innerGermany = catalogue->FirstChildFolder(inner)->GetNumber();
    const double innerPrussia = catalogue->FirstChildFolder(innerGermany)->GetNumber();
    EXPECT_EQ(SubfolderNames(*catalogue, innerPrussia), std::vector<std::string>{});
    EXPECT_EQ(RecordNames(*catalogue, catalogue->FindFolder(innerPrussia)),
              (std::vector<std::string>{"Thaler 1786"}));
}

TEST_F(ContainerNodeTest, DroppedRecordsMoveOrCopyIntoTheFolder)
{
    ExpandAll();
    auto* france = static_cast<CContainerNode*>(Find("Europe^France"));
    CItemSet mark = CItemSet::Query(catalogue.get(), 1, catalogue->FindFolder(made.germany), false);
    ASSERT_EQ(mark.GetCount(), 1u);
    EXPECT_TRUE(france->CanAcceptMove(&mark));
    france->DropMove(&mark);
    EXPECT_EQ(RecordNames(*catalogue, catalogue->FindFolder(made.france)),
              (std::vector<std::string>{"Franc 1960", "Mark 1950"}));
    EXPECT_EQ(RecordNames(*catalogue, catalogue->FindFolder(made.germany)), std::vector<std::string>{});
    // What lies there already is not moved there again; copies leave the records where they are.
    CItemSet there = CItemSet::Query(catalogue.get(), 1, catalogue->FindFolder(made.france), false);
    EXPECT_FALSE(france->CanAcceptMove(&there));

    auto* asia = static_cast<CContainerNode*>(Find("Asia"));
    asia->DropCopy(&there);
    EXPECT_EQ(RecordNames(*catalogue, catalogue->FindFolder(made.asia)),
              (std::vector<std::string>{"Franc 1960", "Mark 1950"}));
    EXPECT_EQ(RecordNames(*catalogue, catalogue->FindFolder(made.france)),
              (std::vector<std::string>{"Franc 1960", "Mark 1950"}));
}

TEST_F(ContainerNodeTest, RenamingASummaryTableRenamesItsDataFile)
{
    auto* tables = CTreeNode::AppendNode<CTableNode>(*catalogueNode, *catalogue);
    tables->PopulateChildren(&tree);
    auto* countries = static_cast<CSummaryTableNode*>(tables->GetFirstChildNode());
    ASSERT_TRUE(countries->Rename("Lands"));
    EXPECT_EQ(countries->GetName(), "Lands");
    EXPECT_EQ(catalogue->FindDefinition(2)->GetMenuName(), "Lands");
    CCatalogueDb again(made.path.parent_path() / "coins.ctg");
    again.LoadDataStructure();
    ASSERT_NE(again.FindDefinition(2), nullptr);
    EXPECT_EQ(again.FindDefinition(2)->GetMenuName(), "Lands");
}

TEST_F(ContainerNodeTest, OpenEntryByIdOpensANewRecordOfTheFolderOrTableInTheRecordWindow)
{
    struct FakeRecordForm : CRecordFormOpener
    {
        void OpenNewRecord(CItemSet newRecord, CTreeNode& container, CNodeFrame* /*frame*/) override
        {
            kinds.push_back(newRecord.GetCurrentKind());
            parents.push_back(newRecord.GetCurrentParent());
            containers.push_back(&container);
        }
        std::vector<int> kinds;
        std::vector<double> parents;
        std::vector<CTreeNode*> containers;
    } form;
    ExpandAll();
    CTreeNode* europe = Find("Europe");
    auto* tables = CTreeNode::AppendNode<CTableNode>(*catalogueNode, *catalogue);
    tables->PopulateChildren(&tree);
    CTreeNode* countries = tables->GetFirstChildNode();
    ASSERT_EQ(countries->GetKind(), 2);
    const size_t before = europe->GetItemSet()->GetCount();
    const size_t countriesBefore = countries->GetItemSet()->GetCount();
    // Without a record window nothing opens.
    europe->OpenEntryById(1, nullptr);
    countries->OpenEntryById(2, nullptr);

    CRecordFormOpener* previous = SetRecordFormOpener(&form);
    europe->OpenEntryById(3, nullptr);
    Find("Europe^France")->OpenEntryById(1, nullptr);
    countries->OpenEntryById(2, nullptr);
    SetRecordFormOpener(previous);
    EXPECT_EQ(form.kinds, (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(form.parents, (std::vector<double>{made.europe, made.france, 0}));
    EXPECT_EQ(form.containers, (std::vector<CTreeNode*>{europe, Find("Europe^France"), countries}));
    // Nothing is stored until the record window saves.
    europe->GetItemSet()->Reload();
    EXPECT_EQ(europe->GetItemSet()->GetCount(), before);
    countries->GetItemSet()->Reload();
    EXPECT_EQ(countries->GetItemSet()->GetCount(), countriesBefore);
}

TEST_F(ContainerNodeTest, PastedQueryAndListCopiesGoIntoTheFolderUnderNamesOfTheirOwn)
{
    MemoryClipboard clipboard;
    ExpandAll();
    AddQueryAndListNodes();
    ASSERT_TRUE(AppendEntriesToClipboard(kQueryCopyFormat, {query->GetPath()}));
    ASSERT_TRUE(AppendEntriesToClipboard(kItemListCopyFormat, {list->GetPath()}));
    auto* asia = static_cast<CContainerNode*>(Find("Asia"));
    EXPECT_TRUE(asia->CanPasteFolders(false));
    asia->DropCopy(nullptr);
    asia->DropCopy(nullptr);
    EXPECT_EQ(ElementNames(*catalogue, 23, made.asia),
              (std::vector<std::string>{"Copy 2 of Old coins", "Copy of Old coins"}));
    EXPECT_EQ(ElementNames(*catalogue, 22, made.asia),
              (std::vector<std::string>{"Copy 2 of Wanted", "Copy of Wanted"}));
    std::string original, copied;
    ASSERT_TRUE(catalogue->ReadQuery("Old coins", original));
    ASSERT_TRUE(catalogue->ReadQuery("Copy of Old coins", copied));
    EXPECT_EQ(copied, original);

    // The list's copy holds the same records, and the list keeps its own.
    CItemSet lists = CItemSet::Query(catalogue.get(), 22, nullptr, false);
    for (bool more = lists.MoveFirst(); more; more = lists.MoveNext()) {
        const CNodeRef key = lists.GetCurrentKey();
        CItemSet members = CItemSet::Children(catalogue.get(), &key, kLinkMenuKinds);
        EXPECT_EQ(members.GetCount(), 1u) << lists.GetCurrentName();
        ASSERT_TRUE(members.MoveFirst());
        EXPECT_EQ(members.GetFieldTextByName("NAME"), "Thaler");
    }

    // Queries are stored by name across every folder: a copy in Europe takes a name no query has, so
    // none of the copies in Asia is written over.
    ASSERT_TRUE(WriteEntriesToClipboard(kQueryCopyFormat, {query->GetPath()}));
    static_cast<CContainerNode*>(Find("Europe"))->PasteQueryOrListCopy(kQueryCopyFormat);
    EXPECT_EQ(ElementNames(*catalogue, 23, made.europe),
              (std::vector<std::string>{"Copy 3 of Old coins", "Old coins"}));
    EXPECT_EQ(ElementNames(*catalogue, 23, made.asia).size(), 2u);
    // Only the copy formats are pasted as copies.
    EXPECT_FALSE(asia->PasteQueryOrListCopy(kQueryMoveFormat));
}

TEST_F(ContainerNodeTest, AnAreaTakesTheFoldersQueriesAndListsThatItsFolderCan)
{
    MemoryClipboard clipboard;
    ExpandAll();
    AddQueryAndListNodes();
    struct Case
    {
        std::string_view format;
        std::string element;
        bool move;
        bool copy;
    };
    const Case cases[] = {
        {kAreaMoveFormat, "Asia", true, false},
        {kAreaMoveFormat, "Europe", false, false}, // never into itself
        {kAreaCopyFormat, "Europe", false, true},  // a copy into its own subfolder is made once
        {kAreaCopyFormat, "Asia", false, true},
        {kQueryMoveFormat, "Old coins", true, false},
        {kQueryCopyFormat, "Old coins", false, true},
        {kItemListMoveFormat, "Wanted", true, false},
        {kItemListCopyFormat, "Wanted", false, true},
        {kItemListCopyFormat, "Nowhere", false, false},
    };
    CTreeNode* france = Find("Europe^France");
    for (const Case& c : cases) {
        clipboard.formats.clear();
        const CTreeNode* element = Find(c.element);
        ASSERT_TRUE(
            WriteEntriesToClipboard(c.format, {element != nullptr ? element->GetPath() : "Nowhere^"}));
        EXPECT_EQ(france->CanAcceptMove(nullptr), c.move) << c.format << " " << c.element;
        EXPECT_EQ(france->CanAcceptCopy(nullptr), c.copy) << c.format << " " << c.element;
    }
    clipboard.formats.clear();
    EXPECT_FALSE(france->CanAcceptMove(nullptr));
    EXPECT_FALSE(france->CanAcceptCopy(nullptr));
}

namespace {

// The copy between catalogues, recording what it is asked: each kind matches itself (or, when set, the
// one kind given), and every copy succeeds.
class FakeRecordCopier : public CRecordCopier
{
public:
    FakeRecordCopier() { previous = SetRecordCopier(this); }
    ~FakeRecordCopier() override { SetRecordCopier(previous); }
    int FindMatchingKind(CTreeNode& /*target*/, std::string_view sourceCatalogue, int sourceKind,
                         int targetKind) override
    {
        EXPECT_EQ(sourceCatalogue, "Coins of the world");
        if (targetKind != -1 && targetKind != sourceKind) {
            return 0;
        }
        return onlyKind == 0 || onlyKind == sourceKind ? sourceKind : 0;
    }
    bool CopyRecordToFolder(CItemSet& set, CTreeNode& target, double folder, int kind, int mode) override
    {
        copies.push_back({set.GetFieldTextByName("NAME"), &target, folder, kind, mode});
        return true;
    }
    struct Copy
    {
        std::string name;
        CTreeNode* target;
        double folder;
        int kind;
        int mode;
        bool operator==(const Copy&) const = default;
    };
    std::vector<Copy> copies;
    int onlyKind = 0;
    CRecordCopier* previous = nullptr;
};

} // namespace

TEST_F(ContainerNodeTest, RecordsOfAnotherCatalogueAreRefusedWithoutACopierAndCopiedThroughOne)
{
    ExpandAll();
    const TypicalCatalogue otherMade = MakeTypicalCatalogue(MakeTempFolder("other"));
    CCatalogueDb other(otherMade.path);
    ASSERT_TRUE(other.IsOpen());
    const auto coinsOf = [&](double folder) {
        return CItemSet::Query(&other, 1, other.FindFolder(folder), false);
    };
    const auto otherCoins = [&] { return CItemSet::Query(&other, 1, nullptr, false).GetCount(); };
    const size_t coinsBefore = otherCoins();
    auto* asia = static_cast<CContainerNode*>(Find("Asia"));
    auto* france = static_cast<CContainerNode*>(Find("Europe^France"));
    auto* tables = CTreeNode::AppendNode<CTableNode>(*catalogueNode, *catalogue);
    tables->PopulateChildren(&tree);
    CTreeNode* countries = tables->GetFirstChildNode();

    // Without a copier every target refuses them, and a drop changes neither catalogue.
    CItemSet europeanCoins = CItemSet::Query(&other, 1, nullptr, false);
    for (CTreeNode* target : {static_cast<CTreeNode*>(asia), static_cast<CTreeNode*>(france), countries,
                              static_cast<CTreeNode*>(tables)}) {
        europeanCoins.MoveFirst();
        EXPECT_FALSE(target->CanAcceptCopy(&europeanCoins)) << target->GetName();
        EXPECT_FALSE(target->CanAcceptMove(&europeanCoins)) << target->GetName();
        target->DropMove(&europeanCoins);
    }
    EXPECT_EQ(otherCoins(), coinsBefore);
    EXPECT_EQ(RecordNames(*catalogue, catalogue->FindFolder(made.asia)), std::vector<std::string>{});

    FakeRecordCopier copier;
    europeanCoins.MoveFirst();
    EXPECT_TRUE(asia->CanAcceptCopy(&europeanCoins));
    EXPECT_FALSE(asia->CanAcceptMove(&europeanCoins)); // a folder only copies from another catalogue
    EXPECT_TRUE(france->CanAcceptCopy(&europeanCoins));
    EXPECT_TRUE(countries->CanAcceptCopy(&europeanCoins));
    CItemSet dealers = CItemSet::Query(&other, 3, nullptr, false);
    dealers.MoveFirst();
    EXPECT_FALSE(france->CanAcceptCopy(&dealers)); // France holds coins only

    CItemSet mark = coinsOf(otherMade.germany);
    asia->DropCopy(&mark);
    using Copy = FakeRecordCopier::Copy;
    EXPECT_EQ(copier.copies,
              (std::vector<Copy>{{"Mark", asia, made.asia, 1, CRecordCopier::kNotesAndFiles}}));
    EXPECT_EQ(otherCoins(), coinsBefore);

    // Moved: the records copied leave their catalogue; one whose kind has no match stays there.
    copier.copies.clear();
    copier.onlyKind = 3;
    CItemSet dealerAndMark = CItemSet::Query(&other, 3, nullptr, false);
    dealerAndMark.AppendFrom(mark, true);
    asia->DropMove(&dealerAndMark);
    EXPECT_EQ(copier.copies,
              (std::vector<Copy>{{"Numismatik Berlin", asia, made.asia, 3, CRecordCopier::kNotesAndFiles}}));
    EXPECT_EQ(CItemSet::Query(&other, 3, nullptr, false).GetCount(), 0u);
    EXPECT_EQ(otherCoins(), coinsBefore);
    copier.onlyKind = 0;

    // Tables take only records of kind 21 and more, in no folder.
    copier.copies.clear();
    CItemSet wantedAndMark = CItemSet::Query(&other, 22, nullptr, false);
    wantedAndMark.AppendFrom(mark, true);
    countries->DropCopy(&wantedAndMark);
    EXPECT_EQ(copier.copies,
              (std::vector<Copy>{{"Wanted", countries, 0, 22, CRecordCopier::kNotesAndFiles}}));
}

TEST_F(ContainerNodeTest, AnAreaAsksOncePerDropWhetherRecordsWithChildListsTakeTheirChildren)
{
    ExpandAll();
    const TypicalCatalogue otherMade = MakeTypicalCatalogue(MakeTempFolder("other"));
    CCatalogueDb other(otherMade.path);
    ASSERT_TRUE(other.IsOpen());
    CMarkupNode* form = FindGuiInfoElement(1, &other);
    ASSERT_NE(form, nullptr);
    form->AddChild(std::make_unique<CMarkupNode>("children", "element"))
        ->SetAttribute("CNT_NAME", "childList");
    FakeRecordCopier copier;
    auto* france = static_cast<CContainerNode*>(Find("Europe^France"));
    using Copy = FakeRecordCopier::Copy;
    for (const auto& [answer, mode] : {std::pair{platform::ui::kIdYes, CRecordCopier::kAllSubRecords},
                                       std::pair{platform::ui::kIdNo, CRecordCopier::kNotesAndFiles}}) {
        Dialogs().Clear();
        Dialogs().answers.push_back(answer);
        copier.copies.clear();
        CItemSet coins = CItemSet::Query(&other, 1, other.FindFolder(otherMade.germany), false);
        coins.AppendFrom(*std::make_unique<CItemSet>(
                             CItemSet::Query(&other, 1, other.FindFolder(otherMade.france), false)),
                         true);
        france->DropCopy(&coins);
        ASSERT_EQ(Dialogs().messages.size(), 1u);
        EXPECT_EQ(Dialogs().messages[0].text, "Do you want to copy also the record(s) childrens");
        EXPECT_EQ(Dialogs().messages[0].caption, "Information");
        EXPECT_EQ(copier.copies, (std::vector<Copy>{{"Mark", france, made.france, 1, mode},
                                                    {"Franc", france, made.france, 1, mode}}));
    }
}
