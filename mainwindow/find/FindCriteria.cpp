#include "mainwindow/find/FindCriteria.h"

#include "store/catalogue/SqlText.h"

#include <cctype>
#include <cstdio>

namespace {

constexpr size_t kMaxContainWords = 20;
constexpr size_t kMaxWordBytes = 49;
constexpr std::string_view kIssueYear = "ISSUEYEAR";

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(' ') == std::string_view::npos;
}

// A value inside '...': every ' doubled.
std::string Quoted(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        out += c;
        if (c == '\'') {
            out += '\'';
        }
    }
    return out;
}

// A value inside a Like pattern: quoted, and '[' bracketed so that it cannot open a character class.
// The user's * ? # stay wildcards.
std::string LikeQuoted(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '[') {
            out += "[[]";
        } else {
            out += c;
            if (c == '\'') {
                out += '\'';
            }
        }
    }
    return out;
}

// The operators a field may hand in; anything else compares for equality.
std::string_view KnownOperator(std::string_view op)
{
    for (const std::string_view known : {"=", ">", "<", "LIKE", "CONTAIN"}) {
        if (op == known) {
            return known;
        }
    }
    return "=";
}

// The code as "%f" writes it, cut at the point.
std::string WholeCode(double code)
{
    std::string text = SqlNumber(code);
    return text.substr(0, text.find('.'));
}

// A word of a list, at most kMaxWordBytes, not cut inside a character.
std::string CutWord(std::string_view word)
{
    if (word.size() <= kMaxWordBytes) {
        return std::string(word);
    }
    size_t end = kMaxWordBytes;
    while (end > 0 && (static_cast<unsigned char>(word[end]) & 0xC0) == 0x80) {
        --end;
    }
    return std::string(word.substr(0, end));
}

// Cuts a contain list at every " AND ", " OR " (consumed) and "," (consumed; the blank after it stays).
std::vector<std::string> ContainWords(std::string_view text)
{
    std::vector<std::string> words;
    std::string word;
    size_t i = 0;
    while (i < text.size() && words.size() < kMaxContainWords) {
        size_t skip = 0;
        if (text.compare(i, 5, " AND ") == 0) {
            skip = 5;
        } else if (text.compare(i, 4, " OR ") == 0) {
            skip = 4;
        } else if (text[i] == ',') {
            skip = 1;
        }
        if (skip != 0) {
            words.push_back(CutWord(word));
            word.clear();
            i += skip;
            continue;
        }
        word += text[i++];
    }
    if (words.size() < kMaxContainWords) {
        words.push_back(CutWord(word));
    }
    return words;
}

void AppendLinkList(std::string& criteria, const std::vector<double>& codes)
{
    if (codes.empty()) {
        return;
    }
    const bool empty = !HasCondition(criteria);
    if (!empty) {
        criteria += " AND (";
    }
    for (size_t i = 0; i < codes.size(); ++i) {
        const std::string code = SqlNumber(codes[i]);
        if (i == 0) {
            criteria += empty ? " ( LINK.OID_OUT=" + code + " " : " LINK.OID_OUT=" + code + " ";
        } else {
            criteria += " OR LINK.OID_OUT=" + code + " ";
        }
    }
    criteria += " ) ";
}

void AppendEquals(std::string& criteria, bool empty, const std::string& column, const std::string& value)
{
    criteria += empty ? "  " + column + " ='" + value + "' " : " AND " + column + "  ='" + value + "' ";
}

void AppendSearch(std::string& criteria, const CriteriaField& field)
{
    const std::string text = field.type == 'D' ? std::string("aa") : field.text;
    if (field.type == 'N') {
        if (text != field.caption) {
            // Only the year's digits: the item set reads the year up to the next blank and leaves the
            // rest of the text in the statement.
            std::string digits;
            const size_t begin = text.find_first_not_of(' ');
            for (size_t i = begin; i != std::string::npos && i < text.size() &&
                                   std::isdigit(static_cast<unsigned char>(text[i]));
                 ++i) {
                digits += text[i];
            }
            criteria += " " + std::string(kIssueYear) + " " + digits + " ";
        }
        return;
    }
    if (text.empty() || text == field.caption || IsBlank(text)) {
        return;
    }
    const bool empty = !HasCondition(criteria);
    const std::string& column = field.column;
    if (field.type == 'U') {
        std::string number;
        const std::string value = CurrencyNumber(text, number) ? number : "'" + Quoted(text) + "'";
        const std::string_view op = KnownOperator(field.op);
        if (op == "LIKE") {
            criteria += (empty ? "" : " AND ") + column + " = " + value + " ";
        } else {
            criteria += (empty ? "" : " AND ") + column + " " + std::string(op) + " " + value + " ";
        }
        return;
    }
    if (field.type == 'D') {
        if (!field.op.empty()) {
            criteria += empty ? column + " " + field.op + " " : " AND " + column + " " + field.op;
        }
        return;
    }
    const std::string_view op = KnownOperator(field.op);
    const std::string prefix = empty ? " " : " AND ";
    if (op == "LIKE") {
        criteria += prefix + column + " LIKE '" + LikeQuoted(text) + "*' ";
        return;
    }
    if (op != "CONTAIN") {
        criteria += prefix + column + " " + std::string(op) + " '" + Quoted(text) + "' ";
        return;
    }
    const bool andList = text.find(',') != std::string::npos || text.find(" AND ") != std::string::npos;
    if (!andList && text.find(" OR ") == std::string::npos) {
        criteria += prefix + column + " LIKE '*" + LikeQuoted(text) + "*' ";
        return;
    }
    const std::string connector = andList ? " AND " : " OR ";
    const std::vector<std::string> words = ContainWords(text);
    criteria += empty ? " ( " : " AND ( ";
    for (size_t i = 0; i < words.size(); ++i) {
        if (i == 0) {
            criteria += column + " LIKE '*" + LikeQuoted(words[i]) + "*' ";
        } else {
            criteria += " " + connector + " " + column + " LIKE '*" + LikeQuoted(words[i]) + "*' ";
        }
    }
    criteria += ")";
}

