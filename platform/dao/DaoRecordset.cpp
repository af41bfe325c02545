#include "platform/dao/DaoRecordset.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/DatabaseCore.h"
#include "platform/text/CaseFold.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <iterator>
#include <unordered_map>

namespace platform::dao {
namespace detail {
namespace {

using platform::text::EqualsNoCase;

// Field names hash and compare without regard to case, looked up without building a string. Names are
// nearly always ASCII: those bytes are folded here, the rest by the text layer.
struct FoldHash
{
    using is_transparent = void;
    size_t operator()(std::string_view name) const
    {
        size_t hash = 1469598103934665603ull;
        for (size_t pos = 0; pos < name.size();) {
            const auto byte = static_cast<unsigned char>(name[pos]);
            char32_t c;
            if (byte < 0x80) {
                c = byte >= 'A' && byte <= 'Z' ? byte + 32 : byte;
                ++pos;
            } else {
                c = platform::text::FoldCodePoint(platform::text::NextCodePoint(name, pos));
            }
            hash = (hash ^ c) * 1099511628211ull;
        }
        return hash;
    }
};

struct FoldEqual
{
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const
    {
        if (a.size() == b.size()) {
            size_t i = 0;
            for (; i < a.size(); ++i) {
                const auto x = static_cast<unsigned char>(a[i]);
                const auto y = static_cast<unsigned char>(b[i]);
                if (x >= 0x80 || y >= 0x80) {
                    break;
                }
                if ((x >= 'A' && x <= 'Z' ? x + 32 : x) != (y >= 'A' && y <= 'Z' ? y + 32 : y)) {
                    return false;
                }
            }
            if (i == a.size()) {
                return true;
            }
        }
        return EqualsNoCase(a, b);
    }
};

struct FieldMeta
{
    CDaoFieldInfo info;
    short readType = 0;  // the type values are read as; 0 takes what SQLite holds
    int tableField = -1; // the table's field that the value comes from
    bool updatable = false;
};

struct Row
{
    sqlite3_int64 rowid = 0;
    std::vector<CDaoVariant> values;
};

// Where a row stands in the recordset's order: its index values and rowid.
struct KeyPosition
{
    std::vector<CDaoVariant> values;
    sqlite3_int64 rowid = 0;
    bool set = false;
};

// Rows kept behind the current one while a recordset only reads. Older rows are fetched again when the
// recordset moves back to them, so reading a large result forward needs little memory.
constexpr long kRowsKeptBehind = 256;
constexpr size_t kRowsPerFetch = 64;

struct Param
{
    const CDaoVariant* value = nullptr;
    sqlite3_int64 rowid = 0;
    bool isRowid = false;
};

bool LooksLikeSql(std::string_view source)
{
    size_t pos = 0;
    while (pos < source.size() && std::isspace(static_cast<unsigned char>(source[pos]))) {
        ++pos;
    }
    size_t end = pos;
    while (end < source.size() && std::isalpha(static_cast<unsigned char>(source[end]))) {
        ++end;
    }
    const std::string_view word = source.substr(pos, end - pos);
    return EqualsNoCase(word, "SELECT") || EqualsNoCase(word, "TRANSFORM") ||
           EqualsNoCase(word, "PARAMETERS");
}

} // namespace

class RecordsetState final : public DatabaseClient
{
public:
    RecordsetState(DatabaseCore& core, int type, std::string source, int options)
        : core(&core), type(type), source(std::move(source)), options(options)
    {
        core.Register(this);
    }

    ~RecordsetState()
    {
        if (core != nullptr) {
            ReleaseStatements();
            core->Unregister(this);
        }
    }

    void SuspendCursor() override
    {
        if (isTable) {
            if (forward) {
                core->Release(forwardSql, std::move(forward)); // goes on from the last row's key
            }
        } else if (!complete) {
            Complete(); // every row, as they are now
        }
    }

    void DatabaseClosing() override
    {
        forward.Finalize();
        write.Finalize();
        core = nullptr;
    }

    DatabaseCore& Core() const
    {
        if (core == nullptr) {
            ThrowDaoError(errors::kObjectInvalid, "the recordset's database is closed");
        }
        return *core;
    }

    void ReleaseStatements()
    {
        if (forward) {
            core->Release(forwardSql, std::move(forward));
        }
        if (write) {
            core->Release(writeSql, std::move(write));
        }
    }

    void OpenTable()
    {
        isTable = true;
        table = Core().Table(source);
        hasRowid = true;
        columnOffset = 1;
        columns = "_rowid_";
        for (size_t i = 0; i < table.fields.size(); ++i) {
            const CDaoFieldInfo& field = table.fields[i];
            columns += ", " + QuoteName(field.m_name);
            const bool counter = (field.m_attributes & dbAutoIncrField) != 0;
            AddField(FieldMeta{field, field.m_type, static_cast<int>(i), !counter});
        }
        from = QuoteName(table.name);
        updatable = (options & dbReadOnly) == 0 && !Core().IsReadOnly();
        hasTable = true;
        startReached = true;
        pos = 0;
        // The first rows are read when something needs them: a table opened to seek one row or to add
        // rows reads nothing else.
        firstFetchPending = true;
    }

