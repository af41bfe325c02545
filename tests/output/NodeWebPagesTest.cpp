// The layout and show pages of a record node, written for a coin of the typical catalogue from the
// stock-like templates "moving.htm" and "show.htm".

#include "output/NodeWebPages.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/markup/MarkupNode.h"
#include "store/program/Settings.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tree/records/RecordNodes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace {

using namespace lumarc::test;
namespace fs = std::filesystem;
using Attributes = std::map<std::string, std::string>;

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class NodeWebPagesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        made = MakeTypicalCatalogue(MakeTempFolder("nodepages"));
        catalogue = std::make_unique<CCatalogueDb>(made.path);
        ASSERT_TRUE(catalogue->IsOpen());
        htm = GetHtmDirectory();
        fs::remove_all(htm);
        fs::create_directories(htm);
        std::ofstream(htm / "show.htm")
            << "<body style=\"BACKGROUND-IMAGE: none; color: #FFFFFF\" SCROLL=?>\r\n";
        std::ofstream(htm / "moving.htm") << "<body SCROLL=?><DIV>\r\n";
        InstallNodeWebPages();
    }

public:
    void AddLayout(const char* name, std::initializer_list<Attributes> elements)
    {
        auto* layout =
            catalogue->GetWebTemplates()->AddChild(std::make_unique<CMarkupNode>(name, "webDefinition"));
        layout->SetAttribute("layoutType", "HTML");
        layout->SetAttribute("DataName", "1");
        int number = 0;
        for (const Attributes& attributes : elements) {
            auto* element =
                layout->AddChild(std::make_unique<CMarkupNode>(std::to_string(number++), "element"));
            for (const auto& [attribute, value] : attributes) {
                element->SetAttribute(attribute, value);
            }
        }
    }

    // The coin's form gets the order and search buttons.
    void AddButtons(const char* orderable)
    {
        CMarkupNode* form = FindGuiInfoElement(1, catalogue.get());
        ASSERT_NE(form, nullptr);
        auto* search = form->AddChild(std::make_unique<CMarkupNode>("search", "element"));
        search->SetAttribute("CNT_NAME", "searchButton");
        search->SetAttribute("searchString", "https://coins.example/?q=$-NAME-$");
        auto* order = form->AddChild(std::make_unique<CMarkupNode>("order", "element"));
        order->SetAttribute("CNT_NAME", "orderButton");
        order->SetAttribute("isOrderable", orderable);
    }

    std::string ShowPageOf(const RecordKey& key)
    {
        CRecordNode node(key.In(*catalogue));
        std::string message;
        EXPECT_TRUE(node.FillPageTemplate(message));
        return ReadFile(htm / "webPage.htm");
    }

    TypicalCatalogue made;
    std::unique_ptr<CCatalogueDb> catalogue;
    fs::path htm;
};

std::string FirstLine(const std::string& page)
{
    return page.substr(0, page.find("\r\n"));
}

} // namespace

TEST_F(NodeWebPagesTest, ShowPageOfAcoin)
{
    struct Case
    {
        const char* name;
        std::function<void(NodeWebPagesTest&)> arrange;
        std::string expected; // after the template's line
    };
    const Case cases[] = {
        {"without a layout", [](NodeWebPagesTest&) {},
         "You have not yet defined a web view\r\n\r\n</BODY>\r\n</HTML>"},
        {"a layout of another name, field values escaped",
         [](NodeWebPagesTest& t) {
             t.AddLayout("other", {{{"elementCategory", "FieldElement"}, {"fieldName", "GetDisplayString"}},
                                   {{"elementCategory", "LabelElement"}, {"labelType", "<i>Year</i>"}},
                                   {{"elementCategory", "scroll"}, {"value", "No"}},
                                   {{"elementCategory", "backgroundElement"}, {"color", "red"}}});
         },
         "<SPAN >Franc 1960 </SPAN> \r\n<SPAN >&lt;i&gt;Year&lt;/i&gt; </SPAN> \r\n\r\n</BODY>\r\n</HTML>"},
        {"order and search buttons, orderable field \"t\"",
         [](NodeWebPagesTest& t) { t.AddButtons("GRADE"); },
         "<A HREF=search.command> <IMG TITLE=\"Click here to search internet auctions/shops for this coin\" "
         "BORDER=0 SRC=\"searchit.jpg\"></A><br>\r\nYou have not yet defined a web "
         "view\r\n\r\n</BODY>\r\n</HTML>"},
    };
    for (const auto& c : cases) {
        SetUp();
        c.arrange(*this);
        const std::string page = ShowPageOf(made.franc);
        const size_t body = page.find("\r\n");
        ASSERT_NE(body, std::string::npos) << c.name;
        EXPECT_EQ(page.substr(body + 2), c.expected) << c.name;
    }
}

