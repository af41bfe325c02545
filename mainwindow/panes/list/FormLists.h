#pragma once
// The record form's two lists. CCorvantAddView holds the items the form's record holds or can take up:
// its keys act on the form (save, load, link, copy to the personal catalogue) rather than on the main
// window, and selecting rows tells the main window nothing. CCorvantFolderView holds a record's linked
// children: deleting rows there removes their links with the form's record.

#include "mainwindow/panes/list/CorvantView.h"
#include "mainwindow/panes/list/FormListHost.h"

class CCorvantAddView : public CCorvantView
{
public:
    CCorvantAddView(wxWindow* parent, CPaneFrame& frame, CFormListHost& host,
                    int role = list_role::kFormList);

    bool OnListKey(int keyCode, bool control, bool alt) override;
    // The form's add-to-my-catalogue action.
    void OnF8() override { m_host.AddToMyCatalog(); }
    // "Add to want list"; when confirmed, the selected records are linked with the form's record.
    void OnF9() override;
    // The adding row saves the form and opens a new item; other rows open their elements.
    void ActivateRow(long row, bool alt) override;
    // Hands the selected rows' elements (not the adding row's) to the record form.
    void LoadSelectedRows();

protected:
    void ShowEmptySpaceMenu(const wxPoint& screen) override;
    bool PassesSelectionOn() const override { return false; }

private:
    // Saves the form, opens a new item of the list's kind in a record window, fills the form again.
    void OpenNewItem();

    CFormListHost& m_host;
};

class CCorvantFolderView : public CCorvantView
{
public:
    CCorvantFolderView(wxWindow* parent, CPaneFrame& frame, CFormListHost& host,
                       int role = list_role::kFormList);

    bool OnListKey(int keyCode, bool control, bool alt) override;
    // One row: its element deletes itself. Several: one question, then their links with the form's
    // record go. True when something was removed.
    bool RemoveSelectedChildren();

private:
    CFormListHost& m_host;
};