    // Reads the first rows of a table recordset that was opened or given an index without reading them.
    void SettleFirstFetch()
    {
        if (firstFetchPending) {
            firstFetchPending = false;
            FetchForward();
        }
    }

    void OpenQuery()
    {
        DatabaseCore& db = Core();
        std::string sql = source;
        if (!LooksLikeSql(source)) {
            if (const TableSchema* named = db.FindTable(source)) {
                sql = "SELECT * FROM " + QuoteName(named->name);
            } else if (source.find_first_of(" \t\r\n") == std::string::npos) {
                ThrowDaoError(errors::kInputTableNotFound, source);
            }
        }
        const JetTranslation translation = db.Translate(sql);
        if (translation.kind != JetStatementKind::Select) {
            ThrowDaoError(errors::kInvalidOperation, "a recordset needs a SELECT: " + source);
        }
        const bool wantUpdates = type == dbOpenDynaset && (options & dbReadOnly) == 0 && !db.IsReadOnly() &&
                                 !translation.singleTable.empty();
        const TableSchema* schema = wantUpdates ? db.FindTable(translation.singleTable) : nullptr;
        if (schema != nullptr) {
            try {
                forwardSql = translation.sqlWithRowid;
                forward = db.Acquire(forwardSql);
                hasRowid = true;
            } catch (const CDaoException& error) {
                if (error.GetErrorCode() != errors::kTooFewParameters) {
                    throw;
                }
                schema = nullptr; // a table without rowids: read only
            }
        }
        if (!hasRowid) {
            forwardSql = translation.sql;
            forward = db.Acquire(forwardSql);
        }
        columnOffset = hasRowid ? 1 : 0;
        if (schema != nullptr) {
            table = *schema;
            hasTable = true;
            from = QuoteName(table.name);
        }
        sqlite3_stmt* statement = forward.Get();
        const int count = sqlite3_column_count(statement);
        for (int column = columnOffset; column < count; ++column) {
            FieldMeta meta;
            meta.info.m_name = sqlite3_column_name(statement, column);
            // A column is written back to the table column its values come from, not to the column
            // its name in the result happens to match (SELECT NAME AS YEAR); an expression has none.
            const char* originTable = sqlite3_column_table_name(statement, column);
            const char* origin = sqlite3_column_origin_name(statement, column);
            const int tableField = hasTable && originTable != nullptr && origin != nullptr &&
                                           EqualsNoCase(originTable, table.name)
                                       ? table.FindField(origin)
                                       : -1;
            if (tableField >= 0) {
                const CDaoFieldInfo& field = table.fields[static_cast<size_t>(tableField)];
                meta.info = field;
                meta.info.m_name = sqlite3_column_name(statement, column);
                meta.readType = field.m_type;
                meta.tableField = tableField;
                meta.updatable = (field.m_attributes & dbAutoIncrField) == 0;
            } else if (const char* declared = sqlite3_column_decltype(statement, column)) {
                FieldTypeFromDeclared(declared, meta.info);
                meta.readType = meta.info.m_type;
            } else {
                meta.info.m_type = dbMemo; // an expression: its values come as SQLite holds them
                meta.readType = 0;
            }
            meta.info.m_ordinalPosition = static_cast<short>(fields.size());
            if (!meta.updatable) {
                meta.info.m_attributes &= ~dbUpdatableField;
            }
            AddField(std::move(meta));
        }
        updatable = hasTable;
        startReached = true;
        FetchForward();
        pos = 0;
        NoteReached();
    }

    void AddField(FieldMeta meta)
    {
        byName.emplace(meta.info.m_name, static_cast<int>(fields.size())); // the first of equal names wins
        fields.push_back(std::move(meta));
    }

    int FieldIndex(std::string_view name) const
    {
        const auto found = byName.find(name);
        if (found == byName.end()) {
            ThrowDaoError(errors::kItemNotFound, std::string(name));
        }
        return found->second;
    }

    int CheckIndex(int index) const
    {
        if (index < 0 || static_cast<size_t>(index) >= fields.size()) {
            ThrowDaoError(errors::kItemNotFound, "field " + std::to_string(index));
        }
        return index;
    }

    // The next row read going forward, in the storage of a row let go of behind the window when there
    // is one: a long read then allocates no row vector per row.
    Row ReadNextRow(sqlite3_stmt* statement)
    {
        if (spareRows.empty()) {
            return ReadRow(statement);
        }
        Row row = std::move(spareRows.back());
        spareRows.pop_back();
        row.rowid = hasRowid ? sqlite3_column_int64(statement, 0) : 0;
        row.values.clear();
        for (size_t i = 0; i < fields.size(); ++i) {
            row.values.push_back(
                ReadColumn(statement, static_cast<int>(i) + columnOffset, fields[i].readType));
        }
        return row;
    }

