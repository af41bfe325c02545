#include "mainwindow/dialogs/OptionsSheet.h"
#include "mainwindow/dialogs/OptionsRules.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Settings.h"
#include "tests/mainwindow/dialogs/DialogDriver.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tree/base/TreeNode.h"

#include "tests/mainwindow/dialogs/FakeCatalogueNode.h"

#include <gtest/gtest.h>
#include <wx/bookctrl.h>
#include <wx/frame.h>
#include <wx/timer.h>

#include <fstream>

using namespace lumarc::test;

namespace {

const std::vector<std::string> kSettings = {"NewLook",        "backupDir",        "toDoDataBase",
                                            "DebugOn",        "shopCartDataBase", "selectedCurrency",
                                            "defaultDataBook"};

std::map<std::string, std::string> ReadSettings()
{
    std::map<std::string, std::string> values;
    for (const std::string& name : kSettings) {
        values[name] = GetSettingString(name, "<unset>");
    }
    return values;
}

// Three catalogues under a root: Coins, Medals (view-only) and Notes, with a folder element between.
class OptionsSheetTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs().Clear();
        for (const std::string& name : kSettings) {
            SetSettingString(name, "");
        }
        const auto folder = MakeTempFolder("options");
        for (const char* name : {"coins", "medals", "notes"}) {
            m_catalogues.push_back(std::make_unique<CCatalogueDb>(
                CatalogueBuilder(folder / (std::string(name) + ".ctg")).Build()));
        }
        m_catalogues[1]->SetViewOnly(true);
        CTreeNode::AppendNode<FakeCatalogueNode>(m_root, "Coins", *m_catalogues[0]);
        CTreeNode::AppendNode<FakeCatalogueNode>(m_root, "Medals", *m_catalogues[1]);
        CTreeNode::AppendNode<CTreeNode>(m_root, "Not a catalogue", 0, 0);
        CTreeNode::AppendNode<FakeCatalogueNode>(m_root, "Notes", *m_catalogues[2]);
        m_frame = new wxFrame(nullptr, wxID_ANY, "owner", wxPoint(50, 50), wxSize(600, 400)); // owned by wx
        m_frame->Show();
    }
    void TearDown() override
    {
        m_frame->Destroy();
        wxTheApp->ProcessPendingEvents();
    }

    std::string PathOf(int i) const { return m_catalogues[static_cast<size_t>(i)]->GetFilePath().string(); }

    // Shows a page as a click on its tab would.
    static wxWindow& OpenPage(wxDialog& dialog, int page)
    {
        auto& sheet = dynamic_cast<COptionsSheet&>(dialog);
        sheet.GetBookCtrl()->SetSelection(static_cast<size_t>(page));
        return *sheet.GetOptionsPage(page);
    }

    std::vector<std::unique_ptr<CCatalogueDb>> m_catalogues;
    CTreeNode m_root{"root", 0, 0};
    wxFrame* m_frame = nullptr;
};

} // namespace

TEST(OptionsRulesTest, BackupFolder)
{
    const auto home = MakeTempFolder("backup-rules");
    std::ofstream(home / "file") << "x";
    struct Case
    {
        const char* name;
        std::string folder;
        bool accepted;
    };
    const Case cases[] = {
        {"existing folder", home.string(), true},
        {"new nested folder", (home / "a" / "b").string(), true},
        {"empty text", "", false},
        {"relative path", "bck", false},
        {"below a file", (home / "file" / "bck").string(), false},
        {"a file", (home / "file").string(), false},
    };
    for (const Case& c : cases) {
        const OptionValue option = BackupFolderOption(c.folder);
        EXPECT_EQ(option.refusal == OptionRefusal::None, c.accepted) << c.name;
        if (c.accepted) {
            EXPECT_EQ(option.value, c.folder) << c.name;
            EXPECT_TRUE(std::filesystem::is_directory(c.folder)) << c.name;
        } else {
            EXPECT_EQ(option.refusal, OptionRefusal::InvalidDirectory) << c.name;
        }
    }
}

TEST(OptionsRulesTest, CatalogueChoices)
{
    const std::filesystem::path file = "/data/coins.ctg";
    struct Case
    {
        const char* name;
        bool single; // a To Do or Shopping Cart page (else the Default Catalogue page)
        bool checked;
        std::optional<std::filesystem::path> selected;
        OptionRefusal refusal;
        std::string value;
    };
    const Case cases[] = {
        {"cleared box stores empty whatever is selected", true, false, file, OptionRefusal::None, ""},
        {"cleared box without selection", true, false, std::nullopt, OptionRefusal::None, ""},
        {"checked box with a catalogue", true, true, file, OptionRefusal::None, file.string()},
        {"checked box without a catalogue", true, true, std::nullopt, OptionRefusal::NoCatalogue, ""},
        {"default with a catalogue", false, false, file, OptionRefusal::None, file.string()},
        {"default without a catalogue", false, false, std::nullopt, OptionRefusal::NoCatalogue, ""},
    };
    for (const Case& c : cases) {
        const OptionValue option =
            c.single ? SingleCatalogueOption(c.checked, c.selected) : DefaultCatalogueOption(c.selected);
        EXPECT_EQ(option.refusal, c.refusal) << c.name;
        EXPECT_EQ(option.value, c.value) << c.name;
    }
}

