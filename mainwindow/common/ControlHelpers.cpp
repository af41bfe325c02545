#include "mainwindow/common/ControlHelpers.h"

#include <wx/ctrlsub.h>
#include <wx/treectrl.h>

int AddListItemWithData(wxItemContainer& list, std::string_view text, void* data)
{
    return list.Append(wxString::FromUTF8(text.data(), text.size()), data);
}

wxTreeItemId FindTreeItem(const wxTreeCtrl& tree, wxTreeItemId start,
                          const std::function<bool(const wxTreeItemId&)>& matches)
{
    for (wxTreeItemId item = start.IsOk() ? start : tree.GetRootItem(); item.IsOk();
         item = tree.GetNextSibling(item)) {
        if (matches(item)) {
            return item;
        }
        wxTreeItemIdValue cookie;
        if (const wxTreeItemId child = tree.GetFirstChild(item, cookie); child.IsOk()) {
            if (const wxTreeItemId found = FindTreeItem(tree, child, matches); found.IsOk()) {
                return found;
            }
        }
    }
    return {};
}

wxTreeItemId FindTreeItemByData(const wxTreeCtrl& tree, wxTreeItemId start, const wxTreeItemData* data)
{
    return FindTreeItem(tree, start,
                        [&](const wxTreeItemId& item) { return tree.GetItemData(item) == data; });
}

wxTreeItemId FindTreeItemByState(const wxTreeCtrl& tree, wxTreeItemId start, unsigned stateBits)
{
    return FindTreeItem(tree, start, [&](const wxTreeItemId& item) {
        return ((stateBits & kTreeItemSelected) != 0 && tree.IsSelected(item)) ||
               ((stateBits & kTreeItemBold) != 0 && tree.IsBold(item)) ||
               ((stateBits & kTreeItemExpanded) != 0 && tree.ItemHasChildren(item) && tree.IsExpanded(item));
    });
}
