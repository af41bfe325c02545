#include "mainwindow/dialogs/SortOrderDlg.h"

#include "mainwindow/dialogs/DialogLayout.h"
#include "platform/text/CaseFold.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/stattext.h>

namespace {

constexpr int kFieldList = 1013;
constexpr int kAndButton = 1113;
constexpr int kDisplayText = 1114;
constexpr unsigned kSortedByText = 208;
constexpr int kMostFields = 100;
constexpr size_t kNameBytes = 49;

bool IsDateField(char type)
{
    return type == 'D' || type == 'd';
}

std::string Cut(const std::string& text)
{
    return std::string(platform::text::TruncateUtf8(text, kNameBytes));
}

} // namespace

std::vector<SortField> SortableFields(const CDataFileDef& definition)
{
    std::vector<SortField> fields;
    for (int i = 0; i < std::min(definition.GetFieldCount(), kMostFields); ++i) {
        if (definition.GetFieldName(i).empty()) {
            break;
        }
        if (definition.IsFieldNotBinary(i) &&
            (definition.CanFieldBeHeader(i) || IsDateField(definition.GetFieldType(i)))) {
            fields.push_back({definition.GetFieldInternalName(i), i});
        }
    }
    return fields;
}

CSortOrderBuilder::CSortOrderBuilder() : m_display(LoadResString(kSortedByText)), m_clause("ORDER BY ") {}

void CSortOrderBuilder::Choose(const CDataFileDef& definition, int fieldIndex)
{
    m_currentShown = Cut(definition.GetFieldInternalName(fieldIndex));
    m_currentColumn = Cut(definition.GetFieldName(fieldIndex));
}

void CSortOrderBuilder::And()
{
    m_display += m_currentShown + " AND ";
    m_clause += m_currentColumn + " , ";
    m_currentShown.clear();
    m_currentColumn.clear();
}

CSortOrderDlg::CSortOrderDlg(wxWindow* parent, const CDataFileDef& definition) : m_definition(definition)
{
    LoadDialogLayout(*this, parent, "190");
    m_fields = FindControl<wxListBox>(*this, kFieldList);
    m_display = FindControl<wxStaticText>(*this, kDisplayText);
    if (m_fields != nullptr) {
        for (const SortField& field : SortableFields(definition)) {
            m_fields->Append(wxString::FromUTF8(field.shown),
                             reinterpret_cast<void*>(static_cast<intptr_t>(field.index)));
        }
        m_fields->Bind(wxEVT_LISTBOX, [this](wxCommandEvent& event) {
            const int selection = event.GetSelection();
            if (selection != wxNOT_FOUND) {
                m_builder.Choose(m_definition,
                                 static_cast<int>(reinterpret_cast<intptr_t>(
                                     m_fields->GetClientData(static_cast<unsigned>(selection)))));
                ShowText();
            }
        });
    }
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            m_builder.And();
            if (m_fields != nullptr) {
                m_fields->SetSelection(wxNOT_FOUND);
            }
            ShowText();
        },
        kAndButton);
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            m_clause = m_builder.Finish();
            EndModal(wxID_OK);
        },
        wxID_OK);
    ShowText();
    FitToContents(*this);
    // A list that takes the focus first selects its first entry by itself, which would make a field
    // current that the user never chose.
    if (wxWindow* ok = FindWindow(wxID_OK)) {
        ok->SetFocus();
    }
}

void CSortOrderDlg::ShowText()
{
    if (m_display != nullptr) {
        m_display->SetLabel(wxString::FromUTF8(m_builder.GetShownText()));
        m_display->Wrap(m_display->GetSize().x > 0 ? m_display->GetSize().x : -1);
    }
}

int RunSortOrderDlg(wxWindow* parent, CCatalogueDb& catalogue, int dataFile, std::string& clause)
{
    catalogue.LoadDefinitionsIfNeeded();
    const CDataFileDef* definition = catalogue.FindDefinition(dataFile);
    if (definition == nullptr) {
        return 0;
    }
    CSortOrderDlg dialog(parent, *definition);
    if (dialog.ShowModal() != wxID_OK) {
        return 0;
    }
    clause = dialog.GetClause();
    return 1;
}
