#include "mainwindow/commands/FrameCommands.h"

#include "mainwindow/MainFrame.h"
#include "mainwindow/commands/CommandIds.h"
#include "mainwindow/commands/ElementCommands.h"
#include "mainwindow/commands/FrameMenu.h"
#include "mainwindow/commands/FrameSubsystems.h"
#include "mainwindow/commands/FrameToolBar.h"
#include "mainwindow/commands/PasteItems.h"
#include "mainwindow/common/ContextHelp.h"
#include "mainwindow/common/ProgramPictures.h"
#include "mainwindow/dialogs/AboutDlg.h"
#include "mainwindow/dialogs/CatalogueChooser.h"
#include "mainwindow/dialogs/ManageWebViewsDlg.h"
#include "mainwindow/dialogs/OptionsSheet.h"
#include "mainwindow/dialogs/QuickSearchDlg.h"
#include "mainwindow/dialogs/SortOrderDlg.h"
#include "mainwindow/menus/BCMenu.h"
#include "mainwindow/panes/MainSplitter.h"
#include "mainwindow/panes/ParentView.h"
#include "mainwindow/panes/StatusPanes.h"
#include "mainwindow/panes/address/AddressCombo.h"
#include "mainwindow/panes/address/NavHistory.h"
#include "mainwindow/panes/list/CorvantView.h"
#include "mainwindow/panes/tree/LeftView.h"
#include "mainwindow/placement/FieldChooserDlg.h"
#include "mainwindow/startup/TipDlg.h"
#include "mainwindow/webview/BrowserModule.h"
#include "mainwindow/webview/WebCommands.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/WaitCursor.h"
#include "platform/ui/WxClipboardWatch.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/definitions/DataFileDef.h"
#include "store/program/ProductLaunch.h"
#include "store/program/Settings.h"
#include "store/records/FolderRecord.h"
#include "store/records/ItemSet.h"
#include "tree/base/TreeNode.h"
#include "tree/catalogue/CatalogueNode.h"
#include "tree/menus/FileMenuItems.h"
#include "tree/records/DeleteSelectedItems.h"

#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/toolbar.h>
#include <wx/treectrl.h>
#include <wx/utils.h>

using namespace frame_command;

namespace {

constexpr unsigned kErrorTitle = 20552;
constexpr unsigned kNoTelephoneType =
    33130; // "You must select a data type in the list box to be able to telephone"
constexpr unsigned kSelectAnItem = 223;
constexpr unsigned kImportFilter = 234; // "All Files |*.*||"
// The update-UI events come on every idle turn; the clipboard is asked at most this often.
constexpr long kPasteStateMs = 500;

void ShowError(unsigned textId)
{
    platform::ui::ShowMessage(LoadResString(textId), LoadResString(kErrorTitle),
                              platform::ui::kMbOk | platform::ui::kMbIconError);
}

// The filter of the import's file dialog: the string's bars are the separators.
wxString ImportFilter()
{
    std::string filter = LoadResString(kImportFilter);
    while (!filter.empty() && filter.back() == '|') {
        filter.pop_back();
    }
    return wxString::FromUTF8(filter);
}

CCorvantView* ListOf(CMainFrame& frame)
{
    return dynamic_cast<CCorvantView*>(frame.GetListView());
}

ListViewStyle StyleOfWord(const std::string& word)
{
    if (word == "LARGE") {
        return ListViewStyle::Large;
    }
    if (word == "SMALL") {
        return ListViewStyle::Small;
    }
    if (word == "LIST") {
        return ListViewStyle::List;
    }
    return ListViewStyle::Report;
}

} // namespace

CFrameCommands::CFrameCommands(CMainFrame& frame) : m_frame(frame)
{
    const bool find = frame.GetMode() == StartMode::kFind;
    frame.SetMenuBar(BuildFrameMenu(find));
    frame.SetAcceleratorTable(LoadAcceleratorTable(find ? "130" : "129"));
    m_toolBar = SetUpToolBar(frame);
    if (find) {
        m_toolBar->Hide();
    }
    frame.Bind(wxEVT_MENU, &CFrameCommands::OnMenu, this);
    frame.Bind(wxEVT_UPDATE_UI, &CFrameCommands::OnUpdateUI, this);
    frame.Bind(wxEVT_MENU_OPEN, &CFrameCommands::OnMenuOpen, this);
    frame.Bind(wxEVT_TOOL_DROPDOWN, &CFrameCommands::OnToolDropDown, this);
    // Looked at once the toolkit is done with the change; a handler that is gone drops the call.
    m_clipboardWatch = std::make_unique<platform::ui::ClipboardWatch>(
        [this] { CallAfter(&CFrameCommands::ClipboardChanged); });
}

