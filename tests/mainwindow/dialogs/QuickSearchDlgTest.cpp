// The quick search dialog on a catalogue of its own: which data files get a button (menu names, "X",
// the bookmarks, the to-do list by the setting) and what OK and Cancel answer.

#include "mainwindow/dialogs/QuickSearchDlg.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Settings.h"
#include "tests/mainwindow/dialogs/DialogDriver.h"
#include "tests/mainwindow/dialogs/OwnerFrameFixture.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/radiobut.h>

using namespace lumarc::test;

namespace {

DataFileSpec Named(DataFileSpec file, std::string menuName)
{
    file.menuName = std::move(menuName);
    return file;
}

DataFileSpec Plain(int number, std::string table, std::string menuName)
{
    DataFileSpec file;
    file.number = number;
    file.table = std::move(table);
    file.menuName = std::move(menuName);
    file.fields = {FieldSpec{"NAME", 'C', 60, true}};
    return file;
}

class QuickSearchDlgTest : public OwnerFrameFixture
{
protected:
    void SetUp() override
    {
        OwnerFrameFixture::SetUp();
        SetSettingString("toDoDataBase", "");
        m_path = CatalogueBuilder(MakeTempFolder("quicksearch") / "coins.ctg")
                     .DataFile(CoinsFile())
                     .DataFile(Named(CountriesFile(), "X")) // hidden from the search
                     .DataFile(AddressesFile())
                     .DataFile(Plain(5, "NOTES", "Notes"))
                     .DataFile(Plain(30, "EXTRAS", "Extras")) // past the searched files
                     .DataFile(Plain(24, "BOOKMARKS", "Bookmarks"))
                     .DataFile(Plain(25, "TODO", "To do"))
                     .Build();
        m_catalogue = std::make_unique<CCatalogueDb>(m_path);
        ASSERT_TRUE(m_catalogue->IsOpen());
    }
    void TearDown() override
    {
        m_catalogue.reset();
        SetSettingString("toDoDataBase", "");
        OwnerFrameFixture::TearDown();
    }

    std::filesystem::path m_path;
    std::unique_ptr<CCatalogueDb> m_catalogue;
};

std::vector<std::string> Texts(const std::vector<QuickSearchChoice>& choices)
{
    std::vector<std::string> texts;
    for (const QuickSearchChoice& choice : choices)
        texts.push_back(choice.text + "=" + std::to_string(choice.dataFile));
    return texts;
}

TEST_F(QuickSearchDlgTest, ButtonsForTheMenuFilesTheBookmarksAndTheToDoListWhereItIsShown)
{
    const std::vector<std::string> withToDo{"All=100", "Coin=1",       "Address=3",
                                            "Notes=5", "Bookmarks=24", "To do=25"};
    std::vector<std::string> withoutToDo = withToDo;
    withoutToDo.pop_back();
    struct Case
    {
        const char* name;
        std::string setting;
        std::vector<std::string> expected;
    };
    std::string otherCase = m_path.string();
    for (char& c : otherCase)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const Case cases[] = {
        {"no to-do catalogue set", "", withToDo},
        {"this catalogue", m_path.string(), withToDo},
        {"this catalogue in other case", otherCase, withToDo},
        {"another catalogue", "/elsewhere/todo.ctg", withoutToDo},
    };
    for (const Case& c : cases) {
        SetSettingString("toDoDataBase", c.setting);
        EXPECT_EQ(Texts(QuickSearchChoices(*m_catalogue)), c.expected) << c.name;
    }
}

TEST_F(QuickSearchDlgTest, OkAnswersTheCheckedDataFileAndTheTextAndCancelAnswersNothing)
{
    struct Case
    {
        const char* name;
        int button; // 0: leave "All" checked
        const char* typed;
        bool ok;
        int dataFile;
        std::string text;
    };
    const Case cases[] = {
        {"all data", 0, "Franc", true, 100, "Franc"},
        {"coins", 101, "Mark", true, 1, "Mark"},
        {"notes", 105, "memo", true, 5, "memo"},
        {"bookmarks", 124, "coins", true, 24, "coins"},
        {"to-do list", 125, "call", true, 25, "call"},
        {"a long text is cut", 0, "abcdefghijklmnopqrstuvwxyz0123456789", true, 100,
         "abcdefghijklmnopqrstuvwxyz012"},
        {"cancel", 101, "Mark", false, -1, "unchanged"},
    };
    for (const Case& c : cases) {
        std::string text = "unchanged";
        int dataFile = -1;
        wxString title;
        WhenShown([&](wxDialog& dialog) {
            title = dialog.GetTitle();
            auto* all = dynamic_cast<wxRadioButton*>(dialog.FindWindow(200));
            EXPECT_TRUE(all != nullptr && all->GetValue()) << "All starts checked";
            auto* button =
                c.button != 0 ? dynamic_cast<wxRadioButton*>(dialog.FindWindow(c.button)) : nullptr;
            EXPECT_TRUE(c.button == 0 || button != nullptr) << c.name;
            if (button != nullptr)
                button->SetValue(true);
            TypeKeys(dialog, 1000, c.typed);
            if (c.button == 125)
                Screenshot(dialog, "quick-search");
            Click(dialog, c.ok ? wxID_OK : wxID_CANCEL);
        });
        EXPECT_EQ(RunQuickSearchDlg(m_frame, *m_catalogue, text, dataFile), c.ok) << c.name;
        EXPECT_EQ(title, "Find the following:");
        EXPECT_EQ(dataFile, c.dataFile) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
    }
}

} // namespace
