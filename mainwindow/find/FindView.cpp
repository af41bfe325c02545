#include "mainwindow/find/FindView.h"

#include "mainwindow/find/FindDataPage.h"
#include "mainwindow/find/FindOtherPages.h"

#include "mainwindow/common/ContextHelp.h"
#include "mainwindow/controls/DateConditionDlg.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "tree/base/TreeNode.h"

#include <wx/accel.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace {

constexpr int kStringAreaTab = 33070;
constexpr int kStringDataTab = 33421;
constexpr int kStringDetailsTab = 33060;
constexpr int kStringCreationTab = 33158;
constexpr int kStringModificationTab = 33078;
constexpr int kStringSortTab = 204;
constexpr int kStringFindNow = 33043;
constexpr int kStringSaveSearch = 33099;
constexpr int kStringNewSearch = 33042;

constexpr int kCommandFindNow = 317;
constexpr int kCommandNewSearch = 318;
constexpr int kCommandSaveSearch = 319;

// The row of one-letter commands every page carries: Alt with the letter passes the command to the frame
// from any page (Find Now, the area page, the data, Details and date pages, Save Search, New Search, the
// sort page).
struct PaneKey
{
    char letter;
    int command;
};
constexpr PaneKey kPaneKeys[] = {{'I', kCommandFindNow},
                                 {'A', 1060},
                                 {'D', 103},
                                 {'T', 320},
                                 {'C', 321},
                                 {'M', 322},
                                 {'S', kCommandSaveSearch},
                                 {'N', kCommandNewSearch},
                                 {'O', 32180}};

// The commands of the frame that show a page of the pane.
constexpr int kPageCommands[] = {103, 320, 321, 322, 323, 1060, 2069, 32180};

wxString Text(int id)
{
    return wxString::FromUTF8(LoadResString(static_cast<unsigned>(id)));
}

// Data files the area page offers: numbers 0 to 98 but the fixed roles, with a menu name, not only
// shown as children.
bool IsOffered(const CDataFileDef& definition)
{
    const int number = definition.GetFileNumber();
    const std::string& name = definition.GetMenuName();
    return number != 20 && number != 21 && number != 22 && !definition.IsOnlyChild() && !name.empty() &&
           name.front() != ' ';
}

void AddElements(CTreeNode& node, int depth, std::vector<CTreeNode*>& nodes, wxChoice& chooser)
{
    for (CTreeNode* child = node.GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        if (depth > 0 && !child->IsFolder() && !child->IsArea()) {
            continue;
        }
        nodes.push_back(child);
        chooser.Append(wxString(' ', 4 * depth) + wxString::FromUTF8(child->GetName()));
        if (child->IsCatalogue() || child->IsFolder()) {
            child->PopulateChildren(nullptr);
            AddElements(*child, depth + 1, nodes, chooser);
        }
    }
}

} // namespace

FindView::FindView(wxWindow* parent, CPaneFrame& frame) : wxPanel(parent, wxID_ANY), m_frame(frame)
{
    m_tabs = new wxNotebook(this, wxID_ANY, wxDefaultPosition, wxSize(560, 260));
    m_tabs->AddPage(MakeAreaPage(), Text(kStringAreaTab), true);
    m_data = new FindDataPage(m_tabs, nullptr, 0, 0);
    m_tabs->AddPage(m_data, Text(kStringDataTab));
    m_created = new FindDatePage(m_tabs, "CREADATE", true);
    m_tabs->AddPage(m_created, Text(kStringCreationTab));
    m_modified = new FindDatePage(m_tabs, "MODIDATE", false);
    m_tabs->AddPage(m_modified, Text(kStringModificationTab));
    m_sort = new FindSortPage(m_tabs);
    m_tabs->AddPage(m_sort, Text(kStringSortTab));

    auto* buttons = new wxBoxSizer(wxVERTICAL);
    const auto button = [&](int id, int text) {
        auto* made = new wxButton(this, id, Text(text), wxDefaultPosition, wxSize(90, 24));
        buttons->Add(made, 0, wxBOTTOM, 6);
        return made;
    };
    button(kCommandFindNow, kStringFindNow)->SetDefault();
    m_saveSearch = button(kCommandSaveSearch, kStringSaveSearch);
    m_saveSearch->Disable();
    button(kCommandNewSearch, kStringNewSearch);
    Bind(wxEVT_BUTTON, &FindView::OnButton, this, kCommandFindNow, kCommandSaveSearch);

    // The keys get ids of their own: the same commands coming back from the frame show the pages.
    std::vector<wxAcceleratorEntry> keys;
    for (const PaneKey& key : kPaneKeys) {
        const wxWindowID id = NewControlId();
        m_keys.emplace_back(id, key.command);
        keys.emplace_back(wxACCEL_ALT, key.letter, id);
        Bind(wxEVT_MENU, &FindView::OnPaneKey, this, id);
    }
    SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(keys.size()), keys.data()));
    for (int command : kPageCommands) {
        Bind(wxEVT_MENU, &FindView::OnFrameCommand, this, command);
    }
    Bind(wxEVT_CHAR_HOOK, &FindView::OnCharHook, this);
    Bind(wxEVT_HELP, &FindView::OnHelp, this);

    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(m_tabs, 0, wxLEFT | wxTOP, 4);
    sizer->Add(buttons, 0, wxLEFT | wxTOP, 10);
    SetSizer(sizer);
    RefillElementChooser();
}

