// Copying into another catalogue from the main window: F8 asks "Copy to database" and copies the selected
// record into the default catalogue, read back after a reopen; the dialog's refusals; F9 links a record
// with the item list chosen in "Add to want list".
#include "mainwindow/MainFrame.h"
#include "mainwindow/commands/CommandIds.h"
#include "mainwindow/commands/FrameCommands.h"
#include "mainwindow/panes/list/CorvantView.h"
#include "mainwindow/panes/tree/LeftView.h"
#include "mainwindow/placement/CopyPlacementDialogs.h"
#include "mainwindow/placement/MainSelectionCopyUi.h"
#include "mainwindow/placement/PlacementTree.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/program/Settings.h"
#include "store/records/FolderRecord.h"
#include "store/records/ItemSet.h"
#include "tests/mainwindow/MainFrameFixture.h"
#include "tests/mainwindow/dialogs/DialogDriver.h"
#include "tests/mainwindow/panes/TreePaneFixture.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/MemoryClipboard.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tree/base/TreeNode.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/stattext.h>

#include <map>

using namespace frame_command;
using namespace lumarc::test;

namespace {

class CopyPlacementTest : public MainFrameFixture
{
protected:
    void SetUp() override
    {
        MainFrameFixture::SetUp();
        typical = MakeTypicalCatalogue(MakeTempFolder("copy-source"));
        minePath = CatalogueBuilder(MakeTempFolder("copy-target") / "mine.ctg")
                       .Name("My coins")
                       .Number(5)
                       .DataFile(CoinsFile(1))
                       .DataFile(CountriesFile(2))
                       .Build();
        {
            CCatalogueDb mine(minePath);
            mine.AddFolder("Here", 0, 1);
        }
        RegisterCatalogue(typical.path.string());
        RegisterCatalogue(minePath.string());
        SetSettingString("defaultDataBook", minePath.string());
        previousUi = SetSelectionCopyUi(&ui);
        previousSubsystem = SetFrameSubsystem(FrameSubsystem::kCatalogueCopy, &ui);
        ASSERT_NO_FATAL_FAILURE(MakeFrame(Broadcasts::kHeard));
    }
    void TearDown() override
    {
        MainFrameFixture::TearDown();
        SetFrameSubsystem(FrameSubsystem::kCatalogueCopy, previousSubsystem);
        SetSelectionCopyUi(previousUi);
        SetSettingString("defaultDataBook", "");
    }
    // The catalogue's node named so under the root.
    CTreeNode* CatalogueNamed(std::string_view name)
    {
        for (CTreeNode* node = frame->GetRootElement().GetFirstChildNode(); node != nullptr;
             node = node->GetNextSiblingNode()) {
            if (node->NameEquals(name)) {
                return node;
            }
        }
        ADD_FAILURE() << "no catalogue " << name;
        return nullptr;
    }
    // The element at a path of names below the catalogue, built on the way.
    CTreeNode* At(std::string_view catalogue, std::initializer_list<std::string_view> names)
    {
        return Below(CatalogueNamed(catalogue), names);
    }
    // Shows the element in the list, gives the list the focus and selects the record row named so.
    CTreeNode* FocusRow(CTreeNode* shown, std::string_view name)
    {
        SelectInTree(shown);
        auto* list = dynamic_cast<CCorvantView*>(frame->GetListView());
        list->SetFocus();
        for (long row = 0; row < list->GetItemCount(); ++row) {
            const bool wanted = !list->IsAddRow(row) && list->CellText(row, 0).starts_with(std::string(name));
            list->SetItemState(row, wanted ? wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED : 0,
                               wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        }
        RunEvents(20);
        EXPECT_EQ(frame->GetFocusedPane(), 2);
        return frame->GetSelectedElement();
    }
    bool Run(int command) { return frame->GetCommands()->Run(command); }

    MemoryClipboard clipboard;
    TypicalCatalogue typical;
    std::filesystem::path minePath;
    CMainSelectionCopyUi ui;
    CSelectionCopyUi* previousUi = nullptr;
    CFrameSubsystem* previousSubsystem = nullptr;
};

// The coins of a catalogue opened afresh, each with the path of its folders ("Europe/France", "" at the top).
std::map<std::string, std::string> StoredCoins(const std::filesystem::path& path)
{
    CCatalogueDb catalogue(path);
    std::map<std::string, std::string> coins;
    CItemSet set = CItemSet::Query(&catalogue, 1, nullptr, false);
    for (bool more = set.MoveFirst(); more; more = set.MoveNext()) {
        std::string folders;
        for (CFolderRecord* folder = catalogue.FindFolder(set.GetCurrentParent()); folder != nullptr;
             folder = catalogue.FindFolder(folder->GetParent())) {
            folders = folder->GetName() + (folders.empty() ? "" : "/" + folders);
        }
        coins[set.GetFieldTextByName("NAME")] = folders;
    }
    return coins;
}

} // namespace

TEST_F(CopyPlacementTest, F8CopiesTheSelectedRecordIntoTheDefaultCatalogueKeepingItsFolders)
{
    FocusRow(At("Coins of the world", {"Europe", "France"}), "Franc");
    std::vector<std::string> chain;
    bool noteShown = false;
    bool targetTreeEnabled = true;
    WhenShown([&](wxDialog& shown) {
        auto& dialog = dynamic_cast<CCopyToDatabaseDlg&>(shown);
        auto* source = dynamic_cast<wxTreeCtrl*>(shown.FindWindow(1061));
        for (wxTreeItemId item = source->GetFirstVisibleItem(); item.IsOk();
             item = source->GetNextVisible(item)) {
            chain.push_back(source->GetItemText(item).utf8_string());
        }
        noteShown = !dynamic_cast<wxStaticText*>(shown.FindWindow(1094))->GetLabel().empty();
        targetTreeEnabled = dialog.GetTargetTree().GetControl().IsEnabled();
        Screenshot(shown, "copy-to-database");
        Click(shown, wxID_OK);
    });
    ASSERT_TRUE(Run(kAddToMyCatalogue));
    RunEvents(50);
    EXPECT_EQ(chain, (std::vector<std::string>{"Europe", "France"}));
    EXPECT_TRUE(noteShown) << "the structure is missing in the target";
    EXPECT_FALSE(targetTreeEnabled) << "the structure is kept";
    EXPECT_EQ(StoredCoins(minePath), (std::map<std::string, std::string>{{"Franc", "Europe/France"}}));
    // Selected again: nothing more is copied, nothing asked, one message.
    Dialogs().Clear();
    FocusRow(At("Coins of the world", {"Europe", "France"}), "Franc");
    ASSERT_TRUE(Run(kAddToMyCatalogue));
    RunEvents(50);
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_NE(Dialogs().messages[0].text.find("already exists"), std::string::npos);
    EXPECT_EQ(StoredCoins(minePath).size(), 1u);
}

TEST_F(CopyPlacementTest, WithoutTheStructureOnlyABoldPlaceIsTakenAndAnEmptyDefaultIsReported)
{
    // The mark goes where the user points, once the box is cleared; the catalogue itself is no place.
    std::vector<std::string> messages;
    FocusRow(At("Coins of the world", {"Europe", "Germany"}), "Mark");
    WhenShown([&](wxDialog& shown) {
        auto& dialog = dynamic_cast<CCopyToDatabaseDlg&>(shown);
        Check(shown, 1093, false);
        EXPECT_TRUE(dialog.GetTargetTree().GetControl().IsEnabled());
        CPlacementTree& tree = dialog.GetTargetTree();
        tree.SelectItem(tree.ItemOf(CatalogueNamed("My coins")));
        Click(shown, wxID_OK);
        EXPECT_TRUE(shown.IsModal());
        messages.push_back(Dialogs().messages.empty() ? "" : Dialogs().messages.back().text);
        CTreeNode* here = At("My coins", {"Here"});
        ASSERT_NE(tree.ItemOf(here), kNoTreeItem);
        tree.SelectItem(tree.ItemOf(here));
        Screenshot(shown, "copy-to-database-chosen");
        Click(shown, wxID_OK);
    });
    ASSERT_TRUE(Run(kAddToMyCatalogue));
    RunEvents(50);
    EXPECT_EQ(messages, std::vector<std::string>{"Select only items in bold"});
    EXPECT_EQ(StoredCoins(minePath), (std::map<std::string, std::string>{{"Mark", "Here"}}));

    // A record in no folder: only the target's tree is offered.
    CCopyToDatabaseDlg dialog(frame, *CatalogueNamed("My coins"), 1, CatalogueNamed("Coins of the world"),
                              nullptr);
    EXPECT_FALSE(dialog.FindWindow(1061)->IsShown());
    EXPECT_FALSE(dialog.FindWindow(1093)->IsShown());
    EXPECT_TRUE(dialog.GetTargetTree().GetControl().IsEnabled());

    // No default catalogue: said so, nothing copied.
    SetSettingString("defaultDataBook", "");
    Dialogs().Clear();
    EXPECT_FALSE(CMainSelectionCopyUi::AddToMyCatalogue(
        FocusRow(At("Coins of the world", {"Europe", "France"}), "Franc")));
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text,
              "Please choose, using the tools/option menu option, a catalogue to be used as default.");
    EXPECT_EQ(StoredCoins(minePath).size(), 1u);
}

