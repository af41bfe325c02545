// The property sheets as windows under a real wxApp: opened on a fixture catalogue, fields changed and
// OK pressed, read back afterwards; a refused entry keeps the sheet on its page with its message.
// Screenshots of every page are saved where LUMARC_SCREENSHOTS says.

#include "tree/wx/WxNodeSheets.h"
#include "resources/XrcResources.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowShot.h"
#include "tree/base/BaseItemNode.h"
#include "tree/base/ImageKinds.h"
#include "tree/catalogue/CatalogueNode.h"
#include "tree/queries/QueryNodes.h"
#include "tree/records/RecordNodes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include <wx/app.h>
#include <wx/bookctrl.h>
#include <wx/checkbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

using namespace lumarc::test;

// Shows each page and takes its picture.
void PhotographPages(CNodeSheetDialog& sheet, const std::string& name)
{
    sheet.Show();
    for (size_t page = 0; page < sheet.GetBookCtrl()->GetPageCount(); ++page) {
        sheet.GetBookCtrl()->SetSelection(page);
        SaveWindowShot(sheet, name + "-" + std::to_string(page));
    }
    sheet.GetBookCtrl()->SetSelection(0);
}

// Presses OK as the user would; wxID_OK when the sheet ended, else the sheet is cancelled afterwards.
int PressOk(CNodeSheetDialog& sheet)
{
    wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
    ok.SetEventObject(sheet.FindWindow(wxID_OK));
    sheet.ProcessWindowEvent(ok);
    return sheet.GetReturnCode() == wxID_OK ? wxID_OK : wxID_CANCEL;
}

template <typename Control>
Control& Get(wxWindow& sheet, int id)
{
    auto* control = dynamic_cast<Control*>(sheet.FindWindow(id));
    EXPECT_NE(control, nullptr) << id;
    return *control;
}

class WxNodeSheetsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        resources::LoadXrcResources();
        made = MakeTypicalCatalogue(MakeTempFolder("sheets"));
        SetNodeSheets(&sheets);
        Dialogs().Clear();
    }
    void TearDown() override { SetNodeSheets(nullptr); }

    // Opens the catalogue under a fresh root and runs its sheet with `drive`.
    bool RunCatalogueSheet(std::function<int(CNodeSheetDialog&)> drive)
    {
        CBaseItemNode root;
        auto* node = CTreeNode::AppendNode<CCatalogueNode>(root, made.path);
        sheets.driver = std::move(drive);
        return node->ShowProperties(nullptr, 0);
    }

    TypicalCatalogue made;
    CWxNodeSheets sheets;
};

} // namespace

TEST_F(WxNodeSheetsTest, FileSheetShowsTheFileAndMovesItUnderANewName)
{
    DataFileSpec files;
    files.number = node_kind::kFileItems;
    files.table = "FILEITEMS";
    files.menuName = "File";
    files.fields = {{.name = "EdtFn", .type = 'C', .length = 200, .title = true}};
    const auto folder = MakeTempFolder("filesheet");
    const auto path = CatalogueBuilder(folder / "files.ctg").Number(5).DataFile(files).Build();
    CCatalogueDb catalogue(path);
    std::ofstream(folder / "notes.txt") << "a note about a coin";
    const CNodeRef item =
        AddRecord(catalogue, node_kind::kFileItems, 0, {{"EdtFn", (folder / "notes.txt").string()}});
    CFileRecordNode node(item);
    sheets.driver = [&folder](CNodeSheetDialog& sheet) {
        EXPECT_EQ(sheet.GetTitle(), "notes.txt Properties");
        EXPECT_EQ(Get<wxStaticText>(sheet, 1115).GetLabel(), "19 B");
        PhotographPages(sheet, "file-sheet");
        Get<wxTextCtrl>(sheet, 1119).SetValue((folder / "nowhere" / "notes.txt").string());
        EXPECT_EQ(PressOk(sheet), wxID_CANCEL);
        EXPECT_EQ(Dialogs().messages.back().text, "Unable to move file; check name and directory");
        EXPECT_EQ(sheet.GetBookCtrl()->GetSelection(), 1);
        Get<wxTextCtrl>(sheet, 1119).SetValue((folder / "coin notes.txt").string());
        return PressOk(sheet);
    };
    ASSERT_TRUE(node.ShowProperties(nullptr, 0));
    EXPECT_TRUE(std::filesystem::exists(folder / "coin notes.txt"));
    CItemSet stored(&catalogue);
    stored.AddRecordByKey(item);
    stored.MoveFirst();
    EXPECT_EQ(stored.GetFieldTextByName("EdtFn"), (folder / "coin notes.txt").string());
}

