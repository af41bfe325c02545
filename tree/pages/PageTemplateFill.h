#pragma once
// The steps every node page shares, for the page writers of the node classes: the template copied into
// a new "webPage.htm", the markers replaced by data (escaped) and a stock picture placed.

#include <string>
#include <string_view>

class CTreeNode;

namespace node_pages {

// Creates "webPage.htm" anew, copies the node's template into it and closes it; the copy's result.
bool CopyOwnTemplate(CTreeNode& node, std::string& message);

// Replaces the marker (the first of each line) by the value as page text (escaped, breaks as "<BR>").
void ReplaceWithText(std::string_view marker, std::string_view value);

// Copies the stock picture of the HTML folder over the node's picture file there, and makes
// "=PICTURE=" name it. A copy that fails leaves the marker naming a missing file: the page shows
// without its picture.
void PlaceStockPicture(std::string_view stock, std::string_view target);

} // namespace node_pages
