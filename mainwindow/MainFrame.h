#pragma once
// CMainFrame: the program's one top-level window. It owns the element tree (the root "My Catalogues"
// with one catalogue node per registered catalogue), decides the start mode from the command line,
// places the panes (the tree beside the right-pane host, or in Find mode the find pane above it), keeps
// the window state from one run to the next and answers the registered messages of every running copy.
// The panes reach it through CPaneFrame; other parts of the program through GetMainFrame.

#include "mainwindow/frame/FramePanes.h"
#include "mainwindow/frame/StartMode.h"

#include <wx/frame.h>
#include <wx/weakref.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class AddressCombo;
class CBaseItemNode;
class CNavHistory;
class CFrameCommands;
class CDialogHelpHook;
class CMainSplitter;
class CRecord;
class CStatusPanes;
class CCatalogueDb;
class ParentView;
namespace platform::ui {
class RegisteredMessageEvent;
}

class CMainFrame : public wxFrame, public CPaneFrame
{
public:
    // The command-line arguments after the program's name.
    explicit CMainFrame(std::vector<std::string> arguments);
    ~CMainFrame() override;

    // Makes the window, its panes and the element tree. False when the start mode word is unknown (the
    // user was told) or a pane cannot be made: the frame is then destroyed and the program ends.
    bool Create();

    // ---- CPaneFrame ------------------------------------------------------------------------------------
    CTreeNode& GetRootElement() override;
    CTreeNode* GetCurrentElement() override { return m_current; }
    void SetCurrentElement(CTreeNode* element) override;
    void SelectElement(CTreeNode* element) override;
    bool IsShowSuppressed() const override { return m_suppressShow; }
    void RestoreState() override;
    int GetStartMode() const override { return static_cast<int>(m_mode); }
    int GetFocusedPane() const override;
    void ReloadViews(bool force) override;
    void RefreshLabels() override;
    void SendCommand(int id) override;
    void ShowContextMenu(CTreeNode* element, int x, int y) override;
    CNodeContextMenus* GetNodeContextMenus() override { return nullptr; }
    void SetStatusText(const std::string& text) override;
    using wxFrame::SetStatusText;
    void QuickSearch(CTreeNode& element, const std::string& text, int searchDataFile) override;
    void ShowFocusedElement(CTreeNode* element) override;

    // ---- Find mode: the find pane's commands ---------------------------------------------------------
    // The search's records in the quick query node, shown in the results row under the find pane.
    void ShowSearchResults(CItemSet& results) override;

    // ---- accessors -------------------------------------------------------------------------------------
    StartMode GetMode() const { return m_mode; }
    CFrameTreePane* GetLeftView() const { return m_tree; }
    ParentView* GetParentView() const;
    CFrameListPane* GetListView() const;
    CFrameWebPane* GetWebView() const;
    wxWindow* GetFindView() const { return m_find; }
    CMainSplitter* GetSplitter() const { return m_splitter; }
    CStatusPanes* GetStatusPanes() const { return m_status; }
    AddressCombo* GetAddressBar() const { return m_address; }
    wxWindow* GetAddressBand() const { return m_addressBand; }
    // ---- the commands (menus, tool bar, accelerators) ----
    CFrameCommands* GetCommands() const { return m_commands.get(); }
    CNavHistory& GetNavHistory() { return *m_history; }
    // The tree's selected element when the tree has the focus, the list's focused one when the list has.
    CTreeNode* GetSelectedElement() const;
    void SetShowSuppressed(bool suppress) { m_suppressShow = suppress; }
    bool IsStateRestored() const { return m_stateRestored; }

    // Finds the element by its names separated by ':' (the first building its children when needed) and
    // makes it current.
    void SelectByPath(std::string_view path);
    // Through the tree pane's path search ('^'-separated path below the root).
    void SelectElementByPath(std::string_view path);
    // The tree and list of the root in the tree pane.
    void FillTree();
    // The catalogue node under the root that holds the file; null when none.
    CTreeNode* FindCatalogueNode(const std::filesystem::path& file) const;
    // After a record was saved: the loaded item sets of its catalogue's top elements take it, and the
    // list shows it when its element is selected.
    void GoToNodeByCode(CCatalogueDb& catalogue, CRecord& record, double keyCode);
    // Among the catalogues under the root, the one whose stored text of that name was written last (the
    // first of equals); null when none holds it with a date.
    CCatalogueDb* FindNewestCatalogueForFile(std::string_view name) const;
    // The first element of the tree whose loaded item set holds the record's key code; null in Find mode.
    CTreeNode* FindNodeHoldingKey(const CRecord& record) const;

    // Writes the expanded and selected elements (not in Open and Find mode) and the window's place.
    void SaveState();

private:
    bool SetStartMode();
    void RegisterFromFrome();
    void OpenRegisteredCatalogues();
    bool CreateClient();
    void PlaceWindow();
    void OnRegisteredMessage(platform::ui::RegisteredMessageEvent& event);
    void UnloadDatabase(const std::string& file);
    void UnloadElement(const std::string& path);
    void OnClose(wxCloseEvent& event);
    void OnActivate(wxActivateEvent& event);
    // Find Now (317), New Search (318) and Save Search (319) of the find pane.
    void OnFindCommand(wxCommandEvent& event);

    std::vector<std::string> m_arguments;
    StartMode m_mode = StartMode::kNormal;
    std::string m_modeWord;
    std::array<std::string, 4> m_fields;
    std::unique_ptr<CBaseItemNode> m_root;
    CMainSplitter* m_splitter = nullptr; // windows owned by the frame
    CFrameTreePane* m_tree = nullptr;
    ParentView* m_host = nullptr;
    wxWindow* m_find = nullptr;
    CStatusPanes* m_status = nullptr;
    AddressCombo* m_address = nullptr;
    wxWindow* m_addressBand = nullptr;
    std::unique_ptr<CNavHistory> m_history;
    // The results of the last quick search; shown in the list, in no catalogue's subtree.
    std::unique_ptr<CTreeNode> m_quickQuery;
    CTreeNode* m_current = nullptr;
    // The window that had the focus when the frame was last deactivated; it may be gone by the time the
    // frame is active again (a dialog's control).
    wxWeakRef<wxWindow> m_focus;
    std::unique_ptr<CDialogHelpHook> m_helpHook;
    bool m_suppressShow = false;
    bool m_stateRestored = false;
    bool m_stateSaved = false;
    unsigned m_reloadAndDisplay = 0;
    // The commands: menus, tool bar, accelerators (made in Create, bound to this frame).
    std::unique_ptr<CFrameCommands> m_commands;
};

// The main frame of the program; null before it is made and after it is gone.
CMainFrame* GetMainFrame();
