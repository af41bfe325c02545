// Stored queries and temporary results as nodes, and item lists: renaming a stored query, refilling the
// quick query, a data file's records sorted by name, and removing a row of a list.

#include "tree/queries/QueryNodes.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/tree/TypicalCatalogueTest.h"
#include "tree/base/BaseItemNode.h"
#include "tree/lists/ItemListNode.h"
#include "tree/records/RecordNodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <typeinfo>

namespace {

using namespace lumarc::test;

class QueryNodesTest : public TypicalCatalogueTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(MakeAndOpen("queries"));
        Dialogs().Clear();
    }
    // The catalogue's query set positioned on the query of that name; null when there is none.
    CItemSet* QueryRow(std::string_view name)
    {
        CItemSet* queries = catalogue->ResetBuiltinSet23();
        for (bool more = queries->MoveFirst(); more; more = queries->MoveNext()) {
            if (queries->GetCurrentName() == name) {
                return queries;
            }
        }
        return nullptr;
    }
    std::vector<std::string> NamesOf(CItemSet& set)
    {
        std::vector<std::string> names;
        for (bool more = set.MoveFirst(); more; more = set.MoveNext()) {
            names.push_back(set.GetFieldTextByName("NAME"));
        }
        return names;
    }
};

} // namespace

TEST_F(QueryNodesTest, StoredQueryShowsItsResultsAndMakesQueryRows)
{
    CItemSet* row = QueryRow("Old coins");
    ASSERT_NE(row, nullptr);
    CQueryNode node("Old coins", *catalogue, *row);
    EXPECT_EQ(node.GetName(), "Old coins");
    EXPECT_EQ(node.GetPageTemplate(), "query.htm");
    EXPECT_TRUE(node.IsQuery());
    EXPECT_FALSE(node.CanHaveChildren());
    EXPECT_TRUE(node.Open(nullptr));
    EXPECT_EQ(node.GetOwnSet()->GetCurrentParent(), made.europe);
    CItemSet stored = CItemSet::FromStoredQuery(catalogue.get(), "Old coins");
    EXPECT_EQ(NamesOf(*node.GetItemSet()), NamesOf(stored));
    EXPECT_FALSE(node.IsEmpty());
    EXPECT_EQ(typeid(*node.NewChild(made.thaler.In(*catalogue))), typeid(CQueryRecordNode));
    EXPECT_EQ(typeid(*node.NewChildFromSet(*node.GetItemSet())), typeid(CQueryRecordNode));
}

TEST_F(QueryNodesTest, RenamedStoredQueryKeepsItsFolderAndContents)
{
    std::string contents;
    ASSERT_TRUE(catalogue->ReadQuery("Old coins", contents));
    CItemSet results = CItemSet::FromStoredQuery(catalogue.get(), "Old coins");
    const std::vector<std::string> before = NamesOf(results);
    ASSERT_FALSE(before.empty());
    {
        CQueryNode node("Old coins", *catalogue, *QueryRow("Old coins"));
        ASSERT_TRUE(node.Rename("Before 1900"));
        EXPECT_EQ(node.GetName(), "Before 1900");
        // The node now stands on the new row: moving it moves the renamed query.
        EXPECT_EQ(node.GetOwnSet()->GetCurrentName(), "Before 1900");
        node.SetParentCode(made.asia);
    }
    Open();
    std::string renamed;
    EXPECT_TRUE(catalogue->ReadQuery("Before 1900", renamed));
    EXPECT_EQ(renamed, contents);
    EXPECT_FALSE(catalogue->ReadQuery("Old coins", renamed));
    CItemSet* row = QueryRow("Before 1900");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetCurrentParent(), made.asia);
    CQueryNode reopened("Before 1900", *catalogue, *row);
    EXPECT_EQ(NamesOf(*reopened.GetItemSet()), before);
}

