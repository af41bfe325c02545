#pragma once
// Inside the database layer: RAII over SQLite handles and statements, the mapping of SQLite's errors to
// the engine's error numbers, the functions and collation every connection gets, and the conversion of
// values between SQLite and CDaoVariant. Only the layer's own sources include this.

#include "platform/dao/DaoVariant.h"

#include <sqlite3.h>

#include <memory>
#include <string>
#include <string_view>

namespace platform::dao::detail {

// Throws the CDaoException that matches an SQLite result code and the connection's message.
[[noreturn]] void ThrowEngineError(sqlite3* db, int rc, std::string_view context = {});

// A prepared statement; finalized when it goes.
class Statement
{
public:
    Statement() = default;
    // Prepares one statement; throws when it does not compile or when text follows it.
    Statement(sqlite3* db, std::string_view sql);
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    sqlite3_stmt* Get() const { return m_statement; }
    explicit operator bool() const { return m_statement != nullptr; }

    // True when a row is ready, false when done; throws on error.
    bool Step();
    void Reset();
    void Finalize();

    // Parameters are 1-based. Texts and bytes are copied unless `copy` is false (then they must stay
    // alive until the statement is reset).
    void Bind(int index, const CDaoVariant& value, bool copy = true);
    void BindText(int index, std::string_view text);
    void BindInt(int index, sqlite3_int64 value);
    void BindValue(int index, const sqlite3_value* value);

    int ColumnCount() const { return sqlite3_column_count(m_statement); }
    sqlite3_int64 ColumnInt(int column) const { return sqlite3_column_int64(m_statement, column); }
    std::string ColumnText(int column) const;

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_statement = nullptr;
};

// Executes statements without results (DDL, pragmas, BEGIN ...).
void ExecuteSql(sqlite3* db, std::string_view sql);

// A value read from a column, in the type of the field (dbBoolean ... dbMemo); 0 takes the type from
// what SQLite holds. A stored value that does not fit the field's type comes back as it is stored.
CDaoVariant ReadColumn(sqlite3_stmt* statement, int column, short daoType);

// Gives a connection the engine's collation FOLDCASE, the engine's like() and the functions JetDate(),
// JetNow() and JetDateValue().
void RegisterJetFunctions(sqlite3* db);

// Throws when the linked SQLite cannot encrypt (a plain SQLite came first in the link order).
void CheckCipherEngine(sqlite3* db);

// "name" quoted for SQL.
std::string QuoteName(std::string_view name);

struct SqliteValueDeleter
{
    void operator()(sqlite3_value* value) const { sqlite3_value_free(value); }
};
using SqliteValuePtr = std::unique_ptr<sqlite3_value, SqliteValueDeleter>;

} // namespace platform::dao::detail
