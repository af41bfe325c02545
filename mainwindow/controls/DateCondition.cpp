#include "mainwindow/controls/DateCondition.h"

namespace {

std::string Quoted(std::string_view date)
{
    std::string out = "'";
    for (char c : date) {
        out += c;
        if (c == '\'') {
            out += '\'';
        }
    }
    return out + "'";
}

std::string& SharedCondition()
{
    static std::string condition;
    return condition;
}

} // namespace

std::string BuildDateCondition(const DateConditionInput& input)
{
    const std::string count = std::to_string(input.count);
    switch (input.choice) {
    case DateChoice::kOn:
        return " = DateValue(" + Quoted(input.on) + ") ";
    case DateChoice::kBetween:
        return " Between DateValue(" + Quoted(input.from) + ") AND DateValue(" + Quoted(input.to) + ")";
    case DateChoice::kLastMonths:
        return " IN_THE_LAST_MNTH " + count;
    case DateChoice::kLastDays:
        return " IN_THE_LAST_DAYH " + count;
    case DateChoice::kNextDays:
        return " IN_THE_NEXT_DAYH " + count;
    case DateChoice::kNextMonths:
        return " IN_THE_NEXT_MNTH " + count;
    case DateChoice::kAnyDate:
        break;
    }
    return {};
}

const std::string& GetSharedDateCondition()
{
    return SharedCondition();
}

void SetSharedDateCondition(std::string_view condition)
{
    SharedCondition() = std::string(condition);
}
