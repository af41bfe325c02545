// The "Open" browse dialog on the typical catalogue: what it shows at the start and after Up, the combo
// and the view buttons, and Add Selected putting the chosen records on the clipboard.

#include "mainwindow/placement/NodeBrowseDlg.h"

#include "mainwindow/common/WxClipboardAccess.h"
#include "mainwindow/panes/address/AddressCombo.h"
#include "mainwindow/panes/list/CorvantView.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/records/ItemSet.h"
#include "tests/mainwindow/dialogs/DialogDriver.h"
#include "tests/mainwindow/panes/TreePaneFixture.h"
#include "tree/base/ElementTreeSource.h"

#include <wx/button.h>

using namespace lumarc::test;

namespace {

class NodeBrowseDlgTest : public PaneFixture
{
protected:
    void SetUp() override
    {
        PaneFixture::SetUp();
        SetClipboardAccess(&clipboard);
        window->Show();
    }
    void TearDown() override
    {
        SetClipboardAccess(nullptr);
        PaneFixture::TearDown();
    }
    CTreeNode* Germany()
    {
        CTreeNode* europe = Child(*catalogueNode, "Europe");
        return europe != nullptr ? Child(*europe, "Germany") : nullptr;
    }
    static std::vector<std::string> Rows(CCorvantView& list)
    {
        std::vector<std::string> rows;
        for (long row = 0; row < list.GetRowCount(); ++row)
            rows.push_back(list.CellText(row, 0));
        return rows;
    }
    // The names of the records the clipboard holds in the copy format.
    std::vector<std::string> ClipboardRecords()
    {
        CElementTreeSource tree(*root);
        std::vector<std::string> names;
        if (auto items = ReadItemsFromClipboard(tree)) {
            for (bool more = items->MoveFirst(); more; more = items->MoveNext())
                names.push_back(items->GetCurrentName());
        }
        return names;
    }

    CWxClipboardAccess clipboard;
};

TEST_F(NodeBrowseDlgTest, ShowsTheStartsChildrenAndGoesUpAndToTheElementChosenInLookIn)
{
    CTreeNode* germany = Germany();
    ASSERT_NE(germany, nullptr);
    CNodeBrowseDlg dialog(window, *frame, *germany, false, nullptr);
    dialog.Show();
    RunEvents(50);
    EXPECT_EQ(dialog.GetTitle(), "Open");
    EXPECT_EQ(dialog.FindWindow(1038)->GetLabel(), "&Add Selected");
    CCorvantView& list = dialog.GetList();
    EXPECT_EQ(list.GetShownElement(), germany);
    EXPECT_EQ(Rows(list),
              (std::vector<std::string>{"Click here to insert a new item", "Mark 1950", "Prussia"}));
    const int lookInLine = dialog.GetLookIn().GetSelection();
    ASSERT_NE(lookInLine, wxNOT_FOUND);
    EXPECT_EQ(dialog.GetLookIn().GetLineNode(lookInLine), germany) << "Look in names the element shown";
    Screenshot(dialog, "browse-open");

    struct Step
    {
        const char* what;
        std::function<void()> act;
        const char* shown;
    };
    const Step steps[] = {
        {"up to Europe", [&] { Click(dialog, 133); }, "Europe"},
        {"the catalogue chosen in Look in",
         [&] {
             AddressCombo& lookIn = dialog.GetLookIn();
             for (int line = 0; line < static_cast<int>(lookIn.GetCount()); ++line) {
                 if (lookIn.GetLineNode(line) == catalogueNode)
                     lookIn.ChooseLine(line);
             }
         },
         catalogueNode->GetName().c_str()},
        {"no higher than the catalogues", [&] { Click(dialog, 133); }, catalogueNode->GetName().c_str()},
    };
    for (const Step& step : steps) {
        step.act();
        ASSERT_NE(list.GetShownElement(), nullptr) << step.what;
        EXPECT_EQ(list.GetShownElement()->GetName(), step.shown) << step.what;
    }
    Click(dialog, 8717);
    EXPECT_EQ(list.GetViewStyle(), ListViewStyle::List);
    Click(dialog, 8718);
    EXPECT_EQ(list.GetViewStyle(), ListViewStyle::Report);
}

TEST_F(NodeBrowseDlgTest, AddSelectedPutsTheSelectedRecordsOnTheClipboard)
{
    struct Case
    {
        const char* name;
        bool copyMode;
        std::vector<const char*> selected;
        int answer;
        std::vector<std::string> onClipboard;
    };
    const Case cases[] = {
        {"the mark", false, {"Mark 1950"}, wxID_OK, {"Mark 1950"}},
        {"copy mode", true, {"Mark 1950"}, wxID_OK, {"Mark 1950"}},
        {"a folder is no record", false, {"Prussia"}, wxID_CANCEL, {}},
        {"nothing selected", false, {}, wxID_CANCEL, {}},
    };
    for (const Case& c : cases) {
        CTreeNode* germany = Germany();
        ASSERT_NE(germany, nullptr);
        wxString label;
        WhenShown([&](wxDialog& shown) {
            auto& dialog = static_cast<CNodeBrowseDlg&>(shown);
            label = dialog.FindWindow(1038)->GetLabel();
            CCorvantView& list = dialog.GetList();
            for (long row = 0; row < list.GetRowCount(); ++row) {
                for (const char* name : c.selected) {
                    if (list.CellText(row, 0) == name)
                        list.SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
                }
            }
            Click(dialog, 1038);
        });
        CNodeBrowseDlg dialog(window, *frame, *germany, c.copyMode, nullptr);
        EXPECT_EQ(dialog.ShowModal(), c.answer) << c.name;
        EXPECT_EQ(label, c.copyMode ? "Copy from selected" : "&Add Selected") << c.name;
        EXPECT_EQ(ClipboardRecords(), c.onClipboard) << c.name;
    }
}

} // namespace
