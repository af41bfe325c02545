#include "store/records/PageFieldDescriptor.h"

#include "platform/text/CaseFold.h"
#include "store/definitions/FieldDef.h"
#include "store/records/ItemSet.h"
#include "store/records/Record.h"

#include <cctype>

namespace {

char Upper(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

std::string CutToCharacters(std::string text, size_t count)
{
    size_t at = 0;
    for (size_t taken = 0; taken < count && at < text.size(); ++taken) {
        platform::text::NextCodePoint(text, at);
    }
    text.resize(at);
    return text;
}

bool IsButtonField(const CFieldDef& field)
{
    std::string name = field.GetFieldName();
    for (char& c : name) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return field.GetLength() == 2 && name.find("button") != std::string::npos;
}

bool IsReference(const CFieldDef& field)
{
    return field.GetFillInType() == 'D' || field.GetReferralFileNumber() > 10;
}

} // namespace

char FieldControlLetter(CRecord& record, int field, bool forButton)
{
    const CFieldDef* def = record.GetFieldDef(field);
    if (def == nullptr) {
        return 0;
    }
    switch (Upper(def->GetFieldType())) {
    case 'D':
        return 'D';
    case 'T':
        return 'T';
    case 'U':
        return 'U';
    default:
        break;
    }
    if (IsReference(*def)) {
        return 'O';
    }
    if (forButton && def->GetAdditionalFormatting() == 'Y') {
        return 'Y';
    }
    if (forButton && IsButtonField(*def)) {
        return 'B';
    }
    if (def->GetKind() == 'T') {
        return 'P';
    }
    if (forButton && def->GetKind() == 'W') {
        return 'W';
    }
    return 'E';
}

bool FillFieldDescriptor(CRecord& record, int field, bool forButton, PageFieldDescriptor& descriptor)
{
    const CFieldDef* def = record.GetFieldDef(field);
    if (def == nullptr) {
        return false;
    }
    descriptor = PageFieldDescriptor{};
    descriptor.length = def->GetLength();
    descriptor.control = FieldControlLetter(record, field, forButton);
    descriptor.displayText =
        CutToCharacters(record.GetFieldDisplayText(field), PageFieldDescriptor::kDisplayCharacters);
    descriptor.internalName = def->GetInternalName();
    descriptor.fieldIndex = field;
    if (descriptor.control == 'O' || descriptor.control == 'B') {
        descriptor.referencedFile = def->GetReferralFileNumber();
    }
    return true;
}

size_t FillTitleFieldDescriptors(CRecord& record, std::span<PageFieldDescriptor> descriptors)
{
    size_t filled = 0;
    for (int i = 0; i < record.GetFieldCount() && filled < descriptors.size(); ++i) {
        const CFieldDef* def = record.GetFieldDef(i);
        if (def == nullptr) {
            break;
        }
        if (def->IsNameHeader() && FillFieldDescriptor(record, i, false, descriptors[filled])) {
            ++filled;
        }
    }
    return filled;
}

size_t WriteFirstLinksHtml(CItemSet& set, std::span<PageFieldDescriptor> descriptors)
{
    return set.MoveFirst() ? FillTitleFieldDescriptors(*set.GetCurrent(), descriptors) : 0;
}

bool WriteFirstButtonsHtml(CItemSet& set, PageFieldDescriptor& descriptor, int field)
{
    return set.MoveFirst() && FillFieldDescriptor(*set.GetCurrent(), field, true, descriptor);
}
