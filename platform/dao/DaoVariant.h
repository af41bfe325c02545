#pragma once
// One field value as the engine hands it out and takes it in: null, a truth value, an integer of 8, 16
// or 32 bits, currency (a 64-bit count of ten-thousandths), a single or double, a date (DaoDate.h), a
// text (UTF-8) or bytes. Reading a field gives the value in the type of its column; writing converts
// the value to the column's type as the engine does (ChangeType), or refuses it with error 3421.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace platform::dao {

enum class VariantType : std::uint8_t
{
    Null,
    Boolean,
    Byte,
    Short,
    Long,
    Currency,
    Single,
    Double,
    Date,
    Text,
    Binary
};

class CDaoVariant
{
public:
    CDaoVariant() = default; // null
    CDaoVariant(std::string text) : m_value(std::move(text)) {}
    CDaoVariant(std::string_view text) : m_value(std::string(text)) {}
    CDaoVariant(const char* text) : m_value(std::string(text)) {}
    CDaoVariant(std::int32_t value) : m_value(value) {}
    CDaoVariant(double value) : m_value(value) {}
    CDaoVariant(std::vector<std::uint8_t> bytes) : m_value(std::move(bytes)) {}

    static CDaoVariant Boolean(bool value);
    static CDaoVariant Byte(std::uint8_t value);
    static CDaoVariant Short(std::int16_t value);
    static CDaoVariant Long(std::int32_t value) { return CDaoVariant(value); }
    // `tenThousandths` of the currency unit: 12.3456 is 123456.
    static CDaoVariant Currency(std::int64_t tenThousandths);
    static CDaoVariant Single(float value);
    static CDaoVariant Double(double value) { return CDaoVariant(value); }
    static CDaoVariant Date(double serial);
    static CDaoVariant Text(std::string text) { return CDaoVariant(std::move(text)); }
    static CDaoVariant Binary(std::vector<std::uint8_t> bytes) { return CDaoVariant(std::move(bytes)); }

    VariantType GetType() const { return static_cast<VariantType>(m_value.index()); }
    bool IsNull() const { return GetType() == VariantType::Null; }

    // The stored value; each requires the matching type.
    bool GetBool() const { return std::get<bool>(m_value); }
    std::uint8_t GetByte() const { return std::get<std::uint8_t>(m_value); }
    std::int16_t GetShort() const { return std::get<std::int16_t>(m_value); }
    std::int32_t GetLong() const { return std::get<std::int32_t>(m_value); }
    std::int64_t GetCurrency() const { return std::get<CurrencyValue>(m_value).tenThousandths; }
    float GetSingle() const { return std::get<float>(m_value); }
    double GetDouble() const { return std::get<double>(m_value); }
    double GetDate() const { return std::get<DateValue>(m_value).serial; }
    const std::string& GetText() const { return std::get<std::string>(m_value); }
    const std::vector<std::uint8_t>& GetBinary() const
    {
        return std::get<std::vector<std::uint8_t>>(m_value);
    }

    // The value's text: "" for null, "-1" and "0" for truth values, decimal numbers with '.', up to 15
    // significant digits for doubles, currency without trailing zeros ("12.5"), dates as
    // FormatDateSerial writes them, bytes as they are.
    std::string ToText() const;
    // The value converted to a field type (dbBoolean ... dbMemo). Null stays null, and so does a text of
    // blanks converted to a number, date or truth value. Throws CDaoException 3421 when the value cannot
    // be converted and 3349 when a number does not fit.
    CDaoVariant ChangeType(short daoType) const;

    friend bool operator==(const CDaoVariant&, const CDaoVariant&) = default;

private:
    struct CurrencyValue
    {
        std::int64_t tenThousandths;
        friend bool operator==(const CurrencyValue&, const CurrencyValue&) = default;
    };
    struct DateValue
    {
        double serial;
        friend bool operator==(const DateValue&, const DateValue&) = default;
    };

    std::variant<std::monostate, bool, std::uint8_t, std::int16_t, std::int32_t, CurrencyValue, float, double,
                 DateValue, std::string, std::vector<std::uint8_t>>
        m_value;
};

// The decimal text of a currency amount: "12.3456", "-0.5", "12".
std::string FormatCurrency(std::int64_t tenThousandths);

} // namespace platform::dao
