// The training lessons: each OK moves on one lesson, and after the seventh they stop showing.

#include "mainwindow/webview/TrainingDlg.h"
#include "store/program/Settings.h"
#include "store/program/StockFiles.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowShot.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/image.h>
#include <wx/webview.h>

#include <chrono>

namespace {

using lumarc::test::SaveWindowShot;

// Waits until the browser has loaded the lesson's page (its address changes before the page does).
bool LoadedLesson(CTrainingDlg& dialog, int lesson)
{
    const std::string file = "training" + std::to_string(lesson) + ".htm";
    bool loaded = false;
    dialog.Browser()->Bind(wxEVT_WEBVIEW_LOADED, [&loaded](wxWebViewEvent& event) {
        loaded = true;
        event.Skip();
    });
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
        wxYield();
        if (loaded && dialog.Browser()->GetCurrentURL().utf8_string().find(file) != std::string::npos) {
            return true;
        }
        wxMilliSleep(10);
    }
    return false;
}

void Ok(CTrainingDlg& dialog, bool doNotShow)
{
    wxDynamicCast(dialog.FindWindow(1029), wxCheckBox)->SetValue(doNotShow);
    wxCommandEvent click(wxEVT_BUTTON, 1);
    dialog.FindWindow(1)->GetEventHandler()->ProcessEvent(click);
    wxTheApp->ProcessPendingEvents();
}

} // namespace

TEST(TrainingDlgTest, WalksTheLessonsAndStopsAfterTheSeventh)
{
    InstallStockHtmlFiles();
    SetSettingInt("TrainingLesson", 1);
    SetSettingBool("ShowTraining", true);
    {
        auto* dialog = new CTrainingDlg(nullptr); // destroys itself on OK
        dialog->Show();
        ASSERT_TRUE(LoadedLesson(*dialog, 1));
        wxString text;
        ASSERT_TRUE(dialog->Browser()->RunScript("document.body.textContent", &text));
        EXPECT_NE(text.Find("Lesson 1 of 7"), wxNOT_FOUND) << text;
        // The browser fills the dialog above the strip of the check box and OK.
        const wxSize client = dialog->GetClientSize();
        EXPECT_EQ(dialog->Browser()->GetRect(), wxRect(10, 10, client.x - 20, client.y - 50));
        const wxRect ok = dialog->FindWindow(1)->GetRect();
        EXPECT_GE(ok.y, client.y - 50);
        EXPECT_LE(ok.GetBottom(), client.y);
        SaveWindowShot(*dialog, "training");
        Ok(*dialog, false);
    }
    EXPECT_EQ(GetSettingInt("TrainingLesson", 0), 2);
    EXPECT_TRUE(GetSettingBool("ShowTraining", false));

    for (int lesson = 2; lesson <= 7; ++lesson) {
        auto* dialog = new CTrainingDlg(nullptr);
        dialog->Show();
        ASSERT_TRUE(LoadedLesson(*dialog, lesson)) << lesson;
        EXPECT_EQ(dialog->ShownLesson(), lesson);
        Ok(*dialog, false);
        EXPECT_EQ(GetSettingInt("TrainingLesson", 0), lesson + 1);
        EXPECT_EQ(GetSettingBool("ShowTraining", false), lesson < 7) << lesson;
    }
}

TEST(TrainingDlgTest, CheckBoxTurnsTheLessonsOff)
{
    InstallStockHtmlFiles();
    SetSettingInt("TrainingLesson", 3);
    SetSettingBool("ShowTraining", true);
    auto* dialog = new CTrainingDlg(nullptr);
    dialog->Show();
    Ok(*dialog, true);
    EXPECT_FALSE(GetSettingBool("ShowTraining", true));
    EXPECT_EQ(GetSettingInt("TrainingLesson", 0), 4);
}
