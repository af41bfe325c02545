#include "store/catalogue/CatalogueDb.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/DaoTableDef.h"
#include "platform/dao/DaoWorkspace.h"
#include "platform/text/CaseFold.h"
#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueLayout.h"
#include "store/catalogue/DataRecordset.h"
#include "store/catalogue/SqlText.h"
#include "store/definitions/BuiltinDataFiles.h"
#include "store/markup/MarkupNode.h"
#include "store/program/Settings.h"
#include "store/program/TraceLog.h"
#include "store/records/ItemSet.h"
#include "store/records/Record.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <system_error>
#include <vector>

using namespace platform::dao;
using platform::text::EqualsNoCase;
using platform::text::TruncateUtf8;

namespace {

constexpr long kReopenCheckpoint = 10101;
constexpr long kOpenCheckpoint = 10102;
constexpr long kCloseCheckpoint = 10104;
constexpr long kSettingsFailed = 10105;
constexpr long kCompactFailed = 10106;
constexpr long kFileFailed = 10107;
constexpr long kTextFailed = 10201;

constexpr unsigned kProtectedCatalogueText = 275;
constexpr unsigned kVersionRefusedText = 524;
constexpr unsigned kErrorCaption = 20552;
constexpr unsigned kCreationFailedText = 39018;
constexpr unsigned kNeverBackedUpText = 39020;
constexpr unsigned kPasswordChangeFailedText = 39028;

// Catalogues of these versions hold features this program does not have.
bool IsRefusedVersion(int version)
{
    return version >= 6 && version <= 24;
}

void LogException(const std::exception& error)
{
    if (const auto* dao = dynamic_cast<const CDaoException*>(&error)) {
        AppendLogNumberAndText(dao->GetErrorCode(), " Exception " + dao->GetDescription());
    } else {
        AppendLogString("Exception ", error.what());
    }
}

std::string FilesRowQuery(std::string_view name)
{
    return "SELECT * FROM FILES where name = " + SqlText(name) + " ;";
}

} // namespace

CCatalogueDb::CCatalogueDb() = default;

CCatalogueDb::CCatalogueDb(const std::filesystem::path& path)
{
    Reopen(path);
}

CCatalogueDb::CCatalogueDb(const std::filesystem::path& path, QuietRefusal) : m_refusalShown(false)
{
    Reopen(path);
}

CCatalogueDb::~CCatalogueDb()
{
    if (!m_open) {
        return; // an open that failed leaves the file alone
    }
    SaveSettings();
    Close();
    std::error_code error;
    if (m_changed && std::filesystem::exists(m_filePath, error)) {
        try {
            CDaoWorkspace::CompactDatabase(m_filePath, m_filePath, dbLangGeneral, 0,
                                           m_password.empty() ? std::string() : ";PWD=" + m_password,
                                           CDaoWorkspace::CompactTarget::Replace);
        } catch (const std::exception& failure) {
            DebugLogNumber(kCompactFailed);
            LogException(failure);
        }
    }
    if (m_markedForRemoval) {
        std::filesystem::remove(m_filePath, error);
    }
}

// ---- opening and closing -------------------------------------------------------------------------------

bool CCatalogueDb::Reopen(const std::filesystem::path& path)
{
    DebugLogNumber(kReopenCheckpoint);
    Close();
    m_changed = false;
    m_open = true;
    m_filePath = path;
    m_filePath.replace_extension(".ctg");
    try {
        m_database = std::make_unique<CDaoDatabase>();
        // The password the catalogue was last opened with: a catalogue reopened after a backup or a
        // restore stays open instead of falling back to the protected state.
        m_database->Open(m_filePath, false, false, m_password.empty() ? std::string() : ";PWD=" + m_password);
        ReadSettingsRow(true);
    } catch (const CDaoException& error) {
        m_database.reset();
        if (error.GetErrorCode() == errors::kNotValidPassword) {
            m_passwordProtected = true;
            m_name = LoadResString(kProtectedCatalogueText);
        } else {
            LogException(error);
            m_open = false;
        }
    } catch (const std::exception& error) {
        LogException(error);
        m_database.reset();
        m_open = false;
    }
    return m_database != nullptr;
}

bool CCatalogueDb::Open(std::string_view password)
{
    return OpenWith(password, true);
}

bool CCatalogueDb::OpenWithPassword(std::string_view password)
{
    return OpenWith(password, false);
}

