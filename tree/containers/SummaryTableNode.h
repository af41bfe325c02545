#pragma once
// CSummaryTableNode: the records of one data file across every folder, under the catalogue's "Tables"
// group. Its rows are made for the records that something links to.

#include "tree/base/AreaFileNode.h"

class CSummaryTableNode : public CAreaFileNode
{
public:
    // Its web page (tree/pages/NodePages.cpp).
    bool FillPageTemplate(std::string& message) override;
    CSummaryTableNode(CCatalogueDb& catalogue, int dataFile);

    CCatalogueDb* GetCatalogue() override { return m_catalogue; }
    int GetDataFile() const { return m_dataFile; }
    bool IsTableNode() override { return true; }
    std::string GetHelpKey() override { return "KV.TABLESITM"; }
    // "Catalogue: %s", "Summary table: %s", "Contains: %d records".
    std::vector<std::string> GetStatusText() override;
    void BuildItemMenu(CNodeMenu* menu) override;

    // Reloads the set and makes the rows anew: one for each record something links to.
    void BuildChildren() override;
    // False when the catalogue is view-only, else what the parent answers.
    bool CanAcceptCopy(CItemSet* set) override;
    bool CanAcceptMove(CItemSet* set) override { return CanAcceptCopy(set); }
    // As "Tables" does (DropOnTable).
    void DropCopy(CItemSet* set) override;
    void DropMove(CItemSet* set) override;
    // A table is never deleted as such: the data file goes, when it is shown only as a child and the
    // user agrees. Always refused.
    int Delete(CNodeListPane* list, bool quiet) override;

    // Opens a new record of the data file, in no folder, in the record window ("New Table Item"); nothing
    // without a record window.
    void OpenEntryById(int dataFile, CNodeFrame* frame) override;

    std::unique_ptr<CTreeNode> NewChild(const CNodeRef& key) override;
    std::unique_ptr<CTreeNode> NewChildFromSet(CItemSet& set) override;

private:
    CCatalogueDb* m_catalogue;
    int m_dataFile;
};