namespace {

// The controls of the catalogue sheet's pages.
enum CatalogueControl
{
    kFile = 1101,
    kDescription = 1105,
    kViewOnly = 1106,
    kPasswordEnabled = 1107,
    kOldPassword = 1108,
    kNewPassword = 1109,
    kConfirm = 1110,
    kQueryName = 1111,
    kQueryComment = 1112,
};

// Ticks or clears a check box as a click would (the page follows the box's event).
void Tick(wxWindow& sheet, int id, bool value)
{
    auto& box = Get<wxCheckBox>(sheet, id);
    box.SetValue(value);
    wxCommandEvent changed(wxEVT_CHECKBOX, id);
    changed.SetEventObject(&box);
    changed.SetInt(value ? 1 : 0);
    box.ProcessWindowEvent(changed);
}

} // namespace

TEST_F(WxNodeSheetsTest, CatalogueSheetKeepsTheDescriptionAndThePasswordAfterAReopen)
{
    ASSERT_TRUE(RunCatalogueSheet([this](CNodeSheetDialog& sheet) {
        EXPECT_EQ(sheet.GetTitle(), "Catalogue Properties");
        EXPECT_EQ(sheet.GetBookCtrl()->GetPageCount(), 4u);
        EXPECT_EQ(Get<wxStaticText>(sheet, kFile).GetLabel(), made.path.string());
        EXPECT_FALSE(Get<wxCheckBox>(sheet, kPasswordEnabled).GetValue());
        EXPECT_FALSE(Get<wxTextCtrl>(sheet, kNewPassword).IsEnabled());
        PhotographPages(sheet, "catalogue-sheet");
        Get<wxTextCtrl>(sheet, kDescription).SetValue("Coins of <b>Europe</b>");
        Tick(sheet, kPasswordEnabled, true);
        EXPECT_TRUE(Get<wxTextCtrl>(sheet, kNewPassword).IsEnabled());
        Get<wxTextCtrl>(sheet, kNewPassword).SetValue("fourteen chars");
        Get<wxTextCtrl>(sheet, kConfirm).SetValue("fourteen chars");
        return PressOk(sheet);
    }));
    EXPECT_TRUE(Dialogs().messages.empty());

    CCatalogueDb reopened(made.path);
    EXPECT_TRUE(reopened.IsPasswordProtected());
    EXPECT_EQ(reopened.GetDatabase(), nullptr) << "the catalogue asks for its new password";
    EXPECT_FALSE(reopened.Open("fourteen char"));
    ASSERT_TRUE(reopened.Open("fourteen chars"));
    EXPECT_EQ(reopened.GetComment(), "Coins of <b>Europe</b>");
}

TEST_F(WxNodeSheetsTest, CancelWritesNothing)
{
    ASSERT_TRUE(RunCatalogueSheet([](CNodeSheetDialog& sheet) {
        // The description takes 2000 characters, however they come.
        Get<wxTextCtrl>(sheet, kDescription).SetValue(wxString('x', 2005));
        EXPECT_EQ(Get<wxTextCtrl>(sheet, kDescription).GetLastPosition(), 2000);
        Get<wxTextCtrl>(sheet, kDescription).SetValue("never kept");
        Tick(sheet, kViewOnly, true);
        return wxID_CANCEL;
    }));
    CCatalogueDb reopened(made.path);
    ASSERT_TRUE(reopened.IsOpen());
    EXPECT_NE(reopened.GetComment(), "never kept");
    EXPECT_FALSE(reopened.IsViewOnly());
}

// A refused password keeps the sheet open on the password page with the refusal, and writes no
// password; the description page before it has written its text.
struct PasswordRefusal
{
    const char* name;
    const char* newPassword;
    const char* confirmation;
    const char* message;
};

class CatalogueSheetRefusals : public WxNodeSheetsTest, public testing::WithParamInterface<PasswordRefusal>
{
};

