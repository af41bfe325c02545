#include "store/regional/NumismaticYear.h"

#include "platform/text/CaseFold.h"

#include <cstdlib>

namespace {

struct Era
{
    std::string_view name;
    int (*convert)(int);
};

constexpr Era kEras[] = {
    {"AD", [](int n) { return n; }},
    {"BCE", [](int n) { return -n; }},
    {"AH", [](int n) { return static_cast<int>((n + 10) - (n + 10) * 0.0303 + 621); }},
    {"MS", [](int n) { return n + 621; }},
    {"JE", [](int n) { return n - 3769; }},
    {"EE", [](int n) { return n + 8; }},
    {"BE",
     [](int n) {
         if (n < 329) {
             return n + 1781;
         }
         if (n >= 901 && n <= 1399) {
             return n + 638;
         }
         return n > 1400 ? n - 543 : 0;
     }},
    {"RS", [](int n) { return n + 1781; }},
    {"CS", [](int n) { return n + 638; }},
    {"KE", [](int n) { return n - 2333; }},
    {"MO", [](int n) { return n + 14; }},
    {"SE", [](int n) { return n + 78; }},
    {"VS", [](int n) { return n - 57; }},
};

// The leading digits of a text and how many there were (at most 9 are read).
int LeadingDigits(std::string_view text, size_t& count)
{
    int value = 0;
    count = 0;
    while (count < text.size() && count < 9 && text[count] >= '0' && text[count] <= '9') {
        value = value * 10 + (text[count] - '0');
        ++count;
    }
    return value;
}

bool IsPlainYear(std::string_view text)
{
    size_t digits = 0;
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    LeadingDigits(text, digits);
    return digits > 0;
}

} // namespace

int ConvertEraYear(std::string_view era, int year)
{
    for (const Era& known : kEras) {
        if (platform::text::EqualsNoCase(known.name, era)) {
            return known.convert(year);
        }
    }
    return 0;
}

void CNumismaticYear::Parse(std::string_view text)
{
    Clear();
    std::string_view rest = text;
    const auto nextWord = [&rest]() {
        const size_t blank = rest.find(' ');
        const std::string_view word = rest.substr(0, blank);
        rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
        return word;
    };
    const bool moreWords = text.find(' ') != std::string_view::npos;
    const std::string_view type = nextWord();
    if (type.empty()) {
        m_type = "AD";
    } else if (type.size() < 4) {
        m_type = type;
    }
    if (!moreWords) {
        return;
    }
    if (const std::string_view pre = nextWord(); pre.size() < 5) {
        m_preMark = pre;
    }
    if (const std::string_view year = nextWord(); year.size() < 9 && year != "year") {
        m_year = year;
    }
    if (rest.size() < 5) {
        m_postMark = rest;
    }
}

std::string CNumismaticYear::Format() const
{
    return m_type + " " + m_preMark + " " + m_year + " " + m_postMark;
}

int CNumismaticYear::GetYearNumber() const
{
    size_t digits = 0;
    const int year = LeadingDigits(m_year, digits);
    return digits == 0 ? 0 : ConvertEraYear(m_type, year);
}

int CNumismaticYear::GetRangeEnd() const
{
    const size_t dash = m_year.find('-');
    if (dash == std::string::npos) {
        return 9999;
    }
    size_t startDigits = 0;
    const int start = LeadingDigits(m_year, startDigits);
    size_t digits = 0;
    int end = LeadingDigits(std::string_view(m_year).substr(dash + 1), digits);
    if (digits == 0) {
        return 9999;
    }
    if (digits == 1) {
        end += start / 10 * 10;
    } else if (digits == 2) {
        end += start / 100 * 100;
    } else if (digits == 3 && start > 1000) {
        end += 1000;
    }
    return ConvertEraYear(m_type, end);
}

int YearNumberOfText(std::string_view text)
{
    CNumismaticYear year;
    year.Parse(text);
    if (year.GetYear().empty() && IsPlainYear(text)) {
        year.Parse("AD  " + std::string(text.substr(text.find_first_not_of(' '))));
    }
    return year.GetYearNumber();
}

int CompareNumismaticYears(std::string_view a, std::string_view b)
{
    const int first = YearNumberOfText(a);
    const int second = YearNumberOfText(b);
    return first > second ? 1 : first < second ? -1 : 0;
}

bool HoldsIssueYear(std::string_view text, int year)
{
    CNumismaticYear value;
    value.Parse(text);
    if (value.GetYear().empty() && IsPlainYear(text)) {
        value.Parse("AD  " + std::string(text.substr(text.find_first_not_of(' '))));
    }
    const int start = value.GetYearNumber();
    if (!value.IsRange()) {
        return start == year;
    }
    return start <= year && value.GetRangeEnd() >= year;
}
