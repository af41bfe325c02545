#include "mainwindow/commands/FrameCommands.h"
#include "mainwindow/MainFrame.h"
#include "mainwindow/commands/CommandIds.h"
#include "mainwindow/commands/CommandRules.h"
#include "mainwindow/commands/FrameMenu.h"
#include "mainwindow/menus/BCMenu.h"
#include "mainwindow/panes/MainSplitter.h"
#include "mainwindow/panes/address/NavHistory.h"
#include "mainwindow/panes/list/CorvantView.h"
#include "mainwindow/panes/tree/LeftView.h"
#include "store/program/Settings.h"
#include "tests/mainwindow/MainFrameFixture.h"
#include "tests/mainwindow/panes/TreePaneFixture.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tree/base/TreeNode.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/menu.h>
#include <wx/toolbar.h>

using namespace frame_command;

namespace {

class FrameCommandsTest : public lumarc::test::MainFrameFixture
{
protected:
    void SetUp() override
    {
        MainFrameFixture::SetUp();
        const auto catalogue = lumarc::test::MakeTypicalCatalogue(lumarc::test::MakeTempFolder("commands"));
        RegisterCatalogue(catalogue.path.string());
        ASSERT_NO_FATAL_FAILURE(MakeFrame(Broadcasts::kNotHeard));
        coins = frame->GetRootElement().GetFirstChildNode();
        ASSERT_NE(coins, nullptr);
    }
    CTreeNode* Child(CTreeNode* node, std::string_view name)
    {
        node->PopulateChildren(&frame->GetLeftView()->GetTreeControl());
        for (CTreeNode* child = node->GetFirstChildNode(); child != nullptr;
             child = child->GetNextSiblingNode()) {
            if (child->NameEquals(name)) {
                return child;
            }
        }
        return nullptr;
    }
    CommandState StateOf(int command, CTreeNode* selected)
    {
        CommandContext context = frame->GetCommands()->Context();
        context.selected = selected;
        return CommandStateOf(command, context);
    }

    CTreeNode* coins = nullptr;
};

TEST_F(FrameCommandsTest, TheMenuBarHoldsItsMenusInOrderWithTheirPictures)
{
    wxMenuBar* bar = frame->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    std::vector<std::string> titles;
    for (size_t i = 0; i < bar->GetMenuCount(); ++i) {
        titles.push_back(bar->GetMenuLabelText(i).utf8_string());
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"File", "Edit", "View", "Web View", "Tools", "Help"}));
    wxMenu* edit = bar->GetMenu(1);
    ASSERT_GE(edit->GetMenuItemCount(), 3u);
    EXPECT_EQ(BCMenu::CommandOf(edit->FindItemByPosition(0)->GetId()), kCut);
    EXPECT_EQ(BCMenu::CommandOf(edit->FindItemByPosition(1)->GetId()), kCopy);
    EXPECT_EQ(BCMenu::CommandOf(edit->FindItemByPosition(2)->GetId()), kPaste);
    EXPECT_TRUE(edit->FindItemByPosition(0)->GetBitmapBundle().IsOk());
    // Find mode has its own, smaller bar.
    std::unique_ptr<wxMenuBar> find(BuildFrameMenu(true));
    EXPECT_EQ(find->GetMenuCount(), 5u);
    EXPECT_EQ(find->FindMenuItem("File", "Save Search"), BCMenu::ItemIdOf(kSaveSearch));
}

TEST_F(FrameCommandsTest, EnableRulesFollowTheSelectedElement)
{
    CTreeNode* europe = Child(coins, "Europe");
    ASSERT_NE(europe, nullptr);
    CTreeNode* root = &frame->GetRootElement();
    struct Case
    {
        const char* what;
        int command;
        CTreeNode* selected;
        bool enabled;
        std::string text;
    };
    const Case cases[] = {
        {"delete root", kDelete, root, false, ""},
        {"delete catalogue", kDelete, coins, true, ""},
        {"delete folder", kDelete, europe, true, ""},
        {"delete nothing", kDelete, nullptr, false, ""},
        {"new at root", kElementNew, root, false, "New Catalogue"}, // the wizard is not installed
        {"new at folder", kElementNew, europe, false, "New"},
        {"up at root", kUp, root, false, ""},
        {"up at folder", kUp, europe, true, ""},
        {"view at catalogue", kCycleView, coins, true, ""},
        {"quick search at root", kQuickSearch, root, false, ""},
        {"quick search at folder", kQuickSearch, europe, true, ""},
        {"print without printing", kPrintAvery, europe, false, ""},
        {"import without exchange", kImportExport, europe, false, ""},
        {"options always", kOptions, nullptr, true, ""},
        {"no web views never", kNoWebViews, europe, false, ""},
        {"add an item at catalogue", kAddAnItem, coins, true, "Add an item"},
        {"add an item at folder", kAddAnItem, europe, false, "Add an item"},
    };
    for (const Case& c : cases) {
        const CommandState state = StateOf(c.command, c.selected);
        EXPECT_EQ(state.enabled, c.enabled) << c.what;
        EXPECT_EQ(state.text, c.text) << c.what;
    }
}

