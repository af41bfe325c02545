#include "mainwindow/dialogs/NameDialogs.h"

#include "mainwindow/dialogs/DialogLayout.h"
#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"

#include <wx/button.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

constexpr int kEdit = 1014;
constexpr int kPrompt = 1095;
constexpr unsigned kErrorCaption = 20552;
constexpr const char* kWrongPasswordText = "The password is wrong: the catalogue stays protected.";

// The edit's text, cut to `maxChars` characters (not bytes), as UTF-8.
std::string EditText(const wxTextCtrl* edit, size_t maxChars)
{
    return edit != nullptr ? edit->GetValue().Left(maxChars).utf8_string() : std::string();
}

} // namespace

CNewNameDlg::CNewNameDlg(wxWindow* parent, std::string_view prompt, std::string_view name)
{
    LoadDialogLayout(*this, parent, "1441");
    if (auto* label = FindControl<wxStaticText>(*this, kPrompt)) {
        label->SetLabel(wxString::FromUTF8(std::string(prompt)));
        label->Show(!prompt.empty());
    }
    m_edit = FindControl<wxTextCtrl>(*this, kEdit);
    if (m_edit != nullptr) {
        m_edit->SetMaxLength(kNewNameChars);
        m_edit->ChangeValue(wxString::FromUTF8(std::string(name)).Left(kNewNameChars));
        m_edit->SetFocus();
        m_edit->SelectAll();
    }
    FitToContents(*this);
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            m_name = EditText(m_edit, kNewNameChars);
            EndModal(wxID_OK);
        },
        wxID_OK);
}

bool AskNewName(wxWindow* parent, std::string_view prompt, std::string& name)
{
    CNewNameDlg dialog(parent, prompt, name);
    if (dialog.ShowModal() != wxID_OK) {
        return false;
    }
    name = dialog.GetNewName();
    return true;
}

CPasswordDlg::CPasswordDlg(wxWindow* parent)
{
    LoadDialogLayout(*this, parent, "32245");
    m_edit = FindControl<wxTextCtrl>(*this, kEdit);
    if (m_edit != nullptr) {
        m_edit->SetMaxLength(kPasswordChars);
        m_edit->SetFocus();
    }
    FitToContents(*this);
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            m_password = EditText(m_edit, kPasswordChars);
            EndModal(wxID_OK);
        },
        wxID_OK);
}

CPasswordDlg::~CPasswordDlg()
{
    // The typed password lives no longer than the dialog that asked for it.
    std::fill(m_password.begin(), m_password.end(), '\0');
}

bool AskPassword(wxWindow* parent, std::string& password)
{
    CPasswordDlg dialog(parent);
    if (dialog.ShowModal() != wxID_OK) {
        return false;
    }
    password = dialog.GetPassword();
    return true;
}

ProtectedOpen OpenProtectedCatalogue(wxWindow* parent, CCatalogueDb& catalogue)
{
    if (!catalogue.IsPasswordProtected() || catalogue.GetDatabase() != nullptr) {
        return ProtectedOpen::Opened;
    }
    std::string password;
    if (!AskPassword(parent, password)) {
        return ProtectedOpen::Cancelled;
    }
    const bool opened = catalogue.Open(password);
    std::fill(password.begin(), password.end(), '\0');
    if (!opened) {
        platform::ui::ShowMessage(kWrongPasswordText, LoadResString(kErrorCaption), platform::ui::kMbOk);
        return ProtectedOpen::WrongPassword;
    }
    return ProtectedOpen::Opened;
}
