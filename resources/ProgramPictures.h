#pragma once
// The program's pictures by their bitmap numbers: the tool bar's, the menus', the tree's and list's
// images and the list's overlays. A number names one picture, or a strip of pictures in which a command
// picks its own (the tool bar, the menus' command strip); a command the strip has no picture for gets
// the strip's first. Each picture is one of the SVG sources in resources/pictures; where the desktop's
// icon theme has the natural picture (folders, the wastebasket, search;
// the theme's arrows are drawn for a dark tool bar and vanish on a light one, so ours are used) the theme's
// icon is named too and shown instead when the theme has it.

#include <span>
#include <string_view>

namespace resources {

struct PictureEntry
{
    int number = 0;
    int command = 0;            // 0: the picture of the whole bitmap, or a strip's first
    std::string_view picture;   // the SVG source's name, without ".svg"
    std::string_view themeIcon; // a wxArtProvider id or icon-theme name; empty for none
};

// Every entry, the whole bitmaps' first.
std::span<const PictureEntry> AllPictureEntries();
// The entry of a bitmap number for a command (0: none); null when the number has no picture.
const PictureEntry* FindPicture(int number, int command = 0);
// The SVG source of a picture name; empty when there is none.
std::string_view PictureSvg(std::string_view name);
// Every picture name with a source.
std::span<const std::string_view> AllPictureNames();

} // namespace resources
