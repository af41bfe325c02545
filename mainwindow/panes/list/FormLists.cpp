#include "mainwindow/panes/list/FormLists.h"

#include "store/records/ItemSet.h"
#include "tree/base/NodeInterfaces.h"
#include "tree/base/TreeNode.h"
#include "tree/records/DeleteConfirmations.h"

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
