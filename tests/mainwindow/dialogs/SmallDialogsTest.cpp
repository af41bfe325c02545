#include "mainwindow/dialogs/AboutDlg.h"
#include "mainwindow/dialogs/NameDialogs.h"
#include "mainwindow/dialogs/SortOrderDlg.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "store/program/TraceLog.h"
#include "tests/mainwindow/dialogs/DialogDriver.h"
#include "tests/mainwindow/dialogs/OwnerFrameFixture.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>

#include <fstream>
#include <sstream>

using namespace lumarc::test;

namespace {

using SmallDialogsTest = OwnerFrameFixture;

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A data file with a date that can be no column header, a picture and a yes/no field.
DataFileSpec SortFile()
{
    DataFileSpec file = CoinsFile();
    file.fields.push_back({.name = "SEEN", .type = 'D', .length = 8, .canBeHeader = false});
    return file;
}

} // namespace

TEST_F(SmallDialogsTest, SortListOffersHeaderAndDateFieldsOnly)
{
    CCatalogueDb catalogue;
    const CDataFileDef definition = DefinitionOf(catalogue, SortFile());
    std::vector<std::string> shown;
    for (const SortField& field : SortableFields(definition)) {
        shown.push_back(field.shown);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"NAME", "YEAR", "PRICE", "BOUGHT", "NOTES", "WEIGHT", "MINTED",
                                               "STRUCK", "GRADE", "COUNTRY", "SEEN"}));
}

TEST_F(SmallDialogsTest, SortOrderJoinsTheChosenFields)
{
    CCatalogueDb catalogue;
    const CDataFileDef definition = DefinitionOf(catalogue, SortFile());
    struct Case
    {
        std::vector<const char*> steps; // field names, "&And" between them
        const char* clause;
        const char* shown;
    };
    const Case cases[] = {
        {{}, "ORDER BY ", "SORTED BY "},
        {{"YEAR"}, "ORDER BY YEAR", "SORTED BY YEAR"},
        {{"NAME", "YEAR"}, "ORDER BY YEAR", "SORTED BY YEAR"}, // a second choice replaces the first
        {{"NAME", "&And", "YEAR"}, "ORDER BY NAME , YEAR", "SORTED BY NAME AND YEAR"},
    };
    for (const Case& c : cases) {
        std::string clause = "unchanged";
        wxString shown;
        WhenShown([&](wxDialog& dialog) {
            for (const char* step : c.steps) {
                if (std::string(step) == "&And") {
                    Click(dialog, 1113);
                } else {
                    Choose(dialog, 1013, step);
                }
            }
            shown = dynamic_cast<wxStaticText*>(dialog.FindWindow(1114))->GetLabel();
            shown.Replace("\n", " ");
            Screenshot(dialog, "sort-order");
            Click(dialog, wxID_OK);
        });
        CSortOrderDlg dialog(m_frame, definition);
        ASSERT_EQ(dialog.ShowModal(), wxID_OK);
        EXPECT_EQ(dialog.GetClause(), c.clause);
        EXPECT_EQ(shown, c.shown);
    }
}

TEST_F(SmallDialogsTest, SortOrderCancelGivesNothing)
{
    const TypicalCatalogue typical = MakeTypicalCatalogue(MakeTempFolder("sort"));
    CCatalogueDb catalogue(typical.path);
    std::string clause = "kept";
    WhenShown([](wxDialog& dialog) {
        Choose(dialog, 1013, "NAME");
        dialog.EndModal(wxID_CANCEL);
    });
    EXPECT_EQ(RunSortOrderDlg(m_frame, catalogue, 1, clause), 0);
    EXPECT_EQ(clause, "kept");
    WhenShown([](wxDialog& dialog) {
        Choose(dialog, 1013, "YEAR");
        Click(dialog, wxID_OK);
    });
    EXPECT_EQ(RunSortOrderDlg(m_frame, catalogue, 1, clause), 1);
    EXPECT_EQ(clause, "ORDER BY YEAR");
}

TEST_F(SmallDialogsTest, NewNameShowsThePromptAndKeepsFortyCharacters)
{
    std::string name = "Old view";
    wxString prompt;
    wxString filledIn;
    WhenShown([&](wxDialog& dialog) {
        prompt = dynamic_cast<wxStaticText*>(dialog.FindWindow(1095))->GetLabel();
        filledIn = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(1014))->GetValue();
        Screenshot(dialog, "new-name");
        TypeKeys(dialog, 1014, wxString(wxUniChar(0xE9), 45)); // 45 × "é": characters count, not bytes
        Click(dialog, wxID_OK);
    });
    ASSERT_TRUE(AskNewName(m_frame, "Name of the web view:", name));
    EXPECT_EQ(prompt, "Name of the web view:");
    EXPECT_EQ(filledIn, "Old view");
    EXPECT_EQ(wxString::FromUTF8(name), wxString(wxUniChar(0xE9), 40));

    WhenShown([](wxDialog& dialog) {
        Type(dialog, 1014, "Other");
        dialog.EndModal(wxID_CANCEL);
    });
    EXPECT_FALSE(AskNewName(m_frame, "", name));
    EXPECT_EQ(wxString::FromUTF8(name), wxString(wxUniChar(0xE9), 40));
}

