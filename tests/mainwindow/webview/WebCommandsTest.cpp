// What the links of the program's pages do, without a display: which addresses are commands, the web
// search address of a record, the file name of a catalogue download and the order button's values.

#include "mainwindow/webview/WebCommands.h"
#include "mainwindow/webview/CatalogueDownload.h"
#include "mainwindow/webview/WebView.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/markup/MarkupNode.h"
#include "store/program/Settings.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tree/pages/NodePageWriter.h"
#include "tree/records/RecordNodes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace {

using namespace lumarc::test;
namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(WebLinksTest, PseudoAddressesAndCatalogueLinks)
{
    const struct
    {
        const char* address;
        WebLinkKind kind;
    } cases[] = {
        {"file:///home/u/HTM/order.command", WebLinkKind::Order},
        {"https://shop.example/x?order.command&id=3", WebLinkKind::Order},
        {"file:///home/u/HTM/search.command", WebLinkKind::Search},
        {"file:///home/u/HTM/checkout.command", WebLinkKind::Checkout},
        {"https://coins.example/files/Euro.ctg", WebLinkKind::Catalogue},
        {"https://coins.example/files/Euro.zipctg", WebLinkKind::Catalogue},
        {"https://coins.example/files/Euro.ZIPCTG", WebLinkKind::Other}, // the tests keep to the case
        {"file:///home/u/HTM/webPage.htm?view=2", WebLinkKind::Other},
        // Only the file name of a page's own address counts: its folder may hold anything.
        {"file:///home/u/my.ctg%20pages/webPage.htm", WebLinkKind::Other},
        {"file:///home/u/order.command.d/webPage.htm", WebLinkKind::Other},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WebView::LinkKind(c.address), c.kind) << c.address;
    }
}