bool CCatalogueDb::OpenWith(std::string_view password, bool refuseVersions)
{
    DebugLogNumber(kOpenCheckpoint);
    Close();
    m_changed = false;
    m_open = true;
    m_filePath.replace_extension(".ctg");
    AppendLogString("To Open:", m_filePath.string());
    try {
        m_database = std::make_unique<CDaoDatabase>();
        m_database->Open(m_filePath, false, false, ";PWD=" + std::string(password));
        m_password = password;
        ReadSettingsRow(refuseVersions);
    } catch (const std::exception& error) {
        LogException(error);
        m_database.reset();
        m_open = false;
    }
    return m_database != nullptr;
}

void CCatalogueDb::ReadSettingsRow(bool refuseVersions)
{
    {
        CDataRecordset owned(m_database.get());
        try {
            owned.Open(dbOpenTable, "OWNED");
            m_hasOwnedTable = true;
        } catch (const CDaoException&) {
            m_hasOwnedTable = false;
        }
    }
    CDataRecordset rs(m_database.get());
    rs.OpenQuery(dbOpenTable, "PASSWORD");
    m_name = TruncateUtf8(rs.GetFieldText("NAME"), 127);
    try {
        m_deletedEntries = rs.GetFieldLong("DELETEDENTRIES");
    } catch (const CDaoException&) {
        m_deletedEntries = 1;
    }
    m_created = rs.GetFieldTime("CREAD");
    m_lastBackup = rs.GetFieldTime("TOTBCKD");
    m_modified = rs.GetFieldTime("MODID");
    m_lastIncrementalBackup = rs.GetFieldTime("INCBCKD");
    m_hasAge = rs.GetFieldLong("HASAGE");
    m_id = rs.GetFieldLong("ID");
    m_areaAllowed = rs.GetFieldLong("ISAREAALLOWED");
    m_helpFile = TruncateUtf8(rs.GetFieldText("HELPFILE"), 39);
    m_version = rs.GetFieldLong("Version");
    if (refuseVersions && IsRefusedVersion(m_version)) {
        rs.Close();
        m_database.reset();
        m_open = false;
        if (m_refusalShown) {
            platform::ui::Dialogs().MessageBox(LoadResString(kVersionRefusedText),
                                               LoadResString(kErrorCaption), platform::ui::kMbOk);
        }
        return;
    }
    m_catalogueNumber = rs.GetFieldLong("DBNUMBER");
    m_comment = TruncateUtf8(rs.GetFieldText("COMMENT"), 1999);
    try {
        m_viewOnly = rs.GetFieldLong("IsViewOnly");
    } catch (const CDaoException&) {
        m_viewOnly = 0;
    }
    m_hasPictures = rs.GetFieldLong("ISBMP");
    rs.Close();
    EnsureOrderedNumberColumn();
}

// Folders are ordered by ORDEREDNUMBER; catalogues made before it existed gain the column.
void CCatalogueDb::EnsureOrderedNumberColumn()
{
    CDaoTableDef areas(m_database.get());
    areas.Open("AREAS");
    CDaoFieldInfo info;
    try {
        areas.GetFieldInfo("ORDEREDNUMBER", info);
    } catch (const CDaoException&) {
        areas.CreateField("ORDEREDNUMBER", dbInteger, 2, 0);
    }
}

void CCatalogueDb::Close()
{
    DebugLogNumber(kCloseCheckpoint);
    m_ccInfo.reset();
    m_dataStructure.reset();
    m_linkList.reset();
    m_folderList.reset();
    m_builtinSet22.reset();
    m_builtinSet23.reset();
    if (m_database) {
        m_database->Close();
        m_database.reset();
    }
    FreeDefinitions();
    m_pageFormats.reset();
    m_webTemplates.reset();
    m_reportTemplates.reset();
    m_guiInfo.reset();
    m_fontNumber = 0;
    m_font.reset();
}

// ---- the settings row ----------------------------------------------------------------------------------

void CCatalogueDb::SetName(std::string_view name)
{
    m_name = TruncateUtf8(name, 127);
}

void CCatalogueDb::SetComment(std::string_view comment)
{
    m_comment = TruncateUtf8(comment, 1999);
}

