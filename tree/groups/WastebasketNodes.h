#pragma once
// The catalogue's wastebasket: one node per data file holding its deleted records, and the "Tables"
// group for the data files kept as tables. Its picture says whether anything lies in it.

#include "tree/base/AreaFileNode.h"

class CWastebasketNode : public CTreeNode
{
public:
    // Its web page (tree/pages/NodePages.cpp).
    bool FillPageTemplate(std::string& message) override;
    // The label is the setting "WastebasketName", by default "Recycle Bin".
    explicit CWastebasketNode(CCatalogueDb& catalogue);

    CCatalogueDb* GetCatalogue() override { return m_catalogue; }
    bool IsWastebasket() override { return true; }
    bool IsInWastebasket() override { return true; }
    bool IsWastebasketRoot() override { return true; }
    std::vector<std::string> GetStatusText() override;
    bool CanCreateShortcut() override { return true; }
    std::string CreateShortcut(int kind) override;
    bool HasUnbuiltChildren() override { return !m_childrenBuilt; }
    bool BeginInPlaceEdit(CNodeListPane* list, NodePoint point) override;
    std::string GetHelpKey() override { return "KV.WASTITM"; }
    // Sets the label and keeps it in the setting "WastebasketName".
    bool Rename(std::string_view text) override;
    void BuildItemMenu(CNodeMenu* menu) override;
    // Unless quiet, "You can not delete the wastebasket; use Empty Recycle Bin". Always refused.
    int Delete(CNodeListPane* list, bool quiet) override;
    // Live records of this catalogue, unless it is view-only.
    bool CanAcceptMove(CItemSet* set) override;
    // Asks once whether to send the records to the wastebasket; on Yes (or Yes to All) every record goes,
    // its notes and file items with it. Records of another catalogue or a view-only one are left alone.
    void DropMove(CItemSet* set) override;
    // A node per data file with a menu name (not the item lists; the to-do list only where it is
    // shown): under "Tables" for a data file kept as a table, directly below for the others and for a
    // table that is also offered when new items are made.
    void BuildChildren() override;
    void PurgeDeleted() override;
    void CollectItemsOfKind(CItemSet& set, int kind) override;
    void CollectShownItemsOfKind(CItemSet& set, int kind) override;
    bool CopyToClipboard(bool onlyAsk) override;
    bool CutToClipboard(bool onlyAsk) override;

private:
    template <typename Collect>
    void CollectFromChildren(int kind, bool skipHidden, Collect collect);

    CCatalogueDb* m_catalogue;
    bool m_childrenBuilt = false;
};

// The deleted records of one kind, over every folder.
class CWastebasketAreaFileNode : public CAreaFileNode
{
public:
    // Its web page (tree/pages/NodePages.cpp).
    bool FillPageTemplate(std::string& message) override;
    // The data file's picture goes into the tree pane's image list when the node first shows there.
    CWastebasketAreaFileNode(CCatalogueDb& catalogue, int kind, std::string_view label);
    CCatalogueDb* GetCatalogue() override { return m_catalogue; }
    bool IsInWastebasket() override { return true; }
    bool IsWastebasketArea() override { return true; }
    std::vector<std::string> GetStatusText() override;
    bool CanHaveChildren() override { return false; }
    // Unless quiet, "You can not delete a deleted item; use Empty Recycle Bin". Always refused.
    int Delete(CNodeListPane* list, bool quiet) override;
    void PopulateChildren(CTreeControl* tree) override;
    void PurgeDeleted() override;
    std::string CreateShortcut(int kind) override;
    std::unique_ptr<CTreeNode> NewChild(const CNodeRef& key) override;
    std::unique_ptr<CTreeNode> NewChildFromSet(CItemSet& set) override;

protected:
    void PrepareImagesFor(CTreeControl& tree) override;

private:
    CCatalogueDb* m_catalogue;
    bool m_pictureTaken = false;
};

// The deleted records of one data file, in the wastebasket's "Tables".
class CWastebasketTableFileNode : public CAreaFileNode
{
public:
    // Its web page (tree/pages/NodePages.cpp).
    bool FillPageTemplate(std::string& message) override;
    CWastebasketTableFileNode(CCatalogueDb& catalogue, int kind, std::string_view label);
    bool IsInWastebasket() override { return true; }
    bool IsWastebasketArea() override { return true; }
    std::vector<std::string> GetStatusText() override;
    std::string GetHelpKey() override { return "KV.TABLEITM"; }
    // Unless quiet, "You can not delete a deleted item; use Empty Recycle Bin". Always refused.
    int Delete(CNodeListPane* list, bool quiet) override;
    void PopulateChildren(CTreeControl* tree) override;
    void BuildItemMenu(CNodeMenu* /*menu*/) override {}
    std::unique_ptr<CTreeNode> NewChild(const CNodeRef& key) override;
    std::unique_ptr<CTreeNode> NewChildFromSet(CItemSet& set) override;
};
