#pragma once
// The ordering nodes: a catalogue's shopping cart and its placed orders, kept as texts of the catalogue
// (its FILES rows). The cart is the property tree "toOrder" (root "base" of type "baseShopping", one
// child per shop, under each one child per cart row with "price", "quantity" and "shopName"); each
// placed order is a text "order0" to "order99" that names its shop after "shop=". The nodes show them,
// change a cart row's quantity and delete; filling the cart and placing orders belong to the order
// wizard (tree/base/OrderPlacer.h).
//
// Cart and order texts are data of a catalogue file: a damaged or unexpected text shows what can be read
// of it and never fails.

#include "tree/base/NodeListPane.h"
#include "tree/base/OrderingNodeFactory.h"
#include "tree/base/TreeNode.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace image_kind {
inline constexpr int kShoppingCart = 44;
inline constexpr int kShop = 45;
inline constexpr int kShopItem = 46;
inline constexpr int kPastOrders = 47;
} // namespace image_kind

// The catalogue text that holds the shopping cart.
inline constexpr std::string_view kCartTextName = "toOrder";

// Adds the catalogue node's ordering children, in this order: "Shopping Cart" when the catalogue's cart
// is not empty, "Past Orders" when its "order0" is not empty. Nothing for a view-only catalogue, or when
// the setting "shopCartDataBase" names another catalogue file (the cart then lives there).
void AppendShoppingCartNodes(CTreeNode& catalogueNode, CCatalogueDb& catalogue);

// The factory the catalogue node makes its "Shopping Cart" and "Past Orders" through; the program
// installs one with SetOrderingNodeFactory. The catalogue node decides whether they show.
class CShoppingCartNodeFactory final : public COrderingNodeFactory
{
public:
    CTreeNode* AppendShoppingCart(CTreeNode& catalogueNode, CCatalogueDb& catalogue) override;
    CTreeNode* AppendPastOrders(CTreeNode& catalogueNode, CCatalogueDb& catalogue) override;
};

// The base of every ordering node: no records of its own (kind -1), its children shown as list rows.
class COrderingNode : public CTreeNode
{
public:
    CCatalogueDb* GetCatalogue() override { return &m_catalogue; }
    int GetKind() override { return -1; }
    bool IsOrderingNode() override { return true; }
    bool IsOrderingItem() override { return true; }
    std::string GetHelpKey() override { return "KV.ORDERING"; }
    // One row per child (its name and closed image) under the item-list columns.
    void FillListView(CNodeListPane* list) override;
    // The rows FillListView shows.
    virtual std::vector<NodeListRow> ListRows();
    virtual NodeListColumns ListColumns() { return NodeListColumns::kItemList; }
    // The template with the briefcase picture ("picture10.jpg"); true.
    bool FillPageTemplate(std::string& message) override;
    // The ordering nodes have no Cut, Copy or Paste.
    void BuildEditMenu(CNodeMenu* /*menu*/) override {}

protected:
    COrderingNode(CCatalogueDb& catalogue, std::string_view label, int image, std::string_view pageTemplate);
    // Asks "Confirm order deletion" with the question; true for Yes or when `quiet`.
    static bool ConfirmDelete(const std::string& question, bool quiet);
    // The refusal message, unless quiet.
    static int RefuseDelete(int messageId, bool quiet);

    CCatalogueDb& m_catalogue;
};

// "Shopping Cart": one CShopNode per shop of the cart.
class CShoppingCartNode : public COrderingNode
{
public:
    explicit CShoppingCartNode(CCatalogueDb& catalogue);
    ~CShoppingCartNode() override;
    bool IsShoppingCart() override { return true; }
    // The template as it stands; true.
    bool FillPageTemplate(std::string& message) override;
    // "Orders to be placed"; the cart has no menu items of its own.
    std::vector<std::string> GetStatusText() override;
    // Refused: the cart itself is never deleted.
    int Delete(CNodeListPane* list, bool quiet) override;
    // Reads the cart again and makes its shops anew.
    void Reload() override;

private:
    void BuildShops();
};

