#include "mainwindow/dialogs/QuickSearchDlg.h"

#include "mainwindow/common/ContextHelp.h"
#include "mainwindow/dialogs/DialogLayout.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "tree/groups/TableNodes.h"

#include <wx/button.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

namespace {

constexpr int kSearchEdit = 1000;
constexpr int kChoicesPanel = 1001;
constexpr int kAllButton = 200;
constexpr unsigned kAllText = 298;
constexpr int kLastMenuFile = 19;
constexpr int kBookmarksFile = 24;
constexpr int kToDoFile = 25;
constexpr int kButtonsPerColumn = 6;
constexpr int kButtonWidth = 100;
constexpr int kColumnGap = 20;

void AddChoice(std::vector<QuickSearchChoice>& choices, CCatalogueDb& catalogue, int number)
{
    const CDataFileDef* definition = catalogue.FindDefinition(number);
    if (definition == nullptr || definition->GetMenuNameIfSet() == nullptr)
        return;
    const std::string& name = definition->GetMenuName();
    if (name.empty() || name == "X")
        return;
    choices.push_back({name, number});
}

} // namespace

std::vector<QuickSearchChoice> QuickSearchChoices(CCatalogueDb& catalogue)
{
    std::vector<QuickSearchChoice> choices{{LoadResString(kAllText), kQuickSearchAll}};
    catalogue.LoadDefinitionsIfNeeded();
    for (int number = 0; number <= kLastMenuFile; ++number)
        AddChoice(choices, catalogue, number);
    AddChoice(choices, catalogue, kBookmarksFile);
    if (ShowsToDoList(catalogue))
        AddChoice(choices, catalogue, kToDoFile);
    return choices;
}

CQuickSearchDlg::CQuickSearchDlg(wxWindow* parent, CCatalogueDb& catalogue)
{
    LoadDialogLayout(*this, parent, "121");
    m_edit = FindControl<wxTextCtrl>(*this, kSearchEdit);
    if (m_edit != nullptr)
        m_edit->SetMaxLength(kMaxText);
    if (auto* panel = FindControl<wxPanel>(*this, kChoicesPanel)) {
        // Columns of six buttons side by side.
        auto* columns = new wxBoxSizer(wxHORIZONTAL);
        wxBoxSizer* column = nullptr;
        for (const QuickSearchChoice& choice : QuickSearchChoices(catalogue)) {
            if (m_buttons.size() % kButtonsPerColumn == 0) {
                column = new wxBoxSizer(wxVERTICAL);
                column->SetMinSize(wxSize(kButtonWidth, -1));
                columns->Add(column, 0, wxRIGHT, kColumnGap);
            }
            const int id = choice.dataFile == kQuickSearchAll ? kAllButton : 100 + choice.dataFile;
            auto* button = new wxRadioButton(panel, id, wxString::FromUTF8(choice.text), wxDefaultPosition,
                                             wxDefaultSize, m_buttons.empty() ? wxRB_GROUP : 0);
            column->Add(button, 0, wxBOTTOM, 2);
            m_buttons.push_back(button);
            m_answers.push_back(choice.dataFile);
        }
        panel->SetSizerAndFit(columns);
        m_buttons.front()->SetValue(true);
    }
    FitToContents(*this);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
    Bind(wxEVT_HELP, [this](wxHelpEvent&) { ShowContextHelpInWindow(this, "PX.QUICK_SEARCH"); });
    if (m_edit != nullptr)
        m_edit->SetFocus();
}

void CQuickSearchDlg::OnOk()
{
    m_text = m_edit != nullptr ? m_edit->GetValue().utf8_string() : std::string();
    m_dataFile = kQuickSearchAll;
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        if (m_buttons[i]->GetValue())
            m_dataFile = m_answers[i];
    }
    EndModal(wxID_OK);
}

bool RunQuickSearchDlg(wxWindow* parent, CCatalogueDb& catalogue, std::string& text, int& dataFile)
{
    CQuickSearchDlg dialog(parent, catalogue);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    text = dialog.GetSearchText();
    dataFile = dialog.GetDataFile();
    return true;
}
