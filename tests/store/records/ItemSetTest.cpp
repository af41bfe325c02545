// Item sets: every kind of set over a typical catalogue, the cursor, sorting, stored queries, the quick
// search, criteria relative to today and the built-in sets.

#include "store/records/ItemSet.h"

#include "platform/clock/Clock.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/DaoWorkspace.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/catalogue/SqlText.h"
#include "store/definitions/CriteriaOperators.h"
#include "store/definitions/DataFileDef.h"
#include "store/program/Settings.h"
#include "store/records/FolderRecord.h"
#include "store/records/WaitWindow.h"
#include "store/regional/DateText.h"
#include "store/regional/RegionalSettings.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>

using namespace lumarc::test;

namespace {

using Names = std::vector<std::string>;

Names SortedNames(CItemSet& set)
{
    Names names;
    for (const auto& record : set.GetList()) {
        names.push_back(record->GetName());
    }
    std::sort(names.begin(), names.end());
    return names;
}

Names NamesInOrder(CItemSet& set)
{
    Names names;
    for (const auto& record : set.GetList()) {
        names.push_back(record->GetName());
    }
    return names;
}

// A local time, for fixing "today".
std::time_t LocalTime(int year, int month, int day, int hour = 12)
{
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

std::string ShortDate(int year, int month, int day)
{
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    return FormatDate(parts);
}

class ItemSetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetSettingString("selectedCurrency", "$");
        SetSettingString("toDoDataBase", "");
        LoadRegionalSettings(platform::intl::RegionalValues{});
        made = MakeTypicalCatalogue(MakeTempFolder("sets"));
        catalogue = std::make_unique<CCatalogueDb>(made.path);
    }
    void TearDown() override { platform::clock::SetClockSource({}); }

    CNodeRef Key(const RecordKey& key) { return key.In(*catalogue); }
    CRecord Record(const RecordKey& key)
    {
        CRecord record(catalogue.get());
        record.SetKey(key.kind, key.number);
        return record;
    }
    const CFolderRecord* Folder(double number) { return catalogue->FindFolder(number); }
    void Execute(const std::string& sql) { catalogue->GetDatabase()->Execute(sql); }
    std::string Uid(const RecordKey& key) { return SqlNumber(Key(key).GetCode()); }

    TypicalCatalogue made;
    std::unique_ptr<CCatalogueDb> catalogue;
};

TEST_F(ItemSetTest, EachKindOfSetLoadsItsRecords)
{
    CCatalogueDb* db = catalogue.get();
    const CNodeRef thaler = Key(made.thaler);
    const CNodeRef germany = Key(made.germanyCountry);
    const CNodeRef wanted = Key(made.wanted);

    CItemSet coins = CItemSet::Query(db, 1, nullptr, false);
    EXPECT_FALSE(coins.IsLoaded());
    EXPECT_EQ(SortedNames(coins), (Names{"Ducat 1650", "Franc 1960", "Mark 1950", "Thaler 1786"}));
    CItemSet inGermany = CItemSet::Query(db, 1, Folder(made.germany), false);
    EXPECT_EQ(SortedNames(inGermany), Names{"Mark 1950"});
    CItemSet withTop = CItemSet::Query(db, 1, Folder(made.germany), false);
    withTop.SetAllFolders();
    EXPECT_EQ(SortedNames(withTop), (Names{"Ducat 1650", "Mark 1950"}));

    CItemSet fromSql = CItemSet::FromSql(db, "SELECT * FROM COINS WHERE YEAR < 1900");
    EXPECT_EQ(SortedNames(fromSql), (Names{"Ducat 1650", "Thaler 1786"}));

    // Links point from the record that belongs to another: coins to their country, the dealer to the
    // thaler, the thaler to the item list.
    CItemSet linksOfThaler = CItemSet::Children(db, &thaler, kLinkAll);
    EXPECT_EQ(linksOfThaler.GetKindCode(), kLinkWalkSet);
    EXPECT_EQ(SortedNames(linksOfThaler), Names{"Germany"}); // the item list is no such record
    CItemSet coinsOfGermany = CItemSet::Children(db, &germany, 1);
    EXPECT_EQ(SortedNames(coinsOfGermany), (Names{"Ducat 1650", "Mark 1950", "Thaler 1786"}));
    CItemSet menuKinds = CItemSet::Children(db, &thaler, kLinkMenuKinds);
    EXPECT_EQ(SortedNames(menuKinds), Names{"Numismatik Berlin"});
    CItemSet everyKind = CItemSet::Children(db, &germany, kLinkEveryKind);
    EXPECT_EQ(everyKind.GetCount(), 3u);
    ASSERT_TRUE(everyKind.FindRecord(Record(made.thaler)));
    EXPECT_EQ(everyKind.GetCurrentStatusByte(), 1); // the dealer links to the thaler
    ASSERT_TRUE(everyKind.MoveToKind(1) && everyKind.GetCurrentNumber() != made.thaler.number);
    EXPECT_EQ(everyKind.GetCurrentStatusByte(), 0);

    CItemSet dealers = CItemSet::LinkedTo(db, thaler, 3);
    EXPECT_TRUE(dealers.IsLoaded());
    EXPECT_EQ(SortedNames(dealers), Names{"Numismatik Berlin"});
    CItemSet listed = CItemSet::LinkedOfKind(db, wanted, 1);
    EXPECT_EQ(SortedNames(listed), Names{"Thaler 1786"});
    // Attachments: linked records of data files without a table number; the country has one.
    CItemSet attachments = CItemSet::Children(db, &thaler, kLinkAll);
    attachments.SetKindCode(kAttachmentsSet);
    EXPECT_EQ(SortedNames(attachments), Names{"Numismatik Berlin"});

    // Keys one by one, in their order.
    CItemSet members = CItemSet::WithCriteria(db, &thaler);
    members.Definition().CriteriaList().Add(Key(made.franc));
    EXPECT_EQ(NamesInOrder(members), (Names{"Thaler 1786", "Franc 1960"}));

    // One new record, the set's own, in the folder.
    CItemSet fresh = CItemSet::NewRecord(1, Folder(made.france), db);
    EXPECT_EQ(fresh.GetCount(), 0u);
    EXPECT_EQ(fresh.GetCurrentKind(), 1);
    EXPECT_EQ(fresh.GetCurrentParent(), made.france);
    EXPECT_EQ(fresh.GetCurrentNumber(), 0u);

    // Nothing described, or nothing to read: empty, without complaint.
    CItemSet nothing(db);
    EXPECT_EQ(nothing.GetCount(), 0u);
    EXPECT_FALSE(nothing.MoveFirst());
    EXPECT_EQ(nothing.GetCurrentName(), "");
    EXPECT_EQ(CItemSet::Query(db, 60, nullptr, false).GetCount(), 0u);
    EXPECT_EQ(CItemSet::FromSql(db, "SELECT * FROM COINS WHERE ((").GetCount(), 0u);
    EXPECT_EQ(CItemSet::Query(nullptr, 1, nullptr, false).GetCount(), 0u);
    EXPECT_TRUE(Dialogs().messages.empty());
}

