#include "mainwindow/MainFrame.h"

#include "mainwindow/controls/SearchField.h"
#include "mainwindow/find/FindDataPage.h"
#include "mainwindow/find/FindView.h"
#include "mainwindow/frame/FramePanes.h"
#include "mainwindow/frame/FrameState.h"
#include "mainwindow/panes/MainSplitter.h"
#include "mainwindow/panes/list/CorvantView.h"
#include "mainwindow/panes/tree/LeftView.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/WxBroadcast.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Broadcasts.h"
#include "store/program/Settings.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tree/base/TreeNode.h"
#include "tree/shortcuts/ShortcutWriter.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/listctrl.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <algorithm>
#include <cstdlib>
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

TEST_F(MainFrameTest, AFirstStartShowsTheSampleCatalogue)
{
    for (const std::string& path : ReadRegisteredCatalogues()) {
        if (!path.empty()) {
            UnregisterCatalogue(path);
        }
    }
    std::filesystem::remove(GetProductDir() / "Sample.ctg");
    CMainFrame* frame = Make({});
    ASSERT_NE(frame, nullptr);
    CTreeNode* first = frame->GetRootElement().GetFirstChildNode();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetName(), "Coins and banknotes (sample)");
    ASSERT_NE(first->GetCatalogue(), nullptr);
    EXPECT_EQ(first->GetCatalogue()->GetFilePath(), GetProductDir() / "Sample.ctg");
}

