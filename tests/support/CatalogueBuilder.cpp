#include "tests/support/CatalogueBuilder.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoTableDef.h"
#include "store/CatalogueDb.h"
#include "store/CatalogueLayout.h"
#include "store/DataFileDef.h"
#include "store/DataRecordset.h"
#include "store/LinkList.h"
#include "store/SqlText.h"

#include <algorithm>
#include <stdexcept>

using namespace platform::dao;

namespace lumarc::test {
namespace {

CDataFileDef DefinitionOf(CCatalogueDb& catalogue, const DataFileSpec& file)
{
    CDataFileDef definition(&catalogue);
    definition.SetFileNumber(file.number);
    definition.SetFileName(file.table);
    definition.SetMenuName(file.menuName);
    definition.SetMenuFlag(true);
    definition.SetTableNumber(file.tableNumber);
    definition.SetOnlyChild(file.onlyChild);
    definition.SetStrongName(file.strongName);
    definition.SetDescription(file.description);
    for (const FieldSpec& spec : file.fields) {
        CFieldDef field;
        field.Init(spec.length, spec.type, spec.title ? 'Y' : ' ', spec.fillInType, spec.kind, false,
                   spec.referralFileNumber);
        field.SetFieldNameLimited(spec.name, 10);
        field.SetInternalName(spec.name);
        field.SetColumnHeader(spec.columnHeader);
        field.SetCanBeHeader(spec.canBeHeader);
        field.SetExport(true);
        definition.AppendField(field);
    }
    definition.CountFields();
    return definition;
}

const CDataFileDef& RequireDefinition(CCatalogueDb& catalogue, int kind)
{
    catalogue.LoadDefinitionsIfNeeded();
    const CDataFileDef* definition = catalogue.FindDefinition(kind);
    if (definition == nullptr) {
        throw std::invalid_argument("no data file " + std::to_string(kind));
    }
    return *definition;
}

} // namespace

CatalogueBuilder::CatalogueBuilder(std::filesystem::path file) : m_file(std::move(file)) {}

CatalogueBuilder& CatalogueBuilder::Name(std::string name)
{
    m_name = std::move(name);
    return *this;
}

CatalogueBuilder& CatalogueBuilder::Number(int dbNumber)
{
    m_number = dbNumber;
    return *this;
}

CatalogueBuilder& CatalogueBuilder::Version(int version)
{
    m_version = version;
    return *this;
}

CatalogueBuilder& CatalogueBuilder::Id(int id)
{
    m_id = id;
    return *this;
}

CatalogueBuilder& CatalogueBuilder::Comment(std::string comment)
{
    m_comment = std::move(comment);
    return *this;
}

CatalogueBuilder& CatalogueBuilder::WithoutOwnedTable()
{
    m_owned = false;
    return *this;
}

CatalogueBuilder& CatalogueBuilder::DataFile(DataFileSpec file)
{
    m_files.push_back(std::move(file));
    return *this;
}

std::filesystem::path CatalogueBuilder::Build() const
{
    {
        // The fixed tables and the settings row.
        CDaoDatabase db;
        db.Create(m_file);
        CreateCatalogueTables(db, m_owned);
        CDataRecordset rs(&db);
        rs.OpenQuery(dbOpenTable, "PASSWORD");
        rs.AddNew();
        rs.SetFieldText("NAME", m_name);
        rs.SetFieldLong("DELETEDENTRIES", 0);
        const std::time_t now = std::time(nullptr);
        for (const char* date : {"CREAD", "MODID", "TOTBCKD", "INCBCKD"}) {
            rs.SetFieldTime(date, now);
        }
        rs.SetFieldLong("HASAGE", 0);
        rs.SetFieldText("HELPFILE", "");
        rs.SetFieldLong("VERSION", 0); // its own version once the data files are defined (below)
        rs.SetFieldLong("ID", m_id);
        rs.SetFieldLong("ISAREAALLOWED", 1);
        rs.SetFieldLong("IsViewOnly", 0);
        rs.SetFieldLong("ISBMP", 0);
        rs.SetFieldLong("DBNUMBER", m_number);
        rs.SetFieldText("COMMENT", m_comment);
        rs.Update();
        // The definitions are saved into an existing "metaData.txt" row only.
        rs.OpenQuery(dbOpenTable, "FILES");
        rs.AddNew();
        rs.SetFieldText("NAME", "metaData.txt");
        rs.SetFieldMemo("TEXT", "");
        rs.Update();
    }
    // The data files, through the store's definitions.
    CCatalogueDb catalogue(m_file);
    if (catalogue.GetDatabase() == nullptr) {
        throw std::runtime_error("the new catalogue does not open: " + m_file.string());
    }
    catalogue.LoadDefinitionsIfNeeded();
    for (const DataFileSpec& file : m_files) {
        CreateDataTable(catalogue, file);
        DefinitionOf(catalogue, file).StoreInCatalogue();
    }
    CDataFileDef writer(&catalogue);
    writer.BuildDefinitionTree();
    writer.SaveDefinitionTree();
    if (m_version != 0) {
        catalogue.GetDatabase()->Execute("UPDATE PASSWORD SET VERSION = " + std::to_string(m_version));
    }
    return catalogue.GetFilePath();
}

DataFileSpec CoinsFile(int number)
{
    DataFileSpec file;
    file.number = number;
    file.table = "COINS";
    file.menuName = "Coin";
    file.strongName = "Coin";
    file.description = "Coins of the world";
    file.fields = {
        {.name = "NAME", .type = 'C', .length = 40, .title = true, .columnHeader = true},
        {.name = "YEAR", .type = 'I', .length = 6, .title = true, .columnHeader = true},
        {.name = "PRICE", .type = 'U', .length = 8},
        {.name = "BOUGHT", .type = 'D', .length = 8},
        {.name = "PICTURE", .type = 'P', .length = 4, .canBeHeader = false},
        {.name = "NOTES", .type = 'M', .length = 2000},
        {.name = "OWNEDYES", .type = 'B', .length = 1, .canBeHeader = false},
        {.name = "WEIGHT", .type = 'F', .length = 12},
        {.name = "MINTED", .type = 'S', .length = 16},
        {.name = "STRUCK", .type = 'T', .length = 16},
        {.name = "GRADE", .type = 'O', .length = 12},
        {.name = "COUNTRY", .type = 'C', .length = 12, .fillInType = 'D', .referralFileNumber = 2},
    };
    return file;
}

DataFileSpec CountriesFile(int number)
{
    DataFileSpec file;
    file.number = number;
    file.table = "COUNTRIES";
    file.menuName = "Country";
    file.strongName = "Country";
    file.tableNumber = 1;
    file.fields = {{.name = "NAME", .type = 'C', .length = 40, .title = true, .columnHeader = true}};
    return file;
}

DataFileSpec AddressesFile(int number)
{
    DataFileSpec file;
    file.number = number;
    file.table = "ADDRESSES";
    file.menuName = "Address";
    file.strongName = "Address";
    file.fields = {
        {.name = "NAME", .type = 'C', .length = 60, .title = true, .columnHeader = true},
        {.name = "PHONE", .type = 'C', .length = 20, .kind = 'T'},
        {.name = "FAX", .type = 'C', .length = 20, .kind = 'F'},
        {.name = "EMAIL", .type = 'C', .length = 60, .kind = 'E'},
        {.name = "WEB", .type = 'C', .length = 80, .kind = 'W'},
    };
    return file;
}

void CreateDataTable(CCatalogueDb& catalogue, const DataFileSpec& file)
{
    CDaoTableDef table(catalogue.GetDatabase());
    table.Create(file.table);
    for (const FieldSpec& field : file.fields) {
        const long text = std::min(field.length, 255);
        switch (field.type) {
        case 'B':
        case 'b':
            table.CreateField(field.name, dbText, 1);
            break;
        case 'I':
        case 'i':
            table.CreateField(field.name, dbText, 6);
            break;
        case 'F':
        case 'f':
        case 'O':
        case 'o':
            table.CreateField(field.name, dbText, 12);
            break;
        case 'U':
        case 'u':
            table.CreateField(field.name, dbCurrency, 8);
            break;
        case 'D':
        case 'd':
            table.CreateField(field.name, dbDate, 8);
            break;
        case 'P':
        case 'p':
            table.CreateField(field.name, dbLongBinary, 0);
            break;
        case 'M':
        case 'm':
            table.CreateField(field.name, dbMemo, 0);
            break;
        default:
            table.CreateField(field.name, dbText, text);
        }
    }
    AppendSystemColumns(table);
    table.Append();
}

CNodeRef AddRecord(CCatalogueDb& catalogue, int kind, double parent,
                   const std::map<std::string, std::string>& values)
{
    const CDataFileDef& definition = RequireDefinition(catalogue, kind);
    CDataRecordset rs(catalogue.GetDatabase());
    rs.OpenQuery(dbOpenTable, definition.GetFileName());
    rs.AddNew();
    CNodeRef key;
    key.Set(static_cast<std::uint16_t>(kind),
            static_cast<std::uint32_t>(rs.GetFieldValue("AUTOINCR").GetLong()), &catalogue);
    rs.SetFieldDouble("UID", key.GetCode());
    rs.SetFieldDouble("PARENT", parent);
    rs.SetFieldBool("DELETED", false);
    for (const auto& [name, text] : values) {
        const int field = definition.FindFieldByName(name);
        const char type = field >= 0 ? definition.GetFieldType(field) : 'C';
        if (type == 'P' || type == 'p') {
            rs.SetFieldBytes(name,
                             std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
        } else {
            rs.SetFieldText(name, text);
        }
    }
    rs.Update();
    return key;
}

void AddLink(CCatalogueDb& catalogue, const CNodeRef& to, const CNodeRef& from)
{
    CLinkEntry entry(to.GetCatalogue(), to.GetKind(), to.GetNumber(), from.GetCatalogue(), from.GetKind(),
                     from.GetNumber());
    if (!entry.Store(catalogue)) {
        throw std::runtime_error("link not stored");
    }
}

bool IsLiveRecord(CCatalogueDb& catalogue, const CNodeRef& key)
{
    const CDataFileDef& definition = RequireDefinition(catalogue, key.GetKind());
    CDataRecordset rs(catalogue.GetDatabase());
    rs.OpenQuery(dbOpenSnapshot, "SELECT * FROM [" + definition.GetFileName() +
                                     "] WHERE DELETED = False AND UID = " + SqlNumber(key.GetCode()));
    return !rs.IsEOF();
}

} // namespace lumarc::test
