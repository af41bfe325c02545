#pragma once
// Row nodes: one record of a list, wrapped in a node whose own item set holds just that record. A row
// node is made only when something asks for that row's element (opening, menus, dragging, deleting,
// properties, in-place editing), never one per record up front: the list pane draws its rows from the
// item set of the node it shows. The nine classes differ only in where the record is shown (a folder,
// an item list, a temporary query, the wastebasket, a summary table, a query's result) and so in how
// they open, rename, edit and delete; each names the class of the rows it makes in turn (NewChild,
// NewChildFromSet).

#include "tree/base/AreaFileNode.h"

#include <memory>

class CRecordNode : public CAreaFileNode
{
public:
    // Its show page, and the layout page "summary" (tree/pages/NodePages.cpp).
    bool FillPageTemplate(std::string& message) override;
    bool CreateWebPage(std::string& message, CMarkupNode** found) override;
    // From the set's current record: the node's set holds a copy of it, the label is its name.
    explicit CRecordNode(CItemSet& set);
    // From a record key: the record is read from the key's catalogue.
    explicit CRecordNode(const CNodeRef& key);
    // Over the current record of another node's set, with that node's kind.
    explicit CRecordNode(CAreaFileNode& other);

    bool IsRecord() override { return true; }
    bool CanHaveChildren() override { return false; }
    bool AcceptsKind(int kind) override { return kind == GetKind(); }
    const char* GetTypeName() override { return "RECORD"; }
    std::string GetHelpKey() override { return "KV.CONTACTITM"; }
    // "Catalogue: %s", where the record lies (its parent and folder), the record's name.
    std::vector<std::string> GetStatusText() override;
    void BuildItemMenu(CNodeMenu* menu) override;
    void BuildItemMenuWithSearch(CNodeMenu* menu) override;
    // The list's own label editing (then Rename); refused in a view-only catalogue.
    bool BeginInPlaceEdit(CNodeListPane* list, NodePoint point) override;
    // A file item's file opens in the desktop's program for it (NodeSheets.h); other records open in the
    // record form at the record; false without a record form (RecordForm.h).
    // The file sheet of a file item (data file 21); nothing for other records.
    bool ShowProperties(CNodeFrame* frame, int page) override;
    bool Open(CTreeControl* tree) override;
    bool Collapse(CTreeControl* /*tree*/) override { return false; }
    // Stores the text as the record's name (its title fields) and saves the record; refused in a
    // view-only catalogue.
    bool Rename(std::string_view text) override;
    virtual bool CanDelete() { return false; }
    // Asks "Are you sure you want to send %s to the Recycle Bin ?" unless quiet, then sends the record
    // to the wastebasket (DeleteFromList with no answer). 0 refused, 1 done, 8 done with Yes to All (and
    // always when quiet).
    int Delete(CNodeListPane* list, bool quiet) override;
    // Deletes without asking, as a multi-row delete does once it has asked: with the answer Yes (6) the
    // record's sub-records go to the wastebasket first, then the record. 1 when done, 0 when not.
    virtual int DeleteFromList(int answer, CNodeListPane* list);
    // Takes the record out of the wastebasket, back where it was, with the notes and file items that
    // went with it.
    bool RestoreFromWastebasket();
    // The record's sub-records (the records linked with it), as rows of their own.
    void BuildChildren() override;
    // "single^" with the catalogue, grandparent and parent labels and the record's kind and number.
    std::string CreateShortcut(int kind) override;

    std::unique_ptr<CTreeNode> NewChild(const CNodeRef& key) override;
    std::unique_ptr<CTreeNode> NewChildFromSet(CItemSet& set) override;

protected:
    // Records of the same catalogue, other than this row's own, dropped on a row that takes links: each
    // is linked with the row's record. Never in a view-only catalogue.
    bool CanLinkDropped(CItemSet* set);
    void LinkDropped(CItemSet* set);
    // The question of a one-row delete with the text pattern (the record's name, or the path of a file
    // item, for %s); true for Yes and Yes to All, which `yesToAll` tells.
    bool ConfirmRowDelete(unsigned question, unsigned fileItemQuestion, bool& yesToAll);
    // Opens the record form on a new record of the kind in this row's folder, with a file row for it.
    void OpenNewEntry(int kind, CNodeFrame* frame);
    // The strip of field editors over the row (InPlaceEdit.h): true for a file item or without a list
    // (the list's own label editing goes ahead), false otherwise (refused in a view-only catalogue).
    // `refresh`: when the strip saved, the node takes the record's new name and the pane shows every
    // label again.
    bool EditFieldsInPlace(CNodeListPane* list, NodePoint point, bool quietSave, bool refresh);
    // A file item (kind 21) takes a new file name: see CFolderRecordNode::Rename.
    bool RenameFileItem(std::string_view text);

private:
    bool m_childrenBuilt = false;
};

// A record in a folder or an area.
class CFolderRecordNode : public CRecordNode
{
public:
    using CRecordNode::CRecordNode;
    // Records dropped on the row are linked with its record.
    bool CanAcceptCopy(CItemSet* set) override { return CanLinkDropped(set); }
    void DropCopy(CItemSet* set) override { LinkDropped(set); }
    bool IsContentEntry() override { return true; }
    bool CanBeLinked() override { return true; }
    bool CanCreateShortcut() override { return true; }
    bool CanDelete() override { return true; }
    bool BeginInPlaceEdit(CNodeListPane* list, NodePoint point) override;
    // Only a file item (kind 21) is renamed: its file is copied to the new name, in the same folder and
    // with the same extension unless the text is a whole path, and the record keeps the new path.
    bool Rename(std::string_view text) override { return RenameFileItem(text); }
    // Opens the record form on a new record of the kind in this row's folder.
    void OpenEntryById(int kind, CNodeFrame* frame) override { OpenNewEntry(kind, frame); }
    std::unique_ptr<CTreeNode> NewChild(const CNodeRef& key) override;
    std::unique_ptr<CTreeNode> NewChildFromSet(CItemSet& set) override;
};

