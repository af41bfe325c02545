#include "mainwindow/controls/TimeOfDay.h"

#include "store/regional/RegionalSettings.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace {

bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string Number(int value, bool leadingZero)
{
    std::string text = std::to_string(value);
    if (leadingZero && value < 10 && value >= 0) {
        text.insert(0, "0");
    }
    return text;
}

void RemoveAll(std::string& text, const std::string& word)
{
    if (word.empty()) {
        return;
    }
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word)) {
        text.erase(at, word.size());
    }
}

// The value of a part's first two digits; -1 when it has none.
int PartValue(std::string_view part)
{
    int value = 0;
    int digits = 0;
    for (char c : part) {
        if (!IsDigit(c)) {
            break;
        }
        value = value * 10 + (c - '0');
        if (++digits == 2) {
            break;
        }
    }
    return digits == 0 ? -1 : value;
}

} // namespace

TimeFormat TimeFormat::FromRegional()
{
    const RegionalSettings& regional = Regional();
    TimeFormat format;
    format.twelveHour = regional.iTime != 1;
    format.leadingZero = regional.iTLZero != 0;
    format.separator = regional.timeSeparator.empty() ? ":" : regional.timeSeparator;
    format.morning = regional.amText;
    format.afternoon = regional.pmText;
    return format;
}

std::string TimeSuffix(const TimeOfDay& time, const TimeFormat& format)
{
    // In the 24-hour clock the afternoon text is only written as a word for the time of day ("Uhr"): a
    // locale with a morning text as well means the half of the day, which would mislabel every morning.
    if (!format.twelveHour && !format.morning.empty()) {
        return {};
    }
    const std::string& suffix = !format.twelveHour || time.hours >= 12 ? format.afternoon : format.morning;
    return suffix.empty() ? std::string() : " " + suffix;
}

std::string FormatTimeOfDay(const TimeOfDay& time, bool withSeconds, const TimeFormat& format)
{
    int hours = time.hours;
    if (format.twelveHour && hours > 12) {
        hours -= 12;
    }
    std::string text =
        Number(hours, format.leadingZero) + format.separator + Number(time.minutes, format.leadingZero);
    if (withSeconds) {
        text += format.separator + Number(time.seconds, format.leadingZero);
    }
    return text + TimeSuffix(time, format);
}

TimeOfDay ParseTimeText(std::string_view typed, const TimeOfDay& previous, const TimeFormat& format)
{
    std::string text(typed);
    RemoveAll(text, format.afternoon);
    RemoveAll(text, format.morning);
    const std::string separator = format.separator.empty() ? ":" : format.separator;

    std::vector<std::string> parts(1);
    for (size_t i = 0; i < text.size();) {
        if (text.compare(i, separator.size(), separator) == 0) {
            parts.emplace_back();
            i += separator.size();
        } else if (text[i] == ' ' || text[i] == ',') {
            parts.emplace_back();
            ++i;
        } else {
            parts.back() += text[i++];
        }
    }
    std::vector<std::string> numbers;
    for (auto& part : parts) {
        if (separator.size() > 1) {
            std::erase_if(part, [](char c) { return !IsDigit(c); });
        }
        if (!part.empty()) {
            numbers.push_back(part);
        }
    }

    TimeOfDay time = previous;
    int* fields[] = {&time.hours, &time.minutes, &time.seconds};
    const int maxima[] = {kMaxHours, kMaxMinutes, kMaxMinutes};
    for (size_t i = 0; i < 3 && i < numbers.size(); ++i) {
        const int value = PartValue(numbers[i]);
        if (value >= 0 && value <= maxima[i]) {
            *fields[i] = value;
        }
    }
    if (format.twelveHour && previous.hours >= 12 && time.hours < 12) {
        time.hours += 12;
    }
    return time;
}

bool ApplyMeridiemKey(TimeOfDay& time, char key, const TimeFormat& format)
{
    if (!format.twelveHour) {
        return false;
    }
    if (key == 'A' || key == 'a') {
        if (time.hours > 12) {
            time.hours -= 12;
        }
        return true;
    }
    if (key == 'P' || key == 'p') {
        if (time.hours < 12) {
            time.hours += 12;
        }
        return true;
    }
    return false;
}

void StopwatchTick(TimeOfDay& time)
{
    if (++time.seconds <= kMaxMinutes) {
        return;
    }
    time.seconds = 0;
    if (++time.minutes <= kMaxMinutes) {
        return;
    }
    time.minutes = 0;
    if (++time.hours > kMaxHours) {
        time.hours = 0;
    }
}

std::string FourDigitTime(const TimeOfDay& time)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d", time.hours % 100, time.minutes % 100);
    return text;
}

TimeOfDay TimeFromFourDigits(std::string_view text)
{
    const auto two = [&](size_t at) {
        int value = 0;
        for (size_t i = at; i < at + 2; ++i) {
            if (i >= text.size() || !IsDigit(text[i])) {
                return 0;
            }
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    TimeOfDay time;
    time.hours = two(0);
    time.minutes = text.size() > 2 && !IsDigit(text[2]) ? two(3) : two(2);
    return time;
}
