#include "mainwindow/MainFrame.h"

#include "codecs/archive/UnzipOperation.h"
#include "codecs/archive/ZipException.h"
#include "mainwindow/commands/FrameCommands.h"
#include "mainwindow/common/ContextHelp.h"
#include "mainwindow/common/WaitWindow.h"
#include "mainwindow/find/FindCommands.h"
#include "mainwindow/find/FindView.h"
#include "mainwindow/frame/FrameState.h"
#include "mainwindow/menus/BCMenu.h"
#include "mainwindow/panes/MainSplitter.h"
#include "mainwindow/panes/ParentView.h"
#include "mainwindow/panes/StatusPanes.h"
#include "mainwindow/panes/address/AddressCombo.h"
#include "mainwindow/panes/address/NavHistory.h"
#include "mainwindow/startup/OwnWindowClasses.h"
#include "mainwindow/startup/SplashWindow.h"
#include "mainwindow/startup/TipDlg.h"
#include "mainwindow/webview/BrowserModule.h"
#include "platform/ui/Broadcaster.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/WaitCursor.h"
#include "platform/ui/WxBroadcast.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Broadcasts.h"
#include "store/program/FirstStart.h"
#include "store/program/Settings.h"
#include "store/program/StockFiles.h"
#include "store/program/TraceLog.h"
#include "store/records/ItemSet.h"
#include "store/records/WaitWindow.h"
#include "store/regional/TextUtilities.h"
#include "tree/base/BaseItemNode.h"
#include "tree/catalogue/CatalogueNode.h"
#include "tree/menus/NodeMenu.h"
#include "tree/queries/QueryNodes.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

#include <wx/display.h>

#include <ctime>
#include <strings.h>

namespace {

CMainFrame* g_mainFrame = nullptr;

// The seconds from 1970 to 25 December 1998: installation numbers count from then.
constexpr long kInstallationEpoch = 914544000;

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error)) {
        return true;
    }
    // A file that is gone can still be named: then the names decide.
    return a.lexically_normal() == b.lexically_normal();
}

// A zipped catalogue is unpacked beside itself under a name no file has yet.
std::filesystem::path UnzipCatalogue(const std::filesystem::path& zipped)
{
    std::filesystem::path target = zipped;
    target.replace_extension(".ctg");
    for (int n = 2; std::filesystem::exists(target); ++n) {
        target = zipped.parent_path() / (zipped.stem().string() + " (" + std::to_string(n) + ").ctg");
    }
    ShowWaitWindow();
    try {
        CUnzipOperation(zipped).Run(target);
    } catch (const CZipException& error) {
        CloseWaitWindow();
        platform::ui::ShowMessage(error.what(), "Error", platform::ui::kMbOk | platform::ui::kMbIconError);
        return {};
    }
    CloseWaitWindow();
    return target;
}

} // namespace

CMainFrame* GetMainFrame()
{
    return g_mainFrame;
}

CMainFrame::CMainFrame(std::vector<std::string> arguments)
    : m_arguments(std::move(arguments)), m_root(std::make_unique<CBaseItemNode>()),
      m_history(std::make_unique<CNavHistory>())
{
    if (GetSettingInt("UID", 0) == 0) {
        SetSettingLong("UID", static_cast<long>(std::time(nullptr)) - kInstallationEpoch);
    }
    g_mainFrame = this;
}

CMainFrame::~CMainFrame()
{
    m_commands.reset();
    // The panes are gone (wx destroys the children first); the elements go with the root.
    m_current = nullptr;
    m_quickQuery.reset();
    m_root.reset();
    if (g_mainFrame == this) {
        g_mainFrame = nullptr;
    }
}

