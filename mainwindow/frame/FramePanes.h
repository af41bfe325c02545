#pragma once
// The main frame and its panes as they see each other. The frame places the panes and drives them
// through these interfaces; the panes reach the frame through CPaneFrame. The program installs the
// real panes (the tree pane, the list pane, the web view, the find pane) with SetFramePaneFactories;
// without one of them the frame runs with that place empty, so each pane can be built and tested on
// its own, and the frame without any.

#include <functional>
#include <string>
#include <string_view>

class CCatalogueDb;
class CItemSet;
class CNodeContextMenus;
class AddressCombo;
class CTreeControl;
class CTreeNode;
class wxWindow;

// The frame, as the panes see it.
class CPaneFrame
{
public:
    virtual ~CPaneFrame() = default;
    virtual CTreeNode& GetRootElement() = 0;
    // The element the list pane shows and the address bar names; null at start.
    virtual CTreeNode* GetCurrentElement() = 0;
    // Selects it in the tree, shows it in the right pane, the address bar, the status bar and the title,
    // and records it in the navigation history.
    virtual void SetCurrentElement(CTreeNode* element) = 0;
    // Marks the element selected and makes it current; nothing for null.
    virtual void SelectElement(CTreeNode* element) = 0;
    // While true the tree pane does not start its selection timer.
    virtual bool IsShowSuppressed() const = 0;
    // Restores the expanded and selected elements; the tree pane calls it once, when first filled.
    virtual void RestoreState() = 0;
    // The start mode (1 to 7, StartMode.h).
    virtual int GetStartMode() const = 0;
    // 1 when the tree pane has the focus, 2 the list pane, 3 the find pane, -1 another window.
    virtual int GetFocusedPane() const = 0;
    // Refills the list, the item sets marked unloaded first (and refilled even if unchanged when forced).
    virtual void ReloadViews(bool force) = 0;
    // Shows every tree and list label again from its element.
    virtual void RefreshLabels() = 0;
    // Runs a command of the frame's menus as if chosen there.
    virtual void SendCommand(int id) = 0;
    // Shows the frame's context menu of the element at the point (screen coordinates).
    virtual void ShowContextMenu(CTreeNode* element, int x, int y) = 0;
    // The menus a node's own "New" menu runs through; null while the frame has none.
    virtual CNodeContextMenus* GetNodeContextMenus() = 0;
    // Shows the text in the status bar's first pane.
    virtual void SetStatusText(const std::string& text) = 0;
    // Runs a quick search for the text in the element's catalogue and shows its results, the search set
    // of the given search data file (100: every data file).
    virtual void QuickSearch(CTreeNode& element, const std::string& text, int searchDataFile) = 0;
    // The list's focused row moved to the element: the status bar shows it and, when the right pane
    // shows a web view, the web view shows its page.
    virtual void ShowFocusedElement(CTreeNode* element) = 0;
    // The element of the list pane's focused row, or null (the web page's order and search links act
    // on it).
    virtual CTreeNode* GetListFocusedElement() { return nullptr; }
    // Gives the list pane the keyboard focus.
    virtual void FocusListPane() {}
    // Find mode: shows the records of a search in the results list (the set's records are taken over).
    virtual void ShowSearchResults(CItemSet& /*results*/) {}
};

// The tree pane, as the frame drives it.
class CFrameTreePane
{
public:
    virtual ~CFrameTreePane() = default;
    virtual wxWindow* GetWindow() = 0;
    // The control the elements show in (for PopulateChildren and the like).
    virtual CTreeControl& GetTreeControl() = 0;
    // Shows the element tree below the root (the root itself as the top item).
    virtual void FillTree(CTreeNode& root) = 0;
    // Removes every item.
    virtual void DeleteAllItems() = 0;
    // Expands the items down to the element with that path below the root (names separated by '^'),
    // building children on the way; the element, or null when a name is not found.
    virtual CTreeNode* ExpandNodeByPath(std::string_view path) = 0;
    virtual void ExpandRoot() = 0;
    // Selects the element's item (without starting the selection timer).
    virtual void SelectNode(CTreeNode* element) = 0;
    // The selected element, or null.
    virtual CTreeNode* GetSelectedNode() = 0;
    virtual void RefreshLabels() = 0;
    // The address bar the pane fills from the element tree whenever the selection settles (it shares the
    // pane's image list); null for none.
    virtual void SetAddressBar(AddressCombo* addressBar) = 0;
};

