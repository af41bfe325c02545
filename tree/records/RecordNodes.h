#pragma once
// Row nodes: one record of a list. A row node is made only when a pane asks for that row's element
// (opening, menus, dragging), never one per record up front. Each holds its own item set over its one
// record. What a row does when opened, edited or deleted comes with the record form and the delete
// rules; here are the rows that containers and summary tables make, with their kind answers.

#include "tree/base/AreaFileNode.h"

class CRecordNode : public CAreaFileNode
{
public:
    // From the set's current record: the node's set holds a copy of it, the label is its name.
    explicit CRecordNode(CItemSet& set);
    // From a record key: the record is read from the key's catalogue.
    explicit CRecordNode(const CNodeRef& key);

    bool IsRecord() override { return true; }
    bool CanHaveChildren() override { return false; }
    bool AcceptsKind(int kind) override { return kind == GetKind(); }
    const char* GetTypeName() override { return "RECORD"; }
    std::string GetHelpKey() override { return "KV.CONTACTITM"; }
    // Opening a record shows the record form, which is not part of the tree model.
    bool Open(CTreeControl* /*tree*/) override { return false; }
    bool Collapse(CTreeControl* /*tree*/) override { return false; }
    virtual bool CanDelete() { return false; }
};

class CFolderRecordNode : public CRecordNode
{
public:
    using CRecordNode::CRecordNode;
    bool IsContentEntry() override { return true; }
    bool CanBeLinked() override { return true; }
    bool CanCreateShortcut() override { return true; }
    bool CanDelete() override { return true; }
};

class CSummaryTableRecordNode : public CRecordNode
{
public:
    using CRecordNode::CRecordNode;
    bool IsTableRecord() override { return true; }
    bool CanDelete() override { return true; }
};
