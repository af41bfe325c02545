#include "store/clipboard/ItemClipboard.h"

#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/clipboard/ClipboardEntry.h"
#include "store/records/ItemSet.h"
#include "store/records/NodeRef.h"
#include "store/records/Record.h"
#include "store/program/TraceLog.h"

#include <algorithm>
#include <new>

namespace {

constexpr unsigned kOutOfMemoryText = 21040;
constexpr unsigned kErrorCaption = 20552;

// Every private format that carries data or marks a drag, in the order they are kept.
constexpr std::array<std::string_view, 9> kKeptFormats{
    kCopyItemsFormat,    kDropItemsFormat,    kMoveItemsFormat, kQueryMoveFormat, kQueryCopyFormat,
    kItemListMoveFormat, kItemListCopyFormat, kAreaMoveFormat,  kAreaCopyFormat,
};

CClipboardAccess* g_access = nullptr;

template <size_t N>
bool HasAnyOf(CClipboardAccess& access, const std::array<std::string_view, N>& formats)
{
    return std::any_of(formats.begin(), formats.end(), [&](auto format) { return access.HasFormat(format); });
}

// Writes the entries behind those of `existing` (a new block when there is none) and puts the block on
// the clipboard with the other private formats.
bool PutEntries(CClipboardAccess& access, std::string_view format,
                const std::optional<ClipboardBlock>& existing, const std::vector<std::string>& entries)
{
    ClipboardBlock block;
    try {
        CClipboardSlotWriter writer =
            existing ? CClipboardSlotWriter(existing->data(), existing->size()) : CClipboardSlotWriter();
        for (const auto& entry : entries) {
            writer.Append(entry);
        }
        block = writer.TakeBlock();
    } catch (const std::bad_alloc&) {
        platform::ui::Dialogs().MessageBox(LoadResString(kOutOfMemoryText), LoadResString(kErrorCaption),
                                           platform::ui::kMbOk);
        return false;
    }
    auto formats = KeepPrivateClipboardFormats(format);
    formats.push_back({std::string(format), std::move(block)});
    if (!access.SetFormats(formats)) {
        DebugLogString("Clipboard not taken for " + std::string(format));
        return false;
    }
    return true;
}

// The entries an item set writes in a format: an item entry per record, or the path of the node showing
// it; records without an entry are left out.
std::vector<std::string> EntriesOf(CItemSet& set, std::string_view format, CCatalogueNodeSource* tree)
{
    std::vector<std::string> entries;
    const bool nodes = IsNodeEntryFormat(format);
    if (nodes && tree == nullptr) {
        return entries;
    }
    for (const auto& record : set.GetList()) {
        std::string entry = nodes ? tree->GetPathOfNodeHolding(*record) : FormatItemEntry(*record);
        if (!entry.empty()) {
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

} // namespace

bool IsNodeEntryFormat(std::string_view format)
{
    return format == kQueryMoveFormat || format == kItemListMoveFormat || format == kItemListCopyFormat ||
           format == kQueryCopyFormat;
}

void SetClipboardAccess(CClipboardAccess* access)
{
    g_access = access;
}

CClipboardAccess* GetClipboardAccess()
{
    return g_access;
}

std::vector<ClipboardFormatData> KeepPrivateClipboardFormats(std::string_view replaced)
{
    std::vector<ClipboardFormatData> kept;
    if (g_access == nullptr) {
        return kept;
    }
    for (auto format : kKeptFormats) {
        if (format == replaced || !g_access->HasFormat(format)) {
            continue;
        }
        if (format == kDropItemsFormat) {
            kept.push_back({std::string(format), {}});
        } else if (auto data = g_access->GetData(format)) {
            kept.push_back({std::string(format), CopyClipboardBlock(*data)});
        }
    }
    return kept;
}

bool AppendEntriesToClipboard(std::string_view format, const std::vector<std::string>& entries)
{
    if (g_access == nullptr) {
        return false;
    }
    return PutEntries(*g_access, format, g_access->GetData(format), entries);
}

bool WriteEntriesToClipboard(std::string_view format, const std::vector<std::string>& entries)
{
    if (g_access == nullptr) {
        return false;
    }
    return PutEntries(*g_access, format, std::nullopt, entries);
}

std::vector<std::string> ReadClipboardEntries(std::string_view format)
{
    if (g_access == nullptr) {
        return {};
    }
    const auto data = g_access->GetData(format);
    return data ? ReadClipboardSlots(*data) : std::vector<std::string>();
}

std::string_view ChooseClipboardItemFormat()
{
    if (g_access == nullptr) {
        return {};
    }
    if (HasAnyOf(*g_access, kClipboardCopyFormats)) {
        return kCopyItemsFormat;
    }
    if (HasAnyOf(*g_access, kClipboardMoveFormats)) {
        return kMoveItemsFormat;
    }
    return {};
}

std::unique_ptr<CItemSet> ReadItemsFromEntries(const std::vector<std::string>& entries,
                                               CCatalogueNodeSource& root)
{
    std::unique_ptr<CItemSet> set;
    for (const auto& entry : entries) {
        CCatalogueDb* catalogue = FindEntryCatalogue(entry, root);
        CNodeRef key;
        if (catalogue == nullptr || !ParseClipboardEntry(entry, key, root)) {
            continue;
        }
        key.SetKindAndCatalogue(key.GetKind(), catalogue);
        if (!set) {
            set = std::make_unique<CItemSet>(catalogue);
            set->Load();
        }
        set->AddRecordByKey(key);
    }
    return set;
}

std::unique_ptr<CItemSet> ReadItemsFromClipboard(CCatalogueNodeSource& root)
{
    const std::string_view format = ChooseClipboardItemFormat();
    if (format.empty()) {
        return nullptr;
    }
    return ReadItemsFromEntries(ReadClipboardEntries(format), root);
}

// ---- the item set's writers --------------------------------------------------------------------------

bool CItemSet::CopyItemsToClipboard()
{
    return AppendItemsToClipboard(kCopyItemsFormat);
}

bool CItemSet::MoveItemsToClipboard()
{
    return AppendItemsToClipboard(kMoveItemsFormat);
}

bool CItemSet::AppendItemsToClipboard(std::string_view format, CCatalogueNodeSource* tree)
{
    if (GetClipboardAccess() == nullptr) {
        return false;
    }
    return AppendEntriesToClipboard(format, EntriesOf(*this, format, tree));
}

bool CItemSet::WriteItemsToClipboard(std::string_view format, CCatalogueNodeSource* tree)
{
    if (GetClipboardAccess() == nullptr) {
        return false;
    }
    return WriteEntriesToClipboard(format, EntriesOf(*this, format, tree));
}
