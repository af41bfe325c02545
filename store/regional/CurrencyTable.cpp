#include "store/regional/CurrencyTable.h"

#include "platform/text/CaseFold.h"
#include "store/regional/RegionalSettings.h"

#include <array>

namespace {

struct CurrencyEntry
{
    std::string_view country;
    std::string_view symbol;
    std::string_view digits;
};

// Numbered from 1; the symbols are told apart without regard to case, so each names one entry.
constexpr std::array<CurrencyEntry, 86> kCurrencies{{
    {"Albania", "Lek", "2"},     {"Algeria", "DA", "2"},       {"Argentina", "Arg$", "2"},
    {"Australia", "A$", "2"},    {"Austria", "öS", "2"},       {"Baharain", "BD", "2"},
    {"Belgium", "BEF", "2"},     {"Bolivia", "$b", "2"},       {"Brazil", "R$", "2"},
    {"Bulgaria", "Lv", "2"},     {"Byelorussia", "BR", "2"},   {"Canada", "C$", "2"},
    {"Carribean", "EC$", "2"},   {"Chile", "Ch$", "2"},        {"Columbia", "Col$", "2"},
    {"Costa Rica", "C", "2"},    {"Croatia", "Kn", "2"},       {"Czech", "Kc", "2"},
    {"Denmark", "DKr", "2"},     {"Domenican R.", "RD$", "2"}, {"Egypt", "£E", "2"},
    {"England", "£", "2"},       {"Equador", "S/.", "2"},      {"Estonia", "EEK", "2"},
    {"Europe", "Euro", "2"},     {"Faeroe I.", "FKr", "2"},    {"Finland", "mk", "2"},
    {"France", "F", "2"},        {"Germany", "DM", "2"},       {"Greece", "Dr", "2"},
    {"Guatemala", "Q", "2"},     {"Honk Kong", "HK$", "2"},    {"Hungry", "Ft", "2"},
    {"Iceland", "IKr", "2"},     {"Indonesia", "Rp", "2"},     {"India", "Rs", "2"},
    {"Iran", "Rls", "2"},        {"Iraq", "ID", "2"},          {"Ireland", "IR£", "2"},
    {"Israel", "NIS", "2"},      {"Italy", "L.", "0"},         {"Jamaica", "J$", "2"},
    {"Japan", "Yen", "2"},       {"Jordan", "JD", "2"},        {"Korea", "W", "2"},
    {"Kuwait", "KD", "2"},       {"Lebanon", "LL", "2"},       {"Liechtenstein", "CHF", "2"},
    {"Lithuania", "Lt", "2"},    {"Luxembourg", "LUF", "2"},   {"Lybia", "LD", "2"},
    {"Mexico", "N$", "2"},       {"Morocco", "DH", "2"},       {"Netherlands", "ƒ", "2"},
    {"New Zeland", "NZ$", "2"},  {"Norway", "NKr", "2"},       {"Oman", "RO", "2"},
    {"Panama", "B/.", "2"},      {"Paraguay", "Gs", "2"},      {"Peru", "S/", "2"},
    {"Poland", "Zloti", "2"},    {"Portugal", "Esc", "2"},     {"PR. China", "¥", "2"},
    {"Quatar", "QR", "2"},       {"Romania", "lei", "2"},      {"Russia", "RUB", "2"},
    {"Saudi Arabia", "SR", "2"}, {"Serbia", "Din", "2"},       {"Slovak", "R. Sk", "2"},
    {"Slovenia", "SIT", "2"},    {"South Africa", "R", "2"},   {"Spain", "Pts", "2"},
    {"Suisse", "SFr.", "2"},     {"Sungapore", "S$", "2"},     {"Sweeden", "SKr", "2"},
    {"Syria", "LS", "2"},        {"Taiwan", "NT$", "2"},       {"Thailand", "bath", "2"},
    {"Tunisia", "DT", "2"},      {"Turkey", "TL", "2"},        {"UAE", "AED", "2"},
    {"Ukraine", "UAK", "2"},     {"United States", "$", "2"},  {"Uruguay", "$U", "2"},
    {"Venezuela", "Bs", "2"},    {"Yemen", "YRl", "2"},
}};

const CurrencyEntry* EntryAt(int i)
{
    if (i < 1 || static_cast<size_t>(i) > kCurrencies.size()) {
        return nullptr;
    }
    return &kCurrencies[static_cast<size_t>(i - 1)];
}

std::string Without(std::string text, char c)
{
    std::erase(text, c);
    return text;
}

std::string WithoutBlanks(std::string_view text)
{
    return Without(std::string(text), ' ');
}

int FindSymbol(std::string_view symbol)
{
    if (symbol.empty()) {
        return kNoCurrency;
    }
    // Blanks do not count: an amount's symbol is read without them, and "R. Sk" holds one.
    const std::string wanted = WithoutBlanks(symbol);
    for (size_t i = 0; i < kCurrencies.size() && !kCurrencies[i].country.empty(); ++i) {
        if (platform::text::EqualsNoCase(WithoutBlanks(kCurrencies[i].symbol), wanted)) {
            return static_cast<int>(i + 1);
        }
    }
    return kNoCurrency;
}

} // namespace

std::string GetCurrencySymbol(int i)
{
    if (i == 0) {
        return Regional().currencySymbol;
    }
    const auto* entry = EntryAt(i);
    return entry != nullptr ? std::string(entry->symbol) : std::string();
}

int GetCurrencyDigitsAt(int i)
{
    if (i == 0) {
        return Regional().iCurrDigits;
    }
    const auto* entry = EntryAt(i);
    return entry != nullptr ? entry->digits[0] - '0' : 0;
}

bool CurrencyEntryMatches(int i, std::string& country)
{
    if (i < 0 || i > kCurrencyEntries) {
        return false;
    }
    if (i == 0) {
        return true;
    }
    const auto* entry = EntryAt(i);
    country = entry != nullptr ? std::string(entry->country) : std::string();
    return !country.empty();
}

std::string ExtractCurrencySymbol(std::string_view amount)
{
    const auto blank = amount.find(' ');
    const std::string first = WithoutBlanks(amount.substr(0, blank));
    const std::string second =
        blank == std::string_view::npos ? std::string() : WithoutBlanks(amount.substr(blank));
    // Layouts 0 and 4 mark a negative amount with parentheses, not with '-'.
    if (amount.find('-') != std::string_view::npos || amount.find('(') != std::string_view::npos) {
        switch (Regional().iNegCurr) {
        case 0: // "($ 1.1)": the symbol comes first
            return Without(first, '(');
        case 4:
            return Without(second, ')');
        case 1:
        case 2:
        case 9:
            return Without(first, '-');
        case 3:
            return first;
        case 5:
        case 6:
        case 8:
            return second;
        case 7:
        case 10:
            return Without(second, '-');
        default:
            return {};
        }
    }
    switch (Regional().iCurrency) {
    case 0:
    case 2:
        return first;
    case 1:
    case 3:
        return second;
    default:
        return {};
    }
}

int FindCurrencyIndex(std::string_view amountOrSymbol)
{
    const int direct = FindSymbol(WithoutBlanks(amountOrSymbol));
    return direct != kNoCurrency ? direct : FindSymbol(ExtractCurrencySymbol(amountOrSymbol));
}

int GetCurrencyDigitsOfAmount(std::string_view amount)
{
    const int index = FindCurrencyIndex(amount);
    return GetCurrencyDigitsAt(index == kNoCurrency ? 0 : index);
}
