#pragma once
// The column that holds a field of a data file, chosen by the field's type letter (upper or lower case
// alike):
//   'B' text 1        'I' text 6        'F', 'O' text 12     'U' currency
//   'D' date          'P' long binary   'M' memo             'S', 'T', 'C' text of the field's LENGTH
// A text column is at most 255 characters long. A letter outside this table gets a text column of the
// field's LENGTH, as 'C' does, so that whatever the definitions hold can be stored.

#include "platform/dao/DaoInfo.h"

#include <string_view>

// The largest size of a text column.
inline constexpr long kMaxTextColumn = 255;

// The column of a field. A column added to a table that already exists allows empty texts (text and
// memo columns) and is never required; one made with a new table is plain.
platform::dao::CDaoFieldInfo DataColumnFor(std::string_view name, char typeLetter, int length,
                                           bool addedToExistingTable);
