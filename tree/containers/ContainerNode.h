#pragma once
// CContainerNode: a node bound to one folder of its catalogue (CFolderRecord of the catalogue's folder
// list, not owned). Its children are the folder's subfolders and areas, built when a pane first asks
// (PopulateChildren); its list shows the folder's records through its item set. It owns folder rename,
// folder deletion and reloading. CFolderNode (every kind) and CAreaNode (one data file) derive from it.

#include "tree/base/AreaFileNode.h"

class CContainerNode : public CAreaFileNode
{
public:
    // Deeper folders than this are not built.
    static constexpr int kMaxNesting = 126;

    // The item set holds the folder's records of the kind (-1: of every kind).
    CContainerNode(CCatalogueDb& catalogue, CFolderRecord* folder, int kind);

    CFolderRecord* GetFolderRecord() override { return m_folder; }
    CCatalogueDb* GetCatalogue() override { return m_catalogue; }
    bool IsContainer() override { return true; }
    bool IsFolderContainer() override { return true; }
    bool IsFolderElement() override { return true; }
    bool CanCreateShortcut() override { return true; }
    bool IsEmpty() override;

    // Builds the subfolders and areas once, inserting them under the node's item when a tree is given,
    // and (re)loads the item set.
    void PopulateChildren(CTreeControl* tree) override;
    bool HasUnbuiltChildren() override;
    bool ChildrenBuilt() const { return m_childrenBuilt; }
    // Deletes the node's child items, inserts the subtree again and expands the item.
    bool Open(CTreeControl* tree) override;
    // Takes the folder's name again and forgets the children (rebuilt when a pane next asks); the
    // catalogue reads its links and its sets of lists and queries again.
    void Reload() override;
    // Writes the folder's new NAME; an empty name is refused.
    bool Rename(std::string_view text) override;
    // Asks "Confirm Folder Delete" (unless quiet), deletes the children, then the folder with its
    // records; after the last folder of a data file, offers to remove the data file.
    int Delete(CNodeListPane* list, bool quiet) override;

    void CollectShownItemsOfKind(CItemSet& set, int kind) override;
    std::unique_ptr<CTreeNode> NewChild(const CNodeRef& key) override;
    std::unique_ptr<CTreeNode> NewChildFromSet(CItemSet& set) override;

    // Appends the folder's subfolders (folder nodes for TYPE 100 and more, else area nodes) below the
    // parent, inserting them into the tree when one is given. A folder that is already an ancestor
    // (a loop of damaged PARENT values) is left out, and nesting stops at kMaxNesting.
    static void BuildFolderChildren(CTreeNode& parent, CCatalogueDb& catalogue, double folderNumber,
                                    CTreeControl* tree);

protected:
    CCatalogueDb* m_catalogue;
    CFolderRecord* m_folder;

private:
    bool m_childrenBuilt = false;
};

// Removes a data file after its last folder went: its resources and table, its menu name; the
// definitions are rebuilt and saved and other copies are told to reload the catalogue.
void RemoveDataFileOfCatalogue(CCatalogueDb& catalogue, int fileNumber);