bool CMainFrame::Create()
{
    if (!wxFrame::Create(nullptr, wxID_ANY, LoadResString(128).substr(0, LoadResString(128).find('\n')))) {
        return false;
    }
    RegisterOwnWindowClasses();
    if (!SetStartMode()) {
        return false;
    }
    // The first start: the sample catalogue becomes the user's first catalogue.
    if (const SampleInstallResult result = InstallSampleCatalogue(GetStockSampleCatalogue());
        result.outcome == SampleInstallResult::Outcome::Failed) {
        platform::ui::ShowMessage(result.message, "Error",
                                  platform::ui::kMbOk | platform::ui::kMbIconWarning);
    }
    if (m_mode != StartMode::kFind) {
        OpenRegisteredCatalogues();
    }
    if (!CreateClient()) {
        return false;
    }
    m_status = new CStatusPanes(this);
    SetStatusBar(m_status);
    m_status->Show(GetSettingInt("StatusBarEnabled", 1) != 0);
    // ---- the commands: menu bar, tool bar, accelerators and their routing ----
    m_commands = std::make_unique<CFrameCommands>(*this);
    if (m_mode == StartMode::kFind) {
        SetTitle(LoadResString(138));
    }
    m_reloadAndDisplay = platform::ui::RegisterWindowMessage("FC_reloadAndDisplay");
    Bind(platform::ui::EVT_REGISTERED_MESSAGE, &CMainFrame::OnRegisteredMessage, this);
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
    Bind(wxEVT_ACTIVATE, &CMainFrame::OnActivate, this);
    if (m_mode == StartMode::kFind) {
        Bind(wxEVT_MENU, &CMainFrame::OnFindCommand, this, 317, 319);
    }
    m_helpHook = std::make_unique<CDialogHelpHook>(this);
    PlaceWindow();
    if (m_mode != StartMode::kOpen && m_mode != StartMode::kFind) {
        if (GetSettingBool("ShowTraining", true)) {
            // Modeless: the user works beside the lesson.
            ShowTrainingLesson(this);
        } else if (GetSettingInt("Tips", 1) != 0) {
            CallAfter([this] {
                CTipDlg tip(this);
                tip.ShowNextTip();
                tip.ShowModal();
            });
        }
    }
    // Shown before the state is restored: the web view draws only what it shows on the screen.
    Show();
    ShowSplashScreen(this, [this] { return m_stateRestored; });
    if (m_tree != nullptr) {
        // The tree pane restores the state when it is first filled.
        m_tree->FillTree(*m_root);
    } else {
        RestoreState();
    }
    DebugLogString("main frame created");
    return true;
}

bool CMainFrame::SetStartMode()
{
    const CommandLineWords words = SplitCommandLine(LastParameter(m_arguments));
    m_modeWord = words.mode;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        m_fields[i] = words.words[i].substr(0, 260);
    }
    m_mode = StartModeOfWord(m_modeWord);
    if (m_mode == StartMode::kUnknown) {
        platform::ui::ShowMessage(LoadResString(33114), LoadResString(20552),
                                  platform::ui::kMbOk | platform::ui::kMbIconError);
        return false;
    }
    if (m_mode == StartMode::kFrome) {
        RegisterFromFrome();
        m_mode = StartMode::kList;
        m_modeWord = "List";
    }
    m_root->SetAttribute("viewType", m_modeWord.empty() ? "Normal" : m_modeWord);
    return true;
}

void CMainFrame::RegisterFromFrome()
{
    std::filesystem::path file = m_fields[0];
    std::error_code error;
    if (file.string().find(".zipctg") != std::string::npos && std::filesystem::exists(file, error)) {
        file = UnzipCatalogue(file);
    }
    if (file.empty() || !std::filesystem::exists(file, error)) {
        return;
    }
    file = std::filesystem::absolute(file, error);
    const auto registered = ReadRegisteredCatalogues();
    const bool known = std::any_of(registered.begin(), registered.end(), [&](const std::string& path) {
        return !path.empty() && SameFile(path, file);
    });
    if (known) {
        return;
    }
    CCatalogueDb catalogue(file);
    if (!catalogue.IsOpen()) {
        platform::ui::ShowMessage("Unable To Open :" + file.string(), "Error",
                                  platform::ui::kMbOk | platform::ui::kMbIconError);
        return;
    }
    if (RegisterCatalogue(file.string()) < 0) {
        return;
    }
    catalogue.SetName(file.stem().string());
}