TEST_F(MainFrameTest, TheFocusKeptWhileAnotherWindowWasActiveMayBeGoneWhenTheFrameComesBack)
{
    CMainFrame* frame = Make({});
    ASSERT_NE(frame, nullptr);
    // A dialog's control has the focus when the frame is deactivated; the dialog then goes away.
    auto* other = new wxFrame(nullptr, wxID_ANY, "Other");
    auto* field = new wxTextCtrl(other, wxID_ANY);
    other->Show();
    other->Raise();
    field->SetFocus();
    for (int i = 0; i < 20 && wxWindow::FindFocus() != field; ++i) {
        wxMilliSleep(20);
        wxYield();
    }
    if (wxWindow::FindFocus() != field) {
        other->Destroy();
        GTEST_SKIP() << "the display gave the other window no focus";
    }
    wxActivateEvent deactivated(wxEVT_ACTIVATE, false);
    frame->GetEventHandler()->ProcessEvent(deactivated);
    delete other; // gone now, not at the next idle moment
    wxYield();
    // Coming back must not reach for the destroyed control.
    wxActivateEvent activated(wxEVT_ACTIVATE, true);
    frame->GetEventHandler()->ProcessEvent(activated);
    EXPECT_NE(wxWindow::FindFocus(), field);
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

TEST_F(MainFrameTest, TheNewestCopyOfAStoredTextIsFoundAmongTheCatalogues)
{
    for (const std::string& path : ReadRegisteredCatalogues()) {
        if (!path.empty()) {
            UnregisterCatalogue(path);
        }
    }
    const auto folder = lumarc::test::MakeTempFolder("newest-text");
    // The shop's terms in two catalogues, the second copy written a day later; a third has none.
    const char* const names[] = {"Older", "Newer", "Without"};
    for (const char* name : names) {
        RegisterCatalogue(lumarc::test::CatalogueBuilder(folder / (std::string(name) + ".ctg"))
                              .Name(name)
                              .Build()
                              .string());
    }
    const auto writeTerms = [&](const char* name, const char* stamp) {
        CCatalogueDb catalogue(folder / (std::string(name) + ".ctg"));
        ASSERT_TRUE(catalogue.WriteFileText("ShopTAC", std::string("terms of ") + name));
        catalogue.GetDatabase()->Execute(std::string("UPDATE FILES SET MODIDATE = '") + stamp +
                                         "' WHERE NAME = 'ShopTAC'");
    };
    writeTerms("Older", "2026120110:00:00");
    writeTerms("Newer", "2026120210:00:00");
    CMainFrame* frame = Make({});
    ASSERT_NE(frame, nullptr);
    CCatalogueDb* newest = frame->FindNewestCatalogueForFile("ShopTAC");
    ASSERT_NE(newest, nullptr);
    EXPECT_EQ(newest->GetName(), "Newer");
    EXPECT_EQ(frame->FindNewestCatalogueForFile("NoSuchShopTAC"), nullptr);
}

// A web pane that records its making and the elements it is asked to show.
struct WebPaneRecord
{
    int made = 0;
    std::vector<CTreeNode*> shown;
};

class RecordingWebPane : public wxPanel, public CFrameWebPane
{
public:
    RecordingWebPane(wxWindow* parent, WebPaneRecord& record) : wxPanel(parent), m_record(record)
    {
        ++m_record.made;
    }
    wxWindow* GetWindow() override { return this; }
    void ShowElement(CTreeNode* element, bool, bool) override { m_record.shown.push_back(element); }

private:
    WebPaneRecord& m_record;
};

// The frame with its tree pane, on the typical catalogue as the only registered one.
class MainFrameStateTest : public MainFrameTest
{
protected:
    void SetUp() override
    {
        MainFrameTest::SetUp();
        for (const std::string& path : ReadRegisteredCatalogues()) {
            if (!path.empty()) {
                UnregisterCatalogue(path);
            }
        }
        SetSettingString("Selected", "");
        SetSettingString("Expanded", "");
        m_typical = lumarc::test::MakeTypicalCatalogue(lumarc::test::MakeTempFolder("frame-state"));
        RegisterCatalogue(m_typical.path.string());
        m_previous = GetFramePaneFactories();
        FramePaneFactories factories;
        factories.makeTree = MakeLeftView;
        SetFramePaneFactories(factories);
        platform::ui::StartWxBroadcasts();
    }
    void TearDown() override
    {
        MainFrameTest::TearDown();
        platform::ui::StopWxBroadcasts();
        SetFramePaneFactories(m_previous);
    }

    // The path below the root of an element of the typical catalogue, "Europe^Germany^" and the like.
    std::string PathOf(const std::string& below)
    {
        return m_frame->GetRootElement().GetFirstChildNode()->GetName() + "^" + below;
    }

    lumarc::test::TypicalCatalogue m_typical;
    FramePaneFactories m_previous;
};

TEST_F(MainFrameStateTest, TheNextRunComesBackToTheElementAndTheExpansionTheUserLeft)
{
    CMainFrame* frame = Make({});
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->GetLeftView(), nullptr);
    frame->SelectElementByPath(PathOf("Europe^Germany^Prussia^"));
    ASSERT_NE(frame->GetCurrentElement(), nullptr);
    EXPECT_EQ(frame->GetCurrentElement()->GetName(), "Prussia");
    frame->GetLeftView()->ExpandNodeByPath(PathOf("Europe^France^"));
    Close();

    frame = Make({});
    ASSERT_NE(frame, nullptr);
    CTreeNode* current = frame->GetCurrentElement();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->GetPath(), PathOf("Europe^Germany^Prussia^"));
    CTreeNode* europe = frame->GetRootElement().FindByNodePath(PathOf("Europe^"));
    ASSERT_NE(europe, nullptr);
    EXPECT_TRUE(europe->GetAttributeBool("Expanded"));
    EXPECT_EQ(frame->GetLeftView()->GetSelectedNode(), current);
}

TEST_F(MainFrameStateTest, TheWebViewIsMadeWhenAPageIsFirstShownAndAfterTheList)
{
    WebPaneRecord record;
    FramePaneFactories factories = GetFramePaneFactories();
    factories.makeWeb = [&record](wxWindow* parent, CPaneFrame&) -> CFrameWebPane* {
        return new RecordingWebPane(parent, record);
    };
    SetFramePaneFactories(factories);

    // The list alone fills the right pane: no web view, until the root's page is shown.
    SetSettingInt("DisplayAsWebPage", 0);
    CMainFrame* frame = Make({});
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->GetCurrentElement(), nullptr);
    EXPECT_EQ(record.made, 0);
    EXPECT_EQ(frame->GetWebView(), nullptr);
    frame->SetCurrentElement(&frame->GetRootElement());
    EXPECT_EQ(record.made, 1);
    ASSERT_NE(frame->GetWebView(), nullptr);
    ASSERT_FALSE(record.shown.empty());
    EXPECT_EQ(record.shown.back(), &frame->GetRootElement());
    Close();

    // The page beside the list: the restored list comes first, the web view once the queued events ran,
    // showing the element the list shows.
    SetSettingInt("DisplayAsWebPage", 1);
    SetSettingString("Selected", ""); // not the root the last run left
    record = {};
    m_frame = new CMainFrame({});
    ASSERT_TRUE(m_frame->Create());
    ASSERT_NE(m_frame->GetCurrentElement(), nullptr);
    EXPECT_EQ(record.made, 0);
    wxTheApp->ProcessPendingEvents();
    EXPECT_EQ(record.made, 1);
    ASSERT_NE(m_frame->GetWebView(), nullptr);
    ASSERT_FALSE(record.shown.empty());
    EXPECT_EQ(record.shown.back(), m_frame->GetCurrentElement());
}

