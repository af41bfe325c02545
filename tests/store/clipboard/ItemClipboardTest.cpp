// The item clipboard: the slot layout every running copy shares, the item set's writers and the readers
// that turn entries back into records, over an in-memory clipboard.

#include "store/clipboard/ItemClipboard.h"

#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ClipboardEntry.h"
#include "store/records/ItemSet.h"
#include "store/records/Record.h"
#include "store/program/Settings.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/FakeElementTree.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <map>

using namespace lumarc::test;

namespace {

using Entries = std::vector<std::string>;

// The clipboard as one map of format to data; `refuse` makes it refuse to be taken.
class MemoryClipboard : public CClipboardAccess
{
public:
    bool HasFormat(std::string_view format) override { return formats.count(std::string(format)) > 0; }
    std::optional<ClipboardBlock> GetData(std::string_view format) override
    {
        const auto found = formats.find(std::string(format));
        return found != formats.end() ? std::optional(found->second) : std::nullopt;
    }
    bool SetFormats(const std::vector<ClipboardFormatData>& data) override
    {
        if (refuse) {
            return false;
        }
        formats.clear();
        for (const auto& format : data) {
            formats[format.format] = format.data;
        }
        return true;
    }

    std::map<std::string, ClipboardBlock> formats;
    bool refuse = false;
};

ClipboardBlock BlockOf(const Entries& entries)
{
    CClipboardSlotWriter writer;
    for (const auto& entry : entries) {
        writer.Append(entry);
    }
    return writer.TakeBlock();
}

TEST(ClipboardSlots, AThousandEntriesGrowTheBlockOnceAndEndInAZeroSlot)
{
    CClipboardSlotWriter writer;
    for (int i = 0; i < 1000; ++i) {
        writer.Append("/c/coins.ctg^1," + std::to_string(i) + ",3");
    }
    const ClipboardBlock& block = writer.GetBlock();
    ASSERT_EQ(block.size(), 400000u);
    EXPECT_EQ(block[1000 * 200], 0);
    const Entries entries = ReadClipboardSlots(block);
    ASSERT_EQ(entries.size(), 1000u);
    EXPECT_EQ(entries[999], "/c/coins.ctg^1,999,3");

    // 999 entries still fit one block with its zero slot.
    CClipboardSlotWriter fits;
    for (int i = 0; i < 999; ++i) {
        fits.Append("x");
    }
    EXPECT_EQ(fits.GetBlock().size(), 200000u);

    // Continuing a grown block copies it whole.
    CClipboardSlotWriter more(block.data(), block.size());
    more.Append("last");
    EXPECT_EQ(more.GetCount(), 1001u);
    EXPECT_EQ(ReadClipboardSlots(more.GetBlock()).back(), "last");
}

TEST(ClipboardSlots, EntriesAreCutToASlotAndEmptyOnesAreNotWritten)
{
    const std::string euro = "\xE2\x82\xAC"; // three bytes
    const ClipboardBlock block = BlockOf({std::string(250, 'a'), "", std::string(198, 'b') + euro, "c"});
    EXPECT_EQ(ReadClipboardSlots(block), (Entries{std::string(199, 'a'), std::string(198, 'b'), "c"}));
}

TEST(ClipboardSlots, MalformedDataGivesWhatItHoldsAndNoMore)
{
    const std::string noZero(450, 'x');
    const auto* bytes = reinterpret_cast<const unsigned char*>(noZero.data());
    EXPECT_EQ(ReadClipboardSlots(bytes, noZero.size()),
              (Entries{std::string(200, 'x'), std::string(200, 'x'), std::string(50, 'x')}));
    EXPECT_TRUE(ReadClipboardSlots(nullptr, 10).empty());
    EXPECT_TRUE(ReadClipboardSlots(bytes, 0).empty());

    // A copy of such data is a whole block again, holding the same entries with a zero slot behind them.
    const ClipboardBlock copy = CopyClipboardBlock(bytes, noZero.size());
    EXPECT_EQ(copy.size(), 200000u);
    EXPECT_EQ(ReadClipboardSlots(copy), ReadClipboardSlots(bytes, noZero.size()));
    EXPECT_EQ(copy[600], 0);
}

class ItemClipboardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetSettingString("toDoDataBase", "");
        made = MakeTypicalCatalogue(MakeTempFolder("clip"));
        catalogue = std::make_unique<CCatalogueDb>(made.path);
        tree.catalogues = {catalogue.get()};
        SetClipboardAccess(&clipboard);
    }
    void TearDown() override { SetClipboardAccess(nullptr); }

    CItemSet Coins() { return CItemSet::Query(catalogue.get(), 1, nullptr, false); }
    Entries On(std::string_view format) { return ReadClipboardEntries(format); }
    std::string Entry(const RecordKey& key)
    {
        return made.path.string() + "^" + std::to_string(key.kind) + "," + std::to_string(key.number) + ",3";
    }

    TypicalCatalogue made;
    std::unique_ptr<CCatalogueDb> catalogue;
    FakeElementTree tree;
    MemoryClipboard clipboard;
};

