#include "mainwindow/common/QuestionDialogs.h"

#include "resources/XrcResources.h"

#include <wx/button.h>
#include <wx/display.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>
#include <wx/xrc/xmlres.h>

namespace {

constexpr int kQuestionText = 1022;
constexpr int kNameEdit = 1001;
constexpr int kSubjectEdit = 1000;
constexpr int kMailTextEdit = 1022;
constexpr int kMailOk = 1;
constexpr int kMailCancel = 2;
constexpr int kScreenMargin = 50;
constexpr size_t kSubjectChars = 127;
constexpr size_t kMailTextChars = 63999;

void LoadLayout(wxDialog& dialog, wxWindow* parent, int dialogId)
{
    resources::LoadXrcResources();
    if (!wxXmlResource::Get()->LoadDialog(&dialog, parent, wxString::Format("%d", dialogId))) {
        // Every layout is compiled in, so this is a programming error, not something a user can cause.
        wxFAIL_MSG(wxString::Format("dialog %d is not in the XRC resources", dialogId));
        dialog.Create(parent, wxID_ANY, wxString());
    }
}

// Sizes the dialog to its laid-out contents (after texts that change its size were set).
void FitToContents(wxDialog& dialog)
{
    if (wxSizer* sizer = dialog.GetSizer()) {
        dialog.Layout();
        sizer->SetSizeHints(&dialog);
    }
}

std::string Cut(const wxString& text, size_t maxChars)
{
    return text.Left(maxChars).utf8_string();
}

// The answer, with the focus given back to the parent as the dialog goes.
int Finish(wxWindow* parent, int answer)
{
    if (parent != nullptr) {
        parent->SetFocus();
    }
    return answer;
}

} // namespace

CPopupQuestionDlg::CPopupQuestionDlg(wxWindow* parent, int dialogId, const std::string& text)
{
    LoadLayout(*this, parent, dialogId);
    m_question = dynamic_cast<wxStaticText*>(FindWindow(kQuestionText));
    if (m_question != nullptr) {
        m_question->SetLabel(wxString::FromUTF8(text));
        m_question->Wrap(FromDIP(320));
    }
    FitToContents(*this);
    for (int answer : {kAnswerYes, kAnswerNo, kAnswerYesToAll}) {
        Bind(
            wxEVT_BUTTON, [this, answer](wxCommandEvent&) { EndModal(answer); }, answer);
    }
    SetEscapeId(kAnswerNo);
}

void CPopupQuestionDlg::PlaceAt(const wxPoint& point)
{
    const int display = wxDisplay::GetFromPoint(point);
    const wxRect screen =
        wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetGeometry();
    const wxSize size = GetSize();
    wxPoint place = point;
    if (place.x + size.x > screen.GetRight() + 1) {
        place.x = screen.GetRight() + 1 - kScreenMargin - size.x;
    }
    if (place.y + size.y > screen.GetBottom() + 1) {
        place.y = screen.GetBottom() + 1 - kScreenMargin - size.y;
    }
    Move(place);
}

wxString CPopupQuestionDlg::GetQuestion() const
{
    return m_question != nullptr ? m_question->GetLabel() : wxString();
}

int ShowPopupQuestion(wxWindow* parent, int dialogId, const std::string& text)
{
    CPopupQuestionDlg dialog(parent, dialogId, text);
    dialog.PlaceAt(wxGetMousePosition());
    return Finish(parent, dialog.ShowModal());
}

CTextEntryDlg::CTextEntryDlg(wxWindow* parent, int dialogId, const std::string& text, size_t maxChars)
    : m_maxChars(maxChars)
{
    LoadLayout(*this, parent, dialogId);
    FitToContents(*this);
    m_edit = dynamic_cast<wxTextCtrl*>(FindWindow(kNameEdit));
    if (m_edit != nullptr) {
        m_edit->ChangeValue(wxString::FromUTF8(text));
        m_edit->SetFocus();
        m_edit->SelectAll();
    }
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            m_text = m_edit != nullptr ? Cut(m_edit->GetValue(), m_maxChars) : std::string();
            EndModal(kAnswerYes);
        },
        kAnswerYes);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(kAnswerNo); }, kAnswerNo);
    SetAffirmativeId(kAnswerYes);
    SetEscapeId(kAnswerNo);
}

int ShowTextEntry(wxWindow* parent, int dialogId, std::string& text, size_t maxChars)
{
    CTextEntryDlg dialog(parent, dialogId, text, maxChars);
    const int answer = dialog.ShowModal();
    if (answer == kAnswerYes) {
        text = dialog.GetText();
    }
    return Finish(parent, answer);
}

CMailTextDlg::CMailTextDlg(wxWindow* parent)
{
    LoadLayout(*this, parent, 105);
    FitToContents(*this);
    m_subjectEdit = dynamic_cast<wxTextCtrl*>(FindWindow(kSubjectEdit));
    m_textEdit = dynamic_cast<wxTextCtrl*>(FindWindow(kMailTextEdit));
    if (m_subjectEdit != nullptr) {
        m_subjectEdit->SetFocus();
    }
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            m_subject =
                m_subjectEdit != nullptr ? Cut(m_subjectEdit->GetValue(), kSubjectChars) : std::string();
            m_text = m_textEdit != nullptr ? Cut(m_textEdit->GetValue(), kMailTextChars) : std::string();
            EndModal(kAnswerYes);
        },
        kMailOk);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(kAnswerNo); }, kMailCancel);
    SetEscapeId(kMailCancel);
}

int ShowMailText(wxWindow* parent, std::string& subject, std::string& text)
{
    CMailTextDlg dialog(parent);
    const int answer = dialog.ShowModal();
    if (answer == kAnswerYes) {
        subject = dialog.GetSubject();
        text = dialog.GetText();
    }
    return Finish(parent, answer);
}
