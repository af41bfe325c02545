#include "mainwindow/dialogs/CatalogueChoices.h"

#include "store/catalogue/CatalogueDb.h"
#include "tree/base/TreeNode.h"

std::vector<CatalogueChoice> ListCatalogueChoices(CTreeNode* root, bool withoutViewOnly)
{
    std::vector<CatalogueChoice> choices;
    if (root == nullptr) {
        return choices;
    }
    for (CTreeNode* node = root->GetFirstChildNode(); node != nullptr; node = node->GetNextSiblingNode()) {
        if (!node->IsCatalogue()) {
            continue;
        }
        CCatalogueDb* catalogue = node->GetCatalogue();
        if (catalogue == nullptr || (withoutViewOnly && catalogue->IsViewOnly())) {
            continue;
        }
        choices.push_back({node->GetName(), node, catalogue});
    }
    return choices;
}
