#include "store/records/Record.h"

#include "codecs/CatalogueImage.h"
#include "codecs/TextException.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/text/CaseFold.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/catalogue/CatalogueImageField.h"
#include "store/catalogue/DataRecordset.h"
#include "store/catalogue/SqlText.h"
#include "store/definitions/BuiltinDataFiles.h"
#include "store/definitions/DataFileDef.h"
#include "store/program/TraceLog.h"
#include "store/records/FrameRefresh.h"
#include "store/records/LinkList.h"
#include "store/records/RecordList.h"
#include "store/regional/AmountText.h"
#include "store/regional/DateText.h"
#include "store/regional/DateTimeValue.h"
#include "store/regional/TextUtilities.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>

using namespace platform::dao;

namespace {

constexpr long kRecordFailed = 12101;

void LogFailure(const std::exception& error)
{
    DebugLogNumber(kRecordFailed);
    AppendLogString("Exception ", error.what());
}

char Upper(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// Fields whose column is text: their values are cut to the field's LENGTH.
bool IsTextColumnType(char type)
{
    switch (Upper(type)) {
    case 'D':
    case 'U':
    case 'M':
    case 'P':
        return false;
    default:
        return true;
    }
}

// At most `count` characters of a UTF-8 text.
std::string_view CutCharacters(std::string_view text, size_t count)
{
    size_t at = 0;
    for (size_t taken = 0; taken < count && at < text.size(); ++taken) {
        platform::text::NextCodePoint(text, at);
    }
    return text.substr(0, at);
}

std::string TableOf(const CDataFileDef& definition)
{
    return SqlName(definition.GetFileName());
}

std::string StampOf(std::time_t time)
{
    CDateTimeValue value;
    value.SetFromTime(time);
    return value.FormatCompactTime();
}

// The parts of a stamp written as the program writes it, "YYYYMMDDhh:mm:ss", read without sscanf (a list
// reads two stamps a row); false for any other form.
bool ReadStampParts(std::string_view text, std::tm& parts)
{
    if (text.size() < 16 || text[10] != ':' || text[13] != ':') {
        return false;
    }
    const auto number = [text](size_t from, size_t count, int& out) {
        out = 0;
        for (size_t i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9') {
                return false;
            }
            out = out * 10 + (text[i] - '0');
        }
        return true;
    };
    return number(0, 4, parts.tm_year) && number(4, 2, parts.tm_mon) && number(6, 2, parts.tm_mday) &&
           number(8, 2, parts.tm_hour) && number(11, 2, parts.tm_min) && number(14, 2, parts.tm_sec);
}

// A CREADATE or MODIDATE stamp ("YYYYMMDDhh:mm:ss") as a time value, seconds included; 0 for none.
std::time_t TimeOfStamp(std::string_view text)
{
    if (text.find_first_not_of(' ') == std::string_view::npos) {
        return 0;
    }
    std::tm parts{};
    bool parsed = ReadStampParts(text, parts);
    if (!parsed) {
        const std::string copy(text);
        parsed = std::sscanf(copy.c_str(), "%4d%2d%2d%2d:%2d:%2d", &parts.tm_year, &parts.tm_mon,
                             &parts.tm_mday, &parts.tm_hour, &parts.tm_min, &parts.tm_sec) == 6;
    }
    if (parsed) {
        // Rows written together share their hour: the local-time conversion of an hour is kept, so that
        // a list of thousands of rows does not ask the time zone for every stamp.
        struct Hour
        {
            int year = -1, month = 0, day = 0, hour = 0;
            std::time_t start = 0;
        };
        thread_local Hour cached;
        const int minutes = parts.tm_min;
        const int seconds = parts.tm_sec;
        if (parts.tm_year != cached.year || parts.tm_mon != cached.month || parts.tm_mday != cached.day ||
            parts.tm_hour != cached.hour || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 60) {
            std::tm hour = parts;
            hour.tm_year -= 1900;
            hour.tm_mon -= 1;
            hour.tm_min = 0;
            hour.tm_sec = 0;
            hour.tm_isdst = -1;
            const std::time_t start = std::mktime(&hour);
            if (minutes < 0 || minutes > 59 || seconds < 0 || seconds > 60) {
                hour.tm_min = minutes;
                hour.tm_sec = seconds;
                hour.tm_isdst = -1;
                const std::time_t time = std::mktime(&hour);
                return time < 0 ? 0 : time;
            }
            cached = {parts.tm_year, parts.tm_mon, parts.tm_mday, parts.tm_hour, start};
        }
        const std::time_t time = cached.start + minutes * 60 + seconds;
        return time < 0 ? 0 : time;
    }
    CDateTimeValue value;
    value.SetFromCompactText(text);
    const std::time_t time = value.ToTime();
    return time < 0 ? 0 : time;
}

// The stamp a column of the current row holds, read in place when it is stored as text (a list reads
// two per row).
std::time_t StampTimeOfColumn(CDataRecordset& rs, int column)
{
    const CDaoVariant& value = rs.GetFieldValue(column);
    return value.GetType() == VariantType::Text ? TimeOfStamp(value.GetText())
                                                : TimeOfStamp(CDataRecordset::FieldText(value));
}

bool IsTrue(const CDaoVariant& value)
{
    switch (value.GetType()) {
    case VariantType::Null:
        return false;
    case VariantType::Boolean:
        return value.GetBool();
    default:
        try {
            return value.ChangeType(dbBoolean).GetBool();
        } catch (const std::exception&) {
            return false;
        }
    }
}

// An amount as the record shows it: hundredths in the local currency.
std::string AmountTextOf(std::int64_t tenThousandths)
{
    const bool negative = tenThousandths < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(tenThousandths)
                                             : static_cast<std::uint64_t>(tenThousandths);
    return FormatCurrencyMask(static_cast<std::int64_t>(magnitude / 10000),
                              static_cast<std::int64_t>(magnitude % 10000 / 100), 1, negative, ',', 0);
}

std::int64_t SignedValue(const Amount& amount)
{
    const std::int64_t value = amount.whole * 10000 + amount.tenThousandths;
    return amount.negative ? -value : value;
}

// A number as a decimal text: whole numbers (key codes) without a fraction.
std::string DecimalText(double value)
{
    if (!std::isfinite(value)) {
        return "0";
    }
    char buffer[64];
    if (value == std::floor(value) && std::fabs(value) < 1e18) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value));
        return std::string(buffer, result.ptr);
    }
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// Follows a picture stored as a reference to another record's picture, in the record's catalogue.
class CCataloguePictures final : public CCatalogueImageOwner
{
public:
    explicit CCataloguePictures(CCatalogueDb& catalogue) : m_catalogue(catalogue) {}

