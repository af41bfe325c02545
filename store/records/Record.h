#pragma once
// One record: a row of a data-file table of a catalogue, held in memory with its identity (the item key:
// catalogue, kind = data-file number, number = the row's AUTOINCR), its system columns and the values of
// its fields. Field values are read from the row on the first access (LoadFields) and written back by
// Save; the field descriptors come from the catalogue's data-file definitions (DataFileDef.h).
//
// Values are texts as the user reads them: long texts whole, currency amounts formatted in the regional
// conventions with the local currency, dates as regional short dates, references to other records (fields
// whose fillInType is 'D') as the other record's key code. Pictures are shared picture objects: copies of
// a record share them.
//
// A record is copied freely (the lists hold copies); it borrows its catalogue. Database errors are
// caught here and written to the trace log; the operations then answer false or an empty key.

#include "store/records/NodeRef.h"
#include "store/records/SparseVector.h"

#include <bitset>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <memory_resource>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CCatalogueDb;
class CCatalogueImage;
class CDataFileDef;
class CDataRecordset;
class CFieldDef;
class CRecordList;

// The fields a delimited line holds, by field number.
using FieldSelection = std::bitset<100>;

// Where a row's columns are, looked up once for all the rows of one statement.
struct RecordRowColumns
{
    int parent = -1;
    int created = -1;
    int modified = -1;
    int uid = -1;
    int number = -1;
    int deleted = -1;
    std::vector<int> fields; // per field descriptor in use; -1 when the rows lack its column

    void Find(const CDataRecordset& rs, const CDataFileDef& definition);
};

class CRecord
{
public:
    static constexpr int kMaxFields = 100;
    // The check time follows the modification time by this much.
    static constexpr std::time_t kCheckDelay = 1100;
    // A name keeps at most this many characters; the name of a referenced record shown in a field, 75.
    static constexpr size_t kNameCharacters = 74;
    static constexpr size_t kReferenceNameCharacters = 75;

    explicit CRecord(CCatalogueDb* catalogue = nullptr);
    // A record whose field values are kept in `values` (a record list's memory, so that loading many
    // records does not allocate for each). Copies keep theirs on the heap; a record moved keeps its
    // memory, so a record of a list is copied, never moved, out of it.
    CRecord(CCatalogueDb* catalogue, std::pmr::memory_resource* values);
    CRecord(const CRecord&);
    CRecord& operator=(const CRecord&);
    CRecord(CRecord&&) noexcept;
    CRecord& operator=(CRecord&&) noexcept;
    ~CRecord();

    // ---- identity ------------------------------------------------------------------------------------
    // Binds the record to a data file and row; loaded values are forgotten.
    void SetKey(int kind, std::uint32_t number);
    const CNodeRef& GetKey() const { return m_key; }
    double GetKeyCode() const { return m_key.GetCode(); }
    int GetKind() const { return m_key.GetKind(); }
    std::uint32_t GetNumber() const { return m_key.GetNumber(); }
    int GetCatalogueNumber() const { return m_key.GetCatalogueNumber(); }
    bool IsOfKind(int kind) const { return m_key.IsKind(static_cast<std::uint16_t>(kind)); }
    bool IsSameRecord(const CRecord& other) const;
    CCatalogueDb* GetCatalogue() const { return m_catalogue; }
    // Moves the record to another catalogue (same kind and number); loaded values are forgotten.
    void SetCatalogue(CCatalogueDb* catalogue);
    // The catalogue's definition of the record's data file; null when it has none.
    const CDataFileDef* GetDefinition() const;

    // ---- system columns ----------------------------------------------------------------------------
    // The times load the fields first when they are not loaded.
    std::time_t GetCreationTime();
    std::time_t GetModificationTime();
    std::time_t GetCheckTime() const { return m_checkTime; }
    // The NUMBER of the folder holding the record, 0 for none; in memory only.
    double GetParent() const { return m_parent; }
    void SetParent(double parent) { m_parent = parent; }
    // A record of an ordinary data file whose table number is 0 links to this one (the lists' status).
    bool IsLinked() const { return m_linked; }
    void SetLinked(bool linked) { m_linked = linked; }
    // A free mark for the lists and the record form.
    std::uint8_t GetMark() const { return m_mark; }
    void SetMark(std::uint8_t mark) { m_mark = mark; }
    bool IsInList() const { return m_inList; }
    void SetInList(bool inList) { m_inList = inList; }
    bool AreFieldsLoaded() const { return m_loaded; }
    // The values are in memory (read, set or copied); false for a record whose row is read only when a
    // value is asked for.
    bool HasFieldsInMemory() const { return m_fieldsValid; }

