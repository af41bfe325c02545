// The find pane on the display over the typical catalogue: its pages laid out from the coins' form, a
// search typed into its fields finding its records, and a saved search that finds them again.

#include "mainwindow/find/FindView.h"
#include "mainwindow/find/FindCommands.h"
#include "mainwindow/find/FindDataPage.h"
#include "mainwindow/find/FindOtherPages.h"

#include "mainwindow/controls/SearchField.h"
#include "mainwindow/controls/SearchOperators.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/FakePaneFrame.h"
#include "tests/support/TestEnvironment.h"
#include "tree/base/BaseItemNode.h"
#include "tree/catalogue/CatalogueNode.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/notebook.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <algorithm>
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
