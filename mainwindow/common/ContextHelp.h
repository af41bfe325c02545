#pragma once
// Help on the program's context-help keys ("KV.FOLDER_NAME", "PX.OPTIONS"): the key's prefix names a help
// book and its map in the product's help folder (see store/HelpKeys.h). A missing map, book or key is
// reported in a message box.

#include <string_view>

class wxWindow;

// Help on one control: the topic in a small popup near the mouse.
void ShowContextHelp(wxWindow* window, std::string_view key);
// Help on a dialog or page: the topic in the book's help window.
void ShowContextHelpInWindow(wxWindow* window, std::string_view key);
