// The field chooser on the coins' definition: which fields it lists and in what order, ticking and
// unticking title fields, Done refusing a title that mixes currency with other fields, and Cancel.

#include "mainwindow/placement/FieldChooserDlg.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "tests/mainwindow/dialogs/DialogDriver.h"
#include "tests/mainwindow/dialogs/OwnerFrameFixture.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <wx/checklst.h>
#include <wx/frame.h>

using namespace lumarc::test;

namespace {

class FieldChooserDlgTest : public OwnerFrameFixture
{
protected:
    CCatalogueDb m_catalogue;
};

std::vector<std::string> TitleFields(const CDataFileDef& definition)
{
    std::vector<std::string> names;
    for (int i = 0; i < definition.GetFieldCount() && !definition.GetFieldName(i).empty(); ++i) {
        if (definition.IsFieldNameHeader(i))
            names.push_back(definition.GetFieldName(i));
    }
    return names;
}

// Ticks or unticks a row of the list by its text, as a click on its box does.
void ClickBox(wxDialog& dialog, const char* text)
{
    auto* list = dynamic_cast<wxCheckListBox*>(dialog.FindWindow(1013));
    ASSERT_NE(list, nullptr);
    const int row = list->FindString(text, true);
    ASSERT_NE(row, wxNOT_FOUND) << text;
    list->Check(static_cast<unsigned>(row), !list->IsChecked(static_cast<unsigned>(row)));
    wxCommandEvent event(wxEVT_CHECKLISTBOX, 1013);
    event.SetEventObject(list);
    event.SetInt(row);
    list->GetEventHandler()->ProcessEvent(event);
}

TEST_F(FieldChooserDlgTest, ListsTheHeaderAndDateFieldsLastFirstWithTheTitleTicked)
{
    CDataFileDef definition = DefinitionOf(m_catalogue, CoinsFile());
    std::vector<std::string> rows;
    std::vector<bool> ticked;
    WhenShown([&](wxDialog& dialog) {
        auto* list = dynamic_cast<wxCheckListBox*>(dialog.FindWindow(1013));
        for (unsigned i = 0; list != nullptr && i < list->GetCount(); ++i) {
            rows.push_back(list->GetString(i).utf8_string());
            ticked.push_back(list->IsChecked(i));
        }
        Screenshot(dialog, "field-chooser");
        Click(dialog, wxID_CANCEL);
    });
    EXPECT_EQ(RunFieldChooserDlg(m_frame, definition), 0);
    EXPECT_EQ(rows, (std::vector<std::string>{"COUNTRY", "GRADE", "STRUCK", "MINTED", "WEIGHT", "NOTES",
                                              "BOUGHT", "PRICE", "YEAR", "NAME"}));
    EXPECT_EQ(ticked,
              (std::vector<bool>{false, false, false, false, false, false, false, false, true, true}));
}

TEST_F(FieldChooserDlgTest, DoneKeepsTheTickedTitleAndRefusesCurrencyMixedWithOthers)
{
    const std::string mixed =
        "Not a valid label; please avoid to mix currency values (x $) with other values.";
    struct Case
    {
        const char* name;
        std::vector<const char*> clicks; // boxes clicked in turn
        int end;
        int answer;
        std::vector<std::string> title; // the definition's title fields afterwards
        std::string message;            // "" when none
    };
    const Case cases[] = {
        {"unchanged", {}, wxID_OK, 1, {"NAME", "YEAR"}, ""},
        {"a field added", {"COUNTRY"}, wxID_OK, 1, {"NAME", "YEAR", "COUNTRY"}, ""},
        {"a field taken away and put back",
         {"YEAR", "GRADE", "YEAR"},
         wxID_OK,
         1,
         {"NAME", "YEAR", "GRADE"},
         ""},
        {"the price alone", {"NAME", "YEAR", "PRICE"}, wxID_OK, 1, {"PRICE"}, ""},
        {"a double click ticks the row", {}, wxID_OK, 1, {"NAME", "YEAR", "BOUGHT"}, ""},
        {"cancel changes nothing", {"NAME", "COUNTRY"}, wxID_CANCEL, 0, {"NAME", "YEAR"}, ""},
        {"currency mixed with the name", {"PRICE"}, wxID_OK, 0, {"NAME", "YEAR"}, mixed},
    };
    for (const Case& c : cases) {
        Dialogs().Clear();
        CDataFileDef definition = DefinitionOf(m_catalogue, CoinsFile());
        WhenShown([&](wxDialog& dialog) {
            for (const char* row : c.clicks)
                ClickBox(dialog, row);
            if (std::string(c.name) == "a double click ticks the row") {
                auto* list = dynamic_cast<wxCheckListBox*>(dialog.FindWindow(1013));
                wxCommandEvent event(wxEVT_LISTBOX_DCLICK, 1013);
                event.SetEventObject(list);
                event.SetInt(list->FindString("BOUGHT"));
                list->GetEventHandler()->ProcessEvent(event);
            }
            Click(dialog, c.end);
            if (dialog.IsModal() && c.end == wxID_OK) {
                // Refused: the dialog stays; the user gives up.
                Click(dialog, wxID_CANCEL);
            }
        });
        EXPECT_EQ(RunFieldChooserDlg(m_frame, definition), c.answer) << c.name;
        EXPECT_EQ(TitleFields(definition), c.title) << c.name;
        const std::string shown = Dialogs().messages.empty() ? "" : Dialogs().messages.back().text;
        EXPECT_EQ(shown, c.message) << c.name;
    }
}

} // namespace
