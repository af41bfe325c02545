// What the property sheets write and refuse (password, description, view-only, a query's name and
// comment, a file item's path), read back after the catalogue is opened again; which nodes have a
// sheet; and opening a file item through the desktop's opener with the two messages when it cannot.

#include "tree/properties/NodeSheets.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Settings.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/tree/TestCatalogueNode.h"
#include "tree/base/BaseItemNode.h"
#include "tree/base/ImageKinds.h"
#include "tree/catalogue/CatalogueNode.h"
#include "tree/properties/CatalogueProperties.h"
#include "tree/queries/QueryNodes.h"
#include "tree/records/RecordNodes.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using namespace lumarc::test;

// The sheets as the nodes reach them: they remember which was asked for.
class RecordingSheets : public CNodeSheets
{
public:
    RecordingSheets() { SetNodeSheets(this); }
    ~RecordingSheets() override { SetNodeSheets(nullptr); }
    bool ShowCatalogueSheet(CCatalogueNode& /*node*/, CNodeFrame* /*frame*/, int /*page*/) override
    {
        shown.push_back("catalogue");
        return true;
    }
    bool ShowQuerySheet(CQueryNode& /*node*/, CNodeFrame* /*frame*/) override
    {
        shown.push_back("query");
        return true;
    }
    bool ShowFileSheet(CRecordNode& /*node*/, CNodeFrame* /*frame*/) override
    {
        shown.push_back("file");
        return true;
    }
    std::vector<std::string> shown;
};

class FakeLauncher : public CDocumentLauncher
{
public:
    FakeLauncher() { SetDocumentLauncher(this); }
    ~FakeLauncher() override { SetDocumentLauncher(nullptr); }
    Result OpenDocument(const std::string& path) override
    {
        opened.push_back(path);
        return result;
    }
    Result result = Result::Opened;
    std::vector<std::string> opened;
};

DataFileSpec FileItems()
{
    DataFileSpec files;
    files.number = node_kind::kFileItems;
    files.table = "FILEITEMS";
    files.menuName = "File";
    files.fields = {{.name = "EdtFn", .type = 'C', .length = 200, .title = true}};
    return files;
}

} // namespace

TEST(CatalogueSheetTest, PasswordPageChecksOldNewAndConfirmationBeforeItChangesThePassword)
{
    const auto path = MakeTypicalCatalogue(MakeTempFolder("password"), "secret").path;
    CCatalogueDb catalogue(path);
    ASSERT_TRUE(catalogue.Open("secret"));
    SetSettingString(catalogue.GetName(), "secret");
    using catalogue_sheet::PasswordEntry;
    struct Step
    {
        const char* name;
        PasswordEntry entry;
        unsigned refusal;
        std::string passwordAfter;
    };
    const std::string fourteen(14, 'k');
    const Step steps[] = {
        {"wrong old password", {true, "Secret", "new", "new"}, 20560, "secret"},
        {"confirmation differs", {true, "secret", "new", "nwe"}, 20561, "secret"},
        {"fifteen characters", {true, "secret", fourteen + "x", fourteen + "x"}, 346, "secret"},
        {"fourteen characters", {true, "secret", fourteen, fourteen}, 0, fourteen},
        {"clearing with a wrong old password", {false, "secret", "", ""}, 20560, fourteen},
        {"clearing", {false, fourteen, "", ""}, 0, ""},
        {"a first password needs no old one", {true, "", "coins", "coins"}, 0, "coins"},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(catalogue_sheet::ApplyPassword(catalogue, step.entry), step.refusal) << step.name;
        EXPECT_EQ(catalogue.GetPassword(), step.passwordAfter) << step.name;
        if (step.name == std::string("clearing")) {
            EXPECT_EQ(GetSettingString(catalogue.GetName(), "x"), "")
                << "the remembered password is forgotten";
        }
    }
    catalogue.Close();
    CCatalogueDb reopened(path);
    EXPECT_TRUE(reopened.IsPasswordProtected());
    EXPECT_FALSE(reopened.Open("secret"));
    EXPECT_TRUE(reopened.Open("coins"));
}

