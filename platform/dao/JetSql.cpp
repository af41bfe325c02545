#include "platform/dao/JetSql.h"

#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoDate.h"
#include "platform/dao/DaoException.h"
#include "platform/text/CaseFold.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <optional>
#include <utility>
#include <vector>

namespace platform::dao {
namespace {

using platform::text::EqualsNoCase;

enum class Tok
{
    Space,
    Word,
    Bracket,
    String,
    Number,
    Op,
    LParen,
    RParen,
    Comma,
    Semi,
    Dot,
    Other
};

struct Token
{
    Tok kind;
    std::string text;
};

// A token, or a parenthesised group of items.
struct Item
{
    Token tok;
    bool isGroup = false;
    bool closed = true;       // a group whose ')' was present
    bool stringTyped = false; // a group known to give a text (a concatenation or a literal)
    std::vector<Item> group;
};

bool IsWordByte(unsigned char c)
{
    return std::isalnum(c) || c == '_' || c >= 0x80;
}

// '...' in SQLite's form, from the literal's content.
std::string QuoteLiteral(std::string_view content)
{
    std::string out = "'";
    for (char c : content) {
        if (c == '\'') {
            out += '\'';
        }
        out += c;
    }
    out += '\'';
    return out;
}

// #...# of the engine: M/D/YYYY or YYYY-MM-DD, an optional time with AM or PM.
std::optional<double> ParseDateLiteral(std::string_view content)
{
    std::string text(content);
    bool pm = false;
    bool am = false;
    if (text.size() > 2) {
        const std::string_view tail = std::string_view(text).substr(text.size() - 2);
        pm = EqualsNoCase(tail, "PM");
        am = EqualsNoCase(tail, "AM");
        if (pm || am) {
            text.resize(text.size() - 2);
        }
    }
    auto parts = ParseDateTextDefault(text);
    if (!parts) {
        return std::nullopt;
    }
    if (pm && parts->hour < 12) {
        parts->hour += 12;
    } else if (am && parts->hour == 12) {
        parts->hour = 0;
    }
    return DateSerialFromParts(*parts);
}

// A name as SQLite reads it: in brackets, as written, unless it holds ']', which brackets cannot hold;
// then in backquotes, a backquote inside written twice.
std::string BracketName(std::string_view name)
{
    if (name.find(']') == std::string_view::npos) {
        return "[" + std::string(name) + "]";
    }
    std::string quoted = "`";
    for (char c : name) {
        quoted += c;
        if (c == '`') {
            quoted += '`';
        }
    }
    return quoted + "`";
}

std::vector<Token> Tokenize(std::string_view sql)
{
    std::vector<Token> tokens;
    size_t i = 0;
    const size_t n = sql.size();
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(sql[i]);
        const size_t start = i;
        if (std::isspace(c)) {
            while (i < n && std::isspace(static_cast<unsigned char>(sql[i]))) {
                ++i;
            }
            tokens.push_back({Tok::Space, std::string(sql.substr(start, i - start))});
        } else if (c == '[') {
            // "]]" inside the brackets is one ']' of the name.
            std::string name;
            bool closed = false;
            for (++i; i < n && !closed;) {
                const size_t close = sql.find(']', i);
                if (close == std::string_view::npos) {
                    break;
                }
                name.append(sql.substr(i, close - i));
                if (close + 1 < n && sql[close + 1] == ']') {
                    name += ']';
                    i = close + 2;
                } else {
                    i = close + 1;
                    closed = true;
                }
            }
            if (closed) {
                tokens.push_back({Tok::Bracket, BracketName(name)});
            } else {
                i = n; // left as written, so the engine reports the unterminated name
                tokens.push_back({Tok::Bracket, std::string(sql.substr(start))});
            }
        } else if (c == '\'' || c == '"') {
            std::string content;
            bool terminated = false;
            ++i;
            while (i < n) {
                if (sql[i] == static_cast<char>(c)) {
                    if (i + 1 < n && sql[i + 1] == static_cast<char>(c)) {
                        content += static_cast<char>(c);
                        i += 2;
                        continue;
                    }
                    ++i;
                    terminated = true;
                    break;
                }
                content += sql[i++];
            }
            if (terminated) {
                tokens.push_back({Tok::String, QuoteLiteral(content)});
            } else {
                // Left as written, so the engine reports the unterminated text.
                tokens.push_back({Tok::Other, std::string(sql.substr(start))});
            }
        } else if (c == '#') {
            const size_t close = sql.find('#', i + 1);
            std::optional<double> serial;
            if (close != std::string_view::npos && close - i < 40) {
                serial = ParseDateLiteral(sql.substr(i + 1, close - i - 1));
            }
            if (serial) {
                // The shortest text that reads back as the same day number, with a point whatever
                // the locale.
                char text[40];
                const auto written = std::to_chars(text, text + sizeof text, *serial);
                tokens.push_back({Tok::Number, std::string(text, written.ptr)});
                i = close + 1;
            } else {
                tokens.push_back({Tok::Other, "#"});
                ++i;
            }
        } else if (std::isdigit(c) ||
                   (c == '.' && i + 1 < n && std::isdigit(static_cast<unsigned char>(sql[i + 1])))) {
            while (i < n && std::isdigit(static_cast<unsigned char>(sql[i]))) {
                ++i;
            }
            if (i < n && sql[i] == '.') {
                ++i;
                while (i < n && std::isdigit(static_cast<unsigned char>(sql[i]))) {
                    ++i;
                }
            }
            if (i < n && (sql[i] == 'e' || sql[i] == 'E')) {
                size_t j = i + 1;
                if (j < n && (sql[j] == '+' || sql[j] == '-')) {
                    ++j;
                }
                if (j < n && std::isdigit(static_cast<unsigned char>(sql[j]))) {
                    i = j;
                    while (i < n && std::isdigit(static_cast<unsigned char>(sql[i]))) {
                        ++i;
                    }
                }
            }
            tokens.push_back({Tok::Number, std::string(sql.substr(start, i - start))});
        } else if (IsWordByte(c)) {
            while (i < n && IsWordByte(static_cast<unsigned char>(sql[i]))) {
                ++i;
            }
            tokens.push_back({Tok::Word, std::string(sql.substr(start, i - start))});
        } else if (c == '(') {
            tokens.push_back({Tok::LParen, "("});
            ++i;
        } else if (c == ')') {
            tokens.push_back({Tok::RParen, ")"});
            ++i;
        } else if (c == ',') {
            tokens.push_back({Tok::Comma, ","});
            ++i;
        } else if (c == ';') {
            tokens.push_back({Tok::Semi, ";"});
            ++i;
        } else if (c == '.') {
            tokens.push_back({Tok::Dot, "."});
            ++i;
        } else {
            static constexpr std::array<std::string_view, 8> kTwo = {
                "<=", ">=", "<>", "!=", "==", "||", "<<", ">>"};
            std::string op(1, static_cast<char>(c));
            for (std::string_view two : kTwo) {
                if (sql.substr(i, 2) == two) {
                    op = two;
                    break;
                }
            }
            i += op.size();
            const bool isOperator =
                std::string_view("+-*/%=<>&|~!^\\").find(static_cast<char>(c)) != std::string_view::npos;
            tokens.push_back({isOperator ? Tok::Op : Tok::Other, op});
        }
    }
    return tokens;
}

// Nests the tokens by parentheses. An unmatched ')' stays a plain token; an unclosed '(' a group
// without its ')'. Every later step walks the groups recursively, so the depth is bounded here.
std::vector<Item> BuildTree(const std::vector<Token>& tokens, size_t& pos, int depth)
{
    std::vector<Item> items;
    while (pos < tokens.size()) {
        const Token& token = tokens[pos];
        if (token.kind == Tok::RParen && depth > 0) {
            return items;
        }
        ++pos;
        if (token.kind == Tok::LParen) {
            if (depth >= kJetMaxNestingDepth) {
                ThrowDaoError(errors::kSyntaxError, "parentheses nested too deeply");
            }
            Item group{token, true, false, false, {}};
            group.group = BuildTree(tokens, pos, depth + 1);
            if (pos < tokens.size() && tokens[pos].kind == Tok::RParen) {
                group.closed = true;
                ++pos;
            }
            items.push_back(std::move(group));
        } else {
            items.push_back(Item{token, false, true, false, {}});
        }
    }
    return items;
}

void Emit(const std::vector<Item>& items, std::string& out)
{
    const auto append = [&out](std::string_view text) {
        // Keep "- -" and "/ *" apart: SQLite would read a comment.
        if (!out.empty() && !text.empty() &&
            ((out.back() == '-' && text.front() == '-') || (out.back() == '/' && text.front() == '*'))) {
            out += ' ';
        }
        out += text;
    };
    for (const Item& item : items) {
        if (item.isGroup) {
            append("(");
            Emit(item.group, out);
            if (item.closed) {
                append(")");
            }
        } else {
            append(item.tok.text);
        }
    }
}

bool IsSpace(const Item& item)
{
    return !item.isGroup && item.tok.kind == Tok::Space;
}

bool IsWord(const Item& item, std::string_view word)
{
    return !item.isGroup && item.tok.kind == Tok::Word && EqualsNoCase(item.tok.text, word);
}

bool IsKind(const Item& item, Tok kind)
{
    return !item.isGroup && item.tok.kind == kind;
}

bool IsOp(const Item& item, std::string_view op)
{
    return IsKind(item, Tok::Op) && item.tok.text == op;
}

Item MakeToken(Tok kind, std::string text)
{
    return Item{Token{kind, std::move(text)}, false, true, false, {}};
}

Item MakeGroup(std::vector<Item> children)
{
    Item group{Token{Tok::LParen, "("}, true, true, false, std::move(children)};
    return group;
}

// Index of the next (previous) item that is not a blank, or npos.
size_t NextSig(const std::vector<Item>& items, size_t from)
{
    for (size_t i = from; i < items.size(); ++i) {
        if (!IsSpace(items[i])) {
            return i;
        }
    }
    return std::string::npos;
}

size_t PrevSig(const std::vector<Item>& items, size_t before)
{
    for (size_t i = before; i-- > 0;) {
        if (!IsSpace(items[i])) {
            return i;
        }
    }
    return std::string::npos;
}

// Words and operators that end an additive expression (and a Between's upper bound).
bool IsBoundary(const Item& item)
{
    if (item.isGroup) {
        return false;
    }
    switch (item.tok.kind) {
    case Tok::Comma:
    case Tok::Semi:
    case Tok::RParen:
        return true;
    case Tok::Op: {
        static constexpr std::array<std::string_view, 9> kOps = {
            "=", "<", ">", "<=", ">=", "<>", "!=", "==", "||"};
        for (std::string_view op : kOps) {
            if (item.tok.text == op) {
                return true;
            }
        }
        return item.tok.text == "&";
    }
    case Tok::Word: {
        static constexpr std::array<std::string_view, 48> kWords = {
            "AND",    "OR",     "NOT",    "XOR",    "EQV",      "IMP",         "BETWEEN", "LIKE",
            "IN",     "IS",     "AS",     "FROM",   "WHERE",    "ORDER",       "GROUP",   "BY",
            "HAVING", "SELECT", "SET",    "ON",     "JOIN",     "INNER",       "LEFT",    "RIGHT",
            "OUTER",  "CROSS",  "UNION",  "ALL",    "DISTINCT", "THEN",        "ELSE",    "WHEN",
            "CASE",   "END",    "ASC",    "DESC",   "COLLATE",  "ESCAPE",      "LIMIT",   "VALUES",
            "INTO",   "UPDATE", "DELETE", "INSERT", "TOP",      "DISTINCTROW", "GLOB",    "EXISTS"};
        for (std::string_view word : kWords) {
            if (EqualsNoCase(item.tok.text, word)) {
                return true;
            }
        }
        return false;
    }
    default:
        return false;
    }
}

// Ends an operand: a name, a literal, a group.
bool EndsOperand(const Item& item)
{
    if (item.isGroup) {
        return true;
    }
    switch (item.tok.kind) {
    case Tok::Word:
    case Tok::Bracket:
    case Tok::String:
    case Tok::Number:
    case Tok::Other:
        return true;
    default:
        return false;
    }
}

bool IsStringy(const std::vector<Item>& items, size_t begin, size_t end)
{
    const size_t first = NextSig(items, begin);
    if (first == std::string::npos || first >= end) {
        return false;
    }
    const size_t second = NextSig(items, first + 1);
    if (second != std::string::npos && second < end) {
        return false;
    }
    const Item& item = items[first];
    return item.isGroup ? item.stringTyped : item.tok.kind == Tok::String;
}

std::vector<Item> Slice(const std::vector<Item>& items, size_t begin, size_t end)
{
    // Without the blanks at either end.
    while (begin < end && IsSpace(items[begin])) {
        ++begin;
    }
    while (end > begin && IsSpace(items[end - 1])) {
        --end;
    }
    return std::vector<Item>(items.begin() + static_cast<std::ptrdiff_t>(begin),
                             items.begin() + static_cast<std::ptrdiff_t>(end));
}

// Rewrites one additive segment [begin, end) that joins a text with + into a || chain. Returns whether
// it did.
bool RewriteConcatenation(std::vector<Item>& items, size_t begin, size_t end)
{
    std::vector<size_t> ops;
    bool hasMinus = false;
    size_t previous = std::string::npos;
    for (size_t i = begin; i < end; ++i) {
        if (IsSpace(items[i])) {
            continue;
        }
        if ((IsOp(items[i], "+") || IsOp(items[i], "-")) && previous != std::string::npos &&
            EndsOperand(items[previous])) {
            ops.push_back(i);
            hasMinus = hasMinus || IsOp(items[i], "-");
        }
        previous = i;
    }
    if (ops.empty() || hasMinus) {
        return false;
    }
    bool stringy = false;
    size_t from = begin;
    for (size_t k = 0; k <= ops.size() && !stringy; ++k) {
        const size_t to = k < ops.size() ? ops[k] : end;
        stringy = IsStringy(items, from, to);
        from = to + 1;
    }
    if (!stringy) {
        return false;
    }
    std::vector<Item> chain;
    // Keep the blanks around the segment.
    size_t lead = begin;
    while (lead < end && IsSpace(items[lead])) {
        chain.push_back(items[lead++]);
    }
    from = begin;
    for (size_t k = 0; k <= ops.size(); ++k) {
        const size_t to = k < ops.size() ? ops[k] : end;
        if (k > 0) {
            chain.push_back(MakeToken(Tok::Space, " "));
            chain.push_back(MakeToken(Tok::Op, "||"));
            chain.push_back(MakeToken(Tok::Space, " "));
        }
        chain.push_back(MakeGroup(Slice(items, from, to)));
        from = to + 1;
    }
    size_t trail = end;
    while (trail > begin && IsSpace(items[trail - 1])) {
        --trail;
    }
    for (size_t i = trail; i < end; ++i) {
        chain.push_back(items[i]);
    }
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(begin),
                items.begin() + static_cast<std::ptrdiff_t>(end));
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(begin), chain.begin(), chain.end());
    return true;
}

