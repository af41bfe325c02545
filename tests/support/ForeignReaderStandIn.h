#pragma once
// Points the database layer at another reader process for a test's lifetime: a script that crashes,
// hangs or answers nonsense, written into `folder`.

#include "platform/dao/foreign/ForeignReader.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace lumarc::test {

class ForeignReaderStandIn
{
public:
    // `script` is the body of a shell script; "$READER" in it runs the real reader.
    ForeignReaderStandIn(const std::filesystem::path& folder, const std::string& script,
                         std::chrono::milliseconds timeout = std::chrono::milliseconds(30000))
        : m_saved(platform::dao::detail::CurrentForeignReaderSettings())
    {
        const std::filesystem::path program = folder / "reader.sh";
        std::ofstream(program) << "#!/bin/sh\nREADER='" << LUMARC_TEST_FOREIGN_READER << "'\n"
                               << script << "\n";
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
        auto& settings = platform::dao::detail::CurrentForeignReaderSettings();
        settings.program = program;
        settings.timeout = timeout;
    }
    ForeignReaderStandIn(const ForeignReaderStandIn&) = delete;
    ForeignReaderStandIn& operator=(const ForeignReaderStandIn&) = delete;
    ~ForeignReaderStandIn() { platform::dao::detail::CurrentForeignReaderSettings() = m_saved; }

private:
    platform::dao::detail::ForeignReaderSettings m_saved;
};

} // namespace lumarc::test