TEST(CatalogueSheetTest, DescriptionAndViewOnlyAreThereAfterAReopen)
{
    const auto path = MakeTypicalCatalogue(MakeTempFolder("description")).path;
    {
        CCatalogueDb catalogue(path);
        EXPECT_EQ(catalogue_sheet::ApplyDescription(catalogue, "Coins of <b>Europe</b>"), 0u);
        Dialogs().Clear();
        EXPECT_TRUE(catalogue_sheet::ApplyViewOnly(catalogue, true));
        ASSERT_EQ(Dialogs().messages.size(), 1u);
        EXPECT_EQ(Dialogs().messages[0].caption, "Information");
        EXPECT_NE(Dialogs().messages[0].text.find("CAN NOT be modified"), std::string::npos);
    }
    CCatalogueDb catalogue(path);
    EXPECT_EQ(catalogue.GetComment(), "Coins of <b>Europe</b>");
    EXPECT_TRUE(catalogue.IsViewOnly());
    // The choice cannot be taken back.
    EXPECT_FALSE(catalogue_sheet::ApplyViewOnly(catalogue, false));
    EXPECT_TRUE(catalogue.IsViewOnly());
}

TEST(QuerySheetTest, AnEmptyNameIsRefusedAndANewNameAndCommentPersist)
{
    const auto made = MakeTypicalCatalogue(MakeTempFolder("query"));
    {
        CCatalogueDb catalogue(made.path);
        CBaseItemNode root;
        auto* top = CTreeNode::AppendNode<TestCatalogueNode>(root, catalogue);
        top->PopulateChildren(nullptr);
        top->FindByNodePath("Europe")->PopulateChildren(nullptr);
        auto* query = dynamic_cast<CQueryNode*>(top->FindByNodePath("Europe^Old coins"));
        ASSERT_NE(query, nullptr);
        EXPECT_EQ(query_sheet::Apply(*query, "", "ignored"), "Folder name required");
        EXPECT_EQ(query_sheet::Apply(*query, "old COINS", "case only"), "");
        EXPECT_EQ(query->GetName(), "old COINS");
        ASSERT_TRUE(catalogue.WriteQuery("Taken", "", made.europe));
        EXPECT_EQ(query_sheet::Apply(*query, "taken", ""), "A query named \"taken\" exists already.");
        EXPECT_EQ(query->GetName(), "old COINS");
        EXPECT_EQ(query_sheet::Apply(*query, "Ancient coins", "before 1900"), "");
        EXPECT_EQ(query->GetName(), "Ancient coins");
    }
    CCatalogueDb catalogue(made.path);
    CBaseItemNode root;
    auto* top = CTreeNode::AppendNode<TestCatalogueNode>(root, catalogue);
    top->PopulateChildren(nullptr);
    top->FindByNodePath("Europe")->PopulateChildren(nullptr);
    EXPECT_EQ(top->FindByNodePath("Europe^Old coins"), nullptr);
    auto* query = dynamic_cast<CQueryNode*>(top->FindByNodePath("Europe^Ancient coins"));
    ASSERT_NE(query, nullptr);
    EXPECT_EQ(query_sheet::CommentOf(*query), "before 1900");
    std::string contents;
    EXPECT_TRUE(catalogue.ReadQuery("Ancient coins", contents));
    EXPECT_FALSE(contents.empty()) << "the query keeps its definition";
}

