#include "mainwindow/dialogs/CatalogueChooser.h"
#include "mainwindow/dialogs/ManageWebViewsDlg.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/markup/MarkupNode.h"
#include "store/program/Settings.h"
#include "tests/mainwindow/dialogs/DialogDriver.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tree/base/TreeNode.h"

#include "tests/mainwindow/dialogs/FakeCatalogueNode.h"

#include <gtest/gtest.h>
#include <wx/frame.h>

using namespace lumarc::test;

namespace {

// Stands in for the output subsystem's designer: answers as told and marks the layout it designed.
class FakeDesigner : public CWebViewDesigner
{
public:
    bool Design(wxWindow*, CTreeNode*, CCatalogueDb&, std::string_view viewName, CMarkupNode& layout) override
    {
        designed.emplace_back(viewName);
        if (answer) {
            layout.SetAttribute("designed", "yes");
        }
        return answer;
    }
    bool answer = true;
    std::vector<std::string> designed;
};

void AddView(CMarkupNode& templates, const char* name, const char* dataName,
             const char* type = "webDefinition")
{
    auto view = std::make_unique<CMarkupNode>(name, type);
    view->SetAttribute("DataName", dataName);
    view->SetAttribute("layoutType", "HTML");
    templates.AddChild(std::move(view));
}

class WebViewsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs().Clear();
        m_typical = MakeTypicalCatalogue(MakeTempFolder("views"));
        m_catalogue = std::make_unique<CCatalogueDb>(m_typical.path);
        CMarkupNode* templates = m_catalogue->GetWebTemplates();
        ASSERT_NE(templates, nullptr);
        AddView(*templates, "Gallery", "1");
        AddView(*templates, "Summary page", "1", "summary");
        AddView(*templates, "Addresses", "3");
        AddView(*templates, "GALLERY", "1");
        AddView(*templates, "Plain", "1");
        m_catalogue->SaveWebTemplates();
        m_frame = new wxFrame(nullptr, wxID_ANY, "owner", wxPoint(50, 50), wxSize(600, 400)); // owned by wx
        m_frame->Show();
    }
    void TearDown() override
    {
        SetWebViewDesigner(nullptr);
        m_frame->Destroy();
        wxTheApp->ProcessPendingEvents();
    }

    // The views of data file 1 as a catalogue opened afresh reads them.
    std::vector<std::string> StoredViews()
    {
        m_catalogue.reset();
        m_catalogue = std::make_unique<CCatalogueDb>(m_typical.path);
        return ListWebViews(m_catalogue->GetWebTemplates(), 1);
    }

    void Run(std::function<void(wxDialog&)> act)
    {
        WhenShown(std::move(act));
        CManageWebViewsDlg dialog(m_frame, *m_catalogue, 1, nullptr);
        dialog.ShowModal();
    }

    TypicalCatalogue m_typical;
    std::unique_ptr<CCatalogueDb> m_catalogue;
    wxFrame* m_frame = nullptr;
};

} // namespace

TEST_F(WebViewsTest, ListsTheDataFilesHtmlViewsButNotTheSummary)
{
    const auto views = ListWebViews(m_catalogue->GetWebTemplates(), 1);
    EXPECT_EQ(views, (std::vector<std::string>{"Gallery", "GALLERY", "Plain"}));
    bool newEnabled = true;
    Run([&](wxDialog& dialog) {
        EXPECT_EQ(Entries(dialog, 1009),
                  wxArrayString(3, std::array<wxString, 3>{"Gallery", "GALLERY", "Plain"}.data()));
        newEnabled = dialog.FindWindow(1022)->IsEnabled() || dialog.FindWindow(1021)->IsEnabled();
        Screenshot(dialog, "manage-web-views");
        dialog.EndModal(wxID_OK);
    });
    EXPECT_FALSE(newEnabled) << "New and Edit need a designer";
}

TEST_F(WebViewsTest, RenameAndDeleteActOnTheFirstViewOfThatName)
{
    Run([](wxDialog& dialog) {
        Choose(dialog, 1009, "GALLERY");
        WhenShown([](wxDialog& name) {
            Type(name, 1014, "Coins in hand");
            Click(name, wxID_OK);
        });
        Click(dialog, 1013);
        dialog.EndModal(wxID_OK);
    });
    // Names compare without regard to case: the first "gallery" in tree order was renamed.
    EXPECT_EQ(StoredViews(), (std::vector<std::string>{"Coins in hand", "GALLERY", "Plain"}));

    Dialogs().answers = {platform::ui::kIdNo};
    Run([](wxDialog& dialog) {
        Choose(dialog, 1009, "Plain");
        Click(dialog, 1012);
        dialog.EndModal(wxID_OK);
    });
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text, "Are you sure you want to delete the web template?");
    EXPECT_EQ(Dialogs().messages[0].caption, "Do you want to?");
    EXPECT_EQ(StoredViews().size(), 3u);

    Run([](wxDialog& dialog) {
        Choose(dialog, 1009, "GALLERY");
        Click(dialog, 1012);
        EXPECT_EQ(Entries(dialog, 1009).size(), 2u);
        dialog.EndModal(wxID_OK);
    });
    EXPECT_EQ(StoredViews(), (std::vector<std::string>{"Coins in hand", "Plain"}));
}

