// The row nodes of the lists: what each of the nine classes makes, deletes, opens and edits, renaming
// file items, and the strip of field editors as the model sees it (which editors, what a save writes).

#include "tree/records/RecordNodes.h"
#include "platform/dao/DaoWorkspace.h"
#include "platform/ui/DialogService.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "store/regional/RegionalSettings.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestNames.h"
#include "tests/tree/RecordingListPane.h"
#include "tree/base/BaseItemNode.h"
#include "tree/base/ImageKinds.h"
#include "tree/groups/TableNodes.h"
#include "tree/queries/QueryNodes.h"
#include "tree/records/InPlaceEdit.h"
#include "tree/records/RecordForm.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <typeindex>

namespace {

using namespace lumarc::test;

class RecordNodesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        made = MakeTypicalCatalogue(MakeTempFolder("records"));
        Open();
        Dialogs().Clear();
        SetRecordForm(&form);
    }
    void TearDown() override { SetRecordForm(nullptr); }
    void Open()
    {
        catalogue.reset();
        catalogue = std::make_unique<CCatalogueDb>(made.path);
        ASSERT_TRUE(catalogue->IsOpen());
    }
    CNodeRef Franc() { return made.franc.In(*catalogue); }
    // The franc's field as stored, read from a catalogue opened again.
    std::string StoredFrancField(const std::string& name)
    {
        Open();
        CItemSet set(catalogue.get());
        set.AddRecordByKey(Franc());
        set.MoveFirst();
        return set.GetFieldTextByName(name);
    }

    TypicalCatalogue made;
    std::unique_ptr<CCatalogueDb> catalogue;
    RecordingRecordForm form;
};

struct RowClass
{
    std::string name;
    std::function<std::unique_ptr<CRecordNode>(const CNodeRef&)> make;
    std::type_index makes;
    bool canDelete;
    bool opens;
    // What each kind query answers: content entry, linked record, item-list record, table record, in the
    // wastebasket, query, add-new.
    std::string kinds;
};

void PrintTo(const RowClass& row, std::ostream* out)
{
    *out << row.name;
}

template <typename Node>
std::function<std::unique_ptr<CRecordNode>(const CNodeRef&)> Maker()
{
    return [](const CNodeRef& key) { return std::make_unique<Node>(key); };
}

std::string KindsOf(CRecordNode& node)
{
    std::string kinds;
    const auto mark = [&kinds](bool answer, char letter) { kinds += answer ? letter : '-'; };
    mark(node.IsContentEntry(), 'C');
    mark(node.IsLinkedRecord(), 'L');
    mark(node.IsItemListRecord(), 'I');
    mark(node.IsTableRecord(), 'T');
    mark(node.IsInWastebasket(), 'W');
    mark(node.IsQuery(), 'Q');
    mark(node.IsAddNew(), 'A');
    return kinds;
}

class RowClassTest : public RecordNodesTest, public testing::WithParamInterface<RowClass>
{
};

const RowClass kRowClasses[] = {
    {"Record", Maker<CRecordNode>(), typeid(CRecordNode), false, true, "-------"},
    {"FolderRecord", Maker<CFolderRecordNode>(), typeid(CFileRecordNode), true, true, "C------"},
    {"AddNew", Maker<CAddNewNode>(), typeid(CFileRecordNode), false, true, "C-----A"},
    {"ItemListRecord", Maker<CItemListRecordNode>(), typeid(CFileRecordNode), true, true, "CLI----"},
    {"FileRecord", Maker<CFileRecordNode>(), typeid(CRecordNode), true, true, "CL-----"},
    {"WastebasketRecord", Maker<CWastebasketRecordNode>(), typeid(CRecordNode), false, true, "----W--"},
    {"WastebasketTableRecord", Maker<CWastebasketTableRecordNode>(), typeid(CRecordNode), false, true,
     "---TW--"},
    {"SummaryTableRecord", Maker<CSummaryTableRecordNode>(), typeid(CRecordNode), true, false, "---T---"},
    {"QueryRecord", Maker<CQueryRecordNode>(), typeid(CRecordNode), true, true, "C----Q-"},
};

} // namespace

