#pragma once
// The layout of the program's private clipboard data, shared by every running copy: one block of
// 200-byte slots, each holding one entry as a zero-terminated text of at most 199 bytes, the list ended
// by the first slot whose first byte is zero. Blocks are sized in steps of 200,000 bytes, so a block
// always ends in at least one zero slot. The entries themselves are described in ClipboardEntry.h.
//
// Clipboard data may come from any program: the reader takes any bytes and never reads past their end.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

using ClipboardBlock = std::vector<unsigned char>;

inline constexpr size_t kClipboardSlotBytes = 200;
inline constexpr size_t kClipboardEntryBytes = kClipboardSlotBytes - 1;
inline constexpr size_t kClipboardBlockBytes = 200000;

// The entries of the data, in order, up to the first empty slot or the end of the data. A slot without a
// zero byte gives its 200 bytes; a last slot cut short by the end of the data gives what it holds.
std::vector<std::string> ReadClipboardSlots(const unsigned char* data, size_t size);
inline std::vector<std::string> ReadClipboardSlots(const ClipboardBlock& block)
{
    return ReadClipboardSlots(block.data(), block.size());
}

// Fills a block slot by slot.
class CClipboardSlotWriter
{
public:
    // A new block of 200,000 zero bytes.
    CClipboardSlotWriter();
    // Continues behind the last entry of existing data: its entries are copied into a new block, the same
    // entries ReadClipboardSlots gives.
    CClipboardSlotWriter(const unsigned char* data, size_t size);

    // Writes the entry into the next slot, cut to 199 bytes without splitting a character (and at a zero
    // byte). An empty entry writes nothing: it would end the list. The block grows by 200,000 zero bytes
    // whenever no zero slot would be left behind the entry; std::bad_alloc when it cannot.
    void Append(std::string_view entry);

    // The number of entries in the block, those it was started with included.
    size_t GetCount() const { return m_offset / kClipboardSlotBytes; }
    const ClipboardBlock& GetBlock() const { return m_block; }
    ClipboardBlock TakeBlock() { return std::move(m_block); }

private:
    ClipboardBlock m_block;
    size_t m_offset = 0;
};

// A block holding the entries of the data, in a size of whole 200,000-byte steps with a zero slot behind
// the last entry, however large or malformed the data was.
ClipboardBlock CopyClipboardBlock(const unsigned char* data, size_t size);
inline ClipboardBlock CopyClipboardBlock(const ClipboardBlock& block)
{
    return CopyClipboardBlock(block.data(), block.size());
}
