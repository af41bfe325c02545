#include "mainwindow/placement/PlacementDialogs.h"
#include "mainwindow/placement/MainCatalogueNodeUi.h"
#include "mainwindow/placement/PlacementTree.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/FolderRecord.h"
#include "store/records/ItemSet.h"
#include "tests/mainwindow/dialogs/DialogDriver.h"
#include "tests/mainwindow/dialogs/OwnerFrameFixture.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tree/base/BaseItemNode.h"
#include "tree/catalogue/CatalogueNode.h"

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/treectrl.h>

using namespace lumarc::test;

namespace {

class PlacementDialogsTest : public OwnerFrameFixture
{
protected:
    void TearDown() override
    {
        m_root.reset();
        OwnerFrameFixture::TearDown();
    }

    // With `buildPlaces`, every folder and area is built, as the dialogs build them, so that the test finds
    // their nodes before a dialog is shown.
    CCatalogueNode& Open(const std::filesystem::path& path, bool buildPlaces = true)
    {
        m_root = std::make_unique<CBaseItemNode>();
        auto* node = CTreeNode::AppendNode<CCatalogueNode>(*m_root, path);
        node->PopulateChildren(nullptr);
        for (CTreeNode* n = node; buildPlaces && n != nullptr; n = NextTreeNode(n, node)) {
            if (n->IsCatalogue() || n->IsFolder() || n->IsArea()) {
                n->BuildChildren();
            }
        }
        return *node;
    }

    // The last message shown, or "".
    static std::string LastMessage()
    {
        return Dialogs().messages.empty() ? std::string() : Dialogs().messages.back().text;
    }

    std::unique_ptr<CBaseItemNode> m_root;
};

// Moves the caret of the dialog's tree to the node, as a click would.
void Caret(CPlacementTree& tree, CTreeNode* node)
{
    ASSERT_NE(node, nullptr);
    const TreeItemId item = tree.ItemOf(node);
    ASSERT_NE(item, kNoTreeItem) << node->GetName() << " is not in the dialog's tree";
    tree.SelectItem(item);
}

bool IsBold(CPlacementTree& tree, CTreeNode* node)
{
    const TreeItemId item = node != nullptr ? tree.ItemOf(node) : kNoTreeItem;
    if (item == kNoTreeItem) {
        ADD_FAILURE() << "not in the dialog's tree";
        return false;
    }
    return tree.GetControl().IsBold(wxTreeItemId(reinterpret_cast<void*>(item)));
}

// The folder named so under the folder number, or null.
const CFolderRecord* FolderNamed(CCatalogueDb& catalogue, double parent, const std::string& name)
{
    for (CFolderRecord* folder = catalogue.FirstChildFolder(parent); folder != nullptr;
         folder = catalogue.NextChildFolder(parent, folder)) {
        if (folder->GetName() == name) {
            return folder;
        }
    }
    return nullptr;
}

// Installs the main window's answers for the test's span.
struct InstalledUi
{
    InstalledUi() { previous = SetCatalogueNodeUi(&ui); }
    ~InstalledUi() { SetCatalogueNodeUi(previous); }
    CMainCatalogueNodeUi ui;
    CCatalogueNodeUi* previous = nullptr;
};

} // namespace

