#pragma once
// The image kinds the tree model uses (an image kind is an entry of the tree pane's table of pictures;
// a value above 1000 is an image-list index plus 1000), and the special node kinds.

namespace image_kind {
inline constexpr int kBookmarks = 20;
inline constexpr int kTablesOpen = 21;
inline constexpr int kTablesClosed = 22;
inline constexpr int kRecordOpen = 23;
inline constexpr int kWastebasketFull = 26;
inline constexpr int kCatalogueOpen = 29;
inline constexpr int kCatalogueClosed = 30;
inline constexpr int kRoot = 35;
inline constexpr int kQueryOpen = 36;
inline constexpr int kQueryClosed = 37;
inline constexpr int kWastebasketEmpty = 39;
inline constexpr int kRecordClosed = 40;
inline constexpr int kToDo = 41;
// Above this, a value is an image-list index plus 1000.
inline constexpr int kRunTimeBase = 1000;
} // namespace image_kind

namespace node_kind {
inline constexpr int kAllKinds = -1;
inline constexpr int kNotes = 20;
inline constexpr int kFileItems = 21;
inline constexpr int kItemLists = 22;
inline constexpr int kStoredQueries = 23;
inline constexpr int kBookmarks = 24;
inline constexpr int kToDo = 25;
} // namespace node_kind