TEST_F(ItemSetTest, ListMembersKeepTheirPlaceWhenTheyCannotBeRead)
{
    CItemSet franc = CItemSet::Query(catalogue.get(), 1, Folder(made.france), false);
    ASSERT_TRUE(franc.DeleteCurrentRecord());
    CItemSet members = CItemSet::WithCriteria(catalogue.get(), nullptr);
    CNodeRef unknown(catalogue.get());
    unknown.Set(77, 1, catalogue.get());
    for (const CNodeRef& key :
         {Key(made.mark), Key(made.franc), unknown, CNodeRef(catalogue.get()), Key(made.ducat)}) {
        members.Definition().CriteriaList().Add(key);
    }
    // The deleted franc keeps its place and reads its values when asked; the walk ends at a key of
    // kind 0, and a key of no data file is left out.
    EXPECT_EQ(NamesInOrder(members), (Names{"Mark 1950", "Franc 1960"}));
}

TEST_F(ItemSetTest, CursorWalksTheSetAndStaysAtItsEnds)
{
    CItemSet coins = CItemSet::Query(catalogue.get(), 1, nullptr, false);
    coins.Sort(kSortByName, true, true);
    ASSERT_TRUE(coins.MoveFirst());
    EXPECT_TRUE(coins.IsAtFirst());
    EXPECT_FALSE(coins.MovePrev());
    EXPECT_EQ(coins.GetCurrentName(), "Ducat 1650");
    EXPECT_TRUE(coins.MoveNext());
    EXPECT_EQ(coins.GetPosition(), 2u);
    ASSERT_TRUE(coins.MoveLast());
    EXPECT_TRUE(coins.IsAtLast());
    EXPECT_FALSE(coins.MoveNext());
    EXPECT_EQ(coins.GetCurrentName(), "Thaler 1786");

    // Questions about the set leave the cursor where it was.
    EXPECT_TRUE(coins.ContainsKeyCode(Key(made.franc).GetCode()));
    EXPECT_FALSE(coins.ContainsKeyCode(Key(made.dealer).GetCode()));
    EXPECT_EQ(coins.GetCurrentName(), "Thaler 1786");

    // A list row's record becomes current by its row, as a list pane asks for it.
    ASSERT_TRUE(coins.MoveToRow(1));
    EXPECT_EQ(coins.GetCurrentName(), "Franc 1960");
    EXPECT_EQ(coins.GetPosition(), 2u);
    EXPECT_FALSE(coins.MoveToRow(4));

    ASSERT_TRUE(coins.FindRecord(Record(made.mark)));
    EXPECT_EQ(coins.GetPosition(), 3u);
    ASSERT_TRUE(coins.DeleteCurrentFromList());
    EXPECT_EQ(coins.GetCount(), 3u);
    EXPECT_TRUE(coins.IsAtFirst());
    EXPECT_FALSE(coins.ContainsRecord(Record(made.mark)));
    EXPECT_FALSE(coins.MoveToKind(3));

    // Building: by key, from another set (records held already are skipped), of one kind.
    EXPECT_TRUE(coins.AddRecordByKey(Key(made.mark)));
    EXPECT_TRUE(coins.AddRecordByKey(Key(made.mark))); // held already: the set stays as it is
    EXPECT_EQ(coins.GetCount(), 4u);
    CNodeRef gone = Key(made.mark);
    gone.SetNumber(999);
    EXPECT_FALSE(coins.AddRecordByKey(gone));
    CItemSet countries = CItemSet::Query(catalogue.get(), 2, nullptr, false);
    coins.AppendFrom(countries, false);
    EXPECT_EQ(coins.GetCount(), 5u);
    coins.AppendFrom(countries, true);
    EXPECT_EQ(coins.GetCount(), 6u);
    CItemSet onlyCountries(catalogue.get());
    onlyCountries.AppendOfKind(coins, 2);
    EXPECT_EQ(SortedNames(onlyCountries), (Names{"France", "Germany"}));
    EXPECT_TRUE(coins.MoveToKind(2));
}

TEST_F(ItemSetTest, SortingTwiceByOneKeyReversesAndReloadKeepsTheOrder)
{
    CItemSet coins = CItemSet::Query(catalogue.get(), 1, nullptr, false);
    coins.SortByName(true, false);
    EXPECT_TRUE(coins.SortByName());
    const Names ascending = NamesInOrder(coins);
    EXPECT_EQ(ascending, (Names{"Ducat 1650", "Franc 1960", "Mark 1950", "Thaler 1786"}));
    EXPECT_FALSE(coins.SortByName());
    EXPECT_EQ(NamesInOrder(coins), Names(ascending.rbegin(), ascending.rend()));
    // A reload sorts again by the last key in its last direction.
    coins.Reload();
    EXPECT_EQ(NamesInOrder(coins), Names(ascending.rbegin(), ascending.rend()));
    EXPECT_TRUE(coins.IsAtFirst());
    // The direction is the key's, for every set of the program.
    CItemSet other = CItemSet::Query(catalogue.get(), 1, nullptr, false);
    EXPECT_TRUE(other.SortByName());
    EXPECT_EQ(NamesInOrder(other), ascending);

    ASSERT_TRUE(coins.SortByFieldName("YEAR", true, true));
    EXPECT_EQ(NamesInOrder(coins), (Names{"Ducat 1650", "Thaler 1786", "Mark 1950", "Franc 1960"}));
    EXPECT_FALSE(coins.SortByFieldName("NOSUCH"));
}