void CCatalogueDb::SaveSettings()
{
    if (!m_database) {
        return;
    }
    CDataRecordset rs(m_database.get());
    try {
        rs.OpenQuery(dbOpenTable, "PASSWORD");
        if (rs.IsEOF()) {
            return;
        }
        rs.Edit();
        rs.SetFieldText("NAME", m_name);
        rs.SetFieldLong("DELETEDENTRIES", m_deletedEntries);
        rs.SetFieldTime("MODID", m_modified);
        rs.SetFieldTime("TOTBCKD", m_lastBackup);
        rs.SetFieldLong("ISAREAALLOWED", m_areaAllowed);
        rs.SetFieldText("COMMENT", m_comment);
        rs.Update();
    } catch (const std::exception& error) {
        DebugLogNumber(kSettingsFailed);
        LogException(error);
    }
}

void CCatalogueDb::StampBackupTime()
{
    if (m_database) {
        m_lastBackup = std::time(nullptr);
        SaveSettings();
    }
}

bool CCatalogueDb::EditSettingsRow(const std::function<void(CDataRecordset&)>& change)
{
    if (!m_database) {
        return false;
    }
    CDataRecordset rs(m_database.get());
    try {
        rs.OpenQuery(dbOpenTable, "PASSWORD");
        if (rs.IsEOF()) {
            return false;
        }
        rs.Edit();
        change(rs);
        rs.Update();
        return true;
    } catch (const std::exception& error) {
        DebugLogNumber(kSettingsFailed);
        LogException(error);
        return false;
    }
}

void CCatalogueDb::SetViewOnly(bool viewOnly)
{
    if (EditSettingsRow([&](CDataRecordset& rs) { rs.SetFieldText("IsViewOnly", viewOnly ? "1" : "0"); })) {
        m_viewOnly = viewOnly ? 1 : 0;
    }
}

void CCatalogueDb::SetAdvertText(int index, std::string_view text)
{
    if (index >= 0 && index < 5) {
        EditSettingsRow(
            [&](CDataRecordset& rs) { rs.SetFieldMemo("ADVERTTEXT" + std::to_string(index), text); });
    }
}

void CCatalogueDb::ClearBmpFlag()
{
    if (m_database) {
        CDataRecordset rs(m_database.get());
        try {
            rs.OpenQuery(dbOpenTable, "PASSWORD");
            if (!rs.IsEOF()) {
                rs.Edit();
                rs.SetFieldText("ISBMP", "0");
                rs.Update();
            }
        } catch (const std::exception& error) {
            LogException(error);
            platform::ui::Dialogs().MessageBox(error.what(), LoadResString(kErrorCaption),
                                               platform::ui::kMbOk);
        }
    }
    m_hasPictures = 0;
}

// ---- the file ------------------------------------------------------------------------------------------

std::string CCatalogueDb::PasswordConnect() const
{
    return m_password.empty() ? std::string() : ";PWD=" + m_password;
}

void CCatalogueDb::ReportFailure(const std::exception& error)
{
    DebugLogNumber(kFileFailed);
    LogException(error);
}

int CCatalogueDb::SetPassword(std::string_view oldPassword, std::string_view newPassword)
{
    Close();
    const std::string source =
        ";PWD=" + (oldPassword.empty() ? std::string("\"\"") : std::string(oldPassword));
    std::string locale = dbLangGeneral;
    if (!newPassword.empty()) {
        locale += ";PWD=" + std::string(newPassword);
    }
    try {
        CDaoWorkspace::CompactDatabase(m_filePath, m_filePath, locale, dbEncrypt, source,
                                       CDaoWorkspace::CompactTarget::Replace);
    } catch (const std::exception& error) {
        ReportFailure(error);
        platform::ui::Dialogs().MessageBox(LoadResString(kPasswordChangeFailedText),
                                           LoadResString(kErrorCaption), platform::ui::kMbOk);
        Reopen(m_filePath);
        return 1;
    }
    m_passwordProtected = !newPassword.empty();
    OpenWithPassword(newPassword);
    return 1;
}

int CCatalogueDb::RemovePassword(std::string_view oldPassword)
{
    Close();
    const std::string source = oldPassword.empty() ? std::string() : ";PWD=" + std::string(oldPassword);
    try {
        CDaoWorkspace::CompactDatabase(m_filePath, m_filePath,
                                       std::string(dbLangGeneral) + ";PWD=", dbDecrypt, source,
                                       CDaoWorkspace::CompactTarget::Replace);
    } catch (const std::exception& error) {
        ReportFailure(error);
        platform::ui::Dialogs().MessageBox(LoadResString(kPasswordChangeFailedText),
                                           LoadResString(kErrorCaption), platform::ui::kMbOk);
        Reopen(m_filePath);
        if (!m_open) {
            OpenWithPassword(oldPassword);
        }
        return 1;
    }
    m_passwordProtected = false;
    m_password.clear();
    Reopen(m_filePath);
    return 1;
}