    bool LoadReferencedPicture(const std::string& fieldName, double code, CCatalogueImage& picture) override
    {
        CNodeRef key;
        key.SetFromCode(code, &m_catalogue);
        const CDataFileDef* definition = FindDataFile(&m_catalogue, key.GetKind());
        if (definition == nullptr || m_catalogue.GetDatabase() == nullptr) {
            return false;
        }
        CDataRecordset rs(m_catalogue.GetDatabase());
        try {
            rs.OpenQuery(dbOpenDynaset,
                         "Select * from " + TableOf(*definition) +
                             " where deleted = 0 and UID = " + SqlNumber(code),
                         dbReadOnly);
            if (rs.IsEOF() || rs.FindField(fieldName) < 0) {
                return false;
            }
            picture.SetKey(code);
            picture.LoadFromBytes(rs.GetFieldBytes(fieldName), false, fieldName);
            return true;
        } catch (const CTextException&) {
            return false;
        } catch (const std::exception& error) {
            LogFailure(error);
            return false;
        }
    }

private:
    CCatalogueDb& m_catalogue;
};

std::shared_ptr<CCatalogueImage> PictureFromBytes(CCatalogueDb* catalogue,
                                                  const std::vector<std::uint8_t>& bytes,
                                                  const std::string& fieldName)
{
    if (bytes.empty()) {
        return nullptr;
    }
    auto picture = std::make_shared<CCatalogueImage>();
    try {
        if (catalogue != nullptr) {
            CCataloguePictures owner(*catalogue);
            picture->SetOwner(&owner);
            picture->LoadFromBytes(bytes, false, fieldName);
            picture->SetOwner(nullptr);
        } else {
            picture->LoadFromBytes(bytes, false, fieldName);
        }
    } catch (const CTextException& error) {
        DebugLogNumber(kRecordFailed);
        AppendLogNumberAndText(error.GetCode(), error.GetMessage());
        return nullptr;
    }
    return picture->IsValid() ? picture : nullptr;
}

// A copy of a picture for another record: its stored bytes when it was never decoded (so a copy loses
// nothing to a second JPEG encoding), its pixels otherwise. Only in its own catalogue does a picture
// stay a reference to another record's.
std::shared_ptr<CCatalogueImage> CopyPicture(CCatalogueImage& source, bool sameCatalogue)
{
    std::shared_ptr<CCatalogueImage> copy;
    if (source.HasPendingBytes()) {
        copy = std::make_shared<CCatalogueImage>();
        copy->LoadFromBytes(source.GetPendingBytes(), false);
        copy->SetKey(source.GetKey());
    } else {
        copy = std::make_shared<CCatalogueImage>(source);
    }
    copy->SetOwner(nullptr);
    if (!sameCatalogue) {
        copy->SetKey(0.0);
    }
    return copy;
}

} // namespace

const CDataFileDef* FindDataFile(CCatalogueDb* catalogue, int kind)
{
    if (catalogue == nullptr || kind == 0) {
        return nullptr;
    }
    catalogue->LoadDefinitionsIfNeeded();
    return catalogue->FindDefinition(kind);
}

// ---- row columns ---------------------------------------------------------------------------------------

void RecordRowColumns::Find(const CDataRecordset& rs, const CDataFileDef& definition)
{
    parent = rs.FindField("PARENT");
    created = rs.FindField("CREADATE");
    modified = rs.FindField("MODIDATE");
    uid = rs.FindField("UID");
    number = rs.FindField("AUTOINCR");
    deleted = rs.FindField("DELETED");
    fields.assign(static_cast<size_t>(definition.GetFieldCount()), -1);
    for (int i = 0; i < definition.GetFieldCount(); ++i) {
        fields[static_cast<size_t>(i)] = rs.FindField(definition.GetFieldName(i));
    }
}

// ---- construction ------------------------------------------------------------------------------------

CRecord::CRecord(CCatalogueDb* catalogue) : m_catalogue(catalogue), m_key(catalogue) {}

CRecord::CRecord(CCatalogueDb* catalogue, std::pmr::memory_resource* values)
    : m_catalogue(catalogue), m_key(catalogue), m_values(values)
{
}

CRecord::CRecord(const CRecord&) = default;
CRecord& CRecord::operator=(const CRecord&) = default;
CRecord::CRecord(CRecord&&) noexcept = default;
CRecord& CRecord::operator=(CRecord&&) noexcept = default;
CRecord::~CRecord() = default;

// ---- identity ------------------------------------------------------------------------------------------

void CRecord::SetKey(int kind, std::uint32_t number)
{
    m_key.Set(static_cast<std::uint16_t>(kind), number, m_catalogue);
    ForgetFields();
}

bool CRecord::IsSameRecord(const CRecord& other) const
{
    return m_catalogue == other.m_catalogue && GetKind() == other.GetKind() &&
           GetNumber() == other.GetNumber();
}

