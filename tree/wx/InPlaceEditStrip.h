#pragma once
// The strip of field editors laid over a list row (dialog 113 of RowEditor.xrc): one editor per field of
// a CInPlaceEdit, left to right, and the "..." button. The "..." button and Enter save the values,
// Escape closes without saving, and the strip saves when the focus leaves it (a click elsewhere, another
// window activated). The strip destroys itself once it has closed.
//
// CWxListPane is the list pane over a wxListCtrl as the row nodes see it: where a row stands, and the
// strip laid over it.

#include "tree/base/NodeListPane.h"

#include <wx/panel.h>
#include <wx/weakref.h>

#include <functional>
#include <memory>
#include <vector>

class wxListCtrl;

class CInPlaceEditStrip : public wxPanel
{
public:
    // Stands over the row at `bounds` (in `parent`'s coordinates), with the focus in the first editor
    // and its text selected. `closed` runs once, with true when the record was saved.
    CInPlaceEditStrip(wxWindow* parent, std::unique_ptr<CInPlaceEdit> edit, const NodeRowBounds& bounds,
                      std::function<void(bool)> closed);
    ~CInPlaceEditStrip() override;

    // The editors, in the order of the edit's fields.
    const std::vector<wxWindow*>& GetEditors() const { return m_editors; }
    bool IsClosing() const { return m_closing; }
    // Saves (or not) and closes; later calls do nothing.
    void Finish(bool save);

private:
    void OnFocusLeaving(wxFocusEvent& event);
    void OnTopLevelActivate(wxActivateEvent& event);

    std::unique_ptr<CInPlaceEdit> m_edit;
    std::function<void(bool)> m_closed;
    std::vector<wxWindow*> m_editors;
    wxWindow* m_topLevel = nullptr;
    bool m_closing = false;
};

class CWxListPane : public CNodeListPane
{
public:
    // `refresh` shows the labels of the tree and the list again from their nodes.
    CWxListPane(wxListCtrl& list, std::function<void()> refresh);
    bool RowAt(NodePoint point, NodeRowBounds& bounds) override;
    void EditRowFields(std::unique_ptr<CInPlaceEdit> edit, const NodeRowBounds& bounds,
                       std::function<void(bool saved)> closed) override;
    void RefreshLabels() override;
    // The strip open over a row; null when none is.
    CInPlaceEditStrip* GetStrip() const;

private:
    wxListCtrl& m_list;
    std::function<void()> m_refresh;
    wxWeakRef<CInPlaceEditStrip> m_strip;
};
