// The content list on catalogues made by the fixture builder, in a bare frame under the display: the
// columns it chooses, sorting, the "Own It?" cells, the adding row, opening rows and its keys; and the
// record form's two lists (their keys, menus and label edits) over a fake form.

#include "mainwindow/panes/list/CorvantView.h"
#include "mainwindow/panes/list/FormLists.h"

#include "codecs/CatalogueImage.h"
#include "store/definitions/DataFileDef.h"
#include "store/markup/MarkupNode.h"
#include "store/records/FolderRecord.h"
#include "tests/mainwindow/panes/ListPaneFixture.h"
#include "tests/support/WindowShot.h"
#include "tree/base/AreaFileNode.h"
#include "tree/menus/NodeMenu.h"
#include "tree/orders/OrderingNodes.h"
#include "tree/queries/QueryNodes.h"

#include <wx/textctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <tuple>

namespace {

using namespace lumarc::test;

std::vector<std::string> Titles(CCorvantView& view)
{
    std::vector<std::string> titles;
    for (int i = 0; i < view.GetColumnCount(); ++i) {
        wxListItem item;
        item.SetMask(wxLIST_MASK_TEXT);
        view.GetColumn(i, item);
        titles.push_back(item.GetText().utf8_string());
    }
    return titles;
}

// What a list shows, and the columns it must choose for it.
struct ColumnCase
{
    const char* name;
    std::function<std::unique_ptr<CItemSet>(CCatalogueDb&, const TypicalCatalogue&)> rows;
    std::vector<std::string> titles;
};

std::unique_ptr<CItemSet> SetOf(CItemSet set)
{
    return std::make_unique<CItemSet>(std::move(set));
}

const ColumnCase kColumnCases[] = {
    {"EmptySet",
     [](CCatalogueDb& c, const TypicalCatalogue& m) {
         return SetOf(CItemSet::Query(&c, 1, c.FindFolder(m.asia), false));
     },
     {"Name"}},
    {"OneFolderOneFile",
     [](CCatalogueDb& c, const TypicalCatalogue& m) {
         return SetOf(CItemSet::Query(&c, 1, c.FindFolder(m.germany), false));
     },
     {"Name", "Own It?", "NAME", "YEAR", "Crea. Date", "Modi. Date"}},
    {"SeveralFoldersOneFile",
     [](CCatalogueDb& c, const TypicalCatalogue&) { return SetOf(CItemSet::Query(&c, 1, nullptr, false)); },
     {"Name", "Folder", "NAME", "YEAR", "Crea. Date", "Modi. Date"}},
    {"SeveralFoldersSeveralFiles",
     [](CCatalogueDb& c, const TypicalCatalogue& m) {
         AddRecord(c, 3, m.asia, {{"NAME", "Tokyo dealer"}});
         return SetOf(CItemSet::Query(&c, -1, nullptr, false));
     },
     {"Name", "Folder", "Crea. Date", "Modi. Date"}},
    {"OneFolderSeveralFiles",
     [](CCatalogueDb& c, const TypicalCatalogue& m) {
         AddRecord(c, 1, m.asia, {{"NAME", "Yen"}});
         AddRecord(c, 3, m.asia, {{"NAME", "Tokyo dealer"}});
         return SetOf(CItemSet::Query(&c, -1, c.FindFolder(m.asia), false));
     },
     {"Name", "Crea. Date", "Modi. Date"}},
};

class ColumnSetTest : public CorvantViewTest, public testing::WithParamInterface<ColumnCase>
{
};

TEST_P(ColumnSetTest, ChoosesTheColumnsForWhatTheRowsHold)
{
    catalogue->FindDefinition(1)->SetOwnItButton(true);
    std::unique_ptr<CItemSet> set = GetParam().rows(*catalogue, made);
    set->Load();
    CAreaFileNode node(*set);
    view->SetShownElement(&node);
    EXPECT_EQ(testing::PrintToString(Titles(*view)), testing::PrintToString(GetParam().titles));
    view->SetShownElement(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Rows, ColumnSetTest, testing::ValuesIn(kColumnCases),
                         [](const testing::TestParamInfo<ColumnCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(CorvantViewTest, AnElementWithoutRecordsShowsItsChildrenUnderNameOnly)
{
    view->SetShownElement(catalogueNode);
    EXPECT_EQ(Titles(*view), std::vector<std::string>{"Name"});
    std::vector<std::string> names = Names();
    ASSERT_GE(names.size(), 2u);
    // Clicking the header sorts by name, up and then down.
    view->SortByColumn(0);
    std::vector<std::string> up = Names();
    EXPECT_TRUE(std::is_sorted(up.begin(), up.end()));
    view->SortByColumn(0);
    std::vector<std::string> down = Names();
    EXPECT_TRUE(std::is_sorted(down.rbegin(), down.rend()));
    EXPECT_NE(up, down);
}

TEST_F(CorvantViewTest, SortsAFolderBothWaysAndTheFolderKeepsTheOrder)
{
    AddGermanCoins();
    CTreeNode* germany = Find("Europe^Germany");
    ASSERT_NE(germany, nullptr);
    germany->Reload();
    view->Refill();
    view->SetShownElement(germany);
    ASSERT_TRUE(view->IsAddRow(0));
    ASSERT_EQ(RecordNames().size(), 4u);

    view->SortByColumn(0);
    const std::vector<std::string> first = RecordNames();
    view->SortByColumn(0);
    const std::vector<std::string> second = RecordNames();
    EXPECT_TRUE(std::is_sorted(first.begin(), first.end()) || std::is_sorted(first.rbegin(), first.rend()));
    EXPECT_EQ(std::vector<std::string>(first.rbegin(), first.rend()), second);

    CCatalogueDb reopened(made.path);
    ASSERT_NE(reopened.FindFolder(made.germany), nullptr);
    EXPECT_EQ(reopened.FindFolder(made.germany)->GetOrderedBy(), 100);
}

TEST_F(CorvantViewTest, ClickingOwnItTogglesTheMark)
{
    catalogue->FindDefinition(1)->SetOwnItButton(true);
    CTreeNode* germany = Find("Europe^Germany");
    view->SetShownElement(germany);
    ASSERT_EQ(Titles(*view)[1], "Own It?");
    ASSERT_EQ(view->CellCheck(1, 1), 0);
    view->ClickCell(1, 1, wxPoint(50, 30));
    EXPECT_EQ(view->CellCheck(1, 1), 1);
    view->ClickCell(1, 1, wxPoint(50, 30));
    EXPECT_EQ(view->CellCheck(1, 1), 0);
    // The adding row has no check box.
    EXPECT_EQ(view->CellCheck(0, 1), -1);
    SaveWindowShot(*window, "list-ownit");
}

TEST_F(CorvantViewTest, TheAddingRowOpensANewRecordAndOtherRowsTheirOwn)
{
    CTreeNode* germany = Find("Europe^Germany");
    view->SetShownElement(germany);
    ASSERT_TRUE(view->IsAddRow(0));
    EXPECT_EQ(view->CellText(0, 0), "Click here to insert a new item");
    EXPECT_EQ(view->CellText(1, 0), "Mark 1950");

    view->ActivateRow(1, false);
    ASSERT_EQ(form.opened.size(), 1u);
    EXPECT_EQ(form.opened[0], made.mark.In(*catalogue).GetCode());

    frame.current = germany;
    view->ActivateRow(0, false);
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(opener.opened[0].first, 1);
    EXPECT_EQ(opener.opened[0].second, germany);
}

TEST_F(CorvantViewTest, ActivatingAnElementRowMakesItCurrent)
{
    view->SetShownElement(catalogueNode);
    CTreeNode* first = view->ElementOfRow(0);
    ASSERT_NE(first, nullptr);
    view->ActivateRow(0, false);
    ASSERT_EQ(frame.madeCurrent.size(), 1u);
    EXPECT_EQ(frame.madeCurrent[0], first);
}

TEST_F(CorvantViewTest, KeysRunTheirCommands)
{
    view->SetShownElement(Find("Europe^Germany"));
    struct KeyCase
    {
        int key;
        bool control;
        int command;
    };
    for (const KeyCase& k :
         {KeyCase{WXK_BACK, false, CCorvantView::kCmdUpOneLevel},
          KeyCase{'A', true, CCorvantView::kCmdSelectAll}, KeyCase{'F', true, CCorvantView::kCmdQuickSearch},
          KeyCase{WXK_NUMPAD6, true, CCorvantView::kCmdQuickSearch},
          KeyCase{WXK_F4, false, CCorvantView::kCmdGoToWebPage}}) {
        frame.commands.clear();
        EXPECT_TRUE(view->OnListKey(k.key, k.control, false));
        EXPECT_EQ(frame.commands, std::vector<int>{k.command}) << "key " << k.key;
    }
    EXPECT_TRUE(view->OnListKey(WXK_F5, false, false));
    EXPECT_EQ(frame.reloads.size(), 1u);
    EXPECT_TRUE(view->OnListKey(WXK_WINDOWS_MENU, false, false));
    EXPECT_EQ(frame.contextMenus.size(), 1u);
    // Not up a level in the simple list.
    frame.startMode = 3;
    frame.commands.clear();
    view->OnListKey(WXK_BACK, false, false);
    EXPECT_TRUE(frame.commands.empty());
}

TEST_F(CorvantViewTest, DeleteSendsTheSelectedRecordToTheWastebasket)
{
    CTreeNode* germany = Find("Europe^Germany");
    view->SetShownElement(germany);
    view->SetItemState(1, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                       wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    Dialogs().answers.push_back(6);
    EXPECT_TRUE(view->OnListKey(WXK_DELETE, false, false));
    EXPECT_FALSE(IsLiveRecord(*catalogue, made.mark.In(*catalogue)));
    // The subfolder stays.
    EXPECT_EQ(Names(), std::vector<std::string>{"Prussia"});
}

TEST_F(CorvantViewTest, FirstColumnWidthIsStoredOnlyWithinItsBounds)
{
    view->SetShownElement(Find("Europe^Germany"));
    for (const auto& [width, stored] :
         {std::pair{150, 150}, std::pair{5, 150}, std::pair{420, 150}, std::pair{300, 300}}) {
        view->SetColumnWidth(0, width);
        view->SaveColumnWidths();
        EXPECT_EQ(GetSettingInt("FirstColumnWidth", 0), stored) << width;
    }
    SetSettingInt("FirstColumnWidth", 3);
    EXPECT_EQ(FirstColumnWidth(), 10);
}

TEST_F(CorvantViewTest, FieldWidthsGoIntoTheDefinition)
{
    view->SetShownElement(Find("Europe^Germany"));
    const std::vector<std::string> titles = Titles(*view);
    const auto year = std::find(titles.begin(), titles.end(), "YEAR") - titles.begin();
    view->SetColumnWidth(static_cast<int>(year), 123);
    view->SaveColumnWidths();
    CCatalogueDb reopened(made.path);
    reopened.LoadDefinitionsIfNeeded();
    EXPECT_EQ(reopened.FindDefinition(1)->GetFieldDimension(1), 123);
}

TEST_F(CorvantViewTest, EveryViewStyleShowsTheRows)
{
    AddGermanCoins();
    catalogue->FindDefinition(1)->SetOwnItButton(true);
    CTreeNode* germany = Find("Europe^Germany");
    germany->Reload();
    for (const auto& [setting, style] :
         {std::pair{"LARGE", ListViewStyle::Large}, std::pair{"SMALL", ListViewStyle::Small},
          std::pair{"LIST", ListViewStyle::List}, std::pair{"REPORT", ListViewStyle::Report}}) {
        SetSettingString("ListIs", setting);
        view->Destroy();
        view = new CCorvantView(window, frame);
        window->SendSizeEvent();
        ASSERT_EQ(view->GetViewStyle(), style) << setting;
        view->SetShownElement(germany);
        EXPECT_EQ(view->GetItemCount(), 6) << setting; // the adding row, four coins, Prussia
        EXPECT_EQ(view->GetItemText(1).utf8_string(), view->CellText(1, 0)) << setting;
        EXPECT_EQ(view->InReportView(), style == ListViewStyle::Report) << setting;
        SaveWindowShot(*window, std::string("list-") + setting);
    }
    // Switching at run time keeps the rows.
    view->SetViewStyle(ListViewStyle::List);
    EXPECT_EQ(view->GetItemCount(), 6);
    EXPECT_FALSE(view->InReportView());
}

TEST_F(CorvantViewTest, TheCartAndItsShopsShowPriceQuantityAndTotal)
{
    CMarkupNode cart("base", "baseShopping");
    CMarkupNode* numis = cart.AddChild(std::make_unique<CMarkupNode>("Numis Ltd", "shop"));
    for (const auto& [item, price, quantity] :
         {std::tuple{"Aureus of Nero", "12.50", "3"}, std::tuple{"Denarius", "1,250.05", "2"}}) {
        CMarkupNode* row = numis->AddChild(std::make_unique<CMarkupNode>(item, "item"));
        row->SetAttribute("price", price);
        row->SetAttribute("quantity", quantity);
        row->SetAttribute("shopName", "Numis Ltd");
    }
    cart.AddChild(std::make_unique<CMarkupNode>("Coin Corner", "shop"));
    ASSERT_TRUE(catalogue->WriteFileTree(kCartTextName, cart));
    AppendShoppingCartNodes(*catalogueNode, *catalogue);
    CTreeNode* cartNode = Find("Shopping Cart");
    ASSERT_NE(cartNode, nullptr);

    const std::vector<std::string> titles{"Name", "Price", "Quantity", "Total"};
    view->SetShownElement(cartNode);
    EXPECT_EQ(Titles(*view), titles);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Numis Ltd", "Coin Corner"}));
    EXPECT_EQ(view->GetItemText(0, 1).utf8_string(), "");

    CTreeNode* shop = view->ElementOfRow(0);
    ASSERT_NE(shop, nullptr);
    view->SetShownElement(shop);
    EXPECT_EQ(Titles(*view), titles);
    ASSERT_EQ(view->GetItemCount(), 2);
    std::vector<std::vector<std::string>> cells;
    for (long row = 0; row < view->GetItemCount(); ++row) {
        cells.emplace_back();
        for (int column = 0; column < 4; ++column) {
            cells.back().push_back(view->GetItemText(row, column).utf8_string());
        }
    }
    EXPECT_EQ(cells, (std::vector<std::vector<std::string>>{{"Aureus of Nero", "12.50", "3", "$ 37.50"},
                                                            {"Denarius", "1,250.05", "2", "$ 2,500.10"}}));
    EXPECT_TRUE(view->ElementOfRow(1)->IsShopItem());
    // No column sorts these rows.
    for (int column = 0; column < 4; ++column) {
        view->SortByColumn(column);
        EXPECT_EQ(view->CellText(0, 0), "Aureus of Nero") << column;
    }
    SaveWindowShot(*window, "list-cart-shop");
    view->SetShownElement(nullptr);
}

// Large-icon tiles: the coins of a folder with pictures, the coins' picture field named as the large icon
// and placed on the form at 64 by 48.
class PictureTilesTest : public CorvantViewTest
{
protected:
    void SetUp() override
    {
        CorvantViewTest::SetUp();
        CDataFileDef* coins = catalogue->FindDefinition(1);
        coins->SetLargeIcon("PICTURE");
        coins->SetIconSelector(1);
        CMarkupNode* picture = FindGuiInfoElement(1, catalogue.get())->FindFirstByName("PICTURE");
        ASSERT_NE(picture, nullptr);
        picture->SetAttributeInt("LENGTH", 64);
        picture->SetAttributeInt("DEPTH", 48);
    }

    void ShowLarge(CTreeNode* element)
    {
        SetSettingString("ListIs", "LARGE");
        view->Destroy();
        view = new CCorvantView(window, frame);
        window->SendSizeEvent();
        view->SetShownElement(element);
        LetWindowsPaint();
        view->MakeVisiblePictures();
    }

    long RowNamed(const std::string& name)
    {
        for (long row = 0; row < view->GetItemCount(); ++row) {
            if (view->CellText(row, 0) == name) {
                return row;
            }
        }
        return -1;
    }

    // The row's large picture as the list holds it.
    wxImage TileOf(long row)
    {
        wxListItem item;
        item.SetId(row);
        item.SetMask(wxLIST_MASK_IMAGE);
        view->GetItem(item);
        return view->GetImageList(wxIMAGE_LIST_NORMAL)->GetBitmap(item.GetImage()).ConvertToImage();
    }

    static std::string Bytes(const std::string& spec, const std::string& format)
    {
        const std::vector<std::uint8_t> bytes = MakePictureBytes(spec, format);
        return {bytes.begin(), bytes.end()};
    }
};

bool IsColour(const wxImage& image, int x, int y, unsigned char r, unsigned char g, unsigned char b)
{
    return std::abs(image.GetRed(x, y) - r) < 40 && std::abs(image.GetGreen(x, y) - g) < 40 &&
           std::abs(image.GetBlue(x, y) - b) < 40;
}

TEST_F(PictureTilesTest, EachCoinShowsItsPictureOnATileOfTheFormsSize)
{
    AddRecord(*catalogue, 1, made.germany,
              {{"NAME", "Wide"}, {"PICTURE", Bytes("-size 200x100 xc:red", "jpg")}});
    AddRecord(*catalogue, 1, made.germany,
              {{"NAME", "Tiny"}, {"PICTURE", Bytes("-size 8x8 xc:lime", "jpg")}});
    AddRecord(*catalogue, 1, made.germany,
              {{"NAME", "Placeholder"}, {"PICTURE", Bytes("-size 16x16 xc:blue", "jpg")}});
    CTreeNode* germany = Find("Europe^Germany");
    germany->Reload();
    ShowLarge(germany);
    ASSERT_EQ(view->GetPictureField(), catalogue->FindDefinition(1)->FindFieldByName("PICTURE"));
    int width = 0;
    int height = 0;
    view->GetImageList(wxIMAGE_LIST_NORMAL)->GetSize(0, width, height);
    EXPECT_EQ(wxSize(width, height), wxSize(64, 48));

    // A wide picture shrinks to the tile's width, keeping its shape (64 by 32, centred).
    const wxImage wide = TileOf(RowNamed("Wide"));
    ASSERT_EQ(wide.GetSize(), wxSize(64, 48));
    EXPECT_TRUE(IsColour(wide, 32, 24, 255, 0, 0));
    EXPECT_TRUE(IsColour(wide, 2, 10, 255, 0, 0));
    EXPECT_FALSE(IsColour(wide, 32, 4, 255, 0, 0));
    // A small one grows to the tile's height (48 by 48).
    const wxImage tiny = TileOf(RowNamed("Tiny"));
    EXPECT_TRUE(IsColour(tiny, 32, 2, 0, 255, 0));
    EXPECT_TRUE(IsColour(tiny, 10, 45, 0, 255, 0));
    // A 16 by 16 placeholder, and a coin without picture, show the data file's own picture (gold).
    for (const char* name : {"Placeholder", "Mark 1950"}) {
        const wxImage own = TileOf(RowNamed(name));
        EXPECT_TRUE(IsColour(own, 32, 24, 255, 215, 0)) << name;
        EXPECT_FALSE(IsColour(own, 32, 2, 255, 215, 0)) << name; // 32 by 32 on the tile
    }
    SaveWindowShot(*window, "list-large-pictures");

    // The report view of the same folder keeps the 32 by 32 pictures of the kinds.
    SetSettingString("ListIs", "REPORT");
    view->SetViewStyle(ListViewStyle::Report);
    EXPECT_EQ(view->GetPictureField(), -1);
}

TEST_F(PictureTilesTest, OnlyTheRowsInViewHaveTheirPicturesMade)
{
    const std::string picture = Bytes("-size 40x40 xc:red", "jpg");
    RecordWriter coins(*catalogue, 1);
    for (int i = 0; i < 300; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "Coin %03d", i);
        coins.Add(made.germany, {{"NAME", name}, {"PICTURE", picture}});
    }
    CTreeNode* germany = Find("Europe^Germany");
    germany->Reload();
    ShowLarge(germany);
    const auto shown = [this] {
        std::vector<long> rows;
        for (long row = 0; row < view->GetItemCount(); ++row) {
            if (view->MoveToRecordRow(row) && IsColour(TileOf(row), 32, 24, 255, 0, 0)) {
                rows.push_back(row);
            }
        }
        return rows;
    };
    const std::vector<long> first = shown();
    ASSERT_FALSE(first.empty());
    EXPECT_LT(first.size(), 100u);
    const long last = RowNamed("Coin 299");
    EXPECT_EQ(std::count(first.begin(), first.end(), last), 0);

    view->EnsureVisible(last);
    LetWindowsPaint();
    view->MakeVisiblePictures();
    const std::vector<long> later = shown();
    EXPECT_EQ(std::count(later.begin(), later.end(), last), 1);
    EXPECT_LT(later.size(), 200u);
    SaveWindowShot(*window, "list-large-pictures-end");
}

TEST_F(FormListsTest, TheAddViewsKeysActOnTheForm)
{
    CCorvantAddView* add = Make<CCorvantAddView>();
    CTreeNode* germany = Find("Europe^Germany");
    add->SetShownElement(germany);
    ASSERT_TRUE(add->IsAddRow(0));

    SaveWindowShot(*window, "list-form-add-view");
    EXPECT_TRUE(add->OnListKey(WXK_F8, false, false));
    EXPECT_EQ(host.calls, std::vector<std::string>{"my catalog"});

    // F11 hands the selected record rows to the form, the adding row left out.
    Select({0, 1});
    EXPECT_TRUE(add->OnListKey(WXK_F11, false, false));
    ASSERT_EQ(host.loaded.size(), 1u);
    EXPECT_EQ(host.loaded[0]->GetName(), "Mark 1950");

    // Ctrl+N and the adding row save the form, open a new coin and fill the form again.
    for (const auto& act : std::vector<std::function<void()>>{[&] { add->OnListKey('N', true, false); },
                                                              [&] { add->ActivateRow(0, false); }}) {
        host.calls.clear();
        opener.opened.clear();
        act();
        EXPECT_EQ(host.calls, (std::vector<std::string>{"save", "fill"}));
        ASSERT_EQ(opener.opened.size(), 1u);
        EXPECT_EQ(opener.opened[0], std::make_pair(1, germany));
    }

    // Ctrl+A selects every row itself; Backspace and Ctrl+F are the control's, not the main window's.
    EXPECT_TRUE(add->OnListKey('A', true, false));
    EXPECT_EQ(add->GetSelectedRows().size(), static_cast<size_t>(add->GetRowCount()));
    EXPECT_FALSE(add->OnListKey(WXK_BACK, false, false));
    EXPECT_FALSE(add->OnListKey('F', true, false));
    EXPECT_TRUE(frame.commands.empty());
}

TEST_F(FormListsTest, AddToWantListLinksTheSelectedRecordsWithTheFormsRecordWhenConfirmed)
{
    AddRecord(*catalogue, 1, made.germany, {{"NAME", "Pfennig"}});
    CCorvantAddView* add = Make<CCorvantAddView>();
    CTreeNode* germany = Find("Europe^Germany");
    germany->Reload();
    add->SetShownElement(germany);
    ASSERT_EQ(LinkedCoins(), 3u);
    long pfennig = 1;
    while (pfennig < add->GetRowCount() && add->CellText(pfennig, 0).rfind("Pfennig", 0) != 0) {
        ++pfennig;
    }
    ASSERT_LT(pfennig, add->GetRowCount());
    Select({0, pfennig});
    host.wantListAnswer = false;
    add->OnF9();
    EXPECT_EQ(LinkedCoins(), 3u);
    host.wantListAnswer = true;
    add->OnF9();
    EXPECT_EQ(LinkedCoins(), 4u);
    EXPECT_EQ(host.refreshes, 1);
}

TEST_F(FormListsTest, DeletingSeveralLinkedChildrenAsksOnceAndRemovesTheirLinks)
{
    CCorvantFolderView* folder = ShowLinkedCoins();
    ASSERT_EQ(folder->GetRowCount(), 3);
    SaveWindowShot(*window, "list-form-folder-view");

    for (const auto& [answer, left] : {std::pair{7, 3u}, std::pair{6, 1u}}) {
        Select({0, 1});
        Dialogs().Clear();
        Dialogs().answers.push_back(answer);
        EXPECT_TRUE(folder->OnListKey(WXK_DELETE, false, false));
        ASSERT_EQ(Dialogs().messages.size(), 1u) << answer;
        EXPECT_EQ(Dialogs().messages[0].text, "Do you want all the selected childs removed?");
        EXPECT_EQ(LinkedCoins(), left) << answer;
    }
    // The records themselves stay.
    EXPECT_TRUE(IsLiveRecord(*catalogue, made.mark.In(*catalogue)));
    EXPECT_EQ(folder->GetRowCount(), 1);
    EXPECT_TRUE(folder->OnListKey('A', true, false));
    EXPECT_EQ(folder->GetSelectedRows().size(), 1u);
    folder->SetShownElement(nullptr);
}

// What the linked-children menu offers for a catalogue with files of every sort.
struct AddMenuCase
{
    const char* name;
    const char* toDoDataBase; // "this" for the catalogue's own path
    bool viewOnly;
    bool formCanAdd;
    std::vector<std::string> lines;
};

const AddMenuCase kAddMenuCases[] = {
    {"EveryFileOfTheMenusInTheToDoCatalogue",
     "",
     false,
     true,
     {"Add an item >", "  New Coin 1336 pic", "  New Country 1337", "  Bookmarks 1359 pic",
      "  To do 1360 pic", "-", "Add &File 1068"}},
    {"ToDoListWhenTheSettingNamesThisCatalogue",
     "this",
     false,
     true,
     {"Add an item >", "  New Coin 1336 pic", "  New Country 1337", "  Bookmarks 1359 pic",
      "  To do 1360 pic", "-", "Add &File 1068"}},
    {"NoToDoListOfAnotherCatalogue",
     "/else/where.ctg",
     false,
     true,
     {"Add an item >", "  New Coin 1336 pic", "  New Country 1337", "  Bookmarks 1359 pic", "-",
      "Add &File 1068"}},
    {"GreyedWhileTheFormCannotAdd",
     "",
     false,
     false,
     {"Add an item >", "  New Coin 1336 pic greyed", "  New Country 1337 greyed",
      "  Bookmarks 1359 pic greyed", "  To do 1360 pic greyed", "-", "Add &File 1068 greyed"}},
    {"NothingToAddInAViewOnlyCatalogue", "", true, true, {"Add &File 1068 greyed"}},
};

class LinkedChildrenMenuTest : public FormListsTest, public testing::WithParamInterface<AddMenuCase>
{
};

TEST_P(LinkedChildrenMenuTest, OffersTheDataFilesOfTheMenus)
{
    const AddMenuCase& c = GetParam();
    const auto named = [](DataFileSpec file, const char* table, const char* menuName) {
        file.table = table;
        file.menuName = menuName;
        return file;
    };
    DataFileSpec mints = named(AddressesFile(4), "MINTS", "Mints");
    mints.onlyChild = true; // made under a record only: not offered
    const auto path = CatalogueBuilder(MakeTempFolder("addmenu") / "menu.ctg")
                          .DataFile(CoinsFile(1))
                          .DataFile(CountriesFile(2))
                          .DataFile(mints)
                          .DataFile(named(AddressesFile(5), "UNNAMED", " "))
                          .DataFile(named(AddressesFile(22), "LISTS", "Lists"))
                          .DataFile(named(AddressesFile(24), "BOOKMARKS", "Bookmarks"))
                          .DataFile(named(AddressesFile(25), "TODO", "To do"))
                          .Build();
    CCatalogueDb other(path);
    ASSERT_TRUE(other.IsOpen());
    CCatalogueImage companion;
    companion.LoadFromBytes(MakePictureBytes("-size 16x16 xc:gold", "png"), true);
    companion.SetValid(true);
    other.WriteAltImage(companion, 1);
    other.SetViewOnly(c.viewOnly);
    const std::string toDo = c.toDoDataBase;
    SetSettingString("toDoDataBase", toDo == "this" ? other.GetFilePath().string() : toDo);

    auto* folder = new CCorvantFolderView(window, frame, host);
    host.canAdd = c.formCanAdd;
    CItemSet set = CItemSet::Query(&other, 1, nullptr, false);
    CAreaFileNode node(set);
    folder->SetShownElement(&node);
    EXPECT_EQ(testing::PrintToString(MenuLines(*folder->BuildAddMenu())), testing::PrintToString(c.lines));
    EXPECT_TRUE(host.calls.empty()) << "building the menu only asks";
    folder->SetShownElement(nullptr);
    folder->Destroy();
}

INSTANTIATE_TEST_SUITE_P(Catalogues, LinkedChildrenMenuTest, testing::ValuesIn(kAddMenuCases),
                         [](const testing::TestParamInfo<AddMenuCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(FormListsTest, AnAcceptedLabelEditInTheAddViewLinksTheRecordWithTheFormsRecord)
{
    CCorvantAddView* add = Make<CCorvantAddView>();
    CItemSet results = CItemSet::QuickSearch(catalogue.get(), 1, "Franc");
    CQuickQueryNode query(results);
    add->SetShownElement(&query);
    ASSERT_EQ(add->GetRowCount(), 1);
    ASSERT_FALSE(add->IsAddRow(0));
    const auto edit = [&](const char* text, bool cancel) {
        add->EditLabel(0);
        wxTextCtrl* editor = add->GetEditControl();
        ASSERT_NE(editor, nullptr);
        editor->SetValue(text);
        add->EndEditLabel(cancel);
        wxYield();
    };
    // The names of the coins linked with Germany, read from the catalogue afresh.
    const auto linkedNames = [&] {
        CCatalogueDb fresh(made.path);
        CItemSet linked = CItemSet::LinkedTo(&fresh, made.germanyCountry.In(fresh), 1);
        std::vector<std::string> names;
        for (bool more = linked.MoveFirst(); more; more = linked.MoveNext()) {
            names.push_back(linked.BuildCurrentName());
        }
        std::sort(names.begin(), names.end());
        return names;
    };
    const std::vector<std::string> before = linkedNames();
    ASSERT_EQ(before.size(), 3u);

    edit("Louis", true);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(linkedNames(), before);

    edit("Louis", false);
    EXPECT_EQ(host.calls, std::vector<std::string>{"fill"});
    EXPECT_EQ(host.refreshes, 1);
    const std::vector<std::string> after = linkedNames();
    ASSERT_EQ(after.size(), 4u);
    EXPECT_NE(std::find_if(after.begin(), after.end(),
                           [](const std::string& name) { return name.rfind("Louis", 0) == 0; }),
              after.end())
        << testing::PrintToString(after);

    // The form's own record is renamed but never linked with itself.
    host.calls.clear();
    host.formKey = made.franc.In(*catalogue);
    edit("Napoleon", false);
    EXPECT_EQ(host.calls, std::vector<std::string>{"fill"});
    EXPECT_EQ(host.refreshes, 1);
    CCatalogueDb fresh(made.path);
    CItemSet own = CItemSet::LinkedTo(&fresh, made.franc.In(fresh), 1);
    own.Load();
    EXPECT_EQ(own.GetCount(), 0u);
    add->SetShownElement(nullptr);
}

} // namespace
