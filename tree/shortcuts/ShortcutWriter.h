#pragma once
// Writing shortcuts to elements: a desktop entry that starts the program with the argument naming the
// element, on the user's desktop or in the product folder. Each element class chooses the description,
// the argument and the picture (CTreeNode::CreateShortcut); this is where they become a file.

#include <filesystem>
#include <string>
#include <string_view>

class CTreeNode;

// The shortcut kind that writes into the product folder (drag and drop's file lists); any other kind
// writes onto the desktop.
inline constexpr int kProductFolderShortcut = 22;
// The icon every shortcut shows: the program's own.
inline constexpr std::string_view kShortcutIcon = "lumarc";

// The user's desktop folder: XDG_DESKTOP_DIR of user-dirs.dirs ($XDG_CONFIG_HOME, else ~/.config), else
// $HOME/Desktop.
std::filesystem::path DesktopFolder();

// The file name of a shortcut with that description: the description with '/' and control characters
// made '_', cut (never inside a letter) so that the name stays within the file system's 255 bytes, and
// ".desktop".
std::string ShortcutFileName(std::string_view description);

// Writes the shortcut into the folder (made when missing), executable, replacing one of the same name.
// The program is the setting "productExe" when set, else "corvant". `iconIndex` is the element's
// picture in the program's icon resources; every shortcut shows the program's icon. Returns the file's
// full path; empty when it cannot be written.
std::string WriteShortcut(const std::filesystem::path& folder, std::string_view description,
                          std::string_view argument, int iconIndex);

// Writes onto the desktop for any kind but kProductFolderShortcut, else into the product folder.
std::string WriteShortcutOfKind(int kind, std::string_view description, std::string_view argument,
                                int iconIndex);

// "list^" and the node's path of names below the root, joined by '/'.
std::string ListShortcutArgument(const CTreeNode& node);
// The label of the nearest ancestor (or the node itself) that is a catalogue; empty when none.
std::string CatalogueLabelOf(CTreeNode& node);
// The description "<label> of <catalogue's label>" of shortcuts to elements within a catalogue.
std::string DescriptionWithCatalogue(CTreeNode& node, std::string_view of = " of ");
