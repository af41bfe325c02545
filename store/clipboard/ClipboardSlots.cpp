#include "store/clipboard/ClipboardSlots.h"

#include "platform/text/CaseFold.h"

#include <algorithm>
#include <cstring>

namespace {

// Where the list of the data ends: the offset of its first empty slot, or behind its last slot when none
// is empty (a last slot cut short by the end of the data counts whole, as the reader counts it).
size_t EndOfEntries(const unsigned char* data, size_t size)
{
    size_t offset = 0;
    while (offset < size && data[offset] != 0) {
        offset += kClipboardSlotBytes;
    }
    return offset;
}

// The smallest block size, in whole steps, that holds `used` bytes and a zero slot behind them.
size_t BlockSizeFor(size_t used)
{
    const size_t needed = used + kClipboardSlotBytes;
    return (needed + kClipboardBlockBytes - 1) / kClipboardBlockBytes * kClipboardBlockBytes;
}

} // namespace

std::vector<std::string> ReadClipboardSlots(const unsigned char* data, size_t size)
{
    std::vector<std::string> entries;
    if (data == nullptr) {
        return entries;
    }
    for (size_t offset = 0; offset < size && data[offset] != 0; offset += kClipboardSlotBytes) {
        const size_t length = std::min(kClipboardSlotBytes, size - offset);
        const auto* slot = reinterpret_cast<const char*>(data + offset);
        entries.emplace_back(slot, strnlen(slot, length));
    }
    return entries;
}

CClipboardSlotWriter::CClipboardSlotWriter() : m_block(kClipboardBlockBytes, 0) {}

CClipboardSlotWriter::CClipboardSlotWriter(const unsigned char* data, size_t size)
{
    m_offset = data != nullptr ? EndOfEntries(data, size) : 0;
    m_block.assign(BlockSizeFor(m_offset), 0);
    if (m_offset > 0) {
        std::memcpy(m_block.data(), data, std::min(m_offset, size));
    }
}

void CClipboardSlotWriter::Append(std::string_view entry)
{
    entry = entry.substr(0, entry.find('\0'));
    entry = platform::text::TruncateUtf8(entry, kClipboardEntryBytes);
    if (entry.empty()) {
        return;
    }
    // The slot behind this entry must stay zero: it ends the list.
    if (m_offset + 2 * kClipboardSlotBytes > m_block.size()) {
        m_block.resize(m_block.size() + kClipboardBlockBytes, 0);
    }
    std::memcpy(m_block.data() + m_offset, entry.data(), entry.size());
    m_offset += kClipboardSlotBytes;
}

ClipboardBlock CopyClipboardBlock(const unsigned char* data, size_t size)
{
    return CClipboardSlotWriter(data, size).TakeBlock();
}
