#include "store/catalogue/CatalogueDb.h"

#include "codecs/CatalogueImage.h"
#include "platform/dao/DaoDatabase.h"
#include "store/catalogue/DataRecordset.h"
#include "store/program/Settings.h"
#include "tests/codecs/ImageTools.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace lumarc::test;
using platform::dao::dbOpenDynaset;
using platform::dao::dbOpenSnapshot;

namespace {

class CatalogueResourcesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        path = CatalogueBuilder(MakeTempFolder("resources") / "coins.ctg")
                   .Number(3)
                   .DataFile(CoinsFile(1))
                   .DataFile(CountriesFile(2))
                   .Build();
    }

    std::filesystem::path path;
};

std::unique_ptr<CMarkupNode> Tree(std::string_view text)
{
    auto tree = std::make_unique<CMarkupNode>();
    tree->LoadFromBuffer(text);
    return tree;
}

std::string TextOf(const CMarkupNode& tree)
{
    std::string text;
    tree.SaveToBuffer(text);
    return text;
}

TEST_F(CatalogueResourcesTest, TextsAndTreesWrittenAndReadBackAreEqual)
{
    const auto forms = Tree("{Name§root Type§gui{Name§231F Type§form{Name§Name Type§element CNT_NAME§edit "
                            "CONTENT§Naïve ~ Ärger}}}");
    const std::string longText(300000, 'x'); // far beyond the old reading buffers
    {
        CCatalogueDb catalogue(path);
        ASSERT_TRUE(catalogue.WriteFileTree("guiInfo.txt", *forms));
        ASSERT_TRUE(catalogue.WriteFileText("long.txt", longText));
        EXPECT_GT(catalogue.GetFileModificationDate("guiInfo.txt"), 0);
    }
    CCatalogueDb catalogue(path);
    CMarkupNode read;
    ASSERT_TRUE(catalogue.ReadFileTree("GUIINFO.TXT", read)); // row names ignore case
    EXPECT_EQ(TextOf(read), TextOf(*forms));
    ASSERT_NE(catalogue.GetGuiInfo(), nullptr);
    EXPECT_EQ(TextOf(*catalogue.GetGuiInfo()), TextOf(*forms));
    std::string text;
    ASSERT_TRUE(catalogue.ReadFileText("long.txt", text));
    EXPECT_EQ(text, longText);

    EXPECT_TRUE(catalogue.DeleteFileRow("long.txt"));
    EXPECT_FALSE(catalogue.ReadFileText("long.txt", text));
    EXPECT_FALSE(catalogue.DeleteFileRow("long.txt"));
    EXPECT_EQ(catalogue.GetFileModificationDate("long.txt"), 0);
    EXPECT_FALSE(catalogue.ReadFileText("it's missing", text)); // a quote in a name is just a letter
}

TEST_F(CatalogueResourcesTest, MissingRowsGiveEmptyTreesAndTheFirstSaveAddsThem)
{
    {
        CCatalogueDb catalogue(path);
        // Forms never designed: empty trees, not a failure.
        ASSERT_NE(catalogue.GetGuiInfo(), nullptr);
        EXPECT_FALSE(catalogue.GetGuiInfo()->HasChildren());
        ASSERT_NE(catalogue.LoadCcInfo(), nullptr);
        EXPECT_EQ(catalogue.SaveGuiInfo(catalogue.LoadCcInfo(), catalogue.GetGuiInfo()), 0);
        std::string text;
        EXPECT_FALSE(catalogue.ReadFileText("guiInfo.txt", text)); // not created by SaveGuiInfo

        CMarkupNode* templates = catalogue.GetWebTemplates();
        ASSERT_NE(templates, nullptr);
        EXPECT_EQ(templates->GetName(), "WebTemplates");
        EXPECT_EQ(templates->GetType(), "main");
        EXPECT_FALSE(templates->HasChildren());
        EXPECT_EQ(catalogue.GetPageFormats()->GetName(), "pageFormat");
        EXPECT_EQ(catalogue.GetReportTemplates()->GetName(), "reportTemplates");

        catalogue.SetDefaultTemplate(1, "coins.htm");
        catalogue.SetDefaultTemplate(1, "coins2.htm"); // the same node again
        catalogue.SetDefaultTemplate(2, "countries.htm");
        catalogue.GetReportTemplates()
            ->AddChild(std::make_unique<CMarkupNode>("r", "report"))
            ->SetAttribute("dataName", "1");
        catalogue.SaveReportTemplates();
        catalogue.GetPageFormats()->SetAttribute("paper", "A4");
        catalogue.SavePageFormats();
    }
    CCatalogueDb catalogue(path);
    EXPECT_EQ(catalogue.GetWebTemplates()->ChildCount(), 2u);
    EXPECT_EQ(catalogue.GetDefaultTemplate(1), "coins2.htm");
    EXPECT_EQ(catalogue.GetDefaultTemplate(3), std::nullopt);
    EXPECT_EQ(catalogue.GetPageFormats()->GetAttribute("paper"), "A4");
    catalogue.RemoveWebTemplatesOfFile(1);
    catalogue.RemoveReportTemplatesOfFile(1);
    EXPECT_EQ(catalogue.GetDefaultTemplate(1), std::nullopt);
    EXPECT_EQ(catalogue.GetDefaultTemplate(2), "countries.htm");
    EXPECT_FALSE(catalogue.GetReportTemplates()->HasChildren());

    CCatalogueDb closed;
    EXPECT_EQ(closed.GetWebTemplates(), nullptr);
    EXPECT_EQ(closed.GetGuiInfo(), nullptr);
    std::string text;
    EXPECT_FALSE(closed.ReadFileText("guiInfo.txt", text));
}

