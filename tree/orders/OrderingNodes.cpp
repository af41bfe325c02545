#include "tree/orders/OrderingNodes.h"

#include "platform/text/CaseFold.h"
#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Settings.h"
#include "tree/base/TextPatterns.h"
#include "tree/orders/OrderDialogs.h"
#include "tree/orders/OrderTexts.h"

#include <algorithm>

namespace {

constexpr int kStringOrderShopDelete = 152; // "Do you want to delete all the old orders for %s?"
constexpr int kStringOrderDelete = 168;     // "Do you want to delete the %s ?"
constexpr int kStringPastOrdersRefused = 169;
constexpr int kStringCartRefused = 170;
constexpr int kStringCartRowDelete =
    175; // "Are you sure you want to remove from your shopping cart the %s item?"
constexpr int kStringShoppingCart = 236;
constexpr int kStringPastOrders = 237;
constexpr int kStringError = 20552;

// Shown texts of a cart row's columns are cut to these lengths.
constexpr size_t kMaxPriceChars = 79;
constexpr size_t kMaxQuantityChars = 19;

bool HasText(std::string_view text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n'; });
}

// The catalogue's text of that name; empty when there is none.
std::string ReadText(CCatalogueDb& catalogue, std::string_view name)
{
    std::string text;
    if (!catalogue.ReadFileText(name, text)) {
        text.clear();
    }
    return text;
}

// The cart as the catalogue holds it now; an empty tree when there is none. A damaged text gives what
// could be read of it.
std::unique_ptr<CMarkupNode> ReadCart(CCatalogueDb& catalogue)
{
    auto cart = std::make_unique<CMarkupNode>("base", "baseShopping");
    const std::string text = ReadText(catalogue, kCartTextName);
    if (HasText(text)) {
        cart->LoadFromBuffer(text);
    }
    return cart;
}

// The first child of the tree with exactly that name, letter case aside; empty names name nothing.
CMarkupNode* FindNamedChild(CMarkupNode& tree, std::string_view name)
{
    if (name.empty()) {
        return nullptr;
    }
    return tree.FindChildByName(name);
}

void RemoveChildNodes(CTreeNode& node)
{
    node.DetachAllChildren();
}

} // namespace

void AppendShoppingCartNodes(CTreeNode& catalogueNode, CCatalogueDb& catalogue)
{
    if (catalogue.IsViewOnly()) {
        return;
    }
    const std::string cartCatalogue = GetSettingString("shopCartDataBase");
    if (!cartCatalogue.empty() &&
        !platform::text::EqualsNoCase(cartCatalogue, catalogue.GetFilePath().string())) {
        return;
    }
    const bool hasOrders = HasText(ReadText(catalogue, OrderTextName(0)));
    if (HasText(ReadText(catalogue, kCartTextName))) {
        CTreeNode::AppendNode<CShoppingCartNode>(catalogueNode, catalogue);
    }
    if (hasOrders) {
        CTreeNode::AppendNode<CPastOrdersNode>(catalogueNode, catalogue);
    }
}

CTreeNode* CShoppingCartNodeFactory::AppendShoppingCart(CTreeNode& catalogueNode, CCatalogueDb& catalogue)
{
    return CTreeNode::AppendNode<CShoppingCartNode>(catalogueNode, catalogue);
}

CTreeNode* CShoppingCartNodeFactory::AppendPastOrders(CTreeNode& catalogueNode, CCatalogueDb& catalogue)
{
    return CTreeNode::AppendNode<CPastOrdersNode>(catalogueNode, catalogue);
}

// ---- COrderingNode -----------------------------------------------------------------------------------

COrderingNode::COrderingNode(CCatalogueDb& catalogue, std::string_view label, int image,
                             std::string_view pageTemplate)
    : CTreeNode(label, image, image), m_catalogue(catalogue)
{
    SetPageTemplate(pageTemplate);
}

void COrderingNode::FillListView(CNodeListPane* list)
{
    BuildChildren();
    if (list != nullptr) {
        list->ShowRows(ListColumns(), ListRows());
    }
}

std::vector<NodeListRow> COrderingNode::ListRows()
{
    std::vector<NodeListRow> rows;
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        rows.push_back({child, child->GetName(), child->GetClosedImage(), {}});
    }
    return rows;
}

bool COrderingNode::ConfirmDelete(const std::string& question, bool quiet)
{
    return quiet || OrderDialogs().ConfirmOrderDelete(question) == platform::ui::kIdYes;
}

int COrderingNode::RefuseDelete(int messageId, bool quiet)
{
    if (!quiet) {
        platform::ui::ShowMessage(LoadResString(messageId), LoadResString(kStringError),
                                  platform::ui::kMbOk | platform::ui::kMbIconError);
    }
    return kDeleteRefused;
}

// ---- the cart ----------------------------------------------------------------------------------------

CShoppingCartNode::CShoppingCartNode(CCatalogueDb& catalogue)
    : COrderingNode(catalogue, LoadResString(kStringShoppingCart), image_kind::kShoppingCart,
                    "ShoppingCart.htm")
{
    BuildShops();
}

