// The web pages of the tree's nodes, written for the typical catalogue from small templates: which
// markers each class replaces (the first of a line only), which picture it places, and that the data it
// puts into a page stays text.

#include "codecs/CatalogueImage.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Settings.h"
#include "store/records/FolderRecord.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/tree/TestCatalogueNode.h"
#include "tree/base/BaseItemNode.h"
#include "tree/catalogue/CatalogueNode.h"
#include "tree/groups/TableNodes.h"
#include "tree/orders/OrderingNodes.h"
#include "tree/pages/NodePageWriter.h"

#include <gtest/gtest.h>

#include <fstream>
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

class NodePagesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        made = MakeTypicalCatalogue(MakeTempFolder("pages"));
        catalogue = std::make_unique<CCatalogueDb>(made.path);
        ASSERT_TRUE(catalogue->IsOpen());
        root = std::make_unique<CBaseItemNode>();
        catalogueNode = CTreeNode::AppendNode<TestCatalogueNode>(*root, *catalogue);
        catalogueNode->PopulateChildren(nullptr);
        for (CTreeNode* node = catalogueNode; node != nullptr; node = NextTreeNode(node, catalogueNode)) {
            node->PopulateChildren(nullptr);
        }
        htm = GetHtmDirectory();
        fs::remove_all(htm);
        fs::create_directories(htm);
        // Every template holds every marker, twice on its first line.
        const std::string page = "<h1>=NAME= =NAME=</h1>\n<p>=COMMENT=</p>\n<img src=\"=PICTURE=\">\n"
                                 "<p>=CREATED_THE=</p>\n<p>=ORDERED BY=</p>\n";
        for (const char* name :
             {"folder.htm", "singleFile.htm", "query.htm", "distList.htm", "tableItem.htm"}) {
            std::ofstream(htm / name) << page;
        }
        for (const char* name : {"folder.jpg", "query.jpg", "distlist.jpg", "allarea.jpg"}) {
            std::ofstream(htm / name) << name;
        }
    }

    TypicalCatalogue made;
    std::unique_ptr<CCatalogueDb> catalogue;
    std::unique_ptr<CBaseItemNode> root;
    CTreeNode* catalogueNode = nullptr;
    fs::path htm;
};

} // namespace

TEST_F(NodePagesTest, EachClassFillsItsMarkersAndPlacesItsPicture)
{
    CTableNode tables(*catalogue);
    struct Case
    {
        const char* node;
        const char* picture;
        const char* stock; // the stock picture copied, or "" for the catalogue's own
        const char* firstLine;
    };
    const Case cases[] = {
        {"Europe", "picture8.jpg", "folder.jpg", "<h1>Europe =NAME=</h1>"},
        {"Europe^Germany", "picture4.jpg", "", "<h1>Germany =NAME=</h1>"},
        {"Europe^Old coins", "picture9.jpg", "query.jpg", "<h1>Old coins =NAME=</h1>"},
        {"Wanted", "picture7.jpg", "distlist.jpg", "<h1>Wanted =NAME=</h1>"},
        {"Tables", "picture6.jpg", "allarea.jpg", "<h1>=NAME= =NAME=</h1>"},
    };
    for (const auto& c : cases) {
        CTreeNode* node = std::string(c.node) == "Tables" ? &tables : catalogueNode->FindByNodePath(c.node);
        ASSERT_NE(node, nullptr) << c.node;
        std::string message;
        EXPECT_TRUE(node->FillPageTemplate(message)) << c.node;
        EXPECT_EQ(message,
                  "To modify this Web page edit the " + (htm / node->GetPageTemplate()).string() + " file");
        const std::string page = ReadFile(htm / "webPage.htm");
        EXPECT_EQ(page.substr(0, page.find('\n')), c.firstLine) << c.node;
        EXPECT_NE(page.find("<img src=\"" + (htm / c.picture).string() + "\">"), std::string::npos) << page;
        if (*c.stock != 0) {
            EXPECT_EQ(ReadFile(htm / c.picture), c.stock) << c.node;
        } else {
            // The data file's own icon, written as JPEG.
            EXPECT_EQ(ReadFile(htm / c.picture).substr(0, 3), "\xFF\xD8\xFF") << c.node;
        }
    }
}

