#pragma once
// Placing an order, as the nodes see it: the order wizard that turns the shopping cart into a placed
// order lives in the exchange layer, above the tree, and installs itself here. While none is installed
// no node offers to place an order.

class CTreeNode;

class COrderPlacer
{
public:
    virtual ~COrderPlacer() = default;
    // Runs the order wizard for the shopping cart or order element; a placed order is stored as the
    // catalogue's text "order<n>".
    virtual void PlaceOrder(CTreeNode& element) = 0;
};

// The order wizard in use; null while none is installed.
COrderPlacer* OrderPlacer();
// Installs the wizard (not owned; null removes it). Returns the previous one.
COrderPlacer* SetOrderPlacer(COrderPlacer* placer);

// Whether placing an order is offered on the element: an ordering element, with a wizard installed.
bool CanPlaceOrder(CTreeNode& element);
// Runs the wizard for the element; false, doing nothing, when it is not offered.
bool PlaceOrder(CTreeNode& element);
