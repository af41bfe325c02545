#include "store/records/FolderList.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoTableDef.h"
#include "platform/ui/DialogService.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/catalogue/DataRecordset.h"
#include "store/program/InstallationNumber.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace lumarc::test;

namespace {

class FolderListTest : public testing::Test
{
protected:
    void SetUp() override
    {
        SetInstallationNumber(1234);
        Dialogs().Clear();
        path = CatalogueBuilder(MakeTempFolder("folders") / "folders.ctg")
                   .Number(3)
                   .DataFile(CoinsFile(1))
                   .DataFile(CountriesFile(2))
                   .Build();
    }

    // Europe (all kinds) > Germany > Prussia, Europe > France, and Asia at the top.
    void MakeTree(CCatalogueDb& catalogue)
    {
        europe = catalogue.AddFolder("Europe", 0, CFolderRecord::kAllKinds)->GetNumber();
        germany = catalogue.AddFolder("Germany", europe, 1)->GetNumber();
        prussia = catalogue.AddFolder("Prussia", germany, 1)->GetNumber();
        france = catalogue.AddFolder("France", europe, 1)->GetNumber();
        asia = catalogue.AddFolder("Asia", 0, CFolderRecord::kAllKinds)->GetNumber();
    }

    static std::vector<std::string> FolderNames(CCatalogueDb& catalogue, double parent)
    {
        std::vector<std::string> names;
        if (parent == 0) {
            for (auto* folder = catalogue.FirstTopLevelFolder(); folder;
                 folder = catalogue.NextTopLevelFolder()) {
                names.push_back(folder->GetName());
            }
        } else {
            for (auto* folder = catalogue.FirstChildFolder(parent); folder;
                 folder = catalogue.NextChildFolder(parent, folder)) {
                names.push_back(folder->GetName());
            }
        }
        return names;
    }