void CRecord::SetCatalogue(CCatalogueDb* catalogue)
{
    m_catalogue = catalogue;
    m_key.Set(m_key.GetKind(), m_key.GetNumber(), catalogue);
    ForgetFields();
}

const CDataFileDef* CRecord::GetDefinition() const
{
    return FindDataFile(m_catalogue, GetKind());
}

void CRecord::ForgetFields()
{
    m_loaded = false;
    m_loadFailed = false;
    m_fieldsValid = false;
    m_values.clear();
    m_pictures.clear();
    m_storedAmounts.clear();
    m_name.clear();
    m_headerRead = false;
    m_changed = false;
    m_nameFromRow = false;
}

bool CRecord::DropFields()
{
    if (!m_fieldsValid || !m_loaded || m_changed) {
        return false;
    }
    for (const auto& [field, picture] : m_pictures) {
        if (picture.use_count() > 1) {
            return false;
        }
    }
    if (!m_nameFromRow) {
        BuildName();
        m_nameFromRow = true;
    }
    m_values = std::pmr::vector<std::string>(m_values.get_allocator());
    m_pictures.clear();
    m_storedAmounts.clear();
    m_loaded = false;
    m_fieldsValid = false;
    return true;
}

void CRecord::TakeRowHeaderOf(CRecord& read)
{
    m_key = read.m_key;
    m_parent = read.m_parent;
    m_created = read.m_created;
    m_modified = read.m_modified;
    m_checkTime = read.m_checkTime;
    m_headerRead = true;
    m_name = read.BuildName();
    m_nameFromRow = true;
    m_fieldsOnDemand = true;
}

void CRecord::EnsureFields()
{
    if (m_fieldsValid) {
        return;
    }
    if (GetNumber() != 0 && !m_loadFailed) {
        if (m_listLink.list != nullptr && m_listLink.list->ReadFieldsAhead(*this)) {
            return;
        }
        if (LoadFields()) {
            if (m_listLink.list != nullptr) {
                m_listLink.list->FieldsRead(*this);
            }
            return;
        }
        m_loadFailed = true;
    }
    m_values.assign(static_cast<size_t>(GetFieldCount()), std::string());
    m_fieldsValid = true;
}

// ---- system columns ------------------------------------------------------------------------------------

std::time_t CRecord::GetCreationTime()
{
    if (!m_headerRead) {
        EnsureFields();
    }
    return m_created;
}

std::time_t CRecord::GetModificationTime()
{
    if (!m_headerRead) {
        EnsureFields();
    }
    return m_modified;
}

// ---- field descriptors ---------------------------------------------------------------------------------

int CRecord::GetFieldCount() const
{
    const CDataFileDef* definition = GetDefinition();
    return definition != nullptr ? definition->GetFieldCount() : 0;
}

const CFieldDef* CRecord::GetFieldDef(int i) const
{
    const CDataFileDef* definition = GetDefinition();
    if (definition == nullptr || i < 0 || i >= definition->GetFieldCount()) {
        return nullptr;
    }
    return &definition->GetField(i);
}

char CRecord::GetFieldType(int i) const
{
    const CFieldDef* field = GetFieldDef(i);
    return field != nullptr ? field->GetFieldType() : '\0';
}

int CRecord::GetFieldSize(int i) const
{
    const CFieldDef* field = GetFieldDef(i);
    return field != nullptr ? field->GetLength() : 0;
}

std::string CRecord::GetFieldName(int i) const
{
    const CFieldDef* field = GetFieldDef(i);
    return field != nullptr ? field->GetFieldName() : std::string();
}

bool CRecord::IsFieldMemo(int i) const
{
    return Upper(GetFieldType(i)) == 'M';
}

int CRecord::FindFieldByName(std::string_view name) const
{
    const CDataFileDef* definition = GetDefinition();
    return definition != nullptr ? definition->FindFieldByName(name) : -1;
}

int CRecord::FindFieldOfKind(char kind) const
{
    for (int i = 0; i < GetFieldCount(); ++i) {
        if (GetFieldDef(i)->GetKind() == kind) {
            return i;
        }
    }
    return -1;
}

// ---- field values --------------------------------------------------------------------------------------

std::string CRecord::GetFieldText(int i)
{
    EnsureFields();
    return GetRawFieldText(i);
}

std::string CRecord::GetFieldTextByName(std::string_view name)
{
    return GetFieldText(FindFieldByName(name));
}

std::string CRecord::GetRawFieldText(int i) const
{
    if (m_fieldsOnDemand && !m_fieldsValid) {
        // The record is its list's: the values are not held, but they are the record's all the same.
        const_cast<CRecord*>(this)->EnsureFields();
    }
    if (i < 0 || static_cast<size_t>(i) >= m_values.size()) {
        return {};
    }
    return m_values[static_cast<size_t>(i)];
}

std::string CRecord::GetFieldDisplayText(int i)
{
    const CFieldDef* field = GetFieldDef(i);
    if (field == nullptr) {
        return {};
    }
    std::string text = GetFieldText(i);
    if (field->GetFillInType() == 'D') {
        return ReferenceName(text);
    }
    return text;
}

std::string CRecord::ReferenceName(std::string_view code)
{
    const double value = LeadingNumber(code);
    if (value == 0.0 || m_catalogue == nullptr) {
        return {};
    }
    CNodeRef key;
    key.SetFromCode(value, m_catalogue);
    CRecord referenced(m_catalogue);
    if (!referenced.Reload(key.GetKind(), key.GetNumber(), m_catalogue)) {
        return {};
    }
    return std::string(CutCharacters(referenced.GetName(), kReferenceNameCharacters));
}

