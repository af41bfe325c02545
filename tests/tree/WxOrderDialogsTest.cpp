// The ordering dialogs under a real wxApp: a cart row's quantity typed and confirmed (a quantity that is
// no whole number refused), a placed order shown whole, and the order-deletion question. Screenshots of
// both dialogs are saved beside the test.

#include "tree/wx/WxOrderDialogs.h"
#include "resources/XrcResources.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowShot.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/textctrl.h>

namespace {

using namespace lumarc::test;

wxString TextOf(wxDialog& dialog, int id)
{
    auto* edit = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(id));
    return edit != nullptr ? edit->GetValue() : wxString("<no edit>");
}

class OrderDialogsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        resources::LoadXrcResources();
        Dialogs().Clear();
    }
};

TEST_F(OrderDialogsTest, QuantityDialogShowsTheRowAndTakesAWholeNumber)
{
    CWxOrderDialogs dialogs;
    CartQuantity row{"Aureus of Nero", "12.50", "3", "Numis Ltd"};
    WhenShown([](wxDialog& dialog) {
        EXPECT_EQ(dialog.GetTitle(), "Add to Shopping Cart - Insert Quantity");
        EXPECT_EQ(TextOf(dialog, 1000), "Aureus of "); // at most 10 characters
        EXPECT_EQ(TextOf(dialog, 1001), "12.50");
        EXPECT_EQ(TextOf(dialog, 1002), "3");
        SaveWindowShot(dialog, "cart-quantity-dialog");
        dynamic_cast<wxTextCtrl*>(dialog.FindWindow(1002))->ChangeValue("three");
        Click(dialog, 1);
        EXPECT_TRUE(dialog.IsModal()); // refused
        dynamic_cast<wxTextCtrl*>(dialog.FindWindow(1002))->ChangeValue(" 7 ");
        Click(dialog, 1);
    });
    EXPECT_TRUE(dialogs.EditCartQuantity(row));
    EXPECT_EQ(row.quantity, "7");
    EXPECT_EQ(row.name, "Aureus of Nero");
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text, "The quantity must be a whole number.");

    WhenShown([](wxDialog& dialog) { Click(dialog, 2); });
    EXPECT_FALSE(dialogs.EditCartQuantity(row));
    EXPECT_EQ(row.quantity, "7");
}

TEST_F(OrderDialogsTest, OrderDialogShowsTheWholeText)
{
    std::string text = "shop=Numis\r\nName: Ann Müller\r\n";
    for (int n = 0; n < 30; ++n) {
        text += "Item " + std::to_string(n) + ": Aureus of Nero, quantity 3, price 12.50, total 37.50\r\n";
    }
    CWxOrderDialogs dialogs;
    WhenShown([&](wxDialog& dialog) {
        EXPECT_EQ(dialog.GetTitle(), "Order");
        // Line ends are the control's business: compare the lines.
        wxString shown = TextOf(dialog, 1014);
        shown.Replace("\r", "");
        wxString expected = wxString::FromUTF8(text);
        expected.Replace("\r", "");
        EXPECT_EQ(shown, expected);
        SaveWindowShot(dialog, "order-dialog");
        Click(dialog, 1);
    });
    dialogs.ShowOrder(text);
}

TEST_F(OrderDialogsTest, OrderDeletionAsksWithYesAndNo)
{
    CWxOrderDialogs dialogs;
    WhenShown([](wxDialog& dialog) {
        EXPECT_EQ(dialog.GetTitle(), "Confirm order deletion");
        EXPECT_EQ(dialog.FindWindow(8), nullptr);
        Click(dialog, 6);
    });
    EXPECT_EQ(dialogs.ConfirmOrderDelete("Do you want to delete the order0 ?"), 6);
}

} // namespace
