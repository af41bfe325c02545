// The translator of the engine's SQL, checked the only way that counts: each statement runs on a real
// database (built through the layer) and must give the rows the engine gave.

#include "platform/dao/JetSql.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/DaoRecordset.h"
#include "platform/dao/DaoTableDef.h"
#include "tests/platform/dao/DaoFixture.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestNames.h"

#include <gtest/gtest.h>

using namespace platform::dao;
using lumarc::test::QueryNames;
using lumarc::test::ScopedNumericLocale;

namespace {

class JetSqlOnDatabase : public testing::Test
{
protected:
    void SetUp() override
    {
        path = lumarc::test::MakeTempFolder("jetsql") / "coins.ctg";
        lumarc::test::CreateCoinDatabase(path);
        db.Open(path);
    }

    std::filesystem::path path;
    CDaoDatabase db;
};

// One database for the cases that only read.
template <typename Param>
class SharedCoinDatabase : public testing::TestWithParam<Param>
{
protected:
    static void SetUpTestSuite()
    {
        const auto path = lumarc::test::MakeTempFolder("jetcases") / "coins.ctg";
        lumarc::test::CreateCoinDatabase(path);
        shared = std::make_unique<CDaoDatabase>();
        shared->Open(path);
    }
    static void TearDownTestSuite() { shared.reset(); }