std::string Stamp(CalendarDay day, const char* time)
{
    char text[40];
    std::snprintf(text, sizeof text, "%04d%02d%02d%s", day.year, day.month, day.day, time);
    return text;
}

} // namespace

bool HasCondition(std::string_view criteria)
{
    size_t i = 0;
    while (i < criteria.size()) {
        if (criteria[i] == ' ') {
            ++i;
            continue;
        }
        if (criteria.compare(i, kIssueYear.size(), kIssueYear) != 0) {
            return true;
        }
        // The keyword, its separator and its value up to the next blank.
        i += kIssueYear.size() + 1;
        while (i < criteria.size() && criteria[i] != ' ') {
            ++i;
        }
    }
    return false;
}

bool CurrencyNumber(std::string_view text, std::string& number)
{
    const size_t begin = text.find_first_not_of(' ');
    const size_t end = text.find_last_not_of(' ');
    if (begin == std::string_view::npos) {
        return false;
    }
    const std::string_view value = text.substr(begin, end - begin + 1);
    std::string out;
    bool digits = false;
    bool point = false;
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits = true;
            out += c;
        } else if ((c == '-' || c == '+') && i == 0) {
            out += c;
        } else if ((c == '.' || c == ',') && !point) {
            point = true;
            out += '.';
        } else {
            return false;
        }
    }
    if (!digits) {
        return false;
    }
    number = out;
    return true;
}

void AppendFieldCriteria(std::string& criteria, const CriteriaField& field)
{
    using Kind = CriteriaField::Kind;
    const bool empty = !HasCondition(criteria);
    switch (field.kind) {
    case Kind::kLinkList:
        AppendLinkList(criteria, field.codes);
        break;
    case Kind::kParentChooser:
        if (field.hasChoice && !field.codes.empty() && !field.text.empty() && field.text != field.caption) {
            const std::string value = WholeCode(field.codes.front());
            criteria += empty ? "  " + field.column + " = '" + value + "' "
                              : " AND " + field.column + " ='" + value + "'";
        }
        break;
    case Kind::kChoiceBox:
        if (!field.text.empty() && field.text != field.caption) {
            AppendEquals(criteria, empty, field.column, Quoted(field.text));
        }
        break;
    case Kind::kCheckBox:
        if (field.checked) {
            AppendEquals(criteria, empty, field.column, "T");
        }
        break;
    case Kind::kSearch:
        if (field.fieldIndex <= 100) {
            AppendSearch(criteria, field);
        }
        break;
    }
}

void AppendDataPageCriteria(std::string& criteria, const std::vector<CriteriaField>& fields)
{
    for (size_t i = 0; i < fields.size() && i < kMaxCriteriaEntries; ++i) {
        AppendFieldCriteria(criteria, fields[i]);
    }
}

void AppendDatePageCriteria(std::string& criteria, std::string_view column, DatePageChoice choice,
                            CalendarDay from, CalendarDay to, int count)
{
    const std::string prefix = HasCondition(criteria) ? " AND " : " ";
    const std::string k(column);
    switch (choice) {
    case DatePageChoice::kAnyDate:
        return;
    case DatePageChoice::kOn:
        to = from;
        [[fallthrough]];
    case DatePageChoice::kBetween:
        criteria += prefix + k + " > '" + Stamp(from, "00:00:00") + "' AND " + k + " < '" +
                    Stamp(to, "99:99:99") + "'";
        return;
    case DatePageChoice::kLastMonths:
        criteria += prefix + k + " IN_THE_LAST_MNTS " + std::to_string(count);
        return;
    case DatePageChoice::kLastDays:
        criteria += prefix + k + " IN_THE_LAST_DAYS " + std::to_string(count);
        return;
    }
}

void CSortChoice::Reset(std::string heading)
{
    m_display = std::move(heading);
    m_columns.clear();
    m_currentName.clear();
    m_currentColumn.clear();
}

void CSortChoice::ChooseField(std::string internalName, std::string column)
{
    m_currentName = std::move(internalName);
    m_currentColumn = std::move(column);
}

void CSortChoice::AddCurrent(std::string_view andText)
{
    m_display += m_currentName + std::string(andText);
    m_columns += m_currentColumn + " , ";
}

void CSortChoice::AppendCriteria(std::string& criteria) const
{
    if (m_columns.empty() && m_currentColumn.empty()) {
        return;
    }
    criteria += " ORDER BY " + m_columns + m_currentColumn;
}

CSortChoice& ProgramSortChoice()
{
    static CSortChoice choice;
    return choice;
}
