#pragma once
// CContainerNode: a node bound to one folder of its catalogue (CFolderRecord of the catalogue's folder
// list, not owned). Its children are the folder's subfolders and areas, built when a pane first asks
// (PopulateChildren); its list shows the folder's records through its item set. It owns folder rename,
// folder deletion and reloading. CFolderNode (every kind) and CAreaNode (one data file) derive from it.

#include "tree/base/AreaFileNode.h"

#include <functional>
#include <string>

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
    std::string CreateShortcut(int kind) override;
    bool IsEmpty() override;
    void BuildItemMenu(CNodeMenu* menu) override;

    // Builds the subfolders and areas once.
    void BuildChildren() override;
    // Builds the children, shows them in the control when one is given (not the row nodes made for
    // records of the list) and (re)loads the item set.
    void PopulateChildren(CTreeControl* tree) override;
    bool HasUnbuiltChildren() override;
    bool ChildrenBuilt() const { return m_childrenBuilt; }
    // Deletes the node's child items, inserts the subtree again and expands the item.
    bool Open(CTreeControl* tree) override;
    // Takes the folder's name again and forgets the children (rebuilt when a pane next asks); the
    // catalogue reads its links and its sets of lists and queries again.
    void Reload() override;
    // A folder's label can be edited in place (Rename writes it); not in a view-only catalogue.
    bool BeginInPlaceEdit(CNodeListPane* list, NodePoint point) override;
    // Writes the folder's new NAME; an empty name is refused.
    bool Rename(std::string_view text) override;
    // Asks "Confirm Folder Delete" (unless quiet), deletes the children, then the folder with its
    // records; after the last folder of a data file, offers to remove the data file.
    int Delete(CNodeListPane* list, bool quiet) override;

    // ---- dropping and pasting ---------------------------------------------------------------------------
    // Records of this catalogue go into the folder (moved: their PARENT becomes the folder's NUMBER;
    // copied: new rows with their notes copied and their other links carried over). Folders, queries and
    // item lists on the clipboard are pasted first. Records of another catalogue whose kind has a match
    // here are copied in through the installed CRecordCopier (moved: then deleted from their catalogue).
    void DropMove(CItemSet* set) override;
    void DropCopy(CItemSet* set) override;
    // The first of the folder, query and list formats (moved or copied) on the clipboard that names an
    // element this folder can take: one of this catalogue that is neither this folder nor above it.
    bool CanPasteFolders(bool move);
    // Pastes the folders, queries and lists the clipboard holds, moved or copied; true when any was.
    bool PasteFolders(bool move);
    // The folders named by the format's paths become subfolders of this one (same catalogue only; a
    // folder is never put inside itself). True when one was moved.
    bool PasteAreaMove(std::string_view format);
    // Copies of the folders named by the format's paths, "Copy of %s" ("Copy %d of %s" when taken), with
    // their contents; a container without a folder record makes them at the catalogue's top level. True
    // when one was copied.
    bool PasteAreaCopy(std::string_view format);
    // The stored queries and item lists of this catalogue named by the paths move into this folder.
    bool PasteQueryOrListMove(std::string_view format);
    // Copies of the stored queries and item lists of this catalogue named by the paths, made in this
    // folder under the copy names; a list's copy holds the same records. True when one was copied.
    bool PasteQueryOrListCopy(std::string_view format);
    // Copies the records of the source folder, and of its subfolders into copies of them, into the new
    // folder; a folder copied into itself is copied once, not again and again.
    void CopyAreaContents(CFolderRecord& source, CFolderRecord& newFolder);
    // "Copy of %s", or "Copy %d of %s" from 2 on, the first that no subfolder, list or query of this
    // folder holds and that `taken` (when given) does not refuse.
    std::string CopyNameFor(std::string_view name, const std::function<bool(const std::string&)>& taken = {});

    // Opens a new record of the data file, to be saved into this folder, in the record window; nothing
    // without a record window.
    void OpenEntryById(int dataFile, CNodeFrame* frame) override;
    void CollectShownItemsOfKind(CItemSet& set, int kind) override;
    std::unique_ptr<CTreeNode> NewChild(const CNodeRef& key) override;
    std::unique_ptr<CTreeNode> NewChildFromSet(CItemSet& set) override;

    // Appends the folder's subfolders (folder nodes for TYPE 100 and more, else area nodes) below the
    // parent. A folder that is already an ancestor (a loop of damaged PARENT values) is left out, and
    // nesting stops at kMaxNesting.
    static void BuildFolderChildren(CTreeNode& parent, CCatalogueDb& catalogue, double folderNumber);
    static bool HoldsQueryOrList(CCatalogueDb& catalogue, double folderNumber);

protected:
    // The CRecordCopier mode of each record of another catalogue dropped here, asked during the drop.
    virtual std::function<int(CItemSet&)> CopyModes();

    CCatalogueDb* m_catalogue;
    CFolderRecord* m_folder;

private:
    // The node the path names, searched from the root; null when none is built.
    CTreeNode* FindNodeByPath(const std::string& path);
    // Whether the node is a container of this catalogue that may go below this node.
    bool CanTakeFolder(CTreeNode& node);
    // Whether a copy of the node may be made here: a container of this catalogue (a copy into its own
    // subfolder is made once).
    bool CanCopyFolder(CTreeNode& node);
    bool IsQueryOrListOfCatalogue(CTreeNode& node);
    // Each query or item list of this catalogue named on the clipboard under the format, handed to paste
    // with this folder's number; the catalogue's sets of them are made anew when one was pasted.
    bool PasteQueriesOrLists(std::string_view format, const std::function<bool(CTreeNode&, double)>& paste);
    bool HoldsElementNamed(const std::string& name);
    bool CopyQueryHere(CTreeNode& query, double folderNumber);
    bool CopyItemListHere(CTreeNode& list, double folderNumber);
    // Reloads the folder's set, then tells the panes: the folder's parent after a paste, else the copies
    // of the dropped records' catalogue.
    void EndDrop(CItemSet* set, bool pasted);
    struct CopyState
    {
        std::vector<double> made;    // the folders made by this copy
        std::vector<double> sources; // the folders being copied, outermost first
    };
    void CopyAreaContents(CFolderRecord& source, CFolderRecord& newFolder, CopyState& state);

    bool m_childrenBuilt = false;
};

// Removes a data file after its last folder went: its resources and table, its menu name; the
// definitions are rebuilt and saved and other copies are told to reload the catalogue.
void RemoveDataFileOfCatalogue(CCatalogueDb& catalogue, int fileNumber);
