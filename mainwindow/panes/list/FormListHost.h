#pragma once
// The record form as its two lists see it (CCorvantAddView, CCorvantFolderView): the record it shows and
// what the lists ask of it. The record window implements it when it creates the lists; tests implement
// it as a recording fake.

#include "store/records/NodeRef.h"

#include <vector>

class CTreeNode;

class CFormListHost
{
public:
    virtual ~CFormListHost() = default;
    // The record the form shows (the one the lists link records with).
    virtual CNodeRef GetFormRecordKey() = 0;
    // Adds the records of the elements to the form's record list.
    virtual void LoadItems(const std::vector<CTreeNode*>& elements) = 0;
    // Reads the form's controls into its record and stores it; false when it could not be stored.
    virtual bool SaveControls() = 0;
    // Fills the form page's controls again from its record.
    virtual void FillControls() = 0;
    // Copies the form's current item into the default personal catalogue.
    virtual void AddToMyCatalog() = 0;
    // Asks "Add to want list"; true when the user confirmed it.
    virtual bool AskAddToWantList() = 0;
    // Redraws the form after a list added, linked or loaded records.
    virtual void RequestRefresh() = 0;
    // The form's tools ("&Field Chooser...", "Label builder", "I&mport export") at the screen point.
    virtual void ShowToolsMenu(int x, int y) = 0;
    // A new item of the data file, to be linked with the form's record, opened in a record window. With
    // `onlyAsk` nothing is done: the answer says whether the form can (the linked-children list greys
    // what it cannot).
    virtual bool AddLinkedItem(int dataFile, bool onlyAsk) = 0;
    // A file chosen by the user, added as a file item linked with the form's record; `onlyAsk` as above.
    virtual bool AddLinkedFile(bool onlyAsk) = 0;
};