    static inline std::unique_ptr<CDaoDatabase> shared;
};

struct QueryCase
{
    const char* what;
    const char* jet;
    std::vector<std::string> names;
};

const std::vector<std::string> kLiveByName = {"50% off", "Louis d'or",  "Penny",
                                              "Thaler",  "under_score", "Écu"};

const QueryCase kQueryCases[] = {
    {"brackets and True", "SELECT * FROM [COINS] WHERE [DELETED] = True", {"ducat"}},
    {"False, and ORDER BY ignores case", "SELECT * FROM COINS WHERE DELETED = False ORDER BY NAME",
     kLiveByName},
    {"ORDER BY DESC ignores case",
     "SELECT * FROM COINS WHERE DELETED = False ORDER BY NAME DESC",
     {"Écu", "under_score", "Thaler", "Penny", "Louis d'or", "50% off"}},
    {"ORDER BY a concatenation ignores case",
     "SELECT * FROM COINS WHERE PARENT = 5 ORDER BY [NAME] + \" \" + [YEAR]",
     {"ducat", "Louis d'or", "Écu"}},
    {"NOT with True",
     "SELECT * FROM COINS WHERE NOT DELETED = True AND PARENT = 5 ORDER BY AUTOINCR",
     {"Écu", "Louis d'or"}},
    {"= ignores case, beyond ASCII too",
     "SELECT * FROM COINS WHERE NAME = 'THALER' OR NAME = 'écu' ORDER BY AUTOINCR",
     {"Thaler", "Écu"}},
    {"a text in double quotes holding a quote",
     "SELECT * FROM COINS WHERE NAME = \"Louis d'or\"",
     {"Louis d'or"}},
    {"Like * ignores case", "SELECT * FROM COINS WHERE NAME Like \"*ALE*\"", {"Thaler"}},
    {"Like folds accented letters", "SELECT * FROM COINS WHERE NAME Like 'ÉCU'", {"Écu"}},
    {"Like *text* folds beyond ASCII",
     "SELECT * FROM COINS WHERE NAME Like '*éC*' OR NAME Like '*LER*'",
     {"Thaler", "Écu"}},
    {"Like ? and #",
     "SELECT * FROM COINS WHERE NAME Like '?ucat' OR YEAR Like '17##' ORDER BY AUTOINCR",
     {"Thaler", "ducat", "Écu"}},
    {"Like [list]", "SELECT * FROM COINS WHERE NAME Like '[dp]*' ORDER BY AUTOINCR", {"ducat", "Penny"}},
    {"Like [!range]",
     "SELECT * FROM COINS WHERE NAME Like '[!a-m]*' ORDER BY AUTOINCR",
     {"Thaler", "Écu", "Penny", "50% off", "under_score"}},
    {"% and _ are plain characters in Like",
     "SELECT * FROM COINS WHERE NAME Like '*%*' OR NAME Like '*_*' ORDER BY AUTOINCR",
     {"50% off", "under_score"}},
    {"SQLite's own wildcards match nothing", "SELECT * FROM COINS WHERE NAME Like '5_%'", {}},
    {"the quick search of a stored query", "SELECT * FROM COINS where NAME LIKE '*Pen*';", {"Penny"}},
    {"+ joins texts",
     "SELECT *, [NAME] + \" \" + [YEAR] as recName FROM [COINS] WHERE (([NAME] + \" \" + [YEAR]) Like \"*ler "
     "17*\")",
     {"Thaler"}},
    {"the item set's quick search",
     "SELECT * , [NAME] + \" \" as recName FROM [COINS] WHERE (( [NAME] + \" \" + [YEAR]) Like \"*o*\") "
     "ORDER BY AUTOINCR",
     {"50% off", "under_score", "Louis d'or"}},
    {"+ with a missing value gives no value",
     "SELECT * FROM COINS WHERE (([NAME] + \" \" + [HTML]) Like \"*ler*\")",
     {}},
    {"& reads a missing value as an empty text",
     "SELECT * FROM COINS WHERE (([NAME] & \" \" & [HTML]) Like \"*ler *\")",
     {"Thaler"}},
    {"& joins + chains, comparisons bound it",
     "SELECT * FROM COINS WHERE [NAME] + \"-\" & [HTML] & [YEAR] = \"Thaler-1790\" OR NAME = 'Penny' "
     "ORDER BY AUTOINCR",
     {"Thaler", "Penny"}},
    {"+ still adds numbers", "SELECT * FROM COINS WHERE AUTOINCR + 1 = 3", {"ducat"}},
    {"Mod", "SELECT * FROM COINS WHERE AUTOINCR Mod 3 = 0 ORDER BY AUTOINCR", {"Écu", "under_score"}},
    {"Between in order",
     "SELECT * FROM COINS WHERE AUTOINCR Between 2 And 3 ORDER BY AUTOINCR",
     {"ducat", "Écu"}},
    {"Between with its bounds reversed",
     "SELECT * FROM COINS WHERE AUTOINCR Between 3 And 2 ORDER BY AUTOINCR",
     {"ducat", "Écu"}},
    {"Between DateValue and Date()",
     "SELECT * FROM COINS WHERE BOUGHT Between DateValue('2024-01-10') and Date()",
     {"Penny"}},
    {"Between Date() and DateValue, reversed",
     "SELECT * FROM COINS WHERE BOUGHT Between Date() and DateValue('1/1/2002') ORDER BY AUTOINCR",
     {"Thaler", "Penny"}},
    {"= DateValue", "SELECT * FROM COINS WHERE BOUGHT = DateValue('3/5/2002')", {"Thaler"}},
    {"#date# literal", "SELECT * FROM COINS WHERE BOUGHT < #1/1/2000#", {"ducat"}},
    {"a bracketed name with a hyphen, numbers written by %f",
     "SELECT * from [COINS] WHERE DELETED = False AND [FROM-UID] Is Null AND UID = 1200004.000000 ;",
     {"Penny"}},
    {"DISTINCTROW over one table",
     "SELECT DISTINCTROW * FROM COINS WHERE PARENT = 5 ORDER BY AUTOINCR",
     {"ducat", "Écu", "Louis d'or"}},
    {"DISTINCTROW over a join gives each row once",
     "SELECT DISTINCTROW  COINS.*  FROM [COINS] INNER JOIN LINK ON COINS.UID = LINK.OID_IN WHERE ( "
     "COINS.PARENT = "
     "0.000000 OR COINS.PARENT = 0 ) AND COINS.DELETED = False ORDER BY COINS.AUTOINCR",
     {"Thaler", "Penny"}},
};

class JetQueryCases : public SharedCoinDatabase<QueryCase>
{
};

TEST_P(JetQueryCases, GivesTheEnginesRows)
{
    const QueryCase& c = GetParam();
    SCOPED_TRACE(c.what);
    SCOPED_TRACE(TranslateJetSql(c.jet).sql);
    EXPECT_EQ(QueryNames(*shared, c.jet), c.names);
}

INSTANTIATE_TEST_SUITE_P(Cases, JetQueryCases, testing::ValuesIn(kQueryCases), lumarc::test::NameFromWhat());

TEST_F(JetSqlOnDatabase, ConcatenationGivesTheRecordName)
{
    CDaoRecordset rs(&db);
    rs.Open(dbOpenSnapshot, "SELECT * , [NAME] + \" \" + [YEAR] as recName FROM [COINS] WHERE AUTOINCR = 1");
    EXPECT_EQ(rs.GetFieldValue("recName").ToText(), "Thaler 1790");
    rs.Open(dbOpenSnapshot, "SELECT * , [NAME] + \" \" as recName FROM [COINS] WHERE AUTOINCR = 3");
    EXPECT_EQ(rs.GetFieldValue("RECNAME").ToText(), "Écu ");
}

TEST_F(JetSqlOnDatabase, ExpressionsEvaluateAsTheEngineDid)
{
    CDaoRecordset rs(&db);
    rs.Open(
        dbOpenSnapshot,
        "SELECT 5 - True AS a, \"a\"\"b\" AS b, 'it''s' AS c, 7 Mod 4 AS d FROM COINS WHERE AUTOINCR = 1");
    EXPECT_EQ(rs.GetFieldValue("a").ToText(), "6");
    EXPECT_EQ(rs.GetFieldValue("b").ToText(), "a\"b");
    EXPECT_EQ(rs.GetFieldValue("c").ToText(), "it's");
    EXPECT_EQ(rs.GetFieldValue("d").ToText(), "3");
}

// A ']' inside a bracketed name is written twice, as a quotation mark inside a text literal.
TEST_F(JetSqlOnDatabase, BracketedNamesHoldClosingBrackets)
{
    db.Execute("CREATE TABLE [odd]]name] ([a]]b] INTEGER, [c`d] INTEGER)", dbFailOnError);
    db.Execute("INSERT INTO [odd]]name] ([a]]b], [c`d]) VALUES (5, 6)", dbFailOnError);
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT [a]]b], [c`d] FROM [odd]]name] ORDER BY [a]]b]");
    EXPECT_EQ(rs.GetFieldValue("a]b").ToText(), "5");
    EXPECT_EQ(rs.GetFieldValue("c`d").ToText(), "6");
    EXPECT_EQ(TranslateJetSql("SELECT * FROM [odd]]name]").singleTable, "odd]name");
}

