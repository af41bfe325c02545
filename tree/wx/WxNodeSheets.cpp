#include "tree/wx/WxNodeSheets.h"

#include "mainwindow/common/ContextHelp.h"
#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "resources/XrcResources.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/regional/DateText.h"
#include "tree/catalogue/CatalogueNode.h"
#include "tree/properties/CatalogueProperties.h"
#include "tree/queries/QueryNodes.h"
#include "tree/records/RecordNodes.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <memory>

#include <gio/gio.h>
#include <wx/bookctrl.h>
#include <wx/checkbox.h>
#include <wx/filename.h>
#include <wx/mimetype.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

namespace {

constexpr unsigned kStringError = 20552;
constexpr unsigned kCatalogueCaption = 33023;
constexpr unsigned kGeneralTitle = 33069;
constexpr unsigned kDescriptionTitle = 2000;
constexpr unsigned kServerTypesTitle = 347;
constexpr unsigned kPasswordTitle = 33092;
constexpr unsigned kPropertiesCaption = 31013;
constexpr const char* kQueryCaption = "Query Properties";
constexpr const char* kFileNameTitle = "File Name";

// Controls of PropertyPages.xrc.
enum Control
{
    kCatalogueFile = 1101,
    kCreated,
    kLastBackup,
    kModified,
    kDescription,
    kViewOnly,
    kPasswordEnabled,
    kOldPassword,
    kNewPassword,
    kConfirmPassword,
    kQueryName,
    kQueryComment,
    kFileIcon,
    kFileType,
    kFileSize,
    kFileCreated,
    kFileAccessed,
    kFileModified,
    kFileName,
};

wxString Wx(const std::string& text)
{
    return wxString::FromUTF8(text);
}

std::string Utf8(const wxString& text)
{
    return text.utf8_string();
}

template <typename Control>
Control& Find(wxWindow& page, int id)
{
    auto* control = dynamic_cast<Control*>(page.FindWindow(id));
    wxASSERT_MSG(control != nullptr, "a control of the page layout is missing");
    return *control;
}

void SetLabel(wxWindow& page, int id, const std::string& text)
{
    Find<wxStaticText>(page, id).SetLabel(Wx(text));
}

// The long date and the time of day; one blank for no time.
std::string LongDateTime(std::time_t value)
{
    if (value <= 0) {
        return " ";
    }
    std::tm parts{};
    localtime_r(&value, &parts);
    char time[16];
    std::strftime(time, sizeof time, "%H:%M:%S", &parts);
    return FormatLongDate(parts).value_or(FormatDate(parts)) + " " + time;
}

// The short date and the time of day.
std::string DateTime(const wxDateTime& value)
{
    if (!value.IsValid()) {
        return " ";
    }
    const std::time_t ticks = value.GetTicks();
    std::tm parts{};
    localtime_r(&ticks, &parts);
    char time[16];
    std::strftime(time, sizeof time, "%H:%M:%S", &parts);
    return FormatDate(parts) + " " + time;
}

// The text of a refusing message; empty for 0.
std::string Refusal(unsigned message)
{
    return message != 0 ? LoadResString(message) : std::string();
}

// GTK's multi-line text takes no length limit (wx asserts when one is set, in the layout too), so the
// text is cut back as it is typed past the limit, as a single-line entry refuses the keys.
void LimitLength(wxTextCtrl& text, long limit)
{
    text.Bind(wxEVT_TEXT, [&text, limit](wxCommandEvent& event) {
        event.Skip();
        if (text.GetLastPosition() > limit) {
            const long insertion = std::min(text.GetInsertionPoint(), limit);
            text.Remove(limit, text.GetLastPosition());
            text.SetInsertionPoint(insertion);
        }
    });
}

void HelpOn(wxWindow& page, int id, const char* key)
{
    wxWindow* control = page.FindWindow(id);
    control->Bind(wxEVT_HELP, [control, key](wxHelpEvent&) { ShowContextHelp(control, key); });
}

} // namespace

// ---- the sheet -------------------------------------------------------------------------------------

CSheetPage::CSheetPage(wxWindow* parent, const char* layout)
{
    resources::LoadXrcResources();
    wxXmlResource::Get()->LoadPanel(this, parent, layout);
}

CNodeSheetDialog::CNodeSheetDialog(wxWindow* parent, const std::string& caption)
{
    Create(parent, wxID_ANY, Wx(caption));
    // No Apply: the pages are written together, by OK.
    CreateButtons(wxOK | wxCANCEL | wxHELP);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { ApplyPages(); }, wxID_OK);
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            const int page = GetBookCtrl()->GetSelection();
            if (page >= 0 && !m_pages[static_cast<size_t>(page)]->helpKey.empty()) {
                ShowContextHelpInWindow(this, m_pages[static_cast<size_t>(page)]->helpKey);
            }
        },
        wxID_HELP);
}

