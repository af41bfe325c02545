#pragma once
// One open catalogue: a catalogue file (".ctg") opened through the database layer, with its settings
// row, its data-file definitions, its folders, its links and its stored texts. Everything that reads
// or writes a catalogue goes through this object. The catalogue tree node creates and owns it; other
// code borrows it.
//
// The object exists even when the file could not be opened: GetDatabase() is then null and every
// operation returns empty, false or nothing. A password-protected file opened without its password is
// in the protected state: no database, the name "Protected Catalogue", until Open(password) succeeds.

#include "store/DataFileDef.h"
#include "store/FolderList.h"
#include "store/LinkList.h"

#include <array>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace platform::dao {
class CDaoDatabase;
}
class CMarkupNode;

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
    // Releases everything that hangs on the open file; the object can be opened again.
    void Close();
    // The file is open, or was found protected and waits for its password.
    bool IsOpen() const { return m_open; }
    platform::dao::CDaoDatabase* GetDatabase() const { return m_database.get(); }
    bool IsPasswordProtected() const { return m_passwordProtected; }
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
    std::time_t GetCreationTime() const { return m_created; }
    std::time_t GetModificationTime() const { return m_modified; }
    void SetModificationTime(std::time_t time) { m_modified = time; }
    std::time_t GetLastBackupTime() const { return m_lastBackup; }
    std::time_t GetLastIncrementalBackupTime() const { return m_lastIncrementalBackup; }

    // Writes NAME, DELETEDENTRIES, MODID, TOTBCKD, ISAREAALLOWED and COMMENT into the settings row;
    // failures are written to the trace log only.
    void SaveSettings();

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

    // ---- stored texts (table FILES) -----------------------------------------------------------------
    // The TEXT of the row of that name (compared without regard to case); false when there is none.
    bool ReadFileText(std::string_view name, std::string& text);
    // Rewrites the row's TEXT, adding the row when there is none. False when the catalogue is closed or
    // the write fails.
    bool WriteFileText(std::string_view name, std::string_view text);

private:
    void ClearSettings();
    void ReadSettingsRow();
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
    std::unique_ptr<CLinkList> m_linkList;
};
