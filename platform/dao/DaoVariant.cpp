#include "platform/dao/DaoVariant.h"

#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoDate.h"
#include "platform/dao/DaoException.h"
#include "platform/text/CaseFold.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace platform::dao {
namespace {

// Largest currency amount, in units, that a 64-bit count of ten-thousandths holds.
constexpr double kCurrencyLimit = 922337203685477.0;

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<double> ParseDouble(std::string_view text)
{
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// A decimal text as ten-thousandths, exactly when it has at most four decimals (more are rounded).
std::optional<std::int64_t> ParseCurrencyText(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::int64_t units = 0;
    size_t pos = 0;
    size_t digits = 0;
    for (; pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])); ++pos, ++digits) {
        if (units > static_cast<std::int64_t>(kCurrencyLimit) / 10) {
            throw CDaoException(errors::kNumericOverflow, DescribeDaoError(errors::kNumericOverflow));
        }
        units = units * 10 + (text[pos] - '0');
    }
    std::int64_t fraction = 0;
    int scale = 1000;
    bool roundUp = false;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        for (; pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])); ++pos, ++digits) {
            if (scale > 0) {
                fraction += (text[pos] - '0') * scale;
                scale /= 10;
            } else if (scale == 0) {
                roundUp = text[pos] >= '5';
                scale = -1;
            }
        }
    }
    if (digits == 0 || pos != text.size()) {
        return std::nullopt; // exponents and other forms go through the double path
    }
    if (units > static_cast<std::int64_t>(kCurrencyLimit)) {
        throw CDaoException(errors::kNumericOverflow, DescribeDaoError(errors::kNumericOverflow));
    }
    const std::int64_t count = units * 10000 + fraction + (roundUp ? 1 : 0);
    return negative ? -count : count;
}

std::optional<bool> ParseTruthWord(std::string_view text)
{
    using platform::text::EqualsNoCase;
    if (EqualsNoCase(text, "true") || EqualsNoCase(text, "yes") || EqualsNoCase(text, "on")) {
        return true;
    }
    if (EqualsNoCase(text, "false") || EqualsNoCase(text, "no") || EqualsNoCase(text, "off")) {
        return false;
    }
    return std::nullopt;
}

std::string FormatDouble(double value, int precision)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    std::string text(buffer, result.ptr);
    for (char& c : text) {
        if (c == 'e') {
            c = 'E';
        }
    }
    return text;
}

[[noreturn]] void ThrowConversion()
{
    ThrowDaoError(errors::kConversionError);
}

[[noreturn]] void ThrowOverflow()
{
    ThrowDaoError(errors::kNumericOverflow);
}

std::int64_t RoundToInteger(double value, double low, double high)
{
    const double rounded = std::nearbyint(value); // ties to even, as the engine rounds
    if (!(rounded >= low && rounded <= high)) {
        ThrowOverflow();
    }
    return static_cast<std::int64_t>(rounded);
}

} // namespace

CDaoVariant CDaoVariant::Boolean(bool value)
{
    CDaoVariant v;
    v.m_value = value;
    return v;
}

CDaoVariant CDaoVariant::Byte(std::uint8_t value)
{
    CDaoVariant v;
    v.m_value = value;
    return v;
}

CDaoVariant CDaoVariant::Short(std::int16_t value)
{
    CDaoVariant v;
    v.m_value = value;
    return v;
}

CDaoVariant CDaoVariant::Currency(std::int64_t tenThousandths)
{
    CDaoVariant v;
    v.m_value = CurrencyValue{tenThousandths};
    return v;
}

CDaoVariant CDaoVariant::Single(float value)
{
    CDaoVariant v;
    v.m_value = value;
    return v;
}

CDaoVariant CDaoVariant::Date(double serial)
{
    CDaoVariant v;
    v.m_value = DateValue{serial};
    return v;
}

std::string FormatCurrency(std::int64_t tenThousandths)
{
    const bool negative = tenThousandths < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(tenThousandths)
                                             : static_cast<std::uint64_t>(tenThousandths);
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10000);
    std::uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04u", static_cast<unsigned>(fraction));
        std::string_view decimals(digits, 4);
        while (decimals.back() == '0') {
            decimals.remove_suffix(1);
        }
        text += '.';
        text += decimals;
    }
    return text;
}

