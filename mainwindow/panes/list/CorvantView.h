#pragma once
// CCorvantView: the content list of the main window. It shows the children of one element (the shown
// element): for a data node one row per record of its item set, drawn from the set on demand (the
// report view is a virtual list, so a folder of 100,000 records opens at once), and for other elements
// one row per child node. A record row's node is made only when something asks for that row's element
// (opening it, its menu, deleting it, editing it), and the pane owns it until the rows are filled again.
//
// The frame drives it through CFrameListPane, the row nodes reach it through CNodeListPane. The record
// form's two lists (CCorvantAddView, CCorvantFolderView) derive from it.

#include "mainwindow/frame/FramePanes.h"
#include "mainwindow/panes/list/ListColumns.h"
#include "mainwindow/panes/list/ListImages.h"
#include "tree/base/NodeListPane.h"
#include "tree/base/TreeControl.h"

#include <wx/listctrl.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class CDropPane;
class CDropTarget;
class CItemSet;
class CTreeNode;
class CWxListPane;

// The four view styles (setting "ListIs").
enum class ListViewStyle
{
    Large,
    Small,
    Report,
    List,
};
ListViewStyle ListViewStyleFromSetting();

class CCorvantView : public wxListCtrl, public CFrameListPane, public CNodeListPane, private CTreeNodeObserver
{
public:
    // Command numbers of the frame's menus the keys run.
    static constexpr int kCmdUpOneLevel = 311;
    static constexpr int kCmdFileDelete = 1011;
    static constexpr int kCmdSelectAll = 1028;
    static constexpr int kCmdGoToWebPage = 1243;
    static constexpr int kCmdQuickSearch = 1324;

    CCorvantView(wxWindow* parent, CPaneFrame& frame, int role = list_role::kMainList);
    ~CCorvantView() override;

    // ---- CFrameListPane ---------------------------------------------------------------------------
    wxWindow* GetWindow() override { return this; }
    void SetShownElement(CTreeNode* element) override;
    CTreeNode* GetShownElement() override { return m_shown; }
    void ForceRefill() override { m_forceReload = true; }
    // Reloads the item set and fills the rows again.
    void Refill() override;
    void SelectNode(CTreeNode* element) override;
    CTreeNode* GetFocusedNode() override { return GetFocusedElement(); }
    void SaveColumnWidths() override;
    void MarkRowsUnloaded() override { m_forceReload = true; }
    void RefreshLabels() override;
    void SetBorder(bool on) override;

    // ---- CNodeListPane ----------------------------------------------------------------------------
    bool RowAt(NodePoint point, NodeRowBounds& bounds) override;
    void EditRowFields(std::unique_ptr<CInPlaceEdit> edit, const NodeRowBounds& bounds,
                       std::function<void(bool saved)> closed) override;
    // An element's own rows in place of its children's (the cart, the orders): taken only when the list
    // shows no records.
    void ShowRows(NodeListColumns columns, const std::vector<NodeListRow>& rows) override;

    // ---- rows -------------------------------------------------------------------------------------
    // Fills the rows again without reloading the set (unless it was marked unloaded).
    void FillRows();
    CItemSet* GetItemSet() { return m_set; }
    void SetItemSet(CItemSet* set) { m_set = set; }
    long GetRowCount() const { return m_rowCount; }
    // The element of a row: a record row's node is made now; null past the end.
    CTreeNode* ElementOfRow(long row);
    CTreeNode* GetFocusedElement();
    CTreeNode* GetFirstSelectedElement();
    std::vector<long> GetSelectedRows() const;
    void SelectAllRows();
    void ClearSelection();
    // Deletes the selected rows' elements after their confirmation; true when one went.
    bool DeleteSelectedRows();
    // Focuses the list and starts editing the label of the element's row.
    bool EditRowLabel(CTreeNode* element);
    // Rows whose elements were cut to the clipboard show their text greyed until the marks are cleared
    // (after a paste, or when the clipboard holds something else); refilling the rows clears them too.
    void MarkRowsCut(const std::vector<long>& rows);
    void ClearCutMarks();
    bool IsRowCut(long row) const { return m_cutRows.count(row) != 0; }
    // A new item set with the records of the selected record rows (not the adding row).
    std::unique_ptr<CItemSet> CollectSelection();
    bool IsAddRow(long row) const { return m_addRow && row == 0; }
    // The record of a row: the set's record at that row becomes current; false for other rows.
    bool MoveToRecordRow(long row);
    const ListColumnSet& GetColumns() const { return m_columns; }
    ListViewStyle GetViewStyle() const { return m_style; }
    // Switches the view style and fills the rows again.
    void SetViewStyle(ListViewStyle style);
    // The text a cell shows.
    std::string CellText(long row, long column);
    // The check box of a cell: 1 checked, 0 not, -1 no check box there.
    int CellCheck(long row, long column);
    // The data-file field whose pictures the large-icon view shows as the record rows' tiles; -1 when
    // the rows show their kinds' pictures.
    int GetPictureField() const { return m_pictureField; }
    // Gives the record rows that are in view their pictures, where not done yet; the pictures of rows
    // out of view are not made (a folder of thousands of pictures is not decoded up front).
    void MakeVisiblePictures();
    // Sorts by the column, as a click on its header does.
    void SortByColumn(int column);
    // Toggles the "Own It?" mark of a record row, or starts the in-place editor of a field cell.
    void ClickCell(long row, int column, const wxPoint& point);
    // What a double click or Enter on the row does; `alt` shows the properties instead.
    virtual void ActivateRow(long row, bool alt);
    // "Telephone to" for the focused record row; false when no window could be made.
    bool OpenTelephoneTo();
    // What is dragged over the list (elements, web addresses) goes here.
    CDropTarget* GetElementDropTarget();
    int GetListRole() const { return m_role; }
    // A list of links (the record form's and the "Open" dialog's): the record node whose links it shows
    // and the data file whose items it shows and takes (0 for every one). Items dropped on it are linked
    // with that record; without one, with the shown element when it is a record.
    void SetLinkList(CTreeNode* record, int kind)
    {
        m_linkRecord = record;
        m_linkKind = kind;
    }
    CTreeNode* GetLinkRecord() { return m_linkRecord != nullptr ? m_linkRecord : m_shown; }
    int GetLinkKind() const { return m_linkKind; }