TEST_F(ItemSetTest, QuickSearchFindsExactlyTheRecordsHoldingTheText)
{
    // Names holding SQL's and the engine's special characters, each beside a name that only a broken
    // pattern would match.
    const std::vector<std::string> names = {
        "it's here",   "its here",  "say \"hi\"", "say hi", "50% off",      "500 off",  "under_score",
        "underXscore", "star*coin", "starXcoin",  "what?",  "whatX",        "[bracket", "Xbracket",
        "close]",      "closeX",    "a#1",        "a11",    "x') OR 1=1 --"};
    {
        RecordWriter writer(*catalogue, 3);
        for (const std::string& name : names) {
            writer.Add(0, {{"NAME", name}});
        }
    }
    const std::vector<std::pair<std::string, Names>> cases = {
        {"'", {"it's here", "x') OR 1=1 --"}},
        {"\"", {"say \"hi\""}},
        {"%", {"50% off"}},
        {"_", {"under_score"}},
        {"*", {"star*coin"}},
        {"?", {"what?"}},
        {"[", {"[bracket"}},
        {"]", {"close]"}},
        {"#1", {"a#1"}},
        {"x') OR 1=1 --", {"x') OR 1=1 --"}},
        {"IT'S", {"it's here"}},
    };
    for (const auto& [text, expected] : cases) {
        CItemSet found = CItemSet::QuickSearch(catalogue.get(), 3, text);
        EXPECT_EQ(SortedNames(found), expected) << text;
    }
    // Fields never filled in do not hide the others: the mark has no notes, grade or weight.
    CItemSet mark = CItemSet::QuickSearch(catalogue.get(), 1, "Mark 19");
    EXPECT_EQ(SortedNames(mark), Names{"Mark 1950"});
    EXPECT_EQ(CItemSet::QuickSearch(catalogue.get(), 77, "Mark").GetCount(), 0u);
}

TEST_F(ItemSetTest, QuickSearchOverEveryDataFileLeavesOutNotesListsAndOthersToDos)
{
    // A to-do data file, and a note and an item list holding the text as well.
    DataFileSpec toDo;
    toDo.number = 25;
    toDo.table = "TODO";
    toDo.menuName = "To do";
    toDo.fields = {{.name = "NAME", .type = 'C', .length = 40, .title = true}};
    CreateDataTable(*catalogue, toDo);
    ASSERT_TRUE(DefinitionOf(*catalogue, toDo).StoreInCatalogue());
    AddRecord(*catalogue, 25, 0, {{"NAME", "Visit Germany"}});
    AddRecord(*catalogue, 20, 0, {{"NoteText", "Germany trip"}});
    AddRecord(*catalogue, 22, 0, {{"NAME", "Germany wanted"}});

    const auto search = [this] {
        CItemSet found = CItemSet::QuickSearch(catalogue.get(), kSearchEveryDataFile, "germany");
        return SortedNames(found);
    };
    EXPECT_EQ(search(), (Names{"Germany", "Visit Germany"}));
    SetSettingString("toDoDataBase", "/somewhere/else.ctg");
    EXPECT_EQ(search(), Names{"Germany"});
    std::string path = catalogue->GetFilePath().string();
    std::transform(path.begin(), path.end(), path.begin(), [](unsigned char c) { return std::toupper(c); });
    SetSettingString("toDoDataBase", path);
    EXPECT_EQ(search(), (Names{"Germany", "Visit Germany"}));
}

TEST(CriteriaOperators, BecomeConditionsOnToday)
{
    LoadRegionalSettings(platform::intl::RegionalValues{});
    struct Case
    {
        std::time_t now;
        std::string criteria;
        std::string expected;
    };
    const std::time_t march31 = LocalTime(2001, 3, 31);
    const std::vector<Case> cases = {
        {march31, "CREADATE IN_THE_LAST_DAYS 7 AND YEAR > 1", "CREADATE > '2001032400:00:00' AND YEAR > 1"},
        {march31, " MODIDATE IN_THE_LAST_DAYS 40", " MODIDATE > '2001021900:00:00' "},
        // A month back from the 31st: the last day of February.
        {march31, "MODIDATE IN_THE_LAST_MNTS 1", "MODIDATE >  '2001022800:00:00' "},
        {march31, "BOUGHT IN_THE_LAST_MNTH 13 AND X",
         "BOUGHT Between DateValue('" + ShortDate(2000, 2, 29) + "') and Date() AND X"},
        {march31, "BOUGHT IN_THE_NEXT_MNTH 10",
         "BOUGHT Between DateValue('" + ShortDate(2002, 1, 31) + "') and Date() "},
        {LocalTime(2001, 1, 15), "B IN_THE_LAST_MNTH 1",
         "B Between DateValue('" + ShortDate(2000, 12, 15) + "') and Date() "},
        {LocalTime(2001, 12, 15), "B IN_THE_NEXT_MNTH 1",
         "B Between DateValue('" + ShortDate(2002, 1, 15) + "') and Date() "},
        {march31, "B IN_THE_LAST_DAYH 31",
         "B Between DateValue('" + ShortDate(2001, 2, 28) + "') and Date() "},
        {march31, "B IN_THE_NEXT_DAYH 1", "B Between DateValue('" + ShortDate(2001, 4, 1) + "') and Date() "},
        // Both dates of one text; a count beyond the calendar stops at its ends.
        {march31, "C IN_THE_LAST_DAYS 1 AND M IN_THE_LAST_DAYS 99999999",
         "C > '2001033000:00:00' AND M > '0100010100:00:00' "},
        // Only the upper-case keywords are operators.
        {march31, "NAME = 'in_the_last_days 7'", "NAME = 'in_the_last_days 7'"},
    };
    for (const Case& c : cases) {
        const CriteriaRewrite rewritten = RewriteCriteriaOperators(c.criteria, c.now);
        EXPECT_EQ(rewritten.text, c.expected) << c.criteria;
        EXPECT_FALSE(rewritten.hasIssueYear);
    }

    const CriteriaRewrite year = RewriteCriteriaOperators(" NAME LIKE '*a*'  ISSUEYEAR 1950 AND X", march31);
    EXPECT_EQ(year.text, " NAME LIKE '*a*'                 AND X");
    EXPECT_TRUE(year.hasIssueYear);
    EXPECT_EQ(year.issueYear, 1950);
    // An issue-year field left empty filters nothing.
    const CriteriaRewrite empty = RewriteCriteriaOperators(" ISSUEYEAR  ", march31);
    EXPECT_FALSE(empty.hasIssueYear);
    EXPECT_EQ(empty.text.find_first_not_of(' '), std::string::npos);
}

