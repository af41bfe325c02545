// The find pane on the display over the typical catalogue: its pages laid out from the coins' form, a
// search typed into its fields finding its records, and a saved search that finds them again.

#include "mainwindow/find/FindView.h"
#include "mainwindow/find/FindCommands.h"
#include "mainwindow/find/FindDataPage.h"
#include "mainwindow/find/FindOtherPages.h"

#include "mainwindow/controls/SearchField.h"
#include "mainwindow/controls/SearchOperators.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/HelpKeys.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/FakePaneFrame.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowShot.h"
#include "tree/base/BaseItemNode.h"
#include "tree/catalogue/CatalogueNode.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/notebook.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <algorithm>
#include <fstream>
#include <set>

namespace {

using namespace lumarc::test;

// The frame's side: keeps the names of the records a search showed.
class ResultsFrame : public FakePaneFrame
{
public:
    using FakePaneFrame::FakePaneFrame;
    void ShowSearchResults(CItemSet& results) override
    {
        names.clear();
        for (bool more = results.MoveFirst(); more; more = results.MoveNext()) {
            names.insert(results.GetCurrentName());
        }
    }
    std::set<std::string> names;
};

std::set<std::string> NamesOf(CItemSet& set)
{
    std::set<std::string> names;
    for (bool more = set.MoveFirst(); more; more = set.MoveNext()) {
        names.insert(set.GetCurrentName());
    }
    return names;
}

void Settle()
{
    for (int i = 0; i < 5; ++i) {
        wxMilliSleep(20);
        wxYield();
    }
}

class FindViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        made = MakeTypicalCatalogue(MakeTempFolder("findpane"));
        node = CTreeNode::AppendNode<CCatalogueNode>(root, made.path);
        window = new wxFrame(nullptr, wxID_ANY, "Find", wxDefaultPosition, wxSize(760, 360));
        view = new FindView(window, frame);
        window->Show();
        Settle();
    }
    void TearDown() override
    {
        window->Destroy();
        wxTheApp->ProcessIdle();
    }

    // Puts the keyboard focus on a control of the pane; false when the display gives none.
    bool Focus(wxWindow* control)
    {
        // The page holding it is shown first.
        wxWindow* page = control;
        while (page->GetParent() != nullptr && page->GetParent() != view->GetTabs()) {
            page = page->GetParent();
        }
        view->GetTabs()->SetSelection(static_cast<size_t>(view->GetTabs()->FindPage(page)));
        window->Raise();
        control->SetFocus();
        Settle();
        const wxWindow* focus = wxWindow::FindFocus();
        return focus == control || (focus != nullptr && control->IsDescendant(const_cast<wxWindow*>(focus)));
    }

    // The NAME search field of the data page.
    CSearchField* Field(const std::string& column)
    {
        for (const auto& entry : view->GetDataPage(kDataPage)->GetEntries()) {
            if (entry.column == column) {
                return dynamic_cast<CSearchField*>(entry.window);
            }
        }
        return nullptr;
    }

    TypicalCatalogue made;
    CBaseItemNode root;
    CTreeNode* node = nullptr;
    ResultsFrame frame{root};
    wxFrame* window = nullptr;
    FindView* view = nullptr;
};

