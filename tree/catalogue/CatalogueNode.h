#pragma once
// CCatalogueNode: one open catalogue in the element tree, directly under "My Catalogues". It owns its
// catalogue object (or borrows one), builds its fixed children the first time a pane asks (folders and
// areas, stored queries, item lists, the shopping cart and past orders, "Tables", the wastebasket),
// answers the "New" menu, makes new lists, queries, folders and items, and removes the catalogue from
// the program.

#include "tree/base/TreeNode.h"
#include "tree/catalogue/CatalogueNodeUi.h"

#include <filesystem>
#include <memory>
#include <optional>

class CCatalogueNode : public CTreeNode
{
public:
    // Its web page (tree/pages/NodePages.cpp).
    bool FillPageTemplate(std::string& message) override;
    // Opens the catalogue file and owns the object; links whose records are gone are repaired.
    explicit CCatalogueNode(const std::filesystem::path& file);
    // Owns the catalogue object (links are repaired when it is open).
    explicit CCatalogueNode(std::unique_ptr<CCatalogueDb> catalogue);
    // Borrows the catalogue object, which must outlive the node.
    explicit CCatalogueNode(CCatalogueDb& catalogue);
    // The children go first: they use the catalogue, which the node then closes when it owns it.
    ~CCatalogueNode() override;

    CCatalogueDb* GetCatalogue() override { return m_catalogue; }
    CTreeNode* GetCatalogueNode() override { return this; }
    bool IsBorrowed() const { return m_borrowed; }
    bool ChildrenBuilt() const { return m_childrenBuilt; }

    bool IsCatalogue() override { return true; }
    bool IsEmpty() override { return false; }
    bool CanCreateShortcut() override { return true; }
    // A shortcut named after the catalogue that opens the program on it.
    std::string CreateShortcut(int kind) override;
    bool HasCatalogueMenu() override { return true; }
    bool HasUnbuiltChildren() override { return !m_childrenBuilt; }
    std::string GetHelpKey() override { return "KV.ADBITM"; }
    std::vector<std::string> GetStatusText() override;
    bool BeginInPlaceEdit(CNodeListPane* /*list*/, NodePoint /*point*/) override { return true; }
    // Writes NAME (at most 127 bytes) into the settings row and takes it as the label; an empty name is
    // refused.
    bool Rename(std::string_view text) override;
    // The catalogue sheet (tree/properties/NodeSheets.h); false while no sheets are installed.
    bool ShowProperties(CNodeFrame* frame, int page) override;
    // The catalogue's properties; until they can be shown, the tree item opens as any other.
    bool Open(CTreeControl* tree) override;

    // Builds the children once: a protected catalogue asks for its password first (a wrong one builds
    // nothing, so the next expansion asks again; Cancel builds from the catalogue as it stands).
    void BuildChildren() override;
    void PopulateChildren(CTreeControl* tree) override;

    // The popup "New" with the catalogue's "New" menu, then Rename.
    void BuildItemMenu(CNodeMenu* menu) override;
    // Whether the New commands can ask their questions (the windows installed CCatalogueNodeUi).
    static bool CanCreateElements();
    // Create an item list, a stored query or a folder under the selected element (this node when none
    // is selected or it lies in another catalogue), named in the "Create New" dialog.
    void NewItemList() override;
    void NewQuery();
    void NewFolder();
    // A new record of the data file, in the one place it can go or in the place the user chooses; string
    // 515 when there is none.
    void NewItemOfKind(CNodeFrame* frame, int dataFile);
    // Opens a new record of the data file in the first child that shows records of that kind.
    void OpenEntryById(int dataFile, CNodeFrame* frame) override;

    // Records of another open catalogue dropped here are copied in through the copy of a selection
    // (SelectionCopy.h); a type this catalogue lacks is first copied over with the types it refers to,
    // when the user agrees. A move deletes each source record only once its copy is committed. Records
    // of this catalogue itself are refused. Copied queries, item lists and folders of this catalogue on
    // the clipboard are pasted at its top level first. Defined in CatalogueDrops.cpp.
    bool CanAcceptCopy(CItemSet* set) override;
    bool CanAcceptMove(CItemSet* set) override;
    void DropCopy(CItemSet* set) override;
    void DropMove(CItemSet* set) override;

    void CollectItemsOfKind(CItemSet& set, int kind) override;
    void CollectShownItemsOfKind(CItemSet& set, int kind) override;

    // Removes the catalogue from the program after two questions (the second offers to delete its file);
    // refused for the last catalogue. The caller removes the node, which closes the file.
    int Delete(CNodeListPane* list, bool quiet) override;
    // "Unload_DB" with the catalogue file: every window lets go of it and loads it again.
    void SendUnload() override;
    void PostUnload() override;

    // The first free proposal: text A, else text B ("... %d") with 1, 2, 3 ... among the children of
    // `place`.
    static std::string UniqueChildName(CTreeNode& place, std::string_view first, std::string_view numbered);

private:
    // Whether records of the set can be copied in.
    bool CanAcceptRecords(CItemSet* set);
    // Whether the clipboard holds copied queries, item lists or folders of this catalogue.
    bool CanPasteCopiedElements();
    // Pastes them at the top level; true when one was pasted.
    bool PasteCopiedElements();
    // The drop of either kind; true when records were copied.
    bool DropRecords(CItemSet& set);
    // The element of the source catalogue's tree holding the set's current record (its folder or the
    // catalogue); null when no node of it is built.
    CTreeNode* SourceFolderNode(CItemSet& set);
    void Init();
    void RepairLinksIfOpen();
    // The selected element when it belongs to this catalogue, else this node.
    CTreeNode& NewElementPlace();
    struct NewElementRequest
    {
        CTreeNode* place;
        CCatalogueNodeUi::NewElementAnswer answer;
    };
    // Asks for a new element under the place new elements go (or the parent the user chose there), proposing
    // the first name of the two texts that no child there has; nullopt when no window can ask, the catalogue
    // is not open or no name came.
    std::optional<NewElementRequest> AskForNewElement(CCatalogueNodeUi::NewElement what, unsigned firstText,
                                                      unsigned numberedText);
    // After a list or query was made: the folder node is reloaded, or at top level every window reloads
    // the catalogue.
    void AnnounceNewElement(CTreeNode& place);
    // A new child of this node, put where building the children would have put it.
    void InsertInOrder(std::unique_ptr<CTreeNode> node);

    std::unique_ptr<CCatalogueDb> m_owned;
    CCatalogueDb* m_catalogue = nullptr;
    bool m_borrowed = false;
    bool m_childrenBuilt = false;
};

// The folder NUMBER new elements of `place` go under: its folder record's, 0 when it has none.
double FolderNumberOf(CTreeNode& place);
