#include "platform/dao/foreign/AccessSource.h"

#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoDate.h"
#include "platform/dao/DaoException.h"

#include <mdbtools.h>

#include <charconv>
#include <cstdio>
#include <limits>

namespace platform::dao::detail {
namespace {

// Room for one bound value: a long memo in UTF-8.
constexpr size_t kBindSize = 256 * 1024;

struct MdbCloser
{
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableDefCloser
{
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

template <typename T>
std::optional<T> ReadNumber(std::string_view text)
{
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// "12.3456", "-0.5" as ten-thousandths, without going through a double.
std::optional<std::int64_t> ReadMoney(std::string_view text)
{
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    const size_t point = text.find('.');
    const std::string_view wholeText = text.substr(0, point);
    std::string fraction(point == std::string_view::npos ? std::string_view() : text.substr(point + 1));
    if (fraction.size() > 4 || fraction.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    fraction.resize(4, '0');
    const auto whole = ReadNumber<std::int64_t>(wholeText);
    if (!whole || *whole < 0 || *whole > std::numeric_limits<std::int64_t>::max() / 10000 - 1) {
        return std::nullopt;
    }
    const std::int64_t amount = *whole * 10000 + std::stoll(fraction);
    return negative ? -amount : amount;
}

std::optional<double> ReadDate(std::string_view text)
{
    DateParts parts;
    const std::string copy(text);
    if (std::sscanf(copy.c_str(), "%d-%d-%d %d:%d:%d", &parts.year, &parts.month, &parts.day, &parts.hour,
                    &parts.minute, &parts.second) != 6) {
        return std::nullopt;
    }
    return DateSerialFromParts(parts);
}

class AccessSource : public ForeignSource
{
public:
    explicit AccessSource(const std::filesystem::path& path)
        : m_path(path), m_mdb(mdb_open(path.c_str(), MDB_NOFLAGS))
    {
        if (!m_mdb || mdb_read_catalog(m_mdb.get(), MDB_TABLE) == nullptr) {
            ThrowDaoError(errors::kUnrecognizedFormat, path.string());
        }
        mdb_set_date_fmt(m_mdb.get(), "%Y-%m-%d %H:%M:%S");
        mdb_set_boolean_fmt_numbers(m_mdb.get());
        mdb_set_bind_size(m_mdb.get(), kBindSize);
        for (unsigned int i = 0; i < m_mdb->num_catalog; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(m_mdb->catalog, i));
            if (entry == nullptr || entry->object_type != MDB_TABLE || !mdb_is_user_table(entry)) {
                continue;
            }
            std::unique_ptr<MdbTableDef, TableDefCloser> table(mdb_read_table(entry));
            if (!table || mdb_read_columns(table.get()) == nullptr) {
                ThrowDaoError(errors::kUnrecognizedFormat, path.string());
            }
            ForeignTable described{entry->object_name, {}};
            for (unsigned int c = 0; c < table->num_cols; ++c) {
                const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
                described.columns.push_back({column->name, AccessFieldType(column->col_type)});
            }
            if (described.columns.empty()) {
                continue; // nothing to read, and a table needs a column
            }
            m_tables.push_back(std::move(described));
        }
    }

    const std::vector<ForeignTable>& Tables() const override { return m_tables; }

    void ReadRows(size_t index, const RowSink& sink) override
    {
        const ForeignTable& described = m_tables.at(index);
        std::unique_ptr<MdbTableDef, TableDefCloser> table(
            mdb_read_table_by_name(m_mdb.get(), const_cast<gchar*>(described.name.c_str()), MDB_TABLE));
        if (!table || mdb_read_columns(table.get()) == nullptr ||
            table->num_cols != described.columns.size()) {
            ThrowDaoError(errors::kUnrecognizedFormat, m_path.string());
        }
        const size_t count = described.columns.size();
        std::vector<std::vector<char>> buffers(count, std::vector<char>(kBindSize + 1));
        std::vector<int> lengths(count);
        std::vector<int> types(count);
        for (size_t c = 0; c < count; ++c) {
            types[c] = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c))->col_type;
            if (AccessFieldType(types[c]) != dbLongBinary) {
                mdb_bind_column(table.get(), static_cast<int>(c + 1), buffers[c].data(), &lengths[c]);
            }
        }
        mdb_rewind_table(table.get());
        std::vector<CDaoVariant> row(count);
        while (mdb_fetch_row(table.get())) {
            for (size_t c = 0; c < count; ++c) {
                if (AccessFieldType(types[c]) == dbLongBinary || lengths[c] <= 0) {
                    row[c] = CDaoVariant();
                    continue;
                }
                const size_t length = std::min(static_cast<size_t>(lengths[c]), kBindSize);
                row[c] = AccessValue(types[c], std::string_view(buffers[c].data(), length));
            }
            sink(row);
        }
    }

private:
    std::filesystem::path m_path;
    std::unique_ptr<MdbHandle, MdbCloser> m_mdb;
    std::vector<ForeignTable> m_tables;
};

} // namespace

std::unique_ptr<ForeignSource> OpenAccessSource(const std::filesystem::path& path)
{
    return std::make_unique<AccessSource>(path);
}

short AccessFieldType(int mdbType)
{
    switch (mdbType) {
    case MDB_BOOL:
        return dbBoolean;
    case MDB_BYTE:
        return dbByte;
    case MDB_INT:
        return dbInteger;
    case MDB_LONGINT:
        return dbLong;
    case MDB_MONEY:
        return dbCurrency;
    case MDB_FLOAT:
        return dbSingle;
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return dbDouble;
    case MDB_DATETIME:
        return dbDate;
    case MDB_TEXT:
    case MDB_REPID:
        return dbText;
    case MDB_MEMO:
        return dbMemo;
    default:
        return dbLongBinary;
    }
}

CDaoVariant AccessValue(int mdbType, std::string_view text)
{
    if (text.empty()) {
        return {};
    }
    switch (AccessFieldType(mdbType)) {
    case dbBoolean:
        return CDaoVariant::Boolean(text != "0");
    case dbByte:
        if (const auto value = ReadNumber<std::uint8_t>(text)) {
            return CDaoVariant::Byte(*value);
        }
        break;
    case dbInteger:
        if (const auto value = ReadNumber<std::int16_t>(text)) {
            return CDaoVariant::Short(*value);
        }
        break;
    case dbLong:
        if (const auto value = ReadNumber<std::int32_t>(text)) {
            return CDaoVariant::Long(*value);
        }
        break;
    case dbCurrency:
        if (const auto value = ReadMoney(text)) {
            return CDaoVariant::Currency(*value);
        }
        break;
    case dbSingle:
        if (const auto value = ReadNumber<float>(text)) {
            return CDaoVariant::Single(*value);
        }
        break;
    case dbDouble:
        if (const auto value = ReadNumber<double>(text)) {
            return CDaoVariant::Double(*value);
        }
        break;
    case dbDate:
        if (const auto value = ReadDate(text)) {
            return CDaoVariant::Date(*value);
        }
        break;
    case dbLongBinary:
        return {};
    default:
        break;
    }
    return CDaoVariant::Text(std::string(text));
}

} // namespace platform::dao::detail