TEST_F(ItemSetTest, CriteriaWithPseudoOperatorsSelectAroundToday)
{
    platform::clock::SetClockSource([] { return LocalTime(2001, 6, 20); });
    Execute("UPDATE COINS SET CREADATE = '2001061508:00:00', BOUGHT = #6/15/2001# WHERE UID = " +
            Uid(made.franc));
    Execute("UPDATE COINS SET CREADATE = '2001060108:00:00', BOUGHT = #6/25/2001# WHERE UID = " +
            Uid(made.mark));
    Execute("UPDATE COINS SET CREADATE = '2001051908:00:00', BOUGHT = #4/1/2001# WHERE UID = " +
            Uid(made.thaler));
    Execute("UPDATE COINS SET CREADATE = '2000010108:00:00', BOUGHT = #1/1/1999# WHERE UID = " +
            Uid(made.ducat));
    CDataFileDef coins(catalogue.get());
    ASSERT_TRUE(coins.SelectFile(1));
    coins.SetFieldAdditionalFormatting(1, 'Y'); // YEAR is the issue year
    coins.StoreInCatalogue();

    const std::vector<std::pair<std::string, Names>> cases = {
        {"CREADATE IN_THE_LAST_DAYS 7", {"Franc 1960"}},
        {"CREADATE IN_THE_LAST_DAYS 19 AND YEAR > 1900", {"Franc 1960", "Mark 1950"}},
        {"CREADATE IN_THE_LAST_MNTS 1", {"Franc 1960", "Mark 1950"}},
        {"BOUGHT IN_THE_LAST_DAYH 10", {"Franc 1960"}},
        {"BOUGHT IN_THE_NEXT_DAYH 10", {"Mark 1950"}},
        {"BOUGHT IN_THE_LAST_MNTH 3", {"Franc 1960", "Thaler 1786"}},
        {"BOUGHT IN_THE_NEXT_MNTH 1", {"Mark 1950"}},
        {" ISSUEYEAR 1950 ", {"Mark 1950"}},
        {"NAME LIKE '*a*' ISSUEYEAR 1786", {"Thaler 1786"}},
    };
    for (const auto& [criteria, expected] : cases) {
        CItemSet set = CItemSet::Query(catalogue.get(), 1, nullptr, false);
        set.SetFilterText(criteria);
        EXPECT_EQ(SortedNames(set), expected) << criteria;
    }
    // The filter's statement can be had without loading; the criteria keep their words for saving.
    CItemSet recent = CItemSet::Query(catalogue.get(), 1, Folder(made.france), false);
    recent.SetFilterText("CREADATE IN_THE_LAST_DAYS 7");
    const std::optional<std::string> sql = recent.BuildFilterSql();
    ASSERT_TRUE(sql.has_value());
    EXPECT_NE(sql->find("CREADATE > '2001061300:00:00'"), std::string::npos) << *sql;
    EXPECT_NE(sql->find("PARENT = " + SqlNumber(made.france)), std::string::npos) << *sql;
    EXPECT_FALSE(recent.IsLoaded());
    EXPECT_EQ(recent.GetDefinition()->GetFilter()->GetCriteria(), "CREADATE IN_THE_LAST_DAYS 7");
    EXPECT_FALSE(CItemSet::Query(catalogue.get(), 1, nullptr, false).BuildFilterSql().has_value());
}

TEST(StoredQueryText, ReadsTheBraceForm)
{
    const auto parsed = ParseStoredQueryText("{Old coins}{[(12)(1)(YEAR < 1900)]}{2}{4}{5}");
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->name, "Old coins");
    EXPECT_TRUE(parsed->hasFilter);
    EXPECT_EQ(parsed->folderNumber, 12.0);
    EXPECT_EQ(parsed->dataFile, 1);
    EXPECT_EQ(parsed->criteria, "YEAR < 1900");
    EXPECT_TRUE(parsed->hasNumber);
    EXPECT_EQ(parsed->number, 2);

    // Criteria with parentheses, bracketed names and quoted brackets stay whole.
    const std::string criteria =
        " ( LINK.OID_OUT=30100001.000000 ) AND ([NAME] LIKE '*)]}*' OR YEAR IN (1, 2)) ORDER BY [NAME]";
    const auto nested =
        ParseStoredQueryText("\r\n {/home/ann/coins.ctg}{[(0)(3)(" + criteria + ")][(9)]}{1}");
    ASSERT_TRUE(nested.has_value());
    EXPECT_EQ(nested->name, "/home/ann/coins.ctg");
    EXPECT_EQ(nested->dataFile, 3);
    EXPECT_EQ(nested->criteria, criteria);
    EXPECT_EQ(nested->number, 1);
    EXPECT_EQ(ParseStoredQueryText(FormatStoredQueryText("All", 7, 2, criteria, 3))->criteria, criteria);

    // A text that is no definition, or only part of one.
    EXPECT_FALSE(ParseStoredQueryText("SELECT * FROM COINS").has_value());
    EXPECT_FALSE(ParseStoredQueryText("").has_value());
    const auto nameOnly = ParseStoredQueryText("{Lonely}");
    ASSERT_TRUE(nameOnly.has_value());
    EXPECT_FALSE(nameOnly->hasFilter || nameOnly->hasNumber);
    // Unbalanced: each group ends at the next closing bracket.
    const auto broken = ParseStoredQueryText("{q}{[(1)(2)(NAME = 'x)]}");
    ASSERT_TRUE(broken.has_value());
    EXPECT_EQ(broken->criteria, "NAME = 'x");
    const auto junk = ParseStoredQueryText("{q}{[(abc)(99999999999999999999)(");
    ASSERT_TRUE(junk.has_value());
    EXPECT_EQ(junk->folderNumber, 0.0);
    EXPECT_EQ(junk->dataFile, 0);
}

