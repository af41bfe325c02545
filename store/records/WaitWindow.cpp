#include "store/records/WaitWindow.h"

#include "store/records/ItemSet.h"

namespace {

CWaitWindow* g_waitWindow = nullptr;

} // namespace

void SetWaitWindow(CWaitWindow* window)
{
    g_waitWindow = window;
}

void ShowWaitWindow()
{
    if (g_waitWindow != nullptr) {
        g_waitWindow->Show(CWaitWindow::kAnimation);
    }
}

void ShowWaitWindowAnimation147()
{
    if (g_waitWindow != nullptr) {
        g_waitWindow->Show(CWaitWindow::kAnimation147);
    }
}

void ShowWaitWindowForItemSet(CItemSet& set)
{
    if (set.GetCount() >= kWaitWindowThreshold) {
        ShowWaitWindow();
    }
}

void CloseWaitWindow()
{
    if (g_waitWindow != nullptr) {
        g_waitWindow->Close();
    }
}