std::string CDaoVariant::ToText() const
{
    switch (GetType()) {
    case VariantType::Null:
        return {};
    case VariantType::Boolean:
        return GetBool() ? "-1" : "0";
    case VariantType::Byte:
        return std::to_string(GetByte());
    case VariantType::Short:
        return std::to_string(GetShort());
    case VariantType::Long:
        return std::to_string(GetLong());
    case VariantType::Currency:
        return FormatCurrency(GetCurrency());
    case VariantType::Single:
        return FormatDouble(GetSingle(), 7);
    case VariantType::Double:
        return FormatDouble(GetDouble(), 15);
    case VariantType::Date:
        return FormatDateSerial(GetDate());
    case VariantType::Text:
        return GetText();
    case VariantType::Binary:
        return std::string(GetBinary().begin(), GetBinary().end());
    }
    return {};
}

CDaoVariant CDaoVariant::ChangeType(short daoType) const
{
    const VariantType type = GetType();
    if (type == VariantType::Null) {
        return {};
    }
    if (daoType == dbText || daoType == dbMemo) {
        return type == VariantType::Text ? *this : CDaoVariant(ToText());
    }
    if (daoType == dbLongBinary) {
        if (type == VariantType::Binary) {
            return *this;
        }
        if (type == VariantType::Text) {
            return CDaoVariant(std::vector<std::uint8_t>(GetText().begin(), GetText().end()));
        }
        ThrowConversion();
    }
    if (type == VariantType::Binary) {
        ThrowConversion();
    }

    // Numbers, dates and truth values. A text is read first: blanks mean no value.
    std::optional<std::int64_t> exactCurrency; // set when the source is an exact amount
    double number = 0;
    switch (type) {
    case VariantType::Boolean:
        number = GetBool() ? -1 : 0;
        break;
    case VariantType::Byte:
        number = GetByte();
        break;
    case VariantType::Short:
        number = GetShort();
        break;
    case VariantType::Long:
        number = GetLong();
        break;
    case VariantType::Currency:
        exactCurrency = GetCurrency();
        number = static_cast<double>(GetCurrency()) / 10000.0;
        break;
    case VariantType::Single:
        number = GetSingle();
        break;
    case VariantType::Double:
        number = GetDouble();
        break;
    case VariantType::Date:
        number = GetDate();
        break;
    case VariantType::Text: {
        const std::string_view text = TrimBlanks(GetText());
        if (text.empty()) {
            return {};
        }
        if (daoType == dbDate) {
            if (const auto parts = ParseDateText(text)) {
                if (const auto serial = DateSerialFromParts(*parts)) {
                    return Date(*serial);
                }
            }
            ThrowConversion();
        }
        if (daoType == dbBoolean) {
            if (const auto truth = ParseTruthWord(text)) {
                return Boolean(*truth);
            }
        }
        if (daoType == dbCurrency) {
            exactCurrency = ParseCurrencyText(text);
        }
        const auto parsed = ParseDouble(text);
        if (!parsed) {
            ThrowConversion();
        }
        number = *parsed;
        break;
    }
    default:
        ThrowConversion();
    }

    switch (daoType) {
    case dbBoolean:
        return Boolean(number != 0);
    case dbByte:
        return Byte(static_cast<std::uint8_t>(RoundToInteger(number, 0, 255)));
    case dbInteger:
        return Short(static_cast<std::int16_t>(RoundToInteger(number, -32768, 32767)));
    case dbLong:
        if (exactCurrency) {
            // Round the exact amount, not its double, so 2.5 gives 2 as the engine does.
            const std::int64_t whole = *exactCurrency / 10000;
            const std::int64_t rest = *exactCurrency % 10000;
            std::int64_t rounded = whole;
            if (rest > 5000 || rest < -5000 || ((rest == 5000 || rest == -5000) && whole % 2 != 0)) {
                rounded += rest > 0 ? 1 : -1;
            }
            if (rounded < std::numeric_limits<std::int32_t>::min() ||
                rounded > std::numeric_limits<std::int32_t>::max()) {
                ThrowOverflow();
            }
            return Long(static_cast<std::int32_t>(rounded));
        }
        return Long(static_cast<std::int32_t>(RoundToInteger(number, std::numeric_limits<std::int32_t>::min(),
                                                             std::numeric_limits<std::int32_t>::max())));
    case dbCurrency:
        if (exactCurrency) {
            return Currency(*exactCurrency);
        }
        if (!(std::fabs(number) <= kCurrencyLimit)) {
            ThrowOverflow();
        }
        return Currency(std::llround(number * 10000.0));
    case dbSingle:
        if (std::fabs(number) > std::numeric_limits<float>::max()) {
            ThrowOverflow();
        }
        return Single(static_cast<float>(number));
    case dbDouble:
        return Double(number);
    case dbDate:
        if (!DatePartsFromSerial(number)) {
            ThrowOverflow();
        }
        return Date(number);
    default:
        ThrowDaoError(errors::kInvalidArgument, "field type " + std::to_string(daoType));
    }
}

} // namespace platform::dao
