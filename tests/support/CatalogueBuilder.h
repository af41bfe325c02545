#pragma once
// Test catalogues, made through the store itself. A catalogue file holds its settings row, its fixed
// tables (folders, texts, pictures, fonts, links, queries), one table per data file, and the
// definitions of those data files in its "metaData.txt" text. CatalogueBuilder writes such a file;
// the functions below it add folders, records and links to an open catalogue.
//
//     const auto path = CatalogueBuilder(folder / "coins.ctg")
//                           .Number(3)
//                           .DataFile(CoinsFile())
//                           .Build();
//     CCatalogueDb catalogue(path);
//     const double france = catalogue.AddFolder("France", 0, 1)->GetNumber();
//     const CNodeRef coin = AddRecord(catalogue, 1, france, {{"NAME", "Franc"}, {"YEAR", "1960"}});
//
// MakeTypicalCatalogue builds a complete one in one line: several data files with fields of every type
// letter, folders in levels, records, links, pictures, a form and the template texts.

#include "store/records/NodeRef.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CCatalogueDb;
class CDataFileDef;
class CDataRecordset;

namespace lumarc::test {

// One field of a data file. The type letter decides the column (see CreateDataTable).
struct FieldSpec
{
    std::string name;
    char type = 'C';
    int length = 40;
    bool title = false;    // part of the record's name (name_header)
    char fillInType = 'F'; // 'D' for a reference to the records of another data file
    char kind = 'F';       // 'T' telephone, 'E' e-mail, 'W' web address, 'F' none
    int referralFileNumber = 0;
    bool columnHeader = false;
    bool canBeHeader = true;
};

struct DataFileSpec
{
    int number = 1;
    std::string table;    // the table's name (the definition's fileName)
    std::string menuName; // the name users see
    std::vector<FieldSpec> fields;
    std::string strongName;
    int tableNumber = 0; // not 0: a lookup table, whose rows a new catalogue copies
    bool onlyChild = false;
    std::string description;
};

class CatalogueBuilder
{
public:
    explicit CatalogueBuilder(std::filesystem::path file);

    CatalogueBuilder& Name(std::string name);
    CatalogueBuilder& Number(int dbNumber);
    CatalogueBuilder& Version(int version);
    CatalogueBuilder& Id(int id);
    CatalogueBuilder& Comment(std::string comment);
    // Encrypts the finished file with this password.
    CatalogueBuilder& Password(std::string password);
    CatalogueBuilder& WithoutOwnedTable();
    CatalogueBuilder& DataFile(DataFileSpec file);

    // Writes the file (which must not exist yet) and returns its path.
    std::filesystem::path Build() const;

private:
    std::filesystem::path m_file;
    std::string m_name = "Test catalogue";
    int m_number = 1;
    int m_version = 0;
    int m_id = 1;
    std::string m_comment;
    std::string m_password;
    bool m_owned = true;
    std::vector<DataFileSpec> m_files;
};

// Data files of a coin catalogue. Coins have a field of every type letter (C I U D P M B F S T O, and a
// reference to a country).
DataFileSpec CoinsFile(int number = 1);
DataFileSpec CountriesFile(int number = 2);
DataFileSpec AddressesFile(int number = 3);

// The definition of a data file as the store keeps it, bound to the catalogue (not yet stored there).
CDataFileDef DefinitionOf(CCatalogueDb& catalogue, const DataFileSpec& file);

// Creates the table of a data file through the store, as its definition describes it.
void CreateDataTable(CCatalogueDb& catalogue, const DataFileSpec& file);

// Adds live records of one data file through one open table; for many records, wrap the adding in a
// transaction (CDaoWorkspace::Default().BeginTrans / CommitTrans).
class RecordWriter
{
public:
    RecordWriter(CCatalogueDb& catalogue, int kind);
    ~RecordWriter();
    // A record under the folder NUMBER `parent` (0: the catalogue itself), with field values as text
    // (picture fields take the picture's bytes). Returns its key.
    CNodeRef Add(double parent, const std::map<std::string, std::string>& values = {});

private:
    CCatalogueDb& m_catalogue;
    int m_kind;
    std::unique_ptr<CDataRecordset> m_rows;
};

CNodeRef AddRecord(CCatalogueDb& catalogue, int kind, double parent,
                   const std::map<std::string, std::string>& values = {});

// Links `from` to `to` (a LINK row, through the store).
void AddLink(CCatalogueDb& catalogue, const CNodeRef& to, const CNodeRef& from);

// Whether the record's row exists and is not marked deleted.
bool IsLiveRecord(CCatalogueDb& catalogue, const CNodeRef& key);

// The bytes of a small picture made by ImageMagick: `spec` as convert reads it ("-size 16x16
// xc:gold"), `format` its output format ("png", "jpg", "bmp").
std::vector<std::uint8_t> MakePictureBytes(const std::string& spec, const std::string& format);

// A record's data file and number, to find it again in a catalogue opened later.
struct RecordKey
{
    int kind = 0;
    std::uint32_t number = 0;
    CNodeRef In(CCatalogueDb& catalogue) const;
};

// What MakeTypicalCatalogue made, catalogue number 3:
//   data files  1 Coins (every type letter), 2 Countries (a lookup table), 3 Addresses (phone, fax,
//               e-mail and web fields)
//   folders     Europe (all kinds) > Germany (coins) > Prussia (coins); Europe > France (coins);
//               Asia (all kinds)
//   records     coins franc (France), mark (Germany), thaler (Prussia), ducat (no folder, with a
//               JPEG picture); countries germanyCountry and franceCountry; the address dealer; the
//               item list "Wanted"
//   links       each coin to its country; the dealer to the thaler; the thaler to the list
//   pictures    1 and its companion 1001 (the icons of data file 1), PNG
//   form        "231F" with an element per coin field and its control data, using font 1
//   texts       web templates (default "coin.htm" for coins), report templates, page formats, and
//               the stored query "Old coins" in Europe, searching Europe: coins before 1900 whose
//               folder is Europe itself or none; Europe holds no coin itself (the thaler is in Prussia),
//               so it finds only the ducat, which is in no folder
struct TypicalCatalogue
{
    std::filesystem::path path;
    double europe = 0, germany = 0, prussia = 0, france = 0, asia = 0;
    RecordKey franc, mark, thaler, ducat, germanyCountry, franceCountry, dealer, wanted;
};

// Builds the typical catalogue as "coins.ctg" in the folder (encrypted when a password is given).
TypicalCatalogue MakeTypicalCatalogue(const std::filesystem::path& folder, const std::string& password = {});

} // namespace lumarc::test
