// The shopping cart and placed orders as nodes: a cart of two shops and three rows with its totals,
// changing a quantity, deleting rows, shops and orders (and what stays after a reopen), the shops of the
// past orders, orders shown whole, damaged cart texts, and placing an order through the wizard's
// interface.

#include "tree/orders/OrderingNodes.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Settings.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestNames.h"
#include "tests/tree/RecordingTreeControl.h"
#include "tests/tree/TestCatalogueNode.h"
#include "tree/base/BaseItemNode.h"
#include "tree/base/OrderPlacer.h"
#include "tree/menus/NodeMenu.h"
#include "tree/orders/OrderDialogs.h"
#include "tree/orders/OrderTexts.h"

#include <gtest/gtest.h>

namespace {

using namespace lumarc::test;

// A list pane that keeps the rows it is given.
class RowsPane : public CNodeListPane
{
public:
    bool RowAt(NodePoint /*point*/, NodeRowBounds& /*bounds*/) override { return false; }
    void EditRowFields(std::unique_ptr<CInPlaceEdit> /*edit*/, const NodeRowBounds& /*bounds*/,
                       std::function<void(bool)> /*closed*/) override
    {
    }
    void RefreshLabels() override {}
    void ShowRows(NodeListColumns shownColumns, const std::vector<NodeListRow>& shownRows) override
    {
        columns = shownColumns;
        rows = shownRows;
    }

    NodeListColumns columns = NodeListColumns::kItemList;
    std::vector<NodeListRow> rows;
};

// Order dialogs that answer from the test and remember what they were shown.
class FakeOrderDialogs : public COrderDialogs
{
public:
    int ConfirmOrderDelete(const std::string& question) override
    {
        questions.push_back(question);
        return answer;
    }
    bool EditCartQuantity(CartQuantity& row) override
    {
        asked = row;
        if (newQuantity.empty()) {
            return false;
        }
        row.quantity = newQuantity;
        return true;
    }
    void ShowOrder(const std::string& text) override { shownOrders.push_back(text); }
    bool CanEditCartQuantity() override { return true; }

    int answer = 6;
    std::string newQuantity;
    std::vector<std::string> questions;
    CartQuantity asked;
    std::vector<std::string> shownOrders;
};

class FakeOrderPlacer : public COrderPlacer
{
public:
    void PlaceOrder(CTreeNode& element) override { placedFor.push_back(&element); }
    std::vector<CTreeNode*> placedFor;
};

// A cart row of the cart tree.
void AddRow(CMarkupNode& shop, const std::string& item, const std::string& price, const std::string& quantity)
{
    CMarkupNode* row = shop.AddChild(std::make_unique<CMarkupNode>(item, "item"));
    row->SetAttribute("price", price);
    row->SetAttribute("quantity", quantity);
    row->SetAttribute("shopName", shop.GetName());
}

std::vector<std::string> NamesOf(CTreeNode& node)
{
    std::vector<std::string> names;
    for (CTreeNode* child = node.GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        names.push_back(child->GetName());
    }
    return names;
}

class OrderingNodesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        made = MakeTypicalCatalogue(MakeTempFolder("orders"));
        Open();
        SetOrderDialogs(&dialogs);
        Dialogs().Clear();
    }
    void TearDown() override
    {
        SetOrderDialogs(nullptr);
        SetOrderPlacer(nullptr);
        root.reset();
        catalogue.reset();
    }
    // Opens the catalogue (again) under a fresh root and builds its ordering nodes.
    void Open()
    {
        root.reset();
        catalogue.reset();
        catalogue = std::make_unique<CCatalogueDb>(made.path);
        ASSERT_TRUE(catalogue->IsOpen());
        root = std::make_unique<CBaseItemNode>();
        catalogueNode = CTreeNode::AppendNode<TestCatalogueNode>(*root, *catalogue);
    }
    void BuildOrderingNodes() { AppendShoppingCartNodes(*catalogueNode, *catalogue); }
    // Two shops, three rows.
    void WriteTypicalCart()
    {
        CMarkupNode cart("base", "baseShopping");
        CMarkupNode* numis = cart.AddChild(std::make_unique<CMarkupNode>("Numis Ltd", "shop"));
        AddRow(*numis, "Aureus of Nero", "12.50", "3");
        AddRow(*numis, "Denarius", "1,250.05", "2");
        CMarkupNode* corner = cart.AddChild(std::make_unique<CMarkupNode>("Coin Corner", "shop"));
        AddRow(*corner, "Sestertius", "0.99", "10");
        ASSERT_TRUE(catalogue->WriteFileTree(kCartTextName, cart));
    }
    CTreeNode* Child(CTreeNode& node, std::string_view name)
    {
        node.BuildChildren();
        for (CTreeNode* child = node.GetFirstChildNode(); child != nullptr;
             child = child->GetNextSiblingNode()) {
            if (child->GetName() == name) {
                return child;
            }
        }
        return nullptr;
    }
    CTreeNode* Cart() { return Child(*catalogueNode, "Shopping Cart"); }
    CTreeNode* PastOrders() { return Child(*catalogueNode, "Past Orders"); }
    std::string Text(const std::string& name)
    {
        std::string text;
        return catalogue->ReadFileText(name, text) ? text : std::string("<none>");
    }

    TypicalCatalogue made;
    std::unique_ptr<CCatalogueDb> catalogue;
    std::unique_ptr<CBaseItemNode> root;
    TestCatalogueNode* catalogueNode = nullptr;
    FakeOrderDialogs dialogs;
};

