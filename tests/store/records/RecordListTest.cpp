// Record lists: their contents and cursor, the loaders over a typical catalogue, and sorting.

#include "store/records/RecordList.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoWorkspace.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "store/program/Settings.h"
#include "store/records/FolderRecord.h"
#include "store/regional/RegionalSettings.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace lumarc::test;

namespace {

std::vector<std::string> Names(const CRecordList& list)
{
    std::vector<std::string> names;
    for (const auto& record : list) {
        names.push_back(record->GetName());
    }
    return names;
}

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

class RecordListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetSettingString("selectedCurrency", "$");
        LoadRegionalSettings(platform::intl::RegionalValues{});
        made = MakeTypicalCatalogue(MakeTempFolder("lists"));
        catalogue = std::make_unique<CCatalogueDb>(made.path);
    }

    CRecord Record(const RecordKey& key)
    {
        CRecord record(catalogue.get());
        record.SetKey(key.kind, key.number);
        return record;
    }
    CRecordList Coins(const CFolderRecord* folder = nullptr, bool deleted = false, bool allFolders = false)
    {
        CRecordList list(catalogue.get());
        list.LoadFolder(1, folder, deleted, allFolders);
        return list;
    }

    TypicalCatalogue made;
    std::unique_ptr<CCatalogueDb> catalogue;
};

TEST_F(RecordListTest, HoldsEachRecordOnceAndKeepsItsCursor)
{
    CRecordList list(catalogue.get());
    CRecord* franc = list.Add(Record(made.franc));
    ASSERT_NE(franc, nullptr);
    EXPECT_TRUE(franc->IsInList());
    EXPECT_EQ(list.Add(Record(made.franc)), franc);
    EXPECT_EQ(list.GetCount(), 1u);
    CRecord unknown(catalogue.get());
    unknown.SetKey(77, 1);
    EXPECT_EQ(list.Add(unknown), nullptr); // no such data file
    list.Add(Record(made.mark));
    list.Add(Record(made.thaler));
    EXPECT_EQ(list.GetFirst(), franc);
    EXPECT_EQ(list.GetPrev(), nullptr);
    EXPECT_EQ(list.GetNext()->GetNumber(), made.mark.number);
    EXPECT_EQ(list.GetPosition(), 2u);
    ASSERT_TRUE(list.Remove(list.GetCurrent()));
    EXPECT_EQ(list.GetCurrent()->GetNumber(), made.thaler.number); // the next one
    ASSERT_TRUE(list.Remove(list.GetCurrent()));
    EXPECT_EQ(list.GetCurrent(), franc); // no next: the one before
    EXPECT_FALSE(list.Contains(1, made.mark.number));

    // The same key in another catalogue is another record.
    const TypicalCatalogue second = MakeTypicalCatalogue(MakeTempFolder("second"));
    CCatalogueDb other(second.path);
    CRecordList others(&other);
    others.LoadFolder(1, nullptr, false, false);
    list.Merge(others);
    EXPECT_EQ(list.GetCount(), 5u);
    EXPECT_TRUE(list.Contains(1, made.franc.number, &other));
    EXPECT_EQ(list.GetCurrent(), franc);
    list.Merge(others);
    EXPECT_EQ(list.GetCount(), 5u);
    list.Clear();
    EXPECT_EQ(list.GetFirst(), nullptr);
    EXPECT_EQ(list.GetPosition(), 0u);
}

