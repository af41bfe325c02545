#include "mainwindow/placement/MainCatalogueNodeUi.h"

#include "mainwindow/MainFrame.h"
#include "mainwindow/dialogs/NameDialogs.h"
#include "mainwindow/panes/tree/LeftView.h"
#include "mainwindow/placement/PlacementDialogs.h"
#include "tree/base/TreeNode.h"

#include <wx/app.h>

#include <algorithm>

wxWindow* CMainCatalogueNodeUi::DialogOwner()
{
    if (CMainFrame* frame = GetMainFrame()) {
        return frame;
    }
    return wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr;
}

CTreeImageTable* CMainCatalogueNodeUi::TreeImages()
{
    CMainFrame* frame = GetMainFrame();
    auto* pane = frame != nullptr ? dynamic_cast<CLeftView*>(frame->GetLeftView()) : nullptr;
    return pane != nullptr ? &pane->GetImageTable() : nullptr;
}

std::optional<std::string> CMainCatalogueNodeUi::AskPassword(const std::string& /*catalogueName*/)
{
    std::string password;
    if (!::AskPassword(DialogOwner(), password)) {
        return std::nullopt;
    }
    return password;
}

std::optional<CCatalogueNodeUi::NewElementAnswer>
CMainCatalogueNodeUi::AskNewElement(NewElement what, CTreeNode& place, const std::string& proposal)
{
    // The whole catalogue is offered, the place the command came from being the caret item.
    CTreeNode* start = place.GetCatalogueNode() != nullptr ? place.GetCatalogueNode() : &place;
    NewElementAnswer answer;
    if (what == NewElement::kFolder) {
        CNewFolderDlg dialog(DialogOwner(), *start, &place, TreeImages(), proposal);
        if (dialog.ShowModal() != wxID_OK) {
            return std::nullopt;
        }
        answer.type = dialog.GetKind();
        answer.name = dialog.GetElementName();
        answer.comment = dialog.GetDescription();
        answer.place = dialog.GetParentChoice();
        return answer;
    }
    CNewListDlg dialog(DialogOwner(), *start, &place, TreeImages(), proposal);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    answer.name = dialog.GetElementName();
    answer.comment = dialog.GetDescription();
    answer.place = dialog.GetParentChoice();
    return answer;
}

CTreeNode* CMainCatalogueNodeUi::ChooseNewItemPlace(CTreeNode& catalogueNode, int dataFile)
{
    CNewDataItemDlg dialog(DialogOwner(), catalogueNode, dataFile, SelectedElement(), TreeImages());
    if (dialog.ShowModal() != wxID_OK) {
        return nullptr;
    }
    return dialog.GetChosenNode();
}

CTreeNode* CMainCatalogueNodeUi::SelectedElement()
{
    CMainFrame* frame = GetMainFrame();
    if (frame == nullptr) {
        return nullptr;
    }
    // A command from the menu bar or tool bar leaves neither pane focused: it acts on the current one.
    CTreeNode* selected = frame->GetSelectedElement();
    return selected != nullptr ? selected : frame->GetCurrentElement();
}

void CMainCatalogueNodeUi::MakeCurrentElement(CTreeNode& node)
{
    if (CMainFrame* frame = GetMainFrame()) {
        frame->SetCurrentElement(&node);
    }
}

void CMainCatalogueNodeUi::RefillTree()
{
    if (CMainFrame* frame = GetMainFrame()) {
        frame->FillTree();
    }
}

void CMainCatalogueNodeUi::RefreshTreeLabels()
{
    if (CMainFrame* frame = GetMainFrame()) {
        frame->RefreshLabels();
    }
}