double CRecord::GetFieldNumber(int i)
{
    const std::string text = GetFieldText(i);
    if (Upper(GetFieldType(i)) == 'U') {
        Amount amount;
        if (!ParseCurrencyText(text, amount)) {
            amount = ParseAmount(text);
        }
        return static_cast<double>(SignedValue(amount)) / 10000.0;
    }
    return LeadingNumber(text);
}

std::time_t CRecord::GetFieldDate(int i)
{
    const std::time_t time = ParseDateText(GetFieldText(i));
    return time > 1 ? time : 0;
}

CNodeRef CRecord::GetFieldKey(int i)
{
    CNodeRef key(m_catalogue);
    key.SetFromCode(LeadingNumber(GetFieldText(i)), m_catalogue);
    return key;
}

std::shared_ptr<CCatalogueImage>* CRecord::PictureSlot(int i)
{
    for (auto& [field, picture] : m_pictures) {
        if (field == i) {
            return &picture;
        }
    }
    return nullptr;
}

std::shared_ptr<CCatalogueImage> CRecord::GetFieldPicture(int i)
{
    EnsureFields();
    std::shared_ptr<CCatalogueImage>* slot = PictureSlot(i);
    return slot != nullptr ? *slot : nullptr;
}

void CRecord::SetFieldPicture(int i, std::shared_ptr<CCatalogueImage> picture)
{
    if (GetFieldDef(i) == nullptr) {
        return;
    }
    EnsureFields();
    m_changed = true;
    if (std::shared_ptr<CCatalogueImage>* slot = PictureSlot(i)) {
        *slot = std::move(picture);
    } else {
        m_pictures.emplace_back(i, std::move(picture));
    }
}

bool CRecord::SetFieldText(int i, std::string_view text)
{
    const CFieldDef* field = GetFieldDef(i);
    if (field == nullptr || Upper(field->GetFieldType()) == 'P') {
        return false;
    }
    EnsureFields();
    if (m_values.size() <= static_cast<size_t>(i)) {
        m_values.resize(static_cast<size_t>(i) + 1);
    }
    std::string& value = m_values[static_cast<size_t>(i)];
    const std::string_view kept =
        IsTextColumnType(field->GetFieldType())
            ? CutCharacters(text, static_cast<size_t>(std::max(field->GetLength(), 0)))
            : text;
    // Compared with regard to case: a change of case alone is a change to keep.
    if (value == kept) {
        return false;
    }
    value = std::string(kept);
    m_name.clear();
    m_changed = true;
    m_nameFromRow = false;
    return true;
}

bool CRecord::SetFieldTextByName(std::string_view name, std::string_view text, bool resolve)
{
    const int i = FindFieldByName(name);
    const CFieldDef* field = GetFieldDef(i);
    if (field == nullptr) {
        return false;
    }
    if (!resolve || field->GetFillInType() != 'D') {
        return SetFieldText(i, text);
    }
    std::string wanted(text);
    TrimTrailingBlanks(wanted);
    if (wanted.empty() || (wanted.size() == 1 && wanted[0] == ' ')) {
        return false;
    }
    const int referral = field->GetReferralFileNumber();
    CRecordList candidates(m_catalogue);
    candidates.LoadFolder(referral, nullptr, false, false);
    for (CRecord* candidate = candidates.GetFirst(); candidate != nullptr; candidate = candidates.GetNext()) {
        if (platform::text::EqualsNoCase(candidate->GetName(), wanted)) {
            return SetFieldFromKey(i, candidate->GetKey());
        }
    }
    CRecord made(m_catalogue);
    made.SetKey(referral, 0);
    made.SetNameText(wanted);
    if (!made.Save(0.0, false)) {
        return false;
    }
    return SetFieldFromKey(i, made.GetKey());
}

bool CRecord::SetFieldNumber(int i, double value)
{
    return SetFieldText(i, DecimalText(value));
}

bool CRecord::SetFieldFromKey(int i, const CNodeRef& key)
{
    return SetFieldText(i, DecimalText(key.GetCode()));
}

void CRecord::CopyFieldsFrom(CRecord& other)
{
    other.EnsureFields();
    if (other.m_catalogue == m_catalogue && other.GetKind() == GetKind()) {
        m_values = other.m_values;
        m_pictures.clear();
        for (const auto& [field, picture] : other.m_pictures) {
            if (picture) {
                m_pictures.emplace_back(field, CopyPicture(*picture, true));
            }
        }
        m_storedAmounts = other.m_storedAmounts;
        m_fieldsValid = true;
        m_changed = true;
        m_name.clear();
        m_nameFromRow = false;
        return;
    }
    EnsureFields();
    for (int i = 0; i < GetFieldCount(); ++i) {
        const int from = other.FindFieldByName(GetFieldName(i));
        if (from < 0) {
            continue;
        }
        if (Upper(GetFieldType(i)) == 'P') {
            if (auto picture = other.GetFieldPicture(from)) {
                SetFieldPicture(i, CopyPicture(*picture, other.m_catalogue == m_catalogue));
            }
        } else {
            SetFieldText(i, other.GetRawFieldText(from));
        }
    }
}

// ---- name ----------------------------------------------------------------------------------------------

const std::string& CRecord::GetName()
{
    if (m_name.size() < 2 && !m_nameFromRow) {
        BuildName();
    }
    return m_name;
}

const std::string& CRecord::BuildName()
{
    const CDataFileDef* definition = GetDefinition();
    m_name.clear();
    if (definition == nullptr) {
        return m_name;
    }
    std::string collected;
    for (int i = 0; i < definition->GetFieldCount(); ++i) {
        if (!definition->IsFieldNameHeader(i)) {
            continue;
        }
        std::string text = GetFieldDisplayText(i);
        TrimTrailingBlanks(text);
        if (text.size() > 1 || (text.size() == 1 && text[0] != ' ')) {
            collected += text + ' ';
        }
    }
    if ((collected.empty() || collected == " ") && definition->GetTableNumber() != 0) {
        collected = GetFieldText(0);
    }
    m_name = std::string(CutCharacters(collected, kNameCharacters));
    if (!m_name.empty() && m_name.back() == ' ') {
        m_name.pop_back();
    }
    return m_name;
}