bool CCatalogueDb::Backup()
{
    StampBackupTime();
    Close();
    const std::filesystem::path folder = GetBackupDir();
    bool copied = false;
    try {
        std::filesystem::create_directories(folder);
        CDaoWorkspace::CompactDatabase(m_filePath, folder / m_filePath.filename(), dbLangGeneral, 0,
                                       PasswordConnect(), CDaoWorkspace::CompactTarget::Replace);
        copied = true;
    } catch (const std::exception& error) {
        ReportFailure(error);
    }
    Reopen(m_filePath);
    return copied;
}

bool CCatalogueDb::Restore()
{
    Close();
    const std::filesystem::path backup = GetBackupDir() / m_filePath.filename();
    std::error_code missing;
    bool restored = false;
    if (!std::filesystem::is_regular_file(backup, missing)) {
        platform::ui::Dialogs().MessageBox(LoadResString(kNeverBackedUpText), LoadResString(kErrorCaption),
                                           platform::ui::kMbOk);
    } else {
        try {
            CDaoWorkspace::CompactDatabase(backup, m_filePath, dbLangGeneral, 0, PasswordConnect(),
                                           CDaoWorkspace::CompactTarget::Replace);
            restored = true;
        } catch (const std::exception& error) {
            ReportFailure(error);
        }
    }
    Reopen(m_filePath);
    return restored;
}

bool CCatalogueDb::CreateNew(const std::filesystem::path& path, const CCatalogueCreation& options)
{
    std::error_code error;
    const bool existed = std::filesystem::exists(path, error);
    bool created = false;
    try {
        created = !existed && CreateFrom(path, options);
    } catch (const std::exception& failure) {
        ReportFailure(failure);
    }
    if (!created) {
        if (!existed) {
            std::filesystem::remove(path, error);
        }
        platform::ui::Dialogs().MessageBox(LoadResString(kCreationFailedText), LoadResString(kErrorCaption),
                                           platform::ui::kMbOk);
    }
    return created;
}

// The new file starts as a plain compacted copy of this one (tables, indexes, counters and rows as they
// are, so record numbers and the codes built from them stay right); what the options leave out is then
// taken away.
bool CCatalogueDb::CreateFrom(const std::filesystem::path& path, const CCatalogueCreation& options)
{
    CDaoDatabase target;
    std::vector<std::string> keep = {"AREAS", "QUERIES", "DistList", "BMP",    "FILES",
                                     "FONTS", "LINK",    "PASSWORD", "Editor", "Notes"};
    std::vector<std::string> keepRows;
    if (!m_database) {
        target.Create(path, dbLangGeneral);
        CreateCatalogueTables(target, true);
        keep.push_back("OWNED");
    } else {
        LoadDefinitionsIfNeeded();
        CDaoWorkspace::CompactDatabase(m_filePath, path, dbLangGeneral, dbDecrypt, PasswordConnect(),
                                       CDaoWorkspace::CompactTarget::MustNotExist);
        target.Open(path, true);
        if (options.copyFolders) {
            keepRows.push_back("AREAS");
        }
        if (options.copyQueries) {
            keepRows.push_back("QUERIES");
        }
        if (options.copyLists) {
            keepRows.push_back("DistList");
        }
        keepRows.push_back("FILES"); // an empty structure keeps the rows, without most texts (below)
        if (!options.emptyStructure) {
            keepRows.insert(keepRows.end(), {"BMP", "FONTS"});
            for (int number = 0; number <= 98; ++number) {
                const CDataFileDef* definition = FindDefinition(number);
                if (definition == nullptr || definition->GetMenuNameIfSet() == nullptr) {
                    continue;
                }
                keep.push_back(definition->GetFileName());
                if (definition->GetStoredTableNumber() != 0) {
                    keepRows.push_back(definition->GetFileName());
                }
            }
        }
    }
    auto listed = [](const std::vector<std::string>& names, std::string_view name) {
        return std::any_of(names.begin(), names.end(),
                           [name](const auto& n) { return EqualsNoCase(n, name); });
    };
    for (const std::string& table : target.GetTableNames()) {
        if (!listed(keep, table)) {
            target.DeleteTableDef(table);
        } else if (!listed(keepRows, table)) {
            target.Execute("DELETE FROM " + SqlName(table));
        }
    }
    if (m_database && options.emptyStructure) {
        // Every stored text keeps its row, but only the page formats keep their text.
        CDataRecordset files(&target);
        files.OpenQuery(dbOpenDynaset, "SELECT * FROM FILES");
        for (; !files.IsEOF(); files.MoveNext()) {
            if (!EqualsNoCase(files.GetFieldText("NAME"), "pageFormats.txt")) {
                files.Edit();
                files.SetFieldMemo("TEXT", " ");
                files.Update();
            }
        }
    }

    CDataRecordset settings(&target);
    settings.OpenQuery(dbOpenTable, "PASSWORD");
    settings.AddNew();
    settings.SetFieldLong("DBNUMBER", m_catalogueNumber);
    const std::time_t today = std::time(nullptr);
    for (const char* date : {"CREAD", "MODID", "TOTBCKD", "INCBCKD"}) {
        settings.SetFieldTime(date, today);
    }
    settings.SetFieldText("IsViewOnly", "0");
    settings.SetFieldText("VERSION", options.emptyStructure ? "0" : std::to_string(m_version));
    settings.SetFieldText("HASAGE", options.hasAge ? "1" : "0");
    settings.SetFieldText("ISAREAALLOWED", "1");
    settings.SetFieldText("NAME", options.name);
    settings.SetFieldLong("ID", options.id);
    settings.Update();
    return true;
}