// Returns whether the whole level became one concatenation.
bool RewriteConcatenations(std::vector<Item>& items)
{
    bool whole = false;
    size_t segmentStart = 0;
    for (size_t i = 0; i <= items.size(); ++i) {
        if (i < items.size() && !IsBoundary(items[i])) {
            continue;
        }
        const auto before = static_cast<std::ptrdiff_t>(items.size());
        const bool rewritten = RewriteConcatenation(items, segmentStart, i);
        if (rewritten && segmentStart == 0 && static_cast<std::ptrdiff_t>(i) == before) {
            whole = true;
        }
        i = static_cast<size_t>(static_cast<std::ptrdiff_t>(i) + static_cast<std::ptrdiff_t>(items.size()) -
                                before);
        segmentStart = i + 1;
    }
    return whole;
}

// The engine's & joins texts and reads a missing value as an empty text (+ gives no value then). Each
// chain of & becomes one group of || whose operands are ifnull((operand), ''). It runs before the level's
// groups are rewritten, so the operands, now groups, are rewritten with them.
void RewriteAmpersands(std::vector<Item>& items)
{
    size_t segmentStart = 0;
    for (size_t i = 0; i <= items.size(); ++i) {
        if (i < items.size() && (!IsBoundary(items[i]) || IsOp(items[i], "&"))) {
            continue;
        }
        std::vector<size_t> ops;
        for (size_t k = segmentStart; k < i; ++k) {
            if (IsOp(items[k], "&")) {
                ops.push_back(k);
            }
        }
        std::vector<std::vector<Item>> operands;
        size_t from = segmentStart;
        for (size_t k = 0; k <= ops.size() && !ops.empty(); ++k) {
            const size_t to = k < ops.size() ? ops[k] : i;
            operands.push_back(Slice(items, from, to));
            from = to + 1;
        }
        const bool chain = !operands.empty() && std::none_of(operands.begin(), operands.end(),
                                                             [](const auto& o) { return o.empty(); });
        if (!chain) {
            segmentStart = i + 1;
            continue;
        }
        std::vector<Item> joined;
        for (size_t k = 0; k < operands.size(); ++k) {
            if (k > 0) {
                joined.push_back(MakeToken(Tok::Space, " "));
                joined.push_back(MakeToken(Tok::Op, "||"));
                joined.push_back(MakeToken(Tok::Space, " "));
            }
            joined.push_back(MakeToken(Tok::Word, "ifnull"));
            joined.push_back(MakeGroup({MakeGroup(std::move(operands[k])), MakeToken(Tok::Comma, ","),
                                        MakeToken(Tok::Space, " "), MakeToken(Tok::String, "''")}));
        }
        Item group = MakeGroup(std::move(joined));
        group.stringTyped = true;
        std::vector<Item> replacement;
        size_t lead = segmentStart;
        while (lead < i && IsSpace(items[lead])) {
            replacement.push_back(items[lead++]);
        }
        replacement.push_back(std::move(group));
        size_t trail = i;
        while (trail > lead && IsSpace(items[trail - 1])) {
            --trail;
        }
        for (size_t k = trail; k < i; ++k) {
            replacement.push_back(items[k]);
        }
        const auto removed = static_cast<std::ptrdiff_t>(i - segmentStart);
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(segmentStart),
                    items.begin() + static_cast<std::ptrdiff_t>(i));
        items.insert(items.begin() + static_cast<std::ptrdiff_t>(segmentStart), replacement.begin(),
                     replacement.end());
        i = static_cast<size_t>(static_cast<std::ptrdiff_t>(i) - removed +
                                static_cast<std::ptrdiff_t>(replacement.size()));
        segmentStart = i + 1;
    }
}

