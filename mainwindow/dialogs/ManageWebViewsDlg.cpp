#include "mainwindow/dialogs/ManageWebViewsDlg.h"

#include "mainwindow/dialogs/DialogLayout.h"
#include "mainwindow/dialogs/NameDialogs.h"
#include "platform/text/CaseFold.h"
#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/markup/MarkupNode.h"

#include <wx/button.h>
#include <wx/listbox.h>

#include <functional>
#include <memory>

namespace {

constexpr int kViewList = 1009;
constexpr int kNewButton = 1022;
constexpr int kEditButton = 1021;
constexpr int kRenameButton = 1013;
constexpr int kDeleteButton = 1012;
constexpr unsigned kSelectText = 33101;
constexpr unsigned kDoYouWantCaption = 33382;
constexpr const char* kDeleteQuestion = "Are you sure you want to delete the web template?";

CWebViewDesigner*& Designer()
{
    static CWebViewDesigner* designer = nullptr;
    return designer;
}

bool IsWebViewOf(const CMarkupNode& node, const std::string& dataName)
{
    return node.AttributeEquals("DataName", dataName) &&
           !platform::text::EqualsNoCase(node.GetType(), "summary") &&
           node.AttributeEquals("layoutType", "HTML");
}

// Calls `visit` on every node below `node` in tree order until it answers false.
bool Walk(CMarkupNode* node, const std::function<bool(CMarkupNode&)>& visit)
{
    for (CMarkupNode* child = node->GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        if (!visit(*child) || !Walk(child, visit)) {
            return false;
        }
    }
    return true;
}

} // namespace

CWebViewDesigner* SetWebViewDesigner(CWebViewDesigner* designer)
{
    CWebViewDesigner* previous = Designer();
    Designer() = designer;
    return previous;
}

std::vector<std::string> ListWebViews(CMarkupNode* templates, int dataFile)
{
    std::vector<std::string> names;
    if (templates != nullptr) {
        const std::string dataName = std::to_string(dataFile);
        Walk(templates, [&](CMarkupNode& node) {
            if (IsWebViewOf(node, dataName)) {
                names.push_back(node.GetName());
            }
            return true;
        });
    }
    return names;
}

CMarkupNode* FindWebView(CMarkupNode* templates, int dataFile, std::string_view name)
{
    CMarkupNode* found = nullptr;
    if (templates != nullptr) {
        const std::string dataName = std::to_string(dataFile);
        Walk(templates, [&](CMarkupNode& node) {
            if (IsWebViewOf(node, dataName) && node.NameEquals(name)) {
                found = &node;
            }
            return found == nullptr;
        });
    }
    return found;
}

CManageWebViewsDlg::CManageWebViewsDlg(wxWindow* parent, CCatalogueDb& catalogue, int dataFile,
                                       CTreeNode* element)
    : m_catalogue(catalogue), m_dataFile(dataFile), m_element(element)
{
    LoadDialogLayout(*this, parent, "144");
    m_list = FindControl<wxListBox>(*this, kViewList);
    const bool canDesign = Designer() != nullptr;
    for (int id : {kNewButton, kEditButton}) {
        if (wxWindow* button = FindWindow(id)) {
            button->Enable(canDesign);
        }
    }
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnNew(); }, kNewButton);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnEdit(); }, kEditButton);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnRename(); }, kRenameButton);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnDelete(); }, kDeleteButton);
    FillList();
    FitToContents(*this);
}

void CManageWebViewsDlg::FillList()
{
    if (m_list == nullptr) {
        return;
    }
    m_list->Clear();
    for (const std::string& name : ListWebViews(m_catalogue.GetWebTemplates(), m_dataFile)) {
        m_list->Append(wxString::FromUTF8(name));
    }
}

std::string CManageWebViewsDlg::SelectedView()
{
    const int row = m_list != nullptr ? m_list->GetSelection() : wxNOT_FOUND;
    if (row == wxNOT_FOUND) {
        platform::ui::ShowMessage(LoadResString(kSelectText), "", platform::ui::kMbOk);
        return {};
    }
    return m_list->GetString(static_cast<unsigned>(row)).utf8_string();
}

void CManageWebViewsDlg::OnNew()
{
    CMarkupNode* templates = m_catalogue.GetWebTemplates();
    if (Designer() == nullptr || templates == nullptr) {
        return;
    }
    auto layout = std::make_unique<CMarkupNode>("newOne", "webDefinition");
    if (Designer()->Design(this, m_element, m_catalogue, "newOne", *layout)) {
        std::string name;
        // A view needs a name to be offered by: an empty one is asked again.
        while (AskNewName(this, "", name)) {
            if (!name.empty()) {
                layout->SetName(name);
                layout->SetAttribute("DataName", std::to_string(m_dataFile));
                layout->SetAttribute("layoutType", "HTML");
                templates->AddChild(std::move(layout));
                m_catalogue.SaveWebTemplates();
                break;
            }
        }
    }
    FillList();
}

void CManageWebViewsDlg::OnEdit()
{
    const std::string name = SelectedView();
    CMarkupNode* view = name.empty() ? nullptr : FindWebView(m_catalogue.GetWebTemplates(), m_dataFile, name);
    if (view == nullptr || Designer() == nullptr) {
        return;
    }
    if (Designer()->Design(this, m_element, m_catalogue, name, *view)) {
        m_catalogue.SaveWebTemplates();
    }
}

void CManageWebViewsDlg::OnRename()
{
    const std::string oldName = SelectedView();
    if (oldName.empty()) {
        return;
    }
    std::string name = oldName;
    if (!AskNewName(this, "", name) || name.empty()) {
        return;
    }
    if (CMarkupNode* view = FindWebView(m_catalogue.GetWebTemplates(), m_dataFile, oldName)) {
        view->SetName(name);
        m_catalogue.SaveWebTemplates();
    }
    FillList();
}

void CManageWebViewsDlg::OnDelete()
{
    const std::string name = SelectedView();
    if (name.empty()) {
        return;
    }
    if (platform::ui::ShowMessage(kDeleteQuestion, LoadResString(kDoYouWantCaption),
                                  platform::ui::kMbYesNo) != platform::ui::kIdYes) {
        return;
    }
    if (CMarkupNode* view = FindWebView(m_catalogue.GetWebTemplates(), m_dataFile, name)) {
        if (CMarkupNode* parent = view->GetParent()) {
            parent->DetachChild(view);
            m_catalogue.SaveWebTemplates();
        }
    }
    FillList();
}
