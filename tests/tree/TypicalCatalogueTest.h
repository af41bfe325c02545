#pragma once
// Fixtures for the tree model's tests on the typical fixture catalogue: the catalogue alone, opened and
// opened again as a test needs; and the catalogue under a test catalogue node that shows in a recording
// tree control, the way the tree pane shows a catalogue.

#include "store/catalogue/CatalogueDb.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/tree/RecordingTreeControl.h"
#include "tests/tree/TestCatalogueNode.h"
#include "tree/base/BaseItemNode.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace lumarc::test {

class TypicalCatalogueTest : public testing::Test
{
protected:
    // Makes the catalogue in a fresh temporary folder named after `folder` and opens it.
    void MakeAndOpen(const std::string& folder)
    {
        made = MakeTypicalCatalogue(MakeTempFolder(folder));
        Open();
    }
    // Opens the catalogue (again); a fatal failure when it does not open.
    void Open()
    {
        catalogue.reset();
        catalogue = std::make_unique<CCatalogueDb>(made.path);
        ASSERT_TRUE(catalogue->IsOpen());
    }

    TypicalCatalogue made;
    std::unique_ptr<CCatalogueDb> catalogue;
};

class TypicalCatalogueTreeTest : public TypicalCatalogueTest
{
protected:
    // Makes and opens the catalogue (see MakeAndOpen) and hangs its catalogue node, shown in `tree`,
    // under a fresh root.
    void OpenTypicalCatalogue(const std::string& folder)
    {
        ASSERT_NO_FATAL_FAILURE(MakeAndOpen(folder));
        root = std::make_unique<CBaseItemNode>();
        catalogueNode = CTreeNode::AppendNode<TestCatalogueNode>(*root, *catalogue);
        catalogueNode->InsertTreeItem(tree, false, false);
    }
    // The nodes go before the catalogue they read.
    void TearDown() override
    {
        root.reset();
        catalogue.reset();
    }

    // Builds every folder node of the catalogue, as a pane expanding each one would.
    void ExpandAll()
    {
        catalogueNode->PopulateChildren(&tree);
        for (CTreeNode* node = catalogueNode; node != nullptr; node = NextTreeNode(node, catalogueNode)) {
            node->PopulateChildren(&tree);
        }
    }

    CTreeNode* Find(const std::string& path) { return catalogueNode->FindByNodePath(path); }

    std::unique_ptr<CBaseItemNode> root;
    TestCatalogueNode* catalogueNode = nullptr;
    RecordingTreeControl tree;
};

} // namespace lumarc::test
