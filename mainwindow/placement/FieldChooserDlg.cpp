#include "mainwindow/placement/FieldChooserDlg.h"

#include "mainwindow/common/ContextHelp.h"
#include "mainwindow/dialogs/DialogLayout.h"
#include "mainwindow/dialogs/SortOrderDlg.h"
#include "platform/ui/DialogService.h"
#include "store/definitions/DataFileDef.h"

#include <wx/checklst.h>

namespace {

constexpr int kFieldList = 1013;
constexpr const char* kMixedTitle =
    "Not a valid label; please avoid to mix currency values (x $) with other values.";

} // namespace

std::vector<int> FieldChooserFields(const CDataFileDef& definition)
{
    std::vector<int> fields;
    for (const SortField& field : SortableFields(definition))
        fields.insert(fields.begin(), field.index);
    return fields;
}

CFieldChooserDlg::CFieldChooserDlg(wxWindow* parent, CDataFileDef& definition)
    : m_definition(definition), m_fields(FieldChooserFields(definition))
{
    LoadDialogLayout(*this, parent, "32129");
    m_list = FindControl<wxCheckListBox>(*this, kFieldList);
    for (const int field : m_fields) {
        m_inTitle.push_back(definition.IsFieldNameHeader(field) ? 1 : 0);
        if (m_list != nullptr) {
            m_list->Append(wxString::FromUTF8(definition.GetFieldInternalName(field)));
            m_list->Check(m_list->GetCount() - 1, m_inTitle.back() != 0);
        }
    }
    if (m_list != nullptr) {
        // The box ticks a field (a click on it, or Space), and so does a double click on the row. A
        // selection does not: GTK selects the first row when the list takes the focus, and the arrow
        // keys would tick every row they pass.
        m_list->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent& event) {
            if (event.GetSelection() != wxNOT_FOUND)
                ToggleRow(event.GetSelection());
        });
        m_list->Bind(wxEVT_CHECKLISTBOX, [this](wxCommandEvent& event) {
            const auto row = static_cast<size_t>(event.GetSelection());
            if (row < m_inTitle.size())
                m_inTitle[row] = m_list->IsChecked(static_cast<unsigned>(row)) ? 1 : 0;
        });
    }
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnDone(); }, wxID_OK);
    Bind(wxEVT_HELP, [this](wxHelpEvent&) { ShowContextHelp(this, "KV.EXPORT_CHOOSER"); });
}

void CFieldChooserDlg::ToggleRow(int row)
{
    const auto index = static_cast<size_t>(row);
    if (row < 0 || index >= m_inTitle.size())
        return;
    m_inTitle[index] = m_inTitle[index] != 0 ? 0 : 1;
    Show(row);
}

void CFieldChooserDlg::Show(int row)
{
    if (m_list != nullptr)
        m_list->Check(static_cast<unsigned>(row), m_inTitle.at(static_cast<size_t>(row)) != 0);
}

void CFieldChooserDlg::OnDone()
{
    // The choice is checked on a copy, so that a refused title leaves the definition as it was.
    CDataFileDef chosen = m_definition;
    for (size_t row = 0; row < m_fields.size(); ++row)
        chosen.SetFieldNameHeader(m_fields[row], m_inTitle[row]);
    if (!chosen.IsStrongNameUnmixed()) {
        platform::ui::ShowMessage(kMixedTitle, "Error", platform::ui::kMbOk | platform::ui::kMbIconWarning);
        return;
    }
    for (size_t row = 0; row < m_fields.size(); ++row)
        m_definition.SetFieldNameHeader(m_fields[row], m_inTitle[row]);
    EndModal(wxID_OK);
}

int RunFieldChooserDlg(wxWindow* parent, CDataFileDef& definition)
{
    CFieldChooserDlg dialog(parent, definition);
    return dialog.ShowModal() == wxID_OK ? 1 : 0;
}
