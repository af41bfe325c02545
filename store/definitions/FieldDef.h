#pragma once
// One field of a data file: its column, how it is filled in and shown, and where it sits on the form.
// A descriptor whose LENGTH is 0 is empty, and the first empty descriptor ends every walk over a data
// file's fields.
//
// Type letters (upper and lower case alike): 'U' currency, 'D' date, 'P' picture, 'M' long text,
// 'B' yes/no, 'I' integer, 'F' fixed text, 'C' text, 'S' and 'T' date and time texts, 'O' other text.
// Kind letters: 'T' telephone, 'E' e-mail, 'W' web address, 'F' fax (and "none set").
//
// Texts keep the byte limits users see in the stored definitions; a cut never splits a character.

#include <string>
#include <string_view>

class CFieldDef
{
public:
    // Stored widths of the texts, in bytes with the terminating zero of the stored form: a text keeps
    // at most width - 1 bytes.
    static constexpr size_t kReferralFieldNameWidth = 11;
    static constexpr size_t kFieldNameWidth = 11;
    static constexpr size_t kClassNameWidth = 20;
    static constexpr size_t kInternalNameWidth = 30;
    static constexpr size_t kGroupedInWidth = 40;

    // An empty descriptor.
    void Reset() { *this = CFieldDef(); }
    void CopyFrom(const CFieldDef& other) { *this = other; }
    // A new field: the title flag letter sets name_header unless it is a blank; additionalFormatting is
    // cleared.
    void Init(int length, char fieldType, char titleFlag, char fillInType, char kind, bool selectionable,
              int referralFileNumber);

    int GetLength() const { return m_length; }
    void SetLength(int length) { m_length = length; }
    char GetFieldType() const { return m_fieldType; }
    void SetFieldType(char type) { m_fieldType = type; }
    char GetFillInType() const { return m_fillInType; }
    void SetFillInType(char type) { m_fillInType = type; }
    char GetKind() const { return m_kind; }
    void SetKind(char kind) { m_kind = kind; }
    bool IsSelectionable() const { return m_selectionable; }
    void SetSelectionable(bool flag = true) { m_selectionable = flag; }
    int GetReferralFileNumber() const { return m_referralFileNumber; }
    void SetReferralFileNumber(int number) { m_referralFileNumber = number; }
    int GetDimension() const { return m_dimension; }
    // True when the value changed.
    bool SetDimension(int dimension);
    char GetAdditionalFormatting() const { return m_additionalFormatting; }
    void SetAdditionalFormatting(char value) { m_additionalFormatting = value; }
    int GetInFirstPage() const { return m_inFirstPage; }
    void SetInFirstPage(int value) { m_inFirstPage = value; }

    const std::string& GetFieldName() const { return m_fieldName; }
    // At most 9 bytes (the form designer's limit; the definition's own setter allows 10).
    void SetFieldName(std::string_view name);
    // At most `maxBytes` bytes, never more than the stored width allows.
    void SetFieldNameLimited(std::string_view name, size_t maxBytes);
    const std::string& GetReferralFieldName() const { return m_referralFieldName; }
    void SetReferralFieldName(std::string_view name);
    const std::string& GetClassName() const { return m_className; }
    void SetClassName(std::string_view name);
    const std::string& GetInternalName() const { return m_internalFieldName; }
    void SetInternalName(std::string_view name);
    // The field name when the text is empty.
    void SetInternalNameOrDefault(std::string_view name);
    const std::string& GetGroupedIn() const { return m_groupedIn; }
    void SetGroupedIn(std::string_view group);

    bool IsColumnHeader() const { return m_columnHeader; }
    void SetColumnHeader(bool flag) { m_columnHeader = flag; }
    bool IsNameHeader() const { return m_nameHeader; }
    void SetNameHeader(bool flag) { m_nameHeader = flag; }
    bool CanBeHeader() const { return m_canBeHeader; }
    void SetCanBeHeader(bool flag) { m_canBeHeader = flag; }
    bool IsExported() const { return m_exportField; }
    void SetExport(bool flag) { m_exportField = flag; }
    bool IsQuickSearch() const { return m_quickSearch; }
    void SetQuickSearch(bool flag) { m_quickSearch = flag; }

    // The group name (the text before ':') and the number after it (0 without ':').
    std::string GetGroupName() const;
    int GetGroupNumber() const;

    bool operator==(const CFieldDef& other) const = default;

private:
    int m_length = 0;
    char m_fieldType = 0;
    char m_fillInType = 0;
    char m_kind = 0;
    bool m_selectionable = false;
    int m_referralFileNumber = 0;
    int m_dimension = 0;
    std::string m_referralFieldName;
    std::string m_fieldName;
    std::string m_className;
    std::string m_internalFieldName;
    char m_additionalFormatting = 0;
    bool m_columnHeader = false;
    bool m_nameHeader = false;
    bool m_canBeHeader = false;
    bool m_exportField = false;
    bool m_quickSearch = false;
    int m_inFirstPage = 0;
    std::string m_groupedIn;
};
