#include "mainwindow/startup/SplashWindow.h"
#include "mainwindow/startup/TipDlg.h"
#include "store/program/Settings.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowShot.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/html/htmlwin.h>
#include <wx/image.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

using lumarc::test::SaveWindowShot;

using namespace std::chrono_literals;

std::string ReadFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class SplashTest : public testing::Test
{
protected:
    void SetUp() override
    {
        wxInitAllImageHandlers();
        EnableSplashScreen(true);
        m_frame = new wxFrame(nullptr, wxID_ANY, "frame", wxPoint(100, 100), wxSize(700, 500)); // owned by wx
        m_frame->Show();
    }
    void TearDown() override
    {
        if (CSplashWindow* splash = CSplashWindow::Current()) {
            splash->HideSplashScreen();
        }
        m_frame->Destroy();
        wxTheApp->ProcessPendingEvents();
    }
    void Show()
    {
        ShowSplashScreen(
            m_frame, [this] { return m_restored; }, [this] { return m_now; });
    }

    wxFrame* m_frame = nullptr;
    bool m_restored = false;
    std::chrono::steady_clock::time_point m_now;
};

} // namespace

TEST_F(SplashTest, GoesOnceTheStateIsRestoredOrAfterTwoAndAHalfSeconds)
{
    Show();
    CSplashWindow* splash = CSplashWindow::Current();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->IsShown());
    wxYield();
    EXPECT_EQ(splash->GetClientSize(), MakeSplashBitmap().GetSize());
    SaveWindowShot(*splash, "splash");
    Show(); // one splash at a time
    EXPECT_EQ(CSplashWindow::Current(), splash);

    m_now += 2499ms;
    splash->OnTick();
    EXPECT_EQ(CSplashWindow::Current(), splash);
    m_restored = true;
    splash->OnTick();
    EXPECT_EQ(CSplashWindow::Current(), nullptr);

    m_restored = false;
    Show();
    ASSERT_NE(CSplashWindow::Current(), nullptr);
    m_now += 2500ms;
    CSplashWindow::Current()->OnTick();
    EXPECT_EQ(CSplashWindow::Current(), nullptr);
}

TEST_F(SplashTest, TakesTheFirstKeyOrMouseButtonPressForItself)
{
    const wxEventType presses[] = {wxEVT_KEY_DOWN, wxEVT_LEFT_DOWN, wxEVT_RIGHT_DOWN, wxEVT_MIDDLE_DOWN};
    for (const wxEventType type : presses) {
        Show();
        ASSERT_NE(CSplashWindow::Current(), nullptr);
        wxMouseEvent motion(wxEVT_MOTION);
        EXPECT_FALSE(PreTranslateAppMessage(motion));
        EXPECT_NE(CSplashWindow::Current(), nullptr);
        wxKeyEvent key(wxEVT_KEY_DOWN);
        wxMouseEvent mouse(type);
        wxEvent& press = type == wxEVT_KEY_DOWN ? static_cast<wxEvent&>(key) : mouse;
        EXPECT_TRUE(PreTranslateAppMessage(press));
        EXPECT_EQ(CSplashWindow::Current(), nullptr);
        EXPECT_FALSE(PreTranslateAppMessage(press)); // no splash: nothing is taken
    }
}

TEST_F(SplashTest, AKeyPressOnTheFrameClosesItAndGoesNoFurther)
{
    int keysSeen = 0;
    m_frame->Bind(wxEVT_CHAR_HOOK, [&](wxKeyEvent& event) {
        ++keysSeen;
        event.Skip();
    });
    Show();
    wxKeyEvent key(wxEVT_CHAR_HOOK);
    key.m_keyCode = 'A';
    key.SetEventObject(m_frame);
    m_frame->GetEventHandler()->ProcessEvent(key); // the application's filters see it first
    EXPECT_EQ(CSplashWindow::Current(), nullptr);
    EXPECT_EQ(keysSeen, 0);

    m_frame->GetEventHandler()->ProcessEvent(key); // once the splash is gone keys go through again
    EXPECT_EQ(keysSeen, 1);
}

TEST_F(SplashTest, ADisabledSplashIsNeverShown)
{
    EnableSplashScreen(false);
    Show();
    EXPECT_EQ(CSplashWindow::Current(), nullptr);
}

TEST(TipDlgTest, ShowsTheTipsInTurnAndStartsAgainAfterTheLast)
{
    SetSettingString("StartTip", "");
    SetSettingInt("StartTip", 12000);
    {
        CTipDlg tips(nullptr);
        EXPECT_EQ(tips.ShownTip(), 12000u);
        EXPECT_EQ(GetSettingInt("StartTip", 0), 12001);
        tips.Show();
        SaveWindowShot(tips, "tip-of-the-day");
    }
    SetSettingInt("StartTip", 12044);
    CTipDlg tips(nullptr);
    EXPECT_EQ(tips.ShownTip(), 12044u);
    EXPECT_EQ(GetSettingInt("StartTip", 0), 12045);
    const std::string last = ReadFile(GetHtmDirectory() / "tips.html");
    EXPECT_NE(last.find("Tip of the Day"), std::string::npos) << last;
    EXPECT_NE(tips.TipView()->ToText().Find("Tip of the Day"), wxNOT_FOUND);

    wxCommandEvent next(wxEVT_BUTTON, 1052);
    tips.FindWindow(1052)->GetEventHandler()->ProcessEvent(next);
    EXPECT_EQ(tips.ShownTip(), 12001u); // the welcome tip is not shown again
    EXPECT_EQ(GetSettingInt("StartTip", 0), 12002);
    EXPECT_NE(ReadFile(GetHtmDirectory() / "tips.html"), last);
    EXPECT_TRUE(lumarc::test::Dialogs().messages.empty());
}

TEST(TipDlgTest, OkStoresWhetherTipsShowAtStartUp)
{
    for (const bool noTips : {true, false}) {
        auto* tips = new CTipDlg(nullptr); // destroys itself on OK
        wxDynamicCast(tips->FindWindow(150), wxCheckBox)->SetValue(noTips);
        wxCommandEvent ok(wxEVT_BUTTON, 1);
        tips->FindWindow(1)->GetEventHandler()->ProcessEvent(ok);
        EXPECT_EQ(GetSettingInt("Tips", 7), noTips ? 0 : 1);
        wxTheApp->ProcessPendingEvents();
    }
}
