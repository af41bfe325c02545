#pragma once
// The catalogues the main window shows: the catalogue elements among the root element's children, in
// tree order. The Options pages and the catalogue chooser offer them in their lists.

#include <string>
#include <vector>

class CCatalogueDb;
class CTreeNode;

struct CatalogueChoice
{
    std::string name; // the element's label
    CTreeNode* node = nullptr;
    CCatalogueDb* catalogue = nullptr;
};

// Every catalogue element under `root` (none when null); without the view-only catalogues when
// `withoutViewOnly`.
std::vector<CatalogueChoice> ListCatalogueChoices(CTreeNode* root, bool withoutViewOnly = false);