CFrameCommands::~CFrameCommands()
{
    m_frame.Unbind(wxEVT_MENU, &CFrameCommands::OnMenu, this);
    m_frame.Unbind(wxEVT_UPDATE_UI, &CFrameCommands::OnUpdateUI, this);
    m_frame.Unbind(wxEVT_MENU_OPEN, &CFrameCommands::OnMenuOpen, this);
    m_frame.Unbind(wxEVT_TOOL_DROPDOWN, &CFrameCommands::OnToolDropDown, this);
}

CommandContext CFrameCommands::Context() const
{
    CommandContext context;
    context.selected = m_frame.GetSelectedElement();
    CFrameListPane* list = m_frame.GetListView();
    context.shown = list != nullptr ? list->GetShownElement() : nullptr;
    context.listExists = list != nullptr;
    context.mode = m_frame.GetMode();
    context.searchRun = m_searchRun;
    return context;
}

void CFrameCommands::OnMenu(wxCommandEvent& event)
{
    if (!Run(BCMenu::CommandOf(event.GetId()))) {
        event.Skip();
    }
}

void CFrameCommands::OnUpdateUI(wxUpdateUIEvent& event)
{
    // Only the frame's menus and tool bar: the panes' own windows have ids of their own.
    wxObject* source = event.GetEventObject();
    if (dynamic_cast<wxMenu*>(source) == nullptr && source != m_toolBar) {
        event.Skip();
        return;
    }
    const int command = BCMenu::CommandOf(event.GetId());
    if (command >= kFirstBack && command <= kLastBack) {
        event.Enable(m_frame.GetNavHistory().CanGoBack());
        return;
    }
    if (command >= kFirstForward && command <= kLastForward) {
        event.Enable(m_frame.GetNavHistory().CanGoForward());
        return;
    }
    CommandState state = command == kPaste ? CommandState{} : CommandStateOf(command, Context());
    if (command == kPaste) {
        state.enabled = PasteEnabled();
    }
    if (command == kAddressBar && m_frame.GetAddressBand() != nullptr) {
        // The mark tells what the user sees: the band starts hidden while the setting is unset.
        state.check = m_frame.GetAddressBand()->IsShown() ? 1 : 0;
    }
    event.Enable(state.enabled);
    // A menu item that shows a picture instead of a mark (a list style other than the chosen one in the
    // View button's menu) takes no check.
    const auto* menu = dynamic_cast<wxMenu*>(source);
    const wxMenuItem* item = menu != nullptr ? menu->FindItem(event.GetId()) : nullptr;
    if (state.check >= 0 && (item == nullptr || item->IsCheckable())) {
        event.Check(state.check != 0);
    }
    if (!state.text.empty()) {
        event.SetText(wxString::FromUTF8(state.text));
    }
}

void CFrameCommands::OnMenuOpen(wxMenuEvent& event)
{
    event.Skip();
    wxMenuBar* bar = m_frame.GetMenuBar();
    wxMenu* menu = event.GetMenu();
    if (bar == nullptr || menu == nullptr || m_frame.GetMode() == StartMode::kFind) {
        return;
    }
    if (menu == bar->GetMenu(0)) {
        PrepareFileMenu(*menu);
    } else if (bar->GetMenuCount() > 3 && menu == bar->GetMenu(3)) {
        PrepareWebViewMenu(*menu);
    }
}

void CFrameCommands::PrepareFileMenu(wxMenu& file)
{
    if (file.GetMenuItemCount() == 0) {
        return;
    }
    wxMenuItem* first = file.FindItemByPosition(0);
    if (first->GetId() != kElementNew && !first->IsSubMenu()) {
        return;
    }
    CTreeNode* node = m_frame.GetSelectedElement();
    const bool newMenu = node != nullptr && !IsInViewOnlyCatalogue(*node) && !node->IsInWastebasket() &&
                         !node->IsWastebasket() && !node->IsWastebasketArea() && !node->IsRoot() &&
                         !node->IsOrderingNode() && !node->IsOrderingItem() && !node->IsShop() &&
                         node->GetCatalogueNode() != nullptr;
    file.Destroy(first);
    const wxString newText = wxString::FromUTF8(LoadResString(189));
    if (newMenu) {
        auto model = BuildNewMenu(*node);
        auto* popup = new BCMenu;
        if (model != nullptr) {
            popup->AppendNodeMenu(*model);
        }
        auto* item = new wxMenuItem(&file, wxID_ANY, newText, wxString(), wxITEM_NORMAL, popup);
        item->SetBitmap(ProgramPictureBundle(154));
        file.Insert(0, item);
    } else {
        file.Insert(0, kElementNew, newText);
    }
}

