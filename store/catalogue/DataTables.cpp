// The tables of a catalogue's data files: made when a data file is defined, changed when its fields
// change.

#include "store/catalogue/CatalogueDb.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/DaoTableDef.h"
#include "platform/dao/DaoWorkspace.h"
#include "platform/text/CaseFold.h"
#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueLayout.h"
#include "store/catalogue/DataTableColumns.h"
#include "store/catalogue/SqlText.h"
#include "store/definitions/DataFileDef.h"
#include "store/program/Settings.h"
#include "store/program/TraceLog.h"
#include "store/regional/TextUtilities.h"

#include <ctime>
#include <exception>
#include <string>

using namespace platform::dao;

namespace {

constexpr long kUpdateTablesCheckpoint = 30014;
constexpr unsigned kErrorCaption = 20552;
constexpr unsigned kRestoringText = 21570;
// Table and field names are looked up with at most this many bytes of the stored text.
constexpr size_t kNameLookup = 20;
constexpr const char* kWorkColumn = "tmpFldDb";

// One entry of the structure-change log: the label, the name and a line feed, each an entry of its own.
void LogChange(std::string_view label, std::string_view name)
{
    DebugLogString(label);
    DebugLogString(name);
    DebugLogString("\n");
}

std::string NameAttribute(const CMarkupNode& node, std::string_view attribute)
{
    std::string name = node.GetAttribute(attribute);
    TrimTrailingBlanks(name);
    return name.size() > kNameLookup ? name.substr(0, kNameLookup) : name;
}

// The child of `parent` whose attribute holds the name, compared without regard to case.
CMarkupNode* FindByName(const CMarkupNode& parent, std::string_view attribute, std::string_view name)
{
    for (CMarkupNode* child = parent.GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        if (platform::text::EqualsNoCase(NameAttribute(*child, attribute), name)) {
            return child;
        }
    }
    return nullptr;
}

char TypeLetter(const CMarkupNode& field)
{
    return static_cast<char>(field.GetAttributeInt("fieldType"));
}

bool HasTable(CDaoDatabase& db, std::string_view name)
{
    for (const std::string& table : db.GetTableNames()) {
        if (platform::text::EqualsNoCase(table, name)) {
            return true;
        }
    }
    return false;
}

bool HasColumn(const CDaoTableDef& table, std::string_view name)
{
    for (short i = 0; i < table.GetFieldCount(); ++i) {
        CDaoFieldInfo info;
        table.GetFieldInfo(i, info);
        if (platform::text::EqualsNoCase(info.m_name, name)) {
            return true;
        }
    }
    return false;
}

// Runs a change of the database as one transaction: it is there whole or not at all. A commit that
// is refused is rolled back, and the first error is the one reported.
template <typename Change>
void InOneTransaction(CDaoDatabase& db, Change&& change)
{
    CDaoWorkspace& workspace = db.GetWorkspace() != nullptr ? *db.GetWorkspace() : CDaoWorkspace::Default();
    workspace.BeginTrans();
    try {
        change();
        workspace.CommitTrans();
    } catch (...) {
        try {
            workspace.Rollback();
        } catch (const std::exception& failure) {
            AppendLogString("Exception ", failure.what()); // the first error goes on
        }
        throw;
    }
}

void AddColumn(CDaoDatabase& db, const std::string& table, const CMarkupNode& field)
{
    const std::string name = NameAttribute(field, "fieldName");
    CDaoTableDef definition(&db);
    definition.Open(table);
    if (!HasColumn(definition, name)) {
        definition.CreateField(DataColumnFor(name, TypeLetter(field), field.GetAttributeInt("LENGTH"), true));
    }
    LogChange("Create: ", name);
}

// A field whose LENGTH changed gets a column of the new size with its values: they go to a work
// column, the column is made again at the new size and they come back.
void ResizeColumn(CDaoDatabase& db, const std::string& table, const CMarkupNode& field)
{
    const std::string name = NameAttribute(field, "fieldName");
    const CDaoFieldInfo wanted =
        DataColumnFor(name, TypeLetter(field), field.GetAttributeInt("LENGTH"), true);
    CDaoTableDef definition(&db);
    definition.Open(table);
    if (!HasColumn(definition, name)) {
        definition.CreateField(wanted);
        return;
    }
    CDaoFieldInfo column;
    definition.GetFieldInfo(name, column);
    // Only the size of a text column can change; other columns keep their type whatever the LENGTH.
    if (column.m_type != dbText || column.m_size == wanted.m_size || wanted.m_type != dbText) {
        return;
    }
    InOneTransaction(db, [&] {
        CDaoFieldInfo work = column;
        work.m_name = kWorkColumn;
        work.m_size = wanted.m_size;
        work.m_required = false;
        work.m_attributes = 0;
        if (HasColumn(definition, kWorkColumn)) {
            definition.DeleteField(kWorkColumn);
        }
        definition.CreateField(work);
        db.Execute("UPDATE DISTINCTROW  " + SqlName(table) + " SET tmpFldDb = " + SqlName(name) + ";",
                   dbFailOnError);
        definition.DeleteField(name);
        CDaoFieldInfo resized = column;
        resized.m_size = wanted.m_size;
        resized.m_required = false;
        resized.m_attributes = 0;
        definition.CreateField(resized);
        db.Execute("UPDATE DISTINCTROW  " + SqlName(table) + " SET " + SqlName(name) + " = [tmpFldDb];",
                   dbFailOnError);
        definition.DeleteField(kWorkColumn);
    });
}

void DropColumn(CDaoDatabase& db, const std::string& table, const std::string& name)
{
    CDaoTableDef definition(&db);
    definition.Open(table);
    if (HasColumn(definition, name)) {
        definition.DeleteField(name); // the table is rebuilt in one transaction
    }
    LogChange("Delete: ", name);
}

// The columns of a data file that existed before: fields added, kept (resized when their LENGTH
// changed, their list and title flags taken from the stored definition) and removed.
void UpdateColumns(CDaoDatabase& db, CMarkupNode& file, const CMarkupNode& stored)
{
    const std::string table = NameAttribute(file, "fileName");
    for (CMarkupNode* field = file.GetFirstChild(); field != nullptr; field = field->GetNextSibling()) {
        const std::string name = NameAttribute(*field, "fieldName");
        const CMarkupNode* before = FindByName(stored, "fieldName", name);
        if (before == nullptr) {
            AddColumn(db, table, *field);
            continue;
        }
        LogChange("mantain:", name);
        if (field->GetAttributeInt("LENGTH") != before->GetAttributeInt("LENGTH")) {
            ResizeColumn(db, table, *field);
        }
        for (const char* flag : {"column_header", "name_header", "export_field"}) {
            field->SetAttribute(flag, before->GetAttribute(flag));
        }
    }
    for (const CMarkupNode* old = stored.GetFirstChild(); old != nullptr; old = old->GetNextSibling()) {
        const std::string name = NameAttribute(*old, "fieldName");
        if (FindByName(file, "fieldName", name) == nullptr) {
            DropColumn(db, table, name);
        }
    }
}

} // namespace