TEST_F(OrderingNodesTest, CartOfTwoShopsShowsTheirRowsWithPriceQuantityAndTotal)
{
    WriteTypicalCart();
    BuildOrderingNodes();
    ASSERT_NE(Cart(), nullptr);
    EXPECT_EQ(PastOrders(), nullptr); // no "order0"
    EXPECT_EQ(NamesOf(*Cart()), (std::vector<std::string>{"Numis Ltd", "Coin Corner"}));

    RowsPane cartPane;
    Cart()->FillListView(&cartPane);
    EXPECT_EQ(cartPane.columns, NodeListColumns::kItemList);
    ASSERT_EQ(cartPane.rows.size(), 2u);
    EXPECT_EQ(cartPane.rows[0].text, "Numis Ltd");
    EXPECT_EQ(cartPane.rows[0].image, image_kind::kShop);

    RowsPane shopPane;
    Child(*Cart(), "Numis Ltd")->FillListView(&shopPane);
    EXPECT_EQ(shopPane.columns, NodeListColumns::kQuery);
    ASSERT_EQ(shopPane.rows.size(), 2u);
    EXPECT_EQ(shopPane.rows[0].text, "Aureus of Nero");
    EXPECT_EQ(shopPane.rows[0].image, image_kind::kShopItem);
    EXPECT_EQ(shopPane.rows[0].subItems, (std::vector<std::string>{"12.50", "3", "$ 37.50"}));
    EXPECT_EQ(shopPane.rows[1].subItems, (std::vector<std::string>{"1,250.05", "2", "$ 2,500.10"}));
    EXPECT_TRUE(shopPane.rows[1].element->IsShopItem());

    Child(*Cart(), "Coin Corner")->FillListView(&shopPane);
    ASSERT_EQ(shopPane.rows.size(), 1u);
    EXPECT_EQ(shopPane.rows[0].subItems[2], "$ 9.90");
}

struct TotalCase
{
    const char* what;
    const char* price;
    const char* quantity;
    const char* total;
};

class CartRowTotalTest : public testing::TestWithParam<TotalCase>
{
};

TEST_P(CartRowTotalTest, IsPriceTimesQuantityInThePricesCurrency)
{
    EXPECT_EQ(CartRowTotal(GetParam().price, GetParam().quantity), GetParam().total);
}

const TotalCase kTotals[] = {
    {"three at 12.50", "12.50", "3", "$ 37.50"},
    {"one decimal digit is tenths", "12.5", "3", "$ 37.50"},
    {"hundredths carry into units", "0.99", "101", "$ 99.99"},
    {"thousands grouped with comma", "999.99", "1001", "$ 1,000,989.99"},
    {"quantity with blanks", "2.00", " 4 ", "$ 8.00"},
    {"quantity zero", "-5.00", "0", "$ 0.00"},
    {"negative quantity", "2.00", "-3", "($ 6.00)"},
    {"price without digits", "free", "2", "$ 0.00"},
    {"quantity not a number", "2.00", "two", ""},
    {"empty quantity", "2.00", "", ""},
    {"quantity beyond 64 bits", "2.00", "99999999999999999999", ""},
    {"total beyond 64 bits", "99999999999.99", "999999999999", ""},
};