TEST_F(OptionsSheetTest, EveryPageWritesWhatWasChangedOnOk)
{
    const std::string backup = (MakeTempFolder("home") / "new" / "bck").string();
    std::string currency;
    WhenShown([&](wxDialog& dialog) {
        Check(OpenPage(dialog, COptionsSheet::kLookPage), 1121, false);
        Type(OpenPage(dialog, COptionsSheet::kBackupPage), 1015, backup);
        wxWindow& toDo = OpenPage(dialog, COptionsSheet::kToDoPage);
        Check(toDo, 1112, true);
        Choose(toDo, 1014, "Notes");
        Check(OpenPage(dialog, COptionsSheet::kSupportLogPage), 1117, true);
        wxWindow& cart = OpenPage(dialog, COptionsSheet::kShoppingCartPage);
        Check(cart, 1112, true);
        Choose(cart, 1014, "Medals");
        wxWindow& money = OpenPage(dialog, COptionsSheet::kCurrencyPage);
        const wxString entry = Entries(money, 1016)[3];
        currency = entry.AfterLast('(').BeforeLast(')').utf8_string();
        Choose(money, 1016, entry);
        Choose(OpenPage(dialog, COptionsSheet::kDefaultCataloguePage), 1014, "Coins");
        Click(dialog, wxID_OK);
    });
    COptionsSheet sheet(m_frame, &m_root);
    EXPECT_EQ(sheet.ShowModal(), wxID_OK);
    EXPECT_TRUE(Dialogs().messages.empty());
    EXPECT_FALSE(currency.empty());
    EXPECT_EQ(ReadSettings(), (std::map<std::string, std::string>{{"NewLook", "FALSE"},
                                                                  {"backupDir", backup},
                                                                  {"toDoDataBase", PathOf(2)},
                                                                  {"DebugOn", "TRUE"},
                                                                  {"shopCartDataBase", PathOf(1)},
                                                                  {"selectedCurrency", currency},
                                                                  {"defaultDataBook", PathOf(0)}}));
    EXPECT_TRUE(std::filesystem::is_directory(backup));
}

TEST_F(OptionsSheetTest, PagesShowTheStoredSettings)
{
    SetSettingString("Newlook", "true");
    SetSettingString("DebugOn", "FALSE");
    SetSettingString("toDoDataBase", PathOf(2));
    SetSettingString("defaultDataBook", PathOf(0));
    WhenShown([&](wxDialog& dialog) {
        auto& sheet = dynamic_cast<COptionsSheet&>(dialog);
        EXPECT_TRUE(
            dynamic_cast<wxCheckBox*>(sheet.GetOptionsPage(COptionsSheet::kLookPage)->FindWindow(1121))
                ->GetValue());
        EXPECT_FALSE(
            dynamic_cast<wxCheckBox*>(sheet.GetOptionsPage(COptionsSheet::kSupportLogPage)->FindWindow(1117))
                ->GetValue());
        wxWindow* toDo = sheet.GetOptionsPage(COptionsSheet::kToDoPage);
        EXPECT_TRUE(dynamic_cast<wxCheckBox*>(toDo->FindWindow(1112))->GetValue());
        EXPECT_EQ(dynamic_cast<wxListBox*>(toDo->FindWindow(1014))->GetStringSelection(), "Notes");
        EXPECT_FALSE(dynamic_cast<wxCheckBox*>(
                         sheet.GetOptionsPage(COptionsSheet::kShoppingCartPage)->FindWindow(1112))
                         ->GetValue());
        // A view-only catalogue is offered for the to-do list but never as the default catalogue.
        EXPECT_EQ(Entries(*toDo, 1014),
                  wxArrayString(3, std::array<wxString, 3>{"Coins", "Medals", "Notes"}.data()));
        wxWindow* defaults = sheet.GetOptionsPage(COptionsSheet::kDefaultCataloguePage);
        EXPECT_EQ(Entries(*defaults, 1014),
                  wxArrayString(2, std::array<wxString, 2>{"Coins", "Notes"}.data()));
        EXPECT_EQ(dynamic_cast<wxListBox*>(defaults->FindWindow(1014))->GetStringSelection(), "Coins");
        dialog.EndModal(wxID_CANCEL);
    });
    COptionsSheet sheet(m_frame, &m_root);
    sheet.ShowModal();
}