TEST_P(RowClassTest, MakesItsRowsAndAnswersForItsRecord)
{
    const RowClass& row = GetParam();
    std::unique_ptr<CRecordNode> node = row.make(Franc());
    EXPECT_EQ(node->GetName(), "Franc 1960");
    EXPECT_EQ(node->GetKind(), 1);
    EXPECT_TRUE(node->IsRecord());
    EXPECT_TRUE(node->AcceptsKind(1));
    EXPECT_FALSE(node->AcceptsKind(2));
    EXPECT_FALSE(node->CanHaveChildren());
    EXPECT_FALSE(node->IsEmpty());
    EXPECT_STREQ(node->GetTypeName(), "RECORD");
    EXPECT_EQ(node->GetClosedImage(), image_kind::kRecordClosed);
    EXPECT_EQ(KindsOf(*node), row.kinds);
    EXPECT_EQ(node->CanDelete(), row.canDelete);

    // Both factories make the same class, over the record they are given.
    const std::unique_ptr<CTreeNode> byKey = node->NewChild(made.mark.In(*catalogue));
    ASSERT_NE(byKey, nullptr);
    EXPECT_EQ(std::type_index(typeid(*byKey)), row.makes);
    EXPECT_EQ(byKey->GetName(), "Mark 1950");
    CItemSet set(catalogue.get());
    set.AddRecordByKey(made.thaler.In(*catalogue));
    set.MoveFirst();
    const std::unique_ptr<CTreeNode> bySet = node->NewChildFromSet(set);
    EXPECT_EQ(std::type_index(typeid(*bySet)), row.makes);
    EXPECT_EQ(bySet->GetName(), "Thaler 1786");

    // Opening goes to the record form, at the record.
    EXPECT_EQ(node->Open(nullptr), row.opens);
    ASSERT_EQ(form.opened.size(), row.opens ? 1u : 0u);
    if (row.opens) {
        EXPECT_EQ(form.opened[0], Franc().GetCode());
    }
    SetRecordForm(nullptr);
    EXPECT_FALSE(node->Open(nullptr)) << "no record form yet: nothing opens";
}

TEST_P(RowClassTest, ViewOnlyCataloguesRefuseEditingInPlace)
{
    std::unique_ptr<CRecordNode> node = GetParam().make(Franc());
    RecordingListPane list;
    catalogue->SetViewOnly(true);
    EXPECT_FALSE(node->BeginInPlaceEdit(&list, {5, 5}));
    EXPECT_FALSE(node->Rename("Sou"));
    EXPECT_EQ(list.edit, nullptr);
}

INSTANTIATE_TEST_SUITE_P(NineClasses, RowClassTest, testing::ValuesIn(kRowClasses),
                         [](const auto& info) { return info.param.name; });

TEST_F(RecordNodesTest, FolderAndFileRowsLayTheFieldStripOverTheRow)
{
    struct Case
    {
        std::unique_ptr<CRecordNode> node;
        bool strip;
    };
    Case cases[] = {{std::make_unique<CFolderRecordNode>(Franc()), true},
                    {std::make_unique<CAddNewNode>(Franc()), true},
                    {std::make_unique<CFileRecordNode>(Franc()), true},
                    {std::make_unique<CQueryRecordNode>(Franc()), false},
                    {std::make_unique<CSummaryTableRecordNode>(Franc()), false}};
    for (Case& row : cases) {
        RecordingListPane list;
        // The strip answers false: the list's own label editing does not start.
        EXPECT_EQ(row.node->BeginInPlaceEdit(&list, {5, 5}), !row.strip) << row.node->GetName();
        EXPECT_EQ(list.edit != nullptr, row.strip);
        // Without a list the list's label editing goes ahead.
        EXPECT_TRUE(row.node->BeginInPlaceEdit(nullptr, {5, 5}));
    }
}

TEST_F(RecordNodesTest, TheStripHasAnEditorPerTitleField)
{
    CFolderRecordNode node(Franc());
    RecordingListPane list;
    node.BeginInPlaceEdit(&list, {5, 5});
    ASSERT_NE(list.edit, nullptr);
    const auto& fields = list.edit->Fields();
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(fields[0].editor, 'E');
    EXPECT_EQ(fields[0].text, "Franc");
    EXPECT_EQ(fields[0].width, CInPlaceEdit::kMaxWidth);
    EXPECT_EQ(fields[1].editor, 'I');
    EXPECT_EQ(fields[1].text, "1960");
    EXPECT_EQ(fields[1].width, 42) << "7 pixels per character of LENGTH 6";
}

