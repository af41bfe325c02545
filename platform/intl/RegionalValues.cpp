#include "platform/intl/RegionalValues.h"

#include <climits>
#include <clocale>
#include <cstdlib>
#include <langinfo.h>
#include <locale.h>

namespace platform::intl {
namespace {

// Owns a locale_t and makes it the calling thread's locale while it lives, so localeconv() reads it.
class ThreadLocale
{
public:
    explicit ThreadLocale(const std::string& name)
        : m_locale(::newlocale(LC_ALL_MASK, name.c_str(), static_cast<locale_t>(nullptr)))
    {
        if (m_locale != nullptr) {
            m_previous = ::uselocale(m_locale);
        }
    }
    ~ThreadLocale()
    {
        if (m_locale != nullptr) {
            ::uselocale(m_previous);
            ::freelocale(m_locale);
        }
    }
    ThreadLocale(const ThreadLocale&) = delete;
    ThreadLocale& operator=(const ThreadLocale&) = delete;

    bool IsValid() const { return m_locale != nullptr; }
    std::string Info(nl_item item) const { return ::nl_langinfo_l(item, m_locale); }

private:
    locale_t m_locale = nullptr;
    locale_t m_previous = nullptr;
};

std::string EnvironmentLocaleName()
{
    for (const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return "C";
}

// %r, %T, %R, %D and %F stand for longer formats; the pictures below need the plain fields.
std::string ExpandFormat(const std::string& format, const std::string& ampmFormat)
{
    std::string result;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 >= format.size()) {
            result += format[i];
            continue;
        }
        const char field = format[++i];
        switch (field) {
        case 'r':
            result += ampmFormat.empty() ? "%I:%M:%S %p" : ampmFormat;
            break;
        case 'T':
            result += "%H:%M:%S";
            break;
        case 'R':
            result += "%H:%M";
            break;
        case 'D':
            result += "%m/%d/%y";
            break;
        case 'F':
            result += "%Y-%m-%d";
            break;
        default:
            result += '%';
            result += field;
        }
    }
    return result;
}

// The first literal character that stands between two fields of a format ("%d.%m.%Y" gives ".").
std::string FirstSeparator(const std::string& format)
{
    bool afterField = false;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            ++i;
            if (format[i] == '-' && i + 1 < format.size()) {
                ++i;
            }
            afterField = true;
        } else if (afterField && format[i] != ' ') {
            return std::string(1, format[i]);
        }
    }
    return {};
}

// The program's long-date picture for a day, month and year order: a weekday, then the parts with the
// separators customary for that order. The literal texts are quoted, as the reader expects.
std::string LongDatePicture(const std::string& shortPicture, const std::string& separator)
{
    for (char c : shortPicture) {
        switch (c) {
        case 'd':
            return separator == "." ? "dddd', 'd'. 'MMMM' 'yyyy" : "dddd', 'd' 'MMMM' 'yyyy";
        case 'M':
            return "dddd', 'MMMM' 'dd', 'yyyy";
        case 'y':
            return "dddd', 'yyyy' 'MMMM' 'd";
        default:
            break;
        }
    }
    return {};
}

void SetIfKnown(RegionalValues& values, const char* key, char number)
{
    if (number != CHAR_MAX) {
        values[key] = std::to_string(static_cast<int>(number));
    }
}

void ReadTime(const ThreadLocale& locale, RegionalValues& values)
{
    const std::string format = ExpandFormat(locale.Info(T_FMT), locale.Info(T_FMT_AMPM));
    for (size_t i = 0; i + 1 < format.size(); ++i) {
        if (format[i] != '%') {
            continue;
        }
        const char field = format[i + 1];
        if (field != 'H' && field != 'k' && field != 'I' && field != 'l') {
            continue;
        }
        values["iTime"] = (field == 'H' || field == 'k') ? "1" : "0";
        values["iTLZero"] = (field == 'H' || field == 'I') ? "1" : "0";
        if (i + 2 < format.size() && format[i + 2] != '%') {
            values["sTime"] = std::string(1, format[i + 2]);
        }
        break;
    }
    values["s1159"] = locale.Info(AM_STR);
    values["s2359"] = locale.Info(PM_STR);
}

// The layout of a negative amount, numbered as the program's currency formatter knows them:
// 0 "($1.1)", 1 "-$1.1", 2 "$-1.1", 3 "$1.1-", 4 "(1.1$)", 5 "-1.1$", 6 "1.1-$", 7 "1.1$-", 8 "-1.1 $",
// 9 "-$ 1.1", 10 "1.1 $-".
int NegativeCurrencyLayout(const lconv& conv)
{
    const bool precedes = conv.n_cs_precedes == 1;
    const bool spaced = conv.n_sep_by_space >= 1 && conv.n_sep_by_space != CHAR_MAX;
    switch (conv.n_sign_posn) {
    case 0: // parentheses
        return precedes ? 0 : 4;
    case 2: // sign after quantity and symbol
        return precedes ? 3 : (spaced ? 10 : 7);
    case 3: // sign just before the symbol
        return precedes ? (spaced ? 9 : 1) : 6;
    case 4: // sign just after the symbol
        return precedes ? 2 : (spaced ? 10 : 7);
    case 1: // sign before quantity and symbol
    default:
        return precedes ? (spaced ? 9 : 1) : (spaced ? 8 : 5);
    }
}

