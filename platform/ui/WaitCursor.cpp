#include "platform/ui/WaitCursor.h"

namespace platform::ui {
namespace {
CursorService* g_cursors = nullptr;
}

void SetCursorService(CursorService* service)
{
    g_cursors = service;
}

void SetWaitCursor()
{
    if (g_cursors != nullptr) {
        g_cursors->ShowWaitCursor();
    }
}

void SetArrowCursor()
{
    if (g_cursors != nullptr) {
        g_cursors->ShowArrowCursor();
    }
}

} // namespace platform::ui
