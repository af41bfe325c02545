#include "mainwindow/dialogs/AboutDlg.h"

#include "mainwindow/dialogs/DialogLayout.h"
#include "store/program/VersionReport.h"

#include <wx/display.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/utils.h>

namespace {

constexpr int kVersionLine = 1101;
constexpr int kRunningOnLine = 1102;
constexpr int kLibraryList = 1104;

} // namespace

void CentreOverWindow(wxWindow& window, const wxWindow* over)
{
    const wxSize size = window.GetSize();
    const wxPoint centre =
        over != nullptr ? over->GetScreenRect().GetPosition() + over->GetSize() / 2 : wxGetMousePosition();
    const int index = wxDisplay::GetFromPoint(centre);
    const wxDisplay display(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index));
    wxRect area = display.GetClientArea();
    if (area.IsEmpty()) {
        area = display.GetGeometry();
    }
    wxPoint place = over != nullptr ? centre - size / 2 : area.GetPosition() + (area.GetSize() - size) / 2;
    place.x = std::max(area.GetLeft(), std::min(place.x, area.GetRight() + 1 - size.x));
    place.y = std::max(area.GetTop(), std::min(place.y, area.GetBottom() + 1 - size.y));
    window.Move(place);
}

CAboutDlg::CAboutDlg(wxWindow* owner)
{
    LoadDialogLayout(*this, owner, "100");
    if (auto* version = FindControl<wxStaticText>(*this, kVersionLine)) {
        version->SetLabel("Version " LUMARC_VERSION_TEXT);
    }
    if (auto* runningOn = FindControl<wxStaticText>(*this, kRunningOnLine)) {
        runningOn->SetLabel("Running on: " + wxGetOsDescription());
    }
    if (auto* list = FindControl<wxListCtrl>(*this, kLibraryList)) {
        list->AppendColumn("Library");
        list->AppendColumn("Version");
        for (const LibraryVersion& library : ReadLibraryVersions()) {
            const long row = list->InsertItem(list->GetItemCount(), wxString::FromUTF8(library.name));
            list->SetItem(row, 1,
                          library.version.empty() ? wxString("not found")
                                                  : wxString::FromUTF8(library.version));
        }
        list->SetColumnWidth(0, wxLIST_AUTOSIZE);
        list->SetColumnWidth(1, wxLIST_AUTOSIZE_USEHEADER);
    }
    FitToContents(*this);
    SetEscapeId(wxID_OK);
    CentreOverWindow(*this, owner);
}

void ShowAboutBox(wxWindow* owner)
{
    CAboutDlg dialog(owner);
    dialog.ShowModal();
}
