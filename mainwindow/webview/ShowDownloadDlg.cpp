#include "mainwindow/webview/ShowDownloadDlg.h"

#include "mainwindow/webview/CatalogueDownload.h"
#include "resources/XrcResources.h"
#include "store/program/Settings.h"

#include <wx/checkbox.h>
#include <wx/xrc/xmlres.h>

namespace {

constexpr int kOk = 1;
constexpr int kShowAgain = 1103;

} // namespace

CShowDownloadDlg::CShowDownloadDlg(wxWindow* parent)
{
    resources::LoadXrcResources();
    wxXmlResource::Get()->LoadDialog(this, parent, "243");
    m_showAgain = wxDynamicCast(FindWindow(kShowAgain), wxCheckBox);
    Bind(wxEVT_BUTTON, &CShowDownloadDlg::OnOk, this, kOk);
    // Closing the window is taken as OK: the prompt only informs, the download goes on either way.
    SetEscapeId(kOk);
    SetAffirmativeId(kOk);
    CentreOnParent();
}

void CShowDownloadDlg::OnOk(wxCommandEvent&)
{
    if (m_showAgain != nullptr && !m_showAgain->GetValue()) {
        SetSettingString("showDownload", "FALSE");
    }
    EndModal(wxID_OK);
}

void InstallShowDownloadDlg()
{
    SetDownloadPrompt([](wxWindow* parent) {
        CShowDownloadDlg dialog(parent);
        dialog.ShowModal();
    });
}
