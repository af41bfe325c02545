// The frame's commands that act on the catalogue, each run once on a fixture catalogue under Xvfb with
// its effect read back (from the catalogue opened afresh where the command writes to it).
#include "mainwindow/MainFrame.h"
#include "mainwindow/commands/CommandIds.h"
#include "mainwindow/commands/CommandRules.h"
#include "mainwindow/commands/FrameCommands.h"
#include "mainwindow/commands/PasteItems.h"
#include "mainwindow/dialogs/ManageWebViewsDlg.h"
#include "mainwindow/menus/BCMenu.h"
#include "mainwindow/panes/address/AddressCombo.h"
#include "mainwindow/panes/list/CorvantView.h"
#include "mainwindow/panes/tree/LeftView.h"
#include "mainwindow/webview/WebCommands.h"
#include "platform/ui/WxClipboardWatch.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/definitions/DataFileDef.h"
#include "store/markup/MarkupNode.h"
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
#include "tests/support/WindowShot.h"
#include "tree/base/TreeNode.h"
#include "tree/containers/ContainerNode.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/menu.h>
#include <wx/settings.h>

#include <map>

using namespace frame_command;
using namespace lumarc::test;

namespace {

void AddView(CMarkupNode& templates, const char* name, const char* type = "webDefinition")
{
    auto view = std::make_unique<CMarkupNode>(name, type);
    view->SetAttribute("DataName", "1");
    view->SetAttribute("layoutType", "HTML");
    templates.AddChild(std::move(view));
}

class FrameActionsTest : public MainFrameFixture
{
protected:
    void SetUp() override
    {
        MainFrameFixture::SetUp();
        typical = MakeTypicalCatalogue(MakeTempFolder("actions"));
        {
            CCatalogueDb catalogue(typical.path);
            AddView(*catalogue.GetWebTemplates(), "Summary", "summary");
            AddView(*catalogue.GetWebTemplates(), "Gallery");
            AddView(*catalogue.GetWebTemplates(), "Plain");
            catalogue.SaveWebTemplates();
        }
        RegisterCatalogue(typical.path.string());
        ASSERT_NO_FATAL_FAILURE(MakeFrame(Broadcasts::kHeard));
    }
    CTreeNode* Coins() { return frame->GetRootElement().GetFirstChildNode(); }
    // The element at a path of names below the catalogue, built on the way.
    CTreeNode* At(std::initializer_list<std::string_view> names) { return Below(Coins(), names); }
    // Shows the element in the list, gives the list the focus and selects its first record row (an area's
    // adding row comes before).
    CCorvantView& FocusFirstRow(CTreeNode* shown)
    {
        SelectInTree(shown);
        auto* list = dynamic_cast<CCorvantView*>(frame->GetListView());
        list->SetFocus();
        list->SetItemState(list->IsAddRow(0) ? 1 : 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                           wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        RunEvents(20);
        EXPECT_EQ(frame->GetFocusedPane(), 2);
        return *list;
    }
    bool Run(int command) { return frame->GetCommands()->Run(command); }
    CommandState StateOf(int command, CTreeNode* selected)
    {
        CommandContext context = frame->GetCommands()->Context();
        context.selected = selected;
        return CommandStateOf(command, context);
    }
    // The names of the coins (data file 1) in a folder, from the catalogue opened afresh.
    std::vector<std::string> StoredCoins(double folder)
    {
        CCatalogueDb catalogue(typical.path);
        CItemSet set = CItemSet::Query(&catalogue, 1, catalogue.FindFolder(folder), false);
        std::vector<std::string> names;
        for (bool more = set.MoveFirst(); more; more = set.MoveNext()) {
            names.push_back(set.GetFieldTextByName("NAME"));
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    MemoryClipboard clipboard;
    TypicalCatalogue typical;
};

TEST_F(FrameActionsTest, EnableRulesOfTheRoutedCommands)
{
    CTreeNode* europe = At({"Europe"});
    CTreeNode* asia = At({"Asia"});
    CTreeNode* germany = At({"Europe", "Germany"});
    CCorvantView& list = FocusFirstRow(At({"Europe", "France"}));
    CTreeNode* franc = list.GetFocusedElement();
    ASSERT_NE(franc, nullptr);
    ASSERT_TRUE(franc->IsRecord());
    const CNodeRef dealerKey = typical.dealer.In(*Coins()->GetCatalogue());
    CItemSet dealerSet = CItemSet::WithCriteria(Coins()->GetCatalogue(), &dealerKey);
    std::unique_ptr<CTreeNode> dealer = dynamic_cast<CContainerNode&>(*asia).NewChildFromSet(dealerSet);
    ASSERT_NE(dealer, nullptr);
    struct Case
    {
        const char* what;
        int command;
        CTreeNode* selected;
        bool enabled;
    };
    const Case cases[] = {
        {"duplicate a record", kDuplicate, franc, true},
        {"duplicate a folder", kDuplicate, europe, false},
        {"telephone a dealer", kTelephone, dealer.get(), true},
        {"telephone a coin", kTelephone, franc, false},
        {"web page of a dealer", kGoToWebPage, dealer.get(), true},
        {"web page of a coin", kGoToWebPage, franc, false},
        {"shift up the first folder", kShiftUp, europe, false},
        {"shift up the second", kShiftUp, asia, true},
        {"shift down the first", kShiftDown, europe, true},
        {"shift down the last folder", kShiftDown, asia, false},
        {"shift a record", kShiftDown, franc, false},
        {"paste with nothing cut", kPaste, germany, false},
        {"order it without a cart", kOrderIt, franc, false},
        {"icons always", kIconsN, nullptr, true},
        {"help always", kHelp, nullptr, true},
        {"tab always", kCycleFocus, nullptr, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StateOf(c.command, c.selected).enabled, c.enabled) << c.what;
    }
}

TEST_F(FrameActionsTest, CutThenPasteMovesARowAndCopyThenPasteCopiesIt)
{
    FocusFirstRow(At({"Europe", "France"}));
    ASSERT_TRUE(Run(kCut));
    SelectInTree(At({"Europe", "Germany"}));
    EXPECT_TRUE(StateOf(kPaste, frame->GetSelectedElement()).enabled);
    ASSERT_TRUE(Run(kPaste));
    EXPECT_EQ(StoredCoins(typical.germany), (std::vector<std::string>{"Franc", "Mark"}));
    EXPECT_TRUE(StoredCoins(typical.france).empty());
    // Moved once: the clipboard is empty and Paste is off again.
    EXPECT_FALSE(StateOf(kPaste, frame->GetSelectedElement()).enabled);

    CCorvantView& list = FocusFirstRow(At({"Europe", "Germany"}));
    for (long row = 0; row < list.GetItemCount(); ++row) {
        list.SetItemState(row, list.CellText(row, 0).starts_with("Mark") ? wxLIST_STATE_SELECTED : 0,
                          wxLIST_STATE_SELECTED);
    }
    ASSERT_TRUE(Run(kCopy));
    SelectInTree(At({"Europe", "France"}));
    ASSERT_TRUE(Run(kPaste));
    EXPECT_EQ(StoredCoins(typical.france), (std::vector<std::string>{"Mark"}));
    EXPECT_EQ(StoredCoins(typical.germany), (std::vector<std::string>{"Franc", "Mark"}));
    Screenshot(*frame, "frame-after-paste");
}

TEST_F(FrameActionsTest, CutRowsAndItemsShowGreyedUntilPastedOrTheClipboardChanges)
{
    const wxColour grey = wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT);
    CFrameCommands& commands = *frame->GetCommands();
    CCorvantView& list = FocusFirstRow(At({"Europe", "Germany"}));
    const long markRow = list.GetFocusedElement() != nullptr ? list.GetSelectedRows().front() : -1;
    ASSERT_GE(markRow, 0);
    ASSERT_GT(list.GetItemCount(), markRow + 1); // the Prussia folder's row stays uncut
    ASSERT_TRUE(Run(kCut));
    EXPECT_TRUE(list.IsRowCut(markRow));
    EXPECT_EQ(list.GetItemTextColour(markRow), grey);
    EXPECT_FALSE(list.IsRowCut(markRow + 1));
    // The cut itself changed the clipboard: the marks stay while it holds what was cut.
    commands.ClipboardChanged();
    EXPECT_TRUE(list.IsRowCut(markRow));
    list.SetItemState(markRow, 0, wxLIST_STATE_SELECTED); // the mark shows on a row not highlighted
    RunEvents(20);
    Screenshot(*frame, "frame-cut-row");

    // Copying something else replaces what was cut.
    list.SetItemState(markRow + 1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    ASSERT_TRUE(Run(kCopy));
    EXPECT_FALSE(list.IsRowCut(markRow));

    // Another program took the clipboard.
    list.SetItemState(markRow + 1, 0, wxLIST_STATE_SELECTED);
    list.SetItemState(markRow, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    ASSERT_TRUE(Run(kCut));
    ASSERT_TRUE(list.IsRowCut(markRow));
    clipboard.SetFormats({{"UTF8_STRING", ClipboardBlock{'x'}}});
    commands.ClipboardChanged();
    EXPECT_FALSE(list.IsRowCut(markRow));

    // A folder cut in the tree is dimmed there until it is pasted.
    CTreeNode* prussia = At({"Europe", "Germany", "Prussia"});
    SelectInTree(prussia);
    ASSERT_TRUE(Run(kCut));
    auto* tree = dynamic_cast<CLeftView*>(frame->GetLeftView());
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE(tree->IsCut(prussia));
    EXPECT_EQ(tree->GetItemTextColour(tree->WxItemOf(prussia)), grey);
    SelectInTree(At({"Asia"}));
    Screenshot(*frame, "frame-cut-folder");
    ASSERT_TRUE(Run(kPaste));
    EXPECT_FALSE(tree->IsCut(prussia));
    // Pasted as a move, which empties the clipboard.
    for (std::string_view format : kClipboardMoveFormats) {
        EXPECT_FALSE(clipboard.HasFormat(format)) << format;
    }
}

TEST(ClipboardWatchTest, ReportsNewContentOfTheDesktopsClipboard)
{
    int changes = 0;
    const platform::ui::ClipboardWatch watch([&changes] { ++changes; });
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject("Franc"));
    wxTheClipboard->Close();
    for (int turn = 0; turn < 200 && changes == 0; ++turn) {
        RunEvents(5);
        wxMilliSleep(10);
    }
    EXPECT_GT(changes, 0);
}

TEST_F(FrameActionsTest, AFolderIsNotPastedIntoItselfOrBelowItself)
{
    CTreeNode* europe = At({"Europe"});
    ASSERT_TRUE(AppendEntriesToClipboard(kAreaMoveFormat, {europe->GetPath()}));
    EXPECT_EQ(CheckPaste(*europe), PasteCheck::kOntoItself);
    EXPECT_EQ(CheckPaste(*At({"Europe", "Germany", "Prussia"})), PasteCheck::kOntoItself);
    EXPECT_EQ(CheckPaste(*At({"Asia"})), PasteCheck::kMove);

    SelectInTree(At({"Europe", "Germany"}));
    Run(kPaste); // a command run from a key or link still checks
    SelectInTree(At({"Europe", "Germany"}));
    EXPECT_FALSE(StateOf(kPaste, frame->GetSelectedElement()).enabled);
    CCatalogueDb catalogue(typical.path);
    EXPECT_TRUE(catalogue.FindFolder(typical.europe)->IsTopLevel());
}

TEST_F(FrameActionsTest, DuplicateAddsACopyBesideTheRecord)
{
    FocusFirstRow(At({"Europe", "France"}));
    ASSERT_TRUE(Run(kDuplicate));
    EXPECT_EQ(StoredCoins(typical.france), (std::vector<std::string>{"Franc", "Franc"}));
}

TEST_F(FrameActionsTest, ShiftDownStoresTheNewOrderOfTheFolders)
{
    SelectInTree(At({"Europe"}));
    ASSERT_TRUE(Run(kShiftDown));
    RunEvents(50);
    std::vector<std::string> names;
    CCatalogueDb catalogue(typical.path);
    const double top = catalogue.FindFolder(typical.europe)->GetParent();
    for (CFolderRecord* f = catalogue.FirstChildFolder(top); f != nullptr;
         f = catalogue.NextChildFolder(top, f)) {
        names.push_back(f->GetName());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Asia", "Europe"}));
    // The frame read the catalogue again: its tree shows the new order.
    Coins()->PopulateChildren(&frame->GetLeftView()->GetTreeControl());
    EXPECT_TRUE(Coins()->GetFirstChildNode()->NameEquals("Asia"));
}

TEST_F(FrameActionsTest, TheIconSwitchStoresTheOtherLargeIconFirst)
{
    {
        CDataFileDef definition(Coins()->GetCatalogue());
        ASSERT_TRUE(definition.SelectFile(1));
        definition.SetLargeIcon("coin-a");
        definition.SetLargeIcon1("coin-b");
        definition.StoreInCatalogue();
    }
    SelectInTree(At({"Europe", "Germany"}));
    ASSERT_TRUE(Run(kIconsN));
    CDataFileDef definition(Coins()->GetCatalogue());
    ASSERT_TRUE(definition.SelectFile(1));
    EXPECT_EQ(definition.GetLargeIcon(), "coin-b");
    EXPECT_EQ(definition.GetLargeIcon1(), "coin-a");
    EXPECT_EQ(frame->GetCurrentElement(), At({"Europe", "Germany"}));
}

TEST_F(FrameActionsTest, TelephoneAndWebPageNeedARecordRowAndOpenItsAddress)
{
    std::vector<std::string> opened;
    const BrowserOpener previous = SetBrowserOpener([&opened](const std::string& address) {
        opened.push_back(address);
        return true;
    });
    CCatalogueDb& catalogue = *Coins()->GetCatalogue();
    const CNodeRef dealerKey = typical.dealer.In(catalogue);
    CItemSet dealer = CItemSet::WithCriteria(&catalogue, &dealerKey);
    ASSERT_TRUE(dealer.SetFieldTextByName("WEB", "numismatik.example/shop"));
    ASSERT_TRUE(dealer.SaveCurrentUnderParent(typical.asia));
    CCorvantView& list = FocusFirstRow(At({"Asia"}));
    ASSERT_NE(list.GetFocusedElement(), nullptr);
    Run(kGoToWebPage);
    SetBrowserOpener(previous);
    EXPECT_EQ(opened, (std::vector<std::string>{"http://numismatik.example/shop"}));
}

TEST_F(FrameActionsTest, AWebViewOfTheRangeBecomesTheDataFilesDefault)
{
    SelectInTree(&frame->GetRootElement());
    EXPECT_TRUE(Run(kFirstWebView)); // no item set: nothing happens
    EXPECT_EQ(GetSettingInt("WebViewIs", 0), 0);

    SelectInTree(At({"Europe", "Germany"}));
    ASSERT_TRUE(Run(kFirstWebView + 1)); // the summary layout is not counted
    EXPECT_EQ(GetSettingInt("WebViewIs", 0), 1);
    CCatalogueDb catalogue(typical.path);
    EXPECT_EQ(catalogue.GetDefaultTemplate(1).value_or(""), "Plain");
    ASSERT_TRUE(Run(kWebViewNone));
    EXPECT_EQ(GetSettingInt("WebViewIs", 1), 0);
}

// A menu as its items read back: the label, "*" when checked, "~" when greyed, "-" for a separator, the
// popup's items in brackets.
std::vector<std::string> Describe(const wxMenu& menu)
{
    std::vector<std::string> items;
    for (const wxMenuItem* item : menu.GetMenuItems()) {
        if (item->IsSeparator()) {
            items.push_back("-");
            continue;
        }
        std::string text = item->GetItemLabelText().utf8_string();
        if (item->IsCheckable() && item->IsChecked()) {
            text += " *";
        }
        if (!item->IsEnabled()) {
            text += " ~";
        }
        if (item->GetSubMenu() != nullptr) {
            text += " [";
            for (const std::string& inner : Describe(*item->GetSubMenu())) {
                text += inner + ";";
            }
            text += "]";
        }
        items.push_back(text);
    }
    return items;
}

TEST_F(FrameActionsTest, TheViewMenusListTheSelectedElementsWebViews)
{
    SelectInTree(At({"Europe", "Germany"}));
    ASSERT_TRUE(Run(kFirstWebView + 1)); // Plain becomes the data file's view, "WebViewIs" is set
    SetSettingString("ListIs", "LIST");
    CFrameCommands& commands = *frame->GetCommands();

    const std::unique_ptr<wxMenu> button = commands.BuildDropDownMenu(kCycleView);
    ASSERT_NE(button, nullptr);
    // Menus ask the frame for their state as they open: the styles shown with a picture take no mark.
    button->UpdateUI(frame);
    EXPECT_EQ(Describe(*button),
              (std::vector<std::string>{"Large Icons", "Small Icons", "List *", "Details",
                                        "Web Views [Gallery;Plain *;-;Manage Web Views;]"}));
    EXPECT_EQ(BCMenu::CommandOf(button->FindItemByPosition(2)->GetId()), kListStyle);
    const wxMenu* inner = button->FindItemByPosition(4)->GetSubMenu();
    EXPECT_EQ(inner->FindItemByPosition(1)->GetId(), kFirstWebView + 1);
    EXPECT_EQ(BCMenu::CommandOf(inner->FindItemByPosition(3)->GetId()), kManageWebViews);

    wxMenu& web = *frame->GetMenuBar()->GetMenu(3);
    commands.PrepareWebViewMenu(web);
    commands.PrepareWebViewMenu(web); // opened twice: the views are not listed twice
    web.UpdateUI(frame);
    EXPECT_EQ(Describe(web),
              (std::vector<std::string>{"none", "Gallery", "Plain *", "-", "Manage Web Views"}));

    // The root has no item set, so no web view: the placeholder comes back and the popup is greyed.
    SelectInTree(&frame->GetRootElement());
    commands.PrepareWebViewMenu(web);
    web.UpdateUI(frame);
    ASSERT_EQ(web.GetMenuItemCount(), 4u);
    EXPECT_EQ(BCMenu::CommandOf(web.FindItemByPosition(1)->GetId()), kNoWebViews);
    EXPECT_FALSE(web.FindItemByPosition(1)->IsEnabled());
    EXPECT_EQ(Describe(*commands.BuildDropDownMenu(kCycleView)).back(), "Web Views ~ [Manage Web Views;]");
    EXPECT_EQ(commands.BuildDropDownMenu(kRefresh), nullptr);
}

TEST_F(FrameActionsTest, BackupThenRestoreThroughTheChooserGivesTheDataBack)
{
    SetBackupDir(MakeTempFolder("backups").string());
    const std::string name = Coins()->GetName();
    WhenShown([name](wxDialog& dialog) {
        Screenshot(dialog, "frame-backup-chooser");
        Choose(dialog, 1014, wxString::FromUTF8(name));
        Click(dialog, wxID_OK);
    });
    ASSERT_TRUE(Run(kBackup));
    // After the backup the coin of France moves to Germany.
    FocusFirstRow(At({"Europe", "France"}));
    Run(kCut);
    SelectInTree(At({"Europe", "Germany"}));
    Run(kPaste);
    ASSERT_TRUE(StoredCoins(typical.france).empty());

    WhenShown([name](wxDialog& dialog) {
        Choose(dialog, 1014, wxString::FromUTF8(name));
        Click(dialog, wxID_OK);
    });
    ASSERT_TRUE(Run(kRestore));
    RunEvents(50);
    EXPECT_EQ(StoredCoins(typical.france), (std::vector<std::string>{"Franc"}));
    ASSERT_NE(Coins(), nullptr);
    EXPECT_NE(Coins()->GetCatalogue(), nullptr);
}

TEST_F(FrameActionsTest, TabCyclesTreeListAndAddressBar)
{
    SelectInTree(At({"Europe", "France"}));
    frame->GetAddressBand()->Show();
    frame->Layout();
    Run(kCycleFocus);
    RunEvents(20);
    EXPECT_EQ(frame->GetFocusedPane(), 2);
    Run(kCycleFocusBack);
    RunEvents(20);
    EXPECT_EQ(frame->GetFocusedPane(), 1);
    Run(kCycleFocusBack);
    RunEvents(20);
    wxWindow* focus = wxWindow::FindFocus();
    bool inAddress = false;
    for (wxWindow* w = focus; w != nullptr; w = w->GetParent()) {
        inAddress = inAddress || w == static_cast<wxWindow*>(frame->GetAddressBar());
    }
    EXPECT_TRUE(inAddress);
}

} // namespace
