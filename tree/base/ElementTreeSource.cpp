#include "tree/base/ElementTreeSource.h"

#include "store/records/ItemSet.h"
#include "tree/base/TreeNode.h"

std::vector<CCatalogueDb*> CElementTreeSource::GetCatalogueNodes()
{
    std::vector<CCatalogueDb*> catalogues;
    for (CTreeNode* node = &m_root; node != nullptr;
         node = NextTreeNode(node, &m_root, !node->IsCatalogue())) {
        if (node->IsCatalogue() && node->GetCatalogue() != nullptr) {
            catalogues.push_back(node->GetCatalogue());
        }
    }
    return catalogues;
}

std::string CElementTreeSource::GetPathOfNodeHolding(const CRecord& record)
{
    for (CTreeNode* node = &m_root; node != nullptr; node = NextTreeNode(node, &m_root)) {
        CItemSet* set = node->GetItemSet();
        if (set != nullptr && set->IsLoaded() && set->ContainsRecord(record)) {
            return node->GetPath();
        }
    }
    return {};
}
