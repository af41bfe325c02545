// Workbooks through libfreexl, which reads the whole file when it opens it.
#include "platform/dao/foreign/WorkbookSource.h"

#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoDate.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/foreign/WorkbookSheet.h"

#include <freexl.h>

#include <cstdio>

namespace platform::dao::detail {
namespace {

struct FreexlCloser
{
    void operator()(const void* handle) const { freexl_close(handle); }
};
using FreexlHandle = std::unique_ptr<const void, FreexlCloser>;

[[noreturn]] void ThrowDamaged(const std::filesystem::path& path)
{
    ThrowDaoError(errors::kUnrecognizedFormat, path.string());
}

// libfreexl gives dates as "YYYY-MM-DD", "YYYY-MM-DD hh:mm:ss" or "hh:mm:ss".
CDaoVariant DateCell(const FreeXL_CellValue& cell)
{
    const char* text = cell.value.text_value;
    if (text == nullptr) {
        return {};
    }
    DateParts parts;
    int matched = 0;
    if (cell.type == FREEXL_CELL_TIME) {
        matched = std::sscanf(text, "%d:%d:%d", &parts.hour, &parts.minute, &parts.second) == 3 ? 1 : 0;
    } else if (cell.type == FREEXL_CELL_DATETIME) {
        matched = std::sscanf(text, "%d-%d-%d %d:%d:%d", &parts.year, &parts.month, &parts.day, &parts.hour,
                              &parts.minute, &parts.second) == 6
                      ? 1
                      : 0;
    } else {
        matched = std::sscanf(text, "%d-%d-%d", &parts.year, &parts.month, &parts.day) == 3 ? 1 : 0;
    }
    if (matched != 0) {
        if (const std::optional<double> serial = DateSerialFromParts(parts)) {
            return CDaoVariant::Date(*serial);
        }
    }
    return CDaoVariant::Text(text); // a date the engine cannot hold stays readable as text
}

CDaoVariant Cell(const FreeXL_CellValue& cell)
{
    switch (cell.type) {
    case FREEXL_CELL_INT:
        return CDaoVariant::Long(cell.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return CDaoVariant::Double(cell.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return cell.value.text_value == nullptr ? CDaoVariant() : CDaoVariant::Text(cell.value.text_value);
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return DateCell(cell);
    default:
        return {};
    }
}

class WorkbookSource : public ForeignSource
{
public:
    explicit WorkbookSource(const std::filesystem::path& path)
    {
        const void* raw = nullptr;
        const int rc = freexl_open(path.c_str(), &raw);
        FreexlHandle handle(raw);
        if (rc != FREEXL_OK || raw == nullptr) {
            ThrowDamaged(path);
        }
        unsigned int protection = 0;
        if (freexl_get_info(raw, FREEXL_BIFF_PASSWORD, &protection) == FREEXL_OK &&
            protection == FREEXL_BIFF_OBFUSCATED) {
            ThrowDaoError(errors::kNotValidPassword, path.string());
        }
        unsigned int count = 0;
        if (freexl_get_info(raw, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK) {
            ThrowDamaged(path);
        }
        if (count > 0xFFFF) {
            ThrowDamaged(path);
        }
        for (unsigned short index = 0; index < static_cast<unsigned short>(count); ++index) {
            const char* name = nullptr;
            unsigned int rows = 0;
            unsigned short columns = 0;
            if (freexl_get_worksheet_name(raw, index, &name) != FREEXL_OK || name == nullptr ||
                freexl_select_active_worksheet(raw, index) != FREEXL_OK ||
                freexl_worksheet_dimensions(raw, &rows, &columns) != FREEXL_OK) {
                ThrowDamaged(path);
            }
            std::vector<std::vector<CDaoVariant>> cells(rows);
            for (unsigned int row = 0; row < rows; ++row) {
                cells[row].resize(columns);
                for (unsigned short column = 0; column < columns; ++column) {
                    FreeXL_CellValue cell{};
                    if (freexl_get_cell_value(raw, row, column, &cell) != FREEXL_OK) {
                        ThrowDamaged(path);
                    }
                    cells[row][column] = Cell(cell);
                }
            }
            WorkbookSheet sheet = MakeWorkbookSheet(name, cells);
            m_tables.push_back(std::move(sheet.table));
            m_rows.push_back(std::move(sheet.rows));
        }
    }

    const std::vector<ForeignTable>& Tables() const override { return m_tables; }

    void ReadRows(size_t index, const RowSink& sink) override
    {
        for (const auto& row : m_rows.at(index)) {
            sink(row);
        }
    }

private:
    std::vector<ForeignTable> m_tables;
    std::vector<std::vector<std::vector<CDaoVariant>>> m_rows;
};

} // namespace

std::unique_ptr<ForeignSource> OpenWorkbookSource(const std::filesystem::path& path)
{
    return std::make_unique<WorkbookSource>(path);
}

} // namespace platform::dao::detail
