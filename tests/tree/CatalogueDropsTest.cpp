// Records of one catalogue dropped on another catalogue's node: where they go, what they keep (PARENT,
// links, FROM-UID), what a move leaves in the source, the second copy refused, a type the target lacks
// copied over with the type it refers to; and a whole copy killed half-way leaving all or nothing.

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoWorkspace.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/definitions/DataFileDef.h"
#include "store/markup/MarkupNode.h"
#include "store/records/FolderRecord.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/ForkedChild.h"
#include "tests/support/MemoryClipboard.h"
#include "tests/support/TestEnvironment.h"
#include "tests/tree/TwoCataloguesTest.h"
#include "tree/base/BaseItemNode.h"
#include "tree/catalogue/CatalogueNode.h"
#include "tree/catalogue/CatalogueRecordCopier.h"
#include "tree/catalogue/SelectionCopy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <random>
#include <thread>

namespace {

using namespace lumarc::test;

// Answers "Copy to database" with the folder named `placeName` of the target (null: the catalogue).
class FakeSelectionCopyUi final : public CSelectionCopyUi
{
public:
    std::optional<Placement> ChoosePlace(CTreeNode& target, int dataFile, CTreeNode* /*source*/) override
    {
        ++asked;
        askedDataFile = dataFile;
        if (cancel) {
            return std::nullopt;
        }
        Placement placement;
        placement.keepStructure = keepStructure;
        for (CTreeNode* child = target.GetFirstChildNode(); child != nullptr;
             child = child->GetNextSiblingNode()) {
            if (child->GetName() == placeName) {
                placement.place = child;
            }
        }
        return placement;
    }
    std::string placeName;
    bool cancel = false;
    bool keepStructure = false;
    int asked = 0;
    int askedDataFile = 0;
};

class CatalogueDropsTest : public TwoCataloguesTest<CCatalogueNode>
{
protected:
    void SetUp() override
    {
        MakeCatalogues();
        {
            CCatalogueDb target(targetPath);
            target.AddFolder("Here", 0, 1);
        }
        previousCopier = SetRecordCopier(&copier);
        previousUi = SetSelectionCopyUi(&ui);
        ui.placeName = "Here";
        Open();
        Dialogs().Clear();
    }
    void TearDown() override
    {
        TwoCataloguesTest::TearDown();
        SetSelectionCopyUi(previousUi);
        SetRecordCopier(previousCopier);
    }
    // Name and folder name ("" at the top) of every live record of the kind, by name.
    struct Row
    {
        std::string name;
        std::string folder;
    };
    std::vector<Row> Rows(CCatalogueDb& catalogue, int kind)
    {
        std::vector<Row> rows;
        CItemSet set = CItemSet::Query(&catalogue, kind, nullptr, false);
        for (bool more = set.MoveFirst(); more; more = set.MoveNext()) {
            const std::string* folder = catalogue.GetFolderName(set.GetCurrentParent());
            rows.push_back({set.GetFieldTextByName("NAME"), folder != nullptr ? *folder : ""});
        }
        std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.name < b.name; });
        return rows;
    }

    CCatalogueRecordCopier copier;
    FakeSelectionCopyUi ui;
    CRecordCopier* previousCopier = nullptr;
    CSelectionCopyUi* previousUi = nullptr;
};

} // namespace