// Many keys of two catalogues, some taken out again: what the list holds is exactly what is left, in
// either catalogue, and a catalogue the list never held holds nothing.
TEST_F(RecordListTest, ManyKeysOfTwoCataloguesStayApartWhenSomeAreTakenOut)
{
    const TypicalCatalogue second = MakeTypicalCatalogue(MakeTempFolder("second"));
    CCatalogueDb other(second.path);
    const TypicalCatalogue third = MakeTypicalCatalogue(MakeTempFolder("third"));
    CCatalogueDb unseen(third.path);
    constexpr std::uint32_t kKeys = 700;
    CRecordList list(catalogue.get());
    std::vector<CRecord*> held;
    for (std::uint32_t number = 1; number <= kKeys; ++number) {
        for (CCatalogueDb* where : {catalogue.get(), &other}) {
            CRecord record(where);
            record.SetKey(1, number);
            held.push_back(list.Add(record));
            ASSERT_NE(held.back(), nullptr);
        }
    }
    for (size_t i = 0; i < held.size(); i += 3) {
        ASSERT_TRUE(list.Remove(held[i]));
    }
    for (std::uint32_t number = 1; number <= kKeys; ++number) {
        const size_t first = 2 * (number - 1);
        EXPECT_EQ(list.Contains(1, number, catalogue.get()), first % 3 != 0) << number;
        EXPECT_EQ(list.Contains(1, number, &other), (first + 1) % 3 != 0) << number;
        EXPECT_FALSE(list.Contains(1, number, &unseen)) << number;
        EXPECT_FALSE(list.Contains(2, number, catalogue.get())) << number;
    }
    EXPECT_EQ(list.GetCount(), held.size() - (held.size() + 2) / 3);
}

TEST_F(RecordListTest, FolderLoaderTakesAFoldersRecordsInItsOrder)
{
    CRecordList all = Coins();
    EXPECT_EQ(Sorted(Names(all)), Sorted({"Franc 1960", "Mark 1950", "Thaler 1786", "Ducat 1650"}));
    CFolderRecord* france = catalogue->FindFolder(made.france);
    EXPECT_EQ(Names(Coins(france)), std::vector<std::string>{"Franc 1960"});
    // With every folder: the records outside any folder as well.
    CRecordList withTop = Coins(france, false, true);
    EXPECT_EQ(Sorted(Names(withTop)), Sorted({"Franc 1960", "Ducat 1650"}));

    // The folder's own order: its ORDERED clause, else its ORDEREDNUMBER.
    const double old = catalogue->AddFolder("Old", 0, 1)->GetNumber();
    for (const RecordKey& key : {made.franc, made.mark, made.thaler}) {
        ASSERT_TRUE(Record(key).MoveToParent(old));
    }
    CFolderRecord* folder = catalogue->FindFolder(old);
    folder->SetOrdered("ORDER BY [NAME] DESC");
    EXPECT_EQ(Names(Coins(folder)), (std::vector<std::string>{"Thaler 1786", "Mark 1950", "Franc 1960"}));
    folder->SetOrdered(" ");
    folder->SetOrderedNumber(1); // YEAR is not a text field: no order of its own
    folder->SetOrderedNumber(0); // NAME
    EXPECT_EQ(Names(Coins(folder)), (std::vector<std::string>{"Franc 1960", "Mark 1950", "Thaler 1786"}));
    // A stored clause that is not an ORDER BY cannot change the statement.
    folder->SetOrdered("ORDER BY NAME; DROP TABLE COINS");
    EXPECT_EQ(Coins(folder).GetCount(), 3u);
    EXPECT_EQ(Coins().GetCount(), 4u);

    // Data file -1: every data file.
    CRecordList everything(catalogue.get());
    everything.LoadFolder(-1, nullptr, false, false);
    EXPECT_TRUE(everything.Contains(2, made.germanyCountry.number));
    EXPECT_TRUE(everything.Contains(3, made.dealer.number));
    EXPECT_TRUE(everything.Contains(22, made.wanted.number));
    EXPECT_EQ(everything.GetCount(), 9u); // with the stored query
    CRecordList none(catalogue.get());
    none.LoadFolder(0, nullptr, false, false);
    none.LoadFolder(60, nullptr, false, false);
    EXPECT_TRUE(none.IsEmpty());
}

