#pragma once
// CAreaNode: a folder that holds the records of one data file (its TYPE). The to-do list (kind 25) and
// the bookmarks (kind 24) are areas too. In the tree pane an area of a data file 1 to 19 shows the
// catalogue's picture of that data file, unless the setting "Newlook" is "false".

#include "tree/containers/ContainerNode.h"

class CAreaNode : public CContainerNode
{
public:
    // Its web page (tree/pages/NodePages.cpp).
    bool FillPageTemplate(std::string& message) override;
    // The data file's picture goes into the tree pane's image list when the node first shows there.
    CAreaNode(CCatalogueDb& catalogue, CFolderRecord* folder, int kind);

    bool IsArea() override { return true; }
    bool AcceptsKind(int kind) override { return kind == GetKind(); }
    bool IsEditable() override;
    bool CanBeLinked() override;
    std::string GetHelpKey() override { return "KV.AREAITM"; }
    // "Catalogue: %s", "Folder %s,File %s" (or "File %s" without a folder), "Contains: %d records".
    std::vector<std::string> GetStatusText() override;
    void BuildItemMenu(CNodeMenu* menu) override;

    // Folders, queries or item lists on the clipboard that this area can take (CanPasteFolders), else a
    // record of this catalogue and data file that lies in another folder.
    bool CanAcceptMove(CItemSet* set) override;
    // The same for copies; a record of another catalogue counts when its data file has a match here.
    bool CanAcceptCopy(CItemSet* set) override;

protected:
    void PrepareImagesFor(CTreeControl& tree) override;
    // Once per drop, when a dropped record's form lists its children, asks whether they are copied too.
    std::function<int(CItemSet&)> CopyModes() override;

private:
    bool m_pictureTaken = false;
};

// In the tree pane, a data file 1 to 19 shows the catalogue's picture of it (added to the pane's image
// list) unless the setting "Newlook" is "false". False when the control is not the tree pane, so the
// picture is looked for again when the node shows there.
bool TakeDataFilePicture(CTreeNode& node, CCatalogueDb& catalogue, int kind, CTreeControl& tree);
