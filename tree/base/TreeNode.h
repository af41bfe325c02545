#pragma once
// CTreeNode: every element the catalogue tree pane and the list pane show (the root "My Catalogues",
// catalogues, folders, areas, tables, queries, item lists, the wastebasket, the shopping cart, records)
// is a tree node. A node is a property-tree node: its Name is its label, its attributes hold view state
// ("Selected", "Expanded", "WWWDeleted") and its children are its child elements. A node owns its
// children. The panes act on a node only through the virtual operations below, grouped by concern; a
// class answers those that concern it and inherits the base answer of the others.
//
// Nodes never touch a window: they drive tree controls, combo boxes and menus through the interfaces of
// TreeControl.h and NodeInterfaces.h, and ask their questions through NodeDialogs.h.

#include "store/markup/MarkupNode.h"
#include "tree/base/TreeControl.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CCatalogueDb;
class CFolderRecord;
class CItemSet;
class CNodeContextMenus;
class CNodeFrame;
class CNodeListPane;
class CNodeMenu;

// A point on the screen.
struct NodePoint
{
    int x = 0;
    int y = 0;
};

// Answers of Delete.
inline constexpr int kDeleteRefused = 0;
inline constexpr int kDeleteDone = 1;
inline constexpr int kDeleteDoneYesToAll = 8;

// What separates the names of a path, and what marks a separator that is part of a name (see GetPath).
inline constexpr char kPathSeparator = '^';
inline constexpr char kPathEscape = '\\';

class CTreeNode : public CMarkupNode
{
public:
    // Appended to nothing: the caller hangs the node into the tree (AppendNode). Images are image values
    // (ImageListIndex).
    CTreeNode(std::string_view label, int closedImage, int openImage);
    ~CTreeNode() override;

    // Makes a node and appends it as the parent's last child.
    template <typename Node, typename... Args>
    static Node* AppendNode(CTreeNode& parent, Args&&... args)
    {
        auto node = std::make_unique<Node>(std::forward<Args>(args)...);
        Node* raw = node.get();
        parent.AddChild(std::move(node));
        return raw;
    }

    // ---- identity and pictures ---------------------------------------------------------------------
    int GetSerial() const { return m_serial; }
    int GetClosedImage() const { return m_closedImage; }
    int GetOpenImage() const { return m_openImage; }
    void SetImages(int closedImage, int openImage);
    const std::string& GetPageTemplate() const { return m_pageTemplate; }
    CTreeNode* GetParentNode() const;
    CTreeNode* GetFirstChildNode() const;
    CTreeNode* GetNextSiblingNode() const;

    // ---- paths -------------------------------------------------------------------------------------
    // The names of the ancestors and the node, outermost first, each followed by '^'; GetPath leaves out
    // the root's name. A '^' or '\' inside a name is written with a '\' before it, so it is never read
    // as a separator; a path whose names hold neither is written exactly as before.
    std::string GetPath() const;
    std::string GetFullPath() const;
    // The names of a path, the escapes taken away; a last name without '^' after it counts too.
    static std::vector<std::string> SplitPath(std::string_view path);
    // The node below this one (its children first) that the names lead to, compared without regard to
    // case; null when none. Only children built so far are searched.
    CTreeNode* FindByNodePath(std::string_view path);

    // ---- the tree control, combo boxes -------------------------------------------------------------
    TreeItemId InsertTreeItem(CTreeControl& tree, bool forceRoot, bool bold);
    TreeItemId InsertIntoTree(CTreeControl& tree, TreeItemId parentItem);
    void AddChildNode(CTreeControl& tree, bool siblings, bool skip, bool bold, bool filter);
    void InsertTreeItems(CTreeControl& tree, int kind);
    void InsertTreeItemsAt(CTreeControl& tree, TreeItemId parentItem);
    void RestoreExpanded(CTreeControl& tree);
    void FillComboBox(CNodeComboBox& combo);
    virtual bool Open(CTreeControl* tree);
    virtual bool Collapse(CTreeControl* tree);
    // Builds the node's children in the model only, lazily: once, when a pane or an operation (IsEmpty,
    // Delete) first needs them. No control is touched.
    virtual void BuildChildren() {}
    // Builds the children (BuildChildren) and, given a control, makes every child show in it under the
    // node's item. Each control is filled on its own: the same nodes may show in several controls, and
    // building them first without any control leaves nothing out of a control that asks later.
    virtual void PopulateChildren(CTreeControl* tree);
    virtual bool CanHaveChildren() { return true; }
    // Whether the expand button shows before the children are built.
    virtual bool HasUnbuiltChildren() { return false; }
    virtual bool IsHiddenInTree() { return false; }
    virtual void MarkSelected();

