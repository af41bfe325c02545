#include "mainwindow/ProgramPanes.h"

#include "mainwindow/frame/FramePanes.h"

void RegisterProgramPanes()
{
    FramePaneFactories factories;
    SetFramePaneFactories(std::move(factories));
}
