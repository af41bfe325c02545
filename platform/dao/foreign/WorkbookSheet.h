#pragma once
// Inside the database layer: a workbook sheet as a table. The first row names the columns (an empty or
// repeated name becomes "F<position>"), the rows below it are the table's rows. A column whose cells
// are all numbers is a double column, all dates a date column; any other column is a memo column in
// which numbers keep their value and dates become "YYYY-MM-DD[ hh:mm:ss]" texts, so no cell is lost.

#include "platform/dao/foreign/ForeignSource.h"

#include <vector>

namespace platform::dao::detail {

struct WorkbookSheet
{
    ForeignTable table;
    std::vector<std::vector<CDaoVariant>> rows; // one value per column
};

// `cells` holds the sheet's rows as read (nulls, longs, doubles, dates and texts); rows may be shorter
// than the widest one.
WorkbookSheet MakeWorkbookSheet(std::string name, const std::vector<std::vector<CDaoVariant>>& cells);

} // namespace platform::dao::detail
