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

// The wait cursor for the life of the object.
class WaitCursor
{
public:
    WaitCursor() { SetWaitCursor(); }
    ~WaitCursor() { SetArrowCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace platform::ui
