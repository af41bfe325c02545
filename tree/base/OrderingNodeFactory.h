#pragma once
// How the catalogue node makes the shopping cart and past-orders nodes: they live with the ordering
// code, which installs a factory; without one the catalogue shows neither.

class CCatalogueDb;
class CTreeNode;

class COrderingNodeFactory
{
public:
    virtual ~COrderingNodeFactory() = default;
    // Appends "Shopping Cart" (from the catalogue's "toOrder" text) with its subtree as the last child
    // of the catalogue node; null when nothing was made.
    virtual CTreeNode* AppendShoppingCart(CTreeNode& catalogueNode, CCatalogueDb& catalogue) = 0;
    // Appends "Past Orders" (from the texts "order0", "order1", ...) the same way.
    virtual CTreeNode* AppendPastOrders(CTreeNode& catalogueNode, CCatalogueDb& catalogue) = 0;
};

// The factory in use; null while none is installed.
COrderingNodeFactory* OrderingNodeFactory();
// Installs the factory (not owned; null removes it). Returns the previous one.
COrderingNodeFactory* SetOrderingNodeFactory(COrderingNodeFactory* factory);
