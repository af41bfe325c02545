// The tree pane on the typical catalogue, read back from the real control: filling and lazy children,
// expanding and collapsing, the delayed selection, renaming, keys, dropped files and paths.

#include "mainwindow/panes/tree/LeftView.h"

#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/BuiltinDataFiles.h"
#include "store/records/FolderRecord.h"
#include "store/records/ItemSet.h"
#include "tests/mainwindow/panes/TreePaneFixture.h"
#include "tests/support/TestNames.h"
#include "tree/base/ImageKinds.h"

#include <wx/textctrl.h>

#include <fstream>

namespace {

using namespace lumarc::test;

class TreePaneTest : public PaneFixture
{
protected:
    void SetUp() override
    {
        PaneFixture::SetUp();
        view = static_cast<CLeftView*>(MakeLeftView(window, *frame));
        view->SetTimerStarter([this](int serial, int milliseconds) {
            timers.push_back(serial);
            EXPECT_EQ(milliseconds, 350);
        });
        window->Show();
        view->FillTree(*root);
        view->ExpandRoot();
    }
    // The labels of an item's children, as the control shows them.
    std::vector<std::string> ChildLabels(const wxTreeItemId& item)
    {
        std::vector<std::string> labels;
        wxTreeItemIdValue cookie;
        for (wxTreeItemId child = view->GetFirstChild(item, cookie); child.IsOk();
             child = view->GetNextChild(item, cookie)) {
            labels.push_back(view->GetItemText(child).utf8_string());
        }
        return labels;
    }
    CTreeNode* Folder(std::string_view path)
    {
        return view->ExpandNodeByPath(std::string(catalogueNode->GetName()) + "^" + std::string(path));
    }