void CMainFrame::OpenRegisteredCatalogues()
{
    for (const std::string& path : ReadRegisteredCatalogues()) {
        if (path.empty()) {
            continue;
        }
        auto node = std::make_unique<CCatalogueNode>(std::filesystem::path(path));
        if (node->GetCatalogue() != nullptr && node->GetCatalogue()->IsOpen()) {
            m_root->AddChild(std::move(node));
            continue;
        }
        node.reset();
        char question[600];
        std::snprintf(question, sizeof question,
                      "Unable To Open :%s; Do you want to eliminate it from your environment?", path.c_str());
        if (platform::ui::ShowMessage(question, "Error",
                                      platform::ui::kMbYesNo | platform::ui::kMbIconQuestion) ==
            platform::ui::kIdYes) {
            UnregisterCatalogue(path);
        }
    }
}

bool CMainFrame::CreateClient()
{
    // The address band above the panes: "Address/Search" and the combo of the element tree.
    auto* band = new wxPanel(this);
    auto* bandSizer = new wxBoxSizer(wxHORIZONTAL);
    bandSizer->Add(new wxStaticText(band, wxID_ANY, wxString::FromUTF8(LoadResString(137))), 0,
                   wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 4);
    m_address = MakeAddressBar(band, *this);
    bandSizer->Add(m_address, 1, wxEXPAND | wxALL, 2);
    band->SetSizer(bandSizer);
    m_addressBand = band;
    m_splitter = new CMainSplitter(this);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(band, 0, wxEXPAND);
    sizer->Add(m_splitter, 1, wxEXPAND);
    SetSizer(sizer);
    band->Show(m_mode != StartMode::kFind && GetSettingInt("AddressVisible", 0) != 0);
    const FramePaneFactories& factories = GetFramePaneFactories();
    if (m_mode == StartMode::kFind) {
        OpenRegisteredCatalogues();
        m_find = factories.makeFind ? factories.makeFind(m_splitter, *this) : nullptr;
        wxWindow* top = m_find != nullptr ? m_find : new wxPanel(m_splitter);
        m_host = new ParentView(m_splitter, *this);
        m_splitter->SplitHorizontally(top, m_host, 400);
        m_splitter->HideRow(1);
        return true;
    }
    m_tree = factories.makeTree ? factories.makeTree(m_splitter, *this) : nullptr;
    if (m_tree != nullptr) {
        m_tree->SetAddressBar(m_address);
    }
    m_host = new ParentView(m_splitter, *this);
    if (m_tree != nullptr) {
        m_splitter->SplitVertically(m_tree->GetWindow(), m_host, ReadExplorerWidth());
        if (GetSettingInt("TreePresent", 1) == 0) {
            m_splitter->HideColumn(0);
        }
    } else {
        m_splitter->Initialize(m_host);
    }
    return true;
}

void CMainFrame::PlaceWindow()
{
    const FrameRect rect = ReadFrameRect(m_mode);
    wxRect place(rect.x, rect.y, rect.width, rect.height);
    // A window saved on a screen that is gone comes back onto the one there is.
    const int display = wxDisplay::GetFromPoint(place.GetTopLeft());
    const wxRect area = wxDisplay(display == wxNOT_FOUND ? 0 : display).GetClientArea();
    if (!area.Intersects(place)) {
        place.SetPosition(area.GetTopLeft());
    }
    SetSize(place);
}

// ---- the panes ------------------------------------------------------------------------------------------

CTreeNode& CMainFrame::GetRootElement()
{
    return *m_root;
}

ParentView* CMainFrame::GetParentView() const
{
    return m_host;
}

CFrameListPane* CMainFrame::GetListView() const
{
    return m_host != nullptr ? m_host->GetListView() : nullptr;
}

CFrameWebPane* CMainFrame::GetWebView() const
{
    return m_host != nullptr ? m_host->GetWebView() : nullptr;
}

