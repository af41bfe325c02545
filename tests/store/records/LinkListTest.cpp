#include "store/records/LinkList.h"

#include "platform/dao/DaoDatabase.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/catalogue/DataRecordset.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <utility>

using namespace lumarc::test;
using platform::dao::dbOpenSnapshot;

namespace {

class LinkListTest : public testing::Test
{
protected:
    void SetUp() override
    {
        path = CatalogueBuilder(MakeTempFolder("links") / "links.ctg")
                   .Number(3)
                   .DataFile(CoinsFile(1))
                   .DataFile(CountriesFile(2))
                   .DataFile(AddressesFile(12))
                   .Build();
    }

    static int LinkRows(CCatalogueDb& catalogue)
    {
        CDataRecordset rs(catalogue.GetDatabase());
        rs.OpenQuery(dbOpenSnapshot, "SELECT * FROM LINK");
        int rows = 0;
        for (; !rs.IsEOF(); rs.MoveNext()) {
            ++rows;
        }
        return rows;
    }

    static CLinkEntry Entry(const CNodeRef& to, const CNodeRef& from)
    {
        return CLinkEntry(to.GetCatalogue(), to.GetKind(), to.GetNumber(), from.GetCatalogue(),
                          from.GetKind(), from.GetNumber());
    }

    std::filesystem::path path;
};

TEST_F(LinkListTest, StoredLinksSurviveReopeningAndAreStoredOnce)
{
    // A reference lives no longer than its catalogue: only the kinds, numbers and code cross over.
    struct Element
    {
        std::uint16_t kind;
        std::uint32_t number;
    } coin{}, country{};
    double countryCode = 0;
    {
        CCatalogueDb catalogue(path);
        const CNodeRef coinRef = AddRecord(catalogue, 1, 0, {{"NAME", "Franc"}});
        const CNodeRef countryRef = AddRecord(catalogue, 2, 0, {{"NAME", "France"}});
        coin = {coinRef.GetKind(), coinRef.GetNumber()};
        country = {countryRef.GetKind(), countryRef.GetNumber()};
        countryCode = countryRef.GetCode();
        const CLinkEntry link = Entry(countryRef, coinRef);
        EXPECT_TRUE(link.Store(catalogue));
        EXPECT_TRUE(link.Exists(catalogue));
        EXPECT_FALSE(link.Store(catalogue));                    // the same link twice: one row
        EXPECT_FALSE(Entry(coinRef, coinRef).Store(catalogue)); // a link to itself
        EXPECT_EQ(LinkRows(catalogue), 1);
    }
    CCatalogueDb catalogue(path);
    CLinkList from;
    from.LoadLinksFrom(CNodeRef(&catalogue), catalogue);
    EXPECT_EQ(from.GetCount(), 0u); // a reference of kind 0 is no element
    CNodeRef coinHere;
    coinHere.Set(coin.kind, coin.number, &catalogue);
    from.LoadLinksFrom(coinHere, catalogue);
    ASSERT_EQ(from.GetCount(), 1u);
    EXPECT_EQ(from.First()->GetIn().GetCode(), countryCode);
    EXPECT_EQ(from.First()->GetIn().GetCode(), 3.0 * 10000000 + 2 * 100000 + country.number);

    CNodeRef countryHere;
    countryHere.Set(country.kind, country.number, &catalogue);
    EXPECT_EQ(CLinkList(countryHere, catalogue).GetCount(), 1u);
    CLinkList ofKind;
    ofKind.LoadLinksToKind(countryHere, 12, catalogue);
    EXPECT_EQ(ofKind.GetCount(), 0u);
    ofKind.LoadLinksToKind(countryHere, 1, catalogue);
    EXPECT_EQ(ofKind.GetCount(), 1u);

    // Deleting the row takes the link out of the catalogue's list.
    EXPECT_TRUE(Entry(countryHere, coinHere).DeleteRow(catalogue));
    EXPECT_EQ(catalogue.GetLinkList().GetCount(), 0u);
    EXPECT_EQ(LinkRows(catalogue), 0);
}

TEST_F(LinkListTest, RepairRemovesExactlyTheLinksWhoseRecordsAreGone)
{
    CCatalogueDb catalogue(path);
    const CNodeRef a = AddRecord(catalogue, 1, 0, {{"NAME", "a"}});
    const CNodeRef b = AddRecord(catalogue, 2, 0, {{"NAME", "b"}});
    const CNodeRef c = AddRecord(catalogue, 1, 0, {{"NAME", "c"}});
    const CNodeRef d = AddRecord(catalogue, 12, 0, {{"NAME", "d"}});
    AddLink(catalogue, b, a);
    AddLink(catalogue, c, b);
    AddLink(catalogue, d, c);
    AddLink(catalogue, a, d);
    CNodeRef unknownKind;
    unknownKind.Set(40, 1, &catalogue); // no such data file
    AddLink(catalogue, unknownKind, a);
    // c goes: its row is gone; a row marked deleted in the table leaves the table too.
    catalogue.GetDatabase()->Execute("DELETE FROM COINS WHERE NAME = 'c'");
    const CNodeRef e = AddRecord(catalogue, 12, 0, {{"NAME", "e"}});
    AddLink(catalogue, e, b);
    Entry(e, b).MarkDeleted(catalogue);

    EXPECT_EQ(catalogue.RepairLinks(), 4);
    std::vector<std::pair<double, double>> left;
    for (const CLinkEntry& link : catalogue.GetLinkList().Entries()) {
        left.emplace_back(link.GetIn().GetCode(), link.GetOut().GetCode());
    }
    EXPECT_EQ(left, (std::vector<std::pair<double, double>>{{b.GetCode(), a.GetCode()},
                                                            {a.GetCode(), d.GetCode()}}));
    EXPECT_EQ(LinkRows(catalogue), 2);
    EXPECT_EQ(catalogue.RepairLinks(), 0);
}

TEST_F(LinkListTest, DeletionMarksAreReadInBothSpellings)
{
    CCatalogueDb catalogue(path);
    const CNodeRef a = AddRecord(catalogue, 1, 0);
    const CNodeRef b = AddRecord(catalogue, 2, 0);
    const CNodeRef c = AddRecord(catalogue, 12, 0);
    AddLink(catalogue, b, a);
    AddLink(catalogue, c, a);
    Entry(b, a).MarkDeleted(catalogue); // "Y": undone when the record comes back, so it stays listed
    catalogue.GetDatabase()->Execute("UPDATE LINK SET DELETED = '1' WHERE OID_IN = " +
                                     std::to_string(static_cast<long long>(c.GetCode())));
    catalogue.ReloadLinks();
    ASSERT_EQ(catalogue.GetLinkList().GetCount(), 1u);
    EXPECT_EQ(catalogue.GetLinkList().Entries()[0].GetIn().GetCode(), b.GetCode());

    Entry(b, a).Undelete(catalogue);
    EXPECT_EQ(catalogue.RepairLinks(), 1); // only the "1" row
    EXPECT_EQ(LinkRows(catalogue), 1);

    for (const char* mark : {"Y", "y", "1", "-1", "True"}) {
        EXPECT_TRUE(IsLinkDeletedMark(mark)) << mark;
    }
    for (const char* mark : {"", "N", "0", " "}) {
        EXPECT_FALSE(IsLinkDeletedMark(mark)) << mark;
    }
    // The one reading tells the mark written here, kept in the list, from the others' truth values.
    const std::pair<const char*, LinkMark> readings[] = {
        {"Y", LinkMark::DeletedByRecord},
        {"yes", LinkMark::DeletedByRecord},
        {"1", LinkMark::Deleted},
        {"-1", LinkMark::Deleted},
        {"TRUE", LinkMark::Deleted},
        {"N", LinkMark::Live},
        {"", LinkMark::Live},
        {"-2", LinkMark::Live},
    };
    for (const auto& [mark, reading] : readings) {
        EXPECT_EQ(ReadLinkMark(mark), reading) << mark;
    }
}

TEST_F(LinkListTest, ListsIterateAndSortBeyondFiveHundredEntries)
{
    CCatalogueDb catalogue;
    catalogue.SetCatalogueNumber(3);
    CLinkList list;
    EXPECT_EQ(list.First(), nullptr);
    for (std::uint32_t i = 0; i < 501; ++i) {
        list.Add(CLinkEntry(&catalogue, 12, 501 - i, &catalogue, 1, i % 2 == 0 ? 7 : 5));
    }
    list.Add(CLinkEntry(&catalogue, 12, 1, &catalogue, 1, 3));
    int count = 0;
    for (CLinkEntry* entry = list.First(); entry != nullptr; entry = list.Next()) {
        ++count;
    }
    EXPECT_EQ(count, 502);

    list.Sort(true);
    const auto& sorted = list.Entries();
    EXPECT_EQ(sorted[0].GetIn().GetCode(), 31200001.0);
    EXPECT_EQ(sorted[0].GetOut().GetCode(), 30100003.0); // equal incoming codes: by outgoing code
    EXPECT_EQ(sorted[1].GetOut().GetCode(), 30100007.0);
    EXPECT_EQ(sorted[2].GetIn().GetCode(), 31200002.0);
    EXPECT_EQ(sorted.back().GetIn().GetCode(), 31200501.0);
    list.Sort(false);
    EXPECT_EQ(list.Entries()[0].GetIn().GetCode(), 31200501.0);

    list.First();
    for (int i = 0; i < 500; ++i) {
        list.Next();
    }
    EXPECT_FALSE(list.IsLast());
    list.Next();
    EXPECT_TRUE(list.IsLast());
}

TEST_F(LinkListTest, LinksFromChildOnlyDataFilesAreFound)
{
    CCatalogueDb catalogue(path);
    const CNodeRef coin = AddRecord(catalogue, 1, 0);
    const CNodeRef country = AddRecord(catalogue, 2, 0);
    const CNodeRef address = AddRecord(catalogue, 12, 0);
    AddLink(catalogue, coin, country); // countries are a table (table number 1)
    EXPECT_FALSE(catalogue.HasLinkFromFileWithoutTable(&coin));
    AddLink(catalogue, coin, address); // addresses have no table number
    EXPECT_TRUE(catalogue.HasLinkFromFileWithoutTable(&coin));
    EXPECT_FALSE(catalogue.HasLinkFromFileWithoutTable(nullptr));
}

TEST_F(LinkListTest, WithTheCatalogueClosedNothingIsStored)
{
    CCatalogueDb closed;
    const CLinkEntry link(&closed, 1, 1, &closed, 2, 2);
    EXPECT_FALSE(link.Store(closed));
    EXPECT_FALSE(link.MarkDeleted(closed));
    EXPECT_FALSE(link.DeleteRow(closed));
    EXPECT_EQ(closed.RepairLinks(), 0);
}

} // namespace
