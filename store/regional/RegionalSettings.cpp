#include "store/regional/RegionalSettings.h"

#include "platform/text/CaseFold.h"
#include "resources/StringTable.h"
#include "store/program/Settings.h"

#include <cstdlib>
#include <optional>
#include <vector>

namespace {

RegionalSettings g_regional;
platform::intl::RegionalValues g_source;
bool g_loaded = false;

// String-table offsets of the name tables from the language base.
constexpr int kShortMonthOffset = 4097;
constexpr int kLongMonthOffset = 4113;
constexpr int kShortDayOffset = 4129;
constexpr int kLetterDayOffset = 4145;
constexpr int kLongDayOffset = 4161;

constexpr size_t kLongSeparatorChars = 6;

// The first `count` characters (not bytes) of a UTF-8 text.
std::string FirstChars(std::string_view text, size_t count)
{
    size_t pos = 0;
    for (size_t i = 0; i < count && pos < text.size(); ++i) {
        platform::text::NextCodePoint(text, pos);
    }
    return std::string(text.substr(0, pos));
}

// A separator the program stores as one byte: the first character when it is ASCII, a blank for the
// locales' no-break spaces, else the fallback.
char SeparatorChar(const std::string& text, char fallback)
{
    if (text.empty()) {
        return fallback;
    }
    const auto byte = static_cast<unsigned char>(text[0]);
    if (byte < 0x80) {
        return text[0];
    }
    size_t pos = 0;
    const char32_t c = platform::text::NextCodePoint(text, pos);
    return (c == 0x00A0 || c == 0x202F || c == 0x2009) ? ' ' : fallback;
}

int IntlInt(std::string_view key, int defaultValue)
{
    const std::string text = GetIntlString(key, std::to_string(defaultValue));
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsDateLetter(char c)
{
    const char lower = Lower(c);
    return lower == 'd' || lower == 'm' || lower == 'y';
}

void ReadShortDate(RegionalSettings& r, const std::string& picture)
{
    int days = 0;
    int months = 0;
    bool orderSet = false;
    bool quoted = false;
    for (char c : picture) {
        if (c == '\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted || !IsDateLetter(c)) {
            continue;
        }
        const char lower = Lower(c);
        if (!orderSet) {
            r.dateOrder = lower == 'd' ? kDayMonthYear : (lower == 'm' ? kMonthDayYear : kYearMonthDay);
            orderSet = true;
        }
        days += lower == 'd';
        months += lower == 'm';
    }
    r.shortDayWithoutZero = days == 1;
    r.shortMonthWithoutZero = months == 1;
}

// A long-date picture is read with the usual letter meanings: "ddd" and "dddd" a weekday, "d" and "dd" the
// day, "M" to "MMMM" the month, "yy" or "yyyy" the year; text in quotes, and everything else, is literal.
// The separators are the literal texts after the weekday and between the parts, without their quotes.
void ReadLongDate(RegionalSettings& r, const std::string& picture)
{
    struct Token
    {
        char letter = 0; // 0 for literal text
        int count = 0;
        std::string text;
    };
    std::vector<Token> tokens;
    bool quoted = false;
    for (size_t i = 0; i < picture.size(); ++i) {
        const char c = picture[i];
        if (c == '\'') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && IsDateLetter(c)) {
            Token field{Lower(c), 0, {}};
            while (i < picture.size() && Lower(picture[i]) == field.letter) {
                ++field.count;
                ++i;
            }
            --i;
            tokens.push_back(field);
            continue;
        }
        if (tokens.empty() || tokens.back().letter != 0) {
            tokens.push_back(Token{});
        }
        tokens.back().text += c;
    }

    r.longWeekdayStyle = 0;
    r.longDayStyle = 1;
    r.longMonthStyle = 1;
    r.longYearStyle = 2;
    r.longPartOrder = 1;
    r.longSeparators = {};
    int parts = 0;
    bool afterWeekday = false;
    for (const Token& token : tokens) {
        if (token.letter == 0) {
            const std::string text = FirstChars(token.text, kLongSeparatorChars);
            if (afterWeekday) {
                r.longSeparators[0] = text;
            } else if (parts == 1 || parts == 2) {
                r.longSeparators[static_cast<size_t>(parts)] = text;
            }
            continue;
        }
        afterWeekday = false;
        if (token.letter == 'd' && token.count >= 3) {
            r.longWeekdayStyle = token.count >= 4 ? 4 : 3;
            afterWeekday = true;
            continue;
        }
        if (parts == 0) {
            r.longPartOrder = token.letter == 'd' ? 1 : (token.letter == 'm' ? 2 : 3);
        }
        ++parts;
        switch (token.letter) {
        case 'd':
            r.longDayStyle = token.count == 2 ? 2 : 1;
            break;
        case 'm':
            r.longMonthStyle = token.count > 4 ? 4 : token.count;
            break;
        default:
            r.longYearStyle = token.count >= 4 ? 4 : 2;
            break;
        }
    }
}

// Fills one name table from the string table; a missing entry ends the loading of every later name.
template <size_t N>
bool LoadNames(std::array<std::string, N>& names, int firstId)
{
    for (size_t i = 0; i < N; ++i) {
        const auto text = resources::FindString(static_cast<unsigned>(firstId + static_cast<int>(i)));
        if (!text) {
            return false;
        }
        names[i] = std::string(*text);
    }
    return true;
}

void LoadNameTables(RegionalSettings& r)
{
    const int base = r.languageBase;
    if (!LoadNames(r.shortMonthNames, base + kShortMonthOffset) ||
        !LoadNames(r.longMonthNames, base + kLongMonthOffset) ||
        !LoadNames(r.shortDayNames, base + kShortDayOffset) ||
        !LoadNames(r.letterDayNames, base + kLetterDayOffset)) {
        return;
    }
    LoadNames(r.longDayNames, base + kLongDayOffset);
}

template <size_t N>
std::string NameAt(const std::array<std::string, N>& names, int index)
{
    return (index >= 0 && static_cast<size_t>(index) < N) ? names[static_cast<size_t>(index)] : std::string();
}

} // namespace