void CCatalogueDb::PurgeDeletedEntries()
{
    m_deletedEntries = 0;
    m_changed = true;
    if (!m_database) {
        return;
    }
    LoadDefinitionsIfNeeded();
    for (int number = 0; number <= 98; ++number) {
        const CDataFileDef* definition = number == kQueriesFile ? nullptr : FindDefinition(number);
        if (definition == nullptr || definition->GetFileName().empty()) {
            continue;
        }
        try {
            m_database->Execute("DELETE FROM " + SqlName(definition->GetFileName()) + " WHERE DELETED = True",
                                dbFailOnError);
        } catch (const std::exception& error) {
            ReportFailure(error);
            return;
        }
    }
}

void CCatalogueDb::RemoveDataFileResources(int fileNumber)
{
    CMarkupNode* gui = GetGuiInfo();
    CMarkupNode* form = FindGuiInfoElement(fileNumber, this);
    if (gui == nullptr || form == nullptr) {
        return;
    }
    gui->DetachChild(form); // handed back and freed here
    std::string text;
    gui->SaveToBuffer(text);
    WriteFileText("guiInfo.txt", text);
    if (CMarkupNode* controls = LoadCcInfo()) {
        SaveGuiInfo(controls, gui); // takes out the control data of the removed form
    }
    DiscardGuiInfo();
    gui = GetGuiInfo();

    // Fonts that no form uses any more.
    std::vector<int> used;
    for (CMarkupNode* node = gui->BeginWalk(); node != nullptr; node = gui->NextWalk()) {
        if (node->FindAttribute("FONTN") != nullptr) {
            used.push_back(node->GetAttributeInt("FONTN"));
        }
    }
    CDataRecordset fonts(m_database.get());
    try {
        fonts.OpenQuery(dbOpenTable, "FONTS");
        while (!fonts.IsEOF()) {
            if (std::find(used.begin(), used.end(), fonts.GetFieldLong("NUMBER")) == used.end()) {
                fonts.Delete();
            }
            fonts.MoveNext();
        }
    } catch (const std::exception& error) {
        ReportFailure(error);
    }
    fonts.Close();
    m_fontNumber = 0;
    m_font.reset();

    if (CMarkupNode* reports = GetReportTemplates()) {
        const std::string number = std::to_string(fileNumber);
        reports->DetachDescendantsIf([&](const CMarkupNode& node) {
            return node.AttributeEquals("dataName", number) || node.NameEquals(number + "Summary");
        });
        SaveReportTemplates();
        m_reportTemplates.reset();
    }

    try {
        m_database->Execute("DELETE FROM BMP WHERE NUMBER = " + std::to_string(fileNumber));
    } catch (const std::exception& error) {
        ReportFailure(error);
    }
    if (m_linkList) {
        RepairLinks();
    }
    if (const CDataFileDef* definition = FindDefinition(fileNumber)) {
        CDataRecordset queries(m_database.get());
        try {
            queries.OpenQuery(dbOpenDynaset,
                              "SELECT * FROM QUERIES where CONTENTS LIKE " +
                                  SqlText("*FROM " + SqlLikeLiteral(definition->GetFileName()) + "*") + ";");
            for (; !queries.IsEOF(); queries.MoveNext()) {
                queries.Delete();
            }
        } catch (const std::exception& error) {
            ReportFailure(error);
        }
    }
    ReloadLinks();
}

