#pragma once
// Inside the database layer: runs the reader process on a foreign file and hands back what it wrote.
// The libraries that parse workbooks and Access files run only there, so a crash, a hang or a runaway
// allocation inside them on a damaged or hostile file ends that process, not the program, and the
// caller sees error 3343.

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace platform::dao::detail {

struct ForeignReaderSettings
{
    std::filesystem::path program;            // empty: beside the running program, else the build's
    std::chrono::milliseconds timeout{30000}; // for the whole run
    size_t maxOutput = size_t{1} << 30;
};

// The settings every foreign file is read with; tests point them at a stand-in reader.
ForeignReaderSettings& CurrentForeignReaderSettings();

// The reader's name; it lives beside the program.
inline constexpr const char* kForeignReaderName = "corvant-foreign-reader";

// The kind of file, the reader's first argument; the file is the second, a table's index the third.
inline constexpr const char* kForeignReaderWorkbook = "workbook";
inline constexpr const char* kForeignReaderAccess = "access";

// The reader's exit codes.
inline constexpr int kReaderExitDamaged = 2;
inline constexpr int kReaderExitPassword = 3;

// Runs the reader with `arguments` and returns its standard output. Throws 3343 naming `file` when the
// reader fails, is killed, outlives the timeout or writes more than the limit, 3031 when the file wants a
// password, and 3051 naming the reader when it cannot be started.
std::string RunForeignReader(const std::vector<std::string>& arguments, const std::filesystem::path& file);

} // namespace platform::dao::detail
