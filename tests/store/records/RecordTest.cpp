// Records of a typical catalogue: read lazily, saved, inserted, copied within and between catalogues,
// put into the waste basket and back, written as delimited lines.

#include "store/records/Record.h"

#include "codecs/CatalogueImage.h"
#include "platform/dao/DaoDatabase.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/catalogue/DataRecordset.h"
#include "store/catalogue/SqlText.h"
#include "store/definitions/DataFileDef.h"
#include "store/program/Settings.h"
#include "store/records/FrameRefresh.h"
#include "store/records/LinkList.h"
#include "store/records/RecordList.h"
#include "store/regional/DateText.h"
#include "store/regional/RegionalSettings.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/EngineProbe.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

using namespace lumarc::test;
using namespace platform::dao;

namespace {

class RecordingFrame final : public CFrameRefresh
{
public:
    void GoToNodeByCode(const CRecord& saved) override { codes.push_back(saved.GetKeyCode()); }
    std::vector<double> codes;
};

// One column of the row of a record, as the database holds it.
CDaoVariant RowValue(CCatalogueDb& catalogue, const CNodeRef& key, const std::string& column)
{
    const CDataFileDef* definition = catalogue.FindDefinition(key.GetKind());
    CDataRecordset rs(catalogue.GetDatabase());
    rs.OpenQuery(dbOpenSnapshot, "SELECT * FROM [" + definition->GetFileName() +
                                     "] WHERE AUTOINCR = " + std::to_string(key.GetNumber()));
    if (rs.IsEOF()) {
        return {};
    }
    return rs.GetFieldValue(column);
}

std::string RowText(CCatalogueDb& catalogue, const CNodeRef& key, const std::string& column)
{
    return CDataRecordset::FieldText(RowValue(catalogue, key, column));
}

std::string DateText(int year, int month, int day)
{
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    return FormatDate(parts);
}

class RecordTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetSettingString("selectedCurrency", "$");
        LoadRegionalSettings(platform::intl::RegionalValues{});
        made = MakeTypicalCatalogue(MakeTempFolder("records"));
        catalogue = std::make_unique<CCatalogueDb>(made.path);
        SetFrameRefresh(&frame);
    }
    void TearDown() override { SetFrameRefresh(nullptr); }

    CRecord Load(const RecordKey& key)
    {
        CRecord record(catalogue.get());
        record.SetKey(key.kind, key.number);
        return record;
    }
    int Field(const std::string& name) { return Load(made.franc).FindFieldByName(name); }

    TypicalCatalogue made;
    std::unique_ptr<CCatalogueDb> catalogue;
    RecordingFrame frame;
};

TEST_F(RecordTest, FieldsOfEveryTypeLoadOnFirstUse)
{
    CRecord franc = Load(made.franc);
    EXPECT_FALSE(franc.AreFieldsLoaded());
    EXPECT_EQ(franc.GetFieldTextByName("NAME"), "Franc");
    EXPECT_TRUE(franc.AreFieldsLoaded());
    const std::map<std::string, std::string> expected = {
        {"YEAR", "1960"},
        {"PRICE", "$ 1.50"},
        {"BOUGHT", DateText(2001, 6, 15)},
        {"NOTES", "New franc\r\nfirst year"},
        {"OWNEDYES", "1"},
        {"WEIGHT", "6.0 g"},
        {"MINTED", "20010615"},
        {"STRUCK", "14:30"},
        {"GRADE", "VF"},
    };
    for (const auto& [name, text] : expected) {
        EXPECT_EQ(franc.GetFieldTextByName(name), text) << name;
    }
    EXPECT_EQ(franc.GetFieldDisplayText(Field("COUNTRY")), "France");
    EXPECT_EQ(franc.GetFieldKey(Field("COUNTRY")).GetNumber(), made.franceCountry.number);
    EXPECT_EQ(franc.GetName(), "Franc 1960");
    EXPECT_EQ(franc.GetParent(), made.france);
    EXPECT_GT(franc.GetCreationTime(), 0);
    EXPECT_DOUBLE_EQ(franc.GetFieldNumber(Field("PRICE")), 1.5);
    EXPECT_EQ(franc.GetFieldDate(Field("BOUGHT")), ParseDateText(DateText(2001, 6, 15)));
    EXPECT_EQ(franc.GetFieldPicture(Field("PICTURE")), nullptr);
    EXPECT_EQ(franc.FindFieldOfKind('T'), -1);
    EXPECT_EQ(franc.GetFieldText(99), "");

    CRecord ducat = Load(made.ducat);
    const auto picture = ducat.GetFieldPicture(Field("PICTURE"));
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->HasPendingBytes()); // decoded only when shown
    EXPECT_TRUE(picture->HasBitmap());
    EXPECT_EQ(picture->GetWidth(), 24);

    CRecord dealer = Load(made.dealer);
    EXPECT_EQ(dealer.FindFieldOfKind('E'), 3);
    EXPECT_EQ(dealer.FindFieldOfKind('W'), 4);

    CRecord gone(catalogue.get());
    EXPECT_FALSE(gone.Reload(1, 999, catalogue.get()));
    EXPECT_EQ(gone.GetFieldText(0), "");
}

