#include "mainwindow/placement/CopyPlacementDialogs.h"

#include "mainwindow/dialogs/DialogLayout.h"
#include "mainwindow/placement/PlacementRules.h"
#include "mainwindow/placement/PlacementTree.h"
#include "platform/ui/DialogService.h"
#include "tree/base/TreeControl.h"
#include "tree/base/TreeNode.h"

#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int kKeepStructure = 1093;
constexpr int kSourceTree = 1061;
constexpr int kStructureNote = 1094;
constexpr int kTargetTree = 1060;
constexpr int kWantListTree = 1060;
constexpr const char* kOnlyBold = "Select only items in bold";

void RefuseChoice()
{
    platform::ui::ShowMessage(kOnlyBold, "", platform::ui::kMbOk | platform::ui::kMbIconWarning);
}

// The source's folders and areas from the outermost down to `place`, below its catalogue.
std::vector<CTreeNode*> ContainerChain(CTreeNode* place)
{
    std::vector<CTreeNode*> chain;
    for (CTreeNode* node = place; node != nullptr && !node->IsCatalogue(); node = node->GetParentNode()) {
        if (node->IsContainer()) {
            chain.push_back(node);
        }
    }
    std::reverse(chain.begin(), chain.end());
    return chain;
}

// The path of the chain below its catalogue, as FindByNodePath reads it.
std::string PathBelowCatalogue(const std::vector<CTreeNode*>& chain)
{
    std::string path;
    for (CTreeNode* node : chain) {
        for (char c : node->GetName()) {
            if (c == kPathSeparator || c == kPathEscape) {
                path += kPathEscape;
            }
            path += c;
        }
        path += kPathSeparator;
    }
    return path;
}

} // namespace

// ---- "Copy to database" ----------------------------------------------------------------------------------

CCopyToDatabaseDlg::CCopyToDatabaseDlg(wxWindow* parent, CTreeNode& target, int dataFile, CTreeNode* source,
                                       CTreeImageTable* images)
    : m_dataFile(dataFile)
{
    LoadDialogLayout(*this, parent, "32236");
    m_targetTree = MakePlacementTree(*this, kTargetTree, images);
    m_sourceTree = MakePlacementTree(*this, kSourceTree, images);
    m_keep = FindControl<wxCheckBox>(*this, kKeepStructure);
    BuildPlaces(target);
    target.InsertTreeItems(*m_targetTree, dataFile);
    m_targetTree->Expand(m_targetTree->ItemOf(&target));

    // Items of a record row come from the row's folder.
    CTreeNode* place = source;
    if (place != nullptr && !place->IsContainer()) {
        place = place->GetParentNode();
    }
    m_place = place;
    const std::vector<CTreeNode*> chain = ContainerChain(place);
    auto* note = FindControl<wxStaticText>(*this, kStructureNote);
    if (chain.empty()) {
        // Nothing to keep: only the target's tree is offered, over the whole dialog.
        m_place = nullptr;
        m_sourceTree->GetControl().Hide();
        if (m_keep != nullptr) {
            m_keep->SetValue(false);
            m_keep->Hide();
        }
        if (note != nullptr) {
            note->Hide();
        }
        m_targetTree->ExpandAndSelect(target, nullptr);
    } else {
        if (m_keep != nullptr) {
            m_keep->SetValue(true);
        }
        TreeItemId parentItem = kNoTreeItem;
        for (CTreeNode* node : chain) {
            const int image = ImageListIndex(*m_sourceTree, node->GetOpenImage());
            parentItem =
                m_sourceTree->AppendItem(parentItem, node->GetName(), image, image, node, false, false);
        }
        m_sourceTree->GetControl().ExpandAll();
        CTreeNode* existing = target.FindByNodePath(PathBelowCatalogue(chain));
        if (existing != nullptr && existing->IsContainer()) {
            // The structure is there already: the items go into it.
            if (note != nullptr) {
                note->SetLabel(wxString());
            }
            m_place = existing;
        } else {
            m_structureMissing = true;
            m_keepStructure = true;
        }
        m_targetTree->ExpandAndSelect(target, existing);
        m_targetTree->GetControl().Disable();
        if (m_keep != nullptr) {
            m_keep->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnKeepStructure(); });
        }
    }
    FitToContents(*this);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
}

CCopyToDatabaseDlg::~CCopyToDatabaseDlg() = default;

void CCopyToDatabaseDlg::OnKeepStructure()
{
    const bool keep = m_keep != nullptr && m_keep->IsChecked();
    m_targetTree->GetControl().Enable(!keep);
    m_keepStructure = keep && m_structureMissing;
}

void CCopyToDatabaseDlg::OnOk()
{
    if (m_keep == nullptr || !m_keep->IsShown() || !m_keep->IsChecked()) {
        CTreeNode* caret = m_targetTree->GetCaretNode();
        if (caret == nullptr || !AcceptsNewItem(*caret, m_dataFile)) {
            RefuseChoice();
            return;
        }
        m_place = caret;
        m_keepStructure = false;
    }
    EndModal(wxID_OK);
}

// ---- "Add to want list" ----------------------------------------------------------------------------------

CWantListDlg::CWantListDlg(wxWindow* parent, CTreeNode& selected, CTreeImageTable* images)
{
    LoadDialogLayout(*this, parent, "32244");
    m_tree = MakePlacementTree(*this, kWantListTree, images);
    CTreeNode* catalogue = selected.GetCatalogueNode() != nullptr ? selected.GetCatalogueNode() : &selected;
    BuildPlaces(*catalogue);
    catalogue->InsertTreeItemsAt(*m_tree, kNoTreeItem);
    m_tree->ExpandAndSelect(*catalogue, nullptr);
    FitToContents(*this);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
}

CWantListDlg::~CWantListDlg() = default;

void CWantListDlg::OnOk()
{
    CTreeNode* caret = m_tree->GetCaretNode();
    if (caret == nullptr || !caret->IsItemList()) {
        RefuseChoice();
        return;
    }
    m_chosen = caret;
    EndModal(wxID_OK);
}