// ---- data-file definitions -----------------------------------------------------------------------------

CDataFileDef* CCatalogueDb::GetDefinitionSlot(int slot) const
{
    return slot > 0 && slot < kDefinitionSlots ? m_definitions[static_cast<size_t>(slot)].get() : nullptr;
}

CDataFileDef* CCatalogueDb::FindDefinition(int fileNumber) const
{
    if (fileNumber == 0) {
        return nullptr;
    }
    for (int slot = 1; slot < kDefinitionSlots; ++slot) {
        CDataFileDef* definition = GetDefinitionSlot(slot);
        if (definition != nullptr && definition->GetFileNumber() == fileNumber) {
            return definition;
        }
    }
    return nullptr;
}

CDataFileDef* CCatalogueDb::FindDefinitionByName(std::string_view fileName) const
{
    if (fileName.empty()) {
        return nullptr;
    }
    for (int slot = 1; slot < kDefinitionSlots; ++slot) {
        CDataFileDef* definition = GetDefinitionSlot(slot);
        if (definition != nullptr && EqualsNoCase(definition->GetFileName(), fileName)) {
            return definition;
        }
    }
    return nullptr;
}

// The first empty slot from `from` on, past the slots of the built-in data files; kDefinitionSlots
// when none is left.
int CCatalogueDb::FreeDefinitionSlot(int from) const
{
    for (int slot = std::max(from, 1); slot < kDefinitionSlots; ++slot) {
        if (!IsBuiltinSlot(slot) && !m_definitions[static_cast<size_t>(slot)]) {
            return slot;
        }
    }
    return kDefinitionSlots;
}

bool CCatalogueDb::StoreDefinition(const CDataFileDef& definition)
{
    CDataFileDef* target = FindDefinition(definition.GetFileNumber());
    if (target == nullptr) {
        target = FindDefinitionByName(definition.GetFileName());
    }
    for (int slot = 1; target == nullptr && slot < m_dataFileCount; ++slot) {
        CDataFileDef* candidate = GetDefinitionSlot(slot);
        if (candidate != nullptr && candidate->GetFileNumber() == 0) {
            target = candidate;
        }
    }
    if (target == nullptr) {
        const int slot = FreeDefinitionSlot(m_dataFileCount);
        if (slot >= kDefinitionSlots) {
            return false; // every slot is taken
        }
        m_definitions[static_cast<size_t>(slot)] = std::make_unique<CDataFileDef>(this);
        target = m_definitions[static_cast<size_t>(slot)].get();
        m_dataFileCount = std::max(m_dataFileCount, slot + 1);
    }
    target->CopyFrom(definition);
    target->Bind(this);
    return true;
}

void CCatalogueDb::FreeDefinitions()
{
    for (auto& slot : m_definitions) {
        slot.reset();
    }
    m_dataFileCount = 0;
}

void CCatalogueDb::SetDataStructure(std::unique_ptr<CMarkupNode> tree)
{
    m_dataStructure = std::move(tree);
}

void CCatalogueDb::LoadDataStructure()
{
    m_dataStructure.reset();
    if (!m_database) {
        return;
    }
    FreeDefinitions();
    m_dataFileCount = 1;
    auto tree = std::make_unique<CMarkupNode>("structure", "DataStructure");
    std::string text;
    if (ReadFileText("metaData.txt", text)) {
        tree->LoadFromBuffer(text);
    }
    int slot = 1;
    for (CMarkupNode* node = tree->GetFirstChild(); node != nullptr; node = node->GetNextSibling()) {
        slot = FreeDefinitionSlot(slot);
        if (slot >= kDefinitionSlots) {
            break;
        }
        auto definition = std::make_unique<CDataFileDef>(this);
        definition->LoadFromNode(*node, m_hasOwnedTable);
        m_definitions[static_cast<size_t>(slot)] = std::move(definition);
        m_dataFileCount = slot + 1;
        ++slot;
    }
    DefineSystemTables();
    for (auto& definition : m_definitions) {
        if (definition) {
            definition->CountFields();
        }
    }
    m_dataStructure = std::move(tree);
}