const RegionalSettings& Regional()
{
    if (!g_loaded) {
        LoadRegionalSettings();
    }
    return g_regional;
}

void LoadRegionalSettings()
{
    LoadRegionalSettings(platform::intl::ReadRegionalValues().value_or(platform::intl::RegionalValues{}));
}

bool LoadRegionalSettingsForLocale(const std::string& localeName)
{
    auto values = platform::intl::ReadRegionalValues(localeName);
    if (!values) {
        return false;
    }
    LoadRegionalSettings(*values);
    return true;
}

void LoadRegionalSettings(const platform::intl::RegionalValues& values)
{
    g_source = values;
    g_loaded = true;
    RegionalSettings r;
    r.languageBase = LanguageBaseOf(GetIntlString("sLanguage", "enu"));
    r.dateSeparator = SeparatorChar(GetIntlString("sDate", "-"), '-');
    ReadShortDate(r, GetIntlString("sShortDate", "d/M/yy"));
    ReadLongDate(r, GetIntlString("sLongDate", "dddd', 'MMMM' 'dd', 'yyyy"));
    r.iTime = IntlInt("iTime", 0);
    r.iTLZero = IntlInt("iTLZero", 0);
    r.iCurrency = IntlInt("iCurrency", 0);
    r.iCurrDigits = IntlInt("iCurrDigits", 2);
    r.iNegCurr = IntlInt("iNegCurr", 0);
    r.iLZero = IntlInt("iLZero", 1);
    r.iDigits = IntlInt("iDigits", 2);
    r.iMeasure = IntlInt("iMeasure", 1);
    r.timeSeparator = FirstChars(GetIntlString("sTime", ":"), 2);
    r.amText = FirstChars(GetIntlString("s1159", "AM"), 4);
    r.pmText = FirstChars(GetIntlString("s2359", "PM"), 4);
    // Nothing chosen in the options (the marker "zz", or no setting at all) means the locale's currency.
    const std::string chosen = GetSettingString("selectedCurrency", "zz");
    if (chosen.empty() || platform::text::EqualsNoCase(chosen, "zz")) {
        r.currencySymbol = FirstChars(GetIntlString("sCurrency", "$"), 4);
    } else {
        r.currencySymbol = chosen;
    }
    r.thousandSeparator = SeparatorChar(GetIntlString("sThousand", ","), ',');
    r.decimalSeparator = SeparatorChar(GetIntlString("sDecimal", "."), '.');
    LoadNameTables(r);
    g_regional = std::move(r);
}

std::string GetIntlString(std::string_view key, std::string_view defaultText)
{
    const auto found = g_source.find(std::string(key));
    return found != g_source.end() ? found->second : std::string(defaultText);
}

int LanguageBaseOf(std::string_view language)
{
    struct Base
    {
        std::string_view code;
        int base;
    };
    static constexpr Base kBases[] = {
        {"dan", 256},  {"fin", 512},  {"fra", 768},  {"frc", 768},  {"eng", 1024}, {"enu", 1024},
        {"ita", 1280}, {"isl", 1536}, {"nor", 1792}, {"nld", 2048}, {"ptg", 2304}, {"esp", 2560},
        {"esn", 2560}, {"sve", 2816}, {"deu", 3072}, {"ger", 3072},
    };
    for (const auto& entry : kBases) {
        if (platform::text::EqualsNoCase(language, entry.code)) {
            return entry.base;
        }
    }
    return 1024;
}

std::string GetShortMonthName(int month)
{
    return NameAt(Regional().shortMonthNames, month);
}

std::string GetLongMonthName(int month)
{
    return NameAt(Regional().longMonthNames, month);
}

std::string GetShortDayName(int weekday)
{
    return NameAt(Regional().shortDayNames, weekday);
}

std::string GetLongDayName(int weekday)
{
    return NameAt(Regional().longDayNames, weekday);
}

char GetDecimalSeparator()
{
    return Regional().decimalSeparator;
}

char GetThousandSeparator()
{
    return Regional().thousandSeparator;
}

int GetCurrencyPosition()
{
    return Regional().iCurrency;
}

int GetNegativeCurrencyFormat()
{
    return Regional().iNegCurr;
}

int GetLeadingZeroSetting()
{
    return Regional().iLZero;
}

int GetDateOrder()
{
    return Regional().dateOrder;
}

char GetDateSeparator()
{
    return Regional().dateSeparator;
}
