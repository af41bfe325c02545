#include "mainwindow/find/FindOtherPages.h"

#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"

#include <wx/button.h>
#include <wx/datectrl.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

namespace {

constexpr int kStringSortedBy = 334;
constexpr int kStringAnd = 335;

CalendarDay DayOf(const wxDatePickerCtrl* picker)
{
    const wxDateTime date = picker->GetValue();
    return {date.GetYear(), static_cast<int>(date.GetMonth()) + 1, date.GetDay()};
}

} // namespace

FindDatePage::FindDatePage(wxWindow* parent, std::string column, bool created)
    : wxPanel(parent, wxID_ANY), m_column(std::move(column))
{
    auto* grid = new wxFlexGridSizer(3, 6, 8);
    const auto radio = [&](DatePageChoice choice, const char* text, long style = 0) {
        auto* button =
            new wxRadioButton(this, static_cast<int>(choice), text, wxDefaultPosition, wxDefaultSize, style);
        button->Bind(wxEVT_RADIOBUTTON, [this, choice](wxCommandEvent&) { Choose(choice); });
        m_radios.push_back(button);
        return button;
    };
    const auto picker = [&](int id) { return new wxDatePickerCtrl(this, id); };
    grid->Add(radio(DatePageChoice::kAnyDate, "&Any Date", wxRB_GROUP));
    grid->AddSpacer(0);
    grid->AddSpacer(0);
    grid->Add(radio(DatePageChoice::kOn, created ? "&Created The" : "&Modified The"));
    grid->Add(m_on = picker(1004));
    grid->AddSpacer(0);
    grid->Add(radio(DatePageChoice::kBetween, created ? "Created &Between" : "Modified &Between"));
    grid->Add(m_from = picker(1005));
    grid->Add(m_to = picker(1006));
    grid->Add(radio(DatePageChoice::kLastMonths, "In the &Last:"));
    grid->Add(m_months = new wxSpinCtrl(this, 1007, "1", wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, 1,
                                        9999, 1));
    grid->Add(new wxStaticText(this, wxID_ANY, "Month(s)"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(radio(DatePageChoice::kLastDays, "&In the Last"));
    grid->Add(m_days = new wxSpinCtrl(this, 1009, "1", wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, 1,
                                      99999, 1));
    grid->Add(new wxStaticText(this, wxID_ANY, "Day(s)"), 0, wxALIGN_CENTER_VERTICAL);
    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(grid, 0, wxALL, 10);
    SetSizer(outer);
    Reset();
}

void FindDatePage::Reset()
{
    const wxDateTime today = wxDateTime::Today();
    m_on->SetValue(today);
    m_to->SetValue(today);
    wxDateTime back = today;
    back.Subtract(wxDateSpan::Months(2));
    m_from->SetValue(back);
    m_months->SetValue(1);
    m_days->SetValue(1);
    m_radios.front()->SetValue(true);
    Choose(DatePageChoice::kAnyDate);
}

void FindDatePage::Choose(DatePageChoice choice)
{
    m_choice = choice;
    for (wxRadioButton* button : m_radios) {
        if (button->GetId() == static_cast<int>(choice)) {
            button->SetValue(true);
        }
    }
    m_on->Enable(choice == DatePageChoice::kOn);
    m_from->Enable(choice == DatePageChoice::kBetween);
    m_to->Enable(choice == DatePageChoice::kBetween);
    m_months->Enable(choice == DatePageChoice::kLastMonths);
    m_days->Enable(choice == DatePageChoice::kLastDays);
}

void FindDatePage::AppendCriteria(std::string& criteria) const
{
    const bool on = m_choice == DatePageChoice::kOn;
    const int count = m_choice == DatePageChoice::kLastMonths ? m_months->GetValue() : m_days->GetValue();
    AppendDatePageCriteria(criteria, m_column, m_choice, DayOf(on ? m_on : m_from), DayOf(m_to), count);
}

FindSortPage::FindSortPage(wxWindow* parent) : wxPanel(parent, wxID_ANY)
{
    m_fields = new wxListBox(this, 1013);
    m_text = new wxStaticText(this, 1114, wxString::FromUTF8(LoadResString(kStringSortedBy)));
    auto* add = new wxButton(this, 1113, "&And");
    m_fields->Bind(wxEVT_LISTBOX, [this](wxCommandEvent& event) { ChooseEntry(event.GetSelection()); });
    add->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { AddField(); });
    auto* right = new wxBoxSizer(wxVERTICAL);
    right->Add(m_text, 1, wxEXPAND | wxBOTTOM, 6);
    right->Add(add, 0);
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(m_fields, 1, wxEXPAND | wxALL, 8);
    sizer->Add(right, 1, wxEXPAND | wxALL, 8);
    SetSizer(sizer);
}

void FindSortPage::Reset(CCatalogueDb* catalogue, int dataFile)
{
    m_catalogue = catalogue;
    m_dataFile = dataFile;
    ProgramSortChoice().Reset(LoadResString(kStringSortedBy));
    m_fields->Clear();
    m_fieldIndexes.clear();
    const CDataFileDef* definition = catalogue != nullptr ? catalogue->FindDefinition(dataFile) : nullptr;
    if (definition != nullptr) {
        for (int i = 0; i < definition->GetFieldCount() && i < 100; ++i) {
            if (definition->GetFieldName(i).empty()) {
                break;
            }
            if (definition->GetFieldType(i) == 'B' ||
                (!definition->CanFieldBeHeader(i) && definition->GetFieldFillInType(i) != 'D')) {
                continue;
            }
            m_fields->Append(wxString::FromUTF8(definition->GetFieldInternalName(i)));
            m_fieldIndexes.push_back(i);
        }
    }
    m_text->SetLabel(wxString::FromUTF8(ProgramSortChoice().DisplayText()));
}

void FindSortPage::ChooseEntry(int index)
{
    const CDataFileDef* definition =
        m_catalogue != nullptr ? m_catalogue->FindDefinition(m_dataFile) : nullptr;
    if (definition == nullptr || index < 0 || static_cast<size_t>(index) >= m_fieldIndexes.size()) {
        return;
    }
    m_fields->SetSelection(index);
    const int field = m_fieldIndexes[static_cast<size_t>(index)];
    ProgramSortChoice().ChooseField(definition->GetFieldInternalName(field), definition->GetFieldName(field));
    m_text->SetLabel(wxString::FromUTF8(ProgramSortChoice().DisplayText()));
}

void FindSortPage::AddField()
{
    ProgramSortChoice().AddCurrent(LoadResString(kStringAnd));
    m_text->SetLabel(wxString::FromUTF8(ProgramSortChoice().DisplayText()));
}

void FindSortPage::AppendCriteria(std::string& criteria) const
{
    ProgramSortChoice().AppendCriteria(criteria);
}
