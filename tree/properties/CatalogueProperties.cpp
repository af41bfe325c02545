#include "tree/properties/CatalogueProperties.h"

#include "platform/text/CaseFold.h"
#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Settings.h"
#include "store/records/ItemSet.h"
#include "tree/base/ImageKinds.h"
#include "tree/base/TextPatterns.h"
#include "tree/queries/QueryNodes.h"
#include "tree/records/RecordNodes.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr unsigned kStringInformation = 20553;
constexpr const char* kCommentField = "comment";
constexpr const char* kNameField = "NAME";
// As when a new query is named after one that exists.
constexpr const char* kNameTaken = "A query named \"%s\" exists already.";
constexpr const char* kFilePathField = "edtFn";

} // namespace

namespace catalogue_sheet {

unsigned ApplyPassword(CCatalogueDb& catalogue, const PasswordEntry& entry)
{
    const std::string current = catalogue.GetPassword();
    const bool hasPassword = !current.empty();
    if (hasPassword && entry.oldPassword != current) {
        return kOldPasswordWrong;
    }
    if (!entry.enabled) {
        if (hasPassword) {
            catalogue.RemovePassword(current);
            catalogue.SaveSettings();
            SetSettingString(catalogue.GetName(), "");
        }
        return 0;
    }
    if (entry.newPassword != entry.confirmation) {
        return kConfirmationDiffers;
    }
    if (entry.newPassword.size() > kMaxPassword) {
        return kPasswordTooLong;
    }
    if (entry.newPassword == current) {
        return 0;
    }
    // The store shows its own message when the file cannot be encrypted, and keeps the old password.
    catalogue.SetPassword(current, entry.newPassword);
    catalogue.SaveSettings();
    return 0;
}

unsigned ApplyDescription(CCatalogueDb& catalogue, const std::string& text)
{
    if (text != catalogue.GetComment()) {
        catalogue.SetComment(text);
        catalogue.SaveSettings();
    }
    return 0;
}

bool ApplyViewOnly(CCatalogueDb& catalogue, bool viewOnly)
{
    if (catalogue.IsViewOnly()) {
        // The choice cannot be taken back.
        return false;
    }
    if (!viewOnly) {
        catalogue.SetViewOnly(false);
        return false;
    }
    platform::ui::ShowMessage(LoadResString(kViewOnlyQuestion), LoadResString(kStringInformation),
                              platform::ui::kMbOk | platform::ui::kMbIconInformation);
    catalogue.Backup();
    catalogue.SetViewOnly(true);
    return true;
}

} // namespace catalogue_sheet

namespace query_sheet {

std::string CommentOf(CQueryNode& node)
{
    CItemSet* row = node.GetOwnSet();
    return row != nullptr && row->GetCurrent() != nullptr ? row->GetFieldTextByName(kCommentField)
                                                          : std::string();
}

std::string Apply(CQueryNode& node, const std::string& name, const std::string& comment)
{
    CItemSet* row = node.GetOwnSet();
    CCatalogueDb* catalogue = node.GetCatalogue();
    if (name.empty() || row == nullptr || row->GetCurrent() == nullptr || catalogue == nullptr) {
        return LoadResString(kNameRequired);
    }
    std::string other;
    if (!platform::text::EqualsNoCase(name, node.GetName()) && catalogue->ReadQuery(name, other)) {
        return FillTextPattern(kNameTaken, name);
    }
    row->SetFieldTextByName(kNameField, name);
    row->SetFieldTextByName(kCommentField, comment);
    if (!row->SaveCurrentUnderOwnParent()) {
        return LoadResString(kNameRequired);
    }
    node.SetName(name);
    catalogue->ResetBuiltinSet23();
    return {};
}

} // namespace query_sheet

namespace file_sheet {

std::string PathOf(CRecordNode& node)
{
    CItemSet* set = node.GetItemSet();
    return set != nullptr && set->GetCurrent() != nullptr ? set->GetFieldTextByName(kFilePathField)
                                                          : std::string();
}

unsigned ApplyPath(CRecordNode& node, const std::string& path)
{
    CItemSet* set = node.GetItemSet();
    const std::string old = PathOf(node);
    if (set == nullptr || path == old) {
        return 0;
    }
    std::error_code failed;
    if (path.empty() ||
        !std::filesystem::copy_file(old, path, std::filesystem::copy_options::overwrite_existing, failed) ||
        failed) {
        return kCannotMove;
    }
    set->SetFieldTextByName(kFilePathField, path);
    set->SaveCurrentUnderOwnParent();
    return 0;
}

} // namespace file_sheet
