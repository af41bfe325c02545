#pragma once
// CNodeMenu: a node's menu as the nodes build it, without any window: its entries in order, each a
// command (text, command number, picture number, greyed, checked), a separator or a popup holding a
// menu of its own. The main window turns it into a real menu (mainwindow/menus); tests read it as it is.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CCatalogueDb;

// AppendODMenu's flags.
inline constexpr int kMenuEnabled = 0;
inline constexpr int kMenuGreyed = 1;
inline constexpr int kMenuChecked = 8;
// A picture number for an entry without a picture.
inline constexpr int kNoPicture = -1;

class CNodeMenu
{
public:
    enum class EntryKind
    {
        Command,
        Separator,
        Popup,
    };

    struct Entry
    {
        EntryKind kind = EntryKind::Command;
        std::string text;
        int command = 0;
        // A picture of the program's table (resources/ProgramPictures.h), or kNoPicture.
        int picture = kNoPicture;
        // A picture of the catalogue's own (its BMP row of this number) that stands in for `picture`
        // when the catalogue holds it; 0 for none.
        int cataloguePicture = 0;
        CCatalogueDb* catalogue = nullptr;
        bool greyed = false;
        bool checked = false;
        std::unique_ptr<CNodeMenu> popup;
    };

    // A command; a command number of 0 makes a separator whatever the text. `flags`: kMenuGreyed,
    // kMenuChecked.
    Entry& AppendODMenu(std::string_view text, int flags, int command, int picture);
    void AppendSeparator();
    // A popup holding `popup` (kept by this menu).
    CNodeMenu& AppendPopup(std::string_view text, int flags, int picture, std::unique_ptr<CNodeMenu> popup);
    void Clear() { m_entries.clear(); }

    const std::vector<Entry>& GetEntries() const { return m_entries; }
    bool IsEmpty() const { return m_entries.empty(); }
    // The entry of the command, here or in a popup (depth first); null when none.
    const Entry* FindCommand(int command) const;

private:
    std::vector<Entry> m_entries;
};
