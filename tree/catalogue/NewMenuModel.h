#pragma once
// What the "New" menu of a catalogue holds: the commands that make a catalogue, folder, query, list or
// data type, then one command per data file of the catalogue (those offered when new items are made in
// the menu itself, the others in its "Table" submenu). A model only: the menu builders of the main
// window turn it into a menu with pictures.

#include <string>
#include <vector>

class CCatalogueDb;

// Commands of the "New" menu.
namespace new_menu {
inline constexpr int kNewCatalogue = 1009;
inline constexpr int kNewFolder = 1023;
inline constexpr int kNewQuery = 1010;
inline constexpr int kNewList = 1032;
inline constexpr int kNewDataType = 1223;
// A new item of data file n is command kFirstDataFile + n (bookmarks and the to-do list have their own).
inline constexpr int kFirstDataFile = 1335;
inline constexpr int kLastDataFile = 1435;
inline constexpr int kNewBookmark = 1359;
inline constexpr int kNewToDo = 1360;
// Where no picture of the program is given, an entry shows its data file's icon.
inline constexpr int kDataFileIcon = -1;
} // namespace new_menu

struct NewMenuEntry
{
    std::string text; // empty for a separator
    int command = 0;  // 0 for a separator and for the "Table" submenu
    int image = 0;    // picture number, or new_menu::kDataFileIcon
    int dataFile = 0; // the data file a new item is made in; 0 for the other entries
    bool greyed = false;
    bool IsSeparator() const { return command == 0 && text.empty(); }
};

struct NewMenuModel
{
    std::vector<NewMenuEntry> entries;
    // The data files that are not offered directly, as plain entries; shown as the popup `tableEntry`
    // at the end of the menu when not empty.
    std::vector<NewMenuEntry> tableEntries;
    NewMenuEntry tableEntry;
};

// The "New" menu of the catalogue, in menu order.
NewMenuModel BuildNewMenuModel(CCatalogueDb& catalogue);
