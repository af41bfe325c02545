#include "platform/dao/SqliteEngine.h"

#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoDate.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/JetSql.h"
#include "platform/text/CaseFold.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace platform::dao::detail {
namespace {

// Our functions report an engine error number inside the message: "jet:3421:text".
constexpr std::string_view kJetErrorPrefix = "jet:";

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

std::string AfterPrefix(std::string_view text, std::string_view prefix)
{
    return std::string(text.substr(prefix.size()));
}

void FoldCaseCollationDestroy(void*) {}

int FoldCaseCollation(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return platform::text::CompareNoCase(
        std::string_view(static_cast<const char*>(a), static_cast<size_t>(lengthA)),
        std::string_view(static_cast<const char*>(b), static_cast<size_t>(lengthB)));
}

std::string_view ValueText(sqlite3_value* value)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return text == nullptr ? std::string_view()
                           : std::string_view(text, static_cast<size_t>(sqlite3_value_bytes(value)));
}

void DeletePattern(void* pattern)
{
    delete static_cast<JetLikePattern*>(pattern);
}

// like(pattern, value): SQLite hands "value LIKE pattern" over in this order.
void LikeFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (argc != 2) {
        sqlite3_result_error(context, "jet:3075:ESCAPE is not part of the engine's Like", -1);
        return;
    }
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    bool matches = false;
    if (const auto* cached = static_cast<const JetLikePattern*>(sqlite3_get_auxdata(context, 0))) {
        matches = cached->Matches(ValueText(argv[1]));
    } else {
        auto pattern = std::make_unique<JetLikePattern>(ValueText(argv[0]));
        matches = pattern->Matches(ValueText(argv[1]));
        // Kept for the next rows while the pattern is a constant; SQLite frees it otherwise.
        sqlite3_set_auxdata(context, 0, pattern.release(), DeletePattern);
    }
    sqlite3_result_int(context, matches ? 1 : 0);
}

void DateFunction(sqlite3_context* context, int, sqlite3_value**)
{
    sqlite3_result_double(context, TodaySerial());
}

void NowFunction(sqlite3_context* context, int, sqlite3_value**)
{
    sqlite3_result_double(context, NowSerial());
}

void DateValueFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(context);
        return;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        sqlite3_result_double(context, std::trunc(sqlite3_value_double(argv[0])));
        return;
    default:
        break;
    }
    if (const auto parts = ParseDateText(ValueText(argv[0]))) {
        DateParts day = *parts;
        day.hour = day.minute = day.second = 0;
        if (const auto serial = DateSerialFromParts(day)) {
            sqlite3_result_double(context, *serial);
            return;
        }
    }
    const std::string message = "jet:3421:DateValue('" + std::string(ValueText(argv[0])) + "') is no date";
    sqlite3_result_error(context, message.c_str(), -1);
}

} // namespace

void ThrowEngineError(sqlite3* db, int rc, std::string_view context)
{
    const std::string message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    const int extended = db != nullptr ? sqlite3_extended_errcode(db) : rc;
    std::string detail = message;
    if (!context.empty()) {
        detail += " in: ";
        detail += context;
    }
    using namespace errors;
    switch (rc & 0xFF) {
    case SQLITE_CONSTRAINT:
        if (extended == SQLITE_CONSTRAINT_NOTNULL) {
            ThrowDaoError(kFieldRequired, detail);
        }
        ThrowDaoError(kDuplicateKey, detail);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        ThrowDaoError(kLocked, detail);
    case SQLITE_CANTOPEN:
        ThrowDaoError(kFileNotFound, detail);
    case SQLITE_FULL:
        ThrowDaoError(kDiskFull, detail);
    case SQLITE_READONLY:
        ThrowDaoError(kReadOnly, detail);
    case SQLITE_PERM:
    case SQLITE_AUTH:
        ThrowDaoError(kCannotOpenFile, detail);
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        ThrowDaoError(kUnrecognizedFormat, detail);
    case SQLITE_MISMATCH:
        ThrowDaoError(kConversionError, detail);
    case SQLITE_IOERR:
        ThrowDaoError(kDiskOrNetworkError, detail);
    default:
        break;
    }
    if (StartsWith(message, kJetErrorPrefix)) {
        // "jet:NNNN:text" from one of our functions.
        const long code = std::strtol(message.c_str() + kJetErrorPrefix.size(), nullptr, 10);
        const size_t colon = message.find(':', kJetErrorPrefix.size());
        ThrowDaoError(code != 0 ? code : kReservedError,
                      colon == std::string::npos ? message : message.substr(colon + 1));
    }
    if (StartsWith(message, "no such table: ")) {
        ThrowDaoError(kInputTableNotFound, AfterPrefix(message, "no such table: "));
    }
    if (StartsWith(message, "no such column: ")) {
        ThrowDaoError(kTooFewParameters, AfterPrefix(message, "no such column: "));
    }
    if (StartsWith(message, "no such function: ")) {
        ThrowDaoError(kUndefinedFunction, AfterPrefix(message, "no such function: "));
    }
    if (StartsWith(message, "wrong number of arguments to function ")) {
        ThrowDaoError(kUndefinedFunction, detail);
    }
    if (message.find("already exists") != std::string::npos) {
        ThrowDaoError(StartsWith(message, "index") ? kIndexExists : kTableExists, detail);
    }
    if (StartsWith(message, "duplicate column name")) {
        ThrowDaoError(kFieldDefinedTwice, detail);
    }
    if (message.find("syntax error") != std::string::npos || StartsWith(message, "near ") ||
        StartsWith(message, "unrecognized token") || StartsWith(message, "incomplete input")) {
        ThrowDaoError(kSyntaxError, detail);
    }
    ThrowDaoError(kReservedError, detail);
}