    std::filesystem::path path;
    double europe = 0, germany = 0, prussia = 0, france = 0, asia = 0;
};

using Names = std::vector<std::string>;

TEST_F(FolderListTest, TreesOfSeveralLevelsAreBuiltWalkedAndReorderedAcrossReopening)
{
    {
        CCatalogueDb catalogue(path);
        MakeTree(catalogue);
        EXPECT_EQ(europe, 2);
        EXPECT_EQ(asia, 6);
        EXPECT_EQ(FolderNames(catalogue, 0), (Names{"Europe", "Asia"}));
        EXPECT_EQ(FolderNames(catalogue, europe), (Names{"Germany", "France"}));
        EXPECT_EQ(FolderNames(catalogue, germany), (Names{"Prussia"}));
        // Reordered by position: Asia first, France before Germany.
        catalogue.FindFolder(asia)->SaveOrderedNumber(catalogue, 1);
        catalogue.FindFolder(europe)->SaveOrderedNumber(catalogue, 2);
        catalogue.FindFolder(france)->SaveOrderedNumber(catalogue, 3);
        catalogue.FindFolder(germany)->SaveOrderedNumber(catalogue, 4);
        catalogue.FindFolder(prussia)->SaveOrderedNumber(catalogue, 4);
    }
    CCatalogueDb catalogue(path);
    EXPECT_EQ(FolderNames(catalogue, 0), (Names{"Asia", "Europe"}));
    EXPECT_EQ(FolderNames(catalogue, europe), (Names{"France", "Germany"}));
    EXPECT_EQ(FolderNames(catalogue, germany), (Names{"Prussia"}));
    ASSERT_NE(catalogue.GetFolderName(prussia), nullptr);
    EXPECT_EQ(*catalogue.GetFolderName(prussia), "Prussia");
    EXPECT_EQ(catalogue.GetFolderName(99), nullptr);
    EXPECT_TRUE(catalogue.HasFolderOfType(1));
    EXPECT_FALSE(catalogue.HasFolderOfType(2));
    EXPECT_EQ(catalogue.FindFolder(germany)->GetParent(), europe);
    EXPECT_GT(catalogue.FindFolder(germany)->GetCreationTime(), 0);

    // Moving a folder is a new parent written to its row.
    CFolderRecord* moved = catalogue.FindFolder(prussia);
    moved->SetParent(france);
    ASSERT_TRUE(moved->Update(catalogue));
    catalogue.Close();
    catalogue.Reopen(path);
    EXPECT_EQ(FolderNames(catalogue, france), (Names{"Prussia"}));
    EXPECT_TRUE(FolderNames(catalogue, germany).empty());
}

TEST_F(FolderListTest, FoldersUnderTheCatalogueReadTheirParentAsTheRootCode)
{
    CCatalogueDb catalogue(path);
    MakeTree(catalogue);
    catalogue.GetDatabase()->Execute("UPDATE AREAS SET PARENT = 0 WHERE NAME = 'Asia'");
    catalogue.Close();
    catalogue.Reopen(path);
    CFolderRecord* folder = catalogue.FindFolder(asia);
    EXPECT_EQ(folder->GetParent(), 123400000.0);
    EXPECT_TRUE(folder->IsTopLevel());
    EXPECT_FALSE(catalogue.FindFolder(germany)->IsTopLevel());

    CFolderRecord record;
    EXPECT_EQ(record.GetParent(), 123400000.0);
    record.SetNumber(7);
    record.SetParent(7); // its own number: directly under the catalogue
    EXPECT_EQ(record.GetParent(), 123400000.0);
}

TEST_F(FolderListTest, AppendGivesTheNextLocalFolderNumber)
{
    CFolderList list;
    EXPECT_EQ(list.Append(std::make_unique<CFolderRecord>()), 2);
    auto three = std::make_unique<CFolderRecord>();
    three->SetNumber(3);
    auto large = std::make_unique<CFolderRecord>();
    large->SetNumber(1500);
    list.Append(std::move(three));
    EXPECT_EQ(list.Append(std::move(large)), 4);
    CFolderRecord* last = list.GetLast();
    EXPECT_EQ(last->GetNumber(), 1500);
    EXPECT_NE(list.CutBefore(last), nullptr);
    EXPECT_EQ(list.GetCount(), 2u);
}

TEST_F(FolderListTest, ChangesGoStraightToTheFoldersRow)
{
    {
        CCatalogueDb catalogue(path);
        MakeTree(catalogue);
        CFolderRecord* folder = catalogue.FindFolder(france);
        folder->SaveComment(catalogue, "Francs and centimes");
        folder->SaveHtml(catalogue, "<b>France</b>");
        folder->SaveOrdered(catalogue, "ORDER BY [YEAR]");
        folder->SetOrderedBy(5, &catalogue);
        const std::string longName = "République française et ses départements";
        folder->Rename(catalogue, longName);
        EXPECT_EQ(folder->GetName(), "République française et ses départem"); // 39 bytes in memory

        CFolderRecord* all = catalogue.FindFolder(europe);
        all->SetOrderedBy(5, &catalogue); // a folder of all kinds keeps -1
        EXPECT_EQ(all->GetOrderedBy(), -1);
    }
    CCatalogueDb catalogue(path);
    CFolderRecord* folder = catalogue.FindFolder(france);
    EXPECT_EQ(folder->GetComment(), "Francs and centimes");
    EXPECT_EQ(folder->GetHtml(), "<b>France</b>");
    EXPECT_EQ(folder->GetOrdered(), "ORDER BY [YEAR]");
    EXPECT_EQ(folder->GetOrderedBy(), 5);
    EXPECT_EQ(folder->GetName(), "République française et ses départements");
    EXPECT_EQ(catalogue.FindFolder(europe)->GetOrderedBy(), -1);
}

TEST_F(FolderListTest, DeletingAFolderTreeAsksOnceAndSendsItsRecordsToTheWasteBasket)
{
    CNodeRef coin;
    CNodeRef country;
    CNodeRef outside;
    {
        CCatalogueDb catalogue(path);
        MakeTree(catalogue);
        coin = AddRecord(catalogue, 1, prussia, {{"NAME", "Thaler"}});
        country = AddRecord(catalogue, 2, germany, {{"NAME", "Prussia"}});
        outside = AddRecord(catalogue, 1, france, {{"NAME", "Franc"}});
        AddLink(catalogue, country, coin);
        AddLink(catalogue, country, outside);

        Dialogs().answers = {platform::ui::kIdYes};
        ASSERT_TRUE(catalogue.DeleteFolderTree(europe, false));
        ASSERT_EQ(Dialogs().messages.size(), 1u); // two data files, two levels: one question
        EXPECT_EQ(Dialogs().messages[0].text,
                  "The folder still contains records; do you want to delete them ?");
        EXPECT_EQ(Dialogs().messages[0].caption, "Information");
        EXPECT_EQ(catalogue.GetDeletedEntries(), 3);
        EXPECT_FALSE(IsLiveRecord(catalogue, coin));
        EXPECT_FALSE(IsLiveRecord(catalogue, outside));
    }
    CCatalogueDb catalogue(path);
    EXPECT_EQ(FolderNames(catalogue, 0), (Names{"Asia"}));
    EXPECT_EQ(catalogue.FindFolder(prussia), nullptr);
    EXPECT_EQ(catalogue.GetDeletedEntries(), 3);
    // The links of the deleted records are marked deleted.
    CDataRecordset rs(catalogue.GetDatabase());
    rs.OpenQuery(platform::dao::dbOpenSnapshot, "SELECT * FROM LINK");
    int marked = 0;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        marked += rs.GetFieldText("DELETED") == "Y";
    }
    EXPECT_EQ(marked, 2);
}

