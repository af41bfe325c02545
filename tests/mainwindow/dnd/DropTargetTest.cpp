// The tree pane's drop target on the typical catalogue, driven through its handlers with prepared data:
// records dragged through the clipboard land where they are dropped (moved or copied by the keys), the
// right-button menu's Cancel changes nothing, and a browser's address becomes a bookmark record. A drag
// started by another running copy lands here too. A list of a record's links links what it takes with
// that record.

#include "mainwindow/dnd/DropTarget.h"

#include "mainwindow/common/AppClipboard.h"
#include "mainwindow/common/WxClipboardAccess.h"
#include "mainwindow/panes/list/CorvantView.h"
#include "mainwindow/panes/tree/LeftView.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/records/ItemSet.h"
#include "store/records/Record.h"
#include "tests/mainwindow/panes/TreePaneFixture.h"
#include "tests/support/PeerProcess.h"
#include "tree/queries/QueryNodes.h"
#include "tree/records/RecordNodes.h"

#include <cstring>

namespace {

using namespace lumarc::test;

class DropTargetTest : public PaneFixture
{
protected:
    void SetUp() override
    {
        PaneFixture::SetUp();
        SetClipboardAccess(&clipboard);
        view = static_cast<CLeftView*>(MakeLeftView(window, *frame));
        window->Show();
        view->FillTree(*root);
        view->ExpandRoot();
        target = view->GetElementDropTarget();
        target->Probe().offeredFormat = [this] { return offered; };
        target->Probe().fetchData = [] { return true; };
        target->Probe().keyState = [this] { return keys; };
        target->Probe().nowMs = [] { return std::int64_t{0}; };
        target->Probe().chooseFromMenu = [this](int allowed, const wxPoint&) {
            menuAllowed = allowed;
            return menuChoice;
        };
    }
    void TearDown() override
    {
        SetClipboardAccess(nullptr);
        PaneFixture::TearDown();
    }
    CTreeNode* Folder(std::string_view path)
    {
        return view->ExpandNodeByPath(std::string(catalogueNode->GetName()) + "^" + std::string(path));
    }
    wxPoint PointOf(CTreeNode* node)
    {
        wxRect rect;
        EXPECT_TRUE(view->GetBoundingRect(view->WxItemOf(node), rect, true));
        return rect.GetPosition() + wxPoint(4, 4);
    }
    // The franc, dragged from its folder: its entries go on the clipboard as a drag puts them there.
    void DragFranc()
    {
        CItemSet franc =
            CItemSet::FromSql(catalogueNode->GetCatalogue(), "SELECT * FROM COINS WHERE NAME = 'Franc'");
        ASSERT_EQ(franc.GetCount(), 1u);
        ASSERT_TRUE(franc.CopyItemsToClipboard());
        ASSERT_TRUE(franc.MoveItemsToClipboard());
        offered = "VUR_Drop_Items";
    }
    double FrancParent()
    {
        CItemSet franc =
            CItemSet::FromSql(catalogueNode->GetCatalogue(), "SELECT * FROM COINS WHERE NAME = 'Franc'");
        EXPECT_TRUE(franc.MoveFirst());
        return franc.GetCurrent()->GetParent();
    }
    size_t CoinsNamedFranc()
    {
        return CItemSet::FromSql(catalogueNode->GetCatalogue(), "SELECT * FROM COINS WHERE NAME = 'Franc'")
            .GetCount();
    }

