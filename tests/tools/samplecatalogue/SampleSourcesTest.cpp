#include "tools/samplecatalogue/SampleSources.h"

#include "tests/support/TestNames.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const char* const kDefinitions = "# comment\n"
                                 "FILE\t1\tCOINS\tCoin\tCoin\tCoins\n"
                                 "FIELD\tCOUNTRY\tC\t40\ttitle,column\n"
                                 "FIELD\tYEAR\tC\t24\tyear\n"
                                 "\n"
                                 "FIELD\tPRICE\tU\t8\r\n";

std::vector<SampleDataFile> Definitions(const std::string& text)
{
    std::istringstream in(text);
    return ReadSampleDataFiles(in, "datafiles.tsv");
}

std::vector<SampleRecord> Records(const std::string& text)
{
    std::istringstream in(text);
    return ReadSampleRecords(in, "coins.tsv", Definitions(kDefinitions).front());
}

TEST(SampleSourcesTest, ReadsDataFilesWithTheirFieldsAndFlags)
{
    const std::vector<SampleDataFile> files = Definitions(kDefinitions);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].table, "COINS");
    ASSERT_EQ(files[0].fields.size(), 3u);
    EXPECT_TRUE(files[0].fields[0].title && files[0].fields[0].column && !files[0].fields[0].year);
    EXPECT_TRUE(files[0].fields[1].year && !files[0].fields[1].title);
    EXPECT_EQ(files[0].fields[2].type, 'U');
    EXPECT_EQ(files[0].fields[2].length, 8);
}

TEST(SampleSourcesTest, ReadsRecordsWithTheirFoldersAndLeavesEmptyCellsOut)
{
    const std::vector<SampleRecord> records = Records("CONTINENT\tCOUNTRY\tYEAR\tPRICE\n"
                                                      "Europe\tFrance\t1999\t\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].continent, "Europe");
    EXPECT_EQ(records[0].country, "France");
    const std::map<std::string, std::string> expected{{"COUNTRY", "France"}, {"YEAR", "1999"}};
    EXPECT_EQ(records[0].values, expected);
}

struct BadSource
{
    const char* what;
    bool definitions; // a definition file, else a records file
    const char* text;
    const char* message;
};

class SampleSourcesFaultTest : public testing::TestWithParam<BadSource>
{
};

TEST_P(SampleSourcesFaultTest, NamesTheFileAndLine)
{
    const BadSource& bad = GetParam();
    try {
        if (bad.definitions) {
            Definitions(bad.text);
        } else {
            Records(bad.text);
        }
        FAIL() << "no error";
    } catch (const SampleSourceError& error) {
        EXPECT_EQ(std::string(error.what()), bad.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sources, SampleSourcesFaultTest,
    testing::Values(BadSource{"field before file", true, "FIELD\tA\tC\t4\n",
                              "datafiles.tsv:1: a FIELD line before the first FILE line"},
                    BadSource{"unknown type letter", true, "FILE\t1\tA\tA\tA\tA\nFIELD\tA\tX\t4\n",
                              "datafiles.tsv:2: unknown type letter \"X\""},
                    BadSource{"length not a number", true, "FILE\t1\tA\tA\tA\tA\nFIELD\tA\tC\t4x\n",
                              "datafiles.tsv:2: the field's length is not a positive number: \"4x\""},
                    BadSource{"field name too long", true, "FILE\t1\tA\tA\tA\tA\nFIELD\tDENOMINATION\tC\t4\n",
                              "datafiles.tsv:2: a field name has 1 to 10 characters: \"DENOMINATION\""},
                    BadSource{"unknown flag", true, "FILE\t1\tA\tA\tA\tA\nFIELD\tA\tC\t4\ttitle,bold\n",
                              "datafiles.tsv:2: unknown field flag \"bold\""},
                    BadSource{"data file twice", true,
                              "FILE\t1\tA\tA\tA\tA\nFIELD\tA\tC\t4\nFILE\t1\tB\tB\tB\tB\n",
                              "datafiles.tsv:3: data file 1 B is defined twice"},
                    BadSource{"data file without fields", true, "FILE\t1\tA\tA\tA\tA\n",
                              "datafiles.tsv: data file A has no fields"},
                    BadSource{"unknown column", false, "CONTINENT\tCOUNTRY\tMETAL\n",
                              "coins.tsv:1: data file COINS has no field METAL"},
                    BadSource{"no continent column", false, "COUNTRY\tYEAR\n",
                              "coins.tsv:1: the columns CONTINENT and COUNTRY are needed"},
                    BadSource{"missing cell", false, "CONTINENT\tCOUNTRY\tYEAR\n\nEurope\tFrance\n",
                              "coins.tsv:3: 2 cells for 3 columns"},
                    BadSource{"record without country", false, "CONTINENT\tCOUNTRY\nEurope\t\n",
                              "coins.tsv:2: a record needs a continent and a country"}),
    lumarc::test::NameFromWhat());

} // namespace
