#pragma once
// The program's pictures as wx bitmap bundles (resources/ProgramPictures.h names them by number).

#include <wx/bmpbndl.h>

// The picture of a bitmap number for a command (0: none) at the default size (16 pixels); the desktop
// theme's icon where the table names one and the theme has it, else the SVG source. An invalid bundle
// when the number has no picture.
wxBitmapBundle ProgramPictureBundle(int number, int command = 0, int size = 16);
