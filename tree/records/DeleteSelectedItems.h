#pragma once
// The list pane's delete command (File > Delete, the Delete key, the record window's delete) as the
// model sees it: the pane hands over its focused element and its selected rows' elements, and removes
// from its list the rows the answer names.

#include <cstddef>
#include <vector>

class CNodeListPane;
class CTreeNode;

struct DeleteSelectionResult
{
    // How many of the selected rows, from the first, were deleted: the pane removes those rows.
    size_t deletedRows = 0;
    // The tree's item sets hold what was deleted: the pane reloads them.
    bool invalidateSets = false;
};

// One row: its element's Delete. Several rows of elements other than records: each row's Delete in
// turn, a Yes to All carried on to the rows after it. Several records: one question for all (from the
// focused record's class), then each row without asking. A refusal or No stops the walk; rows already
// deleted stay deleted and are named in the result. Nothing is deleted without a focused element, nor
// in a view-only catalogue (but from an item list, which only loses its links). The wait window shows
// while the records go.
DeleteSelectionResult DeleteSelectedItems(CTreeNode* focused, const std::vector<CTreeNode*>& selected,
                                          CNodeListPane* pane);
