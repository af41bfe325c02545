#pragma once
// The pictures of the content list: a small (16 by 16) and a large (32 by 32) image list filled in
// step, so one index names the same element picture in both, a table from element image numbers to
// those indexes, and the pictures the list composes for its rows: a row's picture with its overlay (1 to
// 4) drawn over it, and the check box of "Own It?" cells and button fields, checked or not.
//
// wxListCtrl draws neither overlays nor check boxes, so both are composed once per picture and kept in
// the lists; the virtual report view then only hands out indexes.

#include <wx/bitmap.h>
#include <wx/imaglist.h>

#include <array>
#include <map>
#include <memory>
#include <utility>

class CCatalogueDb;
class wxWindow;

// The program's numbered bitmaps (the pictures the element images, overlays and check boxes are drawn
// from). The program installs its own; without one, stock pictures of the toolkit stand in.
class CListBitmapSource
{
public:
    virtual ~CListBitmapSource() = default;
    // The bitmap of that number at the size (16 or 32); wxNullBitmap when there is none.
    virtual wxBitmap GetBitmap(int number, int size) = 0;
};
void SetListBitmapSource(CListBitmapSource* source);

class CListImages
{
public:
    static constexpr int kSmall = 16;
    static constexpr int kLarge = 32;
    static constexpr int kImageNumbers = 99;

    CListImages();
    // Fills both lists for the catalogue (its data-file pictures 1 to 18), the large pictures centred on
    // tiles of `tile` (the record pictures' size in the large-icon view of a data file that shows them);
    // nothing when it is the one they were built for.
    void BuildFor(CCatalogueDb* catalogue, wxSize tile = wxSize(kLarge, kLarge));
    bool IsBuiltFor(CCatalogueDb* catalogue, wxSize tile = wxSize(kLarge, kLarge)) const
    {
        return m_built && m_catalogue == catalogue && m_tile == tile;
    }
    wxSize GetTile() const { return m_tile; }

    wxImageList* GetSmall() { return m_small.get(); }
    wxImageList* GetLarge() { return m_large.get(); }

    // The index of an element image number (0 to 98); -1 when it has no picture.
    int IndexOf(int imageNumber) const;
    // The index of the picture with the overlay (1 to 4) drawn over it, composed on first use; the
    // plain picture for overlay 0.
    int WithOverlay(int index, int overlay);
    // The check box picture, checked or not, drawn by the toolkit's renderer for the window.
    int CheckBox(wxWindow* window, bool checked);
    // The image number of a record of the kind: kinds 1 to 19, 24 and 25 their own, 22 the item-list
    // picture (38), 21 none (-1), others 19.
    static int ImageNumberOfKind(int kind);

    // A record's picture as a tile of the large list (and its data file's small picture in the small
    // one), made once per record (by its key code) and kept until the lists are built again: a
    // picture of 16 by 16 (a placeholder) gives the data file's own large picture, another is scaled
    // to fit the tile. -1 when the record's picture has not been made yet.
    int PictureOf(double code) const;
    int AddPicture(double code, int kind, const wxBitmap& picture);
    // The records' pictures are made again from the catalogue on their next use (the lists are built
    // anew, so the tiles made so far do not pile up).
    void ForgetPictures()
    {
        if (!m_pictures.empty()) {
            m_built = false;
        }
    }

private:
    void Add(int imageNumber, const wxBitmap& large, const wxBitmap& small);

    std::unique_ptr<wxImageList> m_small;
    std::unique_ptr<wxImageList> m_large;
    std::array<int, kImageNumbers> m_table{};
    std::map<std::pair<int, int>, int> m_overlaid;
    std::map<double, int> m_pictures;
    wxSize m_tile{kLarge, kLarge};
    int m_checked = -1;
    int m_unchecked = -1;
    CCatalogueDb* m_catalogue = nullptr;
    bool m_built = false;
};
