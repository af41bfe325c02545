#include "mainwindow/menus/ViewMenus.h"

#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Settings.h"
#include "store/records/ItemSet.h"
#include "tree/base/TreeNode.h"

#include <string>

namespace {

constexpr unsigned kStringManageWebViews = 154;
constexpr unsigned kStringWebViews = 155;
constexpr int kLastWebView = 2200;

struct ListStyle
{
    unsigned text;
    int command;
    int picture;
    const char* word; // of the setting "ListIs"
};

constexpr ListStyle kListStyles[] = {
    {11001, view_menu::kLargeIcons, 169, "LARGE"},
    {11000, view_menu::kSmallIcons, 168, "SMALL"},
    {10314, view_menu::kList, 171, "LIST"},
    {11002, view_menu::kDetails, 170, "REPORT"},
};

} // namespace

std::unique_ptr<CNodeMenu> BuildWebViewMenu(CTreeNode* element, const std::vector<std::string>& views,
                                            bool& hasWebViews)
{
    auto menu = std::make_unique<CNodeMenu>();
    hasWebViews = false;
    CCatalogueDb* catalogue = element != nullptr ? element->GetCatalogue() : nullptr;
    if (catalogue != nullptr && element->GetItemSet() != nullptr) {
        const int kind = element->GetKind();
        const std::string standard = catalogue->GetDefaultTemplate(kind).value_or(std::string());
        const bool shown = GetSettingInt("WebViewIs", 0) != 0;
        int command = view_menu::kFirstWebView;
        for (const std::string& view : views) {
            if (command > kLastWebView) {
                break;
            }
            menu->AppendODMenu(view, shown && view == standard ? kMenuChecked : kMenuEnabled, command++,
                               kNoPicture);
            hasWebViews = true;
        }
    }
    if (hasWebViews) {
        menu->AppendSeparator();
    }
    menu->AppendODMenu(LoadResString(kStringManageWebViews), kMenuEnabled, view_menu::kManageWebViews,
                       kNoPicture);
    return menu;
}

std::unique_ptr<CNodeMenu> BuildWebViewPopupMenu(CTreeNode* element, const std::vector<std::string>& views)
{
    auto menu = std::make_unique<CNodeMenu>();
    const std::string listIs = GetSettingString("ListIs", "REPORT");
    for (const ListStyle& style : kListStyles) {
        menu->AppendODMenu(LoadResString(style.text), listIs == style.word ? kMenuChecked : kMenuEnabled,
                           style.command, style.picture);
    }
    bool hasWebViews = false;
    auto viewMenu = BuildWebViewMenu(element, views, hasWebViews);
    // A popup item shows no check mark on GTK; the checked view inside it tells the same.
    const int flags = (hasWebViews ? kMenuEnabled : kMenuGreyed) |
                      (GetSettingInt("WebViewIs", 0) != 0 ? kMenuChecked : kMenuEnabled);
    menu->AppendPopup(LoadResString(kStringWebViews), flags, kNoPicture, std::move(viewMenu));
    return menu;
}
