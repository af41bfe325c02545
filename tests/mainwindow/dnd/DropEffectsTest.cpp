// The drag-and-drop decisions without a window: the effect by keys and accepted effects, the drop menu,
// the data a drag carries and the automatic scrolling near a pane's edges.

#include "mainwindow/dnd/DropEffects.h"

#include "store/program/Settings.h"
#include "tests/support/TestNames.h"

#include <gtest/gtest.h>

using namespace dnd;

namespace {

constexpr int C = kEffectCopy, M = kEffectMove, L = kEffectLink, N = kEffectNone;

struct EffectRow
{
    const char* what;
    int accepted;
    int none, shift, ctrl, ctrlShift; // the effect with no key, Shift, Ctrl, Ctrl+Shift
};

class DropEffectTable : public ::testing::TestWithParam<EffectRow>
{
};

TEST_P(DropEffectTable, KeysChooseTheEffectAndTheRightButtonAlwaysShowsMove)
{
    const EffectRow& row = GetParam();
    EXPECT_EQ(ChooseDropEffect(row.accepted, 0), row.none);
    EXPECT_EQ(ChooseDropEffect(row.accepted, kKeyShift), row.shift);
    EXPECT_EQ(ChooseDropEffect(row.accepted, kKeyCtrl), row.ctrl);
    EXPECT_EQ(ChooseDropEffect(row.accepted, kKeyCtrl | kKeyShift), row.ctrlShift);
    const int right = row.accepted == N ? N : M;
    for (const int keys : {0, kKeyShift, kKeyCtrl, kKeyCtrl | kKeyShift})
        EXPECT_EQ(ChooseDropEffect(row.accepted, keys | kKeyRightButton), right);
}

INSTANTIATE_TEST_SUITE_P(Accepted, DropEffectTable,
                         ::testing::Values(EffectRow{"nothing", N, N, N, N, N},
                                           EffectRow{"copy only", C, C, C, C, C},
                                           EffectRow{"move only", M, M, M, M, M},
                                           EffectRow{"link only", L, L, L, L, L},
                                           EffectRow{"copy and move", C | M, M, M, C, C},
                                           EffectRow{"copy and link", C | L, C, C, C, L},
                                           EffectRow{"move and link", M | L, M, L, M, L},
                                           EffectRow{"copy move and link", C | M | L, M, M, C, L}),
                         lumarc::test::NameFromWhat());

TEST(DropMenu, OffersOnlyTheAllowedEffectsAndAlwaysCancel)
{
    const auto entries = DropMenuEntries(C);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].stringId, 507); // "Move here" first, the default
    EXPECT_FALSE(entries[0].enabled);
    EXPECT_EQ(entries[1].stringId, 508);
    EXPECT_TRUE(entries[1].enabled);
    EXPECT_EQ(entries[1].command, C);
    EXPECT_FALSE(entries[2].enabled);
    EXPECT_TRUE(entries[3].separator);
    EXPECT_EQ(entries[4].stringId, 20614);
    EXPECT_EQ(entries[4].command, N);
    EXPECT_TRUE(entries[4].enabled);
}

TEST(LinkList, TakesItemsOfItsKindOrOfEveryKindAndAddressesWhereItShowsBookmarks)
{
    struct Row
    {
        const char* what;
        bool hasItems;
        int listKind;
        int firstKind;
        bool accepts;
    };
    const Row rows[] = {
        {"every kind takes any item", true, 0, 3, true},
        {"its own kind", true, 1, 1, true},
        {"another kind first", true, 1, 2, false},
        {"no item entries", false, 0, 0, false},
        {"no item entries, list of a kind", false, 1, 1, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(LinkListAccepts(row.hasItems, row.listKind, row.firstKind), row.accepts) << row.what;
    EXPECT_TRUE(LinkListTakes(0, 7));
    EXPECT_TRUE(LinkListTakes(7, 7));
    EXPECT_FALSE(LinkListTakes(7, 1));
    EXPECT_TRUE(LinkListTakesAddresses(0));
    EXPECT_TRUE(LinkListTakesAddresses(24));
    EXPECT_FALSE(LinkListTakesAddresses(1));
}

TEST(DragFormats, TheProgramsFormatsComeFirstAndBrowsersGiveWebAddresses)
{
    EXPECT_EQ(DropFormats().front(), "VUR_Drop_Items");
    EXPECT_EQ(ClassifyDragFormat("VUR_Drop_Items"), DragData::Items);
    EXPECT_EQ(ClassifyDragFormat("VUR_ItemList_Copy"), DragData::Items);
    EXPECT_EQ(ClassifyDragFormat("VUR_Link_Items"), DragData::None);
    EXPECT_EQ(ClassifyDragFormat("text/x-moz-url"), DragData::WebAddress);
    EXPECT_EQ(ClassifyDragFormat("_NETSCAPE_URL"), DragData::WebAddress);
    EXPECT_EQ(ClassifyDragFormat("text/uri-list"), DragData::Files);
    EXPECT_EQ(ClassifyDragFormat("text/plain"), DragData::None);
    for (const auto format : DropFormats())
        EXPECT_NE(ClassifyDragFormat(format), DragData::None) << format;
}

TEST(AutoScroll, StepsOneLineTowardsTheNearEdgesOnceTheDelayHasPassed)
{
    AutoScroll scroll(AutoScrollSettings{11, 200});
    EXPECT_FALSE(scroll.Update(100, 100, 300, 400, 0).Scrolls());
    EXPECT_TRUE(scroll.IsIdle());
    EXPECT_FALSE(scroll.Update(100, 10, 300, 400, 1000).Scrolls()); // reaching the top starts the timer
    EXPECT_FALSE(scroll.Update(100, 10, 300, 400, 1200).Scrolls()); // not more than the delay yet
    auto step = scroll.Update(100, 10, 300, 400, 1201);
    EXPECT_EQ(step.dy, -1);
    EXPECT_EQ(step.dx, 0);
    EXPECT_FALSE(scroll.Update(100, 10, 300, 400, 1300).Scrolls());
    step = scroll.Update(295, 395, 300, 400, 1500); // the bottom right corner
    EXPECT_EQ(step.dx, 1);
    EXPECT_EQ(step.dy, 1);
    EXPECT_FALSE(scroll.Update(11, 11, 300, 400, 1600).Scrolls()); // exactly the inset away: no scroll
    EXPECT_TRUE(scroll.IsIdle());
}

TEST(AutoScroll, SettingsFallBackToTheirDefaults)
{
    SetSettingString("DragScrollInset", "");
    SetSettingString("DragScrollDelay", "soon");
    EXPECT_EQ(ReadAutoScrollSettings().inset, 11);
    EXPECT_EQ(ReadAutoScrollSettings().delayMs, 200);
    SetSettingString("DragScrollInset", "20");
    SetSettingString("DragScrollDelay", "50");
    EXPECT_EQ(ReadAutoScrollSettings().inset, 20);
    EXPECT_EQ(ReadAutoScrollSettings().delayMs, 50);
}

} // namespace
