#pragma once
// The record form's two lists. CCorvantAddView holds the items the form's record holds or can take up:
// its keys act on the form (save, load, link, copy to the personal catalogue) rather than on the main
// window, and selecting rows tells the main window nothing. CCorvantFolderView holds a record's linked
// children: deleting rows there removes their links with the form's record.

#include "mainwindow/panes/list/CorvantView.h"
#include "mainwindow/panes/list/FormListHost.h"

#include <memory>

class RClickMenuClass;

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
    // The focused row's item menu as the record form offers it (its element's item menu with search);
    // null when the row has no element or the element offers nothing.
    std::unique_ptr<RClickMenuClass> BuildRowMenu();

protected:
    // The row menu at the cursor; what is chosen goes to the frame, as the main list's row menu does.
    void ShowRowMenu(const wxPoint& screen) override;
    void ShowEmptySpaceMenu(const wxPoint& screen) override;
    bool PassesSelectionOn() const override { return false; }
    // A renamed row's record is linked with the form's record, and the form shows it.
    void RowRenamed(CTreeNode& element) override;

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
    // The right-click menu: unless the catalogue is view-only, "Add an item" (a new item of each data
    // file offered in menus), then "Add &File". What the form cannot do is greyed.
    std::unique_ptr<RClickMenuClass> BuildAddMenu();
    // What an entry of that menu does: the form adds a linked item of the entry's data file, or a file.
    // False when the command is none of the menu's or the form could not.
    bool RunAddCommand(int command);

protected:
    // Rows and empty space alike show the add menu.
    void ShowRowMenu(const wxPoint& screen) override { ShowAddMenu(screen); }
    void ShowEmptySpaceMenu(const wxPoint& screen) override { ShowAddMenu(screen); }

private:
    void ShowAddMenu(const wxPoint& screen);

    CFormListHost& m_host;
};
