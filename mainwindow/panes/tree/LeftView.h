#pragma once
// CLeftView: the tree pane, the left pane of the main window. A wxTreeCtrl of the element tree: each
// item shows one node and keeps it as its data; the pane turns the control's events into the node's
// operations (children built on first expansion, renaming, keys, dropped files), keeps each item's
// pictures in step with its node, and lets a selection take effect only after it rested 350 ms.
// Selected and expanded states are kept as the nodes' "Selected" and "Expanded" attributes, which the
// frame saves.

#include "mainwindow/frame/FramePanes.h"
#include "mainwindow/panes/tree/TreeImageTable.h"
#include "tree/base/TreeControl.h"

#include <wx/timer.h>
#include <wx/treectrl.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

class CDropPane;
class CDropTarget;

class CLeftView : public wxTreeCtrl, public CTreeControl, public CFrameTreePane, public CTreeNodeObserver
{
public:
    static constexpr int kSelectionDelayMs = 350;
    static constexpr size_t kMaxLabel = 59;
    // Starts the selection timer for the node of that serial; tests install one of their own.
    using TimerStarter = std::function<void(int serial, int milliseconds)>;

    CLeftView(wxWindow* parent, CPaneFrame& frame);
    ~CLeftView() override;

    // ---- CFrameTreePane -------------------------------------------------------------------------------
    wxWindow* GetWindow() override { return this; }
    CTreeControl& GetTreeControl() override { return *this; }
    // Inserts the element tree, expands what is marked expanded and, the first time, lets the frame
    // restore its state. The control is frozen while it fills.
    void FillTree(CTreeNode& root) override;
    void DeleteAllItems() override;
    CTreeNode* ExpandNodeByPath(std::string_view path) override;
    void ExpandRoot() override;
    void SelectNode(CTreeNode* element) override;
    CTreeNode* GetSelectedNode() override;
    void RefreshLabels() override;
    void SetAddressBar(AddressCombo* addressBar) override;

    // ---- CTreeControl ---------------------------------------------------------------------------------
    TreeItemId AppendItem(TreeItemId parent, const std::string& text, int image, int selectedImage,
                          CTreeNode* node, bool bold, bool hasButton) override;
    TreeItemId ItemOf(const CTreeNode* node) const override;
    bool Expand(TreeItemId item) override;
    bool Collapse(TreeItemId item) override;
    void SetItemImages(TreeItemId item, int image, int selectedImage) override;
    void SelectItem(TreeItemId item) override;
    void DeleteChildItems(TreeItemId item) override;
    int ImageIndexOfKind(int kind) const override { return m_images.IndexOfKind(kind); }
    bool IsTreePane() const override { return true; }
    int AddImage(const CCatalogueImage& picture) override { return m_images.AddPicture(picture); }

    using wxTreeCtrl::AppendItem;
    using wxTreeCtrl::Collapse;
    using wxTreeCtrl::Expand;
    using wxTreeCtrl::SelectItem;

    // ---- the pane's own -------------------------------------------------------------------------------
    // Inserts the root element's tree again and expands what is marked expanded.
    void Rebuild();
    // The item of an element cut to the clipboard shows dimmed until the marks are cleared (after a
    // paste, or when the clipboard holds something else).
    void MarkCut(const CTreeNode* node);
    void ClearCutMarks();
    bool IsCut(const CTreeNode* node) const { return m_cut.count(node) != 0; }
    // The element of an item; null for none.
    CTreeNode* NodeOf(const wxTreeItemId& item) const;
    wxTreeItemId WxItemOf(const CTreeNode* node) const;
    // Makes a file a file item (data file 21) of the selected element, or says why not.
    void ImportDroppedFile(const std::string& path);
    // Files dropped at a point of the pane: the item there becomes the selected one and takes them.
    void DropFiles(const wxPoint& point, const wxArrayString& files);
    // What the selection timer does when it fires for the node of that serial.
    void OnSelectionTimer(int serial);
    void SetTimerStarter(TimerStarter starter) { m_startTimer = std::move(starter); }
    CTreeImageTable& GetImageTable() { return m_images; }
    // What is dragged over the pane (elements, web addresses, files) goes here.
    CDropTarget* GetElementDropTarget();

    void NodeDestroyed(const CTreeNode* node) override;

private:
    void OnSelChanged(wxTreeEvent& event);
    void OnExpanding(wxTreeEvent& event);
    void OnCollapsing(wxTreeEvent& event);
    void OnBeginLabelEdit(wxTreeEvent& event);
    void OnEndLabelEdit(wxTreeEvent& event);
    void OnKeyDown(wxTreeEvent& event);
    void OnRightClick(wxTreeEvent& event);
    void OnDeleteItem(wxTreeEvent& event);
    void OnBeginDrag(wxTreeEvent& event);
    // Shows the node's closed picture normally and its open one when selected (a node with negative
    // picture values keeps its pictures: false).
    bool ShowSelectionImages(const wxTreeItemId& item, CTreeNode& node);
    CTreeNode* Root() const;
    void RefillAddressBar();

    CPaneFrame& m_frame;
    CTreeImageTable m_images;
    wxTreeItemId m_hiddenRoot;
    std::unordered_map<const CTreeNode*, wxTreeItemId> m_items;
    std::unordered_set<const CTreeNode*> m_cut;
    AddressCombo* m_addressBar = nullptr;
    wxTimer m_timer;
    int m_timerSerial = -1;
    TimerStarter m_startTimer;
    bool m_live = false;
    bool m_filled = false;
    bool m_quietSelect = false;
    std::unique_ptr<CDropPane> m_dropPane;
};

// The tree pane the program installs (FramePaneFactories::makeTree).
CFrameTreePane* MakeLeftView(wxWindow* parent, CPaneFrame& frame);
