#include "mainwindow/panes/list/FormLists.h"

#include "mainwindow/menus/BCMenu.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tree/base/NodeInterfaces.h"
#include "tree/base/TreeNode.h"
#include "tree/menus/FileMenuItems.h"
#include "tree/menus/MenuNumbers.h"
#include "tree/menus/NodeMenu.h"
#include "tree/records/DeleteConfirmations.h"

namespace {

constexpr int kStringAddAnItem = 434;
constexpr int kStringAddFile = 33404;

// Shows the menu at the screen point over the list; the command chosen, or 0 when the menu was dismissed.
int ChooseFromMenu(wxWindow& list, BCMenu& menu, const wxPoint& screen)
{
    const int chosen = list.GetPopupMenuSelectionFromUser(menu, list.ScreenToClient(screen));
    return chosen == wxID_NONE ? 0 : BCMenu::CommandOf(chosen);
}

} // namespace

// ---- the add view ----------------------------------------------------------------------------------

CCorvantAddView::CCorvantAddView(wxWindow* parent, CPaneFrame& frame, CFormListHost& host, int role)
    : CCorvantView(parent, frame, role), m_host(host)
{
}

bool CCorvantAddView::OnListKey(int keyCode, bool control, bool alt)
{
    if (control) {
        switch (keyCode) {
        case 'A':
            SelectAllRows();
            return true;
        case 'N':
            OpenNewItem();
            return true;
        default:
            return false;
        }
    }
    switch (keyCode) {
    case WXK_F4:
    case WXK_F5:
    case WXK_F7:
    case WXK_F8:
    case WXK_F9:
    case WXK_INSERT:
    case WXK_DELETE:
    case WXK_WINDOWS_MENU:
        return CCorvantView::OnListKey(keyCode, false, alt);
    case WXK_F11:
        LoadSelectedRows();
        return true;
    default:
        // Everything else (Backspace among them) is the control's own.
        return false;
    }
}

void CCorvantAddView::OnF9()
{
    if (!m_host.AskAddToWantList()) {
        return;
    }
    const CNodeRef form = m_host.GetFormRecordKey();
    bool linked = false;
    for (const long row : GetSelectedRows()) {
        if (!IsAddRow(row) && MoveToRecordRow(row)) {
            linked = GetItemSet()->LinkCurrentWith(form) || linked;
        }
    }
    if (linked) {
        m_host.RequestRefresh();
    }
}

void CCorvantAddView::LoadSelectedRows()
{
    std::vector<CTreeNode*> elements;
    for (const long row : GetSelectedRows()) {
        if (CTreeNode* element = IsAddRow(row) ? nullptr : ElementOfRow(row); element != nullptr) {
            elements.push_back(element);
        }
    }
    m_host.LoadItems(elements);
    m_host.RequestRefresh();
}

void CCorvantAddView::ActivateRow(long row, bool alt)
{
    if (IsAddRow(row) && !alt) {
        OpenNewItem();
        return;
    }
    CTreeNode* element = ElementOfRow(row);
    if (alt || element == nullptr || !element->IsRecord()) {
        CCorvantView::ActivateRow(row, alt);
        return;
    }
    element->Open(nullptr);
}

void CCorvantAddView::OpenNewItem()
{
    CTreeNode* shown = GetShownElement();
    CRecordFormOpener* opener = RecordFormOpener();
    if (shown == nullptr || opener == nullptr || shown->GetKind() <= 0) {
        return;
    }
    if (!m_host.SaveControls()) {
        return; // the form's record could not be stored: nothing is opened over it
    }
    opener->OpenNewRecord(
        CItemSet::NewRecord(shown->GetKind(), shown->GetFolderRecord(), shown->GetCatalogue()), *shown,
        nullptr);
    m_host.FillControls();
}

void CCorvantAddView::ShowEmptySpaceMenu(const wxPoint& screen)
{
    m_host.ShowToolsMenu(screen.x, screen.y);
}

std::unique_ptr<RClickMenuClass> CCorvantAddView::BuildRowMenu()
{
    CTreeNode* element = GetFocusedElement();
    if (element == nullptr) {
        return nullptr;
    }
    CNodeMenu model;
    element->BuildItemMenuWithSearch(&model);
    if (model.IsEmpty()) {
        return nullptr;
    }
    auto menu = std::make_unique<RClickMenuClass>();
    menu->AppendNodeMenu(model);
    return menu;
}