TEST_F(ItemSetTest, StoredQueriesFromRowsAndFiles)
{
    CItemSet old = CItemSet::FromStoredQuery(catalogue.get(), "Old coins");
    EXPECT_FALSE(old.IsLoaded());
    // Europe holds no coin itself; the search in a folder also takes the coins outside any folder.
    EXPECT_EQ(SortedNames(old), Names{"Ducat 1650"});
    ASSERT_NE(old.GetFilterFolder(), nullptr);
    EXPECT_EQ(old.GetFilterFolder()->GetNumber(), made.europe);
    EXPECT_EQ(old.GetDefinition()->GetFirst(), 1);
    EXPECT_EQ(old.GetDefinition()->GetSecond(), 1);

    ASSERT_TRUE(catalogue->WriteQuery(
        "Letters", "{Letters}{[(0)(1)(NAME LIKE '*a*' AND (YEAR < 1900 OR YEAR > 1955))]}{2}{7}{8}", 0));
    CItemSet letters = CItemSet::FromStoredQuery(catalogue.get(), "Letters");
    EXPECT_EQ(SortedNames(letters), (Names{"Ducat 1650", "Franc 1960", "Thaler 1786"}));
    EXPECT_EQ(letters.GetDefinition()->GetFirst(), 2);
    EXPECT_EQ(letters.GetDefinition()->GetSecond(), 2);
    ASSERT_TRUE(catalogue->WriteQuery("Plain", "SELECT * FROM [COINS] WHERE YEAR > 1900 ;", 0));
    CItemSet plain = CItemSet::FromStoredQuery(catalogue.get(), "Plain");
    EXPECT_EQ(SortedNames(plain), (Names{"Franc 1960", "Mark 1950"}));
    EXPECT_EQ(CItemSet::FromStoredQuery(catalogue.get(), "Nowhere").GetCount(), 0u);

    // A ".query" file in the product folder names the catalogue it searches.
    std::filesystem::create_directories(GetProductDir());
    {
        std::ofstream file(GetProductDir() / "Before 1900.query");
        file << "{" << made.path.string() << "}{[(0)(1)(YEAR < 1900)]}{1}";
    }
    CItemSet fromFile = CItemSet::FromStoredQuery(nullptr, "Before 1900");
    EXPECT_EQ(SortedNames(fromFile), (Names{"Ducat 1650", "Thaler 1786"}));
    ASSERT_NE(fromFile.GetCatalogue(), nullptr);
    EXPECT_EQ(fromFile.GetCatalogue()->GetFilePath(), catalogue->GetFilePath());
    fromFile.Reload();
    EXPECT_EQ(fromFile.GetCount(), 2u);
    EXPECT_EQ(CItemSet::FromStoredQuery(nullptr, "Missing").GetCount(), 0u);
    EXPECT_EQ(CItemSet::FromStoredQuery(nullptr, "../Before 1900").GetCount(), 0u);
}

TEST_F(ItemSetTest, AdvancedSearchOverAllRegisteredCatalogues)
{
    const TypicalCatalogue second = MakeTypicalCatalogue(MakeTempFolder("second"));
    // A catalogue whose data file 1 has no YEAR: the search finds nothing there.
    const auto countries = CatalogueBuilder(MakeTempFolder("third") / "countries.ctg")
                               .Number(5)
                               .DataFile(CountriesFile(1))
                               .Build();
    const auto gone = MakeTempFolder("gone") / "gone.ctg";
    // A version the program refuses is passed over without a message: the set shows nothing itself.
    const auto refused = CatalogueBuilder(MakeTempFolder("refused") / "old.ctg")
                             .Number(6)
                             .Version(10)
                             .DataFile(CoinsFile(1))
                             .Build();
    for (const auto& path : {made.path, second.path, countries, gone, refused}) {
        RegisterCatalogue(path.string());
    }
    Dialogs().Clear();
    CItemSet all = CItemSet::Query(nullptr, 1, nullptr, false);
    all.SetDefinitionName("all");
    all.SetFilterText("YEAR < 1900");
    EXPECT_EQ(SortedNames(all), (Names{"Ducat 1650", "Ducat 1650", "Thaler 1786", "Thaler 1786"}));
    EXPECT_TRUE(Dialogs().messages.empty());
    std::set<std::filesystem::path> files;
    for (const auto& record : all.GetList()) {
        files.insert(record->GetCatalogue()->GetFilePath());
    }
    EXPECT_EQ(files, (std::set<std::filesystem::path>{made.path, second.path}));
    EXPECT_FALSE(std::filesystem::exists(gone));
    // The catalogue that gave nothing is closed again; the one whose records the set holds stays open.
    const auto compact = [](const std::filesystem::path& path) {
        try {
            platform::dao::CDaoWorkspace::CompactDatabase(
                path, path, platform::dao::dbLangGeneral, 0, {},
                platform::dao::CDaoWorkspace::CompactTarget::Replace);
            return true;
        } catch (const platform::dao::CDaoException&) {
            return false;
        }
    };
    EXPECT_TRUE(compact(countries));
    EXPECT_FALSE(compact(second.path));

    // Without criteria every live record of the data file; a copy keeps its records' catalogues.
    CItemSet every = CItemSet::Query(nullptr, 1, nullptr, false);
    every.SetDefinitionName("ALL");
    EXPECT_EQ(every.GetCount(), 8u);
    std::unique_ptr<CItemSet> copy;
    {
        CItemSet found = CItemSet::Query(nullptr, 1, nullptr, false);
        found.SetDefinitionName("All");
        found.SetFilterText("YEAR > 1955");
        copy = std::make_unique<CItemSet>(CItemSet::CopyOf(found));
    }
    ASSERT_EQ(copy->GetCount(), 2u);
    EXPECT_EQ(copy->GetCurrentName(), "Franc 1960");
    EXPECT_EQ(copy->GetFieldTextByName("GRADE"), "VF");
    for (const auto& path : {made.path, second.path, countries, gone, refused}) {
        UnregisterCatalogue(path.string());
    }
}