TEST_F(RecordTest, NumbersInTextsReadWithAPointUnderADecimalCommaLocale)
{
    ScopedNumericLocale german("de_DE.UTF-8");
    if (!german.IsSet()) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    CRecord franc = Load(made.franc);
    franc.SetFieldTextByName("WEIGHT", "6.5 g");
    EXPECT_DOUBLE_EQ(franc.GetFieldNumber(Field("WEIGHT")), 6.5);
}

TEST_F(RecordTest, SavedValuesOfEveryTypeReadBack)
{
    CRecord franc = Load(made.franc);
    const std::time_t created = franc.GetCreationTime();
    const std::string notes(300, 'n');
    franc.SetFieldTextByName("NAME", "Franc Germinal");
    franc.SetFieldTextByName("YEAR", "1803");
    franc.SetFieldTextByName("PRICE", "($ 2,345.67)");
    franc.SetFieldTextByName("BOUGHT", DateText(1999, 12, 31));
    franc.SetFieldTextByName("NOTES", notes);
    franc.SetFieldTextByName("OWNEDYES", "0");
    franc.SetFieldTextByName("GRADE", "T"); // a check box's letter is kept as it is
    EXPECT_TRUE(franc.SetFieldTextByName("COUNTRY", "Spain", true));
    auto picture = std::make_shared<CCatalogueImage>();
    const auto png = MakePictureBytes("-size 8x6 xc:red", "png");
    picture->LoadFromBytes(png, true);
    picture->SetValid(true);
    franc.SetFieldPicture(Field("PICTURE"), picture);
    ASSERT_TRUE(franc.Save(made.germany));
    EXPECT_EQ(frame.codes, std::vector<double>{franc.GetKeyCode()});

    catalogue = std::make_unique<CCatalogueDb>(made.path);
    CRecord again = Load(made.franc);
    EXPECT_EQ(again.GetName(), "Franc Germinal 1803");
    EXPECT_EQ(again.GetFieldTextByName("PRICE"), "($ 2,345.67)");
    EXPECT_EQ(RowText(*catalogue, again.GetKey(), "PRICE"), "0A-2345B-67");
    EXPECT_EQ(again.GetFieldTextByName("BOUGHT"), DateText(1999, 12, 31));
    EXPECT_EQ(again.GetFieldTextByName("NOTES"), notes);
    EXPECT_EQ(again.GetFieldTextByName("OWNEDYES"), "0");
    EXPECT_EQ(again.GetFieldTextByName("GRADE"), "T");
    EXPECT_EQ(again.GetFieldDisplayText(Field("COUNTRY")), "Spain");
    EXPECT_EQ(again.GetParent(), made.germany);
    EXPECT_EQ(again.GetCreationTime(), created);
    EXPECT_EQ(RowValue(*catalogue, again.GetKey(), "UID").GetDouble(), again.GetKeyCode());
    const auto stored = again.GetFieldPicture(Field("PICTURE"));
    ASSERT_NE(stored, nullptr);
    ASSERT_TRUE(stored->HasBitmap());
    EXPECT_EQ(stored->GetWidth(), 8);

    // The new country was made at the catalogue's top, named as typed.
    CRecordList countries(catalogue.get());
    countries.LoadFolder(2, nullptr, false, false);
    EXPECT_EQ(countries.GetCount(), 3u);

    // Emptied values are emptied in the row too, and a change of case alone is kept.
    again.SetFieldTextByName("NOTES", "");
    again.SetFieldTextByName("PRICE", "");
    again.SetFieldTextByName("NAME", "FRANC GERMINAL");
    again.SetFieldPicture(Field("PICTURE"), nullptr);
    ASSERT_TRUE(again.Save(again.GetParent(), false));
    CRecord emptied = Load(made.franc);
    EXPECT_EQ(emptied.GetFieldTextByName("NOTES"), " ");
    EXPECT_EQ(emptied.GetFieldTextByName("PRICE"), "");
    EXPECT_EQ(emptied.GetFieldTextByName("NAME"), "FRANC GERMINAL");
    EXPECT_EQ(emptied.GetFieldPicture(Field("PICTURE")), nullptr);
}

