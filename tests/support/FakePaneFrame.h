#pragma once
// A main frame for the panes' window tests: it holds the element tree's root and records what the panes
// ask of it (elements made current or selected, commands, menus, status texts, searches, reloads, the list's
// focused elements).

#include "mainwindow/frame/FramePanes.h"
#include "tree/base/TreeNode.h"

#include <string>
#include <vector>

namespace lumarc::test {

class FakePaneFrame : public CPaneFrame
{
public:
    struct Search
    {
        CTreeNode* element = nullptr;
        std::string text;
        int searchDataFile = 0;
    };
    struct ContextMenu
    {
        CTreeNode* element = nullptr;
        int x = 0;
        int y = 0;
    };

    explicit FakePaneFrame(CTreeNode& root) : m_root(root) {}

    CTreeNode& GetRootElement() override { return m_root; }
    CTreeNode* GetCurrentElement() override { return current; }
    void SetCurrentElement(CTreeNode* element) override
    {
        current = element;
        madeCurrent.push_back(element);
    }
    void SelectElement(CTreeNode* element) override
    {
        if (element != nullptr) {
            selected.push_back(element);
            element->MarkSelected();
            SetCurrentElement(element);
        }
    }
    bool IsShowSuppressed() const override { return suppressShow; }
    void RestoreState() override { ++restoreStateCalls; }
    int GetStartMode() const override { return startMode; }
    int GetFocusedPane() const override { return focusedPane; }
    void ReloadViews(bool force) override { reloads.push_back(force); }
    void RefreshLabels() override { ++refreshLabelsCalls; }
    void SendCommand(int id) override { commands.push_back(id); }
    void ShowContextMenu(CTreeNode* element, int x, int y) override
    {
        contextMenus.push_back({element, x, y});
    }
    CNodeContextMenus* GetNodeContextMenus() override { return nodeMenus; }
    void ShowFocusedElement(CTreeNode* element) override { focusedShown.push_back(element); }
    void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
    void QuickSearch(CTreeNode& element, const std::string& text, int searchDataFile) override
    {
        searches.push_back({&element, text, searchDataFile});
    }

    CTreeNode* GetListFocusedElement() override { return listFocused; }
    void FocusListPane() override { ++listFocusRequests; }

    CTreeNode* current = nullptr;
    CTreeNode* listFocused = nullptr;
    int listFocusRequests = 0;
    bool suppressShow = false;
    int startMode = 1;
    int focusedPane = 1;
    CNodeContextMenus* nodeMenus = nullptr;
    int restoreStateCalls = 0;
    int refreshLabelsCalls = 0;
    std::vector<CTreeNode*> madeCurrent;
    std::vector<CTreeNode*> selected;
    std::vector<bool> reloads;
    std::vector<int> commands;
    std::vector<ContextMenu> contextMenus;
    std::vector<std::string> statusTexts;
    std::vector<Search> searches;
    std::vector<CTreeNode*> focusedShown;

private:
    CTreeNode& m_root;
};

} // namespace lumarc::test
