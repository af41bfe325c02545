#include "tree/menus/FileMenuItems.h"

#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "tree/base/ImageKinds.h"
#include "tree/base/TextPatterns.h"
#include "tree/base/TreeNode.h"
#include "tree/groups/TableNodes.h"
#include "tree/menus/MenuNumbers.h"
#include "tree/records/RecordNodes.h"

namespace {

constexpr int kStringCut = 11006;
constexpr int kStringCopy = 11007;
constexpr int kStringPaste = 11008;
constexpr int kStringDuplicate = 31014;
constexpr int kStringDelete = 31011;
constexpr int kStringRename = 31012;
constexpr int kStringFax = 11043;
constexpr int kStringMail = 11042;
constexpr int kStringSendTo = 11054;
constexpr int kStringIndexCards = 1125;
constexpr int kStringInventoryReport = 33428;
constexpr int kStringPrint = 11022;
constexpr int kStringNew = 189;
constexpr int kStringNewCatalogue = 11009;
constexpr int kStringNewFolder = 11023;
constexpr int kStringNewQuery = 33147;
constexpr int kStringNewList = 11032;
constexpr int kStringNewDataType = 11223;
constexpr int kStringTable = 33134;
constexpr int kStringNewOfKind = 33403;

int GreyedUnless(bool enabled)
{
    return enabled ? kMenuEnabled : kMenuGreyed;
}

} // namespace

bool IsInViewOnlyCatalogue(CTreeNode& node)
{
    CCatalogueDb* catalogue = node.GetCatalogue();
    return catalogue != nullptr && catalogue->IsViewOnly();
}

void AddEditItems(CNodeMenu& menu, CTreeNode& node)
{
    const int cutCopy = GreyedUnless(node.CopyToClipboard(true));
    menu.AppendODMenu(LoadResString(kStringCut), cutCopy, menu_command::kCut, menu_picture::kCut);
    menu.AppendODMenu(LoadResString(kStringCopy), cutCopy, menu_command::kCopy, menu_picture::kCopy);
    const bool paste = node.CanPasteMove() || node.CanPasteCopy();
    menu.AppendODMenu(LoadResString(kStringPaste), GreyedUnless(paste), menu_command::kPaste,
                      menu_picture::kPaste);
}

void AddDuplicateItem(CNodeMenu& menu, CTreeNode* node)
{
    const bool enabled = node != nullptr && node->IsRecord() && !node->IsAddNew() &&
                         !node->IsInWastebasket() && !IsInViewOnlyCatalogue(*node);
    menu.AppendODMenu(LoadResString(kStringDuplicate), GreyedUnless(enabled), menu_command::kDuplicate,
                      menu_picture::kCommands);
}

void AddDeleteItem(CNodeMenu& menu, CTreeNode* node)
{
    bool enabled = node != nullptr && !node->IsRoot() && !IsInViewOnlyCatalogue(*node);
    if (enabled && node->IsRecord()) {
        enabled = static_cast<CRecordNode*>(node)->CanDelete();
    }
    menu.AppendODMenu(LoadResString(kStringDelete), GreyedUnless(enabled), menu_command::kDelete,
                      menu_picture::kDelete);
}

void AddRenameItem(CNodeMenu& menu, CTreeNode* node)
{
    // Without a list the probe starts no editing: it only says whether the label may be edited.
    const bool enabled =
        node != nullptr && !IsInViewOnlyCatalogue(*node) && node->BeginInPlaceEdit(nullptr, {});
    menu.AppendODMenu(LoadResString(kStringRename), GreyedUnless(enabled), menu_command::kRename,
                      menu_picture::kCommands);
}

void BuildSendTo(CNodeMenu& menu, bool faxAllowed, bool mailAllowed, bool selection)
{
    auto send = std::make_unique<CNodeMenu>();
    // Both texts are empty: the items show only their pictures.
    send->AppendODMenu(LoadResString(kStringFax), GreyedUnless(faxAllowed || selection), menu_command::kFax,
                       menu_picture::kFax);
    send->AppendODMenu(LoadResString(kStringMail), GreyedUnless(mailAllowed || selection),
                       menu_command::kMail, menu_picture::kMail);
    menu.AppendPopup(LoadResString(kStringSendTo), GreyedUnless(faxAllowed || mailAllowed || selection),
                     menu_picture::kCommands, std::move(send));
    menu.AppendSeparator();
}

void BuildPrintSubmenu(CNodeMenu& menu, bool enabled)
{
    auto print = std::make_unique<CNodeMenu>();
    print->AppendODMenu(LoadResString(kStringIndexCards), GreyedUnless(enabled),
                        menu_command::kPrintIndexCards, menu_picture::kCommands);
    print->AppendODMenu(LoadResString(kStringInventoryReport), GreyedUnless(enabled),
                        menu_command::kInventoryReport, menu_picture::kCommands);
    menu.AppendPopup(LoadResString(kStringPrint), GreyedUnless(enabled), menu_picture::kPrint,
                     std::move(print));
    menu.AppendSeparator();
}