CSheetPage& CNodeSheetDialog::AddSheetPage(const char* layout, const std::string& title)
{
    auto* page = new CSheetPage(GetBookCtrl(), layout);
    m_pages.push_back(page);
    GetBookCtrl()->AddPage(page, Wx(title));
    return *page;
}

void CNodeSheetDialog::Finish(int page)
{
    LayoutDialog();
    if (page >= 0 && static_cast<size_t>(page) < m_pages.size()) {
        GetBookCtrl()->SetSelection(static_cast<size_t>(page));
    }
}

bool CNodeSheetDialog::ApplyPages()
{
    for (size_t i = 0; i < m_pages.size(); ++i) {
        if (!m_pages[i]->apply) {
            continue;
        }
        if (const std::string refusal = m_pages[i]->apply(); !refusal.empty()) {
            GetBookCtrl()->SetSelection(i);
            platform::ui::ShowMessage(refusal, LoadResString(kStringError),
                                      platform::ui::kMbOk | platform::ui::kMbIconError);
            return false;
        }
    }
    if (IsModal()) {
        EndModal(wxID_OK);
    } else {
        SetReturnCode(wxID_OK);
    }
    return true;
}

// ---- the pages -------------------------------------------------------------------------------------

void BuildCatalogueSheet(CNodeSheetDialog& sheet, CCatalogueDb& catalogue, bool& viewOnlyChanged)
{
    CSheetPage& general = sheet.AddSheetPage("116", LoadResString(kGeneralTitle));
    SetLabel(general, kCatalogueFile, catalogue.GetFilePath().string());
    SetLabel(general, kCreated, LongDateTime(catalogue.GetCreationTime()));
    SetLabel(general, kLastBackup, LongDateTime(catalogue.GetLastBackupTime()));
    SetLabel(general, kModified, LongDateTime(catalogue.GetModificationTime()));

    CSheetPage& description = sheet.AddSheetPage("32243", LoadResString(kDescriptionTitle));
    auto& text = Find<wxTextCtrl>(description, kDescription);
    text.ChangeValue(Wx(catalogue.GetComment()));
    LimitLength(text, static_cast<long>(catalogue_sheet::kMaxDescription));
    description.apply = [&catalogue, &text] {
        return Refusal(catalogue_sheet::ApplyDescription(catalogue, Utf8(text.GetValue())));
    };

    CSheetPage& server = sheet.AddSheetPage("32210", LoadResString(kServerTypesTitle));
    auto& viewOnly = Find<wxCheckBox>(server, kViewOnly);
    viewOnly.SetValue(catalogue.IsViewOnly());
    viewOnly.Enable(!catalogue.IsViewOnly());
    server.apply = [&catalogue, &viewOnly, &viewOnlyChanged] {
        viewOnlyChanged = catalogue_sheet::ApplyViewOnly(catalogue, viewOnly.GetValue()) || viewOnlyChanged;
        return std::string();
    };

    CSheetPage& password = sheet.AddSheetPage("301", LoadResString(kPasswordTitle));
    auto& enabled = Find<wxCheckBox>(password, kPasswordEnabled);
    auto& oldPassword = Find<wxTextCtrl>(password, kOldPassword);
    auto& newPassword = Find<wxTextCtrl>(password, kNewPassword);
    auto& confirmation = Find<wxTextCtrl>(password, kConfirmPassword);
    const bool hasPassword = !catalogue.GetPassword().empty();
    enabled.SetValue(hasPassword);
    // The old password is asked whenever there is one: removing it needs it too.
    oldPassword.Enable(hasPassword);
    const auto follow = [&enabled, &newPassword, &confirmation] {
        newPassword.Enable(enabled.GetValue());
        confirmation.Enable(enabled.GetValue());
    };
    follow();
    enabled.Bind(wxEVT_CHECKBOX, [follow](wxCommandEvent&) { follow(); });
    HelpOn(password, kNewPassword, "KV.ADBWIZ3PASSWORD");
    HelpOn(password, kOldPassword, "KV.ADBWIZ3OLD_PASSWORD");
    HelpOn(password, kConfirmPassword, "KV.ADBWIZ3PASSWORD_C");
    HelpOn(password, kPasswordEnabled, "KV.ADBWIZ3PASSWORDY");
    password.apply = [&catalogue, &enabled, &oldPassword, &newPassword, &confirmation] {
        return Refusal(catalogue_sheet::ApplyPassword(
            catalogue, {enabled.GetValue(), Utf8(oldPassword.GetValue()), Utf8(newPassword.GetValue()),
                        Utf8(confirmation.GetValue())}));
    };
}

void BuildQuerySheet(CNodeSheetDialog& sheet, CQueryNode& node)
{
    CSheetPage& page = sheet.AddSheetPage("164", LoadResString(kGeneralTitle));
    page.helpKey = "PX.QUERY_PROPERTIES";
    auto& name = Find<wxTextCtrl>(page, kQueryName);
    auto& comment = Find<wxTextCtrl>(page, kQueryComment);
    name.ChangeValue(Wx(node.GetName()));
    comment.ChangeValue(Wx(query_sheet::CommentOf(node)));
    LimitLength(comment, static_cast<long>(query_sheet::kMaxComment));
    HelpOn(page, kQueryName, "KV.IS_CHILD_AREA");
    HelpOn(page, kQueryComment, "KV.MAIN_AREAS_LIST");
    page.apply = [&node, &name, &comment] {
        return query_sheet::Apply(node, Utf8(name.GetValue()), Utf8(comment.GetValue()));
    };
}

