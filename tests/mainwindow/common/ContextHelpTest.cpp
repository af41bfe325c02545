#include "mainwindow/common/ContextHelp.h"
#include "mainwindow/common/WindowClasses.h"
#include "platform/ui/HelpViewer.h"
#include "store/program/HelpKeys.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include <cstdlib>
#include <fstream>

namespace {

// A help book of two topics, as the help folder holds them: project, contents with topic ids, pages.
void WriteBook(const std::filesystem::path& folder, const std::string& name)
{
    std::ofstream(folder / (name + ".hhp")) << "[OPTIONS]\nContents file=" << name << ".hhc\nTitle=" << name
                                            << " help\nDefault topic=" << name << "-intro.htm\n\n[FILES]\n"
                                            << name << "-intro.htm\n"
                                            << name << "-item.htm\n";
    std::ofstream(folder / (name + ".hhc"))
        << "<html><body><ul>\n"
        << "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Intro\"><param name=\"Local\" "
           "value=\""
        << name << "-intro.htm\"><param name=\"ID\" value=\"10\"></object>\n"
        << "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Items\"><param name=\"Local\" "
           "value=\""
        << name << "-item.htm\"><param name=\"ID\" value=\"4711\"></object>\n</ul></body></html>\n";
    std::ofstream(folder / (name + "-intro.htm")) << "<html><body>Introduction</body></html>";
    std::ofstream(folder / (name + "-item.htm")) << "<html><body>Adding an item</body></html>";
}

class ContextHelpTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_help = GetHelpFolder();
        std::filesystem::create_directories(m_help);
        WriteBook(m_help, "KV");
        std::ofstream(m_help / "KV_cntx.txt") << "KV.ADBITM=4711\r\nKV.INTRO=10\r\nKV.GONE=99\r\n";
        std::ofstream(m_help / "ZZ_cntx.txt") << "ZZ.ITEM=10\r\n"; // a map without its book
        m_frame = new wxFrame(nullptr, wxID_ANY, "owner");         // owned by wx
        m_frame->Show();
        lumarc::test::Dialogs().Clear();
    }
    void TearDown() override
    {
        if (wxWindow* shown = platform::ui::LastHelpWindow()) {
            shown->Destroy();
        }
        m_frame->Destroy();
        wxTheApp->ProcessPendingEvents();
    }

    std::filesystem::path m_help;
    wxFrame* m_frame = nullptr;
};

} // namespace

TEST_F(ContextHelpTest, OpensTheTopicOfAKey)
{
    ShowContextHelpInWindow(m_frame, "KV.ADBITM");
    ASSERT_NE(platform::ui::LastHelpWindow(), nullptr);
    EXPECT_TRUE(platform::ui::LastHelpWindow()->IsShown());
    EXPECT_TRUE(platform::ui::LastHelpPage().EndsWith("KV-item.htm")) << platform::ui::LastHelpPage();

    ShowContextHelp(m_frame, "KV.INTRO");
    ASSERT_NE(platform::ui::LastHelpWindow(), nullptr);
    EXPECT_TRUE(platform::ui::LastHelpPage().EndsWith("KV-intro.htm")) << platform::ui::LastHelpPage();
    EXPECT_TRUE(lumarc::test::Dialogs().messages.empty());
}

TEST_F(ContextHelpTest, ReadsZippedBooks)
{
    if (std::system("command -v zip >/dev/null") != 0) {
        GTEST_SKIP() << "zip is not installed";
    }
    const auto sources = lumarc::test::MakeTempFolder("book");
    WriteBook(sources, "PX");
    const std::string command =
        "cd '" + sources.string() + "' && zip -q -j '" + (m_help / "PX.htb").string() + "' *";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ofstream(m_help / "PX_cntx.txt") << "PX.OPTIONS=4711\n";
    ShowContextHelpInWindow(m_frame, "PX.OPTIONS");
    EXPECT_TRUE(lumarc::test::Dialogs().messages.empty());
    EXPECT_TRUE(platform::ui::LastHelpPage().EndsWith("PX-item.htm")) << platform::ui::LastHelpPage();
}