    Row ReadRow(sqlite3_stmt* statement) const
    {
        Row row;
        if (hasRowid) {
            row.rowid = sqlite3_column_int64(statement, 0);
        }
        row.values.reserve(fields.size());
        for (size_t i = 0; i < fields.size(); ++i) {
            row.values.push_back(
                ReadColumn(statement, static_cast<int>(i) + columnOffset, fields[i].readType));
        }
        return row;
    }

    KeyPosition KeyOf(const Row& row) const
    {
        KeyPosition key;
        for (int field : keyFields) {
            key.values.push_back(row.values[static_cast<size_t>(field)]);
        }
        key.rowid = row.rowid;
        key.set = true;
        return key;
    }

    std::string Order(bool reverse) const
    {
        std::string order;
        for (size_t i = 0; i < keyFields.size(); ++i) {
            const bool descending = keyDescending[i] != reverse;
            order += QuoteName(table.fields[static_cast<size_t>(keyFields[i])].m_name) +
                     (descending ? " DESC, " : ", ");
        }
        order += reverse ? "_rowid_ DESC" : "_rowid_";
        return order;
    }

    // The rows after `key` in the recordset's order (before it when `reverse`).
    std::string Beyond(const KeyPosition& key, bool reverse, std::vector<Param>& params) const
    {
        std::string condition;
        for (size_t i = 0; i <= keyFields.size(); ++i) {
            std::string branch;
            for (size_t j = 0; j < i; ++j) {
                branch += QuoteName(table.fields[static_cast<size_t>(keyFields[j])].m_name) + " IS ? AND ";
                params.push_back({&key.values[j]});
            }
            if (i == keyFields.size()) {
                branch += reverse ? "_rowid_ < ?" : "_rowid_ > ?";
                params.push_back({nullptr, key.rowid, true});
            } else {
                const std::string column = QuoteName(table.fields[static_cast<size_t>(keyFields[i])].m_name);
                const bool towardsSmaller = keyDescending[i] != reverse;
                const bool isNull = key.values[i].IsNull();
                if (towardsSmaller) {
                    // Descending order puts nulls last.
                    if (isNull) {
                        branch += "0";
                    } else {
                        branch += "(" + column + " < ? OR " + column + " IS NULL)";
                        params.push_back({&key.values[i]});
                    }
                } else if (isNull) {
                    branch += column + " IS NOT NULL";
                } else {
                    branch += column + " > ?";
                    params.push_back({&key.values[i]});
                }
            }
            condition += (condition.empty() ? "(" : " OR (") + branch + ")";
        }
        return condition;
    }

    static void BindParams(Statement& statement, const std::vector<Param>& params)
    {
        int index = 1;
        for (const Param& param : params) {
            if (param.isRowid) {
                statement.BindInt(index++, param.rowid);
            } else {
                statement.Bind(index++, *param.value);
            }
        }
    }

    bool FetchForward()
    {
        if (endReached) {
            return false;
        }
        if (!forward) {
            if (!isTable) { // a query's statement only ends by running out of rows
                endReached = true;
                return false;
            }
            std::vector<Param> params;
            forwardSql = "SELECT " + columns + " FROM " + from +
                         (last.set ? " WHERE " + Beyond(last, false, params) : std::string()) + " ORDER BY " +
                         Order(false);
            forward = Core().Acquire(forwardSql);
            BindParams(forward, params);
        }
        // Rows come in small batches. A table lets go of its statement after each batch and goes on
        // from the last row's key, so no read stays open between calls (another connection to the
        // file could not commit meanwhile); a query whose rows all fit in a batch is done at once.
        size_t read = 0;
        while (read < kRowsPerFetch) {
            if (!forward.Step()) {
                core->Release(forwardSql, std::move(forward));
                endReached = true;
                break;
            }
            window.push_back(ReadNextRow(forward.Get()));
            ++read;
        }
        if (isTable && read > 0) {
            last = KeyOf(window.back());
            if (!first.set) {
                first = KeyOf(window[window.size() - read]);
            }
        }
        if (isTable && forward) {
            core->Release(forwardSql, std::move(forward));
        }
        return read > 0;
    }

    // Starts a query again from its first row (nothing was written since it started).
    void RestartQuery()
    {
        if (forward) {
            core->Release(forwardSql, std::move(forward));
        }
        window.clear();
        windowStart = 0;
        endReached = false;
        currentDeleted = false;
        forward = Core().Acquire(forwardSql);
        FetchForward();
        pos = 0;
        NoteReached();
    }