TEST_F(CatalogueResourcesTest, SavingTheFormsDropsControlDataOfRemovedControls)
{
    CCatalogueDb catalogue(path);
    catalogue.WriteFileText("guiInfo.txt", "{Name§root Type§x{Name§231F Type§form{Name§ctl1 Type§element}}}");
    catalogue.WriteFileText("ccInfo.txt", "{Name§root Type§x{Name§ctl1 Type§controlData}{Name§ctl2 "
                                          "Type§controlData}{Name§ctl3 Type§controlData}}");
    CMarkupNode* controls = catalogue.LoadCcInfo();
    EXPECT_EQ(catalogue.SaveGuiInfo(controls, catalogue.GetGuiInfo()), 1);
    catalogue.DiscardGuiInfo();
    ASSERT_EQ(catalogue.LoadCcInfo()->ChildCount(), 1u);
    EXPECT_EQ(catalogue.LoadCcInfo()->GetFirstChild()->GetName(), "ctl1");

    EXPECT_EQ(FindGuiInfoElement(1, &catalogue)->GetName(), "231F");
    EXPECT_EQ(FindGuiInfoElement(2, &catalogue), nullptr);
    EXPECT_EQ(FindGuiInfoElement(1, nullptr), nullptr);
    EXPECT_FALSE(IsFatherElement(1, &catalogue));
    catalogue.GetGuiInfo()->FindFirstByName("ctl1")->SetAttribute("CNT_NAME", "FATHERNAME");
    EXPECT_TRUE(IsFatherElement(1, &catalogue));
    EXPECT_FALSE(IsGrandfatherElement(1, &catalogue));
}

TEST_F(CatalogueResourcesTest, PicturesLiveInRowsNAndNPlusAThousand)
{
    const auto folder = MakeTempFolder("pictures");
    const auto png = Convert("-size 5x3 xc:red", folder / "red.png");
    {
        CCatalogueDb catalogue(path);
        CCatalogueImage picture;
        picture.LoadFromFile(png);
        ASSERT_TRUE(catalogue.WriteImage(picture, 7));
        ASSERT_TRUE(catalogue.WriteAltImage(picture, 7));
        ASSERT_TRUE(catalogue.WriteImage(picture, 7)); // rewritten, not added
        // A picture stored by another program: plain PNG bytes.
        CDataRecordset rs(catalogue.GetDatabase());
        rs.OpenQuery(platform::dao::dbOpenTable, "BMP");
        rs.AddNew();
        rs.SetFieldLong("NUMBER", 8);
        rs.SetFieldBytes("BMP_DESCRIPTION", ReadBytes(png));
        rs.Update();
    }
    CCatalogueDb catalogue(path);
    CDataRecordset rs(catalogue.GetDatabase());
    rs.OpenQuery(dbOpenSnapshot, "SELECT * FROM BMP ORDER BY NUMBER");
    std::vector<int> numbers;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        numbers.push_back(rs.GetFieldLong("NUMBER"));
        if (numbers.back() == 7) {
            const auto bytes = rs.GetFieldBytes("BMP_DESCRIPTION");
            ASSERT_GT(bytes.size(), 2u);
            EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 2), "BM"); // a BMP file image
        }
    }
    EXPECT_EQ(numbers, (std::vector<int>{7, 8, 1007}));

    CCatalogueImage read;
    ASSERT_TRUE(catalogue.ReadImage(8, read));
    EXPECT_TRUE(read.HasBitmap());
    EXPECT_EQ(read.GetSize().first, 5);
    CCatalogueImage none;
    EXPECT_FALSE(catalogue.ReadImage(9, none));
    EXPECT_FALSE(none.IsValid());

    // Copied into another catalogue under a new number, with the companion.
    CCatalogueDb other(CatalogueBuilder(MakeTempFolder("otherpictures") / "other.ctg").Build());
    other.CopyImage(8, catalogue, 3);
    CDataRecordset copied(other.GetDatabase());
    copied.OpenQuery(dbOpenSnapshot, "SELECT * FROM BMP");
    ASSERT_FALSE(copied.IsEOF());
    EXPECT_EQ(copied.GetFieldLong("NUMBER"), 3);
    EXPECT_EQ(copied.GetFieldBytes("BMP_DESCRIPTION")[0], 'B');
}