TEST_F(NodePagesTest, FolderDataStaysTextInThePage)
{
    CTreeNode* europe = catalogueNode->FindByNodePath("Europe");
    ASSERT_NE(europe, nullptr);
    europe->GetFolderRecord()->SetComment("<script>alert('x')</script> & more\r\nsecond line");
    europe->GetFolderRecord()->SetOrdered("\"quoted\"");
    europe->SetName("Gold <b>");
    std::string message;
    ASSERT_TRUE(europe->FillPageTemplate(message));
    const std::string page = ReadFile(htm / "webPage.htm");
    EXPECT_NE(page.find("<h1>Gold &lt;b&gt; =NAME=</h1>"), std::string::npos) << page;
    EXPECT_NE(page.find("<p>&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; more<BR>second line</p>"),
              std::string::npos)
        << page;
    EXPECT_EQ(page.find("<script>"), std::string::npos);
}

// A comment of blanks only is no comment: the page's comment box stays empty (and the style sheet hides
// it) instead of showing an empty bar.
TEST_F(NodePagesTest, BlankCommentLeavesTheCommentEmpty)
{
    CTreeNode* europe = catalogueNode->FindByNodePath("Europe");
    ASSERT_NE(europe, nullptr);
    for (const char* comment : {"", " ", " \r\n\t"}) {
        europe->GetFolderRecord()->SetComment(comment);
        std::string message;
        ASSERT_TRUE(europe->FillPageTemplate(message));
        EXPECT_NE(ReadFile(htm / "webPage.htm").find("\n<p></p>\n"), std::string::npos)
            << '"' << comment << '"';
    }
}

TEST_F(NodePagesTest, MissingTemplateIsReportedAndOnlyCopyingClassesSayNoPage)
{
    fs::remove(htm / "folder.htm");
    CTreeNode* europe = catalogueNode->FindByNodePath("Europe");
    std::string message;
    EXPECT_TRUE(europe->FillPageTemplate(message));
    EXPECT_EQ(message, "Error Opening the: " + (htm / "folder.htm").string() + " file");
    EXPECT_TRUE(fs::exists(htm / "webPage.htm"));

    // A class whose answer is the copy's own.
    EXPECT_FALSE(catalogueNode->FillPageTemplate(message));
    CMarkupNode* found = nullptr;
    EXPECT_FALSE(catalogueNode->CreateWebPage(message, &found));
    EXPECT_EQ(found, nullptr);
}

// Without the output layer's writer, records have no page and say so, so the web view shows noPage.htm.
TEST_F(NodePagesTest, RecordsWithoutAPageWriterWriteNoPage)
{
    ASSERT_EQ(GetNodePageWriter(), nullptr);
    CTreeNode* france = catalogueNode->FindByNodePath("Europe^France");
    std::string message;
    EXPECT_FALSE(france->WriteLayoutPage("summary", message, nullptr));
}

TEST_F(NodePagesTest, CatalogueFillsItsFactsOnce)
{
    std::ofstream(htm / "AddBook.htm")
        << "=NAME= =NAME=\n=COMMENT=\n=PHISICAL_NAME=\n=CREATED_THE= =LAST_BACKUP_THE=\n";
    CCatalogueNode node(*catalogue);
    std::string message;
    EXPECT_TRUE(node.FillPageTemplate(message));
    const std::string page = ReadFile(htm / "webPage.htm");
    EXPECT_EQ(page.substr(0, page.find('\n') + 1), node.GetName() + " =NAME=\n");
    EXPECT_NE(page.find("A typical catalogue\n" + made.path.string() + "\n"), std::string::npos) << page;
    EXPECT_EQ(page.find("=CREATED_THE="), std::string::npos) << page;
}