TEST_F(ItemClipboardTest, CopyingAppendsAndKeepsTheOtherPrivateFormats)
{
    clipboard.formats["VUR_Area_Move"] = BlockOf({"Europe^Germany"});
    clipboard.formats["VUR_Drop_Items"] = {};
    clipboard.formats["VUR_Link_Items"] = {};
    clipboard.formats["TEXT"] = {'h', 'i'};

    CItemSet coins = Coins();
    ASSERT_TRUE(coins.CopyItemsToClipboard());
    CItemSet one = CItemSet::CopyOfCurrent(coins); // its first record
    ASSERT_TRUE(one.CopyItemsToClipboard());

    const Entries copied = On("VUR_Copy_Items");
    ASSERT_EQ(copied.size(), 5u);
    EXPECT_EQ(copied[4], copied[0]);
    for (const RecordKey* key : {&made.franc, &made.mark, &made.thaler, &made.ducat}) {
        EXPECT_NE(std::find(copied.begin(), copied.end(), Entry(*key)), copied.end()) << Entry(*key);
    }
    EXPECT_EQ(On("VUR_Area_Move"), Entries{"Europe^Germany"});
    EXPECT_TRUE(clipboard.HasFormat("VUR_Drop_Items"));
    EXPECT_FALSE(clipboard.HasFormat("VUR_Link_Items"));
    EXPECT_FALSE(clipboard.HasFormat("TEXT"));

    // Cutting replaces nothing of the copy.
    ASSERT_TRUE(coins.MoveItemsToClipboard());
    EXPECT_EQ(On("VUR_Move_Items").size(), 4u);
    EXPECT_EQ(On("VUR_Copy_Items").size(), 5u);
    // Writing starts the format afresh.
    ASSERT_TRUE(one.WriteItemsToClipboard("VUR_Copy_Items"));
    EXPECT_EQ(On("VUR_Copy_Items"), Entries{copied[0]});
}

TEST_F(ItemClipboardTest, PastingReadsTheRecordsBackFromTheirCatalogue)
{
    CItemSet coins = Coins();
    ASSERT_TRUE(coins.MoveItemsToClipboard());
    EXPECT_EQ(ChooseClipboardItemFormat(), "VUR_Move_Items");
    auto pasted = ReadItemsFromClipboard(tree);
    ASSERT_TRUE(pasted);
    EXPECT_EQ(pasted->GetCount(), 4u);
    for (const auto& record : pasted->GetList()) {
        EXPECT_EQ(record->GetCatalogue(), catalogue.get());
        EXPECT_TRUE(coins.ContainsRecord(*record));
        EXPECT_FALSE(record->GetName().empty());
    }

    // A copy format anywhere on the clipboard wins over the cut records.
    clipboard.formats["VUR_Area_Copy"] = BlockOf({"Asia"});
    EXPECT_EQ(ChooseClipboardItemFormat(), "VUR_Copy_Items");
    EXPECT_FALSE(ReadItemsFromClipboard(tree)); // nothing copied in it

    // Entries of catalogues not open, of records that are gone, and text that is no entry add nothing.
    const Entries entries{"/elsewhere/other.ctg^1,1,3", Entry({1, 999999}), "no entry here",
                          Entry(made.thaler)};
    auto some = ReadItemsFromEntries(entries, tree);
    ASSERT_TRUE(some);
    ASSERT_EQ(some->GetCount(), 1u);
    EXPECT_EQ(some->GetCurrent()->GetNumber(), made.thaler.number);
    EXPECT_FALSE(ReadItemsFromEntries({"/elsewhere/other.ctg^1,1,3"}, tree));
}

