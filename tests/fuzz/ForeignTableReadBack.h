#pragma once
// What the foreign-source fuzz targets do with a source: create its tables in the in-memory database,
// fill the named one, and read every cell of it back as text. Throws CDaoException where the layer
// refuses the source.

#include "platform/dao/SqliteEngine.h"
#include "platform/dao/foreign/ForeignSource.h"

#include <string>

inline void ReadBackForeignTable(platform::dao::detail::ForeignSource& source, const std::string& name)
{
    namespace detail = platform::dao::detail;
    detail::SqliteHandle db = detail::CreateForeignDatabase(source);
    detail::FillForeignTable(db.get(), source, name);
    detail::Statement rows(db.get(), "SELECT * FROM " + detail::QuoteName(name));
    while (rows.Step()) {
        for (int column = 0; column < rows.ColumnCount(); ++column) {
            (void)detail::ReadColumn(rows.Get(), column, 0).ToText();
        }
    }
}
