#pragma once
// The comparison operators a search field offers, by the field's type letter, and the glyph and operator
// text of each operator code. The find pane writes the operator text into its criteria.

#include <string>
#include <vector>

// Operator codes a search field keeps.
enum SearchOperatorCode : int
{
    kOpEqual = 1,
    kOpGreater = 2,
    kOpLess = 3,
    kOpBetween = 5,
    kOpFalse = 10,
    kOpTrue = 11,
    kOpLike = 12,
    kOpContain = 14,
    kOpDate = 1001,
    kOpThe = 1004,
    kOpToday = 1067,
};

struct SearchOperator
{
    std::string shortForm; // shown when the list is narrow
    std::string longText;
    int code = kOpEqual;
};

// The glyph on the operator button: '=' for any code without one of its own.
char OperatorGlyph(int code);
// The text the find pane writes for the code ("=", ">", "LIKE", "CONTAIN", "TODAY", ...).
std::string OperatorText(int code);
// The operators of a field type ('C' text, 'D' date, 'T' time, 'F' parent, 'I' integer, 'U' currency,
// 'B' yes/no; either case) in the order offered; empty for any other type.
std::vector<SearchOperator> OperatorsForType(char type);

// A drop list narrower than this shows the short forms.
inline constexpr int kNarrowOperatorList = 90;