// Two catalogues made alike hold records of the same kinds and numbers: a set over both tells them
// apart by their catalogue when it finds, tests and copies records.
TEST_F(ItemSetTest, RecordsOfDifferentCataloguesWithTheSameNumbersStayApart)
{
    const TypicalCatalogue second = MakeTypicalCatalogue(MakeTempFolder("second"));
    RegisterCatalogue(made.path.string());
    RegisterCatalogue(second.path.string());
    CItemSet all = CItemSet::Query(nullptr, 1, nullptr, false);
    all.SetDefinitionName("All");
    all.SetFilterText("YEAR < 1900");
    ASSERT_EQ(all.GetCount(), 4u);
    ASSERT_TRUE(all.MoveLast());
    CRecord* last = all.GetCurrent();
    CRecord* twin = nullptr;
    for (const auto& record : all.GetList()) {
        if (record->GetKind() == last->GetKind() && record->GetNumber() == last->GetNumber() &&
            record.get() != last) {
            twin = record.get();
        }
    }
    ASSERT_NE(twin, nullptr);
    ASSERT_NE(twin->GetCatalogue(), last->GetCatalogue());

    ASSERT_TRUE(all.MoveFirst());
    EXPECT_TRUE(all.FindRecord(*last));
    EXPECT_EQ(all.GetCurrent(), last);
    EXPECT_TRUE(all.FindRecord(*twin));
    EXPECT_EQ(all.GetCurrent(), twin);

    // A copy stays on the record the other set is on.
    ASSERT_TRUE(all.FindRecord(*last));
    CItemSet copy = CItemSet::CopyOf(all);
    ASSERT_NE(copy.GetCurrent(), nullptr);
    EXPECT_EQ(copy.GetCurrent()->GetCatalogue(), last->GetCatalogue());
    EXPECT_EQ(copy.GetPosition(), 4u);
    EXPECT_EQ(all.GetCurrent(), last);

    // A set of one catalogue does not hold the other catalogue's record of the same number.
    CItemSet own = CItemSet::Query(catalogue.get(), 1, nullptr, false);
    CRecord other = Record(made.thaler);
    other.SetCatalogue(last->GetCatalogue());
    EXPECT_TRUE(own.ContainsRecord(Record(made.thaler)));
    EXPECT_FALSE(own.ContainsRecord(other));
    EXPECT_FALSE(own.FindRecord(other));
    UnregisterCatalogue(made.path.string());
    UnregisterCatalogue(second.path.string());
}

TEST_F(ItemSetTest, CopiesAndAssignmentKeepWhatTheSetDescribes)
{
    CItemSet bin = CItemSet::Query(catalogue.get(), 1, nullptr, false);
    bin.SetFilterText("YEAR < 1900");
    ASSERT_TRUE(bin.MoveLast());
    const std::string last = bin.GetCurrentName();

    CItemSet one = CItemSet::CopyOfCurrent(bin);
    EXPECT_EQ(one.GetCount(), 1u);
    EXPECT_EQ(one.GetCurrentName(), last);
    CItemSet all = CItemSet::CopyOf(bin);
    EXPECT_EQ(all.GetCount(), 2u);
    EXPECT_EQ(all.GetCurrentName(), last);

    // A temporary result takes over a search of the waste basket and still shows it after a reload.
    ASSERT_TRUE(CItemSet::Query(catalogue.get(), 1, Folder(made.prussia), false).DeleteCurrentRecord());
    CItemSet deleted = CItemSet::Query(catalogue.get(), 1, nullptr, true);
    deleted.SetFilterText("YEAR < 1900");
    CItemSet result(catalogue.get());
    result.Assign(deleted);
    EXPECT_EQ(SortedNames(result), Names{"Thaler 1786"});
    result.Reload();
    EXPECT_EQ(SortedNames(result), Names{"Thaler 1786"});
    // The definition as a stored query's text, for saving the search.
    const auto text = ParseStoredQueryText(result.FormatDefinitionText());
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->dataFile, 1);
    EXPECT_EQ(text->criteria, "YEAR < 1900");
}

