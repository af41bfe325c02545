#pragma once
// The program's one recordset: every query and table access on a catalogue goes through it. Beyond the
// engine's recordset it opens SQL with a trace, reads and writes fields by column name with the
// program's conversions, stores an empty text as one blank, keeps long texts as bytes, and stamps the
// creation and modification dates of every row it writes.
//
// A column the rows do not have raises the engine's error (3265) to the caller, as do other engine
// errors of field access; an empty column name reads as nothing and writes nothing.

#include "platform/dao/DaoRecordset.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

class CNodeRef;

class CDataRecordset : public platform::dao::CDaoRecordset
{
public:
    explicit CDataRecordset(platform::dao::CDaoDatabase* database);
    ~CDataRecordset() override;

    // Opens `sql` (or a table) after writing it to the trace log; errors are traced and thrown on.
    void OpenQuery(int type, std::string_view sql, int options = 0);
    // True when the rows have a column "recName" (the record title built by the query).
    bool HasRecordName() const { return m_hasRecordName; }

    // Null reads as "", currency as "%dA%dB%d" (the last two decimals, the whole units, the hundredths:
    // 12.3456 reads 56A12B34; a negative amount carries its sign in each part), a date as the user's
    // short date, any other value as its text (truth values "-1" and "0").
    std::string GetFieldText(std::string_view name);
    // The same by the column's position (FindField), for readers that look their columns up once.
    std::string GetFieldText(int index);
    // The text form above of a value.
    static std::string FieldText(const platform::dao::CDaoVariant& value);
    size_t GetFieldTextLength(std::string_view name);
    // Integers directly, anything else from its leading decimal number; null is 0.
    std::int32_t GetFieldLong(std::string_view name);
    // A truth value gives 0 or 255, anything else its leading decimal number; null is 0.
    std::int16_t GetFieldShort(std::string_view name);
    // The compact date text ("YYMMDD" forms) of the value as a time value; null and no date are 0.
    std::time_t GetFieldTime(std::string_view name);
    double GetFieldDouble(std::string_view name);
    // A long-binary value's bytes as text (whole, however long); null is "".
    std::string GetFieldString(std::string_view name);

    // An empty text is stored as one blank " ".
    void SetFieldText(std::string_view name, std::string_view text);
    void SetFieldBool(std::string_view name, bool flag);
    // whole + (hundredths × 100 + tenThousandths) / 10,000: the three parts of the currency text.
    void SetFieldCurrency(std::string_view name, std::int64_t whole, std::int64_t hundredths,
                          std::int64_t tenThousandths);
    // The signed decimal text of the value, converted to the column's type.
    void SetFieldLong(std::string_view name, long value);
    void SetFieldInt(std::string_view name, int value);
    void SetFieldDouble(std::string_view name, double value);
    // The compact date text "%02d%02d%02d" (years since 1900, month, day) of a time value.
    void SetFieldTime(std::string_view name, std::time_t time);
    // A date typed by the user, stored as a date when year, month and day are all known; a text of
    // blanks clears the field, any other text that is no date leaves it as it is.
    void SetFieldDateText(std::string_view name, std::string_view text);
    // The text's bytes into a long-binary column.
    void SetFieldMemo(std::string_view name, std::string_view text);

    // Makes "OID" the current index and seeks the reference's number: one lookup. False when there is no
    // such row; any other failure throws.
    bool SeekByNumber(const CNodeRef& ref);

    // The current local time as "%04d%02d%02d%02d:%02d:%02d" into MODIDATE or CREADATE; a failure is
    // swallowed.
    void StampModified();
    void StampCreated();

    // Stamps CREADATE when it is empty and always MODIDATE, then writes the row. A table without
    // CREADATE fails here, before the row is written.
    void Update() override;

private:
    void Stamp(std::string_view column, const std::string& stamp);

    bool m_hasRecordName = false;
};

// The currency text of GetFieldText for a count of ten-thousandths.
std::string FormatCurrencyText(std::int64_t tenThousandths);

// The date text of GetFieldText for a serial day number, in the user's short date form; empty when the
// number is no date.
std::string FormatDateSerialText(double serial);

// Makes the database engine read date texts (DateValue() in queries, text written into date columns) by
// the user's regional rules, as the recordset's own date fields do. Every recordset calls it; safe to
// call more than once.
void InstallRegionalDateParser();
