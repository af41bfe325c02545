#pragma once
// Inside the database layer: the sheets of an Excel 97-2003 (and older) workbook as tables
// (WorkbookSheet.h says how). Throws 3343 for a file that is no workbook or is damaged, 3031 for one
// protected by a password.

#include "platform/dao/foreign/ForeignSource.h"

namespace platform::dao::detail {

std::unique_ptr<ForeignSource> OpenWorkbookSource(const std::filesystem::path& path);

} // namespace platform::dao::detail
