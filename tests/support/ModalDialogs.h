#pragma once
// Driving modal dialogs in window tests as a user would: once a dialog runs modally, a test's steps act
// on its controls and end it with a button.

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>

#include <functional>

namespace lumarc::test {

// The modal dialog on top (the last one opened), or null.
inline wxDialog* TopModalDialog()
{
    wxDialog* top = nullptr;
    for (wxWindow* window : wxTopLevelWindows) {
        if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog != nullptr && dialog->IsModal()) {
            top = dialog;
        }
    }
    return top;
}

// Once a modal dialog runs, `act` drives it (its controls, then a button). Nested dialogs opened by
// `act` are driven by a WhenShown called inside it.
inline void WhenShown(std::function<void(wxDialog&)> act)
{
    wxTheApp->CallAfter([act] {
        if (wxDialog* dialog = TopModalDialog()) {
            act(*dialog);
            return;
        }
        ADD_FAILURE() << "no modal dialog";
    });
}

// Sends the click of button `id` of a window, as the button itself would.
inline void Click(wxWindow& window, int id)
{
    auto* button = dynamic_cast<wxButton*>(window.FindWindow(id));
    ASSERT_NE(button, nullptr) << "button " << id;
    ASSERT_TRUE(button->IsEnabled()) << "button " << id;
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
}

} // namespace lumarc::test
