#include "mainwindow/panes/MainSplitter.h"
#include "mainwindow/panes/StatusPanes.h"
#include "tests/support/WindowShot.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/panel.h>

#include <cstdlib>
#include <set>

namespace {

using lumarc::test::SaveWindowShot;

class PanesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "panes", wxPoint(0, 0), wxSize(800, 500)); // owned by wx
        m_frame->Show();
    }
    void TearDown() override { m_frame->Destroy(); }

    wxFrame* m_frame = nullptr;
};

} // namespace

TEST_F(PanesTest, AHiddenColumnComesBackWithItsWidth)
{
    auto* splitter = new CMainSplitter(m_frame);
    auto* tree = new wxPanel(splitter);
    auto* host = new wxPanel(splitter);
    splitter->SplitVertically(tree, host, 210);
    m_frame->SendSizeEvent();
    wxYield();
    EXPECT_EQ(splitter->HiddenColumn(), -1);

    splitter->HideColumn(0);
    EXPECT_EQ(splitter->HiddenColumn(), 0);
    EXPECT_FALSE(tree->IsShown());
    EXPECT_FALSE(splitter->IsSplit());
    splitter->HideColumn(1); // one at a time
    EXPECT_TRUE(host->IsShown());

    splitter->ShowColumn();
    EXPECT_EQ(splitter->HiddenColumn(), -1);
    EXPECT_TRUE(tree->IsShown());
    EXPECT_EQ(splitter->GetWindow1(), tree);
    EXPECT_EQ(splitter->GetSashPosition(), 210);
    splitter->ShowColumn(); // nothing hidden: nothing changes
    EXPECT_EQ(splitter->GetSashPosition(), 210);
}

TEST_F(PanesTest, RowsHideAndShowLikeColumns)
{
    auto* splitter = new CMainSplitter(m_frame);
    auto* find = new wxPanel(splitter);
    auto* host = new wxPanel(splitter);
    splitter->SplitHorizontally(find, host, 150);
    m_frame->SendSizeEvent();
    wxYield();
    splitter->HideColumn(0); // no columns in this split
    EXPECT_EQ(splitter->HiddenColumn(), -1);
    splitter->HideRow(1);
    EXPECT_EQ(splitter->HiddenRow(), 1);
    EXPECT_FALSE(host->IsShown());
    splitter->ShowRow();
    EXPECT_EQ(splitter->GetWindow2(), host);
    EXPECT_EQ(splitter->GetSplitMode(), wxSPLIT_HORIZONTAL);
    EXPECT_EQ(splitter->GetSashPosition(), 150);
}

TEST_F(PanesTest, StatusPanesFitTheirTexts)
{
    std::set<wxKeyCode> locksOn = {WXK_NUMLOCK};
    auto* status = new CStatusPanes(m_frame, [&](wxKeyCode key) { return locksOn.count(key) != 0; });
    m_frame->SetStatusBar(status);

    status->SetStatusTexts(1, {"12 items"});
    ASSERT_EQ(status->GetFieldsCount(), 6);
    EXPECT_EQ(status->GetStatusWidth(0),
              status->GetTextExtent("12 items").x + CStatusPanes::kFieldPadding + 5);
    EXPECT_EQ(status->GetStatusWidth(1), 100);
    EXPECT_EQ(status->GetStatusWidth(2), 100);
    EXPECT_EQ(status->GetStatusText(0), "12 items");
    EXPECT_EQ(status->GetStatusText(1), "");
    EXPECT_EQ(status->GetStatusText(3), "");
    EXPECT_EQ(status->GetStatusText(4), "NUM");

    const std::string longText(100, 'x');
    status->SetStatusTexts(3, {"Coins", "Owned: 4", longText});
    const int first = status->GetTextExtent("Coins").x + CStatusPanes::kFieldPadding + 5;
    EXPECT_EQ(status->GetStatusWidth(1),
              status->GetTextExtent("Owned: 4").x + CStatusPanes::kFieldPadding + 6);
    EXPECT_EQ(status->GetStatusWidth(2),
              status->GetTextExtent(wxString(80, 'x')).x + CStatusPanes::kFieldPadding + first + 5);
    EXPECT_EQ(status->GetStatusText(2), wxString(80, 'x'));

    status->SetStatusTexts(3, {"Coins", "Owned: 4", "Value: 120.00"});
    SaveWindowShot(*m_frame, "status-panes");
    status->SetStatusTexts(2, {"Coins", "Owned: 4", "not counted"});
    EXPECT_EQ(status->GetStatusWidth(2), 100);
    EXPECT_EQ(status->GetStatusText(2), "");

    locksOn = {WXK_CAPITAL, WXK_SCROLL};
    status->UpdateIndicators();
    EXPECT_EQ(status->GetStatusText(3), "CAP");
    EXPECT_EQ(status->GetStatusText(4), "");
    EXPECT_EQ(status->GetStatusText(5), "SCRL");

    status->SetMessageText("Opening the catalogue...");
    EXPECT_EQ(status->GetFieldsCount(), 1);
    EXPECT_EQ(status->GetStatusText(0), "Opening the catalogue...");
}
