// The launcher library loaded into a real host process, with "productExe" pointing at a stub that records
// how it was started.

#include "platform/registry/Registry.h"
#include "store/program/Settings.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct HostRun
{
    int hostExitCode = -1;
    std::vector<std::string> starts; // one line of arguments per start of the stub
};

class FindLaunch : public testing::Test
{
protected:
    void SetUp() override
    {
        // Whatever the host starts comes back to this process when the host ends, so it can be counted.
        ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
        m_folder = lumarc::test::MakeTempFolder("findlaunch");
        m_log = m_folder / "starts.log";
        ::setenv("LUMARC_STUB_LOG", m_log.c_str(), 1);
    }

    void TearDown() override { SetSettingString("productExe", ""); }

    // A link to the stub whose full path is exactly `length` bytes long.
    fs::path StubLinkOfLength(std::size_t length) const
    {
        const std::size_t prefix = m_folder.string().size() + 1;
        EXPECT_GT(length, prefix);
        const fs::path link = m_folder / std::string(length - prefix, 'x');
        fs::create_symlink(FINDLAUNCH_STUB, link);
        EXPECT_EQ(link.string().size(), length);
        return link;
    }

    // Runs the host (loading the library through dlopen, or through LD_PRELOAD when `preload`), waits for
    // it and for everything it started, and reads what the stub recorded.
    HostRun RunHost(bool preload)
    {
        std::vector<std::string> environment;
        for (char** entry = environ; *entry != nullptr; ++entry) {
            environment.emplace_back(*entry);
        }
        if (preload) {
            environment.emplace_back(std::string("LD_PRELOAD=") + FINDLAUNCH_LIBRARY);
        }
        std::vector<char*> envp;
        for (auto& variable : environment) {
            envp.push_back(variable.data());
        }
        envp.push_back(nullptr);
        std::string host = FINDLAUNCH_HOST;
        std::string library = preload ? "-" : FINDLAUNCH_LIBRARY;
        char* argv[] = {host.data(), library.data(), nullptr};

        HostRun run;
        pid_t hostPid = 0;
        EXPECT_EQ(::posix_spawn(&hostPid, host.c_str(), nullptr, nullptr, argv, envp.data()), 0);
        int status = 0;
        EXPECT_EQ(::waitpid(hostPid, &status, 0), hostPid);
        if (WIFEXITED(status)) {
            run.hostExitCode = WEXITSTATUS(status);
        }
        // Wait for every process the host started. Should starts ever chain one another, pulling the
        // setting stops the chain.
        int others = 0;
        while (::waitpid(-1, &status, 0) > 0 || errno == EINTR) {
            if (++others == 5) {
                SetSettingString("productExe", "");
                ADD_FAILURE() << "the launcher started programs that started it again";
            }
        }
        std::ifstream in(m_log);
        for (std::string line; std::getline(in, line);) {
            run.starts.push_back(line);
        }
        return run;
    }

    fs::path m_folder;
    fs::path m_log;
};

const std::vector<std::string> kStartedOnceInFindMode = {"FIND"};

TEST_F(FindLaunch, LoadingThroughDlopenStartsTheProgramOnceInFindMode)
{
    SetSettingString("productExe", FINDLAUNCH_STUB);
    const HostRun run = RunHost(false); // loads twice, closes twice, loads again
    EXPECT_EQ(run.hostExitCode, 0);
    EXPECT_EQ(run.starts, kStartedOnceInFindMode);
}

TEST_F(FindLaunch, LoadingThroughLdPreloadStartsTheProgramOnceAndNotAgainFromIt)
{
    SetSettingString("productExe", FINDLAUNCH_STUB);
    const HostRun run = RunHost(true);
    EXPECT_EQ(run.hostExitCode, 0);
    EXPECT_EQ(run.starts, kStartedOnceInFindMode);
}

TEST_F(FindLaunch, StartsOnlyAReadableProgramPathAndTheHostAlwaysGoesOn)
{
    struct Case
    {
        const char* what;
        std::string productExe; // empty: the setting is missing altogether
        bool starts;
    };
    const std::vector<Case> cases = {
        {"setting missing", "", false},
        {"no such file", (m_folder / "nothing-here").string(), false},
        {"path of 119 bytes", StubLinkOfLength(119).string(), true},
        {"path of 120 bytes", StubLinkOfLength(120).string(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(m_log);
        if (c.productExe.empty()) {
            platform::registry::Registry::CurrentUser().DeleteKey(std::string(kSettingsRoot) +
                                                                  "\\productExe");
        } else {
            SetSettingString("productExe", c.productExe);
        }
        for (const bool preload : {false, true}) {
            const HostRun run = RunHost(preload);
            EXPECT_EQ(run.hostExitCode, 0);
            EXPECT_EQ(run.starts, c.starts ? kStartedOnceInFindMode : std::vector<std::string>{});
            fs::remove(m_log);
        }
    }
}

} // namespace
