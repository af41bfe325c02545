// The kind queries and the plain answers of every node class, as one table.

#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tree/base/BaseItemNode.h"
#include "tree/containers/AreaNode.h"
#include "tree/containers/FolderNode.h"
#include "tree/containers/SummaryTableNode.h"
#include "tree/groups/TableNodes.h"
#include "tree/groups/WastebasketNodes.h"
#include "tree/records/RecordNodes.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace lumarc::test;

// The answers a class gives, as letters: one per query in kQueries' order, '1' true and '0' false.
struct Row
{
    const char* name;
    std::function<std::unique_ptr<CTreeNode>()> make;
    const char* answers;
    const char* page;
    const char* help;
};

const std::vector<std::pair<const char*, std::function<bool(CTreeNode&)>>> kQueries = {
    {"IsDataNode", [](CTreeNode& n) { return n.IsDataNode(); }},
    {"IsTableRecord", [](CTreeNode& n) { return n.IsTableRecord(); }},
    {"IsTableNode", [](CTreeNode& n) { return n.IsTableNode(); }},
    {"IsTablesGroup", [](CTreeNode& n) { return n.IsTablesGroup(); }},
    {"IsRecord", [](CTreeNode& n) { return n.IsRecord(); }},
    {"IsArea", [](CTreeNode& n) { return n.IsArea(); }},
    {"IsFolder", [](CTreeNode& n) { return n.IsFolder(); }},
    {"IsContainer", [](CTreeNode& n) { return n.IsContainer(); }},
    {"IsRoot", [](CTreeNode& n) { return n.IsRoot(); }},
    {"IsWastebasket", [](CTreeNode& n) { return n.IsWastebasket(); }},
    {"IsInWastebasket", [](CTreeNode& n) { return n.IsInWastebasket(); }},
    {"IsWastebasketArea", [](CTreeNode& n) { return n.IsWastebasketArea(); }},
    {"IsFolderContainer", [](CTreeNode& n) { return n.IsFolderContainer(); }},
    {"IsWastebasketRoot", [](CTreeNode& n) { return n.IsWastebasketRoot(); }},
    {"IsFolderElement", [](CTreeNode& n) { return n.IsFolderElement(); }},
    {"IsContentEntry", [](CTreeNode& n) { return n.IsContentEntry(); }},
    {"CanBeLinked", [](CTreeNode& n) { return n.CanBeLinked(); }},
    {"CanCreateShortcut", [](CTreeNode& n) { return n.CanCreateShortcut(); }},
    {"CanHaveChildren", [](CTreeNode& n) { return n.CanHaveChildren(); }},
    {"HasLayoutPage", [](CTreeNode& n) { return n.HasLayoutPage(); }},
    {"AcceptsKind(1)", [](CTreeNode& n) { return n.AcceptsKind(1); }},
    {"AcceptsKind(3)", [](CTreeNode& n) { return n.AcceptsKind(3); }},
};

class KindQueriesTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        made = new TypicalCatalogue(MakeTypicalCatalogue(MakeTempFolder("kinds")));
        catalogue = new CCatalogueDb(made->path);
        coins = new CItemSet(CItemSet::Query(catalogue, 1, nullptr, false));
        coins->MoveFirst();
    }
    static void TearDownTestSuite()
    {
        delete coins;
        delete catalogue;
        delete made;
    }
    static TypicalCatalogue* made;
    static CCatalogueDb* catalogue;
    static CItemSet* coins;
};

TypicalCatalogue* KindQueriesTest::made = nullptr;
CCatalogueDb* KindQueriesTest::catalogue = nullptr;
CItemSet* KindQueriesTest::coins = nullptr;

} // namespace

TEST_F(KindQueriesTest, EveryClassAnswersItsKindQueries)
{
    CCatalogueDb& db = *catalogue;
    CFolderRecord* europe = db.FindFolder(made->europe);
    CFolderRecord* france = db.FindFolder(made->france);
    //                                                         Data  TRec  TNod  TGrp  Rec   Area  Fold  Cont
    //                                                         Root  WB    InWB  WBAr  FCon  WBRt  FElm  Entr
    //                                                         Link  Shct  Chld  Page  Acc1  Acc3
    const std::vector<Row> rows = {
        {"CTreeNode", [] { return std::make_unique<CTreeNode>("plain", 0, 0); }, "0000000000000000001000", "",
         ""},
        {"CBaseItemNode", [] { return std::make_unique<CBaseItemNode>(); }, "0000000010000000001000",
         "baseItem.htm", ""},
        {"CTableNode", [&] { return std::make_unique<CTableNode>(db); }, "0011000000000000011000",
         "tableItem.htm", "KV.TABLEITM"},
        {"CWastebasketTableNode", [&] { return std::make_unique<CWastebasketTableNode>(db); },
         "0000000000110000001000", "wastebasketareaTable.htm", "KV.TABLEITM"},
        {"CWastebasketNode", [&] { return std::make_unique<CWastebasketNode>(db); }, "0000000001100100011000",
         "wastebsk.htm", "KV.WASTITM"},
        {"CWastebasketAreaFileNode",
         [&] { return std::make_unique<CWastebasketAreaFileNode>(db, 1, "Coins"); }, "1000000000110000000100",
         "WastebasketAreaFile.htm", "KV.AREAFILEITM"},
        {"CWastebasketTableFileNode",
         [&] { return std::make_unique<CWastebasketTableFileNode>(db, 2, "Countries"); },
         "1000000000110000001100", "wastebasketareaTableFile.htm", "KV.TABLEITM"},
        {"CSummaryTableNode", [&] { return std::make_unique<CSummaryTableNode>(db, 2); },
         "1010000000000000001100", "AllAreaTableFile.htm", "KV.TABLESITM"},
        {"CFolderNode", [&] { return std::make_unique<CFolderNode>(db, europe); }, "1000001100001011111111",
         "folder.htm", "KV.AREAITM"},
        {"CAreaNode", [&] { return std::make_unique<CAreaNode>(db, france, 1); }, "1000010100001010111110",
         "singleFile.htm", "KV.AREAITM"},
        {"CFolderRecordNode", [] { return std::make_unique<CFolderRecordNode>(*coins); },
         "1000100000000001110110", "", "KV.CONTACTITM"},
        {"CSummaryTableRecordNode", [] { return std::make_unique<CSummaryTableRecordNode>(*coins); },
         "1100100000000000000110", "", "KV.CONTACTITM"},
    };
    for (const Row& row : rows) {
        std::unique_ptr<CTreeNode> node = row.make();
        std::string answers;
        for (const auto& [name, query] : kQueries) {
            answers += query(*node) ? '1' : '0';
        }
        EXPECT_EQ(answers, row.answers) << row.name;
        for (size_t i = 0; i < kQueries.size() && answers != row.answers; ++i) {
            if (answers[i] != row.answers[i]) {
                ADD_FAILURE() << row.name << " " << kQueries[i].first << " answers " << answers[i];
            }
        }
        EXPECT_EQ(node->GetPageTemplate(), row.page) << row.name;
        EXPECT_EQ(node->GetHelpKey(), row.help) << row.name;
        // Every class not a record has an "undefined" or its own status text; none leaves it empty.
        EXPECT_FALSE(node->GetStatusText().empty()) << row.name;
    }
}
