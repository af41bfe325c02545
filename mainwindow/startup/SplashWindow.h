#pragma once
// The splash screen shown while the main frame restores its state: the program's picture in a popup
// window over the frame. It goes when the frame says its state is restored, after 2.5 seconds at the
// latest, or at the user's first key or mouse-button press, which it takes for itself.

#include <chrono>
#include <functional>

#include <wx/bitmap.h>
#include <wx/eventfilter.h>
#include <wx/popupwin.h>
#include <wx/timer.h>

class CSplashWindow : public wxPopupWindow, public wxEventFilter
{
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // The splash shown now, or null.
    static CSplashWindow* Current();

    // Checks whether it is time to go; the window's timer calls it every 5 milliseconds.
    void OnTick();
    // Hides the splash: destroys the window and repaints the frame below it.
    void HideSplashScreen();

    int FilterEvent(wxEvent& event) override;

private:
    friend void ShowSplashScreen(wxWindow*, std::function<bool()>, Clock);
    CSplashWindow(wxWindow* parent, std::function<bool()> isStateRestored, Clock clock);
    ~CSplashWindow() override;

    wxBitmap m_bitmap;
    std::function<bool()> m_isStateRestored;
    Clock m_clock;
    std::chrono::steady_clock::time_point m_shownAt;
    wxTimer m_timer;
    bool m_hiding = false;
    bool m_filtering = false;
};

// The splash picture: the program's icon, name and subject on a dark field.
wxBitmap MakeSplashBitmap();

// Stores whether the splash may be shown (from the command line).
void EnableSplashScreen(bool enable);
// Shows the splash over `parent` once, when enabled and none is shown. `isStateRestored` tells when the
// frame is ready; `clock` (the steady clock when empty) measures the 2.5 seconds.
void ShowSplashScreen(wxWindow* parent, std::function<bool()> isStateRestored,
                      CSplashWindow::Clock clock = {});
// True, after hiding the splash, for a key or mouse-button press while a splash is shown: the press is
// the user's way of sending the splash away and goes no further.
bool PreTranslateAppMessage(const wxEvent& event);
