#pragma once
// CItemListNode: one item list of the catalogue (a row of its built-in list set, kind 22) and the records
// of any data file linked to it. Its rows are CItemListRecordNodes: removing a row removes only the link.

#include "tree/base/AreaFileNode.h"

#include <memory>

class CItemListNode : public CAreaFileNode
{
public:
    // Its web page (tree/pages/NodePages.cpp).
    bool FillPageTemplate(std::string& message) override;
    // `listSet` (the catalogue's list set) is positioned on the list's row.
    CItemListNode(CCatalogueDb& catalogue, CItemSet& listSet);
    ~CItemListNode() override;

    CCatalogueDb* GetCatalogue() override { return m_catalogue; }
    CItemSet* GetOwnSet() override { return m_ownSet.get(); }
    bool IsItemList() override { return true; }
    bool CanBeLinked() override { return true; }
    bool CanCreateShortcut() override { return true; }
    std::string CreateShortcut(int kind) override;
    bool CanHaveChildren() override { return false; }
    std::string GetHelpKey() override { return "KV.DISTLISTITM"; }
    // "Catalogue: %s", "List %s", "Contains: %d records".
    std::vector<std::string> GetStatusText() override;
    void BuildItemMenu(CNodeMenu* menu) override;
    // Writes the list's new NAME; refused in a view-only catalogue or for an empty name.
    bool Rename(std::string_view text) override;
    // Asks "Confirm List delete" unless quiet, then deletes the list's own row.
    int Delete(CNodeListPane* list, bool quiet) override;
    // Links every record of the set to the list.
    void DropLink(CItemSet& set) override;
    void SetParentCode(double parent) override;
    // Reads the list's row and its linked records again.
    void Reload() override;
    bool CopyToClipboard(bool onlyAsk) override;
    bool CutToClipboard(bool onlyAsk) override;

    std::unique_ptr<CTreeNode> NewChild(const CNodeRef& key) override;
    std::unique_ptr<CTreeNode> NewChildFromSet(CItemSet& set) override;

private:
    CCatalogueDb* m_catalogue;
    std::unique_ptr<CItemSet> m_ownSet;
};
