#pragma once
// Every message box and modal question of the program goes through one dialog service, so that the
// windows show real dialogs while tests answer them without a click. The GUI installs a service that
// shows wx dialogs; without one, messages are written to standard error and answered with the default.

#include <string>

namespace platform::ui {

// Buttons and icons of a message box (combine one button set with one icon).
enum MessageStyle : unsigned
{
    kMbOk = 0x0,
    kMbOkCancel = 0x1,
    kMbYesNoCancel = 0x3,
    kMbYesNo = 0x4,
    kMbIconError = 0x10,
    kMbIconQuestion = 0x20,
    kMbIconWarning = 0x30,
    kMbIconInformation = 0x40,
};
constexpr unsigned kMbButtonMask = 0xF;

// Answers of a message box or question; "Yes to All" answers 8.
enum DialogResult : int
{
    kIdOk = 1,
    kIdCancel = 2,
    kIdYes = 6,
    kIdNo = 7,
    kIdYesToAll = 8,
};

class DialogService
{
public:
    virtual ~DialogService() = default;
    // Shows a modal message box and returns the button chosen.
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned style) = 0;
};

// The service in use (never null).
DialogService& Dialogs();

// Installs a service (not owned; null restores the standard-error service). Returns the previous one.
DialogService* SetDialogService(DialogService* service);

// Shorthand for Dialogs().MessageBox.
int ShowMessage(const std::string& text, const std::string& caption, unsigned style = kMbOk);

} // namespace platform::ui
