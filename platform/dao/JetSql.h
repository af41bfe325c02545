#pragma once
// Translation of the engine's SQL dialect (the one the program's queries are written in) into the SQL
// that SQLite reads. What differs, and what becomes of it:
// - "..." text literals become '...' literals; [bracketed names] pass as they are, "]]" in them standing
//   for one ']' (such a name is written `in backquotes`, which SQLite reads).
// - True and False become -1 and 0 (the engine's truth values); Mod becomes %.
// - A chain of + that joins a text literal (NAME + " " + YEAR) concatenates: it becomes ||, each
//   operand in parentheses. A chain of & concatenates too, a missing value counting as an empty text:
//   each operand becomes ifnull((operand), '').
// - x Between a And b holds whichever of a and b is larger: the bounds become min(a,b) and max(a,b).
// - DISTINCTROW: dropped over one table, DISTINCT over a join; Update DistinctRow drops it.
// - Date(), Now() and DateValue(text) become the layer's functions JetDate(), JetNow(),
//   JetDateValue(); #M/D/YYYY# date literals become day numbers.
// - Every ORDER BY term sorts without regard to case (COLLATE FOLDCASE; numbers sort as numbers).
// - Like keeps its pattern: the layer's like() reads the engine's wildcards (* ? # [..] [!..]).
// Names with non-ASCII letters are given the spelling the database stores them in (through the
// resolver), since SQLite folds only ASCII in names.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::dao {

enum class JetStatementKind
{
    Select,
    Insert,
    Update,
    Delete,
    Other
};

struct JetTranslation
{
    std::string sql; // for SQLite
    JetStatementKind kind = JetStatementKind::Other;
    // For a SELECT over one table, without a join, grouping, DISTINCT, UNION or aggregate: the table,
    // and the same statement with that table's rowid as first column "~rowid" (so rows can be changed).
    std::string singleTable;
    std::string sqlWithRowid;
};

// Gives the stored spelling of a table or column name, or an empty text when the name is unknown.
using JetNameResolver = std::function<std::string(std::string_view)>;

// Deepest nesting of parentheses the translator reads; SQLite's own parser gives up far sooner.
inline constexpr int kJetMaxNestingDepth = 1000;

// Throws CDaoException 3075 for a statement nested deeper than kJetMaxNestingDepth.
JetTranslation TranslateJetSql(std::string_view jetSql, const JetNameResolver& resolver = {});

// The engine's Like: * any run of characters, ? one character, # one digit, [abc], [a-z] and [!abc]
// one character of (or not of) a list; letters match without regard to case (folding beyond ASCII).
class JetLikePattern
{
public:
    explicit JetLikePattern(std::string_view pattern);
    bool Matches(std::string_view text) const;

private:
    struct Element
    {
        enum Kind
        {
            Star,
            Any,
            Digit,
            Literal,
            Class
        } kind;
        char32_t literal = 0;
        bool negated = false;
        std::vector<std::pair<char32_t, char32_t>> ranges; // folded bounds
    };
    static bool ElementMatches(const Element& element, char32_t c);

    std::vector<Element> m_elements;
    // "*text*", the pattern of every search for a text inside a value: matched by one pass over the
    // folded value instead of trying the text again from every position.
    bool m_contains = false;
    std::u32string m_needle;
    // The needle in bytes when it is ASCII, for values that are ASCII too.
    std::optional<std::string> m_asciiNeedle;
};

inline bool JetLikeMatch(std::string_view pattern, std::string_view text)
{
    return JetLikePattern(pattern).Matches(text);
}

} // namespace platform::dao