TEST_F(ItemSetTest, CurrentRecordIsSavedLinkedAndSentToTheWasteBasket)
{
    CItemSet fresh = CItemSet::NewRecord(1, Folder(made.france), catalogue.get());
    const int name = fresh.FindFieldByName("NAME");
    EXPECT_EQ(fresh.GetCurrentMark(), 0);
    EXPECT_TRUE(fresh.SetFieldText(name, "Sou"));
    EXPECT_FALSE(fresh.SetFieldText(name, "Sou"));
    EXPECT_EQ(fresh.GetCurrentMark(), 1);
    EXPECT_EQ(fresh.GetFieldMaxLength(fresh.FindFieldByName("NOTES")), 65535);
    EXPECT_EQ(fresh.GetFieldMaxLength(name), 40);
    ASSERT_TRUE(fresh.InsertCurrentRecord(made.france));
    const CNodeRef sou = fresh.GetCurrentKey();
    EXPECT_NE(sou.GetNumber(), 0u);
    CItemSet france = CItemSet::Query(catalogue.get(), 1, Folder(made.france), false);
    EXPECT_EQ(SortedNames(france), (Names{"Franc 1960", "Sou"}));

    // Into the item list and out again.
    const CNodeRef wanted = Key(made.wanted);
    EXPECT_TRUE(fresh.LinkCurrentWith(wanted));
    EXPECT_FALSE(fresh.LinkCurrentWith(wanted));
    // Never with itself.
    EXPECT_FALSE(fresh.LinkCurrentWith(sou));
    EXPECT_EQ(CItemSet::Children(catalogue.get(), &sou, 1).GetCount(), 0u);
    CItemSet list = CItemSet::Children(catalogue.get(), &wanted, 1);
    EXPECT_EQ(SortedNames(list), (Names{"Sou", "Thaler 1786"}));
    EXPECT_TRUE(list.UnlinkFromOwner(sou, true));
    list.Reload();
    EXPECT_EQ(SortedNames(list), Names{"Thaler 1786"});

    // Moved, then to the waste basket and back.
    ASSERT_TRUE(fresh.MoveCurrentToParent(made.germany));
    EXPECT_EQ(CItemSet::Query(catalogue.get(), 1, Folder(made.germany), false).GetCount(), 2u);
    const int before = catalogue->GetDeletedEntries();
    ASSERT_TRUE(fresh.DeleteCurrentRecord());
    EXPECT_EQ(catalogue->GetDeletedEntries(), before + 1);
    CItemSet bin = CItemSet::Query(catalogue.get(), 1, nullptr, true);
    EXPECT_EQ(SortedNames(bin), Names{"Sou"});
    ASSERT_TRUE(bin.UndeleteFirst());
    bin.Reload();
    EXPECT_EQ(bin.GetCount(), 0u);
    EXPECT_TRUE(IsLiveRecord(*catalogue, sou));

    // Saved into another catalogue: a new row there.
    const TypicalCatalogue second = MakeTypicalCatalogue(MakeTempFolder("target"));
    CCatalogueDb target(second.path);
    CItemSet copy = CItemSet::Query(catalogue.get(), 1, Folder(made.germany), false);
    EXPECT_TRUE(target.HasOtherDataFile(copy));
    EXPECT_EQ(target.GetLinkedParent(copy), -1); // not copied there yet
    ASSERT_TRUE(copy.SaveCurrentRecord(target, 1, second.asia, false));
    EXPECT_EQ(CItemSet::Query(&target, 1, nullptr, false).GetCount(), 5u);
    EXPECT_EQ(target.GetLinkedParent(copy), second.asia);
    CItemSet none(catalogue.get());
    EXPECT_EQ(target.GetLinkedParent(none), -2);
    EXPECT_FALSE(target.HasOtherDataFile(none));
}

TEST_F(ItemSetTest, BuiltinSetsHoldTheListsAndQueries)
{
    CItemSet* lists = catalogue->GetBuiltinSet22();
    ASSERT_NE(lists, nullptr);
    EXPECT_EQ(catalogue->GetBuiltinSet22(), lists);
    EXPECT_EQ(SortedNames(*lists), Names{"Wanted"});
    CItemSet* queries = catalogue->GetBuiltinSet23();
    EXPECT_EQ(SortedNames(*queries), Names{"Old coins"});

    CItemSet newList = CItemSet::NewRecord(22, nullptr, catalogue.get());
    newList.SetFieldText(0, "Duplicates");
    ASSERT_TRUE(newList.InsertCurrentRecord(0));
    EXPECT_EQ(catalogue->GetBuiltinSet22()->GetCount(), 1u); // loaded before
    EXPECT_EQ(SortedNames(*catalogue->ResetBuiltinSet22()), (Names{"Duplicates", "Wanted"}));
    catalogue->Close();
    catalogue->Reopen(made.path);
    EXPECT_EQ(catalogue->GetBuiltinSet23()->GetCount(), 1u);
}

class FakeWaitWindow final : public CWaitWindow
{
public:
    void Show(int animation) override { shown.push_back(animation); }
    void Close() override { ++closed; }

    std::vector<int> shown;
    int closed = 0;
};

TEST_F(ItemSetTest, WaitWindowOnlyForSetsOfTenRecordsOrMore)
{
    FakeWaitWindow window;
    SetWaitWindow(&window);
    {
        RecordWriter writer(*catalogue, 1);
        for (int i = 0; i < 5; ++i) {
            writer.Add(0, {{"NAME", "Coin " + std::to_string(i)}});
        }
    }
    CItemSet nine = CItemSet::Query(catalogue.get(), 1, nullptr, false);
    ShowWaitWindowForItemSet(nine);
    EXPECT_TRUE(window.shown.empty());
    AddRecord(*catalogue, 1, 0, {{"NAME", "Coin 5"}});
    CItemSet ten = CItemSet::Query(catalogue.get(), 1, nullptr, false);
    ShowWaitWindowForItemSet(ten);
    ShowWaitWindowAnimation147();
    CloseWaitWindow();
    EXPECT_EQ(window.shown, (std::vector<int>{148, 147}));
    EXPECT_EQ(window.closed, 1);
    SetWaitWindow(nullptr);
    ShowWaitWindow(); // nothing installed: nothing happens
}

} // namespace

namespace {

// A folder of more coins than a list keeps the values of, so that values read on demand are forgotten
// again and a sort reads its column in one statement.
class LargeItemSetTest : public ::testing::Test
{
protected:
    static constexpr int kCoins = static_cast<int>(CRecordList::kRecordsWithValues) * 2 + 50;

    void SetUp() override
    {
        SetSettingString("selectedCurrency", "$");
        LoadRegionalSettings(platform::intl::RegionalValues{});
        const auto path = CatalogueBuilder(MakeTempFolder("large-sets") / "hoard.ctg")
                              .DataFile(CoinsFile(1))
                              .DataFile(CountriesFile(2))
                              .Build();
        catalogue = std::make_unique<CCatalogueDb>(path);
        hoard = catalogue->AddFolder("Hoard", 0, 1)->GetNumber();
        const CNodeRef france = AddRecord(*catalogue, 2, 0, {{"NAME", "France"}});
        platform::dao::CDaoWorkspace::Default().BeginTrans();
        RecordWriter writer(*catalogue, 1);
        for (int i = 0; i < kCoins; ++i) {
            // Names, years, prices and grades in different orders, with equal values for the stable sort,
            // mixed case and a reference on every third coin.
            const int scrambled = (i * 389) % kCoins;
            writer.Add(hoard, {{"NAME", "Coin " + std::to_string(scrambled)},
                               {"YEAR", std::to_string(1800 + i % 97)},
                               {"PRICE", std::to_string(i % 41) + ".5"},
                               {"GRADE", i % 2 == 0 ? "vf" : "VF"},
                               {"COUNTRY",
                                i % 3 == 0 ? std::to_string(static_cast<long long>(france.GetCode())) : ""}});
        }
        platform::dao::CDaoWorkspace::Default().CommitTrans();
    }

