#pragma once
// The frame's menu bar and accelerators. The menus are the XRC menu bars 128 (180 in Find mode) of
// resources/FrameMenus.xrc, whose items are named by their command numbers; BuildFrameMenu turns them
// into BCMenus with the pictures beside their commands and popups.

#include <wx/accel.h>

#include <string_view>
#include <vector>

class wxMenuBar;

// The menu bar 128, or 180 in Find mode. Item ids are BCMenu::ItemIdOf the command numbers.
wxMenuBar* BuildFrameMenu(bool findMode);

// The accelerator tables: "129" (the frame), "130" (Find mode) and "AccTable" (the record form). Each
// entry's command is an item id (BCMenu::ItemIdOf). Empty for another name.
std::vector<wxAcceleratorEntry> LoadAcceleratorEntries(std::string_view table);
wxAcceleratorTable LoadAcceleratorTable(std::string_view table);
