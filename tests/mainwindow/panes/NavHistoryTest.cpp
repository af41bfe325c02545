// The navigation history: visits, its limit of ten, going back and forward, and its menus.

#include "mainwindow/panes/address/NavHistory.h"

#include "tree/base/BaseItemNode.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Texts(const std::vector<NavMenuItem>& items)
{
    std::vector<std::string> texts;
    for (const NavMenuItem& item : items) {
        texts.push_back(item.text);
    }
    return texts;
}

TEST(NavHistory, TheSamePathTwiceInARowIsOneEntry)
{
    CNavHistory history;
    history.Push("Coins/Europe");
    history.Push("Coins/Europe");
    EXPECT_EQ(history.GetIndex(), 1);
    EXPECT_FALSE(history.CanGoBack());
    history.Push("Coins/Asia");
    EXPECT_TRUE(history.CanGoBack());
    EXPECT_EQ(history.GoBack(), "Coins/Europe");
    EXPECT_FALSE(history.CanGoBack());
    EXPECT_TRUE(history.CanGoForward());
    EXPECT_EQ(history.GoForward(), "Coins/Asia");
    EXPECT_FALSE(history.CanGoForward());
    EXPECT_EQ(history.GoForward(), "") << "nothing lies ahead";
    EXPECT_EQ(history.GetIndex(), 2);
}

TEST(NavHistory, TheEleventhVisitShiftsTheOldestOutOfReach)
{
    CNavHistory history;
    for (int i = 1; i <= 11; ++i) {
        history.Push("p" + std::to_string(i));
    }
    EXPECT_EQ(history.GetIndex(), CNavHistory::kLimit);
    EXPECT_EQ(history.GetEntry(0), "p1");
    EXPECT_EQ(history.GetEntry(10), "p11");
    // Step by step back the walk stops at entry 1: the oldest path sits in entry 0.
    std::string last;
    while (history.CanGoBack()) {
        last = history.GoBack();
    }
    EXPECT_EQ(last, "p2");
    EXPECT_EQ(history.GetIndex(), 1);
    history.Push("p12");
    EXPECT_EQ(history.GetIndex(), 2);
    EXPECT_EQ(history.GetEntry(3), "p4") << "the entries after the current one stay";
}

TEST(NavHistory, GoingBackThenVisitingKeepsTheLaterForwardEntries)
{
    CNavHistory history;
    for (const char* path : {"a", "b", "c", "d"}) {
        history.Push(path);
    }
    history.GoBack();
    history.GoBack();
    history.Push("e");
    EXPECT_EQ(history.GetIndex(), 3);
    EXPECT_EQ(Texts(history.ForwardMenu()), std::vector<std::string>{"d"});
    EXPECT_EQ(history.ForwardMenu().front().id, 24144);
    EXPECT_EQ(Texts(history.BackMenu()), (std::vector<std::string>{"e", "b", "a"}));
    EXPECT_EQ(history.BackMenu().back().id, 24130);
}

TEST(NavHistory, MenuCommandsGoToTheirEntries)
{
    CNavHistory history;
    for (const char* path : {"a", "b", "c", "d", "e"}) {
        history.Push(path);
    }
    const std::vector<NavMenuItem> back = history.BackMenu();
    ASSERT_EQ(back.size(), 5u);
    const int index = CNavHistory::BackIndexOfCommand(back[3].id);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(history.GoBack(index), "b");
    const std::vector<NavMenuItem> forward = history.ForwardMenu();
    EXPECT_EQ(Texts(forward), (std::vector<std::string>{"c", "d", "e"}));
    EXPECT_EQ(history.GoForward(CNavHistory::ForwardIndexOfCommand(forward[2].id)), "e");
    EXPECT_EQ(CNavHistory::BackIndexOfCommand(24140), -1);
    EXPECT_EQ(CNavHistory::ForwardIndexOfCommand(24151), -1);
    EXPECT_EQ(history.GoBack(0), "d");
}

TEST(NavHistory, BackBeforeTheFirstEntryIsEmpty)
{
    CNavHistory history;
    EXPECT_EQ(history.GoBack(), "");
    EXPECT_EQ(history.GetIndex(), 0);
    EXPECT_TRUE(history.BackMenu().empty());
    EXPECT_TRUE(history.ForwardMenu().empty());
}

struct Named : CTreeNode
{
    explicit Named(std::string_view name) : CTreeNode(name, 0, 0) {}
};

TEST(NavHistory, PathsLeadBackToTheirElements)
{
    CBaseItemNode root;
    auto* coins = CTreeNode::AppendNode<Named>(root, "Coins");
    auto* europe = CTreeNode::AppendNode<Named>(*coins, "Europe");
    auto* slashed = CTreeNode::AppendNode<Named>(*coins, "1/2 Thaler");
    CNavHistory history;
    history.PushElement(*europe);
    EXPECT_EQ(history.GetEntry(1), "Coins/Europe");
    EXPECT_EQ(FindNodeByDisplayPath(root, "coins/EUROPE"), europe);
    EXPECT_EQ(FindNodeByDisplayPath(root, "Coins^Europe^"), europe);
    EXPECT_EQ(FindNodeByDisplayPath(root, "Coins^1/2 Thaler^"), slashed);
    EXPECT_EQ(FindNodeByDisplayPath(root, "Coins/Asia"), nullptr);
    EXPECT_EQ(FindNodeByDisplayPath(root, ""), nullptr);
}

} // namespace