TEST_F(FindViewTest, LaysTheDataPageOutFromTheFormAndOffersTheDataFiles)
{
    EXPECT_EQ(view->GetCatalogue(), node->GetCatalogue());
    ASSERT_GE(view->GetDataFileList()->GetCount(), 1u);
    EXPECT_EQ(view->GetDataFileList()->GetString(0), "Coin");
    EXPECT_EQ(view->GetDataFileNumber(), 1);
    EXPECT_FALSE(view->HasDetails());
    EXPECT_EQ(view->GetTabs()->GetPageCount(), 5u);
    CSearchField* name = Field("NAME");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->GetPosition(), wxPoint(120, 0)); // the form's X and Y less 10
    EXPECT_EQ(name->GetEdit()->GetValue(), "NAME");  // the caption until something is typed
    // The picture field and the time field of the form are left out.
    EXPECT_EQ(Field("PICTURE"), nullptr);
    view->ShowPage(kDataPage);
    Settle();
    if (const char* folder = std::getenv("LUMARC_SCREENSHOTS")) {
        const wxRect rect = window->GetScreenRect();
        std::system(("import -window root -crop " + std::to_string(rect.width) + "x" +
                     std::to_string(rect.height) + "+" + std::to_string(rect.x) + "+" +
                     std::to_string(rect.y) + " '" + folder + "/FindPane.png'")
                        .c_str());
    }
}

TEST_F(FindViewTest, FindNowFindsTheRecordsTypedForAndSavedSearchFindsThemAgain)
{
    Field("NAME")->GetEdit()->ChangeValue("a"); // contains "a": Franc, Mark, Thaler, Ducat
    Field("YEAR")->SetOperatorCode(kOpGreater);
    Field("YEAR")->GetEdit()->ChangeValue("1700");
    const std::string criteria = view->CollectCriteria();
    EXPECT_EQ(criteria, " NAME LIKE '*a*'  AND YEAR > '1700' ");
    ASSERT_TRUE(RunFindNow(frame, *view));
    EXPECT_EQ(frame.names, (std::set<std::string>{"Franc 1960", "Mark 1950", "Thaler 1786"}));

    const std::string saved = SaveSearch(*view);
    ASSERT_FALSE(saved.empty());
    // A new catalogue object, as after a restart.
    CCatalogueDb reopened(made.path);
    CItemSet query = CItemSet::FromStoredQuery(&reopened, saved);
    EXPECT_EQ(NamesOf(query), frame.names);
}

TEST_F(FindViewTest, UserQuotesAndKeywordsAreSearchedAsText)
{
    Field("NAME")->GetEdit()->ChangeValue("x' OR 1=1 --; DROP [COINS]");
    ASSERT_TRUE(RunFindNow(frame, *view));
    EXPECT_TRUE(frame.names.empty());
    CCatalogueDb again(made.path);
    CItemSet all = CItemSet::Query(&again, 1, nullptr, false);
    EXPECT_EQ(all.GetCount(), 4u);
}

TEST_F(FindViewTest, DateAndSortPagesAddTheirConditions)
{
    view->GetDatePage(kCreationPage)->Choose(DatePageChoice::kLastDays);
    view->GetDatePage(kCreationPage)->GetDays()->SetValue(3);
    view->GetSortPage()->ChooseEntry(0);
    EXPECT_EQ(view->CollectCriteria(), " CREADATE IN_THE_LAST_DAYS 3 ORDER BY NAME");
    ASSERT_TRUE(RunFindNow(frame, *view)); // the coins were made today
    EXPECT_EQ(frame.names.size(), 4u);
    view->NewSearch();
    EXPECT_EQ(view->CollectCriteria(), "");
}

} // namespace

