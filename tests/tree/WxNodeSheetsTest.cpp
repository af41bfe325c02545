// The property sheets as windows under a real wxApp: opened on a fixture catalogue, fields changed and
// OK pressed, read back afterwards; a refused entry keeps the sheet on its page with its message.
// Screenshots of every page are written beside the test.

#include "tree/wx/WxNodeSheets.h"
#include "resources/XrcResources.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tree/base/BaseItemNode.h"
#include "tree/base/ImageKinds.h"
#include "tree/catalogue/CatalogueNode.h"
#include "tree/queries/QueryNodes.h"
#include "tree/records/RecordNodes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include <wx/app.h>
#include <wx/bookctrl.h>
#include <wx/checkbox.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

using namespace lumarc::test;

void SaveScreenshot(wxWindow& window, const std::string& name)
{
    window.Update();
    wxTheApp->Yield(true);
    const wxRect rect = window.GetScreenRect();
    wxBitmap picture(rect.GetSize());
    wxMemoryDC memory(picture);
    wxScreenDC screen;
    memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    memory.SelectObject(wxNullBitmap);
    picture.SaveFile(name, wxBITMAP_TYPE_PNG);
}

// Shows each page and takes its picture.
void PhotographPages(CNodeSheetDialog& sheet, const std::string& name)
{
    sheet.Show();
    for (size_t page = 0; page < sheet.GetBookCtrl()->GetPageCount(); ++page) {
        sheet.GetBookCtrl()->SetSelection(page);
        for (int i = 0; i < 5; ++i) {
            wxTheApp->Yield(true);
        }
        SaveScreenshot(sheet, name + "-" + std::to_string(page) + ".png");
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
