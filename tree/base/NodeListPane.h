#pragma once
// The list pane as the nodes see it: where a row stands, the strip of field editors laid over a row,
// and refreshing what the rows show. The list pane implements it over wx (tree/wx/InPlaceEditStrip.h
// holds the strip); tests implement it as a recording fake.

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CInPlaceEdit;
class CTreeNode;
struct NodePoint;

// The columns a list of elements shows: those of item lists, or those of a query's records.
enum class NodeListColumns
{
    kItemList,
    kQuery,
};

// One row of a list of elements: its element (the row's data), its text and picture (an image kind),
// and the texts of the columns after the first.
struct NodeListRow
{
    CTreeNode* element = nullptr;
    std::string text;
    int image = 0;
    std::vector<std::string> subItems;
};

// Where a row stands, in the coordinates of the list's parent window.
struct NodeRowBounds
{
    int x = 0;
    int y = 0;
    int rowHeight = 0;
    // The width of the list's first column.
    int firstColumnWidth = 0;
};

class CNodeListPane
{
public:
    virtual ~CNodeListPane() = default;
    // The row under the point (in the list's client coordinates); false when no row is there.
    virtual bool RowAt(NodePoint point, NodeRowBounds& bounds) = 0;
    // Lays the editors of `edit` over the row and returns at once; `closed` runs when the strip closes,
    // with true when it saved the record.
    virtual void EditRowFields(std::unique_ptr<CInPlaceEdit> edit, const NodeRowBounds& bounds,
                               std::function<void(bool saved)> closed) = 0;
    // Shows every tree and list label again from its node.
    virtual void RefreshLabels() = 0;
    // Shows these rows, in order, under the columns, in place of the rows shown so far. A pane that shows
    // only record rows ignores them.
    virtual void ShowRows(NodeListColumns /*columns*/, const std::vector<NodeListRow>& /*rows*/) {}
    // Gives the keyboard focus back to the pane, after a refused or declined deletion.
    virtual void RestoreFocus() {}
};
