#include "store/regional/AmountText.h"

#include "store/regional/CurrencyTable.h"
#include "store/regional/RegionalSettings.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr size_t kMaxWholeDigits = 20;
constexpr size_t kMaxFractionDigits = 5;
constexpr int kMaxGroupedDigits = 18;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::uint64_t Magnitude(std::int64_t value)
{
    return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

// The digits of a whole part grouped in thousands (at most 18 digits take separators), without one
// leading zero: "0" gives "".
std::string GroupDigits(std::string digits, char separator)
{
    std::string grouped;
    const int count = static_cast<int>(digits.size());
    for (int i = 0; i < count; ++i) {
        const int fromRight = count - i;
        grouped += digits[static_cast<size_t>(i)];
        if (fromRight > 1 && (fromRight - 1) % 3 == 0 && fromRight - 1 <= kMaxGroupedDigits) {
            grouped += separator;
        }
    }
    if (!grouped.empty() && grouped.front() == '0') {
        grouped.erase(0, 1);
        if (!grouped.empty() && grouped.front() == separator) {
            grouped.erase(0, 1);
        }
    }
    return grouped;
}

char ThousandsSeparatorFor(char requested)
{
    if (requested == 0 || requested == GetDecimalSeparator()) {
        return GetThousandSeparator();
    }
    return requested;
}

std::string Layout(const char* format, const std::string& a, const std::string& b)
{
    std::string text = format;
    const size_t first = text.find("%s");
    text.replace(first, 2, a);
    const size_t second = text.find("%s", first + a.size());
    text.replace(second, 2, b);
    return text;
}

std::string NumberText(std::uint64_t whole, std::uint64_t fraction, bool negative, char separator)
{
    std::string text = GroupDigits(std::to_string(whole), separator);
    if (text.empty() && GetLeadingZeroSetting() != 0) {
        text = "0";
    }
    if (negative) {
        text.insert(0, "-");
    }
    return text + GetDecimalSeparator() + std::to_string(fraction);
}

std::string CurrencyText(std::uint64_t whole, std::uint64_t fraction, bool negative, char separator,
                         int currencyIndex)
{
    const int digits = std::clamp(GetCurrencyDigitsAt(currencyIndex), 0, 9);
    if (fraction > 99) {
        fraction /= 10;
    }
    std::string fractionText;
    if (digits > 0) {
        // The fraction zero-padded to the currency's digits, then cut to them.
        fractionText = std::to_string(fraction);
        if (fractionText.size() < static_cast<size_t>(digits)) {
            fractionText.insert(0, static_cast<size_t>(digits) - fractionText.size(), '0');
        }
        fractionText.resize(static_cast<size_t>(digits));
    }
    std::string amount = GroupDigits(std::to_string(whole), separator);
    if (amount.empty()) {
        amount = "0";
    }
    if (!fractionText.empty()) {
        amount += GetDecimalSeparator() + fractionText;
    }
    const std::string symbol = GetCurrencySymbol(currencyIndex);
    if (!negative) {
        switch (GetCurrencyPosition()) {
        case 0:
        case 2:
            return Layout("%s %s", symbol, amount);
        case 1:
        case 3:
            return Layout("%s %s", amount, symbol);
        default:
            return {};
        }
    }
    switch (GetNegativeCurrencyFormat()) {
    case 0:
        return Layout("(%s %s)", symbol, amount);
    case 1:
    case 9:
        return Layout("-%s %s", symbol, amount);
    case 2:
        return Layout("%s- %s", symbol, amount);
    case 3:
        return Layout("%s %s-", symbol, amount);
    case 4:
        return Layout("(%s %s)", amount, symbol);
    case 5:
    case 8:
        return Layout("-%s %s", amount, symbol);
    case 6:
        return Layout("%s- %s", amount, symbol);
    case 7:
    case 10:
        return Layout("%s %s-", amount, symbol);
    default:
        return {};
    }
}

// Where the fraction of an amount text starts: behind the first decimal separator that follows a
// digit; npos when there is none.
size_t FractionStart(std::string_view text)
{
    const char decimal = GetDecimalSeparator();
    bool digitSeen = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            digitSeen = true;
        } else if (text[i] == decimal && digitSeen) {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

std::int64_t WholeDigits(std::string_view text, size_t end)
{
    std::int64_t whole = 0;
    size_t taken = 0;
    for (size_t i = 0; i < end && i < text.size() && taken < kMaxWholeDigits; ++i) {
        if (IsDigit(text[i])) {
            // Past 18 digits the value would leave 64 bits: further digits are dropped.
            if (whole <= (INT64_MAX - 9) / 10) {
                whole = whole * 10 + (text[i] - '0');
            }
            ++taken;
        }
    }
    return whole;
}

} // namespace

std::string FormatCurrencyMask(std::int64_t whole, std::int64_t fraction, int isCurrency, bool negative,
                               char groupSeparator, int currencyIndex)
{
    const bool minus = negative || whole < 0 || fraction < 0;
    const char separator = ThousandsSeparatorFor(groupSeparator);
    if (isCurrency == 0) {
        return NumberText(Magnitude(whole), Magnitude(fraction), minus, separator);
    }
    return CurrencyText(Magnitude(whole), Magnitude(fraction), minus, separator, currencyIndex);
}

std::int64_t GetIntegerDigits(std::string_view text)
{
    const size_t start = FractionStart(text);
    return WholeDigits(text, start == std::string_view::npos ? text.size() : start - 1);
}

std::int32_t GetDecimalDigits(std::string_view text)
{
    const size_t start = FractionStart(text);
    if (start == std::string_view::npos) {
        return 0;
    }
    std::int32_t fraction = 0;
    size_t taken = 0;
    for (size_t i = start; i < text.size() && taken < kMaxFractionDigits; ++i) {
        if (IsDigit(text[i])) {
            fraction = fraction * 10 + (text[i] - '0');
            ++taken;
        }
    }
    return fraction;
}

Amount ParseAmount(std::string_view text)
{
    Amount amount;
    amount.negative = text.find('-') != std::string_view::npos || text.find('(') != std::string_view::npos;
    const size_t start = FractionStart(text);
    amount.whole = WholeDigits(text, start == std::string_view::npos ? text.size() : start - 1);
    if (start != std::string_view::npos) {
        std::int32_t scale = 1000;
        for (size_t i = start; i < text.size() && scale > 0; ++i) {
            if (IsDigit(text[i])) {
                amount.tenThousandths += (text[i] - '0') * scale;
                scale /= 10;
            }
        }
    }
    return amount;
}

bool ParseCurrencyText(std::string_view text, Amount& amount)
{
    const size_t a = text.find('A');
    const size_t b = text.find('B', a == std::string_view::npos ? 0 : a);
    if (a == std::string_view::npos || b == std::string_view::npos) {
        return false;
    }
    const auto number = [](std::string_view part, long long& value) {
        if (part.empty()) {
            return false;
        }
        const std::string copy(part);
        char* end = nullptr;
        value = std::strtoll(copy.c_str(), &end, 10);
        return end != nullptr && *end == '\0';
    };
    long long lastDigits = 0;
    long long whole = 0;
    long long hundredths = 0;
    if (!number(text.substr(0, a), lastDigits) || !number(text.substr(a + 1, b - a - 1), whole) ||
        !number(text.substr(b + 1), hundredths)) {
        return false;
    }
    amount.negative = lastDigits < 0 || whole < 0 || hundredths < 0;
    amount.whole = static_cast<std::int64_t>(Magnitude(whole));
    amount.tenThousandths =
        static_cast<std::int32_t>((Magnitude(hundredths) % 100) * 100 + Magnitude(lastDigits) % 100);
    return true;
}