INSTANTIATE_TEST_SUITE_P(Cases, CartRowTotalTest, testing::ValuesIn(kTotals), NameFromWhat());

TEST_F(OrderingNodesTest, DeletingARowOrAShopAsksAndPersists)
{
    WriteTypicalCart();
    BuildOrderingNodes();
    CTreeNode* numis = Child(*Cart(), "Numis Ltd");
    RowsPane pane;
    numis->FillListView(&pane);

    dialogs.answer = 7;
    EXPECT_EQ(pane.rows[0].element->Delete(&pane, false), kDeleteRefused);
    dialogs.answer = 6;
    EXPECT_EQ(pane.rows[0].element->Delete(&pane, false), kDeleteDone);
    ASSERT_EQ(dialogs.questions.size(), 2u);
    EXPECT_EQ(dialogs.questions[1],
              "Are you sure you want to remove from your shopping cart the Aureus of Nero item?");
    EXPECT_EQ(Child(*Cart(), "Coin Corner")->Delete(nullptr, true), kDeleteDoneYesToAll);

    Open();
    BuildOrderingNodes();
    ASSERT_NE(Cart(), nullptr);
    EXPECT_EQ(NamesOf(*Cart()), (std::vector<std::string>{"Numis Ltd"}));
    Child(*Cart(), "Numis Ltd")->FillListView(&pane);
    ASSERT_EQ(pane.rows.size(), 1u);
    EXPECT_EQ(pane.rows[0].text, "Denarius");
}

TEST_F(OrderingNodesTest, OpeningARowChangesItsQuantityInTheCart)
{
    WriteTypicalCart();
    BuildOrderingNodes();
    RowsPane pane;
    Child(*Cart(), "Numis Ltd")->FillListView(&pane);
    auto* aureus = dynamic_cast<CShopItemNode*>(pane.rows[0].element);
    ASSERT_NE(aureus, nullptr);

    dialogs.newQuantity = "5";
    EXPECT_TRUE(aureus->Open(nullptr));
    EXPECT_EQ(dialogs.asked.name, "Aureus of Nero");
    EXPECT_EQ(dialogs.asked.price, "12.50");
    EXPECT_EQ(dialogs.asked.quantity, "3");
    EXPECT_EQ(dialogs.asked.shopName, "Numis Ltd");
    EXPECT_EQ(aureus->GetTotal(), "$ 62.50");

    Open();
    BuildOrderingNodes();
    Child(*Cart(), "Numis Ltd")->FillListView(&pane);
    EXPECT_EQ(pane.rows[0].subItems, (std::vector<std::string>{"12.50", "5", "$ 62.50"}));
}

TEST_F(OrderingNodesTest, TheCartAndPastOrdersFoldersRefuseDeletion)
{
    WriteTypicalCart();
    ASSERT_TRUE(catalogue->WriteFileText("order0", "HEAD shop=Numis"));
    BuildOrderingNodes();
    ASSERT_NE(PastOrders(), nullptr);

    EXPECT_EQ(Cart()->Delete(nullptr, false), kDeleteRefused);
    EXPECT_EQ(PastOrders()->Delete(nullptr, false), kDeleteRefused);
    EXPECT_EQ(PastOrders()->Delete(nullptr, true), kDeleteRefused);
    ASSERT_EQ(Dialogs().messages.size(), 2u);
    EXPECT_EQ(Dialogs().messages[0].text, "You can not delete the shopping chart folder.");
    EXPECT_EQ(Dialogs().messages[1].text, "You can not delete the past orders folder.");
    EXPECT_EQ(Dialogs().messages[1].caption, "Error");
}

