#include "mainwindow/common/WxClipboardAccess.h"

#include "mainwindow/common/AppClipboard.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include <memory>

namespace {

wxDataFormat NamedFormat(std::string_view name)
{
    return wxDataFormat(wxString::FromUTF8(name.data(), name.size()));
}

// Holds the clipboard open while it lives, unless the caller had it open already.
class ClipboardOpener
{
public:
    ClipboardOpener() : m_opened(!wxTheClipboard->IsOpened() && wxTheClipboard->Open()) {}
    ~ClipboardOpener()
    {
        if (m_opened) {
            wxTheClipboard->Close();
        }
    }
    ClipboardOpener(const ClipboardOpener&) = delete;
    ClipboardOpener& operator=(const ClipboardOpener&) = delete;
    bool IsOpen() const { return wxTheClipboard->IsOpened(); }

private:
    bool m_opened;
};

} // namespace

bool CWxClipboardAccess::HasFormat(std::string_view format)
{
    return ClipboardHasNamedFormat(format);
}

std::optional<ClipboardBlock> CWxClipboardAccess::GetData(std::string_view format)
{
    ClipboardOpener clipboard;
    const wxDataFormat named = NamedFormat(format);
    if (!clipboard.IsOpen() || !wxTheClipboard->IsSupported(named)) {
        return std::nullopt;
    }
    wxCustomDataObject data(named);
    if (!wxTheClipboard->GetData(data)) {
        return std::nullopt;
    }
    const auto* bytes = static_cast<const unsigned char*>(data.GetData());
    if (bytes == nullptr) {
        return ClipboardBlock();
    }
    return ClipboardBlock(bytes, bytes + data.GetSize());
}

bool CWxClipboardAccess::SetFormats(const std::vector<ClipboardFormatData>& formats)
{
    ClipboardOpener clipboard;
    if (!clipboard.IsOpen()) {
        return false;
    }
    auto composite = std::make_unique<wxDataObjectComposite>();
    for (const auto& format : formats) {
        auto custom = std::make_unique<wxCustomDataObject>(NamedFormat(format.format));
        // A marker format still carries one zero byte: some clipboards drop targets without data.
        const unsigned char marker = 0;
        if (format.data.empty()) {
            custom->SetData(1, &marker);
        } else {
            custom->SetData(format.data.size(), format.data.data());
        }
        composite->Add(custom.release()); // owned by the composite
    }
    return wxTheClipboard->SetData(composite.release()); // owned by the clipboard
}
