#pragma once
// The day grid of the month calendar: which cell holds which day of a month, the keys that move the
// selected day within it, and stepping the shown date a month at a time.

#include <array>
#include <ctime>

struct MonthGrid
{
    int year = 0;
    int month = 0;       // 1 to 12
    int days = 0;        // days in the month
    int firstColumn = 0; // column of day 1: its weekday, 0 Sunday
    int rows = 0;
    std::array<std::array<int, 7>, 7> cells{}; // [row][column]; 0 for an empty cell

    // The cell of a day (1 to days); false for another day.
    bool CellOf(int day, int& row, int& column) const;
};

MonthGrid BuildMonthGrid(int year, int month);

// Keys of the calendar that move the selection.
enum class DayStep
{
    kPrevious, // Left, Shift+Tab
    kNext,     // Right, Tab
    kWeekBack, // Up
    kWeekOn,   // Down
};
// The selected day after a step; unchanged when the step would leave the month.
int StepSelectedDay(int day, DayStep step, int daysInMonth);

// The date stepped a day at a time, forward (`forward`) or back, until its month changes: the first of the
// next month or the last of the previous one. Local midnight.
std::time_t StepToAdjacentMonth(std::time_t date, bool forward);

// Local midnight of a day.
std::time_t MakeLocalDate(int year, int month, int day);