    CLeftView* view = nullptr;
    std::vector<int> timers;
};

TEST_F(TreePaneTest, FillsTheRootAndBuildsChildrenOnFirstExpansion)
{
    const wxTreeItemId rootItem = view->WxItemOf(root.get());
    ASSERT_TRUE(rootItem.IsOk());
    EXPECT_EQ(view->GetItemText(rootItem).utf8_string(), root->GetName());
    EXPECT_EQ(frame->restoreStateCalls, 1);
    const wxTreeItemId catalogueItem = view->WxItemOf(catalogueNode);
    ASSERT_TRUE(catalogueItem.IsOk());
    EXPECT_TRUE(view->ItemHasChildren(catalogueItem)) << "the button shows before the children exist";
    EXPECT_FALSE(catalogueNode->ChildrenBuilt());
    EXPECT_EQ(view->GetChildrenCount(catalogueItem, false), 0u);

    view->Expand(catalogueItem);
    const std::vector<std::string> labels = ChildLabels(catalogueItem);
    ASSERT_GE(labels.size(), 2u);
    EXPECT_EQ(labels[0], "Europe");
    EXPECT_EQ(labels[1], "Asia");
    EXPECT_EQ(catalogueNode->GetAttribute("Expanded"), "TRUE");
    const int open = view->ImageIndexOfKind(image_kind::kCatalogueOpen);
    EXPECT_EQ(view->GetItemImage(catalogueItem, wxTreeItemIcon_Normal), open);
    EXPECT_EQ(view->GetItemImage(catalogueItem, wxTreeItemIcon_Selected), open);

    view->Collapse(catalogueItem);
    EXPECT_EQ(catalogueNode->GetAttribute("Expanded"), "FALSE");
    const int closed = view->ImageIndexOfKind(image_kind::kCatalogueClosed);
    EXPECT_NE(open, closed);
    EXPECT_EQ(view->GetItemImage(catalogueItem, wxTreeItemIcon_Normal), closed);
    EXPECT_EQ(view->GetItemImage(catalogueItem, wxTreeItemIcon_Selected), closed);

    // Filling again after the items went expands what is marked expanded, and restores no state twice.
    catalogueNode->SetAttribute("Expanded", "TRUE");
    root->SetAttribute("Expanded", "TRUE");
    view->DeleteAllItems();
    EXPECT_FALSE(view->WxItemOf(catalogueNode).IsOk());
    view->FillTree(*root);
    ASSERT_TRUE(view->WxItemOf(catalogueNode).IsOk());
    EXPECT_TRUE(view->IsExpanded(view->WxItemOf(catalogueNode)));
    EXPECT_EQ(ChildLabels(view->WxItemOf(catalogueNode)).front(), "Europe");
    EXPECT_EQ(frame->restoreStateCalls, 1);
}

TEST_F(TreePaneTest, ExpandsByPathBuildingTheWay)
{
    CTreeNode* prussia = Folder("Europe^Germany^Prussia^");
    ASSERT_NE(prussia, nullptr);
    EXPECT_EQ(prussia->GetName(), "Prussia");
    ASSERT_TRUE(view->WxItemOf(prussia).IsOk());
    EXPECT_TRUE(view->IsExpanded(view->WxItemOf(Child(*catalogueNode, "Europe"))));
    EXPECT_EQ(view->ExpandNodeByPath(catalogueNode->GetName() + "^europe^GERMANY^"),
              Child(*Child(*catalogueNode, "Europe"), "Germany"));
    EXPECT_EQ(Folder("Europe^Spain^"), nullptr);
}

TEST_F(TreePaneTest, OnlyTheLastOfQuickSelectionsTakesEffect)
{
    CTreeNode* europe = Folder("Europe^");
    CTreeNode* asia = Folder("Asia^");
    ASSERT_NE(asia, nullptr);
    europe->SetAttribute("Selected", "TRUE");
    view->SelectItem(view->ItemOf(europe));
    view->SelectItem(view->ItemOf(asia));
    ASSERT_EQ(timers, (std::vector<int>{europe->GetSerial(), asia->GetSerial()}));
    EXPECT_TRUE(frame->selected.empty()) << "nothing happens before the delay";

    for (int serial : timers) {
        view->OnSelectionTimer(serial);
    }
    EXPECT_EQ(frame->selected, std::vector<CTreeNode*>{asia});
    EXPECT_TRUE(asia->GetAttributeBool("Selected"));
    EXPECT_FALSE(europe->GetAttributeBool("Selected"));
    EXPECT_EQ(view->GetSelectedNode(), asia);
    // The selected item shows the open picture, the one left the closed one.
    EXPECT_EQ(view->GetItemImage(view->WxItemOf(asia), wxTreeItemIcon_Selected),
              ImageListIndex(*view, asia->GetOpenImage()));
    EXPECT_EQ(view->GetItemImage(view->WxItemOf(europe), wxTreeItemIcon_Normal),
              ImageListIndex(*view, europe->GetClosedImage()));

    // The frame's own selections and a suppressed frame start no timer.
    timers.clear();
    view->SelectNode(europe);
    frame->suppressShow = true;
    view->SelectItem(view->ItemOf(asia));
    EXPECT_TRUE(timers.empty());
    EXPECT_EQ(view->GetSelectedNode(), asia);
}

TEST_F(TreePaneTest, TheRealTimerSelectsAfterTheDelay)
{
    view->SetTimerStarter(nullptr);
    auto* fresh = static_cast<CLeftView*>(MakeLeftView(window, *frame));
    fresh->FillTree(*root);
    fresh->ExpandRoot();
    CTreeNode* europe = fresh->ExpandNodeByPath(catalogueNode->GetName() + "^Europe^");
    fresh->SelectItem(fresh->ItemOf(europe));
    EXPECT_TRUE(frame->selected.empty());
    for (int waited = 0; waited < 3000 && frame->selected.empty(); waited += 50) {
        RunEvents(50);
    }
    EXPECT_EQ(frame->selected, std::vector<CTreeNode*>{europe});
    EXPECT_EQ(frame->current, europe);
    fresh->Destroy();
}

TEST_F(TreePaneTest, RenamingWritesTheFolderAndShowsTheNameItKept)
{
    CTreeNode* europe = Folder("Europe^");
    const wxTreeItemId item = view->WxItemOf(europe);
    const auto edit = [&](const std::string& text, bool cancel) {
        view->EditLabel(item);
        wxTextCtrl* editor = view->GetEditControl();
        ASSERT_NE(editor, nullptr);
        editor->SetValue(wxString::FromUTF8(text));
        view->EndEditLabel(item, cancel);
        RunEvents(30);
    };
    edit("Europa", false);
    EXPECT_EQ(view->GetItemText(item).utf8_string(), "Europa");
    EXPECT_EQ(europe->GetName(), "Europa");
    EXPECT_EQ(frame->refreshLabelsCalls, 1);
    CCatalogueDb reopened(catalogue.path);
    EXPECT_EQ(reopened.FindFolder(catalogue.europe)->GetName(), "Europa");

    edit("Eurasia", true);
    EXPECT_EQ(view->GetItemText(item).utf8_string(), "Europa") << "Escape changes nothing";
    EXPECT_EQ(europe->GetName(), "Europa");

    // An empty name is refused by the folder: the item keeps the name.
    edit("", false);
    EXPECT_EQ(view->GetItemText(item).utf8_string(), "Europa");

    // The edit takes 59 characters; the catalogue keeps them all (a folder keeps fewer).
    const wxTreeItemId catalogueItem = view->WxItemOf(catalogueNode);
    view->EditLabel(catalogueItem);
    ASSERT_NE(view->GetEditControl(), nullptr);
    view->GetEditControl()->SetValue(wxString(70, 'x'));
    view->EndEditLabel(catalogueItem, false);
    RunEvents(30);
    EXPECT_EQ(view->GetItemText(catalogueItem).utf8_string(), std::string(59, 'x'));
    EXPECT_EQ(catalogueNode->GetName(), std::string(59, 'x'));
}

struct KeyCase
{
    std::string name;
    int key;
    bool control;
    bool alt;
    std::vector<int> commands;
    std::vector<bool> reloads;
};

class TreePaneKeys : public TreePaneTest, public testing::WithParamInterface<KeyCase>
{
};

TEST_P(TreePaneKeys, RunTheFramesCommands)
{
    const KeyCase& c = GetParam();
    view->SelectNode(Folder("Europe^"));
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = c.key;
    key.m_controlDown = c.control;
    key.m_altDown = c.alt;
    wxTreeEvent event(wxEVT_TREE_KEY_DOWN, view);
    event.SetKeyEvent(key);
    view->GetEventHandler()->ProcessEvent(event);
    EXPECT_EQ(frame->commands, c.commands);
    EXPECT_EQ(frame->reloads, c.reloads);
}

INSTANTIATE_TEST_SUITE_P(Keys, TreePaneKeys,
                         testing::Values(KeyCase{"Delete", WXK_DELETE, false, false, {1011}, {}},
                                         KeyCase{"CtrlA", 'A', true, false, {1028}, {}},
                                         KeyCase{"AAlone", 'A', false, false, {}, {}},
                                         KeyCase{"F4", WXK_F4, false, false, {1243}, {}},
                                         KeyCase{"F5", WXK_F5, false, false, {}, {false}},
                                         KeyCase{"F7", WXK_F7, false, false, {1020}, {}},
                                         KeyCase{"EnterAlone", WXK_RETURN, false, false, {}, {}}),
                         [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

TEST_F(TreePaneTest, TheContextKeyAndRightClickShowTheFramesMenu)
{
    CTreeNode* asia = Folder("Asia^");
    wxTreeEvent click(wxEVT_TREE_ITEM_RIGHT_CLICK, view, view->WxItemOf(asia));
    view->GetEventHandler()->ProcessEvent(click);
    ASSERT_EQ(frame->contextMenus.size(), 1u);
    EXPECT_EQ(frame->contextMenus[0].element, asia);
    EXPECT_EQ(view->GetSelectedNode(), asia);

    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = WXK_MENU;
    wxTreeEvent event(wxEVT_TREE_KEY_DOWN, view);
    event.SetKeyEvent(key);
    view->GetEventHandler()->ProcessEvent(event);
    ASSERT_EQ(frame->contextMenus.size(), 2u);
    EXPECT_EQ(frame->contextMenus[1].element, asia);
}

TEST_F(TreePaneTest, FilesDroppedOnAFolderBecomeItsFileItems)
{
    CTreeNode* france = Folder("Europe^");
    CTreeNode* asia = Folder("Asia^");
    view->SelectNode(asia);
    const std::filesystem::path file = MakeTempFolder("drop") / "Denier of Louis.jpg";
    std::ofstream(file) << "picture";
    frame->current = france;

    wxRect rect;
    ASSERT_TRUE(view->GetBoundingRect(view->WxItemOf(france), rect, true));
    wxArrayString files;
    files.Add(wxString::FromUTF8(file.string()));
    view->DropFiles(rect.GetPosition() + wxPoint(4, 4), files);

    EXPECT_EQ(view->GetSelectedNode(), france) << "the files go where they were dropped";
    EXPECT_TRUE(Dialogs().messages.empty());
    CItemSet stored =
        CItemSet::Query(catalogueNode->GetCatalogue(), kFileItemsFile, france->GetFolderRecord(), false);
    ASSERT_EQ(stored.GetCount(), 1u);
    ASSERT_TRUE(stored.MoveFirst());
    EXPECT_EQ(stored.GetCurrent()->GetFieldTextByName("EdtFn"), file.string());
    EXPECT_TRUE(france->GetItemSet()->ContainsRecord(*stored.GetCurrent()));
    EXPECT_EQ(frame->reloads, std::vector<bool>{false}) << "the list shows the new row";
}

TEST_F(TreePaneTest, AnElementWithoutFileItemsRefusesDroppedFiles)
{
    // France holds coins only.
    CTreeNode* france = Folder("Europe^France^");
    wxArrayString files;
    files.Add("/tmp/coin.jpg");
    wxRect rect;
    ASSERT_TRUE(view->GetBoundingRect(view->WxItemOf(france), rect, true));
    view->DropFiles(rect.GetPosition() + wxPoint(4, 4), files);
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text, "This area does not accept dropped files.");
    EXPECT_EQ(Dialogs().messages[0].caption, "Warning");
    EXPECT_EQ(CItemSet::Query(catalogueNode->GetCatalogue(), kFileItemsFile, nullptr, false).GetCount(), 0u);
}

TEST_F(TreePaneTest, Screenshot)
{
    CTreeNode* prussia = Folder("Europe^Germany^Prussia^");
    Folder("Europe^France^");
    view->SelectNode(prussia);
    window->Raise();
    ScreenshotRect(window->GetScreenRect(), "tree-pane");
    SUCCEED();
}

} // namespace
