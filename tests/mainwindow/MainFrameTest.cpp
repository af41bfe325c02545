#include "mainwindow/MainFrame.h"

#include <gtest/gtest.h>
#include <wx/app.h>

TEST(MainFrame, OpensAndCloses)
{
    auto* frame = new CMainFrame(); // owned by wx once shown
    frame->Show();
    wxTheApp->ProcessPendingEvents();
    EXPECT_TRUE(frame->IsShown());
    EXPECT_EQ(frame->GetTitle(), "Lumarc");
    frame->Close(true);
    frame->Destroy();
    wxTheApp->ProcessPendingEvents();
}