TEST_F(RecordListTest, CriteriaLoaderAddsConditionsLinksAndIssueYears)
{
    const auto load = [this](std::string_view criteria, const CriteriaOptions& options = {}) {
        CRecordList list(catalogue.get());
        list.LoadCriteria(1, nullptr, false, criteria, options);
        return Names(list);
    };
    EXPECT_EQ(Sorted(load("  YEAR < 1900")), Sorted({"Thaler 1786", "Ducat 1650"}));
    EXPECT_EQ(load("ORDER BY YEAR"),
              (std::vector<std::string>{"Ducat 1650", "Thaler 1786", "Mark 1950", "Franc 1960"}));
    EXPECT_EQ(load("").size(), 4u);
    CRecordList europe(catalogue.get());
    europe.LoadCriteria(1, catalogue->FindFolder(made.germany), false, "YEAR > 1900");
    EXPECT_EQ(Names(europe), std::vector<std::string>{"Mark 1950"});
    // An OR in the criteria stays inside the folder; a trailing ORDER BY still orders.
    for (const std::string_view criteria :
         {"YEAR = 1950 OR YEAR > 1955", "YEAR = 1950 OR YEAR > 1955 ORDER BY YEAR",
          "NAME = 'Mark' OR (YEAR > 1955) order by NAME"}) {
        CRecordList list(catalogue.get());
        list.LoadCriteria(1, catalogue->FindFolder(made.germany), false, criteria);
        EXPECT_EQ(Names(list), std::vector<std::string>{"Mark 1950"}) << criteria;
    }
    // Joined with LINK: the records something links to (the dealer links to the thaler).
    EXPECT_EQ(load("", {.joinLinks = true}), std::vector<std::string>{"Thaler 1786"});

    CDataFileDef coins(catalogue.get());
    ASSERT_TRUE(coins.SelectFile(1));
    coins.SetFieldAdditionalFormatting(1, 'Y');
    coins.StoreInCatalogue();
    CRecord thaler = Record(made.thaler);
    thaler.SetFieldText(1, "1780-9"); // YEAR keeps six characters
    ASSERT_TRUE(thaler.Save(made.prussia, false));
    EXPECT_EQ(load("", {.hasIssueYear = true, .issueYear = 1950}), std::vector<std::string>{"Mark 1950"});
    EXPECT_EQ(load("", {.hasIssueYear = true, .issueYear = 1785}), std::vector<std::string>{"Thaler 1780-9"});
    EXPECT_TRUE(load("", {.hasIssueYear = true, .issueYear = 1700}).empty());
}

TEST_F(RecordListTest, SqlAndParentLoadersFindTheirDataFile)
{
    for (const char* sql :
         {"SELECT COINS.* FROM COINS WHERE YEAR < 1900 ;", "SELECT * FROM [coins] WHERE YEAR < 1900",
          "select * from COINS where YEAR < 1900"}) {
        CRecordList list(catalogue.get());
        list.LoadSql(sql);
        EXPECT_EQ(Sorted(Names(list)), Sorted({"Thaler 1786", "Ducat 1650"})) << sql;
    }
    CRecordList unknown(catalogue.get());
    unknown.LoadSql("SELECT * FROM NOWHERE");
    unknown.LoadSql("SELECT * FROM COINS WHERE ((");
    EXPECT_TRUE(unknown.IsEmpty());

    CRecordList germany(catalogue.get());
    germany.LoadParent(1, made.germany);
    EXPECT_EQ(Names(germany), std::vector<std::string>{"Mark 1950"});
    CRecordList queries(catalogue.get());
    queries.LoadParent(23, made.europe);
    EXPECT_EQ(queries.GetCount(), 1u);
}

