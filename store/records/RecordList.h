#pragma once
// An ordered list of records with a cursor: what an item set walks. The list owns copies of its records
// and never holds two with the same key (catalogue, kind and number). The loaders run the program's
// statements on a catalogue and append the rows they find (read-only snapshots; live rows unless deleted
// ones are asked for); sorts reorder the records in place, stably.
//
// Links (LinkList.h) point from OID_OUT to OID_IN: a note, a file item or a record put into an item list
// links to the record or list it belongs to. An owner's linked records are the records linking to it
// (LoadLinkedUids, LoadReverseLinkWalk); LoadLinkWalk gives the records the owner links to.

#include "store/records/Record.h"

#include <cstddef>
#include <deque>
#include <filesystem>
#include <memory>
#include <memory_resource>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

class CFolderRecord;

// Sort keys besides the field numbers 0 to 95.
enum RecordSortKey : int
{
    kSortByFolderName = 96,
    kSortByCreationTime = 98,
    kSortByModificationTime = 99,
    kSortByName = 100,
    kSortByOwned = 196,
    kNoSort = -99,
};

// What the criteria loader keeps besides what its statement selects.
struct CriteriaOptions
{
    // The records must be linked to something: the statement joins table LINK on OID_IN.
    bool joinLinks = false;
    // Keep only records whose issue-year field (the last whose additionalFormatting is 'Y') holds the year.
    bool hasIssueYear = false;
    int issueYear = 0;
};

class CRecordList
{
public:
    explicit CRecordList(CCatalogueDb* catalogue = nullptr);
    CRecordList(CRecordList&&) noexcept;
    CRecordList& operator=(CRecordList&&) noexcept;
    CRecordList(const CRecordList&) = delete;
    CRecordList& operator=(const CRecordList&) = delete;
    ~CRecordList();

    CCatalogueDb* GetCatalogue() const { return m_catalogue; }
    void SetCatalogue(CCatalogueDb* catalogue) { m_catalogue = catalogue; }

    // ---- values on demand ----------------------------------------------------------------------------
    // At most this many records of a list with values on demand keep the values read from their rows.
    static constexpr size_t kRecordsWithValues = 256;
    // With values on demand the loaders read each row's identity, system columns and name only; a
    // record reads its values from its row when one is asked for, and the records whose values were read
    // longest ago forget them again (unless changed in memory), so that a list of 100,000 records holds
    // no more than a screenful or two of values. Sorting by a field reads that one column for all of them.
    // Set before loading.
    void SetValuesOnDemand(bool onDemand) { m_valuesOnDemand = onDemand; }
    bool HasValuesOnDemand() const { return m_valuesOnDemand; }

    // ---- contents ------------------------------------------------------------------------------------
    // Appends a copy of the record when its data file exists and the list does not hold it yet. Returns
    // the list's record of that key (the one it held already for a duplicate); null when refused.
    CRecord* Add(const CRecord& record);
    CRecord* Add(CRecord&& record);
    // Whether the list holds a record of that kind and number (of that catalogue; any when null).
    bool Contains(int kind, std::uint32_t number, const CCatalogueDb* catalogue = nullptr) const;
    bool Contains(const CRecord& record) const;
    CRecord* Find(int kind, std::uint32_t number, const CCatalogueDb* catalogue = nullptr);
    // Takes the record (one of the list's) out; the cursor moves to the next record, else the previous.
    bool Remove(const CRecord* record);
    // Appends copies of the other list's records not held yet; the cursor goes back to the first.
    void Merge(const CRecordList& other);
    void Clear();
    size_t GetCount() const { return m_records.size(); }
    bool IsEmpty() const { return m_records.empty(); }

    // ---- cursor --------------------------------------------------------------------------------------
    // Each moves the cursor and returns the record there; null past either end (the cursor then stays).
    CRecord* GetFirst();
    CRecord* GetNext();
    CRecord* GetPrev();
    CRecord* GetLast();
    CRecord* GetCurrent() const;
    // Puts the cursor on one of the list's records; false when the list does not hold it.
    bool SetCurrent(const CRecord* record);
    // The cursor's position from 1; 0 without one.
    size_t GetPosition() const { return m_cursor == kNone ? 0 : m_cursor + 1; }
    CRecord* GetAt(size_t index) const;
    // The record at the index becomes current, without a search; null past the end.
    CRecord* SetCurrentAt(size_t index);
    auto begin() const { return m_records.begin(); }
    auto end() const { return m_records.end(); }

