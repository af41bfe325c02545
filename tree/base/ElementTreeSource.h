#pragma once
// The element tree as the item clipboard reads and writes it: the catalogues of its catalogue nodes, and
// the path of the node that shows a record.

#include "store/clipboard/ClipboardEntry.h"

class CTreeNode;

class CElementTreeSource final : public CCatalogueNodeSource
{
public:
    explicit CElementTreeSource(CTreeNode& root) : m_root(root) {}
    std::vector<CCatalogueDb*> GetCatalogueNodes() override;
    // Only loaded item sets are searched: looking never loads one.
    std::string GetPathOfNodeHolding(const CRecord& record) override;

private:
    CTreeNode& m_root;
};