    // ---- the catalogue behind the node -------------------------------------------------------------
    virtual CCatalogueDb* GetCatalogue();
    virtual CTreeNode* GetCatalogueNode();
    virtual CFolderRecord* GetFolderRecord();
    virtual CItemSet* GetItemSet() { return nullptr; }
    virtual CItemSet* GetOwnSet() { return nullptr; }
    // The node kind: a data-file number, a special kind (20 to 25), -1 for all kinds; 0 when none.
    virtual int GetKind() { return 0; }
    virtual const char* GetTypeName() { return nullptr; }
    virtual bool IsEditable() { return false; }
    virtual bool IsEmpty() { return true; }

    // ---- kind queries ------------------------------------------------------------------------------
    virtual bool IsDataNode() { return false; }
    virtual bool IsTableRecord() { return false; }
    virtual bool AcceptsKind(int /*kind*/) { return false; }
    virtual bool IsTableNode() { return false; }
    virtual bool IsTablesGroup() { return false; }
    virtual bool IsQuery() { return false; }
    virtual bool IsLinkedRecord() { return false; }
    virtual bool IsItemList() { return false; }
    virtual bool IsRecord() { return false; }
    virtual bool IsAddNew() { return false; }
    virtual bool IsArea() { return false; }
    virtual bool IsFolder() { return false; }
    virtual bool IsFileArea() { return false; }
    virtual bool IsContainer() { return false; }
    virtual bool IsRoot() { return false; }
    virtual bool IsCatalogue() { return false; }
    virtual bool IsWastebasket() { return false; }
    virtual bool IsInWastebasket() { return false; }
    virtual bool IsWastebasketArea() { return false; }
    virtual bool IsFolderContainer() { return false; }
    virtual bool IsQuickQuery() { return false; }
    virtual bool IsWastebasketRoot() { return false; }
    virtual bool IsOrderingItem() { return false; }
    virtual bool IsShopItem() { return false; }
    virtual bool IsShop() { return false; }
    virtual bool IsShoppingCart() { return false; }
    virtual bool IsOrderItem() { return false; }
    virtual bool IsItemListRecord() { return false; }
    virtual bool IsOrderingNode() { return false; }
    virtual bool IsContentEntry() { return false; }
    virtual bool IsFolderElement() { return false; }
    virtual bool HasCatalogueMenu() { return false; }
    virtual bool HasLayoutPage() { return false; }
    // The unnamed truth query that the tree walks test beside IsItemListRecord; no class answers true.
    virtual bool IsUnnamedKind() { return false; }

    // ---- texts, help and properties ----------------------------------------------------------------
    // The status bar's lines.
    virtual std::vector<std::string> GetStatusText();
    // The context-help key the help command shows; empty for none.
    virtual std::string GetHelpKey() { return {}; }
    virtual bool ShowProperties(CNodeFrame* /*frame*/, int /*page*/) { return false; }
    virtual bool Rename(std::string_view /*text*/) { return false; }
    virtual bool BeginInPlaceEdit(CNodeListPane* /*list*/, NodePoint /*point*/) { return false; }

    // ---- menus -------------------------------------------------------------------------------------
    // Runs the catalogue's "New" menu: at once when it holds one command of 1335 to 1435, else at the
    // point.
    virtual bool ShowContextMenu(CNodeContextMenus& menus, NodePoint point);
    // Cut, Copy and Paste, each greyed when the node cannot do it now.
    virtual void BuildEditMenu(CNodeMenu* menu);
    // The node's own commands (its context menu).
    virtual void BuildItemMenu(CNodeMenu* /*menu*/) {}
    // The item menu of a record in the record form.
    virtual void BuildItemMenuWithSearch(CNodeMenu* /*menu*/) {}
    virtual void NewItemList() {}
    virtual void FillListView(CNodeListPane* /*list*/) {}

    // ---- records -----------------------------------------------------------------------------------
    // Appends to the set the records of the node's descendants (of every data-bearing node once).
    virtual void CollectItems(CItemSet& set);
    virtual void CollectItemsOfKind(CItemSet& /*set*/, int /*kind*/) {}
    virtual void CollectShownItemsOfKind(CItemSet& /*set*/, int /*kind*/) {}
    virtual bool FindChildByName(std::string_view /*text*/) { return false; }
    virtual void OpenEntryById(int /*dataFile*/, CNodeFrame* /*frame*/) {}
    virtual void PurgeDeleted() {}
    virtual void RunSearch(CItemSet* /*search*/) {}
    virtual void SetParentCode(double /*parent*/) {}
    virtual void Reload() {}

