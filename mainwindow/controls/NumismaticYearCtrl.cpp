#include "mainwindow/controls/NumismaticYearCtrl.h"

#include "resources/LoadResString.h"
#include "store/regional/NumismaticYear.h"

#include <wx/choice.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

namespace {

struct Era
{
    const char* name;
    unsigned description;
};
constexpr Era kEras[] = {{"AD", 359}, {"BCE", 533}, {"AH", 361}, {"MS", 363}, {"JE", 365},
                         {"EE", 367}, {"BE", 369},  {"RS", 371}, {"CS", 373}, {"KE", 375},
                         {"MO", 377}, {"SE", 379},  {"VS", 380}};

constexpr int kWidth = 182;
constexpr int kEraWidth = 60;
constexpr int kMarkWidth = 30;
constexpr int kYearWidth = 60;
constexpr size_t kMarkLength = 4;
constexpr size_t kYearLength = 8;

wxFont PartFont()
{
    return wxSystemSettings::GetFont(wxSYS_ANSI_VAR_FONT);
}

std::string Text(const wxTextCtrl* edit)
{
    return edit->GetValue().utf8_string();
}

} // namespace

const std::vector<std::string>& NumismaticEras()
{
    static const std::vector<std::string> eras = [] {
        std::vector<std::string> names;
        for (const Era& era : kEras) {
            names.emplace_back(era.name);
        }
        return names;
    }();
    return eras;
}

std::string EraDescription(std::string_view era)
{
    for (const Era& entry : kEras) {
        if (era == entry.name) {
            return LoadResString(entry.description);
        }
    }
    return {};
}

wxTextCtrl* CreateYearPart(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
{
    wxTextValidator digits(wxFILTER_INCLUDE_CHAR_LIST);
    digits.SetCharIncludes("0123456789-/");
    auto* year = new wxTextCtrl(parent, id, wxString(), pos, size, wxBORDER_SUNKEN, digits, "NumYear");
    year->SetMaxLength(kYearLength);
    year->SetHint("year");
    year->SetFont(PartFont());
    return year;
}

wxTextCtrl* CreateMarkPart(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
{
    auto* mark =
        new wxTextCtrl(parent, id, wxString(), pos, size, wxBORDER_SUNKEN, wxDefaultValidator, "editNY");
    mark->SetMaxLength(kMarkLength);
    mark->SetFont(PartFont());
    return mark;
}

wxChoice* CreateEraPart(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
{
    wxArrayString names;
    for (const auto& era : NumismaticEras()) {
        names.Add(era);
    }
    auto* list = new wxChoice(parent, id, pos, size, names, 0, wxDefaultValidator, "DateTypeCombo");
    list->SetSelection(0);
    list->SetFont(PartFont());
    return list;
}

CNumismaticYearCtrl::CNumismaticYearCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, bool readOnly)
    : wxPanel(parent, id, pos, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_NONE, "NumismaticYear")
{
    SetFont(PartFont());
    const int height = GetCharHeight() + 8;
    // The parts are the panel's children: they move, hide and go with it.
    wxWindow* era = nullptr;
    if (readOnly) {
        m_eraText = new wxTextCtrl(this, wxID_ANY, "AD", {0, 0}, {kEraWidth, height},
                                   wxTE_READONLY | wxBORDER_SUNKEN);
        era = m_eraText;
    } else {
        m_eraList = CreateEraPart(this, wxID_ANY, {0, 0}, {kEraWidth, -1});
        era = m_eraList;
    }
    const int rowHeight = std::max(height, era->GetSize().y);
    m_preMark = CreateMarkPart(this, wxID_ANY, {kEraWidth, 0}, {kMarkWidth, rowHeight});
    m_preMark->SetHint("pre Mark");
    m_year = CreateYearPart(this, wxID_ANY, {89, 0}, {kYearWidth, rowHeight});
    m_postMark = CreateMarkPart(this, wxID_ANY, {148, 0}, {kMarkWidth + 4, rowHeight});
    m_postMark->SetHint("post M.");
    SetSize(kWidth, rowHeight);
    SetMinSize({kWidth, rowHeight});

    m_preMark->SetToolTip(wxString::FromUTF8(LoadResString(385)));
    m_postMark->SetToolTip(wxString::FromUTF8(LoadResString(384)));
    const auto changed = [this](wxCommandEvent& event) {
        m_changed = true;
        UpdateTips();
        event.Skip();
    };
    for (wxTextCtrl* part : {m_preMark, m_year, m_postMark}) {
        part->Bind(wxEVT_TEXT, changed);
    }
    if (m_eraList != nullptr) {
        m_eraList->Bind(wxEVT_CHOICE, changed);
    }
    UpdateTips();
    m_changed = false;
}

std::string CNumismaticYearCtrl::Era() const
{
    if (m_eraList != nullptr) {
        return m_eraList->GetStringSelection().utf8_string();
    }
    return Text(m_eraText);
}

void CNumismaticYearCtrl::SetValueText(const std::string& text)
{
    if (text.empty() || text == "AD") {
        return;
    }
    CNumismaticYear value;
    value.Parse(text);
    if (m_eraList != nullptr) {
        if (!m_eraList->SetStringSelection(wxString::FromUTF8(value.GetType()))) {
            m_eraList->SetSelection(wxNOT_FOUND);
        }
    } else {
        m_eraText->ChangeValue(wxString::FromUTF8(value.GetType()));
    }
    m_preMark->ChangeValue(wxString::FromUTF8(value.GetPreMark()));
    // A text that is no numismatic year shows as it is, so nothing typed elsewhere is lost.
    m_year->ChangeValue(wxString::FromUTF8(value.GetYear().empty() ? text : value.GetYear()));
    m_postMark->ChangeValue(wxString::FromUTF8(value.GetPostMark()));
    UpdateTips();
    m_changed = false;
}

std::string CNumismaticYearCtrl::GetValueText() const
{
    const auto cut = [](std::string text, size_t length) {
        return text.size() > length ? text.substr(0, length) : text;
    };
    return cut(Era(), 3) + " " + cut(Text(m_preMark), kMarkLength) + " " + cut(Text(m_year), kYearLength) +
           " " + cut(Text(m_postMark), kMarkLength);
}

wxString CNumismaticYearCtrl::GetEraTip() const
{
    return wxString::FromUTF8(EraDescription(Era()));
}

wxString CNumismaticYearCtrl::GetYearTip() const
{
    CNumismaticYear value;
    value.Parse(GetValueText());
    const int year = value.GetYearNumber();
    if (year != 0) {
        return wxString::Format(wxString::FromUTF8(LoadResString(382)), year);
    }
    return wxString::FromUTF8(LoadResString(383));
}

void CNumismaticYearCtrl::UpdateTips()
{
    (m_eraList != nullptr ? static_cast<wxWindow*>(m_eraList) : m_eraText)->SetToolTip(GetEraTip());
    m_year->SetToolTip(GetYearTip());
}

bool CNumismaticYearCtrl::Enable(bool enable)
{
    for (wxWindow* child : GetChildren()) {
        child->Enable(enable);
    }
    return wxPanel::Enable(enable);
}