std::vector<std::string> CFrameCommands::SelectedWebViews() const
{
    CTreeNode* node = m_frame.GetSelectedElement();
    CCatalogueDb* catalogue = node != nullptr ? node->GetCatalogue() : nullptr;
    if (catalogue == nullptr || node->GetItemSet() == nullptr) {
        return {};
    }
    return ListWebViews(catalogue->GetWebTemplates(), node->GetKind());
}

void CFrameCommands::PrepareWebViewMenu(wxMenu& web)
{
    // "none" and the placeholder come from the menu's resource and stay; the rest is the selected
    // element's web view menu, built anew each time the menu opens.
    wxString placeholderText;
    for (size_t i = web.GetMenuItemCount(); i-- > 0;) {
        wxMenuItem* item = web.FindItemByPosition(i);
        const int command = BCMenu::CommandOf(item->GetId());
        if (command == kNoWebViews) {
            placeholderText = item->GetItemLabel();
        }
        if (command != kWebViewNone) {
            web.Destroy(item);
        }
    }
    WebViewMenu views(m_frame.GetSelectedElement(), SelectedWebViews());
    if (!views.HasWebViews()) {
        if (placeholderText.empty()) {
            placeholderText =
                wxString::FromUTF8("No web views have been defined use Manage web view to define them.");
        }
        web.Append(BCMenu::ItemIdOf(kNoWebViews), placeholderText)->Enable(false);
        web.AppendSeparator();
    }
    // The items move over as they are: wx rebuilds an item's toolkit widget when it is appended again, so
    // the check mark and the greying are set once more.
    while (views.GetMenuItemCount() > 0) {
        wxMenuItem* item = views.FindItemByPosition(0);
        const bool checked = item->IsCheckable() && item->IsChecked();
        const bool enabled = item->IsEnabled();
        web.Append(views.Remove(item));
        if (checked) {
            item->Check(false); // the item still remembers its mark and would skip telling the new widget
            item->Check(true);
        }
        item->Enable(enabled);
    }
}

std::unique_ptr<wxMenu> CFrameCommands::BuildDropDownMenu(int command)
{
    if (command == kCycleView) {
        return std::make_unique<WebViewPopupMenu>(m_frame.GetSelectedElement(), SelectedWebViews());
    }
    if (command == kFirstBack || command == kFirstForward) {
        auto menu = std::make_unique<wxMenu>();
        const auto items = command == kFirstBack ? m_frame.GetNavHistory().BackMenu()
                                                 : m_frame.GetNavHistory().ForwardMenu();
        for (const NavMenuItem& item : items) {
            menu->Append(item.id, wxString::FromUTF8(item.text));
        }
        return menu;
    }
    return nullptr;
}

void CFrameCommands::OnToolDropDown(wxCommandEvent& event)
{
    const std::unique_ptr<wxMenu> menu = BuildDropDownMenu(BCMenu::CommandOf(event.GetId()));
    if (menu == nullptr) {
        event.Skip();
        return;
    }
    if (menu->GetMenuItemCount() > 0 && m_toolBar != nullptr) {
        m_toolBar->PopupMenu(menu.get());
    }
}

bool CFrameCommands::GoInHistory(bool back, int index)
{
    CNavHistory& history = m_frame.GetNavHistory();
    if (back ? !history.CanGoBack() : !history.CanGoForward()) {
        return true;
    }
    const std::string path = back ? history.GoBack(index) : history.GoForward(index);
    if (CTreeNode* node = path.empty() ? nullptr : FindNodeByDisplayPath(m_frame.GetRootElement(), path)) {
        m_frame.SelectElement(node);
    }
    return true;
}

