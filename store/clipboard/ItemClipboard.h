#pragma once
// The program's private clipboard formats. They are registered by name, so every running copy of the
// program reads what another copy put there. Records travel as item entries; folders, stored queries and
// item lists as node entries (ClipboardEntry.h); the data of each format is one block of 200-byte slots
// (ClipboardSlots.h). The item set's writers (CItemSet::CopyItemsToClipboard and its family) and the
// readers used by pasting and dropping all go through here.
//
// The clipboard itself belongs to the window system: the GUI installs a CClipboardAccess, and without one
// the writers answer false and the readers find nothing. Putting data in one format keeps the data of
// the other private formats, so copying records leaves folders that were cut on the clipboard, and the
// reverse.

#include "store/clipboard/ClipboardSlots.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CCatalogueNodeSource;
class CItemSet;

inline constexpr std::string_view kCopyItemsFormat = "VUR_Copy_Items";
inline constexpr std::string_view kMoveItemsFormat = "VUR_Move_Items";
inline constexpr std::string_view kLinkItemsFormat = "VUR_Link_Items";
inline constexpr std::string_view kDropItemsFormat = "VUR_Drop_Items";
inline constexpr std::string_view kQueryCopyFormat = "VUR_Query_Copy";
inline constexpr std::string_view kQueryMoveFormat = "VUR_Query_Move";
inline constexpr std::string_view kItemListCopyFormat = "VUR_ItemList_Copy";
inline constexpr std::string_view kItemListMoveFormat = "VUR_ItemList_Move";
inline constexpr std::string_view kAreaCopyFormat = "VUR_Area_Copy";
inline constexpr std::string_view kAreaMoveFormat = "VUR_Area_Move";

// The formats that say elements were copied, and those that say they were cut.
inline constexpr std::array<std::string_view, 4> kClipboardCopyFormats{kQueryCopyFormat, kItemListCopyFormat,
                                                                       kAreaCopyFormat, kCopyItemsFormat};
inline constexpr std::array<std::string_view, 4> kClipboardMoveFormats{kMoveItemsFormat, kQueryMoveFormat,
                                                                       kItemListMoveFormat, kAreaMoveFormat};

// True for the formats in which an item set writes the path of the node showing each record rather than
// an item entry: the stored-query and item-list formats.
bool IsNodeEntryFormat(std::string_view format);

struct ClipboardFormatData
{
    std::string format;
    ClipboardBlock data; // empty for a format that only marks something
};

// The system clipboard, as the writers and readers need it. Any call may fail: another program may hold
// the clipboard or have put anything on it.
class CClipboardAccess
{
public:
    virtual ~CClipboardAccess() = default;
    // Whether the clipboard offers the format (a marker format holds no data).
    virtual bool HasFormat(std::string_view format) = 0;
    // The data of the format; nullopt when the clipboard does not hold it or cannot be read.
    virtual std::optional<ClipboardBlock> GetData(std::string_view format) = 0;
    // Empties the clipboard and puts exactly these formats on it; false when the clipboard was not taken.
    virtual bool SetFormats(const std::vector<ClipboardFormatData>& formats) = 0;
};

// Installs the window system's clipboard (null removes it); the caller keeps it alive while installed.
void SetClipboardAccess(CClipboardAccess* access);
CClipboardAccess* GetClipboardAccess();

// What must stay on the clipboard while the data of one private format is replaced: copies of the data of
// every other private format it holds ("VUR_Drop_Items" as a marker; "VUR_Link_Items" is not kept).
std::vector<ClipboardFormatData> KeepPrivateClipboardFormats(std::string_view replaced);

// Puts the entries on the clipboard in the format, behind the entries it holds there already (in a new
// block when it holds none), keeping the other private formats. Empty entries are left out; with no
// entries at all the format still gets a block, one that holds nothing. False when there is no clipboard,
// it was not taken, or the block could not grow (then "Not enough memory to copy all these items." is
// shown).
bool AppendEntriesToClipboard(std::string_view format, const std::vector<std::string>& entries);
// The same, replacing what the clipboard holds in the format by a new block.
bool WriteEntriesToClipboard(std::string_view format, const std::vector<std::string>& entries);

// The entries the clipboard holds in the format, in order; none when it holds no data in it.
std::vector<std::string> ReadClipboardEntries(std::string_view format);

// The format of the records to paste: "VUR_Copy_Items" when any copy format is on the clipboard, else
// "VUR_Move_Items" when any move format is; empty when neither is.
std::string_view ChooseClipboardItemFormat();

// The records named by item entries, read into a new set on the catalogue of the first entry that names
// an open catalogue. Each record is read from the open catalogue whose file the entry names (see
// FindEntryCatalogue); entries naming no open catalogue, and records that cannot be loaded, add nothing.
// Null when no entry names an open catalogue.
std::unique_ptr<CItemSet> ReadItemsFromEntries(const std::vector<std::string>& entries,
                                               CCatalogueNodeSource& root);
// The records to paste from the clipboard (the format chosen as above); null when there are none.
std::unique_ptr<CItemSet> ReadItemsFromClipboard(CCatalogueNodeSource& root);
