#pragma once
// The questions and dialogs of the ordering nodes: confirming the deletion of orders and cart entries,
// changing a cart row's quantity, and showing a placed order. tree/wx holds the program's dialogs and the
// application installs them; without them, confirmations and orders go to the dialog service, and a
// quantity cannot be changed.

#include <string>

// A cart row as the quantity dialog shows it.
struct CartQuantity
{
    std::string name;
    std::string price;
    std::string quantity;
    std::string shopName;
};

class COrderDialogs
{
public:
    virtual ~COrderDialogs() = default;
    // "Confirm order deletion": Yes 6 or No 7.
    virtual int ConfirmOrderDelete(const std::string& question) = 0;
    // "Add to Shopping Cart - Insert Quantity": true when the user confirmed, with the row's quantity
    // (a whole number) and name as typed.
    virtual bool EditCartQuantity(CartQuantity& row) = 0;
    // "Order": the order's text, until the user closes it.
    virtual void ShowOrder(const std::string& text) = 0;
    // Whether EditCartQuantity can ask at all.
    virtual bool CanEditCartQuantity() = 0;
};

// The dialogs in use (never null).
COrderDialogs& OrderDialogs();
// Installs dialogs (not owned; null restores the default). Returns the previous ones.
COrderDialogs* SetOrderDialogs(COrderDialogs* dialogs);
