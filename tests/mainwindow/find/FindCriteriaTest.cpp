// The criteria texts of the find pane's fields, with the exact spacing the item set reads, and the
// user's quotes, brackets and keywords kept inside their values.

#include "mainwindow/find/FindCriteria.h"

#include "tests/support/TestNames.h"

#include <gtest/gtest.h>

namespace {

using Kind = CriteriaField::Kind;

CriteriaField Search(std::string column, char type, std::string text, std::string op)
{
    CriteriaField field;
    field.kind = Kind::kSearch;
    field.column = std::move(column);
    field.type = type;
    field.text = std::move(text);
    field.caption = "caption";
    field.op = std::move(op);
    return field;
}

struct CriteriaCase
{
    std::string what;
    std::string before; // the criteria text when the field's turn comes
    CriteriaField field;
    std::string expected;
};

class FieldCriteria : public ::testing::TestWithParam<CriteriaCase>
{
};

TEST_P(FieldCriteria, AppendsThePieceWithItsSpacing)
{
    std::string criteria = GetParam().before;
    AppendFieldCriteria(criteria, GetParam().field);
    EXPECT_EQ(criteria, GetParam().before + GetParam().expected);
}

CriteriaField Link(std::vector<double> codes)
{
    CriteriaField field;
    field.kind = Kind::kLinkList;
    field.codes = std::move(codes);
    return field;
}

CriteriaField Parent(std::string text, double code)
{
    CriteriaField field;
    field.kind = Kind::kParentChooser;
    field.column = "COUNTRY";
    field.caption = "COUNTRY";
    field.text = std::move(text);
    field.hasChoice = true;
    field.codes = {code};
    return field;
}

CriteriaField Choice(std::string text)
{
    CriteriaField field;
    field.kind = Kind::kChoiceBox;
    field.column = "GRADE";
    field.caption = "GRADE";
    field.text = std::move(text);
    return field;
}

CriteriaField Check(bool checked)
{
    CriteriaField field;
    field.kind = Kind::kCheckBox;
    field.column = "OWNEDYES";
    field.checked = checked;
    return field;
}

const std::string kBefore = "NAME = 'x' ";

INSTANTIATE_TEST_SUITE_P(
    FindPane, FieldCriteria,
    ::testing::Values(
        CriteriaCase{"text equal first", "", Search("NAME", 'C', "Franc", "="), " NAME = 'Franc' "},
        CriteriaCase{"text equal after", kBefore, Search("NAME", 'C', "Franc", "="), " AND NAME = 'Franc' "},
        CriteriaCase{"text greater", "", Search("NAME", 'C', "M", ">"), " NAME > 'M' "},
        CriteriaCase{"text starts with first", "", Search("NAME", 'C', "Fr", "LIKE"), " NAME LIKE 'Fr*' "},
        CriteriaCase{"text starts with after", kBefore, Search("NAME", 'C', "Fr", "LIKE"),
                     " AND NAME LIKE 'Fr*' "},
        CriteriaCase{"text contains first", "", Search("NAME", 'C', "ran", "CONTAIN"), " NAME LIKE '*ran*' "},
        CriteriaCase{"text contains after", kBefore, Search("NAME", 'C', "ran", "CONTAIN"),
                     " AND NAME LIKE '*ran*' "},
        CriteriaCase{"contain comma list", "", Search("NAME", 'C', "fr, ma", "CONTAIN"),
                     " ( NAME LIKE '*fr*'   AND  NAME LIKE '* ma*' )"},
        CriteriaCase{"contain AND list after", kBefore, Search("NAME", 'C', "fr AND ma", "CONTAIN"),
                     " AND ( NAME LIKE '*fr*'   AND  NAME LIKE '*ma*' )"},
        CriteriaCase{"contain OR list", "", Search("NAME", 'C', "fr OR ma OR th", "CONTAIN"),
                     " ( NAME LIKE '*fr*'   OR  NAME LIKE '*ma*'   OR  NAME LIKE '*th*' )"},
        CriteriaCase{"integer equal", "", Search("YEAR", 'I', "1960", "="), " YEAR = '1960' "},
        CriteriaCase{"currency equal first", "", Search("PRICE", 'U', "12,50", "LIKE"), "PRICE = 12.50 "},
        CriteriaCase{"currency equal after", kBefore, Search("PRICE", 'U', "3", "LIKE"), " AND PRICE = 3 "},
        CriteriaCase{"currency greater", "", Search("PRICE", 'U', "3", ">"), "PRICE > 3 "},
        CriteriaCase{"currency no number is text", "", Search("PRICE", 'U', "3 OR 1=1", "LIKE"),
                     "PRICE = '3 OR 1=1' "},
        CriteriaCase{"date condition first", "", Search("BOUGHT", 'D', "", " IN_THE_LAST_MNTH 2"),
                     "BOUGHT  IN_THE_LAST_MNTH 2 "},
        CriteriaCase{"date condition after", kBefore, Search("BOUGHT", 'D', "", " IN_THE_LAST_MNTH 2"),
                     " AND BOUGHT  IN_THE_LAST_MNTH 2"},
        CriteriaCase{"date without condition", "", Search("BOUGHT", 'D', "", ""), ""},
        CriteriaCase{"numismatic year", kBefore, Search("ISSUE", 'N', "1850", "CONTAIN"), " ISSUEYEAR 1850 "},
        CriteriaCase{"numismatic year emptied", "", Search("ISSUE", 'N', "", "CONTAIN"), " ISSUEYEAR  "},
        CriteriaCase{"numismatic year keeps only digits", "", Search("ISSUE", 'N', "1850 OR 1=1", "CONTAIN"),
                     " ISSUEYEAR 1850 "},
        CriteriaCase{"numismatic year at caption", "", Search("ISSUE", 'N', "caption", "CONTAIN"), ""},
        CriteriaCase{"caption unchanged", "", Search("NAME", 'C', "caption", "="), ""},
        CriteriaCase{"blanks only", "", Search("NAME", 'C', "   ", "="), ""},
        CriteriaCase{"quote doubled", "", Search("NAME", 'C', "it's", "="), " NAME = 'it''s' "},
        CriteriaCase{"quote in contains", "", Search("NAME", 'C', "x' OR '1'='1", "CONTAIN"),
                     " ( NAME LIKE '*x''*'   OR  NAME LIKE '*''1''=''1*' )"},
        CriteriaCase{"brackets and comment", "", Search("NAME", 'C', "[a]--;\"DROP", "CONTAIN"),
                     " NAME LIKE '*[[]a]--;\"DROP*' "},
        CriteriaCase{"wildcards stay", "", Search("NAME", 'C', "F?a#c*", "LIKE"), " NAME LIKE 'F?a#c**' "},
        CriteriaCase{"unknown operator compares equal", "", Search("NAME", 'C', "x", "; DROP"),
                     " NAME = 'x' "},
        CriteriaCase{"link list two first", "", Link({31200045.0, 31200046.0}),
                     " ( LINK.OID_OUT=31200045.000000  OR LINK.OID_OUT=31200046.000000  ) "},
        CriteriaCase{"link list after", kBefore, Link({31200045.0}),
                     " AND ( LINK.OID_OUT=31200045.000000  ) "},
        CriteriaCase{"parent chooser first", "", Parent("Germany", 31200045.0), "  COUNTRY = '31200045' "},
        CriteriaCase{"parent chooser after", kBefore, Parent("Germany", 31200045.0),
                     " AND COUNTRY ='31200045'"},
        CriteriaCase{"parent chooser at caption", "", Parent("COUNTRY", 31200045.0), ""},
        CriteriaCase{"choice box first", "", Choice("Fine"), "  GRADE ='Fine' "},
        CriteriaCase{"choice box after", kBefore, Choice("Fine"), " AND GRADE  ='Fine' "},
        CriteriaCase{"choice box quote", "", Choice("a'b"), "  GRADE ='a''b' "},
        CriteriaCase{"check box checked", "", Check(true), "  OWNEDYES ='T' "},
        CriteriaCase{"check box cleared", "", Check(false), ""},
        CriteriaCase{"after issue year no AND", " ISSUEYEAR 1850 ", Search("NAME", 'C', "x", "="),
                     " NAME = 'x' "}),
    lumarc::test::NameFromWhat());

TEST(FindCriteria, TakesOnlyTheFirstFortyOneEntriesOfAPage)
{
    std::vector<CriteriaField> fields;
    for (int i = 0; i < 43; ++i) {
        fields.push_back(Search("F" + std::to_string(i), 'C', "v", "="));
    }
    std::string criteria;
    AppendDataPageCriteria(criteria, fields);
    EXPECT_NE(criteria.find(" AND F40 = 'v' "), std::string::npos);
    EXPECT_EQ(criteria.find("F41"), std::string::npos);
    EXPECT_EQ(criteria.rfind(" F0 = 'v' ", 0), 0u);
}

TEST(FindCriteria, DatePagesCompareTheDaysStampsOrCountBack)
{
    const CalendarDay from{2025, 3, 1};
    const CalendarDay to{2025, 5, 14};
    std::string criteria;
    AppendDatePageCriteria(criteria, "CREADATE", DatePageChoice::kOn, to, from, 1);
    EXPECT_EQ(criteria, " CREADATE > '2025051400:00:00' AND CREADATE < '2025051499:99:99'");
    AppendDatePageCriteria(criteria, "MODIDATE", DatePageChoice::kBetween, from, to, 1);
    EXPECT_EQ(criteria.substr(criteria.find(" AND MODI")),
              " AND MODIDATE > '2025030100:00:00' AND MODIDATE < '2025051499:99:99'");
    std::string months;
    AppendDatePageCriteria(months, "CREADATE", DatePageChoice::kLastMonths, from, to, 3);
    EXPECT_EQ(months, " CREADATE IN_THE_LAST_MNTS 3");
    AppendDatePageCriteria(months, "MODIDATE", DatePageChoice::kLastDays, from, to, 7);
    EXPECT_EQ(months, " CREADATE IN_THE_LAST_MNTS 3 AND MODIDATE IN_THE_LAST_DAYS 7");
    std::string any;
    AppendDatePageCriteria(any, "CREADATE", DatePageChoice::kAnyDate, from, to, 1);
    EXPECT_EQ(any, "");
}

TEST(FindCriteria, SortPageOrdersByTheChosenColumnsAndRepeatsTheCurrentOnAnd)
{
    CSortChoice sort;
    sort.Reset("SORTED BY ");
    std::string none;
    sort.AppendCriteria(none);
    EXPECT_EQ(none, "");
    sort.ChooseField("Name", "NAME");
    EXPECT_EQ(sort.DisplayText(), "SORTED BY Name");
    sort.AddCurrent(" AND ");
    sort.ChooseField("Year", "YEAR");
    EXPECT_EQ(sort.DisplayText(), "SORTED BY Name AND Year");
    std::string criteria = " NAME = 'x' ";
    sort.AppendCriteria(criteria);
    EXPECT_EQ(criteria, " NAME = 'x'  ORDER BY NAME , YEAR");
    sort.AddCurrent(" AND ");
    std::string twice;
    sort.AppendCriteria(twice);
    EXPECT_EQ(twice, " ORDER BY NAME , YEAR , YEAR");
}

} // namespace
