#include "tree/orders/OrderTexts.h"

#include "platform/text/CaseFold.h"
#include "store/regional/AmountText.h"
#include "store/regional/CurrencyTable.h"

#include <cctype>
#include <charconv>
#include <cstdint>

namespace {

constexpr std::string_view kShopMarker = "shop=";

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The byte position after the first `count` characters of the text (its end when it is shorter).
size_t SkipChars(std::string_view text, size_t count)
{
    size_t position = 0;
    for (size_t i = 0; i < count && position < text.size(); ++i) {
        platform::text::NextCodePoint(text, position);
    }
    return position;
}

} // namespace

std::string OrderTextName(int n)
{
    return "order" + std::to_string(n);
}

std::optional<std::string> OrderShopName(std::string_view orderText)
{
    const size_t marker = orderText.find(kShopMarker);
    if (marker == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view rest = orderText.substr(marker + kShopMarker.size());
    size_t end = 0;
    while (end < rest.size() && !IsWhiteSpace(rest[end])) {
        ++end;
    }
    // The name ends at white space of any kind: an order's lines end in line breaks, which must not
    // become part of the shop's name.
    rest = rest.substr(0, end);
    if (rest.empty()) {
        return std::nullopt;
    }
    return LeftChars(rest, kMaxOrderShopChars);
}

bool IsOrderOfShop(std::string_view orderText, std::string_view shop)
{
    const std::optional<std::string> name = OrderShopName(orderText);
    return name.has_value() && *name == shop;
}

std::string ShownOrderText(std::string_view orderText)
{
    return std::string(orderText.substr(SkipChars(orderText, kOrderHeaderChars)));
}

std::string LeftChars(std::string_view text, size_t maxChars)
{
    return std::string(text.substr(0, SkipChars(text, maxChars)));
}

std::optional<long long> ParseQuantity(std::string_view text)
{
    while (!text.empty() && IsWhiteSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsWhiteSpace(text.back())) {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::string CartRowTotal(std::string_view price, std::string_view quantity)
{
    const std::optional<long long> count = ParseQuantity(quantity);
    if (!count.has_value()) {
        return {};
    }
    const Amount amount = ParseAmount(price);
    const bool negative = amount.negative != (*count < 0);
    // |count| as unsigned: the smallest 64-bit number has no positive counterpart.
    const std::uint64_t q =
        *count < 0 ? 0 - static_cast<std::uint64_t>(*count) : static_cast<std::uint64_t>(*count);
    std::uint64_t wholeTimes = 0;
    std::uint64_t hundredthsTimes = 0;
    if (__builtin_mul_overflow(q, static_cast<std::uint64_t>(amount.whole), &wholeTimes) ||
        __builtin_mul_overflow(q, static_cast<std::uint64_t>(amount.Hundredths()), &hundredthsTimes)) {
        return {};
    }
    std::uint64_t whole = 0;
    if (__builtin_add_overflow(wholeTimes, hundredthsTimes / 100, &whole) ||
        whole > static_cast<std::uint64_t>(INT64_MAX)) {
        return {};
    }
    const bool shownNegative = negative && (whole != 0 || hundredthsTimes % 100 != 0);
    int currency = FindCurrencyIndex(price);
    if (currency == kNoCurrency) {
        currency = 0;
    }
    return FormatCurrencyMask(static_cast<std::int64_t>(whole),
                              static_cast<std::int64_t>(hundredthsTimes % 100), 1, shownNegative, ',',
                              currency);
}
