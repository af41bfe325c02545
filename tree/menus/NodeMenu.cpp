#include "tree/menus/NodeMenu.h"

CNodeMenu::Entry& CNodeMenu::AppendODMenu(std::string_view text, int flags, int command, int picture)
{
    Entry& entry = m_entries.emplace_back();
    if (command == 0) {
        entry.kind = EntryKind::Separator;
        return entry;
    }
    entry.text = text;
    entry.command = command;
    entry.picture = picture;
    entry.greyed = (flags & kMenuGreyed) != 0;
    entry.checked = (flags & kMenuChecked) != 0;
    return entry;
}

void CNodeMenu::AppendSeparator()
{
    m_entries.emplace_back().kind = EntryKind::Separator;
}

CNodeMenu& CNodeMenu::AppendPopup(std::string_view text, int flags, int picture,
                                  std::unique_ptr<CNodeMenu> popup)
{
    Entry& entry = m_entries.emplace_back();
    entry.kind = EntryKind::Popup;
    entry.text = text;
    entry.picture = picture;
    entry.greyed = (flags & kMenuGreyed) != 0;
    entry.checked = (flags & kMenuChecked) != 0;
    entry.popup = popup != nullptr ? std::move(popup) : std::make_unique<CNodeMenu>();
    return *entry.popup;
}

const CNodeMenu::Entry* CNodeMenu::FindCommand(int command) const
{
    for (const Entry& entry : m_entries) {
        if (entry.kind == EntryKind::Command && entry.command == command) {
            return &entry;
        }
        if (entry.popup != nullptr) {
            if (const Entry* found = entry.popup->FindCommand(command)) {
                return found;
            }
        }
    }
    return nullptr;
}
