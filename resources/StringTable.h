#pragma once
// The compiled-in string table: texts of messages, captions, column headers, menus and tips by id.

#include <optional>
#include <span>
#include <string_view>

namespace resources {

struct StringEntry
{
    unsigned id;
    std::string_view text;
};

// Every entry, sorted by id.
std::span<const StringEntry> AllStrings();

// The text of an id, or nullopt when the table has no such id.
std::optional<std::string_view> FindString(unsigned id);

} // namespace resources