TEST_F(PlacementDialogsTest, ANewFolderNeedsANameNoSiblingCarriesAndTakesParentAndKind)
{
    const TypicalCatalogue made = MakeTypicalCatalogue(MakeTempFolder("place-folder"));
    CCatalogueNode& node = Open(made.path);
    CTreeNode* germany = node.FindByNodePath("Europe^Germany");
    ASSERT_NE(germany, nullptr);

    CNewFolderDlg dialog(m_frame, node, germany, nullptr, "A new Folder");
    wxArrayString kinds;
    wxString proposed;
    CTreeNode* caretAtStart = nullptr;
    WhenShown([&](wxDialog& shown) {
        auto& folderDialog = dynamic_cast<CNewFolderDlg&>(shown);
        caretAtStart = folderDialog.GetTree().GetCaretNode();
        proposed = dynamic_cast<wxTextCtrl*>(shown.FindWindow(1062))->GetValue();
        auto* choice = dynamic_cast<wxChoice*>(shown.FindWindow(1059));
        kinds = choice->GetStrings();
        Screenshot(shown, "placement-new-folder");
        // Refused names leave the dialog open with its message.
        struct Case
        {
            const char* name;
            const char* message;
        };
        for (const Case& c : {Case{"", "The name is not valid."},
                              Case{"prussia", "The name you chosed already exists; Please change it."}}) {
            Dialogs().Clear();
            Type(shown, 1062, wxString::FromUTF8(c.name));
            Click(shown, wxID_OK);
            EXPECT_EQ(LastMessage(), c.message) << "name \"" << c.name << "\"";
            EXPECT_TRUE(shown.IsModal()) << "name \"" << c.name << "\"";
        }
        Type(shown, 1062, "Bavaria");
        Type(shown, 1061, "South");
        choice->SetSelection(1);
        Click(shown, wxID_OK);
    });
    ASSERT_EQ(dialog.ShowModal(), wxID_OK);
    EXPECT_EQ(caretAtStart, germany);
    EXPECT_EQ(proposed, "A new Folder");
    ASSERT_GE(kinds.size(), 2u);
    EXPECT_EQ(kinds[0], "All kind of data");
    EXPECT_EQ(kinds[1], "Coin");
    EXPECT_EQ(dialog.GetParentChoice(), germany);
    EXPECT_EQ(dialog.GetElementName(), "Bavaria");
    EXPECT_EQ(dialog.GetDescription(), "South");
    EXPECT_EQ(dialog.GetKind(), 1);
}

TEST_F(PlacementDialogsTest, ANewListOffersNoQueriesListsOrWastebasketAsItsPlace)
{
    const TypicalCatalogue made = MakeTypicalCatalogue(MakeTempFolder("place-list"));
    CCatalogueNode& node = Open(made.path);
    CNewListDlg dialog(m_frame, node, nullptr, nullptr, "A new List");
    CTreeNode* caret = nullptr;
    WhenShown([&](wxDialog& shown) {
        auto& tree = dynamic_cast<CNewListDlg&>(shown).GetTree();
        caret = tree.GetCaretNode();
        EXPECT_NE(tree.ItemOf(node.FindByNodePath("Europe^France")), kNoTreeItem);
        EXPECT_EQ(tree.ItemOf(node.FindByNodePath("Old coins")), kNoTreeItem);
        EXPECT_EQ(tree.ItemOf(node.FindByNodePath("Wanted")), kNoTreeItem);
        EXPECT_EQ(tree.ItemOf(node.FindByNodePath("Recycle Bin")), kNoTreeItem);
        Screenshot(shown, "placement-new-list");
        // "wanted" differs from the list "Wanted" only in case.
        Type(shown, 1063, "wanted");
        Click(shown, wxID_OK);
        EXPECT_EQ(LastMessage(), "The name you chosed already exists; Please change it.");
        Type(shown, 1063, "Swaps");
        Click(shown, wxID_OK);
    });
    ASSERT_EQ(dialog.ShowModal(), wxID_OK);
    EXPECT_EQ(caret, &node);
    EXPECT_EQ(dialog.GetParentChoice(), &node);
    EXPECT_EQ(dialog.GetElementName(), "Swaps");
}

TEST_F(PlacementDialogsTest, ANewItemGoesOnlyIntoTheBoldPlaces)
{
    const TypicalCatalogue made = MakeTypicalCatalogue(MakeTempFolder("place-item"));
    {
        // An area of addresses holding a folder: shown (plain) for coins, but no place for one.
        CCatalogueDb catalogue(made.path);
        const double dealers = catalogue.AddFolder("Dealers", 0, 3)->GetNumber();
        catalogue.AddFolder("Shops", dealers, 100);
    }
    CCatalogueNode& node = Open(made.path);
    CTreeNode* dealers = node.FindByNodePath("Dealers");
    CTreeNode* france = node.FindByNodePath("Europe^France");
    CNewDataItemDlg dialog(m_frame, node, 1, nullptr, nullptr);
    WhenShown([&](wxDialog& shown) {
        auto& tree = dynamic_cast<CNewDataItemDlg&>(shown).GetTree();
        EXPECT_TRUE(IsBold(tree, france));
        EXPECT_TRUE(IsBold(tree, node.FindByNodePath("Europe")));
        EXPECT_TRUE(IsBold(tree, node.FindByNodePath("Dealers^Shops")));
        EXPECT_FALSE(IsBold(tree, dealers));
        EXPECT_FALSE(IsBold(tree, &node));
        Screenshot(shown, "placement-new-item");
        for (CTreeNode* refused : {dealers, static_cast<CTreeNode*>(&node)}) {
            Dialogs().Clear();
            Caret(tree, refused);
            Click(shown, wxID_OK);
            EXPECT_EQ(LastMessage(), "Select only items in bold") << refused->GetName();
            EXPECT_TRUE(shown.IsModal());
        }
        Caret(tree, france);
        Click(shown, wxID_OK);
    });
    ASSERT_EQ(dialog.ShowModal(), wxID_OK);
    EXPECT_EQ(dialog.GetChosenNode(), france);
}

