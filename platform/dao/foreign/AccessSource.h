#pragma once
// Inside the database layer: the user tables of an Access (Jet) database through mdbtools, read only.
// mdbtools hands values out as texts; AccessValue turns them back into the engine's values.

#include "platform/dao/foreign/ForeignSource.h"

namespace platform::dao::detail {

// Throws 3343 for a file mdbtools cannot read.
std::unique_ptr<ForeignSource> OpenAccessSource(const std::filesystem::path& path);

// The field type of an mdbtools column type; binary columns are dbLongBinary (their values are not read).
short AccessFieldType(int mdbType);
// The value of a column of `mdbType` from mdbtools' text (booleans as "1"/"0", dates as
// "YYYY-MM-DD hh:mm:ss", money with a '.' and up to four decimals). An empty text is null; a text that
// does not read as its type stays text.
CDaoVariant AccessValue(int mdbType, std::string_view text);

} // namespace platform::dao::detail
