#pragma once
// The "Open" browse dialog (173): the children of an element in a list of links (kind 12) under a "Look
// in" address combo, with Up, List and Details buttons. "Add Selected" (or "Copy from selected" in copy
// mode) puts the selected records on the clipboard in the copy format, where the record form takes them.

#include <wx/dialog.h>

class AddressCombo;
class CCorvantView;
class CPaneFrame;
class CTreeImageTable;
class CTreeNode;

class CNodeBrowseDlg : public wxDialog
{
public:
    // `frame`: the main window the list and the combo act in; `images`: the tree pane's pictures, or null
    // for a table of the combo's own.
    CNodeBrowseDlg(wxWindow* parent, CPaneFrame& frame, CTreeNode& start, bool copyMode,
                   CTreeImageTable* images);
    ~CNodeBrowseDlg() override;

    // Shows the element's children in the list (read anew) and selects it in the combo.
    void ShowElement(CTreeNode& element);
    // Button 133: the parent of the element shown.
    void UpOneLevel();
    // Button 1038: the selected records go on the clipboard; the dialog ends with OK when every one was
    // written and there was one, else with Cancel.
    void AddSelected();
    CCorvantView& GetList() { return *m_list; }
    AddressCombo& GetLookIn() { return *m_lookIn; }

private:
    CPaneFrame& m_frame;
    CCorvantView* m_list = nullptr;
    AddressCombo* m_lookIn = nullptr;
};
