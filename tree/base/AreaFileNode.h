#pragma once
// CAreaFileNode: a node that shows records, through an item set (a folder's, a data file's, a query's,
// a record's own). The set is made by the node and owned by it, or borrowed from whoever made it. The
// node kind is a data-file number (1 to 99), a special kind (20 to 25, ImageKinds.h) or -1 for a set of
// every kind.

#include "tree/base/TreeNode.h"

class CNodeRef;

class CAreaFileNode : public CTreeNode
{
public:
    // No set yet (SetOwnedSet gives one).
    CAreaFileNode(std::string_view label, int kind, int closedImage, int openImage);
    // Over a set the caller keeps alive; the kind is the set's current record's.
    explicit CAreaFileNode(CItemSet& borrowed);
    ~CAreaFileNode() override;

    CItemSet* GetItemSet() override { return m_set; }
    int GetKind() override { return m_kind; }
    bool IsDataNode() override { return true; }
    bool HasLayoutPage() override { return true; }
    // Through the installed layout-page writer (tree/pages/NodePageWriter.h).
    bool WriteLayoutPage(std::string_view layoutName, std::string& message, CMarkupNode** found) override;
    bool IsEmpty() override;
    void BuildItemMenu(CNodeMenu* menu) override;
    bool BeginInPlaceEdit(CNodeListPane* list, NodePoint point) override;
    CFolderRecord* GetFolderRecord() override;
    std::string GetHelpKey() override;
    // Renames the data file of the node's kind (its menu name, saved with the definitions) and relabels
    // every node of the catalogue that shows that data file as such (not folders and areas).
    bool Rename(std::string_view text) override;

    void CollectItems(CItemSet& set) override;
    void CollectItemsOfKind(CItemSet& set, int kind) override;
    void CollectShownItemsOfKind(CItemSet& set, int kind) override;
    // Makes a row node for the first record of the set with that name and opens it.
    bool FindChildByName(std::string_view text) override;

    bool CopyToClipboard(bool onlyAsk) override;
    bool CutToClipboard(bool onlyAsk) override;

    // The row nodes of this node's list: for a record key, and for the set's current record. Null here.
    virtual std::unique_ptr<CTreeNode> NewChild(const CNodeRef& key);
    virtual std::unique_ptr<CTreeNode> NewChildFromSet(CItemSet& set);

protected:
    void SetOwnedSet(std::unique_ptr<CItemSet> set);
    void SetKind(int kind) { m_kind = kind; }

private:
    CItemSet* m_set = nullptr;
    std::unique_ptr<CItemSet> m_ownedSet;
    int m_kind = 0;
};