TEST_F(RecordTest, AnUntouchedAmountKeepsEveryDecimalPlace)
{
    catalogue->GetDatabase()->Execute("UPDATE COINS SET PRICE = 12.3456 WHERE AUTOINCR = " +
                                      std::to_string(made.mark.number));
    CRecord mark = Load(made.mark);
    EXPECT_EQ(mark.GetFieldTextByName("PRICE"), "$ 12.34");
    mark.SetFieldTextByName("NAME", "Mark (1950)");
    ASSERT_TRUE(mark.Save(mark.GetParent(), false));
    EXPECT_EQ(RowText(*catalogue, mark.GetKey(), "PRICE"), "56A12B34");
    mark.SetFieldTextByName("PRICE", "$ 12.35");
    ASSERT_TRUE(mark.Save(mark.GetParent(), false));
    EXPECT_EQ(RowText(*catalogue, mark.GetKey(), "PRICE"), "0A12B35");
}

TEST_F(RecordTest, TextsKeepTheirFieldsLength)
{
    CRecord franc = Load(made.franc);
    const int name = Field("NAME");
    EXPECT_TRUE(franc.SetFieldText(name, std::string(40, 'x') + "yz"));
    EXPECT_EQ(franc.GetFieldText(name), std::string(40, 'x'));
    EXPECT_FALSE(franc.SetFieldText(name, std::string(40, 'x')));
    std::string accented = "Ä";
    for (int i = 0; i < 45; ++i) {
        accented += "é";
    }
    EXPECT_TRUE(franc.SetFieldText(name, accented)); // characters, not bytes
    EXPECT_EQ(franc.GetFieldText(name), accented.substr(0, 2 + 39 * 2));
    EXPECT_FALSE(franc.SetFieldText(Field("PICTURE"), "text"));
    EXPECT_FALSE(franc.SetFieldText(12, "past the last field"));
}

TEST_F(RecordTest, NamesAreSpreadOverTheTitleFields)
{
    struct Case
    {
        const char* name;
        const char* first;
        const char* second;
    };
    const Case cases[] = {
        {"Mark", "Mark", "1950"},
        {"Gold Mark 1873", "Gold Mark", "1873"},
        {"Thaler 1786", "Thaler", "1786"},
    };
    for (const Case& c : cases) {
        CRecord mark = Load(made.mark);
        mark.SetNameText(c.name);
        EXPECT_EQ(mark.GetFieldTextByName("NAME"), c.first) << c.name;
        EXPECT_EQ(mark.GetFieldTextByName("YEAR"), c.second) << c.name;
    }
    // A lookup table's whole name goes to its first field.
    CRecord country = Load(made.germanyCountry);
    country.SetNameText("Federal Republic");
    EXPECT_EQ(country.GetFieldText(0), "Federal Republic");
    EXPECT_EQ(country.BuildName(), "Federal Republic");
}

