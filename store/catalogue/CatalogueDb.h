#pragma once
// One open catalogue: a catalogue file (".ctg") opened through the database layer, with its settings
// row, its data-file definitions, its folders, its links and its stored texts. Everything that reads
// or writes a catalogue goes through this object. The catalogue tree node creates and owns it; other
// code borrows it.
//
// The object exists even when the file could not be opened: GetDatabase() is then null and every
// operation returns empty, false or nothing. A password-protected file opened without its password is
// in the protected state: no database, the name "Protected Catalogue", until Open(password) succeeds.

#include "store/definitions/DataFileDef.h"
#include "store/markup/MarkupNode.h"
#include "store/records/FolderList.h"
#include "store/records/LinkList.h"

#include <array>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform::dao {
class CDaoDatabase;
}
class CCatalogueImage;
class CDataRecordset;
class CItemSet;

// What a new catalogue made from this one holds (CCatalogueDb::CreateNew).
struct CCatalogueCreation
{
    std::string name;
    int id = 0;
    bool hasAge = false;
    bool copyFolders = false; // the folders (AREAS)
    bool copyQueries = false; // the stored queries
    bool copyLists = false;   // the item lists
    // Only the fixed tables and the page formats: no data files, pictures, fonts or other texts.
    bool emptyStructure = false;
};

class CCatalogueDb
{
public:
    // Slot 0 is never used; user data files fill slots 1 to 19 and 24 to 49, the built-in data files
    // 20 to 23 (notes, file items, item lists, stored queries) keep the slots of their numbers.
    static constexpr int kDefinitionSlots = 50;

    // A catalogue that was never opened.
    CCatalogueDb();
    // Opens the file without a password (Reopen).
    explicit CCatalogueDb(const std::filesystem::path& path);
    // Opens the file as above but refuses versions 6 to 24 without message 524, for callers that read
    // many catalogues and promise to show nothing (a search over every registered catalogue).
    struct QuietRefusal
    {
    };
    CCatalogueDb(const std::filesystem::path& path, QuietRefusal);
    // When the catalogue was opened: writes the settings row back, closes, compacts the file when it
    // changed, and deletes it when it was marked for removal.
    ~CCatalogueDb();
    CCatalogueDb(const CCatalogueDb&) = delete;
    CCatalogueDb& operator=(const CCatalogueDb&) = delete;

    // ---- opening and closing -----------------------------------------------------------------------
    // Opens the file (its extension made ".ctg") with the password last used, if any, and reads the
    // settings row; true when the database is open. Versions 6 to 24 are refused with message 524. A
    // file that needs another password gives the protected state, in which the open flag stays set.
    bool Reopen(const std::filesystem::path& path);
    // Opens the file with its password and reads the settings row; false for a wrong password (the
    // catalogue stays protected) and for a refused version (message 524).
    bool Open(std::string_view password);
    // The same without the version test (after a change of password).
    bool OpenWithPassword(std::string_view password);
    // Releases everything that hangs on the open file; the object can be opened again.
    void Close();
    // The file is open, or was found protected and waits for its password.
    bool IsOpen() const { return m_open; }
    platform::dao::CDaoDatabase* GetDatabase() const { return m_database.get(); }
    bool IsPasswordProtected() const { return m_passwordProtected; }
    // The password the file was opened with; empty for a plain file.
    const std::string& GetPassword() const { return m_password; }
    bool HasOwnedTable() const { return m_hasOwnedTable; }
    const std::filesystem::path& GetFilePath() const { return m_filePath; }

