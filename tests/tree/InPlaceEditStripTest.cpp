// The strip of field editors over a row of a real list control: typed into and left, the record holds
// the new values after the catalogue is opened again; Escape leaves it as it was; a value the field
// refuses gives the field's message and keeps the old value.

#include "tree/wx/InPlaceEditStrip.h"
#include "resources/XrcResources.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowShot.h"
#include "tree/records/RecordNodes.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <chrono>
#include <functional>

namespace {

using namespace lumarc::test;

// Lets the display work until `done` holds; false after three seconds.
bool YieldUntil(const std::function<bool()>& done)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
    return true;
}

class InPlaceEditStripTest : public testing::Test
{
protected:
    void SetUp() override
    {
        resources::LoadXrcResources();
        made = MakeTypicalCatalogue(MakeTempFolder("strip"));
        catalogue = std::make_unique<CCatalogueDb>(made.path);
        node = std::make_unique<CFolderRecordNode>(made.franc.In(*catalogue));
        frame = new wxFrame(nullptr, wxID_ANY, "Coins", wxPoint(0, 0), wxSize(520, 200));
        list = new wxListCtrl(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT);
        list->InsertColumn(0, "Name", wxLIST_FORMAT_LEFT, 240);
        list->InsertColumn(1, "Country", wxLIST_FORMAT_LEFT, 160);
        list->InsertItem(0, wxString::FromUTF8(node->GetName()));
        list->SetItem(0, 1, "France");
        list->InsertItem(1, "Mark 1950");
        list->SetItem(1, 1, "Germany");
        pane = std::make_unique<CWxListPane>(
            *list, [this] { list->SetItemText(0, wxString::FromUTF8(node->GetName())); });
        frame->Show();
        frame->Raise();
        YieldUntil([this] { return frame->IsShownOnScreen(); });
        wxTheApp->Yield(true);
        Dialogs().Clear();
    }
    void TearDown() override
    {
        frame->Destroy();
        wxTheApp->Yield(true);
    }

    // Opens the strip over the first row.
    CInPlaceEditStrip& OpenStrip()
    {
        wxRect row;
        list->GetItemRect(0, row);
        EXPECT_FALSE(node->BeginInPlaceEdit(pane.get(), {row.x + 30, row.y + row.height / 2}));
        CInPlaceEditStrip* strip = pane->GetStrip();
        EXPECT_NE(strip, nullptr);
        EXPECT_TRUE(YieldUntil(
            [this] { return pane->GetStrip() == nullptr || pane->GetStrip()->IsShownOnScreen(); }));
        return *strip;
    }
    wxTextCtrl& Editor(CInPlaceEditStrip& strip, size_t i)
    {
        return dynamic_cast<wxTextCtrl&>(*strip.GetEditors()[i]);
    }
    // Types into an editor as a user does.
    void Type(wxTextCtrl& editor, const std::string& text)
    {
        // A strip that closed early (another window took the focus) is no longer there to type into.
        ASSERT_NE(pane->GetStrip(), nullptr) << "the strip closed before it was typed into";
        editor.SetFocus();
        editor.SelectAll();
        wxTheApp->Yield(true);
        wxUIActionSimulator typing;
        typing.Text(text.c_str());
        EXPECT_TRUE(YieldUntil([&] { return editor.GetValue() == text; })) << editor.GetValue();
    }
    // Clicks the second row: the strip loses the focus.
    void ClickElsewhere()
    {
        wxRect row;
        list->GetItemRect(1, row);
        wxUIActionSimulator mouse;
        mouse.MouseMove(list->ClientToScreen(wxPoint(row.x + 300, row.y + row.height / 2)));
        wxTheApp->Yield(true);
        mouse.MouseClick();
    }
    std::string Stored(const std::string& field)
    {
        CCatalogueDb reopened(made.path);
        CItemSet set(&reopened);
        set.AddRecordByKey(made.franc.In(reopened));
        set.MoveFirst();
        return set.GetFieldTextByName(field);
    }

    TypicalCatalogue made;
    std::unique_ptr<CCatalogueDb> catalogue;
    std::unique_ptr<CFolderRecordNode> node;
    wxFrame* frame = nullptr;
    wxListCtrl* list = nullptr;
    std::unique_ptr<CWxListPane> pane;
};

} // namespace

TEST_F(InPlaceEditStripTest, TypedValuesAreSavedWhenTheStripLosesTheFocus)
{
    CInPlaceEditStrip& strip = OpenStrip();
    ASSERT_EQ(strip.GetEditors().size(), 2u);
    EXPECT_EQ(Editor(strip, 0).GetValue(), "Franc");
    EXPECT_EQ(Editor(strip, 1).GetValue(), "1960");
    // The strip stands over the first row, past its picture.
    wxRect row;
    list->GetItemRect(0, row);
    EXPECT_EQ(strip.GetPosition().y, list->GetPosition().y + row.y);
    Type(Editor(strip, 0), "Sou");
    Type(Editor(strip, 1), "1962");
    SaveWindowShot(*frame, "in-place-edit-strip");
    ClickElsewhere();
    ASSERT_TRUE(YieldUntil([this] { return pane->GetStrip() == nullptr; }));
    EXPECT_EQ(list->GetItemText(0), "Sou 1962");
    EXPECT_EQ(Stored("NAME"), "Sou");
    EXPECT_EQ(Stored("YEAR"), "1962");
}

TEST_F(InPlaceEditStripTest, EscapeLeavesTheRecordAsItWas)
{
    CInPlaceEditStrip& strip = OpenStrip();
    Type(Editor(strip, 0), "Sou");
    wxUIActionSimulator keys;
    keys.Char(WXK_ESCAPE);
    ASSERT_TRUE(YieldUntil([this] { return pane->GetStrip() == nullptr; }));
    EXPECT_EQ(list->GetItemText(0), "Franc 1960");
    EXPECT_EQ(Stored("NAME"), "Franc");
}

TEST_F(InPlaceEditStripTest, ARefusedValueGivesTheFieldsMessageAndKeepsTheOldValue)
{
    CInPlaceEditStrip& strip = OpenStrip();
    // The editor takes no more characters than the field holds.
    Type(Editor(strip, 1), "19x0");
    wxUIActionSimulator typing;
    typing.Text("123");
    EXPECT_TRUE(YieldUntil([&] { return Editor(strip, 1).GetValue() == "19x012"; }))
        << Editor(strip, 1).GetValue();
    ClickElsewhere();
    ASSERT_TRUE(YieldUntil([this] { return pane->GetStrip() == nullptr; }));
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text, "YEAR takes a whole number of at most 6 characters.");
    EXPECT_EQ(Stored("YEAR"), "1960");
}
