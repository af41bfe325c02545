#include "mainwindow/panes/PicturePreview.h"

#include "codecs/ImgAnyBitmap.h"
#include "codecs/ImgAnyFormatDecoder.h"
#include "codecs/wx/ImgWxBitmap.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include <algorithm>
#include <exception>

CPicturePreview::CPicturePreview(wxWindow* parent, wxWindowID id, const wxSize& size)
    : wxWindow(parent, id, wxDefaultPosition, size, wxBORDER_SUNKEN | wxFULL_REPAINT_ON_RESIZE)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CPicturePreview::OnPaint, this);
}

bool CPicturePreview::LoadPicture(const std::filesystem::path& file)
{
    m_picture = wxBitmap();
    std::error_code error;
    if (std::filesystem::is_regular_file(file, error)) {
        try {
            CImgAnyBitmap decoded;
            ProgramDecoder().MakeBmpFromFile(file, decoded, 32);
            m_picture = ImgToWxBitmap(decoded);
        } catch (const std::exception&) {
            m_picture = wxBitmap(); // not a picture the program reads: nothing to show
        }
    }
    Refresh();
    return m_picture.IsOk();
}

void CPicturePreview::Clear()
{
    m_picture = wxBitmap();
    Refresh();
}

wxRect CPicturePreview::PictureRect() const
{
    const wxSize box = GetClientSize();
    if (!m_picture.IsOk() || box.x <= 0 || box.y <= 0) {
        return {};
    }
    const double scale =
        std::min({1.0, double(box.x) / m_picture.GetWidth(), double(box.y) / m_picture.GetHeight()});
    const int width = std::max(1, int(m_picture.GetWidth() * scale));
    const int height = std::max(1, int(m_picture.GetHeight() * scale));
    return {(box.x - width) / 2, (box.y - height) / 2, width, height};
}

void CPicturePreview::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)));
    dc.Clear();
    const wxRect rect = PictureRect();
    if (rect.IsEmpty()) {
        return;
    }
    if (rect.GetSize() == m_picture.GetSize()) {
        dc.DrawBitmap(m_picture, rect.GetTopLeft());
    } else {
        const wxImage scaled =
            m_picture.ConvertToImage().Scale(rect.width, rect.height, wxIMAGE_QUALITY_HIGH);
        dc.DrawBitmap(wxBitmap(scaled), rect.GetTopLeft());
    }
}
