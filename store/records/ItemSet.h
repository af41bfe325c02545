#pragma once
// An item set: the program's common way to name and walk a group of records. A set is described when it
// is made (the records of a folder or data file, of a stored query, of an item list, the records linked
// with an element, a quick or advanced search, one record being edited) and loads lazily: every accessor
// runs Load first, then works on the set's record list through a current-record cursor. Tree nodes hold
// one set each; the record window, the list panes, the clipboard and the page writer reach records
// through sets.
//
// A set borrows its catalogue, except for an advanced search over catalogue files (the definition name
// is a file path, or "All" for every registered catalogue): Load opens those catalogues itself and the
// set keeps the ones that gave records, since its records belong to them.
//
// Every text a user typed that goes into SQL here is quoted: a quick search for "it's 50%" finds that
// text and nothing else. Database errors leave the set empty; nothing is shown to the user.

#include "store/definitions/QueryDefinition.h"
#include "store/records/NodeRef.h"
#include "store/records/Record.h"
#include "store/records/RecordList.h"

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CCatalogueDb;
class CCatalogueNodeSource;
class CFolderRecord;

// Kind codes of the sets that hold linked records or search results.
enum ItemSetKind : std::uint8_t
{
    kPlainSet = 0,
    kAttachmentsSet = 233,   // a record's attachments: linked records of the data files shown as lists
    kLinkedRecordsSet = 234, // the owner's linked records by link code
    kLinkWalkSet = 235,      // the records the owner links to
    kLinkedOfKindSet = 236,  // the owner's linked records of one kind
    kQuickSearchSet = 237,   // a quick search
};

// Link codes of the children sets.
enum ItemSetLinkCode : int
{
    kLinkAll = 100,        // the records the owner links to (kind 235)
    kLinkMenuKinds = 101,  // linked records of kinds 1 to 30 but the notes
    kLinkEveryKind = 102,  // linked records of every kind, with their linked flags
    kLinkKinds1To30 = 104, // linked records of kinds 1 to 30, with their linked flags
};

// The search data file of a quick search over every data file.
inline constexpr int kSearchEveryDataFile = 100;

class CItemSet
{
public:
    // ---- making sets ---------------------------------------------------------------------------------
    // Nothing: no catalogue, no records.
    CItemSet();
    // A set of the catalogue, to be described by the setters below.
    explicit CItemSet(CCatalogueDb* catalogue);
    virtual ~CItemSet();
    CItemSet(CItemSet&&) noexcept;
    CItemSet& operator=(CItemSet&&) noexcept;
    CItemSet(const CItemSet&) = delete;
    CItemSet& operator=(const CItemSet&) = delete;

    // The rows of a complete SELECT statement on one data file's table.
    static CItemSet FromSql(CCatalogueDb* catalogue, std::string_view sql);
    // The children of an owner by link code (kLinkAll, kLinkMenuKinds, kLinkEveryKind, kLinkKinds1To30,
    // or a data-file number 1 to 19, 24, 25 for the owner's linked records of that kind).
    static CItemSet Children(CCatalogueDb* catalogue, const CNodeRef* owner, int linkCode);
    // The records of one kind (link code 1 to 19, 24 or 25) that link to the key; loaded at once.
    static CItemSet LinkedTo(CCatalogueDb* catalogue, const CNodeRef& key, int linkCode);
    // The owner's linked records of one kind; loaded at once.
    static CItemSet LinkedOfKind(CCatalogueDb* catalogue, const CNodeRef& owner, int kind);
    // A quick search: the records of a data file (kSearchEveryDataFile: of every data file) whose
    // searched fields contain the text.
    static CItemSet QuickSearch(CCatalogueDb* catalogue, int searchDataFile, std::string_view text);
    // One new record of a data file, under the folder (the catalogue's top without one); it is the set's
    // own current record, not in its list.
    static CItemSet NewRecord(int kind, const CFolderRecord* folder, CCatalogueDb* catalogue);
    // The records of a data file in a folder (null: in every folder), live or in the waste basket.
    static CItemSet Query(CCatalogueDb* catalogue, int dataFile, const CFolderRecord* folder, bool deleted);
    // The records of listed keys, in list order; the key, when given, is the first.
    static CItemSet WithCriteria(CCatalogueDb* catalogue, const CNodeRef* key);
    // A stored query: the QUERIES row of that name, or without a catalogue the file "<name>.query" in the
    // product folder. Empty when there is none.
    static CItemSet FromStoredQuery(CCatalogueDb* catalogue, std::string_view name);
    // A set holding a copy of the other set's current record (its first when none is current).
    static CItemSet CopyOfCurrent(CItemSet& other);
    // A set holding copies of all the other set's records, positioned as the other set is.
    static CItemSet CopyOf(CItemSet& other);

