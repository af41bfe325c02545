#pragma once
// A table's definition: made new (Create, CreateField, CreateIndex, Append) or opened on an existing
// table to read its fields and indexes and to add or delete fields and indexes. Changes to an existing
// table take effect at once. Names compare without regard to case.

#include "platform/dao/DaoInfo.h"

#include <memory>
#include <string>
#include <string_view>

namespace platform::dao {

class CDaoDatabase;

namespace detail {
class TableDefState;
}

class CDaoTableDef
{
public:
    explicit CDaoTableDef(CDaoDatabase* database);
    ~CDaoTableDef();
    CDaoTableDef(const CDaoTableDef&) = delete;
    CDaoTableDef& operator=(const CDaoTableDef&) = delete;

    // Starts a new table; nothing reaches the database before Append.
    void Create(std::string_view name);
    // Opens the definition of an existing table; 3011 when there is none.
    void Open(std::string_view name);
    // Creates the new table with its fields and indexes; 3010 when a table of that name exists.
    void Append();
    void Close();
    bool IsOpen() const;
    std::string GetName() const;

    // `size` counts characters for text fields and is ignored for the others. dbAutoIncrField makes
    // the field the table's counter (one per table).
    void CreateField(std::string_view name, short type, long size, long attributes = 0);
    void CreateField(const CDaoFieldInfo& info);
    // A field that an index uses cannot go (3280).
    void DeleteField(std::string_view name);
    void CreateIndex(const CDaoIndexInfo& info);
    void DeleteIndex(std::string_view name);

    short GetFieldCount() const;
    // 3265 when there is no such field or index.
    void GetFieldInfo(int index, CDaoFieldInfo& info) const;
    void GetFieldInfo(std::string_view name, CDaoFieldInfo& info) const;
    short GetIndexCount() const;
    void GetIndexInfo(int index, CDaoIndexInfo& info) const;
    void GetIndexInfo(std::string_view name, CDaoIndexInfo& info) const;
    long GetRecordCount();

private:
    std::unique_ptr<detail::TableDefState> m_state;
    CDaoDatabase* m_database;
};

} // namespace platform::dao