int CMainFrame::GetFocusedPane() const
{
    const wxWindow* focus = wxWindow::FindFocus();
    const auto within = [focus](const wxWindow* pane) {
        for (const wxWindow* w = focus; w != nullptr; w = w->GetParent()) {
            if (w == pane) {
                return true;
            }
        }
        return false;
    };
    if (focus == nullptr) {
        return 2;
    }
    if (CFrameListPane* list = GetListView(); list != nullptr && within(list->GetWindow())) {
        return 2;
    }
    if (m_mode == StartMode::kFind) {
        return 3;
    }
    if (m_tree != nullptr && within(m_tree->GetWindow())) {
        return 1;
    }
    return -1;
}

CTreeNode* CMainFrame::GetSelectedElement() const
{
    switch (GetFocusedPane()) {
    case 1:
        return m_tree != nullptr ? m_tree->GetSelectedNode() : nullptr;
    case 2:
        return GetListView() != nullptr ? GetListView()->GetFocusedNode() : nullptr;
    default:
        return nullptr;
    }
}

void CMainFrame::SetCurrentElement(CTreeNode* element)
{
    if (m_tree != nullptr && element != nullptr) {
        m_tree->SelectNode(element);
    }
    m_current = element;
    if (m_address != nullptr && element != nullptr) {
        m_address->SelectNode(element);
    }
    if (element != nullptr) {
        m_history->PushElement(*element);
    }
    if (m_host != nullptr) {
        m_host->SetElement(element);
        m_host->LayoutViews();
    }
    if (m_status != nullptr && element != nullptr) {
        m_status->ShowElementStatus(*element);
    }
    std::string title;
    for (CTreeNode* node = element; node != nullptr; node = node->GetParentNode()) {
        title = title.empty() ? node->GetName() : node->GetName() + " - " + title;
    }
    SetTitle(m_mode == StartMode::kFind ? LoadResString(138)
                                        : (title.empty() ? GetTitle() : wxString::FromUTF8(title)));
    if (m_host != nullptr) {
        m_host->Refresh();
    }
}

void CMainFrame::SelectElement(CTreeNode* element)
{
    if (element == nullptr) {
        return;
    }
    const platform::ui::WaitCursor wait;
    m_root->RemoveAttributeEverywhere("selected");
    element->SetAttribute("Selected", "TRUE");
    SetCurrentElement(element);
}

void CMainFrame::SelectByPath(std::string_view path)
{
    // Names separated by ':', or the display path with '/' that desktop shortcuts carry.
    CTreeNode* found = FindElementByNames(*m_root, path, ':');
    if (found == nullptr) {
        found = FindElementByNames(*m_root, path, '/');
    }
    if (found == nullptr) {
        // At least the catalogue the path starts with.
        const std::string_view first = path.substr(0, path.find_first_of(":/"));
        found = FindElementByNames(*m_root, first, ':');
    }
    if (found == nullptr) {
        return;
    }
    if (m_tree != nullptr && found->GetParentNode() != m_root.get()) {
        m_tree->ExpandNodeByPath(found->GetParentNode()->GetPath());
    }
    SetCurrentElement(found);
}

void CMainFrame::SelectElementByPath(std::string_view path)
{
    if (m_tree != nullptr) {
        SelectElement(m_tree->ExpandNodeByPath(path));
    }
}

void CMainFrame::FillTree()
{
    if (m_tree != nullptr) {
        m_tree->FillTree(*m_root);
    }
}

void CMainFrame::ReloadViews(bool force)
{
    CFrameListPane* list = GetListView();
    if (list != nullptr && force) {
        list->ForceRefill();
    }
    if (list != nullptr) {
        list->MarkRowsUnloaded();
    }
    for (CTreeNode* node = m_root->GetFirstChildNode(); node != nullptr;
         node = NextTreeNode(node, m_root.get())) {
        if (CItemSet* set = node->GetOwnSet(); set != nullptr) {
            set->MarkUnloaded();
        }
    }
    if (list != nullptr) {
        list->SetShownElement(list->GetShownElement());
    }
}

void CMainFrame::RefreshLabels()
{
    if (m_tree != nullptr) {
        m_tree->RefreshLabels();
    }
    if (CFrameListPane* list = GetListView()) {
        list->RefreshLabels();
    }
}