    // Lets go of rows far behind the current one (see kRowsKeptBehind). A query's rows are only let go
    // while nothing has been written, so fetching them again gives the same rows.
    void TrimBehind()
    {
        if (!isTable && complete) {
            return;
        }
        while (pos > kRowsKeptBehind) {
            if (spareRows.size() < kRowsPerFetch) {
                spareRows.push_back(std::move(window.front()));
            }
            window.pop_front();
            --pos;
            ++windowStart;
            if (isTable) {
                startReached = false;
                first = KeyOf(window.front());
            }
        }
    }

    // Runs a query again from its start and reads its rows [from, to).
    std::vector<Row> RereadQueryRows(long from, long to)
    {
        Statement statement = Core().Acquire(forwardSql);
        std::vector<Row> rows;
        for (long index = 0; index < to && statement.Step(); ++index) {
            if (index >= from) {
                rows.push_back(ReadRow(statement.Get()));
            }
        }
        core->Release(forwardSql, std::move(statement));
        return rows;
    }

    // Before the first write: rows let go of come back, so the recordset shows what it showed before.
    void Complete()
    {
        if (windowStart > 0) {
            std::vector<Row> rows = RereadQueryRows(0, windowStart);
            pos += static_cast<long>(rows.size());
            window.insert(window.begin(), std::make_move_iterator(rows.begin()),
                          std::make_move_iterator(rows.end()));
            windowStart = 0;
        }
        while (FetchForward()) {
        }
        complete = true;
    }

    bool FetchBackward()
    {
        if (!isTable && windowStart > 0) {
            const long from = std::max(0L, windowStart - kRowsKeptBehind);
            std::vector<Row> rows = RereadQueryRows(from, windowStart);
            if (rows.empty()) {
                startReached = true;
                return false;
            }
            window.insert(window.begin(), std::make_move_iterator(rows.begin()),
                          std::make_move_iterator(rows.end()));
            pos += static_cast<long>(rows.size());
            windowStart = from;
            return true;
        }
        if (startReached || !isTable) {
            startReached = true;
            return false;
        }
        std::vector<Param> params;
        const std::string sql = "SELECT " + columns + " FROM " + from +
                                (first.set ? " WHERE " + Beyond(first, true, params) : std::string()) +
                                " ORDER BY " + Order(true) + " LIMIT 1";
        Statement statement = Core().Acquire(sql);
        BindParams(statement, params);
        if (!statement.Step()) {
            core->Release(sql, std::move(statement));
            startReached = true;
            return false;
        }
        window.push_front(ReadRow(statement.Get()));
        ++pos;
        first = KeyOf(window.front());
        if (!last.set) {
            last = first;
        }
        core->Release(sql, std::move(statement));
        return true;
    }

    void ResetWindow()
    {
        if (forward) {
            core->Release(forwardSql, std::move(forward));
        }
        firstFetchPending = false;
        window.clear();
        first = KeyPosition();
        last = KeyPosition();
        startReached = endReached = false;
        currentDeleted = false;
        pos = 0;
        windowStart = 0;
    }

    void NoteReached()
    {
        if (pos >= 0 && pos < static_cast<long>(window.size())) {
            reached = std::max(reached, windowStart + pos + 1);
        }
    }

    bool IsBOF() const
    {
        return pos < 0 || (window.empty() && startReached && endReached && !currentDeleted);
    }

    bool IsEOF() const { return !currentDeleted && pos >= static_cast<long>(window.size()) && endReached; }

    Row& CurrentRow()
    {
        if (currentDeleted) {
            ThrowDaoError(errors::kRecordDeleted);
        }
        if (pos < 0 || pos >= static_cast<long>(window.size())) {
            ThrowDaoError(errors::kNoCurrentRecord);
        }
        return window[static_cast<size_t>(pos)];
    }

    void CheckUpdatable() const
    {
        if (!updatable) {
            ThrowDaoError(errors::kReadOnly, source);
        }
    }

    // Prepares the statement that writes a row (kept while the same fields are written).
    Statement& WriteStatement(const std::string& sql)
    {
        if (!write || writeSql != sql) {
            if (write) {
                core->Release(writeSql, std::move(write));
            }
            writeSql = sql;
            write = Core().Acquire(writeSql);
        }
        return write;
    }