TEST_F(ItemClipboardTest, AnEmptySetWritesABlockThatPastesNothing)
{
    CItemSet none = CItemSet::FromSql(catalogue.get(), "SELECT * FROM COINS WHERE YEAR < 0");
    ASSERT_TRUE(none.CopyItemsToClipboard());
    ASSERT_TRUE(clipboard.HasFormat("VUR_Copy_Items"));
    EXPECT_EQ(clipboard.formats["VUR_Copy_Items"].size(), 200000u);
    EXPECT_EQ(clipboard.formats["VUR_Copy_Items"][0], 0);
    EXPECT_FALSE(ReadItemsFromClipboard(tree));
}

TEST_F(ItemClipboardTest, NodeFormatsWriteThePathOfTheNodeShowingEachRecord)
{
    CItemSet coins = Coins();
    coins.Load();
    for (const auto& record : coins.GetList()) {
        if (record->GetNumber() == made.mark.number) {
            tree.Show(*record, "Coins^Europe^Germany");
        } else if (record->GetNumber() == made.franc.number) {
            tree.Show(*record, "Coins^Europe^France");
        }
    }
    ASSERT_TRUE(coins.WriteItemsToClipboard("VUR_ItemList_Copy", &tree));
    Entries paths = On("VUR_ItemList_Copy");
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, (Entries{"Coins^Europe^France", "Coins^Europe^Germany"}));
    // Without a tree no node can be named; an item format ignores the tree.
    ASSERT_TRUE(coins.WriteItemsToClipboard("VUR_Query_Move"));
    EXPECT_TRUE(On("VUR_Query_Move").empty());
    ASSERT_TRUE(coins.WriteItemsToClipboard("VUR_Copy_Items", &tree));
    EXPECT_EQ(On("VUR_Copy_Items").size(), 4u);
}

TEST_F(ItemClipboardTest, EntriesFindTheirCatalogueByFileWhateverItsNumberOrPath)
{
    // Two catalogues with the same catalogue number, in folders whose names hold '^' and ','.
    const auto odd = MakeTempFolder("odd") / "a^b,c";
    std::filesystem::create_directories(odd);
    const auto path = CatalogueBuilder(odd / "coins.ctg").Number(3).DataFile(CoinsFile(1)).Build();
    CCatalogueDb second(path);
    const CNodeRef coin = AddRecord(second, 1, 0, {{"NAME", "Solidus"}});
    tree.catalogues = {catalogue.get(), &second};

    CItemSet set(&second);
    ASSERT_TRUE(set.AddRecordByKey(coin));
    ASSERT_TRUE(set.CopyItemsToClipboard());
    const Entries entries = On("VUR_Copy_Items");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0], path.string() + "^1," + std::to_string(coin.GetNumber()) + ",3");
    auto pasted = ReadItemsFromClipboard(tree);
    ASSERT_TRUE(pasted);
    ASSERT_EQ(pasted->GetCount(), 1u);
    EXPECT_EQ(pasted->GetCurrent()->GetCatalogue(), &second);
    EXPECT_EQ(pasted->GetCurrent()->GetName(), "Solidus");

    // A path too long for a slot is cut, never the numbers; the cut path still finds its catalogue.
    const auto deep = MakeTempFolder("long") / std::string(150, 'd') / std::string(150, 'e');
    std::filesystem::create_directories(deep);
    CCatalogueDb far(CatalogueBuilder(deep / "coins.ctg").Number(7).DataFile(CoinsFile(1)).Build());
    tree.catalogues.push_back(&far);
    const std::string entry = FormatItemEntry(far.GetFilePath().string(), 1, 42, 7);
    EXPECT_EQ(entry.size(), 199u);
    EXPECT_TRUE(entry.ends_with("^1,42,7"));
    EXPECT_EQ(FindEntryCatalogue(entry, tree), &far);
    EXPECT_EQ(FindEntryCatalogue(FormatItemEntry(far.GetFilePath().string(), 1, 42, 3), tree), nullptr);
}

TEST_F(ItemClipboardTest, WithoutAClipboardOrWhenItIsNotTakenNothingIsWritten)
{
    CItemSet coins = Coins();
    clipboard.refuse = true;
    EXPECT_FALSE(coins.CopyItemsToClipboard());
    EXPECT_FALSE(clipboard.HasFormat("VUR_Copy_Items"));
    SetClipboardAccess(nullptr);
    EXPECT_FALSE(coins.CopyItemsToClipboard());
    EXPECT_TRUE(ReadClipboardEntries("VUR_Copy_Items").empty());
    EXPECT_EQ(ChooseClipboardItemFormat(), "");
    EXPECT_FALSE(ReadItemsFromClipboard(tree));
}

} // namespace