TEST_F(RecordTest, InsertAddsARowWithANewNumberAndKey)
{
    CRecord coin(catalogue.get());
    coin.SetKey(1, 0);
    coin.SetNameText("Penny 1971");
    ASSERT_TRUE(coin.Insert(made.france));
    EXPECT_GT(coin.GetNumber(), made.ducat.number);
    EXPECT_EQ(RowValue(*catalogue, coin.GetKey(), "UID").GetDouble(), coin.GetKeyCode());
    EXPECT_EQ(RowText(*catalogue, coin.GetKey(), "CREADATE").size(), 16u);
    EXPECT_FALSE(RowValue(*catalogue, coin.GetKey(), "DELETED").GetBool());
    EXPECT_EQ(frame.codes, std::vector<double>{coin.GetKeyCode()});

    // Inserting a record read from a row makes a second row with its values.
    CRecord franc = Load(made.franc);
    ASSERT_TRUE(franc.Insert(made.france));
    EXPECT_NE(franc.GetNumber(), made.franc.number);
    EXPECT_EQ(RowText(*catalogue, franc.GetKey(), "NAME"), "Franc");
    EXPECT_EQ(RowText(*catalogue, made.franc.In(*catalogue), "NAME"), "Franc");

    // Saved as a record of another data file, by the fields' names.
    CRecord asAddress = Load(made.mark);
    ASSERT_TRUE(asAddress.SaveAs(3, 0, false));
    EXPECT_EQ(asAddress.GetKind(), 3);
    EXPECT_EQ(RowText(*catalogue, asAddress.GetKey(), "NAME"), "Mark");
}

// A seek that fails (here interrupted inside the engine, as a busy file or a read error would make it)
// is no missing row: saving fails and writes no second row under a new number.
TEST_F(RecordTest, SavingFailsWithoutANewRowWhenTheSeekFails)
{
    const auto rows = [&] {
        CDataRecordset rs(catalogue->GetDatabase());
        rs.OpenQuery(dbOpenSnapshot, "SELECT count(*) AS N FROM COINS");
        return rs.GetFieldLong("N");
    };
    const std::int32_t before = rows();
    CRecord franc = Load(made.franc);
    franc.SetFieldTextByName("GRADE", "XF");
    {
        EngineProbe probe(*catalogue->GetDatabase());
        probe.FailStatementsHolding("\"AUTOINCR\" = ?");
        EXPECT_FALSE(franc.Save(made.france, false));
        EXPECT_GT(probe.FailedStatements(), 0u);
    }
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(franc.GetNumber(), made.franc.number);
    EXPECT_TRUE(frame.codes.empty());
    // Once the engine answers again the same record saves into its own row.
    ASSERT_TRUE(franc.Save(made.france, false));
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(RowText(*catalogue, made.franc.In(*catalogue), "GRADE"), "XF");
}

