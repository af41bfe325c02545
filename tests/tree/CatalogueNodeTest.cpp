// The catalogue node on catalogues made by the fixture builder: which children it builds and in what
// order, its "New" menu, the lists, queries, folders and items it makes, and removing a catalogue.

#include "tree/catalogue/CatalogueNode.h"

#include "platform/dao/DaoDatabase.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Settings.h"
#include "store/records/FolderRecord.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/tree/RecordingTreeControl.h"
#include "tree/base/BaseItemNode.h"
#include "tree/base/NodeInterfaces.h"
#include "tree/base/OrderingNodeFactory.h"
#include "tree/catalogue/CatalogueNodeUi.h"

#include "tree/menus/NodeMenu.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

#include <deque>

namespace {

using namespace lumarc::test;

// The children's labels, in order.
std::string Labels(CTreeNode& node)
{
    std::string labels;
    for (CTreeNode* child = node.GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        labels += (labels.empty() ? "" : ", ") + child->GetName();
    }
    return labels;
}

// Cart and order nodes as plain labelled nodes, so the catalogue node's part is seen alone.
class FakeOrderingNodes : public COrderingNodeFactory
{
public:
    FakeOrderingNodes() { m_previous = SetOrderingNodeFactory(this); }
    ~FakeOrderingNodes() override { SetOrderingNodeFactory(m_previous); }
    CTreeNode* AppendShoppingCart(CTreeNode& catalogueNode, CCatalogueDb& /*catalogue*/) override
    {
        return CTreeNode::AppendNode<Ordering>(catalogueNode, "Shopping Cart");
    }
    CTreeNode* AppendPastOrders(CTreeNode& catalogueNode, CCatalogueDb& /*catalogue*/) override
    {
        return CTreeNode::AppendNode<Ordering>(catalogueNode, "Past Orders");
    }

private:
    struct Ordering : CTreeNode
    {
        explicit Ordering(std::string_view label) : CTreeNode(label, 44, 44) {}
        bool IsOrderingItem() override { return true; }
    };
    COrderingNodeFactory* m_previous = nullptr;
};

// The windows' answers, given in order.
class FakeUi : public CCatalogueNodeUi
{
public:
    FakeUi() { m_previous = SetCatalogueNodeUi(this); }
    ~FakeUi() override { SetCatalogueNodeUi(m_previous); }
    std::optional<std::string> AskPassword(const std::string& /*name*/) override
    {
        ++passwordQuestions;
        if (passwords.empty()) {
            return std::nullopt;
        }
        std::string password = passwords.front();
        passwords.pop_front();
        return password;
    }
    std::optional<NewElementAnswer> AskNewElement(NewElement what, CTreeNode& place,
                                                  const std::string& proposal) override
    {
        asked.push_back({what, &place, proposal});
        if (answers.empty()) {
            return std::nullopt;
        }
        NewElementAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    CTreeNode* ChooseNewItemPlace(CTreeNode& /*catalogueNode*/, int /*dataFile*/) override
    {
        ++placeQuestions;
        return chosenPlace;
    }
    CTreeNode* SelectedElement() override { return selected; }
    void MakeCurrentElement(CTreeNode& node) override { current = &node; }
    void RefillTree() override { ++refills; }
    void RefreshTreeLabels() override { ++labelRefreshes; }

    struct Question
    {
        NewElement what;
        CTreeNode* place;
        std::string proposal;
    };
    std::deque<std::string> passwords;
    std::deque<NewElementAnswer> answers;
    std::vector<Question> asked;
    CTreeNode* selected = nullptr;
    CTreeNode* chosenPlace = nullptr;
    CTreeNode* current = nullptr;
    int passwordQuestions = 0, placeQuestions = 0, refills = 0, labelRefreshes = 0;

private:
    CCatalogueNodeUi* m_previous = nullptr;
};

class CatalogueNodeTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs().Clear();
        made = MakeTypicalCatalogue(MakeTempFolder("catalogue"));
    }
    void TearDown() override
    {
        root.reset();
        SetSettingString("toDoDataBase", "");
        SetSettingString("shopCartDataBase", "");
    }
    CCatalogueNode& Open(const std::filesystem::path& path)
    {
        if (!root) {
            root = std::make_unique<CBaseItemNode>();
        }
        return *CTreeNode::AppendNode<CCatalogueNode>(*root, path);
    }

