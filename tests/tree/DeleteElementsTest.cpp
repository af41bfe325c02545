// Deleting elements: what each row class and group asks and does for each answer, what stays in the
// catalogue after it is opened again, and the list pane's delete over several rows.

#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestNames.h"
#include "tests/tree/RecordingListPane.h"
#include "tests/tree/TypicalCatalogueTest.h"
#include "tree/base/BaseItemNode.h"
#include "tree/groups/TableNodes.h"
#include "tree/groups/WastebasketNodes.h"
#include "tree/lists/ItemListNode.h"
#include "tree/queries/QueryNodes.h"
#include "tree/records/DeleteConfirmations.h"
#include "tree/records/DeleteSelectedItems.h"
#include "tree/records/RecordNodes.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace lumarc::test;

constexpr int kYes = 6;
constexpr int kNo = 7;
constexpr int kYesToAll = 8;

// A pane that counts how often the focus came back to it.
class PaneShowing : public RecordingListPane
{
public:
    explicit PaneShowing(CItemSet* /*shown*/) {}
    void RestoreFocus() override { ++focusRestored; }
    int focusRestored = 0;
};

class DeleteElementsTest : public TypicalCatalogueTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(MakeAndOpen("delete"));
        Dialogs().Clear();
    }
    // How many deleted records of the kind the wastebasket holds.
    size_t InWastebasket(int kind)
    {
        CItemSet deleted = CItemSet::Query(catalogue.get(), kind, nullptr, true);
        return deleted.GetCount();
    }
};

struct RecordDeleteCase
{
    std::string name;
    std::function<std::unique_ptr<CRecordNode>(const CNodeRef&)> make;
    int answer;
    int result;
    bool deleted; // the franc is in the wastebasket afterwards
    const char* caption;
};

void PrintTo(const RecordDeleteCase& row, std::ostream* out)
{
    *out << row.name;
}

template <typename Node>
std::function<std::unique_ptr<CRecordNode>(const CNodeRef&)> Maker()
{
    return [](const CNodeRef& key) { return std::make_unique<Node>(key); };
}

class RecordDeleteTest : public DeleteElementsTest, public testing::WithParamInterface<RecordDeleteCase>
{
};

} // namespace