// The "add new" row: a new item of its kind in the shown container.
class CAddNewNode : public CFolderRecordNode
{
public:
    // Its web page (tree/pages/NodePages.cpp).
    bool FillPageTemplate(std::string& message) override;
    explicit CAddNewNode(CItemSet& set);
    explicit CAddNewNode(const CNodeRef& key);
    bool IsAddNew() override { return true; }
    bool ShowProperties(CNodeFrame* /*frame*/, int /*page*/) override { return false; }
    void BuildItemMenu(CNodeMenu* menu) override;
    bool CanDelete() override { return false; }
    int Delete(CNodeListPane* /*list*/, bool /*quiet*/) override { return kDeleteRefused; }
    int DeleteFromList(int /*answer*/, CNodeListPane* /*list*/) override { return kDeleteRefused; }
    bool BeginInPlaceEdit(CNodeListPane* list, NodePoint point) override;
};

// A record in an item list: deleting it removes only its link with the list.
class CItemListRecordNode : public CRecordNode
{
public:
    using CRecordNode::CRecordNode;
    // Records dropped on the row are linked with its record.
    bool CanAcceptCopy(CItemSet* set) override { return CanLinkDropped(set); }
    void DropCopy(CItemSet* set) override { LinkDropped(set); }
    bool IsItemListRecord() override { return true; }
    void BuildItemMenuWithSearch(CNodeMenu* menu) override;
    bool IsLinkedRecord() override { return true; }
    bool IsContentEntry() override { return true; }
    bool CanDelete() override { return true; }
    bool CanBeLinked() override { return true; }
    bool CanCreateShortcut() override { return true; }
    // Asks "Are you sure you want to remove %s from the list?" unless quiet, then removes the link
    // between the list and the record; the record and its other links stay.
    int Delete(CNodeListPane* list, bool quiet) override;
    // Removes the link without asking, whatever the answer.
    int DeleteFromList(int answer, CNodeListPane* list) override;
    // Opens the record form on a new record of the kind, as a folder's row does.
    void OpenEntryById(int kind, CNodeFrame* frame) override { OpenNewEntry(kind, frame); }
    std::unique_ptr<CTreeNode> NewChild(const CNodeRef& key) override;
    std::unique_ptr<CTreeNode> NewChildFromSet(CItemSet& set) override;
};

// A record in a temporary query's list.
class CFileRecordNode : public CRecordNode
{
public:
    using CRecordNode::CRecordNode;
    // Records dropped on the row are linked with its record.
    bool CanAcceptCopy(CItemSet* set) override { return CanLinkDropped(set); }
    void DropCopy(CItemSet* set) override { LinkDropped(set); }
    bool IsLinkedRecord() override { return true; }
    bool IsContentEntry() override { return true; }
    bool CanBeLinked() override { return true; }
    bool CanDelete() override { return true; }
    // The field strip, saving without asking the main frame to refresh.
    bool BeginInPlaceEdit(CNodeListPane* list, NodePoint point) override;
    bool Rename(std::string_view text) override { return RenameFileItem(text); }
    // Asks "Are you sure you want to remove %s from the current folder?" unless quiet, then
    // DeleteFromList.
    int Delete(CNodeListPane* list, bool quiet) override;
    // Removes the link between the record and the element whose rows the list shows (this row's parent);
    // a record that is then linked with nothing goes to the wastebasket.
    int DeleteFromList(int answer, CNodeListPane* list) override;
};

// A deleted record of a wastebasket area: it can be neither deleted again nor renamed.
class CWastebasketRecordNode : public CRecordNode
{
public:
    using CRecordNode::CRecordNode;
    bool IsInWastebasket() override { return true; }
    bool Rename(std::string_view /*text*/) override { return false; }
    void BuildItemMenu(CNodeMenu* menu) override;
    // Unless quiet, "You can not delete a deleted item; use Empty Recycle Bin". Always refused.
    int Delete(CNodeListPane* list, bool quiet) override;
    int DeleteFromList(int /*answer*/, CNodeListPane* /*list*/) override { return kDeleteRefused; }
    // A deleted record's sub-records are not shown.
    void BuildChildren() override {}
};

// A deleted record of a data file in the wastebasket's "Tables".
class CWastebasketTableRecordNode : public CWastebasketRecordNode
{
public:
    using CWastebasketRecordNode::CWastebasketRecordNode;
    bool IsTableRecord() override { return true; }
};

// A record of a summary table: it is never opened from the table; its label is its name.
class CSummaryTableRecordNode : public CRecordNode
{
public:
    using CRecordNode::CRecordNode;
    bool IsTableRecord() override { return true; }
    bool CanDelete() override { return true; }
    void BuildItemMenu(CNodeMenu* menu) override;
    bool Open(CTreeControl* /*tree*/) override { return false; }
};

// A record of a query's result.
class CQueryRecordNode : public CRecordNode
{
public:
    using CRecordNode::CRecordNode;
    bool IsQuery() override { return true; }
    bool IsContentEntry() override { return true; }
    bool CanBeLinked() override { return true; }
    bool CanDelete() override { return true; }
};