TEST_F(CatalogueResourcesTest, EqualFontsShareOneRow)
{
    LogFont font;
    font.height = -13;
    font.weight = 700;
    font.italic = 1;
    font.faceName = "Liberation Serif";
    LogFont other = font;
    other.faceName = "liberation serif"; // face names compare with regard to case
    {
        CCatalogueDb catalogue(path);
        EXPECT_EQ(catalogue.GetFontNumber(font), 1);
        EXPECT_EQ(catalogue.GetFontNumber(font), 1);
        EXPECT_EQ(catalogue.GetFontNumber(other), 2);
    }
    CCatalogueDb catalogue(path);
    EXPECT_EQ(catalogue.GetFontNumber(other), 2);
    const auto read = catalogue.GetFont(1);
    ASSERT_TRUE(read);
    EXPECT_FALSE(LogFontsDiffer(*read, font));
    EXPECT_EQ(catalogue.GetFont(2)->faceName, "liberation serif");
    EXPECT_EQ(catalogue.GetFont(0), std::nullopt);
    EXPECT_EQ(catalogue.GetFont(9), std::nullopt);
    EXPECT_TRUE(catalogue.GetFont(2));
    catalogue.GetDatabase()->Execute("DELETE FROM FONTS WHERE NUMBER = 2");
    EXPECT_TRUE(catalogue.GetFont(2)); // kept from the last call
    EXPECT_FALSE(catalogue.GetFont(2, true));
}

TEST_F(CatalogueResourcesTest, StoredQueriesAreReadWrittenAndDeleted)
{
    {
        CCatalogueDb catalogue(path);
        ASSERT_TRUE(catalogue.WriteQuery("Tom's coins", "{Tom's coins}{[(0)(1)(YEAR < 1900)]}{1}", 5));
        ASSERT_TRUE(catalogue.WriteQuery("Tom's coins", "", 6)); // an empty text keeps the stored one
        ASSERT_TRUE(catalogue.WriteQuery("Other", "{Other}", 0));
    }
    CCatalogueDb catalogue(path);
    std::string contents;
    ASSERT_TRUE(ReadStoredQueryText(&catalogue, "tom's COINS", contents));
    EXPECT_EQ(contents, "{Tom's coins}{[(0)(1)(YEAR < 1900)]}{1}");
    CDataRecordset rs(catalogue.GetDatabase());
    rs.OpenQuery(dbOpenSnapshot, "SELECT * FROM QUERIES WHERE NAME = 'Other'");
    EXPECT_EQ(rs.GetFieldDouble("UID"), 32300000.0 + rs.GetFieldLong("AUTOINCR")); // a record of data file 23
    rs.Close();
    EXPECT_TRUE(catalogue.DeleteQuery("Tom's coins"));
    EXPECT_FALSE(catalogue.ReadQuery("Tom's coins", contents));
    EXPECT_FALSE(catalogue.DeleteQuery("Tom's coins"));

    // Without a catalogue: a ".query" file in the product folder, and nothing outside it.
    std::filesystem::create_directories(GetProductDir());
    std::ofstream(GetProductDir() / "Loose.query") << "{Loose}";
    ASSERT_TRUE(ReadStoredQueryText(nullptr, "Loose", contents));
    EXPECT_EQ(contents, "{Loose}");
    std::ofstream(GetProductDir().parent_path() / "outside.query") << "{Outside}";
    EXPECT_FALSE(ReadStoredQueryText(nullptr, "../outside", contents));
    EXPECT_FALSE(ReadStoredQueryText(nullptr, "Missing", contents));
}