TEST_F(RecordNodesTest, SavedStripValuesReachTheCatalogueAndTheLabel)
{
    CFolderRecordNode node(Franc());
    RecordingListPane list;
    node.BeginInPlaceEdit(&list, {5, 5});
    ASSERT_NE(list.edit, nullptr);
    // A text differing only in case is no change; the year is.
    const bool saved = list.edit->Save({"FRANC", "1961"});
    EXPECT_TRUE(saved);
    list.closed(saved);
    EXPECT_EQ(node.GetName(), "Franc 1961");
    EXPECT_EQ(list.refreshes, 1);
    EXPECT_EQ(StoredFrancField("YEAR"), "1961");
    EXPECT_EQ(StoredFrancField("NAME"), "Franc");
}

TEST_F(RecordNodesTest, UnchangedStripSavesNothing)
{
    CFolderRecordNode node(Franc());
    RecordingListPane list;
    node.BeginInPlaceEdit(&list, {5, 5});
    EXPECT_FALSE(list.edit->Save({"franc", "1960"}));
}

TEST_F(RecordNodesTest, RefusedValuesGiveTheFieldsMessageAndKeepTheOldValue)
{
    struct Case
    {
        std::string name;
        std::string year;
        std::string message;
    };
    const Case cases[] = {{"Sou", "1234567", "YEAR takes a whole number of at most 6 characters."},
                          {"Liard", "19x0", "YEAR takes a whole number of at most 6 characters."}};
    for (const Case& c : cases) {
        Open();
        CFolderRecordNode node(Franc());
        RecordingListPane list;
        node.BeginInPlaceEdit(&list, {5, 5});
        Dialogs().Clear();
        // The name still changes; the year does not.
        EXPECT_TRUE(list.edit->Save({c.name, c.year}));
        ASSERT_EQ(Dialogs().messages.size(), 1u) << c.year;
        EXPECT_EQ(Dialogs().messages[0].text, c.message);
        EXPECT_EQ(StoredFrancField("YEAR"), "1960");
        EXPECT_EQ(StoredFrancField("NAME"), c.name);
    }
}

TEST_F(RecordNodesTest, ADateThatDoesNotExistIsRefused)
{
    lumarc::test::DataFileSpec file = CoinsFile(1);
    for (auto& field : file.fields) {
        field.title = field.name == "NAME" || field.name == "BOUGHT" || field.name == "OWNEDYES";
    }
    const auto path =
        CatalogueBuilder(MakeTempFolder("dates") / "dates.ctg").Number(4).DataFile(file).Build();
    CCatalogueDb dates(path);
    const CNodeRef coin =
        AddRecord(dates, 1, 0, {{"NAME", "Sou"}, {"BOUGHT", "2001-06-15"}, {"OWNEDYES", "1"}});
    CFolderRecordNode node(coin);
    RecordingListPane list;
    node.BeginInPlaceEdit(&list, {5, 5});
    ASSERT_NE(list.edit, nullptr);
    const auto& fields = list.edit->Fields();
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[1].editor, 'D');
    EXPECT_EQ(fields[2].editor, 'B');
    EXPECT_TRUE(fields[2].checked);
    const std::string before = fields[1].text;
    Dialogs().Clear();
    // The check box counts as changed even when it keeps its state, so the record is saved.
    const char* noSuchDay = Regional().dateOrder == kMonthDayYear   ? "02/30/2001"
                            : Regional().dateOrder == kYearMonthDay ? "2001/02/30"
                                                                    : "30/02/2001";
    EXPECT_TRUE(list.edit->Save({"Sou", noSuchDay, "F"}));
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text, "Wrong Day");
    CItemSet stored(&dates);
    stored.AddRecordByKey(coin);
    stored.MoveFirst();
    std::string bought = stored.GetRawFieldText(fields[1].field);
    EXPECT_EQ(bought.substr(0, before.size()), before);
    EXPECT_EQ(stored.GetFieldTextByName("OWNEDYES").substr(0, 1), "F");
}

