// The copy of records into another catalogue: which data file matches, what goes with a record (its
// notes, its linked records, a reference, a picture) for each mode, and that a copy failing half-way
// leaves the target as it was.

#include "platform/dao/DaoDatabase.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/tree/TestCatalogueNode.h"
#include "tests/tree/TwoCataloguesTest.h"
#include "tree/base/BaseItemNode.h"
#include "tree/catalogue/CatalogueRecordCopier.h"

#include <gtest/gtest.h>

namespace {

using namespace lumarc::test;

class RecordCopierTest : public TwoCataloguesTest<TestCatalogueNode>
{
protected:
    void SetUp() override
    {
        MakeCatalogues();
        Open();
        // The thaler carries a note; the dealer links to it too.
        note = AddRecord(*source, 20, 0, {{"NoteText", "Bought at auction"}});
        AddLink(*source, made.thaler.In(*source), note);
        Dialogs().Clear();
    }
    std::vector<std::string> Names(int kind)
    {
        std::vector<std::string> names;
        CItemSet set = CItemSet::Query(target.get(), kind, nullptr, false);
        for (bool more = set.MoveFirst(); more; more = set.MoveNext()) {
            names.push_back(set.GetFieldTextByName("NAME"));
        }
        return names;
    }
    // The names of the records linked to the target's record of that name and kind.
    std::vector<std::string> LinkedTo(int kind, const std::string& name)
    {
        CItemSet set = CItemSet::Query(target.get(), kind, nullptr, false);
        for (bool more = set.MoveFirst(); more; more = set.MoveNext()) {
            if (set.GetFieldTextByName("NAME") == name) {
                const CNodeRef key = set.GetCurrentKey();
                CItemSet children = CItemSet::Children(target.get(), &key, kLinkEveryKind);
                std::vector<std::string> names;
                for (bool child = children.MoveFirst(); child; child = children.MoveNext()) {
                    names.push_back(children.GetFieldText(0));
                }
                std::sort(names.begin(), names.end());
                return names;
            }
        }
        return {"(no " + name + ")"};
    }

    CNodeRef note;
    CCatalogueRecordCopier copier;
};

} // namespace

TEST_F(RecordCopierTest, MatchesKindsByTheSourceCataloguesDefinitions)
{
    EXPECT_EQ(copier.FindMatchingKind(*targetNode, "coins of the WORLD", 1, -1), 1);
    EXPECT_EQ(copier.FindMatchingKind(*targetNode, "Coins of the world", 3, -1), 3);
    EXPECT_EQ(copier.FindMatchingKind(*targetNode, "Coins of the world", 1, 1), 1);
    EXPECT_EQ(copier.FindMatchingKind(*targetNode, "Coins of the world", 1, 2), 0); // coins are no countries
    EXPECT_EQ(copier.FindMatchingKind(*targetNode, "Coins of the world", 9, -1), 0);
    EXPECT_EQ(copier.FindMatchingKind(*targetNode, "Not open", 1, -1), 0);
}

struct CopyModeCase
{
    const char* name;
    int mode;
    std::vector<std::string> linkedToCopy;
};

class RecordCopierModeTest : public RecordCopierTest, public testing::WithParamInterface<CopyModeCase>
{
};

TEST_P(RecordCopierModeTest, CopiesTheRecordWithWhatItsModeTakesAlong)
{
    const CopyModeCase& row = GetParam();
    const double here = target->AddFolder("Here", 0, 1)->GetNumber();
    CItemSet thaler = SetOf(made.thaler);
    const double sourceCode = thaler.GetCurrentKey().GetCode();

    ASSERT_TRUE(copier.CopyRecordToFolder(thaler, *targetNode, here, 0, row.mode));
    // The set stays on its own record.
    EXPECT_EQ(thaler.GetCurrentKey().GetCode(), sourceCode);

    Open();
    CItemSet copies = CItemSet::Query(target.get(), 1, target->FindFolder(here), false);
    ASSERT_EQ(copies.GetCount(), 1u);
    copies.MoveFirst();
    EXPECT_EQ(copies.GetFieldTextByName("NAME"), "Thaler");
    EXPECT_EQ(copies.GetFieldTextByName("YEAR"), "1786");
    // The reference names the target's own country of that name, made for it.
    EXPECT_EQ(copies.GetFieldText(copies.FindFieldByName("COUNTRY")), "Germany");
    EXPECT_EQ(Names(2), std::vector<std::string>{"Germany"});
    EXPECT_EQ(LinkedTo(1, "Thaler"), row.linkedToCopy);
    // It remembers where it came from, and the source is unchanged.
    EXPECT_GE(target->GetLinkedParent(*source->FindDefinition(1), sourceCode), 0.0);
    EXPECT_TRUE(IsLiveRecord(*source, made.thaler.In(*source)));
    EXPECT_TRUE(IsLiveRecord(*source, made.dealer.In(*source)));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, RecordCopierModeTest,
    testing::Values(CopyModeCase{"NotesAndFiles", CRecordCopier::kNotesAndFiles, {"Bought at auction"}},
                    CopyModeCase{"AllSubRecords",
                                 CRecordCopier::kAllSubRecords,
                                 {"Bought at auction", "Numismatik Berlin"}}),
    [](const testing::TestParamInfo<CopyModeCase>& info) { return info.param.name; });

TEST_F(RecordCopierTest, PicturesTravelWithTheRecord)
{
    CItemSet ducat = SetOf(made.ducat);
    ASSERT_TRUE(copier.CopyRecordToFolder(ducat, *targetNode, 0, 1, CRecordCopier::kNotesAndFiles));
    Open();
    CItemSet copies = CItemSet::Query(target.get(), 1, nullptr, false);
    ASSERT_EQ(copies.GetCount(), 1u);
    copies.MoveFirst();
    CRecord* copy = copies.GetCurrent();
    const auto picture = copy->GetFieldPicture(copy->FindFieldByName("PICTURE"));
    ASSERT_NE(picture, nullptr);
}

TEST_F(RecordCopierTest, ACopyFailingHalfWayLeavesNothingInTheTarget)
{
    // The target lost its notes table: the thaler's note cannot follow it, so the thaler goes back too.
    target->GetDatabase()->Execute("DROP TABLE [" + target->FindDefinition(20)->GetFileName() + "]");
    CItemSet thaler = SetOf(made.thaler);
    EXPECT_FALSE(copier.CopyRecordToFolder(thaler, *targetNode, 0, 1, CRecordCopier::kNotesAndFiles));
    EXPECT_EQ(Names(1), std::vector<std::string>{});
    EXPECT_EQ(Names(2), std::vector<std::string>{});

    // A view-only target and the record's own catalogue are refused.
    CItemSet mark = SetOf(made.mark);
    target->SetViewOnly(true);
    EXPECT_FALSE(copier.CopyRecordToFolder(mark, *targetNode, 0, 1, CRecordCopier::kNotesAndFiles));
    target->SetViewOnly(false);
    EXPECT_FALSE(copier.CopyRecordToFolder(mark, *sourceNode, 0, 1, CRecordCopier::kNotesAndFiles));
    EXPECT_EQ(Names(1), std::vector<std::string>{});
}
