#include "resources/LoadResString.h"

#include "platform/ui/DialogService.h"
#include "resources/StringTable.h"

namespace {

constexpr unsigned kErrorCaption = 20552;
constexpr unsigned kNotFoundText = 33370;

} // namespace

std::string LoadResString(unsigned id)
{
    if (auto text = resources::FindString(id)) {
        return std::string(*text);
    }
    const std::string caption = LoadResString(kErrorCaption);
    const std::string message = LoadResString(kNotFoundText);
    platform::ui::ShowMessage(message, caption, platform::ui::kMbOk);
    return {};
}
