#include "mainwindow/common/WaitWindow.h"
#include "platform/ui/WxBroadcast.h"
#include "store/program/Broadcasts.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

namespace {

// The main frame's part: "DestroyWait" destroys the wait window and focuses the window it names.
class WaitWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        platform::ui::StartWxBroadcasts();
        InstallWaitWindow();
        m_frame = new wxFrame(nullptr, wxID_ANY, "frame", wxPoint(50, 50), wxSize(600, 400)); // owned by wx
        m_edit = new wxTextCtrl(m_frame, wxID_ANY);
        wxTheApp->SetTopWindow(m_frame);
        m_frame->Show();
        m_frame->Bind(platform::ui::EVT_REGISTERED_MESSAGE,
                      [this](platform::ui::RegisteredMessageEvent& event) {
                          if (event.GetMessage() == BroadcastMessageNumber(kDestroyWaitMessage)) {
                              ++m_destroyWaits;
                              DestroyWaitWindow(static_cast<wxWindow*>(event.Message().pointer));
                          }
                      });
    }
    void TearDown() override
    {
        DestroyWaitWindow(nullptr);
        m_frame->Destroy();
        wxTheApp->ProcessPendingEvents();
        platform::ui::StopWxBroadcasts();
    }

    wxFrame* m_frame = nullptr;
    wxTextCtrl* m_edit = nullptr;
    int m_destroyWaits = 0;
};

} // namespace

TEST_F(WaitWindowTest, ShowsOneWindowAndKeepsTheFrameFrozenWhileItIsShown)
{
    ShowWaitWindow();
    wxDialog* wait = GetWaitWindow();
    ASSERT_NE(wait, nullptr);
    EXPECT_TRUE(wait->IsShown());
    EXPECT_EQ(wait->GetParent(), m_frame);
    EXPECT_EQ(WaitWindowAnimation(), 148);
    EXPECT_TRUE(m_frame->IsFrozen());
    ShowWaitWindowAnimation147();
    EXPECT_EQ(GetWaitWindow(), wait);
    EXPECT_EQ(WaitWindowAnimation(), 148);
    for (int step = 0; step < 3; ++step) {
        StepWaitWindow();
    }

    CloseWaitWindow(m_edit);
    EXPECT_NE(GetWaitWindow(), nullptr); // posted: handled once the work is back in the message loop
    wxTheApp->ProcessPendingEvents();
    EXPECT_EQ(m_destroyWaits, 1);
    EXPECT_EQ(GetWaitWindow(), nullptr);
    EXPECT_FALSE(m_frame->IsFrozen());
}

TEST_F(WaitWindowTest, ClosingWithoutAWaitWindowPostsNothing)
{
    CloseWaitWindow(m_edit);
    CloseWaitWindow(); // the store's way
    wxTheApp->ProcessPendingEvents();
    EXPECT_EQ(m_destroyWaits, 0);
}

TEST_F(WaitWindowTest, FreezeAndThawStayBalancedOverManyWaits)
{
    for (int round = 0; round < 3; ++round) {
        ShowWaitWindow();
        ShowWaitWindow();
        DestroyWaitWindow(nullptr);
        DestroyWaitWindow(nullptr);
    }
    EXPECT_FALSE(m_frame->IsFrozen());
    m_frame->Freeze(); // the frame's own freezing is left alone
    ShowWaitWindow();
    DestroyWaitWindow(nullptr);
    EXPECT_TRUE(m_frame->IsFrozen());
    m_frame->Thaw();
    EXPECT_FALSE(m_frame->IsFrozen());
}

TEST_F(WaitWindowTest, GoesWithItsOwner)
{
    ShowWaitWindow();
    m_frame->Destroy();
    wxTheApp->ProcessIdle(); // windows are deleted when the program is idle
    EXPECT_EQ(GetWaitWindow(), nullptr);
    m_frame = new wxFrame(nullptr, wxID_ANY, "again"); // for TearDown
}
