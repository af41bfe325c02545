#include "mainwindow/dialogs/CatalogueChooser.h"

#include "mainwindow/dialogs/DialogLayout.h"
#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Broadcasts.h"

#include <wx/listbox.h>
#include <wx/utils.h>

namespace {

constexpr int kCatalogueList = 1014;
constexpr unsigned kInformationCaption = 20553;
constexpr const char* kNothingChosenText = "No template selected; Select One";

template <typename Action>
bool RunOnChosen(wxWindow* owner, CTreeNode* root, Action action)
{
    CCatalogueDb* catalogue = ChooseCatalogue(owner, root);
    if (catalogue == nullptr) {
        return false;
    }
    bool done = false;
    {
        wxBusyCursor wait;
        done = action(*catalogue);
    }
    BroadcastUnloadDatabase(catalogue->GetFilePath());
    return done;
}

} // namespace

CChooseCatalogueDlg::CChooseCatalogueDlg(wxWindow* owner, CTreeNode* root)
    : m_choices(ListCatalogueChoices(root))
{
    LoadDialogLayout(*this, owner, "139");
    m_list = FindControl<wxListBox>(*this, kCatalogueList);
    if (m_list != nullptr) {
        for (const CatalogueChoice& choice : m_choices) {
            m_list->Append(wxString::FromUTF8(choice.name));
        }
    }
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            const int row = m_list != nullptr ? m_list->GetSelection() : wxNOT_FOUND;
            if (row == wxNOT_FOUND || static_cast<size_t>(row) >= m_choices.size()) {
                platform::ui::ShowMessage(kNothingChosenText, LoadResString(kInformationCaption),
                                          platform::ui::kMbOk);
                return;
            }
            m_chosen = m_choices[static_cast<size_t>(row)].catalogue;
            EndModal(wxID_OK);
        },
        wxID_OK);
    FitToContents(*this);
    // A list that takes the focus first selects its first entry by itself: the user chooses.
    if (wxWindow* cancel = FindWindow(wxID_CANCEL)) {
        cancel->SetFocus();
    }
}

CCatalogueDb* ChooseCatalogue(wxWindow* owner, CTreeNode* root)
{
    CChooseCatalogueDlg dialog(owner, root);
    return dialog.ShowModal() == wxID_OK ? dialog.GetChosen() : nullptr;
}

bool BackupChosenCatalogue(wxWindow* owner, CTreeNode* root)
{
    return RunOnChosen(owner, root, [](CCatalogueDb& catalogue) { return catalogue.Backup(); });
}

bool RestoreChosenCatalogue(wxWindow* owner, CTreeNode* root)
{
    return RunOnChosen(owner, root, [](CCatalogueDb& catalogue) { return catalogue.Restore(); });
}
