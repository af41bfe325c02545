#include "platform/ui/WxCursorService.h"

#include <wx/utils.h>

namespace platform::ui {

// The cursor is either the wait or the arrow cursor, so the busy state is entered once, however often
// the wait cursor is asked for, and left by the next arrow cursor.
void WxCursorService::ShowWaitCursor()
{
    if (!m_busy) {
        wxBeginBusyCursor();
        m_busy = true;
    }
}

void WxCursorService::ShowArrowCursor()
{
    if (m_busy) {
        wxEndBusyCursor();
        m_busy = false;
    }
}

} // namespace platform::ui