namespace {

TEST_F(FindViewTest, AltWithALetterPassesItsCommandToTheFrameFromEveryPage)
{
    // The command row: Find Now, the area page, the data, Details and date pages, Save Search, New Search
    // and the sort page.
    const std::vector<std::pair<char, int>> keys = {{'i', 317}, {'a', 1060}, {'d', 103},
                                                    {'t', 320}, {'c', 321},  {'m', 322},
                                                    {'s', 319}, {'n', 318},  {'o', 32180}};
    std::vector<int> expected;
    for (const auto& key : keys) {
        expected.push_back(key.second);
    }
    struct Place
    {
        const char* what;
        wxWindow* control;
    };
    view->ShowPage(kDataPage);
    const std::vector<Place> places = {
        {"area page", view->GetDataFileList()},
        {"data page", Field("NAME")->GetEdit()},
        {"creation page",
         view->GetDatePage(kCreationPage)->FindWindow(static_cast<int>(DatePageChoice::kAnyDate))},
        {"sort page", view->GetSortPage()->GetFieldList()},
    };
    for (const Place& place : places) {
        SCOPED_TRACE(place.what);
        if (!Focus(place.control)) {
            GTEST_SKIP() << "no keyboard focus on this display";
        }
        frame.commands.clear();
        wxUIActionSimulator simulator;
        for (const auto& key : keys) {
            simulator.Char(key.first, wxMOD_ALT);
            Settle();
        }
        EXPECT_EQ(frame.commands, expected);
    }
}

TEST_F(FindViewTest, PageCommandsFromTheFrameShowTheirPages)
{
    // The typical coin form has no second page: without Details the tabs after it shift back.
    const std::vector<std::pair<int, int>> cases = {{103, 1}, {320, 1},   {321, 2},
                                                    {322, 3}, {32180, 4}, {1060, 0}};
    for (const auto& [command, tab] : cases) {
        SCOPED_TRACE(command);
        wxCommandEvent fromFrame(wxEVT_MENU, command);
        fromFrame.SetEventObject(window);
        view->GetEventHandler()->ProcessEvent(fromFrame);
        EXPECT_EQ(view->GetTabs()->GetSelection(), tab);
    }
    EXPECT_TRUE(frame.commands.empty()); // nothing goes back to the frame
}

TEST_F(FindViewTest, F1ShowsTheTopicOfTheFocusedControl)
{
    // A help map without the find pane's keys: the message names the key that was asked for.
    std::filesystem::create_directories(GetHelpFolder());
    std::ofstream(GetHelpFolder() / "KV_cntx.txt") << "KV.INTRO=10\r\n";
    FindDatePage* created = view->GetDatePage(kCreationPage);
    created->Choose(DatePageChoice::kLastDays);
    struct Case
    {
        const char* key;
        wxWindow* control;
    };
    const std::vector<Case> cases = {
        {"KV.FIND_COMBO", view->GetElementChooser()},
        {"KV.SEARCH_FOR", view->GetDataFileList()},
        {"KV.EDITFIELD", Field("NAME")->GetEdit()},
        {"KV.LAST_DAYS", created->FindWindow(static_cast<int>(DatePageChoice::kLastDays))},
        {"KV.DAYS", created->GetDays()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        if (!Focus(c.control)) {
            GTEST_SKIP() << "no keyboard focus on this display";
        }
        Dialogs().Clear();
        wxUIActionSimulator simulator;
        simulator.Char(WXK_F1);
        Settle();
        ASSERT_EQ(Dialogs().messages.size(), 1u);
        EXPECT_EQ(Dialogs().messages[0].text, std::string("Help Id does not exist ") + c.key);
    }
}

TEST_F(FindViewTest, ATallFormScrollsAndAFieldTakingTheFocusIsScrolledIntoView)
{
    view->ShowPage(kDataPage);
    Settle();
    FindDataPage* page = view->GetDataPage(kDataPage);
    // The coins' form places its twelve fields 28 pixels apart, more than the pane shows.
    ASSERT_GT(page->GetVirtualSize().y, page->GetClientSize().y);
    CSearchField* last = Field("COUNTRY");
    ASSERT_NE(last, nullptr);
    EXPECT_GT(last->GetRect().GetBottom(), page->GetClientSize().y);
    if (!Focus(last->GetEdit())) {
        GTEST_SKIP() << "no keyboard focus on this display";
    }
    const wxRect shown = last->GetRect();
    EXPECT_GE(shown.GetTop(), 0);
    EXPECT_LE(shown.GetBottom(), page->GetClientSize().y);
    int x = 0, y = 0;
    page->GetViewStart(&x, &y);
    EXPECT_GT(y, 0);
    SaveWindowShot(*window, "FindPaneScrolled");
}

} // namespace
