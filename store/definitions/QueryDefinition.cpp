#include "store/definitions/QueryDefinition.h"

#include <charconv>
#include <cmath>
#include <system_error>

// ---- filter and definition ------------------------------------------------------------------------------

void SearchFilter::SetFolder(const CFolderRecord* folder)
{
    if (folder == nullptr) {
        m_folder.reset();
    } else {
        m_folder = *folder;
    }
}

SearchFilter& QueryDefinition::Filter()
{
    if (!m_filter) {
        m_filter = std::make_unique<SearchFilter>();
    }
    return *m_filter;
}

CCriteriaList& QueryDefinition::CriteriaList()
{
    if (!m_criteriaList) {
        m_criteriaList = std::make_unique<CCriteriaList>();
    }
    return *m_criteriaList;
}

QueryDefinition::QueryDefinition(const QueryDefinition& other)
{
    *this = other;
}

QueryDefinition& QueryDefinition::operator=(const QueryDefinition& other)
{
    if (this == &other) {
        return *this;
    }
    m_first = other.m_first;
    m_second = other.m_second;
    m_name = other.m_name;
    m_filter = other.m_filter ? std::make_unique<SearchFilter>(*other.m_filter) : nullptr;
    m_criteriaList = other.m_criteriaList ? std::make_unique<CCriteriaList>(*other.m_criteriaList) : nullptr;
    return *this;
}

// ---- the stored text -----------------------------------------------------------------------------------

namespace {

// The bracket closing the one at `open`: brackets of the same kind nest, and quoted SQL texts ('...' and
// "...", with doubled quotes inside) are passed over. npos when the brackets do not balance.
size_t FindBalancedClose(std::string_view text, size_t open, char opening, char closing)
{
    int depth = 0;
    for (size_t i = open; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\'' || c == '"') {
            const size_t end = text.find(c, i + 1);
            if (end == std::string_view::npos) {
                return std::string_view::npos;
            }
            i = end; // a doubled quote reads as two quoted texts side by side
        } else if (c == opening) {
            ++depth;
        } else if (c == closing && --depth == 0) {
            return i;
        }
    }
    return std::string_view::npos;
}

// The group that opens at the first `opening` at or after `from`: its text, and where the scan goes on.
struct Group
{
    std::string_view text;
    size_t next = std::string_view::npos;
};

std::optional<Group> NextGroup(std::string_view text, size_t from, char opening, char closing, bool balanced)
{
    const size_t open = text.find(opening, from);
    if (open == std::string_view::npos) {
        return std::nullopt;
    }
    size_t close = balanced ? FindBalancedClose(text, open, opening, closing) : std::string_view::npos;
    if (close == std::string_view::npos) {
        close = text.find(closing, open + 1);
    }
    if (close == std::string_view::npos) {
        return Group{text.substr(open + 1), text.size()};
    }
    return Group{text.substr(open + 1, close - open - 1), close + 1};
}

// The number a group begins with (after blanks, with an optional sign); 0 when there is none or it does
// not fit.
template <typename Number>
Number LeadingNumber(std::string_view text)
{
    const size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) {
        return 0;
    }
    text.remove_prefix(start);
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    }
    Number value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    (void)end;
    return error == std::errc() ? value : 0;
}

} // namespace

std::optional<StoredQueryText> ParseStoredQueryText(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos || text[first] != '{') {
        return std::nullopt;
    }
    StoredQueryText parsed;
    const auto name = NextGroup(text, first, '{', '}', false);
    parsed.name = std::string(name->text);
    const auto body = NextGroup(text, name->next, '{', '}', true);
    if (!body) {
        return parsed;
    }
    if (const auto number = NextGroup(text, body->next, '{', '}', false)) {
        parsed.hasNumber = true;
        parsed.number = LeadingNumber<int>(number->text);
    }
    const auto filter = NextGroup(body->text, 0, '[', ']', true);
    if (!filter) {
        return parsed;
    }
    parsed.hasFilter = true;
    const auto folder = NextGroup(filter->text, 0, '(', ')', false);
    if (!folder) {
        return parsed;
    }
    const double folderNumber = LeadingNumber<double>(folder->text);
    parsed.folderNumber = std::isfinite(folderNumber) ? folderNumber : 0.0;
    const auto dataFile = NextGroup(filter->text, folder->next, '(', ')', false);
    if (!dataFile) {
        return parsed;
    }
    parsed.dataFile = LeadingNumber<int>(dataFile->text);
    if (const auto criteria = NextGroup(filter->text, dataFile->next, '(', ')', true)) {
        parsed.criteria = std::string(criteria->text);
    }
    return parsed;
}

std::string FormatStoredQueryText(std::string_view name, double folderNumber, int dataFile,
                                  std::string_view criteria, int number)
{
    char folder[64];
    const auto written = std::to_chars(folder, folder + sizeof folder, folderNumber);
    std::string text = "{";
    text += name;
    text += "}{[(";
    text.append(folder, written.ptr);
    text += ")(" + std::to_string(dataFile) + ")(";
    text += criteria;
    text += ")]}{" + std::to_string(number) + "}";
    return text;
}
