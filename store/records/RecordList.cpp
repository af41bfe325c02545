#include "store/records/RecordList.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoWorkspace.h"
#include "platform/text/CaseFold.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/catalogue/DataRecordset.h"
#include "store/catalogue/SqlText.h"
#include "store/definitions/BuiltinDataFiles.h"
#include "store/definitions/DataFileDef.h"
#include "store/program/TraceLog.h"
#include "store/records/FolderRecord.h"
#include "store/records/LinkList.h"
#include "store/regional/AmountText.h"
#include "store/regional/DateText.h"
#include "store/regional/DateTimeValue.h"
#include "store/regional/NumismaticYear.h"
#include "store/regional/TextUtilities.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <map>
#include <numeric>
#include <unordered_map>
#include <utility>

using namespace platform::dao;

namespace {

constexpr long kRecordListFailed = 12102;
// Key codes per UID-list statement.
constexpr size_t kCodesPerStatement = 500;

void LogFailure(const std::exception& error)
{
    DebugLogNumber(kRecordListFailed);
    AppendLogString("Exception ", error.what());
}

std::string TableOf(const CDataFileDef& definition)
{
    return SqlName(definition.GetFileName());
}

// An ORDER BY clause kept in the catalogue (a data file's orderedBy, a folder's ORDERED): used only when
// it is one, so that a damaged text cannot change the statement in any other way.
std::string OrderClause(std::string text)
{
    for (char& c : text) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    const size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos || !platform::text::StartsWithNoCase(text.substr(start), "ORDER BY") ||
        text.find(';') != std::string::npos) {
        return {};
    }
    return " " + text.substr(start);
}

std::string_view TrimSpaces(std::string_view text)
{
    const size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return {};
    }
    return text.substr(start, text.find_last_not_of(' ') - start + 1);
}

// Where the ORDER BY that ends some criteria starts: outside quotes, bracketed names and parentheses,
// at the start of a word. npos when there is none.
size_t TrailingOrderBy(std::string_view criteria)
{
    size_t found = std::string_view::npos;
    int depth = 0;
    char closing = 0;
    for (size_t i = 0; i < criteria.size(); ++i) {
        const char c = criteria[i];
        if (closing != 0) {
            if (c == closing) {
                closing = 0;
            }
        } else if (c == '\'' || c == '"') {
            closing = c;
        } else if (c == '[') {
            closing = ']';
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            --depth;
        } else if (depth == 0 && (i == 0 || criteria[i - 1] == ' ' || criteria[i - 1] == ')') &&
                   platform::text::StartsWithNoCase(criteria.substr(i), "ORDER BY ")) {
            found = i;
        }
    }
    return found;
}

// The codes of the records that a record of an ordinary data file whose table number is 0 links to.
std::unordered_set<double> CodesLinkedFromTableless(CCatalogueDb& catalogue)
{
    std::unordered_set<double> codes;
    for (const CLinkEntry& link : catalogue.GetLinkList().Entries()) {
        const int kind = link.GetOut().GetKind();
        if (!IsOrdinaryKind(kind)) {
            continue;
        }
        const CDataFileDef* definition = FindDataFile(&catalogue, kind);
        if (definition != nullptr && definition->GetTableNumber() == 0) {
            codes.insert(link.GetIn().GetCode());
        }
    }
    return codes;
}

// The index of the last field whose additionalFormatting is 'Y'; -1 when none.
int IssueYearField(const CDataFileDef& definition)
{
    int found = -1;
    for (int i = 0; i < definition.GetFieldCount(); ++i) {
        if (definition.GetFieldAdditionalFormatting(i) == 'Y') {
            found = i;
        }
    }
    return found;
}

// The time a date or time field's text stands for: compact texts ("20010615", "2001061514:30") as the
// program writes them, others as the user's short date; 0 without a date.
std::time_t TimeOfFieldText(const std::string& text)
{
    const size_t digits = std::min(text.find_first_not_of("0123456789"), text.size());
    if (digits >= 6 && digits <= 8) {
        CDateTimeValue value;
        value.SetFromCompactText(text);
        const std::time_t time = value.ToTime();
        return time > 0 ? time : 0;
    }
    const std::time_t time = ParseDateText(text);
    return time > 1 ? time : 0;
}

// What a record sorts by: a number first, then a text (folded, so case does not count). Values of a
// number field that are no plain number ("Nancy", "Info", "n/a") sort after the numbers, as texts: read
// as numbers they could be NaN, which orders nothing, and the sort would not be a valid ordering.
struct SortValue
{
    double number = 0.0;
    std::string text;
    bool isText = false;

    bool operator<(const SortValue& other) const
    {
        if (isText != other.isText) {
            return !isText;
        }
        if (number != other.number) {
            return number < other.number;
        }
        return text < other.text;
    }
};

// A number field's value: a plain decimal number (sign, digits, a point, an exponent) as that number;
// anything else as a text. An empty value is 0, as it always sorted.
SortValue NumberSortValue(const std::string& text)
{
    const std::string_view trimmed = TrimSpaces(text);
    if (trimmed.empty()) {
        return {};
    }
    std::string_view digits = trimmed;
    if (digits.front() == '+' || digits.front() == '-') {
        digits.remove_prefix(1);
    }
    if (!digits.empty() &&
        (std::isdigit(static_cast<unsigned char>(digits.front())) || digits.front() == '.')) {
        double number = 0.0;
        const char* end = trimmed.data() + trimmed.size();
        const char* first = trimmed.front() == '+' ? trimmed.data() + 1 : trimmed.data();
        const auto [stop, error] = std::from_chars(first, end, number);
        if (error == std::errc() && stop == end && std::isfinite(number)) {
            return {number, {}};
        }
    }
    return {0.0, platform::text::FoldCase(text), true};
}

