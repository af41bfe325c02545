#include "platform/ui/WxToolkitVersions.h"

#include <gtk/gtk.h>
#include <wx/version.h>

// Neither asks wxWidgets' platform description: building it runs lsb_release and uname several times,
// over a second of a start with tracing on.
namespace platform::ui {

std::string WxWidgetsVersion()
{
    // The library's soname pins its major and minor version to the ones the program was built with.
    return std::to_string(wxMAJOR_VERSION) + "." + std::to_string(wxMINOR_VERSION) + "." +
           std::to_string(wxRELEASE_NUMBER);
}

std::string GtkVersion()
{
    return std::to_string(gtk_get_major_version()) + "." + std::to_string(gtk_get_minor_version()) + "." +
           std::to_string(gtk_get_micro_version());
}

} // namespace platform::ui
