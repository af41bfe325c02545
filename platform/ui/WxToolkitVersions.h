#pragma once
// Versions of the windowing libraries this copy runs on, read from them at run time ("3.2.2").

#include <string>

namespace platform::ui {

std::string WxWidgetsVersion();
// The GTK the toolkit runs on; empty before the windowing system is started.
std::string GtkVersion();

} // namespace platform::ui