void CMainFrame::SendCommand(int id)
{
    wxCommandEvent command(wxEVT_MENU, id);
    command.SetEventObject(this);
    ProcessWindowEvent(command);
}

void CMainFrame::ShowContextMenu(CTreeNode* element, int x, int y)
{
    if (element == nullptr) {
        return;
    }
    CNodeMenu model;
    element->BuildItemMenu(&model);
    BCMenu menu;
    menu.AppendNodeMenu(model);
    if (menu.GetMenuItemCount() == 0) {
        return;
    }
    const int chosen = GetPopupMenuSelectionFromUser(menu, ScreenToClient(wxPoint(x, y)));
    if (chosen != wxID_NONE) {
        SendCommand(BCMenu::CommandOf(chosen));
    }
}

void CMainFrame::ShowFocusedElement(CTreeNode* element)
{
    if (element == nullptr) {
        return;
    }
    if (m_status != nullptr) {
        m_status->ShowElementStatus(*element);
    }
    if (m_host != nullptr && m_host->IsWebShown() && GetWebView() != nullptr) {
        GetWebView()->ShowElement(element, false, false);
    }
}

void CMainFrame::SetStatusText(const std::string& text)
{
    if (m_status != nullptr) {
        m_status->SetMessageText(text);
    }
}

void CMainFrame::QuickSearch(CTreeNode& element, const std::string& text, int searchDataFile)
{
    CCatalogueDb* catalogue = element.GetCatalogue();
    CItemSet results = CItemSet::QuickSearch(catalogue, searchDataFile, text);
    if (m_quickQuery == nullptr) {
        m_quickQuery = std::make_unique<CQuickQueryNode>(results);
    }
    if (CFrameListPane* list = GetListView();
        list != nullptr && list->GetShownElement() == m_quickQuery.get()) {
        // Its rows are about to go: the list lets go of them first.
        list->SetShownElement(nullptr);
    }
    m_quickQuery->RunSearch(&results);
    SetCurrentElement(m_quickQuery.get());
}

// ---- state -----------------------------------------------------------------------------------------------

void CMainFrame::RestoreState()
{
    if (m_stateRestored) {
        return;
    }
    if (m_mode == StartMode::kList) {
        SelectByPath(m_fields[0]);
    }
    if (m_mode != StartMode::kNormal || m_tree == nullptr) {
        if (m_tree != nullptr) {
            m_tree->ExpandRoot();
        } else if (m_mode != StartMode::kList && m_current == nullptr) {
            SetCurrentElement(m_root->GetFirstChildNode());
        }
        m_stateRestored = true;
        return;
    }
    CTreeNode* selected = RestoreTreeState(*m_root, *m_tree);
    if (selected != nullptr) {
        SelectElement(selected);
    } else if (CTreeNode* first = m_root->GetFirstChildNode()) {
        SelectElement(first);
    }
    m_tree->ExpandRoot();
    m_stateRestored = true;
}

void CMainFrame::SaveState()
{
    if (KeepsTreeState(m_mode) || m_mode == StartMode::kSimpleList || m_mode == StartMode::kList ||
        m_mode == StartMode::kSingle) {
        if (m_tree != nullptr) {
            SaveTreeState(*m_root, m_current);
        }
    }
    if (IsIconized() || IsMaximized()) {
        // The place to come back to is the normal one, which a minimised window does not show.
        return;
    }
    const wxRect place = GetRect();
    WriteFrameRect(m_mode, {place.x, place.y, place.width, place.height});
    if (m_splitter != nullptr && m_tree != nullptr && m_splitter->IsSplit() &&
        m_splitter->HiddenColumn() < 0) {
        WriteExplorerWidth(m_splitter->GetSashPosition());
    }
}

void CMainFrame::OnClose(wxCloseEvent& event)
{
    if (!m_stateSaved) {
        m_stateSaved = true;
        SaveState();
    }
    event.Skip();
}

void CMainFrame::OnActivate(wxActivateEvent& event)
{
    if (!event.GetActive()) {
        m_focus = wxWindow::FindFocus();
    } else if (m_focus && m_focus.get() != this && IsDescendant(m_focus.get())) {
        m_focus->SetFocus();
    }
    event.Skip();
}

