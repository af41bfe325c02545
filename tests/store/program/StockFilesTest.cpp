#include "store/program/StockFiles.h"
#include "store/program/Settings.h"

#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

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

namespace {

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(StockFilesTest, FirstStartCopiesEveryMissingFileAndKeepsTheUsersOwn)
{
    const auto stock = lumarc::test::MakeTempFolder("stock");
    std::ofstream(stock / "folder.htm") << "stock folder";
    std::ofstream(stock / "query.htm") << "stock query";
    std::filesystem::create_directory(stock / "sub");
    const auto target = lumarc::test::MakeTempFolder("user") / "HTM";

    EXPECT_EQ(CopyMissingStockFiles(stock, target), 2);
    EXPECT_EQ(ReadFile(target / "folder.htm"), "stock folder");

    std::ofstream(target / "folder.htm") << "my own folder page";
    std::filesystem::remove(target / "query.htm");
    EXPECT_EQ(CopyMissingStockFiles(stock, target), 1);
    EXPECT_EQ(ReadFile(target / "folder.htm"), "my own folder page");
    EXPECT_EQ(ReadFile(target / "query.htm"), "stock query");
    EXPECT_FALSE(std::filesystem::exists(target / "sub"));

    EXPECT_EQ(CopyMissingStockFiles(stock / "missing", target), 0);
}

// Every file the pages, the web view and the lessons name is shipped, and the pictures are real JPEGs.
TEST(StockFilesTest, ShippedFolderHoldsEveryNamedFile)
{
    const auto stock = GetStockHtmlFolder();
    ASSERT_FALSE(stock.empty());
    const char* names[] = {"folder.htm",
                           "singleFile.htm",
                           "query.htm",
                           "distList.htm",
                           "AddBook.htm",
                           "wastebsk.htm",
                           "tableItem.htm",
                           "AllAreaTableFile.htm",
                           "QuickQuery.htm",
                           "addNew.htm",
                           "baseItem.htm",
                           "wastebasketareaTable.htm",
                           "WastebasketAreaFile.htm",
                           "wastebasketareaTableFile.htm",
                           "moving.htm",
                           "show.htm",
                           "noPage.htm",
                           "firstBig.htm",
                           "firstSmall.htm",
                           "redi.htm",
                           "lumarc.css",
                           "lumarc.png"};
    for (const char* name : names) {
        EXPECT_TRUE(std::filesystem::is_regular_file(stock / name)) << name;
    }
    for (int lesson = 1; lesson <= 7; ++lesson) {
        EXPECT_TRUE(std::filesystem::is_regular_file(stock / ("training" + std::to_string(lesson) + ".htm")));
    }
    const char* pictures[] = {"wasteb.jpg",  "allarea.jpg",   "distlist.jpg", "query.jpg",
                              "folder.jpg",  "briefcase.jpg", "todo.jpg",     "bookmarks.jpg",
                              "noimage.jpg", "searchit.jpg",  "orderit.jpg"};
    for (const char* name : pictures) {
        EXPECT_EQ(ReadFile(stock / name).substr(0, 3), "\xFF\xD8\xFF") << name;
    }

    const auto target = GetHtmDirectory();
    std::filesystem::remove_all(target);
    EXPECT_GT(InstallStockHtmlFiles(), 30);
    EXPECT_TRUE(std::filesystem::is_regular_file(target / "show.htm"));
}