CShoppingCartNode::~CShoppingCartNode() = default;

void CShoppingCartNode::BuildShops()
{
    const std::unique_ptr<CMarkupNode> cart = ReadCart(m_catalogue);
    for (CMarkupNode* shop = cart->GetFirstChild(); shop != nullptr; shop = shop->GetNextSibling()) {
        if (!shop->GetName().empty()) {
            AppendNode<CShopNode>(*this, m_catalogue, *shop);
        }
    }
}

int CShoppingCartNode::Delete(CNodeListPane* /*list*/, bool quiet)
{
    return RefuseDelete(kStringCartRefused, quiet);
}

void CShoppingCartNode::Reload()
{
    RemoveChildNodes(*this);
    BuildShops();
}

CShopNode::CShopNode(CCatalogueDb& catalogue, const CMarkupNode& shop)
    : COrderingNode(catalogue, shop.GetName(), image_kind::kShop, "ShoppingCartShop.htm"),
      m_shop(CMarkupNode::CopyTree(&shop))
{
}

CShopNode::~CShopNode() = default;

void CShopNode::BuildChildren()
{
    if (!m_built) {
        m_built = true;
        BuildRows();
    }
}

void CShopNode::BuildRows()
{
    for (CMarkupNode* row = m_shop->GetFirstChild(); row != nullptr; row = row->GetNextSibling()) {
        AppendNode<CShopItemNode>(*this, m_catalogue, *row);
    }
}

void CShopNode::Reload()
{
    RemoveChildNodes(*this);
    const std::unique_ptr<CMarkupNode> cart = ReadCart(m_catalogue);
    if (CMarkupNode* shop = FindNamedChild(*cart, GetName()); shop != nullptr) {
        m_shop = CMarkupNode::CopyTree(shop);
    } else {
        m_shop = std::make_unique<CMarkupNode>(GetName(), "");
    }
    m_built = true;
    BuildRows();
}

void CShopNode::FillListView(CNodeListPane* list)
{
    Reload();
    if (list != nullptr) {
        list->ShowRows(ListColumns(), ListRows());
    }
}