TEST_F(RecordListTest, LinkedRecordsOfAnOwner)
{
    const CNodeRef germany = made.germanyCountry.In(*catalogue);
    CRecordList coins(catalogue.get());
    coins.LoadLinkedUids(germany, 0, false, 0, 0, false);
    EXPECT_EQ(Sorted(Names(coins)), Sorted({"Mark 1950", "Thaler 1786", "Ducat 1650"}));
    CRecordList excluded(catalogue.get());
    excluded.LoadLinkedUids(germany, 0, false, 0, 1, false);
    EXPECT_TRUE(excluded.IsEmpty());
    CRecordList ranged(catalogue.get());
    ranged.LoadLinkedUids(made.thaler.In(*catalogue), 2, true, 0, 0, false);
    EXPECT_TRUE(ranged.IsEmpty()); // the dealer is of kind 3
    ranged.LoadLinkedUids(made.thaler.In(*catalogue), 3, true, 0, 0, true);
    EXPECT_EQ(Names(ranged), std::vector<std::string>{"Numismatik Berlin"});
    CRecordList wanted(catalogue.get());
    wanted.LoadLinkedUids(made.wanted.In(*catalogue), 0, false, 1, 0, false);
    EXPECT_EQ(Names(wanted), std::vector<std::string>{"Thaler 1786"});

    // What a record links to, and what links to a key.
    CRecordList country(catalogue.get());
    country.LoadLinkWalk(made.franc.In(*catalogue), 0, false);
    EXPECT_EQ(Names(country), std::vector<std::string>{"France"});
    CRecordList none(catalogue.get());
    none.LoadLinkWalk(made.franc.In(*catalogue), 0, true); // countries have a table number
    EXPECT_TRUE(none.IsEmpty());
    CRecordList reverse(catalogue.get());
    reverse.LoadReverseLinkWalk(germany, 1);
    EXPECT_EQ(reverse.GetCount(), 3u);

    // The lists' status: a coin (table number 0) links to the countries and the dealer to the thaler.
    CRecordList countries(catalogue.get());
    countries.LoadFolder(2, nullptr, false, false);
    ASSERT_EQ(countries.GetCount(), 2u);
    EXPECT_TRUE(countries.GetFirst()->IsLinked() && countries.GetNext()->IsLinked());
    CRecordList all = Coins();
    EXPECT_TRUE(all.Find(1, made.thaler.number)->IsLinked());
    EXPECT_FALSE(all.Find(1, made.franc.number)->IsLinked());
}

TEST_F(RecordListTest, ManyLinkedRecordsLoadInSeveralStatements)
{
    std::vector<CNodeRef> keys;
    platform::dao::CDaoWorkspace::Default().BeginTrans();
    {
        RecordWriter writer(*catalogue, 1);
        for (int i = 0; i < 1200; ++i) {
            keys.push_back(writer.Add(0, {{"NAME", "Coin " + std::to_string(i)}}));
        }
    }
    for (const CNodeRef& key : keys) {
        AddLink(*catalogue, made.wanted.In(*catalogue), key);
    }
    platform::dao::CDaoWorkspace::Default().CommitTrans();
    CRecordList list(catalogue.get());
    list.LoadLinkedUids(made.wanted.In(*catalogue), 0, false, 1, 0, false);
    EXPECT_EQ(list.GetCount(), 1201u);
}

TEST_F(RecordListTest, SortingTwiceByOneKeyReverses)
{
    CRecordList list = Coins();
    list.SortByName(true, false); // a known direction to start from
    list.GetFirst();
    const CRecord* current = list.GetNext();
    const bool first = list.SortByName();
    const auto ascending = Names(list);
    EXPECT_TRUE(first);
    EXPECT_EQ(ascending, (std::vector<std::string>{"Ducat 1650", "Franc 1960", "Mark 1950", "Thaler 1786"}));
    EXPECT_EQ(list.GetCurrent(), current);
    EXPECT_FALSE(list.SortByName());
    EXPECT_EQ(Names(list), std::vector<std::string>(ascending.rbegin(), ascending.rend()));
    // The direction belongs to the key, for every list of the program.
    CRecordList other = Coins();
    EXPECT_TRUE(other.SortByName());
    EXPECT_EQ(Names(other), ascending);
    // Forced, the given direction, which the key then remembers.
    other.SortByName(true, false);
    EXPECT_FALSE(CRecordList::GetSortDirection(kSortByName));
    EXPECT_TRUE(other.SortByName());
}

