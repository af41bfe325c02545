#include "store/program/StockFiles.h"

#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

TEST(StockFilesTest, PrefersTheFolderBesideAnInstalledProgram)
{
    const std::filesystem::path prefix = lumarc::test::MakeTempFolder("prefix");
    const std::filesystem::path build = lumarc::test::MakeTempFolder("build-stock");
    std::filesystem::create_directories(prefix / "bin");
    std::filesystem::create_directories(prefix / "share" / "lumarc");
    EXPECT_EQ(FindStockDir(prefix / "bin" / "corvant", build), prefix / "share" / "lumarc");
}

TEST(StockFilesTest, FallsBackToTheBuildTreeAndThenToNothing)
{
    const std::filesystem::path elsewhere = lumarc::test::MakeTempFolder("elsewhere");
    const std::filesystem::path build = lumarc::test::MakeTempFolder("build-stock");
    const std::filesystem::path program = elsewhere / "tests" / "store" / "lumarc_store_tests";
    EXPECT_EQ(FindStockDir(program, build), build);
    EXPECT_EQ(FindStockDir(program, elsewhere / "gone"), std::filesystem::path());
    EXPECT_EQ(FindStockDir({}, build), build);
}

TEST(StockFilesTest, ThisBuildFindsItsSampleCatalogue)
{
    const std::filesystem::path sample = GetStockSampleCatalogue();
    ASSERT_FALSE(sample.empty());
    EXPECT_TRUE(std::filesystem::is_regular_file(sample)) << sample;
}

} // namespace
