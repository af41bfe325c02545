#pragma once
// CPlacementTree: the element tree inside a placement dialog. It drives the dialog's wxTreeCtrl as a
// CTreeControl, so the nodes insert themselves exactly as they do into the tree pane, and it shows the
// pane's pictures (the pane's image list when the frame has a tree pane, a list of its own otherwise).

#include "tree/base/TreeControl.h"

#include <wx/treectrl.h>

#include <memory>
#include <unordered_map>

class CTreeImageTable;

class CPlacementTree : public CTreeControl, public CTreeNodeObserver
{
public:
    // Drives `tree` (a control with a hidden root); `images` is the tree pane's table, or null.
    CPlacementTree(wxTreeCtrl& tree, CTreeImageTable* images);
    ~CPlacementTree() override;
    CPlacementTree(const CPlacementTree&) = delete;
    CPlacementTree& operator=(const CPlacementTree&) = delete;

    TreeItemId AppendItem(TreeItemId parent, const std::string& text, int image, int selectedImage,
                          CTreeNode* node, bool bold, bool hasButton) override;
    TreeItemId ItemOf(const CTreeNode* node) const override;
    bool Expand(TreeItemId item) override;
    bool Collapse(TreeItemId item) override;
    void SetItemImages(TreeItemId item, int image, int selectedImage) override;
    void SelectItem(TreeItemId item) override;
    void DeleteChildItems(TreeItemId item) override;
    int ImageIndexOfKind(int kind) const override;
    bool IsTreePane() const override { return false; }
    int AddImage(const CCatalogueImage& picture) override;

    void NodeDestroyed(const CTreeNode* node) override;

    // The node of the caret item; null when there is none.
    CTreeNode* GetCaretNode() const;
    // Expands the node's item and makes the item of `caret` (when shown, else the node's) the caret item.
    void ExpandAndSelect(CTreeNode& start, CTreeNode* caret);
    wxTreeCtrl& GetControl() { return m_tree; }

private:
    // An image value as an index of the shown list; a picture the list does not hold shows as none.
    int Shown(int image) const;

    wxTreeCtrl& m_tree;
    std::unique_ptr<CTreeImageTable> m_ownImages;
    CTreeImageTable* m_images;
    wxTreeItemId m_root;
    std::unordered_map<const CTreeNode*, wxTreeItemId> m_items;
    std::unordered_map<void*, CTreeNode*> m_nodes;
};

class wxDialog;

// The tree control `id` of a dialog loaded from its layout, driven as a CPlacementTree.
std::unique_ptr<CPlacementTree> MakePlacementTree(wxDialog& dialog, int id, CTreeImageTable* images);
// Folders and areas build their children only when a pane first opens them: every place a dialog offers
// is built first (not the records), so that none is missing from its tree.
void BuildPlaces(CTreeNode& node);
