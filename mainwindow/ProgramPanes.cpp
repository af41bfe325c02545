#include "mainwindow/ProgramPanes.h"

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
    SetFramePaneFactories(std::move(factories));
}
