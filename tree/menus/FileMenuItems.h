#pragma once
// The items that many node menus share: the Edit items, Delete, Rename, Duplicate, the "Send to" and
// "Print" submenus, the "New" menu of an element and its "New %s" items.

#include "tree/menus/NodeMenu.h"

#include <functional>
#include <string>
#include <vector>

class CDataFileDef;
class CTreeNode;

// Cut and Copy (greyed unless the node can put itself on the clipboard) and Paste (greyed unless the
// clipboard holds entries the node takes).
void AddEditItems(CNodeMenu& menu, CTreeNode& node);
// "&Duplicate": greyed unless the node is a record of a writable catalogue.
void AddDuplicateItem(CNodeMenu& menu, CTreeNode* node);
// "Delete": greyed without a node, in a view-only catalogue, or when the node refuses deletion.
void AddDeleteItem(CNodeMenu& menu, CTreeNode* node);
// "Rena&me": greyed unless the node can be renamed in place in a writable catalogue.
void AddRenameItem(CNodeMenu& menu, CTreeNode* node);
// The "Sen&d to" popup (fax, mail) and a separator.
void BuildSendTo(CNodeMenu& menu, bool faxAllowed, bool mailAllowed, bool selection);
// The "&Print..." popup (index cards, inventory report) and a separator.
void BuildPrintSubmenu(CNodeMenu& menu, bool enabled);

// The data files whose new items menus offer, in file number order: those from 0 to 98 with a menu name,
// without the item lists and the stored queries, and without the to-do list unless the catalogue is the
// to-do catalogue. Each menu then keeps those it shows (IsInMenu) or puts the others aside.
std::vector<const CDataFileDef*> NewItemDataFiles(CCatalogueDb& catalogue);
// The item of the bookmarks (24) or the to-do list (25): its menu name with its own command and picture.
// Null (nothing added) for any other data file.
CNodeMenu::Entry* AddNewBookmarkOrToDoItem(CNodeMenu& menu, const CDataFileDef& definition, int flags);

// The element's "New" menu: catalogue, folder (greyed unless the catalogue allows folders), query,
// list, data type, then the catalogue's data files offered in menus and, in a "Table" popup, the others.
std::unique_ptr<CNodeMenu> BuildNewMenu(CTreeNode& element);
// The popup "New" holding the element's "New" menu.
void AddNewPopup(CNodeMenu& menu, CTreeNode& element);
// "New %s" with the data file's menu name; the data file's companion picture from the catalogue
// stands in for `picture` when there is one (`companion`). Null (nothing added) when the data file has
// no menu name.
CNodeMenu::Entry* AddNewOfKindItem(CNodeMenu& menu, CCatalogueDb& catalogue, int kind, int command,
                                   int picture, bool companion);
// The "Add an item" menu of a record's linked children: the data files offered in menus, the bookmarks
// and the to-do list as the "New" menu has them, every other one as "New %s" with its companion picture.
// An entry's command is kFirstNewOfKind plus its data file (the bookmarks' and the to-do list's own
// commands are those too); the entries of data files `canAdd` refuses are greyed.
std::unique_ptr<CNodeMenu> BuildAddItemMenu(CCatalogueDb& catalogue,
                                            const std::function<bool(int dataFile)>& canAdd);

// Whether a node's catalogue is view-only (false without a catalogue).
bool IsInViewOnlyCatalogue(CTreeNode& node);