bool CFrameCommands::RunWebView(int index)
{
    CTreeNode* node = m_frame.GetSelectedElement();
    const std::vector<std::string> views = SelectedWebViews();
    if (index < 0 || static_cast<size_t>(index) >= views.size()) {
        return true;
    }
    SetSettingInt("WebViewIs", 1);
    node->GetCatalogue()->SetDefaultTemplate(node->GetKind(), views[static_cast<size_t>(index)]);
    if (ParentView* host = m_frame.GetParentView()) {
        host->SetWebChosen(true);
        host->LayoutViews();
    }
    if (CFrameWebPane* web = m_frame.GetWebView()) {
        web->ShowElement(node, false, true);
    }
    return true;
}

void CFrameCommands::SetListStyle(const char* word, bool cycle)
{
    std::string next = word;
    if (cycle) {
        next = NextListStyleWord(GetSettingString("ListIs", "REPORT"));
        if (next.empty()) {
            if (CCorvantView* list = ListOf(m_frame)) {
                list->SetViewStyle(ListViewStyle::Large);
            }
            return;
        }
    }
    SetSettingString("ListIs", next);
    if (CCorvantView* list = ListOf(m_frame)) {
        list->SetViewStyle(StyleOfWord(next));
    }
    if (ParentView* host = m_frame.GetParentView()) {
        host->LayoutViews();
    }
}

void CFrameCommands::ToggleSetting(const char* name, int fallback)
{
    SetSettingInt(name, GetSettingInt(name, fallback) != 0 ? 0 : 1);
}

void CFrameCommands::ShowBars()
{
    const bool find = m_frame.GetMode() == StartMode::kFind;
    if (m_toolBar != nullptr) {
        m_toolBar->Show(!find && GetSettingInt("ToolbarEnabled", 1) != 0);
    }
    if (wxWindow* status = m_frame.GetStatusBar()) {
        status->Show(GetSettingInt("StatusBarEnabled", 1) != 0);
    }
    if (wxWindow* band = m_frame.GetAddressBand()) {
        band->Show(!find && GetSettingInt("AddressVisible", 1) != 0);
    }
    if (CMainSplitter* splitter = m_frame.GetSplitter();
        splitter != nullptr && m_frame.GetLeftView() != nullptr) {
        const bool tree = GetSettingInt("TreePresent", 1) != 0;
        if (tree && splitter->HiddenColumn() >= 0) {
            splitter->ShowColumn();
        } else if (!tree && splitter->HiddenColumn() < 0) {
            splitter->HideColumn(0);
        }
    }
    m_frame.Layout();
    m_frame.SendSizeEvent();
}

void CFrameCommands::ApplyToPane(bool cut)
{
    CTreeNode* node = m_frame.GetSelectedElement();
    if (node == nullptr) {
        return;
    }
    // The clipboard then holds exactly what the user cut or copied now.
    ClearCutMarks();
    EmptyItemClipboard();
    CCorvantView* list = ListOf(m_frame);
    const bool fromList = list != nullptr && m_frame.GetFocusedPane() == 2;
    std::vector<std::pair<long, CTreeNode*>> elements{{-1, node}};
    if (fromList) {
        elements.clear();
        for (long row : list->GetSelectedRows()) {
            if (CTreeNode* element = list->ElementOfRow(row); element != nullptr && element->CanBeLinked()) {
                elements.emplace_back(row, element);
            }
        }
    }
    std::vector<long> cutRows;
    bool treeCut = false;
    for (const auto& [row, element] : elements) {
        if (!cut) {
            element->CopyToClipboard(false);
        } else if (element->CutToClipboard(false)) {
            cutRows.push_back(row);
            treeCut = !fromList;
        }
    }
    auto* tree = dynamic_cast<CLeftView*>(m_frame.GetLeftView());
    if (fromList && !cutRows.empty()) {
        list->MarkRowsCut(cutRows);
    } else if (treeCut && tree != nullptr) {
        tree->MarkCut(node);
    }
    if (!cutRows.empty()) {
        m_cutOnClipboard = MoveEntriesOnClipboard();
        m_hasCutMarks = true;
    }
    m_pasteChecked = -1;
}

void CFrameCommands::ClearCutMarks()
{
    m_hasCutMarks = false;
    m_cutOnClipboard.clear();
    if (CCorvantView* list = ListOf(m_frame)) {
        list->ClearCutMarks();
    }
    if (auto* tree = dynamic_cast<CLeftView*>(m_frame.GetLeftView())) {
        tree->ClearCutMarks();
    }
}

