#pragma once
// The help viewer: HTML help books (a ".hhp" project with its contents and index, or the same zipped as
// ".htb") whose contents entries carry numeric topic ids (<param name="ID" value="...">). A topic opens
// either in a small popup near the mouse, for help on one control, or in the book's help window, with
// contents, index and search.

#include <filesystem>

#include <wx/string.h>

class wxWindow;

namespace platform::ui {

enum class HelpPlacement
{
    kPopup,
    kWindow,
};

enum class HelpResult
{
    kShown,
    kNoBook,  // the book cannot be read
    kNoTopic, // the book has no topic with that id
};

HelpResult ShowHelpTopic(wxWindow* parent, const std::filesystem::path& book, int topic,
                         HelpPlacement placement);

// Opens the book's help window at its contents; false when the book cannot be read.
bool ShowHelpContents(wxWindow* parent, const std::filesystem::path& book);

// The window (popup or help window) that shows the last topic, null once it is closed, and the page it
// shows.
wxWindow* LastHelpWindow();
wxString LastHelpPage();

} // namespace platform::ui
