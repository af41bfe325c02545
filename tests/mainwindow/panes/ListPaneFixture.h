#pragma once
// The content list's window tests on the typical catalogue: a bare frame holding the list, a fake main
// frame and record window, and the record form as its two lists see it.

#include "mainwindow/menus/BCMenu.h"
#include "mainwindow/panes/list/CorvantView.h"
#include "mainwindow/panes/list/FormListHost.h"
#include "mainwindow/panes/list/FormLists.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Settings.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/FakePaneFrame.h"
#include "tests/support/TestEnvironment.h"
#include "tests/tree/RecordingListPane.h"
#include "tests/tree/TestCatalogueNode.h"
#include "tree/base/AreaFileNode.h"
#include "tree/base/BaseItemNode.h"
#include "tree/base/NodeInterfaces.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/menu.h>

#include <memory>
#include <string>
#include <vector>

namespace lumarc::test {

// The record window's opener of new records, recording what it was asked to open.
class RecordingOpener : public CRecordFormOpener
{
public:
    void OpenNewRecord(CItemSet newRecord, CTreeNode& container, CNodeFrame* /*frame*/) override
    {
        opened.emplace_back(newRecord.GetCurrentKind(), &container);
    }
    std::vector<std::pair<int, CTreeNode*>> opened;
};

class CorvantViewTest : public testing::Test
{
protected:
    void SetUp() override
    {
        SetSettingString("ListIs", "REPORT");
        made = MakeTypicalCatalogue(MakeTempFolder("list"));
        catalogue = std::make_unique<CCatalogueDb>(made.path);
        ASSERT_TRUE(catalogue->IsOpen());
        catalogueNode = CTreeNode::AppendNode<TestCatalogueNode>(root, *catalogue);
        catalogueNode->PopulateChildren(nullptr);
        for (CTreeNode* node = catalogueNode; node != nullptr; node = NextTreeNode(node, catalogueNode)) {
            node->PopulateChildren(nullptr);
        }
        window = new wxFrame(nullptr, wxID_ANY, "list", wxPoint(0, 0), wxSize(760, 300)); // owned by wx
        view = new CCorvantView(window, frame);
        window->Show();
        SetRecordForm(&form);
        SetRecordFormOpener(&opener);
        Dialogs().Clear();
    }
    void TearDown() override
    {
        SetRecordForm(nullptr);
        SetRecordFormOpener(nullptr);
        window->Destroy();
        wxYield();
        root.DetachAllChildren();
        catalogue.reset();
    }

    CTreeNode* Find(const std::string& path) { return catalogueNode->FindByNodePath(path); }

    // More coins in Germany, beside the mark: names out of order.
    void AddGermanCoins()
    {
        for (const char* name : {"Pfennig", "Groschen", "Taler"}) {
            AddRecord(*catalogue, 1, made.germany, {{"NAME", name}, {"YEAR", "1871"}});
        }
    }

    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        for (long row = 0; row < view->GetRowCount(); ++row) {
            if (!view->IsAddRow(row)) {
                names.push_back(view->CellText(row, 0));
            }
        }
        return names;
    }

    // The names of the record rows, the adding row left out.
    std::vector<std::string> RecordNames()
    {
        std::vector<std::string> names;
        for (long row = 0; row < view->GetRowCount(); ++row) {
            if (!view->IsAddRow(row) && view->MoveToRecordRow(row)) {
                names.push_back(view->CellText(row, 0));
            }
        }
        return names;
    }

    CBaseItemNode root;
    FakePaneFrame frame{root};
    RecordingRecordForm form;
    RecordingOpener opener;
    TypicalCatalogue made;
    std::unique_ptr<CCatalogueDb> catalogue;
    CTreeNode* catalogueNode = nullptr;
    wxFrame* window = nullptr;
    CCorvantView* view = nullptr;
};

