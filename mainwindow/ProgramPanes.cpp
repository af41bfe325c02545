#include "mainwindow/ProgramPanes.h"

#include "mainwindow/frame/FramePanes.h"
#include "mainwindow/panes/tree/LeftView.h"

void RegisterProgramPanes()
{
    FramePaneFactories factories;
    factories.makeTree = MakeLeftView;
    SetFramePaneFactories(std::move(factories));
}