TEST_F(JetSqlOnDatabase, ActionQueriesRunThroughExecute)
{
    db.Execute("UPDATE DISTINCTROW  [COINS] SET YEAR = [YEAR] + \"!\" WHERE NAME Like \"*Pen*\";");
    EXPECT_EQ(db.GetRecordsAffected(), 1);
    EXPECT_EQ(QueryNames(db, "SELECT * FROM COINS WHERE YEAR = '1967!'"), std::vector<std::string>{"Penny"});
    db.Execute("DELETE FROM COINS WHERE DELETED = True");
    EXPECT_EQ(db.GetRecordsAffected(), 1);
}

TEST_F(JetSqlOnDatabase, NamesWithLettersBeyondAsciiIgnoreCase)
{
    CDaoTableDef table(&db);
    table.Create("Münzen");
    table.CreateField("Größe", dbText, 20);
    table.Append();
    db.Execute("INSERT INTO [MÜNZEN] ([GRÖßE]) VALUES ('groß')");
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT [GRÖßE] AS NAME FROM [MÜNZEN] WHERE [größe] = 'GROß'");
    ASSERT_FALSE(rs.IsEOF());
    EXPECT_EQ(rs.GetFieldValue("name").ToText(), "groß");
}

struct ErrorCase
{
    const char* what;
    const char* jet;
    long error;
};

class JetErrorCases : public SharedCoinDatabase<ErrorCase>
{
};

TEST_P(JetErrorCases, RaiseTheEnginesErrors)
{
    try {
        QueryNames(*shared, GetParam().jet);
        FAIL() << "no error for " << GetParam().jet;
    } catch (const CDaoException& error) {
        EXPECT_EQ(error.GetErrorCode(), GetParam().error) << error.what();
    }
}

const ErrorCase kErrorCases[] = {
    {"unknown table", "SELECT * FROM NOSUCH", 3078},
    {"unknown column", "SELECT NOSUCH FROM COINS", 3061},
    {"WHERE without a condition", "SELECT * FROM COINS WHERE", 3075},
    {"unclosed text", "SELECT * FROM COINS WHERE NAME = 'open", 3075},
    {"a second statement", "SELECT * FROM COINS; DELETE FROM COINS", 3075},
    {"unknown function", "SELECT Nosuch(NAME) AS NAME FROM COINS", 3085},
    {"DateValue of no date", "SELECT * FROM COINS WHERE BOUGHT = DateValue('no date')", 3421},
    {"not a query", "UPDATE COINS SET NAME = 'x'", 3219},
};

INSTANTIATE_TEST_SUITE_P(Cases, JetErrorCases, testing::ValuesIn(kErrorCases), lumarc::test::NameFromWhat());

TEST(JetSqlText, KeepsWhatSqliteReadsAlike)
{
    // Brackets pass; DISTINCTROW over one table goes; blanks and the rest stay as written.
    EXPECT_EQ(TranslateJetSql("SELECT DISTINCTROW [a b].* FROM [a b] WHERE x = 'y'").sql,
              "SELECT [a b].* FROM [a b] WHERE x = 'y'");
    EXPECT_EQ(TranslateJetSql("SELECT 1-True").sql, "SELECT 1- -1");
}

TEST(JetSqlText, WritesDateLiteralsWithAPointUnderADecimalCommaLocale)
{
    ScopedNumericLocale german("de_DE.UTF-8");
    if (!german.IsSet()) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    // A comma would make the day number two values.
    EXPECT_EQ(TranslateJetSql("SELECT #1/2/2003 12:00# AS d").sql, "SELECT 37623.5 AS d");
}

