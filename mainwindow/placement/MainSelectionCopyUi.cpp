#include "mainwindow/placement/MainSelectionCopyUi.h"

#include "mainwindow/MainFrame.h"
#include "mainwindow/commands/CommandIds.h"
#include "mainwindow/panes/tree/LeftView.h"
#include "mainwindow/placement/CopyPlacementDialogs.h"
#include "platform/text/CaseFold.h"
#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/program/Settings.h"
#include "store/records/ItemSet.h"
#include "tree/base/ElementTreeSource.h"
#include "tree/base/TreeNode.h"

#include <wx/app.h>
#include <wx/window.h>

namespace {

constexpr int kStringErrorCaption = 33365;
constexpr const char* kNoDefaultCatalogue =
    "Please choose, using the tools/option menu option, a catalogue to be used as default.";

wxWindow* DialogOwner()
{
    if (CMainFrame* frame = GetMainFrame()) {
        return frame;
    }
    return wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr;
}

CTreeImageTable* TreeImages()
{
    CMainFrame* frame = GetMainFrame();
    auto* pane = frame != nullptr ? dynamic_cast<CLeftView*>(frame->GetLeftView()) : nullptr;
    return pane != nullptr ? &pane->GetImageTable() : nullptr;
}

// The writable catalogue's node under the root whose file is the one named, compared without regard to case.
CTreeNode* DefaultCatalogueNode(CTreeNode& root, const std::string& file)
{
    for (CTreeNode* child = root.GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        CCatalogueDb* catalogue = child->IsCatalogue() ? child->GetCatalogue() : nullptr;
        if (catalogue != nullptr && !catalogue->IsViewOnly() &&
            platform::text::EqualsNoCase(catalogue->GetFilePath().string(), file)) {
            return child;
        }
    }
    return nullptr;
}

// Gives the focus back to the window that had it before a dialog or message took it.
class FocusKeeper
{
public:
    FocusKeeper() : m_focus(wxWindow::FindFocus()) {}
    ~FocusKeeper()
    {
        if (m_focus != nullptr && m_focus->IsShownOnScreen()) {
            m_focus->SetFocus();
        }
    }
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

private:
    wxWindow* m_focus;
};

} // namespace

std::optional<CSelectionCopyUi::Placement> CMainSelectionCopyUi::ChoosePlace(CTreeNode& target, int dataFile,
                                                                             CTreeNode* source)
{
    CCopyToDatabaseDlg dialog(DialogOwner(), target, dataFile, source, TreeImages());
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    Placement placement;
    placement.place = dialog.GetPlace();
    placement.keepStructure = dialog.KeepStructure();
    return placement;
}

void CMainSelectionCopyUi::RunCommand(wxWindow* /*owner*/, int command, CTreeNode* selected)
{
    if (command == frame_command::kAddToMyCatalogue) {
        AddToMyCatalogue(selected);
    } else if (command == frame_command::kAddToWantList) {
        AddToWantList(selected);
    }
}

bool CMainSelectionCopyUi::AddToMyCatalogue(CTreeNode* selected)
{
    CMainFrame* frame = GetMainFrame();
    if (frame == nullptr || selected == nullptr) {
        return false;
    }
    const FocusKeeper focus;
    // The selection travels as Edit > Copy puts it on the clipboard: the list's selected rows or the
    // tree's element.
    wxCommandEvent copy(wxEVT_MENU, frame_command::kCopy);
    frame->ProcessWindowEvent(copy);
    const std::string book = GetSettingString("defaultDataBook").substr(0, 100);
    if (book.empty()) {
        platform::ui::ShowMessage(kNoDefaultCatalogue, LoadResString(kStringErrorCaption),
                                  platform::ui::kMbOk | platform::ui::kMbIconError);
        return false;
    }
    CTreeNode& root = frame->GetRootElement();
    CTreeNode* target = DefaultCatalogueNode(root, book);
    if (target == nullptr) {
        return false;
    }
    CElementTreeSource source(root);
    std::unique_ptr<CItemSet> items = ReadItemsFromClipboard(source);
    if (items == nullptr) {
        return false;
    }
    CTreeNode* parent = selected->GetParentNode();
    const bool copied = CopySelectionToCatalogue(*items, parent, *target);
    if (copied && parent != nullptr) {
        frame->SelectElement(parent);
    }
    return copied;
}

bool CMainSelectionCopyUi::AddToWantList(CTreeNode* selected)
{
    if (selected == nullptr || !selected->IsRecord() || selected->GetItemSet() == nullptr ||
        selected->GetItemSet()->GetCurrent() == nullptr) {
        return false;
    }
    const FocusKeeper focus;
    CWantListDlg dialog(DialogOwner(), *selected, TreeImages());
    if (dialog.ShowModal() != wxID_OK || dialog.GetChosenList() == nullptr) {
        return false;
    }
    CItemSet* list = dialog.GetChosenList()->GetOwnSet();
    if (list == nullptr || list->GetCurrent() == nullptr) {
        return false;
    }
    CItemSet record(selected->GetCatalogue());
    record.AddRecordByKey(selected->GetItemSet()->GetCurrentKey());
    dialog.GetChosenList()->DropLink(record);
    return true;
}
