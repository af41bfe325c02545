#include "mainwindow/frame/FramePanes.h"

namespace {
FramePaneFactories& Factories()
{
    static FramePaneFactories factories;
    return factories;
}
} // namespace

void SetFramePaneFactories(FramePaneFactories factories)
{
    Factories() = std::move(factories);
}

const FramePaneFactories& GetFramePaneFactories()
{
    return Factories();
}
