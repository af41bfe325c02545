#include "mainwindow/controls/DateConditionDlg.h"

#include "mainwindow/common/ContextHelp.h"
#include "platform/clock/Clock.h"
#include "resources/XrcResources.h"
#include "store/regional/DateText.h"

#include <wx/radiobut.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

namespace {

constexpr int kDateFields[] = {1004, 1005, 1006};
constexpr int kNumberFields[] = {1007, 1009, 1014, 1016};
constexpr DateChoice kChoices[] = {DateChoice::kAnyDate,    DateChoice::kOn,       DateChoice::kBetween,
                                   DateChoice::kLastMonths, DateChoice::kLastDays, DateChoice::kNextMonths,
                                   DateChoice::kNextDays};

// The fields that belong to a choice.
std::vector<int> FieldsOf(DateChoice choice)
{
    switch (choice) {
    case DateChoice::kOn:
        return {1004};
    case DateChoice::kBetween:
        return {1005, 1006};
    case DateChoice::kLastMonths:
        return {1007};
    case DateChoice::kLastDays:
        return {1009};
    case DateChoice::kNextMonths:
        return {1014};
    case DateChoice::kNextDays:
        return {1016};
    case DateChoice::kAnyDate:
        break;
    }
    return {};
}

std::time_t MonthsBack(std::time_t value, int months)
{
    std::tm parts{};
    localtime_r(&value, &parts);
    parts.tm_mon -= months;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

} // namespace

std::string_view DateConditionHelpKey(int id)
{
    switch (id) {
    case 1000:
        return "KV.CREATED_THE";
    case 1001:
        return "KV.DURING";
    case 1002:
        return "KV.LAST_MONTHS";
    case 1003:
        return "KV.LAST_DAYS";
    case 1004:
        return "KV.THE";
    case 1005:
        return "KV.FROM";
    case 1006:
        return "KV.TO";
    case 1007:
        return "KV.MONTHS";
    case 1009:
        return "KV.DAYS";
    case 1011:
        return "KV.ANY_DATE";
    default:
        return {};
    }
}

CDateConditionDlg::CDateConditionDlg(wxWindow* parent)
{
    resources::LoadXrcResources();
    wxXmlResource::Get()->LoadDialog(this, parent, "32178");
    for (DateChoice choice : kChoices) {
        if (auto* radio = dynamic_cast<wxRadioButton*>(FindWindow(static_cast<int>(choice)))) {
            radio->Bind(wxEVT_RADIOBUTTON, [this, choice](wxCommandEvent&) { Choose(choice); });
        }
    }
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Accept(); }, wxID_OK);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Reject(); }, wxID_CANCEL);
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Reject(); });
    Bind(wxEVT_HELP, [this](wxHelpEvent& event) {
        const std::string_view key = DateConditionHelpKey(event.GetId());
        if (key.empty()) {
            event.Skip();
        } else {
            ShowContextHelp(this, key);
        }
    });
    ResetToToday();
    Fit();
}

void CDateConditionDlg::ResetToToday()
{
    const std::time_t today = platform::clock::Now();
    const auto setDate = [this](int id, std::time_t value) {
        if (auto* text = dynamic_cast<wxTextCtrl*>(FindWindow(id))) {
            text->ChangeValue(wxString::FromUTF8(FormatTimeValue(value)));
        }
    };
    setDate(1004, today);
    setDate(1006, today);
    setDate(1005, MonthsBack(today, 2));
    for (int id : kNumberFields) {
        if (auto* number = dynamic_cast<wxSpinCtrl*>(FindWindow(id))) {
            number->SetValue(1);
        }
    }
    Choose(DateChoice::kAnyDate);
}

void CDateConditionDlg::Choose(DateChoice choice)
{
    m_choice = choice;
    if (auto* radio = dynamic_cast<wxRadioButton*>(FindWindow(static_cast<int>(choice)))) {
        radio->SetValue(true);
    }
    for (int id : kDateFields) {
        FindWindow(id)->Enable(false);
    }
    for (int id : kNumberFields) {
        FindWindow(id)->Enable(false);
    }
    for (int id : FieldsOf(choice)) {
        FindWindow(id)->Enable(true);
    }
}

bool CDateConditionDlg::TakeDate(int id, std::string& date)
{
    auto* text = dynamic_cast<wxTextCtrl*>(FindWindow(id));
    date = text->GetValue().utf8_string();
    // A typed date is checked (a wrong one is reported) and written in the short form; an empty one would
    // make a condition on no date at all, so the field keeps the focus until it holds one.
    if (date.empty() || date.front() == ' ' || !ValidateDateText(date)) {
        text->SetFocus();
        return false;
    }
    text->ChangeValue(wxString::FromUTF8(date));
    return true;
}

bool CDateConditionDlg::Accept()
{
    DateConditionInput input;
    input.choice = m_choice;
    switch (m_choice) {
    case DateChoice::kOn:
        if (!TakeDate(1004, input.on)) {
            return false;
        }
        break;
    case DateChoice::kBetween:
        if (!TakeDate(1005, input.from) || !TakeDate(1006, input.to)) {
            return false;
        }
        break;
    case DateChoice::kAnyDate:
        break;
    default:
        input.count = dynamic_cast<wxSpinCtrl*>(FindWindow(FieldsOf(m_choice).front()))->GetValue();
        break;
    }
    SetSharedDateCondition(BuildDateCondition(input));
    if (IsModal()) {
        EndModal(wxID_OK);
    }
    return true;
}

void CDateConditionDlg::Reject()
{
    SetSharedDateCondition({});
    if (IsModal()) {
        EndModal(wxID_CANCEL);
    }
}

void RunDateConditionDialog(wxWindow* parent)
{
    CDateConditionDlg dialog(parent);
    dialog.ShowModal();
}
