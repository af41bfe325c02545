#pragma once
// The columns of the content list: which fields a list of an element's rows shows, chosen from what the
// rows hold (one folder or several, one data file or several) when the list is filled. No window code:
// the list pane turns the columns into header items.

#include "tree/base/NodeListPane.h"

#include <string>
#include <vector>

class CItemSet;
class CTreeNode;

// Field numbers of the columns that do not show a data field.
namespace list_field {
inline constexpr int kFolder = 96;
inline constexpr int kCatalogue = 97;
inline constexpr int kCreated = 98;
inline constexpr int kModified = 99;
inline constexpr int kName = 100;
inline constexpr int kOwnIt = 196;
inline constexpr int kUnsortable = 1000;
} // namespace list_field

// Who made the list: the main window's list, the record form's two lists, the "Open" dialog's.
namespace list_role {
inline constexpr int kFormAttachments = 10;
inline constexpr int kMainList = 11;
inline constexpr int kFormList = 12;
} // namespace list_role

enum class ListAlign
{
    Left,
    Centre,
    Right,
};

struct ListColumn
{
    std::string title;
    // A data field (0 to 95) or one of list_field.
    int field = list_field::kName;
    int width = 70;
    ListAlign align = ListAlign::Left;
};

struct ListColumnSet
{
    std::vector<ListColumn> columns;
    // Grid lines instead of full-row selection (a view-only catalogue in the record form).
    bool gridLines = false;
};

// The first column's width from the setting "FirstColumnWidth" (220 without one, at least 10).
int FirstColumnWidth();

// The columns for the rows of `shown` (its item set loaded) in a list of that role.
ListColumnSet ChooseListColumns(CTreeNode* shown, int role);

// The columns of rows an element hands over itself (the ordering nodes' rows through their list hook):
// "Name" and the rows' "Price", "Quantity" and "Total", none of them sortable.
ListColumnSet NodeRowColumns(NodeListColumns columns);