std::filesystem::path CCatalogueDb::TempBackupPath()
{
    return GetBackupDir() / "tempBckup.ctg";
}

bool CCatalogueDb::SaveTempBackup()
{
    if (!m_database) {
        return false;
    }
    const std::filesystem::path backup = TempBackupPath();
    try {
        std::filesystem::create_directories(backup.parent_path());
        CDaoWorkspace::CompactDatabase(m_filePath, backup, dbLangGeneral, 0, PasswordConnect(),
                                       CDaoWorkspace::CompactTarget::Replace);
        return true;
    } catch (const std::exception& error) {
        ReportFailure(error);
    }
    // An older copy must never be taken for this one.
    DiscardTempBackup();
    return false;
}

bool CCatalogueDb::RestoreTempBackup()
{
    const std::filesystem::path backup = TempBackupPath();
    std::error_code missing;
    if (!std::filesystem::is_regular_file(backup, missing)) {
        return false;
    }
    Close();
    bool restored = false;
    try {
        CDaoWorkspace::CompactDatabase(backup, m_filePath, dbLangGeneral, 0, PasswordConnect(),
                                       CDaoWorkspace::CompactTarget::Replace);
        restored = true;
    } catch (const std::exception& error) {
        ReportFailure(error);
    }
    Reopen(m_filePath);
    return restored;
}

void CCatalogueDb::DiscardTempBackup()
{
    std::error_code ignored;
    std::filesystem::remove(TempBackupPath(), ignored);
}