TEST_F(OrderingNodesTest, PastOrdersGroupShopsWithoutRegardToCaseAndListOrdersOfExactlyTheirName)
{
    ASSERT_TRUE(catalogue->WriteFileText("order0", "HEAD\r\nshop=Numis\r\nAureus 1"));
    ASSERT_TRUE(catalogue->WriteFileText("order1", "HEAD shop=NUMIS date=2026"));
    ASSERT_TRUE(catalogue->WriteFileText("order2", "HEAD no shop named"));
    ASSERT_TRUE(catalogue->WriteFileText("order3", "HEAD shop=Numismatica"));
    ASSERT_TRUE(catalogue->WriteFileText("order7", "HEAD shop=Numis"));
    ASSERT_TRUE(catalogue->WriteFileText("order99", "HEAD shop=Corner"));
    BuildOrderingNodes();
    EXPECT_EQ(Cart(), nullptr);
    ASSERT_NE(PastOrders(), nullptr);
    PastOrders()->PopulateChildren(nullptr);
    EXPECT_EQ(NamesOf(*PastOrders()), (std::vector<std::string>{"Numis", "Numismatica", "Corner"}));

    CTreeNode* numis = Child(*PastOrders(), "Numis");
    numis->BuildChildren();
    EXPECT_EQ(NamesOf(*numis), (std::vector<std::string>{"order0", "order7"}));

    RowsPane pane;
    numis->FillListView(&pane);
    ASSERT_EQ(pane.rows.size(), 2u);
    EXPECT_EQ(pane.rows[1].text, "order7");
    EXPECT_TRUE(pane.rows[1].element->IsOrderItem());
}

TEST_F(OrderingNodesTest, OrdersPlacedMeanwhileShowWhenAPaneAsksAgain)
{
    ASSERT_TRUE(catalogue->WriteFileText("order0", "HEAD shop=Numis"));
    BuildOrderingNodes();
    RecordingTreeControl tree;
    catalogueNode->InsertTreeItem(tree, false, false);
    catalogueNode->PopulateChildren(&tree);
    ASSERT_NE(PastOrders(), nullptr);
    PastOrders()->PopulateChildren(&tree);
    EXPECT_EQ(NamesOf(*PastOrders()), (std::vector<std::string>{"Numis"}));

    ASSERT_TRUE(catalogue->WriteFileText("order1", "HEAD shop=Corner"));
    ASSERT_TRUE(catalogue->WriteFileText("order2", "HEAD shop=Numis"));
    PastOrders()->PopulateChildren(nullptr); // built already, and no pane asks
    EXPECT_EQ(NamesOf(*PastOrders()), (std::vector<std::string>{"Numis"}));
    PastOrders()->PopulateChildren(&tree);
    EXPECT_EQ(NamesOf(*PastOrders()), (std::vector<std::string>{"Numis", "Corner"}));
    CTreeNode* numis = Child(*PastOrders(), "Numis");
    ASSERT_NE(numis, nullptr);
    numis->PopulateChildren(&tree);
    EXPECT_EQ(NamesOf(*numis), (std::vector<std::string>{"order0", "order2"}));
    EXPECT_EQ(tree.ChildTexts(tree.ItemOf(PastOrders())), (std::vector<std::string>{"Numis", "Corner"}));
}

TEST_F(OrderingNodesTest, AtMostTwentyShopsShow)
{
    for (int n = 0; n < 30; ++n) {
        ASSERT_TRUE(catalogue->WriteFileText(OrderTextName(n), "HEAD shop=Shop" + std::to_string(n)));
    }
    BuildOrderingNodes();
    PastOrders()->BuildChildren();
    EXPECT_EQ(NamesOf(*PastOrders()).size(), 20u);
    EXPECT_EQ(NamesOf(*PastOrders()).back(), "Shop19");
}

TEST_F(OrderingNodesTest, DeletingAShopsOrdersRemovesOnlyThoseOfExactlyThatShop)
{
    ASSERT_TRUE(catalogue->WriteFileText("order0", "HEAD shop=Ann"));
    ASSERT_TRUE(catalogue->WriteFileText("order1", "HEAD shop=Anna"));
    ASSERT_TRUE(catalogue->WriteFileText("order2", "HEAD shop=ann"));
    ASSERT_TRUE(catalogue->WriteFileText("order5", "HEAD shop=Ann x"));
    BuildOrderingNodes();
    CTreeNode* ann = Child(*PastOrders(), "Ann");
    ASSERT_NE(ann, nullptr);

    EXPECT_EQ(ann->Delete(nullptr, false), kDeleteDone);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0], "Do you want to delete all the old orders for Ann?");
    Open();
    EXPECT_EQ(Text("order0"), "<none>");
    EXPECT_EQ(Text("order5"), "<none>");
    EXPECT_EQ(Text("order1"), "HEAD shop=Anna");
    EXPECT_EQ(Text("order2"), "HEAD shop=ann");
}