std::string CFrameCommands::MoveEntriesOnClipboard()
{
    std::string entries;
    CClipboardAccess* clipboard = GetClipboardAccess();
    if (clipboard == nullptr) {
        return entries;
    }
    for (std::string_view format : kClipboardMoveFormats) {
        entries.append(format).push_back('\n');
        if (const auto data = clipboard->GetData(format)) {
            entries.append(reinterpret_cast<const char*>(data->data()), data->size());
        }
    }
    return entries;
}

void CFrameCommands::ClipboardChanged()
{
    // What was cut stays marked only while the clipboard still holds those very entries.
    if (m_hasCutMarks && MoveEntriesOnClipboard() != m_cutOnClipboard) {
        ClearCutMarks();
    }
}

CTreeNode* CFrameCommands::PasteTarget() const
{
    CCorvantView* list = ListOf(m_frame);
    if (list != nullptr && m_frame.GetFocusedPane() == 2) {
        return list->GetShownElement();
    }
    return m_frame.GetSelectedElement();
}

void CFrameCommands::Paste()
{
    CTreeNode* target = PasteTarget();
    if (target == nullptr) {
        return;
    }
    const platform::ui::WaitCursor wait;
    if (PasteInto(*target)) {
        ClearCutMarks();
        m_frame.ReloadViews(true);
    }
    m_pasteChecked = -1;
}

bool CFrameCommands::PasteEnabled()
{
    // Reading the clipboard is a round trip to the display: the answer is kept for a moment.
    CTreeNode* target = PasteTarget();
    const long now = static_cast<long>(wxGetLocalTimeMillis().GetValue() % 1000000000);
    if (m_pasteChecked >= 0 && target == m_pasteTarget && now - m_pasteChecked >= 0 &&
        now - m_pasteChecked < kPasteStateMs) {
        return m_pasteEnabled;
    }
    CommandContext context = Context();
    context.selected = target;
    m_pasteEnabled = CommandStateOf(kPaste, context).enabled;
    m_pasteTarget = target;
    m_pasteChecked = now;
    return m_pasteEnabled;
}

void CFrameCommands::CycleFocus(bool back)
{
    // Tree, list, address bar, round again; hidden panes are skipped.
    CCorvantView* list = ListOf(m_frame);
    wxWindow* tree = m_frame.GetLeftView() != nullptr ? m_frame.GetLeftView()->GetWindow() : nullptr;
    wxWindow* address = m_frame.GetAddressBar();
    std::vector<wxWindow*> ring{tree, list, address};
    const int focused = m_frame.GetFocusedPane();
    size_t from = 0;
    if (focused == 2) {
        from = 1;
    } else if (focused != 1) {
        wxWindow* focus = wxWindow::FindFocus();
        for (wxWindow* w = focus; w != nullptr; w = w->GetParent()) {
            if (w == address) {
                from = 2;
                break;
            }
        }
    }
    for (size_t step = 1; step <= ring.size(); ++step) {
        const size_t at = back ? (from + ring.size() * 2 - step) % ring.size() : (from + step) % ring.size();
        wxWindow* next = ring[at];
        if (next == nullptr || !next->IsShownOnScreen()) {
            continue;
        }
        if (next == list && list->GetItemCount() > 0 && list->GetSelectedItemCount() == 0) {
            list->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                               wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        }
        next->SetFocus();
        return;
    }
}

CTreeNode* CFrameCommands::ListFocusedRecord() const
{
    CCorvantView* list = ListOf(m_frame);
    CTreeNode* element = list != nullptr ? list->GetFocusedElement() : nullptr;
    return element != nullptr && element->IsRecord() && !element->IsAddNew() ? element : nullptr;
}

void CFrameCommands::GoToWebPage()
{
    CTreeNode* record = ListFocusedRecord();
    CItemSet* set = record != nullptr ? record->GetItemSet() : nullptr;
    if (set == nullptr || set->GetCurrent() == nullptr) {
        ShowError(kSelectAnItem);
        return;
    }
    const std::string address = RecordWebAddress(*set);
    if (!address.empty()) {
        OpenInUsersBrowser(address);
    }
}

void CFrameCommands::ShiftFolder(CTreeNode* node, bool up)
{
    if (node == nullptr || !::ShiftFolder(*node, up)) {
        return;
    }
    // Every window reads the catalogue again and shows the folders in their new order.
    if (CTreeNode* catalogue = node->GetCatalogueNode()) {
        catalogue->SendUnload();
    }
}

void CFrameCommands::SwitchIcons(CTreeNode* node)
{
    if (node == nullptr || !SwitchDataFileIcons(*node)) {
        return;
    }
    if (CFrameListPane* list = m_frame.GetListView()) {
        list->Refill();
    }
    m_frame.SelectElement(node);
}