SortValue FieldSortValue(CRecord& record, int field)
{
    const CFieldDef* descriptor = record.GetFieldDef(field);
    if (descriptor == nullptr) {
        return {};
    }
    // An empty value is stored as one blank: trailing blanks do not order.
    std::string text = record.GetFieldText(field);
    text.erase(text.find_last_not_of(' ') + 1);
    switch (std::toupper(static_cast<unsigned char>(descriptor->GetFieldType()))) {
    case 'U':
        return {record.GetFieldNumber(field), {}};
    case 'S':
    case 'T':
    case 'D':
        return {static_cast<double>(TimeOfFieldText(text)), platform::text::FoldCase(text)};
    case 'I':
        return NumberSortValue(text);
    case 'C':
        switch (descriptor->GetAdditionalFormatting()) {
        case 'I':
            return NumberSortValue(text);
        case 'Y':
            return {static_cast<double>(YearNumberOfText(text)), {}};
        default:
            return {0.0, platform::text::FoldCase(text)};
        }
    case 'F':
    case 'O':
    case 'M':
        return {0.0, platform::text::FoldCase(text)};
    default: // yes/no, pictures and unknown letters do not order
        return {};
    }
}

std::map<int, bool>& SortDirections()
{
    static std::map<int, bool> directions;
    return directions;
}

std::unordered_set<double> OwnedCodes(CCatalogueDb& catalogue)
{
    std::unordered_set<double> codes;
    if (catalogue.GetDatabase() == nullptr || !catalogue.HasOwnedTable()) {
        return codes;
    }
    CDataRecordset rs(catalogue.GetDatabase());
    try {
        rs.OpenQuery(dbOpenSnapshot, "SELECT UID FROM OWNED");
        for (; !rs.IsEOF(); rs.MoveNext()) {
            codes.insert(rs.GetFieldDouble("UID"));
        }
    } catch (const std::exception& error) {
        LogFailure(error);
    }
    return codes;
}

} // namespace

// ---- construction and contents -------------------------------------------------------------------------

CRecordList::CRecordList(CCatalogueDb* catalogue) : m_catalogue(catalogue) {}
CRecordList::CRecordList(CRecordList&& other) noexcept
    : m_catalogue(other.m_catalogue), m_blocks(std::move(other.m_blocks)),
      m_records(std::move(other.m_records)), m_identities(std::move(other.m_identities)),
      m_cursor(std::exchange(other.m_cursor, kNone)), m_valuesOnDemand(other.m_valuesOnDemand),
      m_valuesRead(std::move(other.m_valuesRead)), m_readAhead(std::exchange(other.m_readAhead, {}))
{
    LinkRecords();
}

CRecordList& CRecordList::operator=(CRecordList&& other) noexcept
{
    if (this != &other) {
        m_records.clear(); // before the blocks they live in go
        m_catalogue = other.m_catalogue;
        m_blocks = std::move(other.m_blocks);
        m_records = std::move(other.m_records);
        m_identities = std::move(other.m_identities);
        m_cursor = std::exchange(other.m_cursor, kNone);
        m_valuesOnDemand = other.m_valuesOnDemand;
        m_valuesRead = std::move(other.m_valuesRead);
        m_readAhead = std::exchange(other.m_readAhead, {});
        LinkRecords();
    }
    return *this;
}

void CRecordList::LinkRecords()
{
    for (const RecordPtr& record : m_records) {
        record->m_listLink.list = m_valuesOnDemand ? this : nullptr;
    }
}

void CRecordList::FieldsRead(CRecord& record)
{
    m_valuesRead.push_back(&record);
    while (m_valuesRead.size() > kRecordsWithValues) {
        CRecord* oldest = m_valuesRead.front();
        m_valuesRead.pop_front();
        // One changed in memory keeps its values; it no longer counts among the recent ones.
        oldest->DropFields();
    }
}

bool CRecordList::ReadFieldsAhead(CRecord& record)
{
    CCatalogueDb* catalogue = record.GetCatalogue();
    const CDataFileDef* definition = record.GetDefinition();
    if (m_cursor >= m_records.size() || m_records[m_cursor].get() != &record || catalogue == nullptr ||
        catalogue->GetDatabase() == nullptr || definition == nullptr) {
        return false;
    }
    // The walk goes the way the cursor moved since the last record that asked. A record where the last
    // batch left off continues the walk, which then reads a larger batch; any other starts small again.
    const bool continues = m_cursor == m_readAhead.next;
    const bool backward = m_readAhead.lastAsked != kNone && m_cursor < m_readAhead.lastAsked;
    m_readAhead.lastAsked = m_cursor;
    m_readAhead.batch = continues ? std::min(m_readAhead.batch * 2, kMostReadAhead) : kFirstReadAhead;
    // The unread records of the asking record's catalogue and data file, from it on in the walk's
    // direction, looking no further than the list keeps values for.
    std::vector<std::pair<std::uint32_t, CRecord*>> wanted;
    wanted.reserve(m_readAhead.batch);
    size_t at = m_cursor;
    for (size_t looked = 0;
         at < m_records.size() && looked < kRecordsWithValues && wanted.size() < m_readAhead.batch;
         at = backward ? at - 1 : at + 1, ++looked) {
        CRecord& next = *m_records[at];
        if (!next.m_fieldsValid && !next.m_loadFailed && next.GetNumber() != 0 &&
            next.GetKind() == record.GetKind() && next.GetCatalogue() == catalogue) {
            wanted.emplace_back(next.GetNumber(), &next);
        }
    }
    m_readAhead.next = at; // past either end: kNone or the list's size, which no cursor equals
    if (wanted.empty()) {
        return false;
    }
    std::sort(wanted.begin(), wanted.end());
    const std::uint64_t lowest = wanted.front().first;
    const std::uint64_t highest = wanted.back().first;
    // Numbers close together are read as a range of the key, which the engine walks instead of looking
    // each number up; the few rows between them that the list does not want are passed over.
    std::string condition;
    if (highest - lowest < 2 * static_cast<std::uint64_t>(wanted.size())) {
        condition = "AUTOINCR >= " + std::to_string(lowest) + " AND AUTOINCR <= " + std::to_string(highest);
    } else {
        condition = "AUTOINCR IN (";
        for (const auto& [number, unread] : wanted) {
            condition += std::to_string(number) + ",";
        }
        condition.back() = ')';
    }
    try {
        CDataRecordset rs(catalogue->GetDatabase());
        rs.OpenQuery(dbOpenSnapshot, "SELECT * FROM " + TableOf(*definition) + " WHERE " + condition);
        RecordRowColumns columns;
        columns.Find(rs, *definition);
        if (columns.number < 0) {
            return false;
        }
        for (size_t left = wanted.size(); left > 0 && !rs.IsEOF(); rs.MoveNext()) {
            const CDaoVariant& value = rs.GetFieldValue(columns.number);
            if (value.IsNull()) {
                continue;
            }
            const auto number = static_cast<std::uint32_t>(value.ChangeType(dbLong).GetLong());
            const auto found =
                std::lower_bound(wanted.begin(), wanted.end(), number,
                                 [](const auto& entry, std::uint32_t n) { return entry.first < n; });
            if (found == wanted.end() || found->first != number) {
                continue;
            }
            found->second->FillFromRow(rs, true, false, &columns);
            FieldsRead(*found->second);
            --left;
        }
    } catch (const std::exception& error) {
        LogFailure(error);
        return false;
    }
    return record.m_fieldsValid;
}

