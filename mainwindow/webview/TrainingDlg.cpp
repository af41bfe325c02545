#include "mainwindow/webview/TrainingDlg.h"

#include "mainwindow/webview/WebCommands.h"
#include "resources/XrcResources.h"
#include "store/program/Settings.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/webview.h>
#include <wx/xrc/xmlres.h>

#include <algorithm>

namespace {

constexpr int kOk = 1;
constexpr int kBrowser = 1001;
constexpr int kDoNotShow = 1029;

} // namespace

CTrainingDlg::CTrainingDlg(wxWindow* parent)
{
    resources::LoadXrcResources();
    wxXmlResource::Get()->LoadDialog(this, parent, "32242");
    // The browser is made here rather than in the layout: the web view has no layout handler of its own.
    m_browser = wxWebView::New(this, kBrowser);
    m_doNotShow = wxDynamicCast(FindWindow(kDoNotShow), wxCheckBox);
    m_ok = wxDynamicCast(FindWindow(kOk), wxButton);
    Bind(wxEVT_BUTTON, &CTrainingDlg::OnOk, this, kOk);
    Bind(wxEVT_SIZE, &CTrainingDlg::OnSize, this);
    // Links of a lesson that open a window of their own go to the user's browser.
    m_browser->Bind(wxEVT_WEBVIEW_NEWWINDOW,
                    [](wxWebViewEvent& event) { OpenInUsersBrowser(event.GetURL().utf8_string()); });

    m_lesson = GetSettingInt("TrainingLesson", 1);
    const auto page = GetHtmDirectory() / ("training" + std::to_string(m_lesson) + ".htm");
    m_browser->LoadURL(wxString::FromUTF8(FileUrl(page)));
    CentreOnParent();
}

void CTrainingDlg::OnOk(wxCommandEvent&)
{
    SetSettingBool("ShowTraining", !m_doNotShow->GetValue());
    const int next = m_lesson + 1;
    SetSettingInt("TrainingLesson", next);
    if (next >= kLastTrainingLesson + 1) {
        SetSettingBool("ShowTraining", false);
    }
    if (IsModal()) {
        EndModal(wxID_OK);
    } else {
        Destroy();
    }
}

void CTrainingDlg::OnSize(wxSizeEvent& event)
{
    const wxSize size = GetClientSize();
    if (m_browser != nullptr) {
        m_browser->SetSize(10, 10, std::max(size.x - 20, 0), std::max(size.y - 50, 0));
    }
    if (m_ok != nullptr) {
        const wxSize ok = m_ok->GetBestSize();
        // 30 pixels above the bottom, or higher where the toolkit's button would not fit below that.
        m_ok->SetSize(size.x / 2 - 20, std::min(size.y - 30, size.y - ok.y - 4), ok.x, ok.y);
    }
    if (m_doNotShow != nullptr) {
        const wxSize box = m_doNotShow->GetBestSize();
        m_doNotShow->SetSize(20, std::min(size.y - 20, size.y - box.y - 8), box.x, box.y);
    }
    event.Skip();
}
