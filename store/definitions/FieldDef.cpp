#include "store/definitions/FieldDef.h"

#include "platform/text/CaseFold.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

using platform::text::TruncateUtf8;

namespace {

std::string Cut(std::string_view text, size_t width)
{
    return std::string(TruncateUtf8(text, width - 1));
}

} // namespace

void CFieldDef::Init(int length, char fieldType, char titleFlag, char fillInType, char kind,
                     bool selectionable, int referralFileNumber)
{
    m_length = length;
    m_fieldType = fieldType;
    m_nameHeader = titleFlag != ' ';
    m_fillInType = fillInType;
    m_kind = kind;
    m_selectionable = selectionable;
    m_referralFileNumber = referralFileNumber;
    m_additionalFormatting = 0;
}

bool CFieldDef::SetDimension(int dimension)
{
    const bool changed = dimension != m_dimension;
    m_dimension = dimension;
    return changed;
}

void CFieldDef::SetFieldName(std::string_view name)
{
    SetFieldNameLimited(name, 9);
}

void CFieldDef::SetFieldNameLimited(std::string_view name, size_t maxBytes)
{
    m_fieldName = TruncateUtf8(name, std::min(maxBytes, kFieldNameWidth - 1));
}

void CFieldDef::SetReferralFieldName(std::string_view name)
{
    m_referralFieldName = Cut(name, kReferralFieldNameWidth);
}

void CFieldDef::SetClassName(std::string_view name)
{
    m_className = Cut(name, kClassNameWidth);
}

void CFieldDef::SetInternalName(std::string_view name)
{
    m_internalFieldName = Cut(name, kInternalNameWidth);
}

void CFieldDef::SetInternalNameOrDefault(std::string_view name)
{
    SetInternalName(name.empty() ? std::string_view(m_fieldName) : name);
}

void CFieldDef::SetGroupedIn(std::string_view group)
{
    m_groupedIn = Cut(group, kGroupedInWidth);
}

std::string CFieldDef::GetGroupName() const
{
    return m_groupedIn.substr(0, m_groupedIn.find(':'));
}

int CFieldDef::GetGroupNumber() const
{
    const size_t colon = m_groupedIn.find(':');
    if (colon == std::string::npos) {
        return 0;
    }
    const long number = std::strtol(m_groupedIn.c_str() + colon + 1, nullptr, 10);
    return static_cast<int>(std::clamp<long>(number, INT_MIN, INT_MAX));
}