TEST_F(MainFrameStateTest, OpenModeNeitherRestoresNorSavesTheTree)
{
    CMainFrame* frame = Make({});
    ASSERT_NE(frame, nullptr);
    frame->SelectElementByPath(PathOf("Europe^France^"));
    Close();
    const std::string saved = GetSettingString("Selected");
    frame = Make({"Open"});
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->GetCurrentElement() == nullptr || frame->GetCurrentElement()->GetName() != "France");
    frame->SelectElementByPath(PathOf("Asia^"));
    Close();
    EXPECT_EQ(GetSettingString("Selected"), saved);
}

TEST_F(MainFrameStateTest, UnloadingTheCatalogueReopensItWhereTheUserWas)
{
    CMainFrame* frame = Make({});
    ASSERT_NE(frame, nullptr);
    frame->SelectElementByPath(PathOf("Europe^Germany^"));
    CTreeNode* before = frame->GetRootElement().GetFirstChildNode();
    // Another file: nothing changes but a repaint.
    BroadcastUnloadDatabase("/nowhere/else.ctg");
    EXPECT_EQ(frame->GetRootElement().GetFirstChildNode(), before);

    BroadcastUnloadDatabase(m_typical.path);
    wxTheApp->ProcessPendingEvents();
    CTreeNode* after = frame->GetRootElement().GetFirstChildNode();
    ASSERT_NE(after, nullptr);
    ASSERT_NE(frame->GetCurrentElement(), nullptr);
    EXPECT_EQ(frame->GetCurrentElement()->GetPath(), PathOf("Europe^Germany^"));
    ASSERT_NE(after->GetCatalogue(), nullptr);
    EXPECT_TRUE(after->GetCatalogue()->IsOpen());
    CTreeNode* europe = frame->GetRootElement().FindByNodePath(PathOf("Europe^"));
    ASSERT_NE(europe, nullptr);
    EXPECT_TRUE(europe->GetAttributeBool("Expanded"));
}

TEST_F(MainFrameStateTest, FindModeShowsTheFindPaneAboveTheListAndNoTree)
{
    FramePaneFactories factories = GetFramePaneFactories();
    factories.makeFind = MakeFindView;
    SetFramePaneFactories(factories);
    CMainFrame* frame = Make({"-nosplash", "find"});
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetMode(), StartMode::kFind);
    EXPECT_EQ(frame->GetLeftView(), nullptr);
    ASSERT_NE(frame->GetFindView(), nullptr);
    EXPECT_NE(AsFindPane(frame->GetFindView()), nullptr);
    EXPECT_EQ(frame->GetTitle().utf8_string(), LoadResString(138));
    // The catalogues are open for the search.
    EXPECT_NE(frame->FindCatalogueNode(m_typical.path), nullptr);
}