TEST_F(OptionsSheetTest, RefusingPageKeepsTheSheetOpenOnItself)
{
    struct Case
    {
        const char* name;
        int page;
        std::function<void(wxWindow&)> spoil;
        const char* message;
    };
    const Case cases[] = {
        {"to-do box without a catalogue", COptionsSheet::kToDoPage,
         [](wxWindow& page) { Check(page, 1112, true); },
         "Either deselect the check box or select a catalogue."},
        {"shopping cart box without a catalogue", COptionsSheet::kShoppingCartPage,
         [](wxWindow& page) { Check(page, 1112, true); },
         "Either deselect the check box or select a catalogue."},
        {"no default catalogue", COptionsSheet::kDefaultCataloguePage,
         [](wxWindow& page) { dynamic_cast<wxListBox*>(page.FindWindow(1014))->SetSelection(wxNOT_FOUND); },
         "Either deselect the check box or select a catalogue."},
        {"backup folder below a file", COptionsSheet::kBackupPage,
         [](wxWindow& page) { Type(page, 1015, "/proc/version/bck"); }, "Invalid directory"},
    };
    for (const Case& c : cases) {
        Dialogs().Clear();
        SetSettingString("NewLook", "");
        SetSettingString("DebugOn", "");
        int pageShown = -1;
        WhenShown([&](wxDialog& dialog) {
            Check(OpenPage(dialog, COptionsSheet::kLookPage), 1121, true);
            Check(OpenPage(dialog, COptionsSheet::kSupportLogPage), 1117, true);
            c.spoil(OpenPage(dialog, c.page));
            OpenPage(dialog, COptionsSheet::kLookPage);
            Click(dialog, wxID_OK);
            pageShown = dynamic_cast<COptionsSheet&>(dialog).GetBookCtrl()->GetSelection();
            EXPECT_TRUE(dialog.IsModal()) << c.name;
            dialog.EndModal(wxID_CANCEL);
        });
        COptionsSheet sheet(m_frame, &m_root);
        EXPECT_EQ(sheet.ShowModal(), wxID_CANCEL) << c.name;
        EXPECT_EQ(pageShown, c.page) << c.name;
        ASSERT_EQ(Dialogs().messages.size(), 1u) << c.name;
        EXPECT_EQ(Dialogs().messages[0].text, c.message) << c.name;
        EXPECT_EQ(Dialogs().messages[0].caption, "Error") << c.name;
        // Pages before the refusing one have written theirs; those after it have not.
        EXPECT_EQ(GetSettingString("NewLook"), "TRUE") << c.name;
        EXPECT_EQ(GetSettingString("DebugOn"), c.page > COptionsSheet::kSupportLogPage ? "TRUE" : "")
            << c.name;
    }
}

TEST_F(OptionsSheetTest, CancelAndUnopenedPagesWriteNothing)
{
    const auto before = ReadSettings();
    WhenShown([](wxDialog& dialog) {
        Check(OpenPage(dialog, COptionsSheet::kLookPage), 1121, true);
        Type(OpenPage(dialog, COptionsSheet::kBackupPage), 1015, "/nowhere");
        dialog.EndModal(wxID_CANCEL);
    });
    COptionsSheet cancelled(m_frame, &m_root);
    EXPECT_EQ(cancelled.ShowModal(), wxID_CANCEL);
    EXPECT_EQ(ReadSettings(), before);

    // Only the first page was opened: the default catalogue page, which would refuse, is not asked.
    WhenShown([](wxDialog& dialog) {
        Check(OpenPage(dialog, COptionsSheet::kLookPage), 1121, false);
        Click(dialog, wxID_OK);
    });
    COptionsSheet sheet(m_frame, &m_root);
    EXPECT_EQ(sheet.ShowModal(), wxID_OK);
    EXPECT_TRUE(Dialogs().messages.empty());
    auto expected = before;
    expected["NewLook"] = "FALSE";
    EXPECT_EQ(ReadSettings(), expected);
}

// Not a check of behaviour: pictures of each page, taken once the display has drawn it.
TEST_F(OptionsSheetTest, PicturesOfEveryPage)
{
    if (std::getenv("LUMARC_SCREENSHOTS") == nullptr) {
        GTEST_SKIP() << "no folder for screenshots";
    }
    const char* names[] = {"look", "backup", "todo", "log", "cart", "currency", "default"};
    auto timer = std::make_shared<wxTimer>();
    int page = 0;
    WhenShown([&](wxDialog& dialog) {
        OpenPage(dialog, page);
        timer->Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            EXPECT_TRUE(dynamic_cast<COptionsSheet&>(dialog).GetOptionsPage(page)->IsShownOnScreen())
                << names[page];
            Screenshot(dialog, std::string("options-") + names[page]);
            if (++page == COptionsSheet::kDefaultCataloguePage + 1) {
                timer->Stop();
                dialog.EndModal(wxID_CANCEL);
                return;
            }
            OpenPage(dialog, page);
        });
        timer->Start(200);
    });
    COptionsSheet sheet(m_frame, &m_root);
    sheet.ShowModal();
}
