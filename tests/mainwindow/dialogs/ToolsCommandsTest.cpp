// Tools > Quick Search on the main frame: the dialog asks for the text and the data file, and OK shows
// what was found in the frame's quick query; Cancel leaves the frame where it was. Tools > Field Chooser
// writes the title fields chosen into the catalogue.

#include "mainwindow/MainFrame.h"
#include "mainwindow/commands/CommandIds.h"
#include "mainwindow/commands/FrameCommands.h"
#include "mainwindow/panes/list/CorvantView.h"
#include "mainwindow/panes/tree/LeftView.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "store/program/Settings.h"
#include "tests/mainwindow/MainFrameFixture.h"
#include "tests/mainwindow/dialogs/DialogDriver.h"
#include "tests/mainwindow/panes/TreePaneFixture.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tree/base/TreeNode.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/checklst.h>
#include <wx/radiobut.h>

using namespace lumarc::test;

namespace {

class ToolsCommandsTest : public MainFrameFixture
{
protected:
    void SetUp() override
    {
        MainFrameFixture::SetUp();
        catalogue = MakeTypicalCatalogue(MakeTempFolder("tools-commands"));
        RegisterCatalogue(catalogue.path.string());
        ASSERT_NO_FATAL_FAILURE(MakeFrame(Broadcasts::kNotHeard));
        coins = frame->GetRootElement().GetFirstChildNode();
        ASSERT_NE(coins, nullptr);
        frame->SelectElement(coins);
        RunEvents(50);
    }
    // Runs Quick Search, types the text, checks button `button` (0: "All") and ends with `end`.
    void Search(const char* text, int button, int end)
    {
        WhenShown([=](wxDialog& dialog) {
            if (auto* choice = dynamic_cast<wxRadioButton*>(dialog.FindWindow(button)); choice != nullptr)
                choice->SetValue(true);
            Type(dialog, 1000, text);
            Click(dialog, end);
        });
        frame->GetCommands()->Run(frame_command::kQuickSearch);
        RunEvents(20);
    }
    std::vector<std::string> ShownNames()
    {
        auto* list = dynamic_cast<CCorvantView*>(frame->GetListView());
        std::vector<std::string> names;
        for (long row = 0; list != nullptr && row < list->GetRowCount(); ++row)
            names.push_back(list->CellText(row, 0));
        return names;
    }

    TypicalCatalogue catalogue;
    CTreeNode* coins = nullptr;
};

TEST_F(ToolsCommandsTest, OkShowsWhatTheSearchFoundAndCancelStaysPut)
{
    struct Case
    {
        const char* name;
        const char* text;
        int button;
        int end;
        std::vector<std::string> found; // empty with Cancel: the frame stays on the catalogue
    };
    const Case cases[] = {
        {"every data file", "Franc", 200, wxID_OK, {"Franc 1960", "France"}},
        {"the coins only", "Franc", 101, wxID_OK, {"Franc 1960"}},
        {"the coins", "Mark", 101, wxID_OK, {"Mark 1950"}},
        {"the addresses hold no coin", "Mark", 103, wxID_OK, {}},
        {"cancel", "Thaler", 101, wxID_CANCEL, {}},
    };
    for (const Case& c : cases) {
        frame->SelectElement(coins);
        RunEvents(20);
        Search(c.text, c.button, c.end);
        CTreeNode* current = frame->GetCurrentElement();
        ASSERT_NE(current, nullptr) << c.name;
        if (c.end == wxID_CANCEL) {
            EXPECT_EQ(current, coins) << c.name;
            continue;
        }
        EXPECT_NE(current, coins) << c.name << ": the results are shown";
        EXPECT_EQ(ShownNames(), c.found) << c.name;
    }
}

TEST_F(ToolsCommandsTest, TheFieldChooserWritesTheTitleFieldsIntoTheCatalogue)
{
    // The mark's row in the list of Germany, focused: the chooser is for the coins' data file.
    CTreeNode* europe = nullptr;
    coins->BuildChildren();
    for (CTreeNode* child = coins->GetFirstChildNode(); child != nullptr;
         child = child->GetNextSiblingNode()) {
        if (child->NameEquals("Europe"))
            europe = child;
    }
    ASSERT_NE(europe, nullptr);
    europe->BuildChildren();
    CTreeNode* germany = nullptr;
    for (CTreeNode* child = europe->GetFirstChildNode(); child != nullptr;
         child = child->GetNextSiblingNode()) {
        if (child->NameEquals("Germany"))
            germany = child;
    }
    ASSERT_NE(germany, nullptr);
    frame->SelectElement(germany);
    RunEvents(50);
    auto* rows = dynamic_cast<CCorvantView*>(frame->GetListView());
    ASSERT_NE(rows, nullptr);
    long mark = -1;
    for (long row = 0; row < rows->GetRowCount(); ++row) {
        if (rows->CellText(row, 0) == "Mark 1950")
            mark = row;
    }
    ASSERT_NE(mark, -1);
    rows->SetFocus();
    rows->SetItemState(mark, wxLIST_STATE_FOCUSED | wxLIST_STATE_SELECTED,
                       wxLIST_STATE_FOCUSED | wxLIST_STATE_SELECTED);
    RunEvents(50);
    ASSERT_NE(frame->GetSelectedElement(), nullptr);
    ASSERT_TRUE(frame->GetSelectedElement()->IsRecord());
    WhenShown([](wxDialog& dialog) {
        auto* list = dynamic_cast<wxCheckListBox*>(dialog.FindWindow(1013));
        const int country = list != nullptr ? list->FindString("COUNTRY") : wxNOT_FOUND;
        EXPECT_NE(country, wxNOT_FOUND);
        if (country != wxNOT_FOUND) {
            list->Check(static_cast<unsigned>(country));
            wxCommandEvent event(wxEVT_CHECKLISTBOX, 1013);
            event.SetEventObject(list);
            event.SetInt(country);
            list->GetEventHandler()->ProcessEvent(event);
        }
        Click(dialog, wxID_OK);
    });
    frame->GetCommands()->Run(frame_command::kFieldChooser);
    RunEvents(20);

    // Written into the file: it reads so once the program let go of it.
    frame->Destroy();
    wxTheApp->ProcessPendingEvents();
    frame = nullptr;
    CCatalogueDb reopened(catalogue.path);
    reopened.LoadDefinitionsIfNeeded();
    const CDataFileDef* definition = reopened.FindDefinition(1);
    ASSERT_NE(definition, nullptr);
    std::vector<std::string> title;
    for (int i = 0; i < definition->GetFieldCount() && !definition->GetFieldName(i).empty(); ++i) {
        if (definition->IsFieldNameHeader(i))
            title.push_back(definition->GetFieldName(i));
    }
    EXPECT_EQ(title, (std::vector<std::string>{"NAME", "YEAR", "COUNTRY"}));
}

} // namespace
