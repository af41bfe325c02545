// The row nodes of the lists: what each of the nine classes makes, deletes, opens and edits, renaming
// file items, and the strip of field editors as the model sees it (which editors, what a save writes).

#include "tree/records/RecordNodes.h"
#include "platform/dao/DaoWorkspace.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "store/regional/RegionalSettings.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestNames.h"
#include "tests/tree/RecordingListPane.h"
#include "tree/base/ImageKinds.h"
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