std::vector<NodeListRow> CShopNode::ListRows()
{
    std::vector<NodeListRow> rows;
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        NodeListRow row{child, child->GetName(), child->GetClosedImage(), {}};
        if (auto* item = dynamic_cast<CShopItemNode*>(child); item != nullptr) {
            row.subItems = {LeftChars(item->GetPrice(), kMaxPriceChars),
                            LeftChars(item->GetQuantity(), kMaxQuantityChars), item->GetTotal()};
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

int CShopNode::Delete(CNodeListPane* /*list*/, bool quiet)
{
    if (!ConfirmDelete(FillTextPattern(LoadResString(kStringOrderDelete), GetName()), quiet)) {
        return kDeleteRefused;
    }
    std::unique_ptr<CMarkupNode> cart = ReadCart(m_catalogue);
    CMarkupNode* shop = FindNamedChild(*cart, GetName());
    if (shop == nullptr) {
        return kDeleteRefused;
    }
    cart->DetachChild(shop);
    if (!m_catalogue.WriteFileTree(kCartTextName, *cart)) {
        return kDeleteRefused;
    }
    return quiet ? kDeleteDoneYesToAll : kDeleteDone;
}

CShopItemNode::CShopItemNode(CCatalogueDb& catalogue, const CMarkupNode& row)
    : COrderingNode(catalogue, row.GetName(), image_kind::kShopItem, "ShoppingCartShopItem.htm"),
      m_row(CMarkupNode::CopyFrom(row))
{
}

CShopItemNode::~CShopItemNode() = default;

std::string CShopItemNode::GetPrice() const
{
    return m_row->GetAttribute("price");
}

std::string CShopItemNode::GetQuantity() const
{
    return m_row->GetAttribute("quantity");
}

std::string CShopItemNode::GetTotal() const
{
    return CartRowTotal(GetPrice(), GetQuantity());
}

bool CShopItemNode::Open(CTreeControl* /*tree*/)
{
    if (!OrderDialogs().CanEditCartQuantity()) {
        return false;
    }
    CartQuantity row{GetName(), GetPrice(), GetQuantity(), m_row->GetAttribute("shopName")};
    if (!OrderDialogs().EditCartQuantity(row)) {
        return true;
    }
    SetQuantity(row.quantity);
    return true;
}

bool CShopItemNode::SetQuantity(const std::string& quantity)
{
    std::unique_ptr<CMarkupNode> cart = ReadCart(m_catalogue);
    // The row's own shop name says where it is; a row without one is looked for under its parent's shop.
    std::string shopName = m_row->GetAttribute("shopName");
    CMarkupNode* shop = FindNamedChild(*cart, shopName);
    if (shop == nullptr && GetParentNode() != nullptr) {
        shop = FindNamedChild(*cart, GetParentNode()->GetName());
    }
    CMarkupNode* row = shop != nullptr ? FindNamedChild(*shop, GetName()) : nullptr;
    if (row == nullptr) {
        return false;
    }
    row->SetAttribute("quantity", quantity);
    if (!m_catalogue.WriteFileTree(kCartTextName, *cart)) {
        return false;
    }
    m_row->SetAttribute("quantity", quantity);
    return true;
}

int CShopItemNode::Delete(CNodeListPane* /*list*/, bool quiet)
{
    if (!ConfirmDelete(FillTextPattern(LoadResString(kStringCartRowDelete), GetName()), quiet)) {
        return kDeleteRefused;
    }
    std::unique_ptr<CMarkupNode> cart = ReadCart(m_catalogue);
    CMarkupNode* shop =
        GetParentNode() != nullptr ? FindNamedChild(*cart, GetParentNode()->GetName()) : nullptr;
    CMarkupNode* row = shop != nullptr ? FindNamedChild(*shop, GetName()) : nullptr;
    if (row == nullptr) {
        return kDeleteRefused;
    }
    shop->DetachChild(row);
    if (!m_catalogue.WriteFileTree(kCartTextName, *cart)) {
        return kDeleteRefused;
    }
    return quiet ? kDeleteDoneYesToAll : kDeleteDone;
}

// ---- placed orders -----------------------------------------------------------------------------------

void CPlacedOrdersNode::BuildChildren()
{
    if (m_built) {
        return;
    }
    m_built = true;
    AppendOrderChildren();
}

void CPlacedOrdersNode::PopulateChildren(CTreeControl* tree)
{
    if (tree != nullptr) {
        Reload();
    }
    CTreeNode::PopulateChildren(tree);
}

void CPlacedOrdersNode::Reload()
{
    RemoveChildNodes(*this);
    m_built = false;
    BuildChildren();
}

CPastOrdersNode::CPastOrdersNode(CCatalogueDb& catalogue)
    : CPlacedOrdersNode(catalogue, LoadResString(kStringPastOrders), image_kind::kPastOrders,
                        "ShoppingCart.htm")
{
}

CPastOrdersNode::~CPastOrdersNode() = default;

void CPastOrdersNode::AppendOrderChildren()
{
    std::vector<std::string> shops;
    for (int n = 0; n < kMaxOrders && shops.size() < static_cast<size_t>(kMaxOrderShops); ++n) {
        const std::optional<std::string> shop = OrderShopName(ReadText(m_catalogue, OrderTextName(n)));
        if (!shop.has_value()) {
            continue;
        }
        const bool known = std::any_of(shops.begin(), shops.end(), [&](const std::string& name) {
            return platform::text::EqualsNoCase(name, *shop);
        });
        if (!known) {
            shops.push_back(*shop);
        }
    }
    for (const std::string& shop : shops) {
        AppendNode<COrderNode>(*this, m_catalogue, shop);
    }
}

int CPastOrdersNode::Delete(CNodeListPane* /*list*/, bool quiet)
{
    return RefuseDelete(kStringPastOrdersRefused, quiet);
}

COrderNode::COrderNode(CCatalogueDb& catalogue, std::string_view shop)
    : CPlacedOrdersNode(catalogue, shop, image_kind::kShop, "")
{
}

COrderNode::~COrderNode() = default;

void COrderNode::AppendOrderChildren()
{
    for (int n = 0; n < kMaxOrders; ++n) {
        const std::string name = OrderTextName(n);
        if (IsOrderOfShop(ReadText(m_catalogue, name), GetName())) {
            AppendNode<COrderItemNode>(*this, m_catalogue, name);
        }
    }
}

int COrderNode::Delete(CNodeListPane* /*list*/, bool quiet)
{
    if (!ConfirmDelete(FillTextPattern(LoadResString(kStringOrderShopDelete), GetName()), quiet)) {
        return kDeleteRefused;
    }
    for (int n = 0; n < kMaxOrders; ++n) {
        const std::string name = OrderTextName(n);
        const std::string text = ReadText(m_catalogue, name);
        if (HasText(text) && IsOrderOfShop(text, GetName())) {
            m_catalogue.DeleteFileRow(name);
        }
    }
    return quiet ? kDeleteDoneYesToAll : kDeleteDone;
}

COrderItemNode::COrderItemNode(CCatalogueDb& catalogue, std::string_view textName)
    : COrderingNode(catalogue, textName, image_kind::kShopItem, "")
{
}

COrderItemNode::~COrderItemNode() = default;

std::string COrderItemNode::GetShownText()
{
    return ShownOrderText(ReadText(m_catalogue, GetName()));
}

bool COrderItemNode::Open(CTreeControl* /*tree*/)
{
    OrderDialogs().ShowOrder(GetShownText());
    return true;
}

int COrderItemNode::Delete(CNodeListPane* /*list*/, bool quiet)
{
    if (!ConfirmDelete(FillTextPattern(LoadResString(kStringOrderDelete), GetName()), quiet)) {
        return kDeleteRefused;
    }
    if (!m_catalogue.DeleteFileRow(GetName())) {
        return kDeleteRefused;
    }
    return quiet ? kDeleteDoneYesToAll : kDeleteDone;
}