TEST(WebSearchAddressTest, FieldsAreEncodedAndSiteAddressesRedirected)
{
    SetSettingString("ProductWebSite", "https://lumarc.example/");
    const std::map<std::string, std::string, std::less<>> fields = {{"NAME", "Franc 1960 Cupro-nickel"},
                                                                    {"TRICK", "a&b=c <script>\"x\"#"},
                                                                    {"EMPTY", ""},
                                                                    {"UTF", "Zürich"}};
    auto field = [&](std::string_view name) {
        const auto it = fields.find(name);
        return it == fields.end() ? std::string() : it->second;
    };
    const struct
    {
        const char* searchTemplate;
        const char* expected;
    } cases[] = {
        {"https://auction.example/s?q%#$-NAME-$", "https://auction.example/s?q=Franc%201960%20Cupro-nickel"},
        {"https://auction.example/s?q=$-NAME@(2)@-$&n=1", "https://auction.example/s?q=Franc%201960&n=1"},
        {"https://auction.example/s?q=$-NAME@(9)@-$",
         "https://auction.example/s?q=Franc%201960%20Cupro-nickel"},
        {"https://a.example/?q=$-TRICK-$", "https://a.example/?q=a%26b%3Dc%20%3Cscript%3E%22x%22%23"},
        {"https://a.example/?q=$-UTF-$", "https://a.example/?q=Z%C3%BCrich"},
        {"$-EMPTY-$", "https://lumarc.example/notready.html"},
        {" ", "https://lumarc.example/notready.html"},
        {"auction.example/?q=$-NAME@(1)@-$", "http://auction.example/?q=Franc"},
        {"1US1/search?q=$-NAME@(1)@-$", "https://lumarc.example/redirect?page=search&q=Franc"},
        {"1US1/coins\\list", "https://lumarc.example/redirect?page=coins/list"},
        {"javascript:alert(1)", "http://javascript:alert(1)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BuildWebSearchAddress(c.searchTemplate, field), c.expected) << c.searchTemplate;
    }
}

TEST(WebSearchAddressTest, StopsAfterTwentyReferences)
{
    std::string searchTemplate = "https://a.example/?";
    for (int i = 0; i < 21; ++i) {
        searchTemplate += "$-F-$";
    }
    EXPECT_EQ(BuildWebSearchAddress(searchTemplate, [](std::string_view) { return std::string("x"); }),
              "https://a.example/?" + std::string(20, 'x') + "$-F-$");
}

TEST(CatalogueDownloadTest, FileNameOfTheLink)
{
    const struct
    {
        const char* address;
        const char* name;
    } cases[] = {
        {"https://coins.example/files/Euro.ctg?session=3#top", "Euro.ctg"},
        {"file:///tmp/My%20Coins.zipctg", "My Coins.zipctg"},
        {"https://coins.example/..%2F..%2Fevil.ctg", ""},
        {"https://coins.example/files/", ""},
        {"https://coins.example/%2E%2E", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DownloadFileName(c.address), c.name) << c.address;
    }
}

class RecordLinksTest : public testing::Test
{
protected:
    struct FakeCart : CShoppingCartAdder
    {
        void AddToShoppingCart(CTreeNode& element, const OrderButtonValues& values) override
        {
            added.emplace_back(element.GetName(), values);
        }
        std::vector<std::pair<std::string, OrderButtonValues>> added;
    };

    void SetUp() override
    {
        made = MakeTypicalCatalogue(MakeTempFolder("weblinks"));
        catalogue = std::make_unique<CCatalogueDb>(made.path);
        ASSERT_TRUE(catalogue->IsOpen());
        previousCart = SetShoppingCartAdder(&cart);
        previousOpener = SetBrowserOpener([this](const std::string& address) {
            opened.push_back(address);
            return true;
        });
    }
    void TearDown() override
    {
        SetShoppingCartAdder(previousCart);
        SetBrowserOpener(previousOpener);
    }
    void AddOrderButton(const std::string& price)
    {
        CMarkupNode* form = FindGuiInfoElement(1, catalogue.get());
        ASSERT_NE(form, nullptr);
        auto* order = form->AddChild(std::make_unique<CMarkupNode>("order", "element"));
        order->SetAttribute("CNT_NAME", "ORDERBUTTON");
        order->SetAttribute("price", price);
        order->SetAttribute("shopName", "Numis & Co <Paris>");
        order->SetAttribute("UID", "F-1960");
    }

    TypicalCatalogue made;
    std::unique_ptr<CCatalogueDb> catalogue;
    FakeCart cart;
    CShoppingCartAdder* previousCart = nullptr;
    BrowserOpener previousOpener;
    std::vector<std::string> opened;
};

TEST_F(RecordLinksTest, OrderPutsTheRecordIntoTheCartWithItsButtonValues)
{
    CRecordNode franc(made.franc.In(*catalogue));
    EXPECT_FALSE(OrderFocusedItem(&franc, nullptr)) << "no order button yet";
    EXPECT_FALSE(OrderFocusedItem(nullptr, nullptr));
    EXPECT_TRUE(cart.added.empty());

    AddOrderButton(std::string(250, '9'));
    ASSERT_TRUE(OrderFocusedItem(&franc, nullptr));
    ASSERT_EQ(cart.added.size(), 1u);
    const OrderButtonValues& values = cart.added[0].second;
    EXPECT_EQ(values.price, std::string(200, '9'));
    EXPECT_EQ(values.shopName, "Numis & Co <Paris>");
    EXPECT_EQ(values.identity, "F-1960");
    EXPECT_EQ(GetOrderButtonValues().identity, "F-1960");

    SetShoppingCartAdder(nullptr);
    EXPECT_FALSE(OrderFocusedItem(&franc, nullptr)) << "no cart installed";
    EXPECT_EQ(cart.added.size(), 1u);
}

TEST_F(RecordLinksTest, SearchWritesTheRedirectPageAndOpensIt)
{
    const fs::path htm = GetHtmDirectory();
    fs::create_directories(htm);
    std::ofstream(htm / "redi.htm", std::ios::binary)
        << "<meta http-equiv=\"refresh\" content=\"0; url==TODIR=\">\r\n<a href=\"=TODIR=\">go</a>\r\n";
    SetWebSearchTemplate("https://auction.example/s?a=1&q=$-NAME-$");

    EXPECT_FALSE(SearchFocusedItemOnWeb(nullptr));
    EXPECT_TRUE(opened.empty());

    CRecordNode franc(made.franc.In(*catalogue));
    ASSERT_TRUE(SearchFocusedItemOnWeb(&franc));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], FileUrl(htm / "redi1.htm"));
    EXPECT_EQ(ReadFile(htm / "redi1.htm"),
              "<meta http-equiv=\"refresh\" content=\"0; url=https://auction.example/s?a=1&amp;q=Franc\">\r\n"
              "<a href=\"https://auction.example/s?a=1&amp;q=Franc\">go</a>\r\n");
}
