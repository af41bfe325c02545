#include "mainwindow/panes/list/ListImages.h"

#include "codecs/CatalogueImage.h"
#include "codecs/wx/ImgWxBitmap.h"
#include "store/catalogue/CatalogueDb.h"

#include <wx/artprov.h>
#include <wx/dcmemory.h>
#include <wx/renderer.h>

#include <algorithm>

namespace {

CListBitmapSource* g_source = nullptr;

const wxColour kTransparent(255, 0, 255);

// The element image numbers that are not a data file's own picture, with the program's bitmap numbers
// of their large and small pictures.
struct ImageRow
{
    int imageNumber;
    int large;
    int small;
};
constexpr ImageRow kImageRows[] = {
    {19, 101, 103},     {20, 186, 185},     {22, 1009, 104},    {24, 186, 185},   {25, 31238, 31237},
    {26, 31249, 88},    {30, 31246, 139},   {32, 1010, 124},    {37, 1011, 167},  {38, 31234, 111},
    {39, 31250, 31235}, {40, 1000, 105},    {41, 31238, 31237}, {44, 31263, 227}, {45, 31264, 31265},
    {46, 31266, 31267}, {47, 31275, 31274},
};
// Small and large bitmaps of the overlays 1 to 4.
constexpr std::pair<int, int> kOverlays[] = {{192, 31239}, {31243, 31242}, {31240, 31241}, {31259, 31260}};

// What stands in for an element picture while the program has no bitmap of that number.
wxArtID StockArtFor(int imageNumber)
{
    switch (imageNumber) {
    case 20:
    case 24:
        return wxART_ADD_BOOKMARK;
    case 22:
    case 38:
        return wxART_LIST_VIEW;
    case 25:
    case 41:
        return wxART_TICK_MARK;
    case 26:
    case 39:
        return wxART_DELETE;
    case 30:
        return wxART_HARDDISK;
    case 32:
        return wxART_REPORT_VIEW;
    case 37:
        return wxART_FIND;
    case 40:
        return wxART_FOLDER;
    case 44:
    case 45:
    case 46:
    case 47:
        return wxART_EXECUTABLE_FILE;
    default:
        return wxART_NORMAL_FILE;
    }
}

// The bitmap at exactly size by size: smaller ones centred on a transparent tile, larger ones scaled.
wxBitmap Fit(const wxBitmap& bitmap, int size)
{
    if (!bitmap.IsOk()) {
        return bitmap;
    }
    if (bitmap.GetWidth() == size && bitmap.GetHeight() == size) {
        return bitmap;
    }
    wxImage image = bitmap.ConvertToImage();
    if (image.GetWidth() > size || image.GetHeight() > size) {
        image.Rescale(size, size, wxIMAGE_QUALITY_HIGH);
        return wxBitmap(image);
    }
    image.Resize(wxSize(size, size), wxPoint((size - image.GetWidth()) / 2, (size - image.GetHeight()) / 2),
                 255, 0, 255);
    if (!image.HasAlpha()) {
        image.SetMaskColour(255, 0, 255);
    }
    return wxBitmap(image);
}

// The picture centred on a tile of the size, what it leaves free transparent (through the alpha
// channel, which the list draws whatever the picture's own transparency was).
wxImage Centred(const wxImage& picture, wxSize tile)
{
    wxImage result(tile);
    result.InitAlpha();
    std::fill(result.GetAlpha(), result.GetAlpha() + tile.x * tile.y, 0);
    const int left = (tile.x - picture.GetWidth()) / 2;
    const int top = (tile.y - picture.GetHeight()) / 2;
    for (int y = std::max(0, -top); y < picture.GetHeight() && top + y < tile.y; ++y) {
        for (int x = std::max(0, -left); x < picture.GetWidth() && left + x < tile.x; ++x) {
            unsigned char alpha = picture.HasAlpha() ? picture.GetAlpha(x, y) : 255;
            if (picture.HasMask() && picture.GetRed(x, y) == picture.GetMaskRed() &&
                picture.GetGreen(x, y) == picture.GetMaskGreen() &&
                picture.GetBlue(x, y) == picture.GetMaskBlue()) {
                alpha = 0;
            }
            result.SetRGB(left + x, top + y, picture.GetRed(x, y), picture.GetGreen(x, y),
                          picture.GetBlue(x, y));
            result.SetAlpha(left + x, top + y, alpha);
        }
    }
    return result;
}

// The picture scaled by the factor (at least a pixel each way).
wxImage Scaled(wxImage image, double factor)
{
    if (factor != 1.0) {
        image.Rescale(std::max(1, static_cast<int>(image.GetWidth() * factor)),
                      std::max(1, static_cast<int>(image.GetHeight() * factor)), wxIMAGE_QUALITY_HIGH);
    }
    return image;
}

double FitFactor(const wxImage& image, wxSize tile)
{
    return std::min(static_cast<double>(tile.x) / image.GetWidth(),
                    static_cast<double>(tile.y) / image.GetHeight());
}

// The bitmap centred on a transparent tile of another size (the large pictures of a list whose tiles
// are the record pictures' size), shrunk to it when larger.
wxBitmap OnTile(const wxBitmap& bitmap, wxSize tile)
{
    if (!bitmap.IsOk() || bitmap.GetSize() == tile) {
        return bitmap;
    }
    const wxImage image = bitmap.ConvertToImage();
    return wxBitmap(Centred(Scaled(image, std::min(1.0, FitFactor(image, tile))), tile));
}

wxBitmap ProgramBitmap(int number, int size, int imageNumber)
{
    wxBitmap bitmap = g_source != nullptr ? g_source->GetBitmap(number, size) : wxNullBitmap;
    if (!bitmap.IsOk()) {
        bitmap = wxArtProvider::GetBitmap(StockArtFor(imageNumber), wxART_LIST, wxSize(size, size));
    }
    return Fit(bitmap, size);
}

wxBitmap CatalogueBitmap(CCatalogueDb* catalogue, int number, int size)
{
    if (catalogue == nullptr) {
        return wxNullBitmap;
    }
    CCatalogueImage picture;
    try {
        if (!catalogue->ReadImage(number, picture)) {
            return wxNullBitmap;
        }
        return Fit(GetHBitmap(picture), size);
    } catch (const std::exception&) {
        return wxNullBitmap;
    }
}

// Stands in for an overlay bitmap the program does not have: a small mark in the bottom-left corner.
wxBitmap StockOverlay(int overlay, int size)
{
    static const wxColour kColours[] = {wxColour(128, 128, 128), wxColour(0, 150, 0), wxColour(0, 90, 200),
                                        wxColour(230, 120, 0)};
    wxImage image(size, size);
    image.InitAlpha();
    unsigned char* alpha = image.GetAlpha();
    std::fill(alpha, alpha + size * size, 0);
    const wxColour colour = kColours[overlay - 1];
    const int mark = size / 3;
    for (int y = size - mark; y < size; ++y) {
        for (int x = 0; x < mark; ++x) {
            image.SetRGB(x, y, colour.Red(), colour.Green(), colour.Blue());
            image.SetAlpha(x, y, 255);
        }
    }
    return wxBitmap(image);
}

wxBitmap Overlaid(const wxBitmap& base, int overlay, int size)
{
    // On a tile of another size the mark stands at its bottom-right corner, 2 pixels in from the right
    // and 1 from the bottom.
    const int left = base.GetWidth() == size ? 0 : std::max(0, base.GetWidth() - size - 2);
    const int top = base.GetHeight() == size ? 0 : std::max(0, base.GetHeight() - size - 1);
    const auto [smallNumber, largeNumber] = kOverlays[overlay - 1];
    wxBitmap mark = g_source != nullptr
                        ? g_source->GetBitmap(size == CListImages::kSmall ? smallNumber : largeNumber, size)
                        : wxNullBitmap;
    if (!mark.IsOk()) {
        mark = StockOverlay(overlay, size);
    }
    wxImage image = base.ConvertToImage();
    if (!image.HasAlpha()) {
        image.InitAlpha();
    }
    const wxImage over = Fit(mark, size).ConvertToImage();
    for (int y = 0; y < size && top + y < image.GetHeight(); ++y) {
        for (int x = 0; x < size && left + x < image.GetWidth(); ++x) {
            const bool opaque = over.HasAlpha()
                                    ? over.GetAlpha(x, y) > 127
                                    : !(over.HasMask() && over.GetRed(x, y) == over.GetMaskRed() &&
                                        over.GetGreen(x, y) == over.GetMaskGreen() &&
                                        over.GetBlue(x, y) == over.GetMaskBlue());
            if (opaque) {
                image.SetRGB(left + x, top + y, over.GetRed(x, y), over.GetGreen(x, y), over.GetBlue(x, y));
                image.SetAlpha(left + x, top + y, 255);
            }
        }
    }
    return wxBitmap(image);
}

} // namespace