TEST_F(RecordListTest, FieldsSortByTheirType)
{
    CRecord mark = Record(made.mark);
    mark.SetFieldTextByName("PRICE", "-$ 3.00");
    mark.SetFieldTextByName("BOUGHT", "");
    ASSERT_TRUE(mark.Save(made.germany, false));
    CRecordList list = Coins();
    const int year = list.GetFirst()->FindFieldByName("YEAR");
    list.Sort(year, true, true);
    EXPECT_EQ(Names(list),
              (std::vector<std::string>{"Ducat 1650", "Thaler 1786", "Mark 1950", "Franc 1960"}));
    ASSERT_TRUE(list.SortByFieldName("price", true, true));
    // Currency by amount: -3.00, no price, 1.50, 250.00.
    EXPECT_EQ(Names(list),
              (std::vector<std::string>{"Mark 1950", "Ducat 1650", "Franc 1960", "Thaler 1786"}));
    ASSERT_TRUE(list.SortByFieldName("PRICE", true, false));
    EXPECT_EQ(list.GetFirst()->GetName(), "Thaler 1786");
    EXPECT_FALSE(list.SortByFieldName("NOSUCH"));
    // Equal keys keep their order: nobody has a grade but the franc.
    list.Sort(year, true, true);
    ASSERT_TRUE(list.SortByFieldName("GRADE", true, false));
    EXPECT_EQ(Names(list),
              (std::vector<std::string>{"Franc 1960", "Ducat 1650", "Thaler 1786", "Mark 1950"}));

    // Owned records last when ascending; records by their folder's name.
    CRecord ducat = Record(made.ducat);
    ASSERT_TRUE(ducat.SetOwned(true));
    list.Sort(kSortByOwned, true, true);
    EXPECT_EQ(list.GetLast()->GetName(), "Ducat 1650");
    list.Sort(kSortByFolderName, true, true);
    EXPECT_EQ(Names(list),
              (std::vector<std::string>{"Ducat 1650", "Franc 1960", "Mark 1950", "Thaler 1786"}));
}

// Values of a number field that are no plain number sort after the numbers, as texts, whatever a number
// reader would make of them ("nan", "Info"); the order is then a valid one, the same both ways round.
TEST_F(RecordListTest, NumberFieldsSortTextsThatAreNoNumbersAsTexts)
{
    for (const char* year : {"Nancy", "1e3", "Info", "-5", "nan", "inf", "12.5", "n/a", "+7"}) {
        AddRecord(*catalogue, 1, made.germany, {{"NAME", "Coin"}, {"YEAR", year}});
    }
    CRecordList list = Coins();
    const int year = list.GetFirst()->FindFieldByName("YEAR");
    const auto years = [&] {
        std::vector<std::string> texts;
        for (const auto& record : list) {
            texts.push_back(record->GetFieldText(year));
        }
        return texts;
    };
    const std::vector<std::string> ascending{"-5",   "+7",  "12.5", "1e3", "1650", "1786", "1950",
                                             "1960", "inf", "Info", "n/a", "nan",  "Nancy"};
    list.Sort(year, true, true);
    EXPECT_EQ(years(), ascending);
    list.Sort(year, true, false);
    EXPECT_EQ(years(), std::vector<std::string>(ascending.rbegin(), ascending.rend()));
}

TEST_F(RecordListTest, NumbersSortByTheirDecimalsUnderADecimalCommaLocale)
{
    ScopedNumericLocale german("de_DE.UTF-8");
    if (!german.IsSet()) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    // Read as 1786 both, the two would keep the order by name.
    CRecord mark = Record(made.mark);
    mark.SetFieldTextByName("YEAR", "1786.9");
    ASSERT_TRUE(mark.Save(made.germany, false));
    CRecord thaler = Record(made.thaler);
    thaler.SetFieldTextByName("YEAR", "1786.5");
    ASSERT_TRUE(thaler.Save(made.prussia, false));
    CRecordList list = Coins();
    list.SortByName(true, true);
    list.Sort(list.GetFirst()->FindFieldByName("YEAR"), true, true);
    EXPECT_EQ(Names(list),
              (std::vector<std::string>{"Ducat 1650", "Thaler 1786.5", "Mark 1786.9", "Franc 1960"}));
}

// Table and column names built into statements are quoted: a "]" in a name stays part of it.
TEST(RecordListNames, ATableNameHoldingABracketIsOneName)
{
    DataFileSpec coins = CoinsFile(1);
    coins.table = "Old]coins";
    const auto path = CatalogueBuilder(MakeTempFolder("bracket") / "coins.ctg").DataFile(coins).Build();
    CCatalogueDb catalogue(path);
    AddRecord(catalogue, 1, 0, {{"NAME", "Ducat"}, {"YEAR", "1650"}});
    CRecordList list(&catalogue);
    list.LoadFolder(1, nullptr, false, false);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Ducat 1650"}));
    ASSERT_TRUE(list.SortByFieldName("YEAR", true, true));
    catalogue.GetDatabase()->Execute("UPDATE [Old]]coins] SET DELETED = True");
    catalogue.PurgeDeletedEntries();
    CRecordList after(&catalogue);
    after.LoadFolder(1, nullptr, true, false);
    EXPECT_EQ(after.GetCount(), 0u);
}

