#pragma once
// The dialog tests' owner: a plain frame shown on the display for the dialogs under test to belong to,
// with no dialog answers left over from another test.

#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>

namespace lumarc::test {

class OwnerFrameFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs().Clear();
        m_frame = new wxFrame(nullptr, wxID_ANY, "owner", wxPoint(100, 100), wxSize(600, 400)); // owned by wx
        m_frame->Show();
    }
    void TearDown() override
    {
        m_frame->Destroy();
        wxTheApp->ProcessPendingEvents();
    }

    wxFrame* m_frame = nullptr;
};

} // namespace lumarc::test
