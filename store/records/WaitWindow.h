#pragma once
// The "Wait" window shown around long operations: one at a time, with an animation, closed again when
// the operation ends. It is a window, so the main window implements it and installs it; the store and
// the tree ask for it through these functions. Without an installed window nothing is shown.

#include <cstddef>

class CItemSet;

class CWaitWindow
{
public:
    // The two animations the window plays.
    static constexpr int kAnimation = 148;
    static constexpr int kAnimation147 = 147;

    virtual ~CWaitWindow() = default;
    // Shows the window unless it is shown already.
    virtual void Show(int animation) = 0;
    // Closes the window when it is shown.
    virtual void Close() = 0;
};

// Installs the main window's implementation (null removes it); the caller keeps it alive while installed.
void SetWaitWindow(CWaitWindow* window);

// Sets of fewer records than this are quick enough to go without the window.
inline constexpr size_t kWaitWindowThreshold = 10;

void ShowWaitWindow();
void ShowWaitWindowAnimation147();
// The window for an operation over the set's records (the set is loaded to count them); none for a set
// of fewer than kWaitWindowThreshold records.
void ShowWaitWindowForItemSet(CItemSet& set);
void CloseWaitWindow();