CRecordList::~CRecordList() = default;

CRecord* CRecordList::RecordBlocks::Make(CRecord&& record)
{
    constexpr size_t kFirstBlock = 64;
    constexpr size_t kLargestBlock = 8192;
    if (m_blocks.empty() || m_used == m_blockSize) {
        m_blockSize = m_blocks.empty() ? kFirstBlock : std::min(m_blockSize * 2, kLargestBlock);
        m_blocks.push_back(std::make_unique_for_overwrite<Slot[]>(m_blockSize));
        m_used = 0;
    }
    CRecord* made = ::new (static_cast<void*>(m_blocks.back()[m_used].bytes)) CRecord(std::move(record));
    ++m_used;
    return made;
}

std::pmr::memory_resource* CRecordList::RecordBlocks::Values()
{
    if (!m_values) {
        m_values = std::make_unique<std::pmr::monotonic_buffer_resource>();
    }
    return m_values.get();
}

void CRecordList::RecordBlocks::Clear()
{
    m_blocks.clear();
    m_values.reset();
    m_blockSize = 0;
    m_used = 0;
}

std::uint64_t CRecordList::IdentitySet::Pack(const Identity& identity) const
{
    const auto found = std::find(m_catalogues.begin(), m_catalogues.end(), identity.catalogue);
    if (found == m_catalogues.end()) {
        return kFree;
    }
    const auto place = static_cast<std::uint64_t>(found - m_catalogues.begin()) + 1;
    return place << 48 | static_cast<std::uint64_t>(identity.kind) << 32 | identity.number;
}

std::uint64_t CRecordList::IdentitySet::Pack(const Identity& identity, bool add)
{
    if (add &&
        std::find(m_catalogues.begin(), m_catalogues.end(), identity.catalogue) == m_catalogues.end()) {
        m_catalogues.push_back(identity.catalogue);
    }
    return std::as_const(*this).Pack(identity);
}

size_t CRecordList::IdentitySet::Hash(std::uint64_t packed)
{
    // The multiplier spreads the numbers, which follow one another, over the table.
    return static_cast<size_t>((packed * 0x9E3779B97F4A7C15ULL) >> 16);
}

size_t CRecordList::IdentitySet::Find(std::uint64_t packed) const
{
    const size_t mask = m_slots.size() - 1;
    size_t slot = Hash(packed) & mask;
    while (m_slots[slot] != kFree && m_slots[slot] != packed) {
        slot = (slot + 1) & mask;
    }
    return slot;
}

void CRecordList::IdentitySet::Reserve(size_t count)
{
    // At most half full, so that probes stay short.
    size_t size = m_slots.empty() ? 64 : m_slots.size();
    while (count * 2 > size) {
        size *= 2;
    }
    if (size != m_slots.size()) {
        Rehash(size);
    }
}

void CRecordList::IdentitySet::Rehash(size_t size)
{
    std::vector<std::uint64_t> slots = std::move(m_slots);
    m_slots.assign(size, kFree);
    for (const std::uint64_t packed : slots) {
        if (packed != kFree) {
            m_slots[Find(packed)] = packed;
        }
    }
}

bool CRecordList::IdentitySet::Insert(const Identity& identity)
{
    Reserve(m_count + 1);
    const std::uint64_t packed = Pack(identity, true);
    const size_t slot = Find(packed);
    if (m_slots[slot] != kFree) {
        return false;
    }
    m_slots[slot] = packed;
    ++m_count;
    return true;
}

bool CRecordList::IdentitySet::Contains(const Identity& identity) const
{
    const std::uint64_t packed = m_count > 0 ? Pack(identity) : kFree;
    return packed != kFree && m_slots[Find(packed)] != kFree;
}

