#pragma once
// A coin's year as written on it, in one of the eras coins are dated in: the era ("AD", "AH", "BE", ...),
// a mint mark before the year, the year or range of years ("1950-60", "1940/2/4") and a mark after it.
// Its text is the four parts joined by single blanks ("AH  1300 "). Years are compared by converting
// them to the common era.

#include <string>
#include <string_view>

class CNumismaticYear
{
public:
    // The parts of a text: words separated by single blanks; the first is the era (taken when shorter than
    // 4 characters; an empty first word is "AD"), the second the mark before (shorter than 5), the third
    // the year (shorter than 9, the placeholder "year" excepted), the rest the mark after (shorter
    // than 5).
    void Parse(std::string_view text);
    void Clear() { *this = CNumismaticYear(); }
    // "%s %s %s %s": era, mark before, year, mark after.
    std::string Format() const;

    // The common-era year of the year's leading digits; 0 without digits or in an unknown era.
    int GetYearNumber() const;
    // The common-era year of the range's end: the digits after the first '-' of the year, completed from
    // the start (1950-3 is 1953, 1950-60 is 1960, a three-digit end gets 1000 added after 1000); 9999
    // without a range.
    int GetRangeEnd() const;
    bool IsRange() const { return m_year.find('-') != std::string::npos; }

    const std::string& GetType() const { return m_type; }
    const std::string& GetPreMark() const { return m_preMark; }
    const std::string& GetYear() const { return m_year; }
    const std::string& GetPostMark() const { return m_postMark; }

private:
    std::string m_type;
    std::string m_preMark;
    std::string m_year;
    std::string m_postMark;
};

// The year n of an era in the common era ("AD" n, "BCE" -n, "AH" (n + 10) - (n + 10) x 0.0303 + 621, ...);
// 0 for an unknown era.
int ConvertEraYear(std::string_view era, int year);

// The common-era year a field text stands for: its numismatic year, or, for a text that is only a year
// ("1960", as a plain field holds it), that year.
int YearNumberOfText(std::string_view text);

// 1, 0 or -1 as the first text's year is later than, equal to or earlier than the second's.
int CompareNumismaticYears(std::string_view a, std::string_view b);

// True when the text's year is the given year, or it is a range that starts at or before the year and
// ends at or after it.
bool HoldsIssueYear(std::string_view text, int year);