TEST_F(CatalogueDropsTest, ACopyLandsInTheChosenFolderOnceAndRemembersItsSource)
{
    const CNodeRef note = AddRecord(*source, 20, 0, {{"NoteText", "Bought at auction"}});
    AddLink(*source, made.thaler.In(*source), note);
    CItemSet coins = SetOf({made.thaler, made.mark});
    const double thalerCode = made.thaler.In(*source).GetCode();
    const double markCode = made.mark.In(*source).GetCode();
    ASSERT_TRUE(targetNode->CanAcceptCopy(&coins));
    targetNode->DropCopy(&coins);
    EXPECT_EQ(ui.asked, 1);
    EXPECT_EQ(ui.askedDataFile, 1);

    Open();
    auto rows = Rows(*target, 1);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "Mark");
    EXPECT_EQ(rows[0].folder, "Here");
    EXPECT_EQ(rows[1].name, "Thaler");
    EXPECT_EQ(rows[1].folder, "Here");
    // Each copy remembers its source (FROM-UID).
    const CDataFileDef& coinFile = *source->FindDefinition(1);
    EXPECT_GT(target->FindCopyUid(coinFile, thalerCode), 0);
    EXPECT_GT(target->FindCopyUid(coinFile, markCode), 0);
    EXPECT_NE(target->FindCopyUid(coinFile, thalerCode), target->FindCopyUid(coinFile, markCode));
    // The thaler's note came along, linked to its copy.
    CItemSet copied = CItemSet::Query(target.get(), 1, nullptr, false);
    for (bool more = copied.MoveFirst(); more; more = copied.MoveNext()) {
        const CNodeRef key = copied.GetCurrentKey();
        CItemSet children = CItemSet::Children(target.get(), &key, kLinkEveryKind);
        EXPECT_EQ(children.GetCount(), copied.GetFieldTextByName("NAME") == "Thaler" ? 1u : 0u);
    }
    // The source is as it was.
    EXPECT_TRUE(IsLiveRecord(*source, made.thaler.In(*source)));
    EXPECT_TRUE(IsLiveRecord(*source, made.mark.In(*source)));

    // The same items again: refused with one message, nothing asked, nothing added.
    Dialogs().Clear();
    CItemSet again = SetOf({made.thaler, made.mark});
    targetNode->DropCopy(&again);
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_NE(Dialogs().messages[0].text.find("already exists"), std::string::npos);
    EXPECT_EQ(ui.asked, 1);
    Open();
    EXPECT_EQ(Rows(*target, 1).size(), 2u);
}

TEST_F(CatalogueDropsTest, AMoveDeletesOnlyWhatItCopied)
{
    // The mark was copied before: it stays in the source, the thaler moves.
    {
        CItemSet mark = SetOf({made.mark});
        targetNode->DropCopy(&mark);
    }
    CItemSet coins = SetOf({made.thaler, made.mark});
    ASSERT_TRUE(targetNode->CanAcceptMove(&coins));
    targetNode->DropMove(&coins);
    Open();
    EXPECT_EQ(Rows(*target, 1).size(), 2u);
    EXPECT_FALSE(IsLiveRecord(*source, made.thaler.In(*source)));
    EXPECT_TRUE(IsLiveRecord(*source, made.mark.In(*source)));

    // Cancelling the place copies and deletes nothing.
    ui.cancel = true;
    CItemSet franc = SetOf({made.franc});
    targetNode->DropMove(&franc);
    Open();
    EXPECT_EQ(Rows(*target, 1).size(), 2u);
    EXPECT_TRUE(IsLiveRecord(*source, made.franc.In(*source)));
}

TEST_F(CatalogueDropsTest, RefusesItsOwnRecordsAViewOnlyTargetAndWorksOnlyWithAPlaceDialog)
{
    CItemSet own(target.get());
    own.AddRecordByKey(AddRecord(*target, 1, 0, {{"NAME", "Penny"}}));
    own.MoveFirst();
    EXPECT_FALSE(targetNode->CanAcceptCopy(&own));
    EXPECT_FALSE(targetNode->CanAcceptMove(&own));
    targetNode->DropMove(&own);
    EXPECT_TRUE(IsLiveRecord(*target, own.GetCurrentKey()));

    CItemSet coins = SetOf({made.thaler});
    target->SetViewOnly(true);
    EXPECT_FALSE(targetNode->CanAcceptCopy(&coins));
    target->SetViewOnly(false);
    SetSelectionCopyUi(nullptr);
    EXPECT_FALSE(targetNode->CanAcceptCopy(&coins));
    targetNode->DropCopy(&coins);
    SetSelectionCopyUi(&ui);
    Open();
    EXPECT_EQ(Rows(*target, 1).size(), 1u); // the penny only
}

