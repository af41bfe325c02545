#include "mainwindow/controls/TelephoneTo.h"

#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/records/ItemSet.h"
#include "store/records/Record.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/settings.h>
#include <wx/stattext.h>

namespace {

constexpr int kNumbersId = 1128;
constexpr int kCancelId = 9181;
constexpr int kOkId = 9183;

wxString Text(unsigned id)
{
    return wxString::FromUTF8(LoadResString(id));
}

} // namespace

CTelephoneTo::CTelephoneTo(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                           std::vector<TelephoneEntry> entries, IDialler& dialler)
    : wxPanel(parent, id, pos, {340, 110}, wxTAB_TRAVERSAL | wxBORDER_SIMPLE, "TelephoneTo"),
      m_dialler(dialler)
{
    SetFont(wxSystemSettings::GetFont(wxSYS_ANSI_VAR_FONT));
    new wxStaticText(this, wxID_ANY, Text(20617), {35, 5});
    wxArrayString lines;
    for (const auto& entry : entries) {
        lines.Add(wxString::FromUTF8(FormatTelephoneEntry(entry)));
    }
    m_numbers = new wxChoice(this, kNumbersId, {30, 30}, {300, -1}, lines);
    m_numbers->SetSelection(0);
    auto* cancel = new wxButton(this, kCancelId, Text(33041), {60, 70}, {70, 25});
    cancel->SetDefault();
    new wxButton(this, kOkId, Text(24521), {160, 70}, {70, 25});
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Cancel(); }, kCancelId);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { DialSelected(); }, kOkId);
    m_numbers->SetFocus();
}

void CTelephoneTo::DialSelected()
{
    const std::string number = NumberOfTelephoneEntry(m_numbers->GetStringSelection().utf8_string());
    if (!number.empty()) {
        m_dialler.Dial(number);
    }
    Destroy();
}

void CTelephoneTo::Cancel()
{
    Destroy();
}

CTelephoneTo* CreateTelephoneTo(wxWindow* parent, wxWindowID id, const wxPoint& pos, CItemSet* items,
                                IDialler& dialler)
{
    CRecord* record = items != nullptr ? items->GetCurrent() : nullptr;
    const std::vector<TelephoneEntry> entries =
        record != nullptr ? CollectTelephoneNumbers(*record) : std::vector<TelephoneEntry>{};
    if (entries.empty()) {
        platform::ui::ShowMessage(LoadResString(20568), LoadResString(20553),
                                  platform::ui::kMbIconInformation);
        return nullptr;
    }
    if (entries.size() == 1) {
        dialler.Dial(entries.front().number);
        return nullptr;
    }
    return new CTelephoneTo(parent, id, pos, entries, dialler); // owned by the parent
}

IDialler& ProgramDialler()
{
    static CVerideDialler dialler;
    return dialler;
}