TEST_F(OrderingNodesTest, AnOrderShowsWholeAfterItsHeaderAndItsDeletionPersists)
{
    std::string body = "shop=Numis\r\nName: Ann Müller\r\nStreet: Hauptstraße 1\r\n";
    for (int n = 0; n < 40; ++n) {
        body += "Item " + std::to_string(n) + ": Aureus of Nero, quantity 3, price 12.50; total 37.50\r\n";
    }
    body += "Payment: cheque {no braces lost} ~ 100% \"quoted\"";
    ASSERT_TRUE(catalogue->WriteFileText("order0", "ÄÖÜAB" + body));
    BuildOrderingNodes();
    auto* order = dynamic_cast<COrderItemNode*>(Child(*Child(*PastOrders(), "Numis"), "order0"));
    ASSERT_NE(order, nullptr);

    EXPECT_EQ(order->GetShownText(), body);
    EXPECT_TRUE(order->Open(nullptr));
    ASSERT_EQ(dialogs.shownOrders.size(), 1u);
    EXPECT_EQ(dialogs.shownOrders[0], body);

    EXPECT_EQ(order->Delete(nullptr, false), kDeleteDone);
    EXPECT_EQ(dialogs.questions.back(), "Do you want to delete the order0 ?");
    Open();
    EXPECT_EQ(Text("order0"), "<none>");
}

struct DamagedCart
{
    const char* what;
    const char* text;
    size_t shops;
};

class DamagedCartTest : public OrderingNodesTest, public testing::WithParamInterface<DamagedCart>
{
};

TEST_P(DamagedCartTest, ShowsWhatItCanRead)
{
    ASSERT_TRUE(catalogue->WriteFileText(kCartTextName, GetParam().text));
    BuildOrderingNodes();
    CTreeNode* cart = Cart();
    const size_t shops = cart != nullptr ? NamesOf(*cart).size() : 0;
    EXPECT_EQ(shops, GetParam().shops);
    if (cart == nullptr) {
        return;
    }
    RowsPane pane;
    cart->FillListView(&pane);
    for (CTreeNode* shop = cart->GetFirstChildNode(); shop != nullptr; shop = shop->GetNextSiblingNode()) {
        shop->FillListView(&pane);
        for (const NodeListRow& row : pane.rows) {
            EXPECT_EQ(row.subItems.size(), 3u);
            row.element->Delete(nullptr, true);
        }
    }
}

// The text format: "{Name§<name> Type§<type> <attribute>§<value>{<children>}}".
const std::string kDeepCart = "{Name\u00a7base Type\u00a7baseShopping" + std::string(5000, '{');

const DamagedCart kDamagedCarts[] = {
    {"no brace", "garbage without braces", 0},
    {"a lone brace", "{", 0},
    {"closing braces only", "}}}}", 0},
    {"cut inside the second shop",
     "{Name\u00a7base Type\u00a7baseShopping{Name\u00a7Numis{Name\u00a7Aureus price\u00a71 quantity\u00a72}}"
     "{Name\u00a7Corner Type\u00a7shop{Name\u00a7Aureus price\u00a712.50",
     1},
    {"rows without attributes", "{Name\u00a7base{Name\u00a7Numis{Name\u00a7Aureus}{}{Type\u00a7x}}}", 1},
    {"row with text price and huge quantity",
     "{Name\u00a7base{Name\u00a7Numis{Name\u00a7Aureus price\u00a7abc "
     "quantity\u00a799999999999999999999999}}}",
     1},
    {"shops without names are left out", "{Name\u00a7base{Name\u00a7Numis}{Type\u00a7shop}{}}", 1},
    {"rows straight under the root", "{Name\u00a7base{Name\u00a7Aureus price\u00a71 quantity\u00a72}}", 1},
};

INSTANTIATE_TEST_SUITE_P(Cases, DamagedCartTest, testing::ValuesIn(kDamagedCarts), NameFromWhat());

TEST_F(OrderingNodesTest, ADeeplyNestedCartDoesNotOverflowTheStack)
{
    ASSERT_TRUE(catalogue->WriteFileText(kCartTextName, kDeepCart));
    BuildOrderingNodes();
    if (CTreeNode* cart = Cart(); cart != nullptr) {
        RowsPane pane;
        for (CTreeNode* shop = cart->GetFirstChildNode(); shop != nullptr;
             shop = shop->GetNextSiblingNode()) {
            shop->FillListView(&pane);
        }
    }
}

