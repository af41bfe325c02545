#pragma once
// The items that many node menus share: the Edit items, Delete, Rename, Duplicate, the "Send to" and
// "Print" submenus, the "New" menu of an element and its "New %s" items.

#include "tree/menus/NodeMenu.h"

#include <string>

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

// The element's "New" menu: catalogue, folder (greyed unless the catalogue allows folders), query,
// list, data type, then the catalogue's data files offered in menus and, in a "Table" popup, the others.
std::unique_ptr<CNodeMenu> BuildNewMenu(CTreeNode& element);
// The popup "New" holding the element's "New" menu.
void AddNewPopup(CNodeMenu& menu, CTreeNode& element);
// "New %s" with the data file's menu name; the data file's companion picture from the catalogue
// stands in for `picture` when there is one (`companion`). False (nothing added) when the data file
// has no menu name.
bool AddNewOfKindItem(CNodeMenu& menu, CCatalogueDb& catalogue, int kind, int command, int picture,
                      bool companion);

// Whether a node's catalogue is view-only (false without a catalogue).
bool IsInViewOnlyCatalogue(CTreeNode& node);