TEST(FileSheetTest, ANewPathCopiesTheFileAndOneThatCannotBeWrittenKeepsTheOld)
{
    const auto folder = MakeTempFolder("filesheet");
    const auto path = CatalogueBuilder(folder / "files.ctg").Number(5).DataFile(FileItems()).Build();
    CCatalogueDb catalogue(path);
    std::ofstream(folder / "coin.jpg") << "jpeg";
    const CNodeRef item =
        AddRecord(catalogue, node_kind::kFileItems, 0, {{"EdtFn", (folder / "coin.jpg").string()}});
    CFileRecordNode node(item);
    EXPECT_EQ(file_sheet::ApplyPath(node, (folder / "missing" / "coin.jpg").string()),
              file_sheet::kCannotMove);
    EXPECT_EQ(file_sheet::PathOf(node), (folder / "coin.jpg").string());
    EXPECT_EQ(file_sheet::ApplyPath(node, (folder / "obverse.jpg").string()), 0u);
    EXPECT_TRUE(std::filesystem::exists(folder / "obverse.jpg"));
    CItemSet stored(&catalogue);
    stored.AddRecordByKey(item);
    stored.MoveFirst();
    EXPECT_EQ(stored.GetFieldTextByName("EdtFn"), (folder / "obverse.jpg").string());
}

TEST(NodeSheetsTest, OnlyTheCatalogueStoredQueriesAndFileItemsHaveSheets)
{
    const auto folder = MakeTempFolder("which");
    const auto path = CatalogueBuilder(folder / "files.ctg").Number(5).DataFile(FileItems()).Build();
    CBaseItemNode root;
    auto* catalogueNode = CTreeNode::AppendNode<CCatalogueNode>(root, path);
    CCatalogueDb& catalogue = *catalogueNode->GetCatalogue();
    const CNodeRef item = AddRecord(catalogue, node_kind::kFileItems, 0, {{"EdtFn", "/tmp/a.txt"}});
    CFileRecordNode file(item);
    EXPECT_FALSE(catalogueNode->ShowProperties(nullptr, 0)) << "no sheet while none is installed";

    RecordingSheets sheets;
    CItemSet results(&catalogue);
    CQueryNode temporary(results);
    CItemSet set(&catalogue);
    set.AddRecordByKey(item);
    set.MoveFirst();
    CAddNewNode addNew(set);
    EXPECT_TRUE(catalogueNode->ShowProperties(nullptr, 0));
    EXPECT_TRUE(file.ShowProperties(nullptr, 0));
    EXPECT_FALSE(temporary.ShowProperties(nullptr, 0)) << "a temporary result has no stored row";
    EXPECT_FALSE(addNew.ShowProperties(nullptr, 0));
    EXPECT_FALSE(root.ShowProperties(nullptr, 0));
    EXPECT_EQ(sheets.shown, (std::vector<std::string>{"catalogue", "file"}));
}

TEST(NodeSheetsTest, AFileItemOpensInTheDesktopsProgramOrSaysWhyNot)
{
    const auto folder = MakeTempFolder("open");
    const auto path = CatalogueBuilder(folder / "files.ctg").Number(5).DataFile(FileItems()).Build();
    CCatalogueDb catalogue(path);
    const std::string file = (folder / "coin.xyz").string();
    CFileRecordNode node(AddRecord(catalogue, node_kind::kFileItems, 0, {{"EdtFn", file + "   "}}));
    EXPECT_FALSE(node.Open(nullptr)) << "nothing opens without the desktop's opener";

    FakeLauncher launcher;
    struct Case
    {
        const char* name;
        CDocumentLauncher::Result result;
        bool opened;
        std::string message;
    };
    const Case cases[] = {
        {"opened", CDocumentLauncher::Result::Opened, true, ""},
        {"no association", CDocumentLauncher::Result::NoAssociation, false,
         "No file type asociated with " + file},
        {"failed", CDocumentLauncher::Result::Failed, false, "Unable to open the file " + file},
    };
    for (const Case& c : cases) {
        Dialogs().Clear();
        launcher.opened.clear();
        launcher.result = c.result;
        EXPECT_EQ(node.Open(nullptr), c.opened) << c.name;
        EXPECT_EQ(launcher.opened, std::vector<std::string>{file}) << c.name << ": trailing blanks are cut";
        if (c.message.empty()) {
            EXPECT_TRUE(Dialogs().messages.empty()) << c.name;
        } else {
            ASSERT_EQ(Dialogs().messages.size(), 1u) << c.name;
            EXPECT_EQ(Dialogs().messages[0].text, c.message);
            EXPECT_EQ(Dialogs().messages[0].caption, "Error");
        }
    }
}
