#include "mainwindow/controls/MonthGrid.h"

namespace {

bool IsLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysIn(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

std::tm LocalParts(std::time_t value)
{
    std::tm parts{};
    localtime_r(&value, &parts);
    return parts;
}

} // namespace

bool MonthGrid::CellOf(int day, int& row, int& column) const
{
    if (day < 1 || day > days) {
        return false;
    }
    const int index = firstColumn + day - 1;
    row = index / 7;
    column = index % 7;
    return true;
}

std::time_t MakeLocalDate(int year, int month, int day)
{
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

MonthGrid BuildMonthGrid(int year, int month)
{
    MonthGrid grid;
    grid.year = year;
    grid.month = month < 1 ? 1 : month > 12 ? 12 : month;
    grid.days = DaysIn(year, grid.month);
    grid.firstColumn = LocalParts(MakeLocalDate(year, grid.month, 1)).tm_wday;
    grid.rows = (grid.days + grid.firstColumn - 1) / 7 + 1;
    for (int day = 1; day <= grid.days; ++day) {
        int row = 0;
        int column = 0;
        grid.CellOf(day, row, column);
        grid.cells[row][column] = day;
    }
    return grid;
}

int StepSelectedDay(int day, DayStep step, int daysInMonth)
{
    int next = day;
    switch (step) {
    case DayStep::kPrevious:
        next = day - 1;
        break;
    case DayStep::kNext:
        next = day + 1;
        break;
    case DayStep::kWeekBack:
        next = day - 7;
        break;
    case DayStep::kWeekOn:
        next = day + 7;
        break;
    }
    return next >= 1 && next <= daysInMonth ? next : day;
}

std::time_t StepToAdjacentMonth(std::time_t date, bool forward)
{
    std::tm parts = LocalParts(date);
    const int month = parts.tm_mon;
    // Calendar arithmetic on the parts, so a daylight-saving change cannot skip or repeat a day.
    while (parts.tm_mon == month) {
        parts.tm_mday += forward ? 1 : -1;
        parts.tm_hour = 12;
        parts.tm_isdst = -1;
        std::mktime(&parts);
    }
    return MakeLocalDate(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday);
}
