#include "mainwindow/startup/OwnWindowClasses.h"
#include "mainwindow/common/WindowClasses.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/stattext.h>

TEST(OwnWindowClassesTest, RegistersOncePerProcess)
{
    RegisterOwnWindowClasses();
    const auto first = RegisteredWindowClasses();
    RegisterOwnWindowClasses();
    EXPECT_EQ(RegisteredWindowClasses(), first);

    auto* frame = new wxFrame(nullptr, wxID_ANY, "classes"); // owned by wx
    for (const char* name : {"fatherName", "GRANDFATHERNAME"}) {
        wxWindow* made = CreateOwnWindow(name, frame);
        EXPECT_NE(dynamic_cast<wxStaticText*>(made), nullptr) << name;
    }
    frame->Destroy();
}
