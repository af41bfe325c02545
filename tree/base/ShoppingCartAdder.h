#pragma once
// Putting a record into the shopping cart from the order link of its page. The record form owns the
// cart's entry (it asks for the quantity and writes the cart row) and installs itself here; while none
// is installed the order link does nothing.

#include <string>

class CTreeNode;

// The attributes of the record form's "orderButton" element, each at most 200 characters: what the
// cart row is made from.
struct OrderButtonValues
{
    std::string price;
    std::string weight;
    std::string availability;
    std::string identity;
    std::string firstPicture;
    std::string secondPicture;
    std::string shopName;
};

class CShoppingCartAdder
{
public:
    virtual ~CShoppingCartAdder() = default;
    virtual void AddToShoppingCart(CTreeNode& element, const OrderButtonValues& values) = 0;
};

// The cart entry in use; null while none is installed.
CShoppingCartAdder* ShoppingCartAdder();
// Installs it (not owned; null removes it). Returns the previous one.
CShoppingCartAdder* SetShoppingCartAdder(CShoppingCartAdder* adder);