TEST_F(FolderListTest, AnsweringNoKeepsTheFolderAndItsRecords)
{
    CCatalogueDb catalogue(path);
    MakeTree(catalogue);
    const CNodeRef coin = AddRecord(catalogue, 1, prussia, {{"NAME", "Thaler"}});
    Dialogs().answers = {platform::ui::kIdNo};
    EXPECT_FALSE(catalogue.DeleteFolderTree(germany, false));
    EXPECT_NE(catalogue.FindFolder(prussia), nullptr);
    EXPECT_NE(catalogue.FindFolder(germany), nullptr);
    EXPECT_TRUE(IsLiveRecord(catalogue, coin));

    Dialogs().Clear();
    EXPECT_TRUE(catalogue.DeleteFolderTree(germany, true)); // quiet: no question
    EXPECT_TRUE(Dialogs().messages.empty());
    EXPECT_FALSE(IsLiveRecord(catalogue, coin));
    EXPECT_TRUE(catalogue.DeleteFolderTree(asia, false)); // empty: no question
    EXPECT_TRUE(Dialogs().messages.empty());
}

TEST_F(FolderListTest, AFolderInsideItselfIsDeletedWithoutEndlessRecursion)
{
    CCatalogueDb catalogue(path);
    MakeTree(catalogue);
    CFolderRecord* top = catalogue.FindFolder(europe);
    top->SetParent(prussia); // a circle: Europe > Germany > Prussia > Europe
    top->Update(catalogue);
    EXPECT_TRUE(catalogue.DeleteFolderTree(europe, true));
    EXPECT_EQ(catalogue.FindFolder(germany), nullptr);
    EXPECT_EQ(catalogue.FindFolder(prussia), nullptr);
}

TEST_F(FolderListTest, WithTheCatalogueClosedNothingIsWritten)
{
    CCatalogueDb catalogue(path);
    MakeTree(catalogue);
    CFolderRecord* folder = catalogue.FindFolder(asia);
    CCatalogueDb closed;
    folder->Rename(closed, "Elsewhere");
    EXPECT_EQ(folder->GetName(), "Asia");
    EXPECT_FALSE(folder->Insert(closed));
    CFolderList list;
    list.Append(std::make_unique<CFolderRecord>());
    EXPECT_FALSE(list.DeleteTree(0, closed, true));
    EXPECT_EQ(list.GetCount(), 0u);
}

TEST_F(FolderListTest, ACatalogueWithoutPositionsGainsTheColumn)
{
    {
        platform::dao::CDaoDatabase db;
        db.Open(path);
        platform::dao::CDaoTableDef areas(&db);
        areas.Open("AREAS");
        areas.DeleteField("ORDEREDNUMBER");
    }
    CCatalogueDb catalogue(path);
    ASSERT_NE(catalogue.GetDatabase(), nullptr);
    platform::dao::CDaoTableDef areas(catalogue.GetDatabase());
    areas.Open("AREAS");
    platform::dao::CDaoFieldInfo info;
    areas.GetFieldInfo("ORDEREDNUMBER", info);
    EXPECT_EQ(info.m_type, platform::dao::dbInteger);
    EXPECT_NE(catalogue.AddFolder("Africa", 0, 100), nullptr);
}

} // namespace
