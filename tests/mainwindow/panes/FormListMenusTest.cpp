// The record form's lists' right-click menus popped up for real and chosen from with the keyboard: the
// linked children's "Add an item" and "Add File", the add view's row menu.

#include "mainwindow/panes/list/FormLists.h"
#include "tests/mainwindow/panes/ListPaneFixture.h"
#include "tests/support/WindowShot.h"
#include "tree/menus/NodeMenu.h"

#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <algorithm>
#include <functional>

namespace {

using namespace lumarc::test;

// Runs `open`, which may pop a menu up. While one is open the keys are typed into it, its picture is
// taken (with a `shot` name) and the last keys typed. True when a menu was shown.
bool DriveMenu(const std::function<void()>& open, const std::vector<int>& keys, const std::string& shot = {},
               const std::vector<int>& lastKeys = {WXK_RETURN})
{
    bool shown = false;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        shown = true;
        wxUIActionSimulator keyboard;
        const auto type = [&](const std::vector<int>& typed) {
            for (const int key : typed) {
                keyboard.Char(key);
                wxYield();
                wxMilliSleep(50);
            }
        };
        type(keys);
        if (!shot.empty()) {
            SaveScreenShot(wxRect(0, 0, 780, 380), shot);
        }
        type(lastKeys);
    });
    timer.StartOnce(400);
    open();
    timer.Stop();
    return shown;
}

// A right click on a row of the list, the pointer resting over the list.
void RightClickRow(CCorvantView& list, long row)
{
    wxUIActionSimulator().MouseMove(list.GetScreenRect().GetTopLeft() + wxPoint(120, 20 + 22 * row));
    wxYield();
    wxListEvent click(wxEVT_LIST_ITEM_RIGHT_CLICK, list.GetId());
    click.SetEventObject(&list);
    click.m_itemIndex = row;
    list.GetEventHandler()->ProcessEvent(click);
}

// A right click on the list below its rows.
void RightClickEmptySpace(CCorvantView& list)
{
    const wxPoint point = list.GetScreenRect().GetTopLeft() + wxPoint(300, 200);
    wxUIActionSimulator().MouseMove(point);
    wxYield();
    wxContextMenuEvent click(wxEVT_CONTEXT_MENU, list.GetId(), point);
    click.SetEventObject(&list);
    list.GetEventHandler()->ProcessEvent(click);
}

TEST_F(FormListsTest, TheLinkedChildrensMenuAsksTheFormForTheChosenItem)
{
    CCorvantFolderView* folder = ShowLinkedCoins();
    host.canAdd = true;

    // On a row: the first data file of "Add an item" (the coins).
    EXPECT_TRUE(
        DriveMenu([&] { RightClickRow(*folder, 0); }, {WXK_DOWN, WXK_RIGHT}, "list-form-folder-menu"));
    EXPECT_EQ(host.calls, std::vector<std::string>{"add 1"});
    // On empty space, with fewer rows than the main list needs for its menu there: "Add File".
    host.calls.clear();
    EXPECT_TRUE(DriveMenu([&] { RightClickEmptySpace(*folder); }, {WXK_DOWN, WXK_DOWN}));
    EXPECT_EQ(host.calls, std::vector<std::string>{"add file"});
    // Every entry reaches the form with its data file; other commands are not the form's.
    host.calls.clear();
    for (const int command : {1359, 1360, 1338, 1068}) {
        EXPECT_TRUE(folder->RunAddCommand(command)) << command;
    }
    EXPECT_FALSE(folder->RunAddCommand(1037));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"add 24", "add 25", "add 3", "add file"}));
    // A form that cannot add does nothing when asked.
    host.calls.clear();
    host.canAdd = false;
    EXPECT_FALSE(folder->RunAddCommand(1336));
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(frame.commands.empty());
    folder->SetShownElement(nullptr);
}

TEST_F(FormListsTest, TheAddViewsRowMenuIsTheItemMenuWithSearchAndGoesToTheFrame)
{
    CCorvantAddView* add = Make<CCorvantAddView>();
    add->SetShownElement(Find("Europe^Germany"));
    ASSERT_TRUE(add->IsAddRow(0));
    Select({1});
    const std::unique_ptr<RClickMenuClass> menu = add->BuildRowMenu();
    ASSERT_NE(menu, nullptr);
    CNodeMenu model;
    add->GetFocusedElement()->BuildItemMenuWithSearch(&model);
    ASSERT_EQ(menu->GetMenuItemCount(), model.GetEntries().size());
    const std::vector<std::string> lines = MenuLines(*menu);
    EXPECT_EQ(lines.front(), "&Open 1037 pic");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "&Add to my catalog.\tF8 262"), lines.end());
    EXPECT_EQ(lines.back(), "&Missing Report... 32864");

    // Chosen from the menu at the cursor, "&Open" reaches the frame as the main list's row menu's do.
    EXPECT_TRUE(DriveMenu([&] { RightClickRow(*add, 1); }, {WXK_DOWN}, "list-form-add-row-menu"));
    EXPECT_EQ(frame.commands, std::vector<int>{1037});
    EXPECT_TRUE(frame.contextMenus.empty());
    // Only in the start modes in which the main list has menus: not in "SimpleList" or "single".
    frame.commands.clear();
    for (const int mode : {3, 7}) {
        frame.startMode = mode;
        EXPECT_FALSE(DriveMenu([&] { RightClickRow(*add, 1); }, {WXK_DOWN})) << mode;
    }
    EXPECT_TRUE(frame.commands.empty());
    // Empty space stays the form's tools.
    frame.startMode = 1;
    RightClickEmptySpace(*add);
    EXPECT_EQ(host.calls, std::vector<std::string>{"tools"});
}

} // namespace
