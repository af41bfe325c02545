#include "mainwindow/startup/SplashWindow.h"

#include "resources/Pictures.h"

#include <wx/bmpbndl.h>
#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>

namespace {

constexpr auto kLongestShown = std::chrono::milliseconds(2500);
constexpr int kTickMilliseconds = 5;

CSplashWindow* g_splash = nullptr;
bool g_splashEnabled = true;

bool IsPress(const wxEvent& event)
{
    const wxEventType type = event.GetEventType();
    return type == wxEVT_CHAR_HOOK || type == wxEVT_KEY_DOWN || type == wxEVT_LEFT_DOWN ||
           type == wxEVT_RIGHT_DOWN || type == wxEVT_MIDDLE_DOWN || type == wxEVT_LEFT_DCLICK ||
           type == wxEVT_RIGHT_DCLICK || type == wxEVT_MIDDLE_DCLICK;
}

} // namespace

wxBitmap MakeSplashBitmap()
{
    constexpr int kWidth = 540;
    constexpr int kHeight = 240;
    wxBitmap bitmap(kWidth, kHeight, 24);
    wxMemoryDC dc(bitmap);
    dc.GradientFillLinear(wxRect(0, 0, kWidth, kHeight), wxColour(24, 46, 82), wxColour(8, 18, 38), wxDOWN);

    const std::string_view svg = resources::ProgramIconSvg();
    const wxBitmapBundle icon =
        wxBitmapBundle::FromSVG(reinterpret_cast<const wxByte*>(svg.data()), svg.size(), wxSize(128, 128));
    if (icon.IsOk()) {
        dc.DrawBitmap(icon.GetBitmap(wxSize(150, 150)), 30, (kHeight - 150) / 2, true);
    }

    dc.SetTextForeground(wxColour(251, 231, 160));
    dc.SetFont(wxFontInfo(34).Family(wxFONTFAMILY_SWISS).Bold());
    dc.DrawText("Lumarc", 205, 62);
    dc.SetTextForeground(wxColour(220, 226, 236));
    dc.SetFont(wxFontInfo(13).Family(wxFONTFAMILY_SWISS));
    dc.DrawText("Catalogues for coin collectors", 207, 120);
    dc.SetFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS));
    dc.SetTextForeground(wxColour(150, 164, 186));
    dc.DrawText("Starting...", 207, 190);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

CSplashWindow* CSplashWindow::Current()
{
    return g_splash;
}

CSplashWindow::CSplashWindow(wxWindow* parent, std::function<bool()> isStateRestored, Clock clock)
    : m_bitmap(MakeSplashBitmap()), m_isStateRestored(std::move(isStateRestored)), m_clock(std::move(clock)),
      m_timer(this)
{
    if (!m_clock) {
        m_clock = [] { return std::chrono::steady_clock::now(); };
    }
    Create(parent, wxBORDER_SIMPLE);
    SetSize(m_bitmap.GetSize());
    // The picture is drawn by a child of its size, which also keeps the frame at that size.
    auto* picture = new wxWindow(this, wxID_ANY, wxPoint(0, 0), m_bitmap.GetSize()); // owned by the frame
    picture->SetBackgroundStyle(wxBG_STYLE_PAINT);
    picture->SetCursor(wxCursor(wxCURSOR_ARROW));
    picture->Bind(wxEVT_PAINT, [this, picture](wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(picture);
        dc.DrawBitmap(m_bitmap, 0, 0);
    });
    SetClientSize(m_bitmap.GetSize());
    if (parent != nullptr && parent->IsShown()) {
        CentreOnParent();
    } else {
        const wxRect screen = wxGetClientDisplayRect();
        Move(screen.x + (screen.width - GetSize().x) / 2, screen.y + (screen.height - GetSize().y) / 2);
    }
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { OnTick(); });
    m_shownAt = m_clock();
    g_splash = this;
    wxEvtHandler::AddFilter(this);
    m_filtering = true;
    m_timer.Start(kTickMilliseconds);
}

CSplashWindow::~CSplashWindow()
{
    m_timer.Stop();
    if (m_filtering) {
        wxEvtHandler::RemoveFilter(this);
    }
    if (g_splash == this) {
        g_splash = nullptr;
    }
}

void CSplashWindow::OnTick()
{
    if (m_hiding) {
        return;
    }
    if ((m_isStateRestored && m_isStateRestored()) || m_clock() - m_shownAt >= kLongestShown) {
        HideSplashScreen();
    }
}

void CSplashWindow::HideSplashScreen()
{
    if (m_hiding) {
        return;
    }
    m_hiding = true;
    m_timer.Stop();
    // Gone for everyone at once; the object itself is deleted when wx destroys the window.
    wxEvtHandler::RemoveFilter(this);
    m_filtering = false;
    g_splash = nullptr;
    wxWindow* parent = GetParent();
    Hide();
    Destroy();
    if (parent != nullptr) {
        parent->Refresh();
        parent->Update();
    }
}

int CSplashWindow::FilterEvent(wxEvent& event)
{
    return PreTranslateAppMessage(event) ? Event_Processed : Event_Skip;
}

void EnableSplashScreen(bool enable)
{
    g_splashEnabled = enable;
}

void ShowSplashScreen(wxWindow* parent, std::function<bool()> isStateRestored, CSplashWindow::Clock clock)
{
    if (!g_splashEnabled || g_splash != nullptr) {
        return;
    }
    auto* splash = new CSplashWindow(parent, std::move(isStateRestored), std::move(clock)); // deletes itself
    if (!splash->GetHandle()) {
        splash->Destroy();
        return;
    }
    splash->Show();
    splash->Update();
}

bool PreTranslateAppMessage(const wxEvent& event)
{
    if (g_splash == nullptr || !IsPress(event)) {
        return false;
    }
    g_splash->HideSplashScreen();
    return true;
}
