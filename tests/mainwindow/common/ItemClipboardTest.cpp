// The item clipboard between two running copies on one display: what one copy puts on the clipboard in
// every private format, the other reads, whichever of the two wrote it. The second copy is clipboard_peer.

#include "mainwindow/common/WxClipboardAccess.h"
#include "platform/dao/DaoWorkspace.h"
#include "store/clipboard/ClipboardEntry.h"
#include "store/program/Settings.h"
#include "tests/mainwindow/common/ClipboardScenario.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/PeerProcess.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <wx/clipbrd.h>

#include <sstream>

using namespace lumarc::test;

namespace {

constexpr int kAddedCoins = 1200; // more records than one 200,000-byte block holds

class ItemClipboardProcessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetSettingString("toDoDataBase", "");
        folder = MakeTempFolder("clip");
        made = MakeTypicalCatalogue(folder);
        catalogue = std::make_unique<CCatalogueDb>(made.path);
        platform::dao::CDaoWorkspace::Default().BeginTrans();
        {
            RecordWriter writer(*catalogue, 1);
            for (int i = 0; i < kAddedCoins; ++i) {
                writer.Add(0,
                           {{"NAME", "Coin " + std::to_string(i)}, {"YEAR", std::to_string(1800 + i % 200)}});
            }
        }
        platform::dao::CDaoWorkspace::Default().CommitTrans();
    }
    void TearDown() override { wxTheClipboard->Clear(); }

    // What either copy must find: every coin copied, the ducat (1650) cut, a path in each node format.
    std::vector<std::string> Expected()
    {
        CItemSet coins = CItemSet::Query(catalogue.get(), 1, nullptr, false);
        coins.Load();
        const std::string first = FormatItemEntry(*coins.GetCurrent());
        const std::string ducat = made.path.string() + "^1," + std::to_string(made.ducat.number) + ",3";
        const std::string count = std::to_string(kAddedCoins + 4);
        return {
            "VUR_Query_Copy 1 Coins^Europe^VUR_Query_Copy",
            "VUR_ItemList_Copy 1 Coins^Europe^VUR_ItemList_Copy",
            "VUR_Area_Copy 1 Coins^Europe^VUR_Area_Copy",
            "VUR_Copy_Items " + count + " " + first,
            "VUR_Move_Items 1 " + ducat,
            "VUR_Query_Move 1 Coins^Europe^VUR_Query_Move",
            "VUR_ItemList_Move 1 Coins^Europe^VUR_ItemList_Move",
            "VUR_Area_Move 1 Coins^Europe^VUR_Area_Move",
            "VUR_Drop_Items present",
            "VUR_Link_Items absent",
            "pasted " + count + " " + coins.GetCurrent()->GetName(),
        };
    }

    static std::vector<std::string> Lines(const std::string& text)
    {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line) && line != "done";) {
            lines.push_back(line);
        }
        return lines;
    }

    std::filesystem::path folder;
    TypicalCatalogue made;
    std::unique_ptr<CCatalogueDb> catalogue;
    CWxClipboardInstaller clipboard;
};

TEST_F(ItemClipboardProcessTest, WhatAnotherCopyPutThereIsReadHere)
{
    PeerProcess peer(CLIPBOARD_PEER, folder / "peer.log", {"write", made.path.string()});
    ASSERT_TRUE(peer.IsStarted());
    ASSERT_TRUE(peer.WaitForLog("ready")) << peer.Log();
    EXPECT_EQ(DescribeClipboard(*catalogue), Expected());
    // A block of more than one step arrives whole.
    const auto block = GetClipboardAccess()->GetData(kCopyItemsFormat);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->size(), 2 * kClipboardBlockBytes);
}

TEST_F(ItemClipboardProcessTest, WhatThisCopyPutThereIsReadByAnother)
{
    ASSERT_TRUE(PutScenarioOnClipboard(*catalogue));
    PeerProcess peer(CLIPBOARD_PEER, folder / "peer.log", {"read", made.path.string()});
    ASSERT_TRUE(peer.IsStarted());
    ASSERT_TRUE(peer.WaitForLog("done")) << peer.Log();
    EXPECT_EQ(Lines(peer.Log()), Expected());
    EXPECT_TRUE(peer.WaitExit());
}

TEST_F(ItemClipboardProcessTest, DataOfAnotherProgramInOurFormatsGivesNothing)
{
    // Text under the program's format names, as any program may put there.
    ASSERT_TRUE(GetClipboardAccess()->SetFormats(
        {{"VUR_Copy_Items", {'n', 'o', '^', 'x'}}, {"VUR_Move_Items", ClipboardBlock(450, 0xFF)}}));
    EXPECT_EQ(ReadClipboardEntries(kCopyItemsFormat), std::vector<std::string>{"no^x"});
    EXPECT_EQ(ReadClipboardEntries(kMoveItemsFormat).size(), 3u);
    FakeElementTree tree;
    tree.catalogues = {catalogue.get()};
    EXPECT_FALSE(ReadItemsFromClipboard(tree));
}

} // namespace
