#include "platform/dao/foreign/ForeignStream.h"

#include "platform/dao/DaoConstants.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace platform::dao::detail {
namespace {

constexpr std::string_view kMagic = "LFR1";
constexpr std::string_view kEnd = "END.";

static_assert(std::endian::native == std::endian::little, "the reader's stream is little-endian");

template <typename T>
void Put(std::string& out, T value)
{
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out.append(bytes, sizeof(T));
}

void PutText(std::string& out, std::string_view text)
{
    Put<std::uint32_t>(out, static_cast<std::uint32_t>(text.size()));
    out.append(text);
}

bool IsFieldType(std::uint16_t type)
{
    switch (type) {
    case dbBoolean:
    case dbByte:
    case dbInteger:
    case dbLong:
    case dbCurrency:
    case dbSingle:
    case dbDouble:
    case dbDate:
    case dbText:
    case dbLongBinary:
    case dbMemo:
        return true;
    default:
        return false;
    }
}

class Reader
{
public:
    explicit Reader(std::string_view bytes) : m_rest(bytes) {}

    bool Empty() const { return m_rest.empty(); }

    template <typename T>
    bool Get(T& value)
    {
        if (m_rest.size() < sizeof(T)) {
            return false;
        }
        std::memcpy(&value, m_rest.data(), sizeof(T));
        m_rest.remove_prefix(sizeof(T));
        return true;
    }

    bool Literal(std::string_view expected)
    {
        if (m_rest.substr(0, expected.size()) != expected) {
            return false;
        }
        m_rest.remove_prefix(expected.size());
        return true;
    }

    bool Bytes(std::string_view& bytes)
    {
        std::uint32_t length = 0;
        if (!Get(length) || length > m_rest.size()) {
            return false;
        }
        bytes = m_rest.substr(0, length);
        m_rest.remove_prefix(length);
        return true;
    }