void CCorvantAddView::ShowRowMenu(const wxPoint& screen)
{
    const std::unique_ptr<RClickMenuClass> menu = BuildRowMenu();
    if (menu == nullptr) {
        return;
    }
    if (const int command = ChooseFromMenu(*this, *menu, screen); command != 0) {
        Frame().SendCommand(command);
    }
}

void CCorvantAddView::RowRenamed(CTreeNode& element)
{
    CItemSet* set = element.GetItemSet();
    const CNodeRef form = m_host.GetFormRecordKey();
    if (set == nullptr || set->GetCurrent() == nullptr) {
        return;
    }
    // The form's own record is never linked with itself.
    const CNodeRef edited = set->GetCurrentKey();
    const bool linked = form.IsValid() && !form.IsSame(&edited) && set->LinkCurrentWith(form);
    m_host.FillControls();
    if (linked) {
        m_host.RequestRefresh();
    }
}

// ---- the linked children ---------------------------------------------------------------------------

CCorvantFolderView::CCorvantFolderView(wxWindow* parent, CPaneFrame& frame, CFormListHost& host, int role)
    : CCorvantView(parent, frame, role), m_host(host)
{
}

bool CCorvantFolderView::OnListKey(int keyCode, bool control, bool alt)
{
    if (control && keyCode == 'A') {
        SelectAllRows();
        return true;
    }
    if (!control && (keyCode == WXK_BACK || keyCode == WXK_DELETE)) {
        RemoveSelectedChildren();
        return true;
    }
    return CCorvantView::OnListKey(keyCode, control, alt);
}

bool CCorvantFolderView::RemoveSelectedChildren()
{
    const std::vector<long> rows = GetSelectedRows();
    bool removed = false;
    if (rows.size() < 2) {
        CTreeNode* element = GetFocusedElement();
        removed = element != nullptr && element->Delete(this, false) != kDeleteRefused;
    } else if (AgreesToDelete(NodeDialogs().ConfirmDelete(CNodeDialogs::kConfirmItemsDelete,
                                                          "Do you want all the selected childs removed?"))) {
        // One question for all the rows: Yes to All means the same as Yes.
        const CNodeRef form = m_host.GetFormRecordKey();
        for (const long row : rows) {
            if (MoveToRecordRow(row)) {
                removed = GetItemSet()->UnlinkCurrentFrom(form, row == rows.back()) || removed;
            }
        }
    }
    if (removed) {
        Refill();
        m_host.RequestRefresh();
    }
    SetFocus();
    return removed;
}

std::unique_ptr<RClickMenuClass> CCorvantFolderView::BuildAddMenu()
{
    CNodeMenu model;
    CTreeNode* shown = GetShownElement();
    CCatalogueDb* catalogue = shown != nullptr ? shown->GetCatalogue() : nullptr;
    const bool writable = catalogue != nullptr && !catalogue->IsViewOnly();
    if (writable) {
        model.AppendPopup(LoadResString(kStringAddAnItem), kMenuEnabled, kNoPicture,
                          BuildAddItemMenu(*catalogue, [this](int dataFile) {
                              return m_host.AddLinkedItem(dataFile, true);
                          }));
        model.AppendSeparator();
    }
    // A file item is a new record too: a catalogue that is only viewed takes none.
    model.AppendODMenu(LoadResString(kStringAddFile),
                       writable && m_host.AddLinkedFile(true) ? kMenuEnabled : kMenuGreyed,
                       menu_command::kAddFile, kNoPicture);
    auto menu = std::make_unique<RClickMenuClass>();
    menu->AppendNodeMenu(model);
    return menu;
}

bool CCorvantFolderView::RunAddCommand(int command)
{
    if (command == menu_command::kAddFile) {
        return m_host.AddLinkedFile(false);
    }
    const int dataFile = command - menu_command::kFirstNewOfKind;
    if (dataFile < 0 || dataFile > CDataFileDef::kLastDataFile) {
        return false;
    }
    return m_host.AddLinkedItem(dataFile, false);
}

void CCorvantFolderView::ShowAddMenu(const wxPoint& screen)
{
    const std::unique_ptr<RClickMenuClass> menu = BuildAddMenu();
    if (const int command = ChooseFromMenu(*this, *menu, screen); command != 0) {
        RunAddCommand(command);
    }
}
