#pragma once
// One open catalogue. Node references read the catalogue's number from it: the catalogue part of every
// element's code, kept in the settings row's DBNUMBER.

class CCatalogueDb
{
public:
    int GetCatalogueNumber() const { return m_catalogueNumber; }
    void SetCatalogueNumber(int number) { m_catalogueNumber = number; }

private:
    int m_catalogueNumber = 0;
};
