#pragma once
// BCMenu: every menu of the program is a wx menu whose items carry a small picture beside their text,
// from the program's pictures (by bitmap number, the command picking its picture in a strip) or from a
// catalogue's own picture of a data file. Drawing, measuring and the mnemonic search are the toolkit's;
// BCMenu keeps what users see: which items, their order, pictures, greying, check marks and texts. A node
// menu (tree/menus) is turned into one by AppendNodeMenu. Popups are owned by their items, as wx does.
//
// GTK draws a check mark in place of an item's picture, so a checked item shows its check mark and no
// picture (the check mark is what tells the state).

#include <wx/menu.h>

#include <string>
#include <string_view>
#include <vector>

class CNodeMenu;
class CTreeNode;

// A separator and a greyed flag as the builders take them.
inline constexpr int kBCMenuGreyed = 1;
inline constexpr int kBCMenuChecked = 8;

class BCMenu : public wxMenu
{
public:
    BCMenu() = default;

    // Appends an item; a command id of 0 makes a separator whatever the text. A picture number of -1
    // means none.
    wxMenuItem* AppendODMenu(std::string_view text, int flags, int command, int picture);
    // Appends a popup (owned by its item) with its picture.
    wxMenuItem* AppendODPopup(std::string_view text, int flags, BCMenu* popup, int picture);
    // Appends every entry of a node menu, popups as BCMenus.
    void AppendNodeMenu(const CNodeMenu& menu);
    // Removes every item.
    void Clear();

    // wx takes item ids below 32767 only, and many of the program's commands lie above (Cut is 57635):
    // such a command gets an id of wx's own, reserved once, and the handler asks which command it is.
    static int ItemIdOf(int command);
    static int CommandOf(int itemId);
};

// The subclasses that build particular menus; their builders fill them from node menus.
class FieldMenu : public BCMenu
{
};
class FloatingMenu : public BCMenu
{
};
class SendMenuClass : public BCMenu
{
};
class PrintMenuClass : public BCMenu
{
};
class NewTableMenuClass : public BCMenu
{
};
// The "New" menu of an element: catalogue, folder, query, list, data type, the catalogue's data files
// offered in menus and, in its "Table" popup, the others.
class NewMenuClass : public BCMenu
{
public:
    // Empties the menu and fills it for the element.
    void Build(CTreeNode& element);
};
// The web views of an element's data file (`views`, as ListWebViews finds them) and "Manage Web Views".
class WebViewMenu : public BCMenu
{
public:
    WebViewMenu(CTreeNode* element, const std::vector<std::string>& views);
    bool HasWebViews() const { return m_hasWebViews; }

private:
    bool m_hasWebViews = false;
};
// The menu of the tool bar's View button: the list styles and the "Web &Views" popup (a WebViewMenu).
class WebViewPopupMenu : public BCMenu
{
public:
    WebViewPopupMenu(CTreeNode* element, const std::vector<std::string>& views);
};
class FileMenuClass : public BCMenu
{
};
class RClickMenuClass : public FileMenuClass
{
};