TEST_F(CatalogueDropsTest, KeepingTheStructureRebuildsTheSourceFolders)
{
    ui.keepStructure = true;
    CItemSet thaler = SetOf({made.thaler});
    CTreeNode* europe = sourceNode->GetFirstChildNode();
    ASSERT_NE(europe, nullptr);
    ASSERT_EQ(europe->GetName(), "Europe");
    europe->PopulateChildren(nullptr);
    bool created = false;
    // Europe > Germany > Prussia is made once, then found again.
    CTreeNode* germany = nullptr;
    for (CTreeNode* child = europe->GetFirstChildNode(); child != nullptr;
         child = child->GetNextSiblingNode()) {
        if (child->GetName() == "Germany") {
            germany = child;
        }
    }
    ASSERT_NE(germany, nullptr);
    germany->PopulateChildren(nullptr);
    CTreeNode* prussia = germany->GetFirstChildNode();
    ASSERT_NE(prussia, nullptr);
    const double folder = CopyFolderPath(*target, *prussia, 1, created);
    EXPECT_TRUE(created);
    ASSERT_NE(target->FindFolder(folder), nullptr);
    EXPECT_EQ(target->FindFolder(folder)->GetName(), "Prussia");
    EXPECT_EQ(*target->GetFolderName(target->FindFolder(folder)->GetParent()), "Germany");
    created = false;
    EXPECT_EQ(CopyFolderPath(*target, *prussia, 1, created), folder);
    EXPECT_FALSE(created);

    // The drop takes the thaler into that structure.
    targetNode->DropCopy(&thaler);
    Open();
    const auto rows = Rows(*target, 1);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].folder, "Prussia");
}

TEST_F(CatalogueDropsTest, AFailedCopyLeavesNoneOfTheFoldersMadeForItsStructure)
{
    ui.keepStructure = true;
    // The thaler lies in Europe > Germany > Prussia; its folder nodes are built, as a pane builds them.
    for (CTreeNode* node = sourceNode; node != nullptr; node = NextTreeNode(node, sourceNode)) {
        if (node->IsFolder() || node->IsArea()) {
            node->PopulateChildren(nullptr);
        }
    }
    const size_t foldersBefore = target->GetFolderList().GetCount();
    // The coins' table is gone from the target: the copy of the record fails after the folders were made.
    target->GetDatabase()->Execute("DROP TABLE COINS");
    CItemSet thaler = SetOf({made.thaler});
    targetNode->DropCopy(&thaler);
    ASSERT_FALSE(Dialogs().messages.empty());
    EXPECT_EQ(target->GetFolderList().GetCount(), foldersBefore);
    Open();
    std::vector<std::string> names;
    for (CFolderRecord* folder = target->GetFolderList().First(); folder != nullptr;
         folder = target->GetFolderList().Next()) {
        names.push_back(folder->GetName());
    }
    EXPECT_EQ(names, std::vector<std::string>{"Here"});
}

TEST_F(CatalogueDropsTest, CopiedFoldersAndListsPastedOnTheCatalogueGoToItsTopLevel)
{
    MemoryClipboard clipboard;
    for (CTreeNode* node = sourceNode; node != nullptr; node = NextTreeNode(node, sourceNode)) {
        if (node->IsFolder() || node->IsArea()) {
            node->PopulateChildren(nullptr);
        }
    }
    CTreeNode* germany = sourceNode->FindByNodePath("Europe^Germany");
    CTreeNode* wanted = sourceNode->FindByNodePath("Wanted");
    ASSERT_NE(germany, nullptr);
    ASSERT_NE(wanted, nullptr);
    ASSERT_TRUE(AppendEntriesToClipboard(kAreaCopyFormat, {germany->GetPath()}));
    ASSERT_TRUE(AppendEntriesToClipboard(kItemListCopyFormat, {wanted->GetPath()}));
    // Another catalogue's folders and lists would name folders and data files the target lacks.
    EXPECT_FALSE(targetNode->CanAcceptCopy(nullptr));
    ASSERT_TRUE(sourceNode->CanAcceptCopy(nullptr));
    sourceNode->DropCopy(nullptr);
    // The container that made the copies is gone from the tree.
    for (CTreeNode* child = sourceNode->GetFirstChildNode(); child != nullptr;
         child = child->GetNextSiblingNode()) {
        EXPECT_FALSE(child->GetName().empty());
    }

    Open();
    CFolderRecord* copy = nullptr;
    for (CFolderRecord* folder = source->FirstTopLevelFolder(); folder != nullptr;
         folder = source->NextTopLevelFolder()) {
        if (folder->GetName() == "Copy of Germany") {
            copy = folder;
        }
    }
    ASSERT_NE(copy, nullptr) << "no copy of Germany at the top level";
    ASSERT_NE(source->FirstChildFolder(copy->GetNumber()), nullptr);
    EXPECT_EQ(source->FirstChildFolder(copy->GetNumber())->GetName(), "Prussia");
    CItemSet coins = CItemSet::Query(source.get(), 1, copy, false);
    ASSERT_TRUE(coins.MoveFirst());
    EXPECT_EQ(coins.GetFieldTextByName("NAME"), "Mark");
    std::vector<std::string> lists;
    CItemSet listSet = CItemSet::Query(source.get(), 22, nullptr, false);
    for (bool more = listSet.MoveFirst(); more; more = listSet.MoveNext()) {
        if (std::fmod(listSet.GetCurrentParent(), 100000.0) == 0.0) {
            lists.push_back(listSet.GetCurrentName());
        }
    }
    std::sort(lists.begin(), lists.end());
    EXPECT_EQ(lists, (std::vector<std::string>{"Copy of Wanted", "Wanted"}));
}

