#pragma once
// Rows of a table or of a query, one current at a time.
//
// Open types: dbOpenTable (a table's rows, in the order of the current index; Seek finds rows by it),
// dbOpenDynaset (the rows of a query, changeable when it reads one table) and dbOpenSnapshot (the
// rows of a query as they were, read only). Rows are fetched as the recordset moves. A dynaset or
// snapshot keeps the rows it was opened on when the database changes (a row changed through it shows its
// new values, rows it adds come at its end); a table recordset shows its table as it walks on.
//
// Field values are CDaoVariant in their column's type; values written are converted to it. A field
// that the rows do not have is error 3265, moving past the end 3021, changing a read-only recordset
// 3027. The counter of a new row is known from AddNew on, before Update.

#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoInfo.h"
#include "platform/dao/DaoVariant.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform::dao {

class CDaoDatabase;

namespace detail {
class RecordsetState;
}

class CDaoRecordset
{
public:
    explicit CDaoRecordset(CDaoDatabase* database);
    virtual ~CDaoRecordset();
    CDaoRecordset(const CDaoRecordset&) = delete;
    CDaoRecordset& operator=(const CDaoRecordset&) = delete;

    // `source` is a table's name, or for dynasets and snapshots also a SELECT in the engine's SQL.
    // `options` may hold dbReadOnly or dbAppendOnly. The first row, if any, becomes current.
    virtual void Open(int openType, std::string_view source, int options = 0);
    virtual void Close();
    bool IsOpen() const;
    int GetType() const;
    std::string GetSQL() const;
    CDaoDatabase* GetDatabase() const { return m_database; }
    bool CanUpdate() const;
    bool CanAppend() const;

    bool IsBOF() const;
    bool IsEOF() const;
    void MoveFirst();
    void MoveNext();
    void MovePrev();
    void MoveLast();
    void Move(long rows);
    // A table's number of rows; for the rows of a query, the number the recordset has reached so far
    // (all of them after MoveLast).
    long GetRecordCount();

    virtual void AddNew();
    virtual void Edit();
    virtual void Update();
    virtual void CancelUpdate();
    virtual void Delete();
    int GetEditMode() const;

    short GetFieldCount() const;
    void GetFieldInfo(int index, CDaoFieldInfo& info) const;
    void GetFieldInfo(std::string_view name, CDaoFieldInfo& info) const;
    // Position of a field (without regard to case), or -1.
    int FindField(std::string_view name) const;

    // The current row's value (while adding or editing: the value being written). The reference is
    // valid until the recordset moves or changes.
    const CDaoVariant& GetFieldValue(std::string_view name) const;
    const CDaoVariant& GetFieldValue(int index) const;
    void SetFieldValue(std::string_view name, const CDaoVariant& value);
    void SetFieldValue(int index, const CDaoVariant& value);
    void SetFieldValueNull(std::string_view name);
    void SetFieldValueNull(int index);

    // Long binary by name: the bytes (none for null), and bytes written as they are.
    std::vector<std::uint8_t> GetFieldBytes(std::string_view name) const;
    void SetFieldBytes(std::string_view name, std::span<const std::uint8_t> bytes);

    // Table recordsets: the index that orders the rows and that Seek searches. Seek compares the first
    // fields of the index with `keys` by "=", "<", "<=", ">=" or ">" and makes the first matching row
    // (in the index's order; for "<" and "<=" the last) current; false when there is none, and the
    // current row stays.
    void SetCurrentIndex(std::string_view indexName);
    std::string GetCurrentIndex() const;
    bool Seek(std::string_view comparison, const std::vector<CDaoVariant>& keys);
    bool Seek(std::string_view comparison, const CDaoVariant& key)
    {
        return Seek(comparison, std::vector<CDaoVariant>{key});
    }

private:
    // The open recordset's state, its first rows read (State) or not yet (Opened).
    detail::RecordsetState& State() const;
    detail::RecordsetState& Opened() const;

    CDaoDatabase* m_database;
    std::unique_ptr<detail::RecordsetState> m_state;
};

} // namespace platform::dao