TEST_F(QueryNodesTest, RenameRefusesNamesThatWouldLoseAQuery)
{
    catalogue->WriteQuery("Young coins", "{Young coins}{[(0)(1)(YEAR > 1900)]}{1}", made.asia);
    CQueryNode node("Old coins", *catalogue, *QueryRow("Old coins"));
    EXPECT_FALSE(node.Rename("young COINS")) << "another query has that name";
    EXPECT_FALSE(node.Rename(""));
    // Only the case changes: the query stays.
    ASSERT_TRUE(node.Rename("OLD COINS"));
    std::string text;
    EXPECT_TRUE(catalogue->ReadQuery("OLD COINS", text));
    EXPECT_TRUE(catalogue->ReadQuery("Young coins", text));
    catalogue->SetViewOnly(true);
    EXPECT_FALSE(node.Rename("Older coins"));
    EXPECT_FALSE(node.BeginInPlaceEdit(nullptr, {}));
}

TEST_F(QueryNodesTest, QuickQueryRefilledTwiceShowsOnlyTheSecondResult)
{
    CItemSet first = CItemSet::QuickSearch(catalogue.get(), 1, "Mark");
    CQuickQueryNode node(first);
    EXPECT_EQ(node.GetName(), "Temp. Query");
    EXPECT_EQ(node.GetPageTemplate(), "QuickQuery.htm");
    EXPECT_TRUE(node.IsQuickQuery());
    EXPECT_EQ(NamesOf(*node.GetItemSet()), std::vector<std::string>{"Mark"});
    CItemSet second = CItemSet::QuickSearch(catalogue.get(), 1, "Franc");
    node.RunSearch(&second);
    CItemSet third = CItemSet::QuickSearch(catalogue.get(), 1, "Ducat");
    node.RunSearch(&third);
    EXPECT_EQ(NamesOf(*node.GetItemSet()), std::vector<std::string>{"Ducat"});
    EXPECT_EQ(node.Delete(nullptr, true), kDeleteRefused);
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text, "You can not delete the quick query item.");
}

TEST_F(QueryNodesTest, QuickQueryOfAFindShowsItsRecordsAgainWhenRunAgain)
{
    // A find describes its records by criteria, as the find pane's Find Now does.
    CItemSet found = CItemSet::Query(catalogue.get(), 1, nullptr, false);
    found.SetFilterText(" YEAR < '1900' ");
    CQuickQueryNode node(found);
    node.RunSearch(&found);
    EXPECT_EQ(NamesOf(*node.GetItemSet()), (std::vector<std::string>{"Thaler", "Ducat"}));
    node.GetItemSet()->Reload(); // what the list does when it shows a query
    EXPECT_EQ(NamesOf(*node.GetItemSet()), (std::vector<std::string>{"Thaler", "Ducat"}));
}

TEST_F(QueryNodesTest, FileAreaListsADataFileSortedByName)
{
    CFileAreaNode node(*catalogue, "", 1);
    EXPECT_EQ(node.GetName(), "Temp. Query");
    EXPECT_EQ(node.GetKind(), 1);
    EXPECT_TRUE(node.IsFileArea());
    EXPECT_TRUE(node.IsEditable());
    EXPECT_EQ(NamesOf(*node.GetItemSet()), (std::vector<std::string>{"Ducat", "Franc", "Mark", "Thaler"}));
    EXPECT_EQ(typeid(*node.NewChild(made.franc.In(*catalogue))), typeid(CFileRecordNode));
    CFileAreaNodePlain plain(*catalogue, "YEAR < 1900", 1);
    EXPECT_FALSE(plain.IsEditable());
    EXPECT_EQ(NamesOf(*plain.GetItemSet()), (std::vector<std::string>{"Ducat", "Thaler"}));

    CFileSetNode set(std::make_unique<CItemSet>(CItemSet::QuickSearch(catalogue.get(), 1, "Franc")));
    EXPECT_EQ(set.GetName(), "Temp. Query");
    EXPECT_EQ(typeid(*set.NewChildFromSet(*set.GetItemSet())), typeid(CFileRecordNode));
}

