// Clipboard blocks come from whatever another program put on the clipboard: any bytes must give a list
// of entries, and a block continued from them must keep the layout every reader relies on.

#include "store/clipboard/ClipboardSlots.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto entries = ReadClipboardSlots(data, size);
    CClipboardSlotWriter writer(data, size);
    writer.Append("/catalogues/coins.ctg^1,2,3");
    const ClipboardBlock& block = writer.GetBlock();
    if (block.size() % kClipboardBlockBytes != 0 || writer.GetCount() != entries.size() + 1 ||
        (writer.GetCount() + 1) * kClipboardSlotBytes > block.size() ||
        block[writer.GetCount() * kClipboardSlotBytes] != 0 ||
        ReadClipboardSlots(block).size() != writer.GetCount()) {
        std::abort();
    }
    return 0;
}
