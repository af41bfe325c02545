#pragma once
// The date condition of a date search field: what the date-condition dialog builds from its choice and
// the find pane writes after the field's column. One condition is kept for the whole program; every date
// search field reports it.

#include <string>
#include <string_view>

// The dialog's choices, by the ids of their radio buttons.
enum class DateChoice : int
{
    kAnyDate = 1011,
    kOn = 1000,
    kBetween = 1001,
    kLastMonths = 1002,
    kLastDays = 1003,
    kNextMonths = 1012,
    kNextDays = 1013,
};

// The choice's values: dates already in the short date form, the count of months or days.
struct DateConditionInput
{
    DateChoice choice = DateChoice::kAnyDate;
    std::string on;
    std::string from;
    std::string to;
    int count = 1;
};

// " = DateValue('<date>') ", " Between DateValue('<from>') AND DateValue('<to>')", " IN_THE_LAST_MNTH <n>",
// and so on; empty for any date. A quote in a date is doubled, so no date text leaves its literal.
std::string BuildDateCondition(const DateConditionInput& input);

// The program's one date condition.
const std::string& GetSharedDateCondition();
void SetSharedDateCondition(std::string_view condition);