Statement::Statement(sqlite3* db, std::string_view sql) : m_db(db)
{
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &m_statement, &tail);
    if (rc != SQLITE_OK) {
        m_statement = nullptr;
        ThrowEngineError(db, rc, sql);
    }
    const char* end = sql.data() + sql.size();
    for (; tail != nullptr && tail < end; ++tail) {
        if (!std::isspace(static_cast<unsigned char>(*tail)) && *tail != ';') {
            Finalize();
            ThrowDaoError(errors::kSyntaxError, "text after the end of the statement: " + std::string(sql));
        }
    }
    if (m_statement == nullptr) {
        ThrowDaoError(errors::kSyntaxError, "empty statement");
    }
}

Statement::Statement(Statement&& other) noexcept : m_db(other.m_db), m_statement(other.m_statement)
{
    other.m_statement = nullptr;
}

Statement& Statement::operator=(Statement&& other) noexcept
{
    if (this != &other) {
        Finalize();
        m_db = other.m_db;
        m_statement = other.m_statement;
        other.m_statement = nullptr;
    }
    return *this;
}

Statement::~Statement()
{
    Finalize();
}

void Statement::Finalize()
{
    if (m_statement != nullptr) {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
    }
}

bool Statement::Step()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    // Keep the message before resetting, which would replace it.
    const std::string sql = sqlite3_sql(m_statement) != nullptr ? sqlite3_sql(m_statement) : "";
    try {
        ThrowEngineError(m_db, rc, sql);
    } catch (...) {
        sqlite3_reset(m_statement);
        throw;
    }
}