TEST_F(CatalogueDropsTest, ATypeTheTargetLacksIsCopiedWithTheTypeItRefersTo)
{
    // A target holding shops only (no field a coin or country has); the coins' form chooses their
    // country from a list.
    DataFileSpec shops;
    shops.table = "SHOPS";
    shops.menuName = "Shops";
    shops.strongName = "Shop";
    shops.fields = {{.name = "SHOP", .type = 'C', .length = 40, .title = true, .columnHeader = true}};
    const auto bare = CatalogueBuilder(MakeTempFolder("bare") / "bare.ctg")
                          .Name("Shops only")
                          .Number(6)
                          .DataFile(shops)
                          .Build();
    {
        CMarkupNode* form = FindGuiInfoElement(1, source.get());
        ASSERT_NE(form, nullptr);
        CMarkupNode* country = form->FindFirstByName("COUNTRY");
        ASSERT_NE(country, nullptr);
        country->SetAttribute("CNT_NAME", "comboBox");
        source->SaveGuiInfo(source->LoadCcInfo(), source->GetGuiInfo());
    }
    CCatalogueDb other(bare);
    auto* otherNode = CTreeNode::AppendNode<CCatalogueNode>(*root, other);
    otherNode->PopulateChildren(nullptr);
    ui.placeName.clear();

    // No: nothing is made.
    CItemSet coins = SetOf({made.thaler});
    Dialogs().answers = {platform::ui::kIdNo};
    ASSERT_TRUE(otherNode->CanAcceptCopy(&coins));
    otherNode->DropCopy(&coins);
    EXPECT_EQ(other.FindDefinitionByName(source->FindDefinition(1)->GetFileName()), nullptr);
    EXPECT_EQ(ui.asked, 0);

    // Yes: the countries are listed, made and filled first, then the coins, then the thaler is copied.
    Dialogs().Clear();
    otherNode->DropCopy(&coins);
    ASSERT_GE(Dialogs().messages.size(), 2u);
    EXPECT_NE(Dialogs().messages[1].text.find("reference the following tables"), std::string::npos);
    EXPECT_NE(Dialogs().messages[1].text.find(source->FindDefinition(2)->GetMenuName()), std::string::npos);
    EXPECT_EQ(ui.asked, 1);

    const int coinsHere = source->FindDefinition(1)->FindMatchingFile(&other);
    const int countriesHere = source->FindDefinition(2)->FindMatchingFile(&other);
    ASSERT_NE(coinsHere, 0);
    ASSERT_NE(countriesHere, 0);
    EXPECT_NE(FindGuiInfoElement(coinsHere, &other), nullptr);
    const CDataFileDef* coinDefinition = other.FindDefinition(coinsHere);
    for (int i = 0; i < coinDefinition->GetFieldCount(); ++i) {
        if (coinDefinition->GetFieldName(i) == "COUNTRY") {
            EXPECT_EQ(coinDefinition->GetFieldReferralFileNumber(i), countriesHere);
        }
    }
    EXPECT_EQ(Rows(other, countriesHere).size(), 2u);
    const auto rows = Rows(other, coinsHere);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, "Thaler");
}

