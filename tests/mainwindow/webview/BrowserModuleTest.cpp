// The browser module: what loading refuses, and the real program loading it the first time it shows a
// page (and its training lesson) on a start as a user has it. Needs a display for the program.

#include "mainwindow/webview/BrowserModule.h"
#include "store/program/Settings.h"
#include "store/program/TraceLog.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(BrowserModule, LoadingRefusesWhatIsNotTheModule)
{
    struct Case
    {
        const char* what;
        std::filesystem::path path;
        std::string expected;
    };
    const Case cases[] = {
        {"a missing file", "/nonexistent/corvant-browser.so", "/nonexistent/corvant-browser.so"},
        // A loadable library of the project's own that exports no browser table.
        {"another library", LUMARC_OTHER_LIBRARY, "is not this program's browser module"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(LoadBrowserModule(c.path, error), nullptr) << c.what;
        EXPECT_NE(error.find(c.expected), std::string::npos) << c.what << ": " << error;
    }
}

TEST(BrowserModule, TheProgramLoadsItWhenItFirstShowsAPage)
{
    const auto catalogue = lumarc::test::MakeTypicalCatalogue(lumarc::test::MakeTempFolder("browser-module"));
    RegisterCatalogue(catalogue.path.string());
    SetSettingString("DebugOn", "TRUE");
    SetSettingBool("ShowTraining", true);
    SetSettingInt("Tips", 0);
    std::filesystem::remove(DebugLogPath());

    std::string program = LUMARC_CORVANT;
    char* argv[] = {program.data(), nullptr};
    pid_t child = 0;
    ASSERT_EQ(::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ), 0);
    const auto start = std::chrono::steady_clock::now();
    std::string log;
    bool ended = false;
    int status = 0;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(90)) {
        log = ReadFile(DebugLogPath());
        if (log.find("web view made") != std::string::npos ||
            log.find("browser module not loaded") != std::string::npos) {
            break;
        }
        if (::waitpid(child, &status, WNOHANG) == child) {
            ended = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!ended) {
        ::kill(child, SIGTERM);
        ::waitpid(child, &status, 0);
    }
    EXPECT_FALSE(ended) << "the program ended on its own:\n" << log;
    EXPECT_NE(log.find("browser module loaded"), std::string::npos) << log;
    EXPECT_NE(log.find("web view made"), std::string::npos) << log;
    SetSettingBool("ShowTraining", false);
}

} // namespace
