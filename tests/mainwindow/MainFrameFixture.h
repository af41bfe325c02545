#pragma once
// The main frame's window tests: the frame with its real tree and list panes over the catalogues a test
// registers, shown on the display, and destroyed after the test.

#include "mainwindow/MainFrame.h"
#include "mainwindow/frame/FramePanes.h"
#include "mainwindow/panes/list/CorvantView.h"
#include "mainwindow/panes/tree/LeftView.h"
#include "platform/ui/WxBroadcast.h"
#include "store/program/Settings.h"
#include "tests/mainwindow/panes/TreePaneFixture.h"
#include "tests/support/TestEnvironment.h"
#include "tree/base/TreeNode.h"

#include <gtest/gtest.h>
#include <wx/app.h>

#include <initializer_list>
#include <string_view>

namespace lumarc::test {

class MainFrameFixture : public testing::Test
{
protected:
    // Whether the frame hears the broadcasts by which commands tell every window to read a catalogue again.
    enum class Broadcasts
    {
        kNotHeard,
        kHeard
    };

    // No lesson or tip of the day over the frame, no dialog answers left over, the real panes. A test makes
    // its catalogues after this and then the frame.
    void SetUp() override
    {
        SetSettingString("ShowTraining", "FALSE");
        SetSettingInt("Tips", 0);
        Dialogs().Clear();
        FramePaneFactories factories;
        factories.makeTree = MakeLeftView;
        factories.makeList = MakeCorvantView;
        SetFramePaneFactories(std::move(factories));
    }
    void TearDown() override
    {
        if (frame != nullptr) {
            frame->Destroy();
        }
        wxTheApp->ProcessPendingEvents();
        if (m_broadcasts == Broadcasts::kHeard) {
            platform::ui::StopWxBroadcasts();
        }
        SetFramePaneFactories({});
    }

    // Makes and shows the frame over the registered catalogues; callers wrap it in ASSERT_NO_FATAL_FAILURE.
    void MakeFrame(Broadcasts broadcasts)
    {
        m_broadcasts = broadcasts;
        if (broadcasts == Broadcasts::kHeard) {
            platform::ui::StartWxBroadcasts();
        }
        frame = new CMainFrame({});
        ASSERT_TRUE(frame->Create());
        frame->Show();
        RunEvents(100);
    }

    // The element at a path of names below `node`, built on the way; null, and a failure, where one is
    // missing.
    CTreeNode* Below(CTreeNode* node, std::initializer_list<std::string_view> names)
    {
        for (std::string_view name : names) {
            if (node == nullptr) {
                return nullptr;
            }
            node->PopulateChildren(&frame->GetLeftView()->GetTreeControl());
            CTreeNode* found = nullptr;
            for (CTreeNode* child = node->GetFirstChildNode(); child != nullptr;
                 child = child->GetNextSiblingNode()) {
                if (child->NameEquals(name)) {
                    found = child;
                }
            }
            if (found == nullptr) {
                ADD_FAILURE() << "no " << name;
            }
            node = found;
        }
        return node;
    }
    // Selects the element in the tree and gives the tree the focus.
    void SelectInTree(CTreeNode* node)
    {
        frame->SelectElement(node);
        frame->GetLeftView()->GetWindow()->SetFocus();
        RunEvents(50);
    }

    CMainFrame* frame = nullptr; // destroyed by the toolkit once TearDown asks

private:
    Broadcasts m_broadcasts = Broadcasts::kNotHeard;
};

} // namespace lumarc::test