    // ---- field descriptors (index 0 to 99; an empty descriptor gives 0, '\0' or "") -------------------
    int GetFieldCount() const;
    const CFieldDef* GetFieldDef(int i) const;
    char GetFieldType(int i) const;
    int GetFieldSize(int i) const;
    std::string GetFieldName(int i) const;
    bool IsFieldMemo(int i) const;
    // -1 when none.
    int FindFieldByName(std::string_view name) const;
    // The first field of a kind letter ('T' telephone, 'E' e-mail, 'F' fax, 'W' web address); -1 when none.
    int FindFieldOfKind(char kind) const;

    // ---- field values (each getter loads the fields first) ----------------------------------------
    // The value as held.
    std::string GetFieldText(int i);
    std::string GetFieldTextByName(std::string_view name);
    // The value as held now, without loading (but a record of a list that reads its rows on demand reads
    // its row first).
    std::string GetRawFieldText(int i) const;
    // What a list shows: for a reference field the referenced record's name (at most 75 characters,
    // empty when it cannot be loaded), else the value.
    std::string GetFieldDisplayText(int i);
    // The value as a number: amounts in units, other texts by their leading number.
    double GetFieldNumber(int i);
    // A date field's value at local midnight; 0 without a date.
    std::time_t GetFieldDate(int i);
    // A reference field's value as the key of the record it names.
    CNodeRef GetFieldKey(int i);
    // A picture field's picture; null without one.
    std::shared_ptr<CCatalogueImage> GetFieldPicture(int i);

    // Sets a value; true when it changed. Text fields keep at most their LENGTH characters; an empty text
    // empties the field. A reference field set by name with `resolve` takes the key code of the record of
    // the referenced data file with that name, made at the catalogue's top when there is none.
    bool SetFieldText(int i, std::string_view text);
    bool SetFieldTextByName(std::string_view name, std::string_view text, bool resolve = false);
    bool SetFieldNumber(int i, double value);
    bool SetFieldFromKey(int i, const CNodeRef& key);
    void SetFieldPicture(int i, std::shared_ptr<CCatalogueImage> picture);
    // Takes the values of another record: field by field for the same data file, by field name otherwise.
    void CopyFieldsFrom(CRecord& other);

    // ---- name ----------------------------------------------------------------------------------------
    // The record's name, built from its title fields when it has none yet.
    const std::string& GetName();
    // Builds the name again from the title fields.
    const std::string& BuildName();
    // Distributes a name over the title fields (see Record.cpp).
    void SetNameText(std::string_view text);

    // ---- the row -------------------------------------------------------------------------------------
    // Reads the live row of that key (of any row for stored queries); false when there is none.
    bool Reload(int kind, std::uint32_t number, CCatalogueDb* catalogue);
    bool Reload();
    // Reads the row of the record's key (live or not); false when there is none or no database.
    bool LoadFields();
    // Takes the current row of an open recordset on the record's data file: the system columns, the
    // number (with `withNumber`) and, unless `headerOnly`, every field. Answers whether the row is live.
    bool FillFromRow(CDataRecordset& rs, bool withNumber = true, bool headerOnly = false,
                     const RecordRowColumns* columns = nullptr);
    // Writes every field into the row the recordset is adding or editing, then builds the name again.
    void WriteFields(CDataRecordset& rs);

    // Writes the record into its row (a new row when it has none), under the given parent, stamping
    // MODIDATE; the record takes its row's number and key. With `refresh` the main frame is asked to
    // refresh. False without database, data file or on a database error.
    bool Save(double parent, bool refresh = true);
    // The same after binding the record to another data file of its catalogue.
    bool SaveAs(int kind, double parent, bool refresh = true);
    // Writes the record as a new row under the parent, whatever row it came from; the record becomes
    // the new row's. The main frame is asked to refresh.
    bool Insert(double parent);
    // Copies the record into a new row of a data file of another (or the same) catalogue: the values of
    // the fields of the same names (only field 0 for the built-in data files 20 to 23), its creation time,
    // FROM-UID its own key code. Returns the new key; kind 0 when nothing was copied.
    CNodeRef CopyToCatalogue(CCatalogueDb& target, int targetKind, double parent, bool refresh = false);
    // The same into the target's data file that matches the record's (DataFileDef::FindMatchingFile).
    CNodeRef CopyToMatchingFile(CCatalogueDb& target, double parent, bool refresh = false);
    // After the record was copied as `newKey`: the records linked to it follow. In the same catalogue,
    // its notes (data file 20) are copied and the others but file items (21) are linked to the copy; into
    // another catalogue its notes and its linked records of `kind` are copied there and linked to the copy.
    void CopyChildren(const CNodeRef& newKey, double parent, CCatalogueDb& target, int kind);
    // Writes a new parent (and DELETED false) into the row and the record.
    bool MoveToParent(double parent);
    // Puts the record into the waste basket: DELETED in its row, the links to and from it marked deleted,
    // its attached notes and file items with it, the catalogue's count of deleted entries raised. A
    // stored query has no waste basket: its row is removed.
    bool DeleteFromTable();
    // Takes the record out of the waste basket: back into its folder, or to the catalogue's top when the
    // folder is gone; its links live again.
    bool Undelete();

