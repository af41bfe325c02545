#include "tree/catalogue/NewMenuModel.h"

#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "tree/base/ImageKinds.h"
#include "tree/groups/TableNodes.h"

namespace {

constexpr int kStringCatalogue = 11009;
constexpr int kStringFolder = 11023;
constexpr int kStringQuery = 33147;
constexpr int kStringList = 11032;
constexpr int kStringDataType = 11223;
constexpr int kStringTable = 33134;

constexpr int kImageCatalogue = 114;
constexpr int kImageFolder = 105;
constexpr int kImageQuery = 165;
constexpr int kImageList = 111;
constexpr int kImageDataType = 31248;
constexpr int kImageBookmark = 185;
constexpr int kImageToDo = 31237;
constexpr int kImageTable = 104;

// Data-file numbers a catalogue may use.
constexpr int kLastDataFileNumber = 98;

NewMenuEntry DataFileEntry(const CDataFileDef& definition, bool inMenu)
{
    NewMenuEntry entry;
    entry.text = definition.GetMenuName();
    entry.dataFile = definition.GetFileNumber();
    entry.command = new_menu::kFirstDataFile + entry.dataFile;
    entry.image = new_menu::kDataFileIcon;
    if (!inMenu) {
        entry.image = 0;
    } else if (entry.dataFile == node_kind::kBookmarks) {
        entry.command = new_menu::kNewBookmark;
        entry.image = kImageBookmark;
    } else if (entry.dataFile == node_kind::kToDo) {
        entry.command = new_menu::kNewToDo;
        entry.image = kImageToDo;
    }
    return entry;
}

} // namespace

NewMenuModel BuildNewMenuModel(CCatalogueDb& catalogue)
{
    NewMenuModel menu;
    menu.entries = {
        {LoadResString(kStringCatalogue), new_menu::kNewCatalogue, kImageCatalogue, 0, false},
        {LoadResString(kStringFolder), new_menu::kNewFolder, kImageFolder, 0, !catalogue.IsAreaAllowed()},
        {LoadResString(kStringQuery), new_menu::kNewQuery, kImageQuery, 0, false},
        {LoadResString(kStringList), new_menu::kNewList, kImageList, 0, false},
        {LoadResString(kStringDataType), new_menu::kNewDataType, kImageDataType, 0, false},
    };
    catalogue.LoadDefinitionsIfNeeded();
    const bool toDoShown = ShowsToDoList(catalogue);
    bool separated = false;
    for (int number = 0; number <= kLastDataFileNumber; ++number) {
        const CDataFileDef* definition = catalogue.FindDefinition(number);
        if (definition == nullptr || number == node_kind::kItemLists || number == node_kind::kStoredQueries ||
            definition->GetMenuNameIfSet() == nullptr || (number == node_kind::kToDo && !toDoShown)) {
            continue;
        }
        if (definition->IsInMenu()) {
            if (!separated) {
                menu.entries.emplace_back();
                separated = true;
            }
            menu.entries.push_back(DataFileEntry(*definition, true));
        } else {
            menu.tableEntries.push_back(DataFileEntry(*definition, false));
        }
    }
    if (!menu.tableEntries.empty()) {
        menu.tableEntry = {LoadResString(kStringTable), 0, kImageTable, 0, false};
    }
    return menu;
}
