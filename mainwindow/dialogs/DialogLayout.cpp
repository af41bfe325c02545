#include "mainwindow/dialogs/DialogLayout.h"

#include "resources/XrcResources.h"

#include <wx/sizer.h>
#include <wx/xrc/xmlres.h>

#include <string>

void LoadDialogLayout(wxDialog& dialog, wxWindow* parent, std::string_view name)
{
    resources::LoadXrcResources();
    const wxString id = wxString::FromUTF8(std::string(name));
    if (!wxXmlResource::Get()->LoadDialog(&dialog, parent, id)) {
        // Every layout is compiled in, so this is a programming error, not something a user can cause.
        wxFAIL_MSG("dialog " + id + " is not in the XRC resources");
        dialog.Create(parent, wxID_ANY, wxString());
    }
}

void LoadPanelLayout(wxPanel& panel, wxWindow* parent, std::string_view name)
{
    resources::LoadXrcResources();
    const wxString id = wxString::FromUTF8(std::string(name));
    if (!wxXmlResource::Get()->LoadPanel(&panel, parent, id)) {
        wxFAIL_MSG("panel " + id + " is not in the XRC resources");
        panel.Create(parent);
    }
}

void FitToContents(wxWindow& window)
{
    if (wxSizer* sizer = window.GetSizer()) {
        window.Layout();
        sizer->SetSizeHints(&window);
    }
}