void CRecordList::IdentitySet::Erase(const Identity& identity)
{
    const std::uint64_t packed = m_count > 0 ? Pack(identity) : kFree;
    if (packed == kFree) {
        return;
    }
    const size_t mask = m_slots.size() - 1;
    size_t hole = Find(packed);
    if (m_slots[hole] == kFree) {
        return;
    }
    m_slots[hole] = kFree;
    --m_count;
    // Moves back the entries after the hole that could not take their own slot because of it.
    for (size_t next = (hole + 1) & mask; m_slots[next] != kFree; next = (next + 1) & mask) {
        const size_t home = Hash(m_slots[next]) & mask;
        const bool reachable = hole <= next ? (home <= hole || home > next) : (home <= hole && home > next);
        if (reachable) {
            m_slots[hole] = m_slots[next];
            m_slots[next] = kFree;
            hole = next;
        }
    }
}

void CRecordList::IdentitySet::Clear()
{
    m_slots.clear();
    m_catalogues.clear();
    m_count = 0;
}

CRecordList::Identity CRecordList::IdentityOf(const CRecord& record)
{
    return {record.GetCatalogue(), static_cast<std::uint16_t>(record.GetKind()), record.GetNumber()};
}

CRecord* CRecordList::Append(CRecord&& record)
{
    if (record.GetDefinition() == nullptr) {
        return nullptr;
    }
    const Identity identity = IdentityOf(record);
    if (!m_identities.Insert(identity)) {
        return Find(identity.kind, identity.number, identity.catalogue);
    }
    RecordPtr held(m_blocks.Make(std::move(record)));
    held->SetInList(true);
    held->m_listLink.list = m_valuesOnDemand ? this : nullptr;
    m_records.push_back(std::move(held));
    return m_records.back().get();
}

CRecord* CRecordList::Add(const CRecord& record)
{
    if (Contains(record)) {
        return Find(record.GetKind(), record.GetNumber(), record.GetCatalogue());
    }
    return Append(CRecord(record));
}

CRecord* CRecordList::Add(CRecord&& record)
{
    if (Contains(record)) {
        return Find(record.GetKind(), record.GetNumber(), record.GetCatalogue());
    }
    return Append(std::move(record));
}

bool CRecordList::Contains(int kind, std::uint32_t number, const CCatalogueDb* catalogue) const
{
    if (catalogue != nullptr) {
        return m_identities.Contains({catalogue, static_cast<std::uint16_t>(kind), number});
    }
    return std::any_of(m_records.begin(), m_records.end(), [&](const auto& record) {
        return record->GetKind() == kind && record->GetNumber() == number;
    });
}

bool CRecordList::Contains(const CRecord& record) const
{
    return m_identities.Contains(IdentityOf(record));
}

CRecord* CRecordList::Find(int kind, std::uint32_t number, const CCatalogueDb* catalogue)
{
    for (const auto& record : m_records) {
        if (record->GetKind() == kind && record->GetNumber() == number &&
            (catalogue == nullptr || record->GetCatalogue() == catalogue)) {
            return record.get();
        }
    }
    return nullptr;
}

bool CRecordList::Remove(const CRecord* record)
{
    const auto found = std::find_if(m_records.begin(), m_records.end(),
                                    [record](const auto& held) { return held.get() == record; });
    if (found == m_records.end()) {
        return false;
    }
    const size_t at = static_cast<size_t>(found - m_records.begin());
    std::erase(m_valuesRead, found->get());
    m_identities.Erase(IdentityOf(**found));
    m_records.erase(found);
    if (m_records.empty()) {
        m_cursor = kNone;
    } else if (m_cursor != kNone && m_cursor >= at) {
        // The cursor stays on the record that followed the removed one, else on the one before it.
        if (m_cursor > at || m_cursor >= m_records.size()) {
            m_cursor = m_cursor > at ? m_cursor - 1 : m_records.size() - 1;
        }
    }
    return true;
}

void CRecordList::Merge(const CRecordList& other)
{
    for (const auto& record : other.m_records) {
        if (!Contains(*record)) {
            Append(CRecord(*record));
        }
    }
    m_cursor = m_records.empty() ? kNone : 0;
}

void CRecordList::Clear()
{
    m_valuesRead.clear();
    m_readAhead = {};
    m_records.clear();
    m_blocks.Clear();
    m_identities.Clear();
    m_cursor = kNone;
}

// ---- cursor --------------------------------------------------------------------------------------------

CRecord* CRecordList::GetFirst()
{
    if (m_records.empty()) {
        return nullptr;
    }
    m_cursor = 0;
    return m_records.front().get();
}

CRecord* CRecordList::GetNext()
{
    if (m_cursor == kNone || m_cursor + 1 >= m_records.size()) {
        return nullptr;
    }
    return m_records[++m_cursor].get();
}

CRecord* CRecordList::GetPrev()
{
    if (m_cursor == kNone || m_cursor == 0) {
        return nullptr;
    }
    return m_records[--m_cursor].get();
}

CRecord* CRecordList::GetLast()
{
    if (m_records.empty()) {
        return nullptr;
    }
    m_cursor = m_records.size() - 1;
    return m_records.back().get();
}

CRecord* CRecordList::GetCurrent() const
{
    return m_cursor == kNone || m_cursor >= m_records.size() ? nullptr : m_records[m_cursor].get();
}

bool CRecordList::SetCurrent(const CRecord* record)
{
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (m_records[i].get() == record) {
            m_cursor = i;
            return true;
        }
    }
    return false;
}

CRecord* CRecordList::SetCurrentAt(size_t index)
{
    if (index >= m_records.size()) {
        return nullptr;
    }
    m_cursor = index;
    return m_records[index].get();
}

CRecord* CRecordList::GetAt(size_t index) const
{
    return index < m_records.size() ? m_records[index].get() : nullptr;
}

// ---- loaders -------------------------------------------------------------------------------------------