// The cart and the placed orders: the briefcase where the template asks for it, the cart itself as its
// template stands, and orders (which have no template) still answer with a page.
TEST_F(NodePagesTest, OrderingNodesShowTheBriefcase)
{
    std::ofstream(htm / "ShoppingCart.htm") << "<img src=\"=PICTURE=\"> =PICTURE=\n";
    std::ofstream(htm / "ShoppingCartShop.htm") << "<img src=\"=PICTURE=\"> =PICTURE=\n";
    std::ofstream(htm / "briefcase.jpg") << "briefcase";
    CMarkupNode shop("Numis Ltd", "shop");
    CShoppingCartNode cart(*catalogue);
    CPastOrdersNode pastOrders(*catalogue);
    CShopNode shopNode(*catalogue, shop);
    COrderNode order(*catalogue, "Numis Ltd");
    COrderItemNode orderItem(*catalogue, "order0");
    const std::string briefcase = "<img src=\"" + (htm / "picture10.jpg").string() + "\"> =PICTURE=\n";
    struct Case
    {
        const char* name;
        CTreeNode* node;
        std::string page;
        bool placesPicture;
    };
    const Case cases[] = {
        {"shopping cart", &cart, "<img src=\"=PICTURE=\"> =PICTURE=\n", false},
        {"past orders", &pastOrders, briefcase, true},
        {"shop", &shopNode, briefcase, true},
        {"order", &order, "", true},
        {"order item", &orderItem, "", true},
    };
    for (const auto& c : cases) {
        fs::remove(htm / "picture10.jpg");
        std::string message;
        EXPECT_TRUE(c.node->FillPageTemplate(message)) << c.name;
        EXPECT_EQ(ReadFile(htm / "webPage.htm"), c.page) << c.name;
        EXPECT_EQ(fs::exists(htm / "picture10.jpg"), c.placesPicture) << c.name;
        if (c.page.empty()) {
            EXPECT_EQ(message.rfind("Error Opening the: ", 0), 0u) << c.name << ": " << message;
        }
        EXPECT_FALSE(c.node->HasLayoutPage()) << c.name;
    }
}

// A cart row shows the pictures of the record it was ordered from, named by its "Image1" and "Image2",
// numbered from 7000 in the order they are written.
TEST_F(NodePagesTest, CartRowShowsTheOrderedRecordsPictures)
{
    std::ofstream(htm / "ShoppingCartShopItem.htm") << "<p>=PICTURE= =PICTURE= =PICTURE1=</p>\n";
    const std::string ducat = [this] {
        char code[32];
        std::snprintf(code, sizeof code, "%.0f", made.ducat.In(*catalogue).GetCode());
        return std::string(code);
    }();
    const std::string first = "<IMG SRC=\"" + (htm / "web7000.jpg").string() + "\">";
    const std::string second = "<IMG SRC=\"" + (htm / "web7001.jpg").string() + "\">";
    struct Case
    {
        const char* name;
        std::string referral;
        const char* image1;
        const char* image2;
        std::string line;
    };
    const Case cases[] = {
        {"both pictures", ducat, "PICTURE", "PICTURE", "<p>" + first + " =PICTURE= " + second + "</p>"},
        {"first only", ducat, "PICTURE", "", "<p>" + first + " =PICTURE= </p>"},
        {"second takes the first number", ducat, "NAME", "PICTURE", "<p> =PICTURE= " + first + "</p>"},
        {"record gone", "30199999", "PICTURE", "PICTURE", "<p> =PICTURE= </p>"},
        {"no record", "", "PICTURE", "PICTURE", "<p> =PICTURE= </p>"},
    };
    for (const auto& c : cases) {
        fs::remove(htm / "web7000.jpg");
        fs::remove(htm / "web7001.jpg");
        CMarkupNode row("Ducat", "item");
        row.SetAttribute("referralId", c.referral);
        row.SetAttribute("Image1", c.image1);
        row.SetAttribute("Image2", c.image2);
        CShopItemNode item(*catalogue, row);
        std::string message;
        EXPECT_TRUE(item.FillPageTemplate(message)) << c.name;
        const std::string page = ReadFile(htm / "webPage.htm");
        EXPECT_EQ(page.substr(0, page.find('\n')), c.line) << c.name;
        if (fs::exists(htm / "web7000.jpg")) {
            // The ducat's 24 x 16 photo, brought to the page's picture size.
            CCatalogueImage written;
            written.LoadFromFile(htm / "web7000.jpg");
            EXPECT_EQ(written.GetWidth(), 131) << c.name;
            EXPECT_EQ(written.GetHeight(), 131) << c.name;
        }
    }
}