    // What a row shows: the name and the texts of some fields.
    static std::vector<std::string> Row(CRecord& record)
    {
        return {record.GetName(), record.GetFieldText(1), record.GetFieldText(2), record.GetFieldText(10),
                record.GetFieldDisplayText(11)};
    }
    std::vector<std::vector<std::string>> RowsOf(CItemSet& set)
    {
        std::vector<std::vector<std::string>> rows;
        for (size_t row = 0; set.MoveToRow(row); ++row) {
            rows.push_back(Row(*set.GetCurrent()));
        }
        return rows;
    }
    static std::vector<std::vector<std::string>> RowsOf(CRecordList& list)
    {
        std::vector<std::vector<std::string>> rows;
        for (const auto& record : list) {
            rows.push_back(Row(*record));
        }
        return rows;
    }
    static size_t RecordsWithValues(CItemSet& set)
    {
        const CRecordList& list = set.GetList();
        return static_cast<size_t>(std::count_if(
            list.begin(), list.end(), [](const auto& record) { return record->HasFieldsInMemory(); }));
    }

    std::unique_ptr<CCatalogueDb> catalogue;
    double hoard = 0;
};

} // namespace

TEST_F(LargeItemSetTest, ValuesReadOnDemandGiveWhatReadingEveryRowGives)
{
    struct Case
    {
        const char* what;
        int key;
        bool ascending;
        const char* criteria;
    };
    const Case cases[] = {
        {"by name", kSortByName, true, ""},
        {"by year descending", 1, false, ""},
        {"by price", 2, true, ""},
        {"by grade, case aside", 10, true, ""},
        {"by creation time", kSortByCreationTime, false, ""},
        {"filtered by year, by name", kSortByName, false, "YEAR < 1850"},
        {"filtered by price, by year", 1, true, "PRICE > 30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CItemSet set(catalogue.get());
        set.SetFilterDataFile(1);
        set.SetFilterFolder(catalogue->FindFolder(hoard));
        if (*c.criteria != '\0') {
            set.SetFilterText(c.criteria);
        }
        // Both in one order first, so that records of equal values stay in the same order.
        set.Sort(kSortByName, true, true);
        set.Sort(c.key, true, c.ascending);
        CRecordList everyRow(catalogue.get());
        everyRow.LoadCriteria(1, catalogue->FindFolder(hoard), false, c.criteria);
        everyRow.Sort(kSortByName, true, true);
        everyRow.Sort(c.key, true, c.ascending);
        ASSERT_TRUE(set.GetList().HasValuesOnDemand());
        ASSERT_FALSE(everyRow.HasValuesOnDemand());
        ASSERT_GT(everyRow.GetCount(), 20u);
        EXPECT_EQ(RowsOf(set), RowsOf(everyRow));
    }
}

TEST_F(LargeItemSetTest, WalkingEveryRowKeepsTheValuesOfAFewRecordsOnly)
{
    CItemSet set = CItemSet::Query(catalogue.get(), 1, catalogue->FindFolder(hoard), false);
    ASSERT_EQ(set.GetCount(), static_cast<size_t>(kCoins));
    // Loading reads names, not values, and sorting by a field reads its column without keeping it.
    EXPECT_EQ(RecordsWithValues(set), 0u);
    set.Sort(1, true, true);
    EXPECT_EQ(RecordsWithValues(set), 0u);
    // A screenful of rows holds its values (read with a few rows after them, in one statement), not
    // the set's.
    for (size_t row = 0; row < 30; ++row) {
        ASSERT_TRUE(set.MoveToRow(row));
        EXPECT_FALSE(set.GetFieldText(1).empty());
    }
    EXPECT_GE(RecordsWithValues(set), 30u);
    EXPECT_LE(RecordsWithValues(set), static_cast<size_t>(kCoins) / 4);
    // Walking every row with its values and pictures, then from the end back, keeps a few; a record
    // whose values were forgotten still gives them.
    std::map<std::uint32_t, std::string> years;
    for (bool more = set.MoveFirst(); more; more = set.MoveNext()) {
        years[set.GetCurrentNumber()] = set.GetFieldText(1);
        set.GetCurrent()->GetFieldPicture(4);
    }
    ASSERT_EQ(years.size(), static_cast<size_t>(kCoins));
    for (size_t row = static_cast<size_t>(kCoins); row-- > 0;) {
        ASSERT_TRUE(set.MoveToRow(row));
        EXPECT_EQ(set.GetCurrent()->GetRawFieldText(1), years[set.GetCurrentNumber()]);
    }
    EXPECT_LE(RecordsWithValues(set), CRecordList::kRecordsWithValues);
}

TEST_F(LargeItemSetTest, ValuesChangedInMemoryAreNotForgottenAndSavedOnesAreReadAgain)
{
    CItemSet set = CItemSet::Query(catalogue.get(), 1, catalogue->FindFolder(hoard), false);
    set.SortByName(true, true);
    ASSERT_TRUE(set.MoveToRow(0));
    const std::uint32_t changed = set.GetCurrentNumber();
    ASSERT_TRUE(set.SetFieldText(10, "Abraded"));
    ASSERT_TRUE(set.MoveToRow(1));
    const std::uint32_t saved = set.GetCurrentNumber();
    ASSERT_TRUE(set.SetFieldText(10, "Saved"));
    ASSERT_TRUE(set.UpdateCurrentRecord());
    for (size_t row = 2; set.MoveToRow(row); ++row) {
        set.GetFieldText(1);
    }
    ASSERT_TRUE(set.MoveToRow(0));
    EXPECT_EQ(set.GetCurrentNumber(), changed);
    EXPECT_EQ(set.GetFieldText(10), "Abraded");
    ASSERT_TRUE(set.MoveToRow(1));
    EXPECT_EQ(set.GetCurrentNumber(), saved);
    EXPECT_EQ(set.GetFieldText(10), "Saved");
    // A sort by the changed field orders the record by its value in memory.
    set.Sort(10, true, true);
    ASSERT_TRUE(set.MoveToRow(0));
    EXPECT_EQ(set.GetCurrentNumber(), changed);
}