    // Makes this set describe what the other describes (definition, SQL, catalogue, kinds, owner, search)
    // and appends the other set's records.
    void Assign(CItemSet& other);

    // ---- loading -------------------------------------------------------------------------------------
    void Load();
    bool IsLoaded() const { return m_loaded; }
    // Forgets the records and loads again.
    void Reload();
    // The records are read again the next time the set is loaded (the panes refill from it).
    void MarkUnloaded() { m_loaded = false; }
    // Reads the current record's row again.
    bool ReloadCurrent();
    // The list itself (loaded); for walks that need more than the cursor.
    CRecordList& GetList();

    // ---- the cursor ----------------------------------------------------------------------------------
    // True when a record is current afterwards; MoveNext and MovePrev leave the cursor at the end.
    bool MoveFirst();
    bool MoveNext();
    bool MovePrev();
    bool MoveLast();
    bool IsAtFirst();
    bool IsAtLast();
    // From 1; 0 without a current record.
    size_t GetPosition();
    size_t GetCount();
    // The current record; null when the set is empty.
    CRecord* GetCurrent();
    // The record of a list row (from 0) becomes current at once, as a list pane asks for a row's element;
    // false past the end.
    bool MoveToRow(size_t row);
    // The first record of the kind becomes current; false when none.
    bool MoveToKind(int kind);
    // The record of the same catalogue, kind and number becomes current; false when the set has none.
    bool FindRecord(const CRecord& record);
    // Positions on the other set's current record, or takes the other set's records when this one is
    // empty; false when neither worked.
    bool FindOrAppendCurrentOf(CItemSet& other);
    // Whether the set holds the record of that key code, or of the record's catalogue, kind and number;
    // the current record stays.
    bool ContainsKeyCode(double code);
    bool ContainsRecord(const CRecord& record);
    // Takes the current record out of the list; the first becomes current.
    bool DeleteCurrentFromList();

    // ---- building ------------------------------------------------------------------------------------
    // Loads the record of the key and appends a copy; false when it cannot be loaded.
    bool AddRecordByKey(const CNodeRef& key);
    // Appends the other set's records (only its current one unless `wholeList`), skipping those this set
    // holds already.
    void AppendFrom(CItemSet& other, bool wholeList);
    // Appends the other set's records of a kind (0: all).
    void AppendOfKind(CItemSet& other, int kind);

    // ---- the clipboard (ItemClipboard.h) ---------------------------------------------------------------
    // Puts an item entry for every record on the clipboard under "VUR_Copy_Items" ("VUR_Move_Items"),
    // behind the entries already there; true when the clipboard took them. The cursor stays.
    bool CopyItemsToClipboard();
    bool MoveItemsToClipboard();
    // The same under any private format. In the stored-query and item-list formats each record is
    // written as the path of the first node of the tree whose loaded set holds it (records no node
    // holds, or all without a tree, are left out).
    bool AppendItemsToClipboard(std::string_view format, CCatalogueNodeSource* tree = nullptr);
    // Replaces what the clipboard holds in the format by the set's entries.
    bool WriteItemsToClipboard(std::string_view format, CCatalogueNodeSource* tree = nullptr);

    // ---- sorting -------------------------------------------------------------------------------------
    // Sorts by a key (RecordSortKey or a field number 0 to 95). Each key remembers its last direction
    // program-wide: without `forced` a sort reverses it. Load sorts again by the last key.
    bool Sort(int key, bool forced = false, bool ascending = true);
    bool SortByName(bool forced = false, bool ascending = true);
    bool SortByCreationTime(bool forced = false, bool ascending = true);
    bool SortByModificationTime(bool forced = false, bool ascending = true);
    bool SortByFieldName(std::string_view name, bool forced = false, bool ascending = true);
    int GetSortKey() const { return m_sortKey; }
    bool GetSortDirection() const { return m_sortDirection; }