// One shop of the cart, labelled with the shop's name; its children are the shop's cart rows.
class CShopNode : public COrderingNode
{
public:
    // `shop` is the shop's node of the cart tree; the node keeps a copy.
    CShopNode(CCatalogueDb& catalogue, const CMarkupNode& shop);
    ~CShopNode() override;
    bool IsShop() override { return true; }
    // "Orders to be placed"; its menu offers "&Checkout".
    std::vector<std::string> GetStatusText() override;
    void BuildItemMenu(CNodeMenu* menu) override;
    // The shop's node of the cart tree as last read.
    const CMarkupNode& GetShopTree() const { return *m_shop; }
    void BuildChildren() override;
    // Reads the cart again and shows the shop's rows with their price, quantity and total.
    void FillListView(CNodeListPane* list) override;
    std::vector<NodeListRow> ListRows() override;
    NodeListColumns ListColumns() override { return NodeListColumns::kQuery; }
    // Asks, then takes the shop and its rows out of the cart.
    int Delete(CNodeListPane* list, bool quiet) override;
    // Makes the rows anew from the cart as the catalogue holds it now.
    void Reload() override;

private:
    void BuildRows();

    std::unique_ptr<CMarkupNode> m_shop;
    bool m_built = false;
};

// One cart row: an item, its price and the quantity ordered.
class CShopItemNode : public COrderingNode
{
public:
    // `row` is the row's node of the cart tree; the node keeps a copy.
    CShopItemNode(CCatalogueDb& catalogue, const CMarkupNode& row);
    ~CShopItemNode() override;
    bool IsShopItem() override { return true; }
    // The template with the first and second picture of the ordered record (its fields named by the
    // row's "Image1" and "Image2"), written as "web7000.jpg" and "web7001.jpg"; true.
    bool FillPageTemplate(std::string& message) override;
    // "Orders to be placed"; its menu offers "Change Quantity".
    std::vector<std::string> GetStatusText() override;
    void BuildItemMenu(CNodeMenu* menu) override;
    bool CanHaveChildren() override { return false; }
    const CMarkupNode& GetRow() const { return *m_row; }
    std::string GetPrice() const;
    std::string GetQuantity() const;
    // Price times quantity as an amount; empty when it cannot be computed.
    std::string GetTotal() const;
    // Changes the quantity in the quantity dialog and writes it into the cart. False when the dialog
    // cannot be shown.
    bool Open(CTreeControl* tree) override;
    // Asks, then takes the row out of its shop in the cart; only Yes deletes.
    int Delete(CNodeListPane* list, bool quiet) override;
    // Writes the quantity of the row into the cart and into the node's copy. False when the cart holds
    // no such row any more, or it cannot be written.
    bool SetQuantity(const std::string& quantity);

private:
    std::unique_ptr<CMarkupNode> m_row;
};

// A node whose children show placed orders: they are read from the catalogue's order texts when first
// built, and again every time a pane asks for them (orders placed meanwhile show).
class CPlacedOrdersNode : public COrderingNode
{
public:
    void BuildChildren() override;
    void PopulateChildren(CTreeControl* tree) override;
    // Removes the children and reads them again.
    void Reload() override;

protected:
    using COrderingNode::COrderingNode;
    // Appends the children for the order texts as the catalogue holds them now.
    virtual void AppendOrderChildren() = 0;

private:
    bool m_built = false;
};

// "Past Orders": one COrderNode per shop that placed orders are for.
class CPastOrdersNode : public CPlacedOrdersNode
{
public:
    explicit CPastOrdersNode(CCatalogueDb& catalogue);
    ~CPastOrdersNode() override;
    // "Orders that have been placed in the past", as its orders say.
    std::vector<std::string> GetStatusText() override;
    int Delete(CNodeListPane* list, bool quiet) override;

protected:
    void AppendOrderChildren() override;
};

// The placed orders for one shop.
class COrderNode : public CPlacedOrdersNode
{
public:
    COrderNode(CCatalogueDb& catalogue, std::string_view shop);
    ~COrderNode() override;
    std::vector<std::string> GetStatusText() override;
    // Asks, then deletes every placed order of the shop.
    int Delete(CNodeListPane* list, bool quiet) override;

protected:
    void AppendOrderChildren() override;
};

// One placed order, labelled with its text's name ("order3").
class COrderItemNode : public COrderingNode
{
public:
    COrderItemNode(CCatalogueDb& catalogue, std::string_view textName);
    ~COrderItemNode() override;
    bool IsOrderItem() override { return true; }
    std::vector<std::string> GetStatusText() override;
    bool CanHaveChildren() override { return false; }
    // The order as the user sees it (its text after the wizard's header); empty when it is gone.
    std::string GetShownText();
    // Shows the order; true.
    bool Open(CTreeControl* tree) override;
    // Asks, then deletes the order's text.
    int Delete(CNodeListPane* list, bool quiet) override;
};
