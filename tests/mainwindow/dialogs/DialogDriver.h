#pragma once
// Driving the main window's dialogs in tests as a user would: once a dialog runs modally, a test's
// steps act on its controls and end it with a button; screenshots go to $LUMARC_SCREENSHOTS.

#include "tests/support/ModalDialogs.h"
#include "tests/support/WindowShot.h"

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include <string>

namespace lumarc::test {

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

// The dialog tests' name for the shared screenshot helper.
inline void Screenshot(wxWindow& window, const std::string& name)
{
    SaveWindowShot(window, name);
}

} // namespace lumarc::test