void Statement::Reset()
{
    if (m_statement != nullptr) {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
}

void Statement::Bind(int index, const CDaoVariant& value, bool copy)
{
    const auto destructor = copy ? SQLITE_TRANSIENT : SQLITE_STATIC;
    int rc = SQLITE_OK;
    switch (value.GetType()) {
    case VariantType::Null:
        rc = sqlite3_bind_null(m_statement, index);
        break;
    case VariantType::Boolean:
        rc = sqlite3_bind_int64(m_statement, index, value.GetBool() ? -1 : 0);
        break;
    case VariantType::Byte:
        rc = sqlite3_bind_int64(m_statement, index, value.GetByte());
        break;
    case VariantType::Short:
        rc = sqlite3_bind_int64(m_statement, index, value.GetShort());
        break;
    case VariantType::Long:
        rc = sqlite3_bind_int64(m_statement, index, value.GetLong());
        break;
    case VariantType::Currency:
        // Stored as the amount itself, so queries compare and add money as money.
        if (value.GetCurrency() % 10000 == 0) {
            rc = sqlite3_bind_int64(m_statement, index, value.GetCurrency() / 10000);
        } else {
            rc = sqlite3_bind_double(m_statement, index, static_cast<double>(value.GetCurrency()) / 10000.0);
        }
        break;
    case VariantType::Single:
        rc = sqlite3_bind_double(m_statement, index, value.GetSingle());
        break;
    case VariantType::Double:
        rc = sqlite3_bind_double(m_statement, index, value.GetDouble());
        break;
    case VariantType::Date:
        rc = sqlite3_bind_double(m_statement, index, value.GetDate());
        break;
    case VariantType::Text:
        rc = sqlite3_bind_text(m_statement, index, value.GetText().data(),
                               static_cast<int>(value.GetText().size()), destructor);
        break;
    case VariantType::Binary:
        if (value.GetBinary().empty()) {
            rc = sqlite3_bind_zeroblob(m_statement, index, 0); // an empty blob, not null
        } else {
            rc = sqlite3_bind_blob(m_statement, index, value.GetBinary().data(),
                                   static_cast<int>(value.GetBinary().size()), destructor);
        }
        break;
    }
    if (rc != SQLITE_OK) {
        ThrowEngineError(m_db, rc);
    }
}

void Statement::BindText(int index, std::string_view text)
{
    const int rc =
        sqlite3_bind_text(m_statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) {
        ThrowEngineError(m_db, rc);
    }
}

void Statement::BindInt(int index, sqlite3_int64 value)
{
    const int rc = sqlite3_bind_int64(m_statement, index, value);
    if (rc != SQLITE_OK) {
        ThrowEngineError(m_db, rc);
    }
}

void Statement::BindValue(int index, const sqlite3_value* value)
{
    const int rc = sqlite3_bind_value(m_statement, index, value);
    if (rc != SQLITE_OK) {
        ThrowEngineError(m_db, rc);
    }
}

std::string Statement::ColumnText(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return text == nullptr
               ? std::string()
               : std::string(text, static_cast<size_t>(sqlite3_column_bytes(m_statement, column)));
}

void ExecuteSql(sqlite3* db, std::string_view sql)
{
    Statement statement(db, sql);
    while (statement.Step()) {
    }
}

CDaoVariant ReadColumn(sqlite3_stmt* statement, int column, short daoType)
{
    const int storage = sqlite3_column_type(statement, column);
    if (storage == SQLITE_NULL) {
        return {};
    }
    // The usual cases first: values stored in the form their column keeps.
    switch (storage) {
    case SQLITE_INTEGER: {
        const sqlite3_int64 value = sqlite3_column_int64(statement, column);
        switch (daoType) {
        case dbBoolean:
            return CDaoVariant::Boolean(value != 0);
        case dbByte:
            if (value >= 0 && value <= 255) {
                return CDaoVariant::Byte(static_cast<std::uint8_t>(value));
            }
            break;
        case dbInteger:
            if (value >= -32768 && value <= 32767) {
                return CDaoVariant::Short(static_cast<std::int16_t>(value));
            }
            break;
        case dbCurrency:
            if (value > -922337203685477 && value < 922337203685477) {
                return CDaoVariant::Currency(value * 10000);
            }
            break;
        case dbSingle:
            return CDaoVariant::Single(static_cast<float>(value));
        case dbDouble:
            return CDaoVariant::Double(static_cast<double>(value));
        case dbDate:
            return CDaoVariant::Date(static_cast<double>(value));
        default:
            break;
        }
        if (value >= std::numeric_limits<std::int32_t>::min() &&
            value <= std::numeric_limits<std::int32_t>::max()) {
            return CDaoVariant::Long(static_cast<std::int32_t>(value));
        }
        return CDaoVariant::Double(static_cast<double>(value));
    }
    case SQLITE_FLOAT: {
        const double value = sqlite3_column_double(statement, column);
        switch (daoType) {
        case dbDate:
            return CDaoVariant::Date(value);
        case dbSingle:
            return CDaoVariant::Single(static_cast<float>(value));
        case dbCurrency:
            if (std::fabs(value) < 922337203685477.0) {
                return CDaoVariant::Currency(std::llround(value * 10000.0));
            }
            break;
        case dbBoolean:
            return CDaoVariant::Boolean(value != 0);
        default:
            break;
        }
        return CDaoVariant::Double(value);
    }
    case SQLITE_BLOB: {
        const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement, column));
        const auto size = static_cast<size_t>(sqlite3_column_bytes(statement, column));
        if (daoType == dbText || daoType == dbMemo) {
            return CDaoVariant(std::string(reinterpret_cast<const char*>(data), size));
        }
        return CDaoVariant(std::vector<std::uint8_t>(data, data + size));
    }
    default:
        break;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    CDaoVariant value(std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement, column))));
    if (daoType == 0 || daoType == dbText || daoType == dbMemo) {
        return value;
    }
    if (daoType == dbLongBinary) {
        return value.ChangeType(dbLongBinary);
    }
    try {
        return value.ChangeType(daoType);
    } catch (const CDaoException&) {
        return value; // a text that SQLite kept in a number column: handed out as stored
    }
}

void RegisterJetFunctions(sqlite3* db)
{
    const int text = SQLITE_UTF8;
    int rc = sqlite3_create_collation_v2(db, "FOLDCASE", text, nullptr, FoldCaseCollation,
                                         FoldCaseCollationDestroy);
    const auto check = [db](int result) {
        if (result != SQLITE_OK) {
            ThrowEngineError(db, result, "registering the engine's functions");
        }
    };
    check(rc);
    check(sqlite3_create_function_v2(db, "like", 2, text | SQLITE_DETERMINISTIC, nullptr, LikeFunction,
                                     nullptr, nullptr, nullptr));
    check(sqlite3_create_function_v2(db, "like", 3, text | SQLITE_DETERMINISTIC, nullptr, LikeFunction,
                                     nullptr, nullptr, nullptr));
    check(
        sqlite3_create_function_v2(db, "JetDate", 0, text, nullptr, DateFunction, nullptr, nullptr, nullptr));
    check(sqlite3_create_function_v2(db, "JetNow", 0, text, nullptr, NowFunction, nullptr, nullptr, nullptr));
    check(sqlite3_create_function_v2(db, "JetDateValue", 1, text, nullptr, DateValueFunction, nullptr,
                                     nullptr, nullptr));
}

void CheckCipherEngine(sqlite3* db)
{
    Statement statement(db, "PRAGMA cipher_version");
    if (!statement.Step() || statement.ColumnText(0).empty()) {
        ThrowDaoError(errors::kReservedError,
                      "the database engine cannot encrypt: SQLCipher must be linked before any plain SQLite");
    }
}

std::string QuoteName(std::string_view name)
{
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

} // namespace platform::dao::detail
