#pragma once
// Help on the program's context-help keys ("KV.FOLDER_NAME", "PX.OPTIONS"): the key's prefix names a help
// book and its map in the product's help folder (see store/HelpKeys.h). A missing map, book or key is
// reported in a message box.

#include <string_view>

#include <wx/eventfilter.h>

class wxWindow;

// Help on one control: the topic in a small popup near the mouse.
void ShowContextHelp(wxWindow* window, std::string_view key);
// Help on a dialog or page: the topic in the book's help window.
void ShowContextHelpInWindow(wxWindow* window, std::string_view key);
// The help book of a prefix ("px": the program's own help) at its contents; a missing or unreadable
// book is reported.
void ShowHelpContents(wxWindow* window, std::string_view prefix);

// Help request types; only help on a dialog (by its resource id) shows anything.
inline constexpr int kHelpRequestDialog = 1;

// Shows the help topic of a dialog by its resource id (on the record form's pages, of the control that
// has the focus) over `window`. Other request types do nothing. Always true: the request is handled.
bool GetContextHelpKey(wxWindow* window, int helpType, int dialogId);

// The application's help hook: F1 and the Help button (wxID_HELP) in any dialog of the program show
// the dialog's topic through GetContextHelpKey (a dialog's id is its resource id).
class CDialogHelpHook : public wxEventFilter
{
public:
    // Starts answering; `mainWindow` (not owned) must outlive the hook.
    explicit CDialogHelpHook(wxWindow* mainWindow);
    ~CDialogHelpHook() override;
    CDialogHelpHook(const CDialogHelpHook&) = delete;
    CDialogHelpHook& operator=(const CDialogHelpHook&) = delete;

    int FilterEvent(wxEvent& event) override;

private:
    wxWindow* m_mainWindow;
};