TEST_F(ContextHelpTest, MissingBooksAndKeysAreReported)
{
    struct Case
    {
        const char* key;
        const char* message; // null: nothing happens
    };
    const Case cases[] = {
        {"KV.NOPE", "Help Id does not exist KV.NOPE"}, // not in the map
        {"KV.GONE", "Help Id does not exist KV.GONE"}, // in the map, not in the book
        {"QQ.ITEM", "Help File does not exist"},       // no map
        {"ZZ.ITEM", "Help File does not exist"},       // no book
        {"NOPREFIX", nullptr},
    };
    for (const auto& c : cases) {
        auto& dialogs = lumarc::test::Dialogs();
        dialogs.Clear();
        ShowContextHelpInWindow(m_frame, c.key);
        if (c.message == nullptr) {
            EXPECT_TRUE(dialogs.messages.empty()) << c.key;
            continue;
        }
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.key;
        EXPECT_EQ(dialogs.messages[0].text, c.message);
        EXPECT_EQ(dialogs.messages[0].caption, "Error");
    }
}

TEST_F(ContextHelpTest, ShowsTheTopicOfTheFocusedFormField)
{
    std::ofstream(m_help / "KV_cntx.txt") << "KV.TELFIELD=4711\r\nKV.EDITFIELD=10\r\n";
    RegisterWindowClass("Telephone",
                        [](wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                           long style) { return new wxTextCtrl(parent, id, "", pos, size, style); });
    auto* page = new wxDialog(m_frame, 303, "Record");
    wxWindow* telephone = CreateOwnWindow("Telephone", page);
    auto* other = new wxTextCtrl(page, wxID_ANY, "", wxPoint(0, 40));
    page->Show();
    telephone->SetFocus();
    wxYield();
    if (wxWindow::FindFocus() != telephone) {
        page->Destroy();
        ClearWindowClassesForTest();
        GTEST_SKIP() << "the window manager gives no focus";
    }

    EXPECT_TRUE(GetContextHelpKey(m_frame, kHelpRequestDialog, 303));
    EXPECT_TRUE(lumarc::test::Dialogs().messages.empty());
    EXPECT_TRUE(platform::ui::LastHelpPage().EndsWith("KV-item.htm")) << platform::ui::LastHelpPage();

    other->SetFocus();
    wxYield();
    EXPECT_TRUE(GetContextHelpKey(m_frame, kHelpRequestDialog, 303));
    ASSERT_EQ(lumarc::test::Dialogs().messages.size(), 1u); // no PX help is installed
    EXPECT_EQ(lumarc::test::Dialogs().messages[0].text, "Help File does not exist");
    page->Destroy();
    ClearWindowClassesForTest();
}

TEST_F(ContextHelpTest, OnlyDialogHelpRequestsShowAnything)
{
    EXPECT_TRUE(GetContextHelpKey(m_frame, 2, 1400));
    EXPECT_TRUE(GetContextHelpKey(m_frame, kHelpRequestDialog, 1011)); // a dialog without help
    EXPECT_TRUE(lumarc::test::Dialogs().messages.empty());
    EXPECT_EQ(platform::ui::LastHelpWindow(), nullptr);
}

TEST_F(ContextHelpTest, HelpButtonOfADialogShowsItsTopic)
{
    std::ofstream(m_help / "PX_cntx.txt") << "PX.IDC_FILENEW=4711\r\n";
    WriteBook(m_help, "PX");
    CDialogHelpHook hook(m_frame);
    auto* dialog = new wxDialog(m_frame, 1400, "New catalogue");
    auto* help = new wxButton(dialog, wxID_HELP);
    dialog->Show();
    wxCommandEvent click(wxEVT_BUTTON, wxID_HELP);
    click.SetEventObject(help);
    help->GetEventHandler()->ProcessEvent(click);
    EXPECT_TRUE(lumarc::test::Dialogs().messages.empty());
    EXPECT_TRUE(platform::ui::LastHelpPage().EndsWith("PX-item.htm")) << platform::ui::LastHelpPage();
    dialog->Destroy();
}