TEST(JetSqlText, DescribesWhetherRowsCanBeChanged)
{
    const JetTranslation single = TranslateJetSql("SELECT * FROM [COINS] AS c WHERE c.x = 1");
    EXPECT_EQ(single.kind, JetStatementKind::Select);
    EXPECT_EQ(single.singleTable, "COINS");
    EXPECT_EQ(single.sqlWithRowid, "SELECT c._rowid_ AS \"~rowid\", * FROM [COINS] AS c WHERE c.x = 1");
    for (const char* shared :
         {"SELECT DISTINCT NAME FROM COINS", "SELECT count(*) FROM COINS",
          "SELECT * FROM A INNER JOIN B ON A.x = B.x", "SELECT NAME FROM A GROUP BY NAME"}) {
        EXPECT_TRUE(TranslateJetSql(shared).singleTable.empty()) << shared;
    }
    EXPECT_EQ(TranslateJetSql("SELECT max(a, b) FROM T").singleTable, "T"); // max of two is no aggregate
    EXPECT_EQ(TranslateJetSql(" update T set a = 1").kind, JetStatementKind::Update);
}

struct LikeCase
{
    const char* pattern;
    const char* text;
    bool matches;
};

TEST(JetLike, MatchesTheEnginesWildcards)
{
    const LikeCase cases[] = {
        {"*", "", true},
        {"*", "anything", true},
        {"a*c", "abbbc", true},
        {"a*c", "abbbd", false},
        {"*a*a*", "banana", true},
        {"*ana", "banana", true},
        {"?", "é", true},
        {"??", "é", false},
        {"#", "7", true},
        {"#", "x", false},
        {"[a-c]x", "Bx", true},
        {"[!a-c]x", "bx", false},
        {"[!a-c]x", "dx", true},
        {"[*]", "*", true},
        {"[?]", "a", false},
        {"A[]B", "AB", true},
        {"ÄRGER", "ärger", true},
        {"straße", "STRASSE", false},
        {"[", "[", true},
        {"a[b", "a[b", true},
        {"50%", "50%", true},
        {"50%", "50", false},
        {"_", "a", false},
        {"", "", true},
        {"", "a", false},
        // A text inside a value, in ASCII and beyond, and across the two.
        {"*ab*", "xAbY", true},
        {"*ab*", "xaY b", false},
        {"*äb*", "XÄBY", true},
        {"*i*", "İ", true},
        {"*é*", "e", false},
        {"*ß*", "STRASSE", false},
        {"*aa*", "a", false},
        {"*ana*", "bananas", true},
    };
    for (const LikeCase& c : cases) {
        EXPECT_EQ(JetLikeMatch(c.pattern, c.text), c.matches) << c.pattern << " / " << c.text;
    }
}

} // namespace

namespace {

TEST(JetSqlText, NestedBetweensDoNotGrowWithoutBound)
{
    std::string sql = "1";
    for (int level = 0; level < 40; ++level) {
        sql = "(x Between " + sql + " And 2)";
    }
    sql = "SELECT * FROM T WHERE " + sql;
    EXPECT_LT(TranslateJetSql(sql).sql.size(), sql.size() * 64);
}

} // namespace

namespace {

TEST(JetSqlText, RefusesNestingDeeperThanItsBound)
{
    // Stored queries come from catalogue files: no depth of parentheses may exhaust the stack.
    const auto nested = [](int depth, std::string_view inner) {
        return std::string(static_cast<size_t>(depth), '(') + std::string(inner) +
               std::string(static_cast<size_t>(depth), ')');
    };
    for (const std::string& sql : {"SELECT * FROM T WHERE " + nested(100000, "x = 1"),
                                   "SELECT * FROM T WHERE " + std::string(100000, '(')}) {
        try {
            TranslateJetSql(sql);
            ADD_FAILURE() << "translated " << sql.size() << " bytes";
        } catch (const CDaoException& error) {
            EXPECT_EQ(error.GetErrorCode(), errors::kSyntaxError);
        }
    }
    EXPECT_EQ(TranslateJetSql(nested(kJetMaxNestingDepth, "1")).sql, nested(kJetMaxNestingDepth, "1"));
}

} // namespace

TEST_F(JetSqlOnDatabase, ADeeplyNestedQueryIsASyntaxError)
{
    const std::string deep = std::string(100000, '(') + "NAME = 'Penny'" + std::string(100000, ')');
    try {
        QueryNames(db, "SELECT * FROM COINS WHERE " + deep);
        ADD_FAILURE() << "the query ran";
    } catch (const CDaoException& error) {
        EXPECT_EQ(error.GetErrorCode(), errors::kSyntaxError);
    }
    const std::string shallow = std::string(40, '(') + "NAME = 'Penny'" + std::string(40, ')');
    EXPECT_EQ(QueryNames(db, "SELECT * FROM COINS WHERE " + shallow), std::vector<std::string>{"Penny"});
}