FindView::~FindView()
{
    for (const auto& key : m_keys) {
        UnreserveControlId(key.first);
    }
}

wxWindow* FindView::MakeAreaPage()
{
    auto* page = new wxPanel(m_tabs);
    m_dataFiles = new wxChoice(page, 1036);
    m_elements = new wxChoice(page, 1067);
    m_elements->Bind(wxEVT_CHOICE, [this](wxCommandEvent& event) { ChooseElement(event.GetSelection()); });
    m_dataFiles->Bind(wxEVT_CHOICE, [this](wxCommandEvent& event) { ChooseDataFile(event.GetSelection()); });
    auto* sizer = new wxFlexGridSizer(2, 8, 8);
    sizer->Add(new wxStaticText(page, wxID_ANY, "Search For"), 0, wxALIGN_CENTER_VERTICAL);
    sizer->Add(m_dataFiles, 0, wxEXPAND);
    sizer->Add(new wxStaticText(page, wxID_ANY, "Select the Catalogue / folder to search"), 0,
               wxALIGN_CENTER_VERTICAL);
    sizer->Add(m_elements, 0, wxEXPAND);
    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(sizer, 0, wxALL, 12);
    page->SetSizer(outer);
    return page;
}

void FindView::RefillElementChooser()
{
    CTreeNode* chosen = GetChosenElement();
    m_elements->Clear();
    m_elementNodes.clear();
    AddElements(m_frame.GetRootElement(), 0, m_elementNodes, *m_elements);
    int again = 0;
    for (size_t i = 0; i < m_elementNodes.size(); ++i) {
        if (m_elementNodes[i] == chosen) {
            again = static_cast<int>(i);
        }
    }
    if (!m_elementNodes.empty()) {
        ChooseElement(again);
    }
}

CTreeNode* FindView::GetChosenElement() const
{
    const int index = m_elements->GetSelection();
    return index >= 0 && static_cast<size_t>(index) < m_elementNodes.size()
               ? m_elementNodes[static_cast<size_t>(index)]
               : nullptr;
}

void FindView::ChooseElement(int index)
{
    if (index < 0 || static_cast<size_t>(index) >= m_elementNodes.size()) {
        return;
    }
    m_elements->SetSelection(index);
    m_catalogue = m_elementNodes[static_cast<size_t>(index)]->GetCatalogue();
    FillDataFiles();
}

void FindView::FillDataFiles()
{
    m_dataFiles->Clear();
    m_dataFileNumbers.clear();
    if (m_catalogue != nullptr) {
        m_catalogue->LoadDefinitionsIfNeeded();
        for (int number = 0; number <= 98; ++number) {
            const CDataFileDef* definition = m_catalogue->FindDefinition(number);
            if (definition != nullptr && IsOffered(*definition)) {
                m_dataFiles->Append(wxString::FromUTF8(definition->GetMenuName()));
                m_dataFileNumbers.push_back(number);
            }
        }
    }
    m_dataFile = 0;
    if (!m_dataFileNumbers.empty()) {
        ChooseDataFile(0);
    } else {
        RebuildDataPages();
    }
}

void FindView::ChooseDataFile(int index)
{
    if (index < 0 || static_cast<size_t>(index) >= m_dataFileNumbers.size()) {
        return;
    }
    m_dataFiles->SetSelection(index);
    m_dataFile = m_dataFileNumbers[static_cast<size_t>(index)];
    RebuildDataPages();
}

