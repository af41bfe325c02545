#pragma once
// Query nodes: a stored query of the catalogue (a row of its built-in query set, kind 23, with a stored
// definition) shown with its result records, and the temporary result nodes that the find and list
// commands make: the quick query that every quick search refills, a given set, and a whole data file.
// Every one but a stored query is labelled "Temp. Query".

#include "tree/base/AreaFileNode.h"

#include <memory>

class CQueryNode : public CAreaFileNode
{
public:
    // Its web page (tree/pages/NodePages.cpp).
    bool FillPageTemplate(std::string& message) override;
    // A stored query: `querySet` (the catalogue's query set) is positioned on the query's row; the node
    // keeps a set of its own over that row and shows the results of the stored definition of that name.
    CQueryNode(std::string_view name, CCatalogueDb& catalogue, CItemSet& querySet);
    // A temporary result: the node's set describes what `results` describes and holds its records.
    explicit CQueryNode(CItemSet& results);
    ~CQueryNode() override;

    CItemSet* GetOwnSet() override { return m_ownSet.get(); }
    bool IsQuery() override { return true; }
    bool CanBeLinked() override { return true; }
    bool CanCreateShortcut() override { return true; }
    std::string CreateShortcut(int kind) override;
    bool CanHaveChildren() override { return false; }
    std::string GetHelpKey() override { return "KV.QUERYITM"; }
    // "Catalogue: %s", "Query %s", "Contains: %d records"; one text for a query over every catalogue.
    std::vector<std::string> GetStatusText() override;
    // The query sheet (name and comment) of a stored query; false for a temporary result and while no
    // sheets are installed (tree/properties/NodeSheets.h).
    bool ShowProperties(CNodeFrame* frame, int page) override;
    bool Open(CTreeControl* /*tree*/) override { return true; }
    bool Collapse(CTreeControl* /*tree*/) override { return true; }
    void PopulateChildren(CTreeControl* /*tree*/) override {}
    // True unless the catalogue is view-only.
    bool BeginInPlaceEdit(CNodeListPane* list, NodePoint point) override;
    // Stores the definition again under the new name, in the same folder (PARENT), and removes the
    // old name's; false for a temporary result, an empty name or a name another query has.
    bool Rename(std::string_view text) override;
    // Moves the query's row to the folder of that code.
    void SetParentCode(double parent) override;
    // Runs the query again.
    void Reload() override;
    // Asks "Confirm Query delete" unless quiet, then removes the stored query.
    int Delete(CNodeListPane* list, bool quiet) override;
    bool CopyToClipboard(bool onlyAsk) override;
    bool CutToClipboard(bool onlyAsk) override;

    std::unique_ptr<CTreeNode> NewChild(const CNodeRef& key) override;
    std::unique_ptr<CTreeNode> NewChildFromSet(CItemSet& set) override;

protected:
    CCatalogueDb* m_catalogue = nullptr;
    std::unique_ptr<CItemSet> m_ownSet;
};

// The one search result node that the find commands refill. It cannot be deleted.
class CQuickQueryNode : public CQueryNode
{
public:
    // Its web page (tree/pages/NodePages.cpp).
    bool FillPageTemplate(std::string& message) override;
    explicit CQuickQueryNode(CItemSet& results);
    bool IsQuickQuery() override { return true; }
    // "You can not delete the quick query item." Always refused.
    int Delete(CNodeListPane* list, bool quiet) override;
    // The node shows the search's records instead of the ones it showed.
    void RunSearch(CItemSet* search) override;
};

// A temporary result over a given set, which the node takes.
class CFileSetNode : public CAreaFileNode
{
public:
    explicit CFileSetNode(std::unique_ptr<CItemSet> set);
    std::unique_ptr<CTreeNode> NewChild(const CNodeRef& key) override;
    std::unique_ptr<CTreeNode> NewChildFromSet(CItemSet& set) override;
};

// A temporary result over the records of one data file that meet the criteria, sorted by name.
class CFileAreaNode : public CAreaFileNode
{
public:
    CFileAreaNode(CCatalogueDb& catalogue, std::string_view criteria, int kind);
    CCatalogueDb* GetCatalogue() override { return m_catalogue; }
    bool IsFileArea() override { return true; }
    // True unless the catalogue is view-only.
    bool IsEditable() override;
    std::unique_ptr<CTreeNode> NewChild(const CNodeRef& key) override;
    std::unique_ptr<CTreeNode> NewChildFromSet(CItemSet& set) override;

private:
    CCatalogueDb* m_catalogue;
};

// The same, never editable.
class CFileAreaNodePlain : public CFileAreaNode
{
public:
    using CFileAreaNode::CFileAreaNode;
    bool IsEditable() override { return false; }
};