void CRecord::SetNameText(std::string_view text)
{
    const CDataFileDef* definition = GetDefinition();
    if (definition == nullptr) {
        return;
    }
    std::vector<int> titles;
    for (int i = 0; i < definition->GetFieldCount(); ++i) {
        if (definition->IsFieldNameHeader(i)) {
            titles.push_back(i);
        }
    }
    if (definition->GetTableNumber() != 0 || titles.empty()) {
        SetFieldText(0, text);
        return;
    }
    if (text.find(' ') == std::string_view::npos) {
        SetFieldText(titles.front(), text);
        return;
    }
    std::vector<std::string> words;
    for (size_t at = 0; at <= text.size();) {
        const size_t blank = std::min(text.find(' ', at), text.size());
        if (blank > at) {
            words.emplace_back(text.substr(at, blank - at));
        }
        at = blank + 1;
    }
    const size_t fields = titles.size();
    if (words.size() >= fields) {
        // The first title field takes the words left over at the front.
        const size_t surplus = words.size() - fields;
        std::string first = words[0];
        for (size_t w = 1; w <= surplus; ++w) {
            first += ' ' + words[w];
        }
        SetFieldText(titles[0], first);
        for (size_t f = 1; f < fields; ++f) {
            SetFieldText(titles[f], words[surplus + f]);
        }
        return;
    }
    for (size_t w = 0; w + 1 < words.size(); ++w) {
        SetFieldText(titles[w], words[w]);
    }
    if (!words.empty()) {
        SetFieldText(titles.back(), words.back());
    }
}

// ---- reading the row -----------------------------------------------------------------------------------

bool CRecord::Reload(int kind, std::uint32_t number, CCatalogueDb* catalogue)
{
    m_catalogue = catalogue;
    m_key.Set(static_cast<std::uint16_t>(kind), number, catalogue);
    ForgetFields();
    const CDataFileDef* definition = GetDefinition();
    if (definition == nullptr || catalogue->GetDatabase() == nullptr) {
        return false;
    }
    std::string sql =
        "Select * " + definition->BuildRecNameExpression() + " from " + TableOf(*definition) + " where ";
    if (kind != kQueriesFile) {
        sql += "deleted = 0 and ";
    }
    sql += "UID = " + SqlNumber(m_key.GetCode());
    CDataRecordset rs(catalogue->GetDatabase());
    try {
        rs.OpenQuery(dbOpenDynaset, sql, dbReadOnly);
        if (rs.IsEOF()) {
            return false;
        }
        FillFromRow(rs);
        return true;
    } catch (const std::exception& error) {
        LogFailure(error);
        return false;
    }
}

bool CRecord::Reload()
{
    return Reload(GetKind(), GetNumber(), m_catalogue);
}

bool CRecord::LoadFields()
{
    return GetNumber() != 0 && WithOwnRow([this](CDataRecordset& rs) {
               FillFromRow(rs);
               return true;
           });
}

bool CRecord::WithOwnRow(const std::function<bool(CDataRecordset&)>& use)
{
    const CDataFileDef* definition = GetDefinition();
    if (definition == nullptr || m_catalogue->GetDatabase() == nullptr) {
        return false;
    }
    CDataRecordset rs(m_catalogue->GetDatabase());
    try {
        rs.OpenQuery(dbOpenTable, definition->GetFileName());
        return rs.SeekByNumber(m_key) && use(rs);
    } catch (const std::exception& error) {
        LogFailure(error);
        return false;
    }
}

bool CRecord::FillFromRow(CDataRecordset& rs, bool withNumber, bool headerOnly,
                          const RecordRowColumns* columns)
{
    const CDataFileDef* definition = GetDefinition();
    if (definition == nullptr) {
        return false;
    }
    RecordRowColumns found;
    if (columns == nullptr) {
        found.Find(rs, *definition);
        columns = &found;
    }
    const CDaoVariant& parent = columns->parent >= 0 ? rs.GetFieldValue(columns->parent) : CDaoVariant();
    m_parent = parent.IsNull() ? 0.0 : parent.ChangeType(dbDouble).GetDouble();
    m_created = columns->created >= 0 ? StampTimeOfColumn(rs, columns->created) : 0;
    m_modified = columns->modified >= 0 ? StampTimeOfColumn(rs, columns->modified) : 0;
    if (withNumber && columns->number >= 0 && !rs.GetFieldValue(columns->number).IsNull()) {
        const auto number = rs.GetFieldValue(columns->number).ChangeType(dbLong).GetLong();
        m_key.Set(m_key.GetKind(), static_cast<std::uint32_t>(number), m_catalogue);
    } else if (columns->uid >= 0) {
        CNodeRef fromCode;
        fromCode.SetFromCode(rs.GetFieldValue(columns->uid).ChangeType(dbDouble).GetDouble(), m_catalogue);
        m_key.Set(m_key.GetKind(), fromCode.GetNumber(), m_catalogue);
    }
    m_checkTime = std::time(nullptr);
    m_headerRead = true;
    const bool live = columns->deleted < 0 || !IsTrue(rs.GetFieldValue(columns->deleted));
    if (headerOnly) {
        return live;
    }
    const int count = definition->GetFieldCount();
    m_values.assign(static_cast<size_t>(count), std::string());
    m_pictures.clear();
    m_storedAmounts.clear();
    for (int i = 0; i < count && static_cast<size_t>(i) < columns->fields.size(); ++i) {
        const int column = columns->fields[static_cast<size_t>(i)];
        if (column < 0) {
            continue;
        }
        const CDaoVariant& value = rs.GetFieldValue(column);
        switch (Upper(definition->GetFieldType(i))) {
        case 'P':
            if (value.GetType() == VariantType::Binary) {
                if (auto picture =
                        PictureFromBytes(m_catalogue, value.GetBinary(), definition->GetFieldName(i))) {
                    m_pictures.emplace_back(i, std::move(picture));
                }
            }
            break;
        case 'U':
            if (value.GetType() == VariantType::Currency) {
                m_values[static_cast<size_t>(i)] = AmountTextOf(value.GetCurrency());
                m_storedAmounts.emplace_back(i, value.GetCurrency());
            } else {
                m_values[static_cast<size_t>(i)] = CDataRecordset::FieldText(value);
            }
            break;
        default:
            m_values[static_cast<size_t>(i)] = CDataRecordset::FieldText(value);
            break;
        }
    }
    m_loaded = true;
    m_loadFailed = false;
    m_fieldsValid = true;
    m_changed = false;
    m_name.clear();
    m_nameFromRow = false;
    return live;
}

