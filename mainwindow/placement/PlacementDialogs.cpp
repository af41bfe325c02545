#include "mainwindow/placement/PlacementDialogs.h"

#include "mainwindow/common/ContextHelp.h"
#include "mainwindow/dialogs/DialogLayout.h"
#include "mainwindow/placement/PlacementRules.h"
#include "mainwindow/placement/PlacementTree.h"
#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/records/FolderRecord.h"
#include "tree/base/TreeNode.h"

#include <wx/choice.h>
#include <wx/textctrl.h>
#include <wx/treectrl.h>

#include <map>
#include <vector>

namespace {

constexpr unsigned kErrorCaption = 20552;
constexpr int kDataItemTree = 1098;
constexpr int kFolderName = 1062;
constexpr int kFolderKinds = 1059;
constexpr int kFolderDescription = 1061;
constexpr int kFolderTree = 1060;
constexpr int kListName = 1063;
constexpr int kListDescription = 1030;
constexpr int kListTree = 1064;
constexpr const char* kOnlyBold = "Select only items in bold";

void Refuse(const std::string& text)
{
    platform::ui::ShowMessage(text, LoadResString(kErrorCaption),
                              platform::ui::kMbOk | platform::ui::kMbIconWarning);
}

// Help on a control of the dialog (F1 or the title bar's help) shows its topic.
void BindControlHelp(wxDialog& dialog, std::map<int, std::string> keys)
{
    dialog.Bind(wxEVT_HELP, [&dialog, keys = std::move(keys)](wxHelpEvent& event) {
        const auto found = keys.find(event.GetId());
        if (found == keys.end()) {
            event.Skip();
            return;
        }
        ShowContextHelp(&dialog, found->second);
    });
}

std::string Text(const wxTextCtrl* edit)
{
    return edit != nullptr ? edit->GetValue().utf8_string() : std::string();
}

} // namespace

// ---- "Create New" for a data item ----------------------------------------------------------------------

CNewDataItemDlg::CNewDataItemDlg(wxWindow* parent, CTreeNode& start, int kind, CTreeNode* preselect,
                                 CTreeImageTable* images)
    : m_kind(kind)
{
    LoadDialogLayout(*this, parent, "32239");
    m_tree = MakePlacementTree(*this, kDataItemTree, images);
    BuildPlaces(start);
    start.InsertTreeItems(*m_tree, kind);
    m_tree->ExpandAndSelect(start, preselect);
    FitToContents(*this);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
}

CNewDataItemDlg::~CNewDataItemDlg() = default;

void CNewDataItemDlg::OnOk()
{
    CTreeNode* caret = m_tree->GetCaretNode();
    if (caret == nullptr || !AcceptsNewItem(*caret, m_kind)) {
        Refuse(kOnlyBold);
        return;
    }
    m_chosen = caret;
    EndModal(wxID_OK);
}

// ---- the name, description and parent of a new element -------------------------------------------------

CNewElementDlg::~CNewElementDlg() = default;

void CNewElementDlg::SetUp(CTreeNode& start, CTreeNode* preselect, CTreeImageTable* images,
                           const std::string& proposal, int nameId, int descriptionId, int treeId)
{
    m_start = &start;
    m_tree = MakePlacementTree(*this, treeId, images);
    // The places a folder or list can go: no queries, lists, wastebasket, tables or shop items.
    BuildPlaces(start);
    start.AddChildNode(*m_tree, false, false, false, true);
    m_tree->ExpandAndSelect(start, preselect);
    m_descriptionEdit = FindControl<wxTextCtrl>(*this, descriptionId);
    m_nameEdit = FindControl<wxTextCtrl>(*this, nameId);
    if (m_nameEdit != nullptr) {
        m_nameEdit->ChangeValue(wxString::FromUTF8(proposal));
        m_nameEdit->SetFocus();
        m_nameEdit->SelectAll();
    }
    FitToContents(*this);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
}

void CNewElementDlg::OnOk()
{
    CTreeNode* parent = m_tree->GetCaretNode();
    if (parent == nullptr) {
        parent = m_start;
    }
    const std::string name = Text(m_nameEdit);
    if (const NewNameCheck check = CheckNewName(*parent, name); check != NewNameCheck::kValid) {
        Refuse(NewNameMessage(check));
        return;
    }
    m_parent = parent;
    m_name = name;
    m_description = Text(m_descriptionEdit);
    TakeChoices();
    EndModal(wxID_OK);
}

CNewFolderDlg::CNewFolderDlg(wxWindow* parent, CTreeNode& start, CTreeNode* preselect,
                             CTreeImageTable* images, const std::string& proposal)
{
    LoadDialogLayout(*this, parent, "175");
    m_kinds = FindControl<wxChoice>(*this, kFolderKinds);
    if (m_kinds != nullptr && start.GetCatalogue() != nullptr) {
        for (const FolderKindChoice& choice : FolderKindChoices(*start.GetCatalogue())) {
            m_kinds->Append(wxString::FromUTF8(choice.text));
            m_kindTypes.push_back(choice.type);
        }
        m_kinds->SetSelection(0);
    }
    SetUp(start, preselect, images, proposal, kFolderName, kFolderDescription, kFolderTree);
    BindControlHelp(*this, {{kFolderKinds, "KV.FOLDER_CONTAINING_TYPE"},
                            {kFolderTree, "KV.FOLDER_POSITION_IN_TREE"},
                            {kFolderDescription, "KV.FOLDER_COMMENT_APPEAR_IN_HTML"},
                            {kFolderName, "KV.FOLDER_NAME"}});
}

void CNewFolderDlg::TakeChoices()
{
    const int line = m_kinds != nullptr ? m_kinds->GetSelection() : wxNOT_FOUND;
    // The first line, "All kind of data", is the kind when nothing else is chosen.
    m_kind = CFolderRecord::kAllKinds;
    if (line >= 0 && static_cast<size_t>(line) < m_kindTypes.size()) {
        m_kind = m_kindTypes[line];
    }
}

CNewListDlg::CNewListDlg(wxWindow* parent, CTreeNode& start, CTreeNode* preselect, CTreeImageTable* images,
                         const std::string& proposal)
{
    LoadDialogLayout(*this, parent, "32204");
    SetUp(start, preselect, images, proposal, kListName, kListDescription, kListTree);
    BindControlHelp(*this, {{kListDescription, "KV.LIST_COMMENT_APPEAR_IN_HTML"},
                            {kListTree, "KV.LIST_POSITION_IN_TREE"},
                            {kListName, "KV.LIST_NAME"}});
}
