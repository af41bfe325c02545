#pragma once
// The wait and arrow cursors around long steps. The windowing layer installs the service that changes
// the cursor; without one (tools, tests without a display) nothing happens.

namespace platform::ui {

class CursorService
{
public:
    virtual ~CursorService() = default;
    virtual void ShowWaitCursor() = 0;
    virtual void ShowArrowCursor() = 0;
};

// Installs a service (not owned; null removes it).
void SetCursorService(CursorService* service);

void SetWaitCursor();
void SetArrowCursor();

} // namespace platform::ui
