#pragma once
// The controls a tree node drives, as the model sees them: a tree control (the catalogue tree pane, the
// destination choosers of dialogs) and an extended combo box (the address bar, the placement dialogs).
// The panes implement them over wxTreeCtrl and wxBitmapComboBox; tests implement them as recording fakes.
//
// A node keeps no item handle: the same node shows in several controls at once, so each control keeps
// its own map between its items and the nodes they show (ItemOf). A control also hears when a node is
// destroyed (CTreeNodeObserver), so its map never holds a node that is gone.

#include <cstdint>
#include <string>

class CCatalogueImage;
class CTreeNode;

// An item of one control; 0 is no item (and, as a parent, the control's top level).
using TreeItemId = std::uintptr_t;
inline constexpr TreeItemId kNoTreeItem = 0;

class CTreeControl
{
public:
    virtual ~CTreeControl() = default;

    // Appends an item as the last child of `parent` (kNoTreeItem: at the top level) showing the node,
    // and maps the node to it. `hasButton` shows the expand button before the children exist.
    virtual TreeItemId AppendItem(TreeItemId parent, const std::string& text, int image, int selectedImage,
                                  CTreeNode* node, bool bold, bool hasButton) = 0;
    // The item that shows the node in this control; kNoTreeItem when it shows none.
    virtual TreeItemId ItemOf(const CTreeNode* node) const = 0;
    // False when the item cannot be expanded (collapsed).
    virtual bool Expand(TreeItemId item) = 0;
    virtual bool Collapse(TreeItemId item) = 0;
    virtual void SetItemImages(TreeItemId item, int image, int selectedImage) = 0;
    virtual void SelectItem(TreeItemId item) = 0;
    // Deletes the items below the item (not the item), and their mappings.
    virtual void DeleteChildItems(TreeItemId item) = 0;

    // The image-list index of an image kind (the program's table of image kinds).
    virtual int ImageIndexOfKind(int kind) const = 0;
    // True for the catalogue tree pane, whose image list takes the catalogue's data-file pictures.
    virtual bool IsTreePane() const = 0;
    // Adds a picture to the image list, the colour 0xFF00FF transparent; its index, or -1.
    virtual int AddImage(const CCatalogueImage& picture) = 0;
};

// An extended combo box of nodes: one line per node, indented, with the node's picture.
class CNodeComboBox
{
public:
    virtual ~CNodeComboBox() = default;
    virtual int GetControlId() const = 0;
    virtual void Clear() = 0;
    // Appends a line; its index.
    virtual int AppendLine(int indent, const std::string& text, int image, int selectedImage,
                           CTreeNode* node) = 0;
    virtual void SelectLine(int index) = 0;
    virtual int ImageIndexOfKind(int kind) const = 0;
};

// A node's image value as an image-list index: a value of 1000 or less is an image kind, a value above
// 1000 an image-list index plus 1000 (a picture added at run time).
template <typename Control>
int ImageListIndex(const Control& control, int imageValue)
{
    return imageValue > 1000 ? imageValue - 1000 : control.ImageIndexOfKind(imageValue);
}

// Hears of every node's destruction, so that a control can forget the node's item.
class CTreeNodeObserver
{
public:
    virtual ~CTreeNodeObserver() = default;
    virtual void NodeDestroyed(const CTreeNode* node) = 0;
};

// Registers an observer (not owned) until it is removed. User-interface thread only.
void AddTreeNodeObserver(CTreeNodeObserver* observer);
void RemoveTreeNodeObserver(CTreeNodeObserver* observer);
