// The prompt before a catalogue download: shown while "showDownload" is "TRUE", it lets the download go
// on, and unticking its check box stops it from showing again.

#include "mainwindow/webview/ShowDownloadDlg.h"
#include "mainwindow/webview/CatalogueDownload.h"
#include "store/program/Settings.h"
#include "tests/mainwindow/dialogs/DialogDriver.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/stattext.h>

#include <fstream>

namespace {

using namespace lumarc::test;
namespace fs = std::filesystem;

class ShowDownloadDlgTest : public testing::Test
{
protected:
    void SetUp() override
    {
        downloads = MakeTempFolder("downloads");
        SetDownloadFolderChooser([this](wxWindow*) { return std::optional<fs::path>(downloads); });
        InstallShowDownloadDlg();
        source = MakeTempFolder("offered") / "Roman coins.ctg";
        std::ofstream(source) << "catalogue bytes";
        address = wxFileName::FileNameToURL(wxFileName(wxString::FromUTF8(source.string()))).utf8_string();
    }
    void TearDown() override
    {
        SetDownloadPrompt({});
        SetDownloadFolderChooser({});
        SetSettingString("showDownload", "TRUE");
    }

    fs::path downloads;
    fs::path source;
    std::string address;
};

} // namespace

TEST_F(ShowDownloadDlgTest, PromptsBeforeTheDownloadUntilTheUserUnticksItsBox)
{
    struct Case
    {
        const char* name;
        bool keepShowing; // the check box as the user leaves it
        const char* setting;
    };
    const Case cases[] = {{"left ticked", true, "TRUE"}, {"unticked", false, "FALSE"}};
    for (const Case& c : cases) {
        SetSettingString("showDownload", "TRUE");
        fs::remove(downloads / "Roman coins.ctg");
        int shown = 0;
        WhenShown([&](wxDialog& dialog) {
            ++shown;
            EXPECT_EQ(dialog.GetTitle(), "Download a catalogue");
            auto* box = dynamic_cast<wxCheckBox*>(dialog.FindWindow(1103));
            ASSERT_NE(box, nullptr);
            // It starts ticked: the prompt shows until the user says otherwise.
            EXPECT_TRUE(box->GetValue());
            if (c.keepShowing) {
                Screenshot(dialog, "download-prompt");
            }
            Check(dialog, 1103, c.keepShowing);
            Click(dialog, 1);
        });
        const auto saved = DownloadCatalogue(nullptr, nullptr, address);
        EXPECT_EQ(shown, 1) << c.name;
        ASSERT_TRUE(saved.has_value()) << c.name;
        EXPECT_EQ(*saved, downloads / "Roman coins.ctg");
        EXPECT_TRUE(fs::exists(*saved)) << c.name;
        EXPECT_EQ(GetSettingString("showDownload"), c.setting) << c.name;
    }

    // Told not to show again, the next download goes on without it.
    fs::remove(downloads / "Roman coins.ctg");
    wxTheApp->CallAfter([] {
        if (wxDialog* dialog = TopModalDialog()) {
            ADD_FAILURE() << "the prompt showed although it was turned off";
            dialog->EndModal(wxID_OK);
        }
    });
    EXPECT_TRUE(DownloadCatalogue(nullptr, nullptr, address).has_value());
    EXPECT_TRUE(fs::exists(downloads / "Roman coins.ctg"));
    wxTheApp->ProcessPendingEvents();
}

// Closing the prompt with its window's close box is OK: the download goes on, the setting stays.
TEST_F(ShowDownloadDlgTest, ClosingThePromptLetsTheDownloadGoOn)
{
    SetSettingString("showDownload", "true");
    WhenShown([](wxDialog& dialog) {
        wxCloseEvent close(wxEVT_CLOSE_WINDOW, dialog.GetId());
        close.SetEventObject(&dialog);
        dialog.ProcessWindowEvent(close);
    });
    EXPECT_TRUE(DownloadCatalogue(nullptr, nullptr, address).has_value());
    EXPECT_EQ(GetSettingString("showDownload"), "true");
}