    // ---- clipboard, drag and drop, links -----------------------------------------------------------
    // With `onlyAsk`, only whether it could write. True when something was (or could be) written.
    virtual bool CopyToClipboard(bool /*onlyAsk*/) { return true; }
    virtual bool CutToClipboard(bool /*onlyAsk*/) { return true; }
    virtual bool CanAcceptMove(CItemSet* /*set*/) { return false; }
    virtual bool CanAcceptCopy(CItemSet* /*set*/) { return false; }
    virtual bool CanPasteMove();
    virtual bool CanPasteCopy();
    virtual bool CanBeLinked() { return false; }
    virtual bool CanAcceptLink(CItemSet* /*set*/) { return false; }
    virtual void DropLink(CItemSet& set);
    virtual void DropMove(CItemSet* /*set*/) {}
    virtual void DropCopy(CItemSet* /*set*/) {}
    virtual bool CanCreateShortcut() { return false; }
    // Writes a shortcut that starts the program on the element: into the product folder for kind 22,
    // onto the desktop otherwise (tree/shortcuts). The file's full path; empty when none was written.
    virtual std::string CreateShortcut(int /*kind*/) { return {}; }

    // ---- web pages (tree/pages/) --------------------------------------------------------------------
    // Appends the template of that name from the HTML folder to `out`; `message` receives the line for
    // the user ("To modify this Web page edit the ..." or "Error Opening the: ..."). False when the
    // template cannot be read.
    virtual bool CopyPageTemplate(std::ostream& out, std::string_view templateName, std::string& message);
    // Writes "webPage.htm" in the HTML folder for this node; true when there is a page to show.
    virtual bool FillPageTemplate(std::string& message);
    // Writes the layout page of the named HTML layout of the node's data file into "webPage.htm";
    // `found` (when given) receives the layout. False when the node has no layout page.
    virtual bool WriteLayoutPage(std::string_view layoutName, std::string& message, CMarkupNode** found);
    // The page of the web-view command: the node's template copied as it stands (false), or for records
    // the layout page of "summary".
    virtual bool CreateWebPage(std::string& message, CMarkupNode** found);

    // ---- deleting and telling other copies ---------------------------------------------------------
    // 0 refused (or No), 1 deleted, 8 deleted with Yes to All. `quiet` counts as Yes to All.
    virtual int Delete(CNodeListPane* /*list*/, bool /*quiet*/) { return kDeleteRefused; }
    // "Unload_Element" with the node's path (GetPath) to every window of every running copy: sent
    // (waits until all handled it) or posted.
    virtual void SendUnload();
    virtual void PostUnload();

    // ---- shared operations -------------------------------------------------------------------------
    // For every catalogue node under the element's root whose catalogue file is the set's catalogue's
    // but is another catalogue object: "FC_Refresh" to every window of every copy.
    static void BroadcastRefresh(CTreeNode& element, CItemSet& set);
    // The first child that is a container whose folder NUMBER is at least `number`; null when none.
    CTreeNode* FindFolderChildByNumber(double number);
    // Appends the node's path to the clipboard data of the format (the area clipboard writer).
    bool AddToClipboard(std::string_view format);

protected:
    void SetPageTemplate(std::string_view name) { m_pageTemplate = name; }
    // Inserts the item of every child that the control does not show yet (row nodes only with `rows`),
    // when the control shows this node or this node is the top of its tree.
    void InsertChildItems(CTreeControl& tree, bool rows = true);
    // Called before the node's item goes into a control: a node may add a run-time picture to that
    // control's image list and take it as its images.
    virtual void PrepareImagesFor(CTreeControl& /*tree*/) {}
    // The root element takes serial 0 and the next node 1.
    void RestartSerials();

private:
    std::string BuildPath(bool withRoot) const;
    void FillComboLines(CNodeComboBox& combo, int depth, bool descend);

    std::string m_pageTemplate;
    int m_openImage = 0;
    int m_closedImage = 0;
    int m_serial = 0;
};

// Walks from `node` to its next node in depth-first order below `top` (the node's children first).
CTreeNode* NextTreeNode(CTreeNode* node, CTreeNode* top, bool descend = true);
