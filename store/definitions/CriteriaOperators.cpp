#include "store/definitions/CriteriaOperators.h"

#include "store/regional/DateText.h"
#include "store/catalogue/SqlText.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr std::string_view kIssueYear = "ISSUEYEAR";
constexpr size_t kIssueYearDigits = 5;
constexpr size_t kCountDigits = 8;
// Dates are kept within the years the database's dates can hold.
constexpr long long kFirstYear = 100;
constexpr long long kLastYear = 9999;

struct Civil
{
    long long year;
    int month; // 1-12
    int day;
};

// Days from 1 January 1970 of a proleptic Gregorian date, and back (H. Hinnant's algorithms), so that
// counts of millions of days neither overflow nor depend on the C library's range.
long long DaysFromCivil(long long y, int m, int d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Civil CivilFromDays(long long z)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (m <= 2), m, d};
}

int DaysInMonth(long long year, int month)
{
    static constexpr std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[static_cast<size_t>(month - 1)];
}

Civil Clamped(Civil date)
{
    if (date.year < kFirstYear) {
        return {kFirstYear, 1, 1};
    }
    if (date.year > kLastYear) {
        return {kLastYear, 12, 31};
    }
    return date;
}

Civil Today(std::time_t now)
{
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900LL, local.tm_mon + 1, local.tm_mday};
}

// Whole months on or back; the day is kept, or the month's last day when the month is shorter.
Civil AddMonths(Civil date, long long months)
{
    const long long total = date.year * 12 + (date.month - 1) + months;
    const long long year = total >= 0 ? total / 12 : (total - 11) / 12;
    const int month = static_cast<int>(total - year * 12) + 1;
    if (year < kFirstYear || year > kLastYear) {
        return Clamped({year, month, 1});
    }
    return {year, month, std::min(date.day, DaysInMonth(year, month))};
}

Civil AddDays(Civil date, long long days)
{
    return Clamped(CivilFromDays(DaysFromCivil(date.year, date.month, date.day) + days));
}

std::string CompactDate(const Civil& date)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04lld%02d%02d", date.year, date.month, date.day);
    return text;
}

std::string RegionalDate(const Civil& date)
{
    std::tm parts{};
    parts.tm_year = static_cast<int>(date.year - 1900);
    parts.tm_mon = date.month - 1;
    parts.tm_mday = date.day;
    parts.tm_hour = 12;
    return FormatDate(parts);
}

// The count after a keyword at `keyword` of `length` characters: one separator character, then the text
// up to the next blank, of which up to `maxDigits` leading digits count. `end` is where that text ends.
struct Count
{
    bool hasDigits = false;
    long long value = 0;
    size_t end = 0;
};

Count ReadCount(const std::string& text, size_t keyword, size_t length, size_t maxDigits)
{
    Count count;
    const size_t start = std::min(text.size(), keyword + length + 1);
    count.end = std::min(text.find(' ', start), text.size());
    for (size_t i = start; i < count.end && i - start < maxDigits; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            break;
        }
        count.hasDigits = true;
        count.value = count.value * 10 + (text[i] - '0');
    }
    return count;
}

struct DateKeyword
{
    std::string_view word;
    bool months;
    int direction; // -1 back, +1 ahead
    bool stamp;    // compared with the text stamps CREADATE and MODIDATE
};

constexpr std::array<DateKeyword, 6> kDateKeywords = {{
    {"IN_THE_LAST_MNTS", true, -1, true},
    {"IN_THE_LAST_MNTH", true, -1, false},
    {"IN_THE_NEXT_MNTH", true, +1, false},
    {"IN_THE_LAST_DAYS", false, -1, true},
    {"IN_THE_LAST_DAYH", false, -1, false},
    {"IN_THE_NEXT_DAYH", false, +1, false},
}};

std::string DateCondition(const DateKeyword& keyword, const Civil& today, long long count)
{
    const Civil date = keyword.months ? AddMonths(today, keyword.direction * count)
                                      : AddDays(today, keyword.direction * count);
    if (keyword.stamp) {
        return std::string(keyword.months ? ">  '" : "> '") + CompactDate(date) + "00:00:00'";
    }
    return "Between DateValue(" + SqlText(RegionalDate(date)) + ") and Date()";
}

} // namespace

CriteriaRewrite RewriteCriteriaOperators(std::string_view criteria, std::time_t now)
{
    CriteriaRewrite result;
    std::string& text = result.text;
    text.assign(criteria);

    for (size_t at = text.find(kIssueYear); at != std::string::npos; at = text.find(kIssueYear, at)) {
        const Count count = ReadCount(text, at, kIssueYear.size(), kIssueYearDigits);
        if (count.hasDigits) {
            result.hasIssueYear = true;
            result.issueYear = static_cast<int>(count.value);
        }
        std::fill(text.begin() + static_cast<std::ptrdiff_t>(at),
                  text.begin() + static_cast<std::ptrdiff_t>(std::max(count.end, at + kIssueYear.size())),
                  ' ');
        at = std::max(count.end, at + kIssueYear.size());
    }

    const Civil today = Today(now);
    for (const DateKeyword& keyword : kDateKeywords) {
        for (size_t at = text.find(keyword.word); at != std::string::npos; at = text.find(keyword.word, at)) {
            const Count count = ReadCount(text, at, keyword.word.size(), kCountDigits);
            const std::string condition = DateCondition(keyword, today, count.value);
            // The blank that ended the count gives way to the one behind the condition.
            const size_t restStart = std::min(text.size(), std::max(count.end + 1, at + keyword.word.size()));
            text = text.substr(0, at) + condition + " " + text.substr(restStart);
            at += condition.size();
        }
    }
    return result;
}
