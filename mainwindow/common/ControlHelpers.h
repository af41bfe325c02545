#pragma once
// Small helpers over list boxes and tree controls.

#include <functional>
#include <string_view>

#include <wx/treebase.h>

class wxItemContainer;
class wxTreeCtrl;

// Appends a text with its item data; returns the new item's index.
int AddListItemWithData(wxItemContainer& list, std::string_view text, void* data);

// Depth-first search from `start` (the root when not valid): the item itself, its children (expanded or
// not) before its next sibling, then the following siblings. An invalid id when nothing matches.
wxTreeItemId FindTreeItem(const wxTreeCtrl& tree, wxTreeItemId start,
                          const std::function<bool(const wxTreeItemId&)>& matches);

// The first item whose item data is `data`.
wxTreeItemId FindTreeItemByData(const wxTreeCtrl& tree, wxTreeItemId start, const wxTreeItemData* data);

// Item states a search can look for (any of the bits matches).
enum TreeItemState : unsigned
{
    kTreeItemSelected = 0x0002,
    kTreeItemBold = 0x0010,
    kTreeItemExpanded = 0x0020,
};
wxTreeItemId FindTreeItemByState(const wxTreeCtrl& tree, wxTreeItemId start, unsigned stateBits);
