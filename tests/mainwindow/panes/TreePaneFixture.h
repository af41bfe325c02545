#pragma once
// The panes' window tests on the typical catalogue: the root "My Catalogues" with one catalogue node,
// a fake frame, and a bare frame window holding the pane under test.

#include "tests/support/CatalogueBuilder.h"
#include "tests/support/FakePaneFrame.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowShot.h"
#include "tree/base/BaseItemNode.h"
#include "tree/catalogue/CatalogueNode.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/utils.h>

#include <cstdlib>
#include <memory>

namespace lumarc::test {

// The pane tests' name for the shared screenshot helper.
inline void ScreenshotRect(const wxRect& rect, const std::string& name)
{
    SaveScreenShot(rect, name);
}

// Runs the event loop for a while.
inline void RunEvents(int milliseconds)
{
    const wxLongLong end = wxGetLocalTimeMillis() + milliseconds;
    while (wxGetLocalTimeMillis() < end) {
        wxYield();
        wxMilliSleep(10);
    }
}

class PaneFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        catalogue = MakeTypicalCatalogue(MakeTempFolder("treepane"));
        root = std::make_unique<CBaseItemNode>();
        catalogueNode = CTreeNode::AppendNode<CCatalogueNode>(*root, catalogue.path);
        frame = std::make_unique<FakePaneFrame>(*root);
        window = new wxFrame(nullptr, wxID_ANY, "Tree pane", wxPoint(20, 20), wxSize(360, 420));
        Dialogs().Clear();
    }
    void TearDown() override
    {
        window->Destroy();
        wxYield();
        frame.reset();
        root.reset();
    }
    // The child of a node by name, built if need be.
    static CTreeNode* Child(CTreeNode& node, std::string_view name)
    {
        node.BuildChildren();
        for (CTreeNode* child = node.GetFirstChildNode(); child != nullptr;
             child = child->GetNextSiblingNode()) {
            if (child->NameEquals(name)) {
                return child;
            }
        }
        return nullptr;
    }

    TypicalCatalogue catalogue;
    std::unique_ptr<CBaseItemNode> root;
    CCatalogueNode* catalogueNode = nullptr;
    std::unique_ptr<FakePaneFrame> frame;
    wxFrame* window = nullptr;
};

} // namespace lumarc::test
