#pragma once
// A catalogue node for the model's tests, until the catalogue node itself is built: it holds an open
// catalogue and builds the catalogue's top-level folders as its children, as the catalogue node does.

#include "store/catalogue/CatalogueDb.h"
#include "store/records/FolderRecord.h"
#include "tree/base/ImageKinds.h"
#include "tree/containers/ContainerNode.h"

namespace lumarc::test {

class TestCatalogueNode : public CTreeNode
{
public:
    explicit TestCatalogueNode(CCatalogueDb& catalogue)
        : CTreeNode(catalogue.GetName(), image_kind::kCatalogueClosed, image_kind::kCatalogueOpen),
          m_catalogue(catalogue)
    {
    }
    bool IsCatalogue() override { return true; }
    bool IsEmpty() override { return false; }
    CCatalogueDb* GetCatalogue() override { return &m_catalogue; }
    CTreeNode* GetCatalogueNode() override { return this; }
    void BuildChildren() override
    {
        if (!m_built) {
            m_built = true;
            CContainerNode::BuildFolderChildren(*this, m_catalogue, RootFolderCode());
        }
    }

private:
    CCatalogueDb& m_catalogue;
    bool m_built = false;
};

} // namespace lumarc::test
