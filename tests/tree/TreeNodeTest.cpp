// What every node does through the base: serial numbers, the context menu, combo boxes, the choosers'
// walks and expanded state.

#include "tests/tree/RecordingTreeControl.h"
#include "tree/base/BaseItemNode.h"
#include "tree/base/NodeInterfaces.h"

#include <gtest/gtest.h>

namespace {

// A folder-like plain node for the walks.
class FolderLike : public CTreeNode
{
public:
    FolderLike(std::string_view label, bool folder) : CTreeNode(label, 40, 23), m_folder(folder) {}
    bool IsFolder() override { return m_folder; }

private:
    bool m_folder;
};

class RecordingMenus : public CNodeContextMenus
{
public:
    std::vector<NodeMenuCommand> NewMenuOf(CTreeNode* /*catalogueNode*/) override { return commands; }
    void SendCommand(int id) override { sent.push_back(id); }
    void TrackPopup(const std::vector<NodeMenuCommand>& shown, NodePoint point) override
    {
        tracked.push_back({shown.size(), point.x});
    }
    std::vector<NodeMenuCommand> commands;
    std::vector<int> sent;
    std::vector<std::pair<size_t, int>> tracked;
};

class RecordingCombo : public CNodeComboBox
{
public:
    explicit RecordingCombo(int id) : m_id(id) {}
    int GetControlId() const override { return m_id; }
    void Clear() override { lines.clear(); }
    int AppendLine(int indent, const std::string& text, int /*image*/, int /*selectedImage*/,
                   CTreeNode* /*node*/) override
    {
        lines.push_back(std::string(static_cast<size_t>(indent) * 2, ' ') + text);
        return static_cast<int>(lines.size()) - 1;
    }
    void SelectLine(int index) override { selected = index; }
    int ImageIndexOfKind(int kind) const override { return kind; }

    std::vector<std::string> lines;
    int selected = -1;

private:
    int m_id;
};

} // namespace

TEST(TreeNode, TheRootRestartsTheSerialNumbers)
{
    CTreeNode before("before", 0, 0);
    CBaseItemNode root;
    EXPECT_EQ(root.GetSerial(), 0);
    EXPECT_EQ(root.GetName(), "My Catalogues");
    auto* first = CTreeNode::AppendNode<CTreeNode>(root, "first", 0, 0);
    auto* second = CTreeNode::AppendNode<CTreeNode>(root, "", 0, 0);
    EXPECT_EQ(first->GetSerial(), 1);
    EXPECT_EQ(second->GetSerial(), 2);
    // An empty label takes the property tree's stand-in name.
    EXPECT_EQ(second->GetName().rfind("tmpNm", 0), 0u);
}

TEST(TreeNode, ContextMenuRunsALoneNewCommandAtOnce)
{
    CBaseItemNode root;
    RecordingMenus menus;
    struct Case
    {
        std::vector<NodeMenuCommand> commands;
        bool runs;
    };
    const Case cases[] = {
        {{{1335, "Coin"}}, true},
        {{{1435, "Note"}}, true},
        {{{1436, "Other"}}, false},
        {{{1335, "Coin"}, {1336, "Country"}}, false},
        {{}, false},
    };
    for (const Case& c : cases) {
        menus.commands = c.commands;
        menus.sent.clear();
        menus.tracked.clear();
        EXPECT_TRUE(root.ShowContextMenu(menus, {30, 40}));
        EXPECT_EQ(menus.sent.size(), c.runs ? 1u : 0u);
        EXPECT_EQ(menus.tracked.size(), c.runs ? 0u : 1u);
    }
}

TEST(TreeNode, CombosShowTheWayToTheSelectedNode)
{
    CBaseItemNode root;
    auto* coins = CTreeNode::AppendNode<FolderLike>(root, "Coins", true);
    auto* europe = CTreeNode::AppendNode<FolderLike>(*coins, "Europe", true);
    auto* france = CTreeNode::AppendNode<FolderLike>(*europe, "France", true);
    CTreeNode::AppendNode<FolderLike>(*france, "Paris", true);
    auto* asia = CTreeNode::AppendNode<FolderLike>(*coins, "Asia", true);
    CTreeNode::AppendNode<FolderLike>(*asia, "Japan", true);
    france->MarkSelected();

    RecordingCombo address(1001);
    root.FillComboBox(address);
    // Down to the selected node and one level below the catalogues; the rest stays closed.
    EXPECT_EQ(address.lines,
              (std::vector<std::string>{"Coins", "  Europe", "    France", "      Paris", "  Asia"}));
    EXPECT_EQ(address.selected, 2);

    RecordingCombo fromNode(1067);
    europe->FillComboBox(fromNode);
    EXPECT_EQ(fromNode.lines, (std::vector<std::string>{"  Europe", "    France", "      Paris"}));
}

TEST(TreeNode, ChoosersInsertTargetsBoldAndTheWayToThemPlain)
{
    CBaseItemNode root;
    auto* group = CTreeNode::AppendNode<FolderLike>(root, "Group", false);
    CTreeNode::AppendNode<FolderLike>(*group, "Target", true);
    CTreeNode::AppendNode<FolderLike>(root, "Elsewhere", false);
    lumarc::test::RecordingTreeControl tree;
    root.InsertTreeItems(tree, 1);
    // The root is no catalogue and holds no target itself: only the way to the target shows.
    EXPECT_EQ(tree.log, (std::vector<std::string>{"append Group", "append Target bold"}));

    group->SetAttribute("Expanded", "true");
    tree.log.clear();
    root.RestoreExpanded(tree);
    EXPECT_EQ(tree.log, (std::vector<std::string>{"expand Group"}));
}
