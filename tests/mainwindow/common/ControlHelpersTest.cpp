#include "mainwindow/common/ControlHelpers.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/treectrl.h>

TEST(ControlHelpers, TreeSearchesWalkCollapsedBranchesChildrenFirst)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "tree"); // owned by wx
    auto* tree = new wxTreeCtrl(frame, wxID_ANY);         // owned by the frame
    auto* rootData = new wxTreeItemData();
    auto* deepData = new wxTreeItemData();
    auto* siblingData = new wxTreeItemData();
    const wxTreeItemId root = tree->AddRoot("root", -1, -1, rootData);
    const wxTreeItemId coins = tree->AppendItem(root, "coins");
    const wxTreeItemId europe = tree->AppendItem(coins, "europe");
    const wxTreeItemId deep = tree->AppendItem(europe, "deep", -1, -1, deepData);
    const wxTreeItemId want = tree->AppendItem(root, "want list", -1, -1, siblingData);
    tree->Collapse(coins); // children are found whether shown or not
    tree->SetItemBold(want);
    tree->SetItemBold(deep);
    frame->Show();

    EXPECT_EQ(FindTreeItemByData(*tree, {}, deepData), deep);
    EXPECT_EQ(FindTreeItemByData(*tree, {}, rootData), root);
    EXPECT_EQ(FindTreeItemByData(*tree, want, deepData),
              wxTreeItemId()); // the search goes down and on, not up
    EXPECT_EQ(FindTreeItemByData(*tree, coins, siblingData), want);
    EXPECT_FALSE(FindTreeItemByData(*tree, {}, reinterpret_cast<wxTreeItemData*>(1)).IsOk());
    // Children before the next sibling: the bold item deep inside "coins" comes before "want list".
    EXPECT_EQ(FindTreeItemByState(*tree, {}, kTreeItemBold), deep);
    tree->SelectItem(want);
    EXPECT_EQ(FindTreeItemByState(*tree, {}, kTreeItemSelected), want);
    tree->Expand(coins);
    EXPECT_EQ(FindTreeItemByState(*tree, coins, kTreeItemExpanded), coins);

    auto* list = new wxListBox(frame, wxID_ANY); // owned by the frame
    int data = 0;
    EXPECT_EQ(AddListItemWithData(*list, "Münzen", &data), 0);
    EXPECT_EQ(AddListItemWithData(*list, "Coins", nullptr), 1);
    EXPECT_EQ(list->GetString(0).utf8_string(), "Münzen");
    EXPECT_EQ(list->GetClientData(0), &data);
    frame->Destroy();
    wxTheApp->ProcessPendingEvents();
}