TEST_F(RecordTest, CopiesToAnotherCatalogueCarryPicturesReferencesAndNotes)
{
    const auto other = CatalogueBuilder(MakeTempFolder("target") / "target.ctg")
                           .Number(7)
                           .DataFile(CountriesFile(4))
                           .DataFile([] {
                               DataFileSpec coins = CoinsFile(5);
                               coins.fields[11].referralFileNumber = 4;
                               return coins;
                           }())
                           .Build();
    CCatalogueDb target(other);
    CRecord note(catalogue.get());
    note.SetKey(20, 0);
    note.SetFieldText(0, "Bought at the fair");
    ASSERT_TRUE(note.Save(0, false));
    AddLink(*catalogue, made.ducat.In(*catalogue), note.GetKey());

    CRecord ducat = Load(made.ducat);
    const CNodeRef copy = ducat.CopyToMatchingFile(target, 0);
    ASSERT_EQ(copy.GetKind(), 5);
    ducat.CopyChildren(copy, 0, target, 5);

    EXPECT_EQ(RowValue(target, copy, "FROM-UID").GetDouble(), ducat.GetKeyCode());
    EXPECT_EQ(RowText(target, copy, "CREADATE"), RowText(*catalogue, ducat.GetKey(), "CREADATE"));
    // The picture's stored bytes, unchanged: no second JPEG encoding.
    EXPECT_EQ(RowValue(target, copy, "PICTURE").GetBinary(),
              RowValue(*catalogue, ducat.GetKey(), "PICTURE").GetBinary());
    CRecord copied(&target);
    copied.SetKey(5, copy.GetNumber());
    EXPECT_EQ(copied.GetName(), "Ducat 1650");
    EXPECT_EQ(copied.GetFieldDisplayText(11), "Germany"); // made in the target, not the source's code
    EXPECT_EQ(copied.GetFieldKey(11).GetCatalogueNumber(), 7);
    CRecordList notes(&target);
    notes.LoadLinkedUids(copy, 0, false, 20, 0, false);
    ASSERT_EQ(notes.GetCount(), 1u);
    EXPECT_EQ(notes.GetFirst()->GetFieldText(0), "Bought at the fair");

    // A whole list in one go.
    CRecordList coins(catalogue.get());
    coins.LoadFolder(1, nullptr, false, false);
    EXPECT_EQ(coins.CopyToCatalogue(target, 5, 0), 4);
    CRecordList copies(&target);
    copies.LoadFolder(5, nullptr, false, false);
    EXPECT_EQ(copies.GetCount(), 5u);
    EXPECT_EQ(coins.CopyToCatalogue(target, 9, 0), 0); // no such data file there
}

TEST_F(RecordTest, CopiesInTheSameCatalogueDuplicateNotesAndShareLinks)
{
    CRecord note(catalogue.get());
    note.SetKey(20, 0);
    note.SetFieldText(0, "Cleaned once");
    ASSERT_TRUE(note.Save(0, false));
    AddLink(*catalogue, made.thaler.In(*catalogue), note.GetKey());

    CRecord thaler = Load(made.thaler);
    const CNodeRef copy = thaler.CopyToCatalogue(*catalogue, 1, made.germany);
    ASSERT_NE(copy.GetNumber(), 0u);
    thaler.CopyChildren(copy, made.germany, *catalogue, 1);

    CRecordList linked(catalogue.get());
    linked.LoadLinkedUids(copy, 0, false, 0, 0, false);
    ASSERT_EQ(linked.GetCount(), 2u); // the dealer, and a new note
    EXPECT_TRUE(linked.Contains(3, made.dealer.number, catalogue.get()));
    CRecord* duplicate = nullptr;
    for (CRecord* record = linked.GetFirst(); record != nullptr; record = linked.GetNext()) {
        if (record->GetKind() == 20) {
            duplicate = record;
        }
    }
    ASSERT_NE(duplicate, nullptr);
    EXPECT_NE(duplicate->GetNumber(), note.GetNumber());
    EXPECT_EQ(duplicate->GetFieldText(0), "Cleaned once");
}

