#include "store/program/VersionReport.h"
#include "store/program/Settings.h"
#include "store/program/TraceLog.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <zlib.h>

#include <fstream>
#include <sstream>

namespace {

std::string ReadReport()
{
    std::ifstream in(VersionReportPath(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Line(const std::string& name, const std::string& version)
{
    return "Dll: " + name + ", version :" + std::to_string(VersionNumber(version)) + " \n";
}

} // namespace

TEST(VersionReport, VersionNumbers)
{
    const std::pair<const char*, unsigned long> cases[] = {
        {"3.40.1", 3400001}, {"1.2.13", 1020013}, {"2.20.4049.1", 2204049},
        {"6b", 6000000},     {"3.2", 3020000},    {"", 0},
        {"x.y", 0},
    };
    for (const auto& [text, number] : cases) {
        EXPECT_EQ(VersionNumber(text), number) << text;
    }
}

TEST(VersionReport, NamesTheLibrariesThisCopyRunsOn)
{
    SetLibraryVersionProbe("wxWidgets", {});
    ASSERT_TRUE(WriteVersionReport());
    std::string report = ReadReport();
    EXPECT_EQ(report.rfind("Dll: Toolkit libraries, notFound \n", 0), 0u);
    EXPECT_NE(report.find("Dll: wxWidgets, notFound \n"), std::string::npos);
    EXPECT_NE(report.find(Line("SQLite", sqlite3_libversion())), std::string::npos);
    EXPECT_NE(report.find(Line("zlib", zlibVersion())), std::string::npos);
    for (const char* library : {"SQLCipher", "libjpeg", "libpng", "libtiff"}) {
        EXPECT_NE(report.find(std::string("Dll: ") + library + ", version :"), std::string::npos) << library;
    }

    SetLibraryVersionProbe("wxWidgets", [] { return std::string("3.2.2"); });
    ASSERT_TRUE(WriteVersionReport());
    report = ReadReport();
    EXPECT_NE(report.find("Dll: wxWidgets, version :3020002 \n"), std::string::npos);
    EXPECT_EQ(report.find("Dll: wxWidgets, notFound"), std::string::npos); // written anew, not appended
    SetLibraryVersionProbe("wxWidgets", {});
}

TEST(VersionReport, WrittenAtStartOnlyWhileDebugOn)
{
    std::filesystem::remove(VersionReportPath());
    std::filesystem::remove(DebugLogPath());
    SetSettingString("DebugOn", "FALSE");
    EXPECT_FALSE(StartTraceLog());
    DebugLogNumber(20001);
    EXPECT_FALSE(std::filesystem::exists(VersionReportPath()));
    EXPECT_FALSE(std::filesystem::exists(DebugLogPath()));

    SetSettingString("DebugOn", "true");
    EXPECT_TRUE(StartTraceLog());
    EXPECT_TRUE(std::filesystem::exists(VersionReportPath()));
    DebugLogNumber(20001);
    EXPECT_TRUE(std::filesystem::exists(DebugLogPath()));
    SetTraceEnabled(false);
}
