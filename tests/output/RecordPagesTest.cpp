#include "output/RecordPages.h"
#include "output/RecordHtml.h"
#include "output/WebLayout.h"

#include "codecs/CatalogueImage.h"
#include "platform/dao/DaoWorkspace.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "store/markup/MarkupNode.h"
#include "store/records/Record.h"
#include "store/records/RecordList.h"
#include "store/program/Settings.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <utility>

using namespace lumarc::test;
namespace fs = std::filesystem;

namespace {

const std::string kPageStart = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\">\r\n"
                               "<HTML><HEAD>\r\n"
                               "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\r\n"
                               "<TITLE></TITLE>\r\n"
                               "</HEAD><BODY>\n";
const std::string kPageEnd = "\r\n</BODY>\r\n</HTML>";

using Attributes = std::initializer_list<std::pair<const char*, const char*>>;

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

size_t Count(const std::string& text, std::string_view part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

// An HTML layout of a data file in the catalogue's web templates, with one element per entry.
CMarkupNode* AddLayout(CCatalogueDb& catalogue, const char* name, int kind,
                       std::initializer_list<Attributes> elements)
{
    auto* layout =
        catalogue.GetWebTemplates()->AddChild(std::make_unique<CMarkupNode>(name, "webDefinition"));
    layout->SetAttribute("layoutType", "HTML");
    layout->SetAttribute("DataName", std::to_string(kind));
    int number = 0;
    for (const Attributes& attributes : elements) {
        auto* element = layout->AddChild(std::make_unique<CMarkupNode>(std::to_string(number++), "element"));
        for (const auto& [attribute, value] : attributes) {
            element->SetAttribute(attribute, value);
        }
    }
    catalogue.SaveWebTemplates();
    return layout;
}

CRecord LoadRecord(CCatalogueDb& catalogue, const RecordKey& key)
{
    CRecord record(&catalogue);
    EXPECT_TRUE(record.Reload(key.kind, key.number, &catalogue));
    return record;
}

std::string Render(CRecord& record, WriteWebLayoutPage& writer, const fs::path& folder)
{
    std::ostringstream out;
    RenderRecordHtml(record, out, writer, folder);
    return out.str();
}

class RecordHtmlTest : public testing::Test
{
protected:
    void SetUp() override
    {
        SetSettingString("CreationDate", "FALSE");
        SetSettingString("WebTemplate", "");
        made = MakeTypicalCatalogue(MakeTempFolder("catalogue"));
        catalogue = std::make_unique<CCatalogueDb>(made.path);
        pages = MakeTempFolder("pages");
        AddLayout(*catalogue, "summary", 1,
                  {{{"elementCategory", "typeIconSmall"}},
                   {{"elementCategory", "typeIconLarge"}, {"align", "right"}},
                   {{"elementCategory", "LabelElement"}, {"elementType", "Header 2"}, {"labelType", "Coin"}},
                   {{"elementCategory", "FieldElement"}, {"fieldName", "GetDisplayString"}, {"bold", "1"}},
                   {{"elementCategory", "FieldElement"},
                    {"fieldName", "PICTURE"},
                    {"subtype", "Image"},
                    {"align", "left"}},
                   {{"elementCategory", "FieldElement"}, {"fieldName", "COUNTRY"}},
                   {{"elementCategory", "backgroundElement"}, {"image", "paper.jpg"}},
                   {{"elementCategory", "HTMLElement"}, {"value", "<HR>"}},
                   {{"elementCategory", "FieldElement"}, {"fieldName", "NOTES"}}});
        AddLayout(*catalogue, "summary", 3,
                  {{{"elementCategory", "FieldElement"}, {"fieldName", "NAME"}},
                   {{"elementCategory", "FieldElement"}, {"fieldName", "WEB"}},
                   {{"elementCategory", "FieldElement"}, {"fieldName", "EMAIL"}, {"elementType", "Strong"}},
                   {{"elementCategory", "FieldElement"}, {"fieldName", "PHONE"}}});
    }

    std::string Picture(int n) const { return (pages / ("web" + std::to_string(n) + ".jpg")).string(); }

    TypicalCatalogue made;
    std::unique_ptr<CCatalogueDb> catalogue;
    fs::path pages;
};

TEST_F(RecordHtmlTest, WritesEachElementOfTheLayoutInOrder)
{
    WriteWebLayoutPage writer;
    CRecord ducat = LoadRecord(*catalogue, made.ducat);
    EXPECT_EQ(Render(ducat, writer, pages), "<IMG SRC=\"" + Picture(0) +
                                                "\">\r\n"
                                                "<IMG BORDERS=0 SRC=\"" +
                                                Picture(1) +
                                                "\" ALIGN=right>\r\n"
                                                "<SPAN ><H2>Coin</H2> </SPAN> \r\n"
                                                "<SPAN ><B>Ducat 1650</B> </SPAN> \r\n"
                                                "<SPAN ><IMG SRC=\"" +
                                                Picture(2) +
                                                "\" ALIGN=left> </SPAN> \r\n"
                                                "<SPAN >Germany </SPAN> \r\n"
                                                "<SPAN ><HR> </SPAN> \r\n"
                                                "<SPAN > </SPAN> \r\n"
                                                "<P>");

    // The icons are written once; the next record names the same files and has no picture of its own.
    CRecord franc = LoadRecord(*catalogue, made.franc);
    const std::string page = Render(franc, writer, pages);
    EXPECT_EQ(page.substr(0, page.find("<SPAN >")), "<IMG SRC=\"" + Picture(0) +
                                                        "\">\r\n<IMG BORDERS=0 SRC=\"" + Picture(1) +
                                                        "\" ALIGN=right>\r\n");
    EXPECT_EQ(Count(page, "<IMG"), 2u);
    EXPECT_NE(page.find("<SPAN >New franc<BR>\r\nfirst year </SPAN> \r\n<P>"), std::string::npos);
    EXPECT_FALSE(fs::exists(Picture(3)));
}

TEST_F(RecordHtmlTest, PicturesAreJpegFilesOfTheStoredPictures)
{
    // A magenta icon: catalogue icons are drawn on magenta, which pages show as white.
    CCatalogueImage icon;
    const auto png = MakePictureBytes("-size 8x8 xc:magenta", "png");
    icon.LoadFromBytes(png, true);
    icon.SetValid(true);
    ASSERT_TRUE(catalogue->WriteAltImage(icon, 1));

    WriteWebLayoutPage writer;
    CRecord ducat = LoadRecord(*catalogue, made.ducat);
    Render(ducat, writer, pages);

    CCatalogueImage small;
    small.LoadFromFile(Picture(0));
    EXPECT_EQ(small.GetWidth(), 8);
    EXPECT_GE(small.GetPixel(4, 4) & 0xFFFFFF, 0xF0F0F0u);
    CCatalogueImage large;
    large.LoadFromFile(Picture(1));
    EXPECT_EQ(large.GetWidth(), 32);
    CCatalogueImage photo;
    photo.LoadFromFile(Picture(2));
    EXPECT_EQ(photo.GetWidth(), 24);
    EXPECT_EQ(photo.GetHeight(), 16);
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(ReadFile(Picture(n)).substr(0, 3), "\xFF\xD8\xFF") << n;
    }
    // The record keeps its stored bytes: writing the page decoded a copy.
    EXPECT_TRUE(ducat.GetFieldPicture(4)->HasPendingBytes());
}

TEST_F(RecordHtmlTest, FieldValuesAreTextWhileHtmlElementsStayMarkup)
{
    WriteWebLayoutPage writer;
    CRecord ducat = LoadRecord(*catalogue, made.ducat);
    ducat.SetFieldText(0, "<b>Rare</b> & \"fine\"");
    ducat.SetFieldText(5, "<script>alert(1)</script>");
    ducat.BuildName();
    const std::string page = Render(ducat, writer, pages);
    EXPECT_NE(page.find("<SPAN ><B>&lt;b&gt;Rare&lt;/b&gt; &amp; &quot;fine&quot; 1650</B> </SPAN> "),
              std::string::npos);
    EXPECT_NE(page.find("<SPAN >&lt;script&gt;alert(1)&lt;/script&gt; </SPAN> "), std::string::npos);
    EXPECT_EQ(page.find("<b>"), std::string::npos);
    EXPECT_NE(page.find("<SPAN ><HR> </SPAN> "), std::string::npos);
}

TEST_F(RecordHtmlTest, WebAndMailFieldsAreLinks)
{
    SetSettingString("ProductWebSite", "https://coins.example/shop");
    struct Case
    {
        const char* web;
        const char* link;
    };
    const Case cases[] = {
        {"numismatik.example/list.htm", "http://numismatik.example/list.html"},
        {"https://numismatik.example/list.html", "https://numismatik.example/list.html"},
        {"HTTP://numismatik.example", "HTTP://numismatik.example"},
        {"1US1/coins.htm", "https://coins.example/shop/coins.html"},
        // Only a link that names its scheme is taken as it stands: anything else is a host name.
        {"javascript:alert('http')", "http://javascript:alert(&#39;http&#39;)"},
        {"a.example/?q=\"x\"&y", "http://a.example/?q=&quot;x&quot;&amp;y"},
    };
    for (const Case& c : cases) {
        WriteWebLayoutPage writer;
        CRecord dealer = LoadRecord(*catalogue, made.dealer);
        dealer.SetFieldText(4, c.web);
        const std::string page = Render(dealer, writer, pages);
        EXPECT_NE(page.find("<SPAN > <A HREF=\"" + std::string(c.link) + "\" TARGET=_blank> "),
                  std::string::npos)
            << c.web << "\n"
            << page;
    }

    WriteWebLayoutPage writer;
    CRecord dealer = LoadRecord(*catalogue, made.dealer);
    EXPECT_EQ(Render(dealer, writer, pages),
              "<SPAN >Numismatik Berlin </SPAN> \r\n"
              "<SPAN > <A HREF=\"https://numismatik.example\" TARGET=_blank> https://numismatik.example </A> "
              "</SPAN> \r\n"
              "<SPAN > <A HREF=\"mailto:shop@numismatik.example\" TARGET=_blank> "
              "<STRONG>shop@numismatik.example</STRONG> </A> </SPAN> \r\n"
              "<SPAN >+49 30 1234567 </SPAN> \r\n"
              "<P>");

    // An empty address is no link.
    dealer.SetFieldText(3, "");
    EXPECT_NE(Render(dealer, writer, pages).find("<SPAN ><STRONG></STRONG> </SPAN> "), std::string::npos);
}

TEST_F(RecordHtmlTest, PicturesWithoutAlignmentAndRecordsWithoutLayout)
{
    AddLayout(*catalogue, "plain", 1,
              {{{"elementCategory", "FieldElement"}, {"fieldName", "PICTURE"}, {"subtype", "Image"}}});
    WriteWebLayoutPage writer;
    writer.Prepare(catalogue->GetWebTemplates(), "plain", 1);
    CRecord ducat = LoadRecord(*catalogue, made.ducat);
    EXPECT_EQ(Render(ducat, writer, pages), "<SPAN ><IMG SRC=\"" + Picture(0) + "\"> </SPAN> \r\n<P>");

    // The countries have no HTML layout: nothing at all.
    CRecord germany = LoadRecord(*catalogue, made.germanyCountry);
    EXPECT_EQ(Render(germany, writer, pages), "");
}

TEST_F(RecordHtmlTest, RecordsOfAnotherCatalogueTakeThatCataloguesLayout)
{
    const fs::path otherPath =
        CatalogueBuilder(MakeTempFolder("other") / "other.ctg").Number(4).DataFile(CoinsFile(1)).Build();
    CCatalogueDb other(otherPath);
    AddLayout(other, "summary", 1, {{{"elementCategory", "LabelElement"}, {"labelType", "Other"}}});
    const CNodeRef coin = AddRecord(other, 1, 0, {{"NAME", "Sou"}});

    WriteWebLayoutPage writer;
    writer.Prepare(catalogue->GetWebTemplates(), "summary", 1);
    CRecord ducat = LoadRecord(*catalogue, made.ducat);
    CRecord sou = LoadRecord(other, {1, coin.GetNumber()});
    EXPECT_NE(Render(ducat, writer, pages).find("<H2>Coin</H2>"), std::string::npos);
    EXPECT_EQ(Render(sou, writer, pages), "<SPAN >Other </SPAN> \r\n<P>");
}

// ---- chains of pages -------------------------------------------------------------------------------

TEST(RecordPagePathTest, NamesThePagesOfAChain)
{
    struct Case
    {
        const char* first;
        int number;
        const char* page;
    };
    const Case cases[] = {
        {"/h/coins.htm", 0, "/h/coins.htm"},     {"/h/coins.htm", 1, "/h/coins-1.htm"},
        {"/h/coins", 0, "/h/coins.htm"},         {"/h/coins", 2, "/h/coins-2.htm"},
        {"/h/coins.html", 3, "/h/coins-3.html"}, {"/h/coins-1990.htm", 1, "/h/coins-1990-1.htm"},
        {"/h.d/coins", 1, "/h.d/coins-1.htm"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RecordPagePath(c.first, c.number), fs::path(c.page)) << c.first << " " << c.number;
    }
}

class RecordPagesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        SetSettingString("CreationDate", "FALSE");
        SetSettingString("WebTemplate", "");
        pages = MakeTempFolder("pages");
        const fs::path path = CatalogueBuilder(MakeTempFolder("catalogue") / "coins.ctg")
                                  .Number(3)
                                  .DataFile(CoinsFile(1))
                                  .DataFile(AddressesFile(3))
                                  .Build();
        catalogue = std::make_unique<CCatalogueDb>(path);
        // Every field of the coins, the picture among them.
        CMarkupNode* layout = AddLayout(
            *catalogue, "list", 1,
            {{{"elementCategory", "FieldElement"}, {"fieldName", "GetDisplayString"}},
             {{"elementCategory", "FieldElement"}, {"fieldName", "PICTURE"}, {"subtype", "Image"}}});
        for (const char* field : {"NAME", "YEAR", "PRICE", "BOUGHT", "NOTES", "OWNEDYES", "WEIGHT", "MINTED",
                                  "STRUCK", "GRADE", "COUNTRY"}) {
            auto* element = layout->AddChild(std::make_unique<CMarkupNode>(field, "element"));
            element->SetAttribute("elementCategory", "FieldElement");
            element->SetAttribute("fieldName", field);
        }
        catalogue->SaveWebTemplates();
        AddLayout(*catalogue, "list", 3, {{{"elementCategory", "FieldElement"}, {"fieldName", "NAME"}}});
    }

    void AddCoins(int count)
    {
        const auto photo = MakePictureBytes("-size 12x8 gradient:gold-brown", "jpg");
        platform::dao::CDaoWorkspace::Default().BeginTrans();
        {
            RecordWriter writer(*catalogue, 1);
            for (int i = 0; i < count; ++i) {
                writer.Add(0, {{"NAME", "Coin" + std::to_string(i)},
                               {"YEAR", std::to_string(1800 + i)},
                               {"PRICE", "2.5"},
                               {"BOUGHT", "2001-06-15"},
                               {"NOTES", "Line one\r\nline two"},
                               {"OWNEDYES", "1"},
                               {"MINTED", "20010615"},
                               {"STRUCK", "14:30"},
                               {"PICTURE", std::string(photo.begin(), photo.end())}});
            }
        }
        platform::dao::CDaoWorkspace::Default().CommitTrans();
        records = std::make_unique<CRecordList>(catalogue.get());
        records->LoadFolder(1, nullptr, false, false);
    }

    std::vector<CRecord*> Records() const
    {
        std::vector<CRecord*> all;
        for (const auto& record : *records) {
            all.push_back(record.get());
        }
        return all;
    }

    bool Write(WriteWebLayoutPage& writer, const WebPagesOptions& options)
    {
        const std::vector<CRecord*> all = Records();
        return WriteRecordPages(*catalogue, all, options, writer);
    }

    WebPagesOptions Options(int perPage) const
    {
        WebPagesOptions options;
        options.layoutName = "list";
        options.folder = pages;
        options.pageName = "coins";
        options.recordsPerPage = perPage;
        return options;
    }

    fs::path pages;
    std::unique_ptr<CCatalogueDb> catalogue;
    std::unique_ptr<CRecordList> records;
};

