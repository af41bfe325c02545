#include "store/program/FirstStart.h"

#include "store/catalogue/CatalogueDb.h"
#include "store/program/Settings.h"
#include "store/program/StockFiles.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using Outcome = SampleInstallResult::Outcome;

class FirstStartTest : public testing::Test
{
protected:
    void SetUp() override
    {
        for (int slot = 0; slot < kCatalogueSlots; ++slot) {
            UnregisterCatalogue("/");
        }
        m_product = lumarc::test::MakeTempFolder("first-start") / "product";
        SetSettingString("productDir", m_product.string());
    }

    std::vector<std::string> Registered() const
    {
        std::vector<std::string> paths;
        for (const std::string& slot : ReadRegisteredCatalogues()) {
            if (!slot.empty()) {
                paths.push_back(slot);
            }
        }
        return paths;
    }

    std::filesystem::path m_product;
};

TEST_F(FirstStartTest, AnEmptyHomeGetsTheSampleRegisteredAndOpenable)
{
    const SampleInstallResult result = InstallSampleCatalogue(GetStockSampleCatalogue());
    ASSERT_EQ(result.outcome, Outcome::Installed) << result.message;
    EXPECT_EQ(result.catalogue, m_product / "Sample.ctg");
    EXPECT_EQ(Registered(), std::vector<std::string>{result.catalogue.string()});
    EXPECT_FALSE(std::filesystem::exists(m_product / "Sample.part.ctg"));

    CCatalogueDb catalogue(result.catalogue);
    ASSERT_NE(catalogue.GetDatabase(), nullptr);
    EXPECT_EQ(catalogue.GetName(), "Coins and banknotes (sample)");
    EXPECT_NE(catalogue.FirstTopLevelFolder(), nullptr);
}

TEST_F(FirstStartTest, ALaterStartLeavesRegisteredCataloguesAlone)
{
    ASSERT_EQ(InstallSampleCatalogue(GetStockSampleCatalogue()).outcome, Outcome::Installed);
    const auto written = std::filesystem::last_write_time(m_product / "Sample.ctg");
    EXPECT_EQ(InstallSampleCatalogue(GetStockSampleCatalogue()).outcome, Outcome::NothingToDo);
    EXPECT_EQ(Registered().size(), 1u);
    EXPECT_EQ(std::filesystem::last_write_time(m_product / "Sample.ctg"), written);

    // A user's own catalogue alone is enough.
    UnregisterCatalogue((m_product / "Sample.ctg").string());
    RegisterCatalogue("/data/mine.ctg");
    EXPECT_EQ(InstallSampleCatalogue(GetStockSampleCatalogue()).outcome, Outcome::NothingToDo);
    EXPECT_EQ(Registered(), std::vector<std::string>{"/data/mine.ctg"});
}

TEST_F(FirstStartTest, AnUnregisteredCopyIsRegisteredAgainNotOverwritten)
{
    std::filesystem::create_directories(m_product);
    std::ofstream(m_product / "Sample.ctg") << "the user's changed sample";
    const SampleInstallResult result = InstallSampleCatalogue(GetStockSampleCatalogue());
    ASSERT_EQ(result.outcome, Outcome::Installed);
    EXPECT_EQ(std::filesystem::file_size(m_product / "Sample.ctg"), 25u);
    EXPECT_EQ(Registered().size(), 1u);
}

TEST_F(FirstStartTest, AFailedCopySaysWhyAndLeavesNothingBehind)
{
    // The product folder cannot be made: a file stands where its parent should be.
    const std::filesystem::path blocked = lumarc::test::MakeTempFolder("blocked");
    std::ofstream(blocked / "file") << "x";
    SetSettingString("productDir", (blocked / "file" / "product").string());
    SampleInstallResult result = InstallSampleCatalogue(GetStockSampleCatalogue());
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_NE(result.message.find("could not be copied to " + (blocked / "file" / "product").string()),
              std::string::npos)
        << result.message;
    EXPECT_TRUE(Registered().empty());

    // The shipped sample is missing.
    SetSettingString("productDir", m_product.string());
    result = InstallSampleCatalogue(m_product / "missing" / "Sample.ctg");
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_NE(result.message.find("was not found at"), std::string::npos) << result.message;
    EXPECT_FALSE(std::filesystem::exists(m_product / "Sample.ctg"));
    EXPECT_FALSE(std::filesystem::exists(m_product / "Sample.part.ctg"));
    EXPECT_TRUE(Registered().empty());
}

} // namespace
