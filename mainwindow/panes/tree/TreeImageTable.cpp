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
    struct StandIn
    {
        int bitmap;
        const char* art;
    };
    static const StandIn kStandIns[] = {
        {102, wxART_FOLDER_OPEN},     // folder, open
        {105, wxART_FOLDER},          // folder
        {1013, wxART_FIND},           // stored query, open
        {167, wxART_FIND},            // stored query
        {114, wxART_HARDDISK},        // catalogue, open
        {139, wxART_HARDDISK},        // catalogue
        {123, wxART_NORMAL_FILE},     // card file
        {124, wxART_NORMAL_FILE},     // card file, open
        {88, wxART_DELETE},           // wastebasket holding entries
        {31274, wxART_LIST_VIEW},     // past orders
        {31267, wxART_REPORT_VIEW},   // shop item
        {31235, wxART_CROSS_MARK},    // empty wastebasket
        {126, wxART_NORMAL_FILE},     // document
        {127, wxART_NORMAL_FILE},     // document, open
        {104, wxART_REPORT_VIEW},     // tables
        {111, wxART_HELP_BOOK},       // item list
        {145, wxART_REPORT_VIEW},     // tables, open
        {185, wxART_ADD_BOOKMARK},    // bookmarks
        {31237, wxART_TICK_MARK},     // to-do
        {227, wxART_EXECUTABLE_FILE}, // shopping cart
        {31265, wxART_LIST_VIEW},     // shop
        {31276, wxART_GO_HOME},       // the root element
    };
    for (const StandIn& standIn : kStandIns) {
        if (standIn.bitmap == number) {
            return wxArtProvider::GetBitmap(standIn.art, wxART_OTHER,
                                            wxSize(CTreeImageTable::kSize, CTreeImageTable::kSize));
        }
    }
    return wxNullBitmap;
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