    // ---- definition and filter -----------------------------------------------------------------------
    QueryDefinition* GetDefinition() const { return m_definition.get(); }
    QueryDefinition& Definition();
    void SetDefinitionName(std::string_view name);
    void SetFilterDeleted(bool deleted);
    void SetFilterFolder(const CFolderRecord* folder);
    void SetFilterDataFile(int dataFile);
    void SetFilterText(std::string_view criteria);
    // The folder of the filter; null for every folder or without a filter.
    const CFolderRecord* GetFilterFolder() const;
    // The folder condition also takes the records outside any folder.
    void SetAllFolders(bool allFolders = true) { m_allFolders = allFolders; }
    // Only records that something links to (the statement joins table LINK).
    void SetJoinLinks(bool joinLinks = true) { m_joinLinks = joinLinks; }
    void SetKindCode(int kind) { m_kind = static_cast<std::uint8_t>(kind); }
    int GetKindCode() const { return m_kind; }
    void SetCatalogue(CCatalogueDb* catalogue);
    CCatalogueDb* GetCatalogue() const { return m_catalogue; }
    const CNodeRef& GetOwner() const { return m_owner; }
    int GetLinkCode() const { return m_linkCode; }
    const std::string& GetSql() const { return m_sql; }
    const std::string& GetSearchText() const { return m_searchText; }
    int GetSearchDataFile() const { return m_searchDataFile; }
    // The statement the filter runs (criteria pseudo-operators rewritten), without loading; nullopt
    // without a filter, criteria text or data file.
    std::optional<std::string> BuildFilterSql();
    // The definition as a stored query's text (StoredQueryText), for saving a search.
    std::string FormatDefinitionText() const;

    // ---- records in the tables -------------------------------------------------------------------------
    // Writes the current record as a row of a data file of a catalogue under the parent: into its own
    // row (a new one for another data file) in its own catalogue, as a new copy in another. With
    // `refresh` the main frame is asked to refresh.
    bool SaveCurrentRecord(CCatalogueDb& catalogue, int kind, double parent, bool refresh = true);
    // Adds the current record as a new row under the parent.
    bool InsertCurrentRecord(double parent);
    // Rewrites the current record's row under its own parent, without asking the frame to refresh.
    bool UpdateCurrentRecord();
    bool SaveCurrentUnderParent(double parent, bool refresh = true);
    bool SaveCurrentUnderOwnParent(bool refresh = true);
    // Waste basket.
    bool DeleteCurrentRecord();
    bool UndeleteCurrent();
    bool UndeleteFirst();
    bool MoveCurrentToParent(double parent);
    void CopyCurrentChildren(const CNodeRef& newKey, double parent, CCatalogueDb& target, int kind);
    // Puts every record into the waste basket; returns how many went.
    int DeleteAllRecords();
    // Removes the rows in the catalogue's waste basket.
    void PurgeDeleted();
    // One delimited line per record; false when the file cannot be written.
    bool WriteToFile(const std::filesystem::path& path, char separator, const FieldSelection& selection);

    // ---- links ---------------------------------------------------------------------------------------
    // Stores a link from the current record to the key; false when it exists or cannot be stored.
    bool LinkCurrentWith(const CNodeRef& key);
    // Removes the link from the current record to the key, or from the key to the owner; with `reload`
    // the catalogue reads its links again. True when a row was removed.
    bool UnlinkCurrentFrom(const CNodeRef& key, bool reload);
    bool UnlinkFromOwner(const CNodeRef& key, bool reload);

    // ---- ownership -----------------------------------------------------------------------------------
    bool IsCurrentOwned();
    bool SetCurrentOwned(bool owned);

