#include "store/regional/DateText.h"

#include "platform/text/CaseFold.h"
#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/regional/RegionalSettings.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kMaxStepsInMonth = 40;

std::tm LocalTime(std::time_t value)
{
    std::tm parts{};
    ::localtime_r(&value, &parts);
    return parts;
}

std::tm Today()
{
    return LocalTime(std::time(nullptr));
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsAllDigits(std::string_view text)
{
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    return true;
}

// Letters, digits and the bytes of non-ASCII letters make up the runs of a typed date.
bool IsRunCharacter(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x80 || IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Up to three runs; any stretch of other characters separates two runs ("5. 3. 2001" has three).
std::vector<std::string> CutRuns(std::string_view text)
{
    std::vector<std::string> runs;
    size_t i = 0;
    while (i < text.size() && runs.size() < 3) {
        while (i < text.size() && !IsRunCharacter(text[i])) {
            ++i;
        }
        const size_t start = i;
        while (i < text.size() && IsRunCharacter(text[i])) {
            ++i;
        }
        if (i > start) {
            runs.emplace_back(text.substr(start, i - start));
        }
    }
    return runs;
}

struct DateRuns
{
    std::string day;
    std::string month;
    std::string year;
    bool hasDay = false;
    bool hasMonth = false;
    bool hasYear = false;
};

// The runs taken as day, month and year in the date order.
DateRuns OrderRuns(const std::vector<std::string>& runs)
{
    DateRuns parts;
    std::array<std::string*, 3> targets{};
    std::array<bool*, 3> flags{};
    switch (Regional().dateOrder) {
    case kMonthDayYear:
        targets = {&parts.month, &parts.day, &parts.year};
        flags = {&parts.hasMonth, &parts.hasDay, &parts.hasYear};
        break;
    case kYearMonthDay:
        targets = {&parts.year, &parts.month, &parts.day};
        flags = {&parts.hasYear, &parts.hasMonth, &parts.hasDay};
        break;
    default:
        targets = {&parts.day, &parts.month, &parts.year};
        flags = {&parts.hasDay, &parts.hasMonth, &parts.hasYear};
        break;
    }
    for (size_t i = 0; i < runs.size() && i < targets.size(); ++i) {
        *targets[i] = runs[i];
        *flags[i] = true;
    }
    return parts;
}

int DaysInMonth(int year, int month)
{
    static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) {
        return 29;
    }
    return kDays[static_cast<size_t>(month - 1)];
}

std::string Number(int value, bool withoutZero)
{
    char text[16];
    std::snprintf(text, sizeof text, withoutZero ? "%d" : "%02d", value);
    return text;
}

void ReportDateError(int messageOffset)
{
    const int base = Regional().languageBase;
    platform::ui::ShowMessage(LoadResString(static_cast<unsigned>(base + messageOffset)),
                              LoadResString(static_cast<unsigned>(base + kDateErrorTitle)),
                              platform::ui::kMbOk | platform::ui::kMbIconWarning);
}

// A number of at most 9 digits (so it cannot overflow), or -1.
int SmallNumber(std::string_view text)
{
    if (!IsAllDigits(text) || text.size() > 9) {
        return -1;
    }
    return static_cast<int>(std::strtol(std::string(text).c_str(), nullptr, 10));
}

DatePart NumberPart(std::string_view text, int highest, bool withoutZero)
{
    DatePart part;
    const int number = SmallNumber(text);
    if (number < 1 || number > highest) {
        return part;
    }
    part.result = PartResult::kAccepted;
    part.number = number;
    part.text = Number(number, withoutZero);
    return part;
}

std::string WithoutFinalDot(const std::string& name)
{
    return (!name.empty() && name.back() == '.') ? name.substr(0, name.size() - 1) : name;
}

// Year number of ParseDateText's rule: as typed, less 1900 above 1900; -1 when no number.
int TypedYearSince1900(std::string_view text)
{
    const int year = SmallNumber(text);
    if (year < 0) {
        return -1;
    }
    return year > 1900 ? year - 1900 : year;
}

} // namespace

DatePart ParseMonth(std::string_view text)
{
    const auto& regional = Regional();
    if (text.empty()) {
        return {};
    }
    if (IsDigit(text[0])) {
        return NumberPart(text, 12, regional.shortMonthWithoutZero);
    }
    // The beginning of a month's name (or a whole short name) in the user's language.
    int found = 0;
    int matches = 0;
    for (int month = 0; month < 12; ++month) {
        const auto& longName = regional.longMonthNames[static_cast<size_t>(month)];
        const auto shortName = WithoutFinalDot(regional.shortMonthNames[static_cast<size_t>(month)]);
        if ((!longName.empty() && platform::text::StartsWithNoCase(longName, text)) ||
            (!shortName.empty() && platform::text::EqualsNoCase(shortName, text))) {
            found = month + 1;
            ++matches;
        }
    }
    if (matches > 1) {
        DatePart part;
        part.result = PartResult::kAmbiguous;
        return part;
    }
    if (matches == 0) {
        return {};
    }
    DatePart part;
    part.result = PartResult::kAccepted;
    part.number = found;
    part.text = Number(found, regional.shortMonthWithoutZero);
    return part;
}

