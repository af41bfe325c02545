// The program itself with a driver for the large-list benchmark: once the event loop is first idle it
// scrolls the content list to its last row, then sorts it by a text column as a click on the header
// does, timing each until the rows are painted again and the loop is next idle, and writes the figures to the
// trace log; then it closes the frame. Nothing here is part of the program the user runs.

#include "mainwindow/CorvantApp.h"
#include "mainwindow/MainFrame.h"
#include "mainwindow/frame/FramePanes.h"
#include "store/program/TraceLog.h"

#include <wx/listctrl.h>

#include <chrono>
#include <functional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

class ListBenchApp : public CCorvantApp
{
public:
    bool OnInit() override
    {
        if (!CCorvantApp::OnInit()) {
            return false;
        }
        AfterIdle([this] { CallAfter([this] { Scroll(); }); });
        return true;
    }

private:
    // Runs `next` at the next idle moment of the event loop.
    void AfterIdle(std::function<void()> next)
    {
        m_next = std::move(next);
        Bind(wxEVT_IDLE, &ListBenchApp::OnIdle, this);
        wxWakeUpIdle();
    }

    // Runs `next` at the first idle moment after the list's rows were painted again.
    void AfterRowsPainted(wxListCtrl* list, std::function<void()> next)
    {
        m_afterPaint = std::move(next);
        // The rows are drawn by a child window of the control.
        m_rows = list;
        for (wxWindow* child : list->GetChildren()) {
            if (wxString(child->GetClassInfo()->GetClassName()) == "wxListMainWindow") {
                m_rows = child;
            }
        }
        m_rows->Bind(wxEVT_PAINT, &ListBenchApp::OnRowsPaint, this);
    }

    void OnRowsPaint(wxPaintEvent& event)
    {
        event.Skip();
        m_rows->Unbind(wxEVT_PAINT, &ListBenchApp::OnRowsPaint, this);
        AfterIdle(std::move(m_afterPaint));
    }

    void OnIdle(wxIdleEvent& event)
    {
        event.Skip();
        Unbind(wxEVT_IDLE, &ListBenchApp::OnIdle, this);
        auto next = std::move(m_next);
        next();
    }

    wxListCtrl* List()
    {
        CMainFrame* frame = GetMainFrame();
        CFrameListPane* pane = frame != nullptr ? frame->GetListView() : nullptr;
        return pane != nullptr ? dynamic_cast<wxListCtrl*>(pane->GetWindow()) : nullptr;
    }

    void Finish(const std::string& why)
    {
        DebugLogString("driver: " + why);
        DebugLogString("driver done");
        if (CMainFrame* frame = GetMainFrame()) {
            frame->Close(true);
        }
    }

    static std::string Milliseconds(Clock::time_point start)
    {
        return std::to_string(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }

    void Scroll()
    {
        wxListCtrl* list = List();
        if (list == nullptr || list->GetItemCount() == 0) {
            Finish("no rows in the list");
            return;
        }
        DebugLogString("driver: rows " + std::to_string(list->GetItemCount()) + ", first " +
                       list->GetItemText(0).utf8_string());
        const Clock::time_point start = Clock::now();
        list->EnsureVisible(list->GetItemCount() - 1);
        AfterRowsPainted(list, [this, start] {
            DebugLogString("driver: scrolled to the end ms " + Milliseconds(start));
            CallAfter([this] { Sort(); });
        });
    }

    void Sort()
    {
        wxListCtrl* list = List();
        if (list == nullptr) {
            Finish("the list went");
            return;
        }
        // A text column: the first whose header names the name, else the first.
        int column = 0;
        for (int i = 0; i < list->GetColumnCount(); ++i) {
            wxListItem header;
            header.SetMask(wxLIST_MASK_TEXT);
            list->GetColumn(i, header);
            if (header.GetText().Lower().Contains("name")) {
                column = i;
                break;
            }
        }
        wxListItem header;
        header.SetMask(wxLIST_MASK_TEXT);
        list->GetColumn(column, header);
        DebugLogString("driver: sorting by " + header.GetText().utf8_string());
        const Clock::time_point start = Clock::now();
        wxListEvent click(wxEVT_LIST_COL_CLICK, list->GetId());
        click.SetEventObject(list);
        click.m_col = column;
        list->GetEventHandler()->ProcessEvent(click);
        AfterRowsPainted(list, [this, start, column] {
            DebugLogString("driver: sorted ms " + Milliseconds(start));
            // Row 0 is the adding row.
            if (wxListCtrl* sorted = List(); sorted != nullptr && sorted->GetItemCount() > 1) {
                DebugLogString("driver: first after sorting " + sorted->GetItemText(1, column).utf8_string());
            }
            Finish("finished");
        });
    }

    std::function<void()> m_next;
    std::function<void()> m_afterPaint;
    wxWindow* m_rows = nullptr;
};

} // namespace

// The program's application object is declared as CCorvantApp (wxDECLARE_APP), so the driver supplies
// the same accessor rather than wxIMPLEMENT_APP's of another type.
wxAppConsole* wxCreateApp()
{
    return new ListBenchApp;
}
wxAppInitializer wxTheAppInitializer(static_cast<wxAppInitializerFunction>(wxCreateApp));
CCorvantApp& wxGetApp()
{
    return *static_cast<CCorvantApp*>(wxApp::GetInstance());
}
wxIMPLEMENT_WXWIN_MAIN