    // ---- the current record (each loads the set; without a record: 0, false, empty or nothing) ---------
    std::string BuildCurrentName();
    void SetCurrentNameText(std::string_view text);
    bool IsFieldMemo(int field);
    char GetFieldType(int field);
    // The type letter; 'P' marks a picture field.
    char GetFieldFlags(int field);
    int GetFieldSize(int field);
    // 65535 for a long text, else the field's LENGTH.
    int GetFieldMaxLength(int field);
    std::string GetFieldName(int field);
    std::string GetFieldInternalName(int field);
    std::string GetFieldGroupName(int field);
    // The field's position in its group (0 to 9).
    int GetFieldProperty(int field);
    int FindFieldByName(std::string_view name);
    // The shown text (a referenced record's name for a reference field); the stored text; by name.
    std::string GetFieldText(int field);
    std::string GetRawFieldText(int field);
    std::string GetFieldTextByName(std::string_view name);
    double GetFieldValue(int field);
    // A reference field's value as the key of the record it names.
    CNodeRef GetFieldKey(int field);
    // Sets a value in memory; true when it changed, and then the record carries the modified mark.
    bool SetFieldText(int field, std::string_view text);
    bool SetFieldTextByName(std::string_view name, std::string_view text, bool resolve = false);
    bool SetFieldNumber(int field, double value);
    bool SetFieldFromKey(int field, const CNodeRef& key);
    std::time_t GetCurrentCreationTime();
    std::time_t GetCurrentModificationTime();
    // The PARENT code (the folder's NUMBER, 0 for none), in memory.
    double GetCurrentParent();
    void SetCurrentParent(double parent);
    double GetParentOfCurrent() { return GetCurrentParent(); }
    void SetParentOfCurrent(double parent) { SetCurrentParent(parent); }
    int GetCurrentKind();
    std::uint32_t GetCurrentNumber();
    // The current record's key; kind 0 without one.
    CNodeRef GetCurrentKey();
    std::string GetCurrentName();
    bool IsCurrentOfKind(int kind);
    // Reads the current record's fields when they are not read yet.
    bool LoadCurrentText();
    bool CurrentHasFieldOfKindT();
    bool CurrentHasFieldOfKindE();
    bool CurrentHasFieldOfKindF();
    // The first web-address field; -1 without one.
    int GetCurrentFieldOfKindW();
    // The modified mark of the record form.
    void SetCurrentMark(std::uint8_t mark);
    std::uint8_t GetCurrentMark();
    // Non-zero when a record of an ordinary data file links to the current one.
    std::uint8_t GetCurrentStatusByte();
    // Takes the field values of the other set's current record.
    void CopyCurrentFieldsFrom(CItemSet& other);

private:
    struct OpenedCatalogue;

    // Load, then the current record (the first when none is current); null when the set is empty.
    CRecord* Current();
    void ClearRecords();
    CRecordList& List();
    void LoadKinds();
    void LoadCriteriaList();
    void LoadFilter();
    void LoadQuickSearch();
    // Runs the filter's loader on one catalogue into the list: the criteria loader when the filter has a
    // criteria text, else the folder loader.
    void LoadFilterInto(CRecordList& list, const SearchFilter& filter, const std::string& criteria,
                        const CriteriaOptions& options, bool deleted, bool allFolders);
    // The filter over the catalogue file the definition names, or over every registered catalogue.
    void LoadFromCatalogueFiles(const SearchFilter& filter, const std::string& criteria,
                                const CriteriaOptions& options);
    void ReleaseCatalogues();
    void ShareCataloguesOf(const CItemSet& other);
    void CopyDescriptionFrom(const CItemSet& other);

    CCatalogueDb* m_catalogue = nullptr;
    std::unique_ptr<QueryDefinition> m_definition;
    std::unique_ptr<CRecordList> m_list;
    // Catalogues Load opened from the definition name, shared with the sets that copied records of
    // them. Declared after the list, so that a set moved onto this one lets go of its records first.
    std::vector<std::shared_ptr<OpenedCatalogue>> m_openedCatalogues;
    bool m_cataloguesFromDefinition = false;
    std::uint8_t m_kind = kPlainSet;
    int m_kindFilter = 0;
    std::string m_sql;
    // The SQL is a stored query's: its pseudo-operators are rewritten when it runs.
    bool m_sqlHasOperators = false;
    CNodeRef m_owner;
    int m_linkCode = 0;
    bool m_allFolders = false;
    int m_sortKey = kNoSort;
    bool m_sortDirection = false;
    int m_searchDataFile = 0;
    std::string m_searchText;
    bool m_loaded = false;
    bool m_copiedList = false;
    bool m_joinLinks = false;
    // The current record: one of the list's, or the set's own new record.
    CRecord* m_current = nullptr;
    std::unique_ptr<CRecord> m_ownCurrent;
};