    // ---- loaders (each appends) ----------------------------------------------------------------------
    // The records of a data file in a folder (none: in every folder), deleted or live. `allFolders` also
    // takes the records outside any folder. Data file -1: every data file 1 to 98 in turn.
    void LoadFolder(int dataFile, const CFolderRecord* folder, bool deleted, bool allFolders);
    // The same with further conditions: `criteria` is SQL (conditions, or an ORDER BY clause).
    void LoadCriteria(int dataFile, const CFolderRecord* folder, bool deleted, std::string_view criteria,
                      const CriteriaOptions& options = {});
    // The statement of the criteria loader (without the issue-year filter, which is applied to the rows).
    static std::string BuildCriteriaSql(const CDataFileDef& definition, const CFolderRecord* folder,
                                        bool deleted, std::string_view criteria, bool joinLinks);
    // The live rows of a complete SELECT on one data file's table.
    void LoadSql(std::string_view sql);
    // The same on the table of a data file the caller names.
    void LoadSql(std::string_view sql, const CDataFileDef& definition);
    // The live records of a data file whose PARENT is the folder code.
    void LoadParent(int dataFile, double folderCode);
    // The live records that link to the owner: with `range` those of kinds 1 to `highestKind`, with
    // `onlyKind` those of that kind, never kind 0 or `excludedKind`, and with `existingFilesOnly` only
    // kinds whose data file exists with table number 0.
    void LoadLinkedUids(const CNodeRef& owner, int highestKind, bool range, int onlyKind, int excludedKind,
                        bool existingFilesOnly);
    // The live records the owner links to (of `kind` when not 0), but for notes, item lists and kind 99.
    void LoadLinkWalk(const CNodeRef& owner, int kind, bool existingFilesOnly);
    // The live records that link to the key (of `kind` when not 0), with the same exceptions.
    void LoadReverseLinkWalk(const CNodeRef& key, int kind);
    // Marks the records of data files shown in the menu that a record of an ordinary data file of table
    // number 0 links to (CRecord::IsLinked); clears the mark of every other record.
    void ComputeLinkedFlags();

    // ---- output and the waste basket ---------------------------------------------------------------
    // Writes one delimited line per record into a new file; false when the file cannot be written.
    bool WriteToFile(const std::filesystem::path& path, char separator, const FieldSelection& selection);
    // Puts every record into the waste basket; returns how many went.
    int DeleteAll();
    // Copies every record into a data file of a catalogue (CRecord::CopyToCatalogue), all in one
    // transaction through one open table; returns how many were copied.
    int CopyToCatalogue(CCatalogueDb& target, int targetKind, double parent);

    // ---- sorting -------------------------------------------------------------------------------------
    // Sorts by a key (RecordSortKey or a field number 0 to 95). Each key remembers its last direction
    // for the whole program: without `forced` that direction is reversed and used, with `forced` the
    // given one is used and remembered. Returns the direction used (true ascending).
    bool Sort(int key, bool forced = false, bool ascending = true);
    // The same by the field of that name in the first record's data file; false when there is none.
    bool SortByFieldName(std::string_view name, bool forced = false, bool ascending = true);
    bool SortByName(bool forced = false, bool ascending = true)
    {
        return Sort(kSortByName, forced, ascending);
    }
    bool SortByCreationTime(bool forced = false, bool ascending = true)
    {
        return Sort(kSortByCreationTime, forced, ascending);
    }
    bool SortByModificationTime(bool forced = false, bool ascending = true)
    {
        return Sort(kSortByModificationTime, forced, ascending);
    }
    // The direction a key was last sorted in (false before the first sort).
    static bool GetSortDirection(int key);

    // The key codes (UID) of a data file's live records (every record of the stored queries).
    static std::unordered_set<double> LiveKeyCodes(CCatalogueDb& catalogue, const CDataFileDef& definition);

private:
    friend class CRecord;
    static constexpr size_t kNone = static_cast<size_t>(-1);
    // A walk reads the values of this many records ahead at first, twice as many with each batch that
    // continues it, up to the most; fewer than the list keeps, so a walk never forgets what it just read.
    static constexpr size_t kFirstReadAhead = 64;
    static constexpr size_t kMostReadAhead = 128;
    static_assert(kMostReadAhead < kRecordsWithValues);