void CFrameCommands::ImportFile(CTreeNode* node)
{
    auto* tree = m_frame.GetLeftView() != nullptr
                     ? dynamic_cast<CLeftView*>(m_frame.GetLeftView()->GetWindow())
                     : nullptr;
    if (tree == nullptr || node == nullptr) {
        return;
    }
    wxFileDialog dialog(&m_frame, wxFileSelectorPromptStr, wxEmptyString, wxEmptyString, ImportFilter(),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) {
        return;
    }
    tree->SelectNode(node);
    tree->ImportDroppedFile(dialog.GetPath().utf8_string());
}

void CFrameCommands::OpenFocused()
{
    CCorvantView* list = ListOf(m_frame);
    CTreeNode* element = list != nullptr ? list->GetFocusedElement() : nullptr;
    if (element == nullptr) {
        return;
    }
    // A record row is the list's own node: it stays where it is and opens; other elements are found in
    // the tree and selected there first.
    if (!element->IsRecord()) {
        m_frame.SelectElement(element);
    }
    CTreeControl* tree = m_frame.GetLeftView() != nullptr && !element->IsRecord()
                             ? &m_frame.GetLeftView()->GetTreeControl()
                             : nullptr;
    element->Open(tree);
}

bool CFrameCommands::RunElementCommand(int command, CTreeNode* node)
{
    const FrameSubsystem which = SubsystemOfCommand(command, node);
    if (which != FrameSubsystem::kCount) {
        if (CFrameSubsystem* subsystem = GetFrameSubsystem(which)) {
            subsystem->RunCommand(&m_frame, command, node);
        }
        return true;
    }
    return false;
}