    TypicalCatalogue made;
    std::unique_ptr<CBaseItemNode> root;
};

} // namespace

TEST_F(CatalogueNodeTest, BuildsItsChildrenInOrderOnceAndShowsThemInEveryControlThatAsks)
{
    FakeOrderingNodes orders;
    {
        CCatalogueDb catalogue(made.path);
        catalogue.WriteQuery("Top query", "{Top query}{}{1}", 0);
        catalogue.WriteFileText("toOrder", "<toOrder><shop/></toOrder>");
        catalogue.WriteFileText("order0", "an order");
    }
    CCatalogueNode& node = Open(made.path);
    EXPECT_TRUE(node.HasUnbuiltChildren());
    RecordingTreeControl tree;
    node.InsertTreeItem(tree, false, false);
    node.PopulateChildren(&tree);
    const std::string expected =
        "Europe, Asia, Top query, Wanted, Shopping Cart, Past Orders, Tables, Recycle Bin";
    EXPECT_EQ(Labels(node), expected);
    EXPECT_EQ(Labels(*node.FindByNodePath("Tables")), "Country");
    EXPECT_TRUE(node.FindByNodePath("Europe")->IsFolder());
    EXPECT_TRUE(node.FindByNodePath("Top query")->IsQuery());
    EXPECT_TRUE(node.FindByNodePath("Wanted")->IsItemList());
    EXPECT_TRUE(node.FindByNodePath("Recycle Bin")->IsWastebasket());
    for (CTreeNode* child = node.GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        EXPECT_NE(tree.ItemOf(child), kNoTreeItem) << child->GetName();
    }

    // Asked again, by the same control or another, nothing is added.
    node.PopulateChildren(&tree);
    RecordingTreeControl chooser;
    node.InsertTreeItem(chooser, false, false);
    node.PopulateChildren(&chooser);
    node.PopulateChildren(nullptr);
    EXPECT_EQ(Labels(node), expected);
    EXPECT_NE(chooser.ItemOf(node.GetFirstChildNode()), kNoTreeItem);
    EXPECT_FALSE(node.HasUnbuiltChildren());
}

struct ChildrenCase
{
    const char* name;
    bool viewOnly;
    bool toOrder;
    bool order0;
    const char* cartCatalogue; // "shopCartDataBase": "" for every catalogue, "other" for another one
    bool toDoHere;
    bool tableFile;
    const char* children;
};

class CatalogueNodeChildrenTest : public CatalogueNodeTest, public testing::WithParamInterface<ChildrenCase>
{
};

TEST_P(CatalogueNodeChildrenTest, BuildsOnlyTheChildrenItsSettingsAndTextsAskFor)
{
    const ChildrenCase& c = GetParam();
    FakeOrderingNodes orders;
    DataFileSpec toDo = AddressesFile(25);
    toDo.table = "TODO";
    toDo.menuName = "To do";
    CatalogueBuilder builder(MakeTempFolder("children") / "small.ctg");
    builder.DataFile(CoinsFile(1)).DataFile(toDo);
    if (c.tableFile) {
        builder.DataFile(CountriesFile(2));
    }
    const auto path = builder.Build();
    {
        CCatalogueDb catalogue(path);
        catalogue.AddFolder("Coins", 0, 1);
        catalogue.AddFolder("Tasks", 0, 25);
        if (c.toOrder) {
            catalogue.WriteFileText("toOrder", "<toOrder/>");
        }
        if (c.order0) {
            catalogue.WriteFileText("order0", "an order");
        }
        catalogue.SetViewOnly(c.viewOnly);
    }
    SetSettingString("shopCartDataBase", std::string(c.cartCatalogue) == "other" ? "/else/where.ctg" : "");
    SetSettingString("toDoDataBase", c.toDoHere ? "" : "/else/where.ctg");
    CCatalogueNode& node = Open(path);
    node.PopulateChildren(nullptr);
    EXPECT_EQ(Labels(node), c.children);
}