// ---- writing the row -----------------------------------------------------------------------------------

void CRecord::WriteFields(CDataRecordset& rs)
{
    const CDataFileDef* definition = GetDefinition();
    if (definition == nullptr) {
        return;
    }
    EnsureFields();
    for (int i = 0; i < definition->GetFieldCount(); ++i) {
        const std::string& name = definition->GetFieldName(i);
        if (name.empty() || rs.FindField(name) < 0) {
            continue;
        }
        const std::string text = GetRawFieldText(i);
        switch (Upper(definition->GetFieldType(i))) {
        case 'D':
            rs.SetFieldDateText(name, text);
            break;
        case 'B':
            rs.SetFieldText(name, text.starts_with('1') ? "1" : text.starts_with('0') ? "0" : text);
            break;
        case 'U': {
            if (text.find_first_not_of(' ') == std::string::npos) {
                rs.SetFieldValueNull(name);
                break;
            }
            std::int64_t value = 0;
            bool exact = false;
            for (const auto& [field, stored] : m_storedAmounts) {
                if (field == i && AmountTextOf(stored) == text) {
                    value = stored;
                    exact = true;
                }
            }
            if (!exact) {
                Amount amount;
                if (!ParseCurrencyText(text, amount)) {
                    amount = ParseAmount(text);
                }
                value = SignedValue(amount);
            }
            rs.SetFieldValue(name, CDaoVariant::Currency(value));
            break;
        }
        case 'P': {
            std::shared_ptr<CCatalogueImage>* slot = PictureSlot(i);
            if (slot == nullptr || !*slot) {
                rs.SetFieldValueNull(name);
                break;
            }
            CCatalogueImage& picture = **slot;
            try {
                if (picture.GetKey() == 0.0 && picture.HasPendingBytes()) {
                    // Never decoded, so never changed: its bytes go back as they came, without a second
                    // JPEG encoding that would lose detail at every save.
                    rs.SetFieldBytes(name, picture.GetPendingBytes());
                } else {
                    StoreToField(picture, name, rs, false);
                }
            } catch (const CTextException& error) {
                // Too large to store: the column keeps what it held.
                DebugLogNumber(kRecordFailed);
                AppendLogNumberAndText(error.GetCode(), error.GetMessage());
            }
            break;
        }
        default: // long texts, texts, numbers kept as text
            rs.SetFieldText(name, text);
            break;
        }
    }
    BuildName();
}

bool CRecord::WriteRow(CDataRecordset& rs, double parent, bool newRow, std::time_t created)
{
    if (newRow) {
        rs.AddNew();
        rs.SetFieldText("CREADATE", StampOf(created));
        m_created = created;
    }
    rs.SetFieldDouble("PARENT", parent);
    WriteFields(rs);
    if (GetKind() != kQueriesFile) {
        rs.SetFieldBool("DELETED", false);
    }
    const std::int32_t number = rs.GetFieldLong("AUTOINCR");
    m_key.Set(m_key.GetKind(), static_cast<std::uint32_t>(number), m_catalogue);
    rs.SetFieldDouble("UID", m_key.GetCode());
    return true;
}

bool CRecord::Save(double parent, bool refresh)
{
    const CDataFileDef* definition = GetDefinition();
    if (definition == nullptr || m_catalogue->GetDatabase() == nullptr) {
        return false;
    }
    EnsureFields();
    CDataRecordset rs(m_catalogue->GetDatabase());
    try {
        rs.OpenQuery(dbOpenTable, definition->GetFileName());
        const bool found = GetNumber() != 0 && rs.SeekByNumber(m_key);
        if (found) {
            rs.Edit();
            m_checkTime = TimeOfStamp(rs.GetFieldText("MODIDATE")) + kCheckDelay;
        }
        WriteRow(rs, parent, !found, std::time(nullptr));
        rs.Update();
    } catch (const std::exception& error) {
        LogFailure(error);
        return false;
    }
    m_parent = parent;
    m_modified = std::time(nullptr);
    m_loaded = true;
    m_loadFailed = false;
    if (refresh) {
        RequestFrameRefresh(*this);
    }
    return true;
}

bool CRecord::SaveAs(int kind, double parent, bool refresh)
{
    if (kind != GetKind()) {
        // The values stay; the record becomes a new one of the other data file.
        EnsureFields();
        auto values = std::move(m_values);
        auto pictures = std::move(m_pictures);
        SetKey(kind, 0);
        m_values = std::move(values);
        m_values.resize(static_cast<size_t>(GetFieldCount()));
        m_pictures = std::move(pictures);
        m_fieldsValid = true;
        m_changed = true;
    }
    return Save(parent, refresh);
}

