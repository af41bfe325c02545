#pragma once
// CFolderNode: a folder that holds items of every kind (TYPE 100 or more). Its list shows the records
// of every data file that lie in the folder; its children are its subfolders and areas.

#include "tree/containers/ContainerNode.h"

class CFolderNode : public CContainerNode
{
public:
    // Its web page (tree/pages/NodePages.cpp).
    bool FillPageTemplate(std::string& message) override;
    CFolderNode(CCatalogueDb& catalogue, CFolderRecord* folder);

    bool IsFolder() override { return true; }
    bool IsContentEntry() override { return true; }
    bool CanBeLinked() override { return true; }
    // A folder's own kind is -1, so it takes every kind.
    bool AcceptsKind(int kind) override;
    std::string GetHelpKey() override { return "KV.AREAITM"; }
    // Folders, queries or item lists on the clipboard that it can take; else a record of an ordinary
    // kind, the bookmarks or the to-do list that is not in this folder yet, or (copied only) of another
    // catalogue whose kind has a match here.
    bool CanAcceptCopy(CItemSet* set) override;
    bool CanAcceptMove(CItemSet* set) override;
    // "Catalogue: %s", "Folder %s", "Contains: %d records".
    std::vector<std::string> GetStatusText() override;

private:
    bool CanAccept(CItemSet* set, bool move);
};
