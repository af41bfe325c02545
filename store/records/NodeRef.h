#pragma once
// The key of a catalogue element (a record, a folder, a data file): its catalogue, its kind and its
// number. It converts to and from one double "code", catalogue number × 10,000,000 + kind × 100,000 +
// number, which is how elements are stored in link rows, clipboard entries, web pages and the main
// frame's navigation. Without the valid flag the catalogue takes no part in the code or in comparisons.
// Numbers are held in 32 bits: a data file's rows are numbered past 65,535, and the code has room up to
// 99,999.

#include <cstdint>

class CCatalogueDb;

class CNodeRef
{
public:
    // Valid, kind 0, number 0. The catalogue is not owned.
    explicit CNodeRef(CCatalogueDb* catalogue = nullptr) : m_catalogue(catalogue) {}

    double GetCode() const;
    // Takes the catalogue; valid when the code has a catalogue part. The kind and number are read
    // after taking away the given catalogue's part.
    void SetFromCode(double code, CCatalogueDb* catalogue);

    void Set(std::uint16_t kind, std::uint32_t number, CCatalogueDb* catalogue);
    void SetAll(std::uint16_t kind, std::uint32_t number, CCatalogueDb* catalogue)
    {
        Set(kind, number, catalogue);
    }
    void SetKindAndCatalogue(std::uint16_t kind, CCatalogueDb* catalogue);
    void SetNumber(std::uint32_t number) { m_number = number; }

    std::uint16_t GetKind() const { return m_kind; }
    std::uint32_t GetNumber() const { return m_number; }
    CCatalogueDb* GetCatalogue() const { return m_catalogue; }
    bool IsValid() const { return m_valid; }
    // True when `kind` is not 0 and is this reference's kind.
    bool IsKind(std::uint16_t kind) const { return kind != 0 && kind == m_kind; }

    // The same element: the other's kind is not 0 and equals this kind, the numbers are equal, and, when
    // this reference is valid, so are the catalogues' numbers. False without another.
    bool IsSame(const CNodeRef* other) const;
    // The catalogue's number when valid, else 0.
    int GetCatalogueNumber() const;

private:
    CCatalogueDb* m_catalogue = nullptr;
    bool m_valid = true;
    std::uint16_t m_kind = 0;
    std::uint32_t m_number = 0;
};
