#pragma once
// The placement dialogs: where a new data item goes ("Create New", 32239), a new folder ("Create New
// Folder", 175) and a new item list or query ("Create New", 32204). Each shows the catalogue's element
// tree with the tree pane's pictures, starting at the catalogue's node with the current element as the
// caret item, and stays open until the choice is valid or the user cancels.

#include <memory>
#include <string>

#include <wx/dialog.h>

class CPlacementTree;
class CTreeImageTable;
class CTreeNode;
class wxChoice;
class wxTextCtrl;

// "Create New" for an item of one data file: the bold places (folders and areas of that kind) are the
// ones it accepts.
class CNewDataItemDlg : public wxDialog
{
public:
    // `images`: the tree pane's pictures, or null for a table of the dialog's own.
    CNewDataItemDlg(wxWindow* parent, CTreeNode& start, int kind, CTreeNode* preselect,
                    CTreeImageTable* images);
    ~CNewDataItemDlg() override;
    // The place chosen with OK; null otherwise.
    CTreeNode* GetChosenNode() const { return m_chosen; }
    CPlacementTree& GetTree() { return *m_tree; }

private:
    void OnOk();

    std::unique_ptr<CPlacementTree> m_tree;
    int m_kind;
    CTreeNode* m_chosen = nullptr;
};

// The name, description and parent of a new folder, list or query, checked on OK.
class CNewElementDlg : public wxDialog
{
public:
    ~CNewElementDlg() override;
    // What OK took; the parent is the caret item's node, or the start node when there is none.
    CTreeNode* GetParentChoice() const { return m_parent; }
    const std::string& GetElementName() const { return m_name; }
    const std::string& GetDescription() const { return m_description; }
    CPlacementTree& GetTree() { return *m_tree; }

protected:
    CNewElementDlg() = default;
    // Fills the tree from the start node, proposes the name and binds OK; the layout is loaded.
    void SetUp(CTreeNode& start, CTreeNode* preselect, CTreeImageTable* images, const std::string& proposal,
               int nameId, int descriptionId, int treeId);
    // What OK takes besides the common fields.
    virtual void TakeChoices() {}

private:
    void OnOk();

    std::unique_ptr<CPlacementTree> m_tree;
    CTreeNode* m_start = nullptr;
    wxTextCtrl* m_nameEdit = nullptr;
    wxTextCtrl* m_descriptionEdit = nullptr;
    CTreeNode* m_parent = nullptr;
    std::string m_name;
    std::string m_description;
};

// "Create New Folder": also the kind of data the folder contains ("Containing").
class CNewFolderDlg : public CNewElementDlg
{
public:
    CNewFolderDlg(wxWindow* parent, CTreeNode& start, CTreeNode* preselect, CTreeImageTable* images,
                  const std::string& proposal);
    // The folder TYPE: a data-file number, or 100 for every kind.
    int GetKind() const { return m_kind; }

private:
    void TakeChoices() override;

    wxChoice* m_kinds = nullptr;
    std::vector<int> m_kindTypes;
    int m_kind = 0;
};

// "Create New" for an item list or a stored query.
class CNewListDlg : public CNewElementDlg
{
public:
    CNewListDlg(wxWindow* parent, CTreeNode& start, CTreeNode* preselect, CTreeImageTable* images,
                const std::string& proposal);
};