std::vector<const CDataFileDef*> NewItemDataFiles(CCatalogueDb& catalogue)
{
    catalogue.LoadDefinitionsIfNeeded();
    const bool toDo = ShowsToDoList(catalogue);
    std::vector<const CDataFileDef*> files;
    for (int n = 0; n <= CDataFileDef::kLastDataFile; ++n) {
        const CDataFileDef* definition = catalogue.FindDefinition(n);
        if (n == node_kind::kItemLists || n == node_kind::kStoredQueries || definition == nullptr ||
            definition->GetMenuNameIfSet() == nullptr || (n == node_kind::kToDo && !toDo)) {
            continue;
        }
        files.push_back(definition);
    }
    return files;
}

CNodeMenu::Entry* AddNewBookmarkOrToDoItem(CNodeMenu& menu, const CDataFileDef& definition, int flags)
{
    switch (definition.GetFileNumber()) {
    case node_kind::kBookmarks:
        return &menu.AppendODMenu(definition.GetMenuName(), flags, menu_command::kNewBookmark,
                                  menu_picture::kBookmarks);
    case node_kind::kToDo:
        return &menu.AppendODMenu(definition.GetMenuName(), flags, menu_command::kNewToDo,
                                  menu_picture::kToDo);
    default:
        return nullptr;
    }
}

std::unique_ptr<CNodeMenu> BuildNewMenu(CTreeNode& element)
{
    auto menu = std::make_unique<CNodeMenu>();
    CCatalogueDb* catalogue = element.GetCatalogue();
    menu->AppendODMenu(LoadResString(kStringNewCatalogue), kMenuEnabled, menu_command::kNewCatalogue,
                       menu_picture::kCatalogue);
    menu->AppendODMenu(LoadResString(kStringNewFolder),
                       GreyedUnless(catalogue != nullptr && catalogue->IsAreaAllowed()),
                       menu_command::kNewFolder, menu_picture::kFolder);
    menu->AppendODMenu(LoadResString(kStringNewQuery), kMenuEnabled, menu_command::kNewQuery,
                       menu_picture::kQuery);
    menu->AppendODMenu(LoadResString(kStringNewList), kMenuEnabled, menu_command::kNewList,
                       menu_picture::kList);
    menu->AppendODMenu(LoadResString(kStringNewDataType), kMenuEnabled, menu_command::kNewDataType,
                       menu_picture::kDataType);
    if (catalogue == nullptr) {
        return menu;
    }
    bool separated = false;
    std::unique_ptr<CNodeMenu> tables;
    for (const CDataFileDef* definition : NewItemDataFiles(*catalogue)) {
        const int n = definition->GetFileNumber();
        const std::string& name = definition->GetMenuName();
        if (!definition->IsInMenu()) {
            if (tables == nullptr) {
                tables = std::make_unique<CNodeMenu>();
            }
            tables->AppendODMenu(name, kMenuEnabled, menu_command::kFirstNewOfKind + n, kNoPicture);
            continue;
        }
        if (!separated) {
            menu->AppendSeparator();
            separated = true;
        }
        if (AddNewBookmarkOrToDoItem(*menu, *definition, kMenuEnabled) == nullptr) {
            CNodeMenu::Entry& entry =
                menu->AppendODMenu(name, kMenuEnabled, menu_command::kFirstNewOfKind + n, kNoPicture);
            entry.catalogue = catalogue;
            entry.cataloguePicture = n;
        }
    }
    if (tables != nullptr) {
        menu->AppendPopup(LoadResString(kStringTable), kMenuEnabled, menu_picture::kTable, std::move(tables));
    }
    return menu;
}

void AddNewPopup(CNodeMenu& menu, CTreeNode& element)
{
    menu.AppendPopup(LoadResString(kStringNew), kMenuEnabled, menu_picture::kNew, BuildNewMenu(element));
}

CNodeMenu::Entry* AddNewOfKindItem(CNodeMenu& menu, CCatalogueDb& catalogue, int kind, int command,
                                   int picture, bool companion)
{
    const CDataFileDef* definition = catalogue.FindDefinition(kind);
    if (definition == nullptr || definition->GetMenuNameIfSet() == nullptr) {
        return nullptr;
    }
    CNodeMenu::Entry& entry =
        menu.AppendODMenu(FillTextPattern(LoadResString(kStringNewOfKind), definition->GetMenuName()),
                          kMenuEnabled, command, picture);
    if (companion) {
        entry.catalogue = &catalogue;
        entry.cataloguePicture = kind + 1000;
    }
    return &entry;
}

std::unique_ptr<CNodeMenu> BuildAddItemMenu(CCatalogueDb& catalogue,
                                            const std::function<bool(int dataFile)>& canAdd)
{
    static_assert(menu_command::kNewBookmark == menu_command::kFirstNewOfKind + node_kind::kBookmarks &&
                  menu_command::kNewToDo == menu_command::kFirstNewOfKind + node_kind::kToDo);
    auto menu = std::make_unique<CNodeMenu>();
    for (const CDataFileDef* definition : NewItemDataFiles(catalogue)) {
        if (!definition->IsInMenu()) {
            continue;
        }
        const int n = definition->GetFileNumber();
        const int flags = GreyedUnless(canAdd(n));
        if (AddNewBookmarkOrToDoItem(*menu, *definition, flags) == nullptr) {
            CNodeMenu::Entry* entry =
                AddNewOfKindItem(*menu, catalogue, n, menu_command::kFirstNewOfKind + n, kNoPicture, true);
            entry->greyed = flags == kMenuGreyed;
        }
    }
    return menu;
}