namespace {

constexpr int kBigCopy = 10000;

size_t LiveCoins(const std::filesystem::path& path)
{
    CCatalogueDb catalogue(path);
    return CItemSet::Query(&catalogue, 1, nullptr, false).GetCount();
}

// In a child process: copies every coin of `from` into `into` in one go, then ends.
[[noreturn]] void CopyEverythingAndExit(const std::filesystem::path& from, const std::filesystem::path& into,
                                        const std::function<void()>& ready)
{
    int status = 1;
    {
        CCatalogueDb source(from);
        CCatalogueDb target(into);
        CItemSet coins = CItemSet::Query(&source, 1, nullptr, false);
        ready();
        const CatalogueCopyResult result = CopyRecordsToCatalogue(
            coins, target, 1, 0, [](CItemSet&) { return CRecordCopier::kNotesAndFiles; });
        status = result.copied == kBigCopy ? 0 : 2;
    }
    ::_exit(status);
}

} // namespace

TEST(CatalogueCopy, AKilledCopyOfTenThousandRecordsLeavesTheTargetAsItWasOrHoldingAll)
{
    const auto folder = MakeTempFolder("killed");
    const auto sourcePath = CatalogueBuilder(folder / "big.ctg").Name("Big").DataFile(CoinsFile(1)).Build();
    const auto emptyTarget =
        CatalogueBuilder(folder / "empty.ctg").Name("Mine").Number(2).DataFile(CoinsFile(1)).Build();
    {
        CCatalogueDb big(sourcePath);
        const auto picture = MakePictureBytes("-size 24x24 gradient:gold-navy", "jpg");
        platform::dao::CDaoWorkspace::Default().BeginTrans();
        {
            RecordWriter coins(big, 1);
            for (int i = 0; i < kBigCopy; ++i) {
                coins.Add(0, {{"NAME", "Coin " + std::to_string(i)},
                              {"YEAR", std::to_string(1500 + i % 500)},
                              {"PICTURE", std::string(picture.begin(), picture.end())}});
            }
        }
        platform::dao::CDaoWorkspace::Default().CommitTrans();
    }

    std::mt19937 random(1789);
    std::chrono::microseconds wholeCopy{0};
    int killedBeforeTheEnd = 0;
    // Round 0 runs to the end and times the copy; the others are killed at a random moment within it,
    // more rounds until one kill lands before the commit.
    for (int round = 0; round < 4 || (killedBeforeTheEnd == 0 && round < 12); ++round) {
        const auto targetPath = folder / ("round" + std::to_string(round) + ".ctg");
        std::filesystem::copy_file(emptyTarget, targetPath);
        ForkedChild child([&](const std::function<void()>& ready) {
            CopyEverythingAndExit(sourcePath, targetPath, ready);
        });
        ASSERT_TRUE(child.Started());
        const auto start = std::chrono::steady_clock::now();
        if (round == 0) {
            const int status = child.Wait();
            wholeCopy = std::chrono::duration_cast<std::chrono::microseconds>(
                std::chrono::steady_clock::now() - start);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the whole copy failed";
            EXPECT_EQ(LiveCoins(targetPath), static_cast<size_t>(kBigCopy));
            continue;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(
            std::uniform_int_distribution<long long>(0, wholeCopy.count() * 9 / 10)(random)));
        const int status = child.Kill();
        const size_t copied = LiveCoins(targetPath);
        EXPECT_TRUE(copied == 0 || copied == static_cast<size_t>(kBigCopy))
            << "round " << round << ": " << copied;
        killedBeforeTheEnd += WIFSIGNALED(status) && copied == 0 ? 1 : 0;
    }
    EXPECT_GE(killedBeforeTheEnd, 1) << "no kill landed before the copy committed";
    EXPECT_EQ(LiveCoins(sourcePath), static_cast<size_t>(kBigCopy));
}
