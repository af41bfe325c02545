#include "platform/dao/DaoTableDef.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/DatabaseCore.h"
#include "platform/text/CaseFold.h"

namespace platform::dao {
namespace detail {

class TableDefState final : public DatabaseClient
{
public:
    TableDefState(DatabaseCore& core, TableSchema schema, bool appended)
        : core(&core), schema(std::move(schema)), appended(appended)
    {
        core.Register(this);
    }
    ~TableDefState()
    {
        if (core != nullptr) {
            core->Unregister(this);
        }
    }

    void SuspendCursor() override {}
    void DatabaseClosing() override { core = nullptr; }

    DatabaseCore& Core() const
    {
        if (core == nullptr) {
            ThrowDaoError(errors::kObjectInvalid, "the table definition's database is closed");
        }
        return *core;
    }

    void Refresh() { schema = Core().Table(schema.name); }

    // Writes the table anew with another layout (SQLite cannot drop columns or add a primary key),
    // keeping its rows and its counter.
    void Rebuild(const TableSchema& layout)
    {
        DatabaseCore& db = Core();
        db.BeforeWrite();
        sqlite3* handle = db.Handle();
        const std::string table = QuoteName(schema.name);
        const std::string work = schema.name + "~rebuild";
        std::string columns;
        for (const CDaoFieldInfo& field : layout.fields) {
            if (schema.FindField(field.m_name) >= 0) {
                columns += (columns.empty() ? "" : ", ") + QuoteName(field.m_name);
            }
        }
        ExecuteSql(handle, "SAVEPOINT dao_rebuild");
        try {
            long long counter = -1;
            if (schema.autoIncrementField >= 0) {
                Statement sequence(handle, "SELECT seq FROM sqlite_sequence WHERE name = ?1");
                sequence.BindText(1, schema.name);
                if (sequence.Step()) {
                    counter = sequence.ColumnInt(0);
                }
            }
            ExecuteSql(handle, CreateTableSql(layout, work));
            if (!columns.empty()) {
                ExecuteSql(handle, "INSERT INTO " + QuoteName(work) + " (" + columns + ") SELECT " + columns +
                                       " FROM " + table);
            }
            ExecuteSql(handle, "DROP TABLE " + table);
            ExecuteSql(handle, "ALTER TABLE " + QuoteName(work) + " RENAME TO " + table);
            for (const std::string& statement : CreateIndexSql(layout)) {
                ExecuteSql(handle, statement);
            }
            if (counter >= 0 && layout.autoIncrementField >= 0) {
                Statement keep(handle, "UPDATE sqlite_sequence SET seq = max(seq, ?1) WHERE name = ?2");
                keep.BindInt(1, counter);
                keep.BindText(2, schema.name);
                keep.Step();
                if (sqlite3_changes(handle) == 0) {
                    Statement insert(handle, "INSERT INTO sqlite_sequence (name, seq) VALUES (?2, ?1)");
                    insert.BindInt(1, counter);
                    insert.BindText(2, schema.name);
                    insert.Step();
                }
            }
            ExecuteSql(handle, "RELEASE dao_rebuild");
        } catch (...) {
            db.UndoSavepoint("dao_rebuild");
            db.SchemaChanged();
            throw;
        }
        db.SchemaChanged();
        Refresh();
    }