INSTANTIATE_TEST_SUITE_P(Cases, CatalogueNodeChildrenTest,
                         testing::Values(ChildrenCase{"CartWithoutOrders", false, true, false, "", true, true,
                                                      "Coins, Tasks, Shopping Cart, Tables, Recycle Bin"},
                                         ChildrenCase{"OrdersWithoutCart", false, false, true, "", true, true,
                                                      "Coins, Tasks, Past Orders, Tables, Recycle Bin"},
                                         ChildrenCase{"CartOfAnotherCatalogue", false, true, true, "other",
                                                      true, true, "Coins, Tasks, Tables, Recycle Bin"},
                                         ChildrenCase{"ViewOnlyShowsNoCartOrdersOrWastebasket", true, true,
                                                      true, "", true, true, "Coins, Tasks, Tables"},
                                         ChildrenCase{"ToDoListOfAnotherCatalogue", false, false, false, "",
                                                      false, true, "Coins, Tables, Recycle Bin"},
                                         ChildrenCase{"NoTablesWithoutATableFile", false, false, false, "",
                                                      true, false, "Coins, Tasks, Recycle Bin"}),
                         [](const testing::TestParamInfo<ChildrenCase>& info) { return info.param.name; });

TEST_F(CatalogueNodeTest, AProtectedCatalogueBuildsNothingUntilItsPasswordIsGiven)
{
    FakeUi ui;
    const auto path = MakeTypicalCatalogue(MakeTempFolder("protected"), "secret").path;
    CCatalogueNode& node = Open(path);
    EXPECT_EQ(node.GetName(), "Protected Catalogue");

    ui.passwords = {"wrong"};
    node.PopulateChildren(nullptr);
    EXPECT_FALSE(node.ChildrenBuilt());
    EXPECT_FALSE(node.HasChildren());
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text, "The password is wrong: the catalogue stays protected.");

    ui.passwords = {"secret"};
    node.PopulateChildren(nullptr);
    EXPECT_EQ(ui.passwordQuestions, 2);
    EXPECT_TRUE(node.ChildrenBuilt());
    EXPECT_EQ(node.GetName(), node.GetCatalogue()->GetName());
    EXPECT_NE(node.FindByNodePath("Europe"), nullptr);
    EXPECT_EQ(ui.labelRefreshes, 1);
    node.PopulateChildren(nullptr);
    EXPECT_EQ(ui.passwordQuestions, 2);
}