    void Insert()
    {
        std::string key = "I";
        for (size_t i = 0; i < fields.size(); ++i) {
            key += changed[i] && fields[i].tableField >= 0 ? '1' : '0';
        }
        if (key != insertKey) {
            std::string names;
            std::string values;
            if (table.autoIncrementField >= 0) {
                names = QuoteName(table.fields[static_cast<size_t>(table.autoIncrementField)].m_name);
                values = "?";
            }
            for (size_t i = 0; i < fields.size(); ++i) {
                if (key[i + 1] == '1') {
                    names += (names.empty() ? "" : ", ") +
                             QuoteName(table.fields[static_cast<size_t>(fields[i].tableField)].m_name);
                    values += values.empty() ? "?" : ", ?";
                }
            }
            insertSql = names.empty() ? "INSERT INTO " + from + " DEFAULT VALUES"
                                      : "INSERT INTO " + from + " (" + names + ") VALUES (" + values + ")";
            insertKey = key;
        }
        Statement& statement = WriteStatement(insertSql);
        int index = 1;
        if (table.autoIncrementField >= 0) {
            statement.BindInt(index++, newCounter);
        }
        for (size_t i = 0; i < fields.size(); ++i) {
            if (insertKey[i + 1] == '1') {
                statement.Bind(index++, buffer[i], false);
            }
        }
        try {
            statement.Step();
        } catch (...) {
            statement.Reset();
            throw;
        }
        statement.Reset();
        Row row{sqlite3_last_insert_rowid(core->Handle()), buffer};
        if (isTable) {
            endReached = false; // the new row may lie ahead
        } else {
            // A dynaset shows the rows it adds at its end (all its rows are in the window by now).
            const bool atEnd = pos >= static_cast<long>(window.size());
            window.push_back(std::move(row));
            if (atEnd) {
                pos = static_cast<long>(window.size());
            }
        }
    }

    void Change()
    {
        Row& row = CurrentRow();
        std::string sql = "UPDATE " + from + " SET ";
        bool any = false;
        for (size_t i = 0; i < fields.size(); ++i) {
            if (changed[i]) {
                sql += (any ? ", " : "") +
                       QuoteName(table.fields[static_cast<size_t>(fields[i].tableField)].m_name) + " = ?";
                any = true;
            }
        }
        if (!any) {
            return;
        }
        sql += " WHERE _rowid_ = ?";
        Statement& statement = WriteStatement(sql);
        int index = 1;
        for (size_t i = 0; i < fields.size(); ++i) {
            if (changed[i]) {
                statement.Bind(index++, buffer[i], false);
            }
        }
        statement.BindInt(index, row.rowid);
        try {
            statement.Step();
        } catch (...) {
            statement.Reset();
            throw;
        }
        statement.Reset();
        if (sqlite3_changes(core->Handle()) == 0) {
            ThrowDaoError(errors::kRecordDeleted);
        }
        for (size_t i = 0; i < fields.size(); ++i) {
            if (changed[i]) {
                row.values[i] = buffer[i];
            }
        }
    }

    // Reads the current row's stored values again (before an edit).
    void Reread(Row& row)
    {
        std::string names;
        for (const FieldMeta& field : fields) {
            if (field.tableField >= 0) {
                names += (names.empty() ? "" : ", ") +
                         QuoteName(table.fields[static_cast<size_t>(field.tableField)].m_name);
            }
        }
        if (names.empty()) {
            return;
        }
        const std::string sql = "SELECT " + names + " FROM " + from + " WHERE _rowid_ = ?1";
        Statement statement = Core().Acquire(sql);
        statement.BindInt(1, row.rowid);
        if (!statement.Step()) {
            core->Release(sql, std::move(statement));
            ThrowDaoError(errors::kRecordDeleted);
        }
        int column = 0;
        for (size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].tableField >= 0) {
                row.values[i] = ReadColumn(statement.Get(), column++, fields[i].readType);
            }
        }
        core->Release(sql, std::move(statement));
    }

    DatabaseCore* core;
    int type;
    std::string source;
    int options;

    bool isTable = false;
    bool hasTable = false;
    bool hasRowid = false;
    bool updatable = false;
    int columnOffset = 0;
    TableSchema table;
    std::string columns; // select list of a table recordset
    std::string from;
    std::vector<FieldMeta> fields;
    std::unordered_map<std::string, int, FoldHash, FoldEqual> byName;

    std::string currentIndex;
    std::vector<int> keyFields;
    std::vector<bool> keyDescending;

    std::deque<Row> window;
    std::vector<Row> spareRows;
    long pos = 0;
    long windowStart = 0;  // rows of a query let go of before the window's first
    long reached = 0;      // rows of a query the recordset has been on, counted from the first
    bool complete = false; // a query whose rows are all in the window for good
    bool startReached = false;
    bool endReached = false;
    bool firstFetchPending = false;
    bool currentDeleted = false;
    KeyPosition first;
    KeyPosition last;
    Statement forward;
    std::string forwardSql;

    int editMode = dbEditNone;
    std::vector<CDaoVariant> buffer;
    std::vector<bool> changed;
    sqlite3_int64 newCounter = 0;
    Statement write;
    std::string writeSql;
    std::string insertKey;
    std::string insertSql;
};

} // namespace detail

CDaoRecordset::CDaoRecordset(CDaoDatabase* database) : m_database(database) {}

CDaoRecordset::~CDaoRecordset() = default;