void FindView::RebuildDataPages()
{
    const bool wasShown = m_tabs->GetSelection() > 0;
    // Page 1 and, when present, the Details page go; the tabs after them stay.
    m_tabs->ChangeSelection(0);
    if (m_details != nullptr) {
        m_tabs->DeletePage(2);
        m_details = nullptr;
    }
    m_tabs->DeletePage(1);
    m_data = new FindDataPage(m_tabs, m_catalogue, m_dataFile, 0);
    m_tabs->InsertPage(1, m_data, Text(kStringDataTab));
    if (m_dataFile != 0 && FindDataPage::NeedsDetails(m_catalogue, m_dataFile)) {
        m_details = new FindDataPage(m_tabs, m_catalogue, m_dataFile, 1);
        m_tabs->InsertPage(2, m_details, Text(kStringDetailsTab));
    }
    m_sort->Reset(m_catalogue, m_dataFile);
    if (wasShown) {
        m_tabs->SetSelection(0);
    }
}

FindDataPage* FindView::GetDataPage(int page) const
{
    return page == kDataPage ? m_data : page == kDetailsPage ? m_details : nullptr;
}

FindDatePage* FindView::GetDatePage(int page) const
{
    return page == kCreationPage ? m_created : page == kModificationPage ? m_modified : nullptr;
}

void FindView::ShowPage(int page)
{
    if (page == kDetailsPage && m_details == nullptr) {
        return;
    }
    const int tab = page > kDetailsPage && m_details == nullptr ? page - 1 : page;
    m_tabs->SetSelection(static_cast<size_t>(tab));
    m_tabs->GetPage(static_cast<size_t>(tab))->SetFocus();
}

std::string FindView::CollectCriteria()
{
    std::string criteria;
    m_data->AppendCriteria(criteria);
    if (m_details != nullptr) {
        m_details->AppendCriteria(criteria);
    }
    m_created->AppendCriteria(criteria);
    m_modified->AppendCriteria(criteria);
    m_sort->AppendCriteria(criteria);
    m_linkFile = m_data->GetLinkFileNumber();
    if (m_linkFile == 0 && m_details != nullptr) {
        m_linkFile = m_details->GetLinkFileNumber();
    }
    return criteria;
}

void FindView::ShowPageOfCommand(int id)
{
    switch (id) {
    case 103:
        ShowPage(kDataPage);
        break;
    case 320:
        ShowPage(kDetailsPage);
        break;
    case 321:
        ShowPage(kCreationPage);
        break;
    case 322:
        ShowPage(kModificationPage);
        break;
    case 323:
    case 2069:
    case 32180:
        ShowPage(kSortPage);
        break;
    case 1060:
        ShowPage(kAreaPage);
        break;
    default:
        break;
    }
}

void FindView::NewSearch()
{
    RebuildDataPages();
    m_created->Reset();
    m_modified->Reset();
    ShowPage(kAreaPage);
}

void FindView::EnableSaveSearch(bool enable)
{
    m_saveSearch->Enable(enable);
}

void FindView::OnButton(wxCommandEvent& event)
{
    m_frame.SendCommand(event.GetId());
}

void FindView::OnPaneKey(wxCommandEvent& event)
{
    for (const auto& [id, command] : m_keys) {
        if (id == event.GetId()) {
            m_frame.SendCommand(command);
        }
    }
}

void FindView::OnFrameCommand(wxCommandEvent& event)
{
    ShowPageOfCommand(event.GetId());
}

void FindView::OnCharHook(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_F1 && event.GetModifiers() == wxMOD_NONE) {
        ShowHelpOf(wxWindow::FindFocus());
    } else {
        event.Skip();
    }
}

void FindView::OnHelp(wxHelpEvent& event)
{
    auto* window = wxDynamicCast(event.GetEventObject(), wxWindow);
    ShowHelpOf(window != nullptr ? window : wxWindow::FindFocus());
}

void FindView::ShowHelpOf(wxWindow* control)
{
    const std::string key = HelpKeyOf(control);
    if (!key.empty()) {
        ShowContextHelp(control, key);
    }
}

std::string FindView::HelpKeyOf(const wxWindow* control) const
{
    for (const wxWindow* window = control; window != nullptr && window != this;
         window = window->GetParent()) {
        if (window == m_dataFiles) {
            return "KV.SEARCH_FOR";
        }
        if (window == m_elements) {
            return "KV.FIND_COMBO";
        }
        const wxWindow* parent = window->GetParent();
        if (parent != nullptr && (parent == m_created || parent == m_modified)) {
            return std::string(DateConditionHelpKey(window->GetId()));
        }
        for (const FindDataPage* page : {m_data, m_details}) {
            if (page != nullptr && window == page) {
                return page->HelpKeyOf(control);
            }
        }
    }
    return {};
}

CFrameFindPane* AsFindPane(wxWindow* window)
{
    return dynamic_cast<FindView*>(window);
}

wxWindow* MakeFindView(wxWindow* parent, CPaneFrame& frame)
{
    return new FindView(parent, frame);
}