DatePart ParseDay(std::string_view text)
{
    return NumberPart(text, 31, Regional().shortDayWithoutZero);
}

std::optional<std::string> CompleteYear(std::string_view text)
{
    if (!IsAllDigits(text) || text.size() > 4) {
        return std::nullopt;
    }
    static constexpr std::array<std::string_view, 4> kPrefixes{"200", "20", "1", ""};
    return std::string(kPrefixes[text.size() - 1]) + std::string(text);
}

std::string JoinDate(std::string_view a, std::string_view b, std::string_view c)
{
    if (a.empty() || b.empty() || c.empty() || !IsDigit(a[0]) || !IsDigit(b[0]) || !IsDigit(c[0])) {
        return {};
    }
    const char separator = Regional().dateSeparator;
    std::string joined(a);
    joined += separator;
    joined += b;
    joined += separator;
    joined += c;
    return joined;
}

std::string JoinTwo(std::string_view a, std::string_view b)
{
    std::string joined(a);
    joined += Regional().dateSeparator;
    joined += b;
    return joined;
}

std::optional<std::string> FormatDateParts(std::string_view day, std::string_view month,
                                           std::string_view year, bool report)
{
    const auto fail = [report](int messageOffset) -> std::optional<std::string> {
        if (report) {
            ReportDateError(messageOffset);
        }
        return std::nullopt;
    };
    const DatePart monthPart = ParseMonth(month);
    if (monthPart.result != PartResult::kAccepted) {
        return fail(monthPart.result == PartResult::kAmbiguous ? kAmbiguousMonthMessage : kWrongMonthMessage);
    }
    const DatePart dayPart = ParseDay(day);
    if (dayPart.result != PartResult::kAccepted) {
        return fail(kWrongDayMessage);
    }
    const auto fullYear = CompleteYear(year);
    if (!fullYear) {
        return fail(kWrongYearMessage);
    }
    // The 31st of April is no date: accepting it would store a day that turns into the 1st of May.
    if (dayPart.number > DaysInMonth(std::atoi(fullYear->c_str()), monthPart.number)) {
        return fail(kWrongDayMessage);
    }
    switch (Regional().dateOrder) {
    case kMonthDayYear:
        return JoinDate(monthPart.text, dayPart.text, *fullYear);
    case kYearMonthDay:
        return JoinDate(*fullYear, monthPart.text, dayPart.text);
    default:
        return JoinDate(dayPart.text, monthPart.text, *fullYear);
    }
}

std::string FormatDate(const std::tm& parts)
{
    if (parts.tm_year == 0 || parts.tm_mday == 0) {
        return " ";
    }
    return FormatDateParts(std::to_string(parts.tm_mday), std::to_string(parts.tm_mon + 1),
                           std::to_string(parts.tm_year + 1900), false)
        .value_or(" ");
}

std::optional<std::string> FormatLongDate(const std::tm& parts)
{
    if (parts.tm_wday < 0 || parts.tm_wday > 6 || parts.tm_mon < 0 || parts.tm_mon > 11 ||
        parts.tm_mday < 1 || parts.tm_mday > 31) {
        return std::nullopt;
    }
    const auto& r = Regional();
    std::string weekday;
    if (r.longWeekdayStyle == 3) {
        weekday = r.shortDayNames[static_cast<size_t>(parts.tm_wday)];
    } else if (r.longWeekdayStyle == 4) {
        weekday = r.longDayNames[static_cast<size_t>(parts.tm_wday)];
    }
    const std::string day = Number(parts.tm_mday, r.longDayStyle != 2);
    std::string month;
    switch (r.longMonthStyle) {
    case 3:
        month = r.shortMonthNames[static_cast<size_t>(parts.tm_mon)];
        break;
    case 4:
        month = r.longMonthNames[static_cast<size_t>(parts.tm_mon)];
        break;
    default:
        month = Number(parts.tm_mon + 1, r.longMonthStyle != 2);
        break;
    }
    const int fullYear = parts.tm_year + 1900;
    // Two-digit years are the last two digits of the year, so 2001 reads "01".
    const std::string year = r.longYearStyle == 4 ? std::to_string(fullYear) : Number(fullYear % 100, false);
    std::array<const std::string*, 3> order{&day, &month, &year};
    if (r.longPartOrder == 2) {
        order = {&month, &day, &year};
    } else if (r.longPartOrder == 3) {
        order = {&year, &month, &day};
    }
    return weekday + r.longSeparators[0] + *order[0] + r.longSeparators[1] + *order[1] + r.longSeparators[2] +
           *order[2];
}