TEST_F(FrameCommandsTest, ListStylesAreWrittenAndTheViewButtonCycles)
{
    CFrameCommands& commands = *frame->GetCommands();
    SelectInTree(coins);
    auto* list = dynamic_cast<CCorvantView*>(frame->GetListView());
    ASSERT_NE(list, nullptr);
    const std::pair<int, std::pair<const char*, ListViewStyle>> styles[] = {
        {kLargeIcons, {"LARGE", ListViewStyle::Large}},
        {kSmallIcons, {"SMALL", ListViewStyle::Small}},
        {kListStyle, {"LIST", ListViewStyle::List}},
        {kDetails, {"REPORT", ListViewStyle::Report}},
    };
    for (const auto& [command, expected] : styles) {
        EXPECT_TRUE(commands.Run(command));
        EXPECT_EQ(GetSettingString("ListIs"), expected.first);
        EXPECT_EQ(list->GetViewStyle(), expected.second);
        EXPECT_EQ(StateOf(command, coins).check, 1) << expected.first;
    }
    // REPORT -> LARGE -> LIST -> SMALL -> REPORT.
    for (const char* next : {"LARGE", "LIST", "SMALL", "REPORT"}) {
        SelectInTree(coins);
        commands.Run(kCycleView);
        EXPECT_EQ(GetSettingString("ListIs"), next);
    }
    // An unknown word: the button shows large icons and writes nothing.
    SetSettingString("ListIs", "TILES");
    SelectInTree(coins);
    commands.Run(kCycleView);
    EXPECT_EQ(GetSettingString("ListIs"), "TILES");
    EXPECT_EQ(list->GetViewStyle(), ListViewStyle::Large);
}

TEST_F(FrameCommandsTest, BarsAndTheTreeColumnToggle)
{
    CFrameCommands& commands = *frame->GetCommands();
    ASSERT_NE(commands.GetToolBar(), nullptr);
    EXPECT_EQ(commands.GetToolBar()->GetToolsCount(), 12u);
    commands.Run(kStatusBar);
    EXPECT_EQ(GetSettingInt("StatusBarEnabled", 1), 0);
    EXPECT_FALSE(frame->GetStatusBar()->IsShown());
    commands.Run(kStatusBar);
    EXPECT_TRUE(frame->GetStatusBar()->IsShown());
    commands.Run(kExplorerBar);
    EXPECT_EQ(frame->GetSplitter()->HiddenColumn(), 0);
    commands.Run(kExplorerBar);
    EXPECT_LT(frame->GetSplitter()->HiddenColumn(), 0);
    commands.Run(kToolbar);
    EXPECT_FALSE(commands.GetToolBar()->IsShown());
    commands.Run(kToolbar);
    EXPECT_TRUE(commands.GetToolBar()->IsShown());
    const bool band = frame->GetAddressBand()->IsShown();
    commands.Run(kAddressBar);
    EXPECT_NE(frame->GetAddressBand()->IsShown(), band);
    EXPECT_EQ(GetSettingInt("AddressVisible", -1), band ? 0 : 1);
}

TEST_F(FrameCommandsTest, BackForwardAndUpMoveThroughTheVisitedElements)
{
    CFrameCommands& commands = *frame->GetCommands();
    CTreeNode* europe = Child(coins, "Europe");
    CTreeNode* asia = Child(coins, "Asia");
    ASSERT_NE(asia, nullptr);
    SelectInTree(europe);
    SelectInTree(asia);
    ASSERT_EQ(frame->GetCurrentElement(), asia);
    commands.Run(kFirstBack);
    EXPECT_EQ(frame->GetCurrentElement(), europe);
    commands.Run(kFirstForward);
    EXPECT_EQ(frame->GetCurrentElement(), asia);
    SelectInTree(asia);
    ASSERT_EQ(frame->GetFocusedPane(), 1);
    commands.Run(kUp);
    EXPECT_EQ(frame->GetCurrentElement(), coins);
}

TEST_F(FrameCommandsTest, DeleteOfTheRootDoesNothingAndRefreshRefills)
{
    CFrameCommands& commands = *frame->GetCommands();
    SelectInTree(&frame->GetRootElement());
    EXPECT_TRUE(commands.Run(kDelete));
    EXPECT_EQ(frame->GetRootElement().GetFirstChildNode(), coins);
    SelectInTree(coins);
    EXPECT_TRUE(commands.Run(kRefresh));
    EXPECT_EQ(frame->GetListView()->GetShownElement(), coins);
}

TEST_F(FrameCommandsTest, AcceleratorsReachTheirCommands)
{
    const auto entries = LoadAcceleratorEntries("129");
    const auto has = [&entries](int flags, int key, int command) {
        for (const wxAcceleratorEntry& entry : entries) {
            if (entry.GetFlags() == flags && entry.GetKeyCode() == key &&
                BCMenu::CommandOf(entry.GetCommand()) == command) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(has(wxACCEL_NORMAL, WXK_F5, kRefresh));
    EXPECT_TRUE(has(wxACCEL_CTRL, 'F', kQuickSearch));
    EXPECT_TRUE(has(wxACCEL_ALT, WXK_LEFT, kFirstBack));
    EXPECT_FALSE(LoadAcceleratorEntries("130").empty());
    EXPECT_TRUE(LoadAcceleratorEntries("nothing").empty());
    // F5 through the frame's event handling reaches Refresh: the list is filled again.
    SetSettingInt("StatusBarEnabled", 1);
    frame->SendCommand(kStatusBar);
    EXPECT_EQ(GetSettingInt("StatusBarEnabled", 1), 0);
    frame->SendCommand(kStatusBar);
}

TEST_F(FrameCommandsTest, ScreenshotOfTheFrameWithItsToolBar)
{
    SelectInTree(Child(coins, "Europe"));
    frame->SetSize(20, 20, 900, 600);
    lumarc::test::RunEvents(300);
    lumarc::test::ScreenshotRect(frame->GetScreenRect(), "frame-commands");
}

} // namespace