    // One line of a delimited text file: the selected fields, texts in double quotation marks (a quotation
    // mark inside doubled), integers bare, references as the referenced record's name, one blank for an
    // empty value; the separator between fields; CR LF at the end.
    void WriteDelimitedLine(std::ostream& out, char separator, const FieldSelection& selection);

    // The record is in the catalogue's table OWNED.
    bool IsOwned();
    bool SetOwned(bool owned);

private:
    friend class CRecordList;

    // The list a record lives in when that list reads its records' values on demand. Copies and moves of
    // a record do not take it: only the list sets it, on its own records.
    struct ListLink
    {
        CRecordList* list = nullptr;
        ListLink() = default;
        ListLink(const ListLink&) {}
        ListLink& operator=(const ListLink&) { return *this; }
    };

    void EnsureFields();
    void ForgetFields();
    // Forgets the values read from the row, keeping the identity, system columns and name, so that they
    // are read again when asked for. False (nothing forgotten) for values changed in memory, values not
    // read from the row, or a picture someone else holds.
    bool DropFields();
    // Becomes a record of the row `read` was filled from whose values are read when asked for: takes its
    // identity, system columns and name (built now from the values `read` holds).
    void TakeRowHeaderOf(CRecord& read);
    bool WriteRow(CDataRecordset& rs, double parent, bool newRow, std::time_t created);
    // Adds the written record as a new row of the data file, through `open` (the data file's table
    // recordset) when given.
    static bool AddRow(CCatalogueDb& catalogue, int kind, double parent, std::time_t created, double fromUid,
                       CRecord& written, CDataRecordset* open = nullptr);
    bool PrepareCopy(CCatalogueDb& target, int targetKind, CRecord& copy);
    CNodeRef CopyInto(CCatalogueDb& target, int targetKind, double parent, bool refresh,
                      CDataRecordset* open);
    std::string ReferenceName(std::string_view code);
    std::shared_ptr<CCatalogueImage>* PictureSlot(int i);
    bool LinkDeletedMarks(bool deleted);
    // Opens the data file's table on the record's own row and hands it to `use`; false without a
    // definition, a database or the row, or when reading or writing it fails (the failure is logged).
    bool WithOwnRow(const std::function<bool(CDataRecordset&)>& use);

    CCatalogueDb* m_catalogue = nullptr;
    CNodeRef m_key;
    bool m_loaded = false;     // the fields were read from the row
    bool m_loadFailed = false; // reading them failed; not tried again until the key changes
    bool m_fieldsValid = false;
    bool m_headerRead = false;  // the system columns came from the row
    bool m_changed = false;     // a value was set in memory since the row was read
    bool m_nameFromRow = false; // the name was built when the row was read, and stands until a value changes
    // The row's values are read when asked for (a record of a list that reads its rows on demand).
    bool m_fieldsOnDemand = false;
    // The small members sit together: a list may hold 100,000 records.
    bool m_linked = false;
    bool m_inList = false;
    std::uint8_t m_mark = 0;
    ListLink m_listLink;
    double m_parent = 0.0;
    std::time_t m_created = 0;
    std::time_t m_modified = 0;
    std::time_t m_checkTime = kCheckDelay;
    std::string m_name;
    std::pmr::vector<std::string> m_values;
    SparseVector<std::pair<int, std::shared_ptr<CCatalogueImage>>> m_pictures;
    // The exact stored value (ten-thousandths) of each currency field, so that an amount shown in
    // hundredths is written back unchanged while its text is.
    SparseVector<std::pair<int, std::int64_t>> m_storedAmounts;
};

// The catalogue's definition of a data file, its definitions read first when needed; null when none.
const CDataFileDef* FindDataFile(CCatalogueDb* catalogue, int kind);
