#pragma once
// A catalogue element as the root's children hold them, labelled apart from its catalogue's name, for
// the dialogs that list the catalogues of the tree.

#include "store/catalogue/CatalogueDb.h"
#include "tree/base/TreeNode.h"

#include <string_view>

namespace lumarc::test {

class FakeCatalogueNode : public CTreeNode
{
public:
    FakeCatalogueNode(std::string_view label, CCatalogueDb& catalogue)
        : CTreeNode(label, 0, 0), m_catalogue(catalogue)
    {
    }
    bool IsCatalogue() override { return true; }
    CCatalogueDb* GetCatalogue() override { return &m_catalogue; }

private:
    CCatalogueDb& m_catalogue;
};

} // namespace lumarc::test
