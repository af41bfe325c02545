// The address bar beside the tree pane on the typical catalogue: its indented lines with the tree's
// pictures, going to typed paths and chosen lines, and quick searches for any other text.

#include "mainwindow/panes/address/AddressCombo.h"

#include "mainwindow/panes/tree/LeftView.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tests/mainwindow/panes/TreePaneFixture.h"
#include "tree/base/ImageKinds.h"

#include <wx/sizer.h>

namespace {

using namespace lumarc::test;

class AddressComboTest : public PaneFixture
{
protected:
    void SetUp() override
    {
        PaneFixture::SetUp();
        address = MakeAddressBar(window, *frame);
        view = static_cast<CLeftView*>(MakeLeftView(window, *frame));
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(address, 0, wxEXPAND);
        sizer->Add(view, 1, wxEXPAND);
        window->SetSizer(sizer);
        window->Show();
        window->Layout();
        view->SetTimerStarter([](int, int) {});
        view->FillTree(*root);
        view->ExpandRoot();
        germany = view->ExpandNodeByPath(catalogueNode->GetName() + "^Europe^Germany^");
        germany->SetAttribute("Selected", "TRUE");
        view->SetAddressBar(address);
    }
    int LineOf(const CTreeNode* node) const
    {
        for (int i = 0; i < static_cast<int>(address->GetCount()); ++i) {
            if (address->GetLineNode(i) == node) {
                return i;
            }
        }
        return -1;
    }
    void Enter(const std::string& text)
    {
        address->SetValue(wxString::FromUTF8(text));
        wxCommandEvent enter(wxEVT_TEXT_ENTER, address->GetId());
        enter.SetEventObject(address);
        address->GetEventHandler()->ProcessEvent(enter);
    }

    AddressCombo* address = nullptr;
    CLeftView* view = nullptr;
    CTreeNode* germany = nullptr;
};

TEST_F(AddressComboTest, ListsTheTreeIndentedWithThePanesPictures)
{
    CTreeNode* europe = Child(*catalogueNode, "Europe");
    CTreeNode* asia = Child(*catalogueNode, "Asia");
    CTreeNode* prussia = Child(*germany, "Prussia");
    ASSERT_EQ(LineOf(catalogueNode), 0);
    EXPECT_EQ(address->GetLineIndent(0), 0);
    EXPECT_EQ(address->GetLineIndent(LineOf(europe)), 1);
    EXPECT_EQ(address->GetLineIndent(LineOf(germany)), 2);
    EXPECT_EQ(address->GetLineIndent(LineOf(prussia)), 3) << "the selected element's branch is open";
    EXPECT_EQ(address->GetLineIndent(LineOf(asia)), 1);
    EXPECT_EQ(address->GetSelection(), LineOf(germany)) << "the element marked selected is chosen";
    EXPECT_EQ(address->GetString(LineOf(germany)).utf8_string(), "Germany");
    EXPECT_EQ(address->GetLineImage(0), view->ImageIndexOfKind(image_kind::kCatalogueClosed));
    EXPECT_EQ(address->GetLineImage(LineOf(europe)), ImageListIndex(*view, europe->GetClosedImage()));
    EXPECT_NE(address->GetLineImage(LineOf(europe)), address->GetLineImage(0));
    EXPECT_EQ(address->ImageIndexOfKind(image_kind::kQueryClosed),
              view->ImageIndexOfKind(image_kind::kQueryClosed));

    address->SelectNode(asia);
    EXPECT_EQ(address->GetSelection(), LineOf(asia));

    window->Raise();
    address->Popup();
    RunEvents(100);
    wxRect shot = window->GetScreenRect();
    if (wxWindow* popup = address->GetPopupWindow(); popup != nullptr && popup->IsShown()) {
        shot.Union(popup->GetScreenRect());
    }
    ScreenshotRect(shot, "address-bar-open");
    address->Dismiss();
}

TEST_F(AddressComboTest, ChoosingALineGoesToItsElement)
{
    CTreeNode* asia = Child(*catalogueNode, "Asia");
    address->SetSelection(LineOf(asia));
    wxCommandEvent chosen(wxEVT_COMBOBOX, address->GetId());
    chosen.SetInt(LineOf(asia));
    address->GetEventHandler()->ProcessEvent(chosen);
    EXPECT_EQ(frame->current, asia);
    EXPECT_EQ(address->GetValue().utf8_string(), catalogueNode->GetName() + "/Asia");
}

TEST_F(AddressComboTest, ATypedPathGoesToItsElementEvenUnbuilt)
{
    Enter(catalogueNode->GetName() + "/europe/germany/PRUSSIA");
    EXPECT_EQ(frame->current, Child(*germany, "Prussia"));
    Enter(catalogueNode->GetName() + "^Europe^France^");
    EXPECT_EQ(frame->current, Child(*Child(*catalogueNode, "Europe"), "France"));
    EXPECT_TRUE(frame->searches.empty());
}

TEST_F(AddressComboTest, OtherTextIsSearchedForAsItStands)
{
    const std::string text = R"(it's "50%" _ [a] * ?)";
    AddRecord(*catalogueNode->GetCatalogue(), 1, catalogue.france, {{"NAME", "Franc " + text}});
    AddRecord(*catalogueNode->GetCatalogue(), 1, catalogue.france, {{"NAME", "Franc its 50 a"}});

    Enter(text);
    EXPECT_TRUE(frame->searches.empty()) << "no element is selected, so no catalogue to search";

    frame->current = germany;
    Enter(text);
    ASSERT_EQ(frame->searches.size(), 1u);
    EXPECT_EQ(frame->searches[0].element, germany);
    EXPECT_EQ(frame->searches[0].text, text);
    EXPECT_EQ(frame->searches[0].searchDataFile, kSearchEveryDataFile);
    // What the frame runs with it finds the text as typed: no character of it is a wildcard.
    CItemSet found = CItemSet::QuickSearch(catalogueNode->GetCatalogue(), kSearchEveryDataFile, text);
    ASSERT_EQ(found.GetCount(), 1u);
    ASSERT_TRUE(found.MoveFirst());
    EXPECT_EQ(found.GetCurrent()->GetFieldTextByName("NAME"), "Franc " + text);
}

TEST_F(AddressComboTest, FocusNamesTheCatalogueSearched)
{
    frame->current = germany;
    wxFocusEvent focus(wxEVT_SET_FOCUS, address->GetTextCtrl()->GetId());
    focus.SetEventObject(address->GetTextCtrl());
    address->GetTextCtrl()->GetEventHandler()->ProcessEvent(focus);
    ASSERT_FALSE(frame->statusTexts.empty());
    EXPECT_EQ(frame->statusTexts.back(),
              "Enter a string and then return to search on:   " + catalogueNode->GetCatalogue()->GetName());
}

} // namespace