TEST_F(NodeWebPagesTest, ShowPageTakesStyleOnlyFromSafeLayoutTexts)
{
    AddLayout("summary", {{{"elementCategory", "backgroundElement"}, {"color", "red"}, {"image", "a.jpg"}},
                          {{"elementCategory", "scroll"}, {"value", "no"}}});
    EXPECT_EQ(FirstLine(ShowPageOf(made.franc)),
              "<body style=\"BACKGROUND-IMAGE: url(a.jpg); color: red\" SCROLL=NO>");
    SetUp();
    AddLayout("summary", {{{"elementCategory", "backgroundElement"},
                           {"color", "red\" onload=\"alert(1)"},
                           {"image", "x.jpg);}</style><script>"}}});
    EXPECT_EQ(FirstLine(ShowPageOf(made.franc)),
              "<body style=\"BACKGROUND-IMAGE: none; color: #FFFFFF\" SCROLL=YES>");
}

TEST_F(NodeWebPagesTest, OrderLinkFollowsTheOrderableField)
{
    AddButtons("GRADE"); // the franc's grade is "VF"
    EXPECT_EQ(ShowPageOf(made.franc).find("order.command"), std::string::npos);
    SetUp();
    AddButtons("");
    EXPECT_NE(
        ShowPageOf(made.franc).find("<A HREF=order.command> <IMG BORDER=0 SRC=\"orderit.jpg\"></A><br><p>"),
        std::string::npos);
    EXPECT_EQ(GetWebSearchTemplate(), "https://coins.example/?q=$-NAME-$");
}

TEST_F(NodeWebPagesTest, LayoutPageCarriesEachElementEscapedWithRisingIds)
{
    AddLayout("summary", {{{"elementCategory", "FieldElement"}, {"fieldName", "NAME"}},
                          {{"elementCategory", "LabelElement"}, {"labelType", "a \"b\""}}});
    CRecordNode node(made.franc.In(*catalogue));
    std::string message;
    CMarkupNode* found = nullptr;
    ASSERT_TRUE(node.CreateWebPage(message, &found));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->GetName(), "summary");
    const int last = CNodeWebPages::LastElementId();
    const std::string page = ReadFile(htm / "webPage.htm");
    EXPECT_NE(page.find("<SPAN Type=\"FieldElement\" ID=\"" + std::to_string(last - 1) + "\" SDMLStart=\""),
              std::string::npos)
        << page;
    EXPECT_NE(page.find("labelType§Franc} SDMLEnd\">"), std::string::npos) << page;
    EXPECT_NE(page.find("> a &quot;b&quot; </SPAN> "), std::string::npos) << page;
    EXPECT_EQ(page.substr(page.size() - 26), "\r\n</DIV>\r\n</BODY>\r\n</HTML>");
    EXPECT_EQ(page.substr(0, 19), "<body SCROLL=YES><D");

    ASSERT_TRUE(node.CreateWebPage(message, &found));
    EXPECT_EQ(CNodeWebPages::LastElementId(), last + 2);
}
