#include "mainwindow/startup/TipDlg.h"

#include "resources/StringTable.h"
#include "resources/XrcResources.h"
#include "store/program/Settings.h"

#include <filesystem>
#include <fstream>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/html/htmlwin.h>
#include <wx/xrc/xmlres.h>

namespace {

constexpr int kOk = 1;
constexpr int kTipView = 1001;
constexpr int kNextTip = 1052;
constexpr int kDoNotShow = 150;
constexpr unsigned kRestartTip = 12001; // the welcome tip 12000 is shown only once

} // namespace

CTipDlg::CTipDlg(wxWindow* parent)
{
    resources::LoadXrcResources();
    wxXmlResource::Get()->LoadDialog(this, parent, "31233");
    m_tip = wxDynamicCast(FindWindow(kTipView), wxHtmlWindow);
    m_noTips = wxDynamicCast(FindWindow(kDoNotShow), wxCheckBox);
    m_noTips->SetValue(GetSettingInt("Tips", 1) == 0);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { ShowNextTip(); }, kNextTip);
    Bind(wxEVT_BUTTON, &CTipDlg::OnOk, this, kOk);
    Fit();
    CentreOnParent();
    ShowNextTip();
}

void CTipDlg::ShowNextTip()
{
    unsigned id = static_cast<unsigned>(GetSettingInt("StartTip", kFirstTip));
    auto text = resources::FindString(id);
    if (!text) {
        id = kRestartTip;
        text = resources::FindString(id);
    }
    SetSettingInt("StartTip", static_cast<int>(id + 1));
    m_shownTip = id;

    // The tip goes through a file of the HTML folder, where the web pages of the program live, so that
    // its links and pictures resolve as theirs do.
    const auto folder = GetHtmDirectory();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const auto file = folder / "tips.html";
    std::filesystem::remove(file, error);
    std::ofstream(file, std::ios::binary) << text.value_or(std::string_view());
    if (!m_tip->LoadFile(wxFileName(file.string()))) {
        m_tip->SetPage(wxString::FromUTF8(text.value_or(std::string_view()).data(), text ? text->size() : 0));
    }
}

void CTipDlg::OnOk(wxCommandEvent&)
{
    SetSettingInt("Tips", m_noTips->GetValue() ? 0 : 1);
    if (IsModal()) {
        EndModal(wxID_OK);
    } else {
        Destroy();
    }
}
