#include "resources/ProgramPictures.h"

#include <algorithm>
#include <array>

namespace resources {

namespace {

constexpr std::string_view kFolderIcon = "wxART_FOLDER";
constexpr std::string_view kFolderOpenIcon = "wxART_FOLDER_OPEN";
constexpr std::string_view kTrashIcon = "user-trash";
constexpr std::string_view kTrashFullIcon = "user-trash-full";

// Tool-bar strips (normal and hot): back, forward, up, search, cut, copy, paste, delete, properties, view.
#define LUMARC_TOOLBAR_STRIP(n)                                                                              \
    {n, 0, "action", {}}, {n, 24129, "back", {}}, {n, 24140, "forward", {}}, {n, 133, "up", {}},             \
        {n, 1324, "query", "wxART_FIND"}, {n, 57635, "cut", {}}, {n, 57634, "copy", {}},                     \
        {n, 57637, "paste", {}}, {n, 1011, "delete", {}}, {n, 1013, "properties", {}},                       \
    {                                                                                                        \
        n, 1135, "view", {}                                                                                  \
    }

constexpr PictureEntry kEntries[] = {
    // tree and list images (small, large)
    {101, 0, "item", {}},
    {103, 0, "item", {}},
    {102, 0, "document-open", kFolderOpenIcon},
    {105, 0, "document", kFolderIcon},
    {1000, 0, "document", kFolderIcon},
    {1013, 0, "query-open", {}},
    {167, 0, "query", {}},
    {1011, 0, "query", {}},
    {114, 0, "catalogue", {}},
    {139, 0, "catalogue-closed", {}},
    {31246, 0, "catalogue-closed", {}},
    {123, 0, "card-file", {}},
    {124, 0, "card-file-open", {}},
    {1010, 0, "card-file-open", {}},
    {88, 0, "delete", kTrashFullIcon},
    {31249, 0, "delete", kTrashFullIcon},
    {31235, 0, "delete", kTrashIcon},
    {31250, 0, "delete", kTrashIcon},
    {126, 0, "document", {}},
    {127, 0, "document-open", {}},
    {104, 0, "tables", {}},
    {1009, 0, "tables", {}},
    {145, 0, "tables-open", {}},
    {111, 0, "item-list", {}},
    {31234, 0, "item-list", {}},
    {185, 0, "bookmarks", {}},
    {186, 0, "bookmarks", {}},
    {31237, 0, "to-do", {}},
    {31238, 0, "to-do", {}},
    {31276, 0, "root", {}},
    {227, 0, "cart", {}},
    {31263, 0, "cart", {}},
    {31265, 0, "shop", {}},
    {31264, 0, "shop", {}},
    {31267, 0, "shop-item", {}},
    {31266, 0, "shop-item", {}},
    {31274, 0, "past-orders", {}},
    {31275, 0, "past-orders", {}},
    // list overlays 1 to 4 (small, large)
    {192, 0, "overlay-link", {}},
    {31239, 0, "overlay-link", {}},
    {31243, 0, "overlay-owned", {}},
    {31242, 0, "overlay-owned", {}},
    {31240, 0, "overlay-wanted", {}},
    {31241, 0, "overlay-wanted", {}},
    {31259, 0, "overlay-deleted", {}},
    {31260, 0, "overlay-deleted", {}},
    // menu pictures
    {154, 0, "new", {}},
    {155, 0, "print", {}},
    {156, 0, "mail", {}},
    {157, 0, "cut", {}},
    {158, 0, "copy", {}},
    {159, 0, "paste", {}},
    {161, 0, "delete", {}},
    {162, 0, "telephone", {}},
    {163, 0, "properties", {}},
    {164, 0, "help", {}},
    {165, 0, "query", {}},
    {166, 0, "web-page", {}},
    {168, 0, "small-icons", {}},
    {169, 0, "large-icons", {}},
    {170, 0, "details", {}},
    {171, 0, "list-view", {}},
    {198, 0, "save-search", {}},
    {31244, 0, "fax", {}},
    {31248, 0, "data-type", {}},
    {31261, 0, "open", {}},
    {31277, 0, "shift-down", {}},
    {31278, 0, "shift-up", {}},
    // the menus' command strip
    {31262, 0, "action", {}},
    {31262, 1014, "duplicate", {}},
    {31262, 1033, "rename", {}},
    {31262, 1124, "index-cards", {}},
    {31262, 1128, "report", {}},
    {31262, 32841, "order", {}},
    {31262, 1037, "open", {}},
    // the tool bar
    LUMARC_TOOLBAR_STRIP(146),
    LUMARC_TOOLBAR_STRIP(147),
};

#undef LUMARC_TOOLBAR_STRIP

} // namespace

std::span<const PictureEntry> AllPictureEntries()
{
    return kEntries;
}

const PictureEntry* FindPicture(int number, int command)
{
    const PictureEntry* whole = nullptr;
    for (const PictureEntry& entry : kEntries) {
        if (entry.number != number) {
            continue;
        }
        if (command != 0 && entry.command == command) {
            return &entry;
        }
        if (entry.command == 0 && whole == nullptr) {
            whole = &entry;
        }
    }
    return whole;
}

} // namespace resources
