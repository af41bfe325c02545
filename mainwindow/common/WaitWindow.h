#pragma once
// The wait window (dialog 174, "Working..."), shown around long work of every part of the program, at
// most one at a time. While it is shown the main frame does not redraw (it is frozen, and thawed when
// the wait window goes). The work runs on the user-interface thread, so nothing moves by itself: the
// window is painted before the work starts, and work that has steps calls StepWaitWindow to move its
// busy indicator and keep it painted.
//
// It is closed through the registered message "DestroyWait", which stays in this copy: CloseWaitWindow
// posts it and the main frame's handler calls DestroyWaitWindow once the work has returned to the
// message loop.

#include "store/records/WaitWindow.h"

class wxDialog;
class wxWindow;

// The wx wait window behind store/records/WaitWindow.h (ShowWaitWindow, CloseWaitWindow and the rest);
// the application installs it once.
void InstallWaitWindow();

// Moves the busy indicator and paints the wait window, at most every 50 milliseconds; cheap enough to
// call for every step of the work. Does nothing without a wait window. Input stays queued.
void StepWaitWindow();

// Posts "DestroyWait" with the window to focus afterwards, when a wait window exists.
void CloseWaitWindow(wxWindow* focus);
// The main frame's answer to "DestroyWait": destroys the wait window and focuses `focus` (may be null).
void DestroyWaitWindow(wxWindow* focus);

// The wait window shown now, or null; the animation it was asked for (147 or 148).
wxDialog* GetWaitWindow();
int WaitWindowAnimation();
