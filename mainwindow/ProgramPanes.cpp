#include "mainwindow/ProgramPanes.h"

#include "mainwindow/find/FindView.h"
#include "mainwindow/frame/FramePanes.h"
#include "mainwindow/panes/list/CorvantView.h"
#include "mainwindow/panes/tree/LeftView.h"
#include "mainwindow/webview/WebView.h"

void RegisterProgramPanes()
{
    FramePaneFactories factories;
    factories.makeTree = MakeLeftView;
    factories.makeList = MakeCorvantView;
    factories.makeWeb = MakeWebView;
    factories.makeFind = MakeFindView;
    SetFramePaneFactories(std::move(factories));
}
