#pragma once
// CMainSplitter: the main frame's client area, the tree pane beside the right-pane host (or, in Find
// mode, the find pane above it). One column or row can be hidden and shown again; a hidden pane keeps
// its window and, when shown again, its former width or height.

#include <wx/splitter.h>

class CMainSplitter : public wxSplitterWindow
{
public:
    CMainSplitter(wxWindow* parent, wxWindowID id = wxID_ANY);

    // Hides column 0 or 1 of a side-by-side split; nothing when a column is hidden already.
    void HideColumn(int column);
    void ShowColumn();
    // The same for row 0 or 1 of a split one above the other.
    void HideRow(int row);
    void ShowRow();

    // The hidden column or row, -1 when none.
    int HiddenColumn() const { return m_hiddenColumn; }
    int HiddenRow() const { return m_hiddenRow; }

private:
    void HidePane(int pane, int& hidden);
    void ShowPane(int& hidden, wxSplitMode mode);

    int m_hiddenColumn = -1;
    int m_hiddenRow = -1;
    wxWindow* m_first = nullptr; // the panes while one is hidden; owned by the splitter
    wxWindow* m_second = nullptr;
    int m_sashPosition = 0;
};