TEST_F(CopyPlacementTest, F9LinksTheRecordWithTheChosenItemList)
{
    FocusRow(At("Coins of the world", {"Europe", "France"}), "Franc");
    bool listBold = false;
    WhenShown([&](wxDialog& shown) {
        auto& dialog = dynamic_cast<CWantListDlg&>(shown);
        CPlacementTree& tree = dialog.GetTree();
        // A folder is no list: refused, the dialog stays.
        tree.SelectItem(tree.ItemOf(At("Coins of the world", {"Europe"})));
        Click(shown, wxID_OK);
        EXPECT_TRUE(shown.IsModal());
        CTreeNode* wanted = At("Coins of the world", {"Wanted"});
        const TreeItemId item = tree.ItemOf(wanted);
        ASSERT_NE(item, kNoTreeItem);
        listBold = tree.GetControl().IsBold(wxTreeItemId(reinterpret_cast<void*>(item)));
        tree.SelectItem(item);
        Screenshot(shown, "add-to-want-list");
        Click(shown, wxID_OK);
    });
    ASSERT_TRUE(Run(kAddToWantList));
    RunEvents(50);
    EXPECT_TRUE(listBold);
    ASSERT_FALSE(Dialogs().messages.empty());
    EXPECT_EQ(Dialogs().messages[0].text, "Select only items in bold");

    CCatalogueDb catalogue(typical.path);
    const CNodeRef list = typical.wanted.In(catalogue);
    CItemSet members = CItemSet::Children(&catalogue, &list, kLinkMenuKinds);
    std::vector<std::string> names;
    for (bool more = members.MoveFirst(); more; more = members.MoveNext()) {
        names.push_back(members.GetFieldTextByName("NAME"));
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Franc", "Thaler"}));
}
