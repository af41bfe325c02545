#pragma once
// Where copied items go: "Copy to database" (32236) asks where items of another catalogue land in the
// target catalogue, keeping the source's chain of folders or in a folder or area chosen in the target's
// tree; "Add to want list" (32244) asks which item list of the catalogue a record goes to.

#include <memory>

#include <wx/dialog.h>

class CPlacementTree;
class CTreeImageTable;
class CTreeNode;
class wxCheckBox;

class CCopyToDatabaseDlg : public wxDialog
{
public:
    // `target`: the target catalogue's node; `dataFile`: its data file the items go into; `source`: the
    // element the items came from (its folder when it is not one), or null. `images`: the tree pane's
    // pictures, or null for a table of the dialog's own.
    CCopyToDatabaseDlg(wxWindow* parent, CTreeNode& target, int dataFile, CTreeNode* source,
                       CTreeImageTable* images);
    ~CCopyToDatabaseDlg() override;

    // After OK: the element of the target the items go into (the existing copy of the source's folders,
    // or the one chosen); null when they go into a copy of the source's folders still to be made.
    CTreeNode* GetPlace() const { return m_keepStructure ? nullptr : m_place; }
    // The items go into a copy of the source's chain of folders, which does not exist yet.
    bool KeepStructure() const { return m_keepStructure; }
    bool StructureMissing() const { return m_structureMissing; }
    CPlacementTree& GetTargetTree() { return *m_targetTree; }

private:
    void OnKeepStructure();
    void OnOk();

    std::unique_ptr<CPlacementTree> m_targetTree;
    std::unique_ptr<CPlacementTree> m_sourceTree;
    wxCheckBox* m_keep = nullptr;
    int m_dataFile;
    CTreeNode* m_place = nullptr;
    bool m_keepStructure = false;
    bool m_structureMissing = false;
};

class CWantListDlg : public wxDialog
{
public:
    // Shows the folders and item lists of the selected element's catalogue; the lists are bold.
    CWantListDlg(wxWindow* parent, CTreeNode& selected, CTreeImageTable* images);
    ~CWantListDlg() override;
    // The item list chosen with OK; null otherwise.
    CTreeNode* GetChosenList() const { return m_chosen; }
    CPlacementTree& GetTree() { return *m_tree; }

private:
    void OnOk();

    std::unique_ptr<CPlacementTree> m_tree;
    CTreeNode* m_chosen = nullptr;
};