detail::RecordsetState& CDaoRecordset::Opened() const
{
    if (!m_state) {
        ThrowDaoError(errors::kObjectInvalid, "the recordset is not open");
    }
    m_state->Core();
    return *m_state;
}

detail::RecordsetState& CDaoRecordset::State() const
{
    detail::RecordsetState& state = Opened();
    state.SettleFirstFetch();
    return state;
}

void CDaoRecordset::Open(int openType, std::string_view source, int options)
{
    Close();
    if (openType != dbOpenTable && openType != dbOpenDynaset && openType != dbOpenSnapshot) {
        ThrowDaoError(errors::kInvalidArgument, "open type " + std::to_string(openType));
    }
    auto state =
        std::make_unique<detail::RecordsetState>(m_database->Core(), openType, std::string(source), options);
    if (openType == dbOpenTable) {
        if (detail::LooksLikeSql(source)) {
            ThrowDaoError(errors::kInvalidOperation, "a table recordset needs a table's name");
        }
        state->OpenTable();
    } else {
        state->OpenQuery();
    }
    m_state = std::move(state);
}

void CDaoRecordset::Close()
{
    m_state.reset();
}

bool CDaoRecordset::IsOpen() const
{
    return m_state && m_state->core != nullptr;
}

int CDaoRecordset::GetType() const
{
    return Opened().type;
}

std::string CDaoRecordset::GetSQL() const
{
    return Opened().source;
}

bool CDaoRecordset::CanUpdate() const
{
    return Opened().updatable;
}

bool CDaoRecordset::CanAppend() const
{
    return Opened().updatable;
}

bool CDaoRecordset::IsBOF() const
{
    return State().IsBOF();
}

bool CDaoRecordset::IsEOF() const
{
    return State().IsEOF();
}

void CDaoRecordset::MoveFirst()
{
    detail::RecordsetState& state = State();
    state.editMode = dbEditNone;
    if (state.isTable && !state.startReached) {
        state.ResetWindow();
        state.startReached = true;
    } else if (!state.isTable && state.windowStart > 0) {
        state.RestartQuery();
    }
    state.currentDeleted = false;
    state.pos = 0;
    if (state.window.empty()) {
        state.FetchForward();
    }
    if (state.window.empty()) {
        ThrowDaoError(errors::kNoCurrentRecord);
    }
}

void CDaoRecordset::MoveNext()
{
    detail::RecordsetState& state = State();
    state.editMode = dbEditNone;
    if (state.currentDeleted) {
        state.currentDeleted = false; // the row after the deleted one already stands at its place
    } else {
        if (state.IsEOF()) {
            ThrowDaoError(errors::kNoCurrentRecord);
        }
        state.pos = state.pos < 0 ? 0 : state.pos + 1;
    }
    if (state.pos >= static_cast<long>(state.window.size())) {
        state.FetchForward();
    }
    state.NoteReached();
    state.TrimBehind();
}

void CDaoRecordset::MovePrev()
{
    detail::RecordsetState& state = State();
    state.editMode = dbEditNone;
    if (state.currentDeleted) {
        state.currentDeleted = false;
        --state.pos;
    } else {
        if (state.IsBOF()) {
            ThrowDaoError(errors::kNoCurrentRecord);
        }
        --state.pos;
    }
    if (state.pos < 0 && !state.FetchBackward()) {
        state.pos = -1;
    }
}

void CDaoRecordset::MoveLast()
{
    detail::RecordsetState& state = Opened();
    state.editMode = dbEditNone;
    state.currentDeleted = false;
    if (state.isTable) {
        if (!state.endReached || state.window.empty()) {
            state.ResetWindow();
            state.endReached = true;
            state.FetchBackward();
        }
    } else {
        while (state.FetchForward()) {
        }
    }
    if (state.window.empty()) {
        ThrowDaoError(errors::kNoCurrentRecord);
    }
    state.pos = static_cast<long>(state.window.size()) - 1;
    state.NoteReached();
}

void CDaoRecordset::Move(long rows)
{
    for (; rows > 0; --rows) {
        MoveNext();
    }
    for (; rows < 0; ++rows) {
        MovePrev();
    }
}

long CDaoRecordset::GetRecordCount()
{
    detail::RecordsetState& state = Opened();
    if (!state.isTable) {
        return std::min(state.reached, state.windowStart + static_cast<long>(state.window.size()));
    }
    detail::Statement count(state.core->Handle(), "SELECT count(*) FROM " + state.from);
    count.Step();
    return static_cast<long>(count.ColumnInt(0));
}