bool CRecord::AddRow(CCatalogueDb& catalogue, int kind, double parent, std::time_t created, double fromUid,
                     CRecord& written, CDataRecordset* open)
{
    const CDataFileDef* definition = FindDataFile(&catalogue, kind);
    if (definition == nullptr || catalogue.GetDatabase() == nullptr) {
        return false;
    }
    std::optional<CDataRecordset> own;
    try {
        if (open == nullptr) {
            own.emplace(catalogue.GetDatabase());
            own->OpenQuery(dbOpenTable, definition->GetFileName());
            open = &*own;
        }
        written.WriteRow(*open, parent, true, created);
        if (fromUid != 0.0) {
            open->SetFieldDouble("FROM-UID", fromUid);
        }
        open->Update();
    } catch (const std::exception& error) {
        if (open != nullptr && open->IsOpen() && open->GetEditMode() != dbEditNone) {
            open->CancelUpdate();
        }
        LogFailure(error);
        return false;
    }
    written.m_parent = parent;
    written.m_modified = std::time(nullptr);
    written.m_loaded = true;
    written.m_loadFailed = false;
    return true;
}

bool CRecord::Insert(double parent)
{
    if (m_catalogue == nullptr) {
        return false;
    }
    EnsureFields();
    if (!AddRow(*m_catalogue, GetKind(), parent, std::time(nullptr), 0.0, *this)) {
        return false;
    }
    RequestFrameRefresh(*this);
    return true;
}

bool CRecord::PrepareCopy(CCatalogueDb& target, int targetKind, CRecord& copy)
{
    const CDataFileDef* targetFile = FindDataFile(&target, targetKind);
    if (targetFile == nullptr || GetDefinition() == nullptr) {
        return false;
    }
    EnsureFields();
    const bool sameCatalogue = &target == m_catalogue;
    copy = CRecord(&target);
    copy.SetKey(targetKind, 0);
    copy.m_values.assign(static_cast<size_t>(targetFile->GetFieldCount()), std::string());
    copy.m_fieldsValid = true;
    const bool ordinary = IsOrdinaryKind(targetKind);
    const int fields = ordinary ? targetFile->GetFieldCount() : std::min(1, targetFile->GetFieldCount());
    for (int j = 0; j < fields; ++j) {
        const std::string& name = targetFile->GetFieldName(j);
        const int i = ordinary ? FindFieldByName(name) : 0;
        if (name.empty() || i < 0 || i >= GetFieldCount()) {
            continue;
        }
        if (Upper(targetFile->GetFieldType(j)) == 'P') {
            if (auto picture = GetFieldPicture(i)) {
                copy.SetFieldPicture(j, CopyPicture(*picture, sameCatalogue));
            }
            continue;
        }
        // A reference names a record of this catalogue: in another one it names that catalogue's record
        // of the same name, made there when there is none.
        if (!sameCatalogue && targetFile->GetFieldFillInType(j) == 'D' &&
            GetFieldDef(i)->GetFillInType() == 'D') {
            const std::string referenced = ReferenceName(GetRawFieldText(i));
            if (!referenced.empty()) {
                copy.SetFieldTextByName(name, referenced, true);
            }
            continue;
        }
        copy.SetFieldText(j, GetRawFieldText(i));
        if (Upper(targetFile->GetFieldType(j)) == 'U') {
            for (const auto& [field, stored] : m_storedAmounts) {
                if (field == i) {
                    copy.m_storedAmounts.emplace_back(j, stored);
                }
            }
        }
    }
    return true;
}

CNodeRef CRecord::CopyToCatalogue(CCatalogueDb& target, int targetKind, double parent, bool refresh)
{
    return CopyInto(target, targetKind, parent, refresh, nullptr);
}

CNodeRef CRecord::CopyInto(CCatalogueDb& target, int targetKind, double parent, bool refresh,
                           CDataRecordset* open)
{
    CRecord copy(&target);
    if (!PrepareCopy(target, targetKind, copy) ||
        !AddRow(target, targetKind, parent, m_created != 0 ? m_created : std::time(nullptr), GetKeyCode(),
                copy, open)) {
        return CNodeRef(&target);
    }
    if (refresh) {
        RequestFrameRefresh(copy);
    }
    return copy.GetKey();
}

CNodeRef CRecord::CopyToMatchingFile(CCatalogueDb& target, double parent, bool refresh)
{
    const CDataFileDef* definition = GetDefinition();
    const int kind = definition != nullptr ? definition->FindMatchingFile(&target) : 0;
    if (kind == 0) {
        return CNodeRef(&target);
    }
    return CopyToCatalogue(target, kind, parent, refresh);
}

void CRecord::CopyChildren(const CNodeRef& newKey, double parent, CCatalogueDb& target, int kind)
{
    if (m_catalogue == nullptr || newKey.GetKind() == 0) {
        return;
    }
    CRecordList children(m_catalogue);
    children.LoadLinkedUids(m_key, 0, false, 0, 0, false);
    const bool sameCatalogue = &target == m_catalogue;
    for (CRecord* child = children.GetFirst(); child != nullptr; child = children.GetNext()) {
        CNodeRef made(&target);
        if (sameCatalogue) {
            if (child->GetKind() == kFileItemsFile) {
                continue;
            }
            if (child->GetKind() == kNotesFile) {
                CRecord duplicate(*child);
                if (!AddRow(target, kNotesFile, child->GetParent(), std::time(nullptr), 0.0, duplicate)) {
                    continue;
                }
                made = duplicate.GetKey();
            } else {
                made = child->GetKey();
            }
        } else if (child->GetKind() == kNotesFile) {
            made = child->CopyToCatalogue(target, kNotesFile, 0.0);
        } else if (child->GetKind() == kind) {
            made = child->CopyToMatchingFile(target, parent);
        }
        if (made.GetKind() != 0) {
            CLinkEntry(&target, newKey.GetKind(), newKey.GetNumber(), &target, made.GetKind(),
                       made.GetNumber())
                .Store(target);
        }
    }
}