    DatabaseCore* core;
    TableSchema schema;
    bool appended;
};

} // namespace detail

namespace {

void CheckIndexFields(const detail::TableSchema& schema, const CDaoIndexInfo& index)
{
    if (index.m_fields.empty()) {
        ThrowDaoError(errors::kInvalidArgument, "index " + index.m_name + " has no fields");
    }
    for (const CDaoIndexFieldInfo& field : index.m_fields) {
        if (schema.FindField(field.m_name) < 0) {
            ThrowDaoError(errors::kItemNotFound, field.m_name);
        }
    }
}

bool IsPlainAddition(const CDaoFieldInfo& field)
{
    return (field.m_attributes & dbAutoIncrField) == 0 && !field.m_required;
}

} // namespace

CDaoTableDef::CDaoTableDef(CDaoDatabase* database) : m_database(database) {}

CDaoTableDef::~CDaoTableDef() = default;

void CDaoTableDef::Create(std::string_view name)
{
    Close();
    if (name.empty()) {
        ThrowDaoError(errors::kInvalidArgument, "a table needs a name");
    }
    detail::TableSchema schema;
    schema.name = std::string(name);
    m_state = std::make_unique<detail::TableDefState>(m_database->Core(), std::move(schema), false);
}

void CDaoTableDef::Open(std::string_view name)
{
    Close();
    detail::DatabaseCore& core = m_database->Core();
    m_state = std::make_unique<detail::TableDefState>(core, core.Table(name), true);
}

void CDaoTableDef::Append()
{
    if (!m_state || m_state->appended) {
        ThrowDaoError(errors::kInvalidOperation, "the table definition is not new");
    }
    detail::DatabaseCore& core = m_state->Core();
    const detail::TableSchema& schema = m_state->schema;
    if (core.FindTable(schema.name) != nullptr) {
        ThrowDaoError(errors::kTableExists, schema.name);
    }
    if (schema.fields.empty()) {
        ThrowDaoError(errors::kInvalidArgument, "table " + schema.name + " has no fields");
    }
    core.BeforeWrite();
    sqlite3* handle = core.Handle();
    detail::ExecuteSql(handle, "SAVEPOINT dao_append");
    try {
        detail::ExecuteSql(handle, detail::CreateTableSql(schema, schema.name));
        for (const std::string& statement : detail::CreateIndexSql(schema)) {
            detail::ExecuteSql(handle, statement);
        }
        detail::ExecuteSql(handle, "RELEASE dao_append");
    } catch (...) {
        core.UndoSavepoint("dao_append");
        core.SchemaChanged();
        throw;
    }
    core.SchemaChanged();
    m_state->appended = true;
    m_state->Refresh();
}

void CDaoTableDef::Close()
{
    m_state.reset();
}

bool CDaoTableDef::IsOpen() const
{
    return m_state && m_state->core != nullptr;
}

std::string CDaoTableDef::GetName() const
{
    if (!m_state) {
        ThrowDaoError(errors::kObjectInvalid, "the table definition is not open");
    }
    return m_state->schema.name;
}

void CDaoTableDef::CreateField(std::string_view name, short type, long size, long attributes)
{
    CDaoFieldInfo info;
    info.m_name = std::string(name);
    info.m_type = type;
    info.m_size = size;
    info.m_attributes = attributes;
    CreateField(info);
}

void CDaoTableDef::CreateField(const CDaoFieldInfo& info)
{
    if (!m_state) {
        ThrowDaoError(errors::kObjectInvalid, "the table definition is not open");
    }
    detail::TableSchema& schema = m_state->schema;
    if (info.m_name.empty()) {
        ThrowDaoError(errors::kInvalidArgument, "a field needs a name");
    }
    if (info.m_type < dbBoolean || info.m_type > dbMemo || info.m_type == 9) {
        ThrowDaoError(errors::kInvalidArgument, "field type " + std::to_string(info.m_type));
    }
    if (schema.FindField(info.m_name) >= 0) {
        ThrowDaoError(errors::kFieldDefinedTwice, info.m_name);
    }
    CDaoFieldInfo field = info;
    detail::CompleteFieldInfo(field);
    const bool counter = (field.m_attributes & dbAutoIncrField) != 0;
    if (counter && schema.autoIncrementField >= 0) {
        ThrowDaoError(errors::kInvalidArgument, "a table has one counter field");
    }
    detail::TableSchema layout = schema;
    field.m_ordinalPosition = static_cast<short>(layout.fields.size());
    layout.fields.push_back(field);
    if (counter) {
        layout.autoIncrementField = static_cast<int>(layout.fields.size() - 1);
    }
    if (!m_state->appended) {
        schema = std::move(layout);
        return;
    }
    if (IsPlainAddition(field)) {
        detail::DatabaseCore& core = m_state->Core();
        core.BeforeWrite();
        detail::ExecuteSql(core.Handle(), "ALTER TABLE " + detail::QuoteName(schema.name) + " ADD COLUMN " +
                                              detail::ColumnDefinition(field, nullptr));
        core.SchemaChanged();
        m_state->Refresh();
    } else {
        m_state->Rebuild(layout);
    }
}

void CDaoTableDef::DeleteField(std::string_view name)
{
    if (!m_state) {
        ThrowDaoError(errors::kObjectInvalid, "the table definition is not open");
    }
    detail::TableSchema& schema = m_state->schema;
    const int at = schema.FindField(name);
    if (at < 0) {
        ThrowDaoError(errors::kItemNotFound, std::string(name));
    }
    for (const CDaoIndexInfo& index : schema.indexes) {
        for (const CDaoIndexFieldInfo& field : index.m_fields) {
            if (platform::text::EqualsNoCase(field.m_name, name)) {
                ThrowDaoError(errors::kFieldInIndex, std::string(name) + " in " + index.m_name);
            }
        }
    }
    detail::TableSchema layout = schema;
    layout.fields.erase(layout.fields.begin() + at);
    if (layout.autoIncrementField == at) {
        layout.autoIncrementField = -1;
    } else if (layout.autoIncrementField > at) {
        --layout.autoIncrementField;
    }
    for (size_t i = 0; i < layout.fields.size(); ++i) {
        layout.fields[i].m_ordinalPosition = static_cast<short>(i);
    }
    if (layout.fields.empty()) {
        ThrowDaoError(errors::kInvalidOperation, "a table keeps at least one field");
    }
    if (!m_state->appended) {
        schema = std::move(layout);
        return;
    }
    m_state->Rebuild(layout);
}

void CDaoTableDef::CreateIndex(const CDaoIndexInfo& info)
{
    if (!m_state) {
        ThrowDaoError(errors::kObjectInvalid, "the table definition is not open");
    }
    detail::TableSchema& schema = m_state->schema;
    if (info.m_name.empty()) {
        ThrowDaoError(errors::kInvalidArgument, "an index needs a name");
    }
    if (schema.FindIndex(info.m_name) >= 0) {
        ThrowDaoError(errors::kIndexExists, info.m_name);
    }
    CheckIndexFields(schema, info);
    CDaoIndexInfo index = info;
    if (index.m_primary) {
        for (const CDaoIndexInfo& other : schema.indexes) {
            if (other.m_primary) {
                ThrowDaoError(errors::kPrimaryKeyExists, other.m_name);
            }
        }
        index.m_unique = index.m_required = true;
    }
    detail::TableSchema layout = schema;
    // The primary index first, the others by name, as they read back.
    if (index.m_primary) {
        layout.indexes.insert(layout.indexes.begin(), index);
    } else {
        auto at = layout.indexes.begin();
        while (at != layout.indexes.end() &&
               (at->m_primary || platform::text::CompareNoCase(at->m_name, index.m_name) < 0)) {
            ++at;
        }
        layout.indexes.insert(at, index);
    }
    if (!m_state->appended) {
        schema = std::move(layout);
        return;
    }
    if (index.m_primary) {
        m_state->Rebuild(layout);
        return;
    }
    detail::DatabaseCore& core = m_state->Core();
    core.BeforeWrite();
    detail::ExecuteSql(core.Handle(), detail::CreateIndexSql(schema.name, index));
    core.SchemaChanged();
    m_state->Refresh();
}

void CDaoTableDef::DeleteIndex(std::string_view name)
{
    if (!m_state) {
        ThrowDaoError(errors::kObjectInvalid, "the table definition is not open");
    }
    detail::TableSchema& schema = m_state->schema;
    const int at = schema.FindIndex(name);
    if (at < 0) {
        ThrowDaoError(errors::kItemNotFound, std::string(name));
    }
    detail::TableSchema layout = schema;
    const bool primary = layout.indexes[static_cast<size_t>(at)].m_primary;
    layout.indexes.erase(layout.indexes.begin() + at);
    if (!m_state->appended) {
        schema = std::move(layout);
        return;
    }
    if (primary) {
        m_state->Rebuild(layout);
        return;
    }
    detail::DatabaseCore& core = m_state->Core();
    core.BeforeWrite();
    detail::ExecuteSql(core.Handle(),
                       "DROP INDEX " + detail::QuoteName(detail::SqliteIndexName(
                                           schema.name, schema.indexes[static_cast<size_t>(at)].m_name)));
    core.SchemaChanged();
    m_state->Refresh();
}

short CDaoTableDef::GetFieldCount() const
{
    return m_state ? static_cast<short>(m_state->schema.fields.size()) : 0;
}

void CDaoTableDef::GetFieldInfo(int index, CDaoFieldInfo& info) const
{
    if (!m_state || index < 0 || static_cast<size_t>(index) >= m_state->schema.fields.size()) {
        ThrowDaoError(errors::kItemNotFound, "field " + std::to_string(index));
    }
    info = m_state->schema.fields[static_cast<size_t>(index)];
}

void CDaoTableDef::GetFieldInfo(std::string_view name, CDaoFieldInfo& info) const
{
    const int at = m_state ? m_state->schema.FindField(name) : -1;
    if (at < 0) {
        ThrowDaoError(errors::kItemNotFound, std::string(name));
    }
    info = m_state->schema.fields[static_cast<size_t>(at)];
}

short CDaoTableDef::GetIndexCount() const
{
    return m_state ? static_cast<short>(m_state->schema.indexes.size()) : 0;
}

void CDaoTableDef::GetIndexInfo(int index, CDaoIndexInfo& info) const
{
    if (!m_state || index < 0 || static_cast<size_t>(index) >= m_state->schema.indexes.size()) {
        ThrowDaoError(errors::kItemNotFound, "index " + std::to_string(index));
    }
    info = m_state->schema.indexes[static_cast<size_t>(index)];
}

void CDaoTableDef::GetIndexInfo(std::string_view name, CDaoIndexInfo& info) const
{
    const int at = m_state ? m_state->schema.FindIndex(name) : -1;
    if (at < 0) {
        ThrowDaoError(errors::kItemNotFound, std::string(name));
    }
    info = m_state->schema.indexes[static_cast<size_t>(at)];
}

long CDaoTableDef::GetRecordCount()
{
    if (!m_state || !m_state->appended) {
        return 0;
    }
    detail::Statement count(m_state->Core().Handle(),
                            "SELECT count(*) FROM " + detail::QuoteName(m_state->schema.name));
    count.Step();
    return static_cast<long>(count.ColumnInt(0));
}

} // namespace platform::dao