constexpr size_t kMaxDuplicatedBounds = 400;

void RewriteBetween(std::vector<Item>& items)
{
    for (size_t i = 0; i < items.size(); ++i) {
        if (!IsWord(items[i], "BETWEEN")) {
            continue;
        }
        size_t andAt = std::string::npos;
        for (size_t j = i + 1; j < items.size(); ++j) {
            if (IsWord(items[j], "AND")) {
                andAt = j;
                break;
            }
        }
        if (andAt == std::string::npos) {
            return;
        }
        size_t end = andAt + 1;
        while (end < items.size() && !IsBoundary(items[end])) {
            ++end;
        }
        const std::vector<Item> lower = Slice(items, i + 1, andAt);
        const std::vector<Item> upper = Slice(items, andAt + 1, end);
        if (lower.empty() || upper.empty()) {
            return;
        }
        // Each bound is written twice; bounds that are long expressions (Betweens nested in bounds would
        // double at every level) keep the plain Between, bounds in the order given.
        std::string bounds;
        Emit(lower, bounds);
        Emit(upper, bounds);
        if (bounds.size() > kMaxDuplicatedBounds) {
            continue;
        }
        const auto bound = [&](const char* function) {
            std::vector<Item> arguments;
            arguments.push_back(MakeGroup(lower));
            arguments.push_back(MakeToken(Tok::Comma, ","));
            arguments.push_back(MakeGroup(upper));
            return std::vector<Item>{MakeToken(Tok::Word, function), MakeGroup(std::move(arguments))};
        };
        std::vector<Item> replacement{MakeToken(Tok::Space, " ")};
        for (Item& item : bound("min")) {
            replacement.push_back(std::move(item));
        }
        replacement.push_back(MakeToken(Tok::Space, " "));
        replacement.push_back(MakeToken(Tok::Word, "AND"));
        replacement.push_back(MakeToken(Tok::Space, " "));
        for (Item& item : bound("max")) {
            replacement.push_back(std::move(item));
        }
        // Keep the blank that separated the upper bound from what follows.
        size_t trail = end;
        while (trail > andAt + 1 && IsSpace(items[trail - 1])) {
            --trail;
        }
        for (size_t k = trail; k < end; ++k) {
            replacement.push_back(items[k]);
        }
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(i + 1),
                    items.begin() + static_cast<std::ptrdiff_t>(end));
        items.insert(items.begin() + static_cast<std::ptrdiff_t>(i + 1), replacement.begin(),
                     replacement.end());
        i += replacement.size();
    }
}

