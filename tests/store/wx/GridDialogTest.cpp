#include "store/wx/GridDialog.h"

#include "tests/support/ModalDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowShot.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include <cstdlib>
#include <functional>

namespace {

using lumarc::test::Click;
using lumarc::test::SaveWindowShot;
using lumarc::test::WhenShown;

wxTextCtrl& Edit(wxDialog& dialog, int id)
{
    return *dynamic_cast<wxTextCtrl*>(dialog.FindWindow(id));
}

wxCheckBox& GridOn(wxDialog& dialog)
{
    return *dynamic_cast<wxCheckBox*>(dialog.FindWindow(12));
}

class GridDialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        lumarc::test::Dialogs().Clear();
        m_parent = new wxFrame(nullptr, wxID_ANY, "designer"); // owned by wx
        m_parent->Show();
    }
    void TearDown() override
    {
        m_parent->Destroy();
        wxTheApp->ProcessPendingEvents();
    }
    wxFrame* m_parent = nullptr;
};

} // namespace

TEST_F(GridDialogTest, OpensWithTheGridShownAndSmallValuesAsFive)
{
    struct Case
    {
        GridValues values;
        bool on;
        const char* width;
        const char* height;
    };
    const Case cases[] = {
        {{0, 0}, false, "5", "5"},
        {{3, 12}, true, "5", "12"},
        {{20, 60}, true, "20", "60"},
    };
    for (const Case& c : cases) {
        GridValues values = c.values;
        WhenShown([&](wxDialog& dialog) {
            EXPECT_EQ(dialog.GetTitle(), "Select grid values");
            EXPECT_EQ(GridOn(dialog).GetValue(), c.on);
            EXPECT_EQ(Edit(dialog, 10).GetValue(), c.width);
            EXPECT_EQ(Edit(dialog, 11).GetValue(), c.height);
            SaveWindowShot(dialog, "grid-dialog-" + std::to_string(c.values.width) + "-" +
                                       std::to_string(c.values.height));
            Click(dialog, 2);
        });
        // Cancel stores nothing, not even the five shown for a small value.
        EXPECT_EQ(ShowGridDialog(m_parent, values), 0);
        EXPECT_EQ(values.width, c.values.width);
        EXPECT_EQ(values.height, c.values.height);
    }
    EXPECT_TRUE(lumarc::test::Dialogs().messages.empty());
}

TEST_F(GridDialogTest, TypingASizeSwitchesTheGridOnAndOkStoresIt)
{
    GridValues values{0, 0};
    WhenShown([&](wxDialog& dialog) {
        Edit(dialog, 10).SetValue("12");
        EXPECT_TRUE(GridOn(dialog).GetValue());
        Edit(dialog, 11).SetValue(" 60 ");
        Click(dialog, 1);
    });
    EXPECT_EQ(ShowGridDialog(m_parent, values), 1);
    EXPECT_EQ(values.width, 12);
    EXPECT_EQ(values.height, 60);
}

TEST_F(GridDialogTest, OkWithTheGridOffStoresZeros)
{
    GridValues values{10, 20};
    WhenShown([&](wxDialog& dialog) {
        GridOn(dialog).SetValue(false);
        Click(dialog, 1);
    });
    EXPECT_EQ(ShowGridDialog(m_parent, values), 1);
    EXPECT_EQ(values.width, 0);
    EXPECT_EQ(values.height, 0);
}

TEST_F(GridDialogTest, RefusesValuesOutsideOneToSixty)
{
    const char* const refused[] = {"61", "0", "", "abc", "-5", "5x", "99999999999"};
    for (const char* text : refused) {
        lumarc::test::Dialogs().Clear();
        GridValues values{10, 20};
        WhenShown([&](wxDialog& dialog) {
            Edit(dialog, 11).SetValue(text);
            Click(dialog, 1);
            EXPECT_TRUE(dialog.IsModal()) << text; // still open for a correction
            Click(dialog, 2);
        });
        EXPECT_EQ(ShowGridDialog(m_parent, values), 0) << text;
        EXPECT_EQ(values.width, 10);
        EXPECT_EQ(values.height, 20);
        ASSERT_EQ(lumarc::test::Dialogs().messages.size(), 1u) << text;
        EXPECT_EQ(lumarc::test::Dialogs().messages[0].text, "Invalid Value");
        EXPECT_EQ(lumarc::test::Dialogs().messages[0].caption, "Error");
    }
}