    // A record of the list read its values from its row; the oldest beyond kRecordsWithValues forget.
    void FieldsRead(CRecord& record);
    // Reads the values of `record`, the list's current one, and of the unread records of its catalogue and
    // data file that follow it in the walk's direction, in one statement: a walk over the list asks for
    // them one after another, and a statement per record costs many times the row's reading. False when
    // `record` is not current or the rows could not be read (the record then reads its own row).
    bool ReadFieldsAhead(CRecord& record);
    // The records point back to this list (after the list moved).
    void LinkRecords();
    // The column list a loader's statement selects ("*" for whole rows).
    std::string SelectedColumns(const CDataFileDef& definition, int keepField = -1) const;
    // The sort values of a field for the records whose values are not in memory, each data file's column
    // read in one statement where that is cheaper than reading each record; `known` marks those found.
    template <typename Values>
    void ReadSortColumn(int field, Values& values, std::vector<bool>& known);

    struct Identity
    {
        const CCatalogueDb* catalogue;
        std::uint16_t kind;
        std::uint32_t number;
        bool operator==(const Identity&) const = default;
    };
    // The identities of the list's records: open addressing over a power-of-two table, so that a list of
    // 100,000 records adds and finds its keys without an allocation each. A slot holds an identity packed
    // into 8 bytes (the catalogue as its place among the catalogues seen, from 1; 0 is a free slot).
    class IdentitySet
    {
    public:
        // False when the identity is there already.
        bool Insert(const Identity& identity);
        bool Contains(const Identity& identity) const;
        void Erase(const Identity& identity);
        void Clear();
        // Makes room for that many identities at once, so that adding them does not grow the table.
        void Reserve(size_t count);

    private:
        static constexpr std::uint64_t kFree = 0;
        // The packed identity; kFree for a catalogue not seen (unless `add`, which makes it seen).
        std::uint64_t Pack(const Identity& identity, bool add);
        std::uint64_t Pack(const Identity& identity) const;
        static size_t Hash(std::uint64_t packed);
        size_t Find(std::uint64_t packed) const; // its slot, or the free slot where it would go
        void Rehash(size_t size);

        std::vector<std::uint64_t> m_slots;
        std::vector<const CCatalogueDb*> m_catalogues;
        size_t m_count = 0;
    };

    // Where the list's records live: blocks of records allocated per list, growing block by block, so
    // that loading many records costs a few allocations instead of one each. A record taken out of the
    // list is destroyed in place; its room comes back with Clear.
    class RecordBlocks
    {
    public:
        CRecord* Make(CRecord&& record);
        void Clear();
        // The memory the values of the records the list loads live in.
        std::pmr::memory_resource* Values();

    private:
        struct alignas(CRecord) Slot
        {
            unsigned char bytes[sizeof(CRecord)];
        };
        std::vector<std::unique_ptr<Slot[]>> m_blocks;
        std::unique_ptr<std::pmr::monotonic_buffer_resource> m_values;
        size_t m_blockSize = 0;
        size_t m_used = 0; // slots used in the last block
    };
    // Ends a record's life without freeing its room, which belongs to the blocks.
    struct DestroyRecord
    {
        void operator()(CRecord* record) const { record->~CRecord(); }
    };
    using RecordPtr = std::unique_ptr<CRecord, DestroyRecord>;

    static Identity IdentityOf(const CRecord& record);
    // Takes a record into the list unless it holds that key already (then returns the one it holds).
    CRecord* Append(CRecord&& record);
    // Runs a statement on a data file's table and appends the rows whose DELETED state is the wanted one
    // and that `keep` (when given) accepts.
    template <typename Keep>
    void Run(const std::string& sql, const CDataFileDef& definition, bool deleted, Keep&& keep,
             int keepField = -1);
    void Run(const std::string& sql, const CDataFileDef& definition, bool deleted);
    void SortRecords(int key, bool ascending);

    CCatalogueDb* m_catalogue = nullptr;
    // The blocks go after the records that live in them.
    RecordBlocks m_blocks;
    std::vector<RecordPtr> m_records;
    IdentitySet m_identities;
    size_t m_cursor = kNone;
    bool m_valuesOnDemand = false;
    // The records that read their values on demand, oldest first.
    std::deque<CRecord*> m_valuesRead;
    // Where the walk that reads values ahead stands: the position of the record that asked last, the
    // position after the last batch's records in the walk's direction, and how many that batch wanted.
    struct ReadAhead
    {
        size_t lastAsked = kNone;
        size_t next = kNone;
        size_t batch = 0;
    };
    ReadAhead m_readAhead;
};
