#include "mainwindow/common/ProgramPictures.h"

#include "resources/ProgramPictures.h"

#include <wx/artprov.h>

#include <string>

wxBitmapBundle ProgramPictureBundle(int number, int command, int size)
{
    const resources::PictureEntry* entry = resources::FindPicture(number, command);
    if (entry == nullptr) {
        return {};
    }
    if (!entry->themeIcon.empty()) {
        wxBitmapBundle themed = wxArtProvider::GetBitmapBundle(
            wxString::FromUTF8(entry->themeIcon.data(), entry->themeIcon.size()), wxART_MENU,
            wxSize(size, size));
        if (themed.IsOk()) {
            return themed;
        }
    }
    const std::string_view svg = resources::PictureSvg(entry->picture);
    if (svg.empty()) {
        return {};
    }
    return wxBitmapBundle::FromSVG(std::string(svg).c_str(), wxSize(size, size));
}
