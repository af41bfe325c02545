#include "mainwindow/panes/StatusPanes.h"

#include "store/program/TraceLog.h"
#include "tree/base/TreeNode.h"

#include <wx/utils.h>

namespace {

struct Indicator
{
    wxKeyCode key;
    const char* text;
};
constexpr Indicator kIndicators[] = {{WXK_CAPITAL, "CAP"}, {WXK_NUMLOCK, "NUM"}, {WXK_SCROLL, "SCRL"}};
constexpr int kIndicatorInterval = 250; // milliseconds

wxString Cut(const std::string& text)
{
    wxString shown = wxString::FromUTF8(text);
    if (shown.length() > CStatusPanes::kMaxTextLength) {
        shown.Truncate(CStatusPanes::kMaxTextLength);
    }
    return shown;
}

} // namespace

CStatusPanes::CStatusPanes(wxWindow* parent, std::function<bool(wxKeyCode)> isLockOn)
    : wxStatusBar(parent, wxID_ANY), m_isLockOn(std::move(isLockOn)), m_timer(this)
{
    if (!m_isLockOn) {
        m_isLockOn = [](wxKeyCode key) { return wxGetKeyState(key); };
    }
    SetPanes({100, 100, 100});
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { UpdateIndicators(); });
    m_timer.Start(kIndicatorInterval);
}

void CStatusPanes::SetPanes(const std::vector<int>& textWidths)
{
    std::vector<int> widths = textWidths;
    for (const auto& indicator : kIndicators) {
        widths.push_back(GetTextExtent(indicator.text).x + 12);
    }
    SetFieldsCount(static_cast<int>(widths.size()), widths.data());
    m_singlePane = false;
    UpdateIndicators();
}

void CStatusPanes::ShowElementStatus(CTreeNode& element)
{
    std::vector<std::string> texts = element.GetStatusText();
    texts.resize(std::min<size_t>(texts.size(), kTextPanes));
    SetStatusTexts(static_cast<int>(std::max<size_t>(texts.size(), 1)), texts);
}

void CStatusPanes::SetStatusTexts(int count, const std::vector<std::string>& texts)
{
    std::vector<wxString> shown;
    for (int i = 0; i < kTextPanes; ++i) {
        shown.push_back(i < static_cast<int>(texts.size()) ? Cut(texts[i]) : wxString());
    }
    const auto width = [this](const wxString& text) { return GetTextExtent(text).x + kFieldPadding; };
    const int first = shown[0].empty() ? 5 : width(shown[0]) + 5;
    const int second = (!shown[1].empty() && count >= 2) ? width(shown[1]) + 6 : 100;
    const int third = (!shown[2].empty() && count >= 3) ? width(shown[2]) + first + 5 : 100;
    SetPanes({first, second, third});
    for (int i = 0; i < kTextPanes; ++i) {
        const bool present = i < count && !shown[i].empty();
        SetStatusText(present ? shown[i] : wxString(), i);
        if (present) {
            DebugLogString(shown[i].utf8_string());
        }
    }
}

void CStatusPanes::SetMessageText(const std::string& text)
{
    const int whole = -1;
    SetFieldsCount(1, &whole);
    m_singlePane = true;
    SetStatusText(wxString::FromUTF8(text), 0);
}

void CStatusPanes::UpdateIndicators()
{
    if (m_singlePane) {
        return;
    }
    for (int i = 0; i < 3; ++i) {
        const wxString text = m_isLockOn(kIndicators[i].key) ? kIndicators[i].text : "";
        if (GetStatusText(kTextPanes + i) != text) {
            SetStatusText(text, kTextPanes + i);
        }
    }
}