TEST_P(CatalogueSheetRefusals, KeepTheSheetOnThePasswordPage)
{
    const PasswordRefusal& refusal = GetParam();
    ASSERT_TRUE(RunCatalogueSheet([&refusal](CNodeSheetDialog& sheet) {
        Get<wxTextCtrl>(sheet, kDescription).SetValue("kept before the refusal");
        Tick(sheet, kPasswordEnabled, true);
        Get<wxTextCtrl>(sheet, kNewPassword).SetValue(wxString::FromUTF8(refusal.newPassword));
        Get<wxTextCtrl>(sheet, kConfirm).SetValue(wxString::FromUTF8(refusal.confirmation));
        EXPECT_EQ(PressOk(sheet), wxID_CANCEL);
        EXPECT_EQ(sheet.GetBookCtrl()->GetSelection(), 3);
        EXPECT_NE(sheet.GetReturnCode(), wxID_OK);
        EXPECT_EQ(sheet.GetBookCtrl()->GetPageText(3), "Password");
        return wxID_CANCEL;
    }));
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text, refusal.message);
    EXPECT_EQ(Dialogs().messages[0].caption, "Error");
    CCatalogueDb reopened(made.path);
    ASSERT_TRUE(reopened.IsOpen()) << "no password was set";
    EXPECT_EQ(reopened.GetComment(), "kept before the refusal");
}