void CCatalogueDb::LoadDefinitionsIfNeeded()
{
    if (!HasDefinitions()) {
        LoadDataStructure();
    }
}

// The data files every catalogue has: journal notes, file items, item lists and stored queries. They
// have no menu name, so they are neither offered in menus nor written into the definition tree.
void CCatalogueDb::DefineSystemTables()
{
    struct Field
    {
        const char* name;
        int length;
        char type;
    };
    struct SystemFile
    {
        int number;
        const char* table;
        std::vector<Field> fields;
        bool titled; // the first field is the record's title
    };
    const SystemFile files[] = {
        {20, "Notes", {{"NoteText", 10, 'M'}}, false},
        {21, "Editor", {{"EdtFn", 260, 'C'}}, false},
        {22, "DistList", {{"NAME", 128, 'C'}, {"COMMENT", 2000, 'C'}}, true},
        {23, "Queries", {{"NAME", 128, 'C'}, {"COMMENT", 2000, 'C'}}, true},
    };
    for (const SystemFile& file : files) {
        auto definition = std::make_unique<CDataFileDef>(this);
        definition->SetFileNumber(file.number);
        definition->SetFileName(file.table);
        for (size_t i = 0; i < file.fields.size(); ++i) {
            CFieldDef* field = definition->Field(static_cast<int>(i));
            field->SetLength(file.fields[i].length);
            field->SetFieldType(file.fields[i].type);
            field->SetFieldNameLimited(file.fields[i].name, CFieldDef::kFieldNameWidth - 1);
            field->SetNameHeader(file.titled && i == 0);
        }
        m_definitions[static_cast<size_t>(file.number)] = std::move(definition);
    }
}

int CCatalogueDb::NextDataFileNumber() const
{
    int highest = 0;
    for (int slot = 1; slot < m_dataFileCount && slot < kDefinitionSlots; ++slot) {
        const CDataFileDef* definition = GetDefinitionSlot(slot);
        if (!IsBuiltinSlot(slot) && definition != nullptr) {
            highest = std::max(highest, definition->GetFileNumber());
        }
    }
    return highest + 1;
}

// ---- folders -------------------------------------------------------------------------------------------

CFolderList& CCatalogueDb::GetFolderList()
{
    if (!m_folderList) {
        m_folderList = std::make_unique<CFolderList>();
        m_folderList->LoadAll(*this);
    }
    return *m_folderList;
}

const std::string* CCatalogueDb::GetFolderName(double number)
{
    return GetFolderList().GetNameByNumber(number);
}

CFolderRecord* CCatalogueDb::FindFolder(double number)
{
    return GetFolderList().FindByNumber(number);
}

bool CCatalogueDb::DeleteFolderTree(double number, bool quiet)
{
    return GetFolderList().DeleteTree(number, *this, quiet);
}

int CCatalogueDb::AppendFolder(std::unique_ptr<CFolderRecord> folder)
{
    return GetFolderList().Append(std::move(folder));
}

CFolderRecord* CCatalogueDb::InsertFolder(const CFolderRecord& folder)
{
    auto record = std::make_unique<CFolderRecord>();
    record->CopyFrom(&folder);
    CFolderRecord* inserted = record.get();
    inserted->SetNumber(AppendFolder(std::move(record)));
    inserted->Insert(*this);
    inserted->SaveOrderedNumber(*this, inserted->GetOrderedNumber());
    return inserted;
}

bool CCatalogueDb::HasFolderOfType(int type)
{
    return GetFolderList().HasType(type);
}

CFolderRecord* CCatalogueDb::FirstTopLevelFolder()
{
    return GetFolderList().FirstTopLevel();
}

CFolderRecord* CCatalogueDb::NextTopLevelFolder()
{
    return GetFolderList().NextTopLevel();
}

CFolderRecord* CCatalogueDb::FirstChildFolder(double number)
{
    return GetFolderList().FirstChild(number);
}

CFolderRecord* CCatalogueDb::NextChildFolder(double number, const CFolderRecord* after)
{
    return GetFolderList().NextChild(number, after);
}

CFolderRecord* CCatalogueDb::AddFolder(std::string_view name, double parent, int type)
{
    CFolderRecord folder;
    folder.SetName(name);
    if (parent != 0.0) {
        folder.SetParent(parent);
    }
    folder.SetType(type);
    return InsertFolder(folder);
}