const std::string kPrevious = "<IMG BORDER=0 SRC=\"Previous.jpg\" TITLE=\"Previous\">";
const std::string kNext = "<IMG BORDER=0 SRC=\"Next.jpg\" TITLE=\"Next\">";

std::string Link(const char* page, const std::string& picture)
{
    return "<A HREF=\"" + std::string(page) + "\" TARGET=\"dataFrame\">" + picture + "</A>\r\n";
}

TEST_F(RecordPagesTest, LongSetsAreChainedPagesInDescendingOrder)
{
    AddCoins(250);
    CItemSet set = CItemSet::Query(catalogue.get(), 1, nullptr, false);
    WebPagesOptions options = Options(100);
    options.sortField = 1; // YEAR
    WriteWebLayoutPage writer;
    ASSERT_TRUE(WriteWebPages(set, options, writer));

    const std::string first = ReadFile(pages / "coins.htm");
    const std::string second = ReadFile(pages / "coins-1.htm");
    const std::string third = ReadFile(pages / "coins-2.htm");
    EXPECT_FALSE(fs::exists(pages / "coins-3.htm"));
    for (const std::string* page : {&first, &second, &third}) {
        EXPECT_EQ(page->substr(0, kPageStart.size()), kPageStart);
        EXPECT_EQ(page->substr(page->size() - kPageEnd.size()), kPageEnd);
    }
    EXPECT_EQ(Count(first, "<P>"), 100u);
    EXPECT_EQ(Count(second, "<P>"), 100u);
    EXPECT_EQ(Count(third, "<P>"), 50u);
    EXPECT_EQ(first.find("<SPAN >Coin"), first.find("<SPAN >Coin249 2049 </SPAN> \r\n"));
    EXPECT_NE(second.find("<SPAN >Coin149 1949 </SPAN> \r\n"), std::string::npos);
    EXPECT_NE(third.find("<SPAN >Coin0 1800 </SPAN> \r\n<SPAN ><IMG SRC=\"" +
                         (pages / "web249.jpg").string() + "\"> </SPAN> \r\n"),
              std::string::npos);

    EXPECT_EQ(first.substr(first.rfind("<P>") + 3), Link("coins-1.htm", kNext) + kPageEnd);
    EXPECT_EQ(second.substr(second.rfind("<P>") + 3),
              Link("coins.htm", kPrevious) + Link("coins-2.htm", kNext) + kPageEnd);
    EXPECT_EQ(third.substr(third.rfind("<P>") + 3), Link("coins-1.htm", kPrevious) + kPageEnd);

    // One picture a record, numbered through the whole chain.
    EXPECT_TRUE(fs::exists(pages / "web249.jpg"));
    EXPECT_FALSE(fs::exists(pages / "web250.jpg"));
}