TEST_F(QueryNodesTest, RemovingAnItemListRowLeavesTheRecordAndItsOtherLinks)
{
    CItemSet* lists = catalogue->GetBuiltinSet22();
    ASSERT_TRUE(lists->MoveFirst());
    CBaseItemNode root;
    auto* list = CTreeNode::AppendNode<CItemListNode>(root, *catalogue, *lists);
    EXPECT_EQ(list->GetName(), "Wanted");
    EXPECT_TRUE(list->IsItemList());
    EXPECT_EQ(list->GetStatusText().back(), "Contains: 1 records");
    CItemSet& linked = *list->GetItemSet();
    ASSERT_EQ(NamesOf(linked), std::vector<std::string>{"Thaler"});
    linked.MoveFirst();
    std::unique_ptr<CTreeNode> made_row = list->NewChildFromSet(linked);
    auto* row = dynamic_cast<CItemListRecordNode*>(made_row.get());
    ASSERT_NE(row, nullptr);
    list->AddChild(std::move(made_row));

    EXPECT_EQ(row->Delete(nullptr, false), kDeleteDone);
    EXPECT_EQ(list->GetItemSet()->GetCount(), 0u);
    EXPECT_EQ(list->GetStatusText().back(), "Contains: 0 records");

    Open();
    const CNodeRef thaler = made.thaler.In(*catalogue);
    EXPECT_TRUE(IsLiveRecord(*catalogue, thaler));
    // The dealer's link to the thaler and the thaler's link to its country stay.
    CItemSet dealerLinks = CItemSet::Children(catalogue.get(), &thaler, kLinkEveryKind);
    EXPECT_GE(dealerLinks.GetCount() + CItemSet::LinkedTo(catalogue.get(), thaler, 3).GetCount(), 2u);
    CItemSet* reread = catalogue->GetBuiltinSet22();
    reread->MoveFirst();
    CItemListNode again(*catalogue, *reread);
    EXPECT_EQ(again.GetItemSet()->GetCount(), 0u);
}

TEST_F(QueryNodesTest, TemporaryResultsOverADataFileRenameTheDataFile)
{
    struct Case
    {
        std::string name;
        std::function<std::unique_ptr<CAreaFileNode>()> make;
        bool renames;
    };
    const Case cases[] = {
        {"FileArea", [this] { return std::make_unique<CFileAreaNode>(*catalogue, "", 1); }, true},
        {"FileAreaPlain", [this] { return std::make_unique<CFileAreaNodePlain>(*catalogue, "", 1); }, true},
        // A given set has no data file of its own (its kind is 0): there is nothing to rename.
        {"FileSet",
         [this] {
             return std::make_unique<CFileSetNode>(
                 std::make_unique<CItemSet>(CItemSet::QuickSearch(catalogue.get(), 1, "Franc")));
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        made = MakeTypicalCatalogue(MakeTempFolder("rename-" + c.name));
        Open();
        CBaseItemNode root;
        CTreeNode* node = root.AddChild(c.make()) ? root.GetFirstChildNode() : nullptr;
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(node->Rename("Pieces"), c.renames);
        EXPECT_EQ(node->GetName(), c.renames ? "Pieces" : "Temp. Query");
        Open();
        catalogue->LoadDefinitionsIfNeeded();
        EXPECT_EQ(catalogue->FindDefinition(1)->GetMenuName(), c.renames ? "Pieces" : "Coin");
    }
}

TEST_F(QueryNodesTest, AQueryInAFolderFindsItsRecordsAndThoseInNoFolder)
{
    // A search made in a folder keeps to that folder's own records (not its subfolders', nor other
    // folders'), and also finds the records that are in no folder, as the ducat is: those belong to the
    // whole catalogue (the summary tables show them) and a search from any folder must reach them.
    struct Case
    {
        std::string folder;
        double number;
        std::vector<std::string> found;
    };
    const Case cases[] = {{"Europe", made.europe, {"Ducat"}},
                          {"Germany", made.germany, {"Ducat"}},
                          {"Prussia", made.prussia, {"Ducat", "Thaler"}},
                          {"France", made.france, {"Ducat"}},
                          {"every folder", 0, {"Ducat", "Thaler"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        ASSERT_TRUE(catalogue->WriteQuery("Old coins",
                                          "{Old coins}{[(" + std::to_string(static_cast<int>(c.number)) +
                                              ")(1)(YEAR < 1900)]}{1}",
                                          made.europe));
        CQueryNode node("Old coins", *catalogue, *QueryRow("Old coins"));
        std::vector<std::string> found = NamesOf(*node.GetItemSet());
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, c.found);
    }
}