void RewriteOrderBy(std::vector<Item>& items)
{
    for (size_t i = 0; i < items.size(); ++i) {
        if (!IsWord(items[i], "ORDER")) {
            continue;
        }
        const size_t by = NextSig(items, i + 1);
        if (by == std::string::npos || !IsWord(items[by], "BY")) {
            continue;
        }
        size_t termStart = by + 1;
        for (size_t j = by + 1; j <= items.size(); ++j) {
            const bool endOfClause = j == items.size() || IsKind(items[j], Tok::Semi) ||
                                     IsWord(items[j], "LIMIT") || IsWord(items[j], "UNION") ||
                                     IsKind(items[j], Tok::RParen);
            if (!endOfClause && !IsKind(items[j], Tok::Comma)) {
                continue;
            }
            bool hasCollate = false;
            size_t last = std::string::npos;
            for (size_t k = termStart; k < j; ++k) {
                hasCollate = hasCollate || IsWord(items[k], "COLLATE");
                if (!IsSpace(items[k])) {
                    last = k;
                }
            }
            if (!hasCollate && last != std::string::npos) {
                size_t insertAt = last + 1;
                if (IsWord(items[last], "ASC") || IsWord(items[last], "DESC")) {
                    const size_t previous = PrevSig(items, last);
                    insertAt = previous == std::string::npos || previous < termStart ? last : previous + 1;
                }
                const std::array<Item, 4> collate = {
                    MakeToken(Tok::Space, " "), MakeToken(Tok::Word, "COLLATE"), MakeToken(Tok::Space, " "),
                    MakeToken(Tok::Word, "FOLDCASE")};
                items.insert(items.begin() + static_cast<std::ptrdiff_t>(insertAt), collate.begin(),
                             collate.end());
                j += collate.size();
            }
            termStart = j + 1;
            if (endOfClause) {
                break;
            }
        }
    }
}

