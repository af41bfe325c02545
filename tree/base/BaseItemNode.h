#pragma once
// The root element "My Catalogues": the catalogue nodes hang below it. It is also the main frame's
// pane-state tree. Making it restarts the serial numbers: the root has 0, the next node 1.

#include "tree/base/TreeNode.h"

class CBaseItemNode : public CTreeNode
{
public:
    // Its web page (tree/pages/NodePages.cpp).
    bool FillPageTemplate(std::string& message) override;
    CBaseItemNode();

    bool IsRoot() override { return true; }
    bool IsEmpty() override { return false; }
    CCatalogueDb* GetCatalogue() override { return nullptr; }
    CTreeNode* GetCatalogueNode() override { return nullptr; }
    void BuildItemMenu(CNodeMenu* menu) override;
};