// The record form as its lists see it, recording what they ask of it.
class FakeFormHost : public CFormListHost
{
public:
    CNodeRef GetFormRecordKey() override { return formKey; }
    void LoadItems(const std::vector<CTreeNode*>& elements) override { loaded = elements; }
    bool SaveControls() override
    {
        calls.push_back("save");
        return true;
    }
    void FillControls() override { calls.push_back("fill"); }
    void AddToMyCatalog() override { calls.push_back("my catalog"); }
    bool AskAddToWantList() override { return wantListAnswer; }
    void RequestRefresh() override { ++refreshes; }
    void ShowToolsMenu(int /*x*/, int /*y*/) override { calls.push_back("tools"); }
    bool AddLinkedItem(int dataFile, bool onlyAsk) override
    {
        if (!onlyAsk && canAdd) {
            calls.push_back("add " + std::to_string(dataFile));
        }
        return canAdd;
    }
    bool AddLinkedFile(bool onlyAsk) override
    {
        if (!onlyAsk && canAdd) {
            calls.push_back("add file");
        }
        return canAdd;
    }

    CNodeRef formKey;
    std::vector<CTreeNode*> loaded;
    std::vector<std::string> calls;
    bool wantListAnswer = true;
    // Whether the form can add linked items (a record window does; none is installed here).
    bool canAdd = false;
    int refreshes = 0;
};

class FormListsTest : public CorvantViewTest
{
protected:
    void SetUp() override
    {
        CorvantViewTest::SetUp();
        host.formKey = made.germanyCountry.In(*catalogue);
    }
    void TearDown() override
    {
        linkedNode.reset();
        linkedSet.reset();
        CorvantViewTest::TearDown();
    }
    template <class View>
    View* Make()
    {
        view->Destroy();
        auto* made = new View(window, frame, host);
        view = made;
        window->SendSizeEvent();
        return made;
    }
    void Select(std::initializer_list<long> rows)
    {
        view->ClearSelection();
        for (long row : rows) {
            view->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                               wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        }
    }
    size_t LinkedCoins()
    {
        CItemSet linked = CItemSet::LinkedTo(catalogue.get(), made.germanyCountry.In(*catalogue), 1);
        linked.Load();
        return linked.GetCount();
    }
    // A folder view in place of the list showing the coins linked with Germany's country record, as the
    // record form's list of linked children does.
    CCorvantFolderView* ShowLinkedCoins()
    {
        auto* folder = Make<CCorvantFolderView>();
        linkedSet = std::make_unique<CItemSet>(
            CItemSet::LinkedTo(catalogue.get(), made.germanyCountry.In(*catalogue), 1));
        linkedSet->Load();
        linkedNode = std::make_unique<CAreaFileNode>(*linkedSet);
        folder->SetShownElement(linkedNode.get());
        return folder;
    }
    FakeFormHost host;
    // What ShowLinkedCoins shows, kept until the test ends.
    std::unique_ptr<CItemSet> linkedSet;
    std::unique_ptr<CAreaFileNode> linkedNode;
};

// A menu's items, one line each: label, command, " pic" when it shows a picture, " greyed"; a popup as
// "label >" followed by its items indented; a separator as "-".
inline std::vector<std::string> MenuLines(const wxMenu& menu, const std::string& indent = "")
{
    std::vector<std::string> lines;
    for (const wxMenuItem* item : menu.GetMenuItems()) {
        if (item->IsSeparator()) {
            lines.push_back(indent + "-");
            continue;
        }
        std::string line = indent + item->GetItemLabel().utf8_string();
        line += item->IsSubMenu() ? " >" : " " + std::to_string(BCMenu::CommandOf(item->GetId()));
        line += !item->IsSubMenu() && item->GetBitmapBundle().IsOk() ? " pic" : "";
        line += item->IsEnabled() ? "" : " greyed";
        lines.push_back(line);
        if (item->IsSubMenu()) {
            for (std::string& inner : MenuLines(*item->GetSubMenu(), indent + "  ")) {
                lines.push_back(std::move(inner));
            }
        }
    }
    return lines;
}

} // namespace lumarc::test