// The FROM clause of a SELECT level: [begin, end) after the word FROM.
std::pair<size_t, size_t> FromClause(const std::vector<Item>& items)
{
    size_t from = std::string::npos;
    for (size_t i = 0; i < items.size(); ++i) {
        if (IsWord(items[i], "FROM")) {
            from = i;
            break;
        }
    }
    if (from == std::string::npos) {
        return {items.size(), items.size()};
    }
    size_t end = from + 1;
    while (end < items.size() && !IsWord(items[end], "WHERE") && !IsWord(items[end], "GROUP") &&
           !IsWord(items[end], "ORDER") && !IsWord(items[end], "HAVING") && !IsWord(items[end], "UNION") &&
           !IsKind(items[end], Tok::Semi)) {
        ++end;
    }
    return {from + 1, end};
}

void RewriteDistinctRow(std::vector<Item>& items)
{
    const size_t verb = NextSig(items, 0);
    if (verb == std::string::npos || !(IsWord(items[verb], "SELECT") || IsWord(items[verb], "UPDATE"))) {
        return;
    }
    const size_t at = NextSig(items, verb + 1);
    if (at == std::string::npos || !IsWord(items[at], "DISTINCTROW")) {
        return;
    }
    bool joined = false;
    if (IsWord(items[verb], "SELECT")) {
        const auto [begin, end] = FromClause(items);
        for (size_t i = begin; i < end; ++i) {
            joined = joined || IsWord(items[i], "JOIN") || IsKind(items[i], Tok::Comma);
        }
    }
    if (joined) {
        items[at].tok.text = "DISTINCT";
    } else {
        const bool blankFollows = at + 1 < items.size() && IsSpace(items[at + 1]);
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(at),
                    items.begin() + static_cast<std::ptrdiff_t>(at + (blankFollows ? 2 : 1)));
    }
}

