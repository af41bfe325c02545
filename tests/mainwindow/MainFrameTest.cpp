#include "mainwindow/MainFrame.h"

#include "mainwindow/frame/FramePanes.h"
#include "mainwindow/panes/MainSplitter.h"
#include "platform/ui/DialogService.h"
#include "store/program/Settings.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tree/base/TreeNode.h"

#include <gtest/gtest.h>
#include <wx/app.h>

#include <algorithm>
#include <fstream>

namespace {

class MainFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // No lesson or tip of the day over the frames under test.
        SetSettingString("ShowTraining", "FALSE");
        SetSettingInt("Tips", 0);
    }

    void TearDown() override
    {
        if (m_frame != nullptr) {
            m_frame->Destroy();
            wxTheApp->ProcessPendingEvents();
        }
    }

    CMainFrame* Make(std::vector<std::string> arguments)
    {
        m_frame = new CMainFrame(std::move(arguments));
        if (!m_frame->Create()) {
            m_frame->Destroy();
            m_frame = nullptr;
            return nullptr;
        }
        m_frame->Show();
        wxTheApp->ProcessPendingEvents();
        return m_frame;
    }

    void Close()
    {
        m_frame->Close(true);
        m_frame->Destroy();
        wxTheApp->ProcessPendingEvents();
        m_frame = nullptr;
    }

    CMainFrame* m_frame = nullptr;
};

TEST_F(MainFrameTest, StartModeWordsGiveTheirModes)
{
    struct Case
    {
        std::vector<std::string> arguments;
        StartMode mode;
    };
    const Case cases[] = {
        {{}, StartMode::kNormal},
        {{"Normal"}, StartMode::kNormal},
        {{"find"}, StartMode::kFind},
        {{"-x", "Open"}, StartMode::kOpen},
        {{"SimpleList"}, StartMode::kSimpleList},
        {{"single^a"}, StartMode::kSingle},
        {{"List^Nowhere"}, StartMode::kList},
        // A file that does not exist: List without it.
        {{"FROME^/nonexistent/coins.ctg"}, StartMode::kList},
    };
    for (const Case& c : cases) {
        CMainFrame* frame = Make(c.arguments);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->GetMode(), c.mode) << (c.arguments.empty() ? "" : c.arguments.back());
        EXPECT_EQ(frame->GetFindView() == nullptr, true);
        Close();
    }
}

TEST_F(MainFrameTest, AnUnknownWordSaysSoAndMakesNoFrame)
{
    auto& dialogs = lumarc::test::Dialogs();
    dialogs.Clear();
    EXPECT_EQ(Make({"Elsewhere^x"}), nullptr);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "The Shortcut point to a non existing element");
    EXPECT_EQ(dialogs.messages[0].caption, "Error");
}

TEST_F(MainFrameTest, TheRectangleOfEachModeIsClampedAndKept)
{
    SetSettingInt("1x", -30);
    SetSettingInt("1y", 70);
    SetSettingInt("1w", 700);
    SetSettingInt("1h", 520);
    CMainFrame* frame = Make({});
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetRect().x, 0);
    EXPECT_EQ(frame->GetSize(), wxSize(700, 520));
    frame->SetSize(40, 60, 640, 480);
    Close();
    EXPECT_EQ(GetSettingInt("1x", 0), 40);
    EXPECT_EQ(GetSettingInt("1w", 0), 640);
    // Another mode keeps its own rectangle.
    EXPECT_EQ(GetSettingInt("2w", -1), -1);
}

TEST_F(MainFrameTest, RegisteredCataloguesOpenUnderTheRootAndABrokenOneIsAskedAbout)
{
    const auto folder = lumarc::test::MakeTempFolder("frame-catalogues");
    const auto good = lumarc::test::CatalogueBuilder(folder / "Coins.ctg").Name("Coins").Build();
    RegisterCatalogue(good.string());
    const auto broken = folder / "Broken.ctg";
    {
        std::ofstream(broken) << "not a catalogue";
    }
    RegisterCatalogue(broken.string());
    auto& dialogs = lumarc::test::Dialogs();
    dialogs.Clear();
    dialogs.answers.push_back(platform::ui::kIdYes);
    CMainFrame* frame = Make({});
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->GetRootElement().GetFirstChildNode(), nullptr);
    EXPECT_EQ(frame->GetRootElement().GetFirstChildNode()->GetName(), "Coins");
    EXPECT_EQ(frame->GetRootElement().GetFirstChildNode()->GetNextSiblingNode(), nullptr);
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_NE(dialogs.messages[0].text.find("Do you want to eliminate it"), std::string::npos);
    const auto registered = ReadRegisteredCatalogues();
    EXPECT_EQ(std::count(registered.begin(), registered.end(), broken.string()), 0);
}

} // namespace
