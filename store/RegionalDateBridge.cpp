#include "store/RegionalDateBridge.h"

#include "platform/dao/DaoDate.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <mutex>
#include <vector>

namespace {

constexpr char kDateSeparator = '-';

constexpr std::array<const char*, 12> kMonthNames = {"January",   "February", "March",    "April",
                                                     "May",       "June",     "July",     "August",
                                                     "September", "October",  "November", "December"};
constexpr std::array<const char*, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};

// Up to three runs of letters and digits, each ended by any other character.
std::vector<std::string> SplitRuns(std::string_view text)
{
    std::vector<std::string> runs;
    std::string run;
    for (char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            if (run.size() < 20) {
                run += c;
            }
        } else {
            if (!run.empty()) {
                runs.push_back(run);
            }
            run.clear();
            if (runs.size() == 3) {
                break;
            }
        }
    }
    if (!run.empty() && runs.size() < 3) {
        runs.push_back(run);
    }
    return runs;
}

// A run of digits only, as a number up to `limit`; -1 otherwise.
int ReadPart(const std::string& run, int limit)
{
    if (run.empty() || run.size() > 4) {
        return -1;
    }
    int value = 0;
    for (char c : run) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value <= limit ? value : -1;
}

std::tm Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    return today;
}

// Day, month and year runs in the date order; missing month and year from today.
bool ReadRuns(std::string_view text, int& day, int& month, int& year)
{
    const std::vector<std::string> runs = SplitRuns(text);
    if (runs.empty()) {
        return false;
    }
    const std::tm today = Today();
    day = ReadPart(runs[0], 31);
    month = runs.size() > 1 ? ReadPart(runs[1], 12) : today.tm_mon + 1;
    year = today.tm_year + 1900;
    if (runs.size() > 2) {
        year = ReadPart(runs[2], 9999);
        if (runs[2] == "0" || runs[2] == "00") {
            year = 0;
        }
    }
    return day > 0 && month > 0 && year >= 0;
}

} // namespace

std::string FormatRegionalDate(int year, int month, int day)
{
    char text[40];
    std::snprintf(text, sizeof text, "%d%c%d%c%d", day, kDateSeparator, month, kDateSeparator, year);
    return text;
}

std::string FormatRegionalLongDate(const std::tm& time)
{
    if (time.tm_wday < 0 || time.tm_wday > 6 || time.tm_mon < 0 || time.tm_mon > 11 || time.tm_mday > 31) {
        return {};
    }
    char text[80];
    std::snprintf(text, sizeof text, "%s, %s %02d, %04d", kDayNames[static_cast<size_t>(time.tm_wday)],
                  kMonthNames[static_cast<size_t>(time.tm_mon)], time.tm_mday, time.tm_year + 1900);
    return text;
}

std::time_t ParseRegionalDateText(std::string_view text)
{
    if (text.empty()) {
        return 1;
    }
    int day = 0;
    int month = 0;
    int year = 0;
    if (!ReadRuns(text, day, month, year)) {
        return 0;
    }
    std::tm parts{};
    parts.tm_mday = day;
    parts.tm_mon = month - 1;
    parts.tm_year = year > 1900 ? year - 1900 : year;
    parts.tm_isdst = -1;
    if (parts.tm_year < 71) {
        return 0;
    }
    return std::mktime(&parts);
}

void SplitRegionalDateText(std::string_view text, int& year, int& month, int& day)
{
    year = month = day = 0;
    int d = 0;
    int m = 0;
    int y = 0;
    if (!ReadRuns(text, d, m, y)) {
        return;
    }
    if (y < 100) {
        y += y <= 20 ? 2000 : 1900;
    }
    year = y;
    month = m;
    day = d;
}

void InstallRegionalDateParser()
{
    static std::once_flag installed;
    std::call_once(installed, [] {
        platform::dao::SetDateTextParser(
            [](std::string_view text) -> std::optional<platform::dao::DateParts> {
                int year = 0;
                int month = 0;
                int day = 0;
                SplitRegionalDateText(text, year, month, day);
                const platform::dao::DateParts parts{year, month, day};
                if (year != 0 && platform::dao::DateSerialFromParts(parts)) {
                    return parts;
                }
                // Texts the program writes itself ("YYYY-MM-DD") are read as well.
                return platform::dao::ParseDateTextDefault(text);
            });
    });
}