TEST_F(RecordTest, TheWasteBasketTakesRecordsWithTheirNotesAndGivesThemBack)
{
    CRecord note(catalogue.get());
    note.SetKey(20, 0);
    note.SetFieldText(0, "Attached");
    ASSERT_TRUE(note.Save(0, false));
    AddLink(*catalogue, made.mark.In(*catalogue), note.GetKey());
    const int before = catalogue->GetDeletedEntries();

    CRecord mark = Load(made.mark);
    ASSERT_TRUE(mark.DeleteFromTable());
    EXPECT_TRUE(RowValue(*catalogue, mark.GetKey(), "DELETED").GetBool());
    EXPECT_TRUE(RowValue(*catalogue, note.GetKey(), "DELETED").GetBool());
    EXPECT_EQ(catalogue->GetDeletedEntries(), before + 2);
    CDataRecordset links(catalogue->GetDatabase());
    links.OpenQuery(dbOpenSnapshot, "SELECT * FROM LINK WHERE OID_OUT = " + SqlNumber(mark.GetKeyCode()));
    EXPECT_EQ(links.GetFieldText("DELETED"), "Y");
    links.Close();
    CRecordList basket(catalogue.get());
    basket.LoadFolder(1, nullptr, true, false);
    EXPECT_TRUE(basket.Contains(1, made.mark.number));
    CRecordList live(catalogue.get());
    live.LoadFolder(1, nullptr, false, false);
    EXPECT_FALSE(live.Contains(1, made.mark.number));

    // Its folder goes meanwhile: it comes back at the catalogue's top.
    catalogue->DeleteFolderTree(made.germany, true);
    ASSERT_TRUE(mark.Undelete());
    EXPECT_FALSE(RowValue(*catalogue, mark.GetKey(), "DELETED").GetBool());
    EXPECT_EQ(RowValue(*catalogue, mark.GetKey(), "PARENT").GetDouble(), 0.0);
    EXPECT_EQ(catalogue->GetDeletedEntries(), before + 2); // the thaler went with the folder
    links.OpenQuery(dbOpenSnapshot, "SELECT * FROM LINK WHERE OID_OUT = " + SqlNumber(mark.GetKeyCode()));
    EXPECT_EQ(links.GetFieldText("DELETED"), "N");
    links.Close();

    // A stored query has no waste basket.
    CRecordList queries(catalogue.get());
    queries.LoadFolder(23, nullptr, false, false);
    ASSERT_EQ(queries.GetCount(), 1u);
    ASSERT_TRUE(queries.GetFirst()->DeleteFromTable());
    EXPECT_TRUE(RowValue(*catalogue, queries.GetFirst()->GetKey(), "NAME").IsNull());

    // Purging removes the rows still in the basket.
    catalogue->PurgeDeletedEntries();
    EXPECT_TRUE(RowValue(*catalogue, note.GetKey(), "NoteText").IsNull());
    EXPECT_FALSE(RowValue(*catalogue, mark.GetKey(), "NAME").IsNull());
}

TEST_F(RecordTest, MovingToAFolderAndOwning)
{
    CRecord ducat = Load(made.ducat);
    ASSERT_TRUE(ducat.MoveToParent(made.asia));
    EXPECT_EQ(RowValue(*catalogue, ducat.GetKey(), "PARENT").GetDouble(), made.asia);
    EXPECT_FALSE(ducat.IsOwned());
    EXPECT_TRUE(ducat.SetOwned(true));
    EXPECT_TRUE(ducat.SetOwned(true));
    EXPECT_TRUE(ducat.IsOwned());
    CDataRecordset owned(catalogue->GetDatabase());
    owned.OpenQuery(dbOpenSnapshot, "SELECT * FROM OWNED");
    EXPECT_EQ(owned.GetRecordCount(), 1);
    owned.Close();
    EXPECT_TRUE(ducat.SetOwned(false));
    EXPECT_FALSE(ducat.IsOwned());
}

TEST_F(RecordTest, DelimitedLinesQuoteTextsAndNameReferences)
{
    CRecord franc = Load(made.franc);
    FieldSelection selection;
    for (const char* name : {"YEAR", "NAME", "GRADE", "COUNTRY"}) {
        selection.set(static_cast<size_t>(Field(name)));
    }
    franc.SetFieldTextByName("NAME", "The \"new\" franc  ");
    franc.SetFieldTextByName("GRADE", "");
    std::ostringstream line;
    franc.WriteDelimitedLine(line, ';', selection);
    EXPECT_EQ(line.str(), "\"The \"\"new\"\" franc\";1960;\" \";\"France\"\r\n");

    CRecordList list(catalogue.get());
    list.Add(Load(made.franc));
    list.Add(Load(made.mark));
    const auto file = MakeTempFolder("export") / "coins.txt";
    ASSERT_TRUE(list.WriteToFile(file, ',', selection));
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "\"Franc\",1960,\"VF\",\"France\"\r\n\"Mark\",1950,\" \",\"Germany\"\r\n");
    EXPECT_FALSE(list.WriteToFile(MakeTempFolder("export") / "missing" / "x.txt", ',', selection));
}

} // namespace
