#include "mainwindow/dialogs/OptionsSheet.h"

#include "mainwindow/common/ContextHelp.h"
#include "mainwindow/dialogs/CatalogueChoices.h"
#include "mainwindow/dialogs/DialogLayout.h"
#include "mainwindow/dialogs/OptionsRules.h"
#include "platform/text/CaseFold.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Settings.h"
#include "store/regional/CurrencyTable.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dirdlg.h>
#include <wx/listbook.h>
#include <wx/listbox.h>
#include <wx/menuitem.h>
#include <wx/textctrl.h>

#include <optional>
#include <string>

namespace {

constexpr unsigned kSheetTitle = 125;
constexpr unsigned kLookTitle = 120;
constexpr unsigned kBackupTitle = 121;
constexpr unsigned kToDoTitle = 122;
constexpr unsigned kSupportLogTitle = 124;
constexpr unsigned kCurrencyTitle = 131;
constexpr unsigned kShoppingCartTitle = 135;
constexpr unsigned kDefaultCatalogueTitle = 265;
constexpr unsigned kChooseDirectoryTitle = 118;

constexpr int kSingleCatalogueCheck = 1112;
constexpr int kCatalogueList = 1014;
constexpr int kBackupEdit = 1015;
constexpr int kBrowseButton = 1034;
constexpr int kCurrencyList = 1016;

// A page with one check box for a "TRUE"/"FALSE" setting: the Look and Support Log pages.
class CFlagPage : public COptionsPage
{
public:
    CFlagPage(wxWindow* parent, const char* layout, int checkId, const char* readName, const char* writeName,
              const char* defaultText)
        : m_writeName(writeName)
    {
        LoadPanelLayout(*this, parent, layout);
        m_check = FindControl<wxCheckBox>(*this, checkId);
        if (m_check != nullptr) {
            m_check->SetValue(platform::text::EqualsNoCase(GetSettingString(readName, defaultText), "TRUE"));
        }
    }
    bool Apply() override
    {
        SetSettingString(m_writeName, m_check != nullptr && m_check->GetValue() ? "TRUE" : "FALSE");
        return true;
    }

private:
    const char* m_writeName;
    wxCheckBox* m_check = nullptr;
};

class CBackupPage : public COptionsPage
{
public:
    explicit CBackupPage(wxWindow* parent)
    {
        LoadPanelLayout(*this, parent, "32168");
        m_edit = FindControl<wxTextCtrl>(*this, kBackupEdit);
        if (m_edit != nullptr) {
            m_edit->ChangeValue(GetBackupDir().string());
        }
        if (auto* browse = FindControl<wxButton>(*this, kBrowseButton)) {
            browse->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Browse(); });
            browse->Bind(wxEVT_HELP, [browse](wxHelpEvent&) { ShowContextHelp(browse, "KV.WWWWIZ2BROWSE"); });
        }
    }
    bool Apply() override
    {
        const OptionValue option =
            BackupFolderOption(m_edit != nullptr ? m_edit->GetValue().utf8_string() : "");
        if (option.refusal != OptionRefusal::None) {
            ShowOptionRefusal(option.refusal);
            return false;
        }
        SetBackupDir(option.value);
        return true;
    }

private:
    void Browse()
    {
        wxDirDialog dialog(this, wxString::FromUTF8(LoadResString(kChooseDirectoryTitle)),
                           m_edit != nullptr ? m_edit->GetValue() : wxString(), wxDD_DEFAULT_STYLE);
        if (dialog.ShowModal() == wxID_OK && m_edit != nullptr) {
            m_edit->ChangeValue(dialog.GetPath());
        }
    }

    wxTextCtrl* m_edit = nullptr;
};

// Fills a list with catalogues and selects the one whose file is `selectedPath` (without regard to case).
void FillCatalogueList(wxListBox* list, const std::vector<CatalogueChoice>& choices,
                       const std::string& selectedPath)
{
    if (list == nullptr) {
        return;
    }
    for (const CatalogueChoice& choice : choices) {
        const int row = list->Append(wxString::FromUTF8(choice.name));
        if (!selectedPath.empty() &&
            platform::text::EqualsNoCase(choice.catalogue->GetFilePath().string(), selectedPath)) {
            list->SetSelection(row);
        }
    }
}

std::optional<std::filesystem::path> SelectedCatalogue(const wxListBox* list,
                                                       const std::vector<CatalogueChoice>& choices)
{
    const int row = list != nullptr ? list->GetSelection() : wxNOT_FOUND;
    if (row == wxNOT_FOUND || static_cast<size_t>(row) >= choices.size()) {
        return std::nullopt;
    }
    return choices[static_cast<size_t>(row)].catalogue->GetFilePath();
}

// The To Do and Shopping Cart pages: all such elements in one catalogue, or each in its own.
class CSingleCataloguePage : public COptionsPage
{
public:
    CSingleCataloguePage(wxWindow* parent, const char* layout, const char* setting, CTreeNode* root)
        : m_setting(setting), m_choices(ListCatalogueChoices(root))
    {
        LoadPanelLayout(*this, parent, layout);
        m_check = FindControl<wxCheckBox>(*this, kSingleCatalogueCheck);
        m_list = FindControl<wxListBox>(*this, kCatalogueList);
        const std::string current = GetSettingString(setting);
        FillCatalogueList(m_list, m_choices, current);
        if (m_check != nullptr) {
            m_check->SetValue(!current.empty());
        }
    }
    bool Apply() override
    {
        const OptionValue option = SingleCatalogueOption(m_check != nullptr && m_check->GetValue(),
                                                         SelectedCatalogue(m_list, m_choices));
        if (option.refusal != OptionRefusal::None) {
            ShowOptionRefusal(option.refusal);
            return false;
        }
        SetSettingString(m_setting, option.value);
        return true;
    }

private:
    const char* m_setting;
    std::vector<CatalogueChoice> m_choices;
    wxCheckBox* m_check = nullptr;
    wxListBox* m_list = nullptr;
};