TEST_F(RecordNodesTest, FileItemsAreRenamedBesideTheirFile)
{
    DataFileSpec files;
    files.number = node_kind::kFileItems;
    files.table = "FILEITEMS";
    files.menuName = "File";
    files.fields = {{.name = "EdtFn", .type = 'C', .length = 200, .title = true}};
    const auto folder = MakeTempFolder("files");
    const auto path = CatalogueBuilder(folder / "files.ctg").Number(5).DataFile(files).Build();
    CCatalogueDb fileCatalogue(path);
    std::ofstream(folder / "coin.jpg") << "jpeg";
    std::filesystem::create_directory(folder / "other");

    struct Case
    {
        std::string typed;
        std::filesystem::path expected;
    };
    const Case cases[] = {{"obverse", folder / "obverse.jpg"},
                          {(folder / "other" / "reverse.png").string(), folder / "other" / "reverse.png"}};
    for (const Case& c : cases) {
        const CNodeRef item =
            AddRecord(fileCatalogue, node_kind::kFileItems, 0, {{"EdtFn", (folder / "coin.jpg").string()}});
        CFolderRecordNode node(item);
        // A file item is edited by the list's own label editing.
        RecordingListPane list;
        EXPECT_TRUE(node.BeginInPlaceEdit(&list, {5, 5}));
        ASSERT_TRUE(node.Rename(c.typed)) << c.typed;
        EXPECT_TRUE(std::filesystem::exists(c.expected));
        CItemSet stored(&fileCatalogue);
        stored.AddRecordByKey(item);
        stored.MoveFirst();
        EXPECT_EQ(stored.GetFieldTextByName("EdtFn"), c.expected.string());
    }

    // A copy that fails keeps the old path, so the record does not name a file that is not there.
    const CNodeRef lost =
        AddRecord(fileCatalogue, node_kind::kFileItems, 0, {{"EdtFn", (folder / "gone.jpg").string()}});
    CFileRecordNode node(lost);
    Dialogs().Clear();
    EXPECT_FALSE(node.Rename("found"));
    EXPECT_EQ(Dialogs().messages.size(), 1u);
    CItemSet stored(&fileCatalogue);
    stored.AddRecordByKey(lost);
    stored.MoveFirst();
    EXPECT_EQ(stored.GetFieldTextByName("EdtFn"), (folder / "gone.jpg").string());

    // Other records are not renamed by file.
    EXPECT_FALSE(CFolderRecordNode(Franc()).Rename("Sou"));
}

TEST_F(RecordNodesTest, OtherRowsRenameTheirRecordNotTheDataFile)
{
    CQueryRecordNode node(Franc());
    ASSERT_TRUE(node.Rename("Sou 1962"));
    EXPECT_EQ(node.GetName(), "Sou 1962");
    EXPECT_EQ(StoredFrancField("NAME"), "Sou");
    EXPECT_EQ(catalogue->FindDefinition(1)->GetMenuName(), "Coin");
}

TEST_F(RecordNodesTest, AddNewRowIsNeverDeletedAndOpensANewRecordInItsFolder)
{
    CAddNewNode node(Franc());
    EXPECT_EQ(node.GetPageTemplate(), "addNew.htm");
    EXPECT_EQ(node.Delete(nullptr, false), kDeleteRefused);
    node.OpenEntryById(1, nullptr);
    ASSERT_EQ(form.opened.size(), 1u);
    CNodeRef opened;
    opened.SetFromCode(form.opened[0], catalogue.get());
    EXPECT_EQ(opened.GetKind(), 1);
}

TEST_F(RecordNodesTest, WastebasketRowsRefuseDeletingWithAMessageUnlessQuiet)
{
    CWastebasketRecordNode node(Franc());
    EXPECT_EQ(node.Delete(nullptr, false), kDeleteRefused);
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text, "You can not delete a deleted item; use Empty Recycle Bin");
    EXPECT_EQ(node.Delete(nullptr, true), kDeleteRefused);
    EXPECT_EQ(Dialogs().messages.size(), 1u);
}

namespace {

// A deleted record stays in its table, marked DELETED: read it by its key whatever its mark.
bool IsInWastebasket(CCatalogueDb& catalogue, const CNodeRef& key)
{
    CItemSet basket = CItemSet::Query(&catalogue, key.GetKind(), nullptr, true);
    return basket.ContainsKeyCode(key.GetCode());
}

} // namespace

