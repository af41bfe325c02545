#pragma once
// The words of a search's criteria text that are not SQL. The find pane writes them for conditions
// relative to today and for the numismatic year; before the search runs they become SQL the database
// layer reads:
// - "ISSUEYEAR <year>" is blanked out; the year (up to 5 digits) becomes a filter the record list applies
//   to the data file's issue-year field. Without digits it filters nothing.
// - "<column> IN_THE_LAST_MNTS <n>" and "<column> IN_THE_LAST_DAYS <n>" compare the column's text stamp
//   with midnight of the day n months or days before today ("> '2001061500:00:00'").
// - "IN_THE_LAST_MNTH", "IN_THE_NEXT_MNTH", "IN_THE_LAST_DAYH" and "IN_THE_NEXT_DAYH" with n become
//   "Between DateValue('<short date>') and Date()" for the day n months or days before or after today.
// Each keyword is followed by one separator character and the count, which ends at a blank or at the
// end of the text; the text that followed the count stays behind the condition.

#include <ctime>
#include <string>
#include <string_view>

struct CriteriaRewrite
{
    std::string text;
    bool hasIssueYear = false;
    int issueYear = 0;
};

// Rewrites every pseudo-operator of the criteria; `now` gives today (local time).
CriteriaRewrite RewriteCriteriaOperators(std::string_view criteria, std::time_t now);
