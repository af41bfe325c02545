#include "store/catalogue/DataRecordset.h"

#include "platform/dao/DaoDate.h"
#include "platform/dao/DaoException.h"
#include "store/program/TraceLog.h"
#include "store/records/NodeRef.h"
#include "store/regional/DateText.h"
#include "store/regional/DateTimeValue.h"
#include "store/regional/TextUtilities.h"

#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <optional>
#include <vector>

using platform::dao::CDaoException;
using platform::dao::CDaoVariant;
using platform::dao::VariantType;

namespace {

constexpr long kOpenQueryCheckpoint = 10301;

// The leading decimal integer of a text (0 when there is none), held within the given bounds.
long long LeadingNumber(const std::string& text, long long low, long long high)
{
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return value < low ? low : value > high ? high : value;
}

bool IsBlank(std::string_view text)
{
    for (char c : text) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string FormatCurrencyText(std::int64_t tenThousandths)
{
    const std::int64_t fraction = tenThousandths % 10000;
    const std::int64_t whole = tenThousandths / 10000;
    char text[64];
    std::snprintf(text, sizeof text, "%dA%" PRId64 "B%d", static_cast<int>(fraction % 100), whole,
                  static_cast<int>(fraction / 100));
    return text;
}

std::string FormatDateSerialText(double serial)
{
    const auto parts = platform::dao::DatePartsFromSerial(serial);
    if (!parts) {
        return {};
    }
    std::tm day{};
    day.tm_year = parts->year - 1900;
    day.tm_mon = parts->month - 1;
    day.tm_mday = parts->day;
    return FormatDate(day);
}

void InstallRegionalDateParser()
{
    static std::once_flag installed;
    std::call_once(installed, [] {
        platform::dao::SetDateTextParser(
            [](std::string_view text) -> std::optional<platform::dao::DateParts> {
                const DateNumbers date = SplitDateText(text);
                const platform::dao::DateParts parts{date.year, date.month, date.day};
                if (date.year != 0 && date.month != 0 && date.day != 0 &&
                    platform::dao::DateSerialFromParts(parts)) {
                    return parts;
                }
                // Texts the program writes itself ("YYYY-MM-DD") are read as well.
                return platform::dao::ParseDateTextDefault(text);
            });
    });
}

CDataRecordset::CDataRecordset(platform::dao::CDaoDatabase* database) : CDaoRecordset(database)
{
    InstallRegionalDateParser();
}

CDataRecordset::~CDataRecordset() = default;

void CDataRecordset::OpenQuery(int type, std::string_view sql, int options)
{
    DebugLogString(sql);
    DebugLogNumber(kOpenQueryCheckpoint);
    try {
        Close();
        Open(type, sql, options);
        m_hasRecordName = FindField("recName") >= 0;
    } catch (const CDaoException& error) {
        AppendLogNumberAndText(error.GetErrorCode(), " Exception " + error.GetDescription());
        throw;
    } catch (const std::exception& error) {
        AppendLogString("Exception ", error.what());
        throw;
    }
}

std::string CDataRecordset::GetFieldText(std::string_view name)
{
    if (name.empty()) {
        return {};
    }
    return FieldText(GetFieldValue(name));
}

std::string CDataRecordset::GetFieldText(int index)
{
    return FieldText(GetFieldValue(index));
}

std::string CDataRecordset::FieldText(const CDaoVariant& value)
{
    switch (value.GetType()) {
    case VariantType::Null:
        return {};
    case VariantType::Currency:
        return FormatCurrencyText(value.GetCurrency());
    case VariantType::Date:
        return FormatDateSerialText(value.GetDate());
    default:
        return value.ToText();
    }
}

size_t CDataRecordset::GetFieldTextLength(std::string_view name)
{
    return GetFieldText(name).size();
}

std::int32_t CDataRecordset::GetFieldLong(std::string_view name)
{
    if (name.empty()) {
        return 0;
    }
    const CDaoVariant& value = GetFieldValue(name);
    switch (value.GetType()) {
    case VariantType::Null:
        return 0;
    case VariantType::Short:
        return value.GetShort();
    case VariantType::Long:
        return value.GetLong();
    default:
        return static_cast<std::int32_t>(LeadingNumber(value.ToText(),
                                                       std::numeric_limits<std::int32_t>::min(),
                                                       std::numeric_limits<std::int32_t>::max()));
    }
}

std::int16_t CDataRecordset::GetFieldShort(std::string_view name)
{
    if (name.empty()) {
        return 0;
    }
    const CDaoVariant& value = GetFieldValue(name);
    switch (value.GetType()) {
    case VariantType::Null:
        return 0;
    case VariantType::Boolean:
        return value.GetBool() ? 255 : 0; // the low byte of the engine's -1
    default:
        return static_cast<std::int16_t>(LeadingNumber(value.ToText(), -32768, 32767));
    }
}

std::time_t CDataRecordset::GetFieldTime(std::string_view name)
{
    if (name.empty()) {
        return 0;
    }
    const CDaoVariant& value = GetFieldValue(name);
    CDateTimeValue date;
    if (value.IsNull()) {
        return 0;
    }
    if (value.GetType() == VariantType::Date) {
        const auto parts = platform::dao::DatePartsFromSerial(value.GetDate());
        if (!parts) {
            return 0;
        }
        date.SetYear(parts->year);
        date.SetMonth(parts->month);
        date.SetDay(parts->day);
    } else {
        const std::string text = value.ToText();
        if (IsBlank(text)) {
            return 0;
        }
        date.SetFromCompactText(text);
    }
    const std::time_t time = date.ToTime();
    return time < 0 ? 0 : time; // no date before 1970
}

double CDataRecordset::GetFieldDouble(std::string_view name)
{
    if (name.empty()) {
        return 0.0;
    }
    const CDaoVariant& value = GetFieldValue(name);
    switch (value.GetType()) {
    case VariantType::Null:
        return 0.0;
    case VariantType::Double:
        return value.GetDouble();
    case VariantType::Text:
    case VariantType::Binary:
        return LeadingNumber(value.ToText());
    default:
        return value.ChangeType(platform::dao::dbDouble).GetDouble();
    }
}

std::string CDataRecordset::GetFieldString(std::string_view name)
{
    if (name.empty()) {
        return {};
    }
    return GetFieldValue(name).ToText();
}

void CDataRecordset::SetFieldText(std::string_view name, std::string_view text)
{
    if (name.empty()) {
        return;
    }
    SetFieldValue(name, CDaoVariant(text.empty() ? std::string_view(" ") : text));
}

void CDataRecordset::SetFieldBool(std::string_view name, bool flag)
{
    if (!name.empty()) {
        SetFieldValue(name, CDaoVariant::Boolean(flag));
    }
}

void CDataRecordset::SetFieldCurrency(std::string_view name, std::int64_t whole, std::int64_t hundredths,
                                      std::int64_t tenThousandths)
{
    if (!name.empty()) {
        SetFieldValue(name, CDaoVariant::Currency(whole * 10000 + hundredths * 100 + tenThousandths));
    }
}

void CDataRecordset::SetFieldLong(std::string_view name, long value)
{
    if (name.empty()) {
        return;
    }
    // The number converts to the column's type just as its decimal text would.
    if (value >= std::numeric_limits<std::int32_t>::min() &&
        value <= std::numeric_limits<std::int32_t>::max()) {
        SetFieldValue(name, CDaoVariant::Long(static_cast<std::int32_t>(value)));
    } else {
        SetFieldValue(name, CDaoVariant(std::to_string(value)));
    }
}

void CDataRecordset::SetFieldInt(std::string_view name, int value)
{
    SetFieldLong(name, value);
}

void CDataRecordset::SetFieldDouble(std::string_view name, double value)
{
    if (!name.empty()) {
        SetFieldValue(name, CDaoVariant::Double(value));
    }
}

void CDataRecordset::SetFieldTime(std::string_view name, std::time_t time)
{
    if (name.empty()) {
        return;
    }
    CDateTimeValue date;
    date.SetFromTime(time);
    SetFieldValue(name, CDaoVariant(date.FormatShort()));
}

void CDataRecordset::SetFieldDateText(std::string_view name, std::string_view text)
{
    if (name.empty()) {
        return;
    }
    if (IsBlank(text)) {
        SetFieldValueNull(name); // a cleared date is cleared in the row too
        return;
    }
    const DateNumbers date = SplitDateText(text);
    if (date.year == 0 || date.month == 0 || date.day == 0) {
        return;
    }
    if (const auto serial = platform::dao::DateSerialFromParts({date.year, date.month, date.day})) {
        SetFieldValue(name, CDaoVariant::Date(*serial));
    }
}

void CDataRecordset::SetFieldMemo(std::string_view name, std::string_view text)
{
    if (!name.empty()) {
        SetFieldValue(name, CDaoVariant(std::vector<std::uint8_t>(text.begin(), text.end())));
    }
}

bool CDataRecordset::SeekByNumber(const CNodeRef& ref)
{
    // Only "no such row" is false: a seek that failed (a busy file, a read error) must not pass for a
    // missing row, or a caller would add the record again as a new one.
    if (GetCurrentIndex() != "OID") {
        SetCurrentIndex("OID");
    }
    return Seek("=", CDaoVariant::Double(ref.GetNumber()));
}

namespace {

std::string NowStamp()
{
    CDateTimeValue now;
    now.SetNow();
    return now.FormatCompactTime();
}

} // namespace

void CDataRecordset::StampModified()
{
    Stamp("MODIDATE", NowStamp());
}

void CDataRecordset::StampCreated()
{
    Stamp("CREADATE", NowStamp());
}

void CDataRecordset::Stamp(std::string_view column, const std::string& stamp)
{
    try {
        SetFieldValue(column, CDaoVariant(stamp));
    } catch (const std::exception&) {
    }
}

void CDataRecordset::Update()
{
    const bool created = !GetFieldText("CREADATE").empty();
    const std::string stamp = NowStamp();
    if (!created) {
        Stamp("CREADATE", stamp);
    }
    Stamp("MODIDATE", stamp);
    CDaoRecordset::Update();
}
