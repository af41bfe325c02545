#pragma once
// The menu of the tool bar's View button as window-free models: the four list styles and the "Web &Views"
// popup with the web views of the selected element's data file. WebViewPopupMenu and WebViewMenu
// (BCMenu.h) turn them into wx menus.

#include "tree/menus/NodeMenu.h"

#include <memory>
#include <string>
#include <vector>

class CTreeNode;

namespace view_menu {
inline constexpr int kLargeIcons = 59409;
inline constexpr int kSmallIcons = 59408;
inline constexpr int kList = 59410;
inline constexpr int kDetails = 59411;
inline constexpr int kFirstWebView = 2100;
inline constexpr int kManageWebViews = 32789;
} // namespace view_menu

// `views`: the names of the web views of the element's data file, in tree order (the caller finds them
// with ListWebViews of mainwindow/dialogs).
//
// The views (commands 2100, 2101, ...), the data file's default one checked while "WebViewIs" is set; a
// separator after them, then "Manage Web Views". `hasWebViews` tells whether there was any. Without an
// element holding items only "Manage Web Views" is there.
std::unique_ptr<CNodeMenu> BuildWebViewMenu(CTreeNode* element, const std::vector<std::string>& views,
                                            bool& hasWebViews);
// The list styles, the one "ListIs" names checked, then the popup "Web &Views", greyed when the element's
// data file has no web view.
std::unique_ptr<CNodeMenu> BuildWebViewPopupMenu(CTreeNode* element, const std::vector<std::string>& views);
