#pragma once
// The sheets of an Excel 97-2003 workbook, or the tables of an Access database, listed and turned into
// the text file the import reads: a header line of the column names, then a line per row; every value
// in double quotation marks (a quotation mark inside a value doubled), separated by ",", each line
// ending in CR LF. Values are written whole; a value may hold line breaks inside its quotation marks.

#include "platform/dao/DaoVariant.h"

#include <filesystem>
#include <string>
#include <string_view>

// Where ListExcelSheets puts the names: a list box, or anything else that keeps a list of texts.
class ISheetList
{
public:
    virtual void Clear() = 0;
    virtual void Append(const std::string& name) = 0;

protected:
    ~ISheetList() = default;
};

// Empties the list and appends the name of every sheet (table) of the file; false when the file cannot
// be read (then the list stays empty).
bool ListExcelSheets(ISheetList& listBox, const std::filesystem::path& path, bool isWorkbook);

// Writes the sheet (table) `sheetName` of the file to `textPath`; false when the file or the sheet
// cannot be read or the text file cannot be written. The text file is written beside its place and
// moved there when complete, so a failure leaves whatever was there before.
bool ExcelSheetToText(const std::filesystem::path& path, std::string_view sheetName,
                      const std::filesystem::path& textPath, bool isWorkbook);

// One value as the text file holds it, without its quotation marks: numbers with '.', fractions with six
// decimals, currency as "<whole>A<hundredths>" (each part signed), a date as the regional short date,
// truth values "T" and "F", bytes as nothing.
std::string SheetValueText(const platform::dao::CDaoVariant& value);