INSTANTIATE_TEST_SUITE_P(, CatalogueSheetRefusals,
                         testing::Values(PasswordRefusal{"FifteenCharacters", "fifteen chars!!",
                                                         "fifteen chars!!",
                                                         "Max. 14 characters for password"},
                                         PasswordRefusal{"UnconfirmedPassword", "denarius", "denari",
                                                         "Error in confirming Password"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WxNodeSheetsTest, ViewOnlyCatalogueShowsItsBoxCheckedAndDisabledOnTheNextOpening)
{
    ASSERT_TRUE(RunCatalogueSheet([](CNodeSheetDialog& sheet) {
        EXPECT_TRUE(Get<wxCheckBox>(sheet, kViewOnly).IsEnabled());
        Tick(sheet, kViewOnly, true);
        return PressOk(sheet);
    }));
    ASSERT_FALSE(Dialogs().messages.empty());
    EXPECT_EQ(Dialogs().messages[0].caption, "Information");
    ASSERT_TRUE(RunCatalogueSheet([](CNodeSheetDialog& sheet) {
        EXPECT_TRUE(Get<wxCheckBox>(sheet, kViewOnly).GetValue());
        EXPECT_FALSE(Get<wxCheckBox>(sheet, kViewOnly).IsEnabled());
        return wxID_CANCEL;
    }));
}

TEST_F(WxNodeSheetsTest, QuerySheetRenamesTheQueryAndRefusesAnEmptyName)
{
    CCatalogueDb catalogue(made.path);
    CBaseItemNode root;
    auto* top = CTreeNode::AppendNode<CCatalogueNode>(root, catalogue);
    top->PopulateChildren(nullptr);
    top->FindByNodePath("Europe")->PopulateChildren(nullptr);
    auto* query = dynamic_cast<CQueryNode*>(top->FindByNodePath("Europe^Old coins"));
    ASSERT_NE(query, nullptr);
    sheets.driver = [](CNodeSheetDialog& sheet) {
        EXPECT_EQ(sheet.GetTitle(), "Query Properties");
        EXPECT_EQ(Get<wxTextCtrl>(sheet, kQueryName).GetValue(), "Old coins");
        PhotographPages(sheet, "query-sheet");
        Get<wxTextCtrl>(sheet, kQueryName).SetValue("");
        EXPECT_EQ(PressOk(sheet), wxID_CANCEL);
        EXPECT_EQ(Dialogs().messages.back().text, "Folder name required");
        EXPECT_EQ(sheet.GetBookCtrl()->GetSelection(), 0);
        Get<wxTextCtrl>(sheet, kQueryName).SetValue("Ancient coins");
        Get<wxTextCtrl>(sheet, kQueryComment).SetValue("before 1900");
        return PressOk(sheet);
    };
    ASSERT_TRUE(query->ShowProperties(nullptr, 0));
    EXPECT_EQ(query->GetName(), "Ancient coins");
    sheets.driver = [](CNodeSheetDialog& sheet) {
        EXPECT_EQ(Get<wxTextCtrl>(sheet, kQueryName).GetValue(), "Ancient coins");
        EXPECT_EQ(Get<wxTextCtrl>(sheet, kQueryComment).GetValue(), "before 1900");
        return wxID_CANCEL;
    };
    ASSERT_TRUE(query->ShowProperties(nullptr, 0));
}

namespace {

// A file item opens in the program the desktop associates with its type. The association lives in the
// test's own XDG folders: a desktop entry for a stand-in program (a script that writes down the path it
// was given) chosen by the user's mimeapps.list for spreadsheets of the ".gnumeric" kind.
class OpeningFileItemsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        SetDocumentLauncher(&launcher);
        Dialogs().Clear();
        folder = MakeTempFolder("opening");
        const std::filesystem::path data = std::getenv("XDG_DATA_HOME");
        const std::filesystem::path config = std::getenv("XDG_CONFIG_HOME");
        ASSERT_TRUE(data.string().starts_with(TempHome().string()))
            << "the test writes only its own XDG folders";
        std::filesystem::create_directories(data / "applications");
        std::filesystem::create_directories(config);
        opened = folder / "opened.txt";
        const auto program = folder / "stand-in opener.sh";
        std::ofstream(program) << "#!/bin/sh\nprintf '%s' \"$1\" > '" << opened.string() << "'\n";
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
        std::ofstream(data / "applications" / "lumarc-test-opener.desktop")
            << "[Desktop Entry]\nType=Application\nName=Stand-in opener\nExec=\"" << program.string()
            << "\" %f\nMimeType=application/x-gnumeric;\n";
        std::ofstream(config / "mimeapps.list")
            << "[Default Applications]\napplication/x-gnumeric=lumarc-test-opener.desktop\n";
    }
    void TearDown() override { SetDocumentLauncher(nullptr); }

    // A file item of a catalogue of file items holding `path`.
    void OpenItem(const std::filesystem::path& path)
    {
        DataFileSpec files;
        files.number = node_kind::kFileItems;
        files.table = "FILEITEMS";
        files.menuName = "File";
        files.fields = {{.name = "EdtFn", .type = 'C', .length = 200, .title = true}};
        const auto made = CatalogueBuilder(folder / "files.ctg").Number(5).DataFile(files).Build();
        CCatalogueDb catalogue(made);
        // Stored with trailing blanks, as a fixed-width field may give it back.
        CFileRecordNode node(
            AddRecord(catalogue, node_kind::kFileItems, 0, {{"EdtFn", path.string() + "  "}}));
        result = node.Open(nullptr);
    }

    // What the stand-in program was given, once it has run (it runs on its own).
    std::string WhatTheProgramGot()
    {
        for (int turn = 0; turn < 200 && !std::filesystem::exists(opened); ++turn) {
            wxTheApp->Yield(true);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        std::ifstream file(opened);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    CWxDocumentLauncher launcher;
    std::filesystem::path folder;
    std::filesystem::path opened;
    bool result = false;
};

} // namespace

TEST_F(OpeningFileItemsTest, AFileOpensInTheAssociatedProgram)
{
    const auto sheet = folder / "coin inventory.gnumeric";
    std::ofstream(sheet) << "<gnm:Workbook/>";
    OpenItem(sheet);
    EXPECT_TRUE(result);
    EXPECT_TRUE(Dialogs().messages.empty());
    EXPECT_EQ(WhatTheProgramGot(), sheet.string());
}

TEST_F(OpeningFileItemsTest, AFileWithoutAnAssociatedProgramSaysSo)
{
    const auto note = folder / "thaler.coinnote";
    std::ofstream(note) << "struck in 1750";
    OpenItem(note);
    EXPECT_FALSE(result);
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text, "No file type asociated with " + note.string());
    EXPECT_EQ(Dialogs().messages[0].caption, "Error");
    EXPECT_FALSE(std::filesystem::exists(opened));
}

TEST_F(OpeningFileItemsTest, AFileThatIsGoneCannotBeOpened)
{
    const auto gone = folder / "sold coins.gnumeric";
    OpenItem(gone);
    EXPECT_FALSE(result);
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text, "Unable to open the file " + gone.string());
    EXPECT_FALSE(std::filesystem::exists(opened));
}
