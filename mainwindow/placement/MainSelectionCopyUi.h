#pragma once
// The main window's side of copying into another catalogue: "Copy to database" over the frame for the
// copy of a selection, and the two commands of the frame that copy elsewhere, Add to my catalog (F8: the
// selection into the default catalogue, "defaultDataBook") and Add to want list (F9: the selected record
// linked with an item list chosen in "Add to want list"). The program installs one at start (CCorvantApp).

#include "mainwindow/commands/FrameSubsystems.h"
#include "tree/catalogue/SelectionCopy.h"

class CMainSelectionCopyUi : public CSelectionCopyUi, public CFrameSubsystem
{
public:
    std::optional<Placement> ChoosePlace(CTreeNode& target, int dataFile, CTreeNode* source) override;
    void RunCommand(wxWindow* owner, int command, CTreeNode* selected) override;

    // F8: copies the selection (as Edit > Copy puts it on the clipboard) into the default catalogue. True
    // when records were copied.
    static bool AddToMyCatalogue(CTreeNode* selected);
    // F9: asks for an item list of the record's catalogue and links the record with it. True when linked.
    static bool AddToWantList(CTreeNode* selected);
};
