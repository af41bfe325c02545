// The descriptors of a record's fields for the editors of list rows and the buttons of record pages.

#include "store/records/PageFieldDescriptor.h"

#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "store/records/ItemSet.h"
#include "store/records/Record.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace lumarc::test;

namespace {

class PageFieldDescriptorTest : public testing::Test
{
protected:
    void SetUp() override
    {
        DataFileSpec items = CoinsFile(1);
        items.fields.push_back({.name = "SERIES", .length = 20, .referralFileNumber = 12});
        items.fields.push_back({.name = "ISSUE", .length = 20});
        items.fields.push_back({.name = "ORDBUTTON", .length = 2, .referralFileNumber = 5});
        items.fields.push_back({.name = "WIDEBUTTON", .length = 20});
        items.fields.push_back({.name = "PHONE", .length = 20, .kind = 'T'});
        items.fields.push_back({.name = "SHOP", .length = 60, .kind = 'W'});
        const auto path = CatalogueBuilder(MakeTempFolder() / "coins.ctg")
                              .Number(3)
                              .DataFile(items)
                              .DataFile(CountriesFile(2))
                              .Build();
        catalogue = std::make_unique<CCatalogueDb>(path);
        catalogue->LoadDefinitionsIfNeeded();
        CDataFileDef* definition = catalogue->FindDefinition(1);
        definition->SetFieldAdditionalFormatting(definition->FindFieldByName("ISSUE"), 'Y');
        const CNodeRef country = AddRecord(*catalogue, 2, 0, {{"NAME", "Germany"}});
        const CNodeRef coin =
            AddRecord(*catalogue, 1, 0,
                      {{"NAME", "Thaler"}, {"YEAR", "1786"}, {"COUNTRY", std::to_string(country.GetCode())}});
        record = std::make_unique<CRecord>(catalogue.get());
        ASSERT_TRUE(record->Reload(1, coin.GetNumber(), catalogue.get()));
    }

    std::unique_ptr<CCatalogueDb> catalogue;
    std::unique_ptr<CRecord> record;
};

TEST_F(PageFieldDescriptorTest, ControlLettersByFieldAndUse)
{
    struct Case
    {
        const char* field;
        char link;
        char button;
        int referenced;
    };
    const Case cases[] = {
        {"NAME", 'E', 'E', 0},  {"BOUGHT", 'D', 'D', 0},    {"STRUCK", 'T', 'T', 0},
        {"PRICE", 'U', 'U', 0}, {"COUNTRY", 'O', 'O', 2},   {"SERIES", 'O', 'O', 12},
        {"ISSUE", 'E', 'Y', 0}, {"ORDBUTTON", 'E', 'B', 5}, {"WIDEBUTTON", 'E', 'E', 0},
        {"PHONE", 'P', 'P', 0}, {"SHOP", 'E', 'W', 0},      {"MINTED", 'E', 'E', 0},
    };
    for (const Case& c : cases) {
        const int field = record->FindFieldByName(c.field);
        ASSERT_GE(field, 0) << c.field;
        PageFieldDescriptor link;
        PageFieldDescriptor button;
        ASSERT_TRUE(FillFieldDescriptor(*record, field, false, link));
        ASSERT_TRUE(FillFieldDescriptor(*record, field, true, button));
        EXPECT_EQ(link.control, c.link) << c.field;
        EXPECT_EQ(button.control, c.button) << c.field;
        EXPECT_EQ(button.referencedFile, c.referenced) << c.field;
        EXPECT_EQ(button.fieldIndex, field);
    }
    PageFieldDescriptor none;
    EXPECT_FALSE(FillFieldDescriptor(*record, 99, true, none));
    EXPECT_EQ(none.fieldIndex, -1);
}

TEST_F(PageFieldDescriptorTest, TitleFieldsInFieldOrder)
{
    PageFieldDescriptors descriptors;
    ASSERT_EQ(FillTitleFieldDescriptors(*record, descriptors), 2u);
    EXPECT_EQ(descriptors[0].displayText, "Thaler");
    EXPECT_EQ(descriptors[0].length, 40);
    EXPECT_EQ(descriptors[0].fieldIndex, 0);
    EXPECT_EQ(descriptors[1].displayText, "1786");
    EXPECT_EQ(descriptors[1].fieldIndex, 1);
    EXPECT_EQ(descriptors[2].fieldIndex, -1);

    // Fewer descriptors than title fields: the first ones are filled.
    std::array<PageFieldDescriptor, 1> one;
    EXPECT_EQ(FillTitleFieldDescriptors(*record, one), 1u);
    EXPECT_EQ(one[0].displayText, "Thaler");

    // The shown text of a reference is the referenced record's name; long texts are cut by characters.
    PageFieldDescriptor country;
    ASSERT_TRUE(FillFieldDescriptor(*record, record->FindFieldByName("COUNTRY"), false, country));
    EXPECT_EQ(country.displayText, "Germany");
    std::string notes;
    for (int i = 0; i < 60; ++i) {
        notes += "ÄÖ";
    }
    record->SetFieldText(record->FindFieldByName("NOTES"), notes);
    PageFieldDescriptor memo;
    ASSERT_TRUE(FillFieldDescriptor(*record, record->FindFieldByName("NOTES"), false, memo));
    EXPECT_EQ(memo.displayText, notes.substr(0, 2 * PageFieldDescriptor::kDisplayCharacters));
}

TEST_F(PageFieldDescriptorTest, TheFirstRecordOfASetFillsThem)
{
    CItemSet set = CItemSet::Query(catalogue.get(), 1, nullptr, false);
    PageFieldDescriptors links;
    EXPECT_EQ(WriteFirstLinksHtml(set, links), 2u);
    EXPECT_EQ(links[1].displayText, "1786");
    PageFieldDescriptor button;
    EXPECT_TRUE(WriteFirstButtonsHtml(set, button, set.FindFieldByName("ORDBUTTON")));
    EXPECT_EQ(button.control, 'B');
    EXPECT_EQ(set.GetPosition(), 1u);

    CItemSet empty = CItemSet::Query(catalogue.get(), 2, nullptr, true);
    EXPECT_EQ(WriteFirstLinksHtml(empty, links), 0u);
    EXPECT_FALSE(WriteFirstButtonsHtml(empty, button, 0));
}

} // namespace
