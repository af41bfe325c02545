// The web view in a bare frame: the pages it shows for the elements of a fixture catalogue, read back
// through the browser, and its page links caught before the browser follows them.

#include "mainwindow/webview/WebView.h"
#include "mainwindow/webview/CatalogueDownload.h"
#include "mainwindow/webview/WebCommands.h"
#include "output/NodeWebPages.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/markup/MarkupNode.h"
#include "store/program/Settings.h"
#include "store/program/StockFiles.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/FakePaneFrame.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowShot.h"
#include "tree/base/BaseItemNode.h"
#include "tree/base/OrderPlacer.h"
#include "tree/containers/FolderNode.h"
#include "tree/orders/OrderingNodes.h"
#include "tree/records/RecordNodes.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/webview.h>

#include <chrono>
#include <fstream>

namespace {

using namespace lumarc::test;
namespace fs = std::filesystem;

// Lets the browser work until `done` holds or ten seconds have passed.
bool RunUntil(const std::function<bool()>& done)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
        wxTheApp->ProcessPendingEvents();
        wxYield();
        if (done()) {
            return true;
        }
        wxMilliSleep(10);
    }
    return false;
}

std::string Script(wxWebView* browser, const char* script)
{
    wxString result;
    if (!browser->RunScript(script, &result)) {
        return "<script failed>";
    }
    return result.utf8_string();
}

class WebViewTest : public testing::Test
{
protected:
    struct FakeCart : CShoppingCartAdder
    {
        void AddToShoppingCart(CTreeNode& element, const OrderButtonValues&) override
        {
            added.push_back(element.GetName());
        }
        std::vector<std::string> added;
    };
    struct FakePlacer : COrderPlacer
    {
        void PlaceOrder(CTreeNode&) override { ++placed; }
        int placed = 0;
    };

    void SetUp() override
    {
        fs::remove_all(GetHtmDirectory());
        ASSERT_GT(InstallStockHtmlFiles(), 30);
        InstallNodeWebPages();
        made = MakeTypicalCatalogue(MakeTempFolder("webview"));
        catalogue = std::make_unique<CCatalogueDb>(made.path);
        ASSERT_TRUE(catalogue->IsOpen());
        SetShoppingCartAdder(&cart);
        SetOrderPlacer(&placer);
        SetBrowserOpener([this](const std::string& address) {
            opened.push_back(address);
            return true;
        });
        downloads = MakeTempFolder("downloads");
        SetDownloadFolderChooser([this](wxWindow*) { return std::optional<fs::path>(downloads); });
        SetDownloadPrompt([this](wxWindow*) { ++prompts; });

        window = new wxFrame(nullptr, wxID_ANY, "web view", wxPoint(20, 20), wxSize(900, 700)); // owned by wx
        view = static_cast<WebView*>(MakeWebView(window, frame));
        view->GetBrowser()->Bind(wxEVT_WEBVIEW_LOADED, [this](wxWebViewEvent& event) {
            ++loads;
            event.Skip();
        });
        window->Show();
        window->SendSizeEvent();
    }
    void TearDown() override
    {
        window->Destroy();
        wxTheApp->ProcessPendingEvents();
        SetShoppingCartAdder(nullptr);
        SetOrderPlacer(nullptr);
        SetBrowserOpener({});
        SetDownloadFolderChooser({});
        SetDownloadPrompt({});
    }

    // Shows the element and waits until the browser has loaded the page the view chose.
    void Show(CTreeNode* element, bool force = false)
    {
        const int before = loads;
        view->ShowElement(element, false, force);
        const std::string address = view->GetShownAddress();
        ASSERT_TRUE(RunUntil([&] {
            return loads > before && Script(view->GetBrowser(), "document.readyState") == "complete" &&
                   Script(view->GetBrowser(), "document.URL") == address;
        })) << address;
    }
    std::string Title() { return Script(view->GetBrowser(), "document.title"); }
    std::string Text() { return Script(view->GetBrowser(), "document.body.innerText"); }
    // Clicks a link of the shown page to the address, as the user would.
    void Click(const std::string& href)
    {
        Script(view->GetBrowser(), ("var a = document.createElement('a'); a.href = '" + href +
                                    "'; document.body.appendChild(a); a.click(); 'ok'")
                                       .c_str());
    }

