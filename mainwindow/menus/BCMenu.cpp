#include "mainwindow/menus/BCMenu.h"

#include "codecs/CatalogueImage.h"
#include "codecs/wx/ImgWxBitmap.h"
#include "mainwindow/common/ProgramPictures.h"
#include "mainwindow/menus/ViewMenus.h"
#include "store/catalogue/CatalogueDb.h"
#include "tree/menus/FileMenuItems.h"
#include "tree/menus/NodeMenu.h"

#include <wx/image.h>
#include <wx/windowid.h>

#include <map>

namespace {

wxString Text(std::string_view text)
{
    return wxString::FromUTF8(text.data(), text.size());
}

void SetPicture(wxMenuItem* item, int picture, int command)
{
    if (picture < 0) {
        return;
    }
    wxBitmapBundle bundle = ProgramPictureBundle(picture, command);
    if (bundle.IsOk()) {
        item->SetBitmap(bundle);
    }
}

constexpr int kHighestPlainId = 0x7ffe;

std::map<int, int>& IdsOfCommands()
{
    static std::map<int, int> ids;
    return ids;
}

} // namespace

int BCMenu::ItemIdOf(int command)
{
    if (command >= 0 && command <= kHighestPlainId) {
        return command;
    }
    auto [found, added] = IdsOfCommands().try_emplace(command, 0);
    if (added) {
        found->second = wxIdManager::ReserveId();
    }
    return found->second;
}

int BCMenu::CommandOf(int itemId)
{
    for (const auto& [command, id] : IdsOfCommands()) {
        if (id == itemId) {
            return command;
        }
    }
    return itemId;
}

wxMenuItem* BCMenu::AppendODMenu(std::string_view text, int flags, int command, int picture)
{
    if (command == 0) {
        return AppendSeparator();
    }
    const bool checked = (flags & kBCMenuChecked) != 0;
    wxMenuItem* item = new wxMenuItem(this, ItemIdOf(command), Text(text), wxString(),
                                      checked ? wxITEM_CHECK : wxITEM_NORMAL);
    if (!checked) {
        SetPicture(item, picture, command);
    }
    Append(item);
    if (checked) {
        item->Check(true);
    }
    item->Enable((flags & kBCMenuGreyed) == 0);
    return item;
}

wxMenuItem* BCMenu::AppendODPopup(std::string_view text, int flags, BCMenu* popup, int picture)
{
    wxMenuItem* item = new wxMenuItem(this, wxID_ANY, Text(text), wxString(), wxITEM_NORMAL, popup);
    SetPicture(item, picture, 0);
    Append(item);
    item->Enable((flags & kBCMenuGreyed) == 0);
    return item;
}

void BCMenu::AppendNodeMenu(const CNodeMenu& menu)
{
    for (const CNodeMenu::Entry& entry : menu.GetEntries()) {
        const int flags = (entry.greyed ? kBCMenuGreyed : 0) | (entry.checked ? kBCMenuChecked : 0);
        switch (entry.kind) {
        case CNodeMenu::EntryKind::Separator:
            AppendSeparator();
            break;
        case CNodeMenu::EntryKind::Popup: {
            auto* popup = new BCMenu; // owned by its item
            popup->AppendNodeMenu(*entry.popup);
            AppendODPopup(entry.text, flags, popup, entry.picture);
            break;
        }
        case CNodeMenu::EntryKind::Command: {
            wxMenuItem* item = AppendODMenu(entry.text, flags, entry.command, entry.picture);
            CCatalogueImage own;
            if (entry.catalogue != nullptr && entry.cataloguePicture > 0 && !entry.checked &&
                entry.catalogue->ReadImage(entry.cataloguePicture, own)) {
                // The catalogue's pictures are 16 by 16 with magenta as their transparent colour.
                wxImage image = GetHBitmap(own).ConvertToImage();
                if (image.IsOk()) {
                    image.SetMaskColour(255, 0, 255);
                    item->SetBitmap(wxBitmapBundle(wxBitmap(image.Rescale(16, 16, wxIMAGE_QUALITY_HIGH))));
                }
            }
            break;
        }
        }
    }
}

void BCMenu::Clear()
{
    while (GetMenuItemCount() > 0) {
        Destroy(FindItemByPosition(0));
    }
}

void NewMenuClass::Build(CTreeNode& element)
{
    Clear();
    AppendNodeMenu(*BuildNewMenu(element));
}

WebViewMenu::WebViewMenu(CTreeNode* element, const std::vector<std::string>& views)
{
    AppendNodeMenu(*BuildWebViewMenu(element, views, m_hasWebViews));
}

WebViewPopupMenu::WebViewPopupMenu(CTreeNode* element, const std::vector<std::string>& views)
{
    const std::unique_ptr<CNodeMenu> model = BuildWebViewPopupMenu(element, views);
    for (const CNodeMenu::Entry& entry : model->GetEntries()) {
        if (entry.kind == CNodeMenu::EntryKind::Popup) {
            AppendODPopup(entry.text, entry.greyed ? kBCMenuGreyed : 0, new WebViewMenu(element, views),
                          entry.picture);
        } else {
            AppendODMenu(entry.text, entry.checked ? kBCMenuChecked : 0, entry.command, entry.picture);
        }
    }
}