    CWxClipboardAccess clipboard;
    CLeftView* view = nullptr;
    CDropTarget* target = nullptr;
    std::string offered;
    int keys = 0;
    int menuAllowed = -1;
    int menuChoice = 0;
};

TEST_F(DropTargetTest, RecordsDraggedOntoAFolderMoveThereAndCtrlCopiesThem)
{
    CTreeNode* asia = Folder("Asia^");
    DragFranc();
    const wxPoint point = PointOf(asia);
    EXPECT_EQ(target->OnEnter(point.x, point.y, wxDragCopy), wxDragMove);
    keys = dnd::kKeyCtrl;
    EXPECT_EQ(target->OnDragOver(point.x, point.y, wxDragMove), wxDragCopy);
    keys = 0;
    EXPECT_EQ(target->OnDragOver(point.x, point.y, wxDragCopy), wxDragMove);
    EXPECT_EQ(target->OnData(point.x, point.y, wxDragMove), wxDragMove);
    EXPECT_EQ(FrancParent(), catalogue.asia);
    EXPECT_EQ(CoinsNamedFranc(), 1u);
    EXPECT_FALSE(frame->reloads.empty()) << "the views show the move";
}

TEST_F(DropTargetTest, RecordsDraggedFromAnotherRunningCopyLandHere)
{
    // The other copy opens the same catalogue file and starts the drag of the franc: its entries name the
    // catalogue by its file, so this copy finds the franc in its own tree.
    PeerProcess peer(DRAG_PEER, MakeTempFolder("drag-peer") / "peer.log", {catalogue.path.string(), "Franc"});
    ASSERT_TRUE(peer.IsStarted());
    ASSERT_TRUE(peer.WaitForLog("ready")) << peer.Log();
    CTreeNode* asia = Folder("Asia^");
    offered = "VUR_Drop_Items"; // what the other copy's drag announces
    const wxPoint point = PointOf(asia);
    EXPECT_EQ(target->OnEnter(point.x, point.y, wxDragCopy), wxDragMove);
    EXPECT_EQ(target->OnData(point.x, point.y, wxDragMove), wxDragMove);
    EXPECT_EQ(FrancParent(), catalogue.asia);
    EXPECT_EQ(CoinsNamedFranc(), 1u);
    peer.Kill();
}

TEST_F(DropTargetTest, TheRightButtonMenuOffersWhatTheFolderAllowsAndCancelChangesNothing)
{
    CTreeNode* asia = Folder("Asia^");
    const double before = FrancParent();
    DragFranc();
    const wxPoint point = PointOf(asia);
    keys = dnd::kKeyRightButton | dnd::kKeyCtrl;
    EXPECT_EQ(target->OnEnter(point.x, point.y, wxDragCopy), wxDragMove) << "a right drag shows move";
    menuChoice = dnd::kEffectNone;
    EXPECT_EQ(target->OnData(point.x, point.y, wxDragMove), wxDragCancel);
    EXPECT_EQ(menuAllowed, dnd::kEffectCopy | dnd::kEffectMove);
    EXPECT_EQ(FrancParent(), before);
}

TEST_F(DropTargetTest, AnElementThatTakesNothingGivesNoEffect)
{
    DragFranc();
    const wxPoint point = PointOf(catalogueNode); // the catalogue takes no records of its own catalogue
    EXPECT_EQ(target->OnEnter(point.x, point.y, wxDragCopy), wxDragNone);
    offered = "text/plain";
    EXPECT_EQ(target->OnEnter(point.x, point.y, wxDragCopy), wxDragNone);
}

TEST_F(DropTargetTest, ABrowsersAddressDroppedOnAFolderBecomesABookmarkRecord)
{
    // A catalogue with a bookmarks data file and one folder.
    DataFileSpec bookmarksFile;
    bookmarksFile.number = 24;
    bookmarksFile.table = "BOOKMARKS";
    bookmarksFile.menuName = "Bookmarks";
    bookmarksFile.fields = {FieldSpec{"NAME", 'C', 60, true}, FieldSpec{"WWW", 'C', 250}};
    const auto file = CatalogueBuilder(MakeTempFolder("bookmarks") / "links.ctg")
                          .Name("Links")
                          .DataFile(bookmarksFile)
                          .Build();
    auto* links = CTreeNode::AppendNode<CCatalogueNode>(*root, file);
    const double sites = links->GetCatalogue()->AddFolder("Sites", 0, 100)->GetNumber();
    view->Rebuild();
    CTreeNode* folder = view->ExpandNodeByPath("Links^Sites^");
    ASSERT_NE(folder, nullptr);

    offered = "_NETSCAPE_URL";
    const std::string data = "https://coins.example.org/denier\nDenier of Louis";
    ASSERT_TRUE(target->SetFormatData("_NETSCAPE_URL", data.data(), data.size()));
    const wxPoint point = PointOf(folder);
    EXPECT_EQ(target->OnEnter(point.x, point.y, wxDragCopy), wxDragLink);
    const wxPoint elsewhere = PointOf(links);
    EXPECT_EQ(target->OnDragOver(elsewhere.x, elsewhere.y, wxDragCopy), wxDragNone)
        << "only folders and the bookmarks area take addresses";
    EXPECT_EQ(target->OnData(point.x, point.y, wxDragLink), wxDragNone) << "the browser keeps its address";
    CItemSet bookmarks = CItemSet::FromSql(links->GetCatalogue(), "SELECT * FROM BOOKMARKS");
    ASSERT_EQ(bookmarks.GetCount(), 1u);
    ASSERT_TRUE(bookmarks.MoveFirst());
    EXPECT_EQ(bookmarks.GetCurrent()->GetFieldTextByName("WWW"), "https://coins.example.org/denier");
    EXPECT_EQ(bookmarks.GetCurrent()->GetParent(), sites);
}

// A list of the dealer's links (kind 12) showing data file `kind`, and coins or the dealer himself dragged
// onto it: what it offers and which records the dealer links to afterwards.
TEST_F(DropTargetTest, AListOfLinksLinksTheDroppedItemsOfItsKindWithItsRecord)
{
    CCatalogueDb& db = *catalogueNode->GetCatalogue();
    const auto linkedCoins = [&db, this] {
        std::vector<std::string> names;
        const CNodeRef owner = catalogue.dealer.In(db);
        CItemSet linked = CItemSet::Children(&db, &owner, 1);
        for (bool more = linked.MoveFirst(); more; more = linked.MoveNext())
            names.push_back(linked.GetCurrent()->GetFieldTextByName("NAME"));
        std::sort(names.begin(), names.end());
        return names;
    };
    struct Case
    {
        const char* name;
        const char* dragged; // the records' SQL
        int listKind;
        wxDragResult effect;
        std::vector<std::string> coins; // the coins linked with the dealer afterwards
    };
    const char* coins = "SELECT * FROM COINS WHERE NAME IN ('Franc', 'Mark')";
    const char* dealer = "SELECT * FROM ADDRESSES";
    const Case cases[] = {
        // In turn, on one catalogue.
        {"another kind", coins, 2, wxDragNone, {}},
        {"never with itself", dealer, 0, wxDragLink, {}},
        {"its own kind", coins, 1, wxDragLink, {"Franc", "Mark"}},
        {"every kind, linked once", coins, 0, wxDragLink, {"Franc", "Mark"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* list = new CCorvantView(window, *frame, list_role::kFormList); // owned by the window
        list->SetSize(0, 0, 300, 300);
        window->Show();
        // The list shows the dealer's linked records of its kind, as the record form's list does.
        const CNodeRef dealerKey = catalogue.dealer.In(db);
        CRecordNode dealerNode(dealerKey);
        auto* links = CTreeNode::AppendNode<CFileSetNode>(
            *root, std::make_unique<CItemSet>(
                       CItemSet::Children(&db, &dealerKey, c.listKind == 0 ? kLinkMenuKinds : c.listKind)));
        list->SetLinkList(&dealerNode, c.listKind);
        list->SetShownElement(links);
        CDropTarget* linkTarget = list->GetElementDropTarget();
        linkTarget->Probe().offeredFormat = [] { return std::string("VUR_Drop_Items"); };
        linkTarget->Probe().keyState = [] { return 0; };
        linkTarget->Probe().nowMs = [] { return std::int64_t{0}; };

        ClearClipboard(); // as a drag starts
        CItemSet dragged = CItemSet::FromSql(&db, c.dragged);
        ASSERT_TRUE(dragged.CopyItemsToClipboard());
        const wxPoint point(150, 150);
        EXPECT_EQ(linkTarget->OnEnter(point.x, point.y, wxDragCopy), c.effect);
        if (c.effect != wxDragNone) {
            EXPECT_EQ(linkTarget->OnData(point.x, point.y, c.effect), wxDragLink);
        }
        EXPECT_EQ(linkedCoins(), c.coins);
        EXPECT_EQ(static_cast<size_t>(list->GetRowCount()), c.coins.size()) << "the list shows the new links";

        list->SetShownElement(nullptr);
        list->Destroy();
    }
}

} // namespace
