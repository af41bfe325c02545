#pragma once
// CPicturePreview: a box that shows a picture file scaled to fit, keeping its proportions. The file is
// decoded through the program-wide decoder, so it shows every format the program reads.

#include <filesystem>

#include <wx/bitmap.h>
#include <wx/window.h>

class CPicturePreview : public wxWindow
{
public:
    CPicturePreview(wxWindow* parent, wxWindowID id, const wxSize& size = wxDefaultSize);

    // Loads and shows the file; a folder, a missing file or one that does not decode leaves the box
    // empty. True when a picture is shown.
    bool LoadPicture(const std::filesystem::path& file);
    // Empties the box.
    void Clear();
    bool IsLoaded() const { return m_picture.IsOk(); }
    const wxBitmap& GetPicture() const { return m_picture; }
    // Where the picture is drawn in the box: scaled down to fit, never up, and centred.
    wxRect PictureRect() const;

private:
    void OnPaint(wxPaintEvent& event);

    wxBitmap m_picture;
};