// ---- registered messages
// -----------------------------------------------------------------------------------

void CMainFrame::OnRegisteredMessage(platform::ui::RegisteredMessageEvent& event)
{
    const unsigned message = event.GetMessage();
    const platform::ui::BroadcastMessage& data = event.Message();
    if (message == m_reloadAndDisplay) {
        if (CFrameListPane* list = GetListView()) {
            list->Refill();
        }
    } else if (message == BroadcastMessageNumber(kRefreshMessage)) {
        ReloadViews(true);
    } else if (message == BroadcastMessageNumber(kDestroyWaitMessage)) {
        DestroyWaitWindow(static_cast<wxWindow*>(data.pointer));
        Refresh();
    } else if (message == BroadcastMessageNumber(kUnloadElementMessage)) {
        UnloadElement(data.text);
    } else if (message == BroadcastMessageNumber(kUnloadDbMessage)) {
        if (m_mode != StartMode::kFind) {
            UnloadDatabase(data.text);
        }
    } else {
        event.Skip();
    }
}

void CMainFrame::UnloadElement(const std::string& path)
{
    wxWindow* focus = wxWindow::FindFocus();
    if (CTreeNode* element = m_root->FindByNodePath(path)) {
        element->Reload();
    }
    ReloadViews(true);
    if (focus != nullptr && IsDescendant(focus)) {
        focus->SetFocus();
    }
    Refresh();
}

CTreeNode* CMainFrame::FindCatalogueNode(const std::filesystem::path& file) const
{
    for (CTreeNode* node = m_root->GetFirstChildNode(); node != nullptr; node = node->GetNextSiblingNode()) {
        if (CCatalogueDb* catalogue = node->GetCatalogue();
            catalogue != nullptr && node->IsCatalogue() && SameFile(catalogue->GetFilePath(), file)) {
            return node;
        }
    }
    return nullptr;
}

void CMainFrame::UnloadDatabase(const std::string& file)
{
    const platform::ui::WaitCursor wait;
    CFrameListPane* list = GetListView();
    if (list != nullptr) {
        list->SaveColumnWidths();
        list->SetShownElement(nullptr);
    }
    CTreeNode* old = FindCatalogueNode(file);
    if (old == nullptr) {
        Refresh();
        return;
    }
    // What to bring back: the expanded elements of the catalogue and the selected one, by path.
    std::vector<std::string> expanded;
    for (CTreeNode* node = old; node != nullptr; node = NextTreeNode(node, old)) {
        if (node->GetAttributeBool("Expanded")) {
            expanded.push_back(node->GetPath());
        }
    }
    CTreeNode* selected = m_tree != nullptr ? m_tree->GetSelectedNode() : m_current;
    std::string selectedPath;
    for (CTreeNode* node = selected; node != nullptr; node = node->GetParentNode()) {
        if (node == old) {
            selectedPath = selected->GetFullPath();
            break;
        }
    }
    const bool wasCurrentHere = !selectedPath.empty() || m_current == old;
    m_current = nullptr;
    if (m_tree != nullptr) {
        m_tree->DeleteAllItems();
    }
    const std::filesystem::path path = old->GetCatalogue()->GetFilePath();
    CTreeNode* next = old->GetNextSiblingNode();
    m_root->DetachChild(old); // closes the catalogue
    auto fresh = std::make_unique<CCatalogueNode>(path);
    CTreeNode* node = fresh.get();
    if (next != nullptr) {
        m_root->InsertChildBefore(std::move(fresh), next);
    } else {
        m_root->AddChild(std::move(fresh));
    }
    if (m_tree != nullptr) {
        m_tree->FillTree(*m_root);
        for (const std::string& each : expanded) {
            m_tree->ExpandNodeByPath(each);
        }
    }
    CTreeNode* again = selectedPath.empty() ? nullptr : FindElementBySelectedPath(*m_root, selectedPath);
    if (again != nullptr) {
        SetCurrentElement(again);
    } else if (wasCurrentHere) {
        SetCurrentElement(node);
    }
    Refresh();
}