void BuildFileSheet(CNodeSheetDialog& sheet, CRecordNode& node)
{
    const std::string path = file_sheet::PathOf(node);
    const wxFileName file(Wx(path));
    CSheetPage& about = sheet.AddSheetPage("119", LoadResString(kGeneralTitle));
    std::string type;
    wxMimeTypesManager types;
    if (std::unique_ptr<wxFileType> found(types.GetFileTypeFromExtension(file.GetExt())); found != nullptr) {
        wxString description;
        if (found->GetDescription(&description)) {
            type = Utf8(description);
        } else if (found->GetMimeType(&description)) {
            type = Utf8(description);
        }
    }
    SetLabel(about, kFileType, type.empty() ? Utf8(file.GetExt().Upper()) : type);
    const wxULongLong size = file.GetSize();
    SetLabel(about, kFileSize,
             size == wxInvalidSize ? std::string(" ") : Utf8(wxFileName::GetHumanReadableSize(size)));
    wxDateTime accessed;
    wxDateTime modified;
    wxDateTime created;
    if (!file.FileExists() || !file.GetTimes(&accessed, &modified, &created)) {
        accessed = modified = created = wxDateTime();
    }
    SetLabel(about, kFileCreated, DateTime(created));
    SetLabel(about, kFileAccessed, DateTime(accessed));
    SetLabel(about, kFileModified, DateTime(modified));

    CSheetPage& name = sheet.AddSheetPage("32185", kFileNameTitle);
    auto& entry = Find<wxTextCtrl>(name, kFileName);
    entry.ChangeValue(Wx(path));
    name.apply = [&node, &entry] { return Refusal(file_sheet::ApplyPath(node, Utf8(entry.GetValue()))); };
}

// ---- the installed sheets --------------------------------------------------------------------------

int CWxNodeSheets::Run(CNodeSheetDialog& sheet)
{
    return driver ? driver(sheet) : sheet.ShowModal();
}

bool CWxNodeSheets::ShowCatalogueSheet(CCatalogueNode& node, CNodeFrame* /*frame*/, int page)
{
    CCatalogueDb* catalogue = node.GetCatalogue();
    if (catalogue == nullptr || catalogue->GetDatabase() == nullptr) {
        return false;
    }
    bool viewOnlyChanged = false;
    {
        CNodeSheetDialog sheet(m_parent, LoadResString(kCatalogueCaption));
        BuildCatalogueSheet(sheet, *catalogue, viewOnlyChanged);
        sheet.Finish(page);
        Run(sheet);
    }
    if (viewOnlyChanged) {
        // Every copy of the program reloads the catalogue, which now refuses changes.
        node.PostUnload();
    }
    return true;
}

bool CWxNodeSheets::ShowQuerySheet(CQueryNode& node, CNodeFrame* /*frame*/)
{
    CNodeSheetDialog sheet(m_parent, kQueryCaption);
    BuildQuerySheet(sheet, node);
    sheet.Finish(0);
    Run(sheet);
    return true;
}

bool CWxNodeSheets::ShowFileSheet(CRecordNode& node, CNodeFrame* /*frame*/)
{
    const wxFileName file(Wx(file_sheet::PathOf(node)));
    CNodeSheetDialog sheet(m_parent, Utf8(file.GetFullName()) + " " + LoadResString(kPropertiesCaption));
    BuildFileSheet(sheet, node);
    sheet.Finish(0);
    Run(sheet);
    return true;
}

// ---- opening files ---------------------------------------------------------------------------------

CDocumentLauncher::Result CWxDocumentLauncher::OpenDocument(const std::string& path)
{
    // The desktop's own database: the MIME types and the user's choices (mimeapps.list) in the XDG
    // folders, as the file manager sees them. wx's MIME manager reads only the system's types and lets
    // any desktop entry override the user's choice, so it cannot say which program the user gets.
    gchar* type = g_content_type_guess(path.c_str(), nullptr, 0, nullptr);
    GAppInfo* program = type != nullptr ? g_app_info_get_default_for_type(type, FALSE) : nullptr;
    g_free(type);
    if (program == nullptr) {
        return Result::NoAssociation;
    }
    Result result = Result::Failed;
    if (std::error_code error; std::filesystem::is_regular_file(path, error)) {
        GFile* file = g_file_new_for_path(path.c_str());
        GList* files = g_list_append(nullptr, file);
        if (g_app_info_launch(program, files, nullptr, nullptr)) {
            result = Result::Opened;
        }
        g_list_free(files);
        g_object_unref(file);
    }
    g_object_unref(program);
    return result;
}
