// The catalogue every later test builds on: made by the builder, it opens, closes and reopens whole.

#include "store/catalogue/CatalogueDb.h"

#include "platform/dao/DaoDatabase.h"
#include "store/catalogue/DataRecordset.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace lumarc::test;

namespace {

void ExpectWhole(CCatalogueDb& catalogue, const TypicalCatalogue& made)
{
    ASSERT_NE(catalogue.GetDatabase(), nullptr);
    EXPECT_EQ(catalogue.GetName(), "Coins of the world");
    EXPECT_EQ(catalogue.GetCatalogueNumber(), 3);

    CDataFileDef coins(&catalogue);
    ASSERT_TRUE(coins.SelectFile(1));
    std::string letters;
    for (int i = 0; i < coins.GetFieldCount(); ++i) {
        letters += coins.GetFieldType(i);
    }
    EXPECT_EQ(letters, "CIUDPMBFSTOC");
    EXPECT_EQ(coins.BuildNameFieldList(), "[NAME] ,[YEAR]");
    CDataFileDef addresses(&catalogue);
    ASSERT_TRUE(addresses.SelectFile(3));
    EXPECT_TRUE(addresses.HasFieldOfKindT() && addresses.HasFieldOfKindE() && addresses.HasFieldOfKindF());
    EXPECT_EQ(addresses.FindFieldOfKindW(), 4);
    EXPECT_EQ(catalogue.NextDataFileNumber(), 4);

    EXPECT_EQ(catalogue.FindFolder(made.prussia)->GetParent(), made.germany);
    EXPECT_EQ(catalogue.FindFolder(made.france)->GetParent(), made.europe);
    EXPECT_TRUE(catalogue.FindFolder(made.asia)->IsTopLevel());
    for (const RecordKey& key : {made.franc, made.mark, made.thaler, made.ducat, made.germanyCountry,
                                 made.franceCountry, made.dealer, made.wanted}) {
        EXPECT_TRUE(IsLiveRecord(catalogue, key.In(catalogue))) << key.kind << "/" << key.number;
    }
    EXPECT_EQ(catalogue.GetLinkList().GetCount(), 6u);
    EXPECT_EQ(CLinkList(made.germanyCountry.In(catalogue), catalogue).GetCount(), 3u);

    CDataRecordset rs(catalogue.GetDatabase());
    rs.OpenQuery(platform::dao::dbOpenSnapshot, "SELECT * FROM COINS WHERE NAME = 'Franc'");
    EXPECT_EQ(rs.GetFieldText("NOTES"), "New franc\r\nfirst year");
    EXPECT_EQ(rs.GetFieldText("PRICE"), "0A1B50");
    EXPECT_EQ(rs.GetFieldTime("BOUGHT") > 0, true);
    rs.OpenQuery(platform::dao::dbOpenSnapshot, "SELECT * FROM COINS WHERE NAME = 'Ducat'");
    EXPECT_EQ(rs.GetFieldBytes("PICTURE").at(0), 0xFF); // JPEG
    rs.OpenQuery(platform::dao::dbOpenSnapshot, "SELECT * FROM BMP ORDER BY NUMBER");
    EXPECT_EQ(rs.GetFieldLong("NUMBER"), 1);
    rs.MoveNext();
    EXPECT_EQ(rs.GetFieldLong("NUMBER"), 1001);
    rs.Close();

    CMarkupNode* form = FindGuiInfoElement(1, &catalogue);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->ChildCount(), 12u);
    const int font = form->FindChildByName("NAME")->GetAttributeInt("FONTN");
    ASSERT_TRUE(catalogue.GetFont(font));
    EXPECT_EQ(catalogue.GetFont(font)->faceName, "Liberation Sans");
    EXPECT_NE(catalogue.LoadCcInfo()->FindChildByName("PICTURE"), nullptr);
    EXPECT_EQ(catalogue.GetDefaultTemplate(1), "coin.htm");
    EXPECT_NE(catalogue.GetReportTemplates()->FindChildByName("1Summary"), nullptr);
    EXPECT_NE(catalogue.GetPageFormats()->FindChildByName("A4"), nullptr);
    std::string query;
    EXPECT_TRUE(catalogue.ReadQuery("Old coins", query));
}

TEST(TypicalCatalogue, OpensClosesAndReopensWithItsDataIntact)
{
    const TypicalCatalogue made = MakeTypicalCatalogue(MakeTempFolder("typical"));
    CCatalogueDb catalogue(made.path);
    ExpectWhole(catalogue, made);
    catalogue.Close();
    catalogue.Reopen(made.path);
    ExpectWhole(catalogue, made);
}

TEST(TypicalCatalogue, AProtectedOneOpensWithItsPassword)
{
    const TypicalCatalogue made = MakeTypicalCatalogue(MakeTempFolder("typicalpw"), "münze");
    CCatalogueDb catalogue(made.path);
    EXPECT_EQ(catalogue.GetDatabase(), nullptr);
    ASSERT_TRUE(catalogue.Open("münze"));
    ExpectWhole(catalogue, made);
}

} // namespace
