#pragma once
// The numbers of the database engine's interface that callers pass and test: field type codes, field
// and index attributes, recordset open types and options, compaction options, edit modes and the
// engine's error numbers. They keep the values the program's code was written against.

namespace platform::dao {

// Field types.
inline constexpr short dbBoolean = 1;
inline constexpr short dbByte = 2;
inline constexpr short dbInteger = 3; // 16-bit
inline constexpr short dbLong = 4;    // 32-bit
inline constexpr short dbCurrency = 5;
inline constexpr short dbSingle = 6;
inline constexpr short dbDouble = 7;
inline constexpr short dbDate = 8;
inline constexpr short dbText = 10;
inline constexpr short dbLongBinary = 11;
inline constexpr short dbMemo = 12;

// Field attributes.
inline constexpr long dbFixedField = 1;
inline constexpr long dbVariableField = 2;
inline constexpr long dbAutoIncrField = 16;
inline constexpr long dbUpdatableField = 32;

// Recordset open types.
inline constexpr int dbOpenTable = 1;
inline constexpr int dbOpenDynaset = 2;
inline constexpr int dbOpenSnapshot = 4;

// Recordset and execution options.
inline constexpr int dbReadOnly = 4;
inline constexpr int dbAppendOnly = 8;
inline constexpr int dbFailOnError = 128;

// Compaction options.
inline constexpr int dbEncrypt = 2;
inline constexpr int dbDecrypt = 4;

// Edit modes of a recordset.
inline constexpr int dbEditNone = 0;
inline constexpr int dbEditInProgress = 1;
inline constexpr int dbEditAdd = 2;

// The locale string every new or compacted catalogue is written with; the engine keeps text as UTF-8
// whatever it says, but accepts and ignores it.
inline constexpr const char* dbLangGeneral = ";LANGID=0x0409;CP=1252;COUNTRY=0";

// Error numbers carried by CDaoException.
namespace errors {
inline constexpr long kReservedError = 3000;
inline constexpr long kInvalidArgument = 3001;
inline constexpr long kTableExists = 3010;
inline constexpr long kObjectNotFound = 3011;
inline constexpr long kNotAnIndex = 3015;
inline constexpr long kNoCurrentIndex = 3019;
inline constexpr long kUpdateWithoutEdit = 3020;
inline constexpr long kNoCurrentRecord = 3021;
inline constexpr long kDuplicateKey = 3022;
inline constexpr long kFileNotFound = 3024;
inline constexpr long kDiskOrNetworkError = 3043;
inline constexpr long kDiskFull = 3026;
inline constexpr long kReadOnly = 3027;
inline constexpr long kNotValidPassword = 3031;
inline constexpr long kNoTransaction = 3034;
inline constexpr long kFileInUse = 3045;
inline constexpr long kCannotOpenFile = 3051;
inline constexpr long kTooFewParameters = 3061;
inline constexpr long kCannotExecuteSelect = 3065;
inline constexpr long kSyntaxError = 3075;
inline constexpr long kInputTableNotFound = 3078;
inline constexpr long kUndefinedFunction = 3085;
inline constexpr long kFieldCannotBeUpdated = 3164;
inline constexpr long kRecordDeleted = 3167;
inline constexpr long kFieldDefinedTwice = 3191;
inline constexpr long kDatabaseExists = 3204;
inline constexpr long kInvalidOperation = 3219;
inline constexpr long kNotSupportedForType = 3251;
inline constexpr long kLocked = 3260;
inline constexpr long kItemNotFound = 3265;
inline constexpr long kFieldInIndex = 3280;
inline constexpr long kPrimaryKeyExists = 3283;
inline constexpr long kIndexExists = 3284;
inline constexpr long kFieldRequired = 3314;
inline constexpr long kUnrecognizedFormat = 3343;
inline constexpr long kNumericOverflow = 3349;
inline constexpr long kObjectInvalid = 3420;
inline constexpr long kConversionError = 3421;
} // namespace errors

} // namespace platform::dao
