#pragma once
// What the main frame keeps of the element tree from one run to the next: which elements were expanded
// (the setting "Expanded", a property tree of their paths) and which was selected ("Selected", the full
// path of names from the root down). Restoring walks the whole saved path, building children on the
// way, so the user comes back to the folder or record they left, not only to its catalogue.

#include <string>
#include <string_view>
#include <vector>

class CFrameTreePane;
class CTreeNode;

// The "Expanded" text for every built element below the root whose attribute "Expanded" is true, in
// tree order (parents before their children), at most `maxLength` characters (entries that would not
// fit are left out whole).
std::string BuildExpandedState(CTreeNode& root, size_t maxLength = 40000);
// The paths (below the root) an "Expanded" text names as expanded, in its order; none for a malformed
// text.
std::vector<std::string> ExpandedPaths(std::string_view text);

// The element a "Selected" text names: null unless it is at least 2 characters long and holds '^'; the
// root when the name below the root is 1 character or less; null when that name (the catalogue) is not
// found; else the deepest element its names lead to, children built on the way.
CTreeNode* FindElementBySelectedPath(CTreeNode& root, std::string_view text);

// The element whose names below the root, joined by `separator`, make the path ("Coins:Europe" or the
// display path "Coins/Europe" that shortcuts carry); names holding the separator themselves are matched
// whole. Children are built on the way; null when no element has that path.
CTreeNode* FindElementByNames(CTreeNode& root, std::string_view path, char separator);

// Writes "Selected" (the current element's full path) and "Expanded".
void SaveTreeState(CTreeNode& root, CTreeNode* current);
// Expands in the tree pane every element "Expanded" names and returns the element "Selected" names
// (null when none), expanded down to in the pane.
CTreeNode* RestoreTreeState(CTreeNode& root, CFrameTreePane& tree);
