#include "mainwindow/placement/PlacementTree.h"

#include "mainwindow/dialogs/DialogLayout.h"
#include "mainwindow/panes/tree/TreeImageTable.h"
#include "tree/base/TreeNode.h"

#include <wx/dialog.h>

namespace {

wxTreeItemId ToWx(TreeItemId item)
{
    return wxTreeItemId(reinterpret_cast<void*>(item));
}

TreeItemId ToId(const wxTreeItemId& item)
{
    return reinterpret_cast<TreeItemId>(item.GetID());
}

} // namespace

CPlacementTree::CPlacementTree(wxTreeCtrl& tree, CTreeImageTable* images)
    : m_tree(tree), m_ownImages(images == nullptr ? std::make_unique<CTreeImageTable>() : nullptr),
      m_images(images != nullptr ? images : m_ownImages.get())
{
    m_tree.SetImageList(&m_images->GetImageList());
    m_root = m_tree.AddRoot(wxString());
    AddTreeNodeObserver(this);
}

CPlacementTree::~CPlacementTree()
{
    RemoveTreeNodeObserver(this);
    // The image list outlives the control only while the control lets go of it first.
    m_tree.SetImageList(nullptr);
}

int CPlacementTree::Shown(int image) const
{
    return image >= 0 && image < m_images->GetImageList().GetImageCount() ? image : -1;
}

TreeItemId CPlacementTree::AppendItem(TreeItemId parent, const std::string& text, int image,
                                      int selectedImage, CTreeNode* node, bool bold, bool hasButton)
{
    const wxTreeItemId parentItem = parent == kNoTreeItem ? m_root : ToWx(parent);
    const wxTreeItemId item =
        m_tree.AppendItem(parentItem, wxString::FromUTF8(text), Shown(image), Shown(selectedImage));
    if (bold) {
        m_tree.SetItemBold(item);
    }
    m_tree.SetItemHasChildren(item, hasButton);
    if (node != nullptr) {
        m_items[node] = item;
        m_nodes[item.GetID()] = node;
    }
    return ToId(item);
}

TreeItemId CPlacementTree::ItemOf(const CTreeNode* node) const
{
    const auto found = m_items.find(node);
    return found != m_items.end() ? ToId(found->second) : kNoTreeItem;
}

bool CPlacementTree::Expand(TreeItemId item)
{
    if (item == kNoTreeItem) {
        return false;
    }
    m_tree.Expand(ToWx(item));
    return m_tree.IsExpanded(ToWx(item));
}

bool CPlacementTree::Collapse(TreeItemId item)
{
    if (item == kNoTreeItem) {
        return false;
    }
    m_tree.Collapse(ToWx(item));
    return true;
}

void CPlacementTree::SetItemImages(TreeItemId item, int image, int selectedImage)
{
    if (item != kNoTreeItem) {
        m_tree.SetItemImage(ToWx(item), Shown(image));
        m_tree.SetItemImage(ToWx(item), Shown(selectedImage), wxTreeItemIcon_Selected);
    }
}

void CPlacementTree::SelectItem(TreeItemId item)
{
    if (item != kNoTreeItem) {
        m_tree.SelectItem(ToWx(item));
    }
}

void CPlacementTree::DeleteChildItems(TreeItemId item)
{
    if (item == kNoTreeItem) {
        return;
    }
    // Forget the nodes of every item below before the items go.
    std::vector<wxTreeItemId> pending{ToWx(item)};
    while (!pending.empty()) {
        const wxTreeItemId current = pending.back();
        pending.pop_back();
        wxTreeItemIdValue cookie;
        for (wxTreeItemId child = m_tree.GetFirstChild(current, cookie); child.IsOk();
             child = m_tree.GetNextChild(current, cookie)) {
            if (const auto node = m_nodes.find(child.GetID()); node != m_nodes.end()) {
                m_items.erase(node->second);
                m_nodes.erase(node);
            }
            pending.push_back(child);
        }
    }
    m_tree.DeleteChildren(ToWx(item));
}

int CPlacementTree::ImageIndexOfKind(int kind) const
{
    return m_images->IndexOfKind(kind);
}

int CPlacementTree::AddImage(const CCatalogueImage& picture)
{
    return m_images->AddPicture(picture);
}

void CPlacementTree::NodeDestroyed(const CTreeNode* node)
{
    const auto found = m_items.find(node);
    if (found == m_items.end()) {
        return;
    }
    m_nodes.erase(found->second.GetID());
    m_items.erase(found);
}

CTreeNode* CPlacementTree::GetCaretNode() const
{
    const wxTreeItemId caret = m_tree.GetSelection();
    if (!caret.IsOk()) {
        return nullptr;
    }
    const auto found = m_nodes.find(caret.GetID());
    return found != m_nodes.end() ? found->second : nullptr;
}

void CPlacementTree::ExpandAndSelect(CTreeNode& start, CTreeNode* caret)
{
    Expand(ItemOf(&start));
    TreeItemId item = caret != nullptr ? ItemOf(caret) : kNoTreeItem;
    if (item == kNoTreeItem) {
        item = ItemOf(&start);
    }
    if (item != kNoTreeItem) {
        m_tree.EnsureVisible(ToWx(item));
        SelectItem(item);
    }
}

std::unique_ptr<CPlacementTree> MakePlacementTree(wxDialog& dialog, int id, CTreeImageTable* images)
{
    auto* control = FindControl<wxTreeCtrl>(dialog, id);
    if (control == nullptr) {
        // Every layout is compiled in: a missing control is a programming error.
        wxFAIL_MSG("placement dialog without its tree");
        control = new wxTreeCtrl(&dialog, id); // owned by the dialog
    }
    return std::make_unique<CPlacementTree>(*control, images);
}

void BuildPlaces(CTreeNode& node)
{
    if (node.IsWastebasket() || node.IsInWastebasket() ||
        !(node.IsCatalogue() || node.IsFolder() || node.IsArea())) {
        return;
    }
    node.BuildChildren();
    for (CTreeNode* child = node.GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        BuildPlaces(*child);
    }
}
