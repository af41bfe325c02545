#pragma once
// The tree's pictures: the image list of the tree pane (16 by 16, magenta transparent) and the table of
// 48 image kinds that the element tree's image values name (tree/base/ImageKinds.h). The pane builds it
// once; the address bar shares the pane's list, so a picture the pane adds at run time (an area's
// data-file picture, named by index + 1000) shows the same in both.

#include <wx/imaglist.h>

#include <array>
#include <memory>

class CCatalogueImage;

class CTreeImageTable
{
public:
    static constexpr int kKinds = 48;
    static constexpr int kSize = 16;

    CTreeImageTable();

    wxImageList& GetImageList() { return *m_images; }
    // The image-list index of an image kind; 0 for a kind without a picture.
    int IndexOfKind(int kind) const;
    // Adds a catalogue picture (magenta transparent); its index, or -1 when it cannot be drawn.
    int AddPicture(const CCatalogueImage& picture);

private:
    std::unique_ptr<wxImageList> m_images;
    std::array<int, kKinds> m_kinds{};
};

// The picture of one of the tree's bitmaps by its number, 16 by 16; invalid when there is none.
wxBitmap LoadTreeBitmap(int number);