TEST_F(CatalogueNodeTest, NewMenuOffersTheCatalogueCommandsThenItsDataFiles)
{
    DataFileSpec mints = AddressesFile(4);
    mints.table = "MINTS";
    mints.menuName = "Mints";
    mints.onlyChild = true;
    DataFileSpec bookmarks = AddressesFile(24);
    bookmarks.table = "BOOKMARKS";
    bookmarks.menuName = "Bookmarks";
    DataFileSpec toDo = AddressesFile(25);
    toDo.table = "TODO";
    toDo.menuName = "To do";
    const auto path = CatalogueBuilder(MakeTempFolder("menu") / "menu.ctg")
                          .DataFile(CoinsFile(1))
                          .DataFile(CountriesFile(2))
                          .DataFile(mints)
                          .DataFile(bookmarks)
                          .DataFile(toDo)
                          .Build();
    // The catalogue's item menu: the popup "New" holding its "New" menu, then Rename.
    const auto describe = [](CCatalogueNode& node) {
        CNodeMenu menu;
        node.BuildItemMenu(&menu);
        std::string text;
        const std::function<void(const CNodeMenu&)> walk = [&](const CNodeMenu& level) {
            for (const CNodeMenu::Entry& entry : level.GetEntries()) {
                text += (text.empty() ? "" : " | ");
                if (entry.kind == CNodeMenu::EntryKind::Separator) {
                    text += "-";
                } else if (entry.kind == CNodeMenu::EntryKind::Popup) {
                    text += "[" + entry.text + " " + std::to_string(entry.picture) + ":";
                    walk(*entry.popup);
                    text += "]";
                } else {
                    text +=
                        entry.text + " " + std::to_string(entry.command) + " " +
                        std::to_string(entry.picture) + (entry.greyed ? " grey" : "") +
                        (entry.cataloguePicture != 0 ? " own" + std::to_string(entry.cataloguePicture) : "");
                }
            }
        };
        walk(menu);
        return text;
    };
    CCatalogueNode& node = Open(path);
    const std::string commands = "[New 154: | C&atalogue 1009 114 | &Folder 1023 105 | &Query 1010 165 | "
                                 "&List 1032 111 | &Data Type 1223 31248 | - | ";
    EXPECT_EQ(describe(node),
              commands + "Coin 1336 -1 own1 | Country 1337 -1 own2 | Bookmarks 1359 185 | To do 1360 31237 "
                         "| [Table 104: | Mints 1339 -1]] | Rena&me 1033 31262");

    // The to-do list of another catalogue is not offered here.
    SetSettingString("toDoDataBase", "/else/where.ctg");
    EXPECT_EQ(describe(node),
              commands + "Coin 1336 -1 own1 | Country 1337 -1 own2 | Bookmarks 1359 185 | [Table 104: | "
                         "Mints 1339 -1]] | Rena&me 1033 31262");

    // A catalogue without areas greys "Folder"; one whose files are all offered has no "Table".
    const auto plain = CatalogueBuilder(MakeTempFolder("menu") / "plain.ctg").DataFile(CoinsFile(1)).Build();
    CCatalogueNode& other = Open(plain);
    other.GetCatalogue()->SetAreaAllowed(0);
    EXPECT_EQ(describe(other),
              "[New 154: | C&atalogue 1009 114 | &Folder 1023 105 grey | &Query 1010 165 | "
              "&List 1032 111 | &Data Type 1223 31248 | - | Coin 1336 -1 own1] | Rena&me 1033 31262");
    EXPECT_EQ(other.GetStatusText(), std::vector<std::string>{"Catalogue: contains your data information"});
}

TEST_F(CatalogueNodeTest, NewListsQueriesAndFoldersAppearAndAreThereAfterAReopen)
{
    FakeUi ui;
    {
        CCatalogueNode& node = Open(made.path);
        node.PopulateChildren(nullptr);
        ui.answers = {{"A new List", "first"},
                      {"Rare coins", "to find", 0},
                      {"A new Folder", "", 100},
                      {"Old coins 2", "", 0},
                      {"Notes", "in Europe", 0}};
        node.NewItemList();
        node.NewItemList();
        node.NewFolder();
        node.NewQuery();
        EXPECT_EQ(ui.asked[0].proposal, "A new List");
        EXPECT_EQ(ui.asked[1].proposal, "A new List 1");
        EXPECT_EQ(ui.asked[2].proposal, "A new Folder");
        EXPECT_EQ(ui.asked[3].proposal, "New Query");
        EXPECT_EQ(ui.asked[0].place, &node);
        EXPECT_EQ(Labels(node),
                  "Europe, Asia, A new Folder, Old coins 2, Wanted, A new List, Rare coins, Tables, "
                  "Recycle Bin");

        // Below a selected folder: the folder is asked again for its children.
        ui.selected = node.FindByNodePath("Europe");
        node.NewItemList();
        EXPECT_EQ(ui.asked[4].place, ui.selected);
        ui.selected->PopulateChildren(nullptr);
        EXPECT_NE(node.FindByNodePath("Europe^Notes"), nullptr);
        // Cancelled: nothing is made.
        node.NewQuery();
        node.NewFolder();
    }
    root.reset();
    CCatalogueNode& again = Open(made.path);
    again.PopulateChildren(nullptr);
    EXPECT_EQ(Labels(again),
              "Europe, Asia, A new Folder, Old coins 2, Wanted, A new List, Rare coins, Tables, "
              "Recycle Bin");
    CTreeNode* europe = again.FindByNodePath("Europe");
    europe->PopulateChildren(nullptr);
    EXPECT_NE(again.FindByNodePath("Europe^Notes"), nullptr);
    CItemSet* lists = again.GetCatalogue()->GetBuiltinSet22();
    bool found = false;
    for (bool more = lists->MoveFirst(); more; more = lists->MoveNext()) {
        found = found || (lists->GetCurrentName() == "Rare coins" &&
                          lists->GetFieldTextByName("COMMENT") == "to find");
    }
    EXPECT_TRUE(found);
}

