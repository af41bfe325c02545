#pragma once
// Driving the main window's dialogs in tests as a user would: once a dialog runs modally, a test's
// steps act on its controls and end it with a button; screenshots go to $LUMARC_SCREENSHOTS.

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/dialog.h>
#include <wx/image.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <cstdlib>
#include <functional>
#include <string>

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

inline void Type(wxWindow& window, int id, const wxString& text)
{
    auto* edit = dynamic_cast<wxTextCtrl*>(window.FindWindow(id));
    ASSERT_NE(edit, nullptr) << "edit " << id;
    edit->SetValue(text);
}

// Types the text one character after the other into edit `id`, as keys would, so that the edit's limit
// applies to each.
inline void TypeKeys(wxWindow& window, int id, const wxString& text)
{
    auto* edit = dynamic_cast<wxTextCtrl*>(window.FindWindow(id));
    ASSERT_NE(edit, nullptr) << "edit " << id;
    edit->Clear();
    for (const wxUniChar c : text) {
        edit->WriteText(wxString(c));
    }
}

inline void Check(wxWindow& window, int id, bool checked)
{
    auto* box = dynamic_cast<wxCheckBox*>(window.FindWindow(id));
    ASSERT_NE(box, nullptr) << "check box " << id;
    box->SetValue(checked);
    wxCommandEvent event(wxEVT_CHECKBOX, id);
    event.SetEventObject(box);
    event.SetInt(checked ? 1 : 0);
    box->GetEventHandler()->ProcessEvent(event);
}

// Selects entry `text` of list `id` as a click would (wxNOT_FOUND text: clears the selection).
inline void Choose(wxWindow& window, int id, const wxString& text)
{
    auto* list = dynamic_cast<wxListBox*>(window.FindWindow(id));
    ASSERT_NE(list, nullptr) << "list " << id;
    const int index = list->FindString(text, true);
    ASSERT_NE(index, wxNOT_FOUND) << text;
    list->SetSelection(index);
    wxCommandEvent event(wxEVT_LISTBOX, id);
    event.SetEventObject(list);
    event.SetInt(index);
    list->GetEventHandler()->ProcessEvent(event);
}

inline wxArrayString Entries(wxWindow& window, int id)
{
    auto* list = dynamic_cast<wxListBox*>(window.FindWindow(id));
    return list != nullptr ? list->GetStrings() : wxArrayString();
}

// Saves what the screen shows of a window into $LUMARC_SCREENSHOTS/<name>.png, for a person to look at.
inline void Screenshot(wxWindow& window, const std::string& name)
{
    const char* folder = std::getenv("LUMARC_SCREENSHOTS");
    if (folder == nullptr) {
        return;
    }
    wxInitAllImageHandlers();
    window.Refresh();
    window.Update();
    for (int i = 0; i < 10; ++i) {
        wxMilliSleep(20);
        while (wxTheApp->Pending()) {
            wxTheApp->Dispatch();
        }
    }
    const wxRect rect = window.GetScreenRect();
    wxBitmap shot(rect.GetSize(), 24);
    wxMemoryDC memory(shot);
    wxScreenDC screen;
    memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    memory.SelectObject(wxNullBitmap);
    shot.ConvertToImage().SaveFile(std::string(folder) + "/" + name + ".png", wxBITMAP_TYPE_PNG);
}

} // namespace lumarc::test