TEST_P(RecordDeleteTest, AnswerDecidesWhatStays)
{
    const RecordDeleteCase& row = GetParam();
    auto node = row.make(made.franc.In(*catalogue));
    Dialogs().answers.push_back(row.answer);
    PaneShowing pane(nullptr);

    EXPECT_EQ(node->Delete(&pane, false), row.result);

    ASSERT_EQ(Dialogs().messages.size(), row.caption[0] != '\0' ? 1u : 0u);
    if (row.caption[0] != '\0') {
        EXPECT_EQ(Dialogs().messages[0].caption, row.caption);
    }
    if (row.caption[0] == 'C') {
        EXPECT_NE(Dialogs().messages[0].text.find("Franc"), std::string::npos) << Dialogs().messages[0].text;
    }
    Open();
    EXPECT_EQ(IsLiveRecord(*catalogue, made.franc.In(*catalogue)), !row.deleted);
    EXPECT_EQ(InWastebasket(1), row.deleted ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RecordDeleteTest,
    testing::Values(RecordDeleteCase{"FolderRowYes", Maker<CFolderRecordNode>(), kYes, kDeleteDone, true,
                                     "Confirm Item Delete"},
                    RecordDeleteCase{"FolderRowNo", Maker<CFolderRecordNode>(), kNo, kDeleteRefused, false,
                                     "Confirm Item Delete"},
                    RecordDeleteCase{"FolderRowYesToAll", Maker<CFolderRecordNode>(), kYesToAll,
                                     kDeleteDoneYesToAll, true, "Confirm Item Delete"},
                    RecordDeleteCase{"QueryRowYes", Maker<CQueryRecordNode>(), kYes, kDeleteDone, true,
                                     "Confirm Item Delete"},
                    RecordDeleteCase{"SummaryRowYesToAll", Maker<CSummaryTableRecordNode>(), kYesToAll,
                                     kDeleteDoneYesToAll, true, "Confirm Item Delete"},
                    RecordDeleteCase{"AddNewRowRefusesSilently", Maker<CAddNewNode>(), kYes, kDeleteRefused,
                                     false, ""},
                    RecordDeleteCase{"WastebasketRowRefuses", Maker<CWastebasketRecordNode>(), kYes,
                                     kDeleteRefused, false, "Error"}),
    [](const testing::TestParamInfo<RecordDeleteCase>& info) { return info.param.name; });

TEST_F(DeleteElementsTest, ViewOnlyCatalogueRefusesEveryDeletion)
{
    catalogue->SetViewOnly(true);
    CFolderRecordNode row(made.franc.In(*catalogue));
    EXPECT_EQ(row.Delete(nullptr, true), kDeleteRefused);
    const DeleteSelectionResult result = DeleteSelectedItems(&row, {&row}, nullptr);
    EXPECT_EQ(result.deletedRows, 0u);
    EXPECT_TRUE(Dialogs().messages.empty());
    catalogue->SetViewOnly(false);
    Open();
    EXPECT_TRUE(IsLiveRecord(*catalogue, made.franc.In(*catalogue)));
}

TEST_F(DeleteElementsTest, GroupsRefuseWithTheirMessageUnlessQuiet)
{
    CWastebasketNode wastebasket(*catalogue);
    CTableNode tables(*catalogue);
    CWastebasketTableNode deletedTables(*catalogue);
    CWastebasketAreaFileNode deletedCoins(*catalogue, 1, "Coins");
    const std::vector<std::pair<CTreeNode*, std::string>> cases = {
        {&wastebasket, "You can not delete the wastebasket; use Empty Recycle Bin"},
        {&tables, "You can not delete the table structure"},
        {&deletedTables, "You can not delete a deleted item; use Empty Recycle Bin"},
        {&deletedCoins, "You can not delete a deleted item; use Empty Recycle Bin"},
    };
    for (const auto& [node, message] : cases) {
        Dialogs().Clear();
        EXPECT_EQ(node->Delete(nullptr, false), kDeleteRefused) << message;
        ASSERT_EQ(Dialogs().messages.size(), 1u) << message;
        EXPECT_EQ(Dialogs().messages[0].text, message);
        EXPECT_EQ(Dialogs().messages[0].caption, "Error");
        Dialogs().Clear();
        EXPECT_EQ(node->Delete(nullptr, true), kDeleteRefused) << message;
        EXPECT_TRUE(Dialogs().messages.empty()) << message;
    }
}

TEST_F(DeleteElementsTest, ConfirmationTextsNameOneRecordOrCountTheRows)
{
    CItemSet franc(catalogue.get());
    franc.AddRecordByKey(made.franc.In(*catalogue));
    franc.MoveFirst();
    const std::string name = franc.GetCurrentName();

    RecordDeleteConfirmation one = BuildRecordDeleteConfirmation(RecordDeleteQuestion::kRecycle, franc, 1);
    EXPECT_EQ(one.dialog, 146);
    EXPECT_EQ(one.text, "Are you sure you want to send " + name + " to the Recycle Bin ?");
    RecordDeleteConfirmation three = BuildRecordDeleteConfirmation(RecordDeleteQuestion::kRecycle, franc, 3);
    EXPECT_EQ(three.dialog, 305);
    EXPECT_EQ(three.text, "Are you sure you want to send these 3 items to the Recycle Bin ?");
    RecordDeleteConfirmation folder =
        BuildRecordDeleteConfirmation(RecordDeleteQuestion::kRemoveFromListFolder, franc, 2);
    EXPECT_EQ(folder.text, "Are you sure you want to remove the items from the current folder?");
    // The item list counts records of its set, not rows.
    RecordDeleteConfirmation list =
        BuildRecordDeleteConfirmation(RecordDeleteQuestion::kRemoveFromItemList, franc, 2);
    EXPECT_EQ(list.dialog, 305);
    EXPECT_EQ(list.text, "Are you sure you want to remove " + name + " from the list?");
}

TEST_F(DeleteElementsTest, SeveralRecordsAreAskedOnceAndNoDeletesNothing)
{
    CFolderRecordNode franc(made.franc.In(*catalogue));
    CFolderRecordNode mark(made.mark.In(*catalogue));
    CFolderRecordNode thaler(made.thaler.In(*catalogue));
    Dialogs().answers = {kNo};
    DeleteSelectionResult result = DeleteSelectedItems(&franc, {&franc, &mark, &thaler}, nullptr);
    EXPECT_EQ(result.deletedRows, 0u);
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].caption, "Confirm Multiple Items Delete ");
    EXPECT_EQ(Dialogs().messages[0].text, "Are you sure you want to send these 3 items to the Recycle Bin ?");
    EXPECT_EQ(InWastebasket(1), 0u);

    Dialogs().Clear();
    Dialogs().answers = {kYes};
    result = DeleteSelectedItems(&franc, {&franc, &mark, &thaler}, nullptr);
    EXPECT_EQ(result.deletedRows, 3u);
    EXPECT_EQ(Dialogs().messages.size(), 1u);
    Open();
    EXPECT_EQ(InWastebasket(1), 3u);
}

