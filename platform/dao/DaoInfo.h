#pragma once
// Descriptions of fields, indexes and tables, as table definitions and recordsets give them and as a
// table definition takes them to create a field or an index.

#include "platform/dao/DaoConstants.h"

#include <string>
#include <vector>

namespace platform::dao {

struct CDaoFieldInfo
{
    std::string m_name;
    short m_type = dbText; // dbBoolean ... dbMemo
    long m_size = 0;       // characters of a text field; the value's bytes for the others
    long m_attributes = 0; // dbFixedField, dbVariableField, dbAutoIncrField, dbUpdatableField
    short m_ordinalPosition = 0;
    bool m_required = false;
    bool m_allowZeroLength = false;
};

struct CDaoIndexFieldInfo
{
    std::string m_name;
    bool m_descending = false;
};

struct CDaoIndexInfo
{
    std::string m_name;
    std::vector<CDaoIndexFieldInfo> m_fields;
    bool m_primary = false;
    bool m_unique = false;
    bool m_clustered = false;
    bool m_ignoreNulls = false;
    bool m_required = false;
    bool m_foreign = false;
};

struct CDaoTableDefInfo
{
    std::string m_name;
    long m_attributes = 0;
    long m_recordCount = 0;
};

} // namespace platform::dao
