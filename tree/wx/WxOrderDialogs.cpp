#include "tree/wx/WxOrderDialogs.h"

#include "mainwindow/common/QuestionDialogs.h"
#include "platform/ui/DialogService.h"
#include "resources/XrcResources.h"
#include "tree/orders/OrderTexts.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

namespace {

constexpr int kItemEdit = 1000;
constexpr int kPriceEdit = 1001;
constexpr int kQuantityEdit = 1002;
constexpr int kOrderTextEdit = 1014;
constexpr int kOk = 1;
constexpr int kCancel = 2;

void LoadOrderLayout(wxDialog& dialog, wxWindow* parent, const char* id)
{
    resources::LoadXrcResources();
    if (!wxXmlResource::Get()->LoadDialog(&dialog, parent, id)) {
        wxFAIL_MSG(wxString::Format("dialog %s is not in the XRC resources", id));
        dialog.Create(parent, wxID_ANY, wxString());
    }
}

void FitLayout(wxDialog& dialog)
{
    if (wxSizer* sizer = dialog.GetSizer()) {
        dialog.Layout();
        sizer->SetSizeHints(&dialog);
    }
}

void SetText(wxWindow& dialog, int id, const std::string& text)
{
    if (auto* edit = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(id)); edit != nullptr) {
        edit->ChangeValue(wxString::FromUTF8(text));
    }
}

} // namespace

CCartQuantityDlg::CCartQuantityDlg(wxWindow* parent, const CartQuantity& row) : m_row(row)
{
    LoadOrderLayout(*this, parent, "202");
    SetText(*this, kItemEdit, LeftChars(row.name, kMaxChars));
    SetText(*this, kPriceEdit, LeftChars(row.price, kMaxChars));
    SetText(*this, kQuantityEdit, LeftChars(row.quantity, kMaxChars));
    m_quantity = dynamic_cast<wxTextCtrl*>(FindWindow(kQuantityEdit));
    if (m_quantity != nullptr) {
        m_quantity->SetMaxLength(kMaxChars);
        m_quantity->SetFocus();
        m_quantity->SelectAll();
    }
    FitLayout(*this);
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            const std::string typed =
                m_quantity != nullptr ? m_quantity->GetValue().utf8_string() : std::string();
            const std::optional<long long> quantity = ParseQuantity(typed);
            if (!quantity.has_value() || *quantity < 0) {
                platform::ui::ShowMessage("The quantity must be a whole number.", "Error",
                                          platform::ui::kMbOk | platform::ui::kMbIconError);
                return;
            }
            m_row.quantity = std::to_string(*quantity);
            EndModal(kOk);
        },
        kOk);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(kCancel); }, kCancel);
    SetEscapeId(kCancel);
}

COrderTextDlg::COrderTextDlg(wxWindow* parent, const std::string& text)
{
    LoadOrderLayout(*this, parent, "204");
    m_text = dynamic_cast<wxTextCtrl*>(FindWindow(kOrderTextEdit));
    if (m_text != nullptr) {
        m_text->ChangeValue(wxString::FromUTF8(text));
    }
    FitLayout(*this);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(kOk); }, kOk);
    SetEscapeId(kOk);
}

wxString COrderTextDlg::GetShownText() const
{
    return m_text != nullptr ? m_text->GetValue() : wxString();
}

int CWxOrderDialogs::ConfirmOrderDelete(const std::string& question)
{
    return ShowPopupQuestion(m_parent, kConfirmOrderDeleteDialog, question) == kAnswerYes ? kAnswerYes
                                                                                          : kAnswerNo;
}

bool CWxOrderDialogs::EditCartQuantity(CartQuantity& row)
{
    CCartQuantityDlg dialog(m_parent, row);
    if (dialog.ShowModal() != kOk) {
        return false;
    }
    row = dialog.GetRow();
    return true;
}

void CWxOrderDialogs::ShowOrder(const std::string& text)
{
    COrderTextDlg dialog(m_parent, text);
    dialog.ShowModal();
}