TEST_F(MainFrameStateTest, FindNowInFindModeShowsTheFoundRecordsInTheList)
{
    FramePaneFactories factories = GetFramePaneFactories();
    factories.makeFind = MakeFindView;
    factories.makeList = MakeCorvantView;
    SetFramePaneFactories(factories);
    CMainFrame* frame = Make({"-nosplash", "find"});
    ASSERT_NE(frame, nullptr);
    auto* pane = dynamic_cast<FindView*>(frame->GetFindView());
    ASSERT_NE(pane, nullptr);
    for (const auto& entry : pane->GetDataPage(kDataPage)->GetEntries()) {
        if (entry.column == "NAME") {
            dynamic_cast<CSearchField*>(entry.window)->GetEdit()->ChangeValue("r"); // Franc, Mark and Thaler
        }
    }
    frame->SendCommand(317); // Find Now
    wxTheApp->ProcessPendingEvents();
    ASSERT_NE(frame->GetListView(), nullptr);
    auto* list = dynamic_cast<wxListCtrl*>(frame->GetListView()->GetWindow());
    ASSERT_NE(list, nullptr);
    std::vector<std::string> names;
    for (long row = 0; row < list->GetItemCount(); ++row) {
        names.push_back(list->GetItemText(row).utf8_string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Franc 1960", "Mark 1950", "Thaler 1786"}));
}

TEST_F(MainFrameStateTest, TheFindPanesCommandsShowItsPagesThroughTheFrame)
{
    FramePaneFactories factories = GetFramePaneFactories();
    factories.makeFind = MakeFindView;
    SetFramePaneFactories(factories);
    CMainFrame* frame = Make({"-nosplash", "find"});
    ASSERT_NE(frame, nullptr);
    auto* pane = dynamic_cast<FindView*>(frame->GetFindView());
    ASSERT_NE(pane, nullptr);
    // The coins' form has no Details page: the creation date is the third tab.
    for (const auto& [command, tab] :
         std::vector<std::pair<int, int>>{{321, 2}, {32180, 4}, {103, 1}, {1060, 0}}) {
        SCOPED_TRACE(command);
        frame->SendCommand(command);
        EXPECT_EQ(pane->GetTabs()->GetSelection(), tab);
    }
}

TEST_F(MainFrameStateTest, AShortcutsArgumentOpensTheProgramOnItsElement)
{
    CMainFrame* frame = Make({});
    ASSERT_NE(frame, nullptr);
    CTreeNode* prussia = FindElementBySelectedPath(
        frame->GetRootElement(), frame->GetRootElement().GetName() + "^" + PathOf("Europe^Germany^Prussia^"));
    ASSERT_NE(prussia, nullptr);
    ASSERT_EQ(prussia->GetName(), "Prussia");
    const std::string argument = ListShortcutArgument(*prussia);
    const std::string expected = prussia->GetPath();
    Close();

    frame = Make({argument});
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetMode(), StartMode::kList);
    ASSERT_NE(frame->GetCurrentElement(), nullptr);
    EXPECT_EQ(frame->GetCurrentElement()->GetPath(), expected);
    EXPECT_EQ(frame->GetLeftView()->GetSelectedNode(), frame->GetCurrentElement());
}

TEST_F(MainFrameStateTest, FromeRegistersTheFileAndStartsInListMode)
{
    const auto folder = lumarc::test::MakeTempFolder("frome");
    const auto file = lumarc::test::CatalogueBuilder(folder / "My coins.ctg").Name("Old name").Build();
    CMainFrame* frame = Make({"FROME^" + file.string()});
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetMode(), StartMode::kList);
    EXPECT_EQ(frame->GetRootElement().GetAttribute("viewType"), "List");
    EXPECT_NE(frame->FindCatalogueNode(file), nullptr);
    const auto registered = ReadRegisteredCatalogues();
    EXPECT_EQ(std::count(registered.begin(), registered.end(), file.string()), 1);
    EXPECT_EQ(frame->FindCatalogueNode(file)->GetName(), "My coins");
}

TEST_F(MainFrameStateTest, FromeUnpacksAZippedCatalogueBesideIt)
{
    const auto folder = lumarc::test::MakeTempFolder("frome-zip");
    const auto file = lumarc::test::CatalogueBuilder(folder / "packed.ctg").Name("Packed").Build();
    const auto zipped = folder / "Packed coins.zipctg";
    ASSERT_EQ(std::system(("gzip -c '" + file.string() + "' > '" + zipped.string() + "'").c_str()), 0);
    std::filesystem::remove(file);
    CMainFrame* frame = Make({"FROME^" + zipped.string()});
    ASSERT_NE(frame, nullptr);
    const auto unpacked = folder / "Packed coins.ctg";
    EXPECT_TRUE(std::filesystem::exists(unpacked));
    EXPECT_NE(frame->FindCatalogueNode(unpacked), nullptr);
}

} // namespace
