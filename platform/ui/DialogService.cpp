#include "platform/ui/DialogService.h"

#include <cstdio>

namespace platform::ui {
namespace {

class StderrDialogService final : public DialogService
{
public:
    int MessageBox(const std::string& text, const std::string& caption, unsigned style) override
    {
        std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
        switch (style & kMbButtonMask) {
        case kMbYesNo:
        case kMbYesNoCancel:
            return kIdYes;
        default:
            return kIdOk;
        }
    }
};

StderrDialogService g_stderrService;
DialogService* g_service = &g_stderrService;

} // namespace

DialogService& Dialogs()
{
    return *g_service;
}

DialogService* SetDialogService(DialogService* service)
{
    DialogService* previous = g_service;
    g_service = service != nullptr ? service : &g_stderrService;
    return previous == &g_stderrService ? nullptr : previous;
}

int ShowMessage(const std::string& text, const std::string& caption, unsigned style)
{
    return Dialogs().MessageBox(text, caption, style);
}

} // namespace platform::ui