CFolderRecord* CCatalogueDb::AddFolderCopy(std::string_view name, double parent, const CFolderRecord& source)
{
    CFolderRecord folder;
    folder.CopyFrom(&source);
    folder.SetName(name);
    // The copy gets its own number; until then it must not count as its own parent.
    folder.SetNumber(0.0);
    if (parent != 0.0) {
        folder.SetParent(parent);
    }
    return InsertFolder(folder);
}

// ---- the built-in sets ---------------------------------------------------------------------------------

CItemSet* CCatalogueDb::GetBuiltinSet22()
{
    return m_builtinSet22 ? m_builtinSet22.get() : ResetBuiltinSet22();
}

CItemSet* CCatalogueDb::GetBuiltinSet23()
{
    return m_builtinSet23 ? m_builtinSet23.get() : ResetBuiltinSet23();
}

CItemSet* CCatalogueDb::ResetBuiltinSet22()
{
    m_builtinSet22 = std::make_unique<CItemSet>(CItemSet::Query(this, kItemListsFile, nullptr, false));
    return m_builtinSet22.get();
}

CItemSet* CCatalogueDb::ResetBuiltinSet23()
{
    m_builtinSet23 = std::make_unique<CItemSet>(CItemSet::Query(this, kQueriesFile, nullptr, false));
    return m_builtinSet23.get();
}

double CCatalogueDb::GetLinkedParent(CItemSet& set)
{
    CRecord* current = set.GetCurrent();
    const CDataFileDef* definition = current != nullptr ? current->GetDefinition() : nullptr;
    return definition != nullptr ? GetLinkedParent(*definition, current->GetKeyCode()) : -2;
}

bool CCatalogueDb::HasOtherDataFile(CItemSet& set)
{
    CRecord* current = set.GetCurrent();
    const CDataFileDef* definition = current != nullptr ? current->GetDefinition() : nullptr;
    return definition != nullptr && HasOtherDataFile(*definition);
}

// ---- links ---------------------------------------------------------------------------------------------

CLinkList& CCatalogueDb::GetLinkList()
{
    if (!m_linkList) {
        m_linkList = std::make_unique<CLinkList>();
        m_linkList->LoadAll(*this);
    }
    return *m_linkList;
}

void CCatalogueDb::ReloadLinks()
{
    m_linkList.reset();
    GetLinkList();
}

int CCatalogueDb::RepairLinks()
{
    ReloadLinks();
    const int removed = CLinkList::RepairTable(*this);
    ReloadLinks();
    return removed;
}

void CCatalogueDb::AddLinkEntry(const CLinkEntry& entry)
{
    GetLinkList().Add(entry);
}

bool CCatalogueDb::HasLinkFromFileWithoutTable(const CNodeRef* ref)
{
    if (ref == nullptr) {
        return false;
    }
    LoadDefinitionsIfNeeded();
    for (const CLinkEntry& link : GetLinkList().Entries()) {
        const std::uint16_t kind = link.GetOut().GetKind();
        if (IsOrdinaryKind(kind) && link.GetIn().IsSame(ref)) {
            const CDataFileDef* definition = FindDefinition(kind);
            if (definition != nullptr && definition->GetTableNumber() == 0) {
                return true;
            }
        }
    }
    return false;
}

// ---- stored texts --------------------------------------------------------------------------------------

bool CCatalogueDb::ReadFileText(std::string_view name, std::string& text)
{
    if (!m_database) {
        return false;
    }
    CDataRecordset rs(m_database.get());
    try {
        rs.OpenQuery(dbOpenSnapshot, FilesRowQuery(name));
        if (rs.IsEOF()) {
            return false;
        }
        text = rs.GetFieldString("TEXT");
        return true;
    } catch (const std::exception& error) {
        DebugLogNumber(kTextFailed);
        LogException(error);
        return false;
    }
}

bool CCatalogueDb::WriteFileText(std::string_view name, std::string_view text)
{
    if (!m_database) {
        return false;
    }
    CDataRecordset rs(m_database.get());
    try {
        rs.OpenQuery(dbOpenDynaset, FilesRowQuery(name));
        if (rs.IsEOF()) {
            rs.OpenQuery(dbOpenTable, "FILES");
            rs.AddNew();
            rs.SetFieldText("NAME", name);
        } else {
            rs.Edit();
        }
        rs.SetFieldMemo("TEXT", text);
        rs.Update();
        return true;
    } catch (const std::exception& error) {
        DebugLogNumber(kTextFailed);
        LogException(error);
        return false;
    }
}