void CCatalogueDb::RemoveTable(std::string_view name)
{
    platform::ui::Dialogs().MessageBox("I am removing a table", LoadResString(kErrorCaption),
                                       platform::ui::kMbOk);
    if (!m_database) {
        return;
    }
    try {
        m_database->DeleteTableDef(name);
    } catch (const std::exception& error) {
        ReportFailure(error);
    }
}

bool CCatalogueDb::CreateDataTable(const CMarkupNode& fileNode)
{
    if (!m_database) {
        return false;
    }
    const std::string name = NameAttribute(fileNode, "fileName");
    try {
        if (HasTable(*m_database, name)) {
            LogChange("table already exist:", name);
            return true;
        }
        CDaoTableDef table(m_database.get());
        table.Create(name);
        for (const CMarkupNode* field = fileNode.GetFirstChild(); field != nullptr;
             field = field->GetNextSibling()) {
            const std::string fieldName = NameAttribute(*field, "fieldName");
            LogChange("Creating field::", fieldName);
            table.CreateField(
                DataColumnFor(fieldName, TypeLetter(*field), field->GetAttributeInt("LENGTH"), false));
        }
        AppendSystemColumns(table);
        table.Append();
        return true;
    } catch (const CDaoException& error) {
        ReportFailure(error);
    } catch (const std::exception& error) {
        ReportFailure(error);
        DebugLogString("failed table create\n");
    }
    return false;
}

bool CCatalogueDb::UpdateTables(std::string_view fileName, int table, bool isOnlyChild, bool menu,
                                std::string_view strongName)
{
    DebugLogNumber(kUpdateTablesCheckpoint);
    if (!m_database) {
        return false;
    }
    SetModificationTime(std::time(nullptr));
    SaveSettings();
    if (!SaveTempBackup()) {
        return false;
    }
    CDataFileDef(this).BuildDefinitionTree();
    CMarkupNode stored("structure", "DataStructure");
    ReadFileTree("metaData.txt", stored);
    CMarkupNode* tree = m_dataStructure.get();
    if (tree == nullptr) {
        DiscardTempBackup();
        return false;
    }
    const auto restore = [this] {
        platform::ui::Dialogs().MessageBox(LoadResString(kRestoringText), LoadResString(kErrorCaption),
                                           platform::ui::kMbOk);
        RestoreTempBackup();
        return false;
    };
    const std::string edited =
        fileName.size() > kNameLookup ? std::string(fileName.substr(0, kNameLookup)) : std::string(fileName);
    try {
        for (CMarkupNode* file = tree->GetFirstChild(); file != nullptr; file = file->GetNextSibling()) {
            const std::string name = NameAttribute(*file, "fileName");
            const CMarkupNode* before = FindByName(stored, "fileName", name);
            if (before == nullptr) {
                if (!CreateDataTable(*file)) {
                    return restore();
                }
                LogChange("Table To Create: ", name);
                continue;
            }
            file->SetAttribute("IsAllArea", before->GetAttribute("IsAllArea"));
            if (platform::text::EqualsNoCase(name, edited)) {
                file->SetAttributeInt("menu", table == 0 && menu ? 1 : 0);
                file->SetAttributeInt("table", table);
                file->SetAttributeInt("IsOnlyChild", isOnlyChild ? 1 : 0);
                file->SetAttribute("strongName", strongName);
            } else {
                file->SetAttribute("IsOnlyChild", before->GetAttribute("IsOnlyChild"));
                const std::string storedStrongName = before->GetAttribute("strongName");
                if (!storedStrongName.empty()) {
                    file->SetAttribute("strongName", storedStrongName);
                }
            }
            LogChange("Found: ", name);
            if (!HasTable(*m_database, name)) {
                // Defined before but never made: the table comes now, with every field.
                if (!CreateDataTable(*file)) {
                    return restore();
                }
                continue;
            }
            UpdateColumns(*m_database, *file, *before);
        }
    } catch (const std::exception& error) {
        // A column that cannot be changed leaves the catalogue as it was before the change began.
        ReportFailure(error);
        return restore();
    }
    for (const CMarkupNode* old = stored.GetFirstChild(); old != nullptr; old = old->GetNextSibling()) {
        const std::string name = NameAttribute(*old, "fileName");
        if (FindByName(*tree, "fileName", name) == nullptr) {
            LogChange("Table To Delete: ", name);
        }
    }
    CDataFileDef writer(this);
    writer.SaveDefinitionTree();
    LoadDataStructure();
    writer.BuildDefinitionTree();
    DiscardTempBackup();
    return true;
}