template <typename Keep>
void CRecordList::Run(const std::string& sql, const CDataFileDef& definition, bool deleted, Keep&& keep,
                      int keepField)
{
    if (m_catalogue == nullptr || m_catalogue->GetDatabase() == nullptr) {
        return;
    }
    const int kind = definition.GetFileNumber();
    const bool inMenu = definition.IsInMenu();
    std::unordered_set<double> linked;
    if (inMenu) {
        linked = CodesLinkedFromTableless(*m_catalogue);
    }
    // The rows go into the list's blocks as they are read; their identities are taken all at once
    // afterwards (also those read before a failure), the table sized once for them.
    std::vector<RecordPtr> read;
    CDataRecordset rs(m_catalogue->GetDatabase());
    try {
        rs.OpenQuery(dbOpenSnapshot, sql);
        RecordRowColumns columns;
        columns.Find(rs, definition);
        // On demand, each row is read into one scratch record, only the columns the name and `keep` need
        // (field 0 names a record of a numbered table without title fields); the list's record takes its
        // identity, system columns and name.
        CRecord scratch(m_catalogue);
        scratch.SetKey(kind, 0);
        if (m_valuesOnDemand) {
            for (int i = 1; i < static_cast<int>(columns.fields.size()); ++i) {
                if (i != keepField && !definition.IsFieldNameHeader(i)) {
                    columns.fields[static_cast<size_t>(i)] = -1;
                }
            }
        }
        for (; !rs.IsEOF(); rs.MoveNext()) {
            CRecord record =
                m_valuesOnDemand ? CRecord(m_catalogue) : CRecord(m_catalogue, m_blocks.Values());
            CRecord& filled = m_valuesOnDemand ? scratch : record;
            record.SetKey(kind, 0);
            const bool live = filled.FillFromRow(rs, true, false, &columns);
            // Stored queries have no waste basket: every row counts.
            if ((kind != kQueriesFile && live == deleted) || !keep(filled)) {
                continue;
            }
            if (m_valuesOnDemand) {
                record.TakeRowHeaderOf(scratch);
            }
            record.SetLinked(inMenu && linked.contains(record.GetKeyCode()));
            read.emplace_back(m_blocks.Make(std::move(record)));
        }
    } catch (const std::exception& error) {
        LogFailure(error);
    }
    m_identities.Reserve(m_records.size() + read.size());
    if (m_records.capacity() < m_records.size() + read.size()) {
        m_records.reserve(std::max(m_records.size() + read.size(), m_records.capacity() * 2));
    }
    for (RecordPtr& record : read) {
        if (m_identities.Insert(IdentityOf(*record))) {
            record->SetInList(true);
            record->m_listLink.list = m_valuesOnDemand ? this : nullptr;
            m_records.push_back(std::move(record));
        }
    }
}

std::string CRecordList::SelectedColumns(const CDataFileDef& definition, int keepField) const
{
    // Only the columns a row read on demand needs, of those the table has: a field added to the data
    // file later may have no column yet. Every column for the built-in data files and whole rows.
    if (!m_valuesOnDemand || !IsOrdinaryKind(definition.GetFileNumber()) || m_catalogue == nullptr ||
        m_catalogue->GetDatabase() == nullptr) {
        return "*";
    }
    std::vector<std::string> names = {"PARENT", "UID", "AUTOINCR", "CREADATE", "MODIDATE", "DELETED"};
    for (int i = 0; i < definition.GetFieldCount(); ++i) {
        if (i == 0 || i == keepField || definition.IsFieldNameHeader(i)) {
            names.push_back(definition.GetFieldName(i));
        }
    }
    std::string columns;
    try {
        CDataRecordset rs(m_catalogue->GetDatabase());
        rs.OpenQuery(dbOpenSnapshot, "SELECT * FROM " + TableOf(definition) + " WHERE 1 = 0");
        for (const std::string& name : names) {
            if (!name.empty() && rs.FindField(name) >= 0 &&
                columns.find(SqlName(name)) == std::string::npos) {
                columns += (columns.empty() ? "" : ", ") + SqlName(name);
            }
        }
    } catch (const std::exception& error) {
        LogFailure(error);
        return "*";
    }
    return columns.empty() ? "*" : columns;
}

void CRecordList::Run(const std::string& sql, const CDataFileDef& definition, bool deleted)
{
    Run(sql, definition, deleted, [](CRecord&) { return true; });
}

void CRecordList::LoadFolder(int dataFile, const CFolderRecord* folder, bool deleted, bool allFolders)
{
    if (dataFile == -1) {
        for (int kind = 1; kind <= CDataFileDef::kLastDataFile; ++kind) {
            LoadFolder(kind, folder, deleted, allFolders);
        }
        return;
    }
    const CDataFileDef* definition = FindDataFile(m_catalogue, dataFile);
    if (definition == nullptr) {
        return;
    }
    const double code = folder != nullptr ? folder->GetNumber() : 0.0;
    const bool queries = dataFile == kQueriesFile;
    std::string sql = "SELECT " + SelectedColumns(*definition) + " " + definition->BuildRecNameExpression() +
                      " FROM " + TableOf(*definition) + " ";
    if (code == 0.0) {
        if (!queries) {
            sql += deleted ? "WHERE  DELETED = True " : "WHERE  DELETED = False ";
        }
    } else {
        sql += "WHERE ";
        sql += !allFolders && code <= 1000.0 ? "( PARENT = " + SqlNumber(code) + " ) "
                                             : "( PARENT = " + SqlNumber(code) + " OR PARENT = 0 )";
        if (!queries) {
            sql += deleted ? "AND ( DELETED = True) " : " AND DELETED = False ";
        }
    }
    if (folder == nullptr) {
        sql += OrderClause(definition->GetOrderedBy());
    } else if (const std::string ordered = OrderClause(folder->GetOrdered()); !ordered.empty()) {
        sql += ordered;
    } else {
        const int n = folder->GetOrderedNumber();
        if (n >= 0 && n < definition->GetFieldCount() &&
            std::toupper(static_cast<unsigned char>(definition->GetFieldType(n))) == 'C') {
            sql += " ORDER BY " + SqlName(definition->GetFieldName(n));
        } else if (n == kSortByName && !definition->BuildNameFieldList().empty()) {
            sql += " ORDER BY " + definition->BuildNameFieldList();
        } else if (n == kSortByFolderName) {
            sql += " ORDER BY PARENT";
        } else if (n == kSortByCreationTime) {
            sql += " ORDER BY CREADATE";
        } else if (n == kSortByModificationTime) {
            sql += " ORDER BY MODIDATE";
        }
    }
    Run(sql + ";", *definition, deleted);
}

