#pragma once
// The dialog service of the running program: real wx message boxes.

#include "platform/ui/DialogService.h"

namespace platform::ui {

class WxDialogService final : public DialogService
{
public:
    int MessageBox(const std::string& text, const std::string& caption, unsigned style) override;
};

} // namespace platform::ui