bool CRecord::MoveToParent(double parent)
{
    const bool moved = WithOwnRow([&](CDataRecordset& rs) {
        rs.Edit();
        rs.SetFieldDouble("PARENT", parent);
        if (GetKind() != kQueriesFile) {
            rs.SetFieldBool("DELETED", false);
        }
        rs.Update();
        return true;
    });
    if (moved) {
        m_parent = parent;
    }
    return moved;
}

bool CRecord::LinkDeletedMarks(bool deleted)
{
    const std::vector<CLinkEntry> links = m_catalogue->GetLinkList().Entries();
    for (const CLinkEntry& link : links) {
        if (link.GetIn().IsSame(&m_key) || link.GetOut().IsSame(&m_key)) {
            if (deleted) {
                link.MarkDeleted(*m_catalogue);
            } else {
                link.Undelete(*m_catalogue);
            }
        }
    }
    return true;
}

bool CRecord::DeleteFromTable()
{
    bool purged = false;
    const bool deleted = WithOwnRow([&](CDataRecordset& rs) {
        if (GetKind() == kQueriesFile) {
            rs.Delete();
            purged = true;
            return true;
        }
        rs.Edit();
        rs.SetFieldBool("DELETED", true);
        rs.Update();
        return true;
    });
    if (!deleted || purged) {
        return deleted;
    }
    m_catalogue->CountDeletedEntry();
    // Notes and file items attached to the record go with it.
    bool hasAttachments = false;
    CLinkList incoming(m_key, *m_catalogue);
    for (const CLinkEntry& link : incoming.Entries()) {
        const int kind = link.GetOut().GetKind();
        hasAttachments = hasAttachments || kind == kNotesFile || kind == kFileItemsFile;
    }
    LinkDeletedMarks(true);
    if (hasAttachments) {
        for (const int kind : {kNotesFile, kFileItemsFile}) {
            CRecordList attached(m_catalogue);
            attached.LoadLinkedUids(m_key, 0, false, kind, 0, false);
            for (CRecord* record = attached.GetFirst(); record != nullptr; record = attached.GetNext()) {
                record->DeleteFromTable();
            }
        }
    }
    return true;
}

bool CRecord::Undelete()
{
    const bool restored = WithOwnRow([this](CDataRecordset& rs) {
        rs.Edit();
        double parent = rs.GetFieldDouble("PARENT");
        if (parent != 0.0 && m_catalogue->FindFolder(parent) == nullptr) {
            parent = 0.0; // its folder is gone: back to the catalogue's top
        }
        rs.SetFieldDouble("PARENT", parent);
        if (GetKind() != kQueriesFile) {
            rs.SetFieldBool("DELETED", false);
        }
        rs.Update();
        m_parent = parent;
        return true;
    });
    if (!restored) {
        return false;
    }
    m_catalogue->UncountDeletedEntry();
    LinkDeletedMarks(false);
    return true;
}

// ---- delimited text ------------------------------------------------------------------------------------

void CRecord::WriteDelimitedLine(std::ostream& out, char separator, const FieldSelection& selection)
{
    const CDataFileDef* definition = GetDefinition();
    bool first = true;
    for (int i = 0; definition != nullptr && i < definition->GetFieldCount() && i < kMaxFields; ++i) {
        if (!selection.test(static_cast<size_t>(i))) {
            continue;
        }
        const bool bare = Upper(definition->GetFieldType(i)) == 'I';
        std::string text = GetFieldText(i);
        const CFieldDef& field = definition->GetField(i);
        if (field.GetReferralFileNumber() != 0 && LeadingNumber(text) != 0.0) {
            text = ReferenceName(text);
        }
        TrimTrailingBlanks(text);
        if (text.empty()) {
            text = " ";
        }
        if (!first) {
            out << separator;
        }
        first = false;
        if (bare) {
            out << text;
            continue;
        }
        out << '"';
        for (char c : text) {
            out << c;
            if (c == '"') {
                out << '"';
            }
        }
        out << '"';
    }
    out << "\r\n";
}

// ---- ownership -----------------------------------------------------------------------------------------

bool CRecord::IsOwned()
{
    if (m_catalogue == nullptr || m_catalogue->GetDatabase() == nullptr || !m_catalogue->HasOwnedTable()) {
        return false;
    }
    CDataRecordset rs(m_catalogue->GetDatabase());
    try {
        rs.OpenQuery(dbOpenSnapshot, "SELECT UID FROM OWNED WHERE UID = " + SqlNumber(GetKeyCode()));
        return !rs.IsEOF();
    } catch (const std::exception& error) {
        LogFailure(error);
        return false;
    }
}

bool CRecord::SetOwned(bool owned)
{
    if (m_catalogue == nullptr || m_catalogue->GetDatabase() == nullptr || !m_catalogue->HasOwnedTable()) {
        return false;
    }
    CDataRecordset rs(m_catalogue->GetDatabase());
    try {
        if (owned) {
            if (IsOwned()) {
                return true;
            }
            rs.OpenQuery(dbOpenTable, "OWNED");
            rs.AddNew();
            rs.SetFieldDouble("UID", GetKeyCode());
            rs.Update();
            return true;
        }
        rs.OpenQuery(dbOpenDynaset, "SELECT * FROM OWNED WHERE UID = " + SqlNumber(GetKeyCode()));
        while (!rs.IsEOF()) {
            rs.Delete();
            rs.MoveNext();
        }
        return true;
    } catch (const std::exception& error) {
        LogFailure(error);
        return false;
    }
}
