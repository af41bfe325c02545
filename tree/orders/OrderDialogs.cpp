#include "tree/orders/OrderDialogs.h"

#include "platform/ui/DialogService.h"

namespace {

class ServiceOrderDialogs final : public COrderDialogs
{
public:
    int ConfirmOrderDelete(const std::string& question) override
    {
        const int answer = platform::ui::ShowMessage(question, "Confirm order deletion",
                                                     platform::ui::kMbYesNo | platform::ui::kMbIconQuestion);
        return answer == platform::ui::kIdYes ? platform::ui::kIdYes : platform::ui::kIdNo;
    }
    bool EditCartQuantity(CartQuantity& /*row*/) override { return false; }
    void ShowOrder(const std::string& text) override { platform::ui::ShowMessage(text, "Order"); }
    bool CanEditCartQuantity() override { return false; }
};

ServiceOrderDialogs g_serviceDialogs;
COrderDialogs* g_dialogs = &g_serviceDialogs;

} // namespace

COrderDialogs& OrderDialogs()
{
    return *g_dialogs;
}

COrderDialogs* SetOrderDialogs(COrderDialogs* dialogs)
{
    COrderDialogs* previous = g_dialogs;
    g_dialogs = dialogs != nullptr ? dialogs : &g_serviceDialogs;
    return previous == &g_serviceDialogs ? nullptr : previous;
}
