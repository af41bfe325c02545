#include "mainwindow/ProgramPanes.h"

#include "mainwindow/find/FindView.h"
#include "mainwindow/frame/FramePanes.h"
#include "mainwindow/panes/list/CorvantView.h"
#include "mainwindow/panes/tree/LeftView.h"
#include "mainwindow/webview/BrowserModule.h"

void RegisterProgramPanes()
{
    FramePaneFactories factories;
    factories.makeTree = MakeLeftView;
    factories.makeList = MakeCorvantView;
    factories.makeWeb = [](wxWindow* parent, CPaneFrame& frame) -> CFrameWebPane* {
        const BrowserEntries* browser = Browser();
        return browser != nullptr ? browser->makeWebView(parent, frame) : nullptr;
    };
    factories.makeFind = MakeFindView;
    SetFramePaneFactories(std::move(factories));
}
