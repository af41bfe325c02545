// The reader process: opens a workbook or an Access file with its library and writes its tables, and the
// rows of one table when asked, to standard output (ForeignStream.h). Usage:
//   corvant-foreign-reader workbook|access <file> [<table index>]
// It exits with 0, or kReaderExitPassword, or kReaderExitDamaged for anything else.

#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/foreign/AccessSource.h"
#include "platform/dao/foreign/ForeignReader.h"
#include "platform/dao/foreign/ForeignStream.h"
#include "platform/dao/foreign/WorkbookSource.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <unistd.h>

using namespace platform::dao;
using namespace platform::dao::detail;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

void Limit(int resource, rlim_t value)
{
    const rlimit limit{value, value};
    ::setrlimit(resource, &limit);
}

// Before the file is touched: a file that makes the library allocate without end or spin gets the
// process stopped by the kernel, and a crash leaves no core file behind.
void LimitResources()
{
    Limit(RLIMIT_CORE, 0);
    Limit(RLIMIT_CPU, 120);
    if (!kAddressSanitizer) { // its shadow memory reserves far more address space than this
        Limit(RLIMIT_AS, rlim_t{4} << 30);
    }
}

bool WriteAll(std::string& out)
{
    std::string_view rest(out);
    while (!rest.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, rest.data(), rest.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        rest.remove_prefix(static_cast<size_t>(written));
    }
    out.clear();
    return true;
}

int Run(std::string_view kind, const std::filesystem::path& path, std::optional<size_t> table)
{
    std::unique_ptr<ForeignSource> source;
    if (kind == kForeignReaderWorkbook) {
        source = OpenWorkbookSource(path);
    } else if (kind == kForeignReaderAccess) {
        source = OpenAccessSource(path);
    } else {
        return kReaderExitDamaged;
    }
    std::string out;
    WriteForeignTables(out, source->Tables());
    if (!table) {
        WriteForeignNoRows(out);
        return WriteAll(out) ? 0 : kReaderExitDamaged;
    }
    if (*table >= source->Tables().size()) {
        return kReaderExitDamaged;
    }
    WriteForeignRowsStart(out, *table);
    bool written = true;
    source->ReadRows(*table, [&](const std::vector<CDaoVariant>& row) {
        WriteForeignRow(out, row);
        if (written && out.size() >= 65536) {
            written = WriteAll(out);
        }
    });
    WriteForeignRowsEnd(out);
    return written && WriteAll(out) ? 0 : kReaderExitDamaged;
}

} // namespace

int main(int argc, char** argv)
{
    LimitResources();
    if (argc != 3 && argc != 4) {
        return kReaderExitDamaged;
    }
    std::optional<size_t> table;
    if (argc == 4) {
        const std::string_view text(argv[3]);
        size_t index = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
        if (error != std::errc() || end != text.data() + text.size()) {
            return kReaderExitDamaged;
        }
        table = index;
    }
    try {
        return Run(argv[1], argv[2], table);
    } catch (const CDaoException& e) {
        return e.GetErrorCode() == errors::kNotValidPassword ? kReaderExitPassword : kReaderExitDamaged;
    } catch (...) {
        return kReaderExitDamaged;
    }
}