TEST_F(RecordPagesTest, PagesEndWhereTheRecordsEnd)
{
    struct Case
    {
        int records;
        int perPage;
        std::vector<const char*> pages; // the links each page ends with: P previous, N next
    };
    // In growing numbers of records: each case adds the records it needs more.
    const Case cases[] = {
        {3, 0, {""}}, {3, 2, {"N", "P"}}, {3, 3, {""}}, {4, 2, {"N", "P"}}, {5, 2, {"N", "PN", "P"}},
    };
    int added = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.records) + " records, " + std::to_string(c.perPage) + " a page");
        fs::remove_all(pages);
        fs::create_directories(pages);
        AddCoins(c.records - added);
        added = c.records;
        WriteWebLayoutPage writer;
        ASSERT_TRUE(Write(writer, Options(c.perPage)));
        for (size_t n = 0; n < c.pages.size(); ++n) {
            const std::string page = ReadFile(RecordPagePath(pages / "coins", static_cast<int>(n)));
            EXPECT_EQ(Count(page, kPrevious),
                      std::string(c.pages[n]).find('P') != std::string::npos ? 1u : 0u);
            EXPECT_EQ(Count(page, kNext), std::string(c.pages[n]).find('N') != std::string::npos ? 1u : 0u);
        }
        EXPECT_FALSE(fs::exists(RecordPagePath(pages / "coins", static_cast<int>(c.pages.size()))));
    }
}

