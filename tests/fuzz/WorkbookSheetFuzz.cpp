// The layer's own part of reading workbooks: sheets of arbitrary cells (as libfreexl hands them out) are
// named, typed, created and filled in the in-memory database, and read back. Names with any characters,
// repeated names and ragged rows must give tables or CDaoException, never a crash.
//
// The bytes: a sheet name (a length byte and its bytes), a row width byte, then cells, each a tag byte
// (null, long, double, text, date) and its value.

#include "platform/dao/DaoException.h"
#include "platform/dao/SqliteEngine.h"
#include "platform/dao/foreign/ForeignSource.h"
#include "platform/dao/foreign/WorkbookSheet.h"
#include "tests/fuzz/ForeignTableReadBack.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

using platform::dao::CDaoVariant;
namespace detail = platform::dao::detail;

namespace {

class Reader
{
public:
    Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_at >= m_size; }
    uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    std::string Text(size_t length)
    {
        length = std::min(length, m_size - std::min(m_at, m_size));
        std::string text(reinterpret_cast<const char*>(m_data + m_at), length);
        m_at += length;
        return text;
    }
    template <typename T>
    T Number()
    {
        T value{};
        const std::string bytes = Text(sizeof(T));
        std::memcpy(&value, bytes.data(), bytes.size());
        return value;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

class SheetSource : public detail::ForeignSource
{
public:
    explicit SheetSource(detail::WorkbookSheet sheet) : m_sheet(std::move(sheet))
    {
        m_tables = {m_sheet.table};
    }
    const std::vector<detail::ForeignTable>& Tables() const override { return m_tables; }
    void ReadRows(size_t, const RowSink& sink) override
    {
        for (const auto& row : m_sheet.rows) {
            sink(row);
        }
    }

private:
    detail::WorkbookSheet m_sheet;
    std::vector<detail::ForeignTable> m_tables;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Reader reader(data, size);
    const std::string name = reader.Text(reader.Byte());
    const size_t width = reader.Byte() % 8 + 1;
    std::vector<std::vector<CDaoVariant>> cells;
    while (!reader.Empty() && cells.size() < 200) {
        std::vector<CDaoVariant> row;
        for (size_t column = 0; column < width && !reader.Empty(); ++column) {
            switch (reader.Byte() % 5) {
            case 1:
                row.push_back(CDaoVariant::Long(reader.Number<int32_t>()));
                break;
            case 2:
                row.push_back(CDaoVariant::Double(reader.Number<double>()));
                break;
            case 3:
                row.push_back(CDaoVariant::Text(reader.Text(reader.Byte())));
                break;
            case 4:
                row.push_back(CDaoVariant::Date(reader.Number<double>()));
                break;
            default:
                row.emplace_back();
                break;
            }
        }
        cells.push_back(std::move(row));
    }
    try {
        SheetSource source(detail::MakeWorkbookSheet(name, cells));
        ReadBackForeignTable(source, name);
    } catch (const platform::dao::CDaoException&) {
    }
    return 0;
}
