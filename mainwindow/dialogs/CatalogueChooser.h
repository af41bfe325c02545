#pragma once
// The catalogue chooser (dialog 139 "Choose a Catalogue:") and the Backup and Restore commands that
// run through it.

#include <vector>

#include <wx/dialog.h>

#include "mainwindow/dialogs/CatalogueChoices.h"

class CCatalogueDb;
class CTreeNode;
class wxListBox;

class CChooseCatalogueDlg : public wxDialog
{
public:
    // Lists the catalogue elements under `root`, in tree order.
    CChooseCatalogueDlg(wxWindow* owner, CTreeNode* root);
    // The catalogue chosen with OK; null otherwise.
    CCatalogueDb* GetChosen() const { return m_chosen; }

private:
    std::vector<CatalogueChoice> m_choices;
    wxListBox* m_list = nullptr;
    CCatalogueDb* m_chosen = nullptr;
};

// Runs the chooser; the chosen catalogue, or null for Cancel.
CCatalogueDb* ChooseCatalogue(wxWindow* owner, CTreeNode* root);

// Backup and Restore: the chosen catalogue is backed up into, or restored from, the backup folder under
// the wait cursor, and every running copy is told to reload it. False when nothing was chosen or done.
bool BackupChosenCatalogue(wxWindow* owner, CTreeNode* root);
bool RestoreChosenCatalogue(wxWindow* owner, CTreeNode* root);