// The list pane, as the frame drives it.
class CFrameListPane
{
public:
    virtual ~CFrameListPane() = default;
    virtual wxWindow* GetWindow() = 0;
    // Shows the children (or the item set) of the element; null shows nothing.
    virtual void SetShownElement(CTreeNode* element) = 0;
    virtual CTreeNode* GetShownElement() = 0;
    // The next SetShownElement refills even when the element is the one shown.
    virtual void ForceRefill() = 0;
    // Refills the rows from the shown element.
    virtual void Refill() = 0;
    // Selects the row of the element, when shown.
    virtual void SelectNode(CTreeNode* element) = 0;
    // The element of the focused row, or null.
    virtual CTreeNode* GetFocusedNode() = 0;
    // Writes the column widths to the settings and the shown element's definitions.
    virtual void SaveColumnWidths() = 0;
    // Marks the item sets of the elements in the rows unloaded.
    virtual void MarkRowsUnloaded() = 0;
    virtual void RefreshLabels() = 0;
    // Hides or shows the border (off while the web view stands beside the list).
    virtual void SetBorder(bool on) = 0;
};

// The web view, as the frame and the host view drive it.
class CFrameWebPane
{
public:
    virtual ~CFrameWebPane() = default;
    virtual wxWindow* GetWindow() = 0;
    // Shows the element's page.
    virtual void ShowElement(CTreeNode* element, bool layout, bool force) = 0;
};

// The find pane of the Find mode, as the frame's Find Now, New Search and Save Search drive it. The
// window the factory makes is one (AsFindPane in mainwindow/find/FindView.h).
class CFrameFindPane
{
public:
    virtual ~CFrameFindPane() = default;
    virtual wxWindow* GetWindow() = 0;
    // The criteria of every page as one text of conditions (and ORDER BY); notes which link list, if any,
    // has a selection (GetLinkFileNumber).
    virtual std::string CollectCriteria() = 0;
    // The referral data file of the first link list with a selection in the last collect; 0 for none.
    virtual int GetLinkFileNumber() const = 0;
    // The data file and the element (catalogue or folder) chosen on the area page; 0 and null for none.
    virtual int GetDataFileNumber() const = 0;
    virtual CTreeNode* GetChosenElement() const = 0;
    virtual CCatalogueDb* GetCatalogue() const = 0;
    // Shows the page a tab command asks for (103 data, 320 details, 321 and 322 the dates, 323 the sort).
    virtual void ShowPageOfCommand(int id) = 0;
    // New Search: every page back to its first state, the first tab shown.
    virtual void NewSearch() = 0;
    // Save Search is offered once a search has run.
    virtual void EnableSaveSearch(bool enable) = 0;
    // The element chooser again from the root's children (after a catalogue was reloaded).
    virtual void RefillElementChooser() = 0;
};

struct FramePaneFactories
{
    std::function<CFrameTreePane*(wxWindow* parent, CPaneFrame& frame)> makeTree;
    std::function<CFrameListPane*(wxWindow* parent, CPaneFrame& frame)> makeList;
    std::function<CFrameWebPane*(wxWindow* parent, CPaneFrame& frame)> makeWeb;
    // The find pane of the Find mode.
    std::function<wxWindow*(wxWindow* parent, CPaneFrame& frame)> makeFind;
};

// The panes the frames made from now on get. The panes are wx windows owned by their parents: the
// interfaces returned by the factories live as long as their windows.
void SetFramePaneFactories(FramePaneFactories factories);
const FramePaneFactories& GetFramePaneFactories();