std::string FormatTimeValue(std::time_t value)
{
    const std::tm parts = LocalTime(value);
    const std::string day = std::to_string(parts.tm_mday);
    const std::string month = std::to_string(parts.tm_mon + 1);
    const std::string year = std::to_string(parts.tm_year + 1900);
    std::string text;
    switch (Regional().dateOrder) {
    case kMonthDayYear:
        text = month + " " + day + " " + year;
        break;
    case kYearMonthDay:
        text = year + " " + month + " " + day;
        break;
    default:
        text = day + " " + month + " " + year;
        break;
    }
    ValidateDateText(text);
    return text;
}

bool ValidateDateText(std::string& text)
{
    if (text.empty() || text[0] == ' ') {
        return true;
    }
    const std::tm today = Today();
    DateRuns parts = OrderRuns(CutRuns(text));
    const size_t given = static_cast<size_t>(parts.hasDay) + parts.hasMonth + parts.hasYear;
    if (given > 0) {
        if (!parts.hasDay) {
            parts.day = std::to_string(today.tm_mday);
        }
        if (!parts.hasMonth) {
            parts.month = std::to_string(today.tm_mon + 1);
        }
        if (!parts.hasYear) {
            parts.year = std::to_string(today.tm_year + 1900);
        }
    }
    auto joined = FormatDateParts(parts.day, parts.month, parts.year, true);
    if (!joined) {
        return false;
    }
    text = std::move(*joined);
    return true;
}

std::time_t ParseDateText(std::string_view text)
{
    if (text.empty()) {
        return 1;
    }
    const std::tm today = Today();
    const DateRuns parts = OrderRuns(CutRuns(text));
    const DatePart month =
        parts.hasMonth ? ParseMonth(parts.month) : DatePart{PartResult::kAccepted, today.tm_mon + 1, {}};
    const DatePart day = ParseDay(parts.day);
    const int yearSince1900 = parts.hasYear ? TypedYearSince1900(parts.year) : today.tm_year;
    if (month.result != PartResult::kAccepted || day.result != PartResult::kAccepted || yearSince1900 < 71 ||
        day.number > DaysInMonth(yearSince1900 + 1900, month.number)) {
        return 0;
    }
    std::tm midnight{};
    midnight.tm_year = yearSince1900;
    midnight.tm_mon = month.number - 1;
    midnight.tm_mday = day.number;
    midnight.tm_isdst = -1;
    const std::time_t value = std::mktime(&midnight);
    return value == static_cast<std::time_t>(-1) ? 0 : value;
}

bool ParseDateToTm(std::string_view text, std::tm& out)
{
    const std::time_t value = ParseDateText(text);
    if (value < 1000) {
        return false;
    }
    out = LocalTime(value);
    return true;
}

DateNumbers SplitDateText(std::string_view text)
{
    DateNumbers numbers;
    if (text.empty()) {
        return numbers;
    }
    const std::tm today = Today();
    const DateRuns parts = OrderRuns(CutRuns(text));
    const DatePart month =
        parts.hasMonth ? ParseMonth(parts.month) : DatePart{PartResult::kAccepted, today.tm_mon + 1, {}};
    const DatePart day = ParseDay(parts.day);
    numbers.month = month.result == PartResult::kAccepted ? month.number : 0;
    numbers.day = day.result == PartResult::kAccepted ? day.number : 0;
    if (!parts.hasYear) {
        numbers.year = today.tm_year + 1900;
    } else if (const int year = SmallNumber(parts.year); year >= 0) {
        numbers.year = year >= 100 ? year : (year > 20 ? 1900 + year : 2000 + year);
    }
    return numbers;
}

int GetDayOfWeek(std::time_t value)
{
    return LocalTime(value).tm_wday;
}

int GetDayOfMonth(std::time_t value)
{
    return LocalTime(value).tm_mday;
}

int GetMonthOf(std::time_t value)
{
    return LocalTime(value).tm_mon + 1;
}

int GetYearOf(std::time_t value)
{
    return LocalTime(value).tm_year + 1900;
}

std::time_t GetFirstOfMonth(std::time_t value)
{
    std::tm parts = LocalTime(value);
    parts.tm_mday = 1;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

std::time_t NextDayOf(std::time_t value)
{
    std::tm parts = LocalTime(value);
    parts.tm_mday += 1;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

int GetLastDayOfMonth(std::time_t value)
{
    const int month = GetMonthOf(value);
    for (int step = 0; step < kMaxStepsInMonth; ++step) {
        const std::time_t next = NextDayOf(value);
        if (GetMonthOf(next) != month) {
            break;
        }
        value = next;
    }
    return GetDayOfMonth(value);
}

std::string FormatCurrentYearSince1900()
{
    return std::to_string(Today().tm_year);
}

std::string FormatCurrentMonth()
{
    return std::to_string(Today().tm_mon + 1);
}

std::string FormatCurrentDay()
{
    return std::to_string(Today().tm_mday);
}