void CDaoRecordset::AddNew()
{
    detail::RecordsetState& state = Opened();
    state.CheckUpdatable();
    state.buffer.assign(state.fields.size(), CDaoVariant());
    state.changed.assign(state.fields.size(), false);
    if (state.table.autoIncrementField >= 0) {
        // The row's counter is known at once: callers build keys from it before Update.
        state.core->BeforeWrite();
        state.newCounter = state.core->ReserveCounter(state.table);
        for (size_t i = 0; i < state.fields.size(); ++i) {
            if (state.fields[i].tableField == state.table.autoIncrementField) {
                state.buffer[i] = CDaoVariant::Long(static_cast<std::int32_t>(state.newCounter));
            }
        }
    }
    state.editMode = dbEditAdd;
}

void CDaoRecordset::Edit()
{
    detail::RecordsetState& state = State();
    state.CheckUpdatable();
    state.editMode = dbEditNone;
    detail::Row& row = state.CurrentRow();
    state.Reread(row);
    state.buffer = row.values;
    state.changed.assign(state.fields.size(), false);
    state.editMode = dbEditInProgress;
}

void CDaoRecordset::Update()
{
    detail::RecordsetState& state = Opened();
    if (state.editMode == dbEditNone) {
        ThrowDaoError(errors::kUpdateWithoutEdit);
    }
    state.core->BeforeWrite();
    if (state.editMode == dbEditAdd) {
        state.Insert();
    } else {
        state.Change();
    }
    state.editMode = dbEditNone;
}

void CDaoRecordset::CancelUpdate()
{
    detail::RecordsetState& state = Opened();
    if (state.editMode == dbEditNone) {
        ThrowDaoError(errors::kUpdateWithoutEdit);
    }
    state.editMode = dbEditNone;
}

void CDaoRecordset::Delete()
{
    detail::RecordsetState& state = State();
    state.CheckUpdatable();
    state.editMode = dbEditNone;
    const sqlite3_int64 rowid = state.CurrentRow().rowid;
    state.core->BeforeWrite();
    const std::string sql = "DELETE FROM " + state.from + " WHERE _rowid_ = ?1";
    detail::Statement statement = state.core->Acquire(sql);
    statement.BindInt(1, rowid);
    try {
        statement.Step();
    } catch (...) {
        state.core->Release(sql, std::move(statement));
        throw;
    }
    state.core->Release(sql, std::move(statement));
    state.window.erase(state.window.begin() + state.pos);
    state.currentDeleted = true;
}

int CDaoRecordset::GetEditMode() const
{
    return Opened().editMode;
}

short CDaoRecordset::GetFieldCount() const
{
    return static_cast<short>(Opened().fields.size());
}

void CDaoRecordset::GetFieldInfo(int index, CDaoFieldInfo& info) const
{
    const detail::RecordsetState& state = Opened();
    info = state.fields[static_cast<size_t>(state.CheckIndex(index))].info;
}

void CDaoRecordset::GetFieldInfo(std::string_view name, CDaoFieldInfo& info) const
{
    const detail::RecordsetState& state = Opened();
    info = state.fields[static_cast<size_t>(state.FieldIndex(name))].info;
}

int CDaoRecordset::FindField(std::string_view name) const
{
    const detail::RecordsetState& state = Opened();
    const auto found = state.byName.find(name);
    return found == state.byName.end() ? -1 : found->second;
}

const CDaoVariant& CDaoRecordset::GetFieldValue(std::string_view name) const
{
    return GetFieldValue(Opened().FieldIndex(name));
}

const CDaoVariant& CDaoRecordset::GetFieldValue(int index) const
{
    detail::RecordsetState& state = Opened();
    const auto at = static_cast<size_t>(state.CheckIndex(index));
    if (state.editMode != dbEditNone) {
        return state.buffer[at];
    }
    state.SettleFirstFetch();
    return state.CurrentRow().values[at];
}

void CDaoRecordset::SetFieldValue(std::string_view name, const CDaoVariant& value)
{
    SetFieldValue(Opened().FieldIndex(name), value);
}

void CDaoRecordset::SetFieldValue(int index, const CDaoVariant& value)
{
    detail::RecordsetState& state = Opened();
    const auto at = static_cast<size_t>(state.CheckIndex(index));
    if (state.editMode == dbEditNone) {
        ThrowDaoError(errors::kUpdateWithoutEdit);
    }
    const detail::FieldMeta& field = state.fields[at];
    if (!field.updatable) {
        ThrowDaoError(errors::kFieldCannotBeUpdated, field.info.m_name);
    }
    // The column holds No for a null truth value; the row shows what it holds.
    state.buffer[at] = value.IsNull() && field.info.m_type == dbBoolean ? CDaoVariant::Boolean(false)
                                                                        : value.ChangeType(field.info.m_type);
    state.changed[at] = true;
}

void CDaoRecordset::SetFieldValueNull(std::string_view name)
{
    SetFieldValue(name, CDaoVariant());
}

void CDaoRecordset::SetFieldValueNull(int index)
{
    SetFieldValue(index, CDaoVariant());
}