class CDefaultCataloguePage : public COptionsPage
{
public:
    CDefaultCataloguePage(wxWindow* parent, CTreeNode* root) : m_choices(ListCatalogueChoices(root, true))
    {
        LoadPanelLayout(*this, parent, "32235");
        m_list = FindControl<wxListBox>(*this, kCatalogueList);
        FillCatalogueList(m_list, m_choices, GetSettingString("defaultDataBook"));
    }
    bool Apply() override
    {
        const OptionValue option = DefaultCatalogueOption(SelectedCatalogue(m_list, m_choices));
        if (option.refusal != OptionRefusal::None) {
            ShowOptionRefusal(option.refusal);
            return false;
        }
        SetSettingString("defaultDataBook", option.value);
        return true;
    }

private:
    std::vector<CatalogueChoice> m_choices;
    wxListBox* m_list = nullptr;
};

class CCurrencyPage : public COptionsPage
{
public:
    explicit CCurrencyPage(wxWindow* parent)
    {
        LoadPanelLayout(*this, parent, "223");
        m_list = FindControl<wxListBox>(*this, kCurrencyList);
        if (m_list == nullptr) {
            return;
        }
        const std::string current = GetSettingString("selectedCurrency");
        for (int i = 1; i <= kCurrencyEntries; ++i) {
            std::string country;
            if (!CurrencyEntryMatches(i, country)) {
                continue;
            }
            const std::string symbol = GetCurrencySymbol(i);
            const int row = m_list->Append(wxString::FromUTF8(country + " (" + symbol + ")"),
                                           reinterpret_cast<void*>(static_cast<intptr_t>(i)));
            if (!current.empty() && platform::text::EqualsNoCase(symbol, current) &&
                m_list->GetSelection() == wxNOT_FOUND) {
                m_list->SetSelection(row);
            }
        }
    }
    // Without a selection the currency stays as it was: there is nothing the user chose to store.
    bool Apply() override
    {
        const int row = m_list != nullptr ? m_list->GetSelection() : wxNOT_FOUND;
        if (row != wxNOT_FOUND) {
            const int entry = static_cast<int>(
                reinterpret_cast<intptr_t>(m_list->GetClientData(static_cast<unsigned>(row))));
            SetSettingString("selectedCurrency", GetCurrencySymbol(entry));
        }
        return true;
    }

private:
    wxListBox* m_list = nullptr;
};

} // namespace

COptionsSheet::COptionsSheet(wxWindow* owner, CTreeNode* root)
{
    SetSheetStyle(wxPROPSHEET_LISTBOOK);
    Create(owner, wxID_ANY, wxString::FromUTF8(LoadResString(kSheetTitle)));
    CreateButtons(wxOK | wxCANCEL | wxHELP);
    wxBookCtrlBase* book = GetBookCtrl();
    AddOptionsPage(new CFlagPage(book, "32189", 1121, "Newlook", "NewLook", "TRUE"), kLookTitle);
    AddOptionsPage(new CBackupPage(book), kBackupTitle);
    AddOptionsPage(new CSingleCataloguePage(book, "32186", "toDoDataBase", root), kToDoTitle);
    AddOptionsPage(new CFlagPage(book, "32188", 1117, "DebugOn", "DebugOn", "FALSE"), kSupportLogTitle);
    AddOptionsPage(new CSingleCataloguePage(book, "32208", "shopCartDataBase", root), kShoppingCartTitle);
    AddOptionsPage(new CCurrencyPage(book), kCurrencyTitle);
    AddOptionsPage(new CDefaultCataloguePage(book, root), kDefaultCatalogueTitle);
    m_pages.front()->MarkShown();
    book->Bind(wxEVT_LISTBOOK_PAGE_CHANGED, [this](wxBookCtrlEvent& event) {
        const int page = event.GetSelection();
        if (page >= 0 && static_cast<size_t>(page) < m_pages.size()) {
            m_pages[static_cast<size_t>(page)]->MarkShown();
        }
        event.Skip();
    });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnHelp(); }, wxID_HELP);
    LayoutDialog();
}

void COptionsSheet::AddOptionsPage(COptionsPage* page, unsigned title)
{
    m_pages.push_back(page);
    // The list of pages has no keyboard mnemonics: the titles' '&' would show.
    GetBookCtrl()->AddPage(page, wxStripMenuCodes(wxString::FromUTF8(LoadResString(title))));
}

void COptionsSheet::OnOk()
{
    for (size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i]->WasShown() && !m_pages[i]->Apply()) {
            GetBookCtrl()->SetSelection(i);
            return;
        }
    }
    EndModal(wxID_OK);
}

void COptionsSheet::OnHelp()
{
    if (GetBookCtrl()->GetSelection() == kBackupPage) {
        ShowContextHelpInWindow(this, "PX.OPTIONS");
    }
}

void ShowOptionsSheet(wxWindow* owner, CTreeNode* root)
{
    COptionsSheet sheet(owner, root);
    sheet.ShowModal();
}
