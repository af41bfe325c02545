// The program itself with a driver for the large-list benchmark: once the event loop is first idle it
// scrolls the content list to its last row, then sorts it by a text column as a click on the header
// does, timing each until the rows are painted again and the loop is next idle, and writes the figures to the
// trace log; then it closes the frame. Nothing here is part of the program the user runs.

#include "bench/program/BenchDriverApp.h"
#include "mainwindow/MainFrame.h"
#include "mainwindow/frame/FramePanes.h"
#include "store/program/TraceLog.h"

#include <wx/listctrl.h>

#include <string>

namespace {

class ListBenchApp : public CBenchDriverApp
{
private:
    void Drive() override { Scroll(); }

    wxListCtrl* List()
    {
        CMainFrame* frame = GetMainFrame();
        CFrameListPane* pane = frame != nullptr ? frame->GetListView() : nullptr;
        return pane != nullptr ? dynamic_cast<wxListCtrl*>(pane->GetWindow()) : nullptr;
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
};

} // namespace

CBenchDriverApp* CreateBenchDriverApp()
{
    return new ListBenchApp;
}