std::string CRecordList::BuildCriteriaSql(const CDataFileDef& definition, const CFolderRecord* folder,
                                          bool deleted, std::string_view criteria, bool joinLinks)
{
    const std::string table = TableOf(definition);
    const std::string column = joinLinks ? table + "." : std::string();
    std::string sql =
        joinLinks ? "SELECT DISTINCTROW  " + table + ".* " + definition.BuildRecNameExpression() + " FROM " +
                        table + " INNER JOIN LINK ON " + table + ".UID = LINK.OID_IN WHERE "
                  : "SELECT * " + definition.BuildRecNameExpression() + " FROM " + table + " WHERE ";
    const double code = folder != nullptr ? folder->GetNumber() : 0.0;
    const bool queries = definition.GetFileNumber() == kQueriesFile;
    std::string conditions;
    if (code == 0.0) {
        conditions = queries   ? " 1 = 1 "
                     : deleted ? " " + column + "DELETED = True "
                               : " " + column + "DELETED = False ";
    } else {
        conditions = "( " + column + "PARENT = " + SqlNumber(code) + " OR " + column + "PARENT = 0 )";
        if (!queries) {
            conditions +=
                deleted ? "AND ( " + column + "DELETED = True) " : " AND " + column + "DELETED = False ";
        }
    }
    sql += conditions;
    // The user's criteria go in parentheses, so that an OR in them cannot escape the folder and deleted
    // conditions; a trailing ORDER BY stays outside.
    const size_t order = TrailingOrderBy(criteria);
    const std::string_view condition = TrimSpaces(criteria.substr(0, order));
    if (!condition.empty()) {
        sql += " AND ( ";
        sql += condition;
        sql += " )";
    }
    if (order != std::string_view::npos) {
        sql += " ";
        sql += TrimSpaces(criteria.substr(order));
    }
    return sql + ";";
}

void CRecordList::LoadCriteria(int dataFile, const CFolderRecord* folder, bool deleted,
                               std::string_view criteria, const CriteriaOptions& options)
{
    const CDataFileDef* definition = FindDataFile(m_catalogue, dataFile);
    if (definition == nullptr) {
        return;
    }
    std::string sql = BuildCriteriaSql(*definition, folder, deleted, criteria, options.joinLinks);
    const int yearField = options.hasIssueYear ? IssueYearField(*definition) : -1;
    if (sql.starts_with("SELECT * ")) {
        sql.replace(7, 1, SelectedColumns(*definition, yearField));
    }
    if (!options.hasIssueYear) {
        Run(sql, *definition, deleted);
        return;
    }
    Run(
        sql, *definition, deleted,
        [&](CRecord& record) {
            return yearField >= 0 && HoldsIssueYear(record.GetRawFieldText(yearField), options.issueYear);
        },
        yearField);
}

void CRecordList::LoadSql(std::string_view sql)
{
    // The data file is the table the statement reads: the name before ".*", else the one after "FROM [",
    // else the word after "FROM ".
    std::string table;
    if (const size_t star = sql.find(".*"); star != std::string_view::npos) {
        size_t begin = star;
        while (begin > 0 && sql[begin - 1] != ' ' && sql[begin - 1] != '(' && sql[begin - 1] != ',') {
            --begin;
        }
        table = std::string(sql.substr(begin, star - begin));
    } else if (const size_t from = platform::text::FindNoCase(sql, "FROM [");
               from != std::string_view::npos) {
        const size_t close = sql.find(']', from + 6);
        table = std::string(sql.substr(from + 6, close == std::string_view::npos ? std::string_view::npos
                                                                                 : close - from - 6));
    } else if (const size_t word = platform::text::FindNoCase(sql, "FROM "); word != std::string_view::npos) {
        const size_t begin = sql.find_first_not_of(' ', word + 5);
        if (begin != std::string_view::npos) {
            const size_t end = sql.find_first_of(" ;\r\n", begin);
            table = std::string(
                sql.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin));
        }
    }
    if (table.size() >= 2 && table.front() == '[' && table.back() == ']') {
        table = table.substr(1, table.size() - 2);
    }
    if (m_catalogue == nullptr) {
        return;
    }
    m_catalogue->LoadDefinitionsIfNeeded();
    const CDataFileDef* definition = m_catalogue->FindDefinitionByName(table);
    if (definition == nullptr) {
        return;
    }
    Run(std::string(sql), *definition, false);
}

void CRecordList::LoadSql(std::string_view sql, const CDataFileDef& definition)
{
    Run(std::string(sql), definition, false);
}

void CRecordList::LoadParent(int dataFile, double folderCode)
{
    const CDataFileDef* definition = FindDataFile(m_catalogue, dataFile);
    if (definition == nullptr) {
        return;
    }
    std::string sql = "SELECT " + SelectedColumns(*definition) + " " + definition->BuildRecNameExpression() +
                      " FROM " + TableOf(*definition);
    if (dataFile != kQueriesFile) {
        sql += " WHERE PARENT = " + SqlNumber(folderCode) + " ";
    }
    Run(sql, *definition, false, [folderCode](CRecord& record) { return record.GetParent() == folderCode; });
}