TEST_F(PlacementDialogsTest, WithTheWindowsInstalledNewFolderAndNewListAskAndMakeTheElement)
{
    const TypicalCatalogue made = MakeTypicalCatalogue(MakeTempFolder("place-node"));
    InstalledUi installed;
    // The dialogs build the folders below the top level themselves.
    CCatalogueNode& node = Open(made.path, false);
    ASSERT_TRUE(CCatalogueNode::CanCreateElements());

    WhenShown([&](wxDialog& shown) {
        Caret(dynamic_cast<CNewFolderDlg&>(shown).GetTree(), node.FindByNodePath("Europe^Germany"));
        Type(shown, 1062, "Bavaria");
        Type(shown, 1061, "The south");
        Click(shown, wxID_OK);
    });
    node.NewFolder();
    WhenShown([&](wxDialog& shown) {
        Caret(dynamic_cast<CNewListDlg&>(shown).GetTree(), node.FindByNodePath("Asia"));
        Type(shown, 1063, "Swaps");
        Type(shown, 1030, "to swap");
        Click(shown, wxID_OK);
    });
    node.NewItemList();
    // Cancel makes nothing.
    WhenShown([](wxDialog& shown) { shown.EndModal(wxID_CANCEL); });
    node.NewFolder();
    m_root.reset();

    CCatalogueDb catalogue(made.path);
    const CFolderRecord* bavaria = FolderNamed(catalogue, made.germany, "Bavaria");
    ASSERT_NE(bavaria, nullptr);
    EXPECT_EQ(bavaria->GetType(), CFolderRecord::kAllKinds);
    EXPECT_EQ(FolderNamed(catalogue, 0, "A new Folder"), nullptr);
    CItemSet* lists = catalogue.GetBuiltinSet22();
    ASSERT_NE(lists, nullptr);
    bool found = false;
    for (bool more = lists->MoveFirst(); more; more = lists->MoveNext()) {
        found = found || (lists->GetCurrentName() == "Swaps" && lists->GetCurrentParent() == made.asia &&
                          lists->GetFieldTextByName("COMMENT") == "to swap");
    }
    EXPECT_TRUE(found);
}

TEST_F(PlacementDialogsTest, AProtectedCatalogueAsksItsPasswordUntilItOpens)
{
    const TypicalCatalogue made = MakeTypicalCatalogue(MakeTempFolder("place-protected"), "geheim");
    InstalledUi installed;
    m_root = std::make_unique<CBaseItemNode>();
    auto* node = CTreeNode::AppendNode<CCatalogueNode>(*m_root, made.path);

    WhenShown([](wxDialog& shown) {
        Type(shown, 1014, "verkehrt");
        Click(shown, wxID_OK);
    });
    node->PopulateChildren(nullptr);
    EXPECT_FALSE(node->ChildrenBuilt()) << "a wrong password builds nothing";

    WhenShown([](wxDialog& shown) {
        Type(shown, 1014, "geheim");
        Click(shown, wxID_OK);
    });
    node->PopulateChildren(nullptr);
    EXPECT_TRUE(node->ChildrenBuilt());
    EXPECT_NE(node->FindByNodePath("Europe"), nullptr);
    EXPECT_EQ(node->GetName(), "Coins of the world");
}
