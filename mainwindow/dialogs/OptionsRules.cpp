#include "mainwindow/dialogs/OptionsRules.h"

#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"

#include <system_error>

namespace {

constexpr unsigned kNoCatalogueText = 119;
constexpr unsigned kInvalidDirectoryText = 181;
constexpr unsigned kDirectoryErrorCaption = 20552;
constexpr unsigned kCatalogueErrorCaption = 33365;

} // namespace

OptionValue BackupFolderOption(const std::string& folder)
{
    const std::filesystem::path path(folder);
    if (folder.empty() || !path.is_absolute()) {
        return {OptionRefusal::InvalidDirectory, {}};
    }
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (!std::filesystem::is_directory(path, error)) {
        return {OptionRefusal::InvalidDirectory, {}};
    }
    return {OptionRefusal::None, folder};
}

OptionValue SingleCatalogueOption(bool checked, const std::optional<std::filesystem::path>& selected)
{
    if (!checked) {
        return {};
    }
    return DefaultCatalogueOption(selected);
}

OptionValue DefaultCatalogueOption(const std::optional<std::filesystem::path>& selected)
{
    if (!selected) {
        return {OptionRefusal::NoCatalogue, {}};
    }
    return {OptionRefusal::None, selected->string()};
}

void ShowOptionRefusal(OptionRefusal refusal)
{
    switch (refusal) {
    case OptionRefusal::None:
        break;
    case OptionRefusal::InvalidDirectory:
        platform::ui::ShowMessage(LoadResString(kInvalidDirectoryText), LoadResString(kDirectoryErrorCaption),
                                  platform::ui::kMbOk);
        break;
    case OptionRefusal::NoCatalogue:
        platform::ui::ShowMessage(LoadResString(kNoCatalogueText), LoadResString(kCatalogueErrorCaption),
                                  platform::ui::kMbOk);
        break;
    }
}
