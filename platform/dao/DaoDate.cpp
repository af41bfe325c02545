#include "platform/dao/DaoDate.h"

#include "platform/clock/Clock.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <utility>

namespace platform::dao {
namespace {

DateTextParser& CurrentParser()
{
    static DateTextParser parser;
    return parser;
}

// Days from 1 January 1970 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

constexpr long long kEpochOffset = 25569; // days from 30 December 1899 to 1 January 1970

int DaysInMonth(int year, int month)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) {
        return 29;
    }
    return kDays[month - 1];
}

// Reads an unsigned decimal number of 1 to maxDigits digits at pos.
bool ReadNumber(std::string_view text, size_t& pos, int maxDigits, int& value)
{
    const size_t start = pos;
    value = 0;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])) &&
           pos - start < static_cast<size_t>(maxDigits)) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    return pos > start;
}

// " hh:mm[:ss]" after a date, or nothing.
bool ReadTime(std::string_view text, size_t& pos, DateParts& parts)
{
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == 'T')) {
        ++pos;
    }
    if (pos == text.size()) {
        return true;
    }
    if (!ReadNumber(text, pos, 2, parts.hour) || pos >= text.size() || text[pos] != ':') {
        return false;
    }
    ++pos;
    if (!ReadNumber(text, pos, 2, parts.minute)) {
        return false;
    }
    if (pos < text.size() && text[pos] == ':') {
        ++pos;
        if (!ReadNumber(text, pos, 2, parts.second)) {
            return false;
        }
    }
    return pos == text.size();
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::optional<double> DateSerialFromParts(const DateParts& p)
{
    if (p.year < 100 || p.year > 9999 || p.month < 1 || p.month > 12 || p.day < 1 ||
        p.day > DaysInMonth(p.year, p.month) || p.hour < 0 || p.hour > 23 || p.minute < 0 || p.minute > 59 ||
        p.second < 0 || p.second > 59) {
        return std::nullopt;
    }
    const long long days =
        DaysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day)) + kEpochOffset;
    const double time = (p.hour * 3600 + p.minute * 60 + p.second) / 86400.0;
    // Before the epoch the fraction still counts forward from midnight: -1.25 is 29 December 1899, 6:00.
    return days >= 0 ? static_cast<double>(days) + time : static_cast<double>(days) - time;
}

std::optional<DateParts> DatePartsFromSerial(double serial)
{
    if (!std::isfinite(serial) || serial < -657434.0 || serial >= 2958466.0) {
        return std::nullopt;
    }
    double whole = std::trunc(serial);
    long long seconds = std::llround(std::fabs(serial - whole) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        whole += serial >= 0 ? 1 : -1;
    }
    DateParts parts;
    CivilFromDays(static_cast<long long>(whole) - kEpochOffset, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    return parts;
}

std::string FormatDateSerial(double serial)
{
    const auto parts = DatePartsFromSerial(serial);
    if (!parts) {
        return {};
    }
    char text[40];
    if (parts->hour == 0 && parts->minute == 0 && parts->second == 0) {
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", parts->year, parts->month, parts->day);
    } else {
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", parts->year, parts->month,
                      parts->day, parts->hour, parts->minute, parts->second);
    }
    return text;
}

std::optional<DateParts> ParseDateTextDefault(std::string_view input)
{
    const std::string_view text = Trim(input);
    DateParts parts;
    size_t pos = 0;
    int a = 0;
    if (!ReadNumber(text, pos, 8, a)) {
        return std::nullopt;
    }
    if (pos == 8 && (pos == text.size() || text[pos] == ' ')) { // YYYYMMDD
        parts.year = a / 10000;
        parts.month = a / 100 % 100;
        parts.day = a % 100;
    } else if (pos == 4 && pos < text.size() && text[pos] == '-') { // YYYY-MM-DD
        parts.year = a;
        ++pos;
        if (!ReadNumber(text, pos, 2, parts.month) || pos >= text.size() || text[pos] != '-') {
            return std::nullopt;
        }
        ++pos;
        if (!ReadNumber(text, pos, 2, parts.day)) {
            return std::nullopt;
        }
    } else if (pos <= 2 && pos < text.size() && text[pos] == '/') { // M/D/YYYY
        parts.month = a;
        ++pos;
        if (!ReadNumber(text, pos, 2, parts.day) || pos >= text.size() || text[pos] != '/') {
            return std::nullopt;
        }
        ++pos;
        if (!ReadNumber(text, pos, 4, parts.year)) {
            return std::nullopt;
        }
    } else {
        return std::nullopt;
    }
    if (!ReadTime(text, pos, parts) || !DateSerialFromParts(parts)) {
        return std::nullopt;
    }
    return parts;
}

std::optional<DateParts> ParseDateText(std::string_view text)
{
    const DateTextParser& parser = CurrentParser();
    return parser ? parser(text) : ParseDateTextDefault(text);
}

void SetDateTextParser(DateTextParser parser)
{
    CurrentParser() = std::move(parser);
}

double NowSerial()
{
    const std::time_t now = platform::clock::Now();
    std::tm local{};
    localtime_r(&now, &local);
    DateParts parts{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                    local.tm_hour,        local.tm_min,     std::min(local.tm_sec, 59)};
    return DateSerialFromParts(parts).value_or(0.0);
}

double TodaySerial()
{
    return std::trunc(NowSerial());
}

} // namespace platform::dao
