#pragma once
// Shortcuts to elements as freedesktop desktop entries (".desktop" files): the text of one entry, and
// the quoting its keys need so that any element name, however odd, stays data. An element's name ends
// up in the entry's Name and in the one argument of its Exec line; a newline, ';', '"', '`', '$' or '%'
// in it must neither break the file nor reach a shell or the launcher's field codes.

#include <string>
#include <string_view>
#include <vector>

// What a shortcut holds.
struct DesktopShortcut
{
    std::string name;       // the description, shown as the entry's name
    std::string program;    // the program Exec starts
    std::string argument;   // its one argument ("list^...", "single^...")
    std::string workingDir; // Path
    std::string icon;       // an icon name or an absolute path
};

// A value of type string or localestring: backslash, newline, tab and carriage return escaped as
// "\\", "\n", "\t", "\r". (A desktop entry's values are single lines.)
std::string EscapeDesktopValue(std::string_view value);

// One Exec argument: a text that needs no quoting as it stands, otherwise in double quotes with '"',
// '`', '$' and '\' escaped by a backslash; '%' doubled in either case (field codes). Not yet escaped
// as a value (EscapeDesktopValue does that).
std::string QuoteExecArgument(std::string_view argument);

// The whole entry: "[Desktop Entry]", Type, Version, Name, Comment, Exec, Path, Icon, Terminal.
std::string DesktopEntryText(const DesktopShortcut& shortcut);