TEST_F(CatalogueNodeTest, ANewQueryNeverTakesTheNameOfAnotherQuery)
{
    FakeUi ui;
    CCatalogueNode& node = Open(made.path);
    node.PopulateChildren(nullptr);
    std::string before;
    ASSERT_TRUE(node.GetCatalogue()->ReadQuery("Old coins", before));
    ui.answers = {{"Old coins", "", 0}};
    node.NewQuery();
    std::string after;
    ASSERT_TRUE(node.GetCatalogue()->ReadQuery("Old coins", after));
    EXPECT_EQ(after, before);
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Labels(node), "Europe, Asia, Wanted, Tables, Recycle Bin");
}

TEST_F(CatalogueNodeTest, AShortcutOpensTheProgramOnTheCatalogue)
{
    CCatalogueNode& node = Open(made.path);
    const std::string file = node.CreateShortcut(22);
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(std::filesystem::path(file).parent_path(), GetProductDir());
    std::ifstream in(file);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("list^" + node.GetName()), std::string::npos) << text;
}

TEST_F(CatalogueNodeTest, WithoutItsWindowsTheNodeMakesNothing)
{
    CCatalogueNode& node = Open(made.path);
    node.PopulateChildren(nullptr);
    EXPECT_FALSE(CCatalogueNode::CanCreateElements());
    node.NewItemList();
    node.NewQuery();
    node.NewFolder();
    EXPECT_EQ(Labels(node), "Europe, Asia, Wanted, Tables, Recycle Bin");
}

TEST_F(CatalogueNodeTest, NewItemsGoToTheirTableTheirOnlyAreaOrAChosenPlace)
{
    struct FakeRecordForm : CRecordFormOpener
    {
        void OpenNewRecord(CItemSet newRecord, CTreeNode& container, CNodeFrame* /*frame*/) override
        {
            opened.emplace_back(newRecord.GetCurrentKind(), &container);
        }
        std::vector<std::pair<int, CTreeNode*>> opened;
    } form;
    CRecordFormOpener* previous = SetRecordFormOpener(&form);
    FakeUi ui;
    {
        CCatalogueDb catalogue(made.path);
        catalogue.AddFolder("Dealers", 0, 3);
    }
    CCatalogueNode& node = Open(made.path);
    node.PopulateChildren(nullptr);
    CTreeNode* countries = node.FindByNodePath("Tables^Country");
    CTreeNode* dealers = node.FindByNodePath("Dealers");
    CTreeNode* europe = node.FindByNodePath("Europe");
    ASSERT_NE(countries, nullptr);

    node.NewItemOfKind(nullptr, 2); // a table
    node.NewItemOfKind(nullptr, 3); // the one area of addresses
    ui.chosenPlace = europe;
    node.NewItemOfKind(nullptr, 1); // coins: no area of their own, so the user chooses
    SetRecordFormOpener(previous);
    using Opened = std::vector<std::pair<int, CTreeNode*>>;
    EXPECT_EQ(form.opened, (Opened{{2, countries}, {3, dealers}, {1, europe}}));
    EXPECT_EQ(ui.current, countries);
    EXPECT_EQ(ui.placeQuestions, 1);
}