void SetListBitmapSource(CListBitmapSource* source)
{
    g_source = source;
}

CListImages::CListImages()
{
    m_table.fill(-1);
}

void CListImages::Add(int imageNumber, const wxBitmap& large, const wxBitmap& small)
{
    if (!large.IsOk() || !small.IsOk()) {
        return;
    }
    m_large->Add(OnTile(large, m_tile), kTransparent);
    m_table[imageNumber] = m_small->Add(small, kTransparent);
}

void CListImages::BuildFor(CCatalogueDb* catalogue, wxSize tile)
{
    if (IsBuiltFor(catalogue, tile)) {
        return;
    }
    m_tile = tile;
    m_small = std::make_unique<wxImageList>(kSmall, kSmall, true, 100);
    m_large = std::make_unique<wxImageList>(tile.x, tile.y, true, 100);
    m_table.fill(-1);
    m_overlaid.clear();
    m_pictures.clear();
    m_checked = m_unchecked = -1;
    // A data file's own pictures need both its picture and the companion one.
    for (int number = 1; number <= 18; ++number) {
        Add(number, CatalogueBitmap(catalogue, number, kLarge),
            CatalogueBitmap(catalogue, number + 1000, kSmall));
    }
    for (const ImageRow& row : kImageRows) {
        Add(row.imageNumber, ProgramBitmap(row.large, kLarge, row.imageNumber),
            ProgramBitmap(row.small, kSmall, row.imageNumber));
    }
    // Data files without pictures of their own show as the picture of every other kind.
    for (int number = 1; number <= 18; ++number) {
        if (m_table[number] < 0) {
            m_table[number] = m_table[19];
        }
    }
    m_catalogue = catalogue;
    m_built = true;
}

