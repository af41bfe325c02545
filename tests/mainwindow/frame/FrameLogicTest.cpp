#include "mainwindow/frame/FramePanes.h"
#include "mainwindow/frame/FrameState.h"
#include "mainwindow/frame/StartMode.h"
#include "store/program/Settings.h"
#include "tree/base/BaseItemNode.h"
#include "tree/base/TreeNode.h"

#include <gtest/gtest.h>

namespace {

TEST(StartModeTest, TheLastParameterWinsAndLosesItsSwitchMark)
{
    struct Case
    {
        std::vector<std::string> arguments;
        std::string last;
    };
    const Case cases[] = {
        {{}, ""},      {{"-nosplash", "Find"}, "Find"}, {{"Find", "-nosplash"}, "nosplash"},
        {{"/x"}, "x"}, {{"--long"}, "-long"},           {{"List^My Coins^Europe"}, "List^My Coins^Europe"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LastParameter(c.arguments), c.last);
    }
}

TEST(StartModeTest, WordsNameModesWithoutRegardToCase)
{
    const std::pair<const char*, StartMode> cases[] = {
        {"", StartMode::kNormal},       {"normal", StartMode::kNormal},
        {"OPEN", StartMode::kOpen},     {"simplelist", StartMode::kSimpleList},
        {"find", StartMode::kFind},     {"list", StartMode::kList},
        {"frome", StartMode::kFrome},   {"Single", StartMode::kSingle},
        {"Lists", StartMode::kUnknown}, {"Marlix", StartMode::kUnknown},
    };
    for (const auto& [word, mode] : cases) {
        EXPECT_EQ(StartModeOfWord(word), mode) << word;
    }
}

TEST(StartModeTest, RectanglesAndTreeWidthAreClamped)
{
    SetSettingInt("3x", -20);
    SetSettingInt("3y", -1);
    EXPECT_EQ(ReadFrameRect(StartMode::kSimpleList).x, 0);
    EXPECT_EQ(ReadFrameRect(StartMode::kSimpleList).y, 0);
    EXPECT_EQ(ReadFrameRect(StartMode::kSingle).width, 650);
    EXPECT_EQ(ReadFrameRect(StartMode::kSingle).height, 500);
    const std::pair<int, int> widths[] = {{900, 400}, {-5, 140}, {0, 0}, {250, 250}};
    for (const auto& [stored, used] : widths) {
        SetSettingInt("explorerX", stored);
        EXPECT_EQ(ReadExplorerWidth(), used) << stored;
    }
}

// A small tree: My Catalogues > Coins > Europe > France, and Coins > Asia.
struct SmallTree
{
    CBaseItemNode root;
    CTreeNode* coins = CTreeNode::AppendNode<CTreeNode>(root, "Coins", 0, 0);
    CTreeNode* europe = CTreeNode::AppendNode<CTreeNode>(*coins, "Europe", 0, 0);
    CTreeNode* france = CTreeNode::AppendNode<CTreeNode>(*europe, "France", 0, 0);
    CTreeNode* asia = CTreeNode::AppendNode<CTreeNode>(*coins, "Asia ^ \"East\" {x}", 0, 0);
};

TEST(FrameStateTest, ExpandedElementsAtEveryLevelComeBackInTreeOrder)
{
    SmallTree tree;
    tree.coins->SetAttribute("Expanded", "TRUE");
    tree.europe->SetAttribute("Expanded", "TRUE");
    tree.asia->SetAttribute("Expanded", "TRUE");
    const std::vector<std::string> paths = ExpandedPaths(BuildExpandedState(tree.root));
    ASSERT_EQ(paths.size(), 3u);
    EXPECT_EQ(paths[0], tree.coins->GetPath());
    EXPECT_EQ(paths[1], tree.europe->GetPath());
    EXPECT_EQ(tree.root.FindByNodePath(paths[2]), tree.asia);
    // What does not fit is left out whole.
    const size_t whole = BuildExpandedState(tree.root).size();
    EXPECT_EQ(ExpandedPaths(BuildExpandedState(tree.root, whole - 1)).size(), 2u);
    EXPECT_TRUE(ExpandedPaths("not a tree").empty());
    EXPECT_TRUE(ExpandedPaths("").empty());
}

TEST(FrameStateTest, TheSelectedPathLeadsAsDeepAsTheTreeStillGoes)
{
    SmallTree tree;
    const std::string root = tree.root.GetName();
    struct Case
    {
        std::string text;
        CTreeNode* found;
    };
    const Case cases[] = {
        {tree.france->GetFullPath(), tree.france},
        {root + "^Coins^Europe^Gone^", tree.europe},
        {root + "^Gone^Europe^", nullptr},
        {"no separator", nullptr},
        {"x", nullptr},
        {root + "^x^", &tree.root},
        {tree.asia->GetFullPath(), tree.asia},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindElementBySelectedPath(tree.root, c.text), c.found) << c.text;
    }
}

TEST(FrameStateTest, PathsOfNamesFindTheirElementEvenWhenANameHoldsTheSeparator)
{
    SmallTree tree;
    CTreeNode* slash = CTreeNode::AppendNode<CTreeNode>(*tree.coins, "1900/1950", 0, 0);
    CTreeNode* early = CTreeNode::AppendNode<CTreeNode>(*tree.coins, "1900", 0, 0);
    CTreeNode* inside = CTreeNode::AppendNode<CTreeNode>(*early, "1950", 0, 0);
    EXPECT_EQ(FindElementByNames(tree.root, "Coins:Europe:France", ':'), tree.france);
    EXPECT_EQ(FindElementByNames(tree.root, "coins/europe/FRANCE", '/'), tree.france);
    EXPECT_EQ(FindElementByNames(tree.root, "Coins/1900/1950", '/'), slash);
    EXPECT_EQ(FindElementByNames(tree.root, "Coins:1900:1950", ':'), inside);
    EXPECT_EQ(FindElementByNames(tree.root, "Coins/Europe/Gone", '/'), nullptr);
    EXPECT_EQ(FindElementByNames(tree.root, "", '/'), nullptr);
}

} // namespace