    // ---- the settings row --------------------------------------------------------------------------
    const std::string& GetName() const { return m_name; }
    void SetName(std::string_view name); // at most 127 bytes
    const std::string& GetComment() const { return m_comment; }
    void SetComment(std::string_view comment); // at most 1999 bytes
    const std::string& GetHelpFile() const { return m_helpFile; }
    int GetCatalogueNumber() const { return m_catalogueNumber; }
    void SetCatalogueNumber(int number) { m_catalogueNumber = number; }
    int GetId() const { return m_id; }
    int GetVersion() const { return m_version; }
    bool IsAreaAllowed() const { return m_areaAllowed != 0; }
    void SetAreaAllowed(int allowed) { m_areaAllowed = allowed; }
    bool IsViewOnly() const { return m_viewOnly != 0; }
    bool HasPictures() const { return m_hasPictures != 0; }
    int GetHasAge() const { return m_hasAge; }
    int GetDeletedEntries() const { return m_deletedEntries; }
    // A record went to the waste basket: rows marked deleted exist.
    void CountDeletedEntry() { ++m_deletedEntries; }
    // A record came back from the waste basket.
    void UncountDeletedEntry()
    {
        if (m_deletedEntries > 0) {
            --m_deletedEntries;
        }
    }
    std::time_t GetCreationTime() const { return m_created; }
    std::time_t GetModificationTime() const { return m_modified; }
    void SetModificationTime(std::time_t time) { m_modified = time; }
    std::time_t GetLastBackupTime() const { return m_lastBackup; }
    std::time_t GetLastIncrementalBackupTime() const { return m_lastIncrementalBackup; }

    // Writes NAME, DELETEDENTRIES, MODID, TOTBCKD, ISAREAALLOWED and COMMENT into the settings row;
    // failures are written to the trace log only.
    void SaveSettings();
    // Now is the time of the last backup; the settings row is saved.
    void StampBackupTime();
    void SetViewOnly(bool viewOnly);
    // One of the five advertisement texts (index 0 to 4).
    void SetAdvertText(int index, std::string_view text);
    void ClearBmpFlag();
    // The file is deleted when the object goes.
    void MarkForRemoval() { m_markedForRemoval = true; }
    bool IsMarkedForRemoval() const { return m_markedForRemoval; }
    // The file is compacted when the object goes.
    void SetChanged() { m_changed = true; }
    bool IsChanged() const { return m_changed; }

    // ---- the file ----------------------------------------------------------------------------------
    // Encrypts the file with the new password (an empty one leaves it plain), given the old one. A
    // failure shows message 39028 and reopens the file as it was. Returns 1.
    int SetPassword(std::string_view oldPassword, std::string_view newPassword);
    // Decrypts the file, given its password. Returns 1.
    int RemovePassword(std::string_view oldPassword);
    // Copies the file, compacted, into the backup folder (setting "backupDir") under its own name,
    // replacing an earlier backup, and reopens it. False when the copy failed.
    bool Backup();
    // Replaces the file by its backup and reopens it; without a backup, message 39020. False when
    // nothing was restored.
    bool Restore();
    // Makes a new catalogue file from this one: its tables, the rows the options ask for, the lookup
    // tables' rows and a new settings row. The file must not exist. A failure shows message 39018,
    // leaves no file behind and gives false. A catalogue that was never opened gives an empty one.
    bool CreateNew(const std::filesystem::path& path, const CCatalogueCreation& options);
    // Deletes the rows of every data file (but the stored queries) marked deleted; the file is
    // compacted when the object goes.
    void PurgeDeletedEntries();
    // Forgets what belongs to a data file that is removed: its form, the fonts only it used, its report
    // templates, its icon, the stored queries over its table and the links to its records.
    void RemoveDataFileResources(int fileNumber);

    // ---- data-file definitions ---------------------------------------------------------------------
    // One more than the number of user data-file definitions; 0 until they are loaded.
    int GetDataFileCount() const { return m_dataFileCount; }
    bool HasDefinitions() const { return m_dataFileCount > 0; }
    // The definition in a slot (1 to 49); null when the slot is empty.
    CDataFileDef* GetDefinitionSlot(int slot) const;
    // The definition of a data file by number or by table name (ignoring case); null when none.
    CDataFileDef* FindDefinition(int fileNumber) const;
    CDataFileDef* FindDefinitionByName(std::string_view fileName) const;
    // Copies a definition into the catalogue (see CDataFileDef::StoreInCatalogue).
    bool StoreDefinition(const CDataFileDef& definition);
    // Reads the definitions from the stored "metaData.txt" into the slots, with the built-in data
    // files, then counts each one's fields.
    void LoadDataStructure();
    void LoadDefinitionsIfNeeded();
    // The definition tree as last read or built; null before.
    CMarkupNode* GetDataStructure() const { return m_dataStructure.get(); }
    void SetDataStructure(std::unique_ptr<CMarkupNode> tree);
    // One more than the highest user data-file number; 1 without user data files.
    int NextDataFileNumber() const;

