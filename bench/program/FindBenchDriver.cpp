// The program in its find mode with a driver for the find benchmark: once the event loop is first idle it
// fills the find pane as a user does (the name contains a text, the year lies in a range, the coin was
// created in the last days), presses Find Now, and times it until the results list is painted and the
// loop is next idle; it writes the figures to the trace log and closes the frame. Nothing here is part
// of the program the user runs.

#include "bench/program/BenchDriverApp.h"
#include "mainwindow/MainFrame.h"
#include "mainwindow/controls/SearchField.h"
#include "mainwindow/controls/SearchOperators.h"
#include "mainwindow/find/FindDataPage.h"
#include "mainwindow/find/FindOtherPages.h"
#include "mainwindow/find/FindView.h"
#include "mainwindow/frame/FramePanes.h"
#include "store/program/TraceLog.h"

#include <wx/listctrl.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>

#include <string>

namespace {

class FindBenchApp : public CBenchDriverApp
{
private:
    void Drive() override { Search(); }

    void Search()
    {
        CMainFrame* frame = GetMainFrame();
        auto* pane = frame != nullptr ? dynamic_cast<FindView*>(frame->GetFindView()) : nullptr;
        FindDataPage* page = pane != nullptr ? pane->GetDataPage(kDataPage) : nullptr;
        if (page == nullptr) {
            Finish("no find pane");
            return;
        }
        // The form shows the year twice: from and to.
        int years = 0;
        for (const FindDataPage::Entry& entry : page->GetEntries()) {
            auto* field = dynamic_cast<CSearchField*>(entry.window);
            if (field == nullptr) {
                continue;
            }
            if (entry.column == "NAME") {
                field->GetEdit()->ChangeValue("7");
            } else if (entry.column == "YEAR") {
                field->SetOperatorCode(years == 0 ? kOpGreater : kOpLess);
                field->GetEdit()->ChangeValue(years == 0 ? "1850" : "1900");
                ++years;
            }
        }
        FindDatePage* created = pane->GetDatePage(kCreationPage);
        created->Choose(DatePageChoice::kLastDays);
        created->GetDays()->SetValue(30);
        DebugLogString("driver: criteria" + pane->CollectCriteria());

        const Clock::time_point start = Clock::now();
        frame->SendCommand(317); // Find Now
        CFrameListPane* results = frame->GetListView();
        auto* list = results != nullptr ? dynamic_cast<wxListCtrl*>(results->GetWindow()) : nullptr;
        if (list == nullptr) {
            Finish("no results list");
            return;
        }
        AfterRowsPainted(list, [this, start, list] {
            DebugLogString("driver: found ms " + Milliseconds(start));
            DebugLogString("driver: rows " + std::to_string(list->GetItemCount()));
            Finish("finished");
        });
    }
};

} // namespace

CBenchDriverApp* CreateBenchDriverApp()
{
    return new FindBenchApp;
}
