#include "store/wx/GridDialog.h"

#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "resources/XrcResources.h"

#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

#include <optional>

namespace {

constexpr int kEditWidth = 10;
constexpr int kEditHeight = 11;
constexpr int kCheckGridOn = 12;
constexpr int kButtonOk = 1;
constexpr int kButtonCancel = 2;
constexpr unsigned kInvalidValue = 20685;
constexpr unsigned kError = 20552;
constexpr unsigned kMinimum = 1;
constexpr unsigned kMaximum = 60;
constexpr std::uint16_t kShownWhenSmall = 5; // what a grid below 6 opens with

// An unsigned number between blanks, as a dialog's edit is read; nullopt for anything else.
std::optional<unsigned> ReadUnsigned(const wxString& text)
{
    wxString trimmed = text;
    trimmed.Trim(true).Trim(false);
    unsigned long value = 0;
    if (trimmed.empty() || !trimmed.IsNumber() || trimmed.StartsWith("-") || trimmed.StartsWith("+") ||
        !trimmed.ToULong(&value) || value > kMaximum) {
        return std::nullopt;
    }
    return static_cast<unsigned>(value);
}

} // namespace

GridDialog::GridDialog(wxWindow* parent, GridValues& values) : m_values(values)
{
    resources::LoadXrcResources();
    if (!wxXmlResource::Get()->LoadDialog(this, parent, "GRIDDIALOG")) {
        wxFAIL_MSG("dialog GRIDDIALOG is not in the XRC resources"); // every layout is compiled in
        Create(parent, wxID_ANY, wxString());
        return;
    }
    m_gridOn = dynamic_cast<wxCheckBox*>(FindWindow(kCheckGridOn));
    m_width = dynamic_cast<wxTextCtrl*>(FindWindow(kEditWidth));
    m_height = dynamic_cast<wxTextCtrl*>(FindWindow(kEditHeight));
    wxASSERT(m_gridOn != nullptr && m_width != nullptr && m_height != nullptr);

    m_gridOn->SetValue(m_values.width != 0);
    // Only what is shown changes: a cancelled dialog leaves the caller's grid as it was.
    const auto shown = [](std::uint16_t value) { return value < 6 ? kShownWhenSmall : value; };
    m_width->ChangeValue(wxString::Format("%u", static_cast<unsigned>(shown(m_values.width))));
    m_height->ChangeValue(wxString::Format("%u", static_cast<unsigned>(shown(m_values.height))));

    // Typing a size means the grid is wanted.
    for (wxTextCtrl* edit : {m_width, m_height}) {
        edit->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { m_gridOn->SetValue(true); });
    }
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, kButtonOk);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(0); }, kButtonCancel);
    SetEscapeId(kButtonCancel);
    if (wxSizer* sizer = GetSizer()) {
        sizer->SetSizeHints(this);
    }
}

void GridDialog::OnOk()
{
    const std::optional<unsigned> width = ReadUnsigned(m_width->GetValue());
    const std::optional<unsigned> height = ReadUnsigned(m_height->GetValue());
    if (!width || !height || *width < kMinimum || *height < kMinimum) {
        platform::ui::Dialogs().MessageBox(LoadResString(kInvalidValue), LoadResString(kError),
                                           platform::ui::kMbOk | platform::ui::kMbIconError);
        return;
    }
    const bool on = m_gridOn->GetValue();
    m_values.width = on ? static_cast<std::uint16_t>(*width) : 0;
    m_values.height = on ? static_cast<std::uint16_t>(*height) : 0;
    EndModal(1);
}

int ShowGridDialog(wxWindow* parent, GridValues& values)
{
    GridDialog dialog(parent, values);
    return dialog.ShowModal();
}