    // ---- the tables of the data files ---------------------------------------------------------------
    // Brings the tables in line with the catalogue's data-file definitions after they were changed:
    // creates the tables of new data files, adds, resizes and drops columns, carries the flags kept in
    // the stored definitions over, saves the new definitions and reads them again. The arguments
    // describe the data file being added or edited (its fileName and the values of its "table",
    // "isOnlyChild", "menu" and "strongName"). The file is copied to the temporary backup first; when a
    // table or a column cannot be changed, message 21570 is shown and that copy is put back. False when
    // nothing was changed: no database, no backup could be made, or the change was rolled back.
    bool UpdateTables(std::string_view fileName, int table, bool isOnlyChild, bool menu,
                      std::string_view strongName);
    // Creates the table of a "DataFile" node of a definition tree: a column per field by its type letter
    // (DataTableColumns.h), the system columns and the index "OID". True when made or already there.
    bool CreateDataTable(const CMarkupNode& fileNode);
    // The temporary backup ("tempBckup.ctg" in the backup folder) made while the tables change.
    static std::filesystem::path TempBackupPath();
    // Copies the catalogue into the temporary backup, replacing an earlier one; false when it failed,
    // and then no earlier copy is left behind.
    bool SaveTempBackup();
    // Puts the temporary backup in the place of the catalogue file and reopens it; false when nothing
    // was put back.
    bool RestoreTempBackup();
    void DiscardTempBackup();
    // Says "I am removing a table" (titled "Error") and deletes the table; failures are swallowed.
    void RemoveTable(std::string_view name);

    // ---- folders (the list is read on first use) ----------------------------------------------------
    CFolderList& GetFolderList();
    // Null when there is no such folder.
    const std::string* GetFolderName(double number);
    CFolderRecord* FindFolder(double number);
    bool DeleteFolderTree(double number, bool quiet);
    // Takes a folder into the list and returns the next free folder number.
    int AppendFolder(std::unique_ptr<CFolderRecord> folder);
    // A new folder copied from the given one, numbered by the list, stored as a new row; it belongs to
    // the list.
    CFolderRecord* InsertFolder(const CFolderRecord& folder);
    bool HasFolderOfType(int type);
    CFolderRecord* FirstTopLevelFolder();
    CFolderRecord* NextTopLevelFolder();
    CFolderRecord* FirstChildFolder(double number);
    CFolderRecord* NextChildFolder(double number, const CFolderRecord* after);
    // A new folder with that name, type and parent (directly under the catalogue for a parent of 0).
    CFolderRecord* AddFolder(std::string_view name, double parent, int type);
    // A copy of the source folder under a new name and, when given (not 0), a new parent.
    CFolderRecord* AddFolderCopy(std::string_view name, double parent, const CFolderRecord& source);

    // ---- links (the list is read on first use) ------------------------------------------------------
    CLinkList& GetLinkList();
    void ReloadLinks();
    // Removes the LINK rows marked deleted and those whose records are gone, then reads the list again.
    // Returns the number of rows removed.
    int RepairLinks();
    void AddLinkEntry(const CLinkEntry& entry);
    // True when an item of a data file shown only as a child (table number 0 is the test) links to the
    // element: a link from a kind below 20, or 24 or 25, whose data file's table number is 0.
    bool HasLinkFromFileWithoutTable(const CNodeRef* ref);

    // ---- copies in this catalogue of a record of another ---------------------------------------------
    // The record of another catalogue is given by its data file's definition and its key code. The
    // PARENT of the live copy here (a record whose FROM-UID is that code), or its UID: -1 without a
    // copy, -2 when no data file here matches.
    double GetLinkedParent(const CDataFileDef& definition, double keyCode);
    double FindCopyUid(const CDataFileDef& definition, double keyCode);
    // True when this catalogue has a data file with the same strong name, so that an item of that
    // data file can be copied here.
    bool HasOtherDataFile(const CDataFileDef& definition);
    // The same for the current record of an item set: -2 and false when the set has none.
    double GetLinkedParent(CItemSet& set);
    bool HasOtherDataFile(CItemSet& set);

