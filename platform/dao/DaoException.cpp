#include "platform/dao/DaoException.h"

#include "platform/dao/DaoConstants.h"

namespace platform::dao {

CDaoException::CDaoException(long errorCode, const std::string& description)
    : std::runtime_error(std::to_string(errorCode) + ": " + description), m_errorCode(errorCode),
      m_description(description)
{
}

std::string DescribeDaoError(long errorCode)
{
    using namespace errors;
    switch (errorCode) {
    case kInvalidArgument:
        return "Invalid argument.";
    case kTableExists:
        return "Table already exists.";
    case kObjectNotFound:
        return "Could not find the object.";
    case kNotAnIndex:
        return "Not an index in this table.";
    case kNoCurrentIndex:
        return "Operation invalid without a current index.";
    case kUpdateWithoutEdit:
        return "Update or CancelUpdate without AddNew or Edit.";
    case kNoCurrentRecord:
        return "No current record.";
    case kDuplicateKey:
        return "The changes were not made because they would create duplicate values in an index.";
    case kFileNotFound:
        return "Could not find file.";
    case kDiskOrNetworkError:
        return "Disk or network error.";
    case kDiskFull:
        return "Not enough space on disk.";
    case kReadOnly:
        return "Cannot update. Database or object is read-only.";
    case kNotValidPassword:
        return "Not a valid password.";
    case kNoTransaction:
        return "Commit or rollback without a transaction begun.";
    case kFileInUse:
        return "Could not use the file; file already in use.";
    case kCannotOpenFile:
        return "Could not open the file; it is in use or you need permission.";
    case kTooFewParameters:
        return "Too few parameters: a name in the query is no field.";
    case kCannotExecuteSelect:
        return "Cannot execute a select query.";
    case kSyntaxError:
        return "Syntax error in query expression.";
    case kInputTableNotFound:
        return "Cannot find the input table or query.";
    case kUndefinedFunction:
        return "Undefined function in expression.";
    case kFieldCannotBeUpdated:
        return "Field cannot be updated.";
    case kRecordDeleted:
        return "Record is deleted.";
    case kFieldDefinedTwice:
        return "Can't define field more than once.";
    case kDatabaseExists:
        return "Database already exists.";
    case kInvalidOperation:
        return "Invalid operation.";
    case kNotSupportedForType:
        return "Operation is not supported for this type of object.";
    case kLocked:
        return "Couldn't update; currently locked.";
    case kItemNotFound:
        return "Item not found in this collection.";
    case kFieldInIndex:
        return "Can't delete a field that is part of an index.";
    case kPrimaryKeyExists:
        return "Primary key already exists.";
    case kIndexExists:
        return "Index already exists.";
    case kFieldRequired:
        return "The field can't contain a Null value.";
    case kUnrecognizedFormat:
        return "Unrecognized database format.";
    case kNumericOverflow:
        return "Numeric field overflow.";
    case kObjectInvalid:
        return "Object invalid or no longer set.";
    case kConversionError:
        return "Data type conversion error.";
    default:
        return "Reserved error.";
    }
}

void ThrowDaoError(long errorCode, const std::string& detail)
{
    std::string description = DescribeDaoError(errorCode);
    if (!detail.empty()) {
        description += " (" + detail + ")";
    }
    throw CDaoException(errorCode, description);
}

} // namespace platform::dao