std::string Unbracket(const std::string& text)
{
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
        return text.substr(1, text.size() - 2);
    }
    if (text.size() >= 2 && text.front() == '`' && text.back() == '`') {
        std::string name;
        for (size_t i = 1; i + 1 < text.size(); ++i) {
            name += text[i];
            if (text[i] == '`') {
                ++i; // written twice
            }
        }
        return name;
    }
    return text;
}

bool HasNonAscii(std::string_view text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return true;
        }
    }
    return false;
}

void RewriteTokens(std::vector<Item>& items, const JetNameResolver& resolver)
{
    for (size_t i = 0; i < items.size(); ++i) {
        Item& item = items[i];
        if (item.isGroup) {
            continue;
        }
        const size_t previous = PrevSig(items, i);
        const size_t next = NextSig(items, i + 1);
        const bool afterDot = previous != std::string::npos && IsKind(items[previous], Tok::Dot);
        const bool beforeCall = next != std::string::npos && items[next].isGroup;
        if (item.tok.kind == Tok::Word && !afterDot) {
            if (!beforeCall && EqualsNoCase(item.tok.text, "True")) {
                item.tok = {Tok::Number, "-1"};
            } else if (!beforeCall && EqualsNoCase(item.tok.text, "False")) {
                item.tok = {Tok::Number, "0"};
            } else if (beforeCall && EqualsNoCase(item.tok.text, "Date")) {
                item.tok.text = "JetDate";
            } else if (beforeCall && EqualsNoCase(item.tok.text, "Now")) {
                item.tok.text = "JetNow";
            } else if (beforeCall && EqualsNoCase(item.tok.text, "DateValue")) {
                item.tok.text = "JetDateValue";
            } else if (!beforeCall && EqualsNoCase(item.tok.text, "Mod") && previous != std::string::npos &&
                       EndsOperand(items[previous]) && next != std::string::npos) {
                item.tok = {Tok::Op, "%"};
            }
        }
        if (resolver && (item.tok.kind == Tok::Word || item.tok.kind == Tok::Bracket) &&
            HasNonAscii(item.tok.text)) {
            const std::string name = Unbracket(item.tok.text);
            const std::string stored = resolver(name);
            if (!stored.empty() && stored != name) {
                item.tok = {Tok::Bracket, BracketName(stored)};
            }
        }
    }
}

// Rewrites a level and its groups; returns whether the level as a whole gives a text.
bool RewriteLevel(std::vector<Item>& items, const JetNameResolver& resolver)
{
    RewriteAmpersands(items);
    for (Item& item : items) {
        if (item.isGroup) {
            item.stringTyped = RewriteLevel(item.group, resolver) || item.stringTyped;
        }
    }
    RewriteTokens(items, resolver);
    RewriteDistinctRow(items);
    const bool concatenation = RewriteConcatenations(items);
    RewriteBetween(items);
    RewriteOrderBy(items);
    return concatenation || IsStringy(items, 0, items.size());
}

