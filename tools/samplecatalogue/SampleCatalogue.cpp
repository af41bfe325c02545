#include "tools/samplecatalogue/SampleCatalogue.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoWorkspace.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/catalogue/CatalogueLayout.h"
#include "store/catalogue/DataRecordset.h"
#include "store/definitions/DataFileDef.h"
#include "store/records/FolderRecord.h"
#include "store/records/NodeRef.h"
#include "store/regional/NumismaticYear.h"

#include <charconv>
#include <ctime>
#include <system_error>

using namespace platform::dao;

namespace {

CDataFileDef DefinitionOf(CCatalogueDb& catalogue, const SampleDataFile& file)
{
    CDataFileDef definition(&catalogue);
    definition.SetFileNumber(file.number);
    definition.SetFileName(file.table);
    definition.SetMenuName(file.menuName);
    definition.SetMenuFlag(true);
    definition.SetStrongName(file.strongName);
    definition.SetDescription(file.description);
    for (const SampleField& spec : file.fields) {
        CFieldDef field;
        field.Init(spec.length, spec.type, spec.title ? 'Y' : ' ', 'F', 'F', false, 0);
        field.SetFieldNameLimited(spec.name, 10);
        field.SetInternalName(spec.name);
        field.SetColumnHeader(spec.column);
        field.SetCanBeHeader(true);
        field.SetExport(true);
        if (spec.year) {
            field.SetAdditionalFormatting('Y');
        }
        definition.AppendField(field);
    }
    definition.CountFields();
    return definition;
}

// "12.5" as whole units and hundredths; the sources give prices to the cent.
void SetPrice(CDataRecordset& rows, const std::string& field, const std::string& text)
{
    long long whole = 0;
    long long cents = 0;
    const char* end = text.data() + text.size();
    std::from_chars_result read = std::from_chars(text.data(), end, whole);
    if (read.ec == std::errc() && read.ptr != end && *read.ptr == '.') {
        const char* fraction = read.ptr + 1;
        read = std::from_chars(fraction, end, cents);
        if (read.ptr - fraction == 1) {
            cents *= 10;
        } else if (read.ptr - fraction != 2) {
            read.ec = std::errc::invalid_argument;
        }
    }
    if (read.ec != std::errc() || read.ptr != end || whole < 0) {
        throw SampleSourceError("the price of " + field + " is not an amount: \"" + text + "\"");
    }
    rows.SetFieldCurrency(field, whole, cents, 0);
}

void AddRecords(CCatalogueDb& catalogue, const SampleDataFile& file, const std::vector<SampleRecord>& records)
{
    CDataRecordset rows(catalogue.GetDatabase());
    rows.OpenQuery(dbOpenTable, file.table);
    for (const SampleRecord& record : records) {
        double folder = 0;
        for (const std::string& name : {record.continent, record.country}) {
            double found = -1;
            for (CFolderRecord* child = folder == 0 ? catalogue.FirstTopLevelFolder()
                                                    : catalogue.FirstChildFolder(folder);
                 child != nullptr; child = folder == 0 ? catalogue.NextTopLevelFolder()
                                                       : catalogue.NextChildFolder(folder, child)) {
                if (child->GetName() == name) {
                    found = child->GetNumber();
                    break;
                }
            }
            folder =
                found >= 0 ? found : catalogue.AddFolder(name, folder, CFolderRecord::kAllKinds)->GetNumber();
        }

        rows.AddNew();
        CNodeRef key;
        key.Set(static_cast<std::uint16_t>(file.number),
                static_cast<std::uint32_t>(rows.GetFieldValue("AUTOINCR").GetLong()), &catalogue);
        rows.SetFieldDouble("UID", key.GetCode());
        rows.SetFieldDouble("PARENT", folder);
        rows.SetFieldBool("DELETED", false);
        for (const SampleField& field : file.fields) {
            const auto value = record.values.find(field.name);
            if (value == record.values.end()) {
                continue;
            }
            if (field.type == 'U') {
                SetPrice(rows, field.name, value->second);
            } else if (field.year) {
                CNumismaticYear year;
                year.Parse("AD  " + value->second);
                rows.SetFieldText(field.name, year.Format());
            } else {
                rows.SetFieldText(field.name, value->second);
            }
        }
        rows.Update();
    }
}

void WriteCatalogue(const std::filesystem::path& path, const SampleCatalogueSources& sources)
{
    {
        // The fixed tables and the first rows, into which the definitions go.
        CDaoDatabase db;
        db.Create(path);
        CreateCatalogueTables(db, true);
        WriteNewCatalogueRows(db, {sources.name, 1, 1, ""});
    }
    CCatalogueDb catalogue(path);
    if (catalogue.GetDatabase() == nullptr) {
        throw std::runtime_error("the new catalogue does not open: " + path.string());
    }
    catalogue.LoadDefinitionsIfNeeded();
    for (const SampleDataFile& file : sources.files) {
        const CDataFileDef definition = DefinitionOf(catalogue, file);
        if (!catalogue.CreateDataTable(*definition.BuildNode())) {
            throw std::runtime_error("the table of " + file.table + " was not made");
        }
        definition.StoreInCatalogue();
    }
    CDataFileDef writer(&catalogue);
    writer.BuildDefinitionTree();
    writer.SaveDefinitionTree();

    CDaoWorkspace::Default().BeginTrans();
    try {
        for (const SampleDataFile& file : sources.files) {
            const auto records = sources.records.find(file.table);
            if (records != sources.records.end()) {
                AddRecords(catalogue, file, records->second);
            }
        }
    } catch (...) {
        CDaoWorkspace::Default().Rollback();
        throw;
    }
    CDaoWorkspace::Default().CommitTrans();
}

} // namespace

void BuildSampleCatalogue(const std::filesystem::path& path, const SampleCatalogueSources& sources)
{
    // The store gives every catalogue file the extension ".ctg", so the temporary name keeps it.
    const std::filesystem::path part = path.parent_path() / (path.stem().string() + ".part.ctg");
    std::filesystem::remove(part);
    try {
        WriteCatalogue(part, sources);
        std::filesystem::rename(part, path);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(part, ignored);
        throw;
    }
}
