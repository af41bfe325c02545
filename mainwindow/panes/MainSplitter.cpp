#include "mainwindow/panes/MainSplitter.h"

CMainSplitter::CMainSplitter(wxWindow* parent, wxWindowID id)
    : wxSplitterWindow(parent, id, wxDefaultPosition, wxDefaultSize, wxSP_LIVE_UPDATE | wxSP_3DSASH)
{
}

void CMainSplitter::HideColumn(int column)
{
    if (GetSplitMode() == wxSPLIT_VERTICAL) {
        HidePane(column, m_hiddenColumn);
    }
}

void CMainSplitter::ShowColumn()
{
    ShowPane(m_hiddenColumn, wxSPLIT_VERTICAL);
}

void CMainSplitter::HideRow(int row)
{
    if (GetSplitMode() == wxSPLIT_HORIZONTAL) {
        HidePane(row, m_hiddenRow);
    }
}

void CMainSplitter::ShowRow()
{
    ShowPane(m_hiddenRow, wxSPLIT_HORIZONTAL);
}

void CMainSplitter::HidePane(int pane, int& hidden)
{
    if (m_hiddenColumn != -1 || m_hiddenRow != -1 || !IsSplit() || (pane != 0 && pane != 1)) {
        return;
    }
    m_first = GetWindow1();
    m_second = GetWindow2();
    m_sashPosition = GetSashPosition();
    hidden = pane;
    Unsplit(pane == 0 ? m_first : m_second); // hides the pane's window, keeps it
}

void CMainSplitter::ShowPane(int& hidden, wxSplitMode mode)
{
    if (hidden == -1) {
        return;
    }
    wxWindow* shown = hidden == 0 ? m_first : m_second;
    hidden = -1;
    shown->Show();
    if (mode == wxSPLIT_VERTICAL) {
        SplitVertically(m_first, m_second, m_sashPosition);
    } else {
        SplitHorizontally(m_first, m_second, m_sashPosition);
    }
    m_first = m_second = nullptr;
}
