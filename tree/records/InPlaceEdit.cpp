#include "tree/records/InPlaceEdit.h"

#include "platform/text/CaseFold.h"
#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/FieldDef.h"
#include "store/records/ItemSet.h"
#include "store/records/PageFieldDescriptor.h"
#include "store/records/Record.h"
#include "store/regional/DateText.h"
#include "store/regional/TextUtilities.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr int kPixelsPerCharacter = 7;
constexpr int kNumismaticYearWidth = 180;
// Strings: "Error".
constexpr unsigned kErrorCaption = 20552;

char Upper(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

char EditorLetter(CRecord& record, int field, const CFieldDef& def)
{
    switch (Upper(def.GetFieldType())) {
    case 'B':
        return 'B';
    case 'I':
        return 'I';
    default:
        break;
    }
    switch (const char letter = FieldControlLetter(record, field, true)) {
    case 'B': // a button field: the record form's, not the strip's
    case 0:
        return 0;
    default:
        return letter;
    }
}

// The names of the records of a data file, in its set's order: the first field, trailing blanks away.
std::vector<std::string> NamesOfDataFile(CCatalogueDb* catalogue, int dataFile)
{
    std::vector<std::string> names;
    if (catalogue == nullptr || dataFile <= 0) {
        return names;
    }
    CItemSet set = CItemSet::Query(catalogue, dataFile, nullptr, false);
    for (bool more = set.MoveFirst(); more; more = set.MoveNext()) {
        std::string name = set.GetFieldText(0);
        TrimTrailingBlanks(name);
        names.push_back(std::move(name));
    }
    return names;
}

std::string CutToCharacters(const std::string& text, size_t count)
{
    size_t at = 0;
    for (size_t taken = 0; taken < count && at < text.size(); ++taken) {
        platform::text::NextCodePoint(text, at);
    }
    return text.substr(0, at);
}

bool IsWholeNumber(const std::string& text)
{
    const size_t digits = text.starts_with('-') || text.starts_with('+') ? 1 : 0;
    return text.size() > digits &&
           std::all_of(text.begin() + static_cast<std::ptrdiff_t>(digits), text.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

} // namespace

CInPlaceEdit::CInPlaceEdit(CItemSet& set, int rowHeight, int firstColumnWidth, bool quietSave)
    : m_set(set), m_rowHeight(rowHeight), m_quietSave(quietSave)
{
    CRecord* record = set.GetCurrent();
    if (record == nullptr) {
        return;
    }
    record->LoadFields();
    for (int i = 0; i < record->GetFieldCount() && static_cast<int>(m_fields.size()) < kMaxFields; ++i) {
        const CFieldDef* def = record->GetFieldDef(i);
        if (def == nullptr || def->GetLength() == 0) {
            break;
        }
        if (!def->IsNameHeader()) {
            continue;
        }
        InPlaceField field;
        field.editor = EditorLetter(*record, i, *def);
        if (field.editor == 0) {
            continue;
        }
        field.field = i;
        field.maxLength = std::min<int>(def->GetLength(), static_cast<int>(kMaxTextCharacters));
        std::string value = set.GetRawFieldText(i);
        if (field.editor == 'O') {
            value = set.GetFieldText(i);
            field.choices = NamesOfDataFile(set.GetCatalogue(), def->GetReferralFileNumber());
        }
        TrimTrailingBlanks(value);
        // The record form writes "T" and "F"; a yes/no column read back gives "1" and "0".
        field.checked = !value.starts_with('F') && !value.starts_with('f') && !value.starts_with('0');
        const std::string& caption =
            def->GetInternalName().empty() ? def->GetFieldName() : def->GetInternalName();
        field.text = value.empty() && field.editor != 'B' ? caption : value;
        m_fields.push_back(std::move(field));
        m_captions.push_back(caption);
    }
    // A lone editor may take the first column's width.
    const int maxWidth = m_fields.size() == 1 ? std::max(firstColumnWidth - 16, kMaxWidth) : kMaxWidth;
    for (InPlaceField& field : m_fields) {
        const CFieldDef* def = record->GetFieldDef(field.field);
        switch (field.editor) {
        case 'B':
            field.width = std::min(rowHeight, maxWidth);
            break;
        case 'Y':
            field.width = kNumismaticYearWidth;
            break;
        default:
            field.width = std::min(kPixelsPerCharacter * def->GetLength(), maxWidth);
            break;
        }
    }
}

int CInPlaceEdit::GetWidth() const
{
    int width = 0;
    for (const InPlaceField& field : m_fields) {
        width += field.width;
    }
    return width;
}

bool CInPlaceEdit::Accepts(const InPlaceField& field, const std::string& caption, std::string& value) const
{
    switch (field.editor) {
    case 'D':
        // Shows "Wrong Day", "Wrong Month" or "Wrong Year" itself.
        return ValidateDateText(value);
    case 'I':
        if (value.empty() || value == " ") {
            return true;
        }
        if (!IsWholeNumber(value) || static_cast<int>(value.size()) > field.maxLength) {
            platform::ui::ShowMessage(caption + " takes a whole number of at most " +
                                          std::to_string(field.maxLength) + " characters.",
                                      LoadResString(kErrorCaption),
                                      platform::ui::kMbOk | platform::ui::kMbIconError);
            return false;
        }
        return true;
    default:
        return true;
    }
}

bool CInPlaceEdit::Save(const std::vector<std::string>& values)
{
    bool changed = false;
    for (size_t i = 0; i < m_fields.size() && i < values.size(); ++i) {
        const InPlaceField& field = m_fields[i];
        std::string value = CutToCharacters(values[i], kMaxTextCharacters);
        if (field.editor == 'B') {
            m_set.SetFieldText(field.field, Upper(value.empty() ? ' ' : value[0]) == 'T' ? "T" : "F");
            changed = true;
            continue;
        }
        if (platform::text::EqualsNoCase(value, field.text)) {
            continue;
        }
        if (!Accepts(field, m_captions[i], value)) {
            continue;
        }
        if (field.editor == 'O') {
            // A name of the referenced data file: the store finds the record it names.
            const std::string name = m_set.GetFieldName(field.field);
            m_set.SetFieldTextByName(name, value, true);
        } else {
            m_set.SetFieldText(field.field, value);
        }
        changed = true;
    }
    if (!changed) {
        return false;
    }
    return m_set.SaveCurrentUnderOwnParent(!m_quietSave);
}
