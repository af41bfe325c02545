#pragma once
// The "Tables" groups: the catalogue's (one summary table per data file with a table number) and the
// wastebasket's (the deleted records of each data file). Both put themselves on the clipboard as areas.

#include "tree/base/TreeNode.h"

class CDataFileDef;

// Whether the catalogue shows the to-do list (data file 25): the setting "toDoDataBase" is empty or names
// this catalogue's file.
bool ShowsToDoList(const CCatalogueDb& catalogue);
// Whether a data file is kept as a table (shown only as a child, or given a table number).
bool CountsAsTable(const CDataFileDef& definition);

class CTableNodeBase : public CTreeNode
{
public:
    CTableNodeBase(CCatalogueDb& catalogue, std::string_view label, int closedImage, int openImage);

    CCatalogueDb* GetCatalogue() override { return m_catalogue; }
    CFolderRecord* GetFolderRecord() override;
    std::string GetHelpKey() override { return "KV.TABLEITM"; }
    void BuildItemMenu(CNodeMenu* menu) override;
    // "VUR_Area_Copy" ("VUR_Area_Move") with the group's path, then every child's, stopping at the first
    // that cannot.
    bool CopyToClipboard(bool onlyAsk) override;
    bool CutToClipboard(bool onlyAsk) override;

protected:
    CCatalogueDb* m_catalogue;
    bool m_childrenBuilt = false;

private:
    bool PutOnClipboard(bool onlyAsk, bool move);
};

class CTableNode : public CTableNodeBase
{
public:
    // Its web page (tree/pages/NodePages.cpp).
    bool FillPageTemplate(std::string& message) override;
    explicit CTableNode(CCatalogueDb& catalogue);
    bool IsTableNode() override { return true; }
    bool IsTablesGroup() override { return true; }
    std::vector<std::string> GetStatusText() override;
    bool CanCreateShortcut() override { return true; }
    bool HasUnbuiltChildren() override { return !m_childrenBuilt; }
    // One summary table per data file with a table number, made once.
    void BuildChildren() override;
    // Unless quiet, "You can not delete the table structure". Always refused.
    int Delete(CNodeListPane* list, bool quiet) override;
    // Records of another catalogue file, while a CRecordCopier is installed; never in a view-only
    // catalogue.
    bool CanAcceptCopy(CItemSet* set) override;
    // Copies the records of another catalogue of kind 21 or more whose kind has a match here.
    void DropCopy(CItemSet* set) override;
    // The same, then deletes the copied records from their catalogue.
    void DropMove(CItemSet* set) override;
    // Opens the record form on a new record of the data file, in no folder, as a row of its summary
    // table (the first of that kind, else the last); nothing without a record form.
    void OpenEntryById(int dataFile, CNodeFrame* frame) override;
};

// The drops of "Tables" and of its summary tables: records of another catalogue of kind 21 or more are
// copied into the target's catalogue, in no folder; moved ones are then deleted from their catalogue.
void DropOnTable(CTreeNode& target, CItemSet* set, bool move);

class CWastebasketTableNode : public CTableNodeBase
{
public:
    // Its web page (tree/pages/NodePages.cpp).
    bool FillPageTemplate(std::string& message) override;
    explicit CWastebasketTableNode(CCatalogueDb& catalogue);
    bool IsInWastebasket() override { return true; }
    bool IsWastebasketArea() override { return true; }
    std::vector<std::string> GetStatusText() override;
    void BuildItemMenu(CNodeMenu* /*menu*/) override {}
    // Unless quiet, "You can not delete a deleted item; use Empty Recycle Bin". Always refused.
    int Delete(CNodeListPane* list, bool quiet) override;
};
