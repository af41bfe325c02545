#include "mainwindow/commands/FrameMenu.h"

#include "mainwindow/commands/CommandIds.h"
#include "mainwindow/common/ProgramPictures.h"
#include "mainwindow/menus/BCMenu.h"
#include "resources/XrcResources.h"

#include <wx/menu.h>
#include <wx/xml/xml.h>
#include <wx/xrc/xmlres.h>

#include <map>
#include <string>

using namespace frame_command;

namespace {

// The pictures beside the frame's commands.
const std::map<int, int>& CommandPictures()
{
    static const std::map<int, int> pictures = {
        {kSaveSearch, 198},  {kLargeIcons, 169},   {kSmallIcons, 168}, {kListStyle, 171},
        {kDetails, 170},     {kHelp, 164},         {kTelephone, 162},  {kProperties, 163},
        {kSendFax, 31244},   {kAdvancedFind, 165}, {kSendMail, 156},   {kDelete, 161},
        {kGoToWebPage, 166}, {kCut, 157},          {kPaste, 159},      {kCopy, 158},
    };
    return pictures;
}

// The pictures beside popups, by the popup's XRC name.
int PopupPicture(const wxString& name)
{
    if (name == "SendTo") {
        return 156;
    }
    if (name == "Print") {
        return 155;
    }
    return -1;
}

wxString ChildText(const wxXmlNode* node, const wxString& name)
{
    for (const wxXmlNode* child = node->GetChildren(); child != nullptr; child = child->GetNext()) {
        if (child->GetName() == name) {
            wxString text = child->GetNodeContent();
            text.Replace("\\t", "\t");
            return text;
        }
    }
    return {};
}

void FillMenu(BCMenu& menu, const wxXmlNode* node)
{
    for (const wxXmlNode* child = node->GetChildren(); child != nullptr; child = child->GetNext()) {
        if (child->GetName() != "object") {
            continue;
        }
        const wxString kind = child->GetAttribute("class");
        if (kind == "separator") {
            menu.AppendSeparator();
        } else if (kind == "wxMenu") {
            auto* popup = new BCMenu;
            FillMenu(*popup, child);
            menu.AppendODPopup(ChildText(child, "label").utf8_string(), 0, popup,
                               PopupPicture(child->GetAttribute("name")));
        } else if (kind == "wxMenuItem") {
            long command = 0;
            child->GetAttribute("name").ToLong(&command);
            const wxString label = ChildText(child, "label");
            if (ChildText(child, "radio") == "1" || ChildText(child, "checkable") == "1") {
                // GTK draws the mark where the picture would be: these items show their mark.
                menu.Append(new wxMenuItem(&menu, BCMenu::ItemIdOf(static_cast<int>(command)), label,
                                           wxString(),
                                           ChildText(child, "radio") == "1" ? wxITEM_RADIO : wxITEM_CHECK));
                continue;
            }
            const auto picture = CommandPictures().find(static_cast<int>(command));
            menu.AppendODMenu(label.utf8_string(), 0, static_cast<int>(command),
                              picture != CommandPictures().end() ? picture->second : -1);
        }
    }
}

} // namespace

wxMenuBar* BuildFrameMenu(bool findMode)
{
    resources::LoadXrcResources();
    const wxXmlNode* bar = wxXmlResource::Get()->GetResourceNode(findMode ? "180" : "128");
    auto* menuBar = new wxMenuBar;
    if (bar == nullptr) {
        return menuBar;
    }
    for (const wxXmlNode* child = bar->GetChildren(); child != nullptr; child = child->GetNext()) {
        if (child->GetName() != "object" || child->GetAttribute("class") != "wxMenu") {
            continue;
        }
        auto* menu = new BCMenu;
        FillMenu(*menu, child);
        menuBar->Append(menu, ChildText(child, "label"));
    }
    return menuBar;
}

std::vector<wxAcceleratorEntry> LoadAcceleratorEntries(std::string_view table)
{
    struct Key
    {
        int flags;
        int key;
        int command;
    };
    // Keys that text fields need (Delete, Tab, the clipboard keys, Enter) are left to the panes, which
    // run the commands themselves when they have the focus: a frame accelerator would take the key
    // from the address bar and the in-place editors.
    static const Key kFrame[] = {
        {wxACCEL_CTRL, 'F', kQuickSearch},
        {wxACCEL_NORMAL, WXK_F2, kRename},
        {wxACCEL_ALT, WXK_RETURN, kProperties},
        {wxACCEL_NORMAL, WXK_F4, kGoToWebPage},
        {wxACCEL_NORMAL, WXK_F5, kRefresh},
        {wxACCEL_NORMAL, WXK_F7, kTelephone},
        {wxACCEL_NORMAL, WXK_F8, kAddToMyCatalogue},
        {wxACCEL_NORMAL, WXK_F9, kAddToWantList},
        {wxACCEL_NORMAL, WXK_F11, kDuplicate},
        {wxACCEL_ALT, WXK_LEFT, kFirstBack},
        {wxACCEL_ALT, WXK_RIGHT, kFirstForward},
        {wxACCEL_ALT, WXK_UP, kUp},
        {wxACCEL_CTRL | wxACCEL_SHIFT, WXK_PAGEUP, kIconsN},
        {wxACCEL_CTRL | wxACCEL_SHIFT, WXK_PAGEDOWN, kIconsN1},
    };
    static const Key kFind[] = {
        {wxACCEL_ALT, 'D', 103},      {wxACCEL_ALT, 'T', 320},
        {wxACCEL_ALT, 'C', 321},      {wxACCEL_ALT, 'M', 322},
        {wxACCEL_ALT, 'O', 323},      {wxACCEL_ALT, 'I', kFindRun},
        {wxACCEL_ALT, 'N', kFindNew}, {wxACCEL_NORMAL, WXK_F5, kRefresh},
    };
    static const Key kRecordForm[] = {
        {wxACCEL_NORMAL, WXK_F4, kGoToWebPage},
        {wxACCEL_NORMAL, WXK_F7, kTelephone},
        {wxACCEL_NORMAL, WXK_F8, kAddToMyCatalogue},
        {wxACCEL_NORMAL, WXK_F9, kAddToWantList},
    };
    std::vector<wxAcceleratorEntry> entries;
    const auto add = [&entries](const auto& keys) {
        for (const Key& key : keys) {
            entries.emplace_back(key.flags, key.key, BCMenu::ItemIdOf(key.command));
        }
    };
    if (table == "129") {
        add(kFrame);
    } else if (table == "130") {
        add(kFind);
    } else if (table == "AccTable") {
        add(kRecordForm);
    }
    return entries;
}

wxAcceleratorTable LoadAcceleratorTable(std::string_view table)
{
    std::vector<wxAcceleratorEntry> entries = LoadAcceleratorEntries(table);
    return wxAcceleratorTable(static_cast<int>(entries.size()), entries.data());
}