    // ---- what the subclasses change ---------------------------------------------------------------
    // A key pressed in the list; true when handled.
    virtual bool OnListKey(int keyCode, bool control, bool alt);
    virtual void OnF8() {}
    virtual void OnF9() {}
    // The text of a record row's cell (the set's record at the row is current).
    virtual std::string RecordText(int field);

protected:
    CPaneFrame& Frame() { return m_frame; }
    int GetRole() const { return m_role; }
    // Shows the context menu of the focused row at the screen point.
    virtual void ShowRowMenu(const wxPoint& screen);
    virtual void ShowEmptySpaceMenu(const wxPoint& screen);
    // Whether selection changes reach the status bar and the web view.
    virtual bool PassesSelectionOn() const { return true; }
    // An accepted label edit renamed the row's element.
    virtual void RowRenamed(CTreeNode& /*element*/) {}
    bool MenusAllowed() const;
    // The child window the control draws its rows in (where clicks and the focus arrive).
    wxWindow* RowsWindow() const;

    // wxListCtrl's virtual rows.
    wxString OnGetItemText(long item, long column) const override;
    int OnGetItemImage(long item) const override;
    int OnGetItemColumnImage(long item, long column) const override;
    wxItemAttr* OnGetItemAttr(long item) const override;

private:
    void NodeDestroyed(const CTreeNode* node) override;
    void ClearRows();
    void InsertColumns();
    void InsertAllRows();
    void InsertRowItems();
    wxSize ChoosePictureField();
    void OnRowsPaint(wxPaintEvent& event);
    int RowImage(long row);
    int RecordOverlay();
    long RowOfElement(CTreeNode* element);
    void ApplyStyleFlags();

    void OnColumnClick(wxListEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnActivated(wxListEvent& event);
    void OnKeyDown(wxListEvent& event);
    void OnRightClick(wxListEvent& event);
    void OnBeginDrag(wxListEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    void OnFocused(wxListEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    void OnBeginLabelEdit(wxListEvent& event);
    void OnEndLabelEdit(wxListEvent& event);
    void OnColumnEndDrag(wxListEvent& event);

    CPaneFrame& m_frame;
    std::unique_ptr<CDropPane> m_dropPane;
    int m_role;
    CTreeNode* m_linkRecord = nullptr;
    int m_linkKind = 0;
    CTreeNode* m_shown = nullptr;
    CItemSet* m_set = nullptr;
    bool m_forceReload = false;
    ListViewStyle m_style = ListViewStyle::Report;
    ListColumnSet m_columns;
    CListImages m_images;

    // Row layout: the adding row (when shown) first, then the records of the set, then child nodes.
    bool m_addRow = false;
    std::unique_ptr<CItemSet> m_addSet;
    std::unique_ptr<CTreeNode> m_addNode;
    long m_recordCount = 0;
    std::vector<CTreeNode*> m_childRows;
    // The texts after the first column of child rows an element handed over (ShowRows).
    std::vector<std::vector<std::string>> m_childTexts;
    long m_rowCount = 0;
    bool m_overlayChildren = false;
    int m_pictureField = -1;
    long m_picturesMissing = 0;
    bool m_picturesQueued = false;
    // Record rows' nodes, made on demand: children of the shown element that the pane takes away again
    // when the rows are filled anew.
    std::map<long, CTreeNode*> m_rowNodes;
    std::set<long> m_cutRows;
    bool m_nameAscending = true;
    mutable wxItemAttr m_cutAttr;
    std::unique_ptr<CWxListPane> m_strips;
    CTreeNode* m_editing = nullptr;
};

// The factory the program installs for the main window's list (SetFramePaneFactories).
CFrameListPane* MakeCorvantView(wxWindow* parent, CPaneFrame& frame);