// ---- records ---------------------------------------------------------------------------------------------

CCatalogueDb* CMainFrame::FindNewestCatalogueForFile(std::string_view name) const
{
    CCatalogueDb* newest = nullptr;
    std::time_t newestDate = 0;
    for (CTreeNode* node = m_root->GetFirstChildNode(); node != nullptr; node = node->GetNextSiblingNode()) {
        CCatalogueDb* catalogue = node->IsCatalogue() ? node->GetCatalogue() : nullptr;
        if (catalogue == nullptr) {
            continue;
        }
        if (const std::time_t date = catalogue->GetFileModificationDate(name); date > newestDate) {
            newest = catalogue;
            newestDate = date;
        }
    }
    return newest;
}

CTreeNode* CMainFrame::FindNodeHoldingKey(const CRecord& record) const
{
    if (m_mode == StartMode::kFind) {
        return nullptr;
    }
    const platform::ui::WaitCursor wait;
    for (CTreeNode* node = m_root->GetFirstChildNode(); node != nullptr;
         node = NextTreeNode(node, m_root.get())) {
        CItemSet* set = node->GetOwnSet();
        if (set != nullptr && set->IsLoaded() && set->ContainsRecord(record)) {
            return node;
        }
    }
    return nullptr;
}

void CMainFrame::GoToNodeByCode(CCatalogueDb& catalogue, CRecord& record, double keyCode)
{
    if (m_mode == StartMode::kFind) {
        return;
    }
    const platform::ui::WaitCursor wait;
    CTreeNode* catalogueNode = nullptr;
    for (CTreeNode* node = m_root->GetFirstChildNode(); node != nullptr; node = node->GetNextSiblingNode()) {
        if (node->GetCatalogue() != nullptr &&
            strcasecmp(node->GetCatalogue()->GetName().c_str(), catalogue.GetName().c_str()) == 0) {
            catalogueNode = node;
            break;
        }
    }
    if (catalogueNode == nullptr) {
        return;
    }
    CTreeNode* selected = m_tree != nullptr ? m_tree->GetSelectedNode() : m_current;
    CFrameListPane* list = GetListView();
    for (CTreeNode* child = catalogueNode->GetFirstChildNode(); child != nullptr && !child->IsCatalogue();
         child = child->GetNextSiblingNode()) {
        CItemSet* set = child->GetOwnSet();
        if (set == nullptr || !set->IsLoaded()) {
            continue;
        }
        if (set->ContainsKeyCode(keyCode)) {
            if (set->FindRecord(record) && child == selected && list != nullptr) {
                list->Refill();
                return;
            }
        } else {
            set->MarkUnloaded();
            if (child == selected) {
                platform::ui::Broadcaster::Instance().Post(m_reloadAndDisplay);
            }
        }
    }
    if (list != nullptr) {
        list->Refill();
    }
}

// ---- Find mode: the find pane's commands ------------------------------------------------------------------

void CMainFrame::ShowSearchResults(CItemSet& results)
{
    if (m_quickQuery == nullptr) {
        m_quickQuery = std::make_unique<CQuickQueryNode>(results);
    }
    if (CFrameListPane* list = GetListView();
        list != nullptr && list->GetShownElement() == m_quickQuery.get()) {
        list->SetShownElement(nullptr);
    }
    m_quickQuery->RunSearch(&results);
    if (m_splitter != nullptr && m_splitter->HiddenRow() == 1) {
        m_splitter->ShowRow();
        m_splitter->SetSashPosition(260);
    }
    SetCurrentElement(m_quickQuery.get());
}

void CMainFrame::OnFindCommand(wxCommandEvent& event)
{
    CFrameFindPane* pane = AsFindPane(m_find);
    if (pane == nullptr) {
        return;
    }
    switch (event.GetId()) {
    case 317:
        RunFindNow(*this, *pane);
        break;
    case 318:
        if (CFrameListPane* list = GetListView()) {
            list->SetShownElement(nullptr);
        }
        pane->NewSearch();
        break;
    case 319:
        SaveSearch(*pane);
        break;
    default:
        break;
    }
}
