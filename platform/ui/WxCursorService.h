#pragma once
// The cursor service of the running program: the busy cursor over every window.

#include "platform/ui/WaitCursor.h"

namespace platform::ui {

class WxCursorService final : public CursorService
{
public:
    void ShowWaitCursor() override;
    void ShowArrowCursor() override;

private:
    bool m_busy = false;
};

} // namespace platform::ui
