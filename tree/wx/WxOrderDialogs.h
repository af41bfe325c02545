#pragma once
// The ordering nodes' dialogs as the program's own windows: a cart row's quantity (dialog 202 of
// resources/OrderDialogs.xrc), a placed order (dialog 204) and "Confirm order deletion" (dialog 32209 of
// ConfirmDialogs.xrc). The application installs them with SetOrderDialogs.

#include "tree/orders/OrderDialogs.h"

#include <wx/dialog.h>

class wxTextCtrl;

// Dialog 202: the row's item and price shown, its quantity typed (a whole number of at most 10
// characters). OK (1) is refused with a message while the quantity is not a whole number.
class CCartQuantityDlg : public wxDialog
{
public:
    CCartQuantityDlg(wxWindow* parent, const CartQuantity& row);
    // The row with the quantity typed; valid after OK.
    const CartQuantity& GetRow() const { return m_row; }
    wxTextCtrl* GetQuantityEdit() const { return m_quantity; }

    static constexpr size_t kMaxChars = 10;

private:
    CartQuantity m_row;
    wxTextCtrl* m_quantity = nullptr;
};

// Dialog 204: the order's text, whole, in a multi-line edit that only shows it.
class COrderTextDlg : public wxDialog
{
public:
    COrderTextDlg(wxWindow* parent, const std::string& text);
    wxString GetShownText() const;

private:
    wxTextCtrl* m_text = nullptr;
};

class CWxOrderDialogs final : public COrderDialogs
{
public:
    explicit CWxOrderDialogs(wxWindow* parent = nullptr) : m_parent(parent) {}
    int ConfirmOrderDelete(const std::string& question) override;
    bool EditCartQuantity(CartQuantity& row) override;
    void ShowOrder(const std::string& text) override;
    bool CanEditCartQuantity() override { return true; }

    static constexpr int kConfirmOrderDeleteDialog = 32209;

private:
    wxWindow* m_parent;
};
