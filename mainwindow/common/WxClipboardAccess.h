#pragma once
// The window system's clipboard behind the item clipboard of the store (store/ItemClipboard.h): the
// program's private formats are registered by name, so every running copy reads what another copy put
// there. The main frame installs one at start; tests install their own.

#include "store/clipboard/ItemClipboard.h"

class CWxClipboardAccess : public CClipboardAccess
{
public:
    bool HasFormat(std::string_view format) override;
    std::optional<ClipboardBlock> GetData(std::string_view format) override;
    bool SetFormats(const std::vector<ClipboardFormatData>& formats) override;
};

// Installs a CWxClipboardAccess for as long as it lives.
class CWxClipboardInstaller
{
public:
    CWxClipboardInstaller() { SetClipboardAccess(&m_access); }
    ~CWxClipboardInstaller() { SetClipboardAccess(nullptr); }
    CWxClipboardInstaller(const CWxClipboardInstaller&) = delete;
    CWxClipboardInstaller& operator=(const CWxClipboardInstaller&) = delete;

private:
    CWxClipboardAccess m_access;
};
