#pragma once
// CFrameCommands: the main frame's commands. Bound to the frame when it is made, it builds the menu
// bar, the tool bar and the accelerators, routes every menu, tool and accelerator command (the history
// ranges, the web views 2100 to 2200, the list styles, then the commands of the frame) and keeps each
// command's enabled state, check mark and text through update-UI events.

#include "mainwindow/commands/CommandRules.h"

#include <wx/event.h>

#include <memory>
#include <string>
#include <vector>

class CMainFrame;
namespace platform::ui {
class ClipboardWatch;
}
class CTreeNode;
class wxMenu;
class wxMenuEvent;
class wxToolBar;

class CFrameCommands : public wxEvtHandler
{
public:
    explicit CFrameCommands(CMainFrame& frame);
    ~CFrameCommands() override;

    // Runs a command as the menus would; false when the frame does not handle it.
    bool Run(int command);
    CommandContext Context() const;
    wxToolBar* GetToolBar() const { return m_toolBar; }
    // Find mode: whether a search has run (Save Search, Select All).
    void SetSearchRun(bool run) { m_searchRun = run; }
    // The File menu's first item follows the selected element; the Web View menu lists its views.
    void PrepareFileMenu(wxMenu& file);
    void PrepareWebViewMenu(wxMenu& web);
    // The menu a tool-bar button's arrow opens (View: the list styles and the web views; Back and
    // Forward: the history); null for other buttons.
    std::unique_ptr<wxMenu> BuildDropDownMenu(int command);
    // Takes the cut mark from every tree item and list row.
    void ClearCutMarks();
    // The clipboard got new content: the cut marks go when what was cut is no longer on it.
    void ClipboardChanged();

private:
    void OnMenu(wxCommandEvent& event);
    void OnUpdateUI(wxUpdateUIEvent& event);
    void OnMenuOpen(wxMenuEvent& event);
    void OnToolDropDown(wxCommandEvent& event);
    bool RunWebView(int index);
    // The web views of the selected element's data file, in tree order; none without an item set.
    std::vector<std::string> SelectedWebViews() const;
    bool RunElementCommand(int command, CTreeNode* selected);
    void SetListStyle(const char* word, bool cycle);
    void ToggleSetting(const char* name, int fallback);
    void ShowBars();
    bool GoInHistory(bool back, int index);
    void ApplyToPane(bool cut);
    // The data of every move format on the clipboard, as one text to compare.
    static std::string MoveEntriesOnClipboard();
    // Paste goes into the list's shown element when the list has the focus, else the tree's selection.
    CTreeNode* PasteTarget() const;
    void Paste();
    bool PasteEnabled();
    void CycleFocus(bool back);
    // The list's focused element when it is a record row; null otherwise.
    CTreeNode* ListFocusedRecord() const;
    void GoToWebPage();
    void ShiftFolder(CTreeNode* node, bool up);
    void SwitchIcons(CTreeNode* node);
    void ImportFile(CTreeNode* node);
    void OpenFocused();

    CMainFrame& m_frame;
    wxToolBar* m_toolBar = nullptr;
    bool m_searchRun = false;
    // The last answer of the paste rule, its target and when (ms); -1: ask again.
    long m_pasteChecked = -1;
    CTreeNode* m_pasteTarget = nullptr;
    bool m_pasteEnabled = false;
    // Whether rows or an item show as cut, and the move entries the clipboard held just after the cut.
    bool m_hasCutMarks = false;
    std::string m_cutOnClipboard;
    std::unique_ptr<platform::ui::ClipboardWatch> m_clipboardWatch;
};
