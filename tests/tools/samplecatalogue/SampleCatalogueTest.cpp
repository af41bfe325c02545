#include "tools/samplecatalogue/SampleCatalogue.h"

#include "platform/dao/DaoDatabase.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/catalogue/DataRecordset.h"
#include "store/definitions/DataFileDef.h"
#include "store/records/FolderRecord.h"
#include "store/regional/NumismaticYear.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace platform::dao;

namespace {

// The catalogue the build made, copied so that opening it (which may compact it) leaves the build's alone.
class SampleCatalogueTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_path = lumarc::test::MakeTempFolder("sample") / "Sample.ctg";
        std::filesystem::copy_file(LUMARC_TEST_SAMPLE_CATALOGUE, m_path);
    }

    std::filesystem::path m_path;
};

std::vector<std::string> ChildNames(CCatalogueDb& catalogue, double parent)
{
    std::vector<std::string> names;
    for (CFolderRecord* folder = parent == 0 ? catalogue.FirstTopLevelFolder()
                                             : catalogue.FirstChildFolder(parent);
         folder != nullptr;
         folder = parent == 0 ? catalogue.NextTopLevelFolder() : catalogue.NextChildFolder(parent, folder)) {
        names.push_back(folder->GetName());
    }
    return names;
}

double FolderNamed(CCatalogueDb& catalogue, double parent, const std::string& name)
{
    for (CFolderRecord* folder = parent == 0 ? catalogue.FirstTopLevelFolder()
                                             : catalogue.FirstChildFolder(parent);
         folder != nullptr;
         folder = parent == 0 ? catalogue.NextTopLevelFolder() : catalogue.NextChildFolder(parent, folder)) {
        if (folder->GetName() == name) {
            return folder->GetNumber();
        }
    }
    return -1;
}

TEST_F(SampleCatalogueTest, HoldsCoinsAndBanknotesWithTheFieldsACollectorRecords)
{
    CCatalogueDb catalogue(m_path);
    ASSERT_NE(catalogue.GetDatabase(), nullptr);
    EXPECT_EQ(catalogue.GetName(), "Coins and banknotes (sample)");
    catalogue.LoadDefinitionsIfNeeded();
    const CDataFileDef* coins = catalogue.FindDefinitionByName("COINS");
    const CDataFileDef* notes = catalogue.FindDefinitionByName("BANKNOTES");
    ASSERT_NE(coins, nullptr);
    ASSERT_NE(notes, nullptr);
    EXPECT_EQ(coins->GetFileNumber(), 1);
    EXPECT_EQ(notes->GetFileNumber(), 2);
    for (const char* field : {"COUNTRY", "DENOM", "YEAR", "MINT", "MINTMARK", "METAL", "WEIGHT", "DIAMETER",
                              "CONDITION", "CATNUMBER", "PRICE", "OWNED"}) {
        EXPECT_GE(coins->FindFieldByName(field), 0) << field;
    }
    const int year = coins->FindFieldByName("YEAR");
    ASSERT_GE(year, 0);
    EXPECT_EQ(coins->GetField(year).GetAdditionalFormatting(), 'Y');
    EXPECT_EQ(coins->GetFieldType(coins->FindFieldByName("PRICE")), 'U');
}

TEST_F(SampleCatalogueTest, FilesItsRecordsByContinentAndCountry)
{
    CCatalogueDb catalogue(m_path);
    const std::vector<std::string> continents = ChildNames(catalogue, 0);
    EXPECT_EQ(std::set<std::string>(continents.begin(), continents.end()),
              (std::set<std::string>{"Europe", "America", "Asia", "Oceania"}));
    const double europe = FolderNamed(catalogue, 0, "Europe");
    const std::vector<std::string> countries = ChildNames(catalogue, europe);
    for (const char* country : {"Germany", "France", "United Kingdom", "Switzerland", "Euro area"}) {
        EXPECT_EQ(std::count(countries.begin(), countries.end(), country), 1) << country;
    }

    // Every record lies in a country folder, and there are a few dozen of them.
    CDataRecordset rows(catalogue.GetDatabase());
    rows.OpenQuery(dbOpenSnapshot, "SELECT PARENT FROM COINS WHERE DELETED = False");
    int count = 0;
    for (; !rows.IsEOF(); rows.MoveNext(), ++count) {
        CFolderRecord* folder = catalogue.FindFolder(rows.GetFieldValue("PARENT").GetDouble());
        ASSERT_NE(folder, nullptr);
        EXPECT_FALSE(folder->IsTopLevel());
    }
    EXPECT_GE(count, 30);
}

TEST_F(SampleCatalogueTest, KeepsTheFactsOfWellKnownCoins)
{
    CCatalogueDb catalogue(m_path);
    const double germany = FolderNamed(catalogue, FolderNamed(catalogue, 0, "Europe"), "Germany");
    CDataRecordset rows(catalogue.GetDatabase());
    rows.OpenQuery(dbOpenSnapshot, "SELECT * FROM COINS WHERE DENOM = '2 euro' AND MINTMARK = 'J'");
    ASSERT_FALSE(rows.IsEOF());
    EXPECT_EQ(rows.GetFieldValue("PARENT").GetDouble(), germany);
    EXPECT_EQ(rows.GetFieldText("COUNTRY"), "Germany");
    EXPECT_EQ(rows.GetFieldText("WEIGHT"), "8.50");
    EXPECT_EQ(rows.GetFieldText("DIAMETER"), "25.75");
    EXPECT_EQ(rows.GetFieldText("MINT"), "Hamburg");
    EXPECT_EQ(YearNumberOfText(rows.GetFieldText("YEAR")), 2002);
    CNumismaticYear year;
    year.Parse(rows.GetFieldText("YEAR"));
    EXPECT_EQ(year.GetType(), "AD");
    EXPECT_EQ(year.GetYear(), "2002");

    rows.OpenQuery(dbOpenSnapshot, "SELECT * FROM BANKNOTES WHERE DENOM = '1 dollar'");
    ASSERT_FALSE(rows.IsEOF());
    EXPECT_EQ(rows.GetFieldText("WIDTH"), "156");
    EXPECT_EQ(rows.GetFieldValue("PRICE").GetCurrency(), 20000);
}

TEST(SampleCatalogueBuildTest, AFaultLeavesNoCatalogueBehind)
{
    const std::filesystem::path folder = lumarc::test::MakeTempFolder("bad-sample");
    SampleCatalogueSources sources;
    sources.name = "Bad";
    sources.files = {{.number = 1,
                      .table = "COINS",
                      .menuName = "Coin",
                      .strongName = "Coin",
                      .description = "",
                      .fields = {{.name = "PRICE", .type = 'U', .length = 8}}}};
    sources.records["COINS"] = {{.continent = "Europe", .country = "France", .values = {{"PRICE", "1,50"}}}};
    EXPECT_THROW(BuildSampleCatalogue(folder / "Sample.ctg", sources), SampleSourceError);
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

} // namespace