TEST_F(OrderingNodesTest, ACartKeptInAnotherCatalogueOrAViewOnlyOneShowsNoOrderingNodes)
{
    WriteTypicalCart();
    ASSERT_TRUE(catalogue->WriteFileText("order0", "HEAD shop=Numis"));
    SetSettingString("shopCartDataBase", "/somewhere/else.ctg");
    BuildOrderingNodes();
    SetSettingString("shopCartDataBase", "");
    EXPECT_EQ(Cart(), nullptr);
    EXPECT_EQ(PastOrders(), nullptr);

    BuildOrderingNodes();
    EXPECT_NE(Cart(), nullptr);
    EXPECT_NE(PastOrders(), nullptr);
}

TEST_F(OrderingNodesTest, TheFactoryMakesTheCartAndPastOrdersNodes)
{
    WriteTypicalCart();
    CShoppingCartNodeFactory factory;
    EXPECT_TRUE(factory.AppendShoppingCart(*catalogueNode, *catalogue)->IsShoppingCart());
    CTreeNode* orders = factory.AppendPastOrders(*catalogueNode, *catalogue);
    EXPECT_TRUE(orders->IsOrderingItem());
    EXPECT_EQ(orders->GetName(), "Past Orders");
}

TEST_F(OrderingNodesTest, PlacingAnOrderIsOfferedOnlyWithTheWizardInstalled)
{
    WriteTypicalCart();
    BuildOrderingNodes();
    EXPECT_FALSE(CanPlaceOrder(*Cart()));
    EXPECT_FALSE(PlaceOrder(*Cart()));

    FakeOrderPlacer placer;
    SetOrderPlacer(&placer);
    EXPECT_FALSE(CanPlaceOrder(*catalogueNode));
    EXPECT_TRUE(CanPlaceOrder(*Cart()));
    EXPECT_TRUE(PlaceOrder(*Cart()));
    EXPECT_EQ(placer.placedFor, (std::vector<CTreeNode*>{Cart()}));
}

TEST_F(OrderingNodesTest, WithoutTheQuantityDialogARowDoesNotOpen)
{
    WriteTypicalCart();
    BuildOrderingNodes();
    SetOrderDialogs(nullptr);
    RowsPane pane;
    Child(*Cart(), "Numis Ltd")->FillListView(&pane);
    EXPECT_FALSE(pane.rows[0].element->Open(nullptr));
}

} // namespace

TEST_F(OrderingNodesTest, MenusAndStatusTextsSayWhetherOrdersAreToBePlacedOrWerePlaced)
{
    WriteTypicalCart();
    ASSERT_TRUE(catalogue->WriteFileText("order0", "HEAD shop=Numis"));
    BuildOrderingNodes();
    CTreeNode* shop = Child(*Cart(), "Numis Ltd");
    ASSERT_NE(shop, nullptr);
    CTreeNode* order = Child(*PastOrders(), "Numis");
    ASSERT_NE(order, nullptr);
    // One line per entry: text, command, picture.
    const auto menuOf = [](CTreeNode* node, bool edit) {
        CNodeMenu menu;
        edit ? node->BuildEditMenu(&menu) : node->BuildItemMenu(&menu);
        std::string text;
        for (const CNodeMenu::Entry& entry : menu.GetEntries()) {
            text +=
                entry.text + " " + std::to_string(entry.command) + "/" + std::to_string(entry.picture) + ";";
        }
        return text;
    };
    struct Case
    {
        const char* name;
        CTreeNode* node;
        const char* itemMenu;
        const char* status;
    };
    const Case cases[] = {
        {"cart", Cart(), "", "Orders to be placed"},
        {"shop", shop, "&Checkout 535/31262;", "Orders to be placed"},
        {"cart row", Child(*shop, "Aureus of Nero"), "Change Quantity 1037/31262;", "Orders to be placed"},
        {"past orders", PastOrders(), "", "Orders that have been placed in the past"},
        {"orders of a shop", order, "", "Orders that have been placed in the past"},
        {"placed order", Child(*order, "order0"), "", "Orders that have been placed in the past"},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.node, nullptr) << c.name;
        EXPECT_EQ(menuOf(c.node, false), c.itemMenu) << c.name;
        EXPECT_EQ(menuOf(c.node, true), "") << c.name << ": ordering nodes have no Edit items";
        EXPECT_EQ(c.node->GetStatusText(), std::vector<std::string>{c.status}) << c.name;
    }
}