TEST_F(CatalogueResourcesTest, RemovingADataFileTakesItsResourcesAlong)
{
    CCatalogueDb catalogue(path);
    catalogue.WriteFileText("guiInfo.txt", "{Name§root Type§x"
                                           "{Name§231F Type§form{Name§a Type§element FONTN§1}}"
                                           "{Name§232 Type§form{Name§b Type§element FONTN§2}}}");
    catalogue.WriteFileText("ccInfo.txt",
                            "{Name§root Type§x{Name§a Type§controlData}{Name§b Type§controlData}}");
    catalogue.WriteFileText("reportTemplates.txt",
                            "{Name§reportTemplates Type§main"
                            "{Name§r1 Type§report dataName§1{Name§r1a Type§report dataName§1}}"
                            "{Name§1Summary Type§sum}"
                            "{Name§r2 Type§report dataName§2}}");
    for (int number : {1, 2, 3}) {
        LogFont font;
        font.height = -10 - number;
        EXPECT_EQ(catalogue.GetFontNumber(font), number);
    }
    catalogue.GetDatabase()->Execute("INSERT INTO BMP (NUMBER) VALUES (1)");
    catalogue.GetDatabase()->Execute("INSERT INTO BMP (NUMBER) VALUES (2)");
    catalogue.WriteQuery("Coins", "SELECT * FROM COINS WHERE YEAR < 1900", 0);
    catalogue.WriteQuery("Countries", "SELECT * FROM COUNTRIES", 0);
    const CNodeRef coin = AddRecord(catalogue, 1, 0);
    const CNodeRef country = AddRecord(catalogue, 2, 0);
    AddLink(catalogue, country, coin);
    catalogue.GetDatabase()->Execute("DELETE FROM COINS");

    catalogue.RemoveDataFileResources(1);

    EXPECT_EQ(FindGuiInfoElement(1, &catalogue), nullptr);
    EXPECT_NE(FindGuiInfoElement(2, &catalogue), nullptr);
    ASSERT_EQ(catalogue.LoadCcInfo()->ChildCount(), 1u);
    EXPECT_EQ(catalogue.LoadCcInfo()->GetFirstChild()->GetName(), "b");
    EXPECT_FALSE(catalogue.GetFont(1));
    EXPECT_TRUE(catalogue.GetFont(2));
    EXPECT_FALSE(catalogue.GetFont(3));
    ASSERT_EQ(catalogue.GetReportTemplates()->ChildCount(), 1u);
    EXPECT_EQ(catalogue.GetReportTemplates()->GetFirstChild()->GetName(), "r2");
    std::string contents;
    EXPECT_FALSE(catalogue.ReadQuery("Coins", contents));
    EXPECT_TRUE(catalogue.ReadQuery("Countries", contents));
    CCatalogueImage picture;
    CDataRecordset rs(catalogue.GetDatabase());
    rs.OpenQuery(dbOpenSnapshot, "SELECT * FROM BMP");
    EXPECT_EQ(rs.GetFieldLong("NUMBER"), 2);
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    rs.Close();
    EXPECT_EQ(catalogue.GetLinkList().GetCount(), 0u); // the coin's link went with the repair
}

// A template of the data file inside another goes with the outer one; neither is freed twice.
TEST_F(CatalogueResourcesTest, RemovingTemplatesOfADataFileTakesNestedOnesAlong)
{
    CCatalogueDb catalogue(path);
    for (const char* file : {"webTemplates.txt", "reportTemplates.txt"}) {
        catalogue.WriteFileText(file, "{Name§templates Type§main"
                                      "{Name§t1 Type§t DataName§1{Name§t1a Type§t DataName§1}}"
                                      "{Name§t2 Type§t DataName§2{Name§t2a Type§t DataName§1}}}");
    }
    catalogue.RemoveWebTemplatesOfFile(1);
    catalogue.RemoveReportTemplatesOfFile(1);
    for (CMarkupNode* templates : {catalogue.GetWebTemplates(), catalogue.GetReportTemplates()}) {
        ASSERT_NE(templates, nullptr);
        EXPECT_EQ(TextOf(*templates), "{Name§templates Type§main{Name§t2 Type§t DataName§2}}");
    }
}

} // namespace
