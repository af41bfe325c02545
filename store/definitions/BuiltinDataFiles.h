#pragma once
// The data files every catalogue has, by their fixed numbers, and what sets the others apart.

// Slots 20 to 23 hold the built-in definitions; 24 and 25 have fixed roles but are data files like any.
constexpr int kNotesFile = 20;
constexpr int kFileItemsFile = 21; // table "Editor": a file name in the column EdtFn
constexpr int kItemListsFile = 22;
constexpr int kQueriesFile = 23;
constexpr int kBookmarksFile = 24;
constexpr int kToDoFile = 25;

// Whether a definition slot belongs to a built-in data file instead of a user's.
constexpr bool IsBuiltinSlot(int slot)
{
    return slot >= kNotesFile && slot <= kQueriesFile;
}

// Whether records of this kind are items of the user's own (coins, countries, bookmarks, to-do items),
// not notes, file items, item lists or stored queries.
constexpr bool IsOrdinaryKind(int kind)
{
    return kind < kNotesFile || kind == kBookmarksFile || kind == kToDoFile;
}
