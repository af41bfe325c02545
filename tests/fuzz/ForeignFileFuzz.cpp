// Workbooks and Access files as the database layer opens them: the first byte chooses the kind, the rest
// is the file. Opening, listing the tables and reading every value must give values or CDaoException,
// never a crash.

#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/DaoRecordset.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const int file = ::memfd_create("foreign-file", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(file);
    if (file < 0 || size == 0 || ::ftruncate(file, 0) != 0) {
        return 0;
    }
    if (::pwrite(file, data + 1, size - 1, 0) != static_cast<ssize_t>(size - 1)) {
        return 0;
    }
    const bool workbook = (data[0] & 1) != 0;
    try {
        platform::dao::CDaoDatabase db;
        db.Open(path, false, true, workbook ? "Excel 8.0;" : "");
        for (const std::string& table : db.GetTableNames()) {
            platform::dao::CDaoRecordset rows(&db);
            rows.Open(platform::dao::dbOpenTable, table, platform::dao::dbReadOnly);
            const short fields = rows.GetFieldCount();
            for (; !rows.IsEOF(); rows.MoveNext()) {
                for (short i = 0; i < fields; ++i) {
                    (void)rows.GetFieldValue(i).ToText();
                }
            }
        }
    } catch (const platform::dao::CDaoException&) {
    }
    return 0;
}