TEST_F(WebViewsTest, CommandsWithoutSelectionSaySo)
{
    FakeDesigner designer;
    SetWebViewDesigner(&designer);
    Run([](wxDialog& dialog) {
        for (int button : {1021, 1013, 1012}) {
            Click(dialog, button);
        }
        dialog.EndModal(wxID_OK);
    });
    ASSERT_EQ(Dialogs().messages.size(), 3u);
    for (const auto& message : Dialogs().messages) {
        EXPECT_EQ(message.text, "Select at least one item in the list");
        EXPECT_EQ(message.caption, "");
    }
    EXPECT_TRUE(designer.designed.empty());
}

TEST_F(WebViewsTest, NewAddsANamedViewOnlyWhenTheDesignerSaysOk)
{
    FakeDesigner designer;
    SetWebViewDesigner(&designer);
    designer.answer = false;
    Run([](wxDialog& dialog) {
        Click(dialog, 1022);
        dialog.EndModal(wxID_OK);
    });
    EXPECT_EQ(StoredViews().size(), 3u);

    designer.answer = true;
    Run([](wxDialog& dialog) {
        WhenShown([](wxDialog& name) {
            Type(name, 1014, "Market");
            Click(name, wxID_OK);
        });
        Click(dialog, 1022);
        EXPECT_EQ(Entries(dialog, 1009).Last(), "Market");
        Choose(dialog, 1009, "Plain");
        Click(dialog, 1021);
        dialog.EndModal(wxID_OK);
    });
    EXPECT_EQ(designer.designed, (std::vector<std::string>{"newOne", "newOne", "Plain"}));
    EXPECT_EQ(StoredViews(), (std::vector<std::string>{"Gallery", "GALLERY", "Plain", "Market"}));
    CMarkupNode* market = FindWebView(m_catalogue->GetWebTemplates(), 1, "market");
    ASSERT_NE(market, nullptr);
    EXPECT_EQ(market->GetAttribute("designed"), "yes");
    EXPECT_EQ(FindWebView(m_catalogue->GetWebTemplates(), 1, "Plain")->GetAttribute("designed"), "yes");
}

TEST_F(WebViewsTest, ChooserListsCataloguesAndBackupThenRestoreGivesTheDataBack)
{
    SetBackupDir(MakeTempFolder("bck").string());
    CCatalogueDb other(CatalogueBuilder(MakeTempFolder("other") / "other.ctg").Build());
    CTreeNode root("root", 0, 0);
    CTreeNode::AppendNode<FakeCatalogueNode>(root, "Coins", *m_catalogue);
    CTreeNode::AppendNode<CTreeNode>(root, "Not a catalogue", 0, 0);
    CTreeNode::AppendNode<FakeCatalogueNode>(root, "Other", other);

    WhenShown([](wxDialog& dialog) {
        EXPECT_EQ(Entries(dialog, 1014), wxArrayString(2, std::array<wxString, 2>{"Coins", "Other"}.data()));
        Screenshot(dialog, "choose-catalogue");
        Click(dialog, wxID_OK); // nothing chosen: it stays
        EXPECT_TRUE(dialog.IsModal());
        dialog.EndModal(wxID_CANCEL);
    });
    EXPECT_EQ(ChooseCatalogue(m_frame, &root), nullptr);
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text, "No template selected; Select One");
    EXPECT_EQ(Dialogs().messages[0].caption, "Information");

    const std::string name = m_catalogue->GetName();
    WhenShown([](wxDialog& dialog) {
        Choose(dialog, 1014, "Coins");
        Click(dialog, wxID_OK);
    });
    ASSERT_TRUE(BackupChosenCatalogue(m_frame, &root));
    m_catalogue->SetName("Changed after the backup");
    m_catalogue->SaveSettings();
    CMarkupNode* templates = m_catalogue->GetWebTemplates();
    templates->DetachChild(templates->GetFirstChild());
    m_catalogue->SaveWebTemplates();

    WhenShown([](wxDialog& dialog) {
        Choose(dialog, 1014, "Coins");
        Click(dialog, wxID_OK);
    });
    ASSERT_TRUE(RestoreChosenCatalogue(m_frame, &root));
    EXPECT_EQ(m_catalogue->GetName(), name);
    EXPECT_EQ(ListWebViews(m_catalogue->GetWebTemplates(), 1),
              (std::vector<std::string>{"Gallery", "GALLERY", "Plain"}));
}
