#pragma once
// The program's own pictures, drawn as SVG sources in resources/pictures and compiled in.

#include <string_view>

namespace resources {

// The program's icon (a coin), also the picture of the splash screen and the desktop's icon.
std::string_view ProgramIconSvg();

} // namespace resources