bool HasAggregate(const std::vector<Item>& items)
{
    static constexpr std::array<std::string_view, 11> kAggregates = {
        "COUNT", "SUM", "AVG", "MIN", "MAX", "FIRST", "LAST", "STDEV", "STDEVP", "VAR", "VARP"};
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        if (item.isGroup) {
            const size_t first = NextSig(item.group, 0);
            const bool subquery = first != std::string::npos && IsWord(item.group[first], "SELECT");
            if (!subquery && HasAggregate(item.group)) {
                return true;
            }
            continue;
        }
        if (item.tok.kind != Tok::Word) {
            continue;
        }
        const size_t next = NextSig(items, i + 1);
        if (next == std::string::npos || !items[next].isGroup) {
            continue;
        }
        for (std::string_view name : kAggregates) {
            if (!EqualsNoCase(item.tok.text, name)) {
                continue;
            }
            bool scalar = false; // min(a, b) and max(a, b) compare their arguments
            if (EqualsNoCase(name, "MIN") || EqualsNoCase(name, "MAX")) {
                for (const Item& argument : items[next].group) {
                    scalar = scalar || IsKind(argument, Tok::Comma);
                }
            }
            if (!scalar) {
                return true;
            }
        }
    }
    return false;
}

void DescribeSelect(const std::vector<Item>& items, JetTranslation& result)
{
    const size_t select = NextSig(items, 0);
    for (const Item& item : items) {
        if (IsWord(item, "DISTINCT") || IsWord(item, "GROUP") || IsWord(item, "UNION") ||
            IsWord(item, "TOP")) {
            return;
        }
    }
    if (HasAggregate(items)) {
        return;
    }
    const auto [begin, end] = FromClause(items);
    std::vector<size_t> sig;
    for (size_t i = begin; i < end; ++i) {
        if (!IsSpace(items[i])) {
            sig.push_back(i);
        }
    }
    const auto isName = [&](size_t k) {
        return k < sig.size() && (IsKind(items[sig[k]], Tok::Word) || IsKind(items[sig[k]], Tok::Bracket));
    };
    if (!isName(0)) {
        return;
    }
    size_t k = 1;
    std::string table = Unbracket(items[sig[0]].tok.text);
    std::string qualifier = items[sig[0]].tok.text;
    if (k < sig.size() && IsKind(items[sig[k]], Tok::Dot) && isName(k + 1)) {
        table = Unbracket(items[sig[k + 1]].tok.text); // a database-qualified name
        qualifier = items[sig[k + 1]].tok.text;
        k += 2;
    }
    if (k < sig.size() && IsWord(items[sig[k]], "AS")) {
        ++k;
    }
    if (k < sig.size()) {
        if (!isName(k) || k + 1 != sig.size() || IsBoundary(items[sig[k]])) {
            return;
        }
        qualifier = items[sig[k]].tok.text;
    }
    result.singleTable = table;
    std::vector<Item> withRowid = items;
    const std::array<Item, 4> column = {MakeToken(Tok::Space, " "),
                                        MakeToken(Tok::Other, qualifier + "._rowid_ AS \"~rowid\""),
                                        MakeToken(Tok::Comma, ","), MakeToken(Tok::Space, " ")};
    size_t insertAt = select + 1;
    if (insertAt < withRowid.size() && IsSpace(withRowid[insertAt])) {
        ++insertAt; // after the blank that follows SELECT
        withRowid.insert(withRowid.begin() + static_cast<std::ptrdiff_t>(insertAt), column.begin() + 1,
                         column.end());
    } else {
        withRowid.insert(withRowid.begin() + static_cast<std::ptrdiff_t>(insertAt), column.begin(),
                         column.end());
    }
    Emit(withRowid, result.sqlWithRowid);
}

} // namespace

JetTranslation TranslateJetSql(std::string_view jetSql, const JetNameResolver& resolver)
{
    const std::vector<Token> tokens = Tokenize(jetSql);
    size_t pos = 0;
    std::vector<Item> items;
    while (pos < tokens.size()) {
        std::vector<Item> part = BuildTree(tokens, pos, 0);
        items.insert(items.end(), part.begin(), part.end());
    }
    RewriteLevel(items, resolver);

    JetTranslation result;
    Emit(items, result.sql);
    const size_t verb = NextSig(items, 0);
    if (verb != std::string::npos) {
        if (IsWord(items[verb], "SELECT")) {
            result.kind = JetStatementKind::Select;
            DescribeSelect(items, result);
        } else if (IsWord(items[verb], "INSERT")) {
            result.kind = JetStatementKind::Insert;
        } else if (IsWord(items[verb], "UPDATE")) {
            result.kind = JetStatementKind::Update;
        } else if (IsWord(items[verb], "DELETE")) {
            result.kind = JetStatementKind::Delete;
        }
    }
    return result;
}

