#pragma once
// CStatusPanes: the main frame's status bar. Three panes show the texts the current element gives, each
// sized to its text; three more show the caps, num and scroll lock indicators while those locks are on.

#include <functional>
#include <string>
#include <vector>

#include <wx/statusbr.h>
#include <wx/timer.h>

class CTreeNode;

class CStatusPanes : public wxStatusBar
{
public:
    static constexpr size_t kMaxTextLength = 80;
    static constexpr int kTextPanes = 3;
    // What a pane's margins take from its width here: a text is measured with it, so it is never cut.
    static constexpr int kFieldPadding = 12;

    // `isLockOn` tells whether a lock key (WXK_CAPITAL, WXK_NUMLOCK, WXK_SCROLL) is on; by default the
    // keyboard's state.
    explicit CStatusPanes(wxWindow* parent, std::function<bool(wxKeyCode)> isLockOn = {});

    // Shows the texts the element gives of itself (GetStatusText).
    void ShowElementStatus(CTreeNode& element);
    // Shows up to three texts (each cut to 80 characters), the first `count` of them.
    void SetStatusTexts(int count, const std::vector<std::string>& texts);
    // One pane over the whole bar holding the text.
    void SetMessageText(const std::string& text);
    // Shows or clears the lock indicators; a timer calls it while the bar lives.
    void UpdateIndicators();

private:
    void SetPanes(const std::vector<int>& textWidths);

    std::function<bool(wxKeyCode)> m_isLockOn;
    wxTimer m_timer;
    bool m_singlePane = false;
};