TEST_F(RecordPagesTest, AppendingCallsContinueTheOpenPage)
{
    AddCoins(3);
    AddRecord(*catalogue, 3, 0, {{"NAME", "Dealer"}});
    records->LoadFolder(3, nullptr, false, false);

    WriteWebLayoutPage writer;
    WebPagesOptions options = Options(2);
    options.kindFilter = 1;
    options.keepOpen = true;
    ASSERT_TRUE(Write(writer, options));
    EXPECT_EQ(ReadFile(pages / "coins-1.htm").find("</HTML>"), std::string::npos);

    options.kindFilter = 3;
    options.append = true;
    options.keepOpen = false;
    ASSERT_TRUE(Write(writer, options));

    // The third coin and the dealer share the second page, which is then closed.
    const std::string second = ReadFile(pages / "coins-1.htm");
    EXPECT_EQ(Count(second, "<!DOCTYPE"), 1u);
    EXPECT_EQ(Count(second, "<P>"), 2u);
    EXPECT_NE(second.find("<SPAN >Dealer </SPAN> \r\n<P>" + Link("coins.htm", kPrevious) + kPageEnd),
              std::string::npos);
    EXPECT_FALSE(fs::exists(pages / "coins-2.htm"));
}

TEST_F(RecordPagesTest, AnEmptySetWritesTheBlankPage)
{
    AddCoins(0);
    WriteWebLayoutPage writer;
    ASSERT_TRUE(Write(writer, Options(10)));
    EXPECT_EQ(ReadFile(pages / "coins.htm"), kPageStart + kPageEnd);

    std::ofstream(GetProductDir() / "blank.htm", std::ios::binary) << "<HTML>No coins</HTML>";
    ASSERT_TRUE(Write(writer, Options(10)));
    EXPECT_EQ(ReadFile(pages / "coins.htm"), "<HTML>No coins</HTML>");
    fs::remove(GetProductDir() / "blank.htm");
}

TEST_F(RecordPagesTest, APageThatCannotBeWrittenFails)
{
    AddCoins(1);
    WriteWebLayoutPage writer;
    WebPagesOptions options = Options(0);
    options.folder = pages / "missing";
    EXPECT_FALSE(Write(writer, options));
}

} // namespace
