#pragma once
// Tests of the clipboard for the program's private formats, which are registered by name so every
// running copy (and the drag-and-drop code) agrees on them. Besides the clipboard itself, the program
// keeps a little state of its own (a copy flag, the element being cut, its list of clipboard items);
// whoever owns that state hands it in through SetAppClipboardState.

#include <functional>
#include <string_view>

class wxDataFormat;

struct AppClipboardState
{
    // The program's own copy flag: items are ready to paste without being on the clipboard.
    std::function<bool()> hasOwnCopyItems;
    // Forgets the element being cut and the program's own list of clipboard items.
    std::function<void()> forget;
};
void SetAppClipboardState(AppClipboardState state);

// Opens the clipboard (close it again with wxTheClipboard->Close()). False when it cannot be opened.
bool OpenAppClipboard();

bool ClipboardHasFormat(const wxDataFormat& format);
bool ClipboardHasNamedFormat(std::string_view name);
// True when a copy format is on the clipboard or the program's own copy flag is set.
bool ClipboardHasCopyItems();
bool ClipboardHasMoveItems();
bool ClipboardHasLinkItems();
// Forgets the program's own clipboard state, then empties the clipboard.
void ClearClipboard();