bool CFrameCommands::Run(int command)
{
    if (command >= kFirstBack && command <= kLastBack) {
        return GoInHistory(true, command - kFirstBack);
    }
    if (command >= kFirstForward && command <= kLastForward) {
        return GoInHistory(false, command - kFirstForward);
    }
    if (command >= kFirstWebView && command <= kLastWebView) {
        return RunWebView(command - kFirstWebView);
    }
    if (command >= kSmallIcons && command <= kDetails) {
        SetListStyle(ListStyleWordOf(command), false);
        return true;
    }
    CTreeNode* node = m_frame.GetSelectedElement();
    // A command whose rule says no does nothing, whichever way it came (accelerator, tool, page link).
    if (!CommandStateOf(command, Context()).enabled && command != kElementNew) {
        return SubsystemOfCommand(command, node) != FrameSubsystem::kCount ||
               (command >= 1000 && command != kCycleFocus);
    }
    if (RunElementCommand(command, node)) {
        return true;
    }
    CCorvantView* list = ListOf(m_frame);
    const bool listFocused = m_frame.GetFocusedPane() == 2;
    if (command >= kFirstNewOfKind && command <= kLastNewOfKind) {
        CTreeNode* target = node == nullptr ? nullptr : node->IsContainer() ? node : node->GetCatalogueNode();
        if (target != nullptr) {
            target->OpenEntryById(command - kFirstNewOfKind, nullptr);
        }
        return true;
    }
    switch (command) {
    case kElementNew:
        if (node != nullptr && (node->IsWastebasket() || node->IsWastebasketArea())) {
            const platform::ui::WaitCursor wait;
            node->PurgeDeleted();
            m_frame.ReloadViews(true);
        }
        return true;
    case kDelete:
        if (node == nullptr) {
            return true;
        }
        if (listFocused && list != nullptr) {
            list->DeleteSelectedRows();
        } else {
            node->Delete(nullptr, false);
        }
        m_frame.ReloadViews(true);
        return true;
    case kRename:
        if (listFocused && list != nullptr) {
            list->EditRowLabel(node);
        } else if (auto* tree = m_frame.GetLeftView() != nullptr
                                    ? dynamic_cast<wxTreeCtrl*>(m_frame.GetLeftView()->GetWindow())
                                    : nullptr) {
            tree->EditLabel(tree->GetSelection());
        }
        return true;
    case kProperties:
        if (node != nullptr) {
            node->ShowProperties(nullptr, 0);
        }
        return true;
    case kExit:
        m_frame.SaveState();
        m_frame.Close(true);
        return true;
    case kCut:
    case kCopy:
        ApplyToPane(command == kCut);
        return true;
    case kPaste:
        Paste();
        return true;
    case kDuplicate:
        if (listFocused && list != nullptr) {
            if (std::unique_ptr<CItemSet> rows = list->CollectSelection();
                rows != nullptr && rows->GetCount() > 0) {
                DuplicateRecords(*rows);
            }
        } else if (node != nullptr && node->GetItemSet() != nullptr) {
            CItemSet one = CItemSet::CopyOfCurrent(*node->GetItemSet());
            DuplicateRecords(one);
        }
        m_frame.ReloadViews(true);
        return true;
    case kTelephone:
        if (ListFocusedRecord() == nullptr) {
            ShowError(kNoTelephoneType);
        } else {
            list->OpenTelephoneTo();
        }
        return true;
    case kGoToWebPage:
        GoToWebPage();
        return true;
    case kShiftUp:
    case kShiftDown:
        ShiftFolder(node, command == kShiftUp);
        return true;
    case kIconsN:
    case kIconsN1:
        SwitchIcons(m_frame.GetLeftView() != nullptr ? m_frame.GetLeftView()->GetSelectedNode() : node);
        return true;
    case kHelp:
        ShowHelpContents(&m_frame, "px");
        return true;
    case kOrderIt:
        OrderFocusedItem(ListFocusedRecord() != nullptr ? ListFocusedRecord() : node, &m_frame);
        return true;
    case kCycleFocus:
    case kCycleFocusBack:
        CycleFocus(command == kCycleFocusBack);
        return true;
    case kNewFolder:
        if (auto* catalogue =
                node != nullptr ? dynamic_cast<CCatalogueNode*>(node->GetCatalogueNode()) : nullptr) {
            const platform::ui::WaitCursor wait;
            catalogue->NewFolder();
        }
        return true;
    case kImportFile:
        ImportFile(m_frame.GetLeftView() != nullptr ? m_frame.GetLeftView()->GetSelectedNode() : nullptr);
        return true;
    case kOpenFocused:
        OpenFocused();
        return true;
    case kSelectAll:
        if (list != nullptr) {
            list->SelectAllRows();
        }
        return true;
    case kInvertSelection:
        if (list != nullptr) {
            for (long row = 0; row < list->GetItemCount(); ++row) {
                const bool selected = list->GetItemState(row, wxLIST_STATE_SELECTED) != 0;
                list->SetItemState(row, selected ? 0 : wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
            }
        }
        return true;
    case kCycleView:
        SetListStyle("", true);
        return true;
    case kUp:
        if (node != nullptr && !node->IsRoot() && node->GetParentNode() != nullptr) {
            m_frame.SelectElement(node->GetParentNode());
        }
        return true;
    case kToolbar:
        ToggleSetting("ToolbarEnabled", 1);
        ShowBars();
        return true;
    case kStatusBar:
        ToggleSetting("StatusBarEnabled", 1);
        ShowBars();
        return true;
    case kAddressBar: {
        wxWindow* band = m_frame.GetAddressBand();
        SetSettingInt("AddressVisible", band != nullptr && band->IsShown() ? 0 : 1);
        ShowBars();
        return true;
    }
    case kButtonsText:
        ToggleSetting("TextButtonEnabled", 1);
        if (m_toolBar != nullptr) {
            SizeToolBarButtons(*m_toolBar);
        }
        return true;
    case kExplorerBar:
        ToggleSetting("TreePresent", 1);
        ShowBars();
        return true;
    case kAsWebPage:
        ToggleSetting("DisplayAsWebPage", 1);
        if (ParentView* host = m_frame.GetParentView()) {
            host->LayoutViews();
        }
        return true;
    case kRefresh:
        m_frame.ReloadViews(true);
        return true;
    case kArrangeByName:
    case kArrangeByCreation:
    case kArrangeByModification: {
        CTreeNode* shown = list != nullptr ? list->GetShownElement() : nullptr;
        if (CItemSet* set = shown != nullptr ? shown->GetItemSet() : nullptr) {
            if (command == kArrangeByName) {
                set->SortByName(true);
            } else if (command == kArrangeByCreation) {
                set->SortByCreationTime(true);
            } else {
                set->SortByModificationTime(true);
            }
            list->Refill();
        }
        return true;
    }
    case kArrangeAdvanced: {
        CTreeNode* shown = list != nullptr ? list->GetShownElement() : nullptr;
        CItemSet* set = shown != nullptr ? shown->GetItemSet() : nullptr;
        if (set != nullptr && shown->GetCatalogue() != nullptr) {
            std::string clause;
            if (RunSortOrderDlg(&m_frame, *shown->GetCatalogue(), shown->GetKind(), clause) == 1) {
                if (CFolderRecord* folder = shown->GetFolderRecord()) {
                    folder->SetOrdered(clause);
                }
                set->MarkUnloaded();
                list->Refill();
            }
        }
        return true;
    }
    case kWebViewNone:
        SetSettingInt("WebViewIs", 0);
        if (ParentView* host = m_frame.GetParentView()) {
            host->SetWebChosen(false);
            host->LayoutViews();
        }
        m_frame.ReloadViews(true);
        return true;
    case kManageWebViews:
        if (node != nullptr && node->GetCatalogue() != nullptr) {
            CManageWebViewsDlg dialog(&m_frame, *node->GetCatalogue(), node->GetKind(), node);
            dialog.ShowModal();
        }
        return true;
    case kAdvancedFind:
        LaunchProductExe("Find");
        return true;
    case kQuickSearch:
        if (CCatalogueDb* catalogue = node != nullptr ? node->GetCatalogue() : nullptr) {
            std::string text;
            int dataFile = 0;
            if (RunQuickSearchDlg(&m_frame, *catalogue, text, dataFile)) {
                const platform::ui::WaitCursor wait;
                m_frame.QuickSearch(*node, text, dataFile);
            }
        }
        return true;
    case kFieldChooser:
        if (CCatalogueDb* catalogue = node != nullptr ? node->GetCatalogue() : nullptr) {
            catalogue->LoadDefinitionsIfNeeded();
            // The catalogue's own definition: the chooser changes it only on Done, then it is written.
            CDataFileDef* definition = catalogue->FindDefinition(node->GetKind());
            if (definition != nullptr && RunFieldChooserDlg(&m_frame, *definition) == 1) {
                definition->BuildDefinitionTree();
                definition->SaveDefinitionTree();
                if (list != nullptr) {
                    list->Refill();
                }
            }
        }
        return true;
    case kOptions:
        ShowOptionsSheet(&m_frame, &m_frame.GetRootElement());
        return true;
    case kBackup:
        BackupChosenCatalogue(&m_frame, &m_frame.GetRootElement());
        return true;
    case kRestore:
        RestoreChosenCatalogue(&m_frame, &m_frame.GetRootElement());
        return true;
    case kCreateShortcut:
        if (node != nullptr) {
            node->CreateShortcut(0);
        }
        return true;
    case kTipOfTheDay: {
        CTipDlg tip(&m_frame);
        tip.ShowNextTip();
        tip.ShowModal();
        return true;
    }
    case kRestartTraining:
        SetSettingString("ShowTraining", "TRUE");
        SetSettingInt("TrainingLesson", 1);
        ShowTrainingLesson(&m_frame);
        return true;
    case kAbout:
        ShowAboutBox(&m_frame);
        return true;
    case kHomePage:
        wxLaunchDefaultBrowser(
            wxString::FromUTF8(GetSettingString("ProductWebSite", "https://lumarc.example.org/")));
        return true;
    case kOpen:
        if (node != nullptr) {
            node->Open(nullptr);
        }
        return true;
    case kSelectedChild:
        if (node != nullptr) {
            for (CTreeNode* child = node->GetFirstChildNode(); child != nullptr;
                 child = child->GetNextSiblingNode()) {
                if (child->GetAttributeBool("Selected")) {
                    m_frame.SelectElement(child);
                    break;
                }
            }
        }
        return true;
    case kNewItemList:
        if (node != nullptr && !node->IsRoot()) {
            node->NewItemList();
        }
        return true;
    case kCollapse:
        if (node != nullptr) {
            node->Collapse(m_frame.GetLeftView() != nullptr ? &m_frame.GetLeftView()->GetTreeControl()
                                                            : nullptr);
        }
        return true;
    case 103:
    case 320:
    case 321:
    case 322:
    case 323:
    case 1060:
    case 2069:
    case 32180:
        // The find pane's own pages. The search, a new search and saving it (317 to 319) go on to the
        // frame, which runs them through the pane.
        if (wxWindow* find = m_frame.GetFindView()) {
            wxCommandEvent forward(wxEVT_MENU, command);
            forward.SetEventObject(&m_frame);
            find->GetEventHandler()->ProcessEvent(forward);
        }
        return true;
    default:
        return false;
    }
}
