#include "mainwindow/common/WaitWindow.h"

#include "platform/ui/Broadcaster.h"
#include "resources/XrcResources.h"
#include "store/program/Broadcasts.h"

#include <chrono>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/evtloop.h>
#include <wx/gauge.h>
#include <wx/xrc/xmlres.h>

namespace {

constexpr int kIndicator = 1087;
constexpr auto kStepInterval = std::chrono::milliseconds(50);

// Paints what waits to be painted (the wait window above all) and nothing else: clicks and keys stay
// queued until the work is done.
void PaintNow()
{
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) {
        loop->YieldFor(wxEVT_CATEGORY_UI);
        return;
    }
    wxGUIEventLoop loop;
    wxEventLoopActivator activate(&loop);
    loop.YieldFor(wxEVT_CATEGORY_UI);
}

class CWaitDialog : public wxDialog
{
public:
    CWaitDialog(wxWindow* owner, int animation) : m_animation(animation)
    {
        resources::LoadXrcResources();
        wxXmlResource::Get()->LoadDialog(this, owner, "174");
        m_indicator = wxDynamicCast(FindWindow(kIndicator), wxGauge);
        Fit();
        // Where the program always put it: the middle of the screen, whatever the owner's place.
        const int display = owner != nullptr ? wxDisplay::GetFromWindow(owner) : wxNOT_FOUND;
        const wxRect screen = wxDisplay(display != wxNOT_FOUND ? unsigned(display) : 0u).GetGeometry();
        const wxSize size = GetSize();
        Move(screen.x + (screen.width - size.x) / 2, screen.y + (screen.height - size.y) / 2);
        if (owner != nullptr && !owner->IsBeingDeleted()) {
            owner->Freeze();
            m_frozen = owner;
        }
    }
    ~CWaitDialog() override { ThawOwner(); }

    int Animation() const { return m_animation; }

    void Step()
    {
        const auto now = std::chrono::steady_clock::now();
        if (now - m_lastStep < kStepInterval) {
            return;
        }
        m_lastStep = now;
        if (m_indicator != nullptr) {
            m_indicator->Pulse();
        }
        PaintNow();
    }

    void ThawOwner()
    {
        wxWindow* owner = m_frozen;
        m_frozen = nullptr;
        if (owner == nullptr || owner->IsBeingDeleted()) {
            return;
        }
        owner->Thaw();
        owner->Refresh();
        owner->Update();
    }

private:
    int m_animation;
    wxGauge* m_indicator = nullptr; // owned by the dialog
    wxWindow* m_frozen = nullptr;   // the owner this window froze, until it thaws it
    std::chrono::steady_clock::time_point m_lastStep;
};

CWaitDialog* g_wait = nullptr;

void Show(int animation)
{
    if (g_wait != nullptr) {
        return;
    }
    wxWindow* owner = wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr;
    g_wait = new CWaitDialog(owner, animation); // destroyed by DestroyWaitWindow or with its owner
    g_wait->Bind(wxEVT_DESTROY, [](wxWindowDestroyEvent& event) {
        if (event.GetEventObject() == g_wait) {
            g_wait->ThawOwner();
            g_wait = nullptr;
        }
        event.Skip();
    });
    g_wait->Show();
    if (g_wait->FindWindow(kIndicator) != nullptr) {
        static_cast<wxGauge*>(g_wait->FindWindow(kIndicator))->Pulse();
    }
    g_wait->Refresh();
    g_wait->Update();
    PaintNow();
}

class CWxWaitWindow final : public CWaitWindow
{
public:
    void Show(int animation) override { ::Show(animation); }
    void Close() override { CloseWaitWindow(nullptr); }
};

} // namespace

void InstallWaitWindow()
{
    static CWxWaitWindow window;
    SetWaitWindow(&window);
}

void StepWaitWindow()
{
    if (g_wait != nullptr) {
        g_wait->Step();
    }
}

void CloseWaitWindow(wxWindow* focus)
{
    if (g_wait == nullptr) {
        return;
    }
    platform::ui::Broadcaster::Instance().Post(BroadcastMessageNumber(kDestroyWaitMessage), 0, {}, focus);
}

void DestroyWaitWindow(wxWindow* focus)
{
    if (g_wait != nullptr) {
        CWaitDialog* wait = g_wait;
        wait->ThawOwner();
        g_wait = nullptr;
        wait->Destroy();
    }
    if (focus != nullptr && !focus->IsBeingDeleted()) {
        focus->SetFocus();
    }
}

wxDialog* GetWaitWindow()
{
    return g_wait;
}

int WaitWindowAnimation()
{
    return g_wait != nullptr ? g_wait->Animation() : 0;
}