void CRecordList::LoadLinkedUids(const CNodeRef& owner, int highestKind, bool range, int onlyKind,
                                 int excludedKind, bool existingFilesOnly)
{
    if (m_catalogue == nullptr) {
        return;
    }
    std::map<int, std::vector<double>> byKind;
    const CLinkList incoming(owner, *m_catalogue);
    for (const CLinkEntry& link : incoming.Entries()) {
        const int kind = link.GetOut().GetKind();
        if (kind == 0 || kind == excludedKind || (range && (kind < 1 || kind > highestKind)) ||
            (onlyKind != 0 && kind != onlyKind)) {
            continue;
        }
        const CDataFileDef* definition = FindDataFile(m_catalogue, kind);
        if (definition == nullptr || (existingFilesOnly && definition->GetTableNumber() != 0)) {
            continue;
        }
        byKind[kind].push_back(link.GetOut().GetCode());
    }
    for (const auto& [kind, codes] : byKind) {
        const CDataFileDef& definition = *FindDataFile(m_catalogue, kind);
        for (size_t first = 0; first < codes.size(); first += kCodesPerStatement) {
            const size_t last = std::min(codes.size(), first + kCodesPerStatement);
            std::string sql = "Select * from " + TableOf(definition) + " where ";
            if (kind != kQueriesFile) {
                sql += "deleted = 0 and ";
            }
            sql += "UID IN (";
            for (size_t i = first; i < last; ++i) {
                sql += (i == first ? "" : ", ") + SqlNumber(codes[i]);
            }
            Run(sql + ")", definition, false);
        }
    }
}

void CRecordList::LoadLinkWalk(const CNodeRef& owner, int kind, bool existingFilesOnly)
{
    if (m_catalogue == nullptr) {
        return;
    }
    CLinkList links;
    links.LoadLinksFromKind(owner, static_cast<std::uint16_t>(kind), *m_catalogue);
    const std::unordered_set<double> linked = CodesLinkedFromTableless(*m_catalogue);
    for (const CLinkEntry& link : links.Entries()) {
        const CNodeRef& other = link.GetIn();
        const int otherKind = other.GetKind();
        if (otherKind == 99 || otherKind == kNotesFile || otherKind == kItemListsFile) {
            continue;
        }
        const CDataFileDef* definition = FindDataFile(m_catalogue, otherKind);
        if (definition == nullptr || (existingFilesOnly && definition->GetTableNumber() != 0)) {
            continue;
        }
        CRecord record(m_catalogue);
        if (record.Reload(otherKind, other.GetNumber(), m_catalogue)) {
            record.SetLinked(definition->IsInMenu() && linked.contains(record.GetKeyCode()));
            Add(std::move(record));
        }
    }
}

void CRecordList::LoadReverseLinkWalk(const CNodeRef& key, int kind)
{
    if (m_catalogue == nullptr) {
        return;
    }
    CLinkList links;
    links.LoadLinksToKind(key, static_cast<std::uint16_t>(kind), *m_catalogue);
    const std::unordered_set<double> linked = CodesLinkedFromTableless(*m_catalogue);
    for (const CLinkEntry& link : links.Entries()) {
        const CNodeRef& other = link.GetOut();
        const int otherKind = other.GetKind();
        if (otherKind == 99 || otherKind == kNotesFile || otherKind == kItemListsFile) {
            continue;
        }
        const CDataFileDef* definition = FindDataFile(m_catalogue, otherKind);
        CRecord record(m_catalogue);
        if (definition != nullptr && record.Reload(otherKind, other.GetNumber(), m_catalogue)) {
            record.SetLinked(definition->IsInMenu() && linked.contains(record.GetKeyCode()));
            Add(std::move(record));
        }
    }
}

void CRecordList::ComputeLinkedFlags()
{
    if (m_catalogue == nullptr) {
        return;
    }
    const std::unordered_set<double> linked = CodesLinkedFromTableless(*m_catalogue);
    for (const auto& record : m_records) {
        const CDataFileDef* definition = record->GetDefinition();
        record->SetLinked(definition != nullptr && definition->IsInMenu() &&
                          linked.contains(record->GetKeyCode()));
    }
}

std::unordered_set<double> CRecordList::LiveKeyCodes(CCatalogueDb& catalogue, const CDataFileDef& definition)
{
    std::unordered_set<double> codes;
    if (catalogue.GetDatabase() == nullptr || definition.GetFileName().empty()) {
        return codes;
    }
    std::string sql = "SELECT UID FROM " + TableOf(definition);
    if (definition.GetFileNumber() != kQueriesFile) {
        sql += " WHERE DELETED = False";
    }
    CDataRecordset rs(catalogue.GetDatabase());
    try {
        rs.OpenQuery(dbOpenSnapshot, sql + " ;");
        for (; !rs.IsEOF(); rs.MoveNext()) {
            codes.insert(rs.GetFieldDouble("UID"));
        }
    } catch (const std::exception& error) {
        LogFailure(error);
    }
    return codes;
}

// ---- output and the waste basket -----------------------------------------------------------------------

bool CRecordList::WriteToFile(const std::filesystem::path& path, char separator,
                              const FieldSelection& selection)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    for (const auto& record : m_records) {
        record->WriteDelimitedLine(out, separator, selection);
    }
    out.flush();
    return static_cast<bool>(out);
}

int CRecordList::DeleteAll()
{
    int deleted = 0;
    for (const auto& record : m_records) {
        if (record->DeleteFromTable()) {
            ++deleted;
        }
    }
    return deleted;
}