TEST_F(RecordNodesTest, DeletingARowAsksOnceAndSendsTheRecordToTheWastebasket)
{
    struct Case
    {
        std::string name;
        std::function<std::unique_ptr<CRecordNode>(const CNodeRef&)> make;
        int answer;
        bool quiet;
        int result;
        std::string question;
    };
    const std::string recycle = "Are you sure you want to send Franc 1960 to the Recycle Bin ?";
    const Case cases[] = {
        {"Record", Maker<CRecordNode>(), platform::ui::kIdYes, false, kDeleteDone, recycle},
        {"FolderRecord", Maker<CFolderRecordNode>(), platform::ui::kIdYesToAll, false, kDeleteDoneYesToAll,
         recycle},
        {"FolderRecordNo", Maker<CFolderRecordNode>(), platform::ui::kIdNo, false, kDeleteRefused, recycle},
        {"SummaryTableRecord", Maker<CSummaryTableRecordNode>(), platform::ui::kIdYes, false, kDeleteDone,
         recycle},
        {"QueryRecordQuiet", Maker<CQueryRecordNode>(), 0, true, kDeleteDoneYesToAll, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        made = MakeTypicalCatalogue(MakeTempFolder("delete-" + c.name));
        Open();
        Dialogs().Clear();
        if (c.answer != 0) {
            Dialogs().answers.push_back(c.answer);
        }
        std::unique_ptr<CRecordNode> node = c.make(Franc());
        EXPECT_EQ(node->Delete(nullptr, c.quiet), c.result);
        ASSERT_EQ(Dialogs().messages.size(), c.question.empty() ? 0u : 1u);
        if (!c.question.empty()) {
            EXPECT_EQ(Dialogs().messages[0].text, c.question);
        }
        Open();
        EXPECT_EQ(IsLiveRecord(*catalogue, Franc()), c.result == kDeleteRefused);
        EXPECT_EQ(IsInWastebasket(*catalogue, Franc()), c.result != kDeleteRefused);
    }
}

TEST_F(RecordNodesTest, DeleteFromListWithYesTakesTheSubRecordsAlong)
{
    const CNodeRef thaler = made.thaler.In(*catalogue);
    const CNodeRef dealer = made.dealer.In(*catalogue);
    CFolderRecordNode node(thaler);
    EXPECT_EQ(node.DeleteFromList(0, nullptr), kDeleteDone);
    EXPECT_TRUE(IsLiveRecord(*catalogue, dealer)) << "without Yes the dealer stays";
    node.RestoreFromWastebasket();
    EXPECT_EQ(node.DeleteFromList(platform::ui::kIdYes, nullptr), kDeleteDone);
    EXPECT_FALSE(IsLiveRecord(*catalogue, thaler));
    EXPECT_FALSE(IsLiveRecord(*catalogue, dealer));
    // Neither a deleted record nor the add-new row is deleted from a list.
    EXPECT_EQ(CWastebasketRecordNode(Franc()).DeleteFromList(platform::ui::kIdYes, nullptr), kDeleteRefused);
    EXPECT_EQ(CAddNewNode(Franc()).DeleteFromList(0, nullptr), kDeleteRefused);
    EXPECT_TRUE(IsLiveRecord(*catalogue, Franc()));
}

TEST_F(RecordNodesTest, RestoringFromTheWastebasketBringsBackTheNotesAndFilesToo)
{
    const CNodeRef mark = made.mark.In(*catalogue);
    CRecord written(catalogue.get());
    written.SetKey(node_kind::kNotes, 0);
    written.SetFieldText(0, "Attached");
    ASSERT_TRUE(written.Save(0, false));
    const CNodeRef note = written.GetKey();
    AddLink(*catalogue, mark, note);
    ASSERT_EQ(CFolderRecordNode(mark).Delete(nullptr, true), kDeleteDoneYesToAll);
    EXPECT_FALSE(IsLiveRecord(*catalogue, note)) << "the note went with its record";

    // Later, in a catalogue opened again, from the wastebasket's row.
    Open();
    CItemSet basket = CItemSet::Query(catalogue.get(), 1, nullptr, true);
    ASSERT_TRUE(basket.MoveFirst());
    CWastebasketRecordNode row(basket);
    ASSERT_EQ(row.GetName(), "Mark 1950");
    ASSERT_TRUE(row.RestoreFromWastebasket());
    Open();
    EXPECT_TRUE(IsLiveRecord(*catalogue, made.mark.In(*catalogue)));
    CNodeRef noteAgain;
    noteAgain.Set(note.GetKind(), note.GetNumber(), catalogue.get());
    EXPECT_TRUE(IsLiveRecord(*catalogue, noteAgain));
    CItemSet back = CItemSet::Query(catalogue.get(), 1, catalogue->FindFolder(made.germany), false);
    EXPECT_TRUE(back.ContainsKeyCode(made.mark.In(*catalogue).GetCode())) << "back in its folder";
    const CNodeRef markAgain = made.mark.In(*catalogue);
    EXPECT_EQ(CItemSet::Children(catalogue.get(), &markAgain, node_kind::kNotes).GetCount(), 1u)
        << "still linked with its note";
}

TEST_F(RecordNodesTest, RemovingAFileRowUnlinksItAndDeletesItOnlyWhenNothingElseHoldsIt)
{
    const CNodeRef thaler = made.thaler.In(*catalogue);
    const CNodeRef dealer = made.dealer.In(*catalogue);
    const CNodeRef mark = made.mark.In(*catalogue);
    // The records linked with the thaler, as a temporary result; the dealer is linked with the mark too.
    AddLink(*catalogue, mark, dealer);
    CBaseItemNode root;
    auto* linked = CTreeNode::AppendNode<CFileSetNode>(
        root, std::make_unique<CItemSet>(CItemSet::Children(catalogue.get(), &thaler, kLinkMenuKinds)));
    ASSERT_TRUE(linked->GetItemSet()->MoveFirst());
    ASSERT_EQ(linked->GetItemSet()->GetCurrentName(), "Numismatik Berlin");
    auto* row = CTreeNode::AppendNode<CFileRecordNode>(*linked, *linked->GetItemSet());
    Dialogs().answers.push_back(platform::ui::kIdYes);
    EXPECT_EQ(row->Delete(nullptr, false), kDeleteDone);
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(
        Dialogs().messages[0].text,
        "Are you sure you want to remove Numismatik Berlin from the current folder?\nNote if this is the "
        "last reference the item itself will be removed");
    EXPECT_EQ(linked->GetItemSet()->GetCount(), 0u);
    EXPECT_TRUE(IsLiveRecord(*catalogue, dealer)) << "the mark still holds it";

    // From the mark's list it goes for good: nothing holds it any more.
    auto* markLinks = CTreeNode::AppendNode<CFileSetNode>(
        root, std::make_unique<CItemSet>(CItemSet::Children(catalogue.get(), &mark, kLinkMenuKinds)));
    ASSERT_TRUE(markLinks->GetItemSet()->MoveToKind(3));
    auto* last = CTreeNode::AppendNode<CFileRecordNode>(*markLinks, *markLinks->GetItemSet());
    EXPECT_EQ(last->DeleteFromList(0, nullptr), kDeleteDone);
    EXPECT_FALSE(IsLiveRecord(*catalogue, dealer));
    EXPECT_TRUE(IsLiveRecord(*catalogue, mark));
}

TEST_F(RecordNodesTest, ARecordsChildrenAreItsSubRecords)
{
    CFolderRecordNode thaler(made.thaler.In(*catalogue));
    thaler.BuildChildren();
    std::vector<std::string> names;
    for (CTreeNode* child = thaler.GetFirstChildNode(); child != nullptr;
         child = child->GetNextSiblingNode()) {
        EXPECT_EQ(typeid(*child), typeid(CRecordNode));
        names.push_back(child->GetName());
    }
    EXPECT_EQ(names, std::vector<std::string>{"Numismatik Berlin"});
    thaler.BuildChildren();
    EXPECT_EQ(thaler.GetFirstChildNode()->GetNextSiblingNode(), nullptr) << "built once";
    CFolderRecordNode franc(Franc());
    franc.BuildChildren();
    EXPECT_EQ(franc.GetFirstChildNode(), nullptr);
}

TEST_F(RecordNodesTest, ItemListRowsAndTablesOpenANewRecordOnlyWithARecordForm)
{
    CItemListRecordNode row(made.thaler.In(*catalogue));
    row.OpenEntryById(1, nullptr);
    CTableNode tables(*catalogue);
    tables.OpenEntryById(2, nullptr);
    ASSERT_EQ(form.opened.size(), 2u);
    CNodeRef opened;
    opened.SetFromCode(form.opened[0], catalogue.get());
    EXPECT_EQ(opened.GetKind(), 1);
    opened.SetFromCode(form.opened[1], catalogue.get());
    EXPECT_EQ(opened.GetKind(), 2);
    EXPECT_EQ(tables.GetFirstChildNode()->GetFirstChildNode(), nullptr) << "the new row does not stay";

    SetRecordForm(nullptr);
    row.OpenEntryById(1, nullptr);
    tables.OpenEntryById(2, nullptr);
    EXPECT_EQ(form.opened.size(), 2u);
}
