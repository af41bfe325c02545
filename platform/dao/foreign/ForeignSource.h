#pragma once
// Inside the database layer: files of other programs that the engine opens as databases, read only (the
// sheets of a workbook, the tables of an Access database). A source names its tables and their
// columns and hands out each table's rows; the layer copies a table into an in-memory database the
// first time it is used, so recordsets and table definitions work on it as on any other table.

#include "platform/dao/DaoFiles.h"
#include "platform/dao/DaoVariant.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform::dao::detail {

struct ForeignColumn
{
    std::string name;
    short daoType = 0; // dbBoolean ... dbMemo
};

struct ForeignTable
{
    std::string name;
    std::vector<ForeignColumn> columns; // never empty
};

class ForeignSource
{
public:
    virtual ~ForeignSource() = default;

    virtual const std::vector<ForeignTable>& Tables() const = 0;

    // One row: a value for every column, in column order.
    using RowSink = std::function<void(const std::vector<CDaoVariant>&)>;
    // Hands out the rows of table `index`; throws CDaoException 3343 when the file turns out damaged.
    virtual void ReadRows(size_t index, const RowSink& sink) = 0;
};

// The source of a file opened with `connect`: a workbook for "Excel ..." connect strings, an Access
// database for a file that carries the Jet signature, nullptr for the layer's own files. A file that is
// not of the kind it claims is error 3343.
std::unique_ptr<ForeignSource> OpenForeignSource(const std::filesystem::path& path, std::string_view connect);

// An in-memory database holding every table of the source, empty; FillForeignTable copies one table's
// rows into it.
SqliteHandle CreateForeignDatabase(const ForeignSource& source);
void FillForeignTable(sqlite3* db, ForeignSource& source, std::string_view table);

} // namespace platform::dao::detail
