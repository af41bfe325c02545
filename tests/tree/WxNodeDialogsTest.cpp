// The tree model's windows and broadcasts under a real wxApp: the folder-delete confirmation shown as
// dialog 307 and answered by its buttons, and the unload broadcast reaching a second running copy.

#include "tree/wx/WxNodeDialogs.h"
#include "platform/ui/WxBroadcast.h"
#include "resources/XrcResources.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Broadcasts.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/PeerProcess.h"
#include "tests/support/TestEnvironment.h"
#include "tests/tree/TestCatalogueNode.h"
#include "tree/base/BaseItemNode.h"

#include "tests/support/ModalDialogs.h"
#include "tests/support/WindowShot.h"
#include "tree/records/RecordNodes.h"
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>

#include <wx/dialog.h>
#include <wx/stattext.h>

namespace {

using namespace lumarc::test;

class TreeWindowsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        resources::LoadXrcResources();
        made = MakeTypicalCatalogue(MakeTempFolder("treewx"));
        catalogue = std::make_unique<CCatalogueDb>(made.path);
        root = std::make_unique<CBaseItemNode>();
        catalogueNode = CTreeNode::AppendNode<TestCatalogueNode>(*root, *catalogue);
        catalogueNode->PopulateChildren(nullptr);
    }
    void TearDown() override
    {
        SetNodeDialogs(nullptr);
        root.reset();
        catalogue.reset();
    }

    TypicalCatalogue made;
    std::unique_ptr<CCatalogueDb> catalogue;
    std::unique_ptr<CBaseItemNode> root;
    TestCatalogueNode* catalogueNode = nullptr;
};

} // namespace

TEST_F(TreeWindowsTest, FolderDeleteAsksWithDialog307AndYesToAllDeletesQuietly)
{
    CWxNodeDialogs dialogs;
    SetNodeDialogs(&dialogs);
    CTreeNode* asia = catalogueNode->FindByNodePath("Asia");
    ASSERT_NE(asia, nullptr);
    WhenShown([](wxDialog& dialog) {
        EXPECT_EQ(dialog.GetTitle(), "Confirm Folder Delete");
        auto* question = dynamic_cast<wxStaticText*>(dialog.FindWindow(1022));
        ASSERT_NE(question, nullptr);
        EXPECT_TRUE(question->GetLabel().StartsWith("Are you sure you want to delete the Asia folder?"));
        for (int id : {6, 8, 7}) {
            EXPECT_NE(dialog.FindWindow(id), nullptr) << id;
        }
        SaveWindowShot(dialog, "confirm-folder-delete");
        wxCommandEvent click(wxEVT_BUTTON, 8);
        click.SetEventObject(dialog.FindWindow(8));
        dialog.FindWindow(8)->GetEventHandler()->ProcessEvent(click);
    });
    EXPECT_EQ(asia->Delete(nullptr, false), kDeleteDoneYesToAll);
    EXPECT_EQ(catalogue->FindFolder(made.asia), nullptr);
}

TEST_F(TreeWindowsTest, RecordDeleteAsksWithDialog146AndNoKeepsTheRecord)
{
    CWxNodeDialogs dialogs;
    SetNodeDialogs(&dialogs);
    CFolderRecordNode franc(made.franc.In(*catalogue));
    WhenShown([](wxDialog& dialog) {
        EXPECT_EQ(dialog.GetTitle(), "Confirm Item Delete");
        auto* question = dynamic_cast<wxStaticText*>(dialog.FindWindow(1022));
        ASSERT_NE(question, nullptr);
        EXPECT_TRUE(question->GetLabel().StartsWith("Are you sure you want to send "));
        SaveWindowShot(dialog, "confirm-item-delete");
        wxCommandEvent click(wxEVT_BUTTON, 7);
        click.SetEventObject(dialog.FindWindow(7));
        dialog.FindWindow(7)->GetEventHandler()->ProcessEvent(click);
    });
    EXPECT_EQ(franc.Delete(nullptr, false), kDeleteRefused);
    EXPECT_TRUE(IsLiveRecord(*catalogue, made.franc.In(*catalogue)));
}

TEST_F(TreeWindowsTest, UnloadBroadcastsReachASecondRunningCopy)
{
    RegisterBroadcastMessages();
    ASSERT_TRUE(platform::ui::StartWxBroadcasts());
    PeerProcess peer(BROADCAST_PEER, MakeTempFolder("peer") / "peer.log");
    ASSERT_TRUE(peer.WaitForLog("ready ")) << peer.Log();

    CTreeNode* europe = catalogueNode->FindByNodePath("Europe");
    europe->SendUnload();
    EXPECT_NE(peer.Log().find("first Unload_Element Coins of the world^Europe^\n"), std::string::npos)
        << peer.Log();
    europe->PostUnload();
    EXPECT_TRUE(peer.WaitForLog("second Unload_Element Coins of the world^Europe^\n")) << peer.Log();

    platform::ui::Broadcaster::Instance().Send(BroadcastMessageNumber(kRefreshMessage), 0, "quit");
    EXPECT_TRUE(peer.WaitExit());
    platform::ui::StopWxBroadcasts();
}