TEST_F(SmallDialogsTest, PasswordIsMaskedAndTakesTenCharacters)
{
    std::string password;
    bool masked = false;
    WhenShown([&](wxDialog& dialog) {
        auto* edit = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(1014));
        masked = edit->HasFlag(wxTE_PASSWORD);
        TypeKeys(dialog, 1014, "abcdefghijkl");
        Screenshot(dialog, "password");
        Click(dialog, wxID_OK);
    });
    ASSERT_TRUE(AskPassword(m_frame, password));
    EXPECT_TRUE(masked);
    EXPECT_EQ(password, "abcdefghij");
}

TEST_F(SmallDialogsTest, ProtectedCatalogueOpensWithTheTypedPasswordOnly)
{
    const TypicalCatalogue typical = MakeTypicalCatalogue(MakeTempFolder("protected"), "geheim");
    std::filesystem::remove(DebugLogPath());
    SetTraceEnabled(true);
    CCatalogueDb catalogue(typical.path);
    ASSERT_TRUE(catalogue.IsPasswordProtected());

    WhenShown([](wxDialog& dialog) {
        Type(dialog, 1014, "verkehrt");
        Click(dialog, wxID_OK);
    });
    EXPECT_EQ(OpenProtectedCatalogue(m_frame, catalogue), ProtectedOpen::WrongPassword);
    EXPECT_EQ(catalogue.GetDatabase(), nullptr);
    EXPECT_TRUE(catalogue.IsPasswordProtected());
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_NE(Dialogs().messages[0].text.find("wrong"), std::string::npos);

    WhenShown([](wxDialog& dialog) { dialog.EndModal(wxID_CANCEL); });
    EXPECT_EQ(OpenProtectedCatalogue(m_frame, catalogue), ProtectedOpen::Cancelled);
    EXPECT_EQ(catalogue.GetDatabase(), nullptr);

    WhenShown([](wxDialog& dialog) {
        Type(dialog, 1014, "geheim");
        Click(dialog, wxID_OK);
    });
    EXPECT_EQ(OpenProtectedCatalogue(m_frame, catalogue), ProtectedOpen::Opened);
    EXPECT_NE(catalogue.GetDatabase(), nullptr);
    catalogue.Close();
    SetTraceEnabled(false);

    const std::string log = ReadFile(DebugLogPath());
    EXPECT_FALSE(log.empty()) << "tracing wrote nothing, so the test shows nothing";
    EXPECT_EQ(log.find("geheim"), std::string::npos) << log;
    EXPECT_EQ(log.find("verkehrt"), std::string::npos) << log;
}

TEST_F(SmallDialogsTest, AboutShowsTheSystemAndTheLibrariesAndSitsOverItsOwner)
{
    wxString runningOn;
    std::map<wxString, wxString> libraries;
    wxRect dialogRect;
    WhenShown([&](wxDialog& dialog) {
        runningOn = dynamic_cast<wxStaticText*>(dialog.FindWindow(1102))->GetLabel();
        auto* list = dynamic_cast<wxListCtrl*>(dialog.FindWindow(1104));
        for (long row = 0; row < list->GetItemCount(); ++row) {
            libraries[list->GetItemText(row, 0)] = list->GetItemText(row, 1);
        }
        dialogRect = dialog.GetScreenRect();
        Screenshot(dialog, "about");
        Click(dialog, wxID_OK);
    });
    ShowAboutBox(m_frame);
    EXPECT_TRUE(runningOn.StartsWith("Running on: ")) << runningOn;
    EXPECT_GT(runningOn.length(), 12u);
    for (const char* name : {"SQLite", "SQLCipher", "libpng", "zlib"}) {
        ASSERT_TRUE(libraries.count(name)) << name;
        EXPECT_TRUE(wxIsdigit(libraries[name][0])) << name << ": " << libraries[name];
    }
    const wxPoint ownerCentre = m_frame->GetScreenRect().GetPosition() + m_frame->GetSize() / 2;
    const wxPoint dialogCentre = dialogRect.GetPosition() + dialogRect.GetSize() / 2;
    EXPECT_LE(std::abs(ownerCentre.x - dialogCentre.x), 4);
    EXPECT_LE(std::abs(ownerCentre.y - dialogCentre.y), 4);
}

TEST_F(SmallDialogsTest, CentringKeepsTheWindowOnTheScreen)
{
    m_frame->Move(-300, -200); // mostly off the screen's top-left corner
    wxDialog dialog(m_frame, wxID_ANY, "box", wxDefaultPosition, wxSize(400, 300));
    CentreOverWindow(dialog, m_frame);
    EXPECT_GE(dialog.GetPosition().x, 0);
    EXPECT_GE(dialog.GetPosition().y, 0);
}
