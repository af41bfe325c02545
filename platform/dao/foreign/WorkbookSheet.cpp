#include "platform/dao/foreign/WorkbookSheet.h"

#include "platform/dao/DaoConstants.h"
#include "platform/text/CaseFold.h"

#include <algorithm>
#include <set>

namespace platform::dao::detail {
namespace {

bool IsNumber(const CDaoVariant& value)
{
    return value.GetType() == VariantType::Long || value.GetType() == VariantType::Double;
}

std::string ColumnName(const CDaoVariant& header, size_t position, std::set<std::string>& taken)
{
    std::string name = header.ToText();
    name.erase(0, name.find_first_not_of(" \t"));
    name.erase(name.find_last_not_of(" \t") + 1);
    if (name.empty() || taken.count(platform::text::FoldCase(name)) != 0) {
        // A header may itself read "F2"; count on until the name is free.
        size_t number = position + 1;
        name = "F" + std::to_string(number);
        while (taken.count(platform::text::FoldCase(name)) != 0) {
            name = "F" + std::to_string(++number);
        }
    }
    taken.insert(platform::text::FoldCase(name));
    return name;
}

short ColumnType(const std::vector<std::vector<CDaoVariant>>& cells, size_t column)
{
    bool numbers = false;
    bool dates = false;
    bool others = false;
    for (size_t row = 1; row < cells.size(); ++row) {
        if (column >= cells[row].size() || cells[row][column].IsNull()) {
            continue;
        }
        const CDaoVariant& value = cells[row][column];
        if (IsNumber(value)) {
            numbers = true;
        } else if (value.GetType() == VariantType::Date) {
            dates = true;
        } else {
            others = true;
        }
    }
    if (numbers && !dates && !others) {
        return dbDouble;
    }
    if (dates && !numbers && !others) {
        return dbDate;
    }
    return dbMemo;
}

CDaoVariant CellOfColumn(const CDaoVariant& value, short type)
{
    if (value.IsNull()) {
        return value;
    }
    if (type == dbDouble && value.GetType() == VariantType::Long) {
        return CDaoVariant::Double(value.GetLong());
    }
    if (type == dbMemo && value.GetType() == VariantType::Date) {
        return CDaoVariant::Text(value.ToText());
    }
    return value;
}

} // namespace

WorkbookSheet MakeWorkbookSheet(std::string name, const std::vector<std::vector<CDaoVariant>>& cells)
{
    WorkbookSheet sheet;
    sheet.table.name = std::move(name);
    size_t width = 0;
    for (const auto& row : cells) {
        width = std::max(width, row.size());
    }
    if (width == 0) {
        // A sheet without cells still has a column, as a table must.
        sheet.table.columns.push_back({"F1", dbMemo});
        return sheet;
    }
    std::set<std::string> taken;
    for (size_t column = 0; column < width; ++column) {
        const CDaoVariant header = column < cells[0].size() ? cells[0][column] : CDaoVariant();
        sheet.table.columns.push_back({ColumnName(header, column, taken), ColumnType(cells, column)});
    }
    for (size_t row = 1; row < cells.size(); ++row) {
        std::vector<CDaoVariant> values(width);
        for (size_t column = 0; column < width && column < cells[row].size(); ++column) {
            values[column] = CellOfColumn(cells[row][column], sheet.table.columns[column].daoType);
        }
        sheet.rows.push_back(std::move(values));
    }
    return sheet;
}

} // namespace platform::dao::detail