    // ---- stored texts (table FILES) -----------------------------------------------------------------
    // The TEXT of the row of that name (compared without regard to case); false when there is none.
    bool ReadFileText(std::string_view name, std::string& text);
    // Rewrites the row's TEXT, adding the row when there is none. False when the catalogue is closed or
    // the write fails.
    bool WriteFileText(std::string_view name, std::string_view text);
    // The row's text parsed into the tree; false when there is no row.
    bool ReadFileTree(std::string_view name, CMarkupNode& tree);
    bool WriteFileTree(std::string_view name, const CMarkupNode& tree);
    bool DeleteFileRow(std::string_view name);
    // When the row was last written; 0 without the row.
    std::time_t GetFileModificationDate(std::string_view name);

    // The cached trees of the stored texts, read on first use and kept until Close. Null without an
    // open database; a missing row gives an empty tree.
    CMarkupNode* GetGuiInfo(); // the forms ("guiInfo.txt")
    CMarkupNode* LoadCcInfo(); // the forms' control data ("ccInfo.txt")
    CMarkupNode* GetPageFormats();
    CMarkupNode* GetWebTemplates();
    CMarkupNode* GetReportTemplates();
    // Drops the cached form trees, so that they are read again.
    void DiscardGuiInfo();
    // Takes out of the control data what no form names any more, then writes both trees into their
    // existing rows: 1, or 0 when a row is missing (rows are not created here).
    int SaveGuiInfo(CMarkupNode* ccTree, CMarkupNode* guiTree);
    void SavePageFormats();
    void SaveWebTemplates();
    void SaveReportTemplates();
    // The web template a data file's pages use by default.
    void SetDefaultTemplate(int dataNumber, std::string_view templateName);
    std::optional<std::string> GetDefaultTemplate(int dataNumber);
    void RemoveWebTemplatesOfFile(int dataNumber);
    void RemoveReportTemplatesOfFile(int dataNumber);

    // ---- pictures (table BMP; the companion of picture N is N + 1000) ----------------------------------
    // Loads and decodes the picture; false when there is none or it cannot be decoded.
    bool ReadImage(int number, CCatalogueImage& picture);
    bool ReadAltImage(int number, CCatalogueImage& picture) { return ReadImage(number + 1000, picture); }
    // Stores the picture as a BMP file image; false when it cannot be stored (too large, not decodable).
    bool WriteImage(CCatalogueImage& picture, int number);
    bool WriteAltImage(CCatalogueImage& picture, int number) { return WriteImage(picture, number + 1000); }
    // Copies picture `number` and its companion of the source catalogue here as `newNumber`.
    void CopyImage(int number, CCatalogueDb& source, int newNumber);

    // ---- fonts (table FONTS) -------------------------------------------------------------------------
    // The font described by row `number`; none for 0 or a missing row. `reset` forgets the font kept
    // from the last call first. `screenDpiY` sizes descriptions given as a font dimension.
    std::optional<LogFont> GetFont(int number, bool reset = false, int screenDpiY = 96);
    // The number of the row describing the font, adding a row when none does; 0 when the catalogue
    // is closed.
    int GetFontNumber(const LogFont& font);

    // ---- the built-in sets ---------------------------------------------------------------------------
    // The item lists (data file 22) and the stored queries (data file 23) of the catalogue, every folder,
    // made on first use and kept until Close or a reset.
    CItemSet* GetBuiltinSet22();
    CItemSet* GetBuiltinSet23();
    // Drops the set and makes a new one, after lists or queries were added, moved or removed.
    CItemSet* ResetBuiltinSet22();
    CItemSet* ResetBuiltinSet23();

