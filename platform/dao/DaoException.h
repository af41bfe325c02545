#pragma once
// The engine's exception: every failure of the database layer is thrown as one of these, with the
// engine's error number (errors:: in DaoConstants.h) and a description for the trace log.

#include <stdexcept>
#include <string>

namespace platform::dao {

class CDaoException : public std::runtime_error
{
public:
    CDaoException(long errorCode, const std::string& description);

    long GetErrorCode() const { return m_errorCode; }
    const std::string& GetDescription() const { return m_description; }

private:
    long m_errorCode;
    std::string m_description;
};

// Throws a CDaoException with the standard description of the error number, `detail` (a name, a
// path, the engine's own words) appended when given.
[[noreturn]] void ThrowDaoError(long errorCode, const std::string& detail = {});

// The standard description of an error number.
std::string DescribeDaoError(long errorCode);

} // namespace platform::dao