    TypicalCatalogue made;
    std::unique_ptr<CCatalogueDb> catalogue;
    CBaseItemNode root;
    FakePaneFrame frame{root};
    FakeCart cart;
    FakePlacer placer;
    std::vector<std::string> opened;
    fs::path downloads;
    int prompts = 0;
    int loads = 0;
    wxFrame* window = nullptr;
    WebView* view = nullptr;
};

} // namespace

TEST_F(WebViewTest, ShowsTheWelcomePageFirstThenTheElementsPages)
{
    CFolderNode europe(*catalogue, catalogue->FindFolder(made.europe));
    Show(&europe);
    EXPECT_EQ(fs::path(view->GetShownPage()).filename(), "firstBig.htm");
    EXPECT_EQ(view->GetShownElement(), &europe);

    Show(&europe, true);
    EXPECT_EQ(fs::path(view->GetShownPage()).filename(), "webPage.htm");
    EXPECT_NE(Text().find("Europe"), std::string::npos) << Text();
    SaveWindowShot(*window, "webview-folder");
    // A folder without a comment shows no empty comment box.
    EXPECT_EQ(Script(view->GetBrowser(), "getComputedStyle(document.querySelector('.comment')).display"),
              "none");

    // The same element again does not reload; a record writes its own page into the same file, and the
    // browser shows the new one.
    const wxString before = view->GetBrowser()->GetCurrentURL();
    view->ShowElement(&europe, false, false);
    EXPECT_EQ(view->GetBrowser()->GetCurrentURL(), before);

    CRecordNode franc(made.franc.In(*catalogue));
    Show(&franc);
    EXPECT_EQ(fs::path(view->GetShownPage()).filename(), "webPage.htm");
    EXPECT_NE(view->GetBrowser()->GetCurrentURL(), before);
    EXPECT_NE(Text().find("You have not yet defined a web view"), std::string::npos) << Text();
    EXPECT_EQ(Text().find("Europe"), std::string::npos) << "the folder's page came from a cache";
    SaveWindowShot(*window, "webview-record");

    // Without web pages an element shows "noPage.htm"; a call from the tree while it has the focus is
    // left to the tree's own timer.
    SetSettingInt("DisplayAsWebPage", 0);
    CFolderNode france(*catalogue, catalogue->FindFolder(made.france));
    Show(&france);
    EXPECT_EQ(fs::path(view->GetShownPage()).filename(), "noPage.htm");
    frame.focusedPane = 1;
    view->ShowElement(&europe, true, true);
    EXPECT_EQ(view->GetShownElement(), &france);
    SetSettingInt("DisplayAsWebPage", 1);
}

TEST_F(WebViewTest, SmallWindowWelcomesWithTheSmallPage)
{
    window->SetClientSize(600, 150);
    window->Layout();
    CFolderNode europe(*catalogue, catalogue->FindFolder(made.europe));
    Show(&europe);
    EXPECT_EQ(fs::path(view->GetShownPage()).filename(), "firstSmall.htm");
}

