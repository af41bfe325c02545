#include "bench/program/BenchDriverApp.h"

#include "mainwindow/MainFrame.h"
#include "store/program/TraceLog.h"

bool CBenchDriverApp::OnInit()
{
    if (!CCorvantApp::OnInit()) {
        return false;
    }
    AfterIdle([this] { CallAfter([this] { Drive(); }); });
    return true;
}

void CBenchDriverApp::AfterIdle(std::function<void()> next)
{
    m_next = std::move(next);
    Bind(wxEVT_IDLE, &CBenchDriverApp::OnIdle, this);
    wxWakeUpIdle();
}

void CBenchDriverApp::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    Unbind(wxEVT_IDLE, &CBenchDriverApp::OnIdle, this);
    auto next = std::move(m_next);
    next();
}

void CBenchDriverApp::AfterRowsPainted(wxListCtrl* list, std::function<void()> next)
{
    m_afterPaint = std::move(next);
    // The rows are drawn by a child window of the control.
    m_rows = list;
    for (wxWindow* child : list->GetChildren()) {
        if (wxString(child->GetClassInfo()->GetClassName()) == "wxListMainWindow") {
            m_rows = child;
        }
    }
    m_rows->Bind(wxEVT_PAINT, &CBenchDriverApp::OnRowsPaint, this);
}

void CBenchDriverApp::OnRowsPaint(wxPaintEvent& event)
{
    event.Skip();
    m_rows->Unbind(wxEVT_PAINT, &CBenchDriverApp::OnRowsPaint, this);
    AfterIdle(std::move(m_afterPaint));
}

void CBenchDriverApp::Finish(const std::string& why)
{
    DebugLogString("driver: " + why);
    DebugLogString("driver done");
    if (CMainFrame* frame = GetMainFrame()) {
        frame->Close(true);
    }
}

std::string CBenchDriverApp::Milliseconds(Clock::time_point start)
{
    return std::to_string(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
}

// The program's application object is declared as CCorvantApp (wxDECLARE_APP), so the drivers supply
// the same accessor rather than wxIMPLEMENT_APP's of another type.
wxAppConsole* wxCreateApp()
{
    return CreateBenchDriverApp();
}
wxAppInitializer wxTheAppInitializer(static_cast<wxAppInitializerFunction>(wxCreateApp));
CCorvantApp& wxGetApp()
{
    return *static_cast<CCorvantApp*>(wxApp::GetInstance());
}
wxIMPLEMENT_WXWIN_MAIN
