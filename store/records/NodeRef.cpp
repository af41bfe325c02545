#include "store/records/NodeRef.h"

#include "store/catalogue/CatalogueDb.h"

#include <cmath>

namespace {

int NumberOf(const CCatalogueDb* catalogue)
{
    return catalogue != nullptr ? catalogue->GetCatalogueNumber() : 0;
}

} // namespace

double CNodeRef::GetCode() const
{
    const double local = static_cast<double>(m_kind) * 100000.0 + m_number;
    return m_valid ? static_cast<double>(NumberOf(m_catalogue)) * 10000000.0 + local : local;
}

void CNodeRef::SetFromCode(double code, CCatalogueDb* catalogue)
{
    m_catalogue = catalogue;
    m_valid = std::trunc(code / 10000000.0) != 0;
    const double local = m_valid ? code - static_cast<double>(NumberOf(catalogue)) * 10000000.0 : code;
    const double kind = std::trunc(local / 100000.0);
    m_kind = static_cast<std::uint16_t>(static_cast<long long>(kind));
    m_number = static_cast<std::uint32_t>(static_cast<long long>(std::trunc(local - kind * 100000.0)));
}

void CNodeRef::Set(std::uint16_t kind, std::uint32_t number, CCatalogueDb* catalogue)
{
    m_catalogue = catalogue;
    m_valid = true;
    m_kind = kind;
    m_number = number;
}

void CNodeRef::SetKindAndCatalogue(std::uint16_t kind, CCatalogueDb* catalogue)
{
    m_catalogue = catalogue;
    m_valid = true;
    m_kind = kind;
}

bool CNodeRef::IsSame(const CNodeRef* other) const
{
    if (other == nullptr || other->m_kind == 0 || other->m_kind != m_kind || other->m_number != m_number) {
        return false;
    }
    return !m_valid || NumberOf(m_catalogue) == NumberOf(other->m_catalogue);
}

int CNodeRef::GetCatalogueNumber() const
{
    return m_valid ? NumberOf(m_catalogue) : 0;
}
