#pragma once
// The window system's clipboard, in memory: installed for as long as it lives, so that tests of cutting,
// copying and pasting leave the display's clipboard to its own tests.

#include "store/clipboard/ItemClipboard.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumarc::test {

class MemoryClipboard : public CClipboardAccess
{
public:
    MemoryClipboard() { SetClipboardAccess(this); }
    ~MemoryClipboard() override { SetClipboardAccess(nullptr); }
    MemoryClipboard(const MemoryClipboard&) = delete;
    MemoryClipboard& operator=(const MemoryClipboard&) = delete;

    bool HasFormat(std::string_view format) override { return formats.count(std::string(format)) > 0; }
    std::optional<ClipboardBlock> GetData(std::string_view format) override
    {
        const auto found = formats.find(std::string(format));
        return found != formats.end() ? std::optional(found->second) : std::nullopt;
    }
    bool SetFormats(const std::vector<ClipboardFormatData>& data) override
    {
        formats.clear();
        for (const auto& format : data) {
            formats[format.format] = format.data;
        }
        return true;
    }

    std::map<std::string, ClipboardBlock> formats;
};

} // namespace lumarc::test
