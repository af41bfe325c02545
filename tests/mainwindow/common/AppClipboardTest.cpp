#include "mainwindow/common/AppClipboard.h"
#include "tests/support/PeerProcess.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>

namespace {

void PutOnClipboard(const char* format)
{
    ASSERT_TRUE(wxTheClipboard->Open());
    auto* data = new wxCustomDataObject(wxDataFormat(format)); // owned by the clipboard
    data->SetData(4, "abc");
    wxTheClipboard->SetData(data);
    wxTheClipboard->Close();
}

} // namespace

TEST(AppClipboard, TellsTheKindsOfItemsAndEmpties)
{
    bool ownCopy = false;
    int forgotten = 0;
    SetAppClipboardState({[&] { return ownCopy; }, [&] { ++forgotten; }});

    struct Case
    {
        const char* format;
        bool copy;
        bool move;
        bool link;
    };
    const Case cases[] = {
        {"VUR_Copy_Items", true, false, false}, {"VUR_Query_Copy", true, false, false},
        {"VUR_Area_Move", false, true, false},  {"VUR_ItemList_Move", false, true, false},
        {"VUR_Link_Items", false, false, true}, {"Something_Else", false, false, false},
    };
    for (const auto& c : cases) {
        PutOnClipboard(c.format);
        EXPECT_TRUE(ClipboardHasNamedFormat(c.format)) << c.format;
        EXPECT_EQ(ClipboardHasCopyItems(), c.copy) << c.format;
        EXPECT_EQ(ClipboardHasMoveItems(), c.move) << c.format;
        EXPECT_EQ(ClipboardHasLinkItems(), c.link) << c.format;
    }
    ownCopy = true;
    EXPECT_TRUE(ClipboardHasCopyItems());
    ownCopy = false;

    ClearClipboard();
    EXPECT_EQ(forgotten, 1);
    EXPECT_FALSE(ClipboardHasNamedFormat("Something_Else"));
    ASSERT_TRUE(OpenAppClipboard());
    EXPECT_FALSE(ClipboardHasCopyItems()); // asked while the caller holds the clipboard open
    wxTheClipboard->Close();
    SetAppClipboardState({});

    // What another copy put there is emptied as well. (One test: the display's clipboard is shared by
    // every test process running at the same time.)
    lumarc::test::PeerProcess peer(BROADCAST_PEER, lumarc::test::MakeTempFolder("peer") / "peer.log",
                                   {"--clipboard"});
    ASSERT_TRUE(peer.WaitForLog("ready")) << peer.Log();
    EXPECT_TRUE(ClipboardHasMoveItems());
    ClearClipboard();
    EXPECT_FALSE(ClipboardHasMoveItems());
}