void ReadMoney(RegionalValues& values)
{
    const lconv* conv = std::localeconv();
    if (conv == nullptr) {
        return;
    }
    if (conv->decimal_point != nullptr && *conv->decimal_point != '\0') {
        values["sDecimal"] = conv->decimal_point;
    }
    if (conv->thousands_sep != nullptr && *conv->thousands_sep != '\0') {
        values["sThousand"] = conv->thousands_sep;
    }
    if (conv->currency_symbol != nullptr && *conv->currency_symbol != '\0') {
        values["sCurrency"] = conv->currency_symbol;
    }
    SetIfKnown(values, "iCurrDigits", conv->frac_digits);
    if (conv->p_cs_precedes != CHAR_MAX && conv->p_sep_by_space != CHAR_MAX) {
        const bool precedes = conv->p_cs_precedes == 1;
        const bool spaced = conv->p_sep_by_space >= 1;
        values["iCurrency"] = std::to_string(precedes ? (spaced ? 2 : 0) : (spaced ? 3 : 1));
    }
    if (conv->n_cs_precedes != CHAR_MAX && conv->n_sign_posn != CHAR_MAX) {
        values["iNegCurr"] = std::to_string(NegativeCurrencyLayout(*conv));
    }
}

} // namespace

std::string LanguageCodeOf(const std::string& localeName)
{
    std::string name = localeName.substr(0, localeName.find_first_of(".@"));
    const auto underscore = name.find('_');
    const std::string language = name.substr(0, underscore);
    const std::string territory = underscore == std::string::npos ? "" : name.substr(underscore + 1);
    struct Code
    {
        const char* language;
        const char* code;
    };
    static constexpr Code kCodes[] = {{"da", "dan"}, {"fi", "fin"}, {"it", "ita"}, {"is", "isl"},
                                      {"nb", "nor"}, {"nn", "nor"}, {"no", "nor"}, {"nl", "nld"},
                                      {"pt", "ptg"}, {"es", "esp"}, {"sv", "sve"}, {"de", "deu"}};
    if (language == "fr") {
        return territory == "CA" ? "frc" : "fra";
    }
    if (language == "en") {
        return (territory.empty() || territory == "US") ? "enu" : "eng";
    }
    for (const auto& code : kCodes) {
        if (language == code.language) {
            return code.code;
        }
    }
    return language;
}

std::string DatePictureOf(const std::string& posixFormat)
{
    const std::string format = ExpandFormat(posixFormat, {});
    std::string picture;
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            picture += letter ? std::string("'") + c + "'" : std::string(1, c);
            continue;
        }
        char field = format[++i];
        bool noPadding = false;
        if ((field == '-' || field == '_') && i + 1 < format.size()) {
            noPadding = true;
            field = format[++i];
        }
        switch (field) {
        case 'd':
            picture += noPadding ? "d" : "dd";
            break;
        case 'e':
            picture += "d";
            break;
        case 'm':
            picture += noPadding ? "M" : "MM";
            break;
        case 'Y':
            picture += "yyyy";
            break;
        case 'y':
            picture += "yy";
            break;
        case 'b':
        case 'h':
            picture += "MMM";
            break;
        case 'B':
            picture += "MMMM";
            break;
        case 'a':
            picture += "ddd";
            break;
        case 'A':
            picture += "dddd";
            break;
        case '%':
            picture += '%';
            break;
        default:
            break; // fields a date picture has no letter for
        }
    }
    return picture;
}

std::optional<RegionalValues> ReadRegionalValues(const std::string& localeName)
{
    ThreadLocale locale(localeName);
    if (!locale.IsValid()) {
        return std::nullopt;
    }
    RegionalValues values;
    values["sLanguage"] = LanguageCodeOf(localeName.empty() ? EnvironmentLocaleName() : localeName);
    const std::string dateFormat = locale.Info(D_FMT);
    const std::string shortPicture = DatePictureOf(dateFormat);
    const std::string separator = FirstSeparator(ExpandFormat(dateFormat, {}));
    if (!separator.empty()) {
        values["sDate"] = separator;
    }
    if (!shortPicture.empty()) {
        values["sShortDate"] = shortPicture;
        values["sLongDate"] = LongDatePicture(shortPicture, separator);
    }
    ReadTime(locale, values);
    ReadMoney(values);
    // 1 metric, 2 US customary; the program counts 0 metric, 1 US.
    const std::string measurement = locale.Info(_NL_MEASUREMENT_MEASUREMENT);
    if (!measurement.empty() && (measurement[0] == 1 || measurement[0] == 2)) {
        values["iMeasure"] = measurement[0] == 1 ? "0" : "1";
    }
    return values;
}

} // namespace platform::intl
