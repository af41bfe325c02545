#pragma once
// Loading the dialogs of this folder from the compiled XRC layouts and finding their controls by id.

#include <string_view>

#include <wx/dialog.h>
#include <wx/panel.h>

// Loads dialog `name` of the XRC layouts into `dialog`, owned by `parent`.
void LoadDialogLayout(wxDialog& dialog, wxWindow* parent, std::string_view name);
// Loads panel `name` of the XRC layouts into `panel`, a child of `parent`.
void LoadPanelLayout(wxPanel& panel, wxWindow* parent, std::string_view name);
// Sizes a window to its laid-out contents (after texts that change its size were set).
void FitToContents(wxWindow& window);

// Control `id` of the window's layout; null when the layout has none of that class.
template <typename Control>
Control* FindControl(wxWindow& window, int id)
{
    return dynamic_cast<Control*>(window.FindWindow(id));
}
