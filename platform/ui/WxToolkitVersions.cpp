#include "platform/ui/WxToolkitVersions.h"

#include <wx/platinfo.h>
#include <wx/utils.h>
#include <wx/versioninfo.h>

namespace platform::ui {

std::string WxWidgetsVersion()
{
    const wxVersionInfo info = wxGetLibraryVersionInfo();
    return std::to_string(info.GetMajor()) + "." + std::to_string(info.GetMinor()) + "." +
           std::to_string(info.GetMicro());
}

std::string GtkVersion()
{
    const wxPlatformInfo& info = wxPlatformInfo::Get();
    if (info.GetToolkitMajorVersion() <= 0) {
        return {};
    }
    return std::to_string(info.GetToolkitMajorVersion()) + "." +
           std::to_string(info.GetToolkitMinorVersion()) + "." +
           std::to_string(info.GetToolkitMicroVersion());
}

} // namespace platform::ui