int CListImages::IndexOf(int imageNumber) const
{
    return imageNumber >= 0 && imageNumber < kImageNumbers ? m_table[imageNumber] : -1;
}

int CListImages::WithOverlay(int index, int overlay)
{
    if (overlay < 1 || overlay > 4 || index < 0 || m_small == nullptr) {
        return index;
    }
    const auto found = m_overlaid.find({index, overlay});
    if (found != m_overlaid.end()) {
        return found->second;
    }
    m_large->Add(Overlaid(m_large->GetBitmap(index), overlay, kLarge), kTransparent);
    const int made = m_small->Add(Overlaid(m_small->GetBitmap(index), overlay, kSmall));
    m_overlaid[{index, overlay}] = made;
    return made;
}

int CListImages::CheckBox(wxWindow* window, bool checked)
{
    int& index = checked ? m_checked : m_unchecked;
    if (index >= 0 || m_small == nullptr) {
        return index;
    }
    wxBitmap bitmap = g_source != nullptr ? g_source->GetBitmap(checked ? 230 : 31268, kSmall) : wxNullBitmap;
    if (!bitmap.IsOk()) {
        bitmap.Create(kSmall, kSmall, 24);
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        wxRendererNative::Get().DrawCheckBox(window, dc, wxRect(1, 1, kSmall - 2, kSmall - 2),
                                             checked ? static_cast<int>(wxCONTROL_CHECKED) : 0);
    }
    m_large->Add(OnTile(Fit(bitmap, kLarge), m_tile));
    index = m_small->Add(Fit(bitmap, kSmall));
    return index;
}

int CListImages::ImageNumberOfKind(int kind)
{
    if ((kind >= 1 && kind <= 19) || kind == 24 || kind == 25) {
        return kind;
    }
    if (kind == 22) {
        return 38;
    }
    return kind == 21 ? -1 : 19;
}

int CListImages::PictureOf(double code) const
{
    const auto found = m_pictures.find(code);
    return found != m_pictures.end() ? found->second : -1;
}

int CListImages::AddPicture(double code, int kind, const wxBitmap& picture)
{
    if (const int made = PictureOf(code); made >= 0) {
        return made;
    }
    const int own = IndexOf(ImageNumberOfKind(kind));
    if (m_large == nullptr || own < 0) {
        return own;
    }
    int index = own;
    if (picture.IsOk() && picture.GetSize() != wxSize(kSmall, kSmall)) {
        // A picture smaller than the tile grows to it (keeping its shape); a larger one shrinks to it.
        const wxImage image = picture.ConvertToImage();
        m_large->Add(wxBitmap(Centred(Scaled(image, FitFactor(image, m_tile)), m_tile)));
        // The small list keeps in step with the data file's small picture.
        index = m_small->Add(m_small->GetBitmap(own));
    }
    m_pictures[code] = index;
    return index;
}