TEST_F(CatalogueNodeTest, ANewItemWithNowhereToGoSaysSo)
{
    FakeUi ui;
    const auto path =
        CatalogueBuilder(MakeTempFolder("nowhere") / "empty.ctg").DataFile(CoinsFile(1)).Build();
    CCatalogueNode& node = Open(path);
    node.NewItemOfKind(nullptr, 1);
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text,
              "You must create a folder able to contain the item (pe a multiple folder)");
    EXPECT_EQ(Dialogs().messages[0].caption, "Error");
    EXPECT_EQ(ui.placeQuestions, 0);
}

TEST_F(CatalogueNodeTest, RemovingACatalogueUnregistersItAndClosesOrDeletesItsFile)
{
    const auto second = MakeTypicalCatalogue(MakeTempFolder("second")).path;
    const auto stem = [](std::filesystem::path path) { return path.replace_extension().string(); };
    const auto registered = [](const std::string& path) {
        for (const std::string& slot : ReadRegisteredCatalogues()) {
            if (!slot.empty() && slot.find(path) != std::string::npos) {
                return true;
            }
        }
        return false;
    };
    RegisterCatalogue(stem(made.path));
    RegisterCatalogue(stem(second));
    CCatalogueNode& first = Open(made.path);
    CCatalogueNode& other = Open(second);

    Dialogs().answers = {platform::ui::kIdNo};
    EXPECT_EQ(first.Delete(nullptr, false), kDeleteRefused);
    EXPECT_TRUE(registered(stem(made.path)));

    // Removed from the program, the file kept: the node goes, and with it the open catalogue.
    Dialogs().answers = {platform::ui::kIdYes, platform::ui::kIdNo};
    EXPECT_EQ(first.Delete(nullptr, false), kDeleteDone);
    EXPECT_FALSE(registered(stem(made.path)));
    root->DetachChild(&first);
    EXPECT_TRUE(std::filesystem::exists(made.path));
    CCatalogueDb reopened(made.path);
    EXPECT_TRUE(reopened.IsOpen());

    // The last catalogue is never removed.
    Dialogs().Clear();
    EXPECT_EQ(other.Delete(nullptr, false), kDeleteRefused);
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text,
              "This is the only Catalogue on Lumarc.\nAt least one Catalogue must be present.");
    EXPECT_TRUE(registered(stem(second)));

    // With a second one beside it, its file can go as well.
    Open(made.path);
    Dialogs().answers = {platform::ui::kIdYes, platform::ui::kIdYes};
    EXPECT_EQ(other.Delete(nullptr, false), kDeleteDone);
    root->DetachChild(&other);
    EXPECT_FALSE(std::filesystem::exists(second));
    EXPECT_FALSE(registered(stem(second)));
}

TEST_F(CatalogueNodeTest, OpeningACatalogueRemovesLinksToRecordsThatAreGone)
{
    {
        CCatalogueDb catalogue(made.path);
        const CNodeRef gone = AddRecord(catalogue, 1, made.france, {{"NAME", "Sou"}});
        AddLink(catalogue, made.franceCountry.In(catalogue), gone);
    }
    const auto countLinks = [this] {
        CCatalogueDb catalogue(made.path);
        return catalogue.GetLinkList().GetCount();
    };
    const size_t before = countLinks();
    {
        // The record's row goes without its link, as a crash in the middle of a deletion leaves it.
        CCatalogueDb catalogue(made.path);
        catalogue.GetDatabase()->Execute("DELETE FROM [COINS] WHERE [NAME] = 'Sou'");
    }
    Open(made.path);
    root.reset();
    EXPECT_EQ(countLinks(), before - 1);
}
