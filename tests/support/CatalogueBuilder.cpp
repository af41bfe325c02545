#include "tests/support/CatalogueBuilder.h"

#include "codecs/CatalogueImage.h"
#include "platform/dao/DaoDatabase.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/catalogue/CatalogueLayout.h"
#include "store/catalogue/DataRecordset.h"
#include "store/catalogue/SqlText.h"
#include "store/definitions/DataFileDef.h"
#include "store/records/LinkList.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

using namespace platform::dao;

namespace lumarc::test {
namespace {

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

CatalogueBuilder& CatalogueBuilder::Password(std::string password)
{
    m_password = std::move(password);
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
        // The fixed tables and the first rows; the version is set once the data files are defined (below).
        CDaoDatabase db;
        db.Create(m_file);
        CreateCatalogueTables(db, m_owned);
        WriteNewCatalogueRows(db, {m_name, m_id, m_number, m_comment});
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
    if (!m_password.empty()) {
        catalogue.SetPassword("", m_password);
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
    const std::unique_ptr<CMarkupNode> node = DefinitionOf(catalogue, file).BuildNode();
    if (!catalogue.CreateDataTable(*node)) {
        throw std::runtime_error("the table of " + file.table + " was not made");
    }
}

RecordWriter::RecordWriter(CCatalogueDb& catalogue, int kind)
    : m_catalogue(catalogue), m_kind(kind), m_rows(std::make_unique<CDataRecordset>(catalogue.GetDatabase()))
{
    m_rows->OpenQuery(dbOpenTable, RequireDefinition(catalogue, kind).GetFileName());
}

RecordWriter::~RecordWriter() = default;

CNodeRef RecordWriter::Add(double parent, const std::map<std::string, std::string>& values)
{
    const CDataFileDef& definition = RequireDefinition(m_catalogue, m_kind);
    m_rows->AddNew();
    CNodeRef key;
    key.Set(static_cast<std::uint16_t>(m_kind),
            static_cast<std::uint32_t>(m_rows->GetFieldValue("AUTOINCR").GetLong()), &m_catalogue);
    m_rows->SetFieldDouble("UID", key.GetCode());
    m_rows->SetFieldDouble("PARENT", parent);
    m_rows->SetFieldBool("DELETED", false);
    for (const auto& [name, text] : values) {
        const int field = definition.FindFieldByName(name);
        const char type = field >= 0 ? definition.GetFieldType(field) : 'C';
        if (type == 'P' || type == 'p') {
            m_rows->SetFieldBytes(name,
                                  std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
        } else {
            m_rows->SetFieldText(name, text);
        }
    }
    m_rows->Update();
    return key;
}

CNodeRef AddRecord(CCatalogueDb& catalogue, int kind, double parent,
                   const std::map<std::string, std::string>& values)
{
    return RecordWriter(catalogue, kind).Add(parent, values);
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

std::vector<std::uint8_t> MakePictureBytes(const std::string& spec, const std::string& format)
{
    static std::atomic<int> counter = 0;
    const auto file =
        std::filesystem::temp_directory_path() /
        ("lumarc-picture-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + "." + format);
    // ImageMagick by its full path: another "convert" may stand first on PATH.
    const std::string command = "/usr/bin/convert " + spec + " " + format + ":'" + file.string() + "'";
    if (std::system(command.c_str()) != 0) {
        throw std::runtime_error("convert failed: " + command);
    }
    std::ifstream in(file, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(file);
    return bytes;
}

CNodeRef RecordKey::In(CCatalogueDb& catalogue) const
{
    CNodeRef key;
    key.Set(static_cast<std::uint16_t>(kind), number, &catalogue);
    return key;
}

namespace {

RecordKey KeyOf(const CNodeRef& ref)
{
    return {ref.GetKind(), ref.GetNumber()};
}

std::string Code(const CNodeRef& ref)
{
    return std::to_string(static_cast<long long>(ref.GetCode()));
}

// The record form of the coins: one element per field, each with its control data.
void WriteCoinForm(CCatalogueDb& catalogue)
{
    LogFont font;
    font.height = -13;
    font.weight = 400;
    font.faceName = "Liberation Sans";
    const int fontNumber = catalogue.GetFontNumber(font);

    CMarkupNode gui;
    CMarkupNode controls;
    CMarkupNode* form = gui.AddChild(std::make_unique<CMarkupNode>("231F", "form"));
    form->SetAttribute("TabName0", "&Data");
    const CDataFileDef& coins = *catalogue.FindDefinition(1);
    for (int i = 0; i < coins.GetFieldCount(); ++i) {
        const std::string& name = coins.GetFieldName(i);
        CMarkupNode* element = form->AddChild(std::make_unique<CMarkupNode>(name, "element"));
        element->SetAttribute("CNT_NAME", coins.GetFieldType(i) == 'P' ? "bitmapShow" : "edit");
        element->SetAttribute("CONTENT", name);
        element->SetAttributeInt("0", i);
        element->SetAttributeInt("X", 120);
        element->SetAttributeInt("Y", 10 + 28 * i);
        element->SetAttributeInt("LENGTH", 200);
        element->SetAttributeInt("DEPTH", 22);
        element->SetAttributeInt("PAGEN", 0);
        element->SetAttributeInt("FONTN", fontNumber);
        CMarkupNode* data = controls.AddChild(std::make_unique<CMarkupNode>(name, "controlData"));
        data->SetAttributeInt("fontNumber", fontNumber);
        data->SetAttributeInt("LENGTH", coins.GetFieldLength(i));
        data->SetAttribute("fieldName", name);
    }
    catalogue.WriteFileTree("guiInfo.txt", gui);
    catalogue.WriteFileTree("ccInfo.txt", controls);
    catalogue.DiscardGuiInfo();
}

void WriteTemplates(CCatalogueDb& catalogue, double europe)
{
    catalogue.SetDefaultTemplate(1, "coin.htm");
    CMarkupNode* reports = catalogue.GetReportTemplates();
    CMarkupNode* report = reports->AddChild(std::make_unique<CMarkupNode>("Coin list", "report"));
    report->SetAttribute("dataName", "1");
    reports->AddChild(std::make_unique<CMarkupNode>("1Summary", "summary"))->SetAttribute("dataName", "1");
    catalogue.SaveReportTemplates();
    CMarkupNode* format = catalogue.GetPageFormats()->AddChild(std::make_unique<CMarkupNode>("A4", "format"));
    format->SetAttributeInt("width", 2100);
    format->SetAttributeInt("height", 2970);
    catalogue.SavePageFormats();
    catalogue.WriteQuery(
        "Old coins", "{Old coins}{[(" + std::to_string(static_cast<int>(europe)) + ")(1)(YEAR < 1900)]}{1}",
        europe);
}

} // namespace

TypicalCatalogue MakeTypicalCatalogue(const std::filesystem::path& folder, const std::string& password)
{
    TypicalCatalogue made;
    made.path = CatalogueBuilder(folder / "coins.ctg")
                    .Name("Coins of the world")
                    .Number(3)
                    .Comment("A typical catalogue")
                    .DataFile(CoinsFile(1))
                    .DataFile(CountriesFile(2))
                    .DataFile(AddressesFile(3))
                    .Build();
    CCatalogueDb catalogue(made.path);

    made.europe = catalogue.AddFolder("Europe", 0, 100)->GetNumber();
    made.germany = catalogue.AddFolder("Germany", made.europe, 1)->GetNumber();
    made.prussia = catalogue.AddFolder("Prussia", made.germany, 1)->GetNumber();
    made.france = catalogue.AddFolder("France", made.europe, 1)->GetNumber();
    made.asia = catalogue.AddFolder("Asia", 0, 100)->GetNumber();

    const CNodeRef germany = AddRecord(catalogue, 2, 0, {{"NAME", "Germany"}});
    const CNodeRef france = AddRecord(catalogue, 2, 0, {{"NAME", "France"}});
    const std::vector<std::uint8_t> photo = MakePictureBytes("-size 24x16 gradient:gold-brown", "jpg");
    RecordWriter coins(catalogue, 1);
    const CNodeRef franc = coins.Add(made.france, {{"NAME", "Franc"},
                                                   {"YEAR", "1960"},
                                                   {"PRICE", "1.5"},
                                                   {"BOUGHT", "2001-06-15"},
                                                   {"NOTES", "New franc\r\nfirst year"},
                                                   {"OWNEDYES", "1"},
                                                   {"WEIGHT", "6.0 g"},
                                                   {"MINTED", "20010615"},
                                                   {"STRUCK", "14:30"},
                                                   {"GRADE", "VF"},
                                                   {"COUNTRY", Code(france)}});
    const CNodeRef mark =
        coins.Add(made.germany, {{"NAME", "Mark"}, {"YEAR", "1950"}, {"COUNTRY", Code(germany)}});
    const CNodeRef thaler = coins.Add(
        made.prussia, {{"NAME", "Thaler"}, {"YEAR", "1786"}, {"PRICE", "250"}, {"COUNTRY", Code(germany)}});
    const CNodeRef ducat = coins.Add(0, {{"NAME", "Ducat"},
                                         {"YEAR", "1650"},
                                         {"PICTURE", std::string(photo.begin(), photo.end())},
                                         {"COUNTRY", Code(germany)}});
    const CNodeRef dealer = AddRecord(catalogue, 3, 0,
                                      {{"NAME", "Numismatik Berlin"},
                                       {"PHONE", "+49 30 1234567"},
                                       {"FAX", "+49 30 1234568"},
                                       {"EMAIL", "shop@numismatik.example"},
                                       {"WEB", "https://numismatik.example"}});
    const CNodeRef wanted = AddRecord(catalogue, 22, 0, {{"NAME", "Wanted"}});
    AddLink(catalogue, france, franc);
    AddLink(catalogue, germany, mark);
    AddLink(catalogue, germany, thaler);
    AddLink(catalogue, germany, ducat);
    AddLink(catalogue, thaler, dealer);
    AddLink(catalogue, wanted, thaler);

    CCatalogueImage icon;
    const std::vector<std::uint8_t> png = MakePictureBytes("-size 32x32 xc:gold", "png");
    icon.LoadFromBytes(png, true);
    icon.SetValid(true);
    catalogue.WriteImage(icon, 1);
    catalogue.WriteAltImage(icon, 1);

    WriteCoinForm(catalogue);
    WriteTemplates(catalogue, made.europe);
    if (!password.empty()) {
        catalogue.SetPassword("", password);
    }

    made.franc = KeyOf(franc);
    made.mark = KeyOf(mark);
    made.thaler = KeyOf(thaler);
    made.ducat = KeyOf(ducat);
    made.germanyCountry = KeyOf(germany);
    made.franceCountry = KeyOf(france);
    made.dealer = KeyOf(dealer);
    made.wanted = KeyOf(wanted);
    return made;
}

} // namespace lumarc::test
