#include "mainwindow/common/ContextHelp.h"

#include "mainwindow/common/WindowClasses.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/HelpViewer.h"
#include "resources/LoadResString.h"
#include "store/program/HelpKeys.h"

#include <string>

#include <wx/dialog.h>
#include <wx/toplevel.h>

namespace {

constexpr unsigned kHelpIdMissing = 388;   // "Help Id does not exist %s"
constexpr unsigned kHelpFileMissing = 389; // "Help File does not exist"
constexpr unsigned kErrorTitle = 20552;

void Report(unsigned textId, std::string_view key = {})
{
    std::string text = LoadResString(textId);
    if (const auto at = text.find("%s"); at != std::string::npos) {
        text.replace(at, 2, key);
    }
    platform::ui::ShowMessage(text, LoadResString(kErrorTitle),
                              platform::ui::kMbOk | platform::ui::kMbIconError);
}

void ShowHelp(wxWindow* window, std::string_view key, size_t mapBytes, platform::ui::HelpPlacement placement)
{
    const HelpTopicLookup lookup = FindHelpTopic(key, mapBytes);
    switch (lookup.status) {
    case HelpTopicLookup::kNoPrefix:
        return;
    case HelpTopicLookup::kNoMap:
        Report(kHelpFileMissing);
        return;
    case HelpTopicLookup::kNoKey:
        Report(kHelpIdMissing, key);
        return;
    case HelpTopicLookup::kFound:
        break;
    }
    if (lookup.book.empty()) {
        Report(kHelpFileMissing);
        return;
    }
    switch (platform::ui::ShowHelpTopic(window, lookup.book, lookup.topic, placement)) {
    case platform::ui::HelpResult::kNoBook:
        Report(kHelpFileMissing);
        break;
    case platform::ui::HelpResult::kNoTopic:
        Report(kHelpIdMissing, key);
        break;
    case platform::ui::HelpResult::kShown:
        break;
    }
}

} // namespace

void ShowContextHelp(wxWindow* window, std::string_view key)
{
    ShowHelp(window, key, kHelpPopupMapBytes, platform::ui::HelpPlacement::kPopup);
}

void ShowContextHelpInWindow(wxWindow* window, std::string_view key)
{
    ShowHelp(window, key, kHelpWindowMapBytes, platform::ui::HelpPlacement::kWindow);
}

void ShowHelpContents(wxWindow* window, std::string_view prefix)
{
    const std::filesystem::path book = FindHelpBook(prefix);
    if (book.empty() || !platform::ui::ShowHelpContents(window, book)) {
        Report(kHelpFileMissing);
    }
}

bool GetContextHelpKey(wxWindow* window, int helpType, int dialogId)
{
    if (helpType != kHelpRequestDialog) {
        return true;
    }
    const auto help = FindDialogHelpKey(dialogId, WindowClassOf(wxWindow::FindFocus()));
    if (!help) {
        return true;
    }
    // The help viewer has one window per book, so field topics (the book's main window) and dialog
    // topics (its secondary window) both open there.
    ShowContextHelpInWindow(window, help->key);
    return true;
}

CDialogHelpHook::CDialogHelpHook(wxWindow* mainWindow) : m_mainWindow(mainWindow)
{
    wxEvtHandler::AddFilter(this);
}

CDialogHelpHook::~CDialogHelpHook()
{
    wxEvtHandler::RemoveFilter(this);
}

int CDialogHelpHook::FilterEvent(wxEvent& event)
{
    const wxEventType type = event.GetEventType();
    const bool asked = type == wxEVT_HELP ||
                       (type == wxEVT_KEY_DOWN && static_cast<wxKeyEvent&>(event).GetKeyCode() == WXK_F1) ||
                       (type == wxEVT_BUTTON && event.GetId() == wxID_HELP);
    if (!asked) {
        return Event_Skip;
    }
    auto* window = wxDynamicCast(event.GetEventObject(), wxWindow);
    auto* dialog = window != nullptr ? wxDynamicCast(wxGetTopLevelParent(window), wxDialog) : nullptr;
    if (dialog == nullptr) {
        return Event_Skip;
    }
    GetContextHelpKey(m_mainWindow, kHelpRequestDialog, dialog->GetId());
    return Event_Processed;
}
