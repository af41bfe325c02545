#include "mainwindow/panes/tree/TreeImageTable.h"

#include "codecs/CatalogueImage.h"
#include "codecs/wx/ImgWxBitmap.h"

#include <wx/artprov.h>

namespace {

struct BitmapEntry
{
    int bitmap;
    int kind;
};

// The bitmaps in the order they go into the list, and the image kind each fills.
constexpr BitmapEntry kBitmaps[] = {
    {102, 23}, {105, 40},   {1013, 36},  {167, 37},   {114, 29},   {139, 30},   {123, 31}, {124, 32},
    {88, 26},  {31274, 47}, {31267, 46}, {31235, 39}, {126, 27},   {127, 28},   {104, 22}, {111, 38},
    {145, 21}, {185, 20},   {31237, 41}, {227, 44},   {31265, 45}, {31276, 35},
};

const wxColour kTransparent(255, 0, 255);

} // namespace

// The desktop theme's pictures stand in for the program's own tree pictures until those are drawn; this
// is the one place that names them.
wxBitmap LoadTreeBitmap(int number)
{
    wxArtID art;
    switch (number) {
    case 102:
        art = wxART_NORMAL_FILE;
        break; // record, open
    case 105:
        art = wxART_NORMAL_FILE;
        break; // record
    case 1013:
        art = wxART_FIND;
        break; // stored query, open
    case 167:
        art = wxART_FIND;
        break; // stored query
    case 114:
        art = wxART_HARDDISK;
        break; // catalogue, open
    case 139:
        art = wxART_HARDDISK;
        break; // catalogue
    case 123:
        art = wxART_FOLDER_OPEN;
        break;
    case 124:
        art = wxART_FOLDER;
        break;
    case 88:
        art = wxART_DELETE;
        break; // wastebasket holding entries
    case 31274:
        art = wxART_LIST_VIEW;
        break;
    case 31267:
        art = wxART_REPORT_VIEW;
        break;
    case 31235:
        art = wxART_CROSS_MARK;
        break; // empty wastebasket
    case 126:
        art = wxART_FOLDER_OPEN;
        break;
    case 127:
        art = wxART_FOLDER;
        break;
    case 104:
        art = wxART_REPORT_VIEW;
        break; // tables
    case 111:
        art = wxART_HELP_BOOK;
        break;
    case 145:
        art = wxART_REPORT_VIEW;
        break; // tables, open
    case 185:
        art = wxART_ADD_BOOKMARK;
        break; // bookmarks
    case 31237:
        art = wxART_TICK_MARK;
        break; // to-do
    case 227:
        art = wxART_EXECUTABLE_FILE;
        break; // shopping cart and orders
    case 31265:
        art = wxART_LIST_VIEW;
        break;
    case 31276:
        art = wxART_GO_HOME;
        break; // the root element
    default:
        return wxNullBitmap;
    }
    return wxArtProvider::GetBitmap(art, wxART_OTHER, wxSize(CTreeImageTable::kSize, CTreeImageTable::kSize));
}

CTreeImageTable::CTreeImageTable() : m_images(std::make_unique<wxImageList>(kSize, kSize, true, 25))
{
    for (const BitmapEntry& entry : kBitmaps) {
        wxBitmap bitmap = LoadTreeBitmap(entry.bitmap);
        if (!bitmap.IsOk()) {
            continue; // the kind keeps its entry
        }
        if (bitmap.GetWidth() != kSize || bitmap.GetHeight() != kSize) {
            bitmap = wxBitmap(bitmap.ConvertToImage().Rescale(kSize, kSize, wxIMAGE_QUALITY_HIGH));
        }
        const int index = bitmap.GetMask() != nullptr || bitmap.HasAlpha()
                              ? m_images->Add(bitmap)
                              : m_images->Add(bitmap, kTransparent);
        if (index >= 0) {
            m_kinds[entry.kind] = index;
        }
    }
}

int CTreeImageTable::IndexOfKind(int kind) const
{
    return kind >= 0 && kind < kKinds ? m_kinds[kind] : 0;
}

int CTreeImageTable::AddPicture(const CCatalogueImage& picture)
{
    wxImage image = ImgToWxImage(picture);
    if (!image.IsOk()) {
        return -1;
    }
    if (image.GetWidth() != kSize || image.GetHeight() != kSize) {
        image.Rescale(kSize, kSize, wxIMAGE_QUALITY_HIGH);
    }
    image.SetMaskColour(255, 0, 255);
    return m_images->Add(wxBitmap(image));
}
