#include "mainwindow/common/WindowClasses.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

namespace {

class IntegerField : public wxTextCtrl
{
public:
    IntegerField(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
        : wxTextCtrl(parent, id, "0", pos, size, style)
    {
    }
};

wxWindow* MakeInteger(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    return new IntegerField(parent, id, pos, size, style);
}

class WindowClassesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ClearWindowClassesForTest();
        m_frame = new wxFrame(nullptr, wxID_ANY, "classes"); // owned by wx
    }
    void TearDown() override
    {
        m_frame->Destroy();
        ClearWindowClassesForTest();
    }

    wxFrame* m_frame = nullptr;
};

} // namespace

TEST_F(WindowClassesTest, MakesTheControlOfAClassNamedInAnyCase)
{
    ASSERT_TRUE(RegisterWindowClass("Integer", MakeInteger));
    wxWindow* made = CreateOwnWindow("INTEGER", m_frame, 1021, wxPoint(3, 4), wxSize(80, 24), wxTE_RIGHT);
    ASSERT_NE(made, nullptr);
    EXPECT_NE(dynamic_cast<IntegerField*>(made), nullptr);
    EXPECT_EQ(made->GetParent(), m_frame);
    EXPECT_EQ(made->GetId(), 1021);
    EXPECT_EQ(made->GetPosition(), wxPoint(3, 4));
    EXPECT_TRUE(made->HasFlag(wxTE_RIGHT));
    EXPECT_EQ(WindowClassOf(made), "Integer");
    EXPECT_EQ(m_frame->FindWindow("Integer"), made);
}

TEST_F(WindowClassesTest, KeepsTheFirstRegistrationOfAName)
{
    EXPECT_TRUE(RegisterWindowClass("Month", MakeInteger));
    EXPECT_TRUE(RegisterWindowClass("Integer", MakeInteger));
    EXPECT_FALSE(RegisterWindowClass("month", [](wxWindow*, wxWindowID, const wxPoint&, const wxSize&, long) {
        return static_cast<wxWindow*>(nullptr);
    }));
    EXPECT_FALSE(RegisterWindowClass("", MakeInteger));
    EXPECT_FALSE(RegisterWindowClass("Empty", nullptr));
    EXPECT_EQ(RegisteredWindowClasses(), (std::vector<std::string>{"Month", "Integer"}));
    EXPECT_NE(CreateOwnWindow("MONTH", m_frame), nullptr);
}

TEST_F(WindowClassesTest, AnUnknownClassMakesNothing)
{
    EXPECT_FALSE(IsWindowClassRegistered("NumYear"));
    EXPECT_EQ(CreateOwnWindow("NumYear", m_frame), nullptr);
    EXPECT_TRUE(m_frame->GetChildren().empty());
}

TEST_F(WindowClassesTest, StandardControlsPlayTheirSystemClasses)
{
    EXPECT_EQ(WindowClassOf(new wxTextCtrl(m_frame, wxID_ANY)), "Edit");
    EXPECT_EQ(WindowClassOf(new wxComboBox(m_frame, wxID_ANY)), "ComboBox");
    EXPECT_EQ(WindowClassOf(new wxListBox(m_frame, wxID_ANY)), "ListBox");
    EXPECT_EQ(WindowClassOf(new wxButton(m_frame, wxID_ANY, "OK")), "Button");
    EXPECT_EQ(WindowClassOf(m_frame), "");
    EXPECT_EQ(WindowClassOf(nullptr), "");
}
