#include "store/program/Settings.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {

void ClearCatalogues()
{
    for (int slot = 0; slot < kCatalogueSlots; ++slot) {
        UnregisterCatalogue("/"); // every path holds '/'
    }
}

} // namespace

TEST(Settings, ReadWhatWasWrittenWithTheirForms)
{
    EXPECT_EQ(GetSettingInt("explorerX", 140), 140);
    EXPECT_EQ(GetSettingString("ListIs", "REPORT"), "REPORT");
    SetSettingInt("explorerX", 210);
    SetSettingBool("DebugOn", true);
    SetSettingLong("UID", 123456789L);
    SetSettingString("Agenda\\3", "Franklin base");
    SetSettingString("ListIs", "not a number");
    EXPECT_EQ(GetSettingInt("explorerX", 140), 210);
    EXPECT_EQ(GetSettingString("DebugOn"), "TRUE");
    EXPECT_TRUE(GetSettingBool("debugon", false));
    EXPECT_EQ(GetSettingInt("UID", 0), 123456789);
    EXPECT_EQ(GetSettingString("Agenda\\3"), "Franklin base");
    EXPECT_EQ(GetSettingInt("ListIs", 5), 0); // text that is no number reads as 0
    const std::string longValue(200, 'p');
    SetSettingString("Selected", longValue);
    EXPECT_EQ(GetSettingString("Selected"), longValue);
}

TEST(Settings, SurviveIntoAnotherProcess)
{
    SetSettingString("WebTemplate", "classic");
    const pid_t pid = ::fork();
    if (pid == 0) {
        const bool seen = GetSettingString("WebTemplate") == "classic";
        SetSettingString("WebTemplate", "written by the second copy");
        ::_exit(seen ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(GetSettingString("WebTemplate"), "written by the second copy");
}

TEST(Settings, FoldersFollowTheProductFolder)
{
    const auto home = lumarc::test::TempHome() / "lumarc";
    EXPECT_EQ(GetProductDir(), home);
    EXPECT_EQ(GetHtmDirectory(), home / "HTM");
    EXPECT_EQ(GetBackupDir(), home / "bck");
    EXPECT_EQ(GetProductExe(), "");
    SetSettingString("productDir", "/opt/lumarc");
    EXPECT_EQ(GetHtmDirectory(), std::filesystem::path("/opt/lumarc/HTM"));
    SetBackupDir("/backups");
    EXPECT_EQ(GetBackupDir(), std::filesystem::path("/backups"));
}

TEST(Settings, RegistersCataloguesInFortySlots)
{
    ClearCatalogues();
    EXPECT_EQ(RegisterCatalogue("/cat/a.ctg.bak"), 0);
    // A path that is part of another's is another file.
    EXPECT_EQ(RegisterCatalogue("/cat/a.ctg"), 1);
    EXPECT_EQ(RegisterCatalogue("/cat/a.ctg"), -1);
    EXPECT_FALSE(IsCatalogueUnregistered("/cat/a.ctg"));
    EXPECT_TRUE(IsCatalogueUnregistered("/cat/c.ctg"));
    for (int i = 2; i < kCatalogueSlots; ++i) {
        EXPECT_EQ(RegisterCatalogue("/cat/n" + std::to_string(i) + ".ctg"), i);
    }
    EXPECT_EQ(RegisterCatalogue("/cat/full.ctg"), kCatalogueSlots);

    // A gap is filled first; a path in a later slot is still found.
    UnregisterCatalogue("/cat/n3.ctg");
    EXPECT_TRUE(IsCatalogueUnregistered("/cat/n3.ctg"));
    EXPECT_FALSE(IsCatalogueUnregistered("/cat/n39.ctg"));
    EXPECT_EQ(RegisterCatalogue("/cat/n39.ctg"), -1);
    EXPECT_EQ(RegisterCatalogue("/cat/n3.ctg"), 3);
    // Unregistering one file leaves the file whose path holds its path.
    UnregisterCatalogue("/cat/a.ctg");
    EXPECT_FALSE(IsCatalogueUnregistered("/cat/a.ctg.bak"));
    ClearCatalogues();
}

TEST(Settings, ReadingTheCataloguesDropsSecondSpellingsOfOneFile)
{
    ClearCatalogues();
    const auto folder = lumarc::test::MakeTempFolder("cats");
    const auto file = (folder / "coins.ctg").string();
    RegisterCatalogue(file);
    RegisterCatalogue((folder / "other.ctg").string());
    RegisterCatalogue((folder / "." / "coins").string()); // same file, other spelling
    const auto entries = ReadRegisteredCatalogues();
    int named = 0;
    for (const auto& entry : entries) {
        named += entry.empty() ? 0 : 1;
    }
    EXPECT_EQ(named, 2);
    EXPECT_EQ(entries[1], (folder / "other.ctg").string());
    ClearCatalogues();
}