TEST_F(WebViewTest, PageLinksRunTheProgramsCommandsInsteadOfNavigating)
{
    CMarkupNode* form = FindGuiInfoElement(1, catalogue.get());
    ASSERT_NE(form, nullptr);
    auto* order = form->AddChild(std::make_unique<CMarkupNode>("order", "element"));
    order->SetAttribute("CNT_NAME", "orderButton");
    CRecordNode franc(made.franc.In(*catalogue));
    frame.listFocused = &franc;
    struct CartNode : CTreeNode
    {
        CartNode() : CTreeNode("Shopping cart", 0, 0) {}
        bool IsOrderingNode() override { return true; }
    } cartNode;
    frame.current = &cartNode;
    CFolderNode europe(*catalogue, catalogue->FindFolder(made.europe));
    Show(&europe);
    Show(&europe, true);
    const wxString page = view->GetBrowser()->GetCurrentURL();

    Click("order.command");
    ASSERT_TRUE(RunUntil([&] { return !cart.added.empty(); }));
    EXPECT_EQ(cart.added[0], "Franc 1960");

    Click("search.command");
    ASSERT_TRUE(RunUntil([&] { return !opened.empty(); }));
    EXPECT_NE(opened[0].find("redi1.htm"), std::string::npos) << opened[0];
    EXPECT_EQ(frame.listFocusRequests, 1);

    Click("checkout.command");
    EXPECT_TRUE(RunUntil([&] { return placer.placed == 1; }));

    // A catalogue link asks first, then saves the file into the folder the user picked.
    const fs::path source = MakeTempFolder("offered") / "Euro coins.ctg";
    std::ofstream(source, std::ios::binary) << "catalogue bytes";
    Click(FileUrl(source));
    ASSERT_TRUE(RunUntil([&] { return fs::exists(downloads / "Euro coins.ctg"); }));
    EXPECT_EQ(prompts, 1);

    SetSettingString("showDownload", "false");
    fs::remove(downloads / "Euro coins.ctg");
    Click(FileUrl(source));
    ASSERT_TRUE(RunUntil([&] { return fs::exists(downloads / "Euro coins.ctg"); }));
    EXPECT_EQ(prompts, 1) << "no prompt once the user said so";
    SetSettingString("showDownload", "TRUE");

    // Every one of them stopped the navigation: the element's page is still shown.
    EXPECT_EQ(view->GetBrowser()->GetCurrentURL(), page);
    EXPECT_NE(Text().find("Europe"), std::string::npos);
}

TEST_F(WebViewTest, LinksToANewWindowOpenInTheUsersBrowser)
{
    CFolderNode europe(*catalogue, catalogue->FindFolder(made.europe));
    Show(&europe);
    Script(view->GetBrowser(), "var a = document.createElement('a'); a.href = 'https://coins.example/';"
                               "a.target = '_blank'; document.body.appendChild(a); a.click(); 'ok'");
    ASSERT_TRUE(RunUntil([&] { return !opened.empty(); }));
    EXPECT_EQ(opened[0], "https://coins.example/");
}

// A cart row's page shows the two pictures of the coin it was ordered from, as the browser loads them.
TEST_F(WebViewTest, CartRowShowsTheOrderedCoinsPictures)
{
    CFolderNode europe(*catalogue, catalogue->FindFolder(made.europe));
    Show(&europe); // the welcome page comes first

    CMarkupNode row("Ducat", "item");
    char code[32];
    std::snprintf(code, sizeof code, "%.0f", made.ducat.In(*catalogue).GetCode());
    row.SetAttribute("referralId", code);
    row.SetAttribute("Image1", "PICTURE");
    row.SetAttribute("Image2", "PICTURE");
    CShopItemNode item(*catalogue, row);
    Show(&item);
    EXPECT_EQ(Title(), "Item in the cart");
    ASSERT_TRUE(RunUntil([&] {
        return Script(view->GetBrowser(), "Array.from(document.images).filter(i => i.complete && "
                                          "i.naturalWidth == 131).length") == "2";
    })) << Script(view->GetBrowser(), "document.body.innerHTML");

    CMarkupNode shop("Numis Ltd", "shop");
    CShopNode shopNode(*catalogue, shop);
    Show(&shopNode);
    EXPECT_EQ(Script(view->GetBrowser(), "document.images[0].naturalWidth > 0"), "true");
}
