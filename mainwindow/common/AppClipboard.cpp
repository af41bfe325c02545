#include "mainwindow/common/AppClipboard.h"

#include "store/clipboard/ItemClipboard.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include <array>

namespace {

AppClipboardState g_state;

template <size_t N>
bool HasAnyOf(const std::array<std::string_view, N>& names)
{
    for (auto name : names) {
        if (ClipboardHasNamedFormat(name)) {
            return true;
        }
    }
    return false;
}

} // namespace

void SetAppClipboardState(AppClipboardState state)
{
    g_state = std::move(state);
}

bool OpenAppClipboard()
{
    return wxTheClipboard->Open();
}

bool ClipboardHasFormat(const wxDataFormat& format)
{
    // A caller that holds the clipboard open already keeps it open.
    if (wxTheClipboard->IsOpened()) {
        return wxTheClipboard->IsSupported(format);
    }
    if (!wxTheClipboard->Open()) {
        return false;
    }
    const bool has = wxTheClipboard->IsSupported(format);
    wxTheClipboard->Close();
    return has;
}

bool ClipboardHasNamedFormat(std::string_view name)
{
    return ClipboardHasFormat(wxDataFormat(wxString::FromUTF8(name.data(), name.size())));
}

bool ClipboardHasCopyItems()
{
    return HasAnyOf(kClipboardCopyFormats) || (g_state.hasOwnCopyItems && g_state.hasOwnCopyItems());
}

bool ClipboardHasMoveItems()
{
    return HasAnyOf(kClipboardMoveFormats);
}

bool ClipboardHasLinkItems()
{
    return ClipboardHasNamedFormat(kLinkItemsFormat);
}

void ClearClipboard()
{
    if (g_state.forget) {
        g_state.forget();
    }
    const bool wasOpen = wxTheClipboard->IsOpened();
    if (wasOpen || wxTheClipboard->Open()) {
        // Clear() only drops what this copy put there; taking the clipboard over with nothing in it
        // empties it whoever filled it (another copy, another program).
        wxTheClipboard->SetData(new wxDataObjectComposite()); // owned by the clipboard
        wxTheClipboard->Clear();
        if (!wasOpen) {
            wxTheClipboard->Close();
        }
    }
}