std::vector<std::uint8_t> CDaoRecordset::GetFieldBytes(std::string_view name) const
{
    const CDaoVariant& value = GetFieldValue(name);
    switch (value.GetType()) {
    case VariantType::Null:
        return {};
    case VariantType::Binary:
        return value.GetBinary();
    default: {
        const std::string text = value.ToText();
        return std::vector<std::uint8_t>(text.begin(), text.end());
    }
    }
}

void CDaoRecordset::SetFieldBytes(std::string_view name, std::span<const std::uint8_t> bytes)
{
    SetFieldValue(name, CDaoVariant(std::vector<std::uint8_t>(bytes.begin(), bytes.end())));
}

void CDaoRecordset::SetCurrentIndex(std::string_view indexName)
{
    detail::RecordsetState& state = Opened();
    if (!state.isTable) {
        ThrowDaoError(errors::kNotSupportedForType, "SetCurrentIndex needs a table recordset");
    }
    std::vector<int> keyFields;
    std::vector<bool> descending;
    if (!indexName.empty()) {
        const int at = state.table.FindIndex(indexName);
        if (at < 0) {
            ThrowDaoError(errors::kNotAnIndex, std::string(indexName));
        }
        for (const CDaoIndexFieldInfo& field : state.table.indexes[static_cast<size_t>(at)].m_fields) {
            keyFields.push_back(state.table.FindField(field.m_name));
            descending.push_back(field.m_descending);
        }
    }
    state.editMode = dbEditNone;
    state.ResetWindow();
    state.currentIndex = std::string(indexName);
    state.keyFields = std::move(keyFields);
    state.keyDescending = std::move(descending);
    state.startReached = true;
    state.firstFetchPending = true;
}

std::string CDaoRecordset::GetCurrentIndex() const
{
    return Opened().currentIndex;
}

bool CDaoRecordset::Seek(std::string_view comparison, const std::vector<CDaoVariant>& keys)
{
    detail::RecordsetState& state = Opened();
    if (!state.isTable) {
        ThrowDaoError(errors::kNotSupportedForType, "Seek needs a table recordset");
    }
    if (state.currentIndex.empty()) {
        ThrowDaoError(errors::kNoCurrentIndex);
    }
    if (keys.empty() || keys.size() > state.keyFields.size()) {
        ThrowDaoError(errors::kInvalidArgument, "Seek with " + std::to_string(keys.size()) + " keys");
    }
    const bool equal = comparison == "=";
    const bool below = comparison == "<" || comparison == "<=";
    const bool inclusive = comparison == "<=" || comparison == ">=";
    if (!equal && !below && comparison != ">" && comparison != ">=") {
        ThrowDaoError(errors::kInvalidArgument, "Seek comparison " + std::string(comparison));
    }
    std::vector<CDaoVariant> converted;
    for (size_t i = 0; i < keys.size(); ++i) {
        converted.push_back(
            keys[i].ChangeType(state.table.fields[static_cast<size_t>(state.keyFields[i])].m_type));
    }
    const auto column = [&](size_t i) {
        return detail::QuoteName(state.table.fields[static_cast<size_t>(state.keyFields[i])].m_name);
    };
    std::vector<detail::Param> params;
    std::string condition;
    if (equal) {
        for (size_t i = 0; i < converted.size(); ++i) {
            condition += (i > 0 ? " AND " : "") + column(i) + " = ?";
            params.push_back({&converted[i]});
        }
    } else {
        // Compare the leading index fields with the keys as one value, field by field.
        const char* strict = below ? " < ?" : " > ?";
        for (size_t i = 0; i <= converted.size(); ++i) {
            if (i == converted.size() && !inclusive) {
                break;
            }
            std::string branch;
            for (size_t j = 0; j < i; ++j) {
                branch += (j > 0 ? " AND " : "") + column(j) + " = ?";
                params.push_back({&converted[j]});
            }
            if (i < converted.size()) {
                branch += (i > 0 ? " AND " : "") + column(i) + strict;
                params.push_back({&converted[i]});
            }
            condition += (condition.empty() ? "(" : " OR (") + branch + ")";
        }
    }
    const std::string sql = "SELECT " + state.columns + " FROM " + state.from + " WHERE " + condition +
                            " ORDER BY " + state.Order(below) + " LIMIT 1";
    detail::Statement statement = state.core->Acquire(sql);
    detail::RecordsetState::BindParams(statement, params);
    if (!statement.Step()) {
        state.core->Release(sql, std::move(statement));
        return false;
    }
    detail::Row row = state.ReadRow(statement.Get());
    state.core->Release(sql, std::move(statement));
    state.editMode = dbEditNone;
    state.ResetWindow();
    state.window.push_back(std::move(row));
    state.first = state.KeyOf(state.window.front());
    state.last = state.first;
    state.pos = 0;
    return true;
}

} // namespace platform::dao