    // ---- stored queries (table QUERIES) -------------------------------------------------------------
    bool ReadQuery(std::string_view name, std::string& contents);
    // Rewrites the query of that name, or adds it; `parent` is the code of the folder holding it. An
    // empty text leaves the stored one.
    bool WriteQuery(std::string_view name, std::string_view contents, double parent);
    bool DeleteQuery(std::string_view name);

private:
    // Opens the settings row for editing, lets `change` set its fields and writes it; false when there is
    // no open database or no row, or the engine failed (logged).
    // Deletes the row of `table` whose "name" is `name`; false when there is none.
    bool DeleteRowNamed(std::string_view table, std::string_view name);
    bool EditSettingsRow(const std::function<void(CDataRecordset&)>& change);
    bool OpenWith(std::string_view password, bool refuseVersions);
    void ReadSettingsRow(bool refuseVersions);
    void ReportFailure(const std::exception& error);
    std::string PasswordConnect() const;
    CMarkupNode* CachedTree(std::unique_ptr<CMarkupNode>& cache, std::string_view row, std::string_view name,
                            std::string_view type);
    void SaveCachedTree(std::unique_ptr<CMarkupNode>& cache, std::string_view row, std::string_view name,
                        std::string_view type);
    double FindCopyColumn(const CDataFileDef& definition, double keyCode, std::string_view column);
    bool CreateFrom(const std::filesystem::path& path, const CCatalogueCreation& options);
    void EnsureOrderedNumberColumn();
    void DefineSystemTables();
    int FreeDefinitionSlot(int from) const;
    void FreeDefinitions();

    std::unique_ptr<CMarkupNode> m_dataStructure;
    bool m_changed = false;
    int m_id = 0;
    int m_areaAllowed = 0;
    int m_version = 0;
    std::unique_ptr<CFolderList> m_folderList;
    bool m_hasOwnedTable = false;
    int m_viewOnly = 0;
    std::string m_comment;
    bool m_passwordProtected = false;
    int m_catalogueNumber = 0;
    std::string m_helpFile;
    int m_hasPictures = 0;
    int m_deletedEntries = 0;
    std::time_t m_created = 0;
    std::time_t m_modified = 0;
    std::time_t m_lastBackup = 0;
    std::time_t m_lastIncrementalBackup = 0;
    bool m_markedForRemoval = false;
    int m_hasAge = 0;
    std::string m_password;
    std::string m_name;
    std::filesystem::path m_filePath;
    std::unique_ptr<platform::dao::CDaoDatabase> m_database;
    int m_dataFileCount = 0;
    std::array<std::unique_ptr<CDataFileDef>, kDefinitionSlots> m_definitions;
    bool m_open = false;
    bool m_refusalShown = true; // whether a refused version shows message 524
    std::unique_ptr<CLinkList> m_linkList;
    std::unique_ptr<CItemSet> m_builtinSet22;
    std::unique_ptr<CItemSet> m_builtinSet23;

    std::unique_ptr<CMarkupNode> m_guiInfo;
    std::unique_ptr<CMarkupNode> m_ccInfo;
    std::unique_ptr<CMarkupNode> m_pageFormats;
    std::unique_ptr<CMarkupNode> m_webTemplates;
    std::unique_ptr<CMarkupNode> m_reportTemplates;
    // The font of the last GetFont call.
    int m_fontNumber = 0;
    std::optional<LogFont> m_font;
};

// True when two fonts differ in a size, an angle, the weight, a style byte or the face name (compared
// with regard to case).
bool LogFontsDiffer(const LogFont& a, const LogFont& b);

// The form of a data file in the catalogue's form tree: the node named "23<n>F", else "23<n>"; null
// without catalogue or number.
CMarkupNode* FindGuiInfoElement(int fileNumber, CCatalogueDb* catalogue);
// True when the data file's form has a parent (grandparent) chooser.
bool IsFatherElement(int fileNumber, CCatalogueDb* catalogue);
bool IsGrandfatherElement(int fileNumber, CCatalogueDb* catalogue);
// Whether the data file's form shows a list of the record's children (an element "childList").
bool HasChildListElement(int fileNumber, CCatalogueDb* catalogue);

// The text of a stored query: its QUERIES row in the catalogue, or without a catalogue the file
// "<name>.query" in the product folder. False when there is none (a name that is not a plain file name
// has none).
bool ReadStoredQueryText(CCatalogueDb* catalogue, std::string_view name, std::string& text);
