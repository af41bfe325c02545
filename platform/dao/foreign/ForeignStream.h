#pragma once
// Inside the database layer: what the reader process (ForeignReaderMain.cpp) sends back about a foreign
// file, the tables it holds and, when asked, the rows of one of them. The reader runs the libraries
// that parse the file; this format is all of it the program sees, so it is read strictly: any length,
// count, type or order that is not exactly as written gives nullopt.
//
// Layout (integers little-endian): "LFR1", u32 table count, per table a text name, u32 column count
// and per column a text name and a u16 field type; then u8 0 (no rows) or u8 1, u32 table index and per
// row u8 1 and one value per column; u8 0 ends the rows; "END." closes the stream. A text is u32 length
// and bytes, a value is a u8 kind (VariantType) and its bytes.

#include "platform/dao/foreign/ForeignSource.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::dao::detail {

// The writing side, for the reader process; each call appends to `out`.
void WriteForeignTables(std::string& out, const std::vector<ForeignTable>& tables);
void WriteForeignNoRows(std::string& out);
void WriteForeignRowsStart(std::string& out, size_t table);
void WriteForeignRow(std::string& out, const std::vector<CDaoVariant>& row);
void WriteForeignRowsEnd(std::string& out);

struct ForeignStream
{
    std::vector<ForeignTable> tables;
    std::optional<size_t> table;                // whose rows follow
    std::vector<std::vector<CDaoVariant>> rows; // each as wide as that table
};

std::optional<ForeignStream> ParseForeignStream(std::string_view bytes);

} // namespace platform::dao::detail
