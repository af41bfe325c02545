#include "mainwindow/common/QuestionDialogs.h"
#include "tests/support/ModalDialogs.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/display.h>
#include <wx/frame.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <functional>

namespace {

using lumarc::test::Click;
using lumarc::test::WhenShown;

void Type(wxDialog& dialog, int id, const wxString& text)
{
    auto* edit = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(id));
    ASSERT_NE(edit, nullptr) << id;
    edit->SetValue(text);
}

class QuestionDialogsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_parent = new wxFrame(nullptr, wxID_ANY, "parent"); // owned by wx
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

TEST_F(QuestionDialogsTest, ConfirmationsAnswerWithTheButtonChosen)
{
    struct Case
    {
        int dialog;
        const char* caption;
        int button;
        bool hasYesToAll;
    };
    const Case cases[] = {
        {305, "Confirm Multiple Items Delete ", kAnswerYesToAll, true},
        {307, "Confirm Folder Delete", kAnswerYes, true},
        {317, "Confirm Query delete", kAnswerNo, true},
        {30148, "Confirm List delete", kAnswerYes, true},
        {32209, "Confirm order deletion", kAnswerNo, false},
    };
    for (const auto& c : cases) {
        WhenShown([&](wxDialog& dialog) {
            EXPECT_EQ(dialog.GetTitle(), c.caption);
            EXPECT_EQ(static_cast<CPopupQuestionDlg&>(dialog).GetQuestion(),
                      "Do you want to delete the Coins ?");
            EXPECT_EQ(dialog.FindWindow(kAnswerYesToAll) != nullptr, c.hasYesToAll);
            Click(dialog, c.button);
        });
        EXPECT_EQ(ShowPopupQuestion(m_parent, c.dialog, "Do you want to delete the Coins ?"), c.button)
            << c.dialog;
    }
}

TEST_F(QuestionDialogsTest, ConfirmationsOpenAtTheMouseInsideTheScreen)
{
    CPopupQuestionDlg dialog(m_parent, 305, "Delete?");
    const wxRect screen = wxDisplay(0u).GetGeometry();
    const wxSize size = dialog.GetSize();
    dialog.PlaceAt(wxPoint(10, 20));
    EXPECT_EQ(dialog.GetPosition(), wxPoint(10, 20));
    dialog.PlaceAt(wxPoint(screen.GetRight() - 5, screen.GetBottom() - 5));
    EXPECT_EQ(dialog.GetPosition(),
              wxPoint(screen.GetRight() + 1 - 50 - size.x, screen.GetBottom() + 1 - 50 - size.y));
    // Only an edge that would be crossed pulls it back.
    dialog.PlaceAt(wxPoint(10, screen.GetBottom() - 5));
    EXPECT_EQ(dialog.GetPosition(), wxPoint(10, screen.GetBottom() + 1 - 50 - size.y));
}

TEST_F(QuestionDialogsTest, TextEntryGivesBackAtMostItsLimit)
{
    std::string name = "Old name";
    WhenShown([](wxDialog& dialog) {
        EXPECT_EQ(dialog.GetTitle(), "Please enter the new item name.");
        EXPECT_EQ(dynamic_cast<wxTextCtrl*>(dialog.FindWindow(1001))->GetValue(), "Old name");
        Type(dialog, 1001, wxString::FromUTF8("Münzen der Welt, 1900 bis 2000, mit allen Varianten"));
        Click(dialog, kAnswerYes);
    });
    EXPECT_EQ(ShowTextEntry(m_parent, 32167, name), kAnswerYes);
    EXPECT_EQ(name, "Münzen der Welt, 1900 bis 2000, mit all"); // 39 characters

    WhenShown([](wxDialog& dialog) {
        EXPECT_EQ(dialog.GetTitle(), "Please enter the new template name.");
        Type(dialog, 1001, "ignored");
        Click(dialog, kAnswerNo);
    });
    EXPECT_EQ(ShowTextEntry(m_parent, 32158, name, 99), kAnswerNo);
    EXPECT_EQ(name, "Münzen der Welt, 1900 bis 2000, mit all");
}

TEST_F(QuestionDialogsTest, MailTextGivesSubjectAndText)
{
    std::string subject;
    std::string text;
    WhenShown([](wxDialog& dialog) {
        EXPECT_EQ(dialog.GetTitle(), "Insert the mail message subject and text.");
        Type(dialog, 1000, wxString(200, 's'));
        Type(dialog, 1022, "Line one\nLine two");
        Click(dialog, 1);
    });
    EXPECT_EQ(ShowMailText(m_parent, subject, text), kAnswerYes);
    EXPECT_EQ(subject, std::string(127, 's'));
    EXPECT_EQ(text, "Line one\nLine two");

    WhenShown([](wxDialog& dialog) {
        Type(dialog, 1000, "changed");
        Click(dialog, 2);
    });
    EXPECT_EQ(ShowMailText(m_parent, subject, text), kAnswerNo);
    EXPECT_EQ(text, "Line one\nLine two");
}