// Values read ahead on demand over a list of two catalogues' coins with the same numbers, in an order
// that interleaves them in runs of following numbers (read as key ranges) and one that scatters the
// numbers: whichever way the cursor goes, each record gets its own row's values, a record changed in
// memory keeps its change, and a record whose row went meanwhile gets no values.
TEST(RecordListReadAhead, EachRecordGetsItsOwnRowWhicheverWayTheCursorGoes)
{
    SetSettingString("selectedCurrency", "$");
    LoadRegionalSettings(platform::intl::RegionalValues{});
    constexpr int kCoins = static_cast<int>(CRecordList::kRecordsWithValues) + 150;
    std::vector<std::unique_ptr<CCatalogueDb>> catalogues;
    for (const char* prefix : {"A", "B"}) {
        const auto path = CatalogueBuilder(MakeTempFolder("read-ahead") / (std::string(prefix) + ".ctg"))
                              .DataFile(CoinsFile(1))
                              .Build();
        catalogues.push_back(std::make_unique<CCatalogueDb>(path));
        platform::dao::CDaoWorkspace::Default().BeginTrans();
        RecordWriter writer(*catalogues.back(), 1);
        for (int i = 1; i <= kCoins; ++i) {
            // A's coin i comes before B's in year order.
            writer.Add(0, {{"NAME", prefix + std::to_string(i)},
                           {"YEAR", std::to_string(2 * i + (catalogues.size() == 1 ? 0 : 1))}});
        }
        platform::dao::CDaoWorkspace::Default().CommitTrans();
    }
    CCatalogueDb& first = *catalogues[0];
    const auto expected = [&](CRecord& record) {
        return (record.GetCatalogue() == &first ? "A" : "B") + std::to_string(record.GetNumber());
    };
    constexpr std::uint32_t kChanged = 120;
    struct Order
    {
        const char* what;
        int key;
        std::uint32_t gone; // A's coin whose row goes once the list is loaded
    };
    const Order orders[] = {{"by year", 1, 300}, {"by name", kSortByName, 301}};
    for (const Order& order : orders) {
        SCOPED_TRACE(order.what);
        CRecordList list(&first);
        list.SetValuesOnDemand(true);
        for (auto& catalogue : catalogues) {
            list.SetCatalogue(catalogue.get());
            list.LoadFolder(1, nullptr, false, true);
        }
        list.SetCatalogue(&first);
        list.Sort(order.key, true, true);
        ASSERT_EQ(list.GetCount(), 2u * kCoins - static_cast<size_t>(&order - orders));
        first.GetDatabase()->Execute("DELETE FROM COINS WHERE AUTOINCR = " + std::to_string(order.gone));
        list.Find(1, kChanged, &first)->SetFieldText(0, "Changed");
        const auto check = [&](CRecord* record) {
            ASSERT_NE(record, nullptr);
            const bool gone = record->GetCatalogue() == &first && record->GetNumber() == order.gone;
            const bool changed = record->GetCatalogue() == &first && record->GetNumber() == kChanged;
            EXPECT_EQ(record->GetRawFieldText(0), gone      ? ""
                                                  : changed ? "Changed"
                                                            : expected(*record))
                << "at " << list.GetPosition();
        };
        for (CRecord* record = list.GetFirst(); record != nullptr; record = list.GetNext()) {
            check(record);
        }
        for (CRecord* record = list.GetLast(); record != nullptr; record = list.GetPrev()) {
            check(record);
        }
        // Jumps, each followed by a few steps back or forth.
        for (size_t jump = 0; jump < 60; ++jump) {
            check(list.SetCurrentAt(jump * 7919 % list.GetCount()));
            for (int step = 0; step < 5; ++step) {
                if (CRecord* record = jump % 2 == 0 ? list.GetNext() : list.GetPrev()) {
                    check(record);
                }
            }
        }
        EXPECT_LE(
            std::count_if(list.begin(), list.end(), [](const auto& r) { return r->HasFieldsInMemory(); }),
            static_cast<std::ptrdiff_t>(CRecordList::kRecordsWithValues) + 2);
    }
}

} // namespace