TEST_F(DeleteElementsTest, YesToAllStopsAskingAndARefusalStopsTheWalk)
{
    CItemSet* queries = catalogue->ResetBuiltinSet23();
    ASSERT_TRUE(queries->MoveFirst());
    CBaseItemNode root;
    auto* query = CTreeNode::AppendNode<CQueryNode>(root, queries->GetCurrentName(), *catalogue, *queries);
    auto* wastebasket = CTreeNode::AppendNode<CWastebasketNode>(root, *catalogue);
    CItemSet* lists = catalogue->GetBuiltinSet22();
    ASSERT_TRUE(lists->MoveFirst());
    auto* list = CTreeNode::AppendNode<CItemListNode>(root, *catalogue, *lists);

    // Yes to All on the query: the wastebasket is asked nothing, refuses silently and stops the walk
    // before the list.
    Dialogs().answers = {kYesToAll};
    const DeleteSelectionResult result = DeleteSelectedItems(query, {query, wastebasket, list}, nullptr);
    EXPECT_EQ(result.deletedRows, 1u);
    EXPECT_TRUE(result.invalidateSets);
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].caption, "Confirm Query delete");

    std::string contents;
    EXPECT_FALSE(catalogue->ReadQuery("Old coins", contents));
    EXPECT_EQ(catalogue->ResetBuiltinSet22()->GetCount(), 1u);
}

TEST_F(DeleteElementsTest, YesOnOneRecordTakesItsLinkedRecordsAlong)
{
    // The thaler's linked records (the dealer links to it) go first when DeleteFromList hears Yes.
    CFolderRecordNode thaler(made.thaler.In(*catalogue));
    EXPECT_EQ(thaler.DeleteFromList(kYes, nullptr), kDeleteDone);
    Open();
    EXPECT_FALSE(IsLiveRecord(*catalogue, made.thaler.In(*catalogue)));
    EXPECT_FALSE(IsLiveRecord(*catalogue, made.dealer.In(*catalogue)));
    EXPECT_TRUE(IsLiveRecord(*catalogue, made.mark.In(*catalogue)));
}

TEST_F(DeleteElementsTest, RecordsDroppedOnTheWastebasketGoAfterOneQuestion)
{
    CWastebasketNode wastebasket(*catalogue);
    CItemSet coins = CItemSet::Query(catalogue.get(), 1, nullptr, false);
    const size_t count = coins.GetCount();
    ASSERT_GE(count, 2u);
    EXPECT_TRUE(wastebasket.CanAcceptMove(&coins));

    Dialogs().answers = {kNo};
    wastebasket.DropMove(&coins);
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].caption, "Confirm Multiple Items Delete ");
    EXPECT_EQ(InWastebasket(1), 0u);

    Dialogs().Clear();
    Dialogs().answers = {kYes};
    wastebasket.DropMove(&coins);
    EXPECT_EQ(Dialogs().messages.size(), 1u);
    Open();
    EXPECT_EQ(InWastebasket(1), count);

    // Records of another catalogue, or into a view-only one, are not taken.
    const TypicalCatalogue otherMade = MakeTypicalCatalogue(MakeTempFolder("other"));
    CCatalogueDb other(otherMade.path);
    CItemSet foreign = CItemSet::Query(&other, 1, nullptr, false);
    CWastebasketNode again(*catalogue);
    EXPECT_FALSE(again.CanAcceptMove(&foreign));
    again.DropMove(&foreign);
    EXPECT_EQ(CItemSet::Query(&other, 1, nullptr, false).GetCount(), count);
}

TEST_F(DeleteElementsTest, RecordsDroppedOnARowAreLinkedWithItsRecordButNeverWithItself)
{
    CFolderRecordNode mark(made.mark.In(*catalogue));
    CItemSet dealer(catalogue.get());
    dealer.AddRecordByKey(made.dealer.In(*catalogue));
    dealer.AddRecordByKey(made.mark.In(*catalogue));
    EXPECT_TRUE(mark.CanAcceptCopy(&dealer));
    mark.DropCopy(&dealer);

    CItemSet self(catalogue.get());
    self.AddRecordByKey(made.mark.In(*catalogue));
    EXPECT_FALSE(mark.CanAcceptCopy(&self));
    mark.DropCopy(&self);

    Open();
    const CNodeRef markKey = made.mark.In(*catalogue);
    CItemSet linked = CItemSet::Children(catalogue.get(), &markKey, kLinkEveryKind);
    std::vector<std::string> names;
    for (bool more = linked.MoveFirst(); more; more = linked.MoveNext()) {
        names.push_back(linked.GetFieldTextByName("NAME"));
    }
    EXPECT_EQ(names, std::vector<std::string>{"Numismatik Berlin"});

    catalogue->SetViewOnly(true);
    CFolderRecordNode franc(made.franc.In(*catalogue));
    CItemSet more(catalogue.get());
    more.AddRecordByKey(made.dealer.In(*catalogue));
    EXPECT_FALSE(franc.CanAcceptCopy(&more));
    catalogue->SetViewOnly(false);
}