    // A count of items that each take at least `least` bytes: more than the rest can hold is a lie.
    bool Count(std::uint32_t& count, size_t least) { return Get(count) && count <= m_rest.size() / least; }

private:
    std::string_view m_rest;
};

std::optional<CDaoVariant> ReadValue(Reader& in)
{
    std::uint8_t kind = 0;
    if (!in.Get(kind)) {
        return std::nullopt;
    }
    switch (static_cast<VariantType>(kind)) {
    case VariantType::Null:
        return CDaoVariant();
    case VariantType::Boolean: {
        std::uint8_t value = 0;
        if (!in.Get(value) || value > 1) {
            return std::nullopt;
        }
        return CDaoVariant::Boolean(value == 1);
    }
    case VariantType::Byte: {
        std::uint8_t value = 0;
        return in.Get(value) ? std::optional(CDaoVariant::Byte(value)) : std::nullopt;
    }
    case VariantType::Short: {
        std::int16_t value = 0;
        return in.Get(value) ? std::optional(CDaoVariant::Short(value)) : std::nullopt;
    }
    case VariantType::Long: {
        std::int32_t value = 0;
        return in.Get(value) ? std::optional(CDaoVariant::Long(value)) : std::nullopt;
    }
    case VariantType::Currency: {
        std::int64_t value = 0;
        return in.Get(value) ? std::optional(CDaoVariant::Currency(value)) : std::nullopt;
    }
    case VariantType::Single: {
        float value = 0;
        return in.Get(value) ? std::optional(CDaoVariant::Single(value)) : std::nullopt;
    }
    case VariantType::Double: {
        double value = 0;
        return in.Get(value) ? std::optional(CDaoVariant::Double(value)) : std::nullopt;
    }
    case VariantType::Date: {
        double value = 0;
        // The reader only makes dates the engine can hold; anything else is not its output.
        if (!in.Get(value) || !std::isfinite(value)) {
            return std::nullopt;
        }
        return CDaoVariant::Date(value);
    }
    case VariantType::Text: {
        std::string_view text;
        return in.Bytes(text) ? std::optional(CDaoVariant::Text(std::string(text))) : std::nullopt;
    }
    case VariantType::Binary: {
        std::string_view bytes;
        if (!in.Bytes(bytes)) {
            return std::nullopt;
        }
        return CDaoVariant::Binary(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }
    }
    return std::nullopt;
}

bool ReadTables(Reader& in, std::vector<ForeignTable>& tables)
{
    constexpr size_t kLeastTable = 4 + 4 + 4 + 2; // a name, a count and one column
    std::uint32_t count = 0;
    if (!in.Count(count, kLeastTable)) {
        return false;
    }
    for (std::uint32_t t = 0; t < count; ++t) {
        ForeignTable table;
        std::string_view name;
        std::uint32_t columns = 0;
        if (!in.Bytes(name) || !in.Count(columns, 4 + 2) || columns == 0) {
            return false;
        }
        table.name = std::string(name);
        for (std::uint32_t c = 0; c < columns; ++c) {
            std::string_view columnName;
            std::uint16_t type = 0;
            if (!in.Bytes(columnName) || !in.Get(type) || !IsFieldType(type)) {
                return false;
            }
            table.columns.push_back({std::string(columnName), static_cast<short>(type)});
        }
        tables.push_back(std::move(table));
    }
    return true;
}

} // namespace

void WriteForeignTables(std::string& out, const std::vector<ForeignTable>& tables)
{
    out.append(kMagic);
    Put<std::uint32_t>(out, static_cast<std::uint32_t>(tables.size()));
    for (const ForeignTable& table : tables) {
        PutText(out, table.name);
        Put<std::uint32_t>(out, static_cast<std::uint32_t>(table.columns.size()));
        for (const ForeignColumn& column : table.columns) {
            PutText(out, column.name);
            Put<std::uint16_t>(out, static_cast<std::uint16_t>(column.daoType));
        }
    }
}

void WriteForeignNoRows(std::string& out)
{
    Put<std::uint8_t>(out, 0);
    out.append(kEnd);
}

void WriteForeignRowsStart(std::string& out, size_t table)
{
    Put<std::uint8_t>(out, 1);
    Put<std::uint32_t>(out, static_cast<std::uint32_t>(table));
}

void WriteForeignRow(std::string& out, const std::vector<CDaoVariant>& row)
{
    Put<std::uint8_t>(out, 1);
    for (const CDaoVariant& value : row) {
        Put<std::uint8_t>(out, static_cast<std::uint8_t>(value.GetType()));
        switch (value.GetType()) {
        case VariantType::Null:
            break;
        case VariantType::Boolean:
            Put<std::uint8_t>(out, value.GetBool() ? 1 : 0);
            break;
        case VariantType::Byte:
            Put(out, value.GetByte());
            break;
        case VariantType::Short:
            Put(out, value.GetShort());
            break;
        case VariantType::Long:
            Put(out, value.GetLong());
            break;
        case VariantType::Currency:
            Put(out, value.GetCurrency());
            break;
        case VariantType::Single:
            Put(out, value.GetSingle());
            break;
        case VariantType::Double:
            Put(out, value.GetDouble());
            break;
        case VariantType::Date:
            Put(out, value.GetDate());
            break;
        case VariantType::Text:
            PutText(out, value.GetText());
            break;
        case VariantType::Binary: {
            const auto& bytes = value.GetBinary();
            PutText(out, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
            break;
        }
        }
    }
}

void WriteForeignRowsEnd(std::string& out)
{
    Put<std::uint8_t>(out, 0);
    out.append(kEnd);
}

std::optional<ForeignStream> ParseForeignStream(std::string_view bytes)
{
    Reader in(bytes);
    ForeignStream stream;
    std::uint8_t hasRows = 0;
    if (!in.Literal(kMagic) || !ReadTables(in, stream.tables) || !in.Get(hasRows) || hasRows > 1) {
        return std::nullopt;
    }
    if (hasRows == 1) {
        std::uint32_t index = 0;
        if (!in.Get(index) || index >= stream.tables.size()) {
            return std::nullopt;
        }
        stream.table = index;
        const size_t width = stream.tables[index].columns.size();
        for (;;) {
            std::uint8_t more = 0;
            if (!in.Get(more) || more > 1) {
                return std::nullopt;
            }
            if (more == 0) {
                break;
            }
            std::vector<CDaoVariant> row;
            row.reserve(width); // bounded: every column took a byte of the stream when it was read
            for (size_t c = 0; c < width; ++c) {
                std::optional<CDaoVariant> value = ReadValue(in);
                if (!value) {
                    return std::nullopt;
                }
                row.push_back(std::move(*value));
            }
            stream.rows.push_back(std::move(row));
        }
    }
    if (!in.Literal(kEnd) || !in.Empty()) {
        return std::nullopt;
    }
    return stream;
}

} // namespace platform::dao::detail