JetLikePattern::JetLikePattern(std::string_view pattern)
{
    using platform::text::FoldCodePoint;
    using platform::text::NextCodePoint;
    size_t pos = 0;
    while (pos < pattern.size()) {
        const char32_t c = NextCodePoint(pattern, pos);
        if (c == '*') {
            if (m_elements.empty() || m_elements.back().kind != Element::Star) {
                m_elements.push_back(Element{Element::Star, 0, false, {}});
            }
        } else if (c == '?') {
            m_elements.push_back(Element{Element::Any, 0, false, {}});
        } else if (c == '#') {
            m_elements.push_back(Element{Element::Digit, 0, false, {}});
        } else if (c == '[' && pattern.find(']', pos) != std::string_view::npos) {
            const size_t close = pattern.find(']', pos);
            std::string_view body = pattern.substr(pos, close - pos);
            pos = close + 1;
            Element element{Element::Class, 0, false, {}};
            if (!body.empty() && body.front() == '!') {
                element.negated = true;
                body.remove_prefix(1);
            }
            if (body.empty() && !element.negated) {
                continue; // "[]" matches the empty text
            }
            size_t at = 0;
            while (at < body.size()) {
                const char32_t low = FoldCodePoint(NextCodePoint(body, at));
                char32_t high = low;
                if (at + 1 < body.size() && body[at] == '-') {
                    ++at;
                    high = FoldCodePoint(NextCodePoint(body, at));
                }
                element.ranges.emplace_back(low, high);
            }
            m_elements.push_back(std::move(element));
        } else {
            m_elements.push_back(Element{Element::Literal, FoldCodePoint(c), false, {}});
        }
    }
    const size_t count = m_elements.size();
    m_contains = count >= 3 && m_elements.front().kind == Element::Star &&
                 m_elements.back().kind == Element::Star &&
                 std::all_of(m_elements.begin() + 1, m_elements.end() - 1,
                             [](const Element& element) { return element.kind == Element::Literal; });
    if (m_contains) {
        for (size_t i = 1; i + 1 < count; ++i) {
            m_needle.push_back(m_elements[i].literal);
        }
        if (std::all_of(m_needle.begin(), m_needle.end(), [](char32_t c) { return c < 0x80; })) {
            m_asciiNeedle.emplace(m_needle.begin(), m_needle.end());
        }
    }
}

bool JetLikePattern::ElementMatches(const Element& element, char32_t c)
{
    switch (element.kind) {
    case Element::Any:
        return true;
    case Element::Digit:
        return c >= '0' && c <= '9';
    case Element::Literal:
        return platform::text::FoldCodePoint(c) == element.literal;
    case Element::Class: {
        const char32_t folded = platform::text::FoldCodePoint(c);
        bool inside = false;
        for (const auto& [low, high] : element.ranges) {
            inside = inside || (folded >= low && folded <= high);
        }
        return inside != element.negated;
    }
    case Element::Star:
        return false;
    }
    return false;
}

bool JetLikePattern::Matches(std::string_view text) const
{
    if (m_contains && std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) {
        // Folding ASCII gives ASCII, so an ASCII value holds only an ASCII needle.
        if (!m_asciiNeedle) {
            return false;
        }
        thread_local std::string lowered;
        lowered.assign(text);
        for (char& c : lowered) {
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
        }
        return lowered.find(*m_asciiNeedle) != std::string::npos;
    }
    if (m_contains) {
        thread_local std::u32string folded;
        folded.clear();
        for (size_t pos = 0; pos < text.size();) {
            folded.push_back(platform::text::FoldCodePoint(platform::text::NextCodePoint(text, pos)));
        }
        return folded.find(m_needle) != std::u32string::npos;
    }
    size_t e = 0;
    size_t t = 0;
    size_t starElement = std::string::npos;
    size_t starText = 0;
    while (t < text.size()) {
        if (e < m_elements.size() && m_elements[e].kind == Element::Star) {
            starElement = ++e;
            starText = t;
            continue;
        }
        size_t next = t;
        const char32_t c = platform::text::NextCodePoint(text, next);
        if (e < m_elements.size() && ElementMatches(m_elements[e], c)) {
            ++e;
            t = next;
            continue;
        }
        if (starElement == std::string::npos) {
            return false;
        }
        // The last star takes one more character; everything after it is tried again from there.
        e = starElement;
        platform::text::NextCodePoint(text, starText);
        t = starText;
    }
    while (e < m_elements.size() && m_elements[e].kind == Element::Star) {
        ++e;
    }
    return e == m_elements.size();
}

} // namespace platform::dao