int CRecordList::CopyToCatalogue(CCatalogueDb& target, int targetKind, double parent)
{
    const CDataFileDef* definition = FindDataFile(&target, targetKind);
    if (definition == nullptr || target.GetDatabase() == nullptr) {
        return 0;
    }
    CDaoWorkspace& workspace = target.GetDatabase()->GetWorkspace() != nullptr
                                   ? *target.GetDatabase()->GetWorkspace()
                                   : CDaoWorkspace::Default();
    int copied = 0;
    std::exception_ptr firstError;
    workspace.BeginTrans();
    try {
        CDataRecordset rows(target.GetDatabase());
        rows.OpenQuery(dbOpenTable, definition->GetFileName());
        for (const auto& record : m_records) {
            if (record->CopyInto(target, targetKind, parent, false, &rows).GetKind() != 0) {
                ++copied;
            }
        }
    } catch (const std::exception& error) {
        LogFailure(error);
        firstError = std::current_exception();
    }
    try {
        workspace.CommitTrans();
    } catch (const std::exception& error) {
        // Nothing was copied: the transaction goes, and the error that ended it is the one reported.
        LogFailure(error);
        try {
            workspace.Rollback();
        } catch (const std::exception& failure) {
            LogFailure(failure);
        }
        if (firstError) {
            std::rethrow_exception(firstError);
        }
        throw;
    }
    return copied;
}

// ---- sorting -------------------------------------------------------------------------------------------

template <typename Values>
void CRecordList::ReadSortColumn(int field, Values& values, std::vector<bool>& known)
{
    // The records without their values in memory, by catalogue and data file.
    std::map<std::pair<CCatalogueDb*, int>, std::vector<size_t>> groups;
    for (size_t i = 0; i < m_records.size(); ++i) {
        const CRecord& record = *m_records[i];
        if (!record.HasFieldsInMemory() && record.GetCatalogue() != nullptr) {
            groups[{record.GetCatalogue(), record.GetKind()}].push_back(i);
        }
    }
    for (const auto& [where, rows] : groups) {
        // A few records are read one by one, rather than the whole table's column.
        const CDataFileDef* definition = FindDataFile(where.first, where.second);
        if (rows.size() <= kRecordsWithValues || definition == nullptr ||
            field >= definition->GetFieldCount() || definition->GetFieldName(field).empty() ||
            where.first->GetDatabase() == nullptr) {
            continue;
        }
        std::unordered_map<std::uint32_t, SortValue> byNumber;
        CDataRecordset rs(where.first->GetDatabase());
        try {
            rs.OpenQuery(dbOpenSnapshot, "SELECT AUTOINCR, UID, " + SqlName(definition->GetFieldName(field)) +
                                             " FROM " + TableOf(*definition));
            RecordRowColumns columns;
            columns.Find(rs, *definition);
            CRecord scratch(where.first);
            scratch.SetKey(where.second, 0);
            for (; !rs.IsEOF(); rs.MoveNext()) {
                scratch.FillFromRow(rs, true, false, &columns);
                byNumber[scratch.GetNumber()] = FieldSortValue(scratch, field);
            }
        } catch (const std::exception& error) {
            LogFailure(error);
            continue;
        }
        for (const size_t i : rows) {
            if (const auto found = byNumber.find(m_records[i]->GetNumber()); found != byNumber.end()) {
                values[i] = std::move(found->second);
                known[i] = true;
            }
        }
    }
}

bool CRecordList::GetSortDirection(int key)
{
    const auto found = SortDirections().find(key);
    return found != SortDirections().end() && found->second;
}

bool CRecordList::Sort(int key, bool forced, bool ascending)
{
    bool& stored = SortDirections()[key];
    stored = forced ? ascending : !stored;
    SortRecords(key, stored);
    return stored;
}

bool CRecordList::SortByFieldName(std::string_view name, bool forced, bool ascending)
{
    if (m_records.empty()) {
        return false;
    }
    const int field = m_records.front()->FindFieldByName(name);
    if (field < 0) {
        return false;
    }
    Sort(field, forced, ascending);
    return true;
}

void CRecordList::SortRecords(int key, bool ascending)
{
    std::vector<SortValue> values(m_records.size());
    std::vector<bool> known(m_records.size(), false);
    if (m_valuesOnDemand && key >= 0 && key < kSortByFolderName) {
        ReadSortColumn(key, values, known);
    }
    std::unordered_set<double> owned;
    if (key == kSortByOwned && m_catalogue != nullptr) {
        owned = OwnedCodes(*m_catalogue);
    }
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (known[i]) {
            continue;
        }
        CRecord& record = *m_records[i];
        SortValue& value = values[i];
        switch (key) {
        case kSortByFolderName: {
            const std::string* name = record.GetCatalogue() != nullptr
                                          ? record.GetCatalogue()->GetFolderName(record.GetParent())
                                          : nullptr;
            value.text = name != nullptr ? platform::text::FoldCase(*name) : std::string();
            break;
        }
        case kSortByOwned:
            value.number = owned.contains(record.GetKeyCode()) ? 1.0 : 0.0;
            break;
        case kSortByCreationTime:
            value.number = static_cast<double>(record.GetCreationTime());
            break;
        case kSortByModificationTime:
            value.number = static_cast<double>(record.GetModificationTime());
            break;
        case kSortByName:
            value.text = platform::text::FoldCase(record.GetName());
            break;
        default:
            value = FieldSortValue(record, key);
            break;
        }
    }
    std::vector<size_t> order(m_records.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return ascending ? values[a] < values[b] : values[b] < values[a];
    });
    const CRecord* current = GetCurrent();
    std::vector<RecordPtr> sorted;
    sorted.reserve(m_records.size());
    for (size_t at : order) {
        sorted.push_back(std::move(m_records[at]));
    }
    m_records = std::move(sorted);
    if (current != nullptr) {
        SetCurrent(current);
    }
}
